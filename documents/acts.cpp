#include "documents/acts.h"

#include "base/month_names.h"
#include "db/stores.h"
#include "db/tables.h"

#include <QCoreApplication>

#include <cmath>

namespace {

// The Ukrainian nominative: what a list and "за …" on the blank need (the month table's Ukrainian block
// is genitive, for dates).
const char16_t* const kUkrainianPeriods[16] = {
    u"січень",    u"лютий",      u"березень",    u"квітень",    u"травень",  u"червень",
    u"липень",    u"серпень",    u"вересень",    u"жовтень",    u"листопад", u"грудень",
    u"I квартал", u"II квартал", u"III квартал", u"IV квартал",
};

} // namespace

ActPeriod DefaultActPeriod(const QDate& date)
{
    if (!date.isValid())
        return {};
    if (date.day() > 10)
        return {date.month(), date.year()};
    const QDate closed = date.addMonths(-1);
    return {closed.month(), closed.year()};
}

QString ActPeriodListName(int month, bool ukrainian)
{
    if (month < 1 || month > 16)
        return {};
    return ukrainian ? QString::fromUtf16(kUkrainianPeriods[month - 1]) : ActPeriodName(month);
}

QString ActBlankPeriod(const ActPeriod& period)
{
    const QString name = ActPeriodListName(period.month, true);
    return name.isEmpty() ? QString() : QStringLiteral("за %1 %2 р.").arg(name).arg(period.year);
}

QString ActProblem(const ActDraft& draft)
{
    if (draft.number <= 0)
        return QCoreApplication::translate("Acts", "Номер акта должен быть больше нуля.");
    if (!draft.date.isValid())
        return QCoreApplication::translate("Acts", "У акта нет даты.");
    if (draft.period.month < 1 || draft.period.month > 16)
        return QCoreApplication::translate("Acts",
                                           "Период акта — месяц от 1 до 12 или квартал от 13 до 16, а не %1.")
            .arg(draft.period.month);
    const int lastYear = draft.date.year() + 1;
    if (draft.period.year < 1990 || draft.period.year > lastYear)
        return QCoreApplication::translate("Acts", "Год периода %1: допустимы годы с 1990 по %2.")
            .arg(draft.period.year)
            .arg(lastYear);
    if (!std::isfinite(draft.sum) || draft.sum < 0)
        return QCoreApplication::translate("Acts", "Сумма акта не может быть меньше нуля.");
    if (const Taxed sums = SumAct(draft); !sums.total.isValid() || sums.total.toDouble() > kLargestAmount)
        return QCoreApplication::translate(
            "Acts", "Сумма акта с НДС больше, чем может показать бланк (наибольшая — 999 999 999 999,99).");
    if (draft.kindOfWork.size() > kActKindChars)
        return QCoreApplication::translate("Acts", "Вид работ: %1 знаков, а помещается %2.")
            .arg(draft.kindOfWork.size())
            .arg(kActKindChars);
    if (draft.representative.size() > kActRepresentativeChars)
        return QCoreApplication::translate("Acts", "Представитель заказчика: %1 знаков, а помещается %2.")
            .arg(draft.representative.size())
            .arg(kActRepresentativeChars);
    return {};
}

std::optional<StoredAct> ReadAct(const TDM& dm, int number)
{
    const std::optional<QVariantMap> row = ReadRowByKey(dm, Tables::acts(), "ACT_NUMBER", number);
    if (!row)
        return std::nullopt;
    const auto value = [&row](const char* column) { return row->value(QLatin1String(column)); };
    StoredAct stored;
    stored.act = {value("ACT_NUMBER").toInt(),
                  dateFromDb(value("ACT_DATA")),
                  {value("ACT_MONTH").toInt(), value("ACT_YEAR").toInt()},
                  value("ACT_INFO").toString(),
                  value("SUMMA").toDouble(),
                  value("ACT_NDS").toInt(),
                  value("NAME_CLIENT").toString()};
    stored.clientId = value("ID_NUMBER").toInt();
    return stored;
}

QString StoreAct(TDM& dm, int clientId, const ActDraft& draft, int original)
{
    if (const QString problem = ActProblem(draft); !problem.isEmpty())
        return problem;
    static const QStringList columns = {"ACT_NUMBER", "ACT_DATA", "ACT_MONTH",   "ACT_YEAR", "ACT_INFO",
                                        "SUMMA",      "ACT_NDS",  "NAME_CLIENT", "ID_NUMBER"};
    const QVariantList values = {draft.number,      dateToDb(draft.date), draft.period.month,
                                 draft.period.year, draft.kindOfWork,     draft.sum,
                                 draft.vatRate,     draft.representative, clientId};
    if (!StoreActColumns(dm, original, columns, values))
        return QCoreApplication::translate("Acts", "Акт № %1 уже есть: выберите другой номер.")
            .arg(draft.number);
    return {};
}
