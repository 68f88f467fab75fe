#include "db/data_module.h"
#include "maintenance/demo_data.h"
#include "db/stores.h"
#include "documents/document_commands.h"
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
        scalar(ConnectionOf(*dm),
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
    EXPECT_EQ(lists.invoices().columnCount(), 25);
    EXPECT_EQ(lists.receipts().columnCount(), 20);
    // Receipts list the unit before the quantity.
    EXPECT_EQ(lists.receipts().columns()[2].name, QStringLiteral("MEASURE_POS1"));
    EXPECT_EQ(lists.invoices().columns()[4].name, QStringLiteral("COUNT_POS1"));
    lists.clearWaybillSelection();
    EXPECT_TRUE(lists.waybillSelection().isEmpty());
}

TEST(DocumentLists, CommandsFollowTheClientAndTheLists)
{
    using C = DocumentCommand;
    auto states = documentCommandStates(true, true, true, true, true, true);
    for (const auto& [command, enabled] : states)
        EXPECT_TRUE(enabled) << int(command);
    EXPECT_EQ(states.size(), 26u);
    // An act is written for a chosen client; a listed one is printed and registered in any view.
    states = documentCommandStates(false, false, false, false, false, true);
    for (C c : {C::NewAct, C::CopyAct, C::EditAct})
        EXPECT_FALSE(states[c]) << int(c);
    for (C c : {C::PreviewAct, C::PrintAct, C::ActRegister})
        EXPECT_TRUE(states[c]) << int(c);
    states = documentCommandStates(true, false, false, false, false, false);
    EXPECT_TRUE(states[C::NewAct]);
    EXPECT_FALSE(states[C::EditAct]);

    states = documentCommandStates(false, true, true, false, true); // the all-documents view
    for (C c :
         {C::NewInvoice, C::EditInvoice, C::CopyInvoice, C::ExpenseWaybillForInvoice, C::TaxWaybillForInvoice,
          C::NewReceipt, C::CopyReceipt, C::EditReceipt, C::ExpenseWaybillForReceipt, C::TaxWaybillForReceipt,
          C::PreviewExpenseWaybill, C::PrintExpenseWaybill, C::ExpenseRegister})
        EXPECT_FALSE(states[c]) << int(c);
    for (C c : {C::PreviewInvoice, C::PrintInvoice, C::InvoiceRegister, C::ReceiptRegister,
                C::PreviewTaxWaybill, C::PrintTaxWaybill, C::TaxRegister})
        EXPECT_TRUE(states[c]) << int(c);

    states = documentCommandStates(true, false, false, false, false); // a client without documents
    EXPECT_TRUE(states[C::NewInvoice]);
    EXPECT_TRUE(states[C::NewReceipt]);
    for (C c : {C::EditInvoice, C::CopyInvoice, C::PreviewInvoice, C::PrintInvoice, C::InvoiceRegister,
                C::ExpenseWaybillForInvoice, C::TaxWaybillForInvoice, C::CopyReceipt, C::EditReceipt,
                C::ReceiptRegister, C::ExpenseWaybillForReceipt, C::TaxWaybillForReceipt})
        EXPECT_FALSE(states[c]) << int(c);

    // Receipts without invoices: the receipt commands, not the invoice ones; and the other way round.
    states = documentCommandStates(true, false, true, false, false);
    for (C c : {C::CopyReceipt, C::EditReceipt, C::ReceiptRegister, C::ExpenseWaybillForReceipt,
                C::TaxWaybillForReceipt})
        EXPECT_TRUE(states[c]) << int(c);
    for (C c : {C::EditInvoice, C::CopyInvoice, C::PrintInvoice, C::InvoiceRegister})
        EXPECT_FALSE(states[c]) << int(c);
    states = documentCommandStates(true, true, false, false, false);
    for (C c : {C::CopyReceipt, C::EditReceipt, C::ReceiptRegister, C::ExpenseWaybillForReceipt,
                C::TaxWaybillForReceipt})
        EXPECT_FALSE(states[c]) << int(c);
    EXPECT_TRUE(states[C::EditInvoice]);
}

TEST(DocumentLists, EmptyPositionsShowEmptyCellsAndWidthsFollowThePlaces)
{
    TestHome home;
    auto dm = home.createAndConnect();
    execOrThrow(ConnectionOf(*dm),
                QStringLiteral("INSERT INTO CLIENTS (ID_NUMBER, FIRMNAME) VALUES (2, 'ТОВ')"));
    // Position 1 sold, 2 unused, 3 a nameless lump sum, 4 named with no figures yet.
    execOrThrow(
        ConnectionOf(*dm),
        QStringLiteral("INSERT INTO FACTURES (FACT_NUMBER, FACT_DATA, ID_NUMBER, NAME_POS1, COUNT_POS1, "
                       "PRICE_POS1, NAME_POS2, COUNT_POS2, PRICE_POS2, NAME_POS3, COUNT_POS3, PRICE_POS3, "
                       "NAME_POS4, COUNT_POS4, PRICE_POS4) VALUES (1, '2026-12-07', 2, 'Цемент', 3, 10.5, "
                       "'', 0, 0, ' ', 0, 120, 'Пісок', 0, 0)"));
    DocumentLists lists(*dm);
    lists.RefreshClientDocuments(2, QStringLiteral("ТОВ"));
    const SqlListModel& invoices = lists.invoices();
    const auto cell = [&invoices](const char* column) {
        return invoices.data(invoices.index(0, invoices.columnOf(QLatin1String(column)))).toString();
    };
    EXPECT_EQ(cell("COUNT_POS1"), QStringLiteral("3"));
    EXPECT_EQ(cell("PRICE_POS1"), QStringLiteral("10,50"));
    EXPECT_EQ(cell("COUNT_POS2"), QString());
    EXPECT_EQ(cell("PRICE_POS2"), QString());
    EXPECT_EQ(cell("COUNT_POS3"), QString());
    EXPECT_EQ(cell("PRICE_POS3"), QStringLiteral("120,00"));
    EXPECT_EQ(cell("COUNT_POS4"), QStringLiteral("0"));
    EXPECT_EQ(cell("PRICE_POS4"), QStringLiteral("0,00"));

    // "9999999,9999" needs 12 characters at four places, "99999,9999" 10.
    const int price = invoices.columnOf(QStringLiteral("PRICE_POS1"));
    const int count = invoices.columnOf(QStringLiteral("COUNT_POS1"));
    EXPECT_EQ(invoices.displayChars(price), 10);
    lists.setPrecision(ApplyPrecision(4, 4));
    EXPECT_EQ(invoices.displayChars(price), 12);
    EXPECT_EQ(invoices.displayChars(count), 10);
    EXPECT_EQ(cell("PRICE_POS1"), QStringLiteral("10,5000"));
}

// Every list ends with what the document's paper charges, worked out by the engine exactly as the blank
// rounds it: positions to whole kopecks half to even, VAT and advertising tax on the subtotal.
TEST(DocumentLists, TheLastColumnShowsWhatThePaperCharges)
{
    TestHome home;
    auto dm = home.createAndConnect();
    const QSqlDatabase db = ConnectionOf(*dm);
    execOrThrow(db, QStringLiteral("INSERT INTO CLIENTS (ID_NUMBER, FIRMNAME) VALUES (2, 'ТОВ'), (3, 'ПП')"));
    const QString document = QStringLiteral(
        "INSERT INTO FACTURES (FACT_NUMBER, FACT_DATA, ID_NUMBER, FACT_NDS, FACT_NR, NAME_POS1, "
        "MEASURE_POS1, "
        "COUNT_POS1, PRICE_POS1, NAME_POS2, MEASURE_POS2, COUNT_POS2, PRICE_POS2, NAME_POS3, MEASURE_POS3, "
        "COUNT_POS3, PRICE_POS3) VALUES (?, '2026-12-07', ?, ?, ?, 'а', ?, ?, ?, 'б', ?, ?, ?, 'в', ?, ?, "
        "?)");
    // 31,50 + 120,00 (a lump sum) + 0,125 → 0,12 (half to even) = 151,62; VAT 30,324.
    execOrThrow(db, document, {1, 2, 20, 0, "шт", 3, 10.5, "", 5, 120, "кг", 0.5, 0.25});
    // 200,00 + 3,00 (a unit of blanks is none) = 203; VAT 40,60; advertising tax 5 % = 10,15.
    execOrThrow(db, document, {2, 2, 20, 5, "шт", 2, 100, " \t", 7, 3, "", 0, 0});
    execOrThrow(db, document, {3, 2, 20, 0, "м", 3, 2.5, "", 0, 0, "", 0, 0});
    execOrThrow(db, document, {4, 3, 20, 0, "шт", 1, 1000, "", 0, 0, "", 0, 0});
    // A receipt: 99,99; VAT 19,998; advertising tax 10 % = 9,999.
    execOrThrow(db, document, {-1, 2, 20, 10, "шт", 1, 99.99, "", 0, 0, "", 0, 0});
    const QString waybill =
        QStringLiteral("INSERT INTO %1 (NAKL_NUMBER, NAKL_DATA, ID_NUMBER, FACT1_NUMBER, "
                       "FACT2_NUMBER, FACT3_NUMBER) VALUES (?, '2026-12-07', 2, ?, ?, 0)");
    for (const char* table : {"NAKLADN1", "NAKLADN2"}) {
        const QString sql = waybill.arg(QLatin1String(table));
        execOrThrow(db, sql, {1, 1, 3});
        execOrThrow(db, sql, {2, -1, 0});
        execOrThrow(db, sql, {3, 2, 0});
        execOrThrow(db, sql, {4, 4, 0}); // another client's invoice is not this waybill's
    }

    DocumentLists lists(*dm);
    lists.RefreshClientDocuments(2, QStringLiteral("ТОВ"));
    const auto totals = [](const SqlListModel& list) {
        QStringList shown;
        const int column = list.columnOf(QStringLiteral("DOC_TOTAL"));
        EXPECT_EQ(list.headerData(column, Qt::Horizontal).toString(), QStringLiteral("Сумма"));
        EXPECT_EQ(list.data(list.index(0, column), Qt::TextAlignmentRole).toInt() & Qt::AlignRight,
                  Qt::AlignRight);
        EXPECT_FALSE(list.flags(list.index(0, column)) & Qt::ItemIsEditable);
        for (int r = 0; r < list.rowCount(); ++r)
            shown << list.data(list.index(r, column)).toString();
        return shown;
    };
    EXPECT_EQ(totals(lists.invoices()), QStringList({"181,94", "253,75", "9,00"}));
    EXPECT_EQ(totals(lists.receipts()), QStringList({"129,99"}));
    // 151,62 + 7,50 = 159,12 with the first invoice's VAT; a receipt's waybill has no advertising tax.
    EXPECT_EQ(totals(lists.expenseWaybills()), QStringList({"190,94", "119,99", "253,75", ""}));
    // The tax waybill never carries the advertising tax.
    EXPECT_EQ(totals(lists.taxWaybills()), QStringList({"190,94", "119,99", "243,60", ""}));

    lists.ShowAllDocuments();
    EXPECT_EQ(totals(lists.invoices()), QStringList({"181,94", "253,75", "9,00", "1200,00"}));
}

TEST(DocumentLists, FiltersNarrowTheInvoicesByRealDatesAndNumbers)
{
    TestHome home;
    auto dm = home.createAndConnect();
    execOrThrow(ConnectionOf(*dm),
                QStringLiteral("INSERT INTO CLIENTS (ID_NUMBER, FIRMNAME) VALUES (2, 'ТОВ')"));
    // Dates on both sides of the bounds, and across years: as text "dd.MM.yyyy" they would sort wrongly.
    const char* dates[] = {"2002-12-31", "2003-01-01", "2003-01-15",
                           "2003-01-31", "2003-02-01", "2004-01-20"};
    int number = 10;
    for (const char* date : dates)
        execOrThrow(
            ConnectionOf(*dm),
            QStringLiteral("INSERT INTO FACTURES (FACT_NUMBER, FACT_DATA, ID_NUMBER) VALUES (?, ?, 2)"),
            {number++, QString::fromLatin1(date)});
    execOrThrow(ConnectionOf(*dm),
                QStringLiteral(
                    "INSERT INTO FACTURES (FACT_NUMBER, FACT_DATA, ID_NUMBER) VALUES (-1, '2003-01-10', 2)"));
    DocumentLists lists(*dm);
    lists.RefreshClientDocuments(2, QStringLiteral("ТОВ"));
    ASSERT_EQ(lists.invoices().rowCount(), 6);

    lists.filterByPeriod(QDate(2003, 1, 1), QDate(2003, 1, 31));
    ASSERT_EQ(lists.invoices().rowCount(), 3);
    EXPECT_EQ(lists.invoices().keyAt(0), 11);
    EXPECT_EQ(lists.invoices().keyAt(2), 13);
    EXPECT_EQ(lists.receipts().rowCount(), 1); // receipts are never filtered

    // The numbers narrow the period's invoices further.
    lists.filterByNumbers(12, 20);
    EXPECT_EQ(lists.invoices().rowCount(), 2);
    // The filter stays through the all-documents view and back.
    lists.ShowAllDocuments();
    EXPECT_EQ(lists.invoices().rowCount(), 2);
    lists.RefreshClientDocuments(2, QStringLiteral("ТОВ"));
    EXPECT_EQ(lists.invoices().rowCount(), 2);
    lists.clearInvoiceFilters();
    EXPECT_EQ(lists.invoices().rowCount(), 6);
    EXPECT_FALSE(lists.invoiceFilter().active());
    EXPECT_EQ(lists.invoiceFilter().numberFrom, 12);
    EXPECT_EQ(lists.invoiceFilter().from, QDate(2003, 1, 1)); // the bounds stay for next time
}

TEST(DocumentLists, AnInvoiceNumberTypedInTheGridStaysAboveZero)
{
    TestHome home;
    auto dm = home.createAndConnect();
    execOrThrow(ConnectionOf(*dm),
                QStringLiteral("INSERT INTO FACTURES (FACT_NUMBER, FACT_DATA, ID_NUMBER) VALUES "
                               "(4, '2026-01-05', 2)"));
    DocumentLists lists(*dm);
    lists.RefreshClientDocuments(2, QStringLiteral("ТОВ"));
    SqlListModel& invoices = lists.invoices();
    QStringList errors;
    QObject::connect(&invoices, &SqlListModel::engineError,
                     [&errors](const QString& message, const QString&) { errors << message; });
    const QModelIndex number = invoices.index(0, invoices.columnOf(QStringLiteral("FACT_NUMBER")));
    for (const char* bad : {"0", "-3", "abc"})
        EXPECT_FALSE(invoices.setData(number, QString::fromLatin1(bad))) << bad;
    EXPECT_EQ(errors.size(), 3);
    EXPECT_EQ(errors.first(), QStringLiteral("Неправильные данные (невозможно сохранить изменения)!"));
    EXPECT_EQ(scalar(ConnectionOf(*dm), QStringLiteral("SELECT count(*) FROM FACTURES WHERE FACT_NUMBER=4"))
                  .toInt(),
              1);
    EXPECT_TRUE(invoices.setData(number, QStringLiteral("5")));
    EXPECT_TRUE(dm->ReadDocument(5).has_value());
}

TEST(DocumentLists, ActsShowTheirPeriodInWordsAndTheirTotalWithVat)
{
    TestHome home;
    auto dm = home.createAndConnect();
    const QSqlDatabase db = ConnectionOf(*dm);
    execOrThrow(db, QStringLiteral("INSERT INTO CLIENTS (ID_NUMBER, FIRMNAME) VALUES (2, 'ТОВ'), (3, 'ПП')"));
    // 1000 + 20 %; 10,05 + 0,7035 → 0,70; 2,50 + 0,175 → 0,18 (half away from zero); a period no tool
    // should have stored shows empty.
    execOrThrow(db, QStringLiteral(
                        "INSERT INTO ACTS (ACT_NUMBER, ACT_DATA, ACT_MONTH, ACT_YEAR, SUMMA, ACT_NDS, "
                        "ID_NUMBER) VALUES (1, '2026-03-05', 3, 2026, 1000, 20, 2), "
                        "(2, '2026-04-05', 14, 2026, 10.05, 7, 2), (3, '2026-04-05', 17, 2026, 2.5, 7, 2), "
                        "(4, '2026-04-05', 1, 2026, 1, 0, 3)"));
    DocumentLists lists(*dm);
    lists.RefreshClientDocuments(2, QStringLiteral("ТОВ"));
    EXPECT_EQ(lists.actCaption(), QStringLiteral("Акты клиента ТОВ"));
    const SqlListModel& acts = lists.acts();
    const auto column = [&acts](int c) {
        QStringList shown;
        for (int r = 0; r < acts.rowCount(); ++r)
            shown << acts.data(acts.index(r, c)).toString();
        return shown;
    };
    QStringList titles;
    for (int c = 0; c < acts.columnCount(); ++c)
        titles << acts.headerData(c, Qt::Horizontal).toString();
    EXPECT_EQ(titles, QStringList({"№ акта", "Дата акта", "Период", "Год", "Вид работ", "Сумма",
                                   "Представитель Заказчика", "Оплачено", "Оплата"}));
    EXPECT_EQ(column(2), QStringList({"март", "II квартал", ""}));
    EXPECT_EQ(column(5), QStringList({"1200,00", "10,75", "2,68"}));
    EXPECT_FALSE(acts.flags(acts.index(0, 2)) & Qt::ItemIsEditable);
    lists.ShowAllDocuments();
    EXPECT_EQ(lists.acts().rowCount(), 4);
    EXPECT_EQ(lists.actCaption(), QStringLiteral("Список всех актов"));
}

TEST(DocumentLists, PaymentsShowWhatIsPaidAndTheUnpaidFilterKeepsTheRest)
{
    TestHome home;
    auto dm = home.createAndConnect();
    const QSqlDatabase db = ConnectionOf(*dm);
    execOrThrow(db, QStringLiteral("INSERT INTO CLIENTS (ID_NUMBER, FIRMNAME) VALUES (2, 'ТОВ')"));
    // Four invoices of 1000,00 + 20 % = 1200,00: paid 0, 100,00, 1199,99 + 0,01, 1300,00.
    for (int n = 1; n <= 4; ++n)
        execOrThrow(
            db,
            QStringLiteral("INSERT INTO FACTURES (FACT_NUMBER, FACT_DATA, ID_NUMBER, NAME_POS1, "
                           "MEASURE_POS1, COUNT_POS1, PRICE_POS1, FACT_NDS) VALUES (?, '2026-03-01', 2, "
                           "'Послуга', 'шт', 1, 1000, 20)"),
            {n});
    std::vector<PaymentRow> payments;
    for (const auto& [day, sum, invoice] :
         {std::tuple{2, 100.0, 2}, {2, 1199.99, 3}, {3, 0.01, 3}, {3, 1300.0, 4}}) {
        PaymentRow& p = payments.emplace_back();
        std::tie(p.PLAT_DATA, p.SUMMA, p.ID_NUMBER, p.FACT_NUMBER) =
            std::tuple(QDate(2026, 3, day), sum, 2, invoice);
    }
    ASSERT_EQ(StorePayments(*dm, payments).size(), 4u);
    DocumentLists lists(*dm);
    lists.RefreshClientDocuments(2, QStringLiteral("ТОВ"));
    const SqlListModel& invoices = lists.invoices();
    const auto column = [&invoices](const char* name) {
        QStringList shown;
        for (int r = 0; r < invoices.rowCount(); ++r)
            shown << invoices.data(invoices.index(r, invoices.columnOf(QLatin1String(name)))).toString();
        return shown;
    };
    EXPECT_EQ(column("DOC_PAID"), QStringList({"0,00", "100,00", "1200,00", "1300,00"}));
    EXPECT_EQ(column("DOC_STATE"), QStringList({"не оплачен", "частично", "оплачен", "переплата"}));
    lists.filterUnpaid(true);
    EXPECT_EQ(column("FACT_NUMBER"), QStringList({"1", "2"}));
    EXPECT_EQ(lists.invoiceCaption(), QStringLiteral("Счета-фактуры клиента ТОВ (только неоплаченные)"));
    // The whole book's list counts its unpaid invoices from the payments, to the same rows.
    lists.ShowAllDocuments();
    EXPECT_EQ(column("FACT_NUMBER"), QStringList({"1", "2"}));
    lists.clearInvoiceFilters();
    EXPECT_EQ(invoices.rowCount(), 4);
}
