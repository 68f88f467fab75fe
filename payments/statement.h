#pragma once

#include "base/money.h"

#include <QByteArray>
#include <QDate>
#include <QString>

#include <optional>
#include <vector>

// A bank statement as the bank exported it: the 1CClientBankExchange text format that Ukrainian banks write
// for accounting programs, or a CSV statement with a header row. A statement comes from outside: every
// reader refuses what it cannot read whole, naming the file and the line, and never guesses a figure.

struct StatementLine {
    int line = 0;   // where it starts in the file, from 1
    QString number; // the bank document's number
    QDate date;
    Money amount;
    QString currency; // "UAH" where the file names none
    // Incoming to the account, or outgoing from it; the account is the statement's side of the line.
    bool incoming = true;
    QString account;
    QString otherName, otherCode, otherAccount; // the payer of an incoming line, the receiver of an outgoing
    QString purpose;
    // What tells this line apart from every other of the bank's, the same on every import of it.
    QString key;
};

struct BankStatement {
    QString format; // "1CClientBankExchange" or "CSV"
    std::vector<StatementLine> lines;
};

// The largest statement read: nothing a bank writes comes near it.
inline constexpr qsizetype kLargestStatement = 256 * 1024 * 1024;

// The statement in the bytes of the file; nullopt with *error ("Файл X, строка N: …") when they are not
// one, or a line of it cannot be read whole.
std::optional<BankStatement> ReadStatement(const QByteArray& bytes, const QString& fileName, QString* error);
