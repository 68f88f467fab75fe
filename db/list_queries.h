#pragma once

#include <QDate>
#include <QString>
#include <QVariantList>

#include <optional>

class SqlDialect;

// What one list shows: the rows a WHERE clause selects (values bound to its "?" in order), in an order
// that tells every row apart. countSql, when set, counts the same rows faster than counting them one by one.
struct ListQuery {
    QString where;
    QVariantList values;
    QString orderBy;
    QString countSql;
};

// The date and number filters of the invoice list. The bounds stay when a filter is switched off, to be
// offered again.
struct InvoiceFilter {
    bool unpaid = false; // only the invoices not paid in full
    bool byDate = false;
    QDate from, to;
    bool byNumber = false;
    int numberFrom = 0, numberTo = 0;
    bool active() const { return byDate || byNumber || unpaid; }
};

namespace ListQueries {

// One client's documents.
ListQuery clientInvoices(int clientId);
ListQuery clientReceipts(int clientId);
ListQuery clientExpenseWaybills(int clientId);
ListQuery clientTaxWaybills(int clientId);
ListQuery clientActs(int clientId);

// Every client's documents.
// receipts: how many receipts the book holds, as the receipts list has just counted them; the invoices
// are counted as every row less those, so a large book is counted through once (a server book reads the
// counts it keeps instead).
ListQuery allInvoices(const SqlDialect& d, int receipts);
ListQuery allReceipts(const SqlDialect& d);
ListQuery allExpenseWaybills(const SqlDialect& d);
ListQuery allTaxWaybills(const SqlDialect& d);
ListQuery allActs(const SqlDialect& d);

// The invoice list narrowed by the filters that are on; dates compared as dates, bound as values; the
// unpaid ones are those whose payments do not reach their total.
ListQuery filteredInvoices(const SqlDialect& d, ListQuery invoices, const InvoiceFilter& filter);

// The client register: every client but the owner row, in the order of a named CLIENTS index (the
// register's default order for an unknown name). A name or city value ending in "*" matches every text
// that begins with what stands before the star; letter case never matters; values are bound as data.
ListQuery clients(const SqlDialect& d, const std::optional<QString>& name, const std::optional<QString>& city,
                  const QString& indexName);
// The goods list in the order of a named PRODUCTS index (PR_NAME, PR_PRICE); the primary order (as
// entered) for any other name.
ListQuery goods(const SqlDialect& d, const QString& indexName);
// What a document's paper charges, VAT and advertising tax included, as the blank works it out: an
// expression over the list's own row (of FACTURES, NAKLADN1 or NAKLADN2), in the engine's dialect. A
// waybill's documents are looked up under its own client; a waybill without its first document has none.
QString invoiceTotal(const SqlDialect& d);
QString expenseWaybillTotal(const SqlDialect& d);
QString taxWaybillTotal(const SqlDialect& d);
// An act's sum without VAT with its VAT (an ACTS row).
QString actTotal(const SqlDialect& d);
// What the payments tied to an invoice (a FACTURES row) or an act (an ACTS row) add up to.
QString invoicePaid(const SqlDialect& d);
QString actPaid(const SqlDialect& d);
// Where the payments leave the document: 0 not paid, 1 paid in part, 2 paid, 3 paid over.
QString invoicePaymentState(const SqlDialect& d);
QString actPaymentState(const SqlDialect& d);

// ORDER BY of a CLIENTS index; the register's default order for an unknown name.
QString orderOfIndex(const SqlDialect& d, const QString& indexName);

} // namespace ListQueries
