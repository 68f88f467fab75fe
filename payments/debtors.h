#pragma once

#include "db/stores.h"

#include <QDate>
#include <QString>

#include <vector>

// The clients that owe on a date: what their invoices and acts dated up to it charge beyond what they
// paid up to it, the largest debt first.
std::vector<ClientBalance> Debtors(const TDM& dm, const QDate& date);

// The debtors as a fixed-width Windows-1251 text like the registers: a line a debtor with its charge,
// payments, debt and oldest unpaid document, and a totals line; or, as a spreadsheet, the same in columns
// of their own with SUBTOTAL totals. Written whole or not at all; *lines, the lines (rows) written. False
// with *error. Throws DbError.
bool WriteDebtors(const TDM& dm, const QDate& date, const QString& fileName, QString* error = nullptr,
                  int* lines = nullptr, bool spreadsheet = false);
QString DebtorsText(const std::vector<ClientBalance>& debtors, const QDate& date);
// DOLGI.TXT
QString DebtorsFileName();
