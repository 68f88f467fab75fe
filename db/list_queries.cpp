#include "db/list_queries.h"

#include "db/tables.h"

namespace {

// Receipts of one day keep the order they were written in (-1 before -2).
const QString kReceiptOrder = QStringLiteral("FACT_DATA, FACT_NUMBER DESC");
// Counted through the narrow receipts index.
const QString kReceiptCount =
    QStringLiteral("SELECT count(*) FROM FACTURES INDEXED BY FACT_RECEIPTS WHERE FACT_NUMBER<0");

// A bound that sorts after every text the register compares.
const QString kAfterEverything = QString::fromUcs4(U"\U0010FFFF");

void addCondition(const QString& column, const QString& value, QStringList* parts, QVariantList* values)
{
    const QString collate = QStringLiteral(" COLLATE ") + QLatin1String(kTextCollation);
    // The values are collated too: on a PostgreSQL book both sides become order keys.
    if (value.endsWith(u'*')) {
        // A range of the collation rather than LIKE, so the column's index serves it.
        const QString prefix = value.left(value.size() - 1);
        *parts << QStringLiteral("%1%2 >= ?%2 AND %1%2 < ?%2").arg(column, collate);
        *values << prefix << prefix + kAfterEverything;
    } else {
        *parts << QStringLiteral("%1%2 = ?%2").arg(column, collate);
        *values << value;
    }
}

} // namespace

namespace ListQueries {

ListQuery clientInvoices(int clientId)
{
    return {QStringLiteral("FACT_NUMBER>0 AND ID_NUMBER=?"), {clientId}, QStringLiteral("FACT_NUMBER"), {}};
}

ListQuery clientReceipts(int clientId)
{
    return {QStringLiteral("FACT_NUMBER<0 AND ID_NUMBER=?"), {clientId}, kReceiptOrder, {}};
}

ListQuery clientExpenseWaybills(int clientId)
{
    return {QStringLiteral("ID_NUMBER=?"), {clientId}, QStringLiteral("NAKL_NUMBER"), {}};
}

ListQuery clientTaxWaybills(int clientId)
{
    return {QStringLiteral("ID_NUMBER=?"), {clientId}, QStringLiteral("NAKL_NUMBER"), {}};
}

ListQuery allInvoices(int receipts)
{
    return {QStringLiteral("FACT_NUMBER>0"),
            {},
            QStringLiteral("FACT_NUMBER"),
            QStringLiteral("SELECT (SELECT count(*) FROM FACTURES) - %1 - "
                           "(SELECT count(*) FROM FACTURES WHERE FACT_NUMBER=0)")
                .arg(receipts)};
}

ListQuery filteredInvoices(ListQuery invoices, const InvoiceFilter& filter)
{
    if (filter.byDate) {
        invoices.where += QStringLiteral(" AND FACT_DATA>=? AND FACT_DATA<=?");
        invoices.values << dateToDb(filter.from) << dateToDb(filter.to);
    }
    if (filter.byNumber) {
        invoices.where += QStringLiteral(" AND FACT_NUMBER>=? AND FACT_NUMBER<=?");
        invoices.values << filter.numberFrom << filter.numberTo;
    }
    if (filter.active())
        invoices.countSql.clear(); // the quick count of the whole book no longer applies
    return invoices;
}

ListQuery allReceipts()
{
    return {QStringLiteral("FACT_NUMBER<0"), {}, kReceiptOrder, kReceiptCount};
}

ListQuery allExpenseWaybills()
{
    return {{}, {}, QStringLiteral("NAKL_NUMBER"), {}};
}

ListQuery allTaxWaybills()
{
    return {{}, {}, QStringLiteral("NAKL_NUMBER"), {}};
}

QString orderOfIndex(const QString& indexName)
{
    for (const IndexDef& i : Tables::clients().indexes)
        if (indexName.compare(QLatin1String(i.name), Qt::CaseInsensitive) == 0)
            return QLatin1String(i.columns) + QStringLiteral(", ID_NUMBER");
    return orderOfIndex(QStringLiteral("FIRMA"));
}

ListQuery goods(const QString& indexName)
{
    QString order = QStringLiteral("REC_NUMBER");
    for (const IndexDef& i : Tables::products().indexes)
        if (indexName.compare(QLatin1String(i.name), Qt::CaseInsensitive) == 0)
            order = QLatin1String(i.columns) + QStringLiteral(", REC_NUMBER");
    return {{}, {}, order, {}};
}

ListQuery clients(const std::optional<QString>& name, const std::optional<QString>& city,
                  const QString& indexName)
{
    ListQuery q;
    QStringList parts{QStringLiteral("ID_NUMBER>1")};
    if (name)
        addCondition(QStringLiteral("FIRMNAME"), *name, &parts, &q.values);
    if (city)
        addCondition(QStringLiteral("CITY"), *city, &parts, &q.values);
    q.where = parts.join(QStringLiteral(" AND "));
    q.orderBy = orderOfIndex(indexName);
    return q;
}

} // namespace ListQueries
