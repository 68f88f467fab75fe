#include "support/test_support.h"

#include <QDir>
#include <QFile>
#include <QProcess>

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

std::unique_ptr<TDM> TestHome::createAndConnect() const
{
    TDM::createDatabase(dataFolder());
    auto dm = std::make_unique<TDM>();
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
