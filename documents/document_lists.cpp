#include "documents/document_lists.h"

#include "db/data_module.h"
#include "db/list_queries.h"
#include "db/tables.h"

#include <QCoreApplication>

namespace {

QString tr(const char* text)
{
    return QCoreApplication::translate("DocumentLists", text);
}

// Quantities and prices of a position without a name and without a figure show as empty cells.
void markEmptyPositions(std::vector<ListColumn>& columns)
{
    for (ListColumn& c : columns)
        if (c.kind == ListColumn::Price || c.kind == ListColumn::Count)
            c.emptyWith = QStringLiteral("NAME_POS") + c.name.right(1);
}

std::vector<ListColumn> invoiceColumns()
{
    QStringList names = {"FACT_NUMBER", "FACT_DOPNO", "FACT_DATA"};
    for (int i = 1; i <= 4; ++i)
        names << QStringLiteral("NAME_POS%1").arg(i) << QStringLiteral("COUNT_POS%1").arg(i)
              << QStringLiteral("MEASURE_POS%1").arg(i) << QStringLiteral("PRICE_POS%1").arg(i);
    names << "FACT_NDS"
          << "FACT_NR"
          << "NAME_OWNER";
    auto columns = listColumns(Tables::factures(), names);
    columns.back().editable = false;
    // 0 is shown in no list, and below it an invoice would become a receipt.
    columns.front().minimum = 1;
    markEmptyPositions(columns);
    return columns;
}

std::vector<ListColumn> receiptColumns()
{
    // The unit stands before the quantity in this list, and the receipt number is not shown.
    QStringList names = {"FACT_DATA"};
    for (int i = 1; i <= 4; ++i)
        names << QStringLiteral("NAME_POS%1").arg(i) << QStringLiteral("MEASURE_POS%1").arg(i)
              << QStringLiteral("COUNT_POS%1").arg(i) << QStringLiteral("PRICE_POS%1").arg(i);
    names << "NAME_OWNER"
          << "FACT_NDS";
    auto columns = listColumns(Tables::factures(), names);
    columns.front().title = QStringLiteral("Дата ");
    columns[columns.size() - 2].editable = false;
    columns[columns.size() - 2].width = 26;
    markEmptyPositions(columns);
    return columns;
}

} // namespace

DocumentLists::DocumentLists(TDM& dm)
    : m_dm(dm)
    , m_invoices(std::make_unique<SqlListModel>(dm, Tables::factures(), invoiceColumns()))
    , m_receipts(std::make_unique<SqlListModel>(dm, Tables::factures(), receiptColumns()))
    , m_expense(std::make_unique<SqlListModel>(
          dm, Tables::nakladn1(),
          listColumns(Tables::nakladn1(), {"NAKL_NUMBER", "NAKL_DATA", "INFO", "NAME_CLIENT", "DOV_NUMBER",
                                           "DOV_SERIE", "DOV_DATA"})))
    , m_tax(
          std::make_unique<SqlListModel>(dm, Tables::nakladn2(),
                                         listColumns(Tables::nakladn2(), {"NAKL_NUMBER", "NAKL_DATA", "INFO",
                                                                          "NAME_CLIENT", "OPLATA_TYPE"})))
{
    clear();
}

void DocumentLists::RefreshClientDocuments(int clientId, const QString& firmName)
{
    if (clientId <= 0) {
        clear();
        return;
    }
    m_showsAll = false;
    m_selection.clear();
    m_clientId = clientId;
    m_invoices->setQuery(ListQueries::filteredInvoices(ListQueries::clientInvoices(clientId), m_filter));
    m_receipts->setQuery(ListQueries::clientReceipts(clientId));
    m_expense->setQuery(ListQueries::clientExpenseWaybills(clientId));
    m_tax->setQuery(ListQueries::clientTaxWaybills(clientId));
    m_captions[0] = tr("Счета-фактуры клиента ") + firmName;
    m_captions[1] = tr("Поступления клиента ") + firmName;
    m_captions[2] = tr("Расходные накладные клиента ") + firmName;
    m_captions[3] = tr("Налоговые накладные клиента ") + firmName;
}

void DocumentLists::ShowAllDocuments()
{
    m_clientId = 0;
    m_showsAll = true;
    m_captions[0] = tr("Список всех счетов-фактур");
    m_captions[1] = tr("Список всех поступлений без с/ф");
    m_captions[2] = tr("Список всех расходных накладных");
    m_captions[3] = tr("Список всех налоговых накладных");
    m_receipts->setQuery(ListQueries::allReceipts());
    m_invoices->setQuery(
        ListQueries::filteredInvoices(ListQueries::allInvoices(m_receipts->rowCount()), m_filter));
    m_expense->setQuery(ListQueries::allExpenseWaybills());
    m_tax->setQuery(ListQueries::allTaxWaybills());
}

void DocumentLists::clear()
{
    m_clientId = 0;
    m_showsAll = false;
    m_selection.clear();
    m_captions[0] = tr("Счета-фактуры клиента ");
    m_captions[1] = tr("Проплаты ");
    m_captions[2] = tr("Расходные накладные ");
    m_captions[3] = tr("Налоговые накладные ");
    for (SqlListModel* m : {m_invoices.get(), m_receipts.get(), m_expense.get(), m_tax.get()})
        m->clear();
}

void DocumentLists::setInvoiceFilter(const InvoiceFilter& filter)
{
    m_filter = filter;
    if (m_showsAll)
        m_invoices->setQuery(
            ListQueries::filteredInvoices(ListQueries::allInvoices(m_receipts->rowCount()), m_filter));
    else if (m_clientId > 0)
        m_invoices->setQuery(
            ListQueries::filteredInvoices(ListQueries::clientInvoices(m_clientId), m_filter));
}

void DocumentLists::setPrecision(const Precision& precision)
{
    for (SqlListModel* m : {m_invoices.get(), m_receipts.get(), m_expense.get(), m_tax.get()})
        m->setPrecision(precision);
}

void DocumentLists::addToWaybillSelection(int invoiceNumber)
{
    if (invoiceNumber > 0)
        m_selection += QString::number(invoiceNumber) + u'/';
}
