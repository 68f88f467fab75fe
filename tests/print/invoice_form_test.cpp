#include "base/prompter.h"
#include "print/amount_in_words.h"
#include "print/invoice_form.h"
#include "support/test_support.h"

#include <QImage>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace {

class InvoiceFormTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        invoice.FACT_NUMBER = 1234;
        invoice.FACT_DOPNO = QStringLiteral("а");
        invoice.FACT_DATA = QDate(2026, 12, 7);
        invoice.NAME_OWNER = QStringLiteral("тов \"їжак і ґанок\"");
        invoice.FACT_NDS = 20;
        invoice.ID_NUMBER = 2;
        invoice.positions[0] = {QStringLiteral("Цемент М-500"), QStringLiteral("міш"), 10, 185.5};
        invoice.positions[1] = {QStringLiteral("Доставка"), QString(), 0, 1200};
        client.ID_NUMBER = 2;
        client.DOGNUMBER = QStringLiteral("7");
        client.DOGDATA = QDate(2003, 2, 1);
        client.LAWADDRESS = QStringLiteral("м. Полтава, вул. Соборна, 1");
        client.BANKNAME = QStringLiteral("АТ \"Ощадбанк\"");
        client.CHETNUMBER = QStringLiteral("26001234567890");
        client.BANKCITY = QStringLiteral("Полтава");
        client.BANKREGION = QStringLiteral("Полтавська");
        owner.FIRMNAME = QStringLiteral("ТОВ \"Постачальник\"");
        owner.TELFAX = QStringLiteral("(0532) 50-50-50");
        owner.BUHALTER = QStringLiteral("Коваленко О.О.");
    }
    void fill(const ClientRow* c = nullptr, bool withClient = true)
    {
        page = CreateInvoiceBlank();
        FillInvoiceForm(page, invoice, withClient ? (c ? c : &client) : nullptr, owner, settings, &prompter);
    }
    QString text(const char* name) const { return page.element(QLatin1String(name))->text; }
    QColor color(const char* name) const { return page.element(QLatin1String(name))->color; }
    double top(const char* name) const { return page.element(QLatin1String(name))->top; }
    double height(const char* name) const { return page.element(QLatin1String(name))->height; }

    InvoiceRow invoice;
    ClientRow client;
    OwnerRecord owner;
    Settings settings;
    ScriptedPrompter prompter;
    Page page;
};

} // namespace

// Filled in either language, every element of the blank stands on the sheet.
TEST_F(InvoiceFormTest, EveryElementLiesOnTheSheet)
{
    for (const bool russian : {false, true}) {
        settings.rusOrUkr = russian;
        fill();
        const QRectF sheet(0, 0, page.width(), page.height());
        for (const PageElement& e : page.elements())
            EXPECT_TRUE(sheet.contains(QRectF(e.left, e.top, std::max(e.width, 0.0), e.height)))
                << e.name.toStdString() << (russian ? " ru" : " uk");
    }
    // "від" in Cyrillic letters alone, so that a search of the PDF finds it.
    EXPECT_EQ(text("QRLabel10"), QStringLiteral("  в\u0456д  "));
}

TEST_F(InvoiceFormTest, UkrainianInvoiceWithContractAndFullDetails)
{
    settings.fullOrPart = true;
    fill();
    EXPECT_EQ(text("QRNameOwn"), owner.FIRMNAME);
    EXPECT_EQ(text("QRTelOwn"), QStringLiteral("тел. (0532) 50-50-50"));
    EXPECT_EQ(text("QRBuhOwn"), QStringLiteral(" ( Коваленко О.О. )"));
    EXPECT_EQ(text("FirmNameL"), QStringLiteral("ТОВ \"ЇЖАК І ҐАНОК\""));
    EXPECT_EQ(text("NoFactL"), QStringLiteral("1234"));
    EXPECT_EQ(text("QRLabel7"), QStringLiteral("а"));
    EXPECT_EQ(text("QRLabel49"), QStringLiteral("/ Головний бухгалтер"));
    EXPECT_EQ(text("DayL"), QStringLiteral("07"));
    EXPECT_EQ(text("MonthL"), QStringLiteral("грудня"));
    EXPECT_EQ(text("YearL"), QStringLiteral("2026"));
    EXPECT_EQ(text("NoDogL"), QStringLiteral("7"));
    EXPECT_EQ(text("DogDayL"), QStringLiteral("01"));
    EXPECT_EQ(text("DogMonL"), QStringLiteral("лютого"));
    EXPECT_EQ(text("DogYearL"), QStringLiteral("2003"));
    EXPECT_EQ(text("QRLabel11"), QStringLiteral(" по договору "));
    EXPECT_EQ(text("AdressL"), client.LAWADDRESS);
    EXPECT_EQ(text("RegionL"), QStringLiteral("Полтавська"));

    EXPECT_EQ(text("SFNumPOS1"), QStringLiteral("10"));
    EXPECT_EQ(text("QRPrice_pos1"), QStringLiteral("185,50"));
    EXPECT_EQ(text("ItogPO1"), QStringLiteral("   1855,00"));
    EXPECT_EQ(text("QR1"), QStringLiteral("міш"));
    // A lump sum: the price is the sum, no count and no price shown.
    EXPECT_EQ(text("ItogPo2"), QStringLiteral("   1200,00"));
    EXPECT_EQ(text("QRPrice_pos2"), QString());
    EXPECT_EQ(text("SFNumPos2"), QString());
    EXPECT_EQ(text("Itogo"), QStringLiteral("   3055,00"));
    EXPECT_EQ(text("QRLabel54"), QStringLiteral("ПДВ (20 %):"));
    EXPECT_EQ(text("NDS"), QStringLiteral("    611,00"));
    EXPECT_EQ(text("ALLSumma"), QStringLiteral("   3666,00"));
    EXPECT_EQ(text("StrSum"), AmountInWords(3666, false, true, false, true));
    EXPECT_EQ(text("QRLabel55"), QStringLiteral("ВСЬОГО"));
    EXPECT_EQ(text("QRLabel47"), QStringLiteral("Сума прописом :"));
    EXPECT_EQ(text("QRLabel52"), QStringLiteral("Рахунок дійсний протягом трьох банківських днів"));
    EXPECT_TRUE(prompter.messages().empty());
}

TEST_F(InvoiceFormTest, RussianCaptionsMonthsAndAdvertisingTax)
{
    settings.rusOrUkr = true;
    invoice.FACT_NR = 5;
    fill();
    EXPECT_EQ(text("MonthL"), QStringLiteral("декабря"));
    EXPECT_EQ(text("DogMonL"), QStringLiteral("февраля"));
    EXPECT_EQ(text("QRLabel54"), QStringLiteral("НДС (20 %):"));
    EXPECT_EQ(text("QRLabel55"), QStringLiteral("ВСЕГО"));
    EXPECT_EQ(text("QRLabel51"), QStringLiteral("Примечание :"));
    EXPECT_EQ(text("QRLabel3"), QStringLiteral("Налог на рекламу ( 5,00%)"));
    EXPECT_EQ(text("QRLabel4"), QStringLiteral("    152,75"));
    EXPECT_EQ(text("ALLSumma"), QStringLiteral("   3818,75"));
    EXPECT_EQ(text("StrSum"), QStringLiteral(" Три тысячи восемьсот восемнадцать гривень 75 коп."));
    invoice.FACT_NR = 1.5;
    settings.rusOrUkr = false;
    fill();
    EXPECT_EQ(text("QRLabel3"), QStringLiteral("Податок на рекламу ( 1,50%)"));
}

TEST_F(InvoiceFormTest, AdvertisingRowHidesBelowOneHundredthOfAPercent)
{
    for (double rate : {0.0, 0.009}) {
        invoice.FACT_NR = rate;
        fill();
        EXPECT_EQ(color("QRLabel3"), QColor(Qt::white)) << rate;
        EXPECT_EQ(color("QRLabel4"), QColor(Qt::white));
        EXPECT_EQ(top("QRLabel55"), 560);
        EXPECT_EQ(top("ALLSumma"), 560);
        EXPECT_EQ(top("QRShape27"), 554);
        EXPECT_EQ(top("QRLabel47"), 583);
        EXPECT_EQ(top("StrSum"), 605);
        EXPECT_EQ(top("QRShape53"), 580);
        EXPECT_EQ(height("QRShape4"), 78);
        EXPECT_EQ(height("QRShape19"), 282);
        EXPECT_EQ(text("ALLSumma"), QStringLiteral("   3666,00"));
    }
    invoice.FACT_NR = 0.01;
    fill();
    EXPECT_EQ(color("QRLabel4"), QColor(Qt::black));
    EXPECT_EQ(top("ALLSumma"), 587);
    EXPECT_EQ(top("StrSum"), 632);
    EXPECT_EQ(height("QRShape16"), 309);
    EXPECT_EQ(height("QRShape4"), 105);
}

TEST_F(InvoiceFormTest, PositionNamesSplitAndEmptyRowsVanish)
{
    const QString name36 = QString(35, u'ж') + u'X';
    invoice.positions[0] = {name36, QStringLiteral("шт"), 1, 1};
    invoice.positions[1] = {QString(35, u'ф'), QStringLiteral("шт"), 1, 1};
    invoice.positions[2] = {QString(), QStringLiteral("шт"), 0, 0};
    invoice.positions[3] = {name36, QStringLiteral("шт"), 1, 1};
    fill();
    EXPECT_EQ(text("StrPo1"), QString(35, u'ж'));
    EXPECT_EQ(text("StrPO12"), QStringLiteral("X"));
    EXPECT_EQ(text("StrPo2"), QString(35, u'ф'));
    EXPECT_EQ(text("StrPo22"), QString());
    EXPECT_EQ(text("StrIo2"), name36); // the fourth line holds 36 characters
    EXPECT_EQ(text("StrIO22"), QString());
    for (const char* figure : {"QR3", "SFNumPOs3", "ItogIo1", "QRPrice_pos3"})
        EXPECT_EQ(color(figure), QColor(Qt::white)) << figure;
    EXPECT_EQ(color("ItogPO1"), QColor(Qt::black));

    // A price without a name still prints its figures.
    invoice.positions[2] = {QString(), QStringLiteral("шт"), 2, 3.5};
    invoice.positions[3] = {QString(80, u'я'), QStringLiteral("шт"), 1, 1};
    fill();
    EXPECT_EQ(color("ItogIo1"), QColor(Qt::black));
    EXPECT_EQ(text("ItogIo1"), QStringLiteral("      7,00"));
    EXPECT_EQ(text("StrIO1"), QString());
    EXPECT_EQ(text("StrIo2"), QString(36, u'я'));
    EXPECT_EQ(text("StrIO22"), QString(44, u'я'));
}

TEST_F(InvoiceFormTest, BlankUnitsAreLumpSumsAndSumsRoundToKopecks)
{
    invoice.positions[0] = {QStringLiteral("а"), QStringLiteral("   "), 7, 10.5};
    invoice.positions[1] = {QStringLiteral("б"), QStringLiteral("    "), 7, 2.25};
    invoice.positions[2] = {QStringLiteral("в"), QStringLiteral("кг"), 3,
                            0.125}; // 0.375: the tie goes to even
    invoice.positions[3] = {QStringLiteral("г"), QStringLiteral("кг"), 1, 0.125};
    fill();
    EXPECT_EQ(text("ItogPO1"), QStringLiteral("     10,50"));
    EXPECT_EQ(text("ItogPo2"), QStringLiteral("      2,25"));
    EXPECT_EQ(text("ItogIo1"), QStringLiteral("      0,38"));
    EXPECT_EQ(text("ItogIO2"), QStringLiteral("      0,12"));
    EXPECT_EQ(text("Itogo"), QStringLiteral("     13,25"));
    // VAT is not rounded before the grand total: 13.25 * 20 % = 2.65.
    EXPECT_EQ(text("NDS"), QStringLiteral("      2,65"));
    EXPECT_EQ(text("ALLSumma"), QStringLiteral("     15,90"));

    settings.price = 3;
    settings.goods = 2;
    fill();
    EXPECT_EQ(text("QRPrice_pos3"), QStringLiteral("0,125"));
    EXPECT_EQ(text("SFNumPOs3"), QStringLiteral("3,00"));
}

TEST_F(InvoiceFormTest, NoContractAndPartialDetailsLeaveLinesForHandwriting)
{
    client.DOGNUMBER = QStringLiteral("  ");
    settings.fullOrPart = false;
    fill();
    for (const char* name : {"QRLabel11", "QRLabel13", "QRLabel14", "QRLabel15", "NoDogL", "DogDayL",
                             "DogMonL", "DogYearL", "AdressL", "BankNameL", "ChetL", "CityL", "RegionL"})
        EXPECT_EQ(text(name), QStringLiteral(" ")) << name;
    EXPECT_EQ(text("FirmNameL"), QStringLiteral("ТОВ \"ЇЖАК І ҐАНОК\""));
}

TEST_F(InvoiceFormTest, AContractOfNoDateIsItsNumberAlone)
{
    for (const QDate& none : {QDate(), QDate(1899, 12, 30)}) { // not stored, or read back as day 0
        client.DOGDATA = none;
        fill();
        EXPECT_EQ(text("QRLabel11"), QStringLiteral(" по договору "));
        EXPECT_EQ(text("QRLabel13"), QStringLiteral("№"));
        EXPECT_EQ(text("NoDogL"), QStringLiteral("7"));
        for (const char* name : {"QRLabel15", "DogDayL", "DogMonL", "DogYearL", "QRLabel14"})
            EXPECT_EQ(text(name), QStringLiteral(" ")) << name;
    }
}

TEST_F(InvoiceFormTest, PositionsAreRoundedBeforeTheyAreAdded)
{
    // 3 × 105.1183 = 315.3549 -> 315,35 and 2 × 315.3351 = 630.6702 -> 630,67: the subtotal is their
    // sum, 946,02, VAT 189,20 (of 189.204) and 1135,22 in all.
    invoice.positions[0] = {QStringLiteral("Труба"), QStringLiteral("шт."), 3, 105.1183};
    invoice.positions[1] = {QStringLiteral("Кран"), QStringLiteral("шт."), 2, 315.3351};
    fill();
    EXPECT_EQ(text("ItogPO1"), QStringLiteral("    315,35"));
    EXPECT_EQ(text("ItogPo2"), QStringLiteral("    630,67"));
    EXPECT_EQ(text("Itogo"), QStringLiteral("    946,02"));
    EXPECT_EQ(text("NDS"), QStringLiteral("    189,20"));
    EXPECT_EQ(text("ALLSumma"), QStringLiteral("   1135,22"));
}

TEST_F(InvoiceFormTest, AMissingClientStillGivesTheDocumentWithAWarning)
{
    settings.fullOrPart = true;
    fill(nullptr, false);
    ASSERT_EQ(prompter.messages().size(), 1u);
    EXPECT_EQ(prompter.messages()[0].kind, ScriptedPrompter::Kind::Warn);
    EXPECT_EQ(text("AdressL"), QStringLiteral(" "));
    EXPECT_EQ(text("QRLabel11"), QStringLiteral(" "));
    EXPECT_EQ(text("MonthL"), QStringLiteral("грудня"));
    EXPECT_EQ(text("ALLSumma"), QStringLiteral("   3666,00"));
    EXPECT_FALSE(text("StrSum").trimmed().isEmpty());
}

TEST_F(InvoiceFormTest, LogoMovesEverythingDownByItsHeightPlusSeven)
{
    QTemporaryDir dir;
    QImage logo(40, 20, QImage::Format_RGB32);
    logo.fill(Qt::red);
    ASSERT_TRUE(logo.save(dir.filePath(QStringLiteral("logo.png"))));
    settings.fileName = QStringLiteral("logo.png");
    settings.width = 120;
    settings.height = 60;
    settings.center = true;
    fill();
    const Page before = page;
    QString error;
    ASSERT_TRUE(PlaceLogo(page, 1, settings, dir.path(), &error)) << error.toStdString();
    for (std::size_t i = 0; i + 1 < page.elements().size(); ++i)
        EXPECT_EQ(page.elements()[i].top, before.elements()[i].top + 67)
            << page.elements()[i].name.toStdString();
    const PageElement* box = page.element(QStringLiteral("QRImage2"));
    EXPECT_EQ(QRectF(box->left, box->top, box->width, box->height), QRectF(76, 40, 120, 60));
    EXPECT_TRUE(box->center);
    EXPECT_EQ(box->image.size(), QSize(40, 20));

    // A missing or broken file is reported and the blank stays as it was.
    settings.fileName = QStringLiteral("missing.bmp");
    Page untouched = before;
    EXPECT_FALSE(PlaceLogo(untouched, 1, settings, dir.path(), &error));
    EXPECT_TRUE(error.contains(QStringLiteral("missing.bmp")));
    EXPECT_EQ(untouched.element(QStringLiteral("QRLabel1"))->top, 44);
    EXPECT_TRUE(PlaceLogo(untouched, 3, settings, dir.path(), &error)); // no such blank: nothing to do
}

TEST(MoneyText, TenCharactersAndADecimalComma)
{
    EXPECT_EQ(MoneyText(1234.5), QStringLiteral("   1234,50"));
    EXPECT_EQ(MoneyText(0), QStringLiteral("      0,00"));
    EXPECT_EQ(MoneyText(12345678.9), QStringLiteral("12345678,90"));
    EXPECT_EQ(MoneyText(-5), QStringLiteral("     -5,00"));
}

// The payer is the client the invoice names, never the client whose number equals the invoice's.
TEST(PrepareInvoicePage, ThePayerIsTheInvoicesOwnClient)
{
    TestHome home;
    auto dm = home.createAndConnect();
    const QSqlDatabase db = ConnectionOf(*dm);
    execOrThrow(db, QStringLiteral("INSERT INTO CLIENTS (ID_NUMBER, FIRMNAME, LAWADDRESS, DOGNUMBER) VALUES "
                                   "(2, 'ТОВ \"Два\"', 'м. Суми, вул. Друга, 2', '22'), "
                                   "(5, 'ТОВ \"П''ять\"', 'м. Львів, вул. П''ята, 5', '55')"));
    execOrThrow(db, QStringLiteral("INSERT INTO FACTURES (FACT_NUMBER, FACT_DATA, NAME_OWNER, ID_NUMBER, "
                                   "NAME_POS1, MEASURE_POS1, COUNT_POS1, PRICE_POS1, FACT_NDS) VALUES "
                                   "(5, '2026-12-07', 'ТОВ \"Два\"', 2, 'Цемент', 'міш', 3, 10.5, 20)"));
    Settings settings;
    settings.fullOrPart = true;
    ScriptedPrompter prompter;
    QString error;
    std::optional<Page> page =
        PrepareInvoicePage(*dm, 5, OwnerRecord{}, settings, home.path(), &prompter, &error);
    ASSERT_TRUE(page.has_value()) << error.toStdString();
    EXPECT_EQ(page->element(QStringLiteral("NoDogL"))->text, QStringLiteral("22"));
    EXPECT_EQ(page->element(QStringLiteral("AdressL"))->text, QStringLiteral("м. Суми, вул. Друга, 2"));
    EXPECT_EQ(page->element(QStringLiteral("FirmNameL"))->text, QStringLiteral("ТОВ \"ДВА\""));
    // 3 x 10,50 = 31,50; VAT 20 % = 6,30; total 37,80.
    EXPECT_EQ(page->element(QStringLiteral("Itogo"))->text.trimmed(), QStringLiteral("31,50"));
    EXPECT_EQ(page->element(QStringLiteral("NDS"))->text.trimmed(), QStringLiteral("6,30"));
    EXPECT_EQ(page->element(QStringLiteral("ALLSumma"))->text.trimmed(), QStringLiteral("37,80"));

    EXPECT_FALSE(PrepareInvoicePage(*dm, -1, OwnerRecord{}, settings, home.path(), &prompter, &error));
    EXPECT_EQ(error, QStringLiteral("Счет-фактура № -1 не найден."));
}

TEST(PrepareInvoicePage, AMissingClientOrAnUnreadableLogoEndsTheCommand)
{
    TestHome home;
    auto dm = home.createAndConnect();
    const QSqlDatabase db = ConnectionOf(*dm);
    execOrThrow(db, QStringLiteral("INSERT INTO CLIENTS (ID_NUMBER, FIRMNAME) VALUES (2, 'ТОВ \"Два\"')"));
    execOrThrow(db, QStringLiteral("INSERT INTO FACTURES (FACT_NUMBER, FACT_DATA, ID_NUMBER, NAME_POS1, "
                                   "PRICE_POS1) VALUES (7, '2026-12-07', 9, 'Цемент', 10), "
                                   "(8, '2026-12-07', 2, 'Пісок', 10)"));
    Settings settings;
    ScriptedPrompter prompter;
    QString error;
    EXPECT_FALSE(PrepareInvoicePage(*dm, 7, OwnerRecord{}, settings, home.path(), &prompter, &error));
    EXPECT_EQ(error, QStringLiteral("Клиент № 9 счета-фактуры № 7 не найден. Счет-фактура не напечатана."));

    settings.onOff = true;
    settings.fileName = QStringLiteral("missing.bmp");
    error.clear();
    EXPECT_FALSE(PrepareInvoicePage(*dm, 8, OwnerRecord{}, settings, home.path(), &prompter, &error));
    EXPECT_TRUE(error.contains(QStringLiteral("missing.bmp"))) << error.toStdString();
    EXPECT_TRUE(prompter.messages().empty());
    settings.onOff = false;
    EXPECT_TRUE(PrepareInvoicePage(*dm, 8, OwnerRecord{}, settings, home.path(), &prompter, &error));
}

TEST_F(InvoiceFormTest, AnIbanIsPrintedWholeAndThePaymentCodeOnlyWhenItCanBePaid)
{
    owner.CHETNUMBER = QStringLiteral("UA213223130000026007233566001");
    owner.OKPOCODE = QStringLiteral("14360570");
    fill();
    // The IBAN whole, in fours, its label as wide as the box; the bank's code from it when none is kept.
    EXPECT_EQ(text("QRChetOwn"), QStringLiteral("UA21 3223 1300 0002 6007 2335 6600 1"));
    EXPECT_EQ(page.element(QStringLiteral("QRChetOwn"))->width, 480 - 172);
    EXPECT_EQ(text("QRMFOOwn"), QStringLiteral("МФО 322313"));
    const PageElement* code = page.element(QStringLiteral("PaymentQr"));
    ASSERT_NE(code, nullptr);
    // Right edge on the table's, at least 30 mm, modules of at least 0.5 mm; below the signature line.
    EXPECT_DOUBLE_EQ(code->left + code->width, 718);
    EXPECT_DOUBLE_EQ(code->top, 700);
    EXPECT_GE(code->width, 30 * 96 / 25.4 - 0.01);
    EXPECT_GE(code->width / double(code->lines.size()), 0.5 * 96 / 25.4 - 0.01);
    owner.MFOCODE = QStringLiteral("305299");
    fill();
    EXPECT_EQ(text("QRMFOOwn"), QStringLiteral("МФО 305299"));

    // No code when the setting is off, without a valid IBAN or a real code, or without a total.
    const auto hasCode = [this] { return page.element(QStringLiteral("PaymentQr")) != nullptr; };
    settings.paymentQr = false;
    fill();
    EXPECT_FALSE(hasCode());
    settings.paymentQr = true;
    owner.CHETNUMBER = QStringLiteral("UA213223130000026007233566002");
    fill();
    EXPECT_FALSE(hasCode());
    owner.CHETNUMBER = QStringLiteral("UA213223130000026007233566001");
    owner.OKPOCODE = QStringLiteral("00000000"); // the placeholder of a new book
    fill();
    EXPECT_FALSE(hasCode());
    owner.OKPOCODE = QStringLiteral("14360570");
    invoice.positions = {};
    fill();
    EXPECT_FALSE(hasCode());
}
