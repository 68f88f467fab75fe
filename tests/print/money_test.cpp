#include "base/money.h"
#include "base/prompter.h"
#include "db/data_module.h"
#include "maintenance/demo_data.h"
#include "db/list_model.h"
#include "documents/document_lists.h"
#include "print/expense_waybill_form.h"
#include "print/invoice_form.h"
#include "print/invoice_sums.h"
#include "print/registers.h"
#include "print/tax_waybill_form.h"
#include "support/test_support.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <random>

namespace {

// The texts of some labels of a page, a blank between each.
QString labels(const std::optional<Page>& page, std::initializer_list<const char*> names)
{
    QStringList texts;
    for (const char* name : names)
        texts << (page ? page->element(QLatin1String(name))->text.trimmed() : QStringLiteral("-"));
    return texts.join(u' ');
}

// The last three cells of a register line (sum, VAT, total), with the blanks' decimal comma.
QString lastCells(const QString& line)
{
    const QStringList cells = line.split(u'|');
    return cells.mid(cells.size() - 4, 3)
        .replaceInStrings(QStringLiteral(" "), QString())
        .join(u' ')
        .replace(u'.', u',');
}

QString listTotal(const SqlListModel& list, int row)
{
    return list.data(list.index(row, list.columnOf(QStringLiteral("DOC_TOTAL")))).toString();
}

} // namespace

// Half kopecks worked out by hand: a position to kopecks half to even, VAT and advertising tax from their
// exact values half away from zero, the total the sum of the printed lines, on every paper and list.
TEST(EveryPaper, ShowsTheSameFiguresAndTheyAddUp)
{
    const struct {
        const char* unit;
        double price;
        int vat;
        double advertising;
        const char *invoice,
            *register_; // subtotal, VAT, [advertising tax,] total; the register without the tax
    } cases[] = {
        {"", 2.50, 7, 0, "2,50 0,18 2,68", "2,50 0,18 2,68"},         // VAT 0,175
        {"", 3.50, 7, 0, "3,50 0,25 3,75", "3,50 0,25 3,75"},         // VAT 0,245
        {"", 1.25, 14, 0, "1,25 0,18 1,43", "1,25 0,18 1,43"},        // VAT 0,175
        {"", -2.50, 7, 0, "-2,50 -0,18 -2,68", "-2,50 -0,18 -2,68"},  // a return: away from zero
        {"шт", 2.675, 20, 0, "2,68 0,54 3,22", "2,68 0,54 3,22"},     // 2,675 exactly: to the even 8
        {"шт", 0.875 * 3, 20, 0, "2,62 0,52 3,14", "2,62 0,52 3,14"}, // 2,625: to the even 2
        {"", 75505, 20, 1.5, "75505,00 15101,00 1132,58 91738,58", "75505,00 15101,00 90606,00"}, // 1132,575
        {"", 0.30, 7, 1.5, "0,30 0,02 0,00 0,32", "0,30 0,02 0,32"}, // 0,021 and 0,0045
    };
    TestHome home;
    auto dm = home.createAndConnect();
    const QSqlDatabase db = ConnectionOf(*dm);
    execOrThrow(db, QStringLiteral("INSERT INTO CLIENTS (ID_NUMBER, FIRMNAME) VALUES (2, 'ТОВ')"));
    for (int n = 1; const auto& c : cases) {
        execOrThrow(db,
                    QStringLiteral(
                        "INSERT INTO FACTURES (FACT_NUMBER, FACT_DATA, ID_NUMBER, FACT_NDS, FACT_NR, "
                        "MEASURE_POS1, COUNT_POS1, PRICE_POS1) VALUES (?, '2025-03-01', 2, ?, ?, ?, 1, ?)"),
                    {n, c.vat, c.advertising, QString::fromUtf8(c.unit), c.price});
        for (const char* table : {"NAKLADN1", "NAKLADN2"})
            execOrThrow(
                db,
                QStringLiteral("INSERT INTO %1 (NAKL_NUMBER, NAKL_DATA, ID_NUMBER, FACT1_NUMBER) VALUES "
                               "(?, '2025-03-01', 2, ?)")
                    .arg(QLatin1String(table)),
                {n, n});
        ++n;
    }
    DocumentLists lists(*dm);
    lists.ShowAllDocuments();
    const auto lines = [&](RegisterKind kind) {
        return RegisterText(*dm, kind, {0, QDate(2025, 1, 1), QDate(2025, 12, 31)})
            .split(QStringLiteral("\r\n"));
    };
    const QStringList invoiceRegister = lines(RegisterKind::Invoices),
                      taxRegister = lines(RegisterKind::TaxWaybills);
    const Settings settings;
    ScriptedPrompter prompter;
    QString error;
    bool complete = false;
    for (int n = 1; const auto& c : cases) {
        SCOPED_TRACE(n);
        const QString invoice = QString::fromUtf8(c.invoice), withVat = QString::fromUtf8(c.register_);
        const QString total = invoice.section(u' ', -1), vat = invoice.section(u' ', 1, 1);
        const std::optional<Page> page =
            PrepareInvoicePage(*dm, n, OwnerRecord{}, settings, home.path(), &prompter, &error);
        EXPECT_EQ(c.advertising > 0 ? labels(page, {"Itogo", "NDS", "QRLabel4", "ALLSumma"})
                                    : labels(page, {"Itogo", "NDS", "ALLSumma"}),
                  invoice);
        EXPECT_TRUE(labels(page, {"StrSum"}).endsWith(total.right(2) + QStringLiteral(" коп.")));
        EXPECT_EQ(labels(PrepareExpenseWaybillPage(*dm, n, OwnerRecord{}, settings, home.path(), &prompter,
                                                   &complete, &error),
                         {"NDS1", "ALLSum1"}),
                  vat + u' ' + total);
        EXPECT_EQ(
            labels(PrepareTaxWaybillPage(*dm, n, OwnerRecord{}, settings, &prompter, 0, &complete, &error),
                   {"Vsego6", "Vsego7"}),
            vat + u' ' + withVat.section(u' ', -1));
        EXPECT_EQ(lastCells(invoiceRegister[3 * n]), withVat);
        EXPECT_EQ(lastCells(taxRegister[1 + 2 * n]), withVat);
        EXPECT_EQ(listTotal(lists.invoices(), n - 1), total);
        EXPECT_EQ(listTotal(lists.expenseWaybills(), n - 1), total);
        EXPECT_EQ(listTotal(lists.taxWaybills(), n - 1), withVat.section(u' ', -1));
        ++n;
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
            EXPECT_EQ(listTotal(list, r), labels(page, {totalLabel})) << numberColumn << ' ' << number;
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

    for (const RegisterKind kind : {RegisterKind::Invoices, RegisterKind::Receipts,
                                    RegisterKind::ExpenseWaybills, RegisterKind::TaxWaybills}) {
        const QStringList lines = RegisterText(*dm, kind, {0, QDate(2000, 1, 1), QDate(2030, 12, 31)})
                                      .split(QStringLiteral("\r\n"));
        Money sums[3];
        for (const QString& line : lines)
            if (line.startsWith(u'|') && line.size() > 3 &&
                line[3] == u'.') // a document's line: its date first
                for (int i = 0; const QString& cell : lastCells(line).split(u' '))
                    sums[i++] += Money::fromDouble(QString(cell).replace(u',', u'.').toDouble());
        const QString expected =
            QStringLiteral("     ИТОГО : сумма - %1, НДС - %2, сумма с НДС - %3.")
                .arg(sums[0].text(u'.').rightJustified(10), sums[1].text(u'.').rightJustified(10),
                     sums[2].text(u'.').rightJustified(10));
        EXPECT_EQ(lines[lines.size() - 2], expected) << int(kind);
    }
}

// A position may charge exactly the largest amount a blank shows, not a kopeck more, and never a sum that
// is no number.
TEST(Money, APositionUpToTheLargestAmountIsPrintedAndNoMore)
{
    const struct {
        double count, price;
        bool refused;
    } cases[] = {{1, 999'999'999'999.99, false},
                 {1, -999'999'999'999.99, false},
                 {1, 1'000'000'000'000.00, true},
                 {1, std::nan(""), true},
                 {std::numeric_limits<double>::infinity(), 1, true}};
    for (const auto& c : cases) {
        InvoiceRow row;
        row.positions[0] = {QStringLiteral("Товар"), QStringLiteral("шт"), c.count, c.price};
        EXPECT_EQ(!AmountBeyondBlank(row).isEmpty(), c.refused) << c.count << " x " << c.price;
    }
}
