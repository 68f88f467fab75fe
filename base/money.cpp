#include "base/money.h"

#include <charconv>
#include <cmath>
#include <cstring>
#include <optional>

namespace {

using Wide = __int128;

// A double as the decimal it prints as at its shortest: mantissa × 10^exponent, at most 17 digits.
struct Decimal {
    Wide mantissa = 0;
    int exponent = 0;
};

std::optional<Decimal> shortest(double value)
{
    if (!std::isfinite(value))
        return std::nullopt;
    if (value == 0)
        return Decimal{};
    char text[64];
    const char* end = std::to_chars(text, text + sizeof text, value, std::chars_format::scientific).ptr;
    Decimal d;
    const char* p = text;
    const bool negative = *p == '-';
    if (negative)
        ++p;
    int fractionDigits = 0;
    bool inFraction = false;
    for (; p < end && *p != 'e'; ++p) {
        if (*p == '.') {
            inFraction = true;
            continue;
        }
        d.mantissa = d.mantissa * 10 + (*p - '0');
        if (inFraction)
            ++fractionDigits;
    }
    int exponent = 0;
    if (p < end)
        std::from_chars(p + (p[1] == '+' ? 2 : 1), end, exponent);
    d.exponent = exponent - fractionDigits;
    if (negative)
        d.mantissa = -d.mantissa;
    return d;
}

constexpr Wide pow10(int n)
{
    Wide p = 1;
    for (int i = 0; i < n; ++i)
        p *= 10;
    return p;
}

enum class Tie { ToEven, AwayFromZero };

// value × 10^shift as a whole number, rounded at the tie given; nullopt when it leaves the valid range.
std::optional<std::int64_t> scaled(Wide value, int shift, Tie tie)
{
    const Wide limit = Money::kLimitKopecks;
    if (shift >= 0) {
        for (int i = 0; i < shift; ++i) {
            if (value > limit || value < -limit)
                return std::nullopt;
            value *= 10;
        }
    } else if (-shift > 36) {
        value = 0; // |value| < 10^35, so less than a tenth of a kopeck
    } else {
        const Wide divisor = pow10(-shift);
        Wide quotient = value / divisor;
        const Wide rest = value % divisor; // the sign of value
        const Wide twice = (rest < 0 ? -rest : rest) * 2;
        const bool up = twice > divisor || (twice == divisor && (tie == Tie::AwayFromZero || quotient % 2 != 0));
        if (up)
            quotient += value < 0 ? -1 : 1;
        value = quotient;
    }
    if (value > limit || value < -limit)
        return std::nullopt;
    return std::int64_t(value);
}

} // namespace

namespace {

// Whole kopecks straight from the double, where its decimal can hold nothing finer: far below the limit,
// any error of the double is a tiny fraction of a kopeck and rounds away just as the exact decimal's would.
std::optional<std::int64_t> wholeKopecks(double kopecks)
{
    if (std::fabs(kopecks) < 1e13 && kopecks == std::nearbyint(kopecks))
        return std::int64_t(kopecks);
    return std::nullopt;
}

} // namespace

Money Money::fromDouble(double hryvnias)
{
    if (const std::optional<std::int64_t> whole = wholeKopecks(hryvnias * 100))
        return Money(*whole);
    const std::optional<Decimal> d = shortest(hryvnias);
    if (!d)
        return invalid();
    const std::optional<std::int64_t> k = scaled(d->mantissa, d->exponent + 2, Tie::ToEven);
    return k ? Money(*k) : invalid();
}

Money Money::product(double count, double price)
{
    if (const std::optional<std::int64_t> whole = wholeKopecks(count * price * 100))
        return Money(*whole);
    const std::optional<Decimal> c = shortest(count), p = shortest(price);
    if (!c || !p)
        return invalid();
    const std::optional<std::int64_t> k =
        scaled(c->mantissa * p->mantissa, c->exponent + p->exponent + 2, Tie::ToEven);
    return k ? Money(*k) : invalid();
}

Money Money::percent(double rate) const
{
    const std::optional<Decimal> r = shortest(rate);
    if (!isValid() || !r)
        return invalid();
    const std::optional<std::int64_t> k =
        scaled(Wide(m_kopecks) * r->mantissa, r->exponent - 2, Tie::AwayFromZero);
    return k ? Money(*k) : invalid();
}

double Money::toDouble() const
{
    return isValid() ? double(m_kopecks) / 100.0 : std::nan("");
}

Money Money::operator+(Money other) const
{
    std::int64_t sum = 0;
    if (!isValid() || !other.isValid() || __builtin_add_overflow(m_kopecks, other.m_kopecks, &sum) ||
        sum > kLimitKopecks || sum < -kLimitKopecks)
        return invalid();
    return Money(sum);
}

Money Money::operator-(Money other) const
{
    return *this + -other;
}

int Money::textChars(char decimalSeparator, char* out) const
{
    if (!isValid()) {
        std::memcpy(out, "NAN", 3);
        return 3;
    }
    const std::uint64_t magnitude = m_kopecks < 0 ? std::uint64_t(-m_kopecks) : std::uint64_t(m_kopecks);
    int length = 0;
    if (m_kopecks < 0)
        out[length++] = '-';
    length = int(std::to_chars(out + length, out + 32, magnitude / 100).ptr - out);
    out[length++] = decimalSeparator;
    out[length++] = char('0' + magnitude % 100 / 10);
    out[length++] = char('0' + magnitude % 10);
    return length;
}

QString Money::text(QChar decimalSeparator) const
{
    char chars[32];
    const int length = textChars(decimalSeparator.toLatin1(), chars);
    return QString::fromLatin1(chars, length);
}
