#include "print/amount_in_words.h"

#include "base/prompter.h"
#include "base/text_case.h"

#include <QCoreApplication>
#include <QStringList>

#include <cmath>

namespace {

// A counted noun in its three forms: after 1 (21, 101 ...), after 2-4 (22, 103 ...), after anything else
// (0, 5-20, 11-14 ...).
struct Noun {
    const char16_t* one;
    const char16_t* few;
    const char16_t* many;
    bool feminine;
};

struct Language {
    const char16_t* units[10][2]; // [digit][feminine]; digit 0 is never spelled
    const char16_t* teens[10];
    const char16_t* tens[10];
    const char16_t* hundreds[10];
    Noun thousand, million, billion;
    Noun hryvnia, dollar, cent;
    const char16_t* zero;
    const char16_t* minus;
};

// The Ukrainian apostrophe is the typographic one (’), which Windows-1251 holds as 0x92.
const Language kRussian = {
    {{u"", u""},
     {u"один", u"одна"},
     {u"два", u"две"},
     {u"три", u"три"},
     {u"четыре", u"четыре"},
     {u"пять", u"пять"},
     {u"шесть", u"шесть"},
     {u"семь", u"семь"},
     {u"восемь", u"восемь"},
     {u"девять", u"девять"}},
    {u"десять", u"одиннадцать", u"двенадцать", u"тринадцать", u"четырнадцать", u"пятнадцать", u"шестнадцать",
     u"семнадцать", u"восемнадцать", u"девятнадцать"},
    {u"", u"десять", u"двадцать", u"тридцать", u"сорок", u"пятьдесят", u"шестьдесят", u"семьдесят",
     u"восемьдесят", u"девяносто"},
    {u"", u"сто", u"двести", u"триста", u"четыреста", u"пятьсот", u"шестьсот", u"семьсот", u"восемьсот",
     u"девятьсот"},
    {u"тысяча", u"тысячи", u"тысяч", true},
    {u"миллион", u"миллиона", u"миллионов", false},
    {u"миллиард", u"миллиарда", u"миллиардов", false},
    {u"гривня", u"гривни", u"гривень", true},
    {u"доллар", u"доллара", u"долларов", false},
    {u"цент", u"цента", u"центов", false},
    u"ноль",
    u"минус",
};

const Language kUkrainian = {
    {{u"", u""},
     {u"один", u"одна"},
     {u"два", u"дві"},
     {u"три", u"три"},
     {u"чотири", u"чотири"},
     {u"п’ять", u"п’ять"},
     {u"шість", u"шість"},
     {u"сім", u"сім"},
     {u"вісім", u"вісім"},
     {u"дев’ять", u"дев’ять"}},
    {u"десять", u"одинадцять", u"дванадцять", u"тринадцять", u"чотирнадцять", u"п’ятнадцять", u"шістнадцять",
     u"сімнадцять", u"вісімнадцять", u"дев’ятнадцять"},
    {u"", u"десять", u"двадцять", u"тридцять", u"сорок", u"п’ятдесят", u"шістдесят", u"сімдесят",
     u"вісімдесят", u"дев’яносто"},
    {u"", u"сто", u"двісті", u"триста", u"чотириста", u"п’ятсот", u"шістсот", u"сімсот", u"вісімсот",
     u"дев’ятсот"},
    {u"тисяча", u"тисячі", u"тисяч", true},
    {u"мільйон", u"мільйони", u"мільйонів", false},
    {u"мільярд", u"мільярди", u"мільярдів", false},
    {u"гривня", u"гривні", u"гривень", true},
    {u"долар", u"долари", u"доларів", false},
    {u"цент", u"центи", u"центів", false},
    u"нуль",
    u"мінус",
};

QString formOf(const Noun& noun, long long count)
{
    const long long lastTwo = count % 100;
    const long long last = count % 10;
    if (lastTwo >= 11 && lastTwo <= 19)
        return QString::fromUtf16(noun.many);
    if (last == 1)
        return QString::fromUtf16(noun.one);
    if (last >= 2 && last <= 4)
        return QString::fromUtf16(noun.few);
    return QString::fromUtf16(noun.many);
}

// Words of 1 ... 999 counting something of the given gender.
void spellTriple(int n, bool feminine, const Language& lang, QStringList& words)
{
    if (n / 100)
        words << QString::fromUtf16(lang.hundreds[n / 100]);
    const int lastTwo = n % 100;
    if (lastTwo >= 10 && lastTwo <= 19) {
        words << QString::fromUtf16(lang.teens[lastTwo - 10]);
        return;
    }
    if (lastTwo / 10)
        words << QString::fromUtf16(lang.tens[lastTwo / 10]);
    if (lastTwo % 10)
        words << QString::fromUtf16(lang.units[lastTwo % 10][feminine ? 1 : 0]);
}

} // namespace

QString AmountInWords(double amount, bool russian, bool hryvnias, bool slashBeforeKopecks, bool capitalise,
                      Prompter* prompter)
{
    const Language& lang = russian ? kRussian : kUkrainian;
    const Noun& currency = hryvnias ? lang.hryvnia : lang.dollar;

    const bool negative = amount < 0;
    const double magnitude = std::fabs(amount);
    const bool finite = std::isfinite(magnitude) && magnitude < 1e15;
    long long units = finite ? static_cast<long long>(std::trunc(magnitude)) : 0;
    // Ties go to the even neighbour: the default rounding mode of nearbyint.
    long long kopecks =
        finite ? static_cast<long long>(std::nearbyint((magnitude - double(units)) * 100.0)) : 0;
    if (kopecks == 100) {
        ++units;
        kopecks = 0;
    }
    const bool spelled = finite && units <= kLargestSpelledAmount;

    QStringList words;
    if (!spelled) {
        if (prompter)
            prompter->error(QCoreApplication::translate("TDM", "Сумма больше 999 999 999 999,99."));
        words << QString(56, u'_');
    } else {
        // A refund or a correction is spelled as its size with a minus word before it.
        if (negative && (units > 0 || kopecks > 0))
            words << QString::fromUtf16(lang.minus);
        if (units == 0)
            words << QString::fromUtf16(lang.zero);
        const struct {
            long long scale;
            const Noun* noun;
        } groups[] = {
            {1'000'000'000LL, &lang.billion}, {1'000'000LL, &lang.million}, {1'000LL, &lang.thousand}};
        for (const auto& group : groups) {
            const int n = int(units / group.scale % 1000);
            if (n) {
                spellTriple(n, group.noun->feminine, lang, words);
                words << formOf(*group.noun, n);
            }
        }
        const int rest = int(units % 1000);
        if (rest)
            spellTriple(rest, currency.feminine, lang, words);
        words << formOf(currency, rest);
    }

    // The refused line starts at the margin, so the whole width can be written on.
    QString text = spelled ? u' ' + words.join(u' ') : words.join(u' ');
    text += kopecks < 10 ? QStringLiteral(" 0%1").arg(kopecks) : QStringLiteral(" %1").arg(kopecks);
    text += slashBeforeKopecks ? u'/' : u' ';
    text += hryvnias ? QStringLiteral("коп.") : formOf(lang.cent, kopecks);

    if (capitalise && text.size() > 1)
        text[1] = UpperCase1251Char(text[1]);
    return text;
}
