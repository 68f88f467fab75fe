#pragma once

#include "db/db_error.h"

#include <QSqlDatabase>
#include <QSqlQuery>
#include <QSqlRecord>
#include <QString>
#include <QVariant>

#include <functional>
#include <memory>
#include <optional>
#include <stdexcept>
#include <vector>

struct sqlite3;
class TDM;
struct pg_conn;

// "Файл базы данных не найден: <file>".
QString MissingBookText(const QString& file);
// Opens the SQLite file under a connection of its own and readies it: the Russian/Ukrainian collation and
// functions, full synchronous writes. Throws DbError when the file is missing (unless create), is not a
// database, or cannot be opened.
QSqlDatabase openSqliteFile(const QString& file, const QString& connectionName, bool create);
void closeConnection(const QString& connectionName);
// While another process holds the book, a statement waits for it a little at a time, up to this long, and
// then fails with "база данных занята другой программой".
inline constexpr int kBusyWaitMs = 5000;
// Called when a statement starts to wait for another process (the desktop shows a busy cursor).
void setBusyNotifier(std::function<void()> notifier);

// True when the file opens as a database of the engine that holds no table at all.
bool hasNoTables(const QString& file);
// Puts a finished file in place of one that is not there (or holds nothing), in one step; throws DbError.
// When another process put its file there first, that one stays and this one is dropped.
void placeNewFile(const QString& temp, const QString& file);

// True when the engine opened the file for reading only (the file is write-protected).
bool isReadOnlyConnection(const QSqlDatabase& db);
// A consistent copy of a database file made through the engine's online backup, whatever other
// connections write meanwhile (they are waited for as every connection waits). The target is made
// anew and written without a journal: it is a private file until the caller puts it in place. Throws
// DbError.
void backupDatabaseFile(const QString& source, const QString& target);
// The pages of a checked copy written over a book in one transaction of the book's: a kill leaves the one
// or the other, and other connections read the new book. Throws DbError.
void restoreDatabaseFile(const QString& copy, const QString& book);
// The engine's integrity check of a database file, with DocMar's collation for the text indexes: empty
// when the file is whole, else what the engine found first.
QString integrityProblem(const QString& file);

sqlite3* sqliteHandle(const QSqlDatabase& db);
// The client library's connection under a PostgreSQL connection; nullptr for any other.
pg_conn* postgresHandle(const QSqlDatabase& db);
// DocMar's collation and functions on a SQLite connection.
void registerFunctions(sqlite3* handle);
// A failed statement, or a failed begin or commit of a connection, in the program's words (a lost server
// is said as such) with the engine's behind them.
DbError QueryFailure(const QSqlQuery& query);
DbError ConnectionFailure(const QSqlDatabase& db);
// Whether a message of the toolkit is its database drivers' own complaint (a query on a connection that is
// gone, a rollback the server no longer takes): the program says each failure once, in its words.
bool IsDriverChatter(const QString& message);

// Compares two texts as the register orders them: Russian and Ukrainian alphabet, letter case ignored.
int compareText(const QString& a, const QString& b);
// The weight of one character in that order; texts compare by their weights one after another.
char32_t textWeight(char32_t c);

struct pg_result;

// The rows of a statement said once, read whole, with their values typed as the driver types them.
class Rows {
public:
    explicit Rows(QSqlQuery query);
    // Takes the server's result over.
    explicit Rows(pg_result* result);
    Rows(Rows&&) noexcept;
    Rows& operator=(Rows&&) noexcept;
    ~Rows();
    bool next();
    QVariant value(int column) const;
    QVariant value(const QString& name) const;
    // The current row's columns by name, with their values.
    QSqlRecord record() const;
    int numRowsAffected() const;
    // Rows of the server's result (SQLite's are only known by reading them).
    int size() const;

private:
    std::unique_ptr<QSqlQuery> m_query; // SQLite
    pg_result* m_result = nullptr;
    QSqlRecord m_fields; // the server's columns
    int m_row = -1;
};

// Runs a prepared query, or a statement said once, throwing DbError with the engine's message on failure.
// Values bind to "?" in order; the server gets them as parameters of the one statement it is sent.
void execOrThrow(QSqlQuery& query);
Rows execOrThrow(const QSqlDatabase& db, const QString& sql, const QVariantList& values = {});
// Whether the book has an index of that name (letter case aside).
bool hasIndex(const QSqlDatabase& db, const QString& name);
// The first column of the first row, or a null value when there is no row.
QVariant scalar(const QSqlDatabase& db, const QString& sql, const QVariantList& values = {});

// All or nothing: rolls back unless commit() was called. Nested guards become savepoints of the outer one.
// A writing transaction takes the book's write lock at once (on PostgreSQL the program's own write turn),
// so what it checks first (that the book is empty, the next number) still holds when it writes; another
// process then waits, or is told the book is in use.
class Transaction {
public:
    enum Kind { Deferred, Writing };
    explicit Transaction(const QSqlDatabase& db, Kind kind = Deferred);
    explicit Transaction(const TDM& dm, Kind kind = Deferred);
    ~Transaction();
    Transaction(const Transaction&) = delete;
    Transaction& operator=(const Transaction&) = delete;
    void commit();

private:
    QSqlDatabase m_db;
    QString m_name;
    bool m_outer = false; // began the engine's transaction itself, rather than a savepoint
    bool m_done = false;
};

// Runs a write again from its start while it collides with another writer's (both took one number; the
// server broke a deadlock), at most this many times; the last collision is then the failure. The write
// opens its own transaction, so each attempt sees what the others have stored since.
inline constexpr int kCollisionRetries = 20;
void RetryOnCollision(const std::function<void()>& write);

struct TableDef;
struct sqlite3_stmt;

// Appends whole rows to one table through one statement prepared on the SQLite handle: text cut to its
// column, dates stored as 'YYYY-MM-DD'. Values come in the table's column order. Throws DbError.
class RowInserter {
public:
    RowInserter(const QSqlDatabase& db, const TableDef& table);
    RowInserter(const TDM& dm, const TableDef& table);
    ~RowInserter();
    RowInserter(const RowInserter&) = delete;
    RowInserter& operator=(const RowInserter&) = delete;
    void insert(const QVariantList& values);

private:
    const TableDef& m_table;
    sqlite3* m_handle = nullptr;
    sqlite3_stmt* m_stmt = nullptr;
    std::unique_ptr<QSqlQuery> m_query; // PostgreSQL
};

// A bulk write inside a transaction whose writer cuts its own texts. What costs every row written steps
// aside and is put back before the transaction can end, so no other writer ever meets the tables without
// it: SQLite's column-size guards (each would make SQLite keep a statement journal for every row), the
// server's kept row counts (taken anew at the end). Throws DbError.
class BulkWrite {
public:
    explicit BulkWrite(const QSqlDatabase& db);
    explicit BulkWrite(const TDM& dm);
    ~BulkWrite();
    BulkWrite(const BulkWrite&) = delete;
    BulkWrite& operator=(const BulkWrite&) = delete;
    // Puts them back; call before committing.
    void restore();

private:
    QSqlDatabase m_db;
    bool m_restored = false;
};

// One statement stepped row by row, for long results read without copies: prepared on the SQLite handle,
// or through the driver on PostgreSQL. Values bind to "?" in order. Throws DbError.
class Statement {
public:
    // Streamed: a long result never stands whole in memory. SQLite steps it row by row; the server hands it
    // over from a cursor a batch at a time, the next one asked for while this one is read. Either way the
    // connection runs nothing else until the last row is read.
    enum Reading { Whole, Streamed };
    Statement(const QSqlDatabase& db, const QString& sql, const QVariantList& values = {},
              Reading reading = Whole);
    ~Statement();
    Statement(const Statement&) = delete;
    Statement& operator=(const Statement&) = delete;
    bool next();
    qint64 integer(int column) const;
    double real(int column) const;
    QString text(int column) const;
    bool isNull(int column) const;
    // Runs the statement again from the start with other values.
    void rebind(const QVariantList& values);

private:
    bool fetch();
    void closeCursor();
    QVariant serverValue(int column) const;

    sqlite3* m_handle = nullptr;
    sqlite3_stmt* m_stmt = nullptr;
    std::unique_ptr<QSqlQuery> m_query; // PostgreSQL, whole
    bool m_pending = false;             // bound, not run yet
    // PostgreSQL, streamed: the cursor, the transaction it lives in and its latest batch.
    QSqlDatabase m_db;
    QString m_sql;
    QVariantList m_values;
    QString m_cursor;
    std::unique_ptr<Transaction> m_within;
    std::optional<Rows> m_batch;
    bool m_asked = false; // the next batch is on its way
};

// Row ids (or any single integer column) of a query, read straight from SQLite. Values bind to "?" in
// order. Throws DbError.
std::vector<qint64> selectKeys(const QSqlDatabase& db, const QString& sql, const QVariantList& values = {});
