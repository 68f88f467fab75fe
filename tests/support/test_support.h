#pragma once

#include "db/collation.h"
#include "db/data_module.h"
#include "db/driver.h"
#include "db/sqlite/sqlite_driver.h"

#include <QString>
#include <QTemporaryDir>

#include <memory>

// A program folder in a temporary directory with an empty database made by the program's own code.
class TestHome {
public:
    TestHome();
    QString path() const { return m_dir.path(); }
    QString dataFolder() const;
    QString file(const QString& name) const;
    // A data module connected to a fresh database in DataBase/, or with DOCMAR_TEST_ENGINE=postgres to a
    // fresh book on the tests' PostgreSQL server (DataBase/ then only holds backups).
    std::unique_ptr<TDM> createAndConnect() const;

private:
    QTemporaryDir m_dir;
};

// A file's bytes; empty when it cannot be read.
QByteArray fileBytes(const QString& path);
// Writes the bytes as the whole file; the test fails when it cannot.
void writeFileBytes(const QString& path, const QByteArray& bytes);

// A new empty database on the throw-away PostgreSQL server that ./test.sh starts (DOCMAR_TEST_PG), as
// the URI of a PostgreSQL book; the test fails, and the URI is empty, when there is no server.
QString NewPostgresBook();
// Whether this run proves the suites on PostgreSQL (DOCMAR_TEST_ENGINE=postgres).
bool TestingOnPostgres();
// Makes every delete from the table fail (those of rows the condition, an SQL expression over OLD, holds
// for), as a locked or damaged table would; on either engine.
void FailDeletesFrom(const QSqlDatabase& db, const QString& table,
                     const QString& condition = QStringLiteral("1=1"));
// Writes on the connection fail as on a book opened read-only, until switched back.
void MakeReadOnly(const QSqlDatabase& db, bool readOnly);

// Runs the docmar executable and gives its exit code, stdout and stderr.
struct ProcessResult {
    int exitCode = -1;
    QString out;
    QString err;
};
// The docmar executable under test.
QString docmarProgram();
ProcessResult runDocmar(const QStringList& arguments);
// The same with files limited to fileSizeLimit bytes, as on a full disk (writes past it fail).
ProcessResult runDocmar(const QStringList& arguments, qint64 fileSizeLimit);
