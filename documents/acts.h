#pragma once

#include "print/invoice_sums.h"

#include <QDate>
#include <QString>

#include <optional>

class TDM;

// An act's period: a month (1-12) or a quarter (13-16, first to fourth) of a year.
struct ActPeriod {
    int month = 0;
    int year = 0;
    bool operator==(const ActPeriod&) const = default;
};

// The period a new act dated so covers: in the first ten days of a month the month just closed, else the
// date's own month.
ActPeriod DefaultActPeriod(const QDate& date);

// The period as the lists show it, in the interface's language: "март", "II квартал" (in Ukrainian
// "березень"); empty outside 1-16, so a row stored by another tool still shows.
QString ActPeriodListName(int month, bool ukrainian);

// The period as the Ukrainian blank says it: "за березень 2026 р.", "за II квартал 2026 р."; empty outside
// 1-16.
QString ActBlankPeriod(const ActPeriod& period);

// An act as the editor and the command line hand it over.
struct ActDraft {
    int number = 0;
    QDate date;
    ActPeriod period;
    QString kindOfWork;     // ACT_INFO
    double sum = 0;         // without VAT
    int vatRate = 0;        // ACT_NDS
    QString representative; // NAME_CLIENT
};

inline constexpr int kActKindChars = 255;
inline constexpr int kActRepresentativeChars = 128;

// Why the act cannot be stored as it stands; empty when it can. Whether its number is free is the book's
// to say.
QString ActProblem(const ActDraft& draft);

// An act as stored, and its client; nothing when there is no act of that number.
struct StoredAct {
    ActDraft act;
    int clientId = 0;
};
std::optional<StoredAct> ReadAct(const TDM& dm, int number);

// Stores the client's act: a new one (original 0) or over the act numbered original. The message why it
// was not stored; empty when it was.
QString StoreAct(TDM& dm, int clientId, const ActDraft& draft, int original = 0);

// The act's figures as on the invoice: the sum without VAT, VAT at the act's rate, and the total.
inline Taxed SumAct(const ActDraft& draft)
{
    return SumAct(draft.sum, draft.vatRate);
}
