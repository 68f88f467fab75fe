#include "db/postgres/pg_schema.h"

#include "base/month_names.h"
#include "base/text_case.h"
#include "db/collation.h"
#include "db/data_module.h"
#include "db/postgres/libpq.h"
#include "db/postgres/postgres_driver.h"
#include "db/tables.h"

#include <QHash>
#include <QRegularExpression>

#include <QCoreApplication>
#include <QLocale>
#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>
#include <QUrl>

#include <algorithm>
#include <charconv>
#include <cmath>

namespace {

QString pgType(ColumnType type)
{
    switch (type) {
    case ColumnType::Integer:
        return QStringLiteral("integer");
    case ColumnType::Short:
        return QStringLiteral("smallint");
    case ColumnType::Float:
    case ColumnType::Money:
        return QStringLiteral("double precision");
    case ColumnType::Date:
        return QStringLiteral("date");
    case ColumnType::Text:
        return QStringLiteral("text");
    }
    return {};
}

// An index column in PostgreSQL terms: the collated ones go by their stored key, and empty values stand
// where SQLite puts them (first going up), so the lists' orders read the index.
QString indexColumn(const IndexTerm& t)
{
    const QString column = t.collated ? PostgresSchema::orderKey(t.expression) : t.expression;
    return column + (t.descending ? QStringLiteral(" DESC NULLS LAST") : QStringLiteral(" NULLS FIRST"));
}

bool ordersByText(const IndexDef& index)
{
    const std::vector<IndexTerm> terms = indexTerms(index);
    return std::any_of(terms.begin(), terms.end(), [](const IndexTerm& t) { return t.collated; });
}

// The index's columns; an index by a text ends with the row's key, as the lists order by both (SQLite's
// indexes hold the row id anyway).
QStringList indexColumns(const TableDef& table, const IndexDef& index)
{
    QStringList parts;
    for (const IndexTerm& t : indexTerms(index))
        parts << indexColumn(t);
    if (ordersByText(index) && table.primaryKey)
        parts << QLatin1String(table.primaryKey) + QStringLiteral(" NULLS FIRST");
    return parts;
}

// Every text column an index of the table orders by the register's alphabet.
QStringList keyedColumns(const TableDef& table)
{
    QStringList columns;
    for (const IndexDef& i : table.indexes)
        for (const IndexTerm& t : indexTerms(i))
            if (t.collated && !columns.contains(t.expression))
                columns << t.expression;
    return columns;
}

QString storedKeyColumn(const QString& column)
{
    return column + QStringLiteral("_KEY");
}

QString storedKeySql(const QString& column)
{
    return QStringLiteral("%1 text GENERATED ALWAYS AS (docmar_key(%2)) STORED")
        .arg(storedKeyColumn(column), column);
}

QString quoted(const QString& text)
{
    return u'\'' + QString(text).replace(u'\'', QStringLiteral("''")) + u'\'';
}

} // namespace

namespace PostgresSchema {

QString keyTranslation(QString* from, QString* to)
{
    // The weights put every character below the Cyrillic block first (case folded), then the ranked
    // letters, then everything else by its code point. Here: folded characters keep their place, the
    // ranked letters take the codes just above U+0400, and the few unranked characters that sat there
    // move just above them, where the lower-case letters they displace used to be.
    from->clear();
    to->clear();
    for (char32_t c = 1; c < 0x500; ++c) {
        const char32_t w = textWeight(c);
        char32_t key = c;
        if (w < 0x400 || (w > 0x400 && w < 0x430))
            key = w;
        else if (c >= 0x400 && c < 0x410)
            key = c + 0x30;
        if (key != c) {
            from->append(QChar(char16_t(c)));
            to->append(QChar(char16_t(key)));
        }
    }
    return QStringLiteral("translate($1, %1, %2)").arg(quoted(*from), quoted(*to));
}

QString foldTranslation()
{
    QString from, to;
    for (char16_t c = 1; c < 0x500; ++c)
        if (LowerCaseChar(c) != c) {
            from.append(QChar(c));
            to.append(QChar(LowerCaseChar(c)));
        }
    return QStringLiteral("translate($1, %1, %2)").arg(quoted(from), quoted(to));
}

QStringList documentTables()
{
    return {QStringLiteral("FACTURES"), QStringLiteral("NAKLADN1"), QStringLiteral("NAKLADN2"),
            QStringLiteral("ACTS"), QStringLiteral("PLATEG")};
}

QString storedKeyOf(const QString& column)
{
    static const QStringList keyed = [] {
        QStringList all;
        for (const TableDef* t : Tables::all())
            all << keyedColumns(*t);
        return all;
    }();
    return keyed.contains(column, Qt::CaseInsensitive) ? storedKeyColumn(column.toUpper()) : QString();
}

QString textKey(const QString& text)
{
    static const QHash<char16_t, char16_t> keys = [] {
        QString from, to;
        keyTranslation(&from, &to);
        QHash<char16_t, char16_t> map;
        for (qsizetype i = 0; i < from.size(); ++i)
            map.insert(from[i].unicode(), to[i].unicode());
        return map;
    }();
    QString key = text;
    for (QChar& c : key)
        c = QChar(keys.value(c.unicode(), c.unicode()));
    return key;
}

QString orderKey(const QString& column)
{
    // A column an index orders by has its key stored beside it: read, not worked out row by row.
    if (const QString stored = storedKeyOf(column); !stored.isEmpty())
        return stored + QStringLiteral(" COLLATE \"C\"");
    return QStringLiteral("docmar_key(%1) COLLATE \"C\"").arg(column);
}

QStringList storedKeysSql()
{
    QStringList sql;
    for (const TableDef* t : Tables::all()) {
        for (const QString& column : keyedColumns(*t))
            sql << QStringLiteral("ALTER TABLE %1 ADD COLUMN IF NOT EXISTS %2")
                       .arg(QLatin1String(t->name), storedKeySql(column));
        for (const IndexDef& i : t->indexes)
            if (ordersByText(i))
                sql << QStringLiteral("DROP INDEX IF EXISTS %1").arg(QLatin1String(i.name))
                    << QStringLiteral("CREATE INDEX %1 ON %2 (%3)")
                           .arg(QLatin1String(i.name), QLatin1String(t->name),
                                indexColumns(*t, i).join(QStringLiteral(", ")));
    }
    return sql;
}

// Every writer's text is cut to its column, and a missing key given, as on SQLite; empty for a table
// with neither.
QString cutFunctionSql(const TableDef& t)
{
    const QString table = QLatin1String(t.name);
    QStringList cuts;
    for (const ColumnDef& c : t.columns) {
        if (t.primaryKey && qstrcmp(t.primaryKey, c.name) == 0)
            // A row stored without its key gets the next one, as SQLite gives it.
            cuts << QStringLiteral(
                        "IF NEW.%1 IS NULL THEN NEW.%1 := (SELECT coalesce(max(%1), 0) + 1 FROM %2); "
                        "END IF;")
                        .arg(QLatin1String(c.name), table);
        if (c.type == ColumnType::Text)
            cuts << QStringLiteral("NEW.%1 := left(NEW.%1, %2);").arg(QLatin1String(c.name)).arg(c.size);
    }
    if (cuts.isEmpty())
        return {};
    return QStringLiteral("CREATE OR REPLACE FUNCTION %1_cut() RETURNS trigger LANGUAGE plpgsql AS $c$ BEGIN "
                          "%2 RETURN NEW; END $c$")
        .arg(table, cuts.join(u' '));
}

QStringList tableSql()
{
    QStringList sql;
    QString from, to;
    sql << QStringLiteral("CREATE FUNCTION docmar_key(text) RETURNS text LANGUAGE sql IMMUTABLE STRICT "
                          "PARALLEL SAFE AS $key$ SELECT %1 $key$")
               .arg(keyTranslation(&from, &to));
    sql << QStringLiteral("CREATE FUNCTION docmar_fold(text) RETURNS text LANGUAGE sql IMMUTABLE STRICT "
                          "PARALLEL SAFE AS $f$ SELECT %1 $f$")
               .arg(foldTranslation());
    // The client search: the text's first 255 characters, case folded, hold the folded needle (or are it).
    sql << QStringLiteral("CREATE FUNCTION UFIND(text, text, integer) RETURNS integer LANGUAGE sql IMMUTABLE "
                          "PARALLEL SAFE AS $u$ SELECT CASE WHEN $3 <> 0 "
                          "THEN (docmar_fold(left(coalesce($1, ''), 255)) = $2)::integer "
                          "ELSE (strpos(docmar_fold(left(coalesce($1, ''), 255)), $2) > 0)::integer END $u$");
    sql << versionSql(TDM::kSchemaVersion);
    // Every stored, changed or deleted document is told to the other programs on the book.
    sql << QStringLiteral("CREATE FUNCTION docmar_notify() RETURNS trigger LANGUAGE plpgsql AS $n$ BEGIN "
                          "PERFORM pg_notify('%1', TG_TABLE_NAME); RETURN NULL; END $n$")
               .arg(QLatin1String(kDocumentsChannel));
    QStringList periods;
    for (int m = 1; m <= 16; ++m)
        periods << QStringLiteral("WHEN %1 THEN %2").arg(m).arg(quoted(ActPeriodName(m)));
    sql << QStringLiteral("CREATE FUNCTION ACT_MONTHSTR(integer) RETURNS text LANGUAGE sql IMMUTABLE "
                          "PARALLEL SAFE AS $p$ SELECT CASE $1 %1 ELSE '' END $p$")
               .arg(periods.join(u' '));
    for (const TableDef* t : Tables::all()) {
        const QString table = QLatin1String(t->name);
        QStringList columns;
        for (const ColumnDef& c : t->columns) {
            QString column = QLatin1String(c.name) + u' ' + pgType(c.type);
            if (t->primaryKey && qstrcmp(t->primaryKey, c.name) == 0)
                column += QStringLiteral(" PRIMARY KEY");
            columns << column;
        }
        for (const QString& keyed : keyedColumns(*t))
            columns << storedKeySql(keyed);
        sql << QStringLiteral("CREATE TABLE %1 (%2)").arg(table, columns.join(QStringLiteral(", ")));
        if (documentTables().contains(table))
            sql << QStringLiteral(
                       "CREATE TRIGGER %1_notify AFTER INSERT OR UPDATE OR DELETE OR TRUNCATE ON %1 "
                       "FOR EACH STATEMENT EXECUTE FUNCTION docmar_notify()")
                       .arg(table);
    }
    return sql;
}

QStringList createSql()
{
    return tableSql() + sizeGuardSql() + indexSql() + rowCountSql();
}

namespace {

// What kind of row a table's count tells apart, over a row of it (see rowCountSql).
struct CountedTable {
    const char* table;
    const char* kind;
};
// While it is on, the transaction's writes are not counted (a bulk write, which counts its tables at the
// end).
constexpr const char* kBulkWriteSetting = "docmar.bulk_write";

constexpr CountedTable kCountedTables[] = {
    {"factures", "coalesce(sign(FACT_NUMBER)::integer, 0)"},
    {"clients", "(coalesce(ID_NUMBER, 0) > 1)::integer"},
    {"nakladn1", "0"},
    {"nakladn2", "0"},
    {"acts", "0"},
};

} // namespace

namespace {

// A statement made in the book's own schema: "@" stands for it, written as a name. The functions that run
// as the book's owner name every table with its schema and search pg_temp last, so that no table a role
// makes for itself (a temporary one comes first on any other path) is ever written as the owner.
QString inBookSchema(const QString& statement)
{
    QString quoted = statement;
    quoted.replace(QStringLiteral("'"), QStringLiteral("''"));
    quoted.replace(u'@', QStringLiteral("%1$I"));
    return QStringLiteral("DO $d$ BEGIN EXECUTE format('%1', current_schema()); END $d$").arg(quoted);
}

} // namespace

QStringList rowCountSql()
{
    // Whoever may write the tables keeps their counts through the functions (which run as their maker, the
    // book's owner) and may read them: a role granted the tables alone is not refused its writes.
    QStringList sql{
        QStringLiteral("CREATE TABLE IF NOT EXISTS docmar_counts (tbl text, kind integer, n bigint "
                       "NOT NULL, PRIMARY KEY (tbl, kind))"),
        QStringLiteral("GRANT SELECT ON docmar_counts TO PUBLIC"),
        // Only the program's own bulk write skips the counts (and counts its tables at its end): one made
        // by the tables' owner. Any other role's writes are counted whatever it sets.
        inBookSchema(
            QStringLiteral(
                "CREATE OR REPLACE FUNCTION @.docmar_bulk_write() RETURNS boolean LANGUAGE sql STABLE "
                "SET search_path = pg_catalog, pg_temp AS $b$ SELECT coalesce(current_setting('%1', true), "
                "'') = "
                "'on' AND pg_has_role(current_user, (SELECT relowner FROM pg_class WHERE oid = "
                "'@.docmar_counts'::regclass), 'MEMBER') $b$")
                .arg(QLatin1String(kBulkWriteSetting)))};
    for (const CountedTable& c : kCountedTables) {
        const QString table = QLatin1String(c.table);
        const auto add = [&](const char* rows, const char* sign) {
            return QStringLiteral(
                       "INSERT INTO @.docmar_counts AS c SELECT '%1', %2, %3count(*) FROM %4 GROUP BY 2 "
                       "ON CONFLICT (tbl, kind) DO UPDATE SET n = c.n + excluded.n;")
                .arg(table, QLatin1String(c.kind), QLatin1String(sign), QLatin1String(rows));
        };
        // One function for every event; each trigger passes only the rows its event has.
        sql << inBookSchema(
            QStringLiteral("CREATE OR REPLACE FUNCTION @.%1_count() RETURNS trigger LANGUAGE plpgsql "
                           "SECURITY DEFINER SET search_path = pg_catalog, @, pg_temp AS $c$ "
                           "BEGIN IF TG_OP = 'TRUNCATE' THEN DELETE FROM @.docmar_counts WHERE tbl = '%1'; "
                           "RETURN NULL; END IF; IF TG_OP IN ('UPDATE', 'DELETE') THEN %2 END IF; "
                           "IF TG_OP IN ('UPDATE', 'INSERT') THEN %3 END IF; RETURN NULL; END $c$")
                .arg(table, add("old_rows", "-"), add("new_rows", "")));
        const QString counting =
            QStringLiteral("FOR EACH STATEMENT WHEN (NOT docmar_bulk_write()) EXECUTE FUNCTION %1_count()")
                .arg(table);
        sql << QStringLiteral("CREATE OR REPLACE TRIGGER %1_count_insert AFTER INSERT ON %1 REFERENCING NEW "
                              "TABLE AS new_rows %2")
                   .arg(table, counting)
            << QStringLiteral("CREATE OR REPLACE TRIGGER %1_count_update AFTER UPDATE ON %1 REFERENCING OLD "
                              "TABLE AS old_rows NEW TABLE AS new_rows %2")
                   .arg(table, counting)
            << QStringLiteral("CREATE OR REPLACE TRIGGER %1_count_delete AFTER DELETE ON %1 REFERENCING OLD "
                              "TABLE AS old_rows %2")
                   .arg(table, counting)
            << QStringLiteral("CREATE OR REPLACE TRIGGER %1_count_truncate AFTER TRUNCATE ON %1 FOR EACH "
                              "STATEMENT EXECUTE FUNCTION %1_count()")
                   .arg(table);
    }
    return sql + recountSql();
}

QStringList recountSql()
{
    QStringList sql;
    for (const CountedTable& c : kCountedTables)
        sql << QStringLiteral("DELETE FROM docmar_counts WHERE tbl = '%1'").arg(QLatin1String(c.table))
            << QStringLiteral("INSERT INTO docmar_counts SELECT '%1', %2, count(*) FROM %1 GROUP BY 2")
                   .arg(QLatin1String(c.table), QLatin1String(c.kind));
    return sql;
}

QString bulkWriteSql(bool bulk)
{
    return QStringLiteral("SET LOCAL %1 = %2")
        .arg(QLatin1String(kBulkWriteSetting), bulk ? QStringLiteral("on") : QStringLiteral("off"));
}

QString keptCountSql(const QString& table, int kind)
{
    return QStringLiteral("SELECT coalesce(sum(n), 0) FROM docmar_counts WHERE tbl = '%1' AND kind = %2")
        .arg(table.toLower())
        .arg(kind);
}

QString addColumnSql(const TableDef& table, const ColumnDef& column)
{
    return QStringLiteral("ALTER TABLE %1 ADD COLUMN IF NOT EXISTS %2 %3")
        .arg(QLatin1String(table.name), QLatin1String(column.name), pgType(column.type));
}

QStringList versionIndexSql(int version)
{
    return unlessThere(indexSql(version));
}

QHash<QString, QSet<QString>> dumpColumns(const QString& ddl, int* version)
{
    static const QRegularExpression table(QStringLiteral("^CREATE TABLE (?:\\w+\\.)?(\\w+) \\((.*?)\\n\\);"),
                                          QRegularExpression::MultilineOption |
                                              QRegularExpression::DotMatchesEverythingOption);
    static const QRegularExpression column(QStringLiteral("^\\s+(\\w+) "),
                                           QRegularExpression::MultilineOption);
    static const QRegularExpression schemaVersion(
        QStringLiteral("docmar_schema_version\\(\\) RETURNS integer[^$]*AS \\$\\w*\\$ SELECT (\\d+) "));
    QHash<QString, QSet<QString>> columns;
    for (const QRegularExpressionMatch& t : table.globalMatch(ddl)) {
        QSet<QString>& of = columns[t.captured(1).toUpper()];
        for (const QRegularExpressionMatch& c : column.globalMatch(t.captured(2)))
            if (c.captured(1) != QLatin1String("CONSTRAINT"))
                of.insert(c.captured(1).toUpper());
    }
    const QRegularExpressionMatch v = schemaVersion.match(ddl);
    *version = v.hasMatch() ? v.captured(1).toInt() : 0;
    return columns;
}

QString versionSql(int version)
{
    return QStringLiteral("CREATE OR REPLACE FUNCTION docmar_schema_version() RETURNS integer LANGUAGE sql "
                          "IMMUTABLE AS $v$ SELECT %1 $v$")
        .arg(version);
}

QStringList sizeGuardSql()
{
    QStringList sql;
    for (const TableDef* t : Tables::all())
        if (const QString cut = cutFunctionSql(*t); !cut.isEmpty())
            sql << cut
                << QStringLiteral(
                       "CREATE OR REPLACE TRIGGER %1_cut BEFORE INSERT OR UPDATE ON %1 FOR EACH ROW "
                       "EXECUTE FUNCTION %1_cut()")
                       .arg(QLatin1String(t->name));
    return sql;
}

QStringList indexSql(int version)
{
    QStringList sql;
    for (const TableDef* t : Tables::all())
        for (const IndexDef& i : t->indexes) {
            if (version != 0 && i.version != version)
                continue;
            sql << QStringLiteral("CREATE %1INDEX %2 ON %3 (%4)%5")
                       .arg(i.unique ? QStringLiteral("UNIQUE ") : QString(), QLatin1String(i.name),
                            QLatin1String(t->name), indexColumns(*t, i).join(QStringLiteral(", ")),
                            i.where ? QStringLiteral(" WHERE ") + QLatin1String(i.where) : QString());
        }
    return sql;
}

} // namespace PostgresSchema

namespace PostgresSchema {

bool isBookUri(const QString& text)
{
    return text.startsWith(QLatin1String("postgresql://")) || text.startsWith(QLatin1String("postgres://"));
}

QString BookAddress::shown() const
{
    return QStringLiteral("postgresql://") + (user.isEmpty() ? QString() : user + u'@') + host +
           (port.isEmpty() ? QString() : u':' + port) + u'/' + dbname;
}

QString BookAddress::safeFileName() const
{
    QString name = dbname;
    for (QChar& c : name)
        if (c == u'/' || c == u'\\' || c == u':' || c.unicode() < 32)
            c = u'_';
    while (name.startsWith(u'.'))
        name.remove(0, 1);
    return name.isEmpty() ? QStringLiteral("book") : name;
}

BookAddress ParseBookAddress(const QString& uri)
{
    const auto notAnAddress = [&uri] {
        return DbError(QCoreApplication::translate("TDM",
                                                   "Неверный адрес базы данных PostgreSQL: %1 "
                                                   "(ожидается postgresql://пользователь@сервер:порт/база)")
                           .arg(QUrl(uri).toString(QUrl::RemovePassword | QUrl::RemoveQuery)));
    };
    if (!isBookUri(uri))
        throw notAnAddress();
    char* error = nullptr;
    PQconninfoOption* parsed = libpq().PQconninfoParse(uri.toUtf8().constData(), &error);
    if (!parsed) {
        libpq().PQfreemem(error);
        throw notAnAddress();
    }
    BookAddress a;
    bool password = false;
    for (const PQconninfoOption* o = parsed; o->keyword; ++o) {
        if (!o->val)
            continue;
        const QString key = QString::fromUtf8(o->keyword), value = QString::fromUtf8(o->val);
        if (key == QLatin1String("password") || key == QLatin1String("sslpassword"))
            password = password || !value.isEmpty();
        else if (key == QLatin1String("host"))
            a.host = value;
        else if (key == QLatin1String("port"))
            a.port = value;
        else if (key == QLatin1String("user"))
            a.user = value;
        else if (key == QLatin1String("dbname"))
            a.dbname = value;
        else
            a.options.append({key, value});
    }
    libpq().PQconninfoFree(parsed);
    // The settings file, the caption and the backup's command line show the address: a password stays in
    // ~/.pgpass or PGPASSWORD.
    if (password)
        throw DbError(QCoreApplication::translate("TDM",
                                                  "Пароль в адресе базы данных не указывается: он берётся из "
                                                  "файла ~/.pgpass или переменной PGPASSWORD (%1)")
                          .arg(a.shown()));
    if (a.dbname.isEmpty())
        throw notAnAddress();
    return a;
}

QSqlDatabase openBook(const QString& uri, const QString& connectionName)
{
    const BookAddress address = ParseBookAddress(uri);
    QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QPSQL"), connectionName);
    if (!db.isValid()) {
        QSqlDatabase::removeDatabase(connectionName);
        throw DbError(QCoreApplication::translate("TDM", "Драйвер PostgreSQL недоступен"));
    }
    // Every parameter of the address, as psql and pg_dump take it: sslmode=require is kept, not dropped.
    db.setHostName(address.host);
    QStringList options;
    // Several servers in turn (host=a,b, port=p,q) are the client library's to try: a list of ports goes to
    // it as written, never read as one number.
    bool onePort = false;
    const int port = address.port.toInt(&onePort);
    if (onePort)
        db.setPort(port);
    else if (!address.port.isEmpty())
        options << QStringLiteral("port='%1'").arg(address.port);
    db.setUserName(address.user);
    db.setDatabaseName(address.dbname);
    for (const auto& [key, value] : address.options) {
        QString quoted = value;
        quoted.replace(u'\\', QStringLiteral("\\\\")).replace(u'\'', QStringLiteral("\\'"));
        options << key + QStringLiteral("='") + quoted + u'\'';
    }
    db.setConnectOptions(options.join(u';'));
    if (!db.open()) {
        const QString why = db.lastError().text();
        db = QSqlDatabase();
        QSqlDatabase::removeDatabase(connectionName);
        throw DbError(
            QCoreApplication::translate("TDM", "Не удалось открыть базу данных %1").arg(address.shown()),
            why);
    }
    // A row another writer holds is waited for as long as an SQLite book is, then given up.
    QSqlQuery(db).exec(QStringLiteral("SET lock_timeout = %1").arg(kBusyWaitMs));
    QSqlQuery(db).exec(QStringLiteral("SET client_min_messages = warning"));
    // The program's statements read rows by their indexes: compiling one costs more than it saves (a year's
    // waybill register 0.42 s with it, 0.28 s without).
    QSqlQuery(db).exec(QStringLiteral("SET jit = off"));
    // A book is read from memory or a solid-state disk, where a row found through an index costs about what
    // a row read in turn does; planned for a spinning disk, a year's waybill register hashed every invoice
    // three times (0.75 s against 0.27 s).
    QSqlQuery(db).exec(QStringLiteral("SET random_page_cost = 1.1"));
    return db;
}

bool hasTables(const QSqlDatabase& db)
{
    return scalar(db, QStringLiteral("SELECT count(*) FROM information_schema.tables WHERE "
                                     "table_schema = current_schema() AND table_name = 'clients'"))
               .toInt() > 0;
}

bool hasRows(const QSqlDatabase& db)
{
    QStringList counts;
    for (const TableDef* t : Tables::all())
        counts << QStringLiteral("(SELECT count(*) FROM %1)").arg(QLatin1String(t->name));
    return scalar(db, QStringLiteral("SELECT ") + counts.join(QStringLiteral(" + "))).toLongLong() > 0;
}

} // namespace PostgresSchema

namespace PostgresSchema {

namespace {

DbError copyFailure(pg_conn* conn, const TableDef& table)
{
    return DbError(
        QCoreApplication::translate("TDM", "Не удалось записать таблицу %1").arg(QLatin1String(table.name)),
        QString::fromUtf8(libpq().PQerrorMessage(conn)).trimmed());
}

// UTF-8 text in COPY's text form, cut to its first `characters` characters: backslash, tab and line ends
// escaped.
void appendCopyText(QByteArray& out, const char* text, int bytes, int characters)
{
    // Up to the column's size in characters: a character begins at every byte that does not continue one.
    int end = 0;
    for (int seen = 0; end < bytes; ++end)
        if ((static_cast<unsigned char>(text[end]) & 0xC0) != 0x80 && ++seen > characters)
            break;
    // Runs of plain bytes go at once, a sign COPY reads specially in its escaped form.
    int from = 0;
    for (int i = 0; i < end; ++i) {
        const char* escaped = text[i] == '\\'   ? "\\\\"
                              : text[i] == '\t' ? "\\t"
                              : text[i] == '\n' ? "\\n"
                              : text[i] == '\r' ? "\\r"
                                                : nullptr;
        if (escaped) {
            out.append(text + from, i - from).append(escaped);
            from = i + 1;
        }
    }
    out.append(text + from, end - from);
}

// A number as COPY reads it, without a temporary array each.
template <class Number> void appendCopyNumber(QByteArray& out, Number n)
{
    char digits[32];
    const auto result = std::to_chars(digits, digits + sizeof digits, n);
    out.append(digits, result.ptr - digits);
}

// A value in COPY's text form: backslash, tab and line ends escaped, \N for an empty value.
void appendCopyValue(QByteArray& out, const ColumnDef& column, const QVariant& v)
{
    if (v.isNull()) {
        out += "\\N";
        return;
    }
    switch (column.type) {
    case ColumnType::Integer:
    case ColumnType::Short:
        out += QByteArray::number(v.toLongLong());
        return;
    case ColumnType::Float:
    case ColumnType::Money:
        out += QByteArray::number(v.toDouble(), 'g', QLocale::FloatingPointShortest);
        return;
    case ColumnType::Date:
        out += v.typeId() == QMetaType::QDate ? v.toDate().toString(Qt::ISODate).toLatin1()
                                              : v.toString().toUtf8();
        return;
    case ColumnType::Text:
        break;
    }
    // Cut to the column as the size guards would, which a copy into a new book makes after its rows.
    const QByteArray text = v.toString().toUtf8();
    appendCopyText(out, text.constData(), int(text.size()), column.size);
}

// A date kept as 'YYYY-MM-DD' (and whatever follows), else what dateFromDb makes of the text.
void appendCopyDate(QByteArray& out, const char* text, int bytes)
{
    const auto digits = [text](int from, int count) {
        int n = 0;
        for (int i = from; i < from + count; ++i) {
            if (text[i] < '0' || text[i] > '9')
                return -1;
            n = n * 10 + (text[i] - '0');
        }
        return n;
    };
    if (bytes >= 10 && text[4] == '-' && text[7] == '-' &&
        QDate::isValid(digits(0, 4), digits(5, 2), digits(8, 2))) {
        out.append(text, 10);
        return;
    }
    out += dateFromDb(QString::fromUtf8(text, bytes)).toString(Qt::ISODate).toLatin1();
}

} // namespace

namespace {
// Rows go to the server in pieces it can take while the next are made: a piece much larger than the
// socket's buffer leaves the server idle while it is made, then the program idle while it is read.
constexpr qsizetype kCopyChunk = 1 << 15;
} // namespace

CopyIn::CopyIn(const QSqlDatabase& db, const TableDef& table)
    : m_conn(postgresHandle(db))
    , m_table(table)
{
    if (!m_conn)
        throw DbError(QCoreApplication::translate("TDM", "База данных не подключена"));
    const QByteArray sql = QStringLiteral("COPY %1 (%2) FROM STDIN")
                               .arg(QLatin1String(table.name), table.columnNames().join(u','))
                               .toUtf8();
    PGresult* result = libpq().PQexec(m_conn, sql.constData());
    const bool ready = libpq().PQresultStatus(result) == PGRES_COPY_IN;
    libpq().PQclear(result);
    if (!ready)
        throw copyFailure(m_conn, table);
    m_open = true;
}

CopyIn::~CopyIn()
{
    // A copy given up midway is ended as failed, so the connection can be rolled back and used again.
    if (m_open) {
        libpq().PQputCopyEnd(m_conn, "given up");
        while (PGresult* result = libpq().PQgetResult(m_conn))
            libpq().PQclear(result);
    }
}

void CopyIn::add(const QVariantList& values)
{
    for (std::size_t i = 0; i < m_table.columns.size(); ++i) {
        if (i > 0)
            m_buffer += '\t';
        appendCopyValue(m_buffer, m_table.columns[i],
                        i < std::size_t(values.size()) ? values[qsizetype(i)] : QVariant());
    }
    m_buffer += '\n';
    if (m_buffer.size() >= kCopyChunk)
        send();
}

void CopyIn::add(const std::vector<Cell>& cells)
{
    for (std::size_t i = 0; i < m_table.columns.size(); ++i) {
        if (i > 0)
            m_buffer += '\t';
        const ColumnDef& column = m_table.columns[i];
        const Cell cell = i < cells.size() ? cells[i] : Cell();
        if (cell.kind == Cell::Null)
            m_buffer += "\\N";
        else if (cell.kind == Cell::Text && column.type == ColumnType::Text)
            appendCopyText(m_buffer, cell.text, cell.bytes, column.size);
        else if (cell.kind == Cell::Text && column.type == ColumnType::Date)
            appendCopyDate(m_buffer, cell.text, cell.bytes);
        else if (cell.kind == Cell::Integer && column.type != ColumnType::Text &&
                 column.type != ColumnType::Date)
            appendCopyNumber(m_buffer, cell.integer);
        else if (cell.kind == Cell::Real &&
                 (column.type == ColumnType::Float || column.type == ColumnType::Money) &&
                 std::isfinite(cell.real))
            appendCopyNumber(m_buffer, cell.real); // the shortest text that reads back as the same double
        else // a value kept in another form than its column's: as the value object makes it
            appendCopyValue(m_buffer, column,
                            cell.kind == Cell::Integer ? QVariant(cell.integer)
                            : cell.kind == Cell::Real  ? QVariant(cell.real)
                                                       : QVariant(QString::fromUtf8(cell.text, cell.bytes)));
    }
    m_buffer += '\n';
    if (m_buffer.size() >= kCopyChunk)
        send();
}

void CopyIn::send()
{
    if (!m_buffer.isEmpty() && libpq().PQputCopyData(m_conn, m_buffer.constData(), int(m_buffer.size())) != 1)
        throw copyFailure(m_conn, m_table);
    m_buffer.resize(0); // keeps its room
}

void CopyIn::finish()
{
    send();
    m_open = false;
    if (libpq().PQputCopyEnd(m_conn, nullptr) != 1)
        throw copyFailure(m_conn, m_table);
    bool ok = true;
    while (PGresult* result = libpq().PQgetResult(m_conn)) {
        ok = ok && libpq().PQresultStatus(result) == PGRES_COMMAND_OK;
        libpq().PQclear(result);
    }
    if (!ok)
        throw copyFailure(m_conn, m_table);
}

} // namespace PostgresSchema
