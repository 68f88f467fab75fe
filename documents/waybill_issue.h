#pragma once

#include "db/rows.h"
#include "print/blank_parts.h"

#include <QDate>
#include <QString>

#include <array>
#include <optional>

class TDM;

enum class WaybillKind { Expense, Tax };

// The invoice numbers of the waybill selection ("12/15/"), each once, in the order picked; more is set
// when numbers beyond the first three remain.
struct SelectionNumbers {
    std::array<int, 3> numbers{};
    bool more = false;
};
SelectionNumbers ParseWaybillSelection(const QString& selection);

// What a waybill dialog shows and stores.
struct WaybillDraft {
    WaybillKind kind = WaybillKind::Expense;
    bool forReceipt = false;
    std::array<int, 3> documents{};  // invoices (0 where none), or the receipt in the first
    int clientId = 0;                // the client of the first document
    std::optional<ClientRow> client; // nullopt: that client is no longer in the register
    QDate documentsDate;             // the latest invoice date, or the receipt's
    int number = 0;                  // NoNak
    int proposedNumber = 0;          // the number offered; another is taken if someone took it
    QDate date;                      // NDateED / NDateEd
    // Expense waybill
    QString receiver; // NameEd: who takes the goods
    QString proxySerie;
    QString proxyNumber = QStringLiteral("0");
    QDate proxyDate;
    // Tax waybill
    QString payer;  // Edit1
    QString reason; // ReasonEd
    QString paymentType = QStringLiteral("оплата з розр./ рах. ");
};

// The dialog's prefills: the next number of its table, the documents' date and client, the payer and, for
// a tax waybill, the payment ground. Throws DbError.
WaybillDraft OpenWaybillDraft(const TDM& dm, WaybillKind kind, bool forReceipt,
                              const std::array<int, 3>& documents, const QDate& today);

// The tax waybill's payment ground for invoices: the contract (no blank before "(")
// when the client has a contract number, and each invoice number with its suffix.
QString TaxReasonForInvoices(const TDM& dm, const std::optional<ClientRow>& client,
                             const std::array<int, 3>& invoices);
// The expense waybill's INFO: "р/ф № 12,15" (Cyrillic "р"), or "проплата от " and the receipt's date.
QString ExpenseInfo(const WaybillDraft& draft);

// For the invoices that already have a waybill of the kind, the question to ask before another is issued
// ("На счет-фактуру № 12 уже выписана расходная накладная № 7. Выписать ещё одну?"); empty when none has.
// Throws DbError.
QString EarlierWaybillsQuestion(const TDM& dm, WaybillKind kind, const std::array<int, 3>& invoices);

// A refusal before anything is stored: the message to show, and whether the dialog then closes.
struct WaybillRefusal {
    QString message;
    bool closesDialog = false;
};
// Checks that the documents are there, belong to one client and, for an expense waybill, share one
// advertising-tax rate.
std::optional<WaybillRefusal> CheckWaybillDocuments(const TDM& dm, const WaybillDraft& draft);

// Stores the waybill in one step; the number it got, which is the next free one when another writer took
// the offered number meanwhile. Throws DbError (a number typed that is taken, a proxy number that is no
// whole number).
int StoreWaybill(TDM& dm, const WaybillDraft& draft);
