#include "print/registers.h"

#include "base/number_format.h"
#include "base/text_codec.h"
#include "base/whole_file.h"
#include "db/connection.h"
#include "db/data_module.h"
#include "db/tables.h"
#include "print/blank_parts.h"

#include <QIODevice>
#include <QSqlQuery>
#include <QSqlRecord>
#include <QStringList>

namespace {

const QString kInvoiceRuler = QStringLiteral(
    "+--------+------------+-------------------------+--------------------+-------+------+--------+");
const QString kInvoiceHeading = QStringLiteral(
    "|  Дата  |    № с/ф   |   Плательщик            | Товар              | Сумма | НДС  |  ИТОГО |");
const QString kWaybillRuler = QStringLiteral(
    "+--------+--------+-------------------------+------------------------+-------+------+--------+");
const QString kWaybillHeading = QStringLiteral(
    "|  Дата  | № накл |   Плательщик            | Основание платежа      | Сумма | НДС  |  ИТОГО |");

// Two decimals with a point, right-aligned; a longer number pushes the rest of the line to the right.
QString number(double value, int width)
{
    return FormatFixed(value, 2, u'.').rightJustified(width, u' ');
}

QString text(const QString& value, int width)
{
    return value.left(width).leftJustified(width, u' ');
}

// "05.02.01".
QString shortDate(const QDate& date)
{
    return Blank::twoDigits(date.day()) + u'.' + Blank::twoDigits(date.month()) + u'.' +
           Blank::twoDigits(date.year() % 100);
}

QString amounts(const DocumentSums& s)
{
    return number(s.sum, 7) + u'|' + number(s.vat, 6) + u'|' + number(s.total, 8) + u'|';
}

DocumentSums positionSums(const Position& p, int vatRate)
{
    DocumentSums s;
    // The invoice's own sum: a lump sum at its price, any other position at count × price as stored.
    s.sum = Blank::isLumpSum(p.measure) ? p.price : p.price * p.count;
    s.vat = s.sum * (vatRate * 0.01);
    s.total = s.sum + s.vat;
    return s;
}

void add(DocumentSums& to, const DocumentSums& s)
{
    to.sum += s.sum;
    to.vat += s.vat;
    to.total += s.total;
}

DocumentSums documentSums(const InvoiceRow& d)
{
    DocumentSums sums;
    for (const Position& p : d.positions)
        add(sums, positionSums(p, d.FACT_NDS));
    return sums;
}

QString totalsLine(const DocumentSums& s)
{
    return QStringLiteral("     ИТОГО : сумма - ") + number(s.sum, 10) + QStringLiteral(", НДС - ") +
           number(s.vat, 10) + QStringLiteral(", сумма с НДС - ") + number(s.total, 10) + u'.';
}

QString where(const RegisterScope& scope, const char* dateColumn, QVariantList* values)
{
    QString condition = QStringLiteral("%1>=? AND %1<=?").arg(QLatin1String(dateColumn));
    *values << dateToDb(scope.from) << dateToDb(scope.to);
    if (scope.clientId > 0) {
        condition += QStringLiteral(" AND ID_NUMBER=?");
        *values << scope.clientId;
    }
    return condition;
}

} // namespace

DocumentSums SumDocument(const TDM& dm, int number, int clientId)
{
    const std::optional<InvoiceRow> document = dm.ReadDocument(number);
    if (!document || (clientId > 0 && document->ID_NUMBER != clientId))
        return {};
    return documentSums(*document);
}

QString RegisterText(const TDM& dm, RegisterKind kind, const RegisterScope& scope)
{
    QStringList lines;
    DocumentSums grand;
    QVariantList values;
    if (kind == RegisterKind::Invoices || kind == RegisterKind::Receipts) {
        const bool invoices = kind == RegisterKind::Invoices;
        lines << kInvoiceRuler << kInvoiceHeading;
        QSqlQuery q =
            execOrThrow(dm.database(),
                        QStringLiteral("SELECT * FROM FACTURES WHERE %1 AND %2 ORDER BY %3")
                            .arg(invoices ? QStringLiteral("FACT_NUMBER>0") : QStringLiteral("FACT_NUMBER<0"),
                                 where(scope, "FACT_DATA", &values),
                                 invoices ? QStringLiteral("FACT_NUMBER")
                                          : QStringLiteral("FACT_DATA, FACT_NUMBER DESC")),
                        values);
        while (q.next()) {
            const InvoiceRow d = invoiceFromRecord(q.record());
            const DocumentSums sums = documentSums(d);
            add(grand, sums);
            const QString numberColumn =
                d.FACT_NUMBER > 0
                    ? (QString::number(d.FACT_NUMBER).rightJustified(7, u' ') + d.FACT_DOPNO.left(5))
                          .leftJustified(12, u' ')
                    : QString(12, u' ');
            lines << kInvoiceRuler;
            lines << u'|' + shortDate(d.FACT_DATA) + u'|' + numberColumn + u'|' + text(d.NAME_OWNER, 25) +
                         u'|' + QString(20, u' ') + u'|' + amounts(sums);
            for (const Position& p : d.positions) {
                const DocumentSums s = positionSums(p, d.FACT_NDS);
                if (s.total > 0)
                    lines << QStringLiteral("|        |            |                         |") +
                                 text(p.name, 20) + u'|' + amounts(s);
            }
        }
        lines << kInvoiceRuler;
    } else {
        lines << kWaybillRuler << kWaybillHeading;
        const QString table =
            kind == RegisterKind::ExpenseWaybills ? QStringLiteral("NAKLADN1") : QStringLiteral("NAKLADN2");
        QSqlQuery q = execOrThrow(
            dm.database(),
            QStringLiteral(
                "SELECT NAKL_NUMBER, NAKL_DATA, FACT1_NUMBER, FACT2_NUMBER, FACT3_NUMBER, INFO, ID_NUMBER "
                "FROM %1 WHERE %2 ORDER BY NAKL_NUMBER")
                .arg(table, where(scope, "NAKL_DATA", &values)),
            values);
        while (q.next()) {
            const int client = q.value(6).toInt();
            // The payer from the client table, whatever the register's filters show.
            const std::optional<ClientRow> payer = dm.ReadClient(client);
            DocumentSums sums = SumDocument(dm, q.value(2).toInt(), client);
            for (int i : {3, 4})
                if (q.value(i).toInt() > 0)
                    add(sums, SumDocument(dm, q.value(i).toInt(), client));
            add(grand, sums);
            lines << kWaybillRuler;
            lines << u'|' + shortDate(dateFromDb(q.value(1))) + u'|' +
                         QString::number(q.value(0).toInt()).rightJustified(8, u' ') + u'|' +
                         text(payer ? payer->FIRMNAME : QStringLiteral("????"), 25) + u'|' +
                         text(q.value(5).toString(), 24) + u'|' + amounts(sums);
        }
        lines << kWaybillRuler;
    }
    lines << totalsLine(grand);
    return lines.join(QStringLiteral("\r\n")) + QStringLiteral("\r\n");
}

bool WriteRegister(const TDM& dm, RegisterKind kind, const RegisterScope& scope, const QString& fileName,
                   QString* error)
{
    const QByteArray bytes = encode1251(RegisterText(dm, kind, scope));
    return WriteWholeFile(
        fileName, [&bytes](QIODevice& file) { return file.write(bytes) == bytes.size(); }, error);
}

QString RegisterFileName(RegisterKind kind)
{
    switch (kind) {
    case RegisterKind::Invoices:
        return QStringLiteral("FACTURE1.TXT");
    case RegisterKind::Receipts:
        return QStringLiteral("FACTURE2.TXT");
    case RegisterKind::ExpenseWaybills:
        return QStringLiteral("NAKLADN1.TXT");
    case RegisterKind::TaxWaybills:
        return QStringLiteral("NAKLADN2.TXT");
    }
    return {};
}
