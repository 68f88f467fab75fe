#include "documents/acts.h"

#include "base/month_names.h"
#include "db/stores.h"
#include "db/tables.h"

#include <QCoreApplication>

#include <cmath>

namespace {

// The Russian month names as the translation file knows them: the interface shows them in its language.
const char* const kListMonths[12] = {
    QT_TRANSLATE_NOOP("Acts", "январь"),   QT_TRANSLATE_NOOP("Acts", "февраль"),
    QT_TRANSLATE_NOOP("Acts", "март"),     QT_TRANSLATE_NOOP("Acts", "апрель"),
    QT_TRANSLATE_NOOP("Acts", "май"),      QT_TRANSLATE_NOOP("Acts", "июнь"),
    QT_TRANSLATE_NOOP("Acts", "июль"),     QT_TRANSLATE_NOOP("Acts", "август"),
    QT_TRANSLATE_NOOP("Acts", "сентябрь"), QT_TRANSLATE_NOOP("Acts", "октябрь"),
    QT_TRANSLATE_NOOP("Acts", "ноябрь"),   QT_TRANSLATE_NOOP("Acts", "декабрь"),
};

} // namespace

QString ActPeriodShown(const QVariant& month)
{
    const int m = month.toInt();
    return m >= 1 && m <= 12 ? QCoreApplication::translate("Acts", kListMonths[m - 1]) : ActPeriodName(m);
}

ActPeriod DefaultActPeriod(const QDate& date)
{
    if (!date.isValid())
        return {};
    if (date.day() > 10)
        return {date.month(), date.year()};
    const QDate closed = date.addMonths(-1);
    return {closed.month(), closed.year()};
}

QString ActSumProblem(TypedNumber read, const QString& typed)
{
    switch (read) {
    case TypedNumber::Ok:
        return {};
    case TypedNumber::Negative:
        return QCoreApplication::translate("Acts", "Сумма акта не может быть меньше нуля.");
    case TypedNumber::NotANumber:
    case TypedNumber::TooManyDecimals:
        break;
    }
    return QCoreApplication::translate("Acts",
                                       "Сумма акта «%1» — не сумма в гривнах и копейках: цифры, запятая или "
                                       "точка и не больше двух знаков после неё.")
        .arg(typed);
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

QString StoreAct(TDM& dm, int clientId, const ActDraft& draft, int original)
{
    if (const QString problem = ActProblem(draft); !problem.isEmpty())
        return problem;
    RowColumns act(Tables::acts());
    act.set("ACT_NUMBER", draft.number)
        .set("ACT_DATA", dateToDb(draft.date))
        .set("ACT_MONTH", draft.period.month)
        .set("ACT_YEAR", draft.period.year)
        .set("ACT_INFO", draft.kindOfWork)
        .set("SUMMA", draft.sum)
        .set("ACT_NDS", draft.vatRate)
        .set("NAME_CLIENT", draft.representative)
        .set("ID_NUMBER", clientId);
    if (!StoreActColumns(dm, original, act))
        return QCoreApplication::translate("Acts", "Акт № %1 уже есть: выберите другой номер.")
            .arg(draft.number);
    return {};
}

ActDraft OpenActDraft(const TDM& dm, ActCommand command, const ClientRow& client, const ActDraft* from,
                      int vatRate, const QDate& today)
{
    if (command == ActCommand::Edit && from)
        return *from;
    ActDraft draft;
    if (command == ActCommand::Copy && from)
        draft = *from;
    else {
        draft.period = DefaultActPeriod(today);
        draft.vatRate = vatRate;
        draft.representative = client.CHIEF;
    }
    draft.number = NextActNumber(dm);
    draft.date = today;
    return draft;
}
