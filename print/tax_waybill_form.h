#pragma once

#include "base/settings.h"
#include "db/rows.h"
#include "report/page.h"

#include <optional>

class Prompter;
class TDM;

// The tax waybill blank, in millimetres, with every fixed text, frame, rule, heading and run-time label.
Page CreateTaxWaybillBlank();

// Fills the blank from the waybill, the invoices (or the receipt) it names under its own client, its own
// client as the buyer, the owner firm and the settings. A zero-rate waybill's VAT section (0 at home, 1
// export, 2 exempt) is the one given, or else asked through the prompter. False when the blank is not
// the whole waybill (a document missing or refused, a position left out); it may then be previewed but
// not printed.
bool FillTaxWaybillForm(Page& page, const TDM& dm, const TaxWaybillRow& waybill, const OwnerRecord& owner,
                        const Settings& settings, Prompter* prompter,
                        std::optional<int> section = std::nullopt);

// The tax waybill page for a stored waybill, as the preview and print commands make it. nullopt with
// *error when there is no such waybill. Throws DbError.
std::optional<Page> PrepareTaxWaybillPage(const TDM& dm, int number, const OwnerRecord& owner,
                                          const Settings& settings, Prompter* prompter,
                                          std::optional<int> section, bool* complete, QString* error);
