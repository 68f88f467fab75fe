// Failures on purpose: a full disk (a file size limit), killed processes, special files as targets, two
// writers on one book. Whatever happens, the book is whole or empty and every old file stays as it was.
#include "base/ini_file.h"
#include "base/settings.h"
#include "db/data_module.h"
#include "maintenance/backup.h"
#include "support/test_support.h"

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QThread>

#include <csignal>
#include <sys/resource.h>
#include <sys/stat.h>

#include <gtest/gtest.h>

namespace {

// The book passes the engine's own check; the number of clients besides the owner.
int wholeBookClients(const QString& folder)
{
    TDM dm;
    dm.connect(folder);
    EXPECT_EQ(scalar(ConnectionOf(dm), QStringLiteral("PRAGMA integrity_check")).toString(),
              QStringLiteral("ok"));
    return scalar(ConnectionOf(dm), QStringLiteral("SELECT count(*) FROM CLIENTS WHERE ID_NUMBER>1")).toInt();
}

// Nothing but the named files: no temporary file of a write that failed.
QStringList filesIn(const QString& folder)
{
    return QDir(folder).entryList(QDir::Files | QDir::System, QDir::Name);
}

// Runs a step of this process with files limited to a size, as on a full disk.
template <typename Step> void withFileSizeLimit(rlim_t bytes, Step step)
{
    const auto previousSignal = signal(SIGXFSZ, SIG_IGN);
    rlimit previous{};
    getrlimit(RLIMIT_FSIZE, &previous);
    const rlimit limit{bytes, previous.rlim_max};
    setrlimit(RLIMIT_FSIZE, &limit);
    step();
    setrlimit(RLIMIT_FSIZE, &previous);
    signal(SIGXFSZ, previousSignal);
}

} // namespace

TEST(Faults, AFullDiskLeavesTheSettingsFileAsItWas)
{
    TestHome home;
    ASSERT_EQ(runDocmar({"--home", home.path(), "init-db"}).exitCode, 0);
    const QString ini = settingsFilePath(home.path());
    const QByteArray before = fileBytes(ini);
    ASSERT_FALSE(before.isEmpty());

    // Closing the program writes the settings: the new file cannot be written, the old one stays.
    Settings changed = defaultSettings(home.path());
    changed.ndsValue = 7;
    bool written = true;
    QString error;
    withFileSizeLimit(0, [&] { written = WriteSettings(changed, home.path(), &error); });
    EXPECT_FALSE(written);
    EXPECT_TRUE(error.startsWith(QStringLiteral("Не удалось записать файл "))) << error.toStdString();
    EXPECT_EQ(fileBytes(ini), before);
    EXPECT_EQ(filesIn(home.path()), QStringList{QStringLiteral("docmar.ini")});

    // A first start on a full disk leaves no empty settings file and no database.
    TestHome full;
    const ProcessResult r = runDocmar({"--home", full.path(), "init-db"}, 0);
    EXPECT_EQ(r.exitCode, 1);
    EXPECT_TRUE(r.err.contains(QStringLiteral("Не удалось записать файл"))) << r.err.toStdString();
    EXPECT_FALSE(QFileInfo::exists(settingsFilePath(full.path())));
    EXPECT_TRUE(filesIn(full.dataFolder()).isEmpty());
}

TEST(Faults, AFullDiskLeavesNoHalfMadeDatabaseAndNoHalfFilledBook)
{
    // Room for the settings, not for the database.
    TestHome small;
    ProcessResult r = runDocmar({"--home", small.path(), "init-db"}, 32 * 1024);
    EXPECT_EQ(r.exitCode, 1);
    EXPECT_TRUE(filesIn(small.dataFolder()).isEmpty())
        << filesIn(small.dataFolder()).join(u' ').toStdString();
    EXPECT_EQ(runDocmar({"--home", small.path(), "init-db"}).exitCode, 0);
    EXPECT_EQ(wholeBookClients(small.dataFolder()), 0);

    // Room for the database, not for the demonstration data: all of it or none.
    TestHome medium;
    ASSERT_EQ(runDocmar({"--home", medium.path(), "init-db"}).exitCode, 0);
    r = runDocmar({"--home", medium.path(), "demo", "--clients", "300", "--invoices", "3000"}, 400 * 1024);
    EXPECT_EQ(r.exitCode, 1);
    EXPECT_FALSE(r.err.isEmpty());
    EXPECT_EQ(wholeBookClients(medium.dataFolder()), 0);
    EXPECT_EQ(runDocmar({"--home", medium.path(), "demo", "--clients", "30", "--invoices", "60"}).exitCode,
              0);
    EXPECT_EQ(wholeBookClients(medium.dataFolder()), 30);
}

TEST(Faults, OutputsAreWholeOrNotThereAndNeverASpecialFile)
{
    TestHome home;
    ASSERT_EQ(runDocmar({"--home", home.path(), "demo", "--clients", "5", "--invoices", "20"}).exitCode, 0);
    const QString out = home.file(QStringLiteral("out"));
    ASSERT_TRUE(QDir().mkpath(out));
    const QStringList kinds = {"--pdf", "--png", "--page"};
    const QStringList names = {"7.pdf", "7.png", "7.json"};
    for (int k = 0; k < 3; ++k) {
        const QString target = QDir(out).filePath(names[k]);
        // A full disk: no file where there was none ...
        ProcessResult r = runDocmar({"--home", home.path(), "print", "invoice", "7", kinds[k], target}, 3000);
        EXPECT_EQ(r.exitCode, 1) << kinds[k].toStdString();
        EXPECT_FALSE(QFileInfo::exists(target)) << kinds[k].toStdString();
        // ... and the old file where there was one.
        ASSERT_EQ(runDocmar({"--home", home.path(), "print", "invoice", "7", kinds[k], target}).exitCode, 0);
        const QByteArray good = fileBytes(target);
        ASSERT_GT(good.size(), 3000) << kinds[k].toStdString();
        r = runDocmar({"--home", home.path(), "print", "invoice", "8", kinds[k], target}, 3000);
        EXPECT_EQ(r.exitCode, 1);
        EXPECT_EQ(fileBytes(target), good) << kinds[k].toStdString();
    }
    EXPECT_EQ(filesIn(out), (QStringList{"7.json", "7.pdf", "7.png"}));

    // A device, a folder and a FIFO are never replaced by a page.
    const QString fifo = QDir(out).filePath(QStringLiteral("pipe"));
    ASSERT_EQ(mkfifo(QFile::encodeName(fifo).constData(), 0600), 0);
    for (const QString& special : {QStringLiteral("/dev/null"), out, fifo})
        for (const QString& kind : kinds) {
            const ProcessResult r =
                runDocmar({"--home", home.path(), "print", "invoice", "7", kind, special});
            EXPECT_EQ(r.exitCode, 1) << special.toStdString();
            EXPECT_TRUE(r.err.contains(QStringLiteral("это не обычный файл"))) << r.err.toStdString();
        }
    EXPECT_FALSE(QFileInfo(QStringLiteral("/dev/null")).isFile());
    EXPECT_TRUE(QFileInfo(out).isDir());
    struct stat info {};
    ASSERT_EQ(stat(QFile::encodeName(fifo).constData(), &info), 0);
    EXPECT_TRUE(S_ISFIFO(info.st_mode));
}

TEST(Faults, AKilledCreationOrFillLeavesABookWholeOrEmpty)
{
    // Killed at several moments of init-db: afterwards init-db works and the book is whole.
    for (int delayMs : {0, 10, 30, 60, 120}) {
        TestHome home;
        QProcess p;
        p.start(docmarProgram(), {"--home", home.path(), "init-db"});
        ASSERT_TRUE(p.waitForStarted());
        QThread::msleep(ulong(delayMs));
        p.kill();
        p.waitForFinished();
        const ProcessResult again = runDocmar({"--home", home.path(), "init-db"});
        EXPECT_EQ(again.exitCode, 0) << delayMs << again.err.toStdString();
        EXPECT_EQ(wholeBookClients(home.dataFolder()), 0) << delayMs;
    }
    // Killed while the demonstration data goes in: none of it, or all of it.
    for (int delayMs : {50, 200, 500, 1000}) {
        TestHome home;
        ASSERT_EQ(runDocmar({"--home", home.path(), "init-db"}).exitCode, 0);
        QProcess p;
        p.start(docmarProgram(), {"--home", home.path(), "demo", "--clients", "300", "--invoices", "3000"});
        ASSERT_TRUE(p.waitForStarted());
        QThread::msleep(ulong(delayMs));
        p.kill();
        p.waitForFinished();
        const int clients = wholeBookClients(home.dataFolder());
        EXPECT_TRUE(clients == 0 || clients == 300) << delayMs << " " << clients;
        if (clients == 0) {
            EXPECT_EQ(
                runDocmar({"--home", home.path(), "demo", "--clients", "3", "--invoices", "5"}).exitCode, 0);
        }
    }
}

TEST(Faults, TwoDemoRunsAtOnceFillTheBookOnce)
{
    TestHome home;
    ASSERT_EQ(runDocmar({"--home", home.path(), "init-db"}).exitCode, 0);
    QProcess first, second;
    const QStringList args = {"--home", home.path(), "demo", "--clients", "400", "--invoices", "2000"};
    first.start(docmarProgram(), args + QStringList{"--seed", "1"});
    second.start(docmarProgram(), args + QStringList{"--seed", "2"});
    ASSERT_TRUE(first.waitForFinished(120000));
    ASSERT_TRUE(second.waitForFinished(120000));
    const int failed = (first.exitCode() != 0) + (second.exitCode() != 0);
    EXPECT_EQ(failed, 1) << first.exitCode() << " " << second.exitCode();
    const QString err =
        QString::fromUtf8(first.exitCode() ? first.readAllStandardError() : second.readAllStandardError());
    EXPECT_TRUE(err.contains(QStringLiteral("уже содержит")) ||
                err.contains(QStringLiteral("занята другой программой")))
        << err.toStdString();
    EXPECT_EQ(wholeBookClients(home.dataFolder()), 400);
}

TEST(Faults, ARegisterOrExportCutShortLeavesTheOldFile)
{
    TestHome home;
    ASSERT_EQ(runDocmar({"--home", home.path(), "demo", "--clients", "40", "--invoices", "200"}).exitCode, 0);
    const QStringList registerArgs = {"--home", home.path(),  "register", "invoices",
                                      "--from", "01.01.2000", "--to",     "31.12.2099"};
    ASSERT_EQ(runDocmar(registerArgs).exitCode, 0);
    const QString journal = home.file(QStringLiteral("FACTURE1.TXT"));
    const QByteArray good = fileBytes(journal);
    ASSERT_GT(good.size(), 20000);
    ProcessResult r = runDocmar(registerArgs, 20000);
    EXPECT_EQ(r.exitCode, 1);
    EXPECT_FALSE(r.err.isEmpty());
    EXPECT_EQ(fileBytes(journal), good);

    // The export appends through a copy: a copy cut short is never put in place of the old file.
    const QStringList exportArgs = {"--home", home.path(), "export-clients", "--fields", "FIRMNAME,CITY"};
    ASSERT_EQ(runDocmar(exportArgs).exitCode, 0);
    const QString list = home.file(QStringLiteral("clients.txt"));
    const QByteArray once = fileBytes(list);
    r = runDocmar(exportArgs, once.size() + 100);
    EXPECT_EQ(r.exitCode, 1);
    EXPECT_EQ(fileBytes(list), once);
    ASSERT_EQ(runDocmar(exportArgs).exitCode, 0);
    EXPECT_EQ(fileBytes(list), once + once);
}

TEST(Faults, ABackupCutShortLeavesYesterdaysCopy)
{
    TestHome home;
    ASSERT_EQ(runDocmar({"--home", home.path(), "demo", "--clients", "40", "--invoices", "400"}).exitCode, 0);
    ASSERT_EQ(runDocmar({"--home", home.path(), "backup"}).exitCode, 0);
    const QString copy =
        NewestCopy(home.file(QStringLiteral("DataBase/BackUp")), QStringLiteral("docmar.db"));
    const QByteArray yesterday = fileBytes(copy);
    ASSERT_GT(yesterday.size(), 100000);
    {
        TDM dm;
        dm.connect(home.dataFolder());
        execOrThrow(ConnectionOf(dm), QStringLiteral("DELETE FROM FACTURES WHERE FACT_NUMBER>200"));
    }
    const ProcessResult r = runDocmar({"--home", home.path(), "backup"}, 50000);
    EXPECT_EQ(r.exitCode, 1);
    EXPECT_TRUE(r.err.contains(QStringLiteral("Не удалось скопировать:\ndocmar.db: ")))
        << r.err.toStdString();
    EXPECT_EQ(fileBytes(copy), yesterday);
    EXPECT_EQ(QDir(home.file(QStringLiteral("DataBase/BackUp"))).entryList(QDir::Files | QDir::Hidden),
              QStringList{QFileInfo(copy).fileName()}); // no part copy left behind
}

// The same on a PostgreSQL book: a fill killed at any moment leaves nothing of it on the server, and of two
// fills at once one waits for the other's write turn and then finds the book taken.
TEST(Faults, AKilledOrDoubledFillOfAPostgresBookIsWholeOrNothing)
{
    const auto clientsIn = [](const QString& book) {
        TDM dm;
        dm.connect(QString(), book);
        return scalar(ConnectionOf(dm), QStringLiteral("SELECT count(*) FROM CLIENTS WHERE ID_NUMBER>1"))
            .toInt();
    };
    for (int delayMs : {100, 300, 700}) {
        TestHome home;
        const QString book = NewPostgresBook();
        ASSERT_EQ(runDocmar({"--home", home.path(), "--book", book, "init-db"}).exitCode, 0);
        QProcess p;
        p.start(docmarProgram(),
                {"--home", home.path(), "--book", book, "demo", "--clients", "300", "--invoices", "3000"});
        ASSERT_TRUE(p.waitForStarted());
        QThread::msleep(ulong(delayMs));
        p.kill();
        p.waitForFinished();
        const int clients = clientsIn(book);
        EXPECT_TRUE(clients == 0 || clients == 300) << delayMs << " " << clients;
    }

    TestHome home;
    const QString book = NewPostgresBook();
    ASSERT_EQ(runDocmar({"--home", home.path(), "--book", book, "init-db"}).exitCode, 0);
    QProcess first, second;
    const QStringList args = {"--home",    home.path(), "--book",     book,  "demo",
                              "--clients", "400",       "--invoices", "2000"};
    first.start(docmarProgram(), args + QStringList{"--seed", "1"});
    second.start(docmarProgram(), args + QStringList{"--seed", "2"});
    ASSERT_TRUE(first.waitForFinished(120000));
    ASSERT_TRUE(second.waitForFinished(120000));
    EXPECT_EQ((first.exitCode() != 0) + (second.exitCode() != 0), 1)
        << first.exitCode() << " " << second.exitCode();
    EXPECT_EQ(clientsIn(book), 400);
}
