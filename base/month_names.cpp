#include "base/month_names.h"

namespace {
// Three blocks of 16: Russian nominative, Russian genitive, Ukrainian genitive; months, then quarters.
const char16_t* const kMonths[48] = {
    u"январь",       u"февраль",     u"март",        u"апрель",      u"май",          u"июнь",
    u"июль",         u"август",      u"сентябрь",    u"октябрь",     u"ноябрь",       u"декабрь",
    u"I квартал",    u"II квартал",  u"III квартал", u"IV квартал",  u"января",       u"февраля",
    u"марта",        u"апреля",      u"мая",         u"июня",        u"июля",         u"августа",
    u"сентября",     u"октября",     u"ноября",      u"декабря",     u"I квартала",   u"II квартала",
    u"III квартала", u"IV квартала", u"січня",       u"лютого",      u"березня",      u"квітня",
    u"травня",       u"червня",      u"липня",       u"серпня",      u"вересня",      u"жовтня",
    u"листопада",    u"грудня",      u"I кварталу",  u"II кварталу", u"III кварталу", u"IV кварталу",
};
// The Ukrainian nominative: what a list and "за …" on an act need (the table's Ukrainian block is genitive,
// for dates).
const char16_t* const kUkrainianPeriods[16] = {
    u"січень",    u"лютий",      u"березень",    u"квітень",    u"травень",  u"червень",
    u"липень",    u"серпень",    u"вересень",    u"жовтень",    u"листопад", u"грудень",
    u"I квартал", u"II квартал", u"III квартал", u"IV квартал",
};
} // namespace

QString MonthName(int index)
{
    if (index < 1 || index > 48)
        return {};
    return QString::fromUtf16(kMonths[index - 1]);
}

QString ActPeriodName(int actMonth, bool ukrainian)
{
    if (actMonth < 1 || actMonth > 16)
        return {};
    return ukrainian ? QString::fromUtf16(kUkrainianPeriods[actMonth - 1])
                     : MonthName(kRussianNominativeBlock + actMonth);
}

QString ActBlankPeriod(int actMonth, int year)
{
    const QString name = ActPeriodName(actMonth, true);
    return name.isEmpty() ? QString() : QStringLiteral("за %1 %2 р.").arg(name).arg(year);
}
