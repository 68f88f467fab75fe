#include "db/collation.h"

#include "base/text_case.h"

namespace {

// The combined Russian and Ukrainian alphabet, lower case, in dictionary order.
constexpr char16_t kAlphabet[] = u"абвгґдеёєжзиіїйклмнопрстуўфхцчшщъыьэюя";

struct RankTable {
    unsigned short rank[0x62] = {}; // lower-case 0x430..0x491, 0 = unranked
    RankTable()
    {
        unsigned short r = 1;
        for (char16_t c : kAlphabet)
            if (c)
                rank[c - 0x430] = r++;
    }
};

// Decodes one UTF-8 sequence; malformed bytes stand for themselves.
char32_t nextCodePoint(const unsigned char*& p, const unsigned char* end)
{
    const unsigned char b = *p++;
    if (b < 0x80)
        return b;
    int extra = b >= 0xF0 ? 3 : b >= 0xE0 ? 2 : b >= 0xC0 ? 1 : 0;
    char32_t cp = extra == 3 ? (b & 0x07) : extra == 2 ? (b & 0x0F) : (b & 0x1F);
    if (extra == 0 || end - p < extra)
        return b;
    for (int i = 0; i < extra; ++i)
        cp = (cp << 6) | (*p++ & 0x3F);
    return cp;
}

} // namespace

// Latin and everything below the Cyrillic block keep their (folded) code points; the ranked Cyrillic
// letters come next, and every other character follows, shifted above them.
char32_t textWeight(char32_t c)
{
    static const RankTable table;
    if (c < 0x10000)
        c = LowerCaseChar(char16_t(c));
    if (c < 0x400)
        return c;
    if (c >= 0x430 && c <= 0x491 && table.rank[c - 0x430])
        return 0x400 + table.rank[c - 0x430];
    return c + 0x100;
}

int compareUtf8(void*, int lenA, const void* a, int lenB, const void* b)
{
    auto pa = static_cast<const unsigned char*>(a);
    auto pb = static_cast<const unsigned char*>(b);
    const auto ea = pa + lenA;
    const auto eb = pb + lenB;
    while (pa < ea && pb < eb) {
        const char32_t wa = textWeight(nextCodePoint(pa, ea));
        const char32_t wb = textWeight(nextCodePoint(pb, eb));
        if (wa != wb)
            return wa < wb ? -1 : 1;
    }
    if (pa < ea)
        return 1;
    if (pb < eb)
        return -1;
    return 0;
}

int compareText(const QString& a, const QString& b)
{
    const QByteArray ua = a.toUtf8();
    const QByteArray ub = b.toUtf8();
    return compareUtf8(nullptr, int(ua.size()), ua.constData(), int(ub.size()), ub.constData());
}
