#include "base/prompter.h"
#include "db/data_module.h"
#include "db/tables.h"
#include "print/expense_waybill_form.h"
#include "print/invoice_form.h"
#include "print/invoice_sums.h"
#include "print/tax_waybill_form.h"
#include "report/renderer.h"
#include "support/test_support.h"

#include <QDir>
#include <QImage>

#include <gtest/gtest.h>

namespace {

// The point size every label of the page is drawn at on a 300-dpi sheet, by name; the page is also written
// as a PNG into DOCMAR_BLANKS_DIR when that is set, to be looked at.
std::map<QString, double> drawnSizes(const Page& page, const QString& name)
{
    const double dpi = 300;
    QImage sheet = RenderToImage(page, dpi);
    if (const QString dir = qEnvironmentVariable("DOCMAR_BLANKS_DIR"); !dir.isEmpty())
        sheet.save(QDir(dir).filePath(name + QStringLiteral(".png")));
    const double scale = dpi / 96.0 * page.pxPerUnit();
    std::map<QString, double> sizes;
    for (const PageElement& e : page.elements()) {
        if ((e.kind != ElementKind::Label && e.kind != ElementKind::DataText) || !e.visible ||
            e.text.trimmed().isEmpty())
            continue;
        const QRectF box(e.left * scale, e.top * scale, e.width * scale, e.height * scale);
        sizes[e.name] = FittedPointSize(e, &sheet, box, LabelRoomRight(page) * scale);
    }
    return sizes;
}

// Every label is drawn whole: at its own size, or at a smaller one that is still read (above the 4-point
// floor, where a text would no longer fit).
void expectEveryLabelWhole(const Page& page, const QString& name)
{
    for (const auto& [label, points] : drawnSizes(page, name))
        EXPECT_GT(points, 4.0) << name.toStdString() << ": " << label.toStdString() << " «"
                               << page.element(label)->text.toStdString() << "»";
}

class BlankFitTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        dm = home.createAndConnect();
        execOrThrow(
            ConnectionOf(*dm),
            QStringLiteral("INSERT INTO CLIENTS (ID_NUMBER, FIRMNAME, TAXCODE, LAWADDRESS, REGNUMBER, "
                           "DOGNUMBER, DOGDATA, CHETNUMBER, BANKNAME, BANKCITY, BANKREGION) VALUES "
                           "(2, 'ТОВ \"Будівельна компанія Південь\"', '123456789012', "
                           "'м. Запоріжжя, вул. Соборна, 101, кв. 55', '100200300', '2026/17-ПР', "
                           "'2026-01-15', '26001234567890', 'АТ \"Ощадбанк\"', 'Запоріжжя', "
                           "'Запорізька')"));
        owner.FIRMNAME = QStringLiteral("ТОВ \"Торговий дім Дніпро\"");
        owner.OKPOCODE = QStringLiteral("12345678");
        owner.CHETNUMBER = QStringLiteral("26009876543210");
        owner.BANKNAME = QStringLiteral("АТ КБ \"ПриватБанк\"");
        owner.BANKCITY = QStringLiteral("Дніпро");
        owner.MFOCODE = QStringLiteral("305299");
        owner.TELFAX = QStringLiteral("(056) 770-00-00");
        owner.BUHALTER = QStringLiteral("Коваленко О.О.");
        owner.POSTADDRESS = QStringLiteral("м. Дніпро, просп. Яворницького, 1");
        settings.goods = 3;
    }
    InvoiceRow invoice(int number, std::array<Position, 4> positions, double advertising = 0)
    {
        InvoiceRow f;
        f.FACT_NUMBER = number;
        f.FACT_DOPNO = QStringLiteral("/ПР");
        f.FACT_DATA = QDate(2026, 12, 7);
        f.NAME_OWNER = QStringLiteral("ТОВ \"Будівельна компанія Південь\"");
        f.ID_NUMBER = 2;
        f.FACT_NDS = 20;
        f.FACT_NR = advertising;
        f.positions = positions;
        RowInserter(ConnectionOf(*dm), Tables::factures()).insert(toValues(f));
        return f;
    }

    TestHome home;
    std::unique_ptr<TDM> dm;
    OwnerRecord owner;
    Settings settings;
    ScriptedPrompter prompter;
};

const QString kLongName = QStringLiteral("Щебінь гранітний фракції 20-40 мм, ШЩ ДСТУ Б В.2.7-75:2008 (ЖД)");

} // namespace

TEST_F(BlankFitTest, TheLargestAmountsOfEachBlankAreDrawnWhole)
{
    // Counts of ten digits and three decimals, prices of thirteen characters, sums of fifteen: the total of
    // each blank stays within 999 999 999 999,99.
    const std::array<Position, 4> big = {
        Position{kLongName, QStringLiteral("т."), 9'999'999.999, 19'999.99},
        Position{QStringLiteral("Кран"), QStringLiteral("шт."), 9, 9'999'999'999.99},
        Position{QStringLiteral("Доставка"), QString(), 0, 99'999'999'999.99},
        Position{QStringLiteral("Повернення тари"), QStringLiteral("шт."), -9'999'999.999, 1'999.99}};
    const InvoiceRow first = invoice(5001, big, 10);
    EXPECT_TRUE(AmountBeyondBlank(first).isEmpty());
    Page page = CreateInvoiceBlank();
    const ClientRow client = *dm->ReadClient(2);
    FillInvoiceForm(page, first, &client, owner, settings, &prompter);
    expectEveryLabelWhole(page, QStringLiteral("invoice"));

    std::array<Position, 4> shortNames = big;
    shortNames[0].name = QStringLiteral("Щебінь гранітний");
    invoice(5002, shortNames);
    ExpenseWaybillRow expense;
    expense.NAKL_NUMBER = 99999;
    expense.NAKL_DATA = QDate(2026, 12, 7);
    expense.FACT1_NUMBER = 5001;
    expense.FACT2_NUMBER = 5002;
    expense.NAME_CLIENT = QStringLiteral("Коваленко-Ярошевський В.В.");
    expense.DOV_SERIE = QStringLiteral("ЯПА");
    expense.DOV_NUMBER = 99999999;
    expense.DOV_DATA = QDate(2026, 12, 1);
    expense.ID_NUMBER = 2;
    page = CreateExpenseWaybillBlank();
    execOrThrow(ConnectionOf(*dm), QStringLiteral("UPDATE FACTURES SET FACT_NR=0"));
    EXPECT_TRUE(FillWaybillForm(
        page, expense,
        ReadWaybillDocuments(*dm, expense.FACT1_NUMBER, expense.FACT2_NUMBER, expense.FACT3_NUMBER), owner,
        settings, &prompter))
        << prompter.texts().join(u'\n').toStdString();
    expectEveryLabelWhole(page, QStringLiteral("expense"));

    // The tax waybill's count column is 8 mm wide: counts of up to ten characters.
    invoice(5003, {Position{QStringLiteral("Цвях"), QStringLiteral("кг."), 999'999.999, 99'999.99},
                   Position{kLongName, QStringLiteral("т."), 99'999, 99'999.99},
                   Position{QStringLiteral("Повернення тари"), QStringLiteral("шт."), -99'999.999, 9'999.99},
                   Position{QStringLiteral("Доставка"), QString(), 0, 99'999'999'999.99}});
    invoice(5004, {Position{QStringLiteral("Кран"), QStringLiteral("шт."), 9, 9'999'999'999.99}});
    TaxWaybillRow tax;
    tax.NAKL_NUMBER = 99999;
    tax.NAKL_DATA = QDate(2026, 12, 7);
    tax.FACT1_NUMBER = 5003;
    tax.FACT2_NUMBER = 5004;
    tax.NAME_CLIENT = QStringLiteral("ТОВ \"Будівельна компанія Південь\"");
    tax.OPLATA_TYPE = QStringLiteral("оплата з розр./ рах. ");
    tax.INFO = QStringLiteral("договір № 2026/17-ПР від 15.01.2026( p/ф № 5003/ПР,5004/ПР)");
    tax.ID_NUMBER = 2;
    page = CreateTaxWaybillBlank();
    const std::optional<ClientRow> buyer = dm->ReadClient(tax.ID_NUMBER);
    EXPECT_EQ(FillTaxWaybillForm(
                  page, tax, ReadWaybillDocuments(*dm, tax.FACT1_NUMBER, tax.FACT2_NUMBER, tax.FACT3_NUMBER),
                  buyer ? &*buyer : nullptr, owner, settings, &prompter),
              WaybillFill::Complete)
        << prompter.texts().join(u'\n').toStdString();
    expectEveryLabelWhole(page, QStringLiteral("tax"));
}

TEST_F(BlankFitTest, WhatFitsKeepsTheDesignsSize)
{
    const InvoiceRow plain =
        invoice(1, {Position{QStringLiteral("Цемент М-500"), QStringLiteral("міш"), 10, 185.5},
                    Position{QStringLiteral("Доставка"), QString(), 0, 1200}});
    Page page = CreateInvoiceBlank();
    const ClientRow client = *dm->ReadClient(2);
    FillInvoiceForm(page, plain, &client, owner, settings, &prompter);
    for (const auto& [label, points] : drawnSizes(page, QStringLiteral("plain-invoice")))
        EXPECT_EQ(points, page.element(label)->fontSize) << label.toStdString();
}
