#include "app/command_support.h"

#include "base/number_format.h"
#include "base/prompter.h"
#include "db/data_module.h"
#include "db/stores.h"
#include "db/tables.h"
#include "documents/acts.h"
#include "documents/document_pages.h"
#include "documents/documents_controller.h"
#include "documents/goods_list.h"
#include "documents/waybill_issue.h"
#include "payments/reconciliation.h"
#include "print/amount_in_words.h"
#include "print/registers.h"
#include "report/renderer.h"

#include <QCommandLineParser>
#include <QCoreApplication>

#include <climits>
#include <map>

namespace Cli {

int words(const QCommandLineParser& parser, Prompter& prompter)
{
    const QStringList args = positionalArguments(parser);
    double amount = 0;
    if (args.size() != 2 || !ParseDecimal(args[1], &amount)) {
        printErr(args.size() != 2 ? QStringLiteral("words: one AMOUNT is expected")
                                  : QStringLiteral("words: \"%1\" is not an amount").arg(args[1]));
        return ExitUsage;
    }
    const QString text = AmountInWords(
        amount, parser.isSet(QStringLiteral("russian")), !parser.isSet(QStringLiteral("dollars")),
        parser.isSet(QStringLiteral("slash")), !parser.isSet(QStringLiteral("lower")), &prompter);
    printOut(text);
    // A refused amount prints its blank line to fill by hand, and says it failed.
    return text.startsWith(u'_') ? ExitFailed : ExitDone;
}

namespace {

// Exactly one of --pdf, --png and --page.
bool oneOutput(const QCommandLineParser& parser)
{
    int chosen = 0;
    for (const char* o : {"pdf", "png", "page"})
        chosen += parser.isSet(QLatin1String(o)) ? 1 : 0;
    return chosen == 1;
}

ExitCode writePages(const QCommandLineParser& parser, const Pages& pages)
{
    QString error;
    bool written = false;
    if (parser.isSet(QStringLiteral("pdf")))
        written = RenderToPdf(pages, optionValue(parser, QStringLiteral("pdf")), &error);
    else if (parser.isSet(QStringLiteral("png")))
        written = RenderToPng(pages, optionValue(parser, QStringLiteral("png")), 96, &error);
    else
        written = SavePages(pages, optionValue(parser, QStringLiteral("page")), &error);
    if (!written) {
        printErr(error);
        return ExitFailed;
    }
    return ExitDone;
}

OwnerRecord ownerOrDefaults(TDM& dm, Prompter& prompter)
{
    OwnerRecord owner;
    if (!dm.ReadOwnerRow(owner))
        prompter.warn(TDM::ownerMissingText());
    return owner;
}

// A client's reconciliation act for a period.
int printReconciliation(const QCommandLineParser& parser, const Invocation& inv, Prompter& prompter)
{
    qlonglong client = 0;
    QDate from, to;
    if (positionalArguments(parser).size() != 2 || !oneOutput(parser) ||
        !parser.isSet(QStringLiteral("client")) || !parser.isSet(QStringLiteral("from")) ||
        !parser.isSet(QStringLiteral("to"))) {
        printErr(
            QStringLiteral("print reconciliation: --client ID, --from DD.MM.YYYY, --to DD.MM.YYYY and one "
                           "of --pdf, --png, --page are expected"));
        return ExitUsage;
    }
    if (!intOption(parser, QStringLiteral("client"), 1, INT_MAX, &client) ||
        !dateOption(parser, QStringLiteral("from"), &from) || !dateOption(parser, QStringLiteral("to"), &to))
        return ExitUsage;
    return onBook(inv, prompter, [&](TDM& dm, const Settings&) {
        QString error;
        const std::optional<Pages> pages = PrepareReconciliationPages(
            dm, int(client), from, to, ownerOrDefaults(dm, prompter), &prompter, &error);
        if (!pages) {
            printErr(error);
            return ExitFailed;
        }
        return writePages(parser, *pages);
    });
}

} // namespace

int print(const QCommandLineParser& parser, const Invocation& inv, Prompter& prompter)
{
    const QStringList args = positionalArguments(parser);
    if (args.size() >= 2 && args[1] == QLatin1String("reconciliation"))
        return printReconciliation(parser, inv, prompter);
    bool ok = false;
    const int number = args.size() == 3 ? args[2].toInt(&ok) : 0;
    if (args.size() != 3 || !ok || !oneOutput(parser)) {
        printErr(QStringLiteral("print: a kind, a NUMBER and one of --pdf, --png, --page are expected"));
        return ExitUsage;
    }
    const bool expense = args[1] == QLatin1String("expense");
    const bool tax = args[1] == QLatin1String("tax");
    const bool act = args[1] == QLatin1String("act");
    if (args[1] != QLatin1String("invoice") && !expense && !tax && !act) {
        printErr(QStringLiteral("print: unknown kind \"%1\" (invoice, expense, tax, act, reconciliation)")
                     .arg(args[1]));
        return ExitUsage;
    }
    qlonglong section = -1;
    if (!intOption(parser, QStringLiteral("section"), 0, 2, &section))
        return ExitUsage;
    return onBook(inv, prompter, [&](TDM& dm, const Settings& stored) {
        Settings settings = stored;
        if (parser.isSet(QStringLiteral("no-qr")))
            settings.paymentQr = false;
        const OwnerRecord owner = ownerOrDefaults(dm, prompter);
        // Without --section a zero-rate tax waybill goes into the first section, as the dialog proposes.
        const PrintedDocument kind = expense ? PrintedDocument::ExpenseWaybill
                                     : tax   ? PrintedDocument::TaxWaybill
                                     : act   ? PrintedDocument::Act
                                             : PrintedDocument::Invoice;
        const std::optional<Page> page =
            DocumentPage(dm, kind, number, true, owner, settings, inv.programFolder, prompter,
                         int(std::max<qlonglong>(section, 0)));
        if (!page)
            return ExitFailed;
        return writePages(parser, {*page});
    });
}

// One stored document, a line per column: dates as dd.MM.yyyy, numbers as stored, text as it is.
int find(const QCommandLineParser& parser, const Invocation& inv, Prompter& prompter)
{
    const QStringList args = positionalArguments(parser);
    static const std::map<QString, std::pair<const TableDef*, const char*>> kinds = {
        {QStringLiteral("invoice"), {&Tables::factures(), "FACT_NUMBER"}},
        {QStringLiteral("expense"), {&Tables::nakladn1(), "NAKL_NUMBER"}},
        {QStringLiteral("tax"), {&Tables::nakladn2(), "NAKL_NUMBER"}},
        {QStringLiteral("act"), {&Tables::acts(), "ACT_NUMBER"}},
    };
    bool ok = false;
    const int number = args.size() == 3 ? args[2].toInt(&ok) : 0;
    if (args.size() != 3 || !ok || !kinds.count(args[1])) {
        printErr(QStringLiteral("find: invoice, expense, tax or act and a NUMBER are expected"));
        return ExitUsage;
    }
    const auto& [table, key] = kinds.at(args[1]);
    return onBook(inv, prompter, [&, table = table, key = key](TDM& dm, const Settings&) {
        const std::optional<QVariantMap> row =
            ReadRowByKey(dm, *table, *table->column(QLatin1String(key)), number);
        if (!row) {
            printErr(DocumentNotFoundText(number));
            return ExitFailed;
        }
        for (const ColumnDef& c : table->columns) {
            const QVariant v = row->value(QLatin1String(c.name));
            QString text = v.toString();
            if (c.type == ColumnType::Date) {
                const QDate d = dateFromDb(v);
                text = d.isValid() && d != kDateZero ? d.toString(QStringLiteral("dd.MM.yyyy")) : QString();
            }
            printOut(QLatin1String(c.name) + u'=' + text);
        }
        return ExitDone;
    });
}

// Issues a waybill as its dialog does, the options standing for what the dialog lets one type.
int issue(const QCommandLineParser& parser, const Invocation& inv, Prompter& prompter)
{
    const QStringList args = positionalArguments(parser);
    const bool forReceipt = parser.isSet(QStringLiteral("receipt"));
    if (args.size() != 2 || (args[1] != QLatin1String("expense") && args[1] != QLatin1String("tax")) ||
        forReceipt == parser.isSet(QStringLiteral("invoices"))) {
        printErr(
            QStringLiteral("issue: expense or tax, and --invoices N[,N[,N]] or --receipt N are expected"));
        return ExitUsage;
    }
    const WaybillKind kind = args[1] == QLatin1String("expense") ? WaybillKind::Expense : WaybillKind::Tax;
    std::array<int, 3> documents{};
    if (forReceipt) {
        bool ok = false;
        documents[0] = optionValue(parser, QStringLiteral("receipt")).toInt(&ok);
        if (!ok || documents[0] >= 0) {
            printErr(QStringLiteral("--receipt: a receipt number (below 0) is expected"));
            return ExitUsage;
        }
    } else {
        const QStringList numbers = optionValue(parser, QStringLiteral("invoices")).split(u',');
        for (const QString& n : numbers)
            if (n.trimmed().toInt() <= 0) {
                printErr(
                    QStringLiteral("--invoices: invoice numbers above 0, separated by commas, are expected"));
                return ExitUsage;
            }
        const SelectionNumbers picked = ParseWaybillSelection(numbers.join(u'/'));
        if (picked.more && !UseFirstThreeNumbers(prompter))
            return ExitFailed;
        documents = picked.numbers;
    }
    qlonglong number = 0;
    QDate date = QDate::currentDate();
    QDate proxyDate = date;
    if (!intOption(parser, QStringLiteral("number"), 1, std::numeric_limits<int>::max(), &number) ||
        !dateOption(parser, QStringLiteral("date"), &date) ||
        !dateOption(parser, QStringLiteral("proxy-date"), &proxyDate))
        return ExitUsage;
    return onBook(inv, prompter, [&](TDM& dm, const Settings&) {
        std::optional<WaybillDraft> draft = BeginWaybill(dm, prompter, kind, forReceipt, documents, date);
        if (!draft)
            return ExitFailed;
        if (parser.isSet(QStringLiteral("number")))
            draft->number = int(number);
        draft->proxyDate = proxyDate;
        const std::pair<const char*, QString WaybillDraft::*> texts[] = {
            {"receiver", &WaybillDraft::receiver},
            {"proxy-serie", &WaybillDraft::proxySerie},
            {"proxy-number", &WaybillDraft::proxyNumber},
            {"payer", &WaybillDraft::payer},
            {"reason", &WaybillDraft::reason},
            {"payment", &WaybillDraft::paymentType}};
        for (const auto& [name, member] : texts)
            if (parser.isSet(QLatin1String(name)))
                (*draft).*member = optionValue(parser, QLatin1String(name));
        int stored = 0;
        if (StoreWaybillDraft(dm, prompter, *draft, &stored) != WaybillStore::Stored)
            return ExitFailed;
        printOut(QString::number(stored));
        return ExitDone;
    });
}

// Writes an act of work done for a client, as its editor does: what is not given is what the editor
// proposes (the next number, today, the period just closed or running, the settings' VAT rate, the
// client's director).
int act(const QCommandLineParser& parser, const Invocation& inv, Prompter& prompter)
{
    qlonglong client = 0, number = 0, period = 0, year = 0, vat = 0;
    QDate date = QDate::currentDate();
    if (!parser.isSet(QStringLiteral("client")) || !parser.isSet(QStringLiteral("work")) ||
        !parser.isSet(QStringLiteral("sum")) || !positionalArguments(parser).mid(1).isEmpty()) {
        printErr(QStringLiteral("act: --client ID, --work TEXT and --sum AMOUNT are expected"));
        return ExitUsage;
    }
    double sum = 0;
    if (ParseTypedNumber(optionValue(parser, QStringLiteral("sum")), kActSumPlaces, true, &sum) !=
        TypedNumber::Ok) {
        printErr(QStringLiteral("--sum: an amount with at most two decimals is expected"));
        return ExitUsage;
    }
    constexpr qlonglong most = std::numeric_limits<int>::max();
    if (!intOption(parser, QStringLiteral("client"), 2, most, &client) ||
        !intOption(parser, QStringLiteral("number"), 1, most, &number) ||
        !intOption(parser, QStringLiteral("period"), -most, most, &period) ||
        !intOption(parser, QStringLiteral("year"), -most, most, &year) ||
        !intOption(parser, QStringLiteral("vat"), 0, 100, &vat) ||
        !dateOption(parser, QStringLiteral("date"), &date))
        return ExitUsage;
    return onBook(inv, prompter, [&](TDM& dm, const Settings& settings) {
        const std::optional<ClientRow> customer = dm.ReadClient(int(client));
        if (!customer) {
            prompter.error(QCoreApplication::translate("Acts", "Клиент № %1 не найден.").arg(client));
            return ExitFailed;
        }
        ActDraft draft = OpenActDraft(dm, ActCommand::New, *customer, nullptr, settings.ndsValue, date);
        if (parser.isSet(QStringLiteral("number")))
            draft.number = int(number);
        if (parser.isSet(QStringLiteral("period")))
            draft.period.month = int(period);
        if (parser.isSet(QStringLiteral("year")))
            draft.period.year = int(year);
        draft.kindOfWork = optionValue(parser, QStringLiteral("work"));
        draft.sum = sum;
        if (parser.isSet(QStringLiteral("vat")))
            draft.vatRate = int(vat);
        if (parser.isSet(QStringLiteral("representative")))
            draft.representative = optionValue(parser, QStringLiteral("representative"));
        if (const QString problem = StoreAct(dm, int(client), draft); !problem.isEmpty()) {
            prompter.error(problem);
            return ExitFailed;
        }
        printOut(QString::number(draft.number));
        return ExitDone;
    });
}

// A register as the lists' register commands write it: one client's documents or every client's.
int writeRegister(const QCommandLineParser& parser, const Invocation& inv, Prompter& prompter)
{
    static const std::map<QString, RegisterKind> kinds = {
        {QStringLiteral("invoices"), RegisterKind::Invoices},
        {QStringLiteral("receipts"), RegisterKind::Receipts},
        {QStringLiteral("expense"), RegisterKind::ExpenseWaybills},
        {QStringLiteral("tax"), RegisterKind::TaxWaybills},
        {QStringLiteral("acts"), RegisterKind::Acts},
        {QStringLiteral("payments"), RegisterKind::Payments},
    };
    const QStringList args = positionalArguments(parser);
    if (args.size() != 2 || !kinds.count(args[1]) || !parser.isSet(QStringLiteral("from")) ||
        !parser.isSet(QStringLiteral("to"))) {
        printErr(QStringLiteral("register: invoices, receipts, expense, tax, acts or payments, --from and "
                                "--to DD.MM.YYYY are expected"));
        return ExitUsage;
    }
    const RegisterKind kind = kinds.at(args[1]);
    RegisterScope scope;
    qlonglong client = 0;
    if (!dateOption(parser, QStringLiteral("from"), &scope.from) ||
        !dateOption(parser, QStringLiteral("to"), &scope.to) ||
        !intOption(parser, QStringLiteral("client"), 1, std::numeric_limits<int>::max(), &client))
        return ExitUsage;
    scope.clientId = int(client);
    const QString file = outputFile(parser, inv, RegisterFileName(kind));
    if (file.isEmpty())
        return ExitUsage;
    const bool sheet = spreadsheetOutput(parser, file);
    return writeFromBook(inv, prompter, [&](TDM& dm, QString* error) {
        return sheet ? WriteRegisterSheet(dm, kind, scope, file, error)
                     : WriteRegister(dm, kind, scope, file, error);
    });
}

// The goods list in the window's order, as a spreadsheet.
int goods(const QCommandLineParser& parser, const Invocation& inv, Prompter& prompter)
{
    const QString file = outputFile(parser, inv, QStringLiteral("goods.xlsx"));
    if (file.isEmpty())
        return ExitUsage;
    return writeFromBook(inv, prompter, [&](TDM& dm, QString* error) {
        GoodsList goods(dm);
        goods.reload();
        return goods.writeSheet(file, error);
    });
}

} // namespace Cli
