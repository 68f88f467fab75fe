#include "app/command_support.h"

#include "base/number_format.h"
#include "base/prompter.h"
#include "db/data_module.h"
#include "payments/debtors.h"
#include "payments/payment_import.h"
#include "payments/payments.h"

#include <QCommandLineParser>
#include <QCoreApplication>

#include <limits>

namespace Cli {

namespace {

// A line as the command lists it: "05.03.2026  1200,00  ТОВ «…» (12345678)  → с/ф № 12  Оплата за …".
QString lineText(const ImportedLine& in)
{
    const QString tie =
        in.invoice > 0 ? QCoreApplication::translate("Commands", "с/ф № %1").arg(in.invoice)
        : in.act > 0   ? QCoreApplication::translate("Commands", "акт № %1").arg(in.act)
        : in.clientId > 0 ? QCoreApplication::translate("Commands", "клиент № %1, без счета").arg(in.clientId)
                          : QCoreApplication::translate("Commands", "плательщика нет в базе");
    return QStringLiteral("%1  %2  %3 (%4)  -> %5  %6")
        .arg(in.line.date.toString(QStringLiteral("dd.MM.yyyy")), in.line.amount.text().rightJustified(12),
             in.line.otherName, in.line.otherCode, tie, in.line.purpose);
}

} // namespace

// A bank statement: what it would bring, said first; with --yes the payments tied to an invoice or act are
// stored, and the rest listed to be dealt with in the window.
int importStatement(const QCommandLineParser& parser, const Invocation& inv, Prompter& prompter)
{
    const QStringList args = positionalArguments(parser);
    if (args.size() != 2) {
        printErr(QStringLiteral("import-statement: one FILE is expected"));
        return ExitUsage;
    }
    return onBook(inv, prompter, [&](TDM& dm, const Settings&) {
        OwnerRecord owner;
        dm.ReadOwnerRow(owner);
        QString error;
        const std::optional<StatementImport> plan = PlanStatementImport(dm, args[1], owner, &error);
        if (!plan) {
            prompter.error(error);
            return ExitFailed;
        }
        printErr(plan->summary());
        for (const ImportedLine& in : plan->incoming)
            if (!in.stored && (!in.matched() || !parser.isSet(QStringLiteral("yes"))))
                printOut(lineText(in));
        if (!parser.isSet(QStringLiteral("yes"))) {
            printErr(QCoreApplication::translate("Commands",
                                                 "Ничего не записано: --yes записывает сопоставленные."));
            return ExitDone;
        }
        const int stored = StoreStatementImport(dm, *plan, true);
        printErr(QCoreApplication::translate("Commands", "Записано платежей: %1.").arg(stored));
        return ExitDone;
    });
}

} // namespace Cli

namespace Cli {

// A payment typed on the command line, as the payment dialog stores it: of an invoice or act (its unpaid
// rest unless --sum says otherwise) or of a client alone.
int pay(const QCommandLineParser& parser, const Invocation& inv, Prompter& prompter)
{
    qlonglong invoice = 0, act = 0, client = 0;
    QDate date = QDate::currentDate();
    constexpr qlonglong most = std::numeric_limits<int>::max();
    const int chosen = int(parser.isSet(QStringLiteral("invoice"))) +
                       int(parser.isSet(QStringLiteral("act"))) + int(parser.isSet(QStringLiteral("client")));
    if (chosen != 1 || !positionalArguments(parser).mid(1).isEmpty()) {
        printErr(QStringLiteral("pay: one of --invoice N, --act N, --client ID is expected"));
        return ExitUsage;
    }
    if (!intOption(parser, QStringLiteral("invoice"), 1, most, &invoice) ||
        !intOption(parser, QStringLiteral("act"), 1, most, &act) ||
        !intOption(parser, QStringLiteral("client"), 2, most, &client) ||
        !dateOption(parser, QStringLiteral("date"), &date))
        return ExitUsage;
    double sum = 0;
    if (parser.isSet(QStringLiteral("sum")) &&
        ParseTypedNumber(optionValue(parser, QStringLiteral("sum")), 2, true, &sum) != TypedNumber::Ok) {
        printErr(QStringLiteral("--sum: an amount with at most two decimals is expected"));
        return ExitUsage;
    }
    if (client > 0 && !parser.isSet(QStringLiteral("sum"))) {
        printErr(QStringLiteral("pay: --client needs --sum"));
        return ExitUsage;
    }
    return onBook(inv, prompter, [&](TDM& dm, const Settings&) {
        QString error;
        std::optional<PaymentDraft> draft =
            client > 0 ? std::optional(OpenClientPayment(int(client), date))
                       : OpenDocumentPayment(dm, int(invoice > 0 ? invoice : act), act > 0, date, &error);
        if (!draft) {
            prompter.error(error);
            return ExitFailed;
        }
        if (client > 0 && !dm.ReadClient(int(client))) {
            prompter.error(QCoreApplication::translate("Acts", "Клиент № %1 не найден.").arg(client));
            return ExitFailed;
        }
        if (parser.isSet(QStringLiteral("sum")))
            draft->row.SUMMA = sum;
        if (parser.isSet(QStringLiteral("bank-number")))
            draft->row.BANK_NUMBER = optionValue(parser, QStringLiteral("bank-number"));
        if (parser.isSet(QStringLiteral("purpose")))
            draft->row.INFO = optionValue(parser, QStringLiteral("purpose"));
        if (const QString problem = StoreTypedPayment(dm, draft->row); !problem.isEmpty()) {
            prompter.error(problem);
            return ExitFailed;
        }
        printOut(Money::fromDouble(draft->row.SUMMA).text());
        return ExitDone;
    });
}

} // namespace Cli

namespace Cli {

// Who owes on a date (today by default), written as the debtors' text.
int debtors(const QCommandLineParser& parser, const Invocation& inv, Prompter& prompter)
{
    QDate date = QDate::currentDate();
    if (!positionalArguments(parser).mid(1).isEmpty() || !dateOption(parser, QStringLiteral("date"), &date))
        return ExitUsage;
    const QString file = outputFile(parser, inv, DebtorsFileName());
    if (file.isEmpty())
        return ExitUsage;
    const bool sheet = spreadsheetOutput(parser, file);
    return writeFromBook(inv, prompter, [&](TDM& dm, QString* error) {
        return WriteDebtors(dm, date, file, error, nullptr, sheet);
    });
}

} // namespace Cli
