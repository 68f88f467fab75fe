#include "base/requisites.h"

#include <gtest/gtest.h>

// Published IBANs: the National Bank's example and the registry's German and British ones.
TEST(Requisites, IbansAreCheckedByCountryLengthAndCheckDigits)
{
    for (const char* iban :
         {"UA213223130000026007233566001", "UA21 3223 1300 0002 6007 2335 6600 1",
          "ua213223130000026007233566001", "DE89370400440532013000", "GB82WEST12345698765432"})
        EXPECT_EQ(IbanProblem(QString::fromUtf8(iban)), QString()) << iban;
    // One digit changed, two digits swapped, a check digit changed.
    EXPECT_EQ(IbanProblem(QStringLiteral("UA213223130000026007233566002")),
              QStringLiteral("IBAN UA213223130000026007233566002 не проходит проверку контрольных цифр."));
    EXPECT_FALSE(IbanProblem(QStringLiteral("UA213223130000026007233565601")).isEmpty());
    EXPECT_FALSE(IbanProblem(QStringLiteral("UA223223130000026007233566001")).isEmpty());
    // A Ukrainian IBAN cut to the old sixteen characters.
    EXPECT_EQ(IbanProblem(QStringLiteral("UA21322313000002")),
              QStringLiteral("IBAN UA21322313000002 содержит 16 знаков, а IBAN страны UA — 29."));
    EXPECT_EQ(IbanProblem(QStringLiteral("UA21_3223")),
              QStringLiteral("IBAN UA21_3223 содержит недопустимый знак «_»: в IBAN только латинские буквы и "
                             "цифры."));
    // Every country of the registry at its own length, no country beyond it, check digits 02 to 98 only
    // (00, 01 and 99 pass the remainder of a valid 97, 98 and 02).
    const struct {
        const char *iban, *problem;
    } registry[] = {
        {"UA02 3052 9900 0002 6002 0000 0601 7", ""},
        {"UA99 3052 9900 0002 6002 0000 0601 7", "не проходит проверку контрольных цифр."},
        {"UA01-3052-9900-0002-6002-0000-0603-5", "не проходит проверку контрольных цифр."},
        {"UA00 3052 9900 0002 6002 0000 0605 3", "не проходит проверку контрольных цифр."},
        // Letters where the check digits stand, though the remainder comes out as 1.
        {"UAA43223130000026007233566001", "не проходит проверку контрольных цифр."},
        {"EG380019000500000000263180002", ""},
        {"EG6756084582426123191065804123", "содержит 30 знаков, а IBAN страны EG — 29."},
        {"MT84MALT011000012345MTLCAST001S", ""},
        {"XX4212345678901234", "начинается с XX: такой страны нет в реестре IBAN."},
    };
    for (const auto& r : registry) {
        const QString problem = IbanProblem(QString::fromUtf8(r.iban));
        EXPECT_TRUE(*r.problem ? problem.endsWith(QString::fromUtf8(r.problem)) : problem.isEmpty())
            << r.iban << ": " << problem.toStdString();
    }
    // An IBAN is stored compact however it was typed; an old account of digits as typed.
    EXPECT_EQ(StoredAccount(QStringLiteral(" ua21 3223-1300 0002 6007 2335 6600 1 ")),
              QStringLiteral("UA213223130000026007233566001"));
    EXPECT_EQ(StoredAccount(QStringLiteral("2600 7233 566")), QStringLiteral("2600 7233 566"));
    // An account of digits only is an old one: not checked.
    EXPECT_EQ(IbanProblem(QStringLiteral("26007233566001")), QString());
    EXPECT_EQ(IbanProblem(QString()), QString());

    EXPECT_EQ(GroupedIban(QStringLiteral("UA213223130000026007233566001")),
              QStringLiteral("UA21 3223 1300 0002 6007 2335 6600 1"));
    EXPECT_EQ(BankCodeOfIban(QStringLiteral("UA21 3223 1300 0002 6007 2335 6600 1")),
              QStringLiteral("322313"));
    EXPECT_EQ(BankCodeOfIban(QStringLiteral("UA213223130000026007233566002")), QString());
    EXPECT_EQ(BankCodeOfIban(QStringLiteral("DE89370400440532013000")), QString());
}

TEST(Requisites, FirmAndPersonCodesAreCheckedByTheirControlDigits)
{
    // ПриватБанк, Ощадбанк, the National Bank, Нова пошта (weights from 7); then hand-worked codes whose
    // first remainder is 10, below and within 30 000 000 – 60 000 000.
    for (const char* code : {"14360570", "00032129", "00032106", "31316718", "10000062", "31000093"})
        EXPECT_TRUE(EdrpouValid(QLatin1String(code))) << code;
    for (const char* code :
         {"14360571", "41360570", "00031229", "31316781", "10000060", "1436057", "1436057A"})
        EXPECT_FALSE(EdrpouValid(QLatin1String(code))) << code;
    // -3 + 27 + 24 + 6 + 40 + 40 + 49 = 183, 183 mod 11 = 7.
    EXPECT_TRUE(RnokppValid(QStringLiteral("3003614877")));
    EXPECT_FALSE(RnokppValid(QStringLiteral("3003614878")));
    EXPECT_FALSE(RnokppValid(QStringLiteral("3003641877")));
    // Only the first digit: a sum of -1, whose remainder is 10, and so a control digit of 0.
    EXPECT_TRUE(RnokppValid(QStringLiteral("1000000000")));

    EXPECT_EQ(OkpoProblem(QStringLiteral(" 14360570 ")), QString());
    EXPECT_EQ(OkpoProblem(QStringLiteral("14360571")),
              QStringLiteral("Код ЕДРПОУ 14360571 не проходит проверку контрольной цифры."));
    EXPECT_EQ(OkpoProblem(QStringLiteral("3003614878")),
              QStringLiteral("РНОКПП 3003614878 не проходит проверку контрольной цифры."));
    EXPECT_FALSE(OkpoProblem(QStringLiteral("123")).isEmpty());
    EXPECT_EQ(TaxCodeProblem(QStringLiteral("143605726541")), QString());
    EXPECT_EQ(TaxCodeProblem(QStringLiteral("3003614877")), QString());
    EXPECT_FALSE(TaxCodeProblem(QStringLiteral("14360572654")).isEmpty());
    EXPECT_FALSE(TaxCodeProblem(QStringLiteral("14360572654A")).isEmpty());
    EXPECT_EQ(RequisiteProblems({}, {}, {}), QStringList());
    EXPECT_EQ(RequisiteProblems(QStringLiteral("UA213223130000026007233566002"), QStringLiteral("14360571"),
                                QStringLiteral("x"))
                  .size(),
              3);
}
