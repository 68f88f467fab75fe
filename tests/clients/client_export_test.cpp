#include "base/prompter.h"
#include "base/text_codec.h"
#include "clients/client_export.h"
#include "clients/clients_controller.h"
#include "db/data_module.h"
#include "support/test_support.h"

#include <QFile>

#include <gtest/gtest.h>

namespace {

class ClientExportTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        dm = home.createAndConnect();
        dm->SaveOwnerRecord(OwnerRecord{});
        execOrThrow(
            ConnectionOf(*dm),
            QStringLiteral("INSERT INTO CLIENTS (ID_NUMBER, FIRMNAME, CITY, DOGNUMBER, DOGDATA, OKPOCODE) "
                           "VALUES (2, 'Бета', 'Київ', '12/3', '2003-02-01', '1234567890'), "
                           "(3, 'Альфа', 'Одеса', NULL, NULL, NULL), "
                           "(4, '%1', 'Київ', '7|8', NULL, NULL)")
                .arg(QString(60, u'Я')));
    }
    // The file's lines, decoded, each without its CR LF; false in *crlf when a line lacks it.
    QStringList lines(const QString& file)
    {
        QFile f(file);
        EXPECT_TRUE(f.open(QIODevice::ReadOnly));
        const QString text = decode1251(f.readAll());
        EXPECT_TRUE(text.endsWith(QStringLiteral("\r\n")));
        QStringList out = text.split(QStringLiteral("\r\n"));
        out.removeLast();
        return out;
    }
    ListQuery everyClient() const
    {
        return ListQueries::clients(dm->dialect(), std::nullopt, std::nullopt, QStringLiteral("FIRMA"));
    }

    TestHome home;
    std::unique_ptr<TDM> dm;
};

} // namespace

TEST_F(ClientExportTest, CityAndContractTableByteForByte)
{
    const QString file = home.file(QStringLiteral("clients.txt"));
    ASSERT_TRUE(AppendClientList(*dm, everyClient(), {{4, 16}, {17, 10}}, file));
    const QString rule = u'+' + QString(16, u'-') + u'+' + QString(10, u'-') + u'+';
    EXPECT_EQ(rule.size(), 29);
    const QStringList expected = {
        rule,
        QStringLiteral("|Город           |№ договора|"),
        rule,
        // In the register's order, by name; the owner row is never there; "|" in a value as it is.
        QStringLiteral("|Одеса           |          |"),
        QStringLiteral("|Київ            |12/3      |"),
        QStringLiteral("|Київ            |7|8       |"),
        rule,
        QStringLiteral(" "),
    };
    EXPECT_EQ(lines(file), expected);
    QFile bytes(file);
    ASSERT_TRUE(bytes.open(QIODevice::ReadOnly));
    EXPECT_TRUE(bytes.readAll().contains("|\xC3\xEE\xF0\xEE\xE4           |")); // "Город" in Windows-1251

    // A second export appends a second whole table.
    ASSERT_TRUE(AppendClientList(*dm, everyClient(), {{4, 16}, {17, 10}}, file));
    EXPECT_EQ(lines(file), expected + expected);
}

TEST_F(ClientExportTest, WidthsCutFillAndMisalignAsTheyAreSet)
{
    const QString file = home.file(QStringLiteral("w.txt"));
    // A 60-letter name at the default 48; the ЕДРПОУ code at 5 under its 10-letter caption; the contract
    // date as the short date; width 0 keeps the caption and empties the cells.
    ASSERT_TRUE(AppendClientList(
        *dm,
        ListQueries::clients(dm->dialect(), std::nullopt, QStringLiteral("Київ"), QStringLiteral("FIRMA")),
        {{0, 48}, {9, 5}, {18, 13}, {3, 0}}, file));
    const QStringList l = lines(file);
    ASSERT_EQ(l.size(), 7);
    EXPECT_EQ(l[0], u'+' + QString(48, u'-') + u'+' + QString(10, u'-') + u'+' + QString(13, u'-') + u'+' +
                        QString(14, u'-') + u'+');
    EXPECT_EQ(l[1], QStringLiteral("|Название фирмы") + QString(34, u' ') +
                        QStringLiteral("|Код ЕДРПОУ|Дата договора|Телефон (факс)|"));
    EXPECT_EQ(l[3], QStringLiteral("|Бета") + QString(44, u' ') + QStringLiteral("|12345|01.02.2003   ||"));
    EXPECT_EQ(l[4], u'|' + QString(48, u'Я') + QStringLiteral("|     |             ||"));
}

TEST_F(ClientExportTest, AFailedAppendLeavesTheOldFileAndAMissingFolderIsSaid)
{
    const QString file = home.file(QStringLiteral("keep.txt"));
    QFile old(file);
    ASSERT_TRUE(old.open(QIODevice::WriteOnly));
    old.write("yesterday\r\n");
    old.close();
    QString error;
    EXPECT_FALSE(
        AppendClientList(*dm, everyClient(), {{0, 10}}, home.file(QStringLiteral("no/such.txt")), &error));
    EXPECT_FALSE(error.isEmpty());
    // Appending keeps what was there, before the new table.
    ASSERT_TRUE(AppendClientList(*dm, everyClient(), {{0, 10}}, file));
    EXPECT_EQ(lines(file).first(), QStringLiteral("yesterday"));
    EXPECT_EQ(lines(file).size(), 1 + 3 + 3 + 2);
}

TEST(ClientExportChoice, ListsMoveAsTheButtonsSay)
{
    ClientExportChoice choice;
    EXPECT_EQ(choice.availableEntries().size(), 19);
    EXPECT_FALSE(choice.canExclude()); // nothing to save yet
    choice.include(0);
    EXPECT_EQ(choice.includedEntries(), QStringList{QStringLiteral("Название фирмы (ширина 48)")});
    choice.include(3); // "Город", now fourth of those left
    choice.setIncludedWidth(1, 5);
    EXPECT_EQ(choice.includedEntries().at(1), QStringLiteral("Город (ширина 5)"));
    // "<" puts a field at the end of those left out; ">>" labels each with its own width.
    choice.exclude(0);
    EXPECT_EQ(choice.availableEntries().last(), QStringLiteral("Название фирмы"));
    choice.includeAll();
    EXPECT_FALSE(choice.canInclude());
    EXPECT_EQ(choice.includedEntries().first(), QStringLiteral("Город (ширина 5)"));
    EXPECT_EQ(choice.includedEntries().last(), QStringLiteral("Название фирмы (ширина 48)"));
    // Widths are bounded, and stay through "<<" and a new showing.
    choice.setIncludedWidth(0, 2000000000);
    EXPECT_EQ(choice.includedWidth(0), kMaxExportWidth);
    choice.setIncludedWidth(0, -3);
    EXPECT_EQ(choice.includedWidth(0), 0);
    choice.excludeAll();
    EXPECT_EQ(choice.availableEntries().first(), QStringLiteral("Название фирмы"));
    // An account column takes a whole Ukrainian IBAN.
    const int account = int(std::find_if(exportFields().begin(), exportFields().end(),
                                         [](const auto& f) { return qstrcmp(f.column, "CHETNUMBER") == 0; }) -
                            exportFields().begin());
    EXPECT_EQ(choice.width(account), 29);
    choice.reset();
    EXPECT_EQ(choice.width(4), 0);
    EXPECT_TRUE(choice.columns().empty());
    choice.include(99); // out of range: nothing
    choice.exclude(0);
    EXPECT_TRUE(choice.columns().empty());
}

TEST_F(ClientExportTest, TheControllerExportsTheListAsShownAndSaysWhyNot)
{
    ScriptedPrompter prompter;
    ClientsController clients(*dm, prompter);
    clients.applyFilter(false, QStringLiteral("Од*"));
    clients.exportChoice().include(0);
    const QString file = home.file(QStringLiteral("c.txt"));
    ASSERT_TRUE(clients.exportClients(file));
    const QStringList l = lines(file);
    ASSERT_EQ(l.size(), 6);
    EXPECT_TRUE(l[3].startsWith(QStringLiteral("|Альфа ")));
    EXPECT_FALSE(clients.exportClients(QStringLiteral(" ")));
    EXPECT_FALSE(clients.exportClients(home.file(QStringLiteral("no/such.txt"))));
    EXPECT_EQ(prompter.messages().size(), 2u);
}
