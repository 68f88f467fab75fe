#pragma once

#include "base/money.h"
#include "db/rows.h"
#include "report/page.h"

#include <QString>

#include <optional>

struct InvoiceSums;
struct Taxed;

// The National Bank's payment QR code (format 002): what a banking app needs to pay an invoice in one scan.
struct PaymentRequest {
    QString recipient; // the firm's name, at most 70 characters
    QString iban;      // compact
    Money amount;      // the total with VAT and advertising tax
    QString code;      // ЄДРПОУ or РНОКПП
    QString purpose;   // at most 140 characters
};

// The payment an invoice asks for, built by the National Bank's rules for format 002: every field one
// line of the characters the rules allow (Windows-1251 letters and ASCII; a control character becomes a
// blank), the name cut at 70 characters and the purpose at 140, "UAH" and the amount in 15 at most, a
// Ukrainian IBAN. No request, silently, when the owner keeps no valid IBAN or checked code or the total is
// not above zero; no request and a note saying why when the rules do not let the code carry the payment.
struct InvoicePaymentCode {
    std::optional<PaymentRequest> request;
    QString note;
};
InvoicePaymentCode InvoicePayment(const OwnerRecord& owner, const InvoiceRow& invoice,
                                  const InvoiceSums& sums);
// What a payment of the document is for, as the code and a typed payment say it: "Оплата за
// рахунком-фактурою № 12а від 07.12.2026", "Оплата за актом № 3 від 05.03.2026".
QString InvoicePurpose(const InvoiceRow& invoice);
QString ActPurpose(const ActDraft& act);
// The same for an act: "Оплата за актом № N від DD.MM.YYYY, у т.ч. ПДВ X грн.".
InvoicePaymentCode ActPayment(const OwnerRecord& owner, const ActDraft& act, const Taxed& sums);
// The code's data lines, separated by line feeds: "BCD", "002", "1" (UTF-8), "UCT", no BIC, recipient,
// IBAN, "UAH" and the amount, code, no category, no reference, purpose, no display text.
QString PaymentQrData(const PaymentRequest& payment);
// What the code holds: the data in base64url behind the National Bank's address.
QString PaymentQrText(const PaymentRequest& payment);

// Adds the code to a blank in pixels at 96 dpi, its top right corner at (right, top): about 30 mm, no module
// under 0.5 mm. False when the text does not fit a QR code.
bool AddPaymentQr(Page& page, const QString& text, double right, double top);
