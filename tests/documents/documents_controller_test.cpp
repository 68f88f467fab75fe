#include "base/prompter.h"
#include "base/settings.h"
#include "db/data_module.h"
#include "documents/documents_controller.h"
#include "support/test_support.h"

#include <gtest/gtest.h>

TEST(DocumentsController, WaybillsFollowTheChosenDocumentAndBack)
{
    TestHome home;
    auto dm = home.createAndConnect();
    const QSqlDatabase db = ConnectionOf(*dm);
    for (const char* sql :
         {"INSERT INTO FACTURES (FACT_NUMBER, ID_NUMBER) VALUES (1,2),(2,2),(3,2),(-1,2)",
          // Waybill 1 names invoices 1 and 2; waybill 2 names invoice 3; waybill 3 the receipt.
          "INSERT INTO NAKLADN1 (NAKL_NUMBER, FACT1_NUMBER, FACT2_NUMBER, ID_NUMBER) "
          "VALUES (1,1,2,2),(2,3,0,2),(3,-1,0,2)",
          "INSERT INTO NAKLADN2 (NAKL_NUMBER, FACT1_NUMBER, FACT2_NUMBER, ID_NUMBER) VALUES (7,2,0,2)"})
        execOrThrow(db, QString::fromLatin1(sql));
    ScriptedPrompter prompter;
    DocumentsController documents(*dm, prompter);
    documents.lists().RefreshClientDocuments(2, QStringLiteral("ТОВ"));

    EXPECT_FALSE(documents.waybillsOfDocument(0).has_value());
    auto rows = documents.waybillsOfDocument(2); // second on expense waybill 1, first on tax waybill 7
    ASSERT_TRUE(rows.has_value());
    EXPECT_EQ(rows->expense, 0);
    EXPECT_EQ(rows->tax, 0);
    rows = documents.waybillsOfDocument(-1);
    EXPECT_EQ(rows->expense, 2);
    EXPECT_EQ(rows->tax, -1);

    DocumentsController::DocumentRows back =
        documents.documentOfWaybill(documents.lists().expenseWaybills(), 1);
    EXPECT_EQ(back.invoice, 2);
    EXPECT_EQ(back.receipt, -1);
    back = documents.documentOfWaybill(documents.lists().expenseWaybills(), 2);
    EXPECT_EQ(back.invoice, -1);
    EXPECT_EQ(back.receipt, 0);

    documents.pickForWaybill(0);
    documents.pickForWaybill(2);
    EXPECT_EQ(documents.lists().waybillSelection(), QStringLiteral("1/3/"));
    EXPECT_TRUE(documents.commandStates().at(DocumentCommand::TaxWaybillForInvoice));
}

TEST(DocumentsController, FindingADocumentMovesTheListsThatFollowIt)
{
    TestHome home;
    auto dm = home.createAndConnect();
    for (const char* sql :
         {"INSERT INTO FACTURES (FACT_NUMBER, ID_NUMBER) VALUES (1,2),(2,2),(3,2),(7,3),(-1,2)",
          "INSERT INTO NAKLADN1 (NAKL_NUMBER, FACT1_NUMBER, ID_NUMBER) VALUES (5,3,2),(6,-1,2)",
          "INSERT INTO NAKLADN2 (NAKL_NUMBER, FACT1_NUMBER, FACT2_NUMBER, ID_NUMBER) "
          "VALUES (8,1,3,2)"})
        execOrThrow(ConnectionOf(*dm), QString::fromLatin1(sql));
    ScriptedPrompter prompter;
    DocumentsController documents(*dm, prompter);
    documents.lists().RefreshClientDocuments(2, QStringLiteral("ТОВ"));

    auto found = documents.findDocument(3, 0); // invoice 3: second on tax waybill 8, first on expense 5
    EXPECT_EQ(found.invoice, 2);
    EXPECT_EQ(found.expense, 0);
    EXPECT_EQ(found.tax, 0);
    EXPECT_EQ(found.receipt, -1);
    found = documents.findDocument(6, 1); // expense waybill 6 is for the receipt
    EXPECT_EQ(found.expense, 1);
    EXPECT_EQ(found.receipt, 0);
    EXPECT_EQ(found.invoice, -1);
    found = documents.findDocument(8, 2);
    EXPECT_EQ(found.tax, 0);
    EXPECT_EQ(found.invoice, 0);
    // Invoice 7 belongs to another client: nothing is found and nothing said.
    found = documents.findDocument(7, 0);
    EXPECT_EQ(found.invoice, -1);
    EXPECT_EQ(found.expense, -1);
    EXPECT_TRUE(prompter.messages().empty());
    EXPECT_EQ(documents.lastFindNumber(), 7);
    EXPECT_EQ(documents.lastFindList(), 0);
}

TEST(DocumentsController, TheEditorStoresOrSaysWhyAndAsksAboutThePayer)
{
    TestHome home;
    auto dm = home.createAndConnect();
    execOrThrow(ConnectionOf(*dm),
                QStringLiteral("INSERT INTO CLIENTS (ID_NUMBER, FIRMNAME) VALUES (2, 'ТОВ')"));
    ScriptedPrompter prompter;
    DocumentsController documents(*dm, prompter);
    Settings settings;
    // No client chosen (the all-documents view): no editor.
    documents.lists().ShowAllDocuments();
    EXPECT_FALSE(documents.openEditor(EditorCommand::NewInvoice, -1, settings, QDate(2026, 1, 5)));
    EXPECT_EQ(prompter.texts().back(), QStringLiteral("Выберите клиента в списке клиентов."));
    documents.lists().RefreshClientDocuments(2, QStringLiteral("ТОВ"));
    EXPECT_FALSE(documents.openEditor(EditorCommand::EditReceipt, -1, settings, QDate(2026, 1, 5)));

    std::optional<InvoiceDraft> draft =
        documents.openEditor(EditorCommand::NewInvoice, -1, settings, QDate(2026, 1, 5));
    ASSERT_TRUE(draft);
    // An invoice of no position is asked about first; No stores nothing and the editor stays.
    prompter.clear();
    prompter.queueAnswer(false);
    EXPECT_FALSE(documents.storeEditor(*draft, false, settings));
    EXPECT_EQ(prompter.texts(), QStringList{"В счете нет ни одной позиции. Записать?"});
    EXPECT_FALSE(dm->ReadDocument(1));
    draft->positions[0] = {QStringLiteral("Цемент"), {}, QStringLiteral("шт"), 1, 10};
    draft->payerName = QStringLiteral("ТОВ \"Новий\"");
    prompter.clear();
    prompter.queueAnswer(true);
    EXPECT_EQ(documents.storeEditor(*draft, true, settings), 1);
    EXPECT_EQ(prompter.texts(),
              (QStringList{"Вы изменили данные клиента! Сохранять изменения?", "Изменения сохранены!"}));
    EXPECT_EQ(dm->ReadClient(2)->FIRMNAME, QStringLiteral("ТОВ \"Новий\""));

    // A refused store (a number typed by hand that is taken) says so and gives no number; a bad payer
    // date leaves the document stored.
    draft->proposedNumber = 0;
    prompter.clear();
    EXPECT_FALSE(documents.storeEditor(*draft, false, settings).has_value());
    EXPECT_EQ(prompter.texts(), QStringList{"Неправильные данные (невозможно сохранить изменения)!"});
    draft->number = 2;
    draft->dogDate = QStringLiteral("32.13.2020");
    prompter.clear();
    prompter.queueAnswer(true);
    EXPECT_EQ(documents.storeEditor(*draft, true, settings), 2);
    EXPECT_EQ(prompter.texts().back(),
              QStringLiteral("Неправильные данные (невозможно сохранить изменения)!"));
    EXPECT_TRUE(dm->ReadDocument(2).has_value());

    // A payer's tax number that fails its check is written to the client only when the user says so.
    draft->dogDate.clear();
    draft->taxCode = QStringLiteral("14360572654");
    for (const bool store : {false, true}) {
        draft->number = 3 + int(store);
        prompter.clear();
        prompter.queueAnswer(true);
        prompter.queueAnswer(store);
        EXPECT_EQ(documents.storeEditor(*draft, true, settings), draft->number);
        EXPECT_EQ(prompter.texts().mid(1, 1),
                  QStringList{"ІПН плательщика НДС «14360572654» должен состоять из 12 цифр (РНОКПП "
                              "предпринимателя — из 10).\n\nСохранить так, как введено?"});
        EXPECT_EQ(dm->ReadClient(2)->TAXCODE, store ? draft->taxCode : QString());
    }
}

TEST(DocumentsController, PrintCommandsSayWhyThereIsNoPage)
{
    TestHome home;
    auto dm = home.createAndConnect();
    ScriptedPrompter prompter;
    DocumentsController documents(*dm, prompter);
    documents.lists().RefreshClientDocuments(2, QStringLiteral("ТОВ"));
    const Settings settings = defaultSettings(home.path());
    // An empty invoice list: the preview says no invoice was written.
    EXPECT_FALSE(documents.invoicePage(-1, true, OwnerRecord{}, settings, home.path()).has_value());
    EXPECT_EQ(prompter.texts().back(), QStringLiteral("Счет фактура на это поступление не выписывалась."));

    execOrThrow(ConnectionOf(*dm), QStringLiteral("INSERT INTO FACTURES (FACT_NUMBER, ID_NUMBER, FACT_DATA) "
                                                  "VALUES (4, 2, '2026-03-01')"));
    execOrThrow(ConnectionOf(*dm),
                QStringLiteral("INSERT INTO CLIENTS (ID_NUMBER, FIRMNAME) VALUES (2, 'ТОВ')"));
    documents.lists().RefreshClientDocuments(2, QStringLiteral("ТОВ"));
    // A new book's sample details are asked about, naming what the blank prints of them.
    OwnerRecord owner;
    owner.FIRMNAME = QStringLiteral("ТОВ \"Наша\"");
    owner.BANKNAME = QStringLiteral("АТ КБ \"ПриватБанк\"");
    prompter.clear();
    prompter.queueAnswer(false);
    EXPECT_FALSE(documents.invoicePage(0, false, owner, settings, home.path()).has_value());
    EXPECT_EQ(prompter.texts(),
              QStringList{"Данные владельца не заполнены: телефон, код ЕДРПОУ, расчётный счёт, МФО, Ф.И.О. "
                          "бухгалтера. Они на бланке — образцы новой базы (вкладка «Владелец»).\nВсё равно "
                          "подготовить документ?"});
    prompter.queueAnswer(true);
    const std::optional<Page> page = documents.invoicePage(0, false, owner, settings, home.path());
    ASSERT_TRUE(page.has_value());
    dm->disconnect(); // the engine's failure is shown, not thrown through the window
    prompter.clear();
    prompter.queueAnswer(true);
    EXPECT_FALSE(documents.invoicePage(0, false, owner, settings, home.path()).has_value());
    EXPECT_EQ(prompter.messages().size(), 2u);
}
