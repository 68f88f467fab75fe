#include "base/prompter.h"
#include "db/data_module.h"
#include "print/expense_waybill_form.h"
#include "support/test_support.h"

#include <gtest/gtest.h>

namespace {

class ExpenseWaybillTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        dm = home.createAndConnect();
        execOrThrow(ConnectionOf(*dm),
                    QStringLiteral("INSERT INTO CLIENTS (ID_NUMBER, FIRMNAME) VALUES (2, 'ТОВ'), (3, 'ПП')"));
        owner.FIRMNAME = QStringLiteral("ТОВ \"Дім\"");
        owner.OKPOCODE = QStringLiteral("12345678");
        owner.POSTADDRESS = QStringLiteral("м. Київ");
        owner.TELFAX = QStringLiteral("(044) 1");
    }
    // An invoice (or a receipt, below 0) of client 2 with positions {name, unit, count, price}.
    void document(int number,
                  std::initializer_list<std::tuple<const char*, const char*, double, double>> positions,
                  double advertisingTax = 0, int vat = 20, int client = 2, const char* suffix = "")
    {
        QStringList columns{"FACT_NUMBER", "FACT_DOPNO", "FACT_DATA", "NAME_OWNER",
                            "ID_NUMBER",   "FACT_NDS",   "FACT_NR"};
        QVariantList values{number,
                            QString::fromUtf8(suffix),
                            QStringLiteral("1999-12-05"),
                            QStringLiteral("фоп Ґава"),
                            client,
                            vat,
                            advertisingTax};
        int n = 1;
        for (const auto& [name, unit, count, price] : positions) {
            columns << QStringLiteral("NAME_POS%1").arg(n) << QStringLiteral("MEASURE_POS%1").arg(n)
                    << QStringLiteral("COUNT_POS%1").arg(n) << QStringLiteral("PRICE_POS%1").arg(n);
            values << QString::fromUtf8(name) << QString::fromUtf8(unit) << count << price;
            ++n;
        }
        QStringList marks;
        marks.fill(QStringLiteral("?"), columns.size());
        execOrThrow(
            ConnectionOf(*dm),
            QStringLiteral("INSERT INTO FACTURES (%1) VALUES (%2)").arg(columns.join(u','), marks.join(u',')),
            values);
    }
    bool fill(int f1, int f2 = 0, int f3 = 0, int proxy = 7, QDate proxyDate = QDate(2003, 1, 30))
    {
        ExpenseWaybillRow w;
        w.NAKL_NUMBER = 4;
        w.NAKL_DATA = QDate(2003, 2, 1);
        w.FACT1_NUMBER = f1;
        w.FACT2_NUMBER = f2;
        w.FACT3_NUMBER = f3;
        w.NAME_CLIENT = QStringLiteral("Коваль П.П.");
        w.DOV_SERIE = QStringLiteral("ЯПА");
        w.DOV_NUMBER = proxy;
        w.DOV_DATA = proxyDate;
        w.ID_NUMBER = 2;
        page = CreateExpenseWaybillBlank();
        return FillWaybillForm(page, w,
                               ReadWaybillDocuments(*dm, w.FACT1_NUMBER, w.FACT2_NUMBER, w.FACT3_NUMBER),
                               owner, settings, &prompter);
    }
    QString text(const char* name) { return page.element(QLatin1String(name))->text; }
    double top(const char* name) { return page.element(QLatin1String(name))->top; }

    TestHome home;
    std::unique_ptr<TDM> dm;
    OwnerRecord owner;
    Settings settings;
    ScriptedPrompter prompter;
    Page page;
};

using P = std::tuple<const char*, const char*, double, double>;

} // namespace

TEST(ExpenseWaybillBlank, ElementsStandWhereTheBlankHasThem)
{
    const Page page = CreateExpenseWaybillBlank();
    int labels = 0, shapes = 0;
    for (const PageElement& e : page.elements())
        (e.kind == ElementKind::Label ? labels : shapes) += e.kind == ElementKind::Image ? 0 : 1;
    EXPECT_EQ(labels, 96);
    EXPECT_EQ(shapes, 20);
    struct Expected {
        const char* name;
        double left, top, width, height;
    } expected[] = {{"QRLabel61", 309, 175, 144, 23}, {"Sum4", 693, 547, 61, 17},
                    {"Num6", 576, 595, 39, 17},       {"Str8", 121, 642, 399, 17},
                    {"QRFact3", 297, 276, 230, 18},   {"QRLabel68", 125, 715, 72, 16},
                    {"QRShape67", 689, 429, 4, 353},  {"QRImage1", 40, 40, 49, 105}};
    for (const Expected& x : expected) {
        const PageElement* e = page.element(QLatin1String(x.name));
        ASSERT_NE(e, nullptr) << x.name;
        EXPECT_EQ(QRectF(e->left, e->top, e->width, e->height), QRectF(x.left, x.top, x.width, x.height))
            << x.name;
    }
    EXPECT_EQ(page.element(QStringLiteral("QRLabel61"))->text, QStringLiteral("Н А К Л А Д Н А"));
    EXPECT_EQ(page.element(QStringLiteral("QRLabel83"))->text, QStringLiteral("Ціна")); // a Cyrillic "і"
    EXPECT_FALSE(page.element(QStringLiteral("QRFact1"))->wordWrap);
    EXPECT_TRUE(page.element(QStringLiteral("Str1"))->wordWrap);
    EXPECT_TRUE(page.element(QStringLiteral("QRTel"))->transparent);
    EXPECT_FALSE(page.element(QStringLiteral("Firma1"))->transparent);
    EXPECT_TRUE(page.element(QStringLiteral("QRImage1"))->frame);
}

TEST_F(ExpenseWaybillTest, TwoInvoicesOfFourPositionsFillTheRowsAndAThirdDoesNotFit)
{
    document(12, {P{"А", "шт.", 1, 10}, P{"Б", "шт.", 2, 10}, P{"В", "шт.", 3, 10}, P{"Г", "шт.", 4, 10}}, 0,
             20, 2, "а");
    document(15, {P{"Д", "кг.", 1, 1}, P{"Е", "кг.", 1, 1}, P{"Ж", "кг.", 1, 1}, P{"З", "кг.", 1, 1}});
    document(16, {P{"И", "шт.", 1, 1000}});
    EXPECT_FALSE(fill(12, 15, 16));
    EXPECT_EQ(prompter.texts(), QStringList{"Третья счет-фактура не умещается на бланке!"});
    EXPECT_EQ(text("QRFact1"), QStringLiteral("згідно рахунку № 12а від 05 грудня 1999;"));
    EXPECT_EQ(text("QRFact2"), QStringLiteral("       рахунку № 15 від 05 грудня 1999;"));
    EXPECT_EQ(text("QRFact3"), QStringLiteral(" "));
    EXPECT_EQ(text("No8"), QStringLiteral("8"));
    EXPECT_EQ(text("Str8"), QStringLiteral("З"));
    EXPECT_EQ(text("Sum3"), QStringLiteral("    30,00"));
    // 10 + 20 + 30 + 40 + 4 = 104; VAT 20.80; total 124.80.
    EXPECT_EQ(text("QRLSumma"), QStringLiteral("  104.00"));
    EXPECT_EQ(text("NDS1"), QStringLiteral("   20,80"));
    EXPECT_EQ(text("ALLSum1"), QStringLiteral("  124,80"));
    EXPECT_EQ(text("SumStr"), QStringLiteral("( Сто двадцять чотири гривні 80 коп.)"));
    EXPECT_EQ(text("Firma1"), QStringLiteral("ФОП ҐАВА"));
    EXPECT_EQ(text("NoNak"), QStringLiteral("4"));
    EXPECT_EQ(text("Day1"), QStringLiteral("01"));
    EXPECT_EQ(text("Month1"), QStringLiteral("лютого"));
    EXPECT_EQ(text("NoDov1"), QStringLiteral("7"));
    EXPECT_EQ(text("Month2"), QStringLiteral("січня"));
}

TEST_F(ExpenseWaybillTest, RowsThatDoNotFitAreLeftOutOfEveryFigure)
{
    document(1, {P{"А", "шт.", 1, 1}, P{"Б", "шт.", 1, 1}, P{"В", "шт.", 1, 1}});
    document(2, {P{"Г", "шт.", 1, 1}, P{"Д", "шт.", 0, 50}, P{"Е", "шт.", 1, 1}, P{"Ж", "шт.", 1, 1}});
    document(3, {P{"З", "шт.", 1, 100}, P{"И", "шт.", 1, 200}, P{"К", "шт.", 1, 400}, P{"Л", "шт.", 1, 800}});
    EXPECT_FALSE(fill(1, 2, 3));
    EXPECT_EQ(prompter.texts(), QStringList{"Накладная не умещается на бланке!"});
    // The count of 0 took no row: rows 1-6 are the first two invoices, 7 and 8 the third's first two.
    EXPECT_EQ(text("Str6"), QStringLiteral("Ж"));
    EXPECT_EQ(text("Str7"), QStringLiteral("З"));
    EXPECT_EQ(text("Str8"), QStringLiteral("И"));
    EXPECT_EQ(text("QRLSumma"), QStringLiteral("  306.00")); // 6 + 100 + 200
}

TEST_F(ExpenseWaybillTest, AReceiptHasNoReferenceLineAndNoAdvertisingTax)
{
    document(-3, {P{"Оплата", "шт.", 1, 1234.5}}, 0, 20);
    EXPECT_TRUE(fill(-3, 0, 0, 0));
    EXPECT_TRUE(prompter.messages().empty());
    EXPECT_EQ(text("QRFact1"), QStringLiteral(" "));
    EXPECT_EQ(text("NoDov1"), QString()); // a proxy number of 0 prints nothing
    EXPECT_EQ(page.element(QStringLiteral("QRLabel4"))->color, QColor(Qt::white));
    EXPECT_EQ(top("QRLabel3"), 715);
    EXPECT_EQ(top("QRLSumma"), 714);
    EXPECT_EQ(top("QRLabel68"), 739);
    EXPECT_EQ(top("NDS1"), 738);
    // 1234.50, VAT 246.90, total 1481.40; the subtotal alone with a point.
    EXPECT_EQ(text("QRLSumma"), QStringLiteral(" 1234.50"));
    EXPECT_EQ(text("NDS1"), QStringLiteral("  246,90"));
    EXPECT_EQ(text("ALLSum1"), QStringLiteral(" 1481,40"));
    EXPECT_EQ(text("QRLabel68"), QStringLiteral("ПДВ 20 % :"));
}

TEST_F(ExpenseWaybillTest, TheAdvertisingTaxRowAndWordsOfTheWholeTotal)
{
    document(5, {P{"Реклама", "шт.", 10, 100}}, 1.5);
    settings.rusOrUkr = true;
    EXPECT_TRUE(fill(5));
    // 1000.00 + VAT 200.00 + tax 15.00 = 1215.00, spelled whole.
    EXPECT_EQ(text("QRLabel5"), QStringLiteral("     15,00"));
    EXPECT_EQ(text("QRLabel4"), QStringLiteral("Налог на рекламу ( 1,50%)"));
    EXPECT_EQ(page.element(QStringLiteral("QRLabel4"))->color, QColor(Qt::black));
    EXPECT_EQ(top("QRLabel68"), 714);
    EXPECT_EQ(text("QRLabel68"), QStringLiteral("НДС 20 % :"));
    EXPECT_EQ(text("ALLSum1"), QStringLiteral(" 1215,00"));
    EXPECT_EQ(text("SumStr"), QStringLiteral("( Одна тысяча двести пятнадцать гривень 00 коп.)"));
}

TEST_F(ExpenseWaybillTest, ALumpSumCostsItsPriceAsOnTheInvoice)
{
    document(6, {P{"Доставка", "", 3, 150}, P{"Цемент", "міш", 2, 95.5}});
    EXPECT_TRUE(fill(6));
    EXPECT_EQ(text("Sum1"), QStringLiteral("   150,00"));
    EXPECT_TRUE(text("Num1").isEmpty());
    EXPECT_TRUE(text("Pr1").isEmpty());
    EXPECT_EQ(text("Sum2"), QStringLiteral("   191,00"));
    EXPECT_EQ(text("Pr2"), QStringLiteral("    95,50"));
    EXPECT_EQ(text("Num2"), QStringLiteral("2"));
    EXPECT_EQ(text("QRLSumma"), QStringLiteral("  341.00"));
}

TEST_F(ExpenseWaybillTest, WhatCannotShareTheBlankIsRefused)
{
    document(7, {P{"А", "шт.", 1, 1}}, 0, 20);
    document(8, {P{"Б", "шт.", 1, 1}}, 0, 7);
    EXPECT_FALSE(fill(7, 8));
    EXPECT_EQ(prompter.texts(), QStringList{"Счета выписаны под разную величину НДС!"});
    // Another client's document under the waybill's number is not found.
    document(9, {P{"В", "шт.", 1, 1}}, 0, 20, 3);
    prompter.clear();
    EXPECT_FALSE(fill(7, 9));
    EXPECT_EQ(prompter.texts(), QStringList{"Не найдена вторая счет-фактура!"});
    prompter.clear();
    EXPECT_FALSE(fill(9));
    EXPECT_EQ(prompter.texts(), QStringList{"Не найдена исходная счет-фактура!"});
    EXPECT_EQ(text("ALLSum1"), QStringLiteral("    0,00"));
    prompter.clear();
    EXPECT_FALSE(fill(-99));
    EXPECT_EQ(prompter.texts(), QStringList{"Не найдена исходное поступление!"});
}

TEST_F(ExpenseWaybillTest, ALumpSumAtCountZeroAndAReturnAreChargedAsOnTheInvoice)
{
    // The invoice charges 600 for the lump sum (count 0) and 24 for the goods: 624,00, not 24,00.
    document(10, {P{"Монтаж", "", 0, 600}, P{"Дюбель", "шт.", 12, 2}});
    EXPECT_TRUE(fill(10));
    EXPECT_EQ(text("Str1"), QStringLiteral("Монтаж"));
    EXPECT_EQ(text("Sum1"), QStringLiteral("   600,00"));
    EXPECT_EQ(text("QRLSumma"), QStringLiteral("  624.00"));

    // 3 × 1000 + 1000 − 150 (a return) = 3850: the waybill's figure is the invoice's.
    document(11, {P{"Котел", "шт.", 3, 1000}, P{"Бойлер", "шт.", 1, 1000}, P{"Повернення", "шт.", -1, 150},
                  P{"Гарантія", "шт.", 0, 80}});
    EXPECT_TRUE(fill(11));
    EXPECT_EQ(text("Str3"), QStringLiteral("Повернення"));
    EXPECT_EQ(text("Num3"), QStringLiteral("-1"));
    EXPECT_EQ(text("Sum3"), QStringLiteral("  -150,00"));
    EXPECT_EQ(text("Str4"), QStringLiteral(" ")); // a named position of no count takes no row
    EXPECT_EQ(text("QRLSumma"), QStringLiteral(" 3850.00"));
    EXPECT_EQ(text("ALLSum1"), QStringLiteral(" 4620,00"));

    // Empty places of the last invoice never count as rows beyond the blank.
    document(12, {P{"А", "шт.", 1, 1}, P{"Б", "шт.", 1, 1}});
    document(13, {P{"В", "шт.", 1, 1}, P{"Г", "шт.", 1, 1}, P{"Д", "шт.", 1, 1}, P{"Е", "шт.", 1, 1}});
    document(14, {P{"Є", "шт.", 1, 1}, P{"Ж", "шт.", 1, 1}});
    EXPECT_TRUE(fill(12, 13, 14));
    EXPECT_EQ(text("Str8"), QStringLiteral("Ж"));
}

TEST_F(ExpenseWaybillTest, AProxyOfNoDateLeavesItsDatePlaceEmpty)
{
    document(15, {P{"Цегла", "шт.", 100, 5}});
    for (const QDate& none : {QDate(), QDate(1899, 12, 30)}) {
        EXPECT_TRUE(fill(15, 0, 0, 7, none));
        for (const char* name : {"Day2", "Month2", "Year2"})
            EXPECT_EQ(text(name), QStringLiteral(" ")) << name;
    }
}
