#pragma once

#include <QString>
#include <QStringList>

#include <optional>

class Prompter;

// Bank and tax requisites as Ukrainian banks and the tax service check them: the IBAN (ISO 13616), the
// ЄДРПОУ code of a firm, the РНОКПП of a person and the VAT payer's ІПН. Every check says what is wrong in
// words a bookkeeper can act on; a value that passes, or one of an older kind (an account of digits only),
// gives no problem.

// The IBAN as banks store it: blanks and dashes dropped, letters in capitals.
QString CompactIban(const QString& account);
// An account as it is stored: an IBAN compact (typed in groups or with dashes), any other as typed.
QString StoredAccount(const QString& account);
// An account typed in groups of four takes a blank after every four characters of the column.
constexpr int TypedAccountLength(int columnSize)
{
    return columnSize + columnSize / 4;
}
// An account that begins with two letters is taken for an IBAN.
bool LooksLikeIban(const QString& account);
// An IBAN in groups of four, as banks print it for reading.
QString GroupedIban(const QString& account);
// What is wrong with an IBAN (its characters, its length for its country, its check digits); empty when it
// is right or the account is not an IBAN.
QString IbanProblem(const QString& account);
// The bank's six-digit code inside a Ukrainian IBAN (its 5th to 10th characters); empty for any other.
QString BankCodeOfIban(const QString& account);

bool EdrpouValid(const QString& code);
bool RnokppValid(const QString& code);
// The ЄДРПОУ (8 digits) or, for a sole trader, the РНОКПП (10 digits) checked by its control digit.
QString OkpoProblem(const QString& code);
// The VAT payer's ІПН (12 digits), or a sole trader's РНОКПП (10 digits).
QString TaxCodeProblem(const QString& code);
// Every problem of a party's account and codes, in the order of the form.
QStringList RequisiteProblems(const QString& account, const QString& okpoCode, const QString& taxCode);
// A party's account and codes as a form stores them.
struct Requisites {
    QString account, okpoCode, taxCode;
};
// The problems of what was typed now: a value the same as the stored one (when there is one) is not checked
// again, so an old code is not asked about at every change of a phone number.
QStringList TypedRequisiteProblems(const Requisites& typed, const std::optional<Requisites>& stored);
// Shows the problems and asks whether to store the values as typed; true at once when there are none.
bool StoreDespiteProblems(Prompter& prompter, const QStringList& problems);
