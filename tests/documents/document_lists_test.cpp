#include "db/data_module.h"
#include "db/demo_data.h"
#include "documents/document_lists.h"
#include "support/test_support.h"

#include <gtest/gtest.h>

TEST(DocumentLists, OneClientOrAllClients)
{
    TestHome home;
    auto dm = home.createAndConnect();
    FillDemoData(*dm, {12, 200, 3});
    DocumentLists lists(*dm);
    const int client = dm->GetFactClient(100);
    lists.addToWaybillSelection(5);
    lists.RefreshClientDocuments(client, QStringLiteral("ТОВ \"Тест\""));
    EXPECT_EQ(lists.currentClientId(), client);
    EXPECT_EQ(lists.waybillSelection(), QString()); // a client's lists start a new selection
    EXPECT_EQ(lists.invoiceCaption(), QStringLiteral("Счета-фактуры клиента ТОВ \"Тест\""));
    EXPECT_EQ(lists.receiptCaption(), QStringLiteral("Поступления клиента ТОВ \"Тест\""));
    EXPECT_EQ(lists.expenseCaption(), QStringLiteral("Расходные накладные клиента ТОВ \"Тест\""));
    EXPECT_EQ(lists.taxCaption(), QStringLiteral("Налоговые накладные клиента ТОВ \"Тест\""));

    const int invoices =
        scalar(dm->database(),
               QStringLiteral("SELECT count(*) FROM FACTURES WHERE FACT_NUMBER>0 AND ID_NUMBER=?"), {client})
            .toInt();
    ASSERT_EQ(lists.invoices().rowCount(), invoices);
    for (int r = 1; r < invoices; ++r)
        EXPECT_LT(lists.invoices().keyAt(r - 1), lists.invoices().keyAt(r));
    for (int r = 0; r < lists.receipts().rowCount(); ++r)
        EXPECT_LT(lists.receipts().keyAt(r), 0);
    for (int r = 0; r < lists.taxWaybills().rowCount(); ++r)
        EXPECT_EQ(lists.taxWaybills().value(r, QStringLiteral("ID_NUMBER")).toInt(), client);

    lists.addToWaybillSelection(12);
    lists.addToWaybillSelection(15);
    lists.addToWaybillSelection(12);
    lists.addToWaybillSelection(-3); // receipts are never picked
    EXPECT_EQ(lists.waybillSelection(), QStringLiteral("12/15/12/"));
    lists.ShowAllDocuments();
    EXPECT_EQ(lists.waybillSelection(), QStringLiteral("12/15/12/"));
    EXPECT_EQ(lists.currentClientId(), 0);
    EXPECT_EQ(lists.invoices().rowCount(), 200);
    EXPECT_EQ(lists.invoiceCaption(), QStringLiteral("Список всех счетов-фактур"));
    EXPECT_EQ(lists.receiptCaption(), QStringLiteral("Список всех поступлений без с/ф"));
    EXPECT_EQ(lists.expenseCaption(), QStringLiteral("Список всех расходных накладных"));
    EXPECT_EQ(lists.taxCaption(), QStringLiteral("Список всех налоговых накладных"));
    EXPECT_EQ(lists.receipts().headerData(0, Qt::Horizontal).toString(), QStringLiteral("Дата "));
    EXPECT_EQ(lists.invoices().columnCount(), 22);
    EXPECT_EQ(lists.receipts().columnCount(), 19);
    // Receipts list the unit before the quantity.
    EXPECT_EQ(lists.receipts().columns()[2].name, QStringLiteral("MEASURE_POS1"));
    EXPECT_EQ(lists.invoices().columns()[4].name, QStringLiteral("COUNT_POS1"));
    lists.clearWaybillSelection();
    EXPECT_TRUE(lists.waybillSelection().isEmpty());
}

TEST(DocumentLists, CommandsFollowTheClientAndTheLists)
{
    auto states = DocumentCommandStates(true, true, true, true);
    for (auto it = states.begin(); it != states.end(); ++it)
        EXPECT_TRUE(it.value()) << it.key().toStdString();
    EXPECT_EQ(states.size(), 20);

    states = DocumentCommandStates(false, true, false, true); // the all-documents view
    for (const char* item :
         {"N9", "N10", "N11", "N15", "N16", "N17", "N18", "N19", "N21", "N22", "N23", "N24", "N27"})
        EXPECT_FALSE(states[item]) << item;
    for (const char* item : {"N12", "N13", "N14", "N20", "N25", "N26", "N28"})
        EXPECT_TRUE(states[item]) << item;

    states = DocumentCommandStates(true, false, false, false); // a client without invoices
    EXPECT_TRUE(states["N9"]);
    EXPECT_TRUE(states["N17"]);
    for (const char* item :
         {"N10", "N11", "N12", "N13", "N14", "N15", "N16", "N18", "N19", "N20", "N21", "N22"})
        EXPECT_FALSE(states[item]) << item;
}
