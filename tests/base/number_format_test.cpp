#include "base/month_names.h"
#include "base/number_format.h"
#include "base/text_case.h"
#include "db/data_module.h"

#include <gtest/gtest.h>

#include <cmath>

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

TEST(FormatFixed, DisplayFormatsAndKopecks)
{
    EXPECT_EQ(FormatByDisplayFormat(12.5, QStringLiteral("0.00")), QStringLiteral("12,50"));
    EXPECT_EQ(FormatByDisplayFormat(12.5, QStringLiteral("0.")), QStringLiteral("13"));
    EXPECT_EQ(FormatByDisplayFormat(12.3456, QStringLiteral("0.000")), QStringLiteral("12,346"));
    EXPECT_DOUBLE_EQ(RoundToKopecks(0.125), 0.12);
    EXPECT_DOUBLE_EQ(RoundToKopecks(0.135), 0.14);
    EXPECT_DOUBLE_EQ(RoundToKopecks(10.0 * 1.15), 11.5);
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
