#pragma once

#include "base/settings.h"
#include "db/rows.h"
#include "report/page.h"

#include <QString>

#include <optional>

class Prompter;
class TDM;

enum class PrintedDocument { Invoice, ExpenseWaybill, TaxWaybill, Act };

// A stored document's blank, as the preview and print commands of the window and the command line make it.
// A waybill the blank could not take whole may be previewed, never printed ("Накладная заполнена не
// полностью и не напечатана."). Every message goes to the prompter, the engine's words too; nullopt when
// there is nothing to show, also when a zero-rate tax waybill's VAT section (asked when none is given) was
// not chosen.
std::optional<Page> DocumentPage(const TDM& dm, PrintedDocument kind, int number, bool forPrint,
                                 const OwnerRecord& owner, const Settings& settings,
                                 const QString& programFolder, Prompter& prompter,
                                 std::optional<int> section = std::nullopt);
