#include "app/command_support.h"

#include "base/prompter.h"
#include "db/data_module.h"
#include "payments/payment_import.h"

#include <QCommandLineParser>
#include <QCoreApplication>

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
