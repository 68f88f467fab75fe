#pragma once

#include <QDate>
#include <QString>

class TDM;

// The document registers: fixed-width text tables of one kind of document for a period.
enum class RegisterKind { Invoices, Receipts, ExpenseWaybills, TaxWaybills, Acts, Payments };

// Which documents: one client's (clientId > 0) or every client's, dated from .. to.
struct RegisterScope {
    int clientId = 0;
    QDate from, to;
};

// The register's text, a line per CR LF, in Unicode; written in Windows-1251 by WriteRegister.
QString RegisterText(const TDM& dm, RegisterKind kind, const RegisterScope& scope);

// Writes the register whole or not at all, replacing a file of that name; *lines, the lines written. False
// with *error. Throws DbError.
bool WriteRegister(const TDM& dm, RegisterKind kind, const RegisterScope& scope, const QString& fileName,
                   QString* error = nullptr, int* lines = nullptr);

// The same register as an XLSX spreadsheet: a title row (the register, the period, the client), a frozen
// header row in the interface's language with an autofilter, a row a document with its position lines
// folded under it, sums, dates and numbers as such, texts whole, and a totals row of SUBTOTAL formulas that
// keep the text register's totals. Written whole or not at all; *rows, the rows written. False with
// *error. Throws DbError.
bool WriteRegisterSheet(const TDM& dm, RegisterKind kind, const RegisterScope& scope, const QString& fileName,
                        QString* error = nullptr, int* rows = nullptr);

// FACTURE1.TXT, FACTURE2.TXT, NAKLADN1.TXT, NAKLADN2.TXT, ACTS.TXT, PLATEG.TXT.
QString RegisterFileName(RegisterKind kind);
