#pragma once

#include "db/driver.h"

struct pg_conn;

// The server, through its client library: statements with their values as parameters, long results from a
// cursor a batch at a time. The toolkit's driver keeps the connection and its notifications.
class PostgresDriver final : public Driver {
public:
    const SqlDialect& dialect() const override;
    Rows exec(const QSqlDatabase& db, const QString& sql, const QVariantList& values) const override;
    std::unique_ptr<Cursor> prepare(const QSqlDatabase& db, const QString& sql, bool streamed) const override;
    bool inTransaction(const QSqlDatabase& db) const override;
    // The session reads only, or the user may not write the book's tables.
    bool isReadOnly(const QSqlDatabase& db) const override;
    DbError failure(const QSqlError& error, const QString& sql) const override;
    // The client library's version.
    QString version() const override;
    bool tellsOfChanges() const override { return true; }
};

// The client library's connection under a PostgreSQL connection; nullptr for any other.
pg_conn* postgresHandle(const QSqlDatabase& db);
