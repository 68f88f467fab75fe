#pragma once

#include "db/cell.h"

#include <QHash>
#include <QList>
#include <QPair>
#include <QSet>
#include <QString>

#include <QString>
#include <QStringList>
#include <QVariantList>

#include <vector>

struct ColumnDef;
struct TableDef;

// The book's schema on PostgreSQL, from the same table descriptions as on SQLite.
//
// The register's order (Russian and Ukrainian alphabet, letter case ignored) is DocMar's own: ICU
// collations of PostgreSQL 15 order "ё" and "ў" as accents of "е" and "у", and cannot take tailoring
// rules. So each text is ordered and compared by a key, docmar_key(text), whose characters in code point
// order ("C") follow that order exactly; an index on the key serves the orders and the prefix filters.
namespace PostgresSchema {

// The channel on which the server tells every program on the book that documents changed.
inline constexpr const char* kDocumentsChannel = "docmar_documents";

// The statements that make an empty book: functions, tables, text-cutting triggers, indexes, row counts.
QStringList createSql();
// What a dump's schema (pg_restore --schema-only) holds: the columns of each table, upper case, by the
// table's name in upper case; *version the book's schema version in it, 0 when it has none.
QHash<QString, QSet<QString>> dumpColumns(const QString& ddl, int* version);
// The same in steps, for a bulk load that cuts its own texts and builds the rest after the rows:
// functions, tables and the notification triggers; then the size guards, the indexes and the row counts.
QStringList tableSql();
// Every index, or only those the given schema version brought.
QStringList indexSql(int version = 0);
// What an upgrade step asks of the server: a column added, a version's indexes, the size guards as the
// tables' sizes are now, the schema version.
QString addColumnSql(const TableDef& table, const ColumnDef& column);
QStringList versionIndexSql(int version);
QStringList sizeGuardSql();
QString versionSql(int version);
// The counts of rows the server keeps as the tables are written, so that a whole list is counted by reading
// one row (counting it would walk an index of every document): the table, its triggers and the counts as the
// rows are now. Kept for FACTURES by the sign of the number (1 an invoice, -1 a receipt, 0 none), for CLIENTS
// 1 for a client and 0 for the firm's own record, for the waybills all under 0.
QStringList rowCountSql();
// Reads a kept count: the table and the kind as above.
QString keptCountSql(const QString& table, int kind);
// The counts as the rows are now; and the transaction's writes left uncounted (a bulk write) or counted.
QStringList recountSql();
QString bulkWriteSql(bool bulk);

// The ordering expression of a text, for ORDER BY and WHERE: docmar_key(TEXT) COLLATE "C", or for a
// column an index orders by, its key stored beside it (COLUMN_KEY, kept by the server).
QString orderKey(const QString& column);
// The key stored beside a column an index orders by (COLUMN_KEY); empty for any other column.
QString storedKeyOf(const QString& column);
// docmar_key of a text, worked out here as the server works it out.
QString textKey(const QString& text);
// The stored keys of a book made before they were, and the indexes by a text rebuilt over them.
QStringList storedKeysSql();
// The body of docmar_key: every character mapped to one whose code point stands where the register
// orders the original. Public for the tests.
QString keyTranslation(QString* from, QString* to);

} // namespace PostgresSchema

class QSqlDatabase;

namespace PostgresSchema {

// Whether the text names a PostgreSQL book: postgresql://user@host:port/dbname (or postgres://).
bool isBookUri(const QString& text);
// A book's address as the client library reads it (libpq's own parser): every parameter it carries.
struct BookAddress {
    QString host, port, user, dbname;
    QList<QPair<QString, QString>> options; // sslmode, sslrootcert, connect_timeout, …
    // The address to show: postgresql://user@host:port/dbname, never a password.
    QString shown() const;
    // The database name as a file name: no folder separators, no leading dots.
    QString safeFileName() const;
};
// Parses the URI; throws DbError for one that is no book address, and for one that carries a password
// (in the user part or as a parameter), never repeating the password.
BookAddress ParseBookAddress(const QString& uri);

// Opens the PostgreSQL book the URI names under the connection name. A password is never taken from the
// URI's settings file: the client library's ~/.pgpass and PGPASSWORD apply. "host" may also come as a
// query item naming a socket folder. Throws DbError.
QSqlDatabase openBook(const QString& uri, const QString& connectionName);
// Whether the book's tables are there; with them, whether they hold any row.
bool hasTables(const QSqlDatabase& db);
bool hasRows(const QSqlDatabase& db);

} // namespace PostgresSchema

struct TableDef;
struct pg_conn;

namespace PostgresSchema {

// Whole rows into one table of a PostgreSQL book through the server's COPY, in the transaction that is
// open on the connection: the fastest way in, for a book moved from SQLite. Values come in the table's
// column order, dates as QDate or 'YYYY-MM-DD'; null values stay empty. Throws DbError.
class CopyIn {
public:
    CopyIn(const QSqlDatabase& db, const TableDef& table);
    ~CopyIn();
    CopyIn(const CopyIn&) = delete;
    CopyIn& operator=(const CopyIn&) = delete;
    void add(const QVariantList& values);
    // A row as the source engine hands its values over, without a value object each: a number, or text
    // as UTF-8 bytes (a date as 'YYYY-MM-DD'); in the table's column order.
    using Cell = ::Cell;
    void add(const std::vector<Cell>& cells);
    // Ends the copy; the rows are then in the table (until the transaction rolls back).
    void finish();

private:
    void send();
    pg_conn* m_conn = nullptr;
    const TableDef& m_table;
    QByteArray m_buffer;
    bool m_open = false;
};

} // namespace PostgresSchema
