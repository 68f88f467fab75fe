#pragma once

#include "base/money.h"
#include "base/settings.h"
#include "db/rows.h"
#include "report/page.h"

#include <optional>

class Prompter;
class TDM;

// The invoice blank with every label, shape and the picture box at its design place, in creation order.
Page CreateInvoiceBlank();

// Fills the blank from the invoice, its client (nullptr when the client row is missing), the owner firm
// and the settings. A missing client leaves the payer details and the contract line blank, with a warning.
void FillInvoiceForm(Page& page, const InvoiceRow& invoice, const ClientRow* client, const OwnerRecord& owner,
                     const Settings& settings, Prompter* prompter);

// Puts the firm's logo on a blank (kind 1 the invoice, 2 the expense waybill) and moves every label and
// shape down to make room. A file that cannot be read is reported and leaves the blank as it was.
bool PlaceLogo(Page& page, int kind, const Settings& settings, const QString& programFolder, QString* error);

// "   1234,50": two decimals, a decimal comma, at least ten characters.
QString MoneyText(double amount);
QString MoneyText(Money amount);

// The invoice page for a stored invoice, as the preview and print commands make it: filled, with the logo
// when the setting asks for it. Messages go to the prompter; nullopt with *error when there is no such
// invoice, its client is gone or the logo cannot be read. Throws DbError.
std::optional<Page> PrepareInvoicePage(const TDM& dm, int number, const OwnerRecord& owner,
                                       const Settings& settings, const QString& programFolder,
                                       Prompter* prompter, QString* error);
