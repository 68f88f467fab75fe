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

// Where each field of a document stands among the table's columns, found by name once.
struct DocumentLayout {
    int number, dopNo, date, nds, client, owner;
    int positions[4][4];
    static const DocumentLayout& get()
    {
        static const DocumentLayout layout = [] {
            const QStringList names = Tables::factures().columnNames();
            const auto at = [&names](const char* column) {
                return int(names.indexOf(QLatin1String(column)));
            };
            DocumentLayout l{at("FACT_NUMBER"),
                             at("FACT_DOPNO"),
                             at("FACT_DATA"),
                             at("FACT_NDS"),
                             at("ID_NUMBER"),
                             at("NAME_OWNER"),
                             {}};
            for (int p = 0; p < 4; ++p)
                for (int c = 0; c < 4; ++c)
                    l.positions[p][c] = at(kPositionColumns[p][c]);
            return l;
        }();
        return layout;
    }
};

// The document whose columns begin at column `first` of the statement's row, read straight from the
// engine: a year's register reads hundreds of thousands.
InvoiceRow documentFrom(const Statement& s, int first = 0)
{
    const DocumentLayout& l = DocumentLayout::get();
    InvoiceRow d;
    d.FACT_NUMBER = int(s.integer(first + l.number));
    d.FACT_DOPNO = s.text(first + l.dopNo);
    d.FACT_DATA = dateFromDb(s.text(first + l.date));
    d.NAME_OWNER = s.text(first + l.owner);
    d.FACT_NDS = int(s.integer(first + l.nds));
    d.ID_NUMBER = int(s.integer(first + l.client));
    for (std::size_t i = 0; i < 4; ++i) {
        Position& p = d.positions[i];
        p.name = s.text(first + l.positions[i][0]);
        p.measure = s.text(first + l.positions[i][1]);
        p.count = s.real(first + l.positions[i][2]);
        p.price = s.real(first + l.positions[i][3]);
    }
    return d;
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
    const QString order =
        invoices ? QStringLiteral("FACT_NUMBER") : QStringLiteral("FACT_DATA, FACT_NUMBER DESC");
    if (!invoices)
        // The receipts' own index holds them in the register's order, period first.
        return QStringLiteral("SELECT %1 FROM %2 WHERE FACT_NUMBER<0 AND %3 ORDER BY %4")
            .arg(documentColumns(),
                 dialect.throughIndex(QStringLiteral("FACTURES"), QStringLiteral("FACT_RECEIPTS")),
                 within(period, "FACT_DATA", "ID_NUMBER", values), order);
    // The period's invoice numbers first, through the date index (one client's through the client's), then
    // their rows in number order: a month costs what the month holds however long the book, and a year
    // no more than walking every invoice by number would.
    const QString index = period.clientId > 0 ? QStringLiteral("FACT_CLIENT") : QStringLiteral("FACT_DATE");
    return QStringLiteral("SELECT %1 FROM FACTURES WHERE FACT_NUMBER IN (SELECT FACT_NUMBER FROM %2 WHERE "
                          "FACT_NUMBER>0 AND %3) ORDER BY %4")
        .arg(documentColumns(), dialect.throughIndex(QStringLiteral("FACTURES"), index),
             within(period, "FACT_DATA", "ID_NUMBER", values), order);
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
    const QString table = expense ? QStringLiteral("NAKLADN1") : QStringLiteral("NAKLADN2");
    Statement q(
        ConnectionOf(dm),
        QStringLiteral("SELECT w.NAKL_NUMBER, w.NAKL_DATA, w.INFO, c.ID_NUMBER, c.FIRMNAME, %1, %2, %3 "
                       "FROM %4 w LEFT JOIN CLIENTS c ON c.ID_NUMBER=w.ID_NUMBER")
                .arg(documentColumns(QStringLiteral("d1")), documentColumns(QStringLiteral("d2")),
                     documentColumns(QStringLiteral("d3")), table) +
            document("d1", "FACT1_NUMBER", false) + document("d2", "FACT2_NUMBER", true) +
            document("d3", "FACT3_NUMBER", true) +
            // The period's waybill numbers first, through the date index (a client's through the client's),
            // then the waybills in number order: no sort of the wide joined rows, whatever the period.
            QStringLiteral(
                " WHERE w.NAKL_NUMBER IN (SELECT NAKL_NUMBER FROM %1 WHERE %2) ORDER BY w.NAKL_NUMBER")
                .arg(dm.dialect().throughIndex(table, QLatin1String(expense ? "N1_" : "N2_") +
                                                          (period.clientId > 0 ? QStringLiteral("CLIENT")
                                                                               : QStringLiteral("DATE"))),
                     within(period, "NAKL_DATA", "ID_NUMBER", &values)),
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
