#include "db/sql_dialect.h"

#include "base/text_case.h"
#include "db/postgres/pg_schema.h"
#include "db/tables.h"

#include <QSqlDatabase>
#include <QSqlDriver>

namespace {

// The server's advisory lock that stands for the book's write turn (SQLite's write lock).
constexpr qint64 kWriteTurnLock = 0x446F634D;

class SqliteDialect final : public SqlDialect {
public:
    bool isServer() const override { return false; }
    QString collated(const QString& expression) const override
    {
        return expression + QStringLiteral(" COLLATE ") + QLatin1String(kTextCollation);
    }
    // SQLite puts empty values first going up already.
    QString orderTerm(const QString& expression, bool descending) const override
    {
        return descending ? expression + QStringLiteral(" DESC") : expression;
    }
    QString rowKey(const TableDef&) const override { return QStringLiteral("rowid"); }
    QString throughIndex(const QString& table, const QString& index) const override
    {
        return table + QStringLiteral(" INDEXED BY ") + index;
    }
    // SQLite looks the sorted keys up one by one in the table's key order.
    QString keyedRows(const QString& table, const QString& as, const QString& key, const QString& keys,
                      const QString& joins) const override
    {
        return QStringLiteral("FROM %1 %2%3 WHERE %2.%4 IN (%5) ORDER BY %2.%4")
            .arg(table, as, joins, key, keys);
    }
    // The writing transaction holds the whole file already.
    QString forUpdate() const override { return {}; }
    QStringList beginTransaction(bool writing) const override
    {
        return writing ? QStringList{QStringLiteral("BEGIN IMMEDIATE")} : QStringList{};
    }
    // Each guard would make SQLite keep a statement journal for every row written.
    QStringList beginBulkWrite() const override
    {
        QStringList sql;
        for (const TableDef* t : Tables::all())
            sql << dropTriggerSql(*t);
        return sql;
    }
    QStringList endBulkWrite() const override
    {
        QStringList sql;
        for (const TableDef* t : Tables::all())
            sql << createTriggerSql(*t);
        return sql;
    }
    QStringList statisticsSql() const override { return {}; }
    QString columnNamesSql() const override
    {
        return QStringLiteral("SELECT name FROM pragma_table_info(?)");
    }
    QString indexExistsSql() const override
    {
        return QStringLiteral("SELECT 1 FROM sqlite_master WHERE type='index' AND name=? COLLATE NOCASE");
    }
    QString schemaVersionSql() const override { return QStringLiteral("PRAGMA user_version"); }
    QString addColumnSql(const TableDef& table, const ColumnDef& column) const override
    {
        return ::addColumnSql(table, column);
    }
    QStringList versionIndexSql(int version) const override
    {
        QStringList sql;
        for (const TableDef* t : Tables::all())
            sql << unlessThere(createIndexSql(*t, version));
        return sql;
    }
    QStringList sizeGuardSql() const override { return beginBulkWrite() + endBulkWrite(); }
    // The collation orders in the index itself.
    QStringList storedKeysSql() const override { return {}; }
    QStringList rowCountSql() const override { return {}; }
    QString keptCountSql(const QString&, int) const override { return {}; }
    QString setVersionSql(int version) const override
    {
        return QStringLiteral("PRAGMA user_version=%1").arg(version);
    }
    // Functions of the connection that call Money itself.
    QString money(const QString& amount) const override
    {
        return QStringLiteral("docmar_money(%1)").arg(amount);
    }
    QString moneyProduct(const QString& count, const QString& price) const override
    {
        return QStringLiteral("docmar_money_product(%1,%2)").arg(count, price);
    }
    QString moneyPercent(const QString& kopecks, const QString& rate) const override
    {
        return QStringLiteral("docmar_money_percent(%1,%2)").arg(kopecks, rate);
    }
    QString moneyAmount(const QString& kopecks) const override
    {
        return QStringLiteral("((%1)/100.0)").arg(kopecks);
    }
    QString isBlank(const QString& text) const override
    {
        return QStringLiteral("trim(coalesce(%1,''),char(32,9,10,11,12,13))=''").arg(text);
    }
};

class PostgresDialect final : public SqlDialect {
public:
    bool isServer() const override { return true; }
    // The key stored beside an indexed column folds letter case by the search's own rule, so it is searched
    // rather than each text folded anew (the columns are shorter than the 255 characters searched).
    Expression textFound(const QString& column, const QString& text, bool whole) const override
    {
        const QString key = PostgresSchema::storedKeyOf(column);
        const QString needle = text.left(255);
        if (key.isEmpty())
            return SqlDialect::textFound(column, text, whole);
        const QString keyed = PostgresSchema::textKey(needle);
        return {whole ? key + QStringLiteral(" = ?") : QStringLiteral("strpos(%1, ?) > 0").arg(key), {keyed}};
    }
    QString collated(const QString& expression) const override
    {
        return PostgresSchema::orderKey(expression);
    }
    // The server is told SQLite's place for empty values, which its indexes keep too.
    QString orderTerm(const QString& expression, bool descending) const override
    {
        return expression +
               (descending ? QStringLiteral(" DESC NULLS LAST") : QStringLiteral(" NULLS FIRST"));
    }
    QString rowKey(const TableDef& table) const override
    {
        // The waybills and acts are told apart by their numbers, their first column (unique for waybills;
        // the act store refuses a used one).
        return QLatin1String(table.primaryKey ? table.primaryKey : table.columns.front().name);
    }
    // The planner chooses the index itself.
    QString throughIndex(const QString& table, const QString&) const override { return table; }
    // The server would hash the keys and sort the joined rows: the keys are sorted first instead (a
    // month's invoice register 48 against 127 ms on the 400k book), and the rows follow them.
    QString keyedRows(const QString& table, const QString& as, const QString& key, const QString& keys,
                      const QString& joins) const override
    {
        return QStringLiteral("FROM (%5 ORDER BY %4 NULLS FIRST OFFSET 0) k JOIN %1 %2 ON %2.%4=k.%4%3 ORDER "
                              "BY k.%4 NULLS FIRST")
            .arg(table, as, joins, key, keys);
    }
    QString forUpdate() const override { return QStringLiteral(" FOR UPDATE"); }
    // The server takes no savepoint outside a transaction. A writer waits for the book's write turn, as on
    // SQLite, so that what it checks and numbers holds until it commits; readers never wait.
    QStringList beginTransaction(bool writing) const override
    {
        QStringList sql{QStringLiteral("BEGIN")};
        if (writing)
            sql << QStringLiteral("SELECT pg_advisory_xact_lock(%1)").arg(kWriteTurnLock);
        return sql;
    }
    // The server's guards cost a function call a row and no journal: they stay. Keeping the counts would cost
    // a statement's trigger a row (the demo book's rows at 2.7 times the time): they are taken at the end.
    QStringList beginBulkWrite() const override { return {PostgresSchema::bulkWriteSql(true)}; }
    QStringList endBulkWrite() const override
    {
        return QStringList{PostgresSchema::bulkWriteSql(false)} + PostgresSchema::recountSql();
    }
    // Without it a freshly filled book is planned as if empty: a month's register walks every invoice.
    // Only the columns the plans choose by: the texts' order keys would cost seconds on a big book.
    QStringList statisticsSql() const override
    {
        return {QStringLiteral("ANALYZE FACTURES (FACT_DATA, FACT_NUMBER, ID_NUMBER)"),
                QStringLiteral("ANALYZE NAKLADN1 (NAKL_DATA, NAKL_NUMBER, ID_NUMBER)"),
                QStringLiteral("ANALYZE NAKLADN2 (NAKL_DATA, NAKL_NUMBER, ID_NUMBER)"),
                QStringLiteral("ANALYZE CLIENTS (ID_NUMBER)")};
    }
    QString columnNamesSql() const override
    {
        // The catalog itself: the information schema's view costs a millisecond and more a table, and a book
        // is checked table by table each time it opens.
        return QStringLiteral("SELECT a.attname FROM pg_attribute a JOIN pg_class c ON c.oid = a.attrelid "
                              "WHERE c.relnamespace = (SELECT oid FROM pg_namespace WHERE nspname = "
                              "current_schema()) AND c.relname = lower(?) AND a.attnum > 0 AND NOT "
                              "a.attisdropped");
    }
    QString indexExistsSql() const override
    {
        return QStringLiteral(
            "SELECT 1 FROM pg_indexes WHERE schemaname = current_schema() AND indexname = lower(?)");
    }
    QString schemaVersionSql() const override { return QStringLiteral("SELECT docmar_schema_version()"); }
    QString addColumnSql(const TableDef& table, const ColumnDef& column) const override
    {
        return PostgresSchema::addColumnSql(table, column);
    }
    QStringList versionIndexSql(int version) const override
    {
        return PostgresSchema::versionIndexSql(version);
    }
    QStringList sizeGuardSql() const override { return PostgresSchema::sizeGuardSql(); }
    QStringList storedKeysSql() const override { return PostgresSchema::storedKeysSql(); }
    QStringList rowCountSql() const override { return PostgresSchema::rowCountSql(); }
    QString keptCountSql(const QString& table, int kind) const override
    {
        return PostgresSchema::keptCountSql(table, kind);
    }
    QString setVersionSql(int version) const override { return PostgresSchema::versionSql(version); }
    // In numeric, exact: a double's text is its shortest decimal (extra_float_digits above 0), round() of a
    // numeric goes half away from zero.
    static QString exact(const QString& value)
    {
        return QStringLiteral("(CASE WHEN abs(%1)<1e300 THEN (%1)::text::numeric END)").arg(value);
    }
    static QString halfToEven(const QString& value)
    {
        return QStringLiteral("(SELECT CASE WHEN abs(v_-trunc(v_))=0.5 THEN 2*round(v_/2) ELSE round(v_) END "
                              "FROM (SELECT %1 AS v_) h_)")
            .arg(value);
    }
    QString money(const QString& amount) const override
    {
        return halfToEven(exact(amount) + QStringLiteral("*100"));
    }
    QString moneyProduct(const QString& count, const QString& price) const override
    {
        return halfToEven(exact(count) + u'*' + exact(price) + QStringLiteral("*100"));
    }
    QString moneyPercent(const QString& kopecks, const QString& rate) const override
    {
        return QStringLiteral("round((%1)*%2/100)").arg(kopecks, exact(rate));
    }
    QString moneyAmount(const QString& kopecks) const override
    {
        return QStringLiteral("((%1)/100)::float8").arg(kopecks);
    }
    QString isBlank(const QString& text) const override
    {
        return QStringLiteral("btrim(coalesce(%1,''),E' \\t\\n\\r\\f'||chr(11))=''").arg(text);
    }
};

} // namespace

SqlDialect::Expression SqlDialect::textFound(const QString& column, const QString& text, bool whole) const
{
    return {QStringLiteral("UFIND(%1,?,?) <> 0").arg(column), {foldCase(text.left(255)), whole ? 1 : 0}};
}

const SqlDialect& SqlDialect::sqlite()
{
    static const SqliteDialect d;
    return d;
}

const SqlDialect& SqlDialect::postgres()
{
    static const PostgresDialect d;
    return d;
}

const SqlDialect& SqlDialect::of(const QSqlDatabase& db)
{
    return db.driver() && db.driver()->dbmsType() == QSqlDriver::PostgreSQL ? postgres() : sqlite();
}
