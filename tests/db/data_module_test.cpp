#include "base/prompter.h"
#include "db/data_module.h"
#include "db/tables.h"
#include "support/test_support.h"

#include <QSqlQuery>

#include <gtest/gtest.h>

namespace {

class DataModuleTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        dm = home.createAndConnect();
        db = ConnectionOf(*dm);
    }

    void invoice(int number, int client, const QDate& date = {}, int nds = 20)
    {
        execOrThrow(db,
                    QStringLiteral("INSERT INTO FACTURES (FACT_NUMBER, ID_NUMBER, FACT_DATA, FACT_NDS) "
                                   "VALUES (?, ?, ?, ?)"),
                    {number, client, dateToDb(date), nds});
    }
    // An invoice, a receipt, a waybill of each kind and an act of a new client.
    void documentsOf(int client)
    {
        invoice(client * 10, client);
        invoice(-client, client);
        execOrThrow(db, QStringLiteral("INSERT INTO NAKLADN1 (NAKL_NUMBER, ID_NUMBER) VALUES (?, ?)"),
                    {client, client});
        execOrThrow(db, QStringLiteral("INSERT INTO NAKLADN2 (NAKL_NUMBER, ID_NUMBER) VALUES (?, ?)"),
                    {client, client});
        execOrThrow(db, QStringLiteral("INSERT INTO ACTS (ACT_NUMBER, ID_NUMBER) VALUES (?, ?)"),
                    {client, client});
        execOrThrow(db, QStringLiteral("INSERT INTO CLIENTS (ID_NUMBER, FIRMNAME) VALUES (?, 'x')"),
                    {client});
    }
    int count(const char* table, int client)
    {
        return scalar(db,
                      QStringLiteral("SELECT count(*) FROM %1 WHERE ID_NUMBER=?").arg(QLatin1String(table)),
                      {client})
            .toInt();
    }

    TestHome home;
    std::unique_ptr<TDM> dm;
    QSqlDatabase db;
};

} // namespace

TEST_F(DataModuleTest, NextNumbersOnEmptyTables)
{
    EXPECT_EQ(dm->NextFactNumber(), 1);
    EXPECT_EQ(dm->NextReceiptNumber(), -1);
    EXPECT_EQ(dm->NextNakl1Number(), 1);
    EXPECT_EQ(dm->NextNakl2Number(), 1);
    EXPECT_EQ(dm->NextClientNumber(), 1);
    dm->SaveOwnerRecord(OwnerRecord{});
    EXPECT_EQ(dm->NextClientNumber(), 2);
}

TEST_F(DataModuleTest, InvoicesAndReceiptsShareTheirTable)
{
    for (int n : {-1, -2, -3})
        invoice(n, 2);
    EXPECT_EQ(dm->NextFactNumber(), 1);
    EXPECT_EQ(dm->NextReceiptNumber(), -4);
    execOrThrow(db, QStringLiteral("DELETE FROM FACTURES WHERE FACT_NUMBER=-1"));
    EXPECT_EQ(dm->NextFactNumber(), 1);
    execOrThrow(db, QStringLiteral("DELETE FROM FACTURES"));
    for (int n = 5; n <= 9; ++n)
        invoice(n, 2);
    EXPECT_EQ(dm->NextReceiptNumber(), -1);
    EXPECT_EQ(dm->NextFactNumber(), 10);
    invoice(0, 2); // a row numbered 0 is neither kind
    EXPECT_EQ(dm->NextReceiptNumber(), -1);
}

TEST_F(DataModuleTest, WaybillNumbersFollowTheLargest)
{
    execOrThrow(db, QStringLiteral("INSERT INTO NAKLADN1 (NAKL_NUMBER) VALUES (41)"));
    execOrThrow(db, QStringLiteral("INSERT INTO NAKLADN2 (NAKL_NUMBER) VALUES (7)"));
    EXPECT_EQ(dm->NextNakl1Number(), 42);
    EXPECT_EQ(dm->NextNakl2Number(), 8);
}

TEST_F(DataModuleTest, LookupsReadZeroForMissingDocuments)
{
    invoice(12, 5, QDate(2026, 3, 1), 20);
    invoice(15, 5, QDate(2026, 4, 9), 20);
    invoice(16, 6, QDate(2026, 2, 1), 0);
    invoice(-3, 5, QDate(2026, 5, 5), 20);
    EXPECT_EQ(dm->GetFactDate(12), QDate(2026, 3, 1));
    EXPECT_EQ(dm->GetFactDate(-3), QDate(2026, 5, 5));
    EXPECT_EQ(dm->GetFactDate(99), kDateZero);
    EXPECT_EQ(dm->GetFactClient(16), 6);
    EXPECT_EQ(dm->GetFactClient(99), 0);
    EXPECT_EQ(dm->GetFactNds(16), 0);
    EXPECT_EQ(dm->GetFactNds(12), 20);

    EXPECT_EQ(dm->LatestFactDate(12, 0, 0), QDate(2026, 3, 1));
    EXPECT_EQ(dm->LatestFactDate(12, 15, 0), QDate(2026, 4, 9));
    EXPECT_EQ(dm->LatestFactDate(16, 12, 15), QDate(2026, 4, 9));
    EXPECT_EQ(dm->LatestFactDate(15, 12, 16), QDate(2026, 4, 9));

    EXPECT_TRUE(dm->SameFactClient(12, 15, 0));
    EXPECT_TRUE(dm->SameFactClient(12, 15, -3));
    EXPECT_FALSE(dm->SameFactClient(12, 15, 16));
    EXPECT_FALSE(dm->SameFactClient(12, 0, 15)); // B = 0 is looked up too
    EXPECT_FALSE(dm->SameFactClient(12, 16, 0));

    EXPECT_TRUE(dm->SameFactNds(12, 15, 0));
    EXPECT_FALSE(dm->SameFactNds(12, 15, 16));
    EXPECT_FALSE(dm->SameFactNds(12, 0, 15));
}

TEST_F(DataModuleTest, MissingOwnerRowIsWarnedAboutAndCreated)
{
    ScriptedPrompter prompter;
    OwnerRecord owner;
    owner.FIRMNAME = QStringLiteral("ТОВ \"Перша\"");
    dm->LoadOwnerRecord(owner, &prompter);
    ASSERT_EQ(prompter.messages().size(), 1u);
    EXPECT_EQ(prompter.messages()[0].kind, ScriptedPrompter::Kind::Warn);
    EXPECT_EQ(prompter.messages()[0].text,
              QStringLiteral("Не найдены данные о владельце программы! Значения по умолчанию."));
    EXPECT_EQ(scalar(db, QStringLiteral("SELECT FIRMNAME FROM CLIENTS WHERE ID_NUMBER=1")).toString(),
              QStringLiteral("ТОВ \"Перша\""));

    prompter.clear();
    OwnerRecord loaded;
    loaded.FIRMNAME.clear();
    dm->LoadOwnerRecord(loaded, &prompter);
    EXPECT_TRUE(prompter.messages().empty());
    EXPECT_EQ(loaded, owner);
}

TEST_F(DataModuleTest, OwnerSaveCutsToColumnsAndKeepsOtherColumns)
{
    OwnerRecord owner;
    owner.FIRMNAME = QString(130, u'Ф');
    owner.TAXCODE = QStringLiteral("1234567890123456");
    owner.CHIEF = QString(300, u'x'); // beyond the record's own 255
    dm->SaveOwnerRecord(owner);
    execOrThrow(db, QStringLiteral("UPDATE CLIENTS SET REGION='Полтавська' WHERE ID_NUMBER=1"));
    dm->SaveOwnerRecord(owner);

    OwnerRecord back;
    dm->LoadOwnerRecord(back, nullptr);
    EXPECT_EQ(back.FIRMNAME, QString(128, u'Ф'));
    EXPECT_EQ(back.TAXCODE, QStringLiteral("123456789012"));
    EXPECT_EQ(back.CHIEF, QString(80, u'x'));
    EXPECT_EQ(scalar(db, QStringLiteral("SELECT count(*) FROM CLIENTS")).toInt(), 1);
    EXPECT_EQ(scalar(db, QStringLiteral("SELECT REGION FROM CLIENTS WHERE ID_NUMBER=1")).toString(),
              QStringLiteral("Полтавська"));
}

TEST_F(DataModuleTest, DeletingAClientsDocumentsTouchesNoOneElse)
{
    for (int client : {2, 3})
        documentsOf(client);
    dm->DeleteClientDocuments(2);
    for (const char* t : {"FACTURES", "NAKLADN1", "NAKLADN2", "ACTS"}) {
        EXPECT_EQ(count(t, 2), 0) << t;
        EXPECT_GT(count(t, 3), 0) << t;
    }
    EXPECT_EQ(count("CLIENTS", 2), 1); // the caller removes the client row

    dm->DeleteClient(3);
    for (const char* t : {"FACTURES", "NAKLADN1", "NAKLADN2", "ACTS", "CLIENTS"})
        EXPECT_EQ(count(t, 3), 0) << t;
    dm->SaveOwnerRecord(OwnerRecord{});
    EXPECT_THROW(dm->DeleteClient(1), DbError);
    EXPECT_EQ(count("CLIENTS", 1), 1);
}

TEST_F(DataModuleTest, TheWholeBookIsCountedKindByKindAsEachClientIs)
{
    dm->SaveOwnerRecord(OwnerRecord{});
    EXPECT_FALSE(dm->HoldsRowsBesideOwner());
    for (int client : {2, 3, 4})
        documentsOf(client);
    invoice(0, 4); // neither an invoice nor a receipt
    invoice(99, 4);
    EXPECT_TRUE(dm->HoldsRowsBesideOwner());
    const auto kinds = [](const DocumentCounts& c) {
        return std::vector<int>{c.invoices, c.receipts, c.expenseWaybills, c.taxWaybills, c.acts, c.payments};
    };
    EXPECT_EQ(kinds(dm->CountDocuments()), (std::vector<int>{4, 3, 3, 3, 3, 0}));
    EXPECT_EQ(kinds(dm->CountDocuments(4)), (std::vector<int>{2, 1, 1, 1, 1, 0}));
    dm->DeleteClient(3);
    EXPECT_EQ(kinds(dm->CountDocuments()), (std::vector<int>{3, 2, 2, 2, 2, 0}));
}

TEST_F(DataModuleTest, AFailedCascadeDeleteLeavesTheClientWhole)
{
    invoice(10, 2);
    execOrThrow(db, QStringLiteral("INSERT INTO ACTS (ACT_NUMBER, ID_NUMBER) VALUES (1, 2)"));
    execOrThrow(db, QStringLiteral("INSERT INTO NAKLADN2 (NAKL_NUMBER, ID_NUMBER) VALUES (1, 2)"));
    execOrThrow(db, QStringLiteral("INSERT INTO CLIENTS (ID_NUMBER, FIRMNAME) VALUES (2, 'x')"));
    // The last of the four deletes fails, as a locked or damaged table would.
    FailDeletesFrom(db, QStringLiteral("NAKLADN2"));
    EXPECT_THROW(dm->DeleteClientDocuments(2), DbError);
    EXPECT_THROW(dm->DeleteClient(2), DbError);
    EXPECT_EQ(count("ACTS", 2), 1);
    EXPECT_EQ(count("FACTURES", 2), 1);
    EXPECT_EQ(count("NAKLADN2", 2), 1);
    EXPECT_EQ(count("CLIENTS", 2), 1);
}

TEST_F(DataModuleTest, OperationsOnADisconnectedModuleFailCleanly)
{
    const QString book = dm->book();
    dm->disconnect();
    EXPECT_THROW(dm->NextFactNumber(), DbError);
    EXPECT_THROW(dm->GetFactDate(1), DbError);
    OwnerRecord owner;
    EXPECT_THROW(dm->LoadOwnerRecord(owner, nullptr), DbError);
    dm->connect(home.dataFolder(), book);
    EXPECT_EQ(dm->NextFactNumber(), 1);
}

// A key another writer took first is a collision on either engine: the write is tried again from its start,
// and the second attempt, with the next number, goes in.
TEST_F(DataModuleTest, AKeyTakenFirstIsACollisionTriedAgain)
{
    invoice(1, 2);
    int attempts = 0;
    RetryOnCollision([&] {
        ++attempts;
        Transaction tx(db, Transaction::Writing);
        invoice(attempts, 2); // 1 is taken; 2 is free
        tx.commit();
    });
    EXPECT_EQ(attempts, 2);
    EXPECT_EQ(dm->NextFactNumber(), 3);
}
