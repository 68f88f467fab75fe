#include "base/ini_file.h"
#include "base/settings.h"
#include "base/text_codec.h"
#include "db/data_module.h"
#include "documents/acts.h"
#include "maintenance/backup.h"
#include "report/page.h"
#include "support/paradox_fixture.h"
#include "support/test_support.h"

#include <QCryptographicHash>
#include <QDir>
#include <QFile>
#include <QImage>
#include <QProcess>
#include <QRegularExpression>
#include <QSqlQuery>

#include <gtest/gtest.h>

namespace {

QByteArray fileHash(const QString& path)
{
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly))
        return {};
    return QCryptographicHash::hash(f.readAll(), QCryptographicHash::Sha256);
}

} // namespace

TEST(CommandLine, WordsPrintsTheTextAndANewline)
{
    struct Case {
        QStringList args;
        const char* out;
    } cases[] = {
        {{"words", "12345.67", "--russian"}, " Двенадцать тысяч триста сорок пять гривень 67 коп.\n"},
        {{"words", "12345,67"}, " Дванадцять тисяч триста сорок п’ять гривень 67 коп.\n"},
        {{"words", "21", "--russian", "--dollars"}, " Двадцать один доллар 00 центов\n"},
        {{"words", "2.05", "--russian", "--slash", "--lower"}, " две гривни 05/коп.\n"},
    };
    for (const Case& c : cases) {
        const ProcessResult r = runDocmar(c.args);
        EXPECT_EQ(r.exitCode, 0) << c.args.join(' ').toStdString();
        EXPECT_EQ(r.out, QString::fromUtf8(c.out));
    }
    const ProcessResult million = runDocmar({"words", "1200000", "--russian"});
    EXPECT_EQ(million.out, QStringLiteral(" Один миллион двести тысяч гривень 00 коп.\n"));
    const ProcessResult big = runDocmar({"words", "1000000000000"});
    EXPECT_EQ(big.exitCode, 1);
    EXPECT_EQ(big.out, QString(56, u'_') + QStringLiteral(" 00 коп.\n"));
    EXPECT_TRUE(big.err.contains(QStringLiteral("Сумма больше 999 999 999 999,99.")));
}

TEST(CommandLine, NegativeNumbersAreValuesAndAnEmptyHomeIsRefused)
{
    const ProcessResult minus = runDocmar({"words", "-5", "--russian"});
    EXPECT_EQ(minus.exitCode, 0) << minus.err.toStdString();
    EXPECT_EQ(minus.out, QStringLiteral(" Минус пять гривень 00 коп.\n"));
    EXPECT_EQ(runDocmar({"words", "-0,5"}).out, QStringLiteral(" Мінус нуль гривень 50 коп.\n"));
    const ProcessResult clients = runDocmar({"demo", "--clients", "-3"});
    EXPECT_EQ(clients.exitCode, 2);
    EXPECT_TRUE(clients.err.contains(QStringLiteral("--clients"))) << clients.err.toStdString();

    const ProcessResult home = runDocmar({"--home", "", "init-db"});
    EXPECT_EQ(home.exitCode, 2);
    EXPECT_TRUE(home.err.contains(QStringLiteral("--home"))) << home.err.toStdString();

    // A database folder that cannot be made is named.
    TestHome dir;
    IniFile ini(settingsFilePath(dir.path()));
    ini.writeString(QStringLiteral("DATABASE"), QStringLiteral("PATH"),
                    QStringLiteral("/proc/no/such/books"));
    ASSERT_TRUE(ini.save());
    const ProcessResult path = runDocmar({"--home", dir.path(), "init-db"});
    EXPECT_EQ(path.exitCode, 1);
    EXPECT_TRUE(path.err.contains(QStringLiteral("/proc/no/such/books"))) << path.err.toStdString();
    // The toolkit's own complaints never reach a normal run's stderr.
    EXPECT_FALSE(path.err.contains(QStringLiteral("QSql"))) << path.err.toStdString();
}

TEST(CommandLine, BadUsageExitsWithTwo)
{
    for (const QStringList& args :
         {QStringList{"words"}, QStringList{"words", "abc"}, QStringList{"words", "1", "2"},
          QStringList{"frobnicate"}, QStringList{"--no-such-flag"}, QStringList{"demo", "--clients", "many"},
          QStringList{"demo", "--invoices", "-5"}}) {
        const ProcessResult r = runDocmar(args);
        EXPECT_EQ(r.exitCode, 2) << args.join(' ').toStdString();
        EXPECT_FALSE(r.err.isEmpty());
    }
}

TEST(CommandLine, InitDbMakesSettingsAndDatabaseAndThenChangesNothing)
{
    TestHome home;
    const ProcessResult first = runDocmar({"--home", home.path(), "init-db"});
    ASSERT_EQ(first.exitCode, 0) << first.err.toStdString();

    IniFile ini(settingsFilePath(home.path()));
    ASSERT_TRUE(ini.load());
    EXPECT_EQ(ini.lines().filter(QStringLiteral("=")).size(), 14);
    const QString dbFile = TDM::databaseFile(home.dataFolder());
    ASSERT_TRUE(QFile::exists(dbFile));
    const QByteArray before = fileHash(dbFile);

    const ProcessResult second = runDocmar({"--home", home.path(), "init-db"});
    EXPECT_EQ(second.exitCode, 0);
    EXPECT_TRUE(second.err.contains(QStringLiteral("уже существует")));
    EXPECT_EQ(fileHash(dbFile), before);
}

TEST(CommandLine, InitDbFollowsThePathSetting)
{
    TestHome home;
    const QString elsewhere = home.file(QStringLiteral("Books/2026"));
    IniFile ini(settingsFilePath(home.path()));
    ini.writeString(QStringLiteral("DATABASE"), QStringLiteral("PATH"), elsewhere);
    ASSERT_TRUE(ini.save());
    ASSERT_EQ(runDocmar({"--home", home.path(), "init-db"}).exitCode, 0);
    EXPECT_TRUE(TDM::databaseExists(elsewhere));
    EXPECT_FALSE(TDM::databaseExists(home.dataFolder()));
}

TEST(CommandLine, DemoFillsOnceAndRefusesABookWithData)
{
    TestHome home;
    const ProcessResult r =
        runDocmar({"--home", home.path(), "demo", "--clients", "20", "--invoices", "100"});
    ASSERT_EQ(r.exitCode, 0) << r.err.toStdString();
    {
        TDM dm;
        dm.connect(home.dataFolder());
        EXPECT_EQ(dm.NextFactNumber(), 101);
        EXPECT_EQ(dm.NextClientNumber(), 22);
    }
    const QByteArray before = fileHash(TDM::databaseFile(home.dataFolder()));
    const ProcessResult again = runDocmar({"--home", home.path(), "demo"});
    EXPECT_EQ(again.exitCode, 1);
    EXPECT_FALSE(again.err.isEmpty());
    EXPECT_EQ(fileHash(TDM::databaseFile(home.dataFolder())), before);
}

TEST(CommandLine, CorruptDatabaseIsAMessageNotACrash)
{
    TestHome home;
    ASSERT_TRUE(QDir().mkpath(home.dataFolder()));
    QFile f(TDM::databaseFile(home.dataFolder()));
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write(QByteArray(4096, 'x'));
    f.close();
    const ProcessResult r = runDocmar({"--home", home.path(), "demo", "--clients", "1", "--invoices", "1"});
    EXPECT_EQ(r.exitCode, 1);
    EXPECT_FALSE(r.err.isEmpty());
    EXPECT_EQ(QFileInfo(f.fileName()).size(), 4096);
}

TEST(CommandLine, PrintInvoiceWritesPdfPngAndPageFile)
{
    TestHome home;
    ASSERT_EQ(runDocmar({"--home", home.path(), "demo", "--clients", "5", "--invoices", "20"}).exitCode, 0);
    const QString png = home.file(QStringLiteral("7.png"));
    const QString pdf = home.file(QStringLiteral("7.pdf"));
    const QString page = home.file(QStringLiteral("7.json"));
    EXPECT_EQ(runDocmar({"--home", home.path(), "print", "invoice", "7", "--png", png}).exitCode, 0);
    EXPECT_EQ(runDocmar({"--home", home.path(), "print", "invoice", "7", "--pdf", pdf}).exitCode, 0);
    const ProcessResult r = runDocmar({"--home", home.path(), "print", "invoice", "7", "--page", page});
    EXPECT_EQ(r.exitCode, 0) << r.err.toStdString();
    // Nothing on stderr from the toolkit either, with or without a desktop session.
    EXPECT_TRUE(r.err.isEmpty()) << r.err.toStdString();
    const ProcessResult pdfRun = runDocmar({"--home", home.path(), "print", "invoice", "7", "--pdf", pdf});
    EXPECT_TRUE(pdfRun.err.isEmpty()) << pdfRun.err.toStdString();
    EXPECT_EQ(QImage(png).size(), QSize(794, 1123));
    EXPECT_TRUE(QFile(pdf).open(QIODevice::ReadOnly));
    QFile json(page);
    ASSERT_TRUE(json.open(QIODevice::ReadOnly));
    EXPECT_TRUE(json.readAll().contains("\"NoFactL\""));
    json.close();

    // With the firm's IBAN and code the invoice carries the payment QR code, unless --no-qr leaves it out.
    {
        TDM dm;
        dm.connect(home.dataFolder());
        OwnerRecord owner;
        ASSERT_TRUE(dm.ReadOwnerRow(owner));
        owner.CHETNUMBER = QStringLiteral("UA213223130000026007233566001");
        owner.OKPOCODE = QStringLiteral("14360570");
        dm.SaveOwnerRecord(owner);
    }
    const auto pageHasCode = [&](std::initializer_list<const char*> more) {
        QStringList args = {"--home", home.path(), "print", "invoice", "7", "--page", page};
        for (const char* a : more)
            args << QLatin1String(a);
        EXPECT_EQ(runDocmar(args).exitCode, 0);
        QFile file(page);
        return file.open(QIODevice::ReadOnly) && file.readAll().contains("\"qrcode\"");
    };
    EXPECT_TRUE(pageHasCode({}));
    EXPECT_FALSE(pageHasCode({"--no-qr"}));

    const ProcessResult missing = runDocmar({"--home", home.path(), "print", "invoice", "999", "--png", png});
    EXPECT_EQ(missing.exitCode, 1);
    EXPECT_TRUE(missing.err.contains(QStringLiteral("999")));
    EXPECT_EQ(runDocmar({"--home", home.path(), "print", "invoice", "7"}).exitCode, 2);
    EXPECT_EQ(
        runDocmar({"--home", home.path(), "print", "invoice", "7", "--png", png, "--pdf", pdf}).exitCode, 2);
    EXPECT_EQ(runDocmar({"--home", home.path(), "print", "receipt", "7", "--png", png}).exitCode, 2);

    // An invoice stored by another tool with a sum no blank can show is refused, not printed cut.
    {
        TDM dm;
        dm.connect(home.dataFolder());
        execOrThrow(ConnectionOf(dm),
                    QStringLiteral("UPDATE FACTURES SET COUNT_POS1=9999999999, PRICE_POS1=9999999, "
                                   "MEASURE_POS1='т.' WHERE FACT_NUMBER=7"));
    }
    QFile::remove(pdf);
    const ProcessResult huge = runDocmar({"--home", home.path(), "print", "invoice", "7", "--pdf", pdf});
    EXPECT_EQ(huge.exitCode, 1);
    EXPECT_TRUE(huge.err.contains(QStringLiteral("999 999 999 999,99"))) << huge.err.toStdString();
    EXPECT_FALSE(QFile::exists(pdf));
}

// A long account prints on several sheets, as a PDF and as pictures.
TEST(CommandLine, PrintReconciliationWritesEverySheet)
{
    TestHome home;
    ASSERT_EQ(runDocmar({"--home", home.path(), "demo", "--clients", "2", "--invoices", "120"}).exitCode, 0);
    const QStringList act = {"--home", home.path(), "print",      "reconciliation", "--client",
                             "2",      "--from",    "01.01.2000", "--to",           "31.12.2099"};
    const QString pdf = home.file(QStringLiteral("akt.pdf")), png = home.file(QStringLiteral("akt.png"));
    const ProcessResult r = runDocmar(act + QStringList{"--pdf", pdf});
    ASSERT_EQ(r.exitCode, 0) << r.err.toStdString();
    QFile file(pdf);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    const qsizetype sheets =
        QString::fromLatin1(file.readAll()).count(QRegularExpression(QStringLiteral("/Type\\s*/Page\\b")));
    EXPECT_GE(sheets, 2);
    EXPECT_EQ(runDocmar(act + QStringList{"--png", png}).exitCode, 0);
    EXPECT_TRUE(QFile::exists(home.file(QStringLiteral("akt-%1.png").arg(sheets))));

    EXPECT_EQ(
        runDocmar({"--home", home.path(), "print", "reconciliation", "--client", "2", "--pdf", pdf}).exitCode,
        2);
    const ProcessResult reversed =
        runDocmar({"--home", home.path(), "print", "reconciliation", "--client", "2", "--from", "02.01.2025",
                   "--to", "01.01.2025", "--pdf", pdf});
    EXPECT_EQ(reversed.exitCode, 1);
    EXPECT_TRUE(reversed.err.contains(QStringLiteral("конец раньше начала"))) << reversed.err.toStdString();
}

TEST(CommandLine, FindPrintsAStoredDocumentLineByLine)
{
    TestHome home;
    ASSERT_EQ(runDocmar({"--home", home.path(), "init-db"}).exitCode, 0);
    {
        TDM dm;
        dm.connect(home.dataFolder());
        execOrThrow(ConnectionOf(dm),
                    QStringLiteral("INSERT INTO FACTURES (FACT_NUMBER, FACT_DOPNO, FACT_DATA, NAME_POS1, "
                                   "COUNT_POS1, PRICE_POS1, NAME_OWNER, ID_NUMBER) VALUES (12, 'А', "
                                   "'2026-03-05', 'Пісок', 3, 10.5, 'ТОВ \"Дім\"', 2), "
                                   "(-4, NULL, NULL, 'Оплата', 0, 0, '', 2)"));
    }
    const ProcessResult r = runDocmar({"--home", home.path(), "find", "invoice", "12"});
    EXPECT_EQ(r.exitCode, 0) << r.err.toStdString();
    const QStringList lines = r.out.split(u'\n', Qt::SkipEmptyParts);
    EXPECT_EQ(lines.size(), 23);
    for (const char* line : {"FACT_NUMBER=12", "FACT_DOPNO=А", "FACT_DATA=05.03.2026", "NAME_POS1=Пісок",
                             "COUNT_POS1=3", "PRICE_POS1=10.5", "NAME_OWNER=ТОВ \"Дім\"", "ID_NUMBER=2"})
        EXPECT_TRUE(lines.contains(QString::fromUtf8(line))) << line;
    const ProcessResult receipt = runDocmar({"--home", home.path(), "find", "invoice", "-4"});
    EXPECT_TRUE(receipt.out.contains(QStringLiteral("FACT_DATA=\n")));
    const ProcessResult none = runDocmar({"--home", home.path(), "find", "expense", "1"});
    EXPECT_EQ(none.exitCode, 1);
    EXPECT_TRUE(none.err.contains(QStringLiteral("не найден")));
    EXPECT_EQ(runDocmar({"--home", home.path(), "find", "waybill", "1"}).exitCode, 2);
}

// An act as its editor would store it: the proposals where nothing is said, and nothing stored on a refusal.
TEST(CommandLine, ActWritesAnActOrSaysWhyNot)
{
    TestHome home;
    ASSERT_EQ(runDocmar({"--home", home.path(), "init-db"}).exitCode, 0);
    {
        TDM dm;
        dm.connect(home.dataFolder());
        execOrThrow(
            ConnectionOf(dm),
            QStringLiteral("INSERT INTO CLIENTS (ID_NUMBER, FIRMNAME, CHIEF) VALUES (2, 'ТОВ \"Дім\"', "
                           "'Коваль О.П.')"));
    }
    const QStringList act = {"--home", home.path(), "act", "--client", "2", "--work", "Ремонт", "--sum"};
    EXPECT_EQ(runDocmar(act + QStringList{"1500", "--date", "05.03.2026"}).out, QStringLiteral("1\n"));
    EXPECT_EQ(runDocmar(act + QStringList{"2,50", "--period", "14", "--vat", "7"}).out,
              QStringLiteral("2\n"));
    const struct {
        QStringList more;
        int exitCode;
        const char* said;
    } refused[] = {
        {{"1", "--number", "1"}, 1, "Акт № 1 уже есть: выберите другой номер."},
        {{"1", "--period", "17"}, 1, "Период акта — месяц от 1 до 12 или квартал от 13 до 16, а не 17."},
        {{"1,005"}, 2, "--sum: an amount with at most two decimals is expected"}};
    for (const auto& r : refused) {
        const ProcessResult result = runDocmar(act + r.more);
        EXPECT_EQ(result.exitCode, r.exitCode) << r.said;
        EXPECT_TRUE(result.err.contains(QString::fromUtf8(r.said))) << result.err.toStdString();
    }
    TDM dm;
    dm.connect(home.dataFolder());
    const std::optional<StoredAct> first = ReadAct(dm, 1);
    ASSERT_TRUE(first);
    EXPECT_EQ(first->act.period, (ActPeriod{2, 2026})); // in the first ten days: the month closed
    EXPECT_EQ(first->act.vatRate, 20);
    EXPECT_EQ(first->act.representative, QStringLiteral("Коваль О.П."));
    EXPECT_EQ(ReadAct(dm, 2)->act.sum, 2.5);
    EXPECT_EQ(scalar(ConnectionOf(dm), QStringLiteral("SELECT count(*) FROM ACTS")).toInt(), 2);

    // The register: a line an act, and a total of its lines (1500,00 + 20 % = 1800,00; 2,50 + 7 % = 2,68).
    const QString file = QDir(home.path()).filePath(QStringLiteral("acts.txt"));
    ASSERT_EQ(runDocmar({"--home", home.path(), "register", "acts", "--from", "01.01.2000", "--to",
                         "31.12.2100", "-o", file})
                  .exitCode,
              0);
    QFile written(file);
    ASSERT_TRUE(written.open(QIODevice::ReadOnly));
    const QStringList lines = decode1251(written.readAll()).split(QStringLiteral("\r\n"));
    EXPECT_TRUE(lines.contains(QStringLiteral("|05.03.26|      1|ТОВ \"Дім\"                |февраль 2026    "
                                              "|Ремонт              |1500.00|300.00| 1800.00|")));
    EXPECT_TRUE(lines.contains(
        QStringLiteral("     ИТОГО : сумма -    1502.50, НДС -     300.18, сумма с НДС -    1802.68.")));
}

TEST(CommandLine, IssueWritesWaybillsAsTheDialogsDo)
{
    TestHome home;
    ASSERT_EQ(runDocmar({"--home", home.path(), "init-db"}).exitCode, 0);
    {
        TDM dm;
        dm.connect(home.dataFolder());
        execOrThrow(ConnectionOf(dm),
                    QStringLiteral("INSERT INTO CLIENTS (ID_NUMBER, FIRMNAME, DOGNUMBER, DOGDATA) VALUES "
                                   "(2, 'ТОВ \"Дім\"', '7', '2003-02-01')"));
        execOrThrow(ConnectionOf(dm),
                    QStringLiteral("INSERT INTO FACTURES (FACT_NUMBER, FACT_DOPNO, FACT_DATA, ID_NUMBER) "
                                   "VALUES (12, 'а', '2003-02-10', 2), (15, '', '2003-02-11', 2), "
                                   "(16, '', '2003-02-11', 2), (17, '', '2003-02-11', 2), "
                                   "(-3, NULL, '2003-03-05', 2)"));
    }
    const auto issue = [&home](QStringList args) {
        return runDocmar(QStringList{"--home", home.path(), "issue"} + args);
    };
    ProcessResult r = issue({"expense", "--invoices", "12,15,12", "--receiver", "Коваль П.П.",
                             "--proxy-number", "34", "--date", "20.02.2003"});
    EXPECT_EQ(r.exitCode, 0) << r.err.toStdString();
    EXPECT_EQ(r.out, QStringLiteral("1\n"));
    r = runDocmar({"--home", home.path(), "find", "expense", "1"});
    for (const char* line : {"INFO=р/ф № 12,15", "FACT3_NUMBER=0", "NAME_CLIENT=Коваль П.П.", "DOV_NUMBER=34",
                             "NAKL_DATA=20.02.2003", "ID_NUMBER=2"})
        EXPECT_TRUE(r.out.contains(QString::fromUtf8(line))) << line << r.out.toStdString();

    r = issue({"tax", "--invoices", "12"});
    EXPECT_EQ(r.out, QStringLiteral("1\n"));
    EXPECT_TRUE(runDocmar({"--home", home.path(), "find", "tax", "1"})
                    .out.contains(QStringLiteral("INFO=договір № 7 від 01.02.2003( р/ф № 12а)")));
    r = issue({"tax", "--receipt", "-3", "--payment", "готівка"});
    EXPECT_EQ(r.out, QStringLiteral("2\n"));
    EXPECT_TRUE(runDocmar({"--home", home.path(), "find", "tax", "2"})
                    .out.contains(QStringLiteral("INFO=проплата от 05.03.2003")));

    // The question refuses without --yes; a taken number is refused with the dialog's message.
    r = issue({"expense", "--invoices", "12,15,16,17"});
    EXPECT_EQ(r.exitCode, 1);
    EXPECT_TRUE(r.err.contains(QStringLiteral("Используются только первые три номера! Продолжать?")));
    EXPECT_EQ(issue({"expense", "--invoices", "12,15,16,17", "--yes"}).out, QStringLiteral("2\n"));
    // A second waybill of a kind for an invoice is asked about first.
    r = issue({"tax", "--invoices", "15,12"});
    EXPECT_EQ(r.exitCode, 1);
    EXPECT_EQ(r.err, QStringLiteral("На счет-фактуру № 12 уже выписана налоговая накладная № 1. Выписать ещё "
                                    "одну? (--yes)\n"));
    r = issue({"expense", "--invoices", "16,15"});
    EXPECT_EQ(r.err,
              QStringLiteral("На счет-фактуру № 16 уже выписана расходная накладная № 2.\nНа счет-фактуру "
                             "№ 15 уже выписана расходная накладная № 1. Выписать ещё одну? (--yes)\n"));
    EXPECT_EQ(issue({"tax", "--invoices", "15,12", "--yes"}).out, QStringLiteral("3\n"));
    r = issue({"tax", "--receipt", "-3", "--number", "2"});
    EXPECT_EQ(r.exitCode, 1);
    EXPECT_TRUE(r.err.startsWith(
        QStringLiteral("Неправильные данные! Возможно на данную с/ф(проплату) уже выписывались накладные")));
    r = issue({"expense", "--invoices", "99"});
    EXPECT_EQ(r.exitCode, 1);
    EXPECT_TRUE(r.err.contains(QStringLiteral("Не найдена исходная счет-фактура №99")))
        << r.err.toStdString();
    EXPECT_EQ(issue({"expense"}).exitCode, 2);
    EXPECT_EQ(issue({"expense", "--receipt", "5"}).exitCode, 2);
    EXPECT_EQ(issue({"tax", "--invoices", "12", "--date", "31.02.2003"}).exitCode, 2);
    for (const char* bad : {"0", "-5"}) // waybills are numbered from 1
        EXPECT_EQ(issue({"expense", "--invoices", "12", "--number", bad}).exitCode, 2) << bad;
}

TEST(CommandLine, PrintExpenseWritesTheWholeWaybillOrNothing)
{
    TestHome home;
    ASSERT_EQ(runDocmar({"--home", home.path(), "init-db"}).exitCode, 0);
    {
        TDM dm;
        dm.connect(home.dataFolder());
        execOrThrow(ConnectionOf(dm),
                    QStringLiteral("INSERT INTO CLIENTS (ID_NUMBER, FIRMNAME) VALUES (2, 'ТОВ')"));
        execOrThrow(ConnectionOf(dm),
                    QStringLiteral("INSERT INTO FACTURES (FACT_NUMBER, FACT_DATA, ID_NUMBER, FACT_NDS, "
                                   "NAME_POS1, MEASURE_POS1, COUNT_POS1, PRICE_POS1) VALUES "
                                   "(12, '2003-02-10', 2, 20, 'Цемент', 'міш', 3, 95.5)"));
    }
    ASSERT_EQ(runDocmar({"--home", home.path(), "issue", "expense", "--invoices", "12"}).out,
              QStringLiteral("1\n"));
    const QString png = home.file(QStringLiteral("n1.png"));
    const QString page = home.file(QStringLiteral("n1.json"));
    // The owner's details are still a new book's samples: said, and nothing written without --yes.
    ProcessResult r = runDocmar({"--home", home.path(), "print", "expense", "1", "--png", png});
    EXPECT_EQ(r.exitCode, 1);
    EXPECT_TRUE(
        r.err.contains(QStringLiteral("Данные владельца не заполнены: название фирмы, телефон, код ЕДРПОУ.")))
        << r.err.toStdString();
    EXPECT_FALSE(QFile::exists(png));
    r = runDocmar({"--home", home.path(), "print", "expense", "1", "--png", png, "--yes"});
    EXPECT_EQ(r.exitCode, 0) << r.err.toStdString();
    EXPECT_EQ(QImage(png).size(), QSize(794, 1123));
    ASSERT_EQ(runDocmar({"--home", home.path(), "print", "expense", "1", "--page", page, "--yes"}).exitCode,
              0);
    QFile json(page);
    ASSERT_TRUE(json.open(QIODevice::ReadOnly));
    EXPECT_TRUE(json.readAll().contains("\"  286.50\"")); // 3 x 95.50, the subtotal with its point

    // The invoice gone: nothing written, exit 1.
    {
        TDM dm;
        dm.connect(home.dataFolder());
        execOrThrow(ConnectionOf(dm), QStringLiteral("DELETE FROM FACTURES WHERE FACT_NUMBER=12"));
    }
    const QString none = home.file(QStringLiteral("none.png"));
    r = runDocmar({"--home", home.path(), "print", "expense", "1", "--png", none, "--yes"});
    EXPECT_EQ(r.exitCode, 1);
    EXPECT_TRUE(r.err.contains(QStringLiteral("Не найдена исходная счет-фактура!")));
    EXPECT_TRUE(r.err.contains(QStringLiteral("Накладная заполнена не полностью и не напечатана.")));
    EXPECT_FALSE(QFileInfo::exists(none));
    EXPECT_EQ(runDocmar({"--home", home.path(), "print", "expense", "7", "--png", none}).exitCode, 1);
}

TEST(CommandLine, PrintTaxTakesTheSectionOfAZeroRate)
{
    TestHome home;
    ASSERT_EQ(runDocmar({"--home", home.path(), "init-db"}).exitCode, 0);
    {
        TDM dm;
        dm.connect(home.dataFolder());
        execOrThrow(ConnectionOf(dm),
                    QStringLiteral("INSERT INTO CLIENTS (ID_NUMBER, FIRMNAME) VALUES (2, 'ТОВ')"));
        execOrThrow(ConnectionOf(dm),
                    QStringLiteral("INSERT INTO FACTURES (FACT_NUMBER, FACT_DATA, ID_NUMBER, FACT_NDS, "
                                   "NAME_POS1, MEASURE_POS1, COUNT_POS1, PRICE_POS1) VALUES "
                                   "(12, '2003-02-10', 2, 0, 'Зерно', 'т.', 2, 50)"));
    }
    ASSERT_EQ(runDocmar({"--home", home.path(), "issue", "tax", "--invoices", "12"}).out,
              QStringLiteral("1\n"));
    const QString page = home.file(QStringLiteral("n2.json"));
    ProcessResult r =
        runDocmar({"--home", home.path(), "print", "tax", "1", "--page", page, "--section", "1", "--yes"});
    EXPECT_EQ(r.exitCode, 0) << r.err.toStdString();
    const std::optional<Page> printed = Page::load(page);
    ASSERT_TRUE(printed);
    EXPECT_EQ(printed->element(QStringLiteral("NDSPos1"))->left, 158.75); // export
    EXPECT_EQ(printed->element(QStringLiteral("Vsego7"))->text, QStringLiteral("  100,00"));
    EXPECT_EQ(
        runDocmar({"--home", home.path(), "print", "tax", "1", "--page", page, "--section", "3"}).exitCode,
        2);
    // Not the whole waybill: nothing written.
    {
        TDM dm;
        dm.connect(home.dataFolder());
        execOrThrow(ConnectionOf(dm), QStringLiteral("DELETE FROM FACTURES WHERE FACT_NUMBER=12"));
    }
    const QString none = home.file(QStringLiteral("none.pdf"));
    r = runDocmar({"--home", home.path(), "print", "tax", "1", "--pdf", none, "--yes"});
    EXPECT_EQ(r.exitCode, 1);
    EXPECT_TRUE(r.err.contains(QStringLiteral("Не найдена исходная счет-фактура №12")))
        << r.err.toStdString();
    EXPECT_FALSE(QFileInfo::exists(none));
}

TEST(CommandLine, PrintRefusesAnInvoiceWithoutItsClientOrLogo)
{
    TestHome home;
    ASSERT_EQ(runDocmar({"--home", home.path(), "demo", "--clients", "5", "--invoices", "20"}).exitCode, 0);
    const QString png = home.file(QStringLiteral("7.png"));
    {
        IniFile ini(settingsFilePath(home.path()));
        ASSERT_TRUE(ini.load());
        ini.writeBool(QStringLiteral("LOGOTYPE"), QStringLiteral("ON_OFF"), true);
        ini.writeString(QStringLiteral("LOGOTYPE"), QStringLiteral("FILE_NAME"),
                        QStringLiteral("nologo.bmp"));
        ASSERT_TRUE(ini.save());
    }
    const ProcessResult noLogo = runDocmar({"--home", home.path(), "print", "invoice", "7", "--png", png});
    EXPECT_EQ(noLogo.exitCode, 1);
    EXPECT_TRUE(noLogo.err.contains(QStringLiteral("nologo.bmp"))) << noLogo.err.toStdString();
    EXPECT_FALSE(QFileInfo::exists(png));

    TDM dm;
    dm.connect(home.dataFolder());
    execOrThrow(ConnectionOf(dm), QStringLiteral("UPDATE FACTURES SET ID_NUMBER=4242 WHERE FACT_NUMBER=7"));
    dm.disconnect();
    IniFile ini(settingsFilePath(home.path()));
    ASSERT_TRUE(ini.load());
    ini.writeBool(QStringLiteral("LOGOTYPE"), QStringLiteral("ON_OFF"), false);
    ASSERT_TRUE(ini.save());
    const ProcessResult noClient = runDocmar({"--home", home.path(), "print", "invoice", "7", "--png", png});
    EXPECT_EQ(noClient.exitCode, 1);
    EXPECT_TRUE(noClient.err.contains(QStringLiteral("Клиент № 4242"))) << noClient.err.toStdString();
    EXPECT_FALSE(QFileInfo::exists(png));
}

TEST(CommandLine, RegisterWritesTheListsRegisterByteForByte)
{
    TestHome home;
    ASSERT_EQ(runDocmar({"--home", home.path(), "init-db"}).exitCode, 0);
    {
        TDM dm;
        dm.connect(home.dataFolder());
        execOrThrow(ConnectionOf(dm), QStringLiteral("INSERT INTO CLIENTS (ID_NUMBER, FIRMNAME) VALUES "
                                                     "(2, 'ABC Ltd'), (3, 'XYZ')"));
        execOrThrow(ConnectionOf(dm),
                    QStringLiteral("INSERT INTO FACTURES (FACT_NUMBER, FACT_DOPNO, FACT_DATA, NAME_OWNER, "
                                   "ID_NUMBER, FACT_NDS, NAME_POS1, MEASURE_POS1, COUNT_POS1, PRICE_POS1) "
                                   "VALUES (17, '/1', '2001-02-05', 'ABC', 2, 20, 'Goods', 'шт.', 2, 50), "
                                   "(18, '', '2001-02-06', 'XYZ', 3, 20, 'Nails', 'кг.', 1, 10)"));
    }
    const QByteArray ruler =
        "+--------+------------+-------------------------+--------------------+-------+------+--------+\r\n";

    ProcessResult r = runDocmar({"--home", home.path(), "register", "invoices", "--from", "01.01.2001",
                                 "--to", "31.12.2001", "--client", "2"});
    ASSERT_EQ(r.exitCode, 0) << r.err.toStdString();
    QFile file(home.file(QStringLiteral("FACTURE1.TXT")));
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    const QByteArray bytes = file.readAll();
    // Windows-1251: "Дата" is C4 E0 F2 E0.
    EXPECT_TRUE(bytes.contains(QByteArray("|  \xC4\xE0\xF2\xE0  |")));
    const QList<QByteArray> lines = bytes.split('\n');
    ASSERT_EQ(lines.size(), 8); // six lines, the totals line, and nothing after its CR LF
    EXPECT_EQ(lines[0] + '\n', ruler);
    EXPECT_EQ(lines[3], QByteArray("|05.02.01|     17/1   |ABC                      |                    "
                                   "| 100.00| 20.00|  120.00|\r"));
    EXPECT_EQ(lines[4], QByteArray("|        |            |                         |Goods               "
                                   "| 100.00| 20.00|  120.00|\r"));
    EXPECT_EQ(lines[5] + '\n', ruler);
    EXPECT_EQ(lines[6], QByteArray("     \xC8\xD2\xCE\xC3\xCE : \xF1\xF3\xEC\xEC\xE0 -     100.00, "
                                   "\xCD\xC4\xD1 -      20.00, \xF1\xF3\xEC\xEC\xE0 \xF1 \xCD\xC4\xD1 -     "
                                   "120.00.\r"));

    // Every client's documents, to the named file, replacing it.
    const QString named = home.file(QStringLiteral("all.txt"));
    QFile old(named);
    ASSERT_TRUE(old.open(QIODevice::WriteOnly));
    old.write(QByteArray(5000, 'x'));
    old.close();
    r = runDocmar({"--home", home.path(), "register", "invoices", "--from", "01.01.2001", "--to",
                   "31.12.2001", "-o", named});
    ASSERT_EQ(r.exitCode, 0) << r.err.toStdString();
    ASSERT_TRUE(old.open(QIODevice::ReadOnly));
    const QByteArray all = old.readAll();
    EXPECT_FALSE(all.contains('x'));
    EXPECT_TRUE(all.contains("|06.02.01|     18     |XYZ"));
    EXPECT_TRUE(all.contains("-     110.00, ")); // 100.00 + 10.00 without VAT

    // Waybill registers: an empty period is the four lines with zero totals.
    r = runDocmar(
        {"--home", home.path(), "register", "expense", "--from", "01.01.2001", "--to", "31.12.2001"});
    ASSERT_EQ(r.exitCode, 0) << r.err.toStdString();
    QFile waybills(home.file(QStringLiteral("NAKLADN1.TXT")));
    ASSERT_TRUE(waybills.open(QIODevice::ReadOnly));
    EXPECT_EQ(waybills.readAll().count("\r\n"), 4);

    for (const QStringList& bad :
         {QStringList{"register", "invoices", "--from", "01.01.2001"},
          QStringList{"register", "waybills", "--from", "01.01.2001", "--to", "31.12.2001"},
          QStringList{"register", "tax", "--from", "31.02.2001", "--to", "31.12.2001"},
          QStringList{"register", "tax", "--from", "01.01.2001", "--to", "31.12.2001", "--client", "x"}})
        EXPECT_EQ(runDocmar(QStringList{"--home", home.path()} + bad).exitCode, 2)
            << bad.join(' ').toStdString();
    // A folder that does not exist: a message, exit 1, nothing written.
    r = runDocmar({"--home", home.path(), "register", "tax", "--from", "01.01.2001", "--to", "31.12.2001",
                   "-o", home.file(QStringLiteral("no/such/r.txt"))});
    EXPECT_EQ(r.exitCode, 1);
    EXPECT_FALSE(r.err.isEmpty());
}

TEST(CommandLine, ExportClientsAppendsTheListAsTheDialogWritesIt)
{
    TestHome home;
    ASSERT_EQ(runDocmar({"--home", home.path(), "init-db"}).exitCode, 0);
    {
        TDM dm;
        dm.connect(home.dataFolder());
        execOrThrow(ConnectionOf(dm),
                    QStringLiteral("INSERT INTO CLIENTS (ID_NUMBER, FIRMNAME, CITY, DOGNUMBER) VALUES "
                                   "(2, 'Бета', 'Київ', '5'), (3, 'Альфа', 'Львів', '6'), "
                                   "(4, 'Гама', 'Київ', NULL)"));
    }
    const auto run = [&home](QStringList args) {
        return runDocmar(QStringList{"--home", home.path(), "export-clients"} + args);
    };
    // By city in the order of the contract numbers, the name cut to 3.
    ProcessResult r = run({"--fields", "city,DOGNUMBER:3,FIRMNAME:3", "--city", "Київ", "--sort", "DOG_NUM"});
    ASSERT_EQ(r.exitCode, 0) << r.err.toStdString();
    QFile file(home.file(QStringLiteral("clients.txt")));
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    const QStringList lines = decode1251(file.readAll()).split(QStringLiteral("\r\n"));
    EXPECT_EQ(lines, (QStringList{"+----------------+----------+--------------+",
                                  "|Город           |№ договора|Название фирмы|",
                                  "+----------------+----------+--------------+",
                                  "|Київ            |   |Гам|", "|Київ            |5  |Бет|",
                                  "+----------------+----------+--------------+", " ", ""}));
    // Names by beginning, to a named file.
    const QString named = home.file(QStringLiteral("l.txt"));
    r = run({"--fields", "FIRMNAME:5", "--name", "Аль*", "-o", named});
    ASSERT_EQ(r.exitCode, 0) << r.err.toStdString();
    QFile one(named);
    ASSERT_TRUE(one.open(QIODevice::ReadOnly));
    EXPECT_EQ(decode1251(one.readAll()).count(QStringLiteral("|Альфа|")), 1);

    for (const QStringList& bad :
         {QStringList{}, QStringList{"--fields", "NOSUCH"}, QStringList{"--fields", "CITY:256"},
          QStringList{"--fields", "CITY:-1"}, QStringList{"--fields", "CITY", "--sort", "X"},
          QStringList{"--fields", "CITY", "-o", ""}})
        EXPECT_EQ(run(bad).exitCode, 2) << bad.join(' ').toStdString();
}

TEST(CommandLine, BackupTakesTheBookInUseAndClearingWantsYes)
{
    TestHome home;
    // The book lives where PATH says, not in DataBase beside the program: that is what is backed up.
    const QString elsewhere = home.file(QStringLiteral("Books/2026"));
    IniFile ini(settingsFilePath(home.path()));
    ini.writeString(QStringLiteral("DATABASE"), QStringLiteral("PATH"), elsewhere);
    ASSERT_TRUE(ini.save());
    ASSERT_EQ(runDocmar({"--home", home.path(), "demo", "--clients", "5", "--invoices", "20"}).exitCode, 0);
    ProcessResult r = runDocmar({"--home", home.path(), "backup"});
    EXPECT_EQ(r.exitCode, 0) << r.err.toStdString();
    EXPECT_TRUE(r.err.contains(QStringLiteral("Скопировано файлов: 1.")));
    const QString copy = NewestCopy(QDir(elsewhere).filePath(QStringLiteral("BackUp")), "docmar.db");
    EXPECT_EQ(TDM::bookFileProblem(copy), QString());
    EXPECT_FALSE(QFileInfo::exists(home.file(QStringLiteral("DataBase/BackUp"))));

    r = runDocmar({"--home", home.path(), "clear-documents"});
    EXPECT_EQ(r.exitCode, 1);
    EXPECT_TRUE(r.err.startsWith(QStringLiteral("Очистить базу документов?")));
    EXPECT_TRUE(runDocmar({"--home", home.path(), "find", "invoice", "1"}).out.contains("FACT_NUMBER=1"));
    // --yes answers both of the button's questions: a copy first, then the clearing.
    r = runDocmar({"--home", home.path(), "clear-documents", "--yes"});
    ASSERT_EQ(r.exitCode, 0) << r.err.toStdString();
    EXPECT_TRUE(r.err.contains(QStringLiteral("Сделать перед очисткой резервную копию базы? -> Да")));
    EXPECT_TRUE(r.err.contains(QStringLiteral("Скопировано файлов: 1.")));
    EXPECT_TRUE(r.err.contains(QStringLiteral("удалено счетов-фактур 20,")));
    EXPECT_EQ(runDocmar({"--home", home.path(), "find", "invoice", "1"}).exitCode, 1);
    // The backup still holds the documents.
    {
        const QSqlDatabase db = openSqliteFile(copy, QStringLiteral("copy"), false);
        EXPECT_EQ(scalar(db, QStringLiteral("SELECT count(*) FROM FACTURES WHERE FACT_NUMBER>0")).toInt(),
                  20);
    }
    closeConnection(QStringLiteral("copy"));
    EXPECT_EQ(runDocmar({"--home", home.path(), "backup", "extra"}).exitCode, 2);
}

TEST(CommandLine, ImportParadoxBringsABookAndSaysWhatItDid)
{
    TestHome home;
    const QString folder = home.file(QStringLiteral("px"));
    ASSERT_TRUE(QDir().mkpath(folder));
    const std::pair<const TableDef*, const char*> tables[] = {{&Tables::clients(), "Clients.DB"},
                                                              {&Tables::factures(), "Factures.DB"},
                                                              {&Tables::nakladn1(), "Nakladn1.DB"},
                                                              {&Tables::nakladn2(), "Nakladn2.DB"},
                                                              {&Tables::products(), "PRODUCTS.DB"}};
    for (const auto& [table, file] : tables)
        ASSERT_TRUE(WriteParadoxTable(QDir(folder).filePath(file), ParadoxFieldsOf(*table), {}));
    ASSERT_TRUE(WriteParadoxTable(QDir(folder).filePath("Clients.DB"), ParadoxFieldsOf(Tables::clients()),
                                  {{2, "ТОВ \"Їжак\""}, {3, "ПП \"Ґанок\""}}));
    ProcessResult r = runDocmar({"--home", home.path(), "import-paradox", folder});
    ASSERT_EQ(r.exitCode, 0) << r.err.toStdString();
    // Not a terminal: a line per table with its count, then the summary.
    EXPECT_TRUE(r.err.contains(QStringLiteral("CLIENTS: 2 / 2\n")));
    EXPECT_TRUE(r.err.contains(
        QStringLiteral("CLIENTS (Clients.DB): прочитано записей 2, записано 2, обрезано значений 0")));
    EXPECT_TRUE(r.err.contains(QStringLiteral("Таблица Acts.DB не найдена и пропущена.")));
    {
        TDM dm;
        dm.connect(home.dataFolder());
        EXPECT_EQ(scalar(ConnectionOf(dm), QStringLiteral("SELECT FIRMNAME FROM CLIENTS WHERE ID_NUMBER=3"))
                      .toString(),
                  QStringLiteral("ПП \"Ґанок\""));
    }
    // A second time the book is not empty: refused, nothing doubled.
    r = runDocmar({"--home", home.path(), "import-paradox", folder});
    EXPECT_EQ(r.exitCode, 1);
    EXPECT_TRUE(r.err.startsWith(QStringLiteral("В базе данных уже есть клиенты"))) << r.err.toStdString();
    EXPECT_EQ(runDocmar({"--home", home.path(), "import-paradox"}).exitCode, 2);
    EXPECT_EQ(runDocmar({"--home", home.path(), "import-paradox", folder, "--codepage", "DOS"}).exitCode, 2);
    r = runDocmar({"--home", home.path(), "import-paradox", home.file(QStringLiteral("none"))});
    EXPECT_EQ(r.exitCode, 1);
}

// Messages come in the interface's language: the one the settings name, else the desktop's.
TEST(CommandLine, MessagesFollowTheInterfaceLanguage)
{
    const auto initDb = [](const QString& home, const char* lang) {
        QProcess p;
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.remove(QStringLiteral("LC_ALL"));
        env.remove(QStringLiteral("LC_MESSAGES"));
        env.insert(QStringLiteral("LANG"), QLatin1String(lang));
        p.setProcessEnvironment(env);
        p.start(docmarProgram(), {"--home", home, "init-db"});
        p.waitForFinished();
        return QString::fromUtf8(p.readAllStandardError());
    };
    TestHome ukrainianDesktop, russianDesktop, chosen;
    EXPECT_TRUE(initDb(ukrainianDesktop.path(), "uk_UA.UTF-8")
                    .startsWith(QStringLiteral("Створено порожню базу даних")));
    EXPECT_TRUE(
        initDb(russianDesktop.path(), "C.UTF-8").startsWith(QStringLiteral("Создана пустая база данных")));
    IniFile ini(settingsFilePath(chosen.path()));
    ini.writeString(QStringLiteral("INTERFACE"), QStringLiteral("LANGUAGE"), QStringLiteral("uk"));
    ASSERT_TRUE(ini.save());
    EXPECT_TRUE(initDb(chosen.path(), "C.UTF-8").startsWith(QStringLiteral("Створено порожню базу даних")));
}

// A PostgreSQL book named in docmar.ini's BOOK, or for one run by --book, serves every command; the copy
// of PATH's file stays where it was, and no password is ever taken into the address.
TEST(CommandLine, TheBookSettingAndBookOptionNameAPostgresBook)
{
    TestHome home;
    const QString book = NewPostgresBook();
    ASSERT_FALSE(book.isEmpty());
    const QString homeArg = QStringLiteral("--home=") + home.path();
    ProcessResult r = runDocmar({homeArg, QStringLiteral("--book"), book, QStringLiteral("init-db")});
    ASSERT_EQ(r.exitCode, 0) << r.err.toStdString();
    EXPECT_TRUE(r.err.contains(book)) << r.err.toStdString();
    EXPECT_FALSE(TDM::databaseExists(home.dataFolder())); // no SQLite file was made
    r = runDocmar({homeArg, QStringLiteral("--book"), book, QStringLiteral("init-db")});
    EXPECT_EQ(r.exitCode, 0);
    EXPECT_TRUE(r.err.contains(QStringLiteral("уже существует"))) << r.err.toStdString();

    // The key in the settings file, its other lines kept.
    IniFile ini(settingsFilePath(home.path()));
    ASSERT_TRUE(ini.load());
    ini.writeString(QStringLiteral("DATABASE"), QStringLiteral("BOOK"), book);
    ASSERT_TRUE(ini.save());
    r = runDocmar({homeArg, QStringLiteral("demo"), QStringLiteral("--clients"), QStringLiteral("3"),
                   QStringLiteral("--invoices"), QStringLiteral("10")});
    ASSERT_EQ(r.exitCode, 0) << r.err.toStdString();
    r = runDocmar({homeArg, QStringLiteral("find"), QStringLiteral("invoice"), QStringLiteral("10")});
    EXPECT_EQ(r.exitCode, 0) << r.err.toStdString();
    EXPECT_TRUE(r.out.startsWith(QStringLiteral("FACT_NUMBER=10\n"))) << r.out.toStdString();
    Settings settings = defaultSettings(home.path());
    ASSERT_TRUE(ReadSettings(settings, home.path()));
    EXPECT_EQ(settings.book, book);
    ASSERT_TRUE(WriteSettings(settings, home.path()));
    EXPECT_TRUE(fileBytes(settingsFilePath(home.path())).contains("BOOK=" + book.toUtf8()));

    // --book "" is the SQLite file for this run, which has no database yet.
    r = runDocmar({homeArg, QStringLiteral("--book="), QStringLiteral("find"), QStringLiteral("invoice"),
                   QStringLiteral("10")});
    EXPECT_EQ(r.exitCode, 1);
    EXPECT_TRUE(r.err.contains(QStringLiteral("Файл базы данных не найден"))) << r.err.toStdString();

    r = runDocmar({homeArg, QStringLiteral("--book"), QStringLiteral("mysql://x/y"), QStringLiteral("find"),
                   QStringLiteral("invoice"), QStringLiteral("1")});
    EXPECT_EQ(r.exitCode, 2);
    QString withPassword = book;
    withPassword.replace(QStringLiteral("postgresql://postgres@"),
                         QStringLiteral("postgresql://postgres:secret@"));
    r = runDocmar({homeArg, QStringLiteral("--book"), withPassword, QStringLiteral("find"),
                   QStringLiteral("invoice"), QStringLiteral("1")});
    EXPECT_EQ(r.exitCode, 1);
    EXPECT_TRUE(r.err.contains(QStringLiteral("PGPASSWORD"))) << r.err.toStdString();
    EXPECT_FALSE(r.err.contains(QStringLiteral("secret"))) << r.err.toStdString();
}

TEST(CommandLine, NoOutputLandsOnTheBookItsBackupsOrTheSettings)
{
    TestHome home;
    ASSERT_EQ(runDocmar({"--home", home.path(), "demo", "--clients", "5", "--invoices", "20"}).exitCode, 0);
    ASSERT_EQ(runDocmar({"--home", home.path(), "backup"}).exitCode, 0);
    const QString book = TDM::databaseFile(home.dataFolder());
    const QString settings = home.file(QStringLiteral("docmar.ini"));
    const QString backup =
        NewestCopy(QDir(home.dataFolder()).filePath(QStringLiteral("BackUp")), "docmar.db");
    // Another name for the book, by a link: compared by the file itself.
    const QString link = home.file(QStringLiteral("link.db"));
    ASSERT_TRUE(QFile::link(book, link));
    const QByteArray bookBefore = fileHash(book), settingsBefore = fileHash(settings);
    const QString period[] = {"--from", "01.01.2000", "--to", "31.12.2030"};
    for (const QString& target : {book, link, book + QStringLiteral("-journal"), settings, backup,
                                  home.dataFolder() + QStringLiteral("/../DataBase/docmar.db")}) {
        ProcessResult r = runDocmar({"--home", home.path(), "register", "invoices", period[0], period[1],
                                     period[2], period[3], "-o", target});
        EXPECT_EQ(r.exitCode, 1) << target.toStdString();
        EXPECT_TRUE(r.err.contains(QStringLiteral("в него ничего не записывается"))) << r.err.toStdString();
        EXPECT_EQ(runDocmar({"--home", home.path(), "print", "invoice", "7", "--pdf", target}).exitCode, 1)
            << target.toStdString();
        EXPECT_EQ(runDocmar({"--home", home.path(), "export-clients", "--fields", "FIRMNAME", "-o", target})
                      .exitCode,
                  1)
            << target.toStdString();
    }
    EXPECT_EQ(fileHash(book), bookBefore);
    EXPECT_EQ(fileHash(settings), settingsBefore);
    EXPECT_FALSE(QFile::exists(book + QStringLiteral("-journal")));
    // Anywhere else the outputs go as ever.
    EXPECT_EQ(
        runDocmar({"--home", home.path(), "print", "invoice", "7", "--pdf", home.file("7.pdf")}).exitCode, 0);
}
