#include "db/register_source.h"

#include "db/connection.h"
#include "db/data_module.h"
#include "db/tables.h"

namespace {

// Every column of a document, in table order.
QString documentColumns()
{
    return Tables::factures().columnNames().join(QStringLiteral(", "));
}

InvoiceRow documentFrom(const Statement& s)
{
    return invoiceFromColumns([&s](int i, const ColumnDef& c) -> QVariant {
        switch (c.type) {
        case ColumnType::Text:
        case ColumnType::Date:
            return s.text(i);
        case ColumnType::Float:
        case ColumnType::Money:
            return s.real(i);
        default:
            return s.integer(i);
        }
    });
}

QString within(const RegisterPeriod& period, const char* dateColumn, QVariantList* values)
{
    QString condition = QStringLiteral("%1>=? AND %1<=?").arg(QLatin1String(dateColumn));
    *values << dateToDb(period.from) << dateToDb(period.to);
    if (period.clientId > 0) {
        condition += QStringLiteral(" AND ID_NUMBER=?");
        *values << period.clientId;
    }
    return condition;
}

} // namespace

void ForEachRegisterDocument(const TDM& dm, bool invoices, const RegisterPeriod& period,
                             const std::function<void(const InvoiceRow&)>& take)
{
    QVariantList values;
    Statement q(
        ConnectionOf(dm),
        QStringLiteral("SELECT %1 FROM FACTURES WHERE %2 AND %3 ORDER BY %4")
            .arg(documentColumns(),
                 invoices ? QStringLiteral("FACT_NUMBER>0") : QStringLiteral("FACT_NUMBER<0"),
                 within(period, "FACT_DATA", &values),
                 invoices ? QStringLiteral("FACT_NUMBER") : QStringLiteral("FACT_DATA, FACT_NUMBER DESC")),
        values);
    while (q.next())
        take(documentFrom(q));
}

void ForEachRegisterWaybill(const TDM& dm, bool expense, const RegisterPeriod& period,
                            const std::function<void(const RegisterWaybill&)>& take)
{
    QVariantList values;
    Statement q(
        ConnectionOf(dm),
        QStringLiteral("SELECT NAKL_NUMBER, NAKL_DATA, FACT1_NUMBER, FACT2_NUMBER, FACT3_NUMBER, INFO, "
                       "ID_NUMBER FROM %1 WHERE %2 ORDER BY NAKL_NUMBER")
            .arg(expense ? QStringLiteral("NAKLADN1") : QStringLiteral("NAKLADN2"),
                 within(period, "NAKL_DATA", &values)),
        values);
    // The payer from the client table, whatever the client list's filters show.
    Statement payer(ConnectionOf(dm), QStringLiteral("SELECT FIRMNAME FROM CLIENTS WHERE ID_NUMBER=?"));
    Statement document(ConnectionOf(dm),
                       QStringLiteral("SELECT %1 FROM FACTURES WHERE FACT_NUMBER=?").arg(documentColumns()));
    RegisterWaybill w;
    while (q.next()) {
        const int client = int(q.integer(6));
        w.number = int(q.integer(0));
        w.date = dateFromDb(q.text(1));
        w.info = q.text(5);
        payer.rebind({client});
        w.payer = payer.next() ? std::optional<QString>(payer.text(0)) : std::nullopt;
        w.documents.clear();
        for (int i : {2, 3, 4}) {
            if (i > 2 && q.integer(i) <= 0)
                continue;
            document.rebind({q.integer(i)});
            if (!document.next())
                continue;
            InvoiceRow d = documentFrom(document);
            // A number used again for another client's document is not this waybill's.
            if (client <= 0 || d.ID_NUMBER == client)
                w.documents.push_back(std::move(d));
        }
        take(w);
    }
}
