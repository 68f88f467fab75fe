#include "base/prompter.h"
#include "db/data_module.h"
#include "print/tax_waybill_form.h"
#include "support/test_support.h"

#include <gtest/gtest.h>

namespace {

using P = std::tuple<QString, const char*, double, double>;

class TaxWaybillTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        dm = home.createAndConnect();
        execOrThrow(
            ConnectionOf(*dm),
            QStringLiteral(
                "INSERT INTO CLIENTS (ID_NUMBER, FIRMNAME, TAXCODE, TELFAX, LAWADDRESS, REGNUMBER) "
                "VALUES (2, 'ТОВ', '111', '(044) 2', 'м. Суми', '222'), (3, 'ПП', '333', '', '', '')"));
        owner.FIRMNAME = QStringLiteral("ТОВ \"Дім\"");
        owner.BUHALTER = QStringLiteral("Іваненко І.І.");
        owner.TELFAX = QStringLiteral("(044) 1");
    }
    void document(int number, std::vector<P> positions, int vat = 20, int client = 2)
    {
        QStringList columns{"FACT_NUMBER", "FACT_DATA", "ID_NUMBER", "FACT_NDS"};
        QVariantList values{number, QStringLiteral("2001-01-10"), client, vat};
        int n = 1;
        for (const auto& [name, unit, count, price] : positions) {
            columns << QStringLiteral("NAME_POS%1").arg(n) << QStringLiteral("MEASURE_POS%1").arg(n)
                    << QStringLiteral("COUNT_POS%1").arg(n) << QStringLiteral("PRICE_POS%1").arg(n);
            values << name << QString::fromUtf8(unit) << count << price;
            ++n;
        }
        QStringList marks;
        marks.fill(QStringLiteral("?"), columns.size());
        execOrThrow(
            ConnectionOf(*dm),
            QStringLiteral("INSERT INTO FACTURES (%1) VALUES (%2)").arg(columns.join(u','), marks.join(u',')),
            values);
    }
    bool fill(int f1, int f2 = 0, int f3 = 0, std::optional<int> section = std::nullopt)
    {
        TaxWaybillRow w;
        w.NAKL_NUMBER = 8;
        w.NAKL_DATA = QDate(2001, 2, 5);
        w.FACT1_NUMBER = f1;
        w.FACT2_NUMBER = f2;
        w.FACT3_NUMBER = f3;
        w.NAME_CLIENT = QStringLiteral("ТОВ \"Покупець\"");
        w.OPLATA_TYPE = QStringLiteral("готівка");
        w.INFO = QStringLiteral("p/ф № 1");
        w.ID_NUMBER = 2;
        page = CreateTaxWaybillBlank();
        return fillTax(w, section) == WaybillFill::Complete;
    }
    // The blank filled as the print command fills it: the documents and the buyer looked up first.
    WaybillFill fillTax(const TaxWaybillRow& w, std::optional<int> section = std::nullopt)
    {
        const std::optional<ClientRow> buyer = dm->ReadClient(w.ID_NUMBER);
        return FillTaxWaybillForm(page, w,
                                  ReadWaybillDocuments(*dm, w.FACT1_NUMBER, w.FACT2_NUMBER, w.FACT3_NUMBER),
                                  buyer ? &*buyer : nullptr, owner, settings, &prompter, section);
    }
    QString text(const QString& name) { return page.element(name)->text; }
    QString cell(const char* prefix, int row) { return text(QLatin1String(prefix) + QString::number(row)); }

    TestHome home;
    std::unique_ptr<TDM> dm;
    OwnerRecord owner;
    Settings settings;
    ScriptedPrompter prompter;
    Page page;
};

QString name(int length, QChar c = u'н')
{
    return QString(length, c);
}

} // namespace

TEST_F(TaxWaybillTest, FewPositionsStandWithAGapAfterEach)
{
    document(1, {P{"Цемент", "шт.", 2, 50}, P{"Пісок", "шт.", 1, 100}, P{"Щебінь", "шт.", 4, 25}});
    EXPECT_TRUE(fill(1));
    for (int row : {1, 3, 5})
        EXPECT_EQ(cell("DataPos", row), QStringLiteral("05.02.01")) << row;
    for (int row : {2, 4, 6, 7, 10})
        EXPECT_EQ(cell("StrPos", row), QStringLiteral(" ")) << row;
    EXPECT_EQ(cell("StrPos", 3), QStringLiteral("Пісок"));
    EXPECT_EQ(cell("NumPos", 1), QStringLiteral("2"));
    EXPECT_EQ(cell("PricePos", 1), QStringLiteral("    50,00"));
    EXPECT_EQ(cell("NDSPos", 5), QStringLiteral("   100,00"));
    // 100 + 100 + 100 = 300; VAT 20 % = 60; 360.
    EXPECT_EQ(text("Vsego"), QStringLiteral("  300,00"));
    EXPECT_EQ(text("VsegoNDS5"), QStringLiteral("  300,00"));
    EXPECT_EQ(text("Vsego6"), QStringLiteral("   60,00"));
    EXPECT_EQ(text("VsegoNDS7"), QStringLiteral("  360,00"));
    EXPECT_EQ(text("QRLabel115"), QStringLiteral("20%"));
    EXPECT_EQ(page.element(QStringLiteral("NDSPos1"))->left, 130.4);
    // The header, the seller and the waybill's own client as the buyer.
    EXPECT_EQ(text("DayN1"), QStringLiteral("05"));
    EXPECT_EQ(text("MonthN1"), QStringLiteral("лютого"));
    EXPECT_EQ(text("YearN1"), QStringLiteral("2001"));
    EXPECT_EQ(text("QRDBText5"), QStringLiteral("8"));
    EXPECT_EQ(text("NameN1"), QStringLiteral("ТОВ \"Покупець\""));
    EXPECT_EQ(text("CodeN1"), QStringLiteral("111"));
    EXPECT_EQ(text("YurAdrN1"), QStringLiteral("м. Суми"));
    EXPECT_EQ(text("QRTelOwn_2"), QStringLiteral(" (044) 1"));
    EXPECT_EQ(text("QRBuhOwn_2"), QStringLiteral(" ( Іваненко І.І. )"));
    EXPECT_EQ(text("Umova"), QStringLiteral("p/ф № 1"));
    EXPECT_EQ(text("QROplata"), QStringLiteral("готівка"));
}

TEST_F(TaxWaybillTest, ALongNameTakesTwoRowsAndTheNextPositionFollows)
{
    document(1, {P{"Перший", "шт.", 1, 1}, P{name(40), "шт.", 1, 2}, P{"Третій", "шт.", 1, 3},
                 P{"Четвертий", "шт.", 1, 4}});
    document(2, {P{"П'ятий", "шт.", 1, 5}});
    EXPECT_TRUE(fill(1, 2));
    EXPECT_EQ(cell("StrPos", 2), name(35));
    EXPECT_EQ(cell("DataPos", 2), QStringLiteral("05.02.01"));
    EXPECT_EQ(cell("StrPos", 3), name(5));
    EXPECT_EQ(cell("NDSPos", 3), QStringLiteral("     2,00"));
    EXPECT_EQ(cell("NDSPos", 2), QStringLiteral(" "));
    EXPECT_EQ(cell("StrPos", 4), QStringLiteral("Третій"));
    EXPECT_EQ(cell("StrPos", 6), QStringLiteral("П'ятий"));
}

// 35 characters fit a row; the 36th goes to the next.
TEST_F(TaxWaybillTest, ANameOfThirtySixCharactersTakesTwoRows)
{
    document(1, {P{name(35, u'а'), "шт.", 1, 1}, P{name(36, u'б'), "шт.", 1, 2}, P{"В", "шт.", 1, 3}});
    EXPECT_TRUE(fill(1));
    // Few positions stand with a gap after each: 1, then 3 and 4, then 6.
    EXPECT_EQ(cell("StrPos", 1), name(35, u'а'));
    EXPECT_EQ(cell("StrPos", 3), name(35, u'б'));
    EXPECT_EQ(cell("StrPos", 4), name(1, u'б'));
    EXPECT_EQ(cell("StrPos", 6), QStringLiteral("В"));
}

TEST_F(TaxWaybillTest, ALongNameThatReachesTheLastRowStaysWhole)
{
    document(1, {P{name(40, u'а'), "шт.", 1, 1}, P{name(40, u'б'), "шт.", 1, 1},
                 P{name(40, u'в'), "шт.", 1, 1}, P{name(40, u'г'), "шт.", 1, 1}});
    EXPECT_TRUE(fill(1));
    EXPECT_EQ(cell("StrPos", 7), name(35, u'в'));
    EXPECT_EQ(cell("StrPos", 10), name(40, u'г'));
    EXPECT_EQ(text("Vsego"), QStringLiteral("    4,00"));
}

TEST_F(TaxWaybillTest, TenPositionsOverThreeInvoicesFillTheTenRows)
{
    document(1, {P{"А", "шт.", 1, 1}, P{"Б", "шт.", 1, 1}, P{"В", "шт.", 1, 1}, P{"Г", "шт.", 1, 1}});
    document(2, {P{"Д", "шт.", 1, 1}, P{"Е", "шт.", 1, 1}, P{"Є", "шт.", 1, 1}, P{"Ж", "шт.", 1, 1}});
    document(3, {P{"З", "шт.", 1, 1}, P{"И", "шт.", 1, 1}});
    EXPECT_TRUE(fill(1, 2, 3));
    EXPECT_TRUE(prompter.texts().isEmpty());
    EXPECT_EQ(cell("StrPos", 9), QStringLiteral("З"));
    EXPECT_EQ(cell("StrPos", 10), QStringLiteral("И"));
    EXPECT_EQ(text("Vsego"), QStringLiteral("   10,00"));

    // Three long names and a short one: with a gap after each the short one takes row 10.
    document(4, {P{name(40), "шт.", 1, 1}, P{name(40), "шт.", 1, 1}, P{name(40), "шт.", 1, 1}});
    document(5, {P{"Д", "шт.", 1, 1}});
    EXPECT_TRUE(fill(4, 5));
    EXPECT_EQ(cell("StrPos", 7), name(35));
    EXPECT_EQ(cell("StrPos", 10), QStringLiteral("Д"));
    EXPECT_EQ(text("Vsego"), QStringLiteral("    4,00"));
}

TEST_F(TaxWaybillTest, PositionsBeyondTheRowsRefuseTheBlank)
{
    for (int d = 1; d <= 3; ++d)
        document(d, {P{"А", "шт.", 1, 1}, P{"Б", "шт.", 1, 1}, P{"В", "шт.", 1, 1}, P{"Г", "шт.", 1, 1}});
    EXPECT_FALSE(fill(1, 2, 3));
    EXPECT_EQ(prompter.texts(), QStringList{"Число позиций в счет-фактурах больше чем в бланке!"});
    EXPECT_EQ(cell("StrPos", 10), QStringLiteral("Б"));

    // Four long names leave no room for gaps and take two rows each: the fifth position has none.
    document(4, {P{name(40), "шт.", 1, 1}, P{name(40), "шт.", 1, 1}, P{name(40), "шт.", 1, 1},
                 P{name(40), "шт.", 1, 1}});
    document(5, {P{name(40), "шт.", 1, 1}, P{"Е", "шт.", 1, 1}});
    prompter.clear();
    EXPECT_FALSE(fill(4, 5));
    EXPECT_EQ(prompter.texts(), QStringList{"Число позиций в счет-фактурах больше чем в бланке!"});
}

TEST_F(TaxWaybillTest, LumpSumsAndTheInvoicesRounding)
{
    document(1, {P{"Доставка", "   ", 3, 150}, P{"Монтаж", "", 1, 0.125}});
    EXPECT_TRUE(fill(1));
    EXPECT_TRUE(cell("NumPos", 1).isEmpty());
    EXPECT_TRUE(cell("PricePos", 1).isEmpty());
    EXPECT_EQ(cell("NDSPos", 1), QStringLiteral("   150,00"));
    EXPECT_EQ(cell("EdPos", 1), QStringLiteral("   "));
    // 0.125 is 0,12 in its row (to even) and in the total, as the invoice prints both: 150,00 + 0,12.
    EXPECT_EQ(cell("NDSPos", 3), QStringLiteral("     0,12"));
    EXPECT_EQ(text("Vsego"), QStringLiteral("  150,12"));
    EXPECT_EQ(text("Vsego6"), QStringLiteral("   30,02")); // 150.12 × 0.2 = 30.024
    EXPECT_EQ(text("Vsego7"), QStringLiteral("  180,14"));
}

TEST_F(TaxWaybillTest, ReturnsAreChargedAsTheInvoiceChargesThem)
{
    // 2 × 1500 + 1 × 1000 − 1 × 150 (a return) + a lump-sum delivery of 0 pieces at 50: 3900 on the invoice.
    document(1, {P{"Котел", "шт.", 2, 1500}, P{"Бойлер", "шт.", 1, 1000}, P{"Повернення", "шт.", -1, 150},
                 P{"Доставка", "", 0, 50}});
    EXPECT_TRUE(fill(1));
    EXPECT_EQ(cell("StrPos", 5), QStringLiteral("Повернення"));
    EXPECT_EQ(cell("NDSPos", 5), QStringLiteral("  -150,00"));
    EXPECT_EQ(cell("NDSPos", 7), QStringLiteral("    50,00"));
    EXPECT_EQ(text("Vsego"), QStringLiteral(" 3900,00"));
    EXPECT_EQ(text("Vsego7"), QStringLiteral(" 4680,00"));
}

TEST_F(TaxWaybillTest, AZeroRateWithoutAChosenSectionGoesNowhere)
{
    document(1, {P{"Експорт", "шт.", 2, 50}}, 0);
    prompter.queueChoice(-1); // the question closed
    TaxWaybillRow w;
    w.FACT1_NUMBER = 1;
    w.ID_NUMBER = 2;
    w.NAKL_DATA = QDate(2001, 2, 5);
    page = CreateTaxWaybillBlank();
    EXPECT_EQ(fillTax(w), WaybillFill::Cancelled);
    ASSERT_EQ(prompter.messages().size(), 1u);
    EXPECT_EQ(prompter.messages()[0].detail, QStringLiteral("Выбор раздела НДС в накладной :"));
}

TEST_F(TaxWaybillTest, AZeroRateGoesIntoTheSectionChosen)
{
    document(1, {P{"Експорт", "шт.", 2, 50}}, 0);
    prompter.queueChoice(1); // export
    EXPECT_TRUE(fill(1));
    EXPECT_EQ(prompter.messages().front().kind, ScriptedPrompter::Kind::Choose);
    EXPECT_EQ(text("QRLabel115"), QStringLiteral("20%"));
    for (const char* name : {"NDSPos1", "NDSPos10", "VsegoNDS", "VsegoNDS7"})
        EXPECT_EQ(page.element(QLatin1String(name))->left, 158.75) << name;
    EXPECT_EQ(text("Vsego6"), QStringLiteral("    0,00"));
    EXPECT_EQ(text("Vsego7"), QStringLiteral("  100,00"));
    EXPECT_TRUE(fill(1, 0, 0, 2)); // given, not asked: exempt
    EXPECT_EQ(page.element(QStringLiteral("NDSPos1"))->left, 173.8);
}

TEST_F(TaxWaybillTest, DocumentsThatCannotShareTheBlankStopTheFill)
{
    document(1, {P{"А", "шт.", 1, 10}});
    document(3, {P{"В", "шт.", 1, 10}});
    EXPECT_TRUE(fill(1, 0, 3)); // invoices 1 and 3, no second
    EXPECT_EQ(text("Vsego"), QStringLiteral("   20,00"));
    document(4, {P{"Г", "шт.", 1, 10}}, 7);
    document(5, {P{"Д", "шт.", 1, 10}}, 20, 3);
    const struct {
        int f2, f3;
        const char* message;
    } cases[] = {{4, 0, "Первый и второй счета выписаны под разную величину НДС!"},
                 {3, 4, "Первый и третий счета выписаны под разную величину НДС!"},
                 {0, 15, "Не найдена исходная счет-фактура №15"},
                 {5, 0, "Не найдена исходная счет-фактура №5"}}; // another client's: not this waybill's
    for (const auto& c : cases) {
        prompter.clear();
        EXPECT_FALSE(fill(1, c.f2, c.f3));
        EXPECT_EQ(prompter.texts(), QStringList{QString::fromUtf8(c.message)});
        EXPECT_EQ(text("Vsego"), QStringLiteral("0,00"));
        EXPECT_EQ(cell("StrPos", 1), QStringLiteral(" "));
    }
    // A position with a price and no name is charged, as on the invoice.
    document(6, {P{"", "шт.", 2, 10}});
    EXPECT_TRUE(fill(6));
    EXPECT_EQ(cell("NDSPos", 1), QStringLiteral("    20,00"));
    // A receipt prints its own positions only.
    document(-2, {P{"Оплата", "шт.", 1, 40}});
    EXPECT_TRUE(fill(-2, 1, 3));
    EXPECT_EQ(text("Vsego"), QStringLiteral("   40,00"));
    EXPECT_FALSE(fill(-9));
}

TEST(TaxWaybillBlank, ElementsStandWhereTheBlankHasThem)
{
    const Page page = CreateTaxWaybillBlank();
    EXPECT_EQ(page.unit(), PageUnit::Mm);
    const auto find = [&page](const char* name) {
        const PageElement* e = page.element(QLatin1String(name));
        EXPECT_NE(e, nullptr) << name;
        return e;
    };
    const PageElement* title = find("T8");
    EXPECT_EQ(title->text, QStringLiteral("ПОДАТКОВА НАКЛАДНА"));
    EXPECT_EQ(QPointF(title->left, title->top), QPointF(82.8, 23.0));
    EXPECT_EQ(title->fontSize, 12);
    EXPECT_TRUE(title->bold);
    const PageElement* code = find("CodeN1");
    EXPECT_EQ(QRectF(code->left, code->top, code->width, 0), QRectF(123.8, 55.3, 62.7, 0));
    EXPECT_EQ(code->align, Qt::AlignHCenter);
    const PageElement* name = find("StrPos7");
    EXPECT_EQ(QRectF(name->left, name->top, name->width, 0), QRectF(35.7, 180.2, 63.2, 0));
    EXPECT_EQ(find("VsegoNDS5")->width, 12.3); // short of the rule at 143.1
    EXPECT_EQ(find("PricePos3")->width, 12.0); // short of the rule at 128.6
    EXPECT_EQ(find("VsegoNDS5")->top, 224.4);
    EXPECT_EQ(find("Vsego7")->left, 187.9);
    EXPECT_EQ(find("DataPos1")->left, 22.8);
    EXPECT_EQ(find("DataPos2")->left, 22.5);
    EXPECT_EQ(find("FrameCopy")->penWidth, 2);
    const PageElement* rule = find("RuleCol3");
    EXPECT_DOUBLE_EQ(rule->top + rule->height, 199.2);
    EXPECT_EQ(find("ColNo11")->left, 194.2);
    const PageElement* heading = find("HeadCol8");
    EXPECT_EQ(heading->kind, ElementKind::RichText);
    EXPECT_EQ(heading->lines,
              (QStringList{"     0%", "(реаліза-", "ція на ми-", "тній тери-", "   торії ", "України)"}));
    EXPECT_EQ(find("T6")->text, QStringLiteral("( Непотрібне виділити поміткою \"Х\" )"));
    EXPECT_EQ(find("T6")->text.at(find("T6")->text.indexOf(u'"') + 1).unicode(), 0x0425); // the Cyrillic Х
}
