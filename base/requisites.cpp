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

// IBAN lengths of the ISO 13616 registry for the countries a Ukrainian firm deals with most.
int ibanLength(const QString& country)
{
    static const std::pair<const char*, int> lengths[] = {
        {"UA", 29}, {"PL", 28}, {"DE", 22}, {"GB", 22}, {"FR", 27}, {"IT", 27}, {"ES", 24}, {"NL", 18},
        {"BE", 16}, {"AT", 20}, {"CH", 21}, {"CZ", 24}, {"SK", 24}, {"HU", 28}, {"RO", 24}, {"BG", 22},
        {"MD", 24}, {"LT", 20}, {"LV", 21}, {"EE", 20}, {"FI", 18}, {"SE", 24}, {"NO", 15}, {"DK", 18},
        {"IE", 22}, {"PT", 25}, {"GR", 27}, {"CY", 28}, {"TR", 26}, {"GE", 22}, {"AZ", 28}, {"KZ", 20},
        {"LU", 20}, {"SI", 19}, {"HR", 21}, {"RS", 22}, {"IL", 23}, {"AE", 23}};
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
        if (!c.isSpace())
            compact += c.toUpper();
    return compact;
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
    if (expected > 0 && iban.size() != expected)
        return QCoreApplication::translate("Requisites", "IBAN %1 содержит %2 знаков, а IBAN страны %3 — %4.")
            .arg(account.trimmed())
            .arg(iban.size())
            .arg(country)
            .arg(expected);
    if (iban.size() < 15 || iban.size() > 34)
        return QCoreApplication::translate("Requisites", "IBAN %1 содержит %2 знаков, а IBAN — от 15 до 34.")
            .arg(account.trimmed())
            .arg(iban.size());
    if (!iban.at(2).isDigit() || !iban.at(3).isDigit() || ibanRemainder(iban) != 1)
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
                                       "Requisites", "Код ЄДРПОУ %1 не проходит проверку контрольной цифры.")
                                       .arg(code);
    if (allDigits(code) && code.size() == 10)
        return rnokppProblem(code);
    return QCoreApplication::translate(
               "Requisites", "Код ЄДРПОУ «%1» должен состоять из 8 цифр (РНОКПП предпринимателя — из 10).")
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
