#include "base/month_names.h"
#include "base/money.h"
#include "base/number_format.h"
#include "base/text_case.h"
#include "db/data_module.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <random>
#include <string>

TEST(FormatFixed, RoundsAt18DigitsThenHalfAwayFromZero)
{
    struct Case {
        double value;
        int decimals;
        const char* text;
    } cases[] = {
        {1234.5, 2, "1234,50"},
        {0.125, 2, "0,13"}, // exact half: away from zero
        {2.675, 2, "2,67"}, // the double lies below the half
        {1.005, 2, "1,00"},
        {-0.125, 2, "-0,13"},
        {-0.001, 2, "0,00"}, // no minus on a zero text
        {0.5, 0, "1"},
        {1.5, 0, "2"},
        {2.5, 0, "3"},
        {99.995, 2, "100,00"},
        {0, 3, "0,000"},
        {1e15, 2, "1000000000000000,00"},
        {123.456789, 4, "123,4568"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(FormatFixed(c.value, c.decimals), QString::fromLatin1(c.text)) << c.value;
    EXPECT_EQ(FormatFixed(12.3, 2, u'.'), QStringLiteral("12.30"));
    EXPECT_EQ(FormatFixed(std::nan(""), 2), QStringLiteral("NAN"));
}

// The formatter once read printf's 18 digits; the faster one must give the same text for any value.
TEST(FormatFixed, AgreesWithPrintfsEighteenDigits)
{
    const auto reference = [](double value, int decimals) {
        char buf[64];
        std::snprintf(buf, sizeof buf, "%.17e", std::fabs(value));
        const std::string s(buf);
        const std::size_t e = s.find('e');
        std::string digits = s.substr(0, 1) + s.substr(2, e - 2);
        int point = std::stoi(s.substr(e + 1)) + 1;
        if (point <= 0) {
            digits.insert(0, std::size_t(1 - point), '0');
            point = 1;
        }
        digits.resize(std::max(digits.size(), std::size_t(point + decimals + 1)), '0');
        const bool up = digits[std::size_t(point + decimals)] >= '5';
        digits.resize(std::size_t(point + decimals));
        for (int i = point + decimals - 1; up; --i) {
            if (i < 0) {
                digits.insert(0, 1, '1');
                ++point;
                break;
            }
            if (digits[std::size_t(i)] != '9') {
                ++digits[std::size_t(i)];
                break;
            }
            digits[std::size_t(i)] = '0';
        }
        std::string whole = digits.substr(0, std::size_t(point));
        whole.erase(0, std::min(whole.find_first_not_of('0'), whole.size() - 1));
        const std::string text = whole + (decimals ? "," + digits.substr(std::size_t(point)) : "");
        const bool zero = text.find_first_not_of("0,") == std::string::npos;
        return QString::fromStdString((value < 0 && !zero ? "-" : "") + text);
    };
    std::mt19937_64 random(7);
    std::uniform_real_distribution<double> mantissa(-10, 10);
    std::uniform_int_distribution<int> exponent(-12, 17);
    for (int i = 0; i < 200000; ++i) {
        // Values near halves of a kopeck too, where the two ways could part.
        const double value = i % 3 ? mantissa(random) * std::pow(10.0, exponent(random))
                                   : std::round(mantissa(random) * 1e5) / 1000 + 0.005;
        const int decimals = i % 5;
        ASSERT_EQ(FormatFixed(value, decimals), reference(value, decimals)) << value << " " << decimals;
    }
    for (double value : {0.0, -0.0, 1e300, -1e-300, 5e-324, 1.7976931348623157e308})
        EXPECT_EQ(FormatFixed(value, 18), reference(value, 18)) << value;
}

TEST(FormatFixed, DisplayFormatsAndKopecks)
{
    EXPECT_EQ(FormatByDisplayFormat(12.5, QStringLiteral("0.00")), QStringLiteral("12,50"));
    EXPECT_EQ(FormatByDisplayFormat(12.5, QStringLiteral("0.")), QStringLiteral("13"));
    EXPECT_EQ(FormatByDisplayFormat(12.3456, QStringLiteral("0.000")), QStringLiteral("12,346"));
    EXPECT_EQ(Money::fromDouble(0.125).kopecks(), 12);
    EXPECT_EQ(Money::fromDouble(0.135).kopecks(), 14);
    EXPECT_EQ(Money::fromDouble(10.0 * 1.15).kopecks(), 1150);
}

TEST(ParseDecimal, AcceptsCommaAndPoint)
{
    double v = 0;
    EXPECT_TRUE(ParseDecimal(QStringLiteral("12,5"), &v));
    EXPECT_DOUBLE_EQ(v, 12.5);
    EXPECT_TRUE(ParseDecimal(QStringLiteral(" 7.25 "), &v));
    EXPECT_DOUBLE_EQ(v, 7.25);
    for (const char* bad : {"", "abc", "1e308e", "nan", "inf", "1,2,3", "1e999"})
        EXPECT_FALSE(ParseDecimal(QString::fromLatin1(bad), &v)) << bad;
}

TEST(ParseTypedNumber, EitherMarkGroupsAndTheFieldsDecimals)
{
    const auto read = [](const char* text, int places, bool negatives = true) {
        double v = -999;
        const TypedNumber r = ParseTypedNumber(QString::fromUtf8(text), places, negatives, &v);
        return std::make_pair(r, v);
    };
    using R = TypedNumber;
    EXPECT_EQ(read("12.50", 2), std::make_pair(R::Ok, 12.5));
    EXPECT_EQ(read("12,50", 2), std::make_pair(R::Ok, 12.5));
    EXPECT_EQ(read("2.5", 1), std::make_pair(R::Ok, 2.5));
    EXPECT_EQ(read(" 1 234 567,8 ", 2), std::make_pair(R::Ok, 1234567.8));
    EXPECT_EQ(read("1 234,5", 2), std::make_pair(R::Ok, 1234.5)); // the locale's non-breaking blank
    EXPECT_EQ(read("-3", 0), std::make_pair(R::Ok, -3.0));
    EXPECT_EQ(read(",5", 1), std::make_pair(R::Ok, 0.5));
    EXPECT_EQ(read("7.", 0), std::make_pair(R::Ok, 7.0));
    EXPECT_EQ(read("", 2), std::make_pair(R::Ok, 0.0));
    EXPECT_EQ(read("1,500", 1), std::make_pair(R::Ok, 1.5)); // zeros beyond the precision change nothing
    // Decimals the field cannot hold are refused, never rounded: 1,5 at precision 0, 0,125 at 2.
    EXPECT_EQ(read("1,5", 0).first, R::TooManyDecimals);
    EXPECT_EQ(read("0.125", 2).first, R::TooManyDecimals);
    EXPECT_EQ(read("1,234", 2).first, R::TooManyDecimals); // a comma read as a group mark would be 1234
    // Two marks, a group blank at the edge, letters, a sign alone: no number.
    for (const char* bad : {"1.234,56", "1,234.5", "1 ,5", "1  2", "12a", "-", ",", "1e5", "--1", "0x10"})
        EXPECT_EQ(read(bad, 2).first, R::NotANumber) << bad;
    EXPECT_EQ(read("-1", 2, false).first, R::Negative);
    EXPECT_EQ(read("-0", 2, false), std::make_pair(R::Ok, 0.0));
    EXPECT_EQ(TypedNumberText(83.33333333, 2), QStringLiteral("83,33"));
    EXPECT_EQ(TypedNumberText(-2.5, 0), QStringLiteral("-3"));
}

TEST(MonthNames, ThreeBlocks)
{
    EXPECT_EQ(MonthName(1), QStringLiteral("январь"));
    EXPECT_EQ(MonthName(3), QStringLiteral("март"));
    EXPECT_EQ(MonthName(14), QStringLiteral("II квартал"));
    EXPECT_EQ(MonthName(kRussianGenitiveBlock + 12), QStringLiteral("декабря"));
    EXPECT_EQ(MonthName(kUkrainianGenitiveBlock + 2), QStringLiteral("лютого"));
    EXPECT_EQ(MonthName(kUkrainianGenitiveBlock + 11), QStringLiteral("листопада"));
    // Genitive quarters in Cyrillic letters; only the Roman numeral is Latin.
    EXPECT_EQ(MonthName(kRussianGenitiveBlock + 16), QStringLiteral("IV квартала"));
    EXPECT_EQ(MonthName(48), QStringLiteral("IV кварталу"));
    EXPECT_EQ(MonthName(0), QString());
    EXPECT_EQ(MonthName(49), QString());
}

TEST(UpperCase1251Char, UkrainianRussianAndLatinLetters)
{
    const QString lower = QStringLiteral("іґёєїабвгдежзийклмнопрстуфхцчшщъыьэюяaz");
    const QString upper = QStringLiteral("ІҐЁЄЇАБВГДЕЖЗИЙКЛМНОПРСТУФХЦЧШЩЪЫЬЭЮЯAZ");
    EXPECT_EQ(UpperCase1251(lower), upper);
    EXPECT_EQ(UpperCase1251(upper), upper);
    EXPECT_EQ(UpperCase1251(QStringLiteral("09 \"№-_.")), QStringLiteral("09 \"№-_."));
    EXPECT_EQ(UpperCase1251Char(u'ї'), QChar(u'Ї'));
    EXPECT_EQ(UpperCase1251Char(u'ў'), QChar(u'ў')); // not in the capital table
}
