#include "base/ini_file.h"
#include "base/settings.h"
#include "base/text_codec.h"
#include "support/test_support.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

TEST(Settings, FirstStartCreatesTheFileWithTheFourteenDefaults)
{
    QTemporaryDir home;
    Settings s = defaultSettings(home.path());
    ASSERT_TRUE(ReadSettings(s, home.path()));
    EXPECT_EQ(s, defaultSettings(home.path()));

    const QString dataFolder = QDir::toNativeSeparators(home.path() + QStringLiteral("/DataBase"));
    const QString expected =
        QStringLiteral("[DATABASE]\r\nPATH=") + dataFolder +
        QStringLiteral("\r\n[PRECISION]\r\nPRICE=2\r\nGOODS=0\r\n[NDS]\r\nNDS_VALUE=20\r\n"
                       "[LOGOTYPE]\r\nON_OFF=0\r\nFILE_NAME=logotype.bmp\r\nWIDTH=100\r\n"
                       "HEIGHT=50\r\nCENTER=0\r\n[USER_DATA]\r\nFULL_OR_PART=0\r\n[MONEY]\r\n"
                       "RUS_OR_UKR=0\r\nGRV_OR_BAKS=1\r\n[RECL_TAX]\r\nRECL_TAX_VALUE=0\r\n"
                       "[SIGNATURE]\r\nTEXT=/ Головний бухгалтер\r\n");
    EXPECT_EQ(decode1251(fileBytes(settingsFilePath(home.path()))), expected);
}

TEST(Settings, MissingFileKeepsTheMembers)
{
    QTemporaryDir home;
    Settings s = defaultSettings(home.path());
    s.ndsValue = 7;
    ASSERT_TRUE(ReadSettings(s, home.path()));
    EXPECT_EQ(s.ndsValue, 7);
    Settings again = defaultSettings(home.path());
    ASSERT_TRUE(ReadSettings(again, home.path()));
    EXPECT_EQ(again.ndsValue, 20);
}

TEST(Settings, ValuesReadFromTheFileWithDefaultsForBadOnes)
{
    QTemporaryDir home;
    writeFileBytes(
        settingsFilePath(home.path()),
        encode1251(QStringLiteral("[database]\r\npath=D:\\Бухгалтерия\r\n[PRECISION]\r\nPRICE=0x3\r\n"
                                  "GOODS=много\r\n[NDS]\r\nNDS_VALUE=0\r\n[MONEY]\r\nGRV_OR_BAKS=0\r\n"
                                  "RUS_OR_UKR=5\r\n[SIGNATURE]\r\nTEXT=/ Бухгалтер\r\n")));
    Settings s = defaultSettings(home.path());
    s.goods = 3; // a bad value gives the table's default, not what the member held
    ASSERT_TRUE(ReadSettings(s, home.path()));
    EXPECT_EQ(s.path, QStringLiteral("D:\\Бухгалтерия"));
    EXPECT_EQ(s.price, 3);
    EXPECT_EQ(s.goods, 0);
    EXPECT_EQ(s.ndsValue, 0);
    EXPECT_FALSE(s.grvOrBaks);
    EXPECT_TRUE(s.rusOrUkr);
    EXPECT_EQ(s.width, 100);
    EXPECT_EQ(s.text, QStringLiteral("/ Бухгалтер"));
}

TEST(Settings, AdvertisingTaxSurvivesAnyNumberOfRoundTrips)
{
    QTemporaryDir home;
    writeFileBytes(settingsFilePath(home.path()), "[RECL_TAX]\r\nRECL_TAX_VALUE=70\r\n");
    for (int run = 0; run < 50; ++run) {
        Settings s = defaultSettings(home.path());
        ASSERT_TRUE(ReadSettings(s, home.path()));
        EXPECT_NEAR(s.reclTax, 0.70, 1e-12);
        ASSERT_TRUE(WriteSettings(s, home.path()));
    }
    IniFile ini(settingsFilePath(home.path()));
    ASSERT_TRUE(ini.load());
    EXPECT_EQ(ini.value(QStringLiteral("RECL_TAX"), QStringLiteral("RECL_TAX_VALUE")), QStringLiteral("70"));
    for (int hundredths : {1, 15, 29, 57, 150, 9999}) {
        Settings s = defaultSettings(home.path());
        s.reclTax = hundredths * 0.01;
        ASSERT_TRUE(WriteSettings(s, home.path()));
        Settings back = defaultSettings(home.path());
        ASSERT_TRUE(ReadSettings(back, home.path()));
        ASSERT_TRUE(WriteSettings(back, home.path()));
        ASSERT_TRUE(ini.load());
        EXPECT_EQ(ini.readInteger(QStringLiteral("RECL_TAX"), QStringLiteral("RECL_TAX_VALUE"), -1),
                  hundredths);
    }
}

TEST(Settings, WriteKeepsForeignLinesAndUsesItsOwnOrderForNewKeys)
{
    QTemporaryDir home;
    writeFileBytes(settingsFilePath(home.path()),
                   "; hand notes\r\n[MONEY]\r\nGRV_OR_BAKS=1\r\n[MINE]\r\nX=1\r\n");
    Settings s = defaultSettings(home.path());
    s.grvOrBaks = false; // the dollar box checked
    s.reclTax = 1.5;
    ASSERT_TRUE(WriteSettings(s, home.path()));
    const QStringList lines =
        decode1251(fileBytes(settingsFilePath(home.path()))).split(QStringLiteral("\r\n"));
    EXPECT_EQ(lines.mid(0, 6), (QStringList{QStringLiteral("; hand notes"), QStringLiteral("[MONEY]"),
                                            QStringLiteral("GRV_OR_BAKS=0"), QStringLiteral("RUS_OR_UKR=0"),
                                            QStringLiteral("[MINE]"), QStringLiteral("X=1")}));
    EXPECT_EQ(lines.mid(6, 4), (QStringList{QStringLiteral("[DATABASE]"), QStringLiteral("PATH=") + s.path,
                                            QStringLiteral("[PRECISION]"), QStringLiteral("GOODS=0")}));
    EXPECT_TRUE(lines.contains(QStringLiteral("RECL_TAX_VALUE=150")));
    // The interface's language in a section of its own after the fourteen.
    EXPECT_EQ(lines.filter(QStringLiteral("=")).size(), 16);
    EXPECT_EQ(lines.mid(lines.indexOf(QStringLiteral("[INTERFACE]")), 2),
              (QStringList{QStringLiteral("[INTERFACE]"), QStringLiteral("LANGUAGE=") + s.language}));
}

TEST(Settings, ARelativeDatabaseFolderIsTheProgramFoldersAndStaysRelative)
{
    QTemporaryDir home;
    const QString program = QDir(home.path()).filePath(QStringLiteral("DocMar"));
    ASSERT_TRUE(QDir().mkpath(program));
    writeFileBytes(settingsFilePath(program), "[DATABASE]\r\nPATH=..\\Books\r\n");
    Settings s = defaultSettings(program);
    ASSERT_TRUE(ReadSettings(s, program));
    // Wherever the program was started from: beside the program folder, not beside the current folder.
    EXPECT_EQ(QDir::fromNativeSeparators(s.path), QDir(home.path()).filePath(QStringLiteral("Books")));
    s.ndsValue = 7;
    ASSERT_TRUE(WriteSettings(s, program));
    EXPECT_TRUE(decode1251(fileBytes(settingsFilePath(program))).contains(QStringLiteral("PATH=..\\Books")));
    // A folder chosen anew is written as chosen.
    s.path = QDir::toNativeSeparators(QDir(home.path()).filePath(QStringLiteral("Other")));
    ASSERT_TRUE(WriteSettings(s, program));
    EXPECT_TRUE(decode1251(fileBytes(settingsFilePath(program))).contains(QStringLiteral("PATH=") + s.path));
}

TEST(Settings, TheInterfaceLanguageIsASettingOfItsOwn)
{
    QTemporaryDir home;
    // No file: the system's language, and nothing is written for asking.
    EXPECT_EQ(ReadInterfaceLanguage(home.path()), SystemInterfaceLanguage());
    EXPECT_FALSE(QFile::exists(settingsFilePath(home.path())));
    Settings s = defaultSettings(home.path());
    ASSERT_TRUE(ReadSettings(s, home.path())); // a first start writes the fourteen only
    EXPECT_FALSE(fileBytes(settingsFilePath(home.path())).contains("LANGUAGE"));
    s.language = QStringLiteral("uk");
    ASSERT_TRUE(WriteSettings(s, home.path()));
    EXPECT_EQ(ReadInterfaceLanguage(home.path()), QStringLiteral("uk"));
    Settings read = defaultSettings(home.path());
    ASSERT_TRUE(ReadSettings(read, home.path()));
    EXPECT_EQ(read, s);
    // A value of no known language counts as none.
    writeFileBytes(settingsFilePath(home.path()), "[INTERFACE]\r\nLANGUAGE=de\r\n");
    EXPECT_EQ(ReadInterfaceLanguage(home.path()), SystemInterfaceLanguage());
    writeFileBytes(settingsFilePath(home.path()), "[INTERFACE]\r\nLANGUAGE= UK\r\n");
    EXPECT_EQ(ReadInterfaceLanguage(home.path()), QStringLiteral("uk"));
}

// The payment QR code is on unless turned off; only turning it off writes a line.
TEST(Settings, ThePaymentCodeIsOnUntilTurnedOff)
{
    QTemporaryDir home;
    Settings s = defaultSettings(home.path());
    EXPECT_TRUE(s.paymentQr);
    ASSERT_TRUE(WriteSettings(s, home.path()));
    EXPECT_FALSE(fileBytes(settingsFilePath(home.path())).contains("PAYMENT_QR"));
    s.paymentQr = false;
    ASSERT_TRUE(WriteSettings(s, home.path()));
    EXPECT_TRUE(fileBytes(settingsFilePath(home.path())).contains("PAYMENT_QR=0"));
    Settings read = defaultSettings(home.path());
    ASSERT_TRUE(ReadSettings(read, home.path()));
    EXPECT_FALSE(read.paymentQr);
    read.paymentQr = true;
    ASSERT_TRUE(WriteSettings(read, home.path()));
    ASSERT_TRUE(ReadSettings(s, home.path()));
    EXPECT_TRUE(s.paymentQr);
}

TEST(Settings, UnwritableFileIsReportedAndUnreadableFileIsNotOverwritten)
{
    QTemporaryDir home;
    const QString missingFolder = home.filePath(QStringLiteral("no/such/folder"));
    QString error;
    EXPECT_FALSE(WriteSettings(defaultSettings(missingFolder), missingFolder, &error));
    EXPECT_TRUE(
        error.startsWith(QStringLiteral("Не удалось записать файл ") + settingsFilePath(missingFolder)))
        << error.toStdString();

    // A folder where the file should be: it cannot be read, and nothing is written over it.
    ASSERT_TRUE(QDir().mkpath(settingsFilePath(home.path())));
    Settings s = defaultSettings(home.path());
    EXPECT_FALSE(ReadSettings(s, home.path(), &error));
    EXPECT_FALSE(WriteSettings(s, home.path(), &error));
    EXPECT_TRUE(error.startsWith(QStringLiteral("Не удалось прочитать файл "))) << error.toStdString();
    EXPECT_TRUE(QFileInfo(settingsFilePath(home.path())).isDir());
}

TEST(Settings, FileWithoutReadRightsIsNeverReplaced)
{
    QTemporaryDir home;
    const QString file = settingsFilePath(home.path());
    const QByteArray original = "[DATABASE]\r\nPATH=D:\\Books\r\n[MINE]\r\nKEEP=1\r\n";
    writeFileBytes(file, original);
    QFile::setPermissions(file, QFileDevice::WriteOwner);
    if (QFile(file).open(QIODevice::ReadOnly))
        GTEST_SKIP() << "this user reads any file";
    QString error;
    Settings s = defaultSettings(home.path());
    EXPECT_FALSE(ReadSettings(s, home.path(), &error));
    EXPECT_FALSE(WriteSettings(s, home.path(), &error));
    EXPECT_TRUE(error.contains(QStringLiteral("изменения настроек не сохранены")));
    QFile::setPermissions(file, QFileDevice::ReadOwner | QFileDevice::WriteOwner);
    EXPECT_EQ(fileBytes(file), original);
}

TEST(TextCodec, OnlyWhatTheCodePageHoldsFits)
{
    EXPECT_TRUE(fits1251(QStringLiteral("Головний бухгалтер ґ Є ї № ’ «»")));
    EXPECT_FALSE(fits1251(QStringLiteral("中文")));
    EXPECT_FALSE(fits1251(QStringLiteral("a 😀")));
    Cp1251Validator validator;
    QString text = QStringLiteral("/ Бухгалтер");
    int pos = 0;
    EXPECT_EQ(validator.validate(text, pos), QValidator::Acceptable);
    text += QStringLiteral("中");
    EXPECT_EQ(validator.validate(text, pos), QValidator::Invalid);
}

TEST(Settings, ResetKeepsTheAdvertisingTax)
{
    Settings s;
    s.reclTax = 0.7;
    s.ndsValue = 5;
    resetToDefaults(s, QStringLiteral("/p"));
    EXPECT_EQ(s.ndsValue, 20);
    EXPECT_DOUBLE_EQ(s.reclTax, 0.7);
    EXPECT_EQ(s.path, QDir::toNativeSeparators(QStringLiteral("/p/DataBase")));
}

TEST(ApplyPrecision, MasksAndDisplayFormats)
{
    struct Case {
        int places;
        const char* mask;
        const char* format;
    } cases[] = {
        {0, "##########", "0."},     {2, "#######.##", "0.00"},        {3, "######.###", "0.000"},
        {4, "#####.####", "0.0000"}, {9, ".#########", "0.000000000"}, {12, ".#########", "0.000000000000"},
        {-1, "##########", "0."},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(EntryMask(c.places), QString::fromLatin1(c.mask)) << c.places;
        EXPECT_EQ(DisplayFormat(c.places), QString::fromLatin1(c.format)) << c.places;
    }
    const Precision p = ApplyPrecision(3, 0);
    EXPECT_EQ(p.priceFormat, QStringLiteral("0.000"));
    EXPECT_EQ(p.priceMask, QStringLiteral("######.###"));
    EXPECT_EQ(p.countFormat, QStringLiteral("0."));
    EXPECT_EQ(p.countMask, QStringLiteral("##########"));
}
