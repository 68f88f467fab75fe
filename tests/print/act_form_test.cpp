#include "base/prompter.h"
#include "db/driver.h"
#include "db/data_module.h"
#include "print/act_form.h"
#include "print/invoice_sums.h"
#include "print/payment_qr.h"
#include "support/test_support.h"

#include <gtest/gtest.h>

namespace {

QString text(const Page& page, const char* name)
{
    const PageElement* e = page.element(QLatin1String(name));
    return e ? e->text : QStringLiteral("<none>");
}

} // namespace

// Figures, words and texts worked out by hand; the code's data read back from what it encodes.
TEST(ActBlank, FiguresWordsPartiesAndThePaymentCode)
{
    ActDraft act{7,
                 QDate(2026, 3, 5),
                 {14, 2026},
                 QStringLiteral("Обслуговування комп'ютерної техніки"),
                 10.05,
                 7,
                 QStringLiteral("Петренко Я.О.")};
    ClientRow client;
    client.FIRMNAME = QStringLiteral("ТОВ \"Замовник\"");
    client.OKPOCODE = QStringLiteral("14360570");
    client.DOGNUMBER = QStringLiteral("15/26");
    client.DOGDATA = QDate(2026, 1, 2);
    OwnerRecord owner;
    owner.FIRMNAME = QStringLiteral("ТОВ \"Виконавець\"");
    owner.CHIEF = QStringLiteral("Бойко А.В.");
    owner.BANKCITY.clear(); // the city of the owner then
    owner.CITY = QStringLiteral("Полтава");
    owner.CHETNUMBER = QStringLiteral("UA213223130000026007233566001");
    owner.OKPOCODE = QStringLiteral("14360570");
    Settings settings;
    ScriptedPrompter prompter;

    Page page = FillActBlank(act, client, owner, settings, &prompter);
    const struct {
        const char* label;
        const char* expected;
    } shown[] = {
        {"ActTitle", "Акт № 7 здачі-приймання виконаних робіт (наданих послуг)"},
        {"ActCity", "м. Полтава"},
        {"ActDate", "05 березня 2026 р."},
        {"RowPeriod", "за II квартал 2026 р."},
        // 10,05 at 7 %: 0,7035 → 0,70; 10,75 in all.
        {"RowSum", "10,05"},
        {"HeadVat", "ПДВ 7 %"},
        {"RowVat", "0,70"},
        {"RowTotal", "10,75"},
        {"Total", "10,75"},
        {"StrSum", " Десять гривень 75 коп."},
        {"ExecutorDetails",
         "код ЄДРПОУ 14360570, ІПН 000000000000\nIBAN UA21 3223 1300 0002 6007 2335 6600 1, в "
         "Назва банку, МФО 322313\nадреса: 01001, м. Київ, вул. Хрещатик, 1, тел. (044) 000-00-00"},
        {"CustomerDetails", "код ЄДРПОУ 14360570"},
        {"ExecutorSign", "____________ / Бойко А.В. /"},
        {"CustomerSign", "____________ / Петренко Я.О. /"},
    };
    for (const auto& s : shown)
        EXPECT_EQ(text(page, s.label), QString::fromUtf8(s.expected)) << s.label;
    EXPECT_TRUE(
        text(page, "Preamble").endsWith(QStringLiteral(" згідно з договором № 15/26 від 02.01.2026:")));
    ASSERT_NE(page.element(QStringLiteral("PaymentQr")), nullptr);
    const InvoicePaymentCode code = ActPayment(owner, act, SumAct(act));
    ASSERT_TRUE(code.request);
    EXPECT_EQ(code.request->purpose,
              QStringLiteral("Оплата за актом № 7 від 05.03.2026, у т.ч. ПДВ 0,70 грн."));
    EXPECT_EQ(code.request->amount.text(u'.'), QStringLiteral("10.75"));

    // No contract, no code by the setting, Russian words in dollars.
    client.DOGNUMBER.clear();
    settings.paymentQr = false;
    settings.rusOrUkr = true;
    settings.grvOrBaks = false;
    page = FillActBlank(act, client, owner, settings, &prompter);
    EXPECT_TRUE(text(page, "Preamble").endsWith(QStringLiteral("такі роботи (послуги):")));
    EXPECT_EQ(page.element(QStringLiteral("PaymentQr")), nullptr);
    EXPECT_EQ(text(page, "StrSum"), QStringLiteral(" Десять долларов 75 центов"));
}

TEST(ActBlank, AStoredActIsPrintedOnlyWhenItsPartsAreThere)
{
    TestHome home;
    auto dm = home.createAndConnect();
    const QSqlDatabase db = ConnectionOf(*dm);
    execOrThrow(db, QStringLiteral("INSERT INTO CLIENTS (ID_NUMBER, FIRMNAME) VALUES (2, 'ТОВ')"));
    execOrThrow(db, QStringLiteral(
                        "INSERT INTO ACTS (ACT_NUMBER, ACT_DATA, ACT_MONTH, ACT_YEAR, SUMMA, ACT_NDS, "
                        "ID_NUMBER) VALUES (1, '2026-03-05', 3, 2026, 100, 20, 2), "
                        "(2, '2026-03-05', 17, 2026, 100, 20, 2), (3, '2026-03-05', 3, 2026, 100, 20, 9)"));
    ScriptedPrompter prompter;
    QString error;
    EXPECT_TRUE(PrepareActPage(*dm, 1, OwnerRecord{}, Settings{}, &prompter, &error));
    const std::pair<int, const char*> refused[] = {
        {2, "Акт № 2 не напечатан: его период (17) — не месяц от 1 до 12 и не квартал от 13 до 16. Исправьте "
            "период "
            "в акте."},
        {3, "Клиент № 9 акта № 3 не найден. Акт не напечатан."},
        {4, "Акт № 4 не найден."},
    };
    for (const auto& [number, why] : refused) {
        EXPECT_FALSE(PrepareActPage(*dm, number, OwnerRecord{}, Settings{}, &prompter, &error));
        EXPECT_EQ(error, QString::fromUtf8(why));
    }
}
