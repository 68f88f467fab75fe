#pragma once

#include "base/settings.h"
#include "db/rows.h"
#include "print/blank_parts.h"
#include "report/page.h"

#include <optional>

class Prompter;
class TDM;

// The expense waybill blank with every label, shape and the picture box at its design place.
Page CreateExpenseWaybillBlank();

// Fills the blank from the waybill, the invoices (or the receipt) it names, the owner firm and the
// settings. A document counts only when it is there under the waybill's own client. Every problem is
// told through the prompter; false when the blank is not the whole waybill (a document missing or left
// out, rows that did not fit, documents under different VAT or advertising-tax rates), and may then be
// previewed but not printed.
bool FillWaybillForm(Page& page, const ExpenseWaybillRow& waybill, const WaybillDocuments& documents,
                     const OwnerRecord& owner, const Settings& settings, Prompter* prompter);

// The expense waybill page for a stored waybill, as the preview and print commands make it; *complete
// tells whether it may be printed. nullopt with *error when there is no such waybill or the logo cannot be
// read. Throws DbError.
std::optional<Page> PrepareExpenseWaybillPage(const TDM& dm, int number, const OwnerRecord& owner,
                                              const Settings& settings, const QString& programFolder,
                                              Prompter* prompter, bool* complete, QString* error);
