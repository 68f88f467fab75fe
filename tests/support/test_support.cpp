#include "support/test_support.h"

#include "db/driver.h"

#include <QDir>
#include <QFile>
#include <QMap>
#include <QProcess>
#include <QRandomGenerator>
#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>

#include <csignal>
#include <sys/resource.h>

#include <gtest/gtest.h>

QByteArray fileBytes(const QString& path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

void writeFileBytes(const QString& path, const QByteArray& bytes)
{
    QFile f(path);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly)) << path.toStdString();
    ASSERT_EQ(f.write(bytes), bytes.size());
}

QString NewPostgresBook()
{
    const QString conninfo = qEnvironmentVariable("DOCMAR_TEST_PG");
    // A missing server is a failure: the PostgreSQL book is proven on every run.
    EXPECT_FALSE(conninfo.isEmpty()) << "DOCMAR_TEST_PG is not set: run the tests through ./test.sh";
    if (conninfo.isEmpty())
        return {};
    QMap<QString, QString> fields;
    for (const QString& item : conninfo.split(u' ', Qt::SkipEmptyParts))
        fields.insert(item.section(u'=', 0, 0), item.section(u'=', 1));
    const QString name =
        QStringLiteral("book%1").arg(QRandomGenerator::global()->generate64() % 1000000000000ULL);
    {
        QSqlDatabase admin = QSqlDatabase::addDatabase(QStringLiteral("QPSQL"), name);
        admin.setHostName(fields.value(QStringLiteral("host")));
        admin.setPort(fields.value(QStringLiteral("port")).toInt());
        admin.setUserName(fields.value(QStringLiteral("user")));
        admin.setDatabaseName(fields.value(QStringLiteral("dbname")));
        EXPECT_TRUE(admin.open()) << admin.lastError().text().toStdString();
        QSqlQuery q(admin);
        EXPECT_TRUE(q.exec(QStringLiteral("CREATE DATABASE ") + name)) << q.lastError().text().toStdString();
    }
    QSqlDatabase::removeDatabase(name);
    return QStringLiteral("postgresql://%1@/%2?host=%3&port=%4")
        .arg(fields.value(QStringLiteral("user")), name, fields.value(QStringLiteral("host")),
             fields.value(QStringLiteral("port")));
}

TestHome::TestHome()
{
    EXPECT_TRUE(m_dir.isValid());
}

QString TestHome::dataFolder() const
{
    return QDir(m_dir.path()).filePath(QStringLiteral("DataBase"));
}

QString TestHome::file(const QString& name) const
{
    return QDir(m_dir.path()).filePath(name);
}

bool TestingOnPostgres()
{
    return qEnvironmentVariable("DOCMAR_TEST_ENGINE") == QLatin1String("postgres");
}

void FailDeletesFrom(const QSqlDatabase& db, const QString& table, const QString& condition)
{
    if (SqlDialect::of(db).isServer()) {
        execOrThrow(db,
                    QStringLiteral("CREATE FUNCTION %1_locked() RETURNS trigger LANGUAGE plpgsql AS $l$ "
                                   "BEGIN IF %2 THEN RAISE EXCEPTION 'table is locked'; END IF; RETURN OLD; "
                                   "END $l$")
                        .arg(table, condition));
        execOrThrow(db, QStringLiteral("CREATE TRIGGER %1_locked BEFORE DELETE ON %1 FOR EACH ROW EXECUTE "
                                       "FUNCTION %1_locked()")
                            .arg(table));
        return;
    }
    execOrThrow(db, QStringLiteral("CREATE TRIGGER %1_locked BEFORE DELETE ON %1 WHEN %2 "
                                   "BEGIN SELECT RAISE(ABORT, 'table is locked'); END")
                        .arg(table, condition));
}

void MakeReadOnly(const QSqlDatabase& db, bool readOnly)
{
    if (SqlDialect::of(db).isServer())
        execOrThrow(db, QStringLiteral("SET SESSION CHARACTERISTICS AS TRANSACTION ") +
                            (readOnly ? QStringLiteral("READ ONLY") : QStringLiteral("READ WRITE")));
    else
        execOrThrow(db, QStringLiteral("PRAGMA query_only=%1").arg(readOnly ? 1 : 0));
}

std::unique_ptr<TDM> TestHome::createAndConnect() const
{
    auto dm = std::make_unique<TDM>();
    if (TestingOnPostgres()) {
        const QString book = NewPostgresBook();
        TDM::createPostgresBook(book);
        QDir().mkpath(dataFolder());
        dm->connect(dataFolder(), book);
        return dm;
    }
    TDM::createDatabase(dataFolder());
    dm->connect(dataFolder());
    return dm;
}

QString docmarProgram()
{
    return QStringLiteral(DOCMAR_BIN);
}

ProcessResult runDocmar(const QStringList& arguments)
{
    return runDocmar(arguments, -1);
}

ProcessResult runDocmar(const QStringList& arguments, qint64 fileSizeLimit)
{
    ProcessResult result;
    QProcess process;
    if (fileSizeLimit >= 0)
        process.setChildProcessModifier([fileSizeLimit] {
            // A write past the limit then fails with an error instead of ending the process.
            signal(SIGXFSZ, SIG_IGN);
            const rlimit limit{rlim_t(fileSizeLimit), rlim_t(fileSizeLimit)};
            setrlimit(RLIMIT_FSIZE, &limit);
        });
    process.start(QStringLiteral(DOCMAR_BIN), arguments);
    if (!process.waitForFinished(120000)) {
        process.kill();
        return result;
    }
    result.exitCode = process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1;
    result.out = QString::fromUtf8(process.readAllStandardOutput());
    result.err = QString::fromUtf8(process.readAllStandardError());
    return result;
}
