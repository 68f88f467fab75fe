#include "db/list_queries.h"

#include "db/sql_dialect.h"
#include "db/tables.h"

namespace {

// Receipts of one day keep the order they were written in (-1 before -2).
const QString kReceiptOrder = QStringLiteral("FACT_DATA, FACT_NUMBER DESC");

// A bound that sorts after every text the register compares.
const QString kAfterEverything = QString::fromUcs4(U"\U0010FFFF");

void addCondition(const SqlDialect& d, const QString& column, const QString& value, QStringList* parts,
                  QVariantList* values)
{
    // The values are collated too: on a PostgreSQL book both sides become order keys.
    const QString key = d.collated(column);
    const QString bound = d.collated(QStringLiteral("?"));
    if (value.endsWith(u'*')) {
        // A range of the collation rather than LIKE, so the column's index serves it.
        const QString prefix = value.left(value.size() - 1);
        *parts << QStringLiteral("%1 >= %2 AND %1 < %2").arg(key, bound);
        *values << prefix << prefix + kAfterEverything;
    } else {
        *parts << QStringLiteral("%1 = %2").arg(key, bound);
        *values << value;
    }
}

// The documents' money in whole kopecks, reckoned as the papers reckon it (print/invoice_sums), step for
// step through the dialect's Money functions.
struct Arithmetic {
    const SqlDialect& d;
    QString number(const QString& column) const { return QStringLiteral("coalesce(%1,0)").arg(column); }

    // The positions of a FACTURES row added up. A position without a unit is a lump sum at its price.
    QString positions(const QString& row) const
    {
        QString sum = QStringLiteral("0");
        const auto column = [&row](const char* name) { return row + u'.' + QLatin1String(name); };
        for (const auto& p : kPositionColumns)
            sum = QStringLiteral("(%1+CASE WHEN %2 THEN %3 ELSE %4 END)")
                      .arg(sum, d.isBlank(column(p[1])), d.money(number(column(p[3]))),
                           d.moneyProduct(number(column(p[2])), number(column(p[3]))));
        return sum;
    }
    // The amount of subtotal + its VAT + its advertising tax (when there is one).
    QString withTaxes(const QString& subtotal, const QString& vatRate, const QString& taxRate) const
    {
        return QStringLiteral("(SELECT %1 FROM (SELECT %2 AS s_) sums_)")
            .arg(d.moneyAmount(QStringLiteral("s_+%1+CASE WHEN %2>0.009 THEN %3 ELSE 0 END")
                                   .arg(d.moneyPercent(QStringLiteral("s_"), vatRate), taxRate,
                                        d.moneyPercent(QStringLiteral("s_"), taxRate))),
                 subtotal);
    }
};

// The ORDER BY of a table's index, the row's own key last so that every row has its place.
std::optional<QString> indexOrder(const SqlDialect& d, const TableDef& table, const QString& indexName,
                                  const char* tieBreaker)
{
    for (const IndexDef& i : table.indexes)
        if (indexName.compare(QLatin1String(i.name), Qt::CaseInsensitive) == 0) {
            QStringList terms;
            for (const IndexTerm& t : indexTerms(i))
                terms << (t.collated ? d.collated(t.expression) : t.expression) +
                             (t.descending ? QStringLiteral(" DESC") : QString());
            return terms.join(QStringLiteral(", ")) + QStringLiteral(", ") + QLatin1String(tieBreaker);
        }
    return std::nullopt;
}

// A waybill's document: its number in the waybill's column, under the waybill's client when it has one.
QString waybillDocument(const QString& waybill, const QString& column, const QString& what)
{
    return QStringLiteral(
               "(SELECT %3 FROM FACTURES d_ WHERE d_.FACT_NUMBER=%1.%2 AND (coalesce(%1.ID_NUMBER,0)"
               "<=0 OR d_.ID_NUMBER=%1.ID_NUMBER))")
        .arg(waybill, column, what);
}

// The documents' positions added up, document after document: the first one's, and for an invoice the
// second and third (numbers above zero) as well; a document not found adds nothing.
QString waybillPositions(const Arithmetic& a, const QString& waybill)
{
    const QString own = a.positions(QStringLiteral("d_"));
    QString sum = waybillDocument(waybill, QStringLiteral("FACT1_NUMBER"), own);
    for (const char* column : {"FACT2_NUMBER", "FACT3_NUMBER"})
        sum = QStringLiteral("(%1+CASE WHEN %2.FACT1_NUMBER>0 AND %2.%3>0 THEN coalesce(%4,0) ELSE 0 END)")
                  .arg(sum, waybill, QLatin1String(column),
                       waybillDocument(waybill, QLatin1String(column), own));
    return sum;
}

// The CLIENTS index of that name, or the register's default for an unknown one.
QString clientIndex(const QString& indexName)
{
    for (const IndexDef& i : Tables::clients().indexes)
        if (indexName.compare(QLatin1String(i.name), Qt::CaseInsensitive) == 0)
            return QLatin1String(i.name);
    return QStringLiteral("FIRMA");
}

} // namespace

namespace ListQueries {

QString invoiceTotal(const SqlDialect& d)
{
    const Arithmetic a{d};
    return a.withTaxes(a.positions(QStringLiteral("FACTURES")), a.number(QStringLiteral("FACT_NDS")),
                       a.number(QStringLiteral("FACT_NR")));
}

QString expenseWaybillTotal(const SqlDialect& d)
{
    // One VAT rate and one advertising tax for the whole waybill, the first document's; a receipt's
    // waybill carries no advertising tax.
    const Arithmetic a{d};
    const QString w = QStringLiteral("NAKLADN1");
    return a.withTaxes(
        waybillPositions(a, w),
        waybillDocument(w, QStringLiteral("FACT1_NUMBER"), a.number(QStringLiteral("d_.FACT_NDS"))),
        QStringLiteral("CASE WHEN %1.FACT1_NUMBER>0 THEN %2 ELSE 0 END")
            .arg(w,
                 waybillDocument(w, QStringLiteral("FACT1_NUMBER"), a.number(QStringLiteral("d_.FACT_NR")))));
}

QString taxWaybillTotal(const SqlDialect& d)
{
    // The first document's VAT; no advertising tax.
    const Arithmetic a{d};
    const QString w = QStringLiteral("NAKLADN2");
    return a.withTaxes(
        waybillPositions(a, w),
        waybillDocument(w, QStringLiteral("FACT1_NUMBER"), a.number(QStringLiteral("d_.FACT_NDS"))),
        QStringLiteral("0"));
}

QString actTotal(const SqlDialect& d)
{
    const Arithmetic a{d};
    return a.withTaxes(d.money(a.number(QStringLiteral("ACTS.SUMMA"))),
                       a.number(QStringLiteral("ACTS.ACT_NDS")), QStringLiteral("0"));
}

namespace {

QString paidBy(const SqlDialect& d, const char* table, const char* column)
{
    return d.moneyAmount(
        QStringLiteral("(SELECT coalesce(sum(%1),0) FROM PLATEG p_ WHERE p_.%3=%2.%3 AND p_.%3>0)")
            .arg(d.money(QStringLiteral("coalesce(p_.SUMMA,0)")), QLatin1String(table),
                 QLatin1String(column)));
}

QString stateOf(const QString& paid, const QString& total)
{
    return QStringLiteral(
               "(SELECT CASE WHEN pd_<=0 THEN 0 WHEN pd_<tt_ THEN 1 WHEN pd_=tt_ THEN 2 ELSE 3 END FROM "
               "(SELECT %1 AS pd_, %2 AS tt_) st_)")
        .arg(paid, total);
}

} // namespace

QString invoicePaid(const SqlDialect& d)
{
    return paidBy(d, "FACTURES", "FACT_NUMBER");
}

QString actPaid(const SqlDialect& d)
{
    return paidBy(d, "ACTS", "ACT_NUMBER");
}

QString invoicePaymentState(const SqlDialect& d)
{
    return stateOf(invoicePaid(d), invoiceTotal(d));
}

QString actPaymentState(const SqlDialect& d)
{
    return stateOf(actPaid(d), actTotal(d));
}

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

ListQuery clientActs(int clientId)
{
    return {QStringLiteral("ID_NUMBER=?"), {clientId}, QStringLiteral("ACT_NUMBER"), {}};
}

namespace {
// The count the book keeps of a whole list, or else the given way of counting it.
QString countOf(const SqlDialect& d, const char* table, int kind, const QString& counting)
{
    const QString kept = d.keptCountSql(QLatin1String(table), kind);
    return kept.isEmpty() ? counting : kept;
}
} // namespace

ListQuery allInvoices(const SqlDialect& d, int receipts)
{
    return {QStringLiteral("FACT_NUMBER>0"),
            {},
            QStringLiteral("FACT_NUMBER"),
            countOf(d, "FACTURES", 1,
                    QStringLiteral("SELECT (SELECT count(*) FROM FACTURES) - %1 - "
                                   "(SELECT count(*) FROM FACTURES WHERE FACT_NUMBER=0)")
                        .arg(receipts))};
}

ListQuery filteredInvoices(const SqlDialect& d, ListQuery invoices, const InvoiceFilter& filter)
{
    if (filter.byDate) {
        invoices.where += QStringLiteral(" AND FACT_DATA>=? AND FACT_DATA<=?");
        invoices.values << dateToDb(filter.from) << dateToDb(filter.to);
    }
    if (filter.byNumber) {
        invoices.where += QStringLiteral(" AND FACT_NUMBER>=? AND FACT_NUMBER<=?");
        invoices.values << filter.numberFrom << filter.numberTo;
    }
    // An invoice without a payment is unpaid at once (an index lookup); only the others are reckoned.
    if (filter.unpaid)
        invoices.where +=
            QStringLiteral(" AND (NOT EXISTS (SELECT 1 FROM PLATEG p_ WHERE p_.FACT_NUMBER=FACTURES."
                           "FACT_NUMBER AND p_.FACT_NUMBER>0) OR %1<2)")
                .arg(invoicePaymentState(d));
    // The whole book's unpaid invoices are its kept count less those its payments cover, so the count
    // follows the payments rather than the invoices.
    if (filter.unpaid && !filter.byDate && !filter.byNumber && !invoices.countSql.isEmpty())
        invoices.countSql =
            QStringLiteral("SELECT (%1) - (SELECT count(*) FROM FACTURES WHERE FACT_NUMBER IN (SELECT "
                           "p_.FACT_NUMBER FROM PLATEG p_ WHERE p_.FACT_NUMBER>0) AND %2>=2)")
                .arg(invoices.countSql, invoicePaymentState(d));
    else if (filter.active())
        invoices.countSql.clear(); // the quick count of the whole book no longer applies
    return invoices;
}

ListQuery allReceipts(const SqlDialect& d)
{
    // Counted through the narrow receipts index.
    return {QStringLiteral("FACT_NUMBER<0"),
            {},
            kReceiptOrder,
            countOf(d, "FACTURES", -1,
                    QStringLiteral("SELECT count(*) FROM %1 WHERE FACT_NUMBER<0")
                        .arg(d.throughIndex(QStringLiteral("FACTURES"), QStringLiteral("FACT_RECEIPTS"))))};
}

ListQuery allExpenseWaybills(const SqlDialect& d)
{
    return {{}, {}, QStringLiteral("NAKL_NUMBER"), countOf(d, "NAKLADN1", 0, {})};
}

ListQuery allTaxWaybills(const SqlDialect& d)
{
    return {{}, {}, QStringLiteral("NAKL_NUMBER"), countOf(d, "NAKLADN2", 0, {})};
}

ListQuery allActs(const SqlDialect& d)
{
    return {{}, {}, QStringLiteral("ACT_NUMBER"), countOf(d, "ACTS", 0, {})};
}

QString orderOfIndex(const SqlDialect& d, const QString& indexName)
{
    return *indexOrder(d, Tables::clients(), clientIndex(indexName), "ID_NUMBER");
}

ListQuery goods(const SqlDialect& d, const QString& indexName)
{
    return {{},
            {},
            indexOrder(d, Tables::products(), indexName, "REC_NUMBER").value_or(QStringLiteral("REC_NUMBER")),
            {}};
}

ListQuery clients(const SqlDialect& d, const std::optional<QString>& name, const std::optional<QString>& city,
                  const QString& indexName)
{
    ListQuery q;
    QStringList parts{QStringLiteral("ID_NUMBER>1")};
    if (name)
        addCondition(d, QStringLiteral("FIRMNAME"), *name, &parts, &q.values);
    if (city)
        addCondition(d, QStringLiteral("CITY"), *city, &parts, &q.values);
    q.where = parts.join(QStringLiteral(" AND "));
    q.orderBy = orderOfIndex(d, indexName);
    // The whole register is counted through the index it is shown in (read for its first page anyway),
    // whose entries are a fraction of a client's row.
    if (!name && !city)
        q.countSql = countOf(d, "CLIENTS", 1,
                             QStringLiteral("SELECT count(*) FROM %1 WHERE ID_NUMBER>1")
                                 .arg(d.throughIndex(QStringLiteral("CLIENTS"), clientIndex(indexName))));
    return q;
}

} // namespace ListQueries
