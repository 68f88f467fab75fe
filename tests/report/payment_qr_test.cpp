#include "print/invoice_form.h"
#include "report/renderer.h"
#include "support/test_support.h"

#include <QProcess>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace {

// What a phone's camera reads: the invoice drawn at 300 dpi and decoded by zbar, then the data behind the
// National Bank's address.
QString scannedPayment(const InvoiceRow& invoice, const OwnerRecord& owner)
{
    Page page = CreateInvoiceBlank();
    FillInvoiceForm(page, invoice, nullptr, owner, Settings{}, nullptr);
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

    // The largest total a blank shows, and a name of the longest the code takes.
    owner.FIRMNAME =
        QStringLiteral("Товариство з обмеженою відповідальністю «Центр постачання будматеріалів»");
    invoice.positions[0].price = 999999999999.99;
    const QString read = scannedPayment(invoice, owner);
    EXPECT_TRUE(read.contains(QStringLiteral("\nUAH999999999999.99\n"))) << read.toStdString();
    EXPECT_TRUE(read.contains(u'\n' + owner.FIRMNAME.left(70) + u'\n')) << read.toStdString();
}
