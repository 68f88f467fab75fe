#include "documents/documents_controller.h"

#include "base/prompter.h"
#include "db/data_module.h"
#include "print/invoice_form.h"

#include <QCoreApplication>

DocumentsController::DocumentsController(TDM& dm, Prompter& prompter)
    : m_dm(dm)
    , m_prompter(prompter)
    , m_lists(dm)
{
}

DocumentCommandStates DocumentsController::commandStates() const
{
    return documentCommandStates(m_lists.currentClientId() > 0, m_lists.invoices().rowCount() > 0,
                                 m_lists.expenseWaybills().rowCount() > 0,
                                 m_lists.taxWaybills().rowCount() > 0);
}

std::optional<DocumentsController::WaybillRows> DocumentsController::waybillsOfDocument(int number) const
{
    if (number == 0)
        return std::nullopt;
    const auto rowIn = [number](const SqlListModel& waybills) {
        const int row = waybills.findFirst(QStringLiteral("FACT1_NUMBER"), number);
        return row >= 0 ? row : waybills.findFirst(QStringLiteral("FACT2_NUMBER"), number);
    };
    return WaybillRows{rowIn(m_lists.expenseWaybills()), rowIn(m_lists.taxWaybills())};
}

DocumentsController::DocumentRows DocumentsController::documentOfWaybill(const SqlListModel& waybills,
                                                                         int waybillRow) const
{
    const qint64 first = waybills.value(waybillRow, QStringLiteral("FACT1_NUMBER")).toLongLong();
    // Invoice and receipt numbers are the lists' row keys; only one of the two can hold it.
    return {m_lists.invoices().rowOfKey(first), m_lists.receipts().rowOfKey(first)};
}

void DocumentsController::pickForWaybill(int invoiceRow)
{
    m_lists.addToWaybillSelection(int(m_lists.invoices().keyAt(invoiceRow)));
}

std::optional<Page> DocumentsController::invoicePage(int invoiceRow, bool forPreview,
                                                     const OwnerRecord& owner, const Settings& settings,
                                                     const QString& programFolder) const
{
    const int number = int(m_lists.invoices().keyAt(invoiceRow));
    if (forPreview && number <= 0) {
        m_prompter.inform(QCoreApplication::translate("DocumentsController",
                                                      "Счет фактура на это поступление не выписывалась."));
        return std::nullopt;
    }
    try {
        QString error;
        std::optional<Page> page =
            PrepareInvoicePage(m_dm, number, owner, settings, programFolder, &m_prompter, &error);
        if (!page)
            m_prompter.error(error);
        return page;
    } catch (const DbError& e) {
        m_prompter.error(e.message(), e.detail());
        return std::nullopt;
    }
}
