#include "print/payment_qr.h"

#include "base/number_format.h"
#include "base/requisites.h"
#include "print/invoice_sums.h"

#include <qrencode.h>

#include <algorithm>

namespace {

constexpr double kPxPerMm = 96 / 25.4;
constexpr double kSideMm = 30;
constexpr double kSmallestModuleMm = 0.5;
// The rules allow versions 10 to 20.
constexpr int kFirstVersion = 10;
constexpr int kLastVersion = 20;

QString dateText(const QDate& date)
{
    return date.toString(QStringLiteral("dd.MM.yyyy"));
}

} // namespace

std::optional<PaymentRequest> InvoicePayment(const OwnerRecord& owner, const InvoiceRow& invoice,
                                             const InvoiceSums& sums)
{
    const QString iban = CompactIban(owner.CHETNUMBER);
    if (!LooksLikeIban(iban) || !IbanProblem(iban).isEmpty())
        return std::nullopt;
    QString code;
    for (const QString& candidate : {owner.OKPOCODE.trimmed(), owner.TAXCODE.trimmed()})
        if (code.isEmpty() && (EdrpouValid(candidate) || RnokppValid(candidate)) &&
            candidate.count(u'0') != candidate.size()) // a new book's zeros are no code
            code = candidate;
    const Money total = sums.total;
    if (code.isEmpty() || !total.isValid() || total <= Money())
        return std::nullopt;
    PaymentRequest p;
    p.recipient = owner.FIRMNAME.trimmed().left(70);
    p.iban = iban;
    p.amount = total;
    p.code = code;
    p.purpose =
        QStringLiteral("Оплата за рахунком-фактурою № %1%2 від %3, у т.ч. ПДВ %4 грн.")
            .arg(invoice.FACT_NUMBER)
            .arg(invoice.FACT_DOPNO.trimmed(), dateText(invoice.FACT_DATA), sums.vat.text())
            .left(140);
    return p;
}

QString PaymentQrData(const PaymentRequest& p)
{
    return QStringList{QStringLiteral("BCD"),
                       QStringLiteral("002"),
                       QStringLiteral("1"),
                       QStringLiteral("UCT"),
                       QString(),
                       p.recipient,
                       p.iban,
                       QStringLiteral("UAH") + p.amount.text(u'.'),
                       p.code,
                       QString(),
                       QString(),
                       p.purpose,
                       QString()}
        .join(u'\n');
}

QString PaymentQrText(const PaymentRequest& payment)
{
    return QStringLiteral("https://bank.gov.ua/qr/") +
           QString::fromLatin1(PaymentQrData(payment).toUtf8().toBase64(QByteArray::Base64UrlEncoding |
                                                                        QByteArray::OmitTrailingEquals));
}

bool AddPaymentQr(Page& page, const QString& text, double right, double top)
{
    const QByteArray bytes = text.toUtf8();
    QRcode* code =
        QRcode_encodeData(int(bytes.size()), reinterpret_cast<const unsigned char*>(bytes.constData()),
                          kFirstVersion, QR_ECLEVEL_M);
    if (!code)
        return false;
    const bool fits = code->version <= kLastVersion;
    PageElement e;
    e.name = QStringLiteral("PaymentQr");
    e.kind = ElementKind::QrCode;
    for (int y = 0; y < code->width; ++y) {
        QString row(code->width, u'0');
        for (int x = 0; x < code->width; ++x)
            if (code->data[y * code->width + x] & 1)
                row[x] = u'1';
        e.lines << row;
    }
    const double module = std::max(kSideMm / code->width, kSmallestModuleMm) * kPxPerMm;
    e.width = e.height = module * code->width;
    e.left = right - e.width;
    e.top = top;
    e.text = QStringLiteral("₴");
    QRcode_free(code);
    if (!fits)
        return false;
    page.add(e);
    return true;
}
