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
        {0.00, true, true, " Ноль гривень 00 коп."},
        {0.50, true, true, " Ноль гривень 50 коп."},
        {1.00, true, true, " Одна гривня 00 коп."},
        {2.05, true, true, " Две гривни 05 коп."},
        {2.05, false, true, " Дві гривні 05 коп."},
        {11.00, true, true, " Одиннадцать гривень 00 коп."},
        {21.00, true, false, " Двадцать один доллар 00 центов"},
        {100.00, true, true, " Сто гривень 00 коп."},
        {105.17, false, true, " Сто п’ять гривень 17 коп."},
        {1000.00, true, true, " Одна тысяча гривень 00 коп."},
        {12345.67, true, true, " Двенадцать тысяч триста сорок пять гривень 67 коп."},
        {19999.00, false, false, " Дев’ятнадцять тисяч дев’ятсот дев’яносто дев’ять доларів 00 центів"},
        {100500.00, true, true, " Сто тысяч пятьсот гривень 00 коп."},
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
    EXPECT_EQ(words(0.125), QStringLiteral(" Ноль гривень 12 коп."));
    EXPECT_EQ(words(0.135), QStringLiteral(" Ноль гривень 14 коп."));
    EXPECT_EQ(words(3.07), QStringLiteral(" Три гривни 07 коп."));
    // The carry crosses into the millions.
    EXPECT_EQ(words(999999.999), QStringLiteral(" Один миллион гривень 00 коп."));
}

TEST(AmountInWords, MillionsAndBillions)
{
    const Case cases[] = {
        {1000000.00, true, true, " Один миллион гривень 00 коп."},
        {1000000.00, false, true, " Один мільйон гривень 00 коп."},
        {1234567.89, false, true,
         " Один мільйон двісті тридцять чотири тисячі п’ятсот шістдесят сім гривень 89 коп."},
        {1200000.00, true, true, " Один миллион двести тысяч гривень 00 коп."},
        {2000000.00, true, true, " Два миллиона гривень 00 коп."},
        {2000000.00, false, true, " Два мільйони гривень 00 коп."},
        {5000000.00, true, false, " Пять миллионов долларов 00 центов"},
        {5000000.00, false, false, " П’ять мільйонів доларів 00 центів"},
        {11000000.00, true, true, " Одиннадцать миллионов гривень 00 коп."},
        {21000000.00, false, true, " Двадцять один мільйон гривень 00 коп."},
        {2002001.00, true, false, " Два миллиона две тысячи один доллар 00 центов"},
        {1001001.00, false, true, " Один мільйон одна тисяча одна гривня 00 коп."},
        {1000000000.00, true, true, " Один миллиард гривень 00 коп."},
        {3000000000.00, false, true, " Три мільярди гривень 00 коп."},
        {14000000000.00, true, true, " Четырнадцать миллиардов гривень 00 коп."},
        {22000000000.00, true, true, " Двадцать два миллиарда гривень 00 коп."},
        {999999999999.99, true, true,
         " Девятьсот девяносто девять миллиардов девятьсот девяносто девять миллионов девятьсот девяносто "
         "девять тысяч девятьсот девяносто девять гривень 99 коп."},
    };
    for (const Case& c : cases)
        EXPECT_EQ(words(c.amount, c.russian, c.hryvnias), QString::fromUtf8(c.text)) << qint64(c.amount);
}

TEST(AmountInWords, AboveTheLargestIsRefusedWithMessage)
{
    const QString underscores(56, u'_');
    for (double amount : {1000000000000.0, 999999999999.999, 2.5e14, 1e308}) {
        ScriptedPrompter prompter;
        const QString text = AmountInWords(amount, true, true, false, true, &prompter);
        EXPECT_EQ(text, underscores + QStringLiteral(" 00 коп.")) << amount;
        ASSERT_EQ(prompter.messages().size(), 1u);
        EXPECT_EQ(prompter.messages()[0].kind, ScriptedPrompter::Kind::Error);
        EXPECT_EQ(prompter.messages()[0].text, QStringLiteral("Сумма больше 999 999 999 999,99."));
    }
    ScriptedPrompter quiet;
    AmountInWords(999999999999.99, true, true, false, true, &quiet);
    EXPECT_TRUE(quiet.messages().empty());
}

TEST(AmountInWords, TeensAndThousands)
{
    EXPECT_EQ(words(10000), QStringLiteral(" Десять тысяч гривень 00 коп."));
    EXPECT_EQ(words(11000), QStringLiteral(" Одиннадцать тысяч гривень 00 коп."));
    EXPECT_EQ(words(5000), QStringLiteral(" Пять тысяч гривень 00 коп."));
    EXPECT_EQ(words(2000), QStringLiteral(" Две тысячи гривень 00 коп."));
    EXPECT_EQ(words(110), QStringLiteral(" Сто десять гривень 00 коп."));
    EXPECT_EQ(words(15), QStringLiteral(" Пятнадцать гривень 00 коп."));
    EXPECT_EQ(words(915), QStringLiteral(" Девятьсот пятнадцать гривень 00 коп."));
    EXPECT_EQ(words(215315, false),
              QStringLiteral(" Двісті п’ятнадцять тисяч триста п’ятнадцять гривень 00 коп."));
    EXPECT_EQ(words(2000, false), QStringLiteral(" Дві тисячі гривень 00 коп."));
}

TEST(AmountInWords, CurrencyAgreement)
{
    EXPECT_EQ(words(1001, true, false), QStringLiteral(" Одна тысяча один доллар 00 центов"));
    EXPECT_EQ(words(2002, true, false), QStringLiteral(" Две тысячи два доллара 00 центов"));
    EXPECT_EQ(words(25, true, false), QStringLiteral(" Двадцать пять долларов 00 центов"));
    EXPECT_EQ(words(3, false, true), QStringLiteral(" Три гривні 00 коп."));
    EXPECT_EQ(words(2, false, false), QStringLiteral(" Два долари 00 центів"));
    EXPECT_EQ(words(2000, false, false), QStringLiteral(" Дві тисячі доларів 00 центів"));
    EXPECT_EQ(words(7000, false, false), QStringLiteral(" Сім тисяч доларів 00 центів"));
    EXPECT_EQ(words(50, false, false), QStringLiteral(" П’ятдесят доларів 00 центів"));
    EXPECT_EQ(words(50, false, true), QStringLiteral(" П’ятдесят гривень 00 коп."));
}

TEST(AmountInWords, CentsAgreeWithTheirNumber)
{
    EXPECT_EQ(words(1.01, true, false), QStringLiteral(" Один доллар 01 цент"));
    EXPECT_EQ(words(1.21, false, false), QStringLiteral(" Один долар 21 цент"));
    EXPECT_EQ(words(1.22, true, false), QStringLiteral(" Один доллар 22 цента"));
    EXPECT_EQ(words(1.22, false, false), QStringLiteral(" Один долар 22 центи"));
    EXPECT_EQ(words(1.25, true, false), QStringLiteral(" Один доллар 25 центов"));
    EXPECT_EQ(words(1.25, false, false), QStringLiteral(" Один долар 25 центів"));
    EXPECT_EQ(words(1.11, true, false), QStringLiteral(" Один доллар 11 центов"));
    EXPECT_EQ(words(1.12, false, false), QStringLiteral(" Один долар 12 центів"));
    // Kopecks keep the short word whatever their number.
    EXPECT_EQ(words(1.22, false, true), QStringLiteral(" Одна гривня 22 коп."));
}

TEST(AmountInWords, ZeroInEachLanguage)
{
    EXPECT_EQ(words(0.4, false, true), QStringLiteral(" Нуль гривень 40 коп."));
    EXPECT_EQ(words(0, false, false), QStringLiteral(" Нуль доларів 00 центів"));
    EXPECT_EQ(words(0, true, false), QStringLiteral(" Ноль долларов 00 центов"));
}

TEST(AmountInWords, SlashAndCapitalFlags)
{
    EXPECT_EQ(AmountInWords(2.05, true, true, true, true), QStringLiteral(" Две гривни 05/коп."));
    EXPECT_EQ(AmountInWords(2.05, true, true, false, false), QStringLiteral(" две гривни 05 коп."));
    EXPECT_EQ(AmountInWords(3.5, false, true, false, true), QStringLiteral(" Три гривні 50 коп."));
    // Ukrainian capitals outside the Russian alphabet.
    EXPECT_EQ(AmountInWords(8, false, true, false, true), QStringLiteral(" Вісім гривень 00 коп."));
}

TEST(AmountInWords, NoDoubleBlanksAndOnlyCyrillicLetters)
{
    for (bool russian : {true, false})
        for (bool hryvnias : {true, false})
            for (double amount :
                 {0.0, 7.0, 10.0, 100.0, 1000.0, 100500.0, 1000000.0, 7070707070.07, 999999999999.0}) {
                const QString text = words(amount, russian, hryvnias);
                EXPECT_FALSE(text.contains(QStringLiteral("  "))) << text.toStdString();
                EXPECT_FALSE(text.contains(u'"')) << text.toStdString();
                for (QChar c : text)
                    EXPECT_FALSE(c.isLetter() && c.unicode() < 0x80) << text.toStdString();
            }
}

TEST(AmountInWords, OutOfRangeInputIsHandled)
{
    EXPECT_EQ(words(-12.5), QStringLiteral(" Минус двенадцать гривень 50 коп."));
    EXPECT_EQ(words(-0.0), QStringLiteral(" Ноль гривень 00 коп."));
    // Less than one unit below zero is still a negative amount.
    EXPECT_EQ(words(-0.5), QStringLiteral(" Минус ноль гривень 50 коп."));
    EXPECT_TRUE(AmountInWords(-0.01, false, true, false, true).startsWith(QStringLiteral(" Мінус ")));
    ScriptedPrompter prompter;
    EXPECT_TRUE(
        AmountInWords(std::nan(""), true, true, false, true, &prompter).startsWith(QString(56, u'_')));
    EXPECT_EQ(prompter.messages().size(), 1u);
}
