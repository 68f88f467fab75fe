#pragma once

#include "db/list_model.h"

#include <QString>

#include <array>
#include <memory>

class TDM;

// The document lists under the client list: invoices, receipts, expense and tax waybills and acts, either of
// one client or of all clients, each standing on its last row once loaded.
// How the invoice list's caption says its filter: " (с 01.03.2025 по 31.03.2025, № с 5 по 12)"; empty when
// there is none.
QString InvoiceFilterNote(const InvoiceFilter& filter);

class DocumentLists {
public:
    explicit DocumentLists(TDM& dm);

    SqlListModel& invoices() { return *m_invoices; }
    SqlListModel& receipts() { return *m_receipts; }
    SqlListModel& expenseWaybills() { return *m_expense; }
    SqlListModel& taxWaybills() { return *m_tax; }
    SqlListModel& acts() { return *m_acts; }
    const SqlListModel& invoices() const { return *m_invoices; }
    const SqlListModel& receipts() const { return *m_receipts; }
    const SqlListModel& expenseWaybills() const { return *m_expense; }
    const SqlListModel& taxWaybills() const { return *m_tax; }
    const SqlListModel& acts() const { return *m_acts; }

    // One client's documents; the waybill selection is emptied.
    void RefreshClientDocuments(int clientId, const QString& firmName);
    // Every client's documents; the waybill selection stays.
    void ShowAllDocuments();
    // No client's documents: empty lists under the design captions, nothing picked for a waybill.
    void clear();
    // The same lists read again, for documents another workplace has stored; the selection stays.
    void reloadAll();
    bool showsAllDocuments() const { return m_showsAll; }
    void setPrecision(const Precision& precision);
    // The invoice list's filters, kept through every reload until they are changed.
    const InvoiceFilter& invoiceFilter() const { return m_filter; }
    void setInvoiceFilter(const InvoiceFilter& filter);
    // The filter commands: the invoices of a period, of a range of numbers, or all again. A filter
    // switched on keeps the other one as it was; switched off, both keep their bounds to be offered again.
    void filterByPeriod(const QDate& from, const QDate& to);
    void filterByNumbers(int from, int to);
    // Only the invoices not paid in full, or every one again.
    void filterUnpaid(bool unpaid);
    void clearInvoiceFilters();

    int currentClientId() const { return m_clientId; }
    QString invoiceCaption() const { return caption(0); }
    QString receiptCaption() const { return caption(1); }
    QString expenseCaption() const { return caption(2); }
    QString taxCaption() const { return caption(3); }
    QString actCaption() const { return caption(4); }

    // Invoice numbers picked for a new waybill, each followed by "/".
    const QString& waybillSelection() const { return m_selection; }
    void addToWaybillSelection(int invoiceNumber);
    void clearWaybillSelection() { m_selection.clear(); }

private:
    QString caption(int list) const;
    // Every list, for what is done to all of them.
    std::array<SqlListModel*, 5> all() const
    {
        return {m_invoices.get(), m_receipts.get(), m_expense.get(), m_tax.get(), m_acts.get()};
    }

    TDM& m_dm;
    std::unique_ptr<SqlListModel> m_invoices, m_receipts, m_expense, m_tax, m_acts;
    int m_clientId = 0;
    InvoiceFilter m_filter;
    bool m_showsAll = false;
    QString m_firmName;
    QString m_selection;
};
