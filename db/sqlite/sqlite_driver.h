#pragma once

#include "db/driver.h"

struct sqlite3;

// The embedded engine: its own C API for statements, the toolkit's driver for the connection and whole
// results; DocMar's collation and functions on every connection.
class SqliteDriver final : public Driver {
public:
    const SqlDialect& dialect() const override;
    Rows exec(const QSqlDatabase& db, const QString& sql, const QVariantList& values) const override;
    std::unique_ptr<Cursor> prepare(const QSqlDatabase& db, const QString& sql, bool streamed) const override;
    bool inTransaction(const QSqlDatabase& db) const override;
    // The engine opened the file for reading only (the file is write-protected), or its folder cannot take
    // the engine's journal.
    bool isReadOnly(const QSqlDatabase& db) const override;
    DbError failure(const QSqlError& error, const QString& sql) const override;
    QString version() const override;
    // Programs wanting to write queue for a lock of a side file of the book (BOOK-turn) before they ask for
    // the book's write lock, and leave the queue once they have it: one that stores again at once would
    // otherwise take the book back before another, polling for it, ever saw it free.
    void beginWriting(const QSqlDatabase& db, const std::function<void()>& begin) const override;
};

// The side file whose lock writers queue for.
QString writerQueueFile(const QString& book);

// Opens the SQLite file under a connection of its own and readies it: the Russian/Ukrainian collation and
// functions, full synchronous writes. Throws DbError when the file is missing (unless create), is not a
// database, or cannot be opened.
QSqlDatabase openSqliteFile(const QString& file, const QString& connectionName, bool create);
// The engine's handle under a SQLite connection; nullptr for any other.
sqlite3* sqliteHandle(const QSqlDatabase& db);
// DocMar's collation and functions on a SQLite connection.
void registerFunctions(sqlite3* handle);
