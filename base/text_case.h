#pragma once

#include <QByteArray>
#include <QChar>
#include <QString>

// The one case rule of the program: Latin a-z, Russian а-я with ё, Ukrainian і ї є ґ have capitals, and
// nothing else does. The register's order, the client search and the capitals printed on the blanks
// all follow it, so a name found by the search sorts and prints the same way.
namespace TextCase {
// Lower case and capital of the letters outside the two contiguous runs.
inline constexpr struct {
    char16_t lower, upper;
} kPairs[] = {{u'і', u'І'}, {u'ґ', u'Ґ'}, {u'ё', u'Ё'}, {u'є', u'Є'}, {u'ї', u'Ї'}};
} // namespace TextCase

constexpr char16_t LowerCaseChar(char16_t c)
{
    if ((c >= u'A' && c <= u'Z') || (c >= u'А' && c <= u'Я'))
        return char16_t(c + 0x20);
    if (c < u'Ё' || c > u'Ґ')
        return c;
    for (const auto& p : TextCase::kPairs)
        if (c == p.upper)
            return p.lower;
    return c;
}

constexpr char16_t UpperCaseChar(char16_t c)
{
    if ((c >= u'a' && c <= u'z') || (c >= u'а' && c <= u'я'))
        return char16_t(c - 0x20);
    for (const auto& p : TextCase::kPairs)
        if (c == p.lower)
            return p.upper;
    return c;
}

QString foldCase(const QString& text);
// The same folding on UTF-8 text, in place, of at most maxCharacters characters; every folded letter keeps
// its byte length. Returns the bytes those characters take.
qsizetype foldCaseUtf8(char* text, qsizetype size, qsizetype maxCharacters = -1);

// The capital of a Russian, Ukrainian or Latin lower-case letter; any other character unchanged.
QChar UpperCase1251Char(QChar ch);
QString UpperCase1251(const QString& text);
