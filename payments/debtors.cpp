#include "payments/debtors.h"

#include "base/money.h"
#include "base/text_codec.h"
#include "base/whole_file.h"
#include "report/spreadsheet.h"

#include <QCoreApplication>

#include <QIODevice>

#include <algorithm>

namespace {

const char kRuler[] = "+------+------------------------------+---------------+---------------+---------------"
                      "+------------------"
                      "-----+";

QByteArray amount(qint64 kopecks)
{
    return Money::fromKopecks(kopecks).text(u'.').rightJustified(15).toLatin1();
}

QByteArray debtorsBytes(const std::vector<ClientBalance>& debtors, const QDate& date)
{
    QByteArray out;
    const auto line = [&out](const QByteArray& text) { out += text + "\r\n"; };
    QByteArray title;
    append1251(title, QStringLiteral("     Должники на %1").arg(date.toString(QStringLiteral("dd.MM.yyyy"))));
    line(title);
    line(kRuler);
    QByteArray heading;
    append1251(heading,
               QStringLiteral(
                   "|Клиент|Название                      |   Начислено   |   Оплачено    |     Долг      |"
                   "Старейший неоплаченный |"));
    line(heading);
    line(kRuler);
    qint64 charged = 0, paid = 0;
    for (const ClientBalance& b : debtors) {
        QByteArray l = "|" + QByteArray::number(b.clientId).rightJustified(6) + "|";
        appendCell1251(l, b.name, 30);
        l += "|" + amount(b.charged) + "|" + amount(b.paid) + "|" + amount(b.charged - b.paid) + "|";
        appendCell1251(l,
                       b.oldestNumber > 0
                           ? QStringLiteral("%1 %2 от %3")
                                 .arg(b.oldestIsAct ? QStringLiteral("акт") : QStringLiteral("с/ф"))
                                 .arg(b.oldestNumber)
                                 .arg(b.oldestDate.toString(QStringLiteral("dd.MM.yy")))
                           : QString(),
                       23);
        line(l + "|");
        charged += b.charged;
        paid += b.paid;
    }
    line(kRuler);
    QByteArray totals;
    append1251(totals,
               QStringLiteral("     ИТОГО : должников - %1, начислено - %2, оплачено - %3, долг - %4.")
                   .arg(debtors.size())
                   .arg(Money::fromKopecks(charged).text(u'.'), Money::fromKopecks(paid).text(u'.'),
                        Money::fromKopecks(charged - paid).text(u'.')));
    line(totals);
    return out;
}

} // namespace

std::vector<ClientBalance> Debtors(const TDM& dm, const QDate& date)
{
    std::vector<ClientBalance> debtors;
    for (const ClientBalance& b : ReadBalances(dm, date))
        if (b.clientId > 1 && b.charged > b.paid)
            debtors.push_back(b);
    std::stable_sort(debtors.begin(), debtors.end(), [](const ClientBalance& a, const ClientBalance& b) {
        return a.charged - a.paid > b.charged - b.paid;
    });
    return debtors;
}

QString DebtorsText(const std::vector<ClientBalance>& debtors, const QDate& date)
{
    return decode1251(debtorsBytes(debtors, date));
}

namespace {

struct DebtorsSheet {
    Q_DECLARE_TR_FUNCTIONS(DebtorsSheet)
};

bool writeSheet(const std::vector<ClientBalance>& debtors, const QDate& date, const QString& fileName,
                QString* error, int* rows)
{
    Spreadsheet sheet(DebtorsSheet::tr("Должники"),
                      DebtorsSheet::tr("Должники на %1").arg(date.toString(QStringLiteral("dd.MM.yyyy"))),
                      {{DebtorsSheet::tr("Клиент"), CellKind::Integer},
                       {DebtorsSheet::tr("Название"), CellKind::Text},
                       {DebtorsSheet::tr("Начислено"), CellKind::Money},
                       {DebtorsSheet::tr("Оплачено"), CellKind::Money},
                       {DebtorsSheet::tr("Долг"), CellKind::Money},
                       {DebtorsSheet::tr("Старейший неоплаченный"), CellKind::Text},
                       {DebtorsSheet::tr("от"), CellKind::Date}});
    qint64 charged = 0, paid = 0;
    for (const ClientBalance& b : debtors) {
        const auto money = [](qint64 kopecks) { return moneyCell(Money::fromKopecks(kopecks)); };
        sheet.addRow({b.clientId, b.name, money(b.charged), money(b.paid), money(b.charged - b.paid),
                      b.oldestNumber > 0
                          ? (b.oldestIsAct ? DebtorsSheet::tr("акт %1") : DebtorsSheet::tr("с/ф %1"))
                                .arg(b.oldestNumber)
                          : QString(),
                      b.oldestNumber > 0 ? QVariant(b.oldestDate) : QVariant()});
        charged += b.charged;
        paid += b.paid;
    }
    sheet.addTotals(DebtorsSheet::tr("ИТОГО: должников %1").arg(debtors.size()),
                    {{},
                     {},
                     moneyCell(Money::fromKopecks(charged)),
                     moneyCell(Money::fromKopecks(paid)),
                     moneyCell(Money::fromKopecks(charged - paid))});
    if (rows)
        *rows = sheet.rows();
    return sheet.save(fileName, error);
}

} // namespace

bool WriteDebtors(const TDM& dm, const QDate& date, const QString& fileName, QString* error, int* lines,
                  bool spreadsheet)
{
    if (spreadsheet)
        return writeSheet(Debtors(dm, date), date, fileName, error, lines);
    const QByteArray bytes = debtorsBytes(Debtors(dm, date), date);
    if (lines)
        *lines = int(bytes.count('\n'));
    return WriteOutputFile(
        fileName, [&bytes](QIODevice& file) { return file.write(bytes) == bytes.size(); }, error);
}

QString DebtorsFileName()
{
    return QStringLiteral("DOLGI.TXT");
}
