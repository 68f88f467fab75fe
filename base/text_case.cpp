#include "base/text_case.h"

namespace {

// Lower case and capital of the letters outside the two contiguous runs.
constexpr struct {
    char16_t lower, upper;
} kPairs[] = {{u'і', u'І'}, {u'ґ', u'Ґ'}, {u'ё', u'Ё'}, {u'є', u'Є'}, {u'ї', u'Ї'}};

} // namespace

char16_t LowerCaseChar(char16_t c)
{
    if ((c >= u'A' && c <= u'Z') || (c >= u'А' && c <= u'Я'))
        return char16_t(c + 0x20);
    for (const auto& p : kPairs)
        if (c == p.upper)
            return p.lower;
    return c;
}

char16_t UpperCaseChar(char16_t c)
{
    if ((c >= u'a' && c <= u'z') || (c >= u'а' && c <= u'я'))
        return char16_t(c - 0x20);
    for (const auto& p : kPairs)
        if (c == p.lower)
            return p.upper;
    return c;
}

QString foldCase(const QString& text)
{
    QString out = text;
    for (QChar& ch : out)
        ch = QChar(LowerCaseChar(ch.unicode()));
    return out;
}

void foldCaseUtf8(char* text, qsizetype size)
{
    auto* p = reinterpret_cast<unsigned char*>(text);
    const auto* end = p + size;
    while (p < end) {
        if (*p < 0x80) {
            if (*p >= 'A' && *p <= 'Z')
                *p += 0x20;
            ++p;
        } else if ((*p & 0xE0) == 0xC0 && p + 1 < end && (p[1] & 0xC0) == 0x80) {
            const char16_t c = char16_t(((p[0] & 0x1F) << 6) | (p[1] & 0x3F));
            const char16_t f = LowerCaseChar(c);
            // Every letter of the rule and its lower case are two-byte sequences.
            p[0] = static_cast<unsigned char>(0xC0 | (f >> 6));
            p[1] = static_cast<unsigned char>(0x80 | (f & 0x3F));
            p += 2;
        } else {
            ++p;
        }
    }
}

QChar UpperCase1251Char(QChar ch)
{
    return QChar(UpperCaseChar(ch.unicode()));
}

QString UpperCase1251(const QString& text)
{
    QString out = text;
    for (QChar& ch : out)
        ch = UpperCase1251Char(ch);
    return out;
}
