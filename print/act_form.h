#pragma once

#include "base/settings.h"
#include "db/rows.h"
#include "report/page.h"

#include <optional>

class Prompter;
class TDM;

// The act of work done, A4 portrait, in Ukrainian: the executor (the owner) and the customer (the client)
// with their details, the contract, one row of work with its period and figures, the total in words, the
// sentence that the work was accepted, both signatures and the payment code under the invoice's rules.
Page FillActBlank(const ActDraft& act, const ClientRow& client, const OwnerRecord& owner,
                  const Settings& settings, Prompter* prompter);

// The blank of a stored act, as the preview and print commands make it. nullopt with *error when there is
// no such act, its client is gone, its period is no month or quarter or its total is beyond the blank.
// Throws DbError.
std::optional<Page> PrepareActPage(const TDM& dm, int number, const OwnerRecord& owner,
                                   const Settings& settings, Prompter* prompter, QString* error);
