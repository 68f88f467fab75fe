#include "print/amount_in_words.h"
#include "base/text_case.h"

#include "base/prompter.h"
#include "db/data_module.h"

#include <QCoreApplication>

#include <cmath>

namespace {

// Columns: units (with the currency word), tens, hundreds, thousands. Row 0 closes an amount whose digit is
// 0.
using WordTable = const char16_t* const[10][4];

WordTable kRussianHryvnias = {
    {u" гривень", u"  ", u"  ", u" тысяч"},
    {u" одна гривня", u" десять", u" сто", u" одна тысяча"},
    {u" две гривни", u" двадцать", u" двести", u" две тысячи"},
    {u" три гривни", u" тридцать", u" триста", u" три тысячи"},
    {u" четыре гривни", u" сорок", u" четыреста", u" четыре тысячи"},
    {u" пять гривень", u" пятьдесят", u" пятьсот", u" пять тысяч"},
    {u" шесть гривень", u" шестьдесят", u" шестьсот", u" шесть тысяч"},
    {u" семь гривень", u" семьдесят", u" семьсот", u" семь тысяч"},
    {u" восемь гривень", u" восемьдесят", u" восемьсот", u" восемь тысяч"},
    {u" девять гривень", u" девяносто", u" девятьсот", u" девять тысяч"},
};

WordTable kRussianDollars = {
    {u" долларов", u"  ", u"  ", u" тысяч"},
    {u" один доллар", u" десять", u" сто", u" одна тысяча"},
    {u" два доллара", u" двадцать", u" двести", u" две тысячи"},
    {u" три доллара", u" тридцать", u" триста", u" три тысячи"},
    {u" четыре доллара", u" сорок", u" четыреста", u" четыре тысячи"},
    {u" пять долларов", u" пятьдесят", u" пятьсот", u" пять тысяч"},
    {u" шесть долларов", u" шестьдесят", u" шестьсот", u" шесть тысяч"},
    {u" семь долларов", u" семьдесят", u" семьсот", u" семь тысяч"},
    {u" восемь долларов", u" восемьдесят", u" восемьсот", u" восемь тысяч"},
    {u" девять долларов", u" девяносто", u" девятьсот", u" девять тысяч"},
};

// The Ukrainian apostrophe is the straight double quote, as the printed blanks have always shown it.
WordTable kUkrainianHryvnias = {
    {u" гривень", u"  ", u"  ", u" тисяч"},
    {u" одна гривня", u" десять", u" сто", u" одна тисяча"},
    {u" дві гривні", u" двадцять", u" двісті", u" дві тисячі"},
    {u" три гривні", u" тридцять", u" триста", u" три тисячі"},
    {u" чотири гривні", u" сорок", u" чотириста", u" чотири тисячі"},
    {u" п\"ять гривень", u" п\"ятьдесят", u" п\"ятсот", u" п\"ять тисяч"},
    {u" шість гривень", u" шістдесят", u" шістсот", u" шість тисяч"},
    {u" сім гривень", u" сімдесят", u" сімсот", u" сім тисяч"},
    {u" вісім гривень", u" вісімдесят", u" вісімсот", u" вісім тисяч"},
    {u" дев\"ять гривень", u" дев\"яносто", u" дев\"ятсот", u" дев\"ять тисяч"},
};

// Printed as it always was, spellings included ("сімь тисяч", "дві тисячи").
WordTable kUkrainianDollars = {
    {u" доларів", u"  ", u"  ", u" тисяч"},
    {u" один долар", u" десять", u" сто", u" одна тисяча"},
    {u" два долара", u" двадцять", u" двісті", u" дві тисячи"},
    {u" три долара", u" тридцять", u" триста", u" три тисячи"},
    {u" чотири долара", u" сорок", u" чотириста", u" чотири тисячи"},
    {u" п\"ять доларів", u" п\"ятдесят", u" п\"ятсот", u" п\"ять тисяч"},
    {u" шість доларів", u" шістдесят", u" шістсот", u" шість тисяч"},
    {u" сім доларів", u" сімдесят", u" сімсот", u" сімь тисяч"},
    {u" вісім доларів", u" вісімдесят", u" вісімсот", u" вісім тисяч"},
    {u" дев\"ять доларів", u" дев\"яносто", u" дев\"ятсот", u" дев\"ять тисяч"},
};

const char16_t* const kRussianTeens[10] = {
    u" десять",     u" одиннадцать", u" двенадцать", u" тринадцать",   u" четырнадцать",
    u" пятнадцать", u" шестнадцать", u" семнадцать", u" восемнадцать", u" девятнадцать",
};
const char16_t* const kUkrainianTeens[10] = {
    u" десять",       u" одинадцять",  u" дванадцять", u" тринадцять",   u" чотирнадцять",
    u" п\"ятнадцять", u" шістнадцять", u" сімнадцять", u" вісімнадцять", u" дев\"ятнадцять",
};

enum Column { Units = 0, Tens = 1, Hundreds = 2, Thousands = 3 };

QString spellDigits(const QString& digits, WordTable& words, const char16_t* const (&teens)[10])
{
    QString out;
    static const Column columnOfPlace[7] = {Units, Units, Tens, Hundreds, Thousands, Tens, Hundreds};
    int place = int(digits.size());
    int i = 0;
    while (place > 0) {
        const int digit = digits[i].digitValue();
        if ((place == 2 || place == 5) && digit == 1) {
            const int next = digits[i + 1].digitValue();
            out += QString::fromUtf16(teens[next]);
            out += QString::fromUtf16(words[0][place == 2 ? Units : Thousands]);
            i += 2;
            place -= 2;
        } else {
            out += QString::fromUtf16(words[digit][columnOfPlace[place]]);
            i += 1;
            place -= 1;
        }
    }
    return out;
}

} // namespace

QString AmountInWords(double amount, bool russian, bool hryvnias, bool slashBeforeKopecks, bool capitalise,
                      Prompter* prompter)
{
    const bool negative = amount < 0;
    const double magnitude = std::fabs(amount);
    const bool representable = std::isfinite(magnitude) && magnitude < 2147483648.0;

    long long units = representable ? static_cast<long long>(std::trunc(magnitude)) : 0;
    // Ties go to the even neighbour: the default rounding mode of nearbyint.
    long long kopecks =
        representable ? static_cast<long long>(std::nearbyint((magnitude - units) * 100.0)) : 0;
    if (kopecks == 100) {
        ++units;
        kopecks = 0;
    }

    WordTable& words = russian ? (hryvnias ? kRussianHryvnias : kRussianDollars)
                               : (hryvnias ? kUkrainianHryvnias : kUkrainianDollars);
    const auto& teens = russian ? kRussianTeens : kUkrainianTeens;

    QString text;
    if (representable && units == 0) {
        text = hryvnias ? QStringLiteral(" ноль гривень ") : QStringLiteral(" ноль долларов ");
    } else if (!representable || units > 999999) {
        if (prompter)
            prompter->error(QCoreApplication::translate("TDM", "Сумма больше 1000000."));
        text = QString(56, u'_');
    } else {
        text = spellDigits(QString::number(units), words, teens);
    }
    // A negative amount (a refund, a correction) is spelled as its size with a minus word before it.
    if (negative && representable && (units > 0 || kopecks > 0) && units <= 999999)
        text = (russian ? QStringLiteral(" минус") : QStringLiteral(" мінус")) + text;

    text += kopecks < 10 ? QStringLiteral(" 0%1").arg(kopecks) : QStringLiteral(" %1").arg(kopecks);
    text += slashBeforeKopecks ? u'/' : u' ';
    if (hryvnias)
        text += QStringLiteral("коп.");
    else
        text += russian ? QStringLiteral("центов") : QStringLiteral("центiв"); // Latin "i", as printed before

    if (capitalise && text.size() > 1)
        text[1] = UpperCase1251Char(text[1]);
    return text;
}
