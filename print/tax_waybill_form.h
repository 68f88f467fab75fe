#pragma once

#include "base/settings.h"
#include "db/rows.h"
#include "print/blank_parts.h"
#include "report/page.h"

#include <optional>

class Prompter;
class TDM;

// The tax waybill blank, in millimetres, with every fixed text, frame, rule, heading and run-time label.
Page CreateTaxWaybillBlank();

enum class WaybillFill {
    Complete,   // the whole waybill
    Incomplete, // a document missing or refused, a position left out: it may be previewed, not printed
    Cancelled,  // the VAT section of a zero rate was not chosen: nothing is shown or printed
};

// Fills the blank from the waybill, the invoices (or the receipt) it names under its own client, its own
// client as the buyer (nullptr when it is gone), the owner firm and the settings. A zero-rate waybill's VAT
// section (0 at home, 1 export, 2 exempt) is the one given, or else asked through the prompter.
WaybillFill FillTaxWaybillForm(Page& page, const TaxWaybillRow& waybill, const WaybillDocuments& documents,
                               const ClientRow* buyer, const OwnerRecord& owner, const Settings& settings,
                               Prompter* prompter, std::optional<int> section = std::nullopt);

// The tax waybill page for a stored waybill, as the preview and print commands make it. nullopt with
// *error when there is no such waybill, and with an empty *error when the VAT section was not chosen.
// Throws DbError.
std::optional<Page> PrepareTaxWaybillPage(const TDM& dm, int number, const OwnerRecord& owner,
                                          const Settings& settings, Prompter* prompter,
                                          std::optional<int> section, bool* complete, QString* error);
