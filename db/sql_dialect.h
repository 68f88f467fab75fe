#pragma once

#include <QString>
#include <QStringList>
#include <QVariantList>

class QSqlDatabase;
struct ColumnDef;
struct TableDef;

// What the two engines say differently. Statements are written in what SQLite and PostgreSQL share and
// ask the dialect of their connection for the rest, so each engine gets its own words and no statement is
// rewritten after it is made.
class SqlDialect {
public:
    virtual ~SqlDialect() = default;
    static const SqlDialect& sqlite();
    static const SqlDialect& postgres();
    // The dialect of the connection's engine.
    static const SqlDialect& of(const QSqlDatabase& db);

    // The book lives on a server (shared by several programs) rather than in a file of the folder.
    virtual bool isServer() const = 0;

    // What a text expression orders and compares by: the Russian and Ukrainian alphabet, letter case
    // ignored. Both sides of a comparison are given it.
    virtual QString collated(const QString& expression) const = 0;
    // An ORDER BY term; an empty value stands first going up and last going down on both engines.
    virtual QString orderTerm(const QString& expression, bool descending) const = 0;
    // The column that tells a table's rows apart in the lists.
    virtual QString rowKey(const TableDef& table) const = 0;
    // Whether a column's text, letter case folded and cut to 255 characters, holds the text (or is it, with
    // whole): the expression, with its values for the "?" in it.
    struct Expression {
        QString sql;
        QVariantList values;
    };
    virtual Expression textFound(const QString& column, const QString& text, bool whole) const;
    // A FROM item: the table read through the named index.
    virtual QString throughIndex(const QString& table, const QString& index) const = 0;
    // The FROM, WHERE and ORDER BY of the rows of `table` (named `as`, with `joins` after it) whose `key` is
    // among those the statement `keys` selects, in key order: a register finds its period's keys through
    // their own index first and never sorts its wide rows.
    virtual QString keyedRows(const QString& table, const QString& as, const QString& key,
                              const QString& keys, const QString& joins) const = 0;
    // Ends a SELECT whose rows the transaction will write: no other writer changes them meanwhile.
    virtual QString forUpdate() const = 0;

    // The statements that begin a connection's outermost transaction; a writing one holds the book's write
    // turn until it ends. Empty when a savepoint begins it.
    virtual QStringList beginTransaction(bool writing) const = 0;
    // A bulk writer that cuts its own texts asks what costs every row (the size guards, the kept counts) to
    // step aside, and puts it back.
    virtual QStringList beginBulkWrite() const = 0;
    virtual QStringList endBulkWrite() const = 0;

    // After a bulk write: what brings the planner's knowledge of the tables up to date (SQLite's statements
    // name their indexes instead).
    virtual QStringList statisticsSql() const = 0;

    // The catalog: the names of a table's columns (one "?" for the table), whether an index is there (one
    // "?" for its name), the schema version.
    virtual QString columnNamesSql() const = 0;
    virtual QString indexExistsSql() const = 0;
    virtual QString schemaVersionSql() const = 0;
    // The upgrade steps' statements: a column added, the indexes a version brought, the size guards as the
    // tables' sizes are now, the schema version.
    virtual QString addColumnSql(const TableDef& table, const ColumnDef& column) const = 0;
    virtual QStringList versionIndexSql(int version) const = 0;
    virtual QStringList sizeGuardSql() const = 0;
    // The counts of whole lists kept as the tables are written, where counting them is dear (none on SQLite,
    // whose narrow indexes count quickly), and the statement that reads one: the invoices (kind 1) or the
    // receipts (-1) of FACTURES, the clients but the firm's own record (1) of CLIENTS, every waybill (0).
    // Empty when the book keeps none.
    virtual QStringList rowCountSql() const = 0;
    virtual QString keptCountSql(const QString& table, int kind) const = 0;
    // Each text an index orders by keeps its order key beside it, where working it out is dear.
    virtual QStringList storedKeysSql() const = 0;
    virtual QString setVersionSql(int version) const = 0;

    // The documents' money, exactly as Money reckons it (each double read as its shortest decimal): a stored
    // amount in whole kopecks and count × price, both half to even; kopecks × rate % half away from zero;
    // kopecks back to an amount. NULL where Money is not valid. Whether a text is empty or blank.
    virtual QString money(const QString& amount) const = 0;
    virtual QString moneyProduct(const QString& count, const QString& price) const = 0;
    virtual QString moneyPercent(const QString& kopecks, const QString& rate) const = 0;
    virtual QString moneyAmount(const QString& kopecks) const = 0;
    virtual QString isBlank(const QString& text) const = 0;
};
