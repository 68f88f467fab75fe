#pragma once

#include "base/month_names.h"
#include "base/number_format.h"
#include "db/rows.h"
#include "db/stores.h"
#include "print/invoice_sums.h"

#include <QDate>
#include <QString>

#include <optional>

class TDM;

// The period a new act dated so covers: in the first ten days of a month the month just closed, else the
// date's own month.
ActPeriod DefaultActPeriod(const QDate& date);

// The period as the lists show it, in the interface's language ("март", "II квартал"; in Ukrainian
// "березень") for a stored ACT_MONTH; empty outside 1-16.
QString ActPeriodShown(const QVariant& month);

inline constexpr int kActKindChars = 255;
// The sum is money: hryvnias and kopecks, never rounded from more decimals.
inline constexpr int kActSumPlaces = 2;
inline constexpr int kActRepresentativeChars = 128;

// Why a typed sum is no sum; empty when it is one.
QString ActSumProblem(TypedNumber read, const QString& typed);

// Why the act cannot be stored as it stands; empty when it can. Whether its number is free is the book's
// to say.
QString ActProblem(const ActDraft& draft);

// Stores the client's act: a new one (original 0) or over the act numbered original. The message why it
// was not stored; empty when it was.
QString StoreAct(TDM& dm, int clientId, const ActDraft& draft, int original = 0);

// What the editor opens with: a new act (the next number, the date given, the period that date closes or
// runs, the VAT rate given, the client's director as its representative), a copy of `from` (all but its
// number and date, which are a new act's) or `from` itself to be edited.
enum class ActCommand { New, Copy, Edit };
ActDraft OpenActDraft(const TDM& dm, ActCommand command, const ClientRow& client, const ActDraft* from,
                      int vatRate, const QDate& today);
