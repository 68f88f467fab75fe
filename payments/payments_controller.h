#pragma once

#include "db/stores.h"
#include "payments/payment_import.h"
#include "payments/payments.h"
#include "payments/reconciliation.h"

#include <QDate>
#include <QString>

#include <map>
#include <optional>
#include <vector>

class Prompter;
class TDM;

// The payment commands without their widgets: a payment typed for an invoice, an act or a client, a bank
// statement loaded after the question that says what it brings, the debtors written and a client's
// reconciliation act.
class PaymentsController {
public:
    PaymentsController(TDM& dm, Prompter& prompter);

    // The dialog's draft; nullopt after the message saying why not.
    std::optional<PaymentDraft> openPayment(int number, bool act, const QDate& today) const;
    // "Записать": false (the dialog stays open) after the message why not.
    bool store(const PaymentRow& payment);
    // The statement read and tied to payers and documents, nothing stored; nullopt after the message.
    std::optional<StatementImport> planStatement(const QString& fileName, const OwnerRecord& owner);
    // For each known payer of the plan's lines not tied to a document, its documents not paid in full: what
    // such a line may be tied to by hand. Empty after the message when the book cannot say.
    std::map<int, std::vector<OpenDocument>> openDocuments(const StatementImport& plan) const;
    // Its lines of known payers not stored yet, all or none: how many; nullopt after the message. With
    // addPayers the payers the book does not know become clients in the same turn, their lines with them.
    std::optional<int> storeStatement(const StatementImport& plan, bool addPayers);
    // Who owes on the date, the largest debt first; empty after the message when the book cannot say.
    std::vector<ClientBalance> debtors(const QDate& date) const;
    // The debtors on the date into the file: the lines written, nullopt after the message.
    std::optional<int> writeDebtors(const QDate& date, const QString& fileName);
    // A client's reconciliation act for the period; nullopt after the message.
    std::optional<Pages> reconciliation(int clientId, const QDate& from, const QDate& to,
                                        const OwnerRecord& owner) const;

private:
    TDM& m_dm;
    Prompter& m_prompter;
};
