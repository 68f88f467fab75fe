#include "base/ini_file.h"
#include "base/text_codec.h"

#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace {
IniFile parsed(const char* text)
{
    IniFile ini;
    ini.parse(encode1251(QString::fromUtf8(text)));
    return ini;
}
} // namespace

TEST(IniFile, NamesCompareWithoutCaseAndFirstKeyWins)
{
    const IniFile ini = parsed("[Money]\r\nrus_or_ukr=1\r\nRUS_OR_UKR=0\r\n[other]\r\nRUS_OR_UKR=7\r\n");
    EXPECT_EQ(ini.readInteger(QStringLiteral("MONEY"), QStringLiteral("RUS_OR_UKR"), 5), 1);
    EXPECT_EQ(ini.readInteger(QStringLiteral("OTHER"), QStringLiteral("rus_or_ukr"), 5), 7);
    EXPECT_EQ(ini.readInteger(QStringLiteral("MONEY"), QStringLiteral("MISSING"), 5), 5);
    EXPECT_EQ(ini.readInteger(QStringLiteral("NOSECTION"), QStringLiteral("RUS_OR_UKR"), 5), 5);
}

// A section that stands twice is read from its first place only, and written there.
TEST(IniFile, ARepeatedSectionCountsOnceAtItsFirstPlace)
{
    IniFile ini = parsed("[MONEY]\r\nRUS_OR_UKR=1\r\n[LOGOTYPE]\r\nON_OFF=1\r\n"
                         "[money]\r\nRUS_OR_UKR=0\r\nGRV_OR_BAKS=0\r\n");
    EXPECT_EQ(ini.readInteger(QStringLiteral("MONEY"), QStringLiteral("RUS_OR_UKR"), 5), 1);
    EXPECT_FALSE(ini.value(QStringLiteral("MONEY"), QStringLiteral("GRV_OR_BAKS")).has_value());
    EXPECT_TRUE(ini.readBool(QStringLiteral("MONEY"), QStringLiteral("GRV_OR_BAKS"), true));
    ini.writeInteger(QStringLiteral("MONEY"), QStringLiteral("GRV_OR_BAKS"), 1);
    EXPECT_EQ(ini.lines().mid(0, 3), (QStringList{"[MONEY]", "RUS_OR_UKR=1", "GRV_OR_BAKS=1"}));
    EXPECT_EQ(ini.lines().mid(5), (QStringList{"[money]", "RUS_OR_UKR=0", "GRV_OR_BAKS=0"}));
}

TEST(IniFile, IntegersHexAndGarbage)
{
    const IniFile ini = parsed("[S]\nA=0x1F\nB=0X10\nC=12abc\nD=\nE= 42 \nF=-3\nG=99999999999\nH=0xFFFFFFFF\n"
                               "I=1.5\nJ=0x\nK=+8\n");
    auto read = [&](const char* key) {
        return ini.readInteger(QStringLiteral("S"), QString::fromLatin1(key), -100);
    };
    EXPECT_EQ(read("A"), 31);
    EXPECT_EQ(read("B"), 16);
    EXPECT_EQ(read("C"), -100);
    EXPECT_EQ(read("D"), -100);
    EXPECT_EQ(read("E"), 42);
    EXPECT_EQ(read("F"), -3);
    EXPECT_EQ(read("G"), -100);
    EXPECT_EQ(read("H"), -1);
    EXPECT_EQ(read("I"), -100);
    EXPECT_EQ(read("J"), -100);
    EXPECT_EQ(read("K"), 8);
}

TEST(IniFile, FlagsAreTrueWhenNotZero)
{
    const IniFile ini = parsed("[S]\nA=0\nB=2\nC=-1\nD=yes\nE=0x0\n");
    EXPECT_FALSE(ini.readBool(QStringLiteral("S"), QStringLiteral("A"), true));
    EXPECT_TRUE(ini.readBool(QStringLiteral("S"), QStringLiteral("B"), false));
    EXPECT_TRUE(ini.readBool(QStringLiteral("S"), QStringLiteral("C"), false));
    EXPECT_TRUE(ini.readBool(QStringLiteral("S"), QStringLiteral("D"), true)); // not a number: the default
    EXPECT_FALSE(ini.readBool(QStringLiteral("S"), QStringLiteral("D"), false));
    EXPECT_FALSE(ini.readBool(QStringLiteral("S"), QStringLiteral("E"), true));
}

TEST(IniFile, WritingReplacesInPlaceAndKeepsOtherLines)
{
    IniFile ini =
        parsed("; my notes\r\n[DATABASE]\r\nPath=C:\\old\r\nCOMMENT=keep me\r\n\r\n[NDS]\r\nNDS_VALUE=7\r\n");
    ini.writeString(QStringLiteral("DATABASE"), QStringLiteral("PATH"), QStringLiteral("D:\\new"));
    ini.writeInteger(QStringLiteral("NDS"), QStringLiteral("NDS_VALUE"), 20);
    ini.writeInteger(QStringLiteral("DATABASE"), QStringLiteral("EXTRA"), 1);
    ini.writeBool(QStringLiteral("LOGOTYPE"), QStringLiteral("ON_OFF"), true);
    const QStringList expected = {
        QStringLiteral("; my notes"),      QStringLiteral("[DATABASE]"),   QStringLiteral("PATH=D:\\new"),
        QStringLiteral("COMMENT=keep me"), QStringLiteral("EXTRA=1"),      QString(),
        QStringLiteral("[NDS]"),           QStringLiteral("NDS_VALUE=20"), QStringLiteral("[LOGOTYPE]"),
        QStringLiteral("ON_OFF=1"),
    };
    EXPECT_EQ(ini.lines(), expected);
    EXPECT_TRUE(ini.serialize().endsWith("ON_OFF=1\r\n"));
}

TEST(IniFile, Windows1251OnDisk)
{
    QTemporaryDir dir;
    IniFile ini(dir.filePath(QStringLiteral("t.ini")));
    ini.writeString(QStringLiteral("SIGNATURE"), QStringLiteral("TEXT"),
                    QStringLiteral("/ Головний бухгалтер ґЄ €"));
    ini.writeString(QStringLiteral("S"), QStringLiteral("EMOJI"), QStringLiteral("a\u4E2Db\U0001F600c"));
    ASSERT_TRUE(ini.save());

    QFile f(ini.fileName());
    ASSERT_TRUE(f.open(QIODevice::ReadOnly));
    const QByteArray bytes = f.readAll();
    EXPECT_TRUE(bytes.contains(
        "TEXT=/ \xC3\xEE\xEB\xEE\xE2\xED\xE8\xE9 \xE1\xF3\xF5\xE3\xE0\xEB\xF2\xE5\xF0 \xB4\xAA \x88\r\n"));
    EXPECT_TRUE(bytes.contains("EMOJI=a?b?c\r\n")); // what the code page cannot hold becomes "?"

    IniFile back(ini.fileName());
    ASSERT_TRUE(back.load());
    EXPECT_EQ(back.readString(QStringLiteral("signature"), QStringLiteral("text"), QString()),
              QStringLiteral("/ Головний бухгалтер ґЄ €"));
}

TEST(IniFile, QuotesAndLineEnds)
{
    const IniFile ini = parsed("[S]\rA=\"quoted value\"\nB='x'\r\nC=\"unbalanced\n");
    EXPECT_EQ(ini.readString(QStringLiteral("S"), QStringLiteral("A"), {}), QStringLiteral("quoted value"));
    EXPECT_EQ(ini.readString(QStringLiteral("S"), QStringLiteral("B"), {}), QStringLiteral("x"));
    EXPECT_EQ(ini.readString(QStringLiteral("S"), QStringLiteral("C"), {}), QStringLiteral("\"unbalanced"));
}

TEST(IniFile, SaveFailureIsReported)
{
    QTemporaryDir dir;
    IniFile ini(dir.filePath(QStringLiteral("missing/folder/docmar.ini")));
    ini.writeInteger(QStringLiteral("S"), QStringLiteral("A"), 1);
    QString error;
    EXPECT_FALSE(ini.save(&error));
    EXPECT_EQ(error, QStringLiteral("Не удалось записать файл ") + ini.fileName() +
                         QStringLiteral(": нет папки или прав на запись в неё."));
}
