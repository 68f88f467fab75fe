#pragma once

#include "base/money.h"
#include "db/rows.h"
#include "report/page.h"

#include <QDate>
#include <QString>

#include <optional>
#include <vector>

class Prompter;
class TDM;

// One line of a client's account: a document that charges it (debit) or a payment it made (credit).
struct ReconciliationLine {
    QDate date;
    QString document; // "Рахунок-фактура № 12", "Акт № 3", "Оплата, п/д № 45"
    Money debit, credit;
};

// A client's account over a period as the owner's books have it.
struct Reconciliation {
    QDate from, to;
    Money opening; // what the client owed the day before the period; negative: what it paid over
    std::vector<ReconciliationLine> lines;

    Money debits() const;
    Money credits() const;
    Money closing() const { return opening + debits() - credits(); }
};

// Throws DbError.
Reconciliation ReadReconciliation(const TDM& dm, int clientId, const QDate& from, const QDate& to);

// The reconciliation act, A4 portrait, in Ukrainian: both parties with their codes, a table of the owner's
// lines beside an empty one for the client's, the opening balance, the turnovers, the closing balance and
// the debt in words, and both signatures. Lines that do not fit one sheet go on to the next, each under the
// table's header again; the totals, words and signatures stay together on the last sheet.
Pages FillReconciliationBlank(const Reconciliation& account, const ClientRow& client,
                              const OwnerRecord& owner, Prompter* prompter);

// The act for a stored client and a period; nullopt with *error when there is no such client or the
// period ends before it starts. Throws DbError.
std::optional<Pages> PrepareReconciliationPages(const TDM& dm, int clientId, const QDate& from,
                                                const QDate& to, const OwnerRecord& owner, Prompter* prompter,
                                                QString* error);
