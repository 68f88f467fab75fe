#include "db/driver.h"
#include "db/data_module.h"
#include "db/stores.h"
#include "payments/reconciliation.h"
#include "support/test_support.h"

#include <gtest/gtest.h>

namespace {

QString text(const Page& page, const char* name)
{
    const PageElement* e = page.element(QLatin1String(name));
    return e ? e->text : QStringLiteral("<none>");
}

class Reconciliations : public ::testing::Test {
protected:
    void SetUp() override
    {
        dm = home.createAndConnect();
        db = ConnectionOf(*dm);
        execOrThrow(db, QStringLiteral("INSERT INTO CLIENTS (ID_NUMBER, FIRMNAME, OKPOCODE) VALUES (2, 'ТОВ "
                                       "\"Боржник\"', '12345678')"));
        owner.FIRMNAME = QStringLiteral("ТОВ \"Постач\"");
        owner.OKPOCODE = QStringLiteral("87654321");
        owner.CHIEF = QStringLiteral("Іваненко І.І.");
    }
    void pay(const QDate& date, double sum, const QString& bankNumber = {})
    {
        PaymentRow p;
        std::tie(p.PLAT_DATA, p.SUMMA, p.ID_NUMBER, p.BANK_NUMBER) = std::tuple(date, sum, 2, bankNumber);
        StorePayments(*dm, {p});
    }
    Pages act(const QDate& from, const QDate& to)
    {
        QString error;
        std::optional<Pages> pages = PrepareReconciliationPages(*dm, 2, from, to, owner, nullptr, &error);
        EXPECT_TRUE(pages) << error.toStdString();
        return pages.value_or(Pages{});
    }

    TestHome home;
    std::unique_ptr<TDM> dm;
    QSqlDatabase db;
    OwnerRecord owner;
};

// Every figure worked out by hand: 1200,00 charged and 200,00 paid in February open March at 1000,00; March
// charges 300,00 (invoice) and 600,00 (act, 500,00 + 20 %) and brings 300,00 and 1900,00.
TEST_F(Reconciliations, TheBalancesTurnoversAndDebtAreTheBooks)
{
    execOrThrow(db, QStringLiteral(
                        "INSERT INTO FACTURES (FACT_NUMBER, FACT_DATA, ID_NUMBER, NAME_POS1, MEASURE_POS1, "
                        "COUNT_POS1, PRICE_POS1, FACT_NDS) VALUES (1, '2026-02-20', 2, 'Товар', 'шт', 1, "
                        "1000, 20), (2, '2026-03-01', 2, 'Товар', 'шт', 1, 250, 20)"));
    pay(QDate(2026, 2, 25), 200);
    pay(QDate(2026, 3, 1), 300, QStringLiteral("45"));
    execOrThrow(db,
                QStringLiteral("INSERT INTO ACTS (ACT_NUMBER, ACT_DATA, ACT_MONTH, ACT_YEAR, SUMMA, ACT_NDS, "
                               "ID_NUMBER) VALUES (1, '2026-03-01', 2, 2026, 500, 20, 2)"));
    pay(QDate(2026, 3, 31), 1900);
    pay(QDate(2026, 4, 1), 5000);

    const Pages march = act(QDate(2026, 3, 1), QDate(2026, 3, 31));
    ASSERT_EQ(march.size(), 1u);
    const Page& p = march[0];
    EXPECT_EQ(text(p, "Period"), QStringLiteral("за період з 01.03.2026 по 31.03.2026"));
    EXPECT_EQ(text(p, "Parties"), QStringLiteral("між ТОВ \"Постач\" та ТОВ \"Боржник\""));
    EXPECT_TRUE(text(p, "Preamble").contains(QStringLiteral("ТОВ \"Боржник\" (код ЄДРПОУ 12345678)")));
    EXPECT_EQ(text(p, "OpeningCaption"), QStringLiteral("Сальдо на 01.03.2026"));
    EXPECT_EQ(text(p, "OpeningDebit"), QStringLiteral("1000,00"));
    // A day's documents come before its payments; a payment is named by the bank's number or its own.
    QStringList lines;
    for (int i = 1; p.element(QStringLiteral("Line%1Date").arg(i)); ++i)
        for (const char* part : {"Date", "Document", "Debit", "Credit"})
            lines << p.element(QStringLiteral("Line%1").arg(i) + QLatin1String(part))->text;
    EXPECT_EQ(lines.join(u'|'),
              QStringLiteral("01.03.2026|Рахунок-фактура № 2|300,00||01.03.2026|Акт № 1|600,00||"
                             "01.03.2026|Оплата, п/д № 45||300,00|31.03.2026|Оплата № 3||1900,00"));
    EXPECT_EQ(text(p, "TurnoverDebit"), QStringLiteral("900,00"));
    EXPECT_EQ(text(p, "TurnoverCredit"), QStringLiteral("2200,00"));
    // 1000 + 900 - 2200: the client paid 300,00 over.
    EXPECT_EQ(text(p, "ClosingDebit"), QString());
    EXPECT_EQ(text(p, "ClosingCredit"), QStringLiteral("300,00"));
    EXPECT_EQ(text(p, "Result"), QStringLiteral("Заборгованість на 31.03.2026 на користь ТОВ \"Боржник\" "
                                                "становить 300,00 грн. (Триста гривень 00 коп.)."));
    EXPECT_EQ(text(p, "OwnerSign"), QStringLiteral("____________ / Іваненко І.І. /"));
    EXPECT_FALSE(p.element(QStringLiteral("PageNumber")));

    // A day earlier the last payment is not in: 1000 + 900 - 300 owed to the owner.
    EXPECT_EQ(text(act(QDate(2026, 3, 1), QDate(2026, 3, 30))[0], "Result"),
              QStringLiteral("Заборгованість на 30.03.2026 на користь ТОВ \"Постач\" становить 1600,00 грн. "
                             "(Одна тисяча шістсот гривень 00 коп.)."));
    // Before anything happened there is nothing to owe and no lines.
    const Pages empty = act(QDate(2026, 1, 1), QDate(2026, 1, 31));
    EXPECT_EQ(text(empty[0], "Result"), QStringLiteral("Заборгованість на 31.01.2026 відсутня."));
    EXPECT_EQ(text(empty[0], "OpeningDebit"), QString());
    EXPECT_EQ(text(empty[0], "TurnoverDebit"), QStringLiteral("0,00"));

    QString error;
    EXPECT_FALSE(
        PrepareReconciliationPages(*dm, 2, QDate(2026, 3, 31), QDate(2026, 3, 1), owner, nullptr, &error));
    EXPECT_EQ(error, QStringLiteral("Период акта сверки задан неверно: конец раньше начала."));
    EXPECT_FALSE(
        PrepareReconciliationPages(*dm, 7, QDate(2026, 3, 1), QDate(2026, 3, 31), owner, nullptr, &error));
    EXPECT_EQ(error, QStringLiteral("Клиент № 7 не найден."));
}

// Lines run over to the next sheets under the header again; the totals, words and signatures stay on the
// last sheet, with a few lines carried along when they would not fit under the others. 44 rows fit the
// first sheet and 51 the next, and the signatures take the room of 10.
TEST_F(Reconciliations, LongAccountsRunOverSheetsWithTheHeaderRepeated)
{
    struct Case {
        int payments;
        std::vector<int> linesPerPage; // the last sheet's without its two balance rows
    } cases[] = {{30, {30}}, {86, {43, 42, 1}}, {120, {43, 51, 26}}};
    for (const Case& c : cases) {
        execOrThrow(db, QStringLiteral("DELETE FROM PLATEG"));
        for (int i = 0; i < c.payments; ++i)
            pay(QDate(2026, 5, 1).addDays(i / 4), 1);
        const Pages pages = act(QDate(2026, 5, 1), QDate(2026, 12, 31));
        ASSERT_EQ(pages.size(), c.linesPerPage.size()) << c.payments;
        int line = 0;
        for (std::size_t s = 0; s < pages.size(); ++s) {
            const Page& page = pages[s];
            EXPECT_EQ(text(page, "Head2"), QStringLiteral("Документ"));
            EXPECT_EQ(page.element(QStringLiteral("Title")) != nullptr, s == 0);
            EXPECT_EQ(page.element(QStringLiteral("Continued")) != nullptr, s > 0);
            EXPECT_EQ(page.element(QStringLiteral("Result")) != nullptr, s + 1 == pages.size());
            EXPECT_EQ(text(page, "PageNumber"),
                      pages.size() > 1 ? QStringLiteral("Сторінка %1 з %2").arg(s + 1).arg(pages.size())
                                       : QStringLiteral("<none>"));
            for (int n = 0; n < c.linesPerPage[s]; ++n)
                EXPECT_TRUE(page.element(QStringLiteral("Line%1Date").arg(++line)))
                    << c.payments << " " << line;
            // Nothing runs off the sheet.
            for (const PageElement& e : page.elements())
                EXPECT_LE(e.top + e.height, 1123 - 38) << e.name.toStdString();
        }
        EXPECT_EQ(line, c.payments);
        EXPECT_EQ(text(pages.back(), "ClosingCredit"), QStringLiteral("%1,00").arg(c.payments));
    }
}

} // namespace
