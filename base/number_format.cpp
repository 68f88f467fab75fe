#include "base/number_format.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstring>
#include <string>

int FormatFixedChars(double value, int decimals, char decimalSeparator, char* out)
{
    decimals = std::clamp(decimals, 0, 18);
    if (!std::isfinite(value)) {
        const char* text = std::isnan(value) ? "NAN" : (value > 0 ? "INF" : "-INF");
        const int length = int(std::strlen(text));
        std::memcpy(out, text, std::size_t(length));
        return length;
    }

    // 18 significant digits, d.ddddddddddddddddde±x; to_chars rounds correctly as printf("%.17e") does,
    // many times faster (registers format millions of numbers).
    char sci[64];
    const char* end =
        std::to_chars(sci, sci + sizeof sci, std::fabs(value), std::chars_format::scientific, 17).ptr;
    const char* e = std::find(static_cast<const char*>(sci), end, 'e');
    int exponent = 0;
    std::from_chars(e + (e[1] == '+' ? 2 : 1), end, exponent);

    // Digits as an integer with the decimal point after position pointPos.
    char digits[kMaxFixedChars];
    int n = 0;
    int pointPos = exponent + 1;
    if (pointPos <= 0) {
        std::memset(digits, '0', std::size_t(1 - pointPos));
        n = 1 - pointPos;
        pointPos = 1;
    }
    digits[n++] = sci[0];
    for (const char* p = sci + 2; p < e; ++p)
        digits[n++] = *p;
    while (n < pointPos + decimals + 1)
        digits[n++] = '0';

    // Round half away from zero at the wanted decimal.
    const int keep = pointPos + decimals;
    const bool roundUp = digits[keep] >= '5';
    n = keep;
    if (roundUp) {
        int i = keep - 1;
        while (i >= 0 && digits[i] == '9')
            digits[i--] = '0';
        if (i >= 0) {
            ++digits[i];
        } else {
            std::memmove(digits + 1, digits, std::size_t(n));
            digits[0] = '1';
            ++n;
            ++pointPos;
        }
    }

    int start = 0;
    while (start < pointPos - 1 && digits[start] == '0')
        ++start;
    const bool isZero = std::all_of(digits + start, digits + n, [](char c) { return c == '0'; });
    int length = 0;
    if (value < 0 && !isZero)
        out[length++] = '-';
    std::memcpy(out + length, digits + start, std::size_t(pointPos - start));
    length += pointPos - start;
    if (decimals > 0) {
        out[length++] = decimalSeparator;
        std::memcpy(out + length, digits + pointPos, std::size_t(decimals));
        length += decimals;
    }
    return length;
}

QString FormatFixed(double value, int decimals, QChar decimalSeparator)
{
    char text[kMaxFixedChars];
    const int length = FormatFixedChars(value, decimals, decimalSeparator.toLatin1(), text);
    return QString::fromLatin1(text, length);
}

QString FormatByDisplayFormat(double value, const QString& format)
{
    const qsizetype dot = format.indexOf(u'.');
    const int decimals = dot < 0 ? 0 : int(format.size() - dot - 1);
    return FormatFixed(value, decimals, u',');
}

bool ParseDecimal(const QString& text, double* value)
{
    QString s = text.trimmed();
    s.replace(u',', u'.');
    if (s.isEmpty())
        return false;
    for (QChar c : s)
        if (!(c.isDigit() && c.unicode() < 128) && c != u'.' && c != u'-' && c != u'+')
            return false;
    bool ok = false;
    const double v = s.toDouble(&ok);
    if (!ok || !std::isfinite(v))
        return false;
    *value = v;
    return true;
}

TypedNumber ParseTypedNumber(const QString& text, int places, bool allowNegative, double* value)
{
    const QString t = text.trimmed();
    QString digits;
    qsizetype i = 0;
    bool negative = false;
    if (i < t.size() && (t[i] == u'-' || t[i] == u'+')) {
        negative = t[i] == u'-';
        ++i;
    }
    // The whole part; a group blank only between digits.
    bool whole = false;
    for (; i < t.size() && t[i] != u',' && t[i] != u'.'; ++i) {
        const QChar c = t[i];
        if (c >= u'0' && c <= u'9') {
            digits += c;
            whole = true;
        } else if (!(c.isSpace() && whole && i + 1 < t.size() && t[i + 1] >= u'0' && t[i + 1] <= u'9')) {
            return TypedNumber::NotANumber;
        }
    }
    QString fraction;
    if (i < t.size()) {
        for (++i; i < t.size(); ++i) {
            if (t[i] < u'0' || t[i] > u'9')
                return TypedNumber::NotANumber; // a second mark, a blank or a letter
            fraction += t[i];
        }
    }
    if (digits.isEmpty() && fraction.isEmpty()) {
        if (!t.isEmpty())
            return TypedNumber::NotANumber; // a sign or a mark alone
        *value = 0;
        return TypedNumber::Ok;
    }
    const QStringView beyond = QStringView(fraction).mid(std::max(places, 0));
    if (std::any_of(beyond.begin(), beyond.end(), [](QChar c) { return c != u'0'; }))
        return TypedNumber::TooManyDecimals;
    bool ok = false;
    const double v = (QStringLiteral("0") + digits + u'.' + fraction + u'0').toDouble(&ok);
    if (!ok || !std::isfinite(v))
        return TypedNumber::NotANumber;
    if (negative && v != 0 && !allowNegative)
        return TypedNumber::Negative;
    *value = negative ? -v : v;
    return TypedNumber::Ok;
}

int TypedDecimalsNeeded(const QString& text)
{
    const QString t = text.trimmed();
    const qsizetype mark = std::max(t.lastIndexOf(u','), t.lastIndexOf(u'.'));
    if (mark < 0)
        return 0;
    qsizetype last = t.size() - 1;
    while (last > mark && t[last] == u'0')
        --last;
    return int(last - mark);
}

QString TypedNumberText(double value, int places)
{
    return FormatFixed(value, std::clamp(places, 0, 9), u',');
}
