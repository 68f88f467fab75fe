#pragma once

#include "db/rows.h"
#include "payments/statement.h"

#include <optional>
#include <vector>

class TDM;

// The document numbers a payment's purpose names: DocMar's own QR purposes ("Оплата за рахунком-фактурою
// № 12 від …", "Оплата за актом № 3 від …") and the usual short forms ("рахунок № 12", "рах. 12", "р/ф 12",
// "сч. 12", "счет-фактура № 12"; "акт № 3").
struct PurposeNumbers {
    std::vector<int> invoices, acts;
};
PurposeNumbers NumbersInPurpose(const QString& purpose);

// A statement's incoming line and what it was tied to.
struct ImportedLine {
    StatementLine line;
    int clientId = 0;    // the payer, known by its code or account; 0 for a payer the book does not know
    int invoice = 0;     // the invoice it pays (of that client); 0 for none
    int act = 0;         // the act it pays; 0 for none
    bool stored = false; // the book holds it already
    bool matched() const { return invoice > 0 || act > 0; }
};

// What a statement would bring, before anything is stored.
struct StatementImport {
    QString file;
    std::vector<ImportedLine> incoming; // to the owner's account, in hryvnias
    int otherAccounts = 0, outgoing = 0, otherCurrencies = 0;
    int count(bool (*which)(const ImportedLine&)) const;
    // "Выписка: 23 поступления, 19 сопоставлены, 4 без счета", then what was left out and what is stored
    // already.
    QString summary() const;
};

// Reads the statement file and ties each incoming line to its payer and document; nothing is written.
// nullopt with *error when the file cannot be read whole, or the owner keeps no account to take
// payments to. Throws DbError.
std::optional<StatementImport> PlanStatementImport(const TDM& dm, const QString& fileName,
                                                   const OwnerRecord& owner, QString* error);

// The payers of the statement the book does not know, each once, as the clients they become: the name,
// code (8 digits: ЄДРПОУ, else ІПН) and account the bank gave. A payer without a name, or with one longer
// than a client's, is left to be added by hand.
std::vector<ClientRow> UnknownPayers(const StatementImport& plan);

// A document a payment of its client may be tied to by hand, with what it still asks for.
struct OpenDocument {
    int number = 0;
    bool act = false;
    QDate date;
    Money rest;
};
// The client's invoices and acts not paid in full, oldest first. Throws DbError.
std::vector<OpenDocument> UnpaidDocuments(const TDM& dm, int clientId);

// The payment a line becomes.
PaymentRow PaymentOfLine(const ImportedLine& line, const QString& source);

// Stores the lines not stored yet (only the matched ones with matchedOnly, else every line of a known
// payer; with addPayers the unknown payers become clients and their lines go in too), all or none. How
// many were stored. Throws DbError.
int StoreStatementImport(TDM& dm, const StatementImport& plan, bool matchedOnly, bool addPayers = false);
