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
} // namespace

QString MonthName(int index)
{
    if (index < 1 || index > 48)
        return {};
    return QString::fromUtf16(kMonths[index - 1]);
}

QString ActPeriodName(int actMonth)
{
    return actMonth >= 1 && actMonth <= 16 ? MonthName(kRussianNominativeBlock + actMonth) : QString();
}
