#include "base/requisites.h"

#include "base/prompter.h"

#include <QCoreApplication>

#include <array>
#include <utility>

namespace {

bool allDigits(const QString& text)
{
    for (QChar c : text)
        if (c < u'0' || c > u'9')
            return false;
    return !text.isEmpty();
}

int digit(const QString& text, int i)
{
    return text.at(i).unicode() - u'0';
}

// The countries of the ISO 13616 IBAN registry and the length of their IBANs; 0 for a country it does not
// list (territories that use their country's IBAN are under its code).
int ibanLength(const QString& country)
{
    static const std::pair<const char*, int> lengths[] = {
        {"AD", 24}, {"AE", 23}, {"AL", 28}, {"AT", 20}, {"AZ", 28}, {"BA", 20}, {"BE", 16}, {"BG", 22},
        {"BH", 22}, {"BI", 27}, {"BR", 29}, {"BY", 28}, {"CH", 21}, {"CR", 22}, {"CY", 28}, {"CZ", 24},
        {"DE", 22}, {"DJ", 27}, {"DK", 18}, {"DO", 28}, {"EE", 20}, {"EG", 29}, {"ES", 24}, {"FI", 18},
        {"FK", 18}, {"FO", 18}, {"FR", 27}, {"GB", 22}, {"GE", 22}, {"GI", 23}, {"GL", 18}, {"GR", 27},
        {"GT", 28}, {"HN", 28}, {"HR", 21}, {"HU", 28}, {"IE", 22}, {"IL", 23}, {"IQ", 23}, {"IS", 26},
        {"IT", 27}, {"JO", 30}, {"KW", 30}, {"KZ", 20}, {"LB", 28}, {"LC", 32}, {"LI", 21}, {"LT", 20},
        {"LU", 20}, {"LV", 21}, {"LY", 25}, {"MC", 27}, {"MD", 24}, {"ME", 22}, {"MK", 19}, {"MN", 20},
        {"MR", 27}, {"MT", 31}, {"MU", 30}, {"NI", 28}, {"NL", 18}, {"NO", 15}, {"OM", 23}, {"PK", 24},
        {"PL", 28}, {"PS", 29}, {"PT", 25}, {"QA", 29}, {"RO", 24}, {"RS", 22}, {"RU", 33}, {"SA", 24},
        {"SC", 31}, {"SD", 18}, {"SE", 24}, {"SI", 19}, {"SK", 24}, {"SM", 27}, {"SO", 23}, {"ST", 25},
        {"SV", 28}, {"TL", 23}, {"TN", 24}, {"TR", 26}, {"UA", 29}, {"VA", 22}, {"VG", 24}, {"XK", 20},
        {"YE", 30}};
    for (const auto& [code, length] : lengths)
        if (country == QLatin1String(code))
            return length;
    return 0;
}

// ISO 7064 mod 97-10 over the IBAN moved round: its country and check digits go to the end.
int ibanRemainder(const QString& iban)
{
    const QString moved = iban.mid(4) + iban.left(4);
    int remainder = 0;
    for (QChar c : moved) {
        const int value = c.isDigit() ? c.unicode() - u'0' : c.unicode() - u'A' + 10;
        remainder = (value >= 10 ? remainder * 100 : remainder * 10) + value;
        remainder %= 97;
    }
    return remainder;
}

} // namespace

QString CompactIban(const QString& account)
{
    QString compact;
    for (QChar c : account)
        if (!c.isSpace() && c != u'-' && c != u'\u2010' && c != u'\u2011')
            compact += c.toUpper();
    return compact;
}

QString StoredAccount(const QString& account)
{
    return LooksLikeIban(account) ? CompactIban(account) : account;
}

bool LooksLikeIban(const QString& account)
{
    const QString compact = CompactIban(account);
    return compact.size() >= 2 && compact.at(0).isLetter() && compact.at(1).isLetter();
}

QString GroupedIban(const QString& account)
{
    const QString compact = CompactIban(account);
    QStringList groups;
    for (qsizetype i = 0; i < compact.size(); i += 4)
        groups << compact.mid(i, 4);
    return groups.join(u' ');
}

QString IbanProblem(const QString& account)
{
    if (!LooksLikeIban(account))
        return {};
    const QString iban = CompactIban(account);
    for (QChar c : iban)
        if (!((c >= u'A' && c <= u'Z') || (c >= u'0' && c <= u'9')))
            return QCoreApplication::translate(
                       "Requisites",
                       "IBAN %1 содержит недопустимый знак «%2»: в IBAN только латинские буквы и цифры.")
                .arg(account.trimmed(), c);
    const QString country = iban.left(2);
    const int expected = ibanLength(country);
    if (expected == 0)
        return QCoreApplication::translate("Requisites",
                                           "IBAN %1 начинается с %2: такой страны нет в реестре IBAN.")
            .arg(account.trimmed(), country);
    if (iban.size() != expected)
        return QCoreApplication::translate("Requisites", "IBAN %1 содержит %2 знаков, а IBAN страны %3 — %4.")
            .arg(account.trimmed())
            .arg(iban.size())
            .arg(country)
            .arg(expected);
    // ISO 13616 gives check digits from 02 to 98 only; 00, 01 and 99 pass the remainder all the same.
    const int checkDigits = iban.mid(2, 2).toInt();
    if (!iban.at(2).isDigit() || !iban.at(3).isDigit() || checkDigits < 2 || checkDigits > 98 ||
        ibanRemainder(iban) != 1)
        return QCoreApplication::translate("Requisites", "IBAN %1 не проходит проверку контрольных цифр.")
            .arg(account.trimmed());
    return {};
}

QString BankCodeOfIban(const QString& account)
{
    const QString iban = CompactIban(account);
    if (!iban.startsWith(QLatin1String("UA")) || iban.size() != 29 || !IbanProblem(iban).isEmpty())
        return {};
    return iban.mid(4, 6);
}

bool EdrpouValid(const QString& code)
{
    if (code.size() != 8 || !allDigits(code))
        return false;
    // Codes between 30 000 000 and 60 000 000 weigh their digits from 7, the others from 1; a remainder
    // of 10 is worked out again with every weight two higher, and a second 10 counts as 0.
    const int number = code.toInt();
    const bool middle = number >= 30000000 && number <= 60000000;
    const auto remainder = [&](int add) {
        int sum = 0;
        for (int i = 0; i < 7; ++i)
            sum += digit(code, i) * ((middle ? (i == 0 ? 7 : i) : i + 1) + add);
        return sum % 11;
    };
    int check = remainder(0);
    if (check == 10)
        check = remainder(2) % 10;
    return check == digit(code, 7);
}

bool RnokppValid(const QString& code)
{
    if (code.size() != 10 || !allDigits(code))
        return false;
    static constexpr std::array<int, 9> kWeights = {-1, 5, 7, 9, 4, 6, 10, 5, 7};
    int sum = 0;
    for (int i = 0; i < 9; ++i)
        sum += digit(code, i) * kWeights[std::size_t(i)];
    return ((sum % 11 + 11) % 11) % 10 == digit(code, 9);
}

namespace {

// A person's (or sole trader's) ten-digit code, checked by its control digit.
QString rnokppProblem(const QString& code)
{
    return RnokppValid(code) ? QString()
                             : QCoreApplication::translate(
                                   "Requisites", "РНОКПП %1 не проходит проверку контрольной цифры.")
                                   .arg(code);
}

} // namespace

QString OkpoProblem(const QString& value)
{
    const QString code = value.trimmed();
    if (code.isEmpty())
        return {};
    if (allDigits(code) && code.size() == 8)
        return EdrpouValid(code) ? QString()
                                 : QCoreApplication::translate(
                                       "Requisites", "Код ЕДРПОУ %1 не проходит проверку контрольной цифры.")
                                       .arg(code);
    if (allDigits(code) && code.size() == 10)
        return rnokppProblem(code);
    return QCoreApplication::translate(
               "Requisites", "Код ЕДРПОУ «%1» должен состоять из 8 цифр (РНОКПП предпринимателя — из 10).")
        .arg(code);
}

QString TaxCodeProblem(const QString& value)
{
    const QString code = value.trimmed();
    if (code.isEmpty())
        return {};
    if (allDigits(code) && code.size() == 12)
        return {};
    if (allDigits(code) && code.size() == 10)
        return rnokppProblem(code);
    return QCoreApplication::translate(
               "Requisites",
               "ІПН плательщика НДС «%1» должен состоять из 12 цифр (РНОКПП предпринимателя — из 10).")
        .arg(code);
}

QStringList RequisiteProblems(const QString& account, const QString& okpoCode, const QString& taxCode)
{
    QStringList problems;
    for (const QString& problem : {IbanProblem(account), OkpoProblem(okpoCode), TaxCodeProblem(taxCode)})
        if (!problem.isEmpty())
            problems << problem;
    return problems;
}

QStringList TypedRequisiteProblems(const Requisites& typed, const std::optional<Requisites>& stored)
{
    const auto typedNow = [&](QString Requisites::*field) {
        return stored && (*stored).*field == typed.*field ? QString() : typed.*field;
    };
    return RequisiteProblems(typedNow(&Requisites::account), typedNow(&Requisites::okpoCode),
                             typedNow(&Requisites::taxCode));
}

bool StoreDespiteProblems(Prompter& prompter, const QStringList& problems)
{
    return problems.isEmpty() ||
           prompter.ask(problems.join(u'\n') + QStringLiteral("\n\n") +
                        QCoreApplication::translate("Requisites", "Сохранить так, как введено?"));
}
