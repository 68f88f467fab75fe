#include "db/register_source.h"

#include "db/data_module.h"
#include "db/driver.h"
#include "db/sql_dialect.h"
#include "db/tables.h"

namespace {

// The columns a document is read from, of the table or of one of its names in a join, and where each
// field stands among them (-1: not read).
struct DocumentLayout {
    explicit DocumentLayout(QStringList names)
        : columns(std::move(names))
    {
        const auto at = [this](const char* column) { return int(columns.indexOf(QLatin1String(column))); };
        number = at("FACT_NUMBER");
        dopNo = at("FACT_DOPNO");
        date = at("FACT_DATA");
        nds = at("FACT_NDS");
        client = at("ID_NUMBER");
        owner = at("NAME_OWNER");
        for (int p = 0; p < 4; ++p)
            for (int c = 0; c < 4; ++c)
                positions[p][c] = at(kPositionColumns[p][c]);
    }
    // Every column, in table order.
    static const DocumentLayout& whole()
    {
        static const DocumentLayout layout(Tables::factures().columnNames());
        return layout;
    }
    // What a document's sums are worked out from: a waybill register prints nothing else of it.
    static const DocumentLayout& sums()
    {
        static const DocumentLayout layout = [] {
            QStringList names{QStringLiteral("FACT_NUMBER"), QStringLiteral("FACT_NDS")};
            for (const auto& position : kPositionColumns)
                for (int c = 1; c < 4; ++c)
                    names << QLatin1String(position[c]);
            return DocumentLayout(names);
        }();
        return layout;
    }
    QString select(const QString& as = {}) const
    {
        QStringList named = columns;
        if (!as.isEmpty())
            for (QString& c : named)
                c.prepend(as + u'.');
        return named.join(QStringLiteral(", "));
    }

    QStringList columns;
    int number, dopNo, date, nds, client, owner;
    int positions[4][4];
};

// The document whose columns begin at column `first` of the statement's row, read straight from the
// engine: a year's register reads hundreds of thousands.
InvoiceRow documentFrom(const Statement& s, const DocumentLayout& l, int first = 0)
{
    const auto text = [&](int column) { return column < 0 ? QString() : s.text(first + column); };
    const auto integer = [&](int column) { return column < 0 ? 0 : int(s.integer(first + column)); };
    const auto real = [&](int column) { return column < 0 ? 0.0 : s.real(first + column); };
    InvoiceRow d;
    d.FACT_NUMBER = integer(l.number);
    d.FACT_DOPNO = text(l.dopNo);
    d.FACT_DATA = l.date < 0 ? QDate() : dateFromDb(text(l.date));
    d.NAME_OWNER = text(l.owner);
    d.FACT_NDS = integer(l.nds);
    d.ID_NUMBER = integer(l.client);
    for (std::size_t i = 0; i < 4; ++i) {
        Position& p = d.positions[i];
        p.name = text(l.positions[i][0]);
        p.measure = text(l.positions[i][1]);
        p.count = real(l.positions[i][2]);
        p.price = real(l.positions[i][3]);
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
    if (!invoices)
        // The receipts' own index holds them in the register's order, period first (empty values where
        // SQLite puts them, as the index does).
        return QStringLiteral("SELECT %1 FROM %2 WHERE FACT_NUMBER<0 AND %3 ORDER BY %4, %5")
            .arg(DocumentLayout::whole().select(),
                 dialect.throughIndex(QStringLiteral("FACTURES"), QStringLiteral("FACT_RECEIPTS")),
                 within(period, "FACT_DATA", "ID_NUMBER", values),
                 dialect.orderTerm(QStringLiteral("FACT_DATA"), false),
                 dialect.orderTerm(QStringLiteral("FACT_NUMBER"), true));
    // The period's invoice numbers first, through the date index (one client's through the client's), then
    // their rows in number order: a month costs what the month holds however long the book, and a year
    // no more than walking every invoice by number would.
    const QString index = period.clientId > 0 ? QStringLiteral("FACT_CLIENT") : QStringLiteral("FACT_DATE");
    const QString numbers = QStringLiteral("SELECT FACT_NUMBER FROM %1 WHERE FACT_NUMBER>0 AND %2")
                                .arg(dialect.throughIndex(QStringLiteral("FACTURES"), index),
                                     within(period, "FACT_DATA", "ID_NUMBER", values));
    return QStringLiteral("SELECT %1 ").arg(DocumentLayout::whole().select(QStringLiteral("f"))) +
           dialect.keyedRows(QStringLiteral("FACTURES"), QStringLiteral("f"), QStringLiteral("FACT_NUMBER"),
                             numbers, {});
}

void ForEachRegisterDocument(const TDM& dm, bool invoices, const RegisterPeriod& period,
                             const std::function<void(const InvoiceRow&)>& take)
{
    QVariantList values;
    const QString sql = RegisterDocumentsSql(dm.dialect(), invoices, period, &values);
    Statement q(ConnectionOf(dm), sql, values, Statement::Streamed);
    while (q.next())
        take(documentFrom(q, DocumentLayout::whole()));
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
    const DocumentLayout& sums = DocumentLayout::sums();
    const QString table = expense ? QStringLiteral("NAKLADN1") : QStringLiteral("NAKLADN2");
    // The period's waybill numbers through the date index (a client's through the client's).
    const QString numbers =
        QStringLiteral("SELECT NAKL_NUMBER FROM %1 WHERE %2")
            .arg(dm.dialect().throughIndex(
                     table, QLatin1String(expense ? "N1_" : "N2_") +
                                (period.clientId > 0 ? QStringLiteral("CLIENT") : QStringLiteral("DATE"))),
                 within(period, "NAKL_DATA", "ID_NUMBER", &values));
    Statement q(
        ConnectionOf(dm),
        QStringLiteral("SELECT w.NAKL_NUMBER, w.NAKL_DATA, w.INFO, c.ID_NUMBER, c.FIRMNAME, %1, %2, %3 ")
                .arg(sums.select(QStringLiteral("d1")), sums.select(QStringLiteral("d2")),
                     sums.select(QStringLiteral("d3"))) +
            dm.dialect().keyedRows(table, QStringLiteral("w"), QStringLiteral("NAKL_NUMBER"), numbers,
                                   QStringLiteral(" LEFT JOIN CLIENTS c ON c.ID_NUMBER=w.ID_NUMBER") +
                                       document("d1", "FACT1_NUMBER", false) +
                                       document("d2", "FACT2_NUMBER", true) +
                                       document("d3", "FACT3_NUMBER", true)),
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
            const int first = kFirstDocument + d * int(sums.columns.size());
            if (!q.isNull(first))
                w.documents.push_back(documentFrom(q, sums, first));
        }
        take(w);
    }
}

void ForEachRegisterPayment(const TDM& dm, const RegisterPeriod& period,
                            const std::function<void(const RegisterPayment&)>& take)
{
    QVariantList values;
    const QString where = within(period, "p.PLAT_DATA", "p.ID_NUMBER", &values);
    Statement q(ConnectionOf(dm),
                QStringLiteral(
                    "SELECT p.PLAT_NUMBER, p.PLAT_DATA, p.SUMMA, p.INFO, p.BANK_NUMBER, p.PAYER_NAME, "
                    "p.FACT_NUMBER, p.ACT_NUMBER, c.ID_NUMBER, c.FIRMNAME FROM PLATEG p LEFT JOIN CLIENTS c "
                    "ON c.ID_NUMBER=p.ID_NUMBER WHERE %1 ORDER BY p.PLAT_DATA, p.PLAT_NUMBER")
                    .arg(where),
                values, Statement::Streamed);
    RegisterPayment p;
    while (q.next()) {
        p.number = int(q.integer(0));
        p.date = dateFromDb(q.text(1));
        p.sum = q.real(2);
        p.purpose = q.text(3);
        p.bankNumber = q.text(4);
        p.payer = q.text(5);
        p.invoice = int(q.integer(6));
        p.act = int(q.integer(7));
        p.client = q.isNull(8) ? std::nullopt : std::optional<QString>(q.text(9));
        take(p);
    }
}

void ForEachRegisterAct(const TDM& dm, const RegisterPeriod& period,
                        const std::function<void(const RegisterAct&)>& take)
{
    QVariantList values;
    const QString where = within(period, "a.ACT_DATA", "a.ID_NUMBER", &values);
    Statement q(
        ConnectionOf(dm),
        QStringLiteral("SELECT a.ACT_NUMBER, a.ACT_DATA, a.ACT_MONTH, a.ACT_YEAR, a.ACT_INFO, a.SUMMA, "
                       "a.ACT_NDS, c.ID_NUMBER, c.FIRMNAME FROM ACTS a LEFT JOIN CLIENTS c ON "
                       "c.ID_NUMBER=a.ID_NUMBER WHERE %1 ORDER BY a.ACT_DATA, a.ACT_NUMBER")
            .arg(where),
        values, Statement::Streamed);
    RegisterAct a;
    while (q.next()) {
        a.number = int(q.integer(0));
        a.date = dateFromDb(q.text(1));
        a.month = int(q.integer(2));
        a.year = int(q.integer(3));
        a.kindOfWork = q.text(4);
        a.sum = q.real(5);
        a.vatRate = int(q.integer(6));
        a.customer = q.isNull(7) ? std::nullopt : std::optional<QString>(q.text(8));
        take(a);
    }
}
