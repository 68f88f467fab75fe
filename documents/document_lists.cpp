#include "documents/document_lists.h"

#include "db/data_module.h"
#include "db/list_queries.h"
#include "db/tables.h"
#include "documents/acts.h"

#include <QCoreApplication>

namespace {

// Quantities and prices of a position without a name and without a figure show as empty cells.
void markEmptyPositions(std::vector<ListColumn>& columns)
{
    for (ListColumn& c : columns)
        if (c.kind == ListColumn::Price || c.kind == ListColumn::Count)
            c.emptyWith = QLatin1String(kPositionColumns[c.name.right(1).toInt() - 1][0]);
}

// The last column of every document list: what the document's paper charges, so that a document can be
// found by its amount.
std::vector<ListColumn> withTotal(std::vector<ListColumn> columns, QString (*expression)(const SqlDialect&))
{
    columns.push_back(
        computedMoneyColumn(QStringLiteral("DOC_TOTAL"), QT_TRANSLATE_NOOP("Tables", "Сумма"), expression));
    return columns;
}

// Where the payments leave a document, in the interface's language.
QString paymentStateShown(const QVariant& state)
{
    static const char* const names[] = {
        QT_TRANSLATE_NOOP("DocumentLists", "не оплачен"), QT_TRANSLATE_NOOP("DocumentLists", "частично"),
        QT_TRANSLATE_NOOP("DocumentLists", "оплачен"), QT_TRANSLATE_NOOP("DocumentLists", "переплата")};
    const int s = state.toInt();
    return s >= 0 && s <= 3 ? QCoreApplication::translate("DocumentLists", names[s]) : QString();
}

// After what a document charges: what was paid of it, and so its state.
std::vector<ListColumn> withPayments(std::vector<ListColumn> columns, QString (*paid)(const SqlDialect&),
                                     QString (*state)(const SqlDialect&))
{
    columns.push_back(
        computedMoneyColumn(QStringLiteral("DOC_PAID"), QT_TRANSLATE_NOOP("Tables", "Оплачено"), paid));
    ListColumn c =
        computedMoneyColumn(QStringLiteral("DOC_STATE"), QT_TRANSLATE_NOOP("Tables", "Оплата"), state);
    c.kind = ListColumn::Text;
    c.width = 11;
    c.shown = paymentStateShown;
    columns.push_back(c);
    return columns;
}

std::vector<ListColumn> invoiceColumns()
{
    QStringList names = {"FACT_NUMBER", "FACT_DOPNO", "FACT_DATA"};
    for (const auto& p : kPositionColumns)
        names << p[0] << p[2] << p[1] << p[3];
    names << "FACT_NDS"
          << "FACT_NR"
          << "NAME_OWNER";
    auto columns = listColumns(Tables::factures(), names);
    columns.back().editable = false;
    // 0 is shown in no list, and below it an invoice would become a receipt.
    columns.front().minimum = 1;
    markEmptyPositions(columns);
    return withPayments(withTotal(columns, ListQueries::invoiceTotal), ListQueries::invoicePaid,
                        ListQueries::invoicePaymentState);
}

std::vector<ListColumn> receiptColumns()
{
    // The unit stands before the quantity in this list, and the receipt number is not shown.
    QStringList names = {"FACT_DATA"};
    for (const auto& p : kPositionColumns)
        names << p[0] << p[1] << p[2] << p[3];
    names << "NAME_OWNER"
          << "FACT_NDS";
    auto columns = listColumns(Tables::factures(), names);
    columns.front().title = QStringLiteral(QT_TRANSLATE_NOOP("Tables", "Дата "));
    columns[columns.size() - 2].editable = false;
    columns[columns.size() - 2].width = 26;
    markEmptyPositions(columns);
    return withTotal(columns, ListQueries::invoiceTotal);
}

// An act's list shows its period in words and its total with VAT; the editor is the way to change it.
std::vector<ListColumn> actColumns()
{
    auto columns = listColumns(
        Tables::acts(), {"ACT_NUMBER", "ACT_DATA", "ACT_MONTH", "ACT_YEAR", "ACT_INFO", "NAME_CLIENT"});
    ListColumn& period = columns[2];
    period.title = QStringLiteral(QT_TRANSLATE_NOOP("Tables", "Период"));
    period.kind = ListColumn::Text;
    period.width = 11;
    period.hidden = false;
    period.shown = ActPeriodShown;
    columns.insert(columns.begin() + 5,
                   computedMoneyColumn(QStringLiteral("DOC_TOTAL"), QT_TRANSLATE_NOOP("Tables", "Сумма"),
                                       ListQueries::actTotal));
    for (ListColumn& c : columns)
        c.editable = false;
    return withPayments(columns, ListQueries::actPaid, ListQueries::actPaymentState);
}

} // namespace

DocumentLists::DocumentLists(TDM& dm)
    : m_dm(dm)
    , m_invoices(std::make_unique<SqlListModel>(dm, Tables::factures(), invoiceColumns()))
    , m_receipts(std::make_unique<SqlListModel>(dm, Tables::factures(), receiptColumns()))
    , m_expense(std::make_unique<SqlListModel>(
          dm, Tables::nakladn1(),
          withTotal(listColumns(Tables::nakladn1(), {"NAKL_NUMBER", "NAKL_DATA", "INFO", "NAME_CLIENT",
                                                     "DOV_NUMBER", "DOV_SERIE", "DOV_DATA"}),
                    ListQueries::expenseWaybillTotal)))
    , m_tax(std::make_unique<SqlListModel>(
          dm, Tables::nakladn2(),
          withTotal(listColumns(Tables::nakladn2(),
                                {"NAKL_NUMBER", "NAKL_DATA", "INFO", "NAME_CLIENT", "OPLATA_TYPE"}),
                    ListQueries::taxWaybillTotal)))
    , m_acts(std::make_unique<SqlListModel>(dm, Tables::acts(), actColumns()))
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
    m_invoices->setQuery(
        ListQueries::filteredInvoices(m_dm.dialect(), ListQueries::clientInvoices(clientId), m_filter));
    m_receipts->setQuery(ListQueries::clientReceipts(clientId));
    m_expense->setQuery(ListQueries::clientExpenseWaybills(clientId));
    m_tax->setQuery(ListQueries::clientTaxWaybills(clientId));
    m_acts->setQuery(ListQueries::clientActs(clientId));
    m_firmName = firmName;
}

void DocumentLists::ShowAllDocuments()
{
    m_clientId = 0;
    m_showsAll = true;
    m_receipts->setQuery(ListQueries::allReceipts(m_dm.dialect()));
    m_invoices->setQuery(ListQueries::filteredInvoices(
        m_dm.dialect(), ListQueries::allInvoices(m_dm.dialect(), m_receipts->rowCount()), m_filter));
    m_expense->setQuery(ListQueries::allExpenseWaybills(m_dm.dialect()));
    m_tax->setQuery(ListQueries::allTaxWaybills(m_dm.dialect()));
    m_acts->setQuery(ListQueries::allActs(m_dm.dialect()));
}

void DocumentLists::reloadAll()
{
    for (SqlListModel* list : all())
        list->reload();
}

void DocumentLists::clear()
{
    m_clientId = 0;
    m_showsAll = false;
    m_selection.clear();
    m_firmName.clear();
    for (SqlListModel* m : all())
        m->clear();
}

void DocumentLists::setInvoiceFilter(const InvoiceFilter& filter)
{
    m_filter = filter;
    if (m_showsAll)
        m_invoices->setQuery(ListQueries::filteredInvoices(
            m_dm.dialect(), ListQueries::allInvoices(m_dm.dialect(), m_receipts->rowCount()), m_filter));
    else if (m_clientId > 0)
        m_invoices->setQuery(
            ListQueries::filteredInvoices(m_dm.dialect(), ListQueries::clientInvoices(m_clientId), m_filter));
}

void DocumentLists::filterByPeriod(const QDate& from, const QDate& to)
{
    InvoiceFilter filter = m_filter;
    filter.byDate = true;
    filter.from = from;
    filter.to = to;
    setInvoiceFilter(filter);
}

void DocumentLists::filterByNumbers(int from, int to)
{
    InvoiceFilter filter = m_filter;
    filter.byNumber = true;
    filter.numberFrom = from;
    filter.numberTo = to;
    setInvoiceFilter(filter);
}

void DocumentLists::filterUnpaid(bool unpaid)
{
    InvoiceFilter filter = m_filter;
    filter.unpaid = unpaid;
    setInvoiceFilter(filter);
}

void DocumentLists::clearInvoiceFilters()
{
    InvoiceFilter filter = m_filter;
    filter.byDate = filter.byNumber = filter.unpaid = false;
    setInvoiceFilter(filter);
}

void DocumentLists::setPrecision(const Precision& precision)
{
    for (SqlListModel* m : all())
        m->setPrecision(precision);
}

void DocumentLists::addToWaybillSelection(int invoiceNumber)
{
    if (invoiceNumber > 0)
        m_selection += QString::number(invoiceNumber) + u'/';
}

QString DocumentLists::caption(int list) const
{
    // Made when asked, so that a change of the interface's language shows at once.
    static const char* const client[5] = {QT_TRANSLATE_NOOP("DocumentLists", "Счета-фактуры клиента "),
                                          QT_TRANSLATE_NOOP("DocumentLists", "Поступления клиента "),
                                          QT_TRANSLATE_NOOP("DocumentLists", "Расходные накладные клиента "),
                                          QT_TRANSLATE_NOOP("DocumentLists", "Налоговые накладные клиента "),
                                          QT_TRANSLATE_NOOP("DocumentLists", "Акты клиента ")};
    static const char* const allClients[5] = {
        QT_TRANSLATE_NOOP("DocumentLists", "Список всех счетов-фактур"),
        QT_TRANSLATE_NOOP("DocumentLists", "Список всех поступлений без с/ф"),
        QT_TRANSLATE_NOOP("DocumentLists", "Список всех расходных накладных"),
        QT_TRANSLATE_NOOP("DocumentLists", "Список всех налоговых накладных"),
        QT_TRANSLATE_NOOP("DocumentLists", "Список всех актов")};
    static const char* const none[5] = {QT_TRANSLATE_NOOP("DocumentLists", "Счета-фактуры клиента "),
                                        QT_TRANSLATE_NOOP("DocumentLists", "Проплаты "),
                                        QT_TRANSLATE_NOOP("DocumentLists", "Расходные накладные "),
                                        QT_TRANSLATE_NOOP("DocumentLists", "Налоговые накладные "),
                                        QT_TRANSLATE_NOOP("DocumentLists", "Акты выполненных работ ")};
    // A filtered invoice list says so, and by what, for as long as the filter holds.
    const QString filtered = list == 0 ? InvoiceFilterNote(m_filter) : QString();
    if (m_showsAll)
        return QCoreApplication::translate("DocumentLists", allClients[list]) + filtered;
    if (m_clientId > 0)
        return QCoreApplication::translate("DocumentLists", client[list]) + m_firmName + filtered;
    return QCoreApplication::translate("DocumentLists", none[list]) + filtered;
}

QString InvoiceFilterNote(const InvoiceFilter& filter)
{
    QStringList parts;
    if (filter.unpaid)
        parts << QCoreApplication::translate("DocumentLists", "только неоплаченные");
    if (filter.byDate)
        parts << QCoreApplication::translate("DocumentLists", "с %1 по %2")
                     .arg(filter.from.toString(QStringLiteral("dd.MM.yyyy")),
                          filter.to.toString(QStringLiteral("dd.MM.yyyy")));
    if (filter.byNumber)
        parts << QCoreApplication::translate("DocumentLists", "№ с %1 по %2")
                     .arg(filter.numberFrom)
                     .arg(filter.numberTo);
    return parts.isEmpty() ? QString() : QStringLiteral(" (") + parts.join(QStringLiteral(", ")) + u')';
}
