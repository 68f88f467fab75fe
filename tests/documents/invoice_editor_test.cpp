#include "db/data_module.h"
#include "db/tables.h"
#include "documents/goods_list.h"
#include "documents/invoice_editor.h"
#include "support/test_support.h"

#include <gtest/gtest.h>

namespace {

class InvoiceEditorTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        dm = home.createAndConnect();
        execOrThrow(ConnectionOf(*dm),
                    QStringLiteral("INSERT INTO CLIENTS (ID_NUMBER, FIRMNAME, LAWADDRESS, TAXCODE, "
                                   "REGNUMBER, DOGNUMBER, DOGDATA) VALUES (2, 'ТОВ \"Ґрунт\"', "
                                   "'м. Суми', '123', '456', '7/1', '2024-03-15')"));
        client = *dm->ReadClient(2);
    }
    InvoiceDraft draft(EditorCommand command, const InvoiceRow* selected = nullptr)
    {
        return OpenDraft(command, client, selected, dm->NextFactNumber(), settings.reclTax,
                         QDate(2026, 12, 7));
    }
    InvoiceRow stored(int number) { return *dm->ReadDocument(number); }

    TestHome home;
    std::unique_ptr<TDM> dm;
    ClientRow client;
    Settings settings;
};

} // namespace

TEST_F(InvoiceEditorTest, ANewInvoiceTakesTheNextNumberAndTheClientsDetails)
{
    InvoiceDraft d = draft(EditorCommand::NewInvoice);
    EXPECT_EQ(d.number, 1); // an empty table starts at 1
    EXPECT_TRUE(d.isInvoice && d.isNew);
    EXPECT_EQ(d.payerName, QStringLiteral("ТОВ \"Ґрунт\""));
    EXPECT_EQ(d.lawAddress, QStringLiteral("м. Суми"));
    EXPECT_EQ(d.dogDate, QStringLiteral("15.03.2024"));
    EXPECT_EQ(d.date, QDate(2026, 12, 7));
    EXPECT_FALSE(d.advertisingTax); // the setting is 0

    d.positions[0] = {QStringLiteral("Цемент"), QString(), QStringLiteral("міш"), 3, 120};
    d.withNds = true;
    settings.ndsValue = 20;
    EXPECT_EQ(StoreDraft(*dm, d, 2, settings), 1);
    const InvoiceRow row = stored(1);
    EXPECT_DOUBLE_EQ(row.positions[0].price, 100.0); // 120 - 120 * 20 / 120
    EXPECT_EQ(row.positions[0].name, QStringLiteral("Цемент"));
    EXPECT_EQ(row.FACT_NDS, 20);
    EXPECT_EQ(row.FACT_NR, 0.0);
    EXPECT_EQ(row.ID_NUMBER, 2);
    EXPECT_EQ(row.FACT_DATA, QDate(2026, 12, 7));
    EXPECT_EQ(row.NAME_OWNER, QStringLiteral("ТОВ \"Ґрунт\""));
    EXPECT_DOUBLE_EQ(NetOfVat(120, 0), 120.0);

    // The advertising tax from the settings, when the box is ticked.
    settings.reclTax = 1.5;
    InvoiceDraft taxed = draft(EditorCommand::NewInvoice);
    EXPECT_TRUE(taxed.advertisingTax);
    EXPECT_EQ(StoreDraft(*dm, taxed, 2, settings), 2);
    EXPECT_DOUBLE_EQ(stored(2).FACT_NR, 1.5);
    // The box cleared, no advertising tax is stored, whatever the settings hold: on a new invoice, and
    // on the taxed one edited.
    InvoiceDraft untaxed = draft(EditorCommand::NewInvoice);
    untaxed.advertisingTax = false;
    EXPECT_EQ(StoreDraft(*dm, untaxed, 2, settings), 3);
    EXPECT_EQ(stored(3).FACT_NR, 0.0);
    const InvoiceRow taxedRow = stored(2);
    InvoiceDraft edited = draft(EditorCommand::EditInvoice, &taxedRow);
    ASSERT_TRUE(edited.advertisingTax);
    edited.advertisingTax = false;
    EXPECT_EQ(StoreDraft(*dm, edited, 2, settings), 2);
    EXPECT_EQ(stored(2).FACT_NR, 0.0);
}

TEST_F(InvoiceEditorTest, ATakenOrNonPositiveNumberIsRefusedAndNothingIsWritten)
{
    InvoiceDraft d = draft(EditorCommand::NewInvoice);
    d.positions[0].line1 = QStringLiteral("Пісок");
    ASSERT_EQ(StoreDraft(*dm, d, 2, settings), 1);
    d.positions[0].line1 = QStringLiteral("Щебінь");
    d.proposedNumber = 0; // 1 typed by hand
    EXPECT_THROW(StoreDraft(*dm, d, 2, settings), DbError);
    EXPECT_EQ(stored(1).positions[0].name, QStringLiteral("Пісок"));
    for (int bad : {0, -4}) {
        d.number = bad;
        EXPECT_THROW(StoreDraft(*dm, d, 2, settings), DbError) << bad;
    }
    EXPECT_EQ(scalar(ConnectionOf(*dm), QStringLiteral("SELECT count(*) FROM FACTURES")).toInt(), 1);

    // An edit under a new number moves the row; the old number is gone.
    const InvoiceRow first = stored(1);
    InvoiceDraft edit = draft(EditorCommand::EditInvoice, &first);
    EXPECT_FALSE(edit.isNew);
    edit.number = 7;
    EXPECT_EQ(StoreDraft(*dm, edit, 2, settings), 7);
    EXPECT_FALSE(dm->ReadDocument(1).has_value());
    EXPECT_EQ(stored(7).positions[0].name, QStringLiteral("Пісок"));
}

TEST_F(InvoiceEditorTest, AmountsNoBlankCanShowAreRefusedAtEntry)
{
    InvoiceDraft d = draft(EditorCommand::NewInvoice);
    d.positions[0] = {QStringLiteral("Руда"), QString(), QStringLiteral("т."), 9'999'999'999, 9'999'999};
    try {
        StoreDraft(*dm, d, 2, settings);
        ADD_FAILURE() << "stored";
    } catch (const DbError& e) {
        // 99 999 989 990 000 001 is beyond a double's digits; what matters is the position and the bound.
        EXPECT_TRUE(e.message().startsWith(QStringLiteral("Сумма позиции 1 (9999998999000000")))
            << e.message().toStdString();
        EXPECT_TRUE(e.message().contains(QStringLiteral("(наибольшая — 999 999 999 999,99)")));
    }
    // 833 333 333 333,33 a position is fine; with 20 % VAT the invoice is 999 999 999 999,996: beyond.
    d.positions[0] = {QStringLiteral("Руда"), QString(), QStringLiteral("т."), 1, 833'333'333'333.33};
    EXPECT_THROW(StoreDraft(*dm, d, 2, settings), DbError);
    // 833 333 333 333,32 with VAT is 999 999 999 999,984, which prints as 999 999 999 999,98.
    d.positions[0].price = 833'333'333'333.32;
    EXPECT_EQ(StoreDraft(*dm, d, 2, settings), 1);
    EXPECT_EQ(scalar(ConnectionOf(*dm), QStringLiteral("SELECT count(*) FROM FACTURES")).toInt(), 1);
}

TEST_F(InvoiceEditorTest, ReceiptsAreNumberedDownwardsWhateverInvoicesThereAre)
{
    InvoiceDraft invoice = draft(EditorCommand::NewInvoice);
    invoice.number = 12;
    StoreDraft(*dm, invoice, 2, settings);
    InvoiceDraft receipt = draft(EditorCommand::NewReceipt);
    EXPECT_FALSE(receipt.isInvoice);
    EXPECT_FALSE(receipt.advertisingTax);
    EXPECT_EQ(StoreDraft(*dm, receipt, 2, settings), -1);
    EXPECT_EQ(StoreDraft(*dm, receipt, 2, settings), -2);
    // A receipt carries no suffix and no advertising tax, whatever the settings say.
    settings.reclTax = 3;
    const InvoiceRow second = stored(-2);
    InvoiceDraft edit = draft(EditorCommand::EditReceipt, &second);
    edit.dopNo = QStringLiteral("A");
    EXPECT_EQ(StoreDraft(*dm, edit, 2, settings), -2);
    EXPECT_TRUE(stored(-2).FACT_DOPNO.isEmpty());
    EXPECT_EQ(stored(-2).FACT_NR, 0.0);
}

TEST_F(InvoiceEditorTest, LinesJoinAsTheBlankHasThemAndReadBackTheSame)
{
    // Invoice: a short first line is padded to 36 before the second; 35 characters join directly.
    InvoiceDraft d = draft(EditorCommand::NewInvoice);
    d.positions[0].line1 = QStringLiteral("Цемент М500"); // 11 characters
    d.positions[0].line2 = QStringLiteral("мішок 25 кг");
    d.positions[1].line1 = QString(35, u'а');
    d.positions[1].line2 = QStringLiteral("кінець");
    PadFirstLines(d);
    EXPECT_EQ(d.positions[0].line1.size(), 36); // the editor shows what is stored
    StoreDraft(*dm, d, 2, settings);
    const InvoiceRow row = stored(1);
    EXPECT_EQ(row.positions[0].name,
              QStringLiteral("Цемент М500") + QString(25, u' ') + QStringLiteral("мішок 25 кг"));
    EXPECT_EQ(row.positions[1].name, QString(35, u'а') + QStringLiteral("кінець"));
    InvoiceDraft again = draft(EditorCommand::EditInvoice, &row);
    EXPECT_EQ(again.positions[0].line2, QStringLiteral(" мішок 25 кг")); // begins with one blank
    StoreDraft(*dm, again, 2, settings);
    EXPECT_EQ(stored(1).positions[0].name, row.positions[0].name);

    // Receipt: line 1, a blank, line 2, cut to the field's 70 characters.
    InvoiceDraft r = draft(EditorCommand::NewReceipt);
    r.positions[0].line1 = QString(35, u'б');
    r.positions[0].line2 = QString(35, u'в');
    StoreDraft(*dm, r, 2, settings);
    EXPECT_EQ(stored(-1).positions[0].name, QString(35, u'б') + u' ' + QString(34, u'в'));

    // Stored unchanged again and again, a receipt keeps its text, with or without the joining blank.
    execOrThrow(ConnectionOf(*dm), QStringLiteral("UPDATE FACTURES SET NAME_POS2=? WHERE FACT_NUMBER=-1"),
                {QString(40, u'г') + QStringLiteral("далі")});
    const InvoiceRow before = stored(-1);
    for (int i = 0; i < 30; ++i) {
        const InvoiceRow now = stored(-1);
        StoreDraft(*dm, draft(EditorCommand::EditReceipt, &now), 2, settings);
    }
    EXPECT_EQ(stored(-1).positions[0].name, before.positions[0].name);
    EXPECT_EQ(stored(-1).positions[1].name, before.positions[1].name);
}

TEST_F(InvoiceEditorTest, ACopyTakesThePositionsAndSuffixUnderANewNumber)
{
    InvoiceDraft d = draft(EditorCommand::NewInvoice);
    d.dopNo = QStringLiteral("Б");
    d.positions[2] = {QStringLiteral("Цвяхи"), QString(), QStringLiteral("кг."), 2.5, 40};
    StoreDraft(*dm, d, 2, settings);
    const InvoiceRow original = stored(1);
    const InvoiceDraft copy = draft(EditorCommand::CopyInvoice, &original);
    EXPECT_TRUE(copy.isNew);
    EXPECT_EQ(copy.number, 2);
    EXPECT_EQ(copy.dopNo, QStringLiteral("Б"));
    EXPECT_EQ(copy.positions[2].line1, QStringLiteral("Цвяхи"));
    EXPECT_EQ(copy.positions[2].measure, QStringLiteral("кг."));
    EXPECT_DOUBLE_EQ(copy.positions[2].count, 2.5);
    EXPECT_EQ(copy.payerName, client.FIRMNAME);
    EXPECT_EQ(copy.date, QDate(2026, 12, 7));
}

TEST_F(InvoiceEditorTest, PayerDetailsGoToTheClientRowOrNowhere)
{
    InvoiceDraft d = draft(EditorCommand::NewInvoice);
    d.payerName = QStringLiteral("ТОВ \"Ґрунт-Плюс\"");
    d.dogDate = QStringLiteral("01.02.2025");
    d.dogNumber = QStringLiteral("8/2");
    StorePayerDetails(*dm, 2, d);
    ClientRow row = *dm->ReadClient(2);
    EXPECT_EQ(row.FIRMNAME, QStringLiteral("ТОВ \"Ґрунт-Плюс\""));
    EXPECT_EQ(row.DOGDATA, QDate(2025, 2, 1));
    EXPECT_EQ(row.DOGNUMBER, QStringLiteral("8/2"));
    d.dogDate = QStringLiteral("31.02.2025");
    d.dogNumber = QStringLiteral("9");
    EXPECT_THROW(StorePayerDetails(*dm, 2, d), DbError);
    EXPECT_EQ(dm->ReadClient(2)->DOGNUMBER, QStringLiteral("8/2"));
    d.dogDate.clear();
    StorePayerDetails(*dm, 2, d);
    EXPECT_FALSE(dm->ReadClient(2)->DOGDATA.isValid() && dm->ReadClient(2)->DOGDATA != kDateZero);
}

TEST(GoodsPicker, DecimalTextAndPickedItems)
{
    EXPECT_DOUBLE_EQ(ParseDecimalText(QStringLiteral("7,5")), 7.5);
    EXPECT_DOUBLE_EQ(ParseDecimalText(QStringLiteral(".25")), 0.25);
    EXPECT_DOUBLE_EQ(ParseDecimalText(QStringLiteral("12")), 12.0);
    EXPECT_DOUBLE_EQ(ParseDecimalText(QStringLiteral("1,234.5")), 0.0); // the "." is the separator
    EXPECT_DOUBLE_EQ(ParseDecimalText(QStringLiteral("12a")), 0.0);
    EXPECT_DOUBLE_EQ(ParseDecimalText(QStringLiteral("-5")), 0.0);

    PickedGoods p = ParsePickedText(QStringLiteral("Пісок річ   Цена: 12.50"));
    EXPECT_EQ(p.line1, QStringLiteral("Пісок річ"));
    EXPECT_TRUE(p.line2.isEmpty());
    EXPECT_DOUBLE_EQ(*p.price, 12.5);
    p = ParsePickedText(QString(50, u'ж') + QStringLiteral("   Цена: 1234567.89"));
    EXPECT_EQ(p.line1, QString(35, u'ж'));
    EXPECT_EQ(p.line2, QString(15, u'ж'));
    EXPECT_DOUBLE_EQ(*p.price, 1234567.89); // the whole price, not its first nine characters
    p = ParsePickedText(QStringLiteral("  набраний вручну  "));
    EXPECT_EQ(p.line1, QStringLiteral("набраний вручну"));
    EXPECT_FALSE(p.price.has_value());
    EXPECT_DOUBLE_EQ(*ParsePickedText(QStringLiteral("Х   Цена: дорого")).price, 0.0);
}

TEST_F(InvoiceEditorTest, TheGoodsListFeedsThePickerAndTakesPositions)
{
    EXPECT_TRUE(GoodsPickerItems(*dm, 2).isEmpty());
    StoreGoods(*dm, {QStringLiteral("Шпалери"), QStringLiteral(" флізелінові"), QString(), 0, 12.5});
    StoreGoods(*dm, {QString(40, u'А'), QString(40, u'Б'), QString(), 0, 1234567.891});
    StoreGoods(*dm, {QStringLiteral("ґрунтовка"), QString(), QString(), 0, 99});
    const QStringList items = GoodsPickerItems(*dm, 2);
    ASSERT_EQ(items.size(), 3);
    EXPECT_EQ(items[0], QString(40, u'А') + QString(30, u'Б') + QStringLiteral("   Цена: 1234567.89"));
    EXPECT_EQ(items[1], QStringLiteral("ґрунтовка   Цена: 99.00"));
    EXPECT_EQ(items[2], QStringLiteral("Шпалери флізелінові   Цена: 12.50"));
    EXPECT_EQ(GoodsPickerItems(*dm, 3)[1], QStringLiteral("ґрунтовка   Цена: 99.000"));
}

TEST_F(InvoiceEditorTest, TheGoodsListSortsInsertsAndCutsNames)
{
    for (const auto& [name, price] : std::initializer_list<std::pair<const char*, double>>{
             {"Цемент", 95}, {"Арматура", 310}, {"ґрунтовка", 99}, {"Вапно", 12}})
        StoreGoods(*dm, {QString::fromUtf8(name), QString(), QString(), 0, price});
    GoodsList goods(*dm);
    goods.reload();
    const auto names = [&goods] {
        QStringList out;
        for (int r = 0; r < goods.model().rowCount(); ++r)
            out << goods.model().value(r, QStringLiteral("PRODUCT_NAME")).toString();
        return out;
    };
    EXPECT_EQ(goods.indexName(), QStringLiteral("PR_PRICE"));
    EXPECT_EQ(names(), (QStringList{"Вапно", "Цемент", "ґрунтовка", "Арматура"}));
    goods.sortByColumn(0);
    goods.sortByColumn(0); // twice: still by name
    EXPECT_EQ(names(), (QStringList{"Арматура", "Вапно", "ґрунтовка", "Цемент"}));
    goods.sortByColumn(1);
    EXPECT_EQ(names().first(), QStringLiteral("Вапно"));

    // Without the index, the order the goods were entered in, and no message.
    execOrThrow(ConnectionOf(*dm), QStringLiteral("DROP INDEX PR_NAME"));
    goods.sortByColumn(0);
    EXPECT_TRUE(goods.indexName().isEmpty());
    EXPECT_EQ(names(), (QStringList{"Цемент", "Арматура", "ґрунтовка", "Вапно"}));

    // An inserted row is typed into; one given up empty goes again. Names are cut to 70.
    const int row = goods.insertEmpty();
    ASSERT_EQ(row, 4);
    EXPECT_TRUE(goods.model().setData(goods.model().index(row, 0), QString(80, u'Ж')));
    EXPECT_EQ(goods.model().value(row, QStringLiteral("PRODUCT_NAME")).toString(), QString(70, u'Ж'));
    EXPECT_FALSE(goods.dropIfEmpty(row));
    const int empty = goods.insertEmpty();
    EXPECT_TRUE(goods.dropIfEmpty(empty));
    EXPECT_EQ(goods.model().rowCount(), 5);
}
