#include "app/commands.h"

#include "app/command_support.h"

#include "base/prompter.h"
#include "base/version.h"
#include "db/postgres/pg_schema.h"

#include <QCommandLineParser>
#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>

#include <cstdio>

using namespace Cli;

namespace {

const char* const kUsage = R"(Usage:
  docmar [--home DIR] [--book URI]                     the desktop program
  (every command on the book takes --book URI: a PostgreSQL book instead of docmar.ini's)
  docmar [--home DIR] init-db                          empty database in the PATH folder
  docmar words AMOUNT [--russian] [--dollars] [--slash] [--lower]
  docmar [--home DIR] demo [--clients N] [--invoices N] [--seed N]
  docmar [--home DIR] print invoice|expense|tax|act NUMBER (--pdf FILE | --png FILE | --page FILE) [--section 0|1|2]
         [--no-qr]
  docmar [--home DIR] print reconciliation --client ID --from DD.MM.YYYY --to DD.MM.YYYY
         (--pdf FILE | --png FILE | --page FILE)     the client's reconciliation act for the period
  docmar [--home DIR] find invoice|expense|tax|act NUMBER the stored document as NAME=value lines
  docmar [--home DIR] issue expense|tax (--invoices N[,N[,N]] | --receipt N) [--number N]
         [--date DD.MM.YYYY] [--receiver TEXT] [--proxy-serie TEXT] [--proxy-number N]
         [--proxy-date DD.MM.YYYY] [--payer TEXT] [--reason TEXT] [--payment TEXT] [--yes]
  docmar [--home DIR] act --client ID --work TEXT --sum AMOUNT [--number N] [--date DD.MM.YYYY]
         [--period 1..16] [--year YYYY] [--vat RATE] [--representative TEXT]
                                                       an act of work done (period 13..16: a quarter)
  docmar [--home DIR] register invoices|receipts|expense|tax|acts|payments --from DD.MM.YYYY
         --to DD.MM.YYYY [--client ID] [-o FILE] [--xlsx]    (FILE.xlsx or --xlsx: a spreadsheet)
  docmar [--home DIR] goods [-o FILE]                  the goods list as a spreadsheet (goods.xlsx)
  docmar [--home DIR] pay (--invoice N | --act N | --client ID) [--sum AMOUNT] [--date DD.MM.YYYY]
         [--bank-number TEXT] [--purpose TEXT]         a payment received (default: the unpaid rest)
  docmar [--home DIR] debtors [--date DD.MM.YYYY] [-o FILE] [--xlsx]
                                                       who owes on the date, to DOLGI.TXT
  docmar [--home DIR] import-statement FILE [--yes]    a bank statement (1CClientBankExchange or CSV):
                                                       what it brings; --yes stores the payments tied
                                                       to an invoice or act
  docmar [--home DIR] export-clients --fields NAME[:WIDTH],... [--name TEXT] [--city TEXT]
         [--sort INDEX] [-o FILE] [--xlsx]             appends the client list to the file (a
                                                       spreadsheet replaces it)
  docmar [--home DIR] backup                           the database folder into its BackUp folder
                                                       (dated copies of the book, the last ten kept)
  docmar [--home DIR] restore [FILE]                   a copy (the newest when none is named) in place
                                                       of the book, which is kept as a copy first
  docmar [--home DIR] check                            the whole book checked: every page, index and
                                                       constraint (a server book: every value read)
  docmar [--home DIR] clear-documents --yes            backs the book up, then empties the document tables
  docmar [--home DIR] import-paradox FOLDER [--codepage N]
                                                       the seven Paradox tables into an empty book
  docmar [--home DIR] copy-book (--to URI | --from URI) the book to or from an empty PostgreSQL book
  docmar --version
)";

void addOptions(QCommandLineParser& parser)
{
    parser.setOptionsAfterPositionalArgumentsMode(QCommandLineParser::ParseAsOptions);
    parser.setSingleDashWordOptionMode(QCommandLineParser::ParseAsLongOptions);
    parser.addOptions({
        {QStringLiteral("home"), QStringLiteral("Program folder (settings, DataBase)."),
         QStringLiteral("DIR")},
        {QStringLiteral("book"),
         QStringLiteral(
             "The PostgreSQL book of this run instead of docmar.ini's BOOK (\"\": the SQLite file)."),
         QStringLiteral("URI")},
        {{QStringLiteral("h"), QStringLiteral("help")}, QStringLiteral("Show this help.")},
        {QStringLiteral("version"), QStringLiteral("Show the program's version.")},
        {QStringLiteral("russian"), QStringLiteral("Russian words (default Ukrainian).")},
        {QStringLiteral("dollars"), QStringLiteral("US dollars (default hryvnias).")},
        {QStringLiteral("slash"), QStringLiteral("\"/\" before the kopeck word.")},
        {QStringLiteral("lower"), QStringLiteral("Do not capitalise the first letter.")},
        {QStringLiteral("clients"), QStringLiteral("Number of demo clients."), QStringLiteral("N")},
        {QStringLiteral("invoices"),
         QStringLiteral("demo: number of invoices; issue: the waybill's invoices."), QStringLiteral("N")},
        {QStringLiteral("seed"), QStringLiteral("Seed of the demo data."), QStringLiteral("N")},
        {QStringLiteral("pdf"), QStringLiteral("Write the document as PDF."), QStringLiteral("FILE")},
        {QStringLiteral("png"), QStringLiteral("Write the page as a PNG picture."), QStringLiteral("FILE")},
        {QStringLiteral("page"), QStringLiteral("Write the page file (JSON)."), QStringLiteral("FILE")},
        {QStringLiteral("section"), QStringLiteral("VAT section of a zero-rate tax waybill."),
         QStringLiteral("N")},
        {QStringLiteral("no-qr"),
         QStringLiteral("Invoice or act: leave the payment QR code out of this print.")},
        {QStringLiteral("receipt"), QStringLiteral("The receipt of the waybill."), QStringLiteral("N")},
        {QStringLiteral("number"), QStringLiteral("Waybill or act number (default: the next one)."),
         QStringLiteral("N")},
        {QStringLiteral("date"),
         QStringLiteral("Waybill, act or payment date; debtors: the day (default: today)."),
         QStringLiteral("DD.MM.YYYY")},
        {QStringLiteral("receiver"), QStringLiteral("Expense waybill: who takes the goods."),
         QStringLiteral("TEXT")},
        {QStringLiteral("proxy-serie"), QStringLiteral("Expense waybill: proxy series."),
         QStringLiteral("TEXT")},
        {QStringLiteral("proxy-number"), QStringLiteral("Expense waybill: proxy number."),
         QStringLiteral("N")},
        {QStringLiteral("proxy-date"), QStringLiteral("Expense waybill: proxy date."),
         QStringLiteral("DD.MM.YYYY")},
        {QStringLiteral("payer"), QStringLiteral("Tax waybill: the payer."), QStringLiteral("TEXT")},
        {QStringLiteral("reason"), QStringLiteral("Tax waybill: the payment ground."),
         QStringLiteral("TEXT")},
        {QStringLiteral("payment"), QStringLiteral("Tax waybill: the way of payment."),
         QStringLiteral("TEXT")},
        {QStringLiteral("yes"), QStringLiteral("Answer the dialog's questions with Yes.")},
        {QStringLiteral("work"), QStringLiteral("Act: the kind of work done."), QStringLiteral("TEXT")},
        {QStringLiteral("sum"), QStringLiteral("act: the sum without VAT; pay: the sum paid."),
         QStringLiteral("AMOUNT")},
        {QStringLiteral("period"),
         QStringLiteral("Act: month 1-12 or quarter 13-16 (default: the month closed)."),
         QStringLiteral("N")},
        {QStringLiteral("year"), QStringLiteral("Act: the period's year."), QStringLiteral("YYYY")},
        {QStringLiteral("vat"), QStringLiteral("Act: the VAT rate (default: the settings')."),
         QStringLiteral("RATE")},
        {QStringLiteral("representative"), QStringLiteral("Act: who signs for the customer."),
         QStringLiteral("TEXT")},
        {QStringLiteral("from"),
         QStringLiteral("register, reconciliation: the period's first day; copy-book: the PostgreSQL book to "
                        "read."),
         QStringLiteral("DD.MM.YYYY|URI")},
        {QStringLiteral("to"),
         QStringLiteral(
             "register, reconciliation: the period's last day; copy-book: the empty PostgreSQL book "
             "to fill."),
         QStringLiteral("DD.MM.YYYY|URI")},
        {QStringLiteral("client"),
         QStringLiteral("register: one client's documents (default: every client's); act: the customer; pay: "
                        "the payer; reconciliation: the client."),
         QStringLiteral("ID")},
        {QStringLiteral("fields"), QStringLiteral("Client columns to export, each with its width."),
         QStringLiteral("NAME[:WIDTH],...")},
        {QStringLiteral("name"), QStringLiteral("Only clients of this name (TEXT* = beginning so)."),
         QStringLiteral("TEXT")},
        {QStringLiteral("city"), QStringLiteral("Only clients of this city (TEXT* = beginning so)."),
         QStringLiteral("TEXT")},
        {QStringLiteral("sort"), QStringLiteral("The client list's order: an index name (FIRMA)."),
         QStringLiteral("INDEX")},
        {QStringLiteral("codepage"),
         QStringLiteral("import-paradox: the tables' text is in this code page (866, 1251)."),
         QStringLiteral("N")},
        {QStringLiteral("invoice"), QStringLiteral("pay: the invoice paid."), QStringLiteral("N")},
        {QStringLiteral("act"), QStringLiteral("pay: the act paid."), QStringLiteral("N")},
        {QStringLiteral("bank-number"), QStringLiteral("pay: the bank document's number."),
         QStringLiteral("TEXT")},
        {QStringLiteral("purpose"), QStringLiteral("pay: the payment's purpose."), QStringLiteral("TEXT")},
        {QStringLiteral("xlsx"),
         QStringLiteral("register, debtors, export-clients, goods: an XLSX spreadsheet (also when the output "
                        "ends in .xlsx).")},
        {{QStringLiteral("o"), QStringLiteral("output")},
         QStringLiteral("The file to write."),
         QStringLiteral("FILE")},
    });
    parser.addPositionalArgument(QStringLiteral("command"), QStringLiteral("init-db, words, demo"));
}

// The commands: each name with how many words may follow it and what runs it.
struct Command {
    const char* name;
    int arguments; // the words that may follow the name; -1: the command checks its words itself
    int (*run)(const QCommandLineParser& parser, const Invocation& inv, Prompter& prompter);
};
using P = const QCommandLineParser&;
using I = const Invocation&;
const Command kCommandTable[] = {
    {"init-db", 0, [](P, I inv, Prompter& p) { return initDb(inv, p); }},
    {"words", -1, [](P parser, I, Prompter& p) { return words(parser, p); }},
    {"demo", 0, [](P parser, I inv, Prompter& p) { return demo(parser, inv, p); }},
    {"print", -1, [](P parser, I inv, Prompter& p) { return print(parser, inv, p); }},
    {"find", -1, [](P parser, I inv, Prompter& p) { return find(parser, inv, p); }},
    {"issue", -1, [](P parser, I inv, Prompter& p) { return issue(parser, inv, p); }},
    {"act", 0, [](P parser, I inv, Prompter& p) { return act(parser, inv, p); }},
    {"register", -1, [](P parser, I inv, Prompter& p) { return writeRegister(parser, inv, p); }},
    {"goods", 0, [](P parser, I inv, Prompter& p) { return goods(parser, inv, p); }},
    {"pay", 0, [](P parser, I inv, Prompter& p) { return pay(parser, inv, p); }},
    {"debtors", 0, [](P parser, I inv, Prompter& p) { return debtors(parser, inv, p); }},
    {"import-statement", -1, [](P parser, I inv, Prompter& p) { return importStatement(parser, inv, p); }},
    {"export-clients", 0, [](P parser, I inv, Prompter& p) { return exportClients(parser, inv, p); }},
    {"backup", 0, [](P, I inv, Prompter& p) { return backup(inv, p); }},
    {"check", 0, [](P, I inv, Prompter& p) { return checkBook(inv, p); }},
    {"clear-documents", 0, [](P, I inv, Prompter& p) { return clearDocuments(inv, p); }},
    {"import-paradox", -1, [](P parser, I inv, Prompter& p) { return importParadox(parser, inv, p); }},
    {"copy-book", 0, [](P parser, I inv, Prompter& p) { return copyBook(parser, inv, p); }},
    {"restore", 1, [](P parser, I inv, Prompter& p) { return restore(positionalArguments(parser), inv, p); }},
};

const Command* commandNamed(const QString& name)
{
    for (const Command& c : kCommandTable)
        if (name == QLatin1String(c.name))
            return &c;
    return nullptr;
}

} // namespace

QString DefaultProgramFolder()
{
    if (const QString home = qEnvironmentVariable("DOCMAR_HOME"); !home.isEmpty())
        return home;
    const QString own = QCoreApplication::applicationDirPath();
    if (QFileInfo(QDir(own).filePath(QStringLiteral("../share/docmar"))).isDir())
        return QDir::home().filePath(QStringLiteral("DocMar"));
    return own;
}

Invocation ParseInvocation(const QStringList& arguments)
{
    Invocation inv;
    inv.parser = std::make_shared<QCommandLineParser>();
    QCommandLineParser& parser = *inv.parser;
    addOptions(parser);
    if (!parser.parse(markNegativeNumbers(arguments))) {
        printErr(parser.errorText());
        printErr(QString::fromLatin1(kUsage));
        inv.earlyExit = ExitUsage;
        return inv;
    }
    if (parser.isSet(QStringLiteral("help"))) {
        std::fputs(kUsage, stdout);
        inv.earlyExit = ExitDone;
        return inv;
    }
    if (parser.isSet(QStringLiteral("version"))) {
        printOut(QStringLiteral("docmar %1").arg(QLatin1String(kDocMarVersion)));
        inv.earlyExit = ExitDone;
        return inv;
    }
    if (parser.isSet(QStringLiteral("home"))) {
        const QString home = optionValue(parser, QStringLiteral("home"));
        // An empty folder name would quietly mean the current folder.
        if (home.trimmed().isEmpty()) {
            printErr(QStringLiteral("--home: a folder is expected"));
            inv.earlyExit = ExitUsage;
            return inv;
        }
        inv.programFolder = QDir(home).absolutePath();
    }
    if (parser.isSet(QStringLiteral("book"))) {
        const QString book = optionValue(parser, QStringLiteral("book")).trimmed();
        if (!book.isEmpty() && !PostgresSchema::isBookUri(book)) {
            printErr(QStringLiteral("--book: postgresql://user@host:port/dbname is expected, or \"\" for the "
                                    "SQLite file"));
            inv.earlyExit = ExitUsage;
            return inv;
        }
        inv.book = book;
    }
    const QStringList positional = positionalArguments(parser);
    if (!positional.isEmpty()) {
        inv.command = positional.first();
        if (!commandNamed(inv.command)) {
            printErr(QStringLiteral("Unknown command \"%1\"").arg(inv.command));
            printErr(QString::fromLatin1(kUsage));
            inv.earlyExit = ExitUsage;
        }
    }
    return inv;
}

int RunCommand(const Invocation& inv)
{
    const Command* command = commandNamed(inv.command);
    if (!inv.parser || !command)
        return ExitUsage;
    const QCommandLineParser& parser = *inv.parser;
    StderrPrompter prompter(parser.isSet(QStringLiteral("yes")));
    const QStringList positional = positionalArguments(parser);
    if (command->arguments >= 0 && positional.size() > 1 + command->arguments) {
        printErr(QStringLiteral("%1: unexpected argument \"%2\"")
                     .arg(inv.command, positional[1 + command->arguments]));
        return ExitUsage;
    }
    return command->run(parser, inv, prompter);
}
