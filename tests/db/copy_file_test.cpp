#include "db/data_module.h"
#include "support/test_support.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <csignal>
#include <sys/resource.h>

#include <gtest/gtest.h>

namespace {

QByteArray pattern(qsizetype size)
{
    QByteArray bytes(size, Qt::Uninitialized);
    for (qsizetype i = 0; i < size; ++i)
        bytes[i] = char((i * 131 + 7) % 251);
    return bytes;
}

// Lowers the largest file this process may write, as a nearly full disk would; restored on scope exit.
class FileSizeLimit {
public:
    explicit FileSizeLimit(rlim_t bytes)
    {
        getrlimit(RLIMIT_FSIZE, &m_old);
        m_oldHandler = std::signal(SIGXFSZ, SIG_IGN);
        rlimit limit = m_old;
        limit.rlim_cur = bytes;
        setrlimit(RLIMIT_FSIZE, &limit);
    }
    ~FileSizeLimit()
    {
        setrlimit(RLIMIT_FSIZE, &m_old);
        std::signal(SIGXFSZ, m_oldHandler);
    }

private:
    rlimit m_old{};
    void (*m_oldHandler)(int) = nullptr;
};

} // namespace

TEST(CopyDataFile, CopiesWholeFilesOfAnySize)
{
    QTemporaryDir dir;
    for (qsizetype size : {qsizetype(0), qsizetype(1), qsizetype(31999), qsizetype(32000), qsizetype(32001),
                           qsizetype(100000)}) {
        const QByteArray bytes = pattern(size);
        const QString src = dir.filePath(QStringLiteral("src.db"));
        const QString dst = dir.filePath(QStringLiteral("dst.db"));
        writeFileBytes(dst, QByteArray(200000, 'z')); // an older, longer copy is replaced
        writeFileBytes(src, bytes);
        ASSERT_TRUE(CopyDataFile(src, dst)) << size;
        EXPECT_EQ(fileBytes(dst), bytes) << size;
    }
}

TEST(CopyDataFile, FailuresReportFalseAndLeaveNoPartialCopy)
{
    QTemporaryDir dir;
    const QString src = dir.filePath(QStringLiteral("src.db"));
    const QString dst = dir.filePath(QStringLiteral("dst.db"));
    EXPECT_FALSE(CopyDataFile(dir.filePath(QStringLiteral("missing.db")), dst));
    EXPECT_FALSE(QFile::exists(dst));

    writeFileBytes(src, pattern(100000));
    EXPECT_FALSE(CopyDataFile(src, dir.filePath(QStringLiteral("no/such/folder/dst.db"))));
    EXPECT_FALSE(CopyDataFile(src, dir.path())); // a folder is no file to write

    {
        FileSizeLimit limit(50000); // room for one block and a half
        EXPECT_FALSE(CopyDataFile(src, dst));
    }
    EXPECT_FALSE(QFile::exists(dst));
    EXPECT_TRUE(CopyDataFile(src, dst));
}

// A database that could not be made whole is not left behind half made: the next start finds none.
TEST(CreateDatabase, AFailedCreationLeavesNoFile)
{
    QTemporaryDir dir;
    const QString folder = dir.filePath(QStringLiteral("DataBase"));
    {
        FileSizeLimit nearlyFull(8192); // room for the first pages, not for the whole schema
        EXPECT_THROW(TDM::createDatabase(folder), DbError);
    }
    EXPECT_FALSE(TDM::databaseExists(folder));
    EXPECT_EQ(QDir(folder).entryList(QDir::Files), QStringList());
    TDM::createDatabase(folder); // and a later try makes it whole
    TDM dm;
    dm.connect(folder);
    EXPECT_EQ(scalar(ConnectionOf(dm), QStringLiteral("PRAGMA user_version")).toInt(), TDM::kSchemaVersion);
}
