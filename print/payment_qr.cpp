#include "print/payment_qr.h"

#include "base/number_format.h"
#include "base/requisites.h"
#include "base/text_codec.h"
#include "print/invoice_sums.h"

#include <QCoreApplication>

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

namespace {

constexpr int kNameChars = 70;
constexpr int kPurposeChars = 140;
constexpr int kAmountBytes = 15;

QString note(const QString& why)
{
    return QCoreApplication::translate("PaymentQr", "QR-код для оплаты не напечатан: %1").arg(why);
}

// A field as one line of at most so many characters, cut between characters, never inside one; nullopt
// with *bad when it holds a character the code may not carry.
std::optional<QString> field(const QString& text, int chars, QString* bad)
{
    QList<uint> points = text.toUcs4();
    for (uint& c : points)
        if (QChar::category(c) == QChar::Other_Control || c == 0x2028 || c == 0x2029)
            c = u' ';
    points = QString::fromUcs4(reinterpret_cast<const char32_t*>(points.constData()), points.size())
                 .trimmed()
                 .toUcs4();
    points.resize(std::min<qsizetype>(points.size(), chars));
    for (const uint c : points) {
        const QString one = QString::fromUcs4(reinterpret_cast<const char32_t*>(&c), 1);
        if (c > 0x7e && !(c <= 0xffff && fits1251(one))) {
            *bad = one;
            return std::nullopt;
        }
    }
    return QString::fromUcs4(reinterpret_cast<const char32_t*>(points.constData()), points.size()).trimmed();
}

} // namespace

namespace {

// The payment of a document's total with that purpose; badPurpose names where a character the rules refuse
// came from.
InvoicePaymentCode payment(const OwnerRecord& owner, const QString& purposeText, const Money total,
                           const QString& badPurpose)
{
    const QString iban = CompactIban(owner.CHETNUMBER);
    if (!LooksLikeIban(iban) || !IbanProblem(iban).isEmpty())
        return {};
    QString code;
    for (const QString& candidate : {owner.OKPOCODE.trimmed(), owner.TAXCODE.trimmed()})
        if (code.isEmpty() && (EdrpouValid(candidate) || RnokppValid(candidate)) &&
            candidate.count(u'0') != candidate.size()) // a new book's zeros are no code
            code = candidate;
    if (code.isEmpty() || !total.isValid() || total <= Money())
        return {};
    if (!iban.startsWith(QLatin1String("UA")))
        return {std::nullopt,
                note(QCoreApplication::translate("PaymentQr", "платёж в гривнях принимает только украинский "
                                                              "IBAN (UA…), а в реквизитах владельца — %1.")
                         .arg(iban))};
    const QString amount = QStringLiteral("UAH") + total.text(u'.');
    if (amount.size() > kAmountBytes)
        return {std::nullopt, note(QCoreApplication::translate(
                                       "PaymentQr", "сумма %1 больше, чем берёт QR-код (наибольшая — "
                                                    "999 999 999,99).")
                                       .arg(total.text()))};
    QString bad;
    const std::optional<QString> recipient = field(owner.FIRMNAME, kNameChars, &bad);
    const std::optional<QString> purpose = recipient ? field(purposeText, kPurposeChars, &bad) : std::nullopt;
    if (!recipient || !purpose)
        return {std::nullopt, note((recipient ? badPurpose
                                              : QCoreApplication::translate(
                                                    "PaymentQr", "знак «%1» в названии владельца не "
                                                                 "допускают правила Национального банка."))
                                       .arg(bad))};
    PaymentRequest p;
    p.recipient = *recipient;
    p.iban = iban;
    p.amount = total;
    p.code = code;
    p.purpose = *purpose;
    return {p, {}};
}

} // namespace

QString InvoicePurpose(const InvoiceRow& invoice)
{
    return QStringLiteral("Оплата за рахунком-фактурою № %1%2 від %3")
        .arg(invoice.FACT_NUMBER)
        .arg(invoice.FACT_DOPNO.trimmed(), dateText(invoice.FACT_DATA));
}

QString ActPurpose(const ActDraft& act)
{
    return QStringLiteral("Оплата за актом № %1 від %2").arg(act.number).arg(dateText(act.date));
}

InvoicePaymentCode InvoicePayment(const OwnerRecord& owner, const InvoiceRow& invoice,
                                  const InvoiceSums& sums)
{
    return payment(owner,
                   InvoicePurpose(invoice) + QStringLiteral(", у т.ч. ПДВ %1 грн.").arg(sums.vat.text()),
                   sums.total,
                   QCoreApplication::translate(
                       "PaymentQr", "знак «%1» в номере счета не допускают правила Национального банка."));
}

InvoicePaymentCode ActPayment(const OwnerRecord& owner, const ActDraft& act, const Taxed& sums)
{
    // An act's purpose holds digits and a date only: nothing in it the rules refuse.
    return payment(owner, ActPurpose(act) + QStringLiteral(", у т.ч. ПДВ %1 грн.").arg(sums.vat.text()),
                   sums.total, {});
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
