#include "db/register_source.h"

#include "db/connection.h"
#include "db/data_module.h"
#include "db/sql_dialect.h"
#include "db/tables.h"

namespace {

// Every column of a document, in table order, of the table or of one of its names in a join.
QString documentColumns(const QString& as = {})
{
    QStringList columns = Tables::factures().columnNames();
    if (!as.isEmpty())
        for (QString& c : columns)
            c.prepend(as + u'.');
    return columns.join(QStringLiteral(", "));
}

// The document whose columns begin at column `first` of the statement's row.
InvoiceRow documentFrom(const Statement& s, int first = 0)
{
    return invoiceFromColumns([&s, first](int i, const ColumnDef& c) -> QVariant {
        switch (c.type) {
        case ColumnType::Text:
        case ColumnType::Date:
            return s.text(first + i);
        case ColumnType::Float:
        case ColumnType::Money:
            return s.real(first + i);
        default:
            return s.integer(first + i);
        }
    });
}

QString within(const RegisterPeriod& period, const char* dateColumn, const char* clientColumn,
               QVariantList* values)
{
    QString condition = QStringLiteral("%1>=? AND %1<=?").arg(QLatin1String(dateColumn));
    *values << dateToDb(period.from) << dateToDb(period.to);
    if (period.clientId > 0) {
        condition += QStringLiteral(" AND %1=?").arg(QLatin1String(clientColumn));
        *values << period.clientId;
    }
    return condition;
}

} // namespace

QString RegisterDocumentsSql(const SqlDialect& dialect, bool invoices, const RegisterPeriod& period,
                             QVariantList* values)
{
    // The period leads, through the date index (one client's invoices through the client's): a month
    // costs what the month holds, however long the book; walking the numbers would read all of it.
    const QString index = !invoices             ? QStringLiteral("FACT_RECEIPTS")
                          : period.clientId > 0 ? QStringLiteral("FACT_CLIENT")
                                                : QStringLiteral("FACT_DATE");
    return QStringLiteral("SELECT %1 FROM %2 WHERE %3 AND %4 ORDER BY %5")
        .arg(documentColumns(), dialect.throughIndex(QStringLiteral("FACTURES"), index),
             invoices ? QStringLiteral("FACT_NUMBER>0") : QStringLiteral("FACT_NUMBER<0"),
             within(period, "FACT_DATA", "ID_NUMBER", values),
             invoices ? QStringLiteral("FACT_NUMBER") : QStringLiteral("FACT_DATA, FACT_NUMBER DESC"));
}

void ForEachRegisterDocument(const TDM& dm, bool invoices, const RegisterPeriod& period,
                             const std::function<void(const InvoiceRow&)>& take)
{
    QVariantList values;
    const QString sql = RegisterDocumentsSql(dm.dialect(), invoices, period, &values);
    Statement q(ConnectionOf(dm), sql, values, Statement::Streamed);
    while (q.next())
        take(documentFrom(q));
}

void ForEachRegisterWaybill(const TDM& dm, bool expense, const RegisterPeriod& period,
                            const std::function<void(const RegisterWaybill&)>& take)
{
    // One query for the whole register: each waybill with its payer from the client table (whatever the
    // client list's filters show) and its documents, each only under the waybill's own client (a number
    // used again for another client's document is not this waybill's); the second and third only when
    // their numbers are above zero.
    const auto document = [](const char* as, const char* column, bool optional) {
        return QStringLiteral(
                   " LEFT JOIN FACTURES %1 ON %1.FACT_NUMBER=w.%2%3 AND (coalesce(w.ID_NUMBER,0)<=0 "
                   "OR %1.ID_NUMBER=w.ID_NUMBER)")
            .arg(QLatin1String(as), QLatin1String(column),
                 optional ? QStringLiteral(" AND w.%1>0").arg(QLatin1String(column)) : QString());
    };
    QVariantList values;
    const int columns = int(Tables::factures().columns.size());
    Statement q(
        ConnectionOf(dm),
        QStringLiteral("SELECT w.NAKL_NUMBER, w.NAKL_DATA, w.INFO, c.ID_NUMBER, c.FIRMNAME, %1, %2, %3 "
                       "FROM %4 w LEFT JOIN CLIENTS c ON c.ID_NUMBER=w.ID_NUMBER")
                .arg(documentColumns(QStringLiteral("d1")), documentColumns(QStringLiteral("d2")),
                     documentColumns(QStringLiteral("d3")),
                     expense ? QStringLiteral("NAKLADN1") : QStringLiteral("NAKLADN2")) +
            document("d1", "FACT1_NUMBER", false) + document("d2", "FACT2_NUMBER", true) +
            document("d3", "FACT3_NUMBER", true) +
            QStringLiteral(" WHERE %1 ORDER BY w.NAKL_NUMBER")
                .arg(within(period, "w.NAKL_DATA", "w.ID_NUMBER", &values)),
        values, Statement::Streamed);
    constexpr int kFirstDocument = 5;
    RegisterWaybill w;
    while (q.next()) {
        w.number = int(q.integer(0));
        w.date = dateFromDb(q.text(1));
        w.info = q.text(2);
        w.payer = q.isNull(3) ? std::nullopt : std::optional<QString>(q.text(4));
        w.documents.clear();
        for (int d = 0; d < 3; ++d) {
            const int first = kFirstDocument + d * columns;
            if (!q.isNull(first))
                w.documents.push_back(documentFrom(q, first));
        }
        take(w);
    }
}
