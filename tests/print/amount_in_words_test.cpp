#include "base/prompter.h"
#include "print/amount_in_words.h"

#include <gtest/gtest.h>

namespace {

struct Case {
    double amount;
    bool russian;
    bool hryvnias;
    const char* text;
};

QString words(double amount, bool russian = true, bool hryvnias = true)
{
    return AmountInWords(amount, russian, hryvnias, false, true);
}

} // namespace

TEST(AmountInWords, WorkedResults)
{
    const Case cases[] = {
        {0.00, true, true, " Ноль гривень  00 коп."},
        {0.50, true, true, " Ноль гривень  50 коп."},
        {1.00, true, true, " Одна гривня 00 коп."},
        {2.05, true, true, " Две гривни 05 коп."},
        {2.05, false, true, " Дві гривні 05 коп."},
        {11.00, true, true, " Одиннадцать гривень 00 коп."},
        {21.00, true, false, " Двадцать один доллар 00 центов"},
        {100.00, true, true, " Сто   гривень 00 коп."},
        {105.17, false, true, " Сто   п\"ять гривень 17 коп."},
        {1000.00, true, true, " Одна тысяча     гривень 00 коп."},
        {12345.67, true, true, " Двенадцать тысяч триста сорок пять гривень 67 коп."},
        {19999.00, false, false, " Дев\"ятнадцять тисяч дев\"ятсот дев\"яносто дев\"ять доларів 00 центiв"},
        {100500.00, true, true, " Сто   тысяч пятьсот   гривень 00 коп."},
    };
    for (const Case& c : cases)
        EXPECT_EQ(words(c.amount, c.russian, c.hryvnias), QString::fromUtf8(c.text)) << c.amount;
}

TEST(AmountInWords, KopecksCarryAndRounding)
{
    EXPECT_EQ(words(0.999), QStringLiteral(" Одна гривня 00 коп."));
    EXPECT_EQ(words(999999.99), QStringLiteral(" Девятьсот девяносто девять тысяч девятьсот девяносто девять "
                                               "гривень 99 коп."));
    // 0.125 * 100 is exactly 12.5: the tie goes to the even neighbour.
    EXPECT_EQ(words(0.125), QStringLiteral(" Ноль гривень  12 коп."));
    EXPECT_EQ(words(0.135), QStringLiteral(" Ноль гривень  14 коп."));
    EXPECT_EQ(words(3.07), QStringLiteral(" Три гривни 07 коп."));
}

TEST(AmountInWords, MillionAndAboveIsRefusedWithMessage)
{
    const QString underscores(56, u'_');
    for (double amount : {1000000.0, 999999.999, 2.5e9, 1e308}) {
        ScriptedPrompter prompter;
        const QString text = AmountInWords(amount, true, true, false, true, &prompter);
        EXPECT_EQ(text, underscores + QStringLiteral(" 00 коп.")) << amount;
        ASSERT_EQ(prompter.messages().size(), 1u);
        EXPECT_EQ(prompter.messages()[0].kind, ScriptedPrompter::Kind::Error);
        EXPECT_EQ(prompter.messages()[0].text, QStringLiteral("Сумма больше 1000000."));
    }
    ScriptedPrompter quiet;
    AmountInWords(999999.99, true, true, false, true, &quiet);
    EXPECT_TRUE(quiet.messages().empty());
}

TEST(AmountInWords, TeensAndThousands)
{
    EXPECT_EQ(words(10000), QStringLiteral(" Десять тысяч     гривень 00 коп."));
    EXPECT_EQ(words(11000), QStringLiteral(" Одиннадцать тысяч     гривень 00 коп."));
    EXPECT_EQ(words(5000), QStringLiteral(" Пять тысяч     гривень 00 коп."));
    EXPECT_EQ(words(2000), QStringLiteral(" Две тысячи     гривень 00 коп."));
    EXPECT_EQ(words(110), QStringLiteral(" Сто десять гривень 00 коп."));
    EXPECT_EQ(words(15), QStringLiteral(" Пятнадцать гривень 00 коп."));
    EXPECT_EQ(words(915), QStringLiteral(" Девятьсот пятнадцать гривень 00 коп."));
    EXPECT_EQ(words(215315, false),
              QStringLiteral(" Двісті п\"ятнадцять тисяч триста п\"ятнадцять гривень 00 коп."));
}

TEST(AmountInWords, CurrencyAgreement)
{
    EXPECT_EQ(words(1001, true, false), QStringLiteral(" Одна тысяча     один доллар 00 центов"));
    EXPECT_EQ(words(2002, true, false), QStringLiteral(" Две тысячи     два доллара 00 центов"));
    EXPECT_EQ(words(25, true, false), QStringLiteral(" Двадцать пять долларов 00 центов"));
    EXPECT_EQ(words(3, false, true), QStringLiteral(" Три гривні 00 коп."));
    EXPECT_EQ(words(7000, false, false), QStringLiteral(" Сімь тисяч     доларів 00 центiв"));
    EXPECT_EQ(words(50, false, false), QStringLiteral(" П\"ятдесят доларів 00 центiв"));
    EXPECT_EQ(words(50, false, true), QStringLiteral(" П\"ятьдесят гривень 00 коп."));
}

TEST(AmountInWords, ZeroIsRussianInBothLanguages)
{
    EXPECT_EQ(words(0.4, false, true), QStringLiteral(" Ноль гривень  40 коп."));
    EXPECT_EQ(words(0, false, false), QStringLiteral(" Ноль долларов  00 центiв"));
    EXPECT_EQ(words(0, true, false), QStringLiteral(" Ноль долларов  00 центов"));
}

TEST(AmountInWords, SlashAndCapitalFlags)
{
    EXPECT_EQ(AmountInWords(2.05, true, true, true, true), QStringLiteral(" Две гривни 05/коп."));
    EXPECT_EQ(AmountInWords(2.05, true, true, false, false), QStringLiteral(" две гривни 05 коп."));
    EXPECT_EQ(AmountInWords(3.5, false, true, false, true), QStringLiteral(" Три гривні 50 коп."));
    // Ukrainian capitals outside the Russian alphabet.
    EXPECT_EQ(AmountInWords(8, false, true, false, true), QStringLiteral(" Вісім гривень 00 коп."));
}

TEST(AmountInWords, OutOfRangeInputIsHandled)
{
    EXPECT_EQ(words(-12.5), QStringLiteral(" Минус двенадцать гривень 50 коп."));
    EXPECT_EQ(words(-0.0), QStringLiteral(" Ноль гривень  00 коп."));
    // Less than one unit below zero is still a negative amount.
    EXPECT_EQ(words(-0.5), QStringLiteral(" Минус ноль гривень  50 коп."));
    EXPECT_TRUE(AmountInWords(-0.01, false, true, false, true).startsWith(QStringLiteral(" Мінус ")));
    ScriptedPrompter prompter;
    EXPECT_TRUE(
        AmountInWords(std::nan(""), true, true, false, true, &prompter).startsWith(QString(56, u'_')));
    EXPECT_EQ(prompter.messages().size(), 1u);
}
