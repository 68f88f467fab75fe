#include "base/text_codec.h"
#include "db/data_module.h"
#include "print/registers.h"
#include "support/test_support.h"

#include <QFile>

#include <gtest/gtest.h>

namespace {

const char* kInvoiceRuler =
    "+--------+------------+-------------------------+--------------------+-------+------+--------+";
const char* kInvoiceHeading =
    "|  Дата  |    № с/ф   |   Плательщик            | Товар              | Сумма | НДС  |  ИТОГО |";
const char* kWaybillRuler =
    "+--------+--------+-------------------------+------------------------+-------+------+--------+";

class RegistersTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        dm = home.createAndConnect();
        execOrThrow(ConnectionOf(*dm),
                    QStringLiteral("INSERT INTO CLIENTS (ID_NUMBER, FIRMNAME) VALUES (2, '%1'), (3, 'ПП')")
                        .arg(QString(30, u'Ф')));
    }
    QStringList lines(RegisterKind kind, int client = 0)
    {
        QStringList out = RegisterText(*dm, kind, {client, QDate(2001, 1, 1), QDate(2001, 12, 31)})
                              .split(QStringLiteral("\r\n"));
        EXPECT_TRUE(out.last().isEmpty()); // every line ends with CR LF
        out.removeLast();
        return out;
    }
    void invoice(int number, const char* suffix, const char* date, const QString& payer,
                 std::initializer_list<std::tuple<QString, const char*, double, double>> positions,
                 int client = 2)
    {
        QStringList columns{"FACT_NUMBER", "FACT_DOPNO", "FACT_DATA", "NAME_OWNER", "ID_NUMBER", "FACT_NDS"};
        QVariantList values{number, QString::fromUtf8(suffix), QString::fromLatin1(date), payer, client, 20};
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

    TestHome home;
    std::unique_ptr<TDM> dm;
};

} // namespace

TEST_F(RegistersTest, AnEmptyPeriodIsFourLines)
{
    EXPECT_EQ(lines(RegisterKind::Invoices),
              (QStringList{kInvoiceRuler, kInvoiceHeading, kInvoiceRuler,
                           "     ИТОГО : сумма -       0.00, НДС -       0.00, сумма с НДС -       0.00."}));
    EXPECT_EQ(lines(RegisterKind::TaxWaybills).first(), QString::fromUtf8(kWaybillRuler));
}

TEST_F(RegistersTest, TheInvoiceLineAndItsPositionLine)
{
    invoice(17, "/1", "2001-02-05", QStringLiteral("ABC"), {{QStringLiteral("Goods"), "шт.", 2, 50}});
    invoice(18, "", "2002-01-01", QStringLiteral("Поза періодом"), {{QStringLiteral("X"), "шт.", 1, 1}});
    const QStringList l = lines(RegisterKind::Invoices);
    ASSERT_EQ(l.size(), 7);
    EXPECT_EQ(l[3], QStringLiteral("|05.02.01|     17/1   |ABC") + QString(22, u' ') + u'|' +
                        QString(20, u' ') + QStringLiteral("| 100.00| 20.00|  120.00|"));
    EXPECT_EQ(l[4], QStringLiteral("|        |            |                         |Goods") +
                        QString(15, u' ') + QStringLiteral("| 100.00| 20.00|  120.00|"));
    EXPECT_EQ(l[5], QString::fromUtf8(kInvoiceRuler));
    EXPECT_EQ(l[6],
              QStringLiteral("     ИТОГО : сумма -     100.00, НДС -      20.00, сумма с НДС -     120.00."));
    for (const QString& line : l.mid(0, 6))
        EXPECT_EQ(line.size(), 94) << line.toStdString();
}

TEST_F(RegistersTest, SumsAreTheInvoicesOwnAndCutsAndShifts)
{
    invoice(20, "", "2001-03-01", QString(30, u'П'),
            {{QString(70, u'Т'), "кг.", 2.5, 10},         // 25.00 as on the invoice, not 20.00
             {QStringLiteral("Доставка"), "   ", 3, 150}, // a lump sum at its price
             {QStringLiteral("Знижка"), "шт.", 1, -5},    // a return has its line too
             {QString(), "", 0, 0}});
    const QStringList l = lines(RegisterKind::Invoices);
    ASSERT_EQ(l.size(), 9);
    // 25 + 150 - 5 = 170; VAT 34; 204.
    EXPECT_EQ(l[3], QStringLiteral("|01.03.01|     20     |") + QString(25, u'П') + u'|' + QString(20, u' ') +
                        QStringLiteral("| 170.00| 34.00|  204.00|"));
    EXPECT_EQ(l[4], QStringLiteral("|        |            |                         |") + QString(20, u'Т') +
                        QStringLiteral("|  25.00|  5.00|   30.00|"));
    EXPECT_EQ(l[5].right(25), QStringLiteral("| 150.00| 30.00|  180.00|"));
    EXPECT_EQ(l[6].right(25), QStringLiteral("|  -5.00| -1.00|   -6.00|"));
    // A sum of ten thousand or more pushes the rest of its line to the right.
    invoice(21, "", "2001-03-02", QStringLiteral("Б"), {{QStringLiteral("Верстат"), "шт.", 1, 12345}});
    const QStringList wide = lines(RegisterKind::Invoices);
    EXPECT_TRUE(wide[8].endsWith(QStringLiteral("|12345.00|2469.00|14814.00|"))) << wide[8].toStdString();
    EXPECT_EQ(wide[8].size(), 96); // the sum and the VAT each one character over
}

TEST_F(RegistersTest, DocumentSumsAreTheFiguresTheInvoicePrints)
{
    // Each position is rounded to kopecks before it is added, as on the invoice: 3 × 105.1183 = 315.3549
    // -> 315.35 and 2 × 315.3351 = 630.6702 -> 630.67, so 946.02 (946.03 unrounded); VAT 189.204.
    invoice(30, "", "2001-04-01", QStringLiteral("А"),
            {{QStringLiteral("Труба"), "шт.", 3, 105.1183}, {QStringLiteral("Кран"), "шт.", 2, 315.3351}});
    // 2 × 0.275 = 0.55 and 1 × 0.0049 -> 0.00 on the invoice: total 0.66 (0.67 unrounded), and the
    // position of no kopeck gets no line.
    invoice(31, "", "2001-04-02", QStringLiteral("Б"),
            {{QStringLiteral("Шуруп"), "шт.", 2, 0.275}, {QStringLiteral("Шайба"), "шт.", 1, 0.0049}});
    const QStringList l = lines(RegisterKind::Invoices);
    ASSERT_EQ(l.size(), 11);
    EXPECT_TRUE(l[3].endsWith(QStringLiteral("| 946.02|189.20| 1135.22|"))) << l[3].toStdString();
    EXPECT_TRUE(l[4].endsWith(QStringLiteral("| 315.35| 63.07|  378.42|"))) << l[4].toStdString();
    EXPECT_TRUE(l[7].endsWith(QStringLiteral("|   0.55|  0.11|    0.66|"))) << l[7].toStdString();
}

TEST_F(RegistersTest, ReceiptsHaveNoNumber)
{
    invoice(-4, "", "2001-05-05", QStringLiteral("Оплата"), {{QStringLiteral("Аванс"), "", 0, 100}});
    const QStringList l = lines(RegisterKind::Receipts);
    EXPECT_TRUE(l[3].startsWith(QStringLiteral("|05.05.01|") + QString(12, u' ') + u'|'));
    EXPECT_TRUE(lines(RegisterKind::Invoices)[2].startsWith(u'+')); // not an invoice
}

TEST_F(RegistersTest, WaybillsSumTheirDocumentsUnderTheirClient)
{
    invoice(1, "", "2001-02-01", QStringLiteral("A"), {{QStringLiteral("a"), "шт.", 1, 100}});
    invoice(2, "", "2001-02-01", QStringLiteral("A"), {{QStringLiteral("b"), "шт.", 1, 50}});
    invoice(3, "", "2001-02-01", QStringLiteral("C"), {{QStringLiteral("c"), "шт.", 1, 1000}}, 3);
    execOrThrow(ConnectionOf(*dm),
                QStringLiteral("INSERT INTO NAKLADN1 (NAKL_NUMBER, NAKL_DATA, FACT1_NUMBER, "
                               "FACT2_NUMBER, FACT3_NUMBER, INFO, ID_NUMBER) VALUES "
                               "(5, '2001-02-03', 1, 2, 3, '%1', 2), (6, '2001-02-04', 1, 0, 0, 'x', 9)")
                    .arg(QString(30, u'О')));
    const QStringList l = lines(RegisterKind::ExpenseWaybills);
    ASSERT_EQ(l.size(), 8);
    // 100 + 50 (invoice 3 is another client's: 0); VAT 30; 180.
    EXPECT_EQ(l[3], QStringLiteral("|03.02.01|       5|") + QString(25, u'Ф') + u'|' + QString(24, u'О') +
                        QStringLiteral("| 150.00| 30.00|  180.00|"));
    EXPECT_EQ(l[5].mid(18, 27), QStringLiteral("|????                     |")); // client 9 is not there
    EXPECT_EQ(l[7],
              QStringLiteral("     ИТОГО : сумма -     150.00, НДС -      30.00, сумма с НДС -     180.00."));
    // One client's register.
    EXPECT_EQ(lines(RegisterKind::ExpenseWaybills, 3).size(), 4);
}

// Every document of a waybill counts, its third too, in both waybill registers.
TEST_F(RegistersTest, AWaybillCountsItsThirdDocument)
{
    invoice(1, "", "2001-02-01", QStringLiteral("A"), {{QStringLiteral("a"), "шт.", 1, 100}});
    invoice(2, "", "2001-02-01", QStringLiteral("A"), {{QStringLiteral("b"), "шт.", 1, 50}});
    invoice(4, "", "2001-02-01", QStringLiteral("A"), {{QStringLiteral("d"), "шт.", 1, 25}});
    for (const char* table : {"NAKLADN1", "NAKLADN2"})
        execOrThrow(ConnectionOf(*dm),
                    QStringLiteral("INSERT INTO %1 (NAKL_NUMBER, NAKL_DATA, FACT1_NUMBER, FACT2_NUMBER, "
                                   "FACT3_NUMBER, INFO, ID_NUMBER) VALUES (7, '2001-02-03', 1, 2, 4, 'x', 2)")
                        .arg(QLatin1String(table)));
    // 100 + 50 + 25 = 175; VAT 35; 210.
    for (RegisterKind kind : {RegisterKind::ExpenseWaybills, RegisterKind::TaxWaybills}) {
        const QStringList l = lines(kind);
        ASSERT_EQ(l.size(), 6);
        EXPECT_EQ(l[3].right(25), QStringLiteral("| 175.00| 35.00|  210.00|"));
    }
}

TEST_F(RegistersTest, TheFileIsWindows1251WithCrLfAndReplacesAnOldOne)
{
    invoice(17, "", "2001-02-05", QStringLiteral("Ґрунт"), {{QStringLiteral("Їжа"), "шт.", 1, 1}});
    const QString file = home.file(QStringLiteral("FACTURE1.TXT"));
    {
        QFile old(file);
        ASSERT_TRUE(old.open(QIODevice::WriteOnly));
        old.write(QByteArray(5000, 'x'));
    }
    QString error;
    ASSERT_TRUE(WriteRegister(*dm, RegisterKind::Invoices, {0, QDate(2001, 1, 1), QDate(2001, 12, 31)}, file,
                              &error));
    QFile f(file);
    ASSERT_TRUE(f.open(QIODevice::ReadOnly));
    const QByteArray bytes = f.readAll();
    EXPECT_EQ(bytes, encode1251(RegisterText(*dm, RegisterKind::Invoices,
                                             {0, QDate(2001, 1, 1), QDate(2001, 12, 31)})));
    EXPECT_TRUE(bytes.contains("\r\n"));
    EXPECT_TRUE(bytes.contains(char(0xA5))); // Ґ in Windows-1251
    EXPECT_FALSE(
        WriteRegister(*dm, RegisterKind::Invoices, {}, home.file(QStringLiteral("no/such/x.txt")), &error));
    EXPECT_EQ(RegisterFileName(RegisterKind::TaxWaybills), QStringLiteral("NAKLADN2.TXT"));
}
