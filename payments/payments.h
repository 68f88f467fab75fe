#pragma once

#include "base/money.h"
#include "db/rows.h"

#include <QDate>
#include <QString>

#include <optional>

class TDM;

// A payment typed by hand: of an invoice or an act (its client's, its unpaid rest proposed) or of a client
// alone, not tied to a document.
struct PaymentDraft {
    PaymentRow row;
    Money rest; // what the document still asks for; not set for a client's own payment
};
// nullopt with *error when there is no such invoice or act.
std::optional<PaymentDraft> OpenDocumentPayment(const TDM& dm, int number, bool act, const QDate& today,
                                                QString* error);
PaymentDraft OpenClientPayment(int clientId, const QDate& today);

// What a document charges less what its payments brought (negative when paid over).
Money UnpaidRest(const TDM& dm, int number, bool act);

// A client's account as its panel says it: "Начислено 1800,00, оплачено 200,00, долг 1600,00" (or
// "переплата" when it paid more); empty for a client without documents or payments.
QString ClientBalanceText(const TDM& dm, int clientId, const QDate& date);

// Why the payment cannot be stored; empty when it can.
QString PaymentProblem(const PaymentRow& payment);
// Stores a typed payment under the next number: the message why not, empty when stored.
QString StoreTypedPayment(TDM& dm, PaymentRow payment);
