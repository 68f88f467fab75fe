#pragma once

#include <QSqlDatabase>
#include <QSqlQuery>
#include <QString>
#include <QVariant>

#include <stdexcept>
#include <vector>

struct sqlite3;

// A failure reported by the database engine; the message is the engine's own text.
class DbError : public std::runtime_error {
public:
    explicit DbError(const QString& message)
        : std::runtime_error(message.toStdString())
        , m_message(message)
    {
    }
    const QString& message() const { return m_message; }

private:
    QString m_message;
};

// Opens the SQLite file under a connection of its own and readies it: the Russian/Ukrainian collation and
// functions, full synchronous writes. Throws DbError when the file is missing (unless create), is not a
// database, or cannot be opened.
QSqlDatabase openSqliteFile(const QString& file, const QString& connectionName, bool create);
void closeConnection(const QString& connectionName);

sqlite3* sqliteHandle(const QSqlDatabase& db);
void registerTextFunctions(sqlite3* handle);

// Compares two texts as the register orders them: Russian and Ukrainian alphabet, letter case ignored.
int compareText(const QString& a, const QString& b);

// Runs a prepared query or a statement, throwing DbError with the engine's message on failure.
void execOrThrow(QSqlQuery& query);
QSqlQuery execOrThrow(const QSqlDatabase& db, const QString& sql, const QVariantList& values = {});
// The first column of the first row, or a null value when there is no row.
QVariant scalar(const QSqlDatabase& db, const QString& sql, const QVariantList& values = {});

// All or nothing: rolls back unless commit() was called. Nested guards become savepoints of the outer one.
class Transaction {
public:
    explicit Transaction(const QSqlDatabase& db);
    ~Transaction();
    Transaction(const Transaction&) = delete;
    Transaction& operator=(const Transaction&) = delete;
    void commit();

private:
    QSqlDatabase m_db;
    QString m_name;
    bool m_done = false;
};

struct TableDef;

// Appends whole rows to one table through one prepared statement: text cut to its column, dates stored
// as 'YYYY-MM-DD'. Values come in the table's column order.
class RowInserter {
public:
    RowInserter(const QSqlDatabase& db, const TableDef& table);
    void insert(const QVariantList& values);

private:
    const TableDef& m_table;
    QSqlQuery m_query;
};

// Row ids (or any single integer column) of a query, read straight from SQLite: a list of 200,000 keys
// takes milliseconds this way. Values bind to "?" in order. Throws DbError.
std::vector<qint64> selectKeys(const QSqlDatabase& db, const QString& sql, const QVariantList& values = {});
