#include "clients/client_register.h"
#include "db/data_module.h"
#include "db/tables.h"
#include "support/test_support.h"

#include <QAbstractItemModelTester>

#include <gtest/gtest.h>

namespace {

class ClientRegisterTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        dm = home.createAndConnect();
        dm->SaveOwnerRecord(OwnerRecord{});
        add("ТОВ \"Ґрунт\"", "Київ", "Шевчук Іван Петрович", "12/24");
        add("ПП \"Кам'янець\"", "Кам'янець-Подільський", "Бойко О.О.", "3");
        add("ТОВ \"Альфа\"", "Харків", "Мороз П.П.", "");
        add("ТОВ \"агролайн\"", "київ", "Шевченко Т.Г.", "1");
        add("ДП \"Єва\"", "Львів", "Левченко А.А.", "7");
        reg = std::make_unique<ClientRegister>(*dm);
        tester = std::make_unique<QAbstractItemModelTester>(
            &reg->model(), QAbstractItemModelTester::FailureReportingMode::Warning);
        reg->reload();
    }
    void add(const char* name, const char* city, const char* chief, const char* contract)
    {
        ClientRow c;
        c.ID_NUMBER = dm->NextClientNumber();
        c.FIRMNAME = QString::fromUtf8(name);
        c.CITY = QString::fromUtf8(city);
        c.CHIEF = QString::fromUtf8(chief);
        c.DOGNUMBER = QString::fromUtf8(contract);
        SaveClient(*dm, c);
    }
    QStringList names()
    {
        QStringList out;
        for (int r = 0; r < reg->model().rowCount(); ++r)
            out << reg->model().value(r, QStringLiteral("FIRMNAME")).toString();
        return out;
    }

    TestHome home;
    std::unique_ptr<TDM> dm;
    std::unique_ptr<ClientRegister> reg;
    std::unique_ptr<QAbstractItemModelTester> tester;
};

} // namespace

TEST_F(ClientRegisterTest, OwnerNeverShowsInAnyOrder)
{
    for (const QString& index : sortIndexNames()) {
        reg->setSortIndex(index);
        EXPECT_EQ(reg->model().rowCount(), 5) << index.toStdString();
        EXPECT_EQ(reg->rowOfId(1), -1);
    }
    ClientFilter all;
    all.nameOn = true;
    all.nameValue = QStringLiteral("*");
    reg->setFilter(all);
    EXPECT_EQ(reg->model().rowCount(), 5);
    EXPECT_EQ(all.text(), QStringLiteral("ID_NUMBER>1 AND FIRMNAME='*'"));
}

TEST_F(ClientRegisterTest, SortOrdersFollowTheAlphabet)
{
    reg->setSortIndex(QStringLiteral("FIRMA"));
    EXPECT_EQ(names(), (QStringList{"ДП \"Єва\"", "ПП \"Кам'янець\"", "ТОВ \"агролайн\"", "ТОВ \"Альфа\"",
                                    "ТОВ \"Ґрунт\""}));
    reg->setSortIndex(QStringLiteral("CHIEFNAME"));
    EXPECT_EQ(reg->clientAt(0).CHIEF, QStringLiteral("Бойко О.О."));
    EXPECT_EQ(reg->clientAt(3).CHIEF, QStringLiteral("Шевченко Т.Г."));
    EXPECT_EQ(reg->clientAt(4).CHIEF, QStringLiteral("Шевчук Іван Петрович"));
    reg->setSortIndex(QStringLiteral("NO_SUCH_INDEX"));
    EXPECT_EQ(reg->sortIndex(), QStringLiteral("FIRMA"));

    EXPECT_EQ(indexOfColumn(QStringLiteral("CITY")), QStringLiteral("CITYADR"));
    EXPECT_EQ(indexOfColumn(QStringLiteral("CHIEF")), QStringLiteral("CHIEFNAME"));
    EXPECT_EQ(indexOfColumn(QStringLiteral("TELFAX")), QString());
    EXPECT_EQ(indexOfColumn(QStringLiteral("DOGDATA")), QString());
}

TEST_F(ClientRegisterTest, FiltersIgnoreCaseMatchPrefixesAndTakeApostrophes)
{
    ClientFilter f;
    f.nameOn = true;
    f.nameValue = QStringLiteral("тов*");
    reg->setFilter(f);
    EXPECT_EQ(reg->model().rowCount(), 3);

    f.cityOn = true;
    f.cityValue = QStringLiteral("КИЇВ");
    EXPECT_EQ(f.text(), QStringLiteral("ID_NUMBER>1 AND FIRMNAME='тов*' AND CITY='КИЇВ'"));
    reg->setFilter(f);
    EXPECT_EQ(names(), (QStringList{"ТОВ \"агролайн\"", "ТОВ \"Ґрунт\""}));

    ClientFilter apostrophe;
    apostrophe.cityOn = true;
    apostrophe.cityValue = QStringLiteral("кам'янець*");
    reg->setFilter(apostrophe);
    EXPECT_EQ(names(), QStringList{"ПП \"Кам'янець\""});
    apostrophe.cityValue = QStringLiteral("Кам'янець"); // full match: the whole city, not its beginning
    reg->setFilter(apostrophe);
    EXPECT_EQ(reg->model().rowCount(), 0);
    apostrophe.cityValue = QStringLiteral("x' OR '1'='1");
    reg->setFilter(apostrophe);
    EXPECT_EQ(reg->model().rowCount(), 0);
}

TEST_F(ClientRegisterTest, FindLooksFromTheCurrentClientOn)
{
    reg->setSortIndex(QStringLiteral("FIRMA"));
    const int chief = 1;
    // Part of a surname in capitals, without full match, in any letter case.
    FindResult r = FindClient(*reg, 0, chief, QStringLiteral("ШЕВЧ"), false);
    EXPECT_EQ(reg->clientAt(r.row).CHIEF, QStringLiteral("Шевченко Т.Г."));
    r = FindClient(*reg, r.row, chief, QStringLiteral("ШЕВЧ"), false); // the current one matches again
    EXPECT_EQ(reg->clientAt(r.row).CHIEF, QStringLiteral("Шевченко Т.Г."));
    r = FindClient(*reg, r.row + 1, chief, QStringLiteral("ШЕВЧ"), false);
    EXPECT_EQ(reg->clientAt(r.row).CHIEF, QStringLiteral("Шевчук Іван Петрович"));
    EXPECT_EQ(FindClient(*reg, 0, chief, QStringLiteral("ШЕВЧ"), true).row, -1);
    EXPECT_GE(FindClient(*reg, 0, chief, QStringLiteral("шевчук іван петрович"), true).row, 0);
    EXPECT_GE(FindClient(*reg, 0, 8, QStringLiteral("12/24"), true).row, 0);

    // Letter case ignored through the whole alphabet, on the server too, where the stored keys are
    // searched; a letter outside it keeps its case (ђ is not Ђ).
    add("ПП \"Ђорђе\"", "Ужгород", "Ґалаґан Ї.Ё.", "");
    reg->reload();
    for (const auto& [field, text, whole, found] : {std::tuple{0, "пп \"ЂОРђЕ\"", true, true},
                                                    {0, "ЂОР", false, true},
                                                    {0, "ђор", false, false},
                                                    {1, "ґАЛАҐАН ї.ё.", true, true},
                                                    {1, "АҐАН Ї", false, true}}) {
        r = FindClient(*reg, 0, field, QString::fromUtf8(text), whole);
        EXPECT_EQ(reg->clientAt(r.row).FIRMNAME, found ? QStringLiteral("ПП \"Ђорђе\"") : QString()) << text;
    }

    int asked = 0;
    r = FindClient(
        *reg, 0, 0, QStringLiteral("nothing like it"), false, [&] { return ++asked < 3; }, 1);
    EXPECT_TRUE(r.interrupted);
    EXPECT_EQ(r.row, -1);
    EXPECT_EQ(asked, 3);
}

TEST_F(ClientRegisterTest, SaveKeepsColumnsTheRegisterDoesNotEdit)
{
    execOrThrow(ConnectionOf(*dm),
                QStringLiteral("UPDATE CLIENTS SET INFO='note', CHETNUMBER2='222' WHERE ID_NUMBER=2"));
    ClientRow c = reg->clientAt(reg->rowOfId(2));
    c.FIRMNAME = QString(200, u'Ф');
    c.DOGDATA = QDate(2024, 2, 29);
    c.INFO = QStringLiteral("ignored");
    SaveClient(*dm, c);
    reg->reload();
    const ClientRow back = reg->clientAt(reg->rowOfId(2));
    EXPECT_EQ(back.FIRMNAME, QString(128, u'Ф'));
    EXPECT_EQ(back.DOGDATA, QDate(2024, 2, 29));
    EXPECT_EQ(back.INFO, QStringLiteral("note"));
    EXPECT_EQ(back.CHETNUMBER2, QStringLiteral("222"));
}

TEST_F(ClientRegisterTest, ClearingTakesEveryShownClientAndTheirDocumentsButNotTheOwner)
{
    for (int id = 2; id <= 6; ++id)
        execOrThrow(ConnectionOf(*dm),
                    QStringLiteral("INSERT INTO FACTURES (FACT_NUMBER, ID_NUMBER) VALUES (?, ?)"),
                    {id * 10, id});
    execOrThrow(ConnectionOf(*dm),
                QStringLiteral("INSERT INTO NAKLADN1 (NAKL_NUMBER, ID_NUMBER) VALUES (1, 3)"));
    EXPECT_EQ(ClearRegister(*dm, *reg), 5);
    EXPECT_EQ(reg->model().rowCount(), 0);
    EXPECT_EQ(scalar(ConnectionOf(*dm), QStringLiteral("SELECT count(*) FROM CLIENTS")).toInt(), 1);
    EXPECT_EQ(scalar(ConnectionOf(*dm), QStringLiteral("SELECT count(*) FROM FACTURES")).toInt(), 0);
    EXPECT_EQ(scalar(ConnectionOf(*dm), QStringLiteral("SELECT count(*) FROM NAKLADN1")).toInt(), 0);
}

TEST_F(ClientRegisterTest, AFailedClearingLeavesNoClientHalfDeleted)
{
    for (int id = 2; id <= 6; ++id)
        execOrThrow(ConnectionOf(*dm),
                    QStringLiteral("INSERT INTO NAKLADN2 (NAKL_NUMBER, ID_NUMBER) VALUES (?, ?)"), {id, id});
    reg->setSortIndex(QStringLiteral("FIRMA"));
    const int failing = reg->idAt(2);
    FailDeletesFrom(ConnectionOf(*dm), QStringLiteral("NAKLADN2"),
                    QStringLiteral("OLD.ID_NUMBER=%1").arg(failing));
    EXPECT_THROW(ClearRegister(*dm, *reg), DbError);
    // The two clients after it in the list went whole; it and those before it stay whole.
    EXPECT_EQ(
        scalar(ConnectionOf(*dm), QStringLiteral("SELECT count(*) FROM CLIENTS WHERE ID_NUMBER>1")).toInt(),
        3);
    EXPECT_EQ(scalar(ConnectionOf(*dm), QStringLiteral("SELECT count(*) FROM NAKLADN2")).toInt(), 3);
    EXPECT_EQ(scalar(ConnectionOf(*dm),
                     QStringLiteral("SELECT count(*) FROM CLIENTS WHERE ID_NUMBER>1 AND ID_NUMBER NOT IN "
                                    "(SELECT ID_NUMBER FROM NAKLADN2)"))
                  .toInt(),
              0);
}
