#include "base/money.h"
#include "base/prompter.h"
#include "db/data_module.h"
#include "db/demo_data.h"
#include "db/list_model.h"
#include "documents/document_lists.h"
#include "print/expense_waybill_form.h"
#include "print/invoice_form.h"
#include "print/invoice_sums.h"
#include "print/registers.h"
#include "print/tax_waybill_form.h"
#include "support/test_support.h"

#include <gtest/gtest.h>

#include <random>

namespace {

QString label(const std::optional<Page>& page, const char* name)
{
    return page ? page->element(QLatin1String(name))->text.trimmed() : QStringLiteral("no page");
}

QString listTotal(const SqlListModel& list, int row)
{
    return list.data(list.index(row, list.columnCount() - 1)).toString();
}

} // namespace

// Half kopecks worked out by hand: a position to kopecks half to even, VAT and advertising tax from their
// exact values half away from zero, the total the sum of the printed lines. Each figure is checked on the
// invoice, both waybills, the register and the list.
TEST(EveryPaper, ShowsTheSameFiguresAndTheyAddUp)
{
    struct Case {
        const char* unit;
        double count, price;
        int vat;
        double advertising;
        const char *subtotal, *vatText, *taxText, *total, *withVat;
    } cases[] = {
        {"", 0, 2.50, 7, 0, "2,50", "0,18", "", "2,68", "2,68"},       // VAT 0,175
        {"", 0, 3.50, 7, 0, "3,50", "0,25", "", "3,75", "3,75"},       // VAT 0,245
        {"", 0, 1.25, 14, 0, "1,25", "0,18", "", "1,43", "1,43"},      // VAT 0,175
        {"", 0, -2.50, 7, 0, "-2,50", "-0,18", "", "-2,68", "-2,68"},  // a return: away from zero
        {"шт", 1, 2.675, 20, 0, "2,68", "0,54", "", "3,22", "3,22"},   // 2,675 exactly: to the even 8
        {"шт", 3, 0.875, 20, 0, "2,62", "0,52", "", "3,14", "3,14"},   // 2,625: to the even 2
        {"", 0, 75505, 20, 1.5, "75505,00", "15101,00", "1132,58", "91738,58", "90606,00"}, // 1132,575
        {"", 0, 0.30, 7, 1.5, "0,30", "0,02", "0,00", "0,32", "0,32"}, // 0,021 and 0,0045
    };
    TestHome home;
    auto dm = home.createAndConnect();
    const QSqlDatabase db = ConnectionOf(*dm);
    execOrThrow(db, QStringLiteral("INSERT INTO CLIENTS (ID_NUMBER, FIRMNAME) VALUES (2, 'ТОВ')"));
    int number = 0;
    for (const Case& c : cases) {
        ++number;
        execOrThrow(db,
                    QStringLiteral("INSERT INTO FACTURES (FACT_NUMBER, FACT_DATA, ID_NUMBER, NAME_OWNER, FACT_NDS, "
                                   "FACT_NR, NAME_POS1, MEASURE_POS1, COUNT_POS1, PRICE_POS1) VALUES (?, "
                                   "'2025-03-01', 2, 'ТОВ', ?, ?, 'т', ?, ?, ?)"),
                    {number, c.vat, c.advertising, QString::fromUtf8(c.unit), c.count, c.price});
        for (const char* table : {"NAKLADN1", "NAKLADN2"})
            execOrThrow(db,
                        QStringLiteral("INSERT INTO %1 (NAKL_NUMBER, NAKL_DATA, ID_NUMBER, FACT1_NUMBER) VALUES "
                                       "(?, '2025-03-01', 2, ?)")
                            .arg(QLatin1String(table)),
                        {number, number});
    }
    DocumentLists lists(*dm);
    lists.ShowAllDocuments();
    const QStringList invoiceRegister =
        RegisterText(*dm, RegisterKind::Invoices, {0, QDate(2025, 1, 1), QDate(2025, 12, 31)}).split("\r\n");
    const QStringList waybillRegister =
        RegisterText(*dm, RegisterKind::TaxWaybills, {0, QDate(2025, 1, 1), QDate(2025, 12, 31)}).split("\r\n");
    Settings settings;
    ScriptedPrompter prompter;
    number = 0;
    for (const Case& c : cases) {
        ++number;
        SCOPED_TRACE(number);
        const QString withVat = QLatin1String(c.withVat);
        QString error;
        bool complete = false;
        const std::optional<Page> invoice =
            PrepareInvoicePage(*dm, number, OwnerRecord{}, settings, home.path(), &prompter, &error);
        EXPECT_EQ(label(invoice, "Itogo"), QLatin1String(c.subtotal));
        EXPECT_EQ(label(invoice, "NDS"), QLatin1String(c.vatText));
        EXPECT_EQ(label(invoice, "ALLSumma"), QLatin1String(c.total));
        if (*c.taxText)
            EXPECT_EQ(label(invoice, "QRLabel4"), QLatin1String(c.taxText));
        EXPECT_TRUE(label(invoice, "StrSum").endsWith(QString::fromLatin1(c.total).right(2) + QStringLiteral(" коп.")));
        const std::optional<Page> expense = PrepareExpenseWaybillPage(*dm, number, OwnerRecord{}, settings,
                                                                      home.path(), &prompter, &complete, &error);
        EXPECT_EQ(label(expense, "NDS1"), QLatin1String(c.vatText));
        EXPECT_EQ(label(expense, "ALLSum1"), QLatin1String(c.total));
        const std::optional<Page> tax =
            PrepareTaxWaybillPage(*dm, number, OwnerRecord{}, settings, &prompter, 0, &complete, &error);
        EXPECT_EQ(label(tax, "Vsego6"), QLatin1String(c.vatText));
        EXPECT_EQ(label(tax, "Vsego7"), withVat);
        // The register's figures keep the point and carry no advertising tax.
        const QString line = QStringLiteral("|%1|%2|%3|").arg(QString::fromLatin1(c.subtotal).rightJustified(7),
                                                              QString::fromLatin1(c.vatText).rightJustified(6),
                                                              withVat.rightJustified(8));
        EXPECT_TRUE(invoiceRegister[3 * number].endsWith(QString(line).replace(u',', u'.')))
            << invoiceRegister[3 * number].toStdString();
        EXPECT_TRUE(waybillRegister[1 + 2 * number].endsWith(QString(line).replace(u',', u'.')))
            << waybillRegister[1 + 2 * number].toStdString();
        EXPECT_EQ(listTotal(lists.invoices(), number - 1), QLatin1String(c.total));
        EXPECT_EQ(listTotal(lists.expenseWaybills(), number - 1), QLatin1String(c.total));
        EXPECT_EQ(listTotal(lists.taxWaybills(), number - 1), withVat);
    }
}

// Money against exact decimals worked out apart from it: amounts as whole thousandths of a kopeck,
// rounded by their last digits.
TEST(Money, AgreesWithExactDecimalsOverRandomAmounts)
{
    std::mt19937_64 random(2026);
    // n thousandths of a kopeck to kopecks: ties away from zero, or to the even neighbour.
    const auto round = [](std::int64_t n, bool toEven) {
        const std::int64_t whole = n / 1000, rest = std::abs(n % 1000), step = n < 0 ? -1 : 1;
        const bool up = rest > 500 || (rest == 500 && (!toEven || whole % 2 != 0));
        return whole + (up ? step : 0);
    };
    for (int i = 0; i < 200'000; ++i) {
        const std::int64_t kopecks = std::int64_t(random() % 100'000'000'000) - 1'000'000'000;
        const Money subtotal = Money::fromDouble(double(kopecks) / 100);
        ASSERT_EQ(subtotal.kopecks(), kopecks);
        for (const int rate : {7, 14, 20}) {
            const Taxed t = WithTaxes(subtotal, rate, 1.5);
            ASSERT_EQ(t.vat.kopecks(), round(kopecks * rate * 10, false)) << kopecks << " at " << rate;
            ASSERT_EQ(t.advertisingTax.kopecks(), round(kopecks * 15, false)) << kopecks;
            ASSERT_EQ(t.total, t.subtotal + t.vat + t.advertisingTax);
        }
        // A count of three decimals times a price of two: thousandths of a kopeck, half to even.
        const std::int64_t thousandths = std::int64_t(random() % 1'000'000), price = kopecks % 10'000'000;
        ASSERT_EQ(Money::product(double(thousandths) / 1000, double(price) / 100).kopecks(),
                  round(thousandths * price, true))
            << thousandths << " × " << price;
    }
    EXPECT_FALSE(Money::product(1e300, 1e300).isValid());
    EXPECT_FALSE((Money::fromKopecks(Money::kLimitKopecks) + Money::fromKopecks(1)).isValid());
    EXPECT_FALSE(Money::fromDouble(std::nan("")).isValid());
}

// A demo book on either engine: each list's "Сумма" is its paper's total, and each register's totals line
// adds up the lines above it.
TEST(EveryPaper, OfADemoBookAgreesWithItsListsAndRegisters)
{
    TestHome home;
    auto dm = home.createAndConnect();
    FillDemoData(*dm, {30, 250, 5});
    DocumentLists lists(*dm);
    lists.ShowAllDocuments();
    Settings settings;
    ScriptedPrompter prompter;
    QString error;
    bool complete = false;
    const auto check = [&](const SqlListModel& list, const char* numberColumn, const char* totalLabel,
                           const auto& prepare) {
        const int column = list.columnOf(QLatin1String(numberColumn));
        ASSERT_GT(list.rowCount(), 10);
        for (int r = 0; r < list.rowCount(); ++r) {
            const int number = list.data(list.index(r, column)).toInt();
            complete = true;
            const std::optional<Page> page = prepare(number);
            ASSERT_TRUE(complete) << numberColumn << ' ' << number;
            EXPECT_EQ(listTotal(list, r), label(page, totalLabel)) << numberColumn << ' ' << number;
        }
    };
    check(lists.invoices(), "FACT_NUMBER", "ALLSumma", [&](int n) {
        return PrepareInvoicePage(*dm, n, OwnerRecord{}, settings, home.path(), &prompter, &error);
    });
    check(lists.expenseWaybills(), "NAKL_NUMBER", "ALLSum1", [&](int n) {
        return PrepareExpenseWaybillPage(*dm, n, OwnerRecord{}, settings, home.path(), &prompter, &complete,
                                         &error);
    });
    check(lists.taxWaybills(), "NAKL_NUMBER", "Vsego7", [&](int n) {
        return PrepareTaxWaybillPage(*dm, n, OwnerRecord{}, settings, &prompter, 0, &complete, &error);
    });

    for (const RegisterKind kind : {RegisterKind::Invoices, RegisterKind::Receipts, RegisterKind::ExpenseWaybills,
                                    RegisterKind::TaxWaybills}) {
        const QStringList lines =
            RegisterText(*dm, kind, {0, QDate(2000, 1, 1), QDate(2030, 12, 31)}).split(QStringLiteral("\r\n"));
        // Document lines have a date in their first column; position lines do not.
        Money sum, vat, total;
        for (const QString& line : lines)
            if (line.startsWith(u'|') && line[3] == u'.' && line.size() > 30) {
                const QStringList cells = line.split(u'|');
                const auto money = [&](int fromEnd) {
                    return Money::fromDouble(cells[cells.size() - fromEnd].trimmed().toDouble());
                };
                sum += money(4);
                vat += money(3);
                total += money(2);
            }
        const QString expected = QStringLiteral("     ИТОГО : сумма - %1, НДС - %2, сумма с НДС - %3.")
                                     .arg(sum.text(u'.').rightJustified(10), vat.text(u'.').rightJustified(10),
                                          total.text(u'.').rightJustified(10));
        EXPECT_EQ(lines[lines.size() - 2], expected) << int(kind);
    }
}
