#include "base/prompter.h"
#include "print/invoice_form.h"
#include "report/renderer.h"
#include "support/test_support.h"

#include <QProcess>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace {

// What a phone's camera reads: the invoice drawn at 300 dpi and decoded by zbar, then the data behind the
// National Bank's address.
QString scannedPayment(const InvoiceRow& invoice, const OwnerRecord& owner, Prompter* prompter = nullptr)
{
    Page page = CreateInvoiceBlank();
    FillInvoiceForm(page, invoice, nullptr, owner, Settings{}, prompter);
    if (!page.element(QStringLiteral("PaymentQr")))
        return QStringLiteral("(no code)");
    QTemporaryDir dir;
    const QString file = dir.filePath(QStringLiteral("invoice.png"));
    if (!RenderToImage(page, 300).save(file))
        return QStringLiteral("(not rendered)");
    QProcess zbar;
    zbar.start(QStringLiteral("zbarimg"), {QStringLiteral("--raw"), QStringLiteral("-q"), file});
    if (!zbar.waitForFinished(60000))
        return QStringLiteral("(zbarimg did not finish)");
    QByteArray read = zbar.readAllStandardOutput();
    if (read.endsWith('\n'))
        read.chop(1);
    const QByteArray prefix = "https://bank.gov.ua/qr/";
    if (!read.startsWith(prefix))
        return QStringLiteral("(read: %1)").arg(QString::fromUtf8(read));
    return QString::fromUtf8(QByteArray::fromBase64(read.mid(prefix.size()), QByteArray::Base64UrlEncoding));
}

} // namespace

TEST(PaymentQr, AReaderDecodesEveryFieldOfThePayment)
{
    InvoiceRow invoice;
    invoice.FACT_NUMBER = 1234;
    invoice.FACT_DOPNO = QStringLiteral("а");
    invoice.FACT_DATA = QDate(2026, 12, 7);
    invoice.FACT_NDS = 20;
    invoice.positions[0] = {QStringLiteral("Цемент М-500"), QStringLiteral("міш"), 10, 185.5};
    invoice.positions[1] = {QStringLiteral("Доставка"), QString(), 0, 1200};
    OwnerRecord owner;
    owner.FIRMNAME = QStringLiteral("ТОВ \"Постачальник\"");
    owner.CHETNUMBER = QStringLiteral("UA21 3223 1300 0002 6007 2335 6600 1");
    owner.OKPOCODE = QStringLiteral("14360570");
    // 1855,00 + 1200,00 = 3055,00; VAT 611,00; 3666,00 in all.
    EXPECT_EQ(
        scannedPayment(invoice, owner),
        QStringLiteral("BCD\n002\n1\nUCT\n\nТОВ \"Постачальник\"\nUA213223130000026007233566001\nUAH3666.00\n"
                       "14360570\n\n\nОплата за рахунком-фактурою № 1234а від 07.12.2026, у т.ч. ПДВ 611,00 "
                       "грн.\n"));

    // A Latin name and a sole trader's code; the smallest total.
    owner.FIRMNAME = QStringLiteral("Fresh Foods LLC");
    owner.OKPOCODE = QString();
    owner.TAXCODE = QStringLiteral("3003614877");
    invoice.FACT_DOPNO.clear();
    invoice.FACT_NDS = 0;
    invoice.positions = {};
    invoice.positions[0] = {QStringLiteral("Послуга"), QString(), 0, 0.01};
    EXPECT_EQ(
        scannedPayment(invoice, owner),
        QStringLiteral("BCD\n002\n1\nUCT\n\nFresh Foods LLC\nUA213223130000026007233566001\nUAH0.01\n"
                       "3003614877\n\n\nОплата за рахунком-фактурою № 1234 від 07.12.2026, у т.ч. ПДВ 0,00 "
                       "грн.\n"));

    // Each field one line of what the rules allow, the name cut at 70 characters and never inside one; the
    // amount 15 bytes at most; a Ukrainian IBAN only.
    const QString iban = QStringLiteral("UA213223130000026007233566001");
    const QString zh70(70, u'Ж');
    const struct {
        QString name, account;
        double total;
        const char* recipient; // the code's name line, or the note's end when there is no code
    } cases[] = {
        {QStringLiteral("ТОВ Ромашка\nUA773052990000026002000006999\nUAH1.00"), iban, 1,
         "ТОВ Ромашка UA773052990000026002000006999 UAH1.00"},
        {QStringLiteral("ТОВ\tРомашка\r"), iban, 1, "ТОВ Ромашка"},
        {zh70 + QStringLiteral("ЖЖЖ"), iban, 999999999.99, "ЖЖЖЖЖЖЖЖЖЖЖЖЖЖЖЖЖЖЖЖЖЖЖЖЖЖЖЖЖЖЖЖЖЖЖЖЖЖЖЖЖЖЖЖЖЖЖЖЖЖЖЖЖЖЖЖЖЖЖЖЖЖЖЖЖЖЖЖЖЖ"},
        {zh70 + QStringLiteral("😀"), iban, 1, "ЖЖЖЖЖЖЖЖЖЖЖЖЖЖЖЖЖЖЖЖЖЖЖЖЖЖЖЖЖЖЖЖЖЖЖЖЖЖЖЖЖЖЖЖЖЖЖЖЖЖЖЖЖЖЖЖЖЖЖЖЖЖЖЖЖЖЖЖЖЖ"},
        {zh70.left(69) + QStringLiteral("😀"), iban, 1,
         "знак «😀» в названии владельца не допускают правила Национального банка."},
        {QStringLiteral("ТОВ"), iban, 1000000000,
         "сумма 1000000000,00 больше, чем берёт QR-код (наибольшая — 999 999 999,99)."},
        {QStringLiteral("ТОВ"), QStringLiteral("PL61109010140000071219812874"), 1,
         "платёж в гривнях принимает только украинский IBAN (UA…), а в реквизитах владельца — "
         "PL61109010140000071219812874."},
    };
    invoice.FACT_NUMBER = 7;
    owner.TAXCODE.clear();
    owner.OKPOCODE = QStringLiteral("14360570");
    for (const auto& c : cases) {
        owner.FIRMNAME = c.name;
        owner.CHETNUMBER = c.account;
        invoice.positions[0].price = c.total;
        ScriptedPrompter prompter;
        const QString read = scannedPayment(invoice, owner, &prompter);
        const QString expected = QString::fromUtf8(c.recipient);
        const QStringList notes = prompter.texts().filter(QStringLiteral("QR-код"));
        if (notes.isEmpty()) {
            const QStringList fields = read.split(u'\n');
            ASSERT_EQ(fields.size(), 13) << read.toStdString();
            EXPECT_EQ(fields[5], expected) << read.toStdString();
            EXPECT_EQ(fields[6], iban);
            EXPECT_EQ(fields[7], QStringLiteral("UAH") + QString::number(c.total, 'f', 2));
            EXPECT_EQ(fields[11], QStringLiteral("Оплата за рахунком-фактурою № 7 від 07.12.2026, у т.ч. ПДВ 0,00 грн."));
        } else {
            EXPECT_EQ(read, QStringLiteral("(no code)"));
            EXPECT_EQ(notes, QStringList{QStringLiteral("QR-код для оплаты не напечатан: ") + expected});
        }
    }
}
