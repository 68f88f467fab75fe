#pragma once

#include <QString>

#include <compare>
#include <cstdint>

// An amount of money in whole kopecks, reckoned exactly. Stored amounts, counts and rates are doubles;
// each is read through its shortest decimal form (the figure the user typed), so a half kopeck is a half
// kopeck and falls the same way on every paper.
//
// An amount beyond ±10^15 hryvnias, or made of a NaN or an infinity, is not valid: it stays not valid
// through every sum, and no paper prints it.
class Money {
public:
    constexpr Money() = default;
    static constexpr Money fromKopecks(std::int64_t kopecks) { return Money(kopecks); }
    static constexpr Money invalid() { return Money(kInvalid); }

    // A stored amount in whole kopecks, an exact half to the even neighbour.
    static Money fromDouble(double hryvnias);
    // count × price in whole kopecks, an exact half to the even neighbour (a position's sum).
    static Money product(double count, double price);

    // This amount × rate %, exactly, then half away from zero (VAT, the advertising tax).
    Money percent(double rate) const;

    constexpr bool isValid() const { return m_kopecks != kInvalid; }
    constexpr std::int64_t kopecks() const { return m_kopecks; }
    // The nearest double: exact enough for every amount a blank shows (and NaN when not valid).
    double toDouble() const;

    Money operator+(Money other) const;
    Money operator-(Money other) const;
    Money& operator+=(Money other) { return *this = *this + other; }
    Money operator-() const { return isValid() ? Money(-m_kopecks) : invalid(); }
    constexpr bool operator==(const Money&) const = default;
    constexpr auto operator<=>(const Money&) const = default;

    // "1234,50": two decimals, no grouping, the separator given; "NAN" when not valid.
    QString text(QChar decimalSeparator = u',') const;
    // The same in ASCII into out (at least 32 chars); returns its length.
    int textChars(char decimalSeparator, char* out) const;

    static constexpr std::int64_t kLimitKopecks = 100'000'000'000'000'000; // 10^15 hryvnias

private:
    static constexpr std::int64_t kInvalid = INT64_MIN;
    constexpr explicit Money(std::int64_t kopecks)
        : m_kopecks(kopecks)
    {
    }
    std::int64_t m_kopecks = 0;
};
