#pragma once

#include "db/cell.h"
#include "db/db_error.h"
#include "db/engine.h"

#include <QSqlDatabase>
#include <QSqlRecord>
#include <QString>
#include <QVariant>

#include <functional>
#include <memory>
#include <vector>

class QSqlError;
class SqlDialect;
class TDM;
struct TableDef;

void closeConnection(const QString& connectionName);

// A result read whole, as one engine hands it over.
class RowSet {
public:
    virtual ~RowSet() = default;
    virtual bool next() = 0;
    virtual QVariant value(int column) const = 0;
    virtual int indexOf(const QString& column) const = 0;
    virtual QSqlRecord record() const = 0;
    virtual int numRowsAffected() const = 0;
    virtual int size() const = 0;
};

// The rows of a statement said once, read whole, with their values typed as the driver types them.
class Rows {
public:
    explicit Rows(std::unique_ptr<RowSet> rows);
    Rows(Rows&&) noexcept;
    Rows& operator=(Rows&&) noexcept;
    ~Rows();
    bool next();
    QVariant value(int column) const;
    QVariant value(const QString& name) const;
    // The current row's columns by name, with their values.
    QSqlRecord record() const;
    int numRowsAffected() const;
    // Rows of the server's result (SQLite's are only known by reading them); -1 when not known.
    int size() const;

private:
    std::unique_ptr<RowSet> m_rows;
};

// One prepared statement of an engine, stepped row by row.
class Cursor {
public:
    virtual ~Cursor() = default;
    // Runs from the start again with these values bound to "?" in order.
    virtual void bind(const QVariantList& values) = 0;
    virtual bool next() = 0;
    virtual qint64 integer(int column) const = 0;
    virtual double real(int column) const = 0;
    virtual QString text(int column) const = 0;
    virtual bool isNull(int column) const = 0;
    virtual Cell cell(int column) const = 0;
};

// One engine's way of running statements on a connection, chosen by the connection with its dialect.
class Driver {
public:
    virtual ~Driver() = default;
    static const Driver& of(const QSqlDatabase& db);
    virtual const SqlDialect& dialect() const = 0;
    virtual Rows exec(const QSqlDatabase& db, const QString& sql, const QVariantList& values) const = 0;
    // streamed: a long result never stands whole in memory (the server hands it over a batch at a time).
    virtual std::unique_ptr<Cursor> prepare(const QSqlDatabase& db, const QString& sql,
                                            bool streamed) const = 0;
    virtual bool inTransaction(const QSqlDatabase& db) const = 0;
    // Nothing can be stored through the connection.
    virtual bool isReadOnly(const QSqlDatabase& db) const = 0;
    // A failure of the toolkit's, in the program's words with the engine's behind them.
    virtual DbError failure(const QSqlError& error, const QString& sql) const = 0;
    // The engine's version, for the about box.
    virtual QString version() const = 0;
    // Whether other programs' stores on the book are told to this connection as they happen.
    virtual bool tellsOfChanges() const { return false; }
    // Begins a writing transaction through `begin`, taking the book's write turn in fair order with the
    // other programs waiting for it.
    virtual void beginWriting(const QSqlDatabase&, const std::function<void()>& begin) const { begin(); }
};

// The engine's own handle under a connection of the toolkit's, when its type is the one named; else nullptr.
void* NativeHandle(const QSqlDatabase& db, const char* typeName);
// Whether a statement writes (or may), for the words of its failure.
bool IsWritingStatement(const QString& sql);
// A failed begin or commit of a connection, or its failure to open.
DbError ConnectionFailure(const QSqlDatabase& db);

// Runs a statement said once, throwing DbError with the engine's message on failure. Values bind to "?" in
// order; the server gets them as parameters of the one statement it is sent.
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

// Appends whole rows to one table through one prepared statement: text cut to its column, dates stored as
// 'YYYY-MM-DD'. Values come in the table's column order. Throws DbError.
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
    std::unique_ptr<Cursor> m_cursor;
    QVariantList m_values;
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

// One statement stepped row by row, for long results read without copies. Values bind to "?" in order.
// Throws DbError.
class Statement {
public:
    // Streamed: a long result never stands whole in memory. SQLite steps it row by row; the server hands it
    // over from a cursor a batch at a time, the next one asked for while this one is read. Either way the
    // connection runs nothing else until the last row is read.
    enum Reading { Whole, Streamed };
    Statement(const QSqlDatabase& db, const QString& sql, const QVariantList& values = {},
              Reading reading = Whole);
    bool next() { return m_cursor->next(); }
    qint64 integer(int column) const { return m_cursor->integer(column); }
    double real(int column) const { return m_cursor->real(column); }
    QString text(int column) const { return m_cursor->text(column); }
    bool isNull(int column) const { return m_cursor->isNull(column); }
    Cell cell(int column) const { return m_cursor->cell(column); }
    // Runs the statement again from the start with other values.
    void rebind(const QVariantList& values) { m_cursor->bind(values); }

private:
    std::unique_ptr<Cursor> m_cursor;
};

// Row ids (or any single integer column) of a query. Values bind to "?" in order. Throws DbError.
std::vector<qint64> selectKeys(const QSqlDatabase& db, const QString& sql, const QVariantList& values = {});
