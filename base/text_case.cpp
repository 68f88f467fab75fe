#include "base/text_case.h"

QString foldCase(const QString& text)
{
    QString out = text;
    for (QChar& ch : out)
        ch = QChar(LowerCaseChar(ch.unicode()));
    return out;
}

qsizetype foldCaseUtf8(char* text, qsizetype size, qsizetype maxCharacters)
{
    auto* p = reinterpret_cast<unsigned char*>(text);
    const auto* begin = p;
    const auto* end = p + size;
    for (qsizetype characters = 0; p < end; ++characters) {
        if (characters == maxCharacters)
            return p - begin;
        const unsigned char b = *p;
        if (b < 0x80) {
            if (b >= 'A' && b <= 'Z')
                *p = b + 0x20;
            ++p;
        } else if ((b == 0xD0 || b == 0xD2) && p + 1 < end && (p[1] & 0xC0) == 0x80) {
            // Only U+0400..U+043F and U+0480..U+04BF hold capitals of the rule; every letter of the rule
            // and its lower case are two-byte sequences.
            const char16_t f = LowerCaseChar(char16_t(((b & 0x1F) << 6) | (p[1] & 0x3F)));
            p[0] = static_cast<unsigned char>(0xC0 | (f >> 6));
            p[1] = static_cast<unsigned char>(0x80 | (f & 0x3F));
            p += 2;
        } else {
            // Any other character, whole: its continuation bytes are passed over.
            ++p;
            while (p < end && (*p & 0xC0) == 0x80)
                ++p;
        }
    }
    return p - begin;
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
