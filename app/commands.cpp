#include "app/commands.h"

#include "base/number_format.h"
#include "base/prompter.h"
#include "base/settings.h"
#include "base/version.h"
#include "base/whole_file.h"
#include "clients/client_export.h"
#include "clients/client_register.h"
#include "db/book_copy.h"
#include "db/data_module.h"
#include "db/demo_data.h"
#include "db/pg_schema.h"
#include "db/stores.h"
#include "db/tables.h"
#include "documents/document_pages.h"
#include "documents/waybill_issue.h"
#include "maintenance/maintenance_controller.h"
#include "maintenance/paradox_import.h"
#include "print/amount_in_words.h"
#include "print/registers.h"
#include "report/renderer.h"

#include <QCommandLineParser>
#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QRegularExpression>
#include <QSqlDatabase>

#include <cstdio>
#include <functional>
#include <map>
#include <unistd.h>

namespace {

void printErr(const QString& text)
{
    std::fprintf(stderr, "%s\n", text.toUtf8().constData());
}
void printOut(const QString& text)
{
    std::fprintf(stdout, "%s\n", text.toUtf8().constData());
}

const char* const kUsage = R"(Usage:
  docmar [--home DIR] [--book URI]                     the desktop program
  (every command on the book takes --book URI: a PostgreSQL book instead of docmar.ini's)
  docmar [--home DIR] init-db                          empty database in the PATH folder
  docmar words AMOUNT [--russian] [--dollars] [--slash] [--lower]
  docmar [--home DIR] demo [--clients N] [--invoices N] [--seed N]
  docmar [--home DIR] print invoice|expense|tax NUMBER (--pdf FILE | --png FILE | --page FILE) [--section 0|1|2]
         [--no-qr]
  docmar [--home DIR] find invoice|expense|tax NUMBER   the stored document as NAME=value lines
  docmar [--home DIR] issue expense|tax (--invoices N[,N[,N]] | --receipt N) [--number N]
         [--date DD.MM.YYYY] [--receiver TEXT] [--proxy-serie TEXT] [--proxy-number N]
         [--proxy-date DD.MM.YYYY] [--payer TEXT] [--reason TEXT] [--payment TEXT] [--yes]
  docmar [--home DIR] register invoices|receipts|expense|tax --from DD.MM.YYYY --to DD.MM.YYYY
         [--client ID] [-o FILE]
  docmar [--home DIR] export-clients --fields NAME[:WIDTH],... [--name TEXT] [--city TEXT]
         [--sort INDEX] [-o FILE]                      appends the client list to the file
  docmar [--home DIR] backup                           the database folder into its BackUp folder
                                                       (dated copies of the book, the last ten kept)
  docmar [--home DIR] restore [FILE]                   a copy (the newest when none is named) in place
                                                       of the book, which is kept as a copy first
  docmar [--home DIR] clear-documents --yes            empties the document tables
  docmar [--home DIR] import-paradox FOLDER [--codepage N]
                                                       the seven Paradox tables into an empty book
  docmar [--home DIR] copy-book (--to URI | --from URI) the book to or from an empty PostgreSQL book
  docmar --version
)";

// The parser takes "-5" for an option. Such a word is marked before parsing and unmarked when read, so
// a negative number is a value like any other.
constexpr QChar kNumberMark(0xE000);

QStringList markNegativeNumbers(QStringList arguments)
{
    static const QRegularExpression number(QStringLiteral("^-\\d+([.,]\\d*)?$"));
    for (qsizetype i = 1; i < arguments.size(); ++i)
        if (number.match(arguments[i]).hasMatch())
            arguments[i].prepend(kNumberMark);
    return arguments;
}

QString unmarked(QString text)
{
    if (text.startsWith(kNumberMark))
        text.remove(0, 1);
    return text;
}

QString optionValue(const QCommandLineParser& parser, const QString& name)
{
    return unmarked(parser.value(name));
}

QStringList positionalArguments(const QCommandLineParser& parser)
{
    QStringList args = parser.positionalArguments();
    for (QString& a : args)
        a = unmarked(a);
    return args;
}

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
        {QStringLiteral("no-qr"), QStringLiteral("Invoice: leave the payment QR code out of this print.")},
        {QStringLiteral("receipt"), QStringLiteral("The receipt of the waybill."), QStringLiteral("N")},
        {QStringLiteral("number"), QStringLiteral("Waybill number (default: the next one)."),
         QStringLiteral("N")},
        {QStringLiteral("date"), QStringLiteral("Waybill date (default: today)."),
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
        {QStringLiteral("from"),
         QStringLiteral("register: the period's first day; copy-book: the PostgreSQL book to read."),
         QStringLiteral("DD.MM.YYYY|URI")},
        {QStringLiteral("to"),
         QStringLiteral("register: the period's last day; copy-book: the empty PostgreSQL book to fill."),
         QStringLiteral("DD.MM.YYYY|URI")},
        {QStringLiteral("client"), QStringLiteral("One client's documents (default: every client's)."),
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
        {{QStringLiteral("o"), QStringLiteral("output")},
         QStringLiteral("The file to write."),
         QStringLiteral("FILE")},
    });
    parser.addPositionalArgument(QStringLiteral("command"), QStringLiteral("init-db, words, demo"));
}

// Whole number option in [lo, hi]; false (with a message) when present and not such a number.
bool intOption(const QCommandLineParser& parser, const QString& name, qlonglong lo, qlonglong hi,
               qlonglong* value)
{
    if (!parser.isSet(name))
        return true;
    bool ok = false;
    const qlonglong v = optionValue(parser, name).toLongLong(&ok);
    if (!ok || v < lo || v > hi) {
        printErr(QStringLiteral("--%1: a whole number from %2 to %3 is expected, not \"%4\"")
                     .arg(name)
                     .arg(lo)
                     .arg(hi)
                     .arg(optionValue(parser, name)));
        return false;
    }
    *value = v;
    return true;
}

// Settings as start-up reads them; the file is created with the defaults when missing. --book names
// the book of this run.
Settings loadSettings(const Invocation& inv, Prompter& prompter)
{
    Settings settings = defaultSettings(inv.programFolder);
    QString error;
    if (!ReadSettings(settings, inv.programFolder, &error))
        prompter.error(error);
    if (inv.book)
        settings.book = *inv.book;
    KeepFromOutput(settings.backupFolder);
    return settings;
}

bool ensureProgramFolder(const QString& folder)
{
    if (QDir().mkpath(folder))
        return true;
    printErr(QCoreApplication::translate("Commands", "Не удалось создать каталог %1").arg(folder));
    return false;
}

// A command on the book: the program folder and the settings as start-up has them, the database
// connected; an engine failure is printed, exit 1.
int onBook(const Invocation& inv, Prompter& prompter, const std::function<int(TDM&, const Settings&)>& run,
           bool fileBook = false)
{
    if (!ensureProgramFolder(inv.programFolder))
        return ExitFailed;
    Settings settings = loadSettings(inv, prompter);
    if (fileBook)
        settings.book.clear();
    try {
        TDM dm;
        dm.connect(settings.path, settings.book);
        return run(dm, settings);
    } catch (const DbError& e) {
        printErr(e.fullText());
        return ExitFailed;
    }
}

// A command that writes a file from the book: false from the writer is its message on stderr, exit 1.
int writeFromBook(const Invocation& inv, Prompter& prompter, const std::function<bool(TDM&, QString*)>& write)
{
    return onBook(inv, prompter, [&](TDM& dm, const Settings&) {
        QString error;
        if (!write(dm, &error)) {
            printErr(error);
            return ExitFailed;
        }
        return ExitDone;
    });
}

// Makes the empty book of the settings; false when it was there already.
bool createBook(const Settings& settings)
{
    if (!settings.book.isEmpty()) {
        if (TDM::postgresBookExists(settings.book))
            return false;
        TDM::createPostgresBook(settings.book);
    } else {
        if (TDM::databaseExists(settings.path))
            return false;
        TDM::createDatabase(settings.path);
    }
    return true;
}

QString bookName(const Settings& settings)
{
    return settings.book.isEmpty() ? TDM::databaseFile(settings.path) : settings.book;
}

// The same on the book made empty first when there is none.
int onNewOrExistingBook(const Invocation& inv, Prompter& prompter, const std::function<int(TDM&)>& run,
                        bool fileBook = false)
{
    if (!ensureProgramFolder(inv.programFolder))
        return ExitFailed;
    Settings settings = loadSettings(inv, prompter);
    if (fileBook)
        settings.book.clear();
    try {
        if (createBook(settings))
            printErr(QCoreApplication::translate("Commands", "Создана пустая база данных: %1")
                         .arg(bookName(settings)));
        TDM dm;
        dm.connect(settings.path, settings.book);
        return run(dm);
    } catch (const DbError& e) {
        printErr(e.fullText());
        return ExitFailed;
    }
}

int initDb(const Invocation& inv, Prompter& prompter)
{
    if (!ensureProgramFolder(inv.programFolder))
        return ExitFailed;
    const Settings settings = loadSettings(inv, prompter);
    try {
        if (!createBook(settings)) {
            printErr(
                QCoreApplication::translate("Commands", "База данных уже существует, ничего не изменено: %1")
                    .arg(bookName(settings)));
            return ExitDone;
        }
    } catch (const DbError& e) {
        printErr(e.fullText());
        return ExitFailed;
    }
    printErr(
        QCoreApplication::translate("Commands", "Создана пустая база данных: %1").arg(bookName(settings)));
    return ExitDone;
}

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

int demo(const QCommandLineParser& parser, const Invocation& inv, Prompter& prompter)
{
    DemoOptions options;
    qlonglong clients = options.clients, invoices = options.invoices, seed = qlonglong(options.seed);
    if (!intOption(parser, QStringLiteral("clients"), 0, 1000000, &clients) ||
        !intOption(parser, QStringLiteral("invoices"), 0, 5000000, &invoices) ||
        !intOption(parser, QStringLiteral("seed"), 0, std::numeric_limits<qlonglong>::max(), &seed))
        return ExitUsage;
    if (clients == 0 && invoices > 0) {
        printErr(QStringLiteral("--invoices: invoices need at least one client"));
        return ExitUsage;
    }
    options.clients = int(clients);
    options.invoices = int(invoices);
    options.seed = quint64(seed);

    return onNewOrExistingBook(inv, prompter, [&](TDM& dm) {
        QElapsedTimer timer;
        timer.start();
        const DemoSummary s = FillDemoData(dm, options);
        printErr(QCoreApplication::translate(
                     "Commands", "Демонстрационные данные: клиентов %1, счетов-фактур %2, поступлений %3, "
                                 "расходных накладных %4, налоговых накладных %5, товаров %6 (%7 с)")
                     .arg(s.clients)
                     .arg(s.invoices)
                     .arg(s.receipts)
                     .arg(s.expenseWaybills)
                     .arg(s.taxWaybills)
                     .arg(s.products)
                     .arg(timer.elapsed() / 1000.0, 0, 'f', 1));
        return ExitDone;
    });
}

int print(const QCommandLineParser& parser, const Invocation& inv, Prompter& prompter)
{
    const QStringList args = positionalArguments(parser);
    bool ok = false;
    const int number = args.size() == 3 ? args[2].toInt(&ok) : 0;
    const QStringList outputs = {QStringLiteral("pdf"), QStringLiteral("png"), QStringLiteral("page")};
    int chosen = 0;
    for (const QString& o : outputs)
        chosen += parser.isSet(o) ? 1 : 0;
    if (args.size() != 3 || !ok || chosen != 1) {
        printErr(QStringLiteral("print: a kind, a NUMBER and one of --pdf, --png, --page are expected"));
        return ExitUsage;
    }
    const bool expense = args[1] == QLatin1String("expense");
    const bool tax = args[1] == QLatin1String("tax");
    if (args[1] != QLatin1String("invoice") && !expense && !tax) {
        printErr(QStringLiteral("print: unknown kind \"%1\" (invoice, expense, tax)").arg(args[1]));
        return ExitUsage;
    }
    qlonglong section = -1;
    if (!intOption(parser, QStringLiteral("section"), 0, 2, &section))
        return ExitUsage;
    return onBook(inv, prompter, [&](TDM& dm, const Settings& stored) {
        Settings settings = stored;
        if (parser.isSet(QStringLiteral("no-qr")))
            settings.paymentQr = false;
        OwnerRecord owner;
        if (!dm.ReadOwnerRow(owner))
            prompter.warn(QCoreApplication::translate(
                "Commands", "Не найдены данные о владельце программы! Значения по умолчанию."));
        // Without --section a zero-rate tax waybill goes into the first section, as the dialog proposes.
        const PrintedDocument kind = expense ? PrintedDocument::ExpenseWaybill
                                     : tax   ? PrintedDocument::TaxWaybill
                                             : PrintedDocument::Invoice;
        const std::optional<Page> page =
            DocumentPage(dm, kind, number, true, owner, settings, inv.programFolder, prompter,
                         int(std::max<qlonglong>(section, 0)));
        if (!page)
            return ExitFailed;
        QString error;
        bool written = false;
        if (parser.isSet(QStringLiteral("pdf")))
            written = RenderToPdf(*page, optionValue(parser, QStringLiteral("pdf")), &error);
        else if (parser.isSet(QStringLiteral("png")))
            written = RenderToPng(*page, optionValue(parser, QStringLiteral("png")), 96, &error);
        else
            written = page->save(optionValue(parser, QStringLiteral("page")), &error);
        if (!written) {
            printErr(error);
            return ExitFailed;
        }
        return ExitDone;
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
    };
    bool ok = false;
    const int number = args.size() == 3 ? args[2].toInt(&ok) : 0;
    if (args.size() != 3 || !ok || !kinds.count(args[1])) {
        printErr(QStringLiteral("find: invoice, expense or tax and a NUMBER are expected"));
        return ExitUsage;
    }
    const auto& [table, key] = kinds.at(args[1]);
    return onBook(inv, prompter, [&, table = table, key = key](TDM& dm, const Settings&) {
        const std::optional<QVariantMap> row = ReadRowByKey(dm, *table, key, number);
        if (!row) {
            printErr(QCoreApplication::translate("Commands", "Документ № %1 не найден.").arg(number));
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

// A date option as DD.MM.YYYY; false (with a message) when it is there and no date.
bool dateOption(const QCommandLineParser& parser, const QString& name, QDate* date)
{
    if (!parser.isSet(name))
        return true;
    *date = QDate::fromString(optionValue(parser, name), QStringLiteral("dd.MM.yyyy"));
    if (date->isValid())
        return true;
    printErr(QStringLiteral("--%1: a date DD.MM.YYYY is expected").arg(name));
    return false;
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
        if (picked.more && !parser.isSet(QStringLiteral("yes"))) {
            printErr(QCoreApplication::translate("Commands",
                                                 "Используются только первые три номера! Продолжать?") +
                     QStringLiteral(" (--yes)"));
            return ExitFailed;
        }
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
        if (!dm.ReadDocument(documents[0])) {
            printErr(MissingDocumentText(documents[0]));
            return ExitFailed;
        }
        if (!forReceipt && !parser.isSet(QStringLiteral("yes")))
            if (const QString question = EarlierWaybillsQuestion(dm, kind, documents); !question.isEmpty()) {
                printErr(question + QStringLiteral(" (--yes)"));
                return ExitFailed;
            }
        WaybillDraft draft = OpenWaybillDraft(dm, kind, forReceipt, documents, date);
        if (!draft.client)
            prompter.warn(QCoreApplication::translate("Commands", "Данного клиента уже нет в списке!"));
        if (parser.isSet(QStringLiteral("number")))
            draft.number = int(number);
        draft.proxyDate = proxyDate;
        const std::pair<const char*, QString WaybillDraft::*> texts[] = {
            {"receiver", &WaybillDraft::receiver},
            {"proxy-serie", &WaybillDraft::proxySerie},
            {"proxy-number", &WaybillDraft::proxyNumber},
            {"payer", &WaybillDraft::payer},
            {"reason", &WaybillDraft::reason},
            {"payment", &WaybillDraft::paymentType}};
        for (const auto& [name, member] : texts)
            if (parser.isSet(QLatin1String(name)))
                draft.*member = optionValue(parser, QLatin1String(name));
        if (const std::optional<WaybillRefusal> refusal = CheckWaybillDocuments(dm, draft)) {
            printErr(refusal->message);
            return ExitFailed;
        }
        try {
            printOut(QString::number(StoreWaybill(dm, draft)));
        } catch (const DbError& e) {
            const auto [headline, detail] = e.refusal(
                kind == WaybillKind::Tax && forReceipt
                    ? QCoreApplication::translate(
                          "Commands",
                          "Неправильные данные! Возможно на данную с/ф(проплату) уже выписывались накладные")
                    : QCoreApplication::translate("Commands", "Неправильные данные !"));
            printErr(headline + u'\n' + detail);
            return ExitFailed;
        }
        return ExitDone;
    });
}

// The output file: -o, or the default name in the program folder; empty after a message.
QString outputFile(const QCommandLineParser& parser, const Invocation& inv, const QString& defaultName)
{
    if (!parser.isSet(QStringLiteral("o")))
        return QDir(inv.programFolder).filePath(defaultName);
    const QString file = optionValue(parser, QStringLiteral("o"));
    if (file.trimmed().isEmpty())
        printErr(QStringLiteral("-o: a file name is expected"));
    return file.trimmed().isEmpty() ? QString() : file;
}

// A register as the lists' register commands write it: one client's documents or every client's.
int writeRegister(const QCommandLineParser& parser, const Invocation& inv, Prompter& prompter)
{
    static const std::map<QString, RegisterKind> kinds = {
        {QStringLiteral("invoices"), RegisterKind::Invoices},
        {QStringLiteral("receipts"), RegisterKind::Receipts},
        {QStringLiteral("expense"), RegisterKind::ExpenseWaybills},
        {QStringLiteral("tax"), RegisterKind::TaxWaybills},
    };
    const QStringList args = positionalArguments(parser);
    if (args.size() != 2 || !kinds.count(args[1]) || !parser.isSet(QStringLiteral("from")) ||
        !parser.isSet(QStringLiteral("to"))) {
        printErr(QStringLiteral(
            "register: invoices, receipts, expense or tax, --from and --to DD.MM.YYYY are expected"));
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
    return writeFromBook(
        inv, prompter, [&](TDM& dm, QString* error) { return WriteRegister(dm, kind, scope, file, error); });
}

// Appends the client list as the export dialog does, for the fields in the order given.
int exportClients(const QCommandLineParser& parser, const Invocation& inv, Prompter& prompter)
{
    std::vector<ExportColumn> columns;
    for (const QString& item :
         optionValue(parser, QStringLiteral("fields")).split(u',', Qt::SkipEmptyParts)) {
        const int field = exportFieldOfColumn(item.section(u':', 0, 0).trimmed());
        bool ok = field >= 0;
        int width = ok ? exportFields()[std::size_t(field)].defaultWidth : 0;
        if (ok && item.contains(u':')) {
            width = item.section(u':', 1).trimmed().toInt(&ok);
            ok = ok && width >= 0 && width <= kMaxExportWidth;
        }
        if (!ok) {
            printErr(
                QStringLiteral("--fields: \"%1\" is not a client field (FIRMNAME, CITY, ...) with a width "
                               "from 0 to %2")
                    .arg(item)
                    .arg(kMaxExportWidth));
            return ExitUsage;
        }
        columns.push_back({field, width});
    }
    if (columns.empty()) {
        printErr(QStringLiteral("export-clients: --fields NAME[:WIDTH],... is expected"));
        return ExitUsage;
    }
    const QString sort = parser.isSet(QStringLiteral("sort")) ? optionValue(parser, QStringLiteral("sort"))
                                                              : QStringLiteral("FIRMA");
    if (!sortIndexNames().contains(sort)) {
        printErr(
            QStringLiteral("--sort: one of %1 is expected").arg(sortIndexNames().join(QStringLiteral(", "))));
        return ExitUsage;
    }
    const auto filterValue = [&parser](const QString& name) {
        return parser.isSet(name) ? std::optional(optionValue(parser, name)) : std::nullopt;
    };
    const ListQuery clients =
        ListQueries::clients(filterValue(QStringLiteral("name")), filterValue(QStringLiteral("city")), sort);
    const QString file = outputFile(parser, inv, ClientListFileName());
    if (file.isEmpty())
        return ExitUsage;
    return writeFromBook(inv, prompter, [&](TDM& dm, QString* error) {
        return AppendClientList(dm, clients, columns, file, error);
    });
}

// The database folder in use into its BackUp folder, as the owner tab's button does.
int backup(const Invocation& inv, Prompter& prompter)
{
    if (!ensureProgramFolder(inv.programFolder))
        return ExitFailed;
    const Settings settings = loadSettings(inv, prompter);
    if (settings.book.isEmpty() && !TDM::databaseExists(settings.path)) {
        printErr(QCoreApplication::translate("Commands", "Файл базы данных не найден: %1")
                     .arg(TDM::databaseFile(settings.path)));
        return ExitFailed;
    }
    MaintenanceController maintenance(prompter);
    const BookPlace place = BookPlace::of(settings);
    const std::optional<BackupReport> report = maintenance.backUp(place);
    if (!report)
        return ExitFailed;
    maintenance.reportBackup(place, *report);
    return report->failed.isEmpty() ? ExitDone : ExitFailed;
}

// A copy back in place of the book: the one named (a path, or a name in the backup folder), else the
// newest.
int restore(const QStringList& positional, const Invocation& inv, Prompter& prompter)
{
    if (!ensureProgramFolder(inv.programFolder))
        return ExitFailed;
    const BookPlace place = BookPlace::of(loadSettings(inv, prompter));
    QString copy;
    if (positional.size() > 1) {
        copy = positional[1];
        if (!QFileInfo::exists(copy) && QFileInfo(copy).fileName() == copy)
            copy = QDir(place.copies()).filePath(copy);
    } else {
        copy = NewestCopy(place.copies(), place.copyName());
        if (copy.isEmpty()) {
            printErr(QCoreApplication::translate("Commands", "В папке %1 нет резервной копии %2.")
                         .arg(QDir::toNativeSeparators(place.copies()), place.copyName()));
            return ExitFailed;
        }
    }
    MaintenanceController maintenance(prompter);
    return maintenance.restore(place, QFileInfo(copy).absoluteFilePath()) ? ExitDone : ExitFailed;
}

// Empties the document tables; the question of the button is answered by --yes only.
int clearDocuments(const QCommandLineParser& parser, const Invocation& inv, Prompter& prompter)
{
    if (!parser.isSet(QStringLiteral("yes"))) {
        printErr(QCoreApplication::translate("Commands", "Очистить базу документов?") +
                 QStringLiteral(" Every invoice, receipt, waybill, act and payment is deleted; clients and "
                                "goods stay. Give --yes to go on."));
        return ExitFailed;
    }
    return onBook(inv, prompter, [&](TDM& dm, const Settings&) {
        MaintenanceController maintenance(prompter);
        return maintenance.clearDocuments(dm) ? ExitDone : ExitFailed;
    });
}

// On a terminal one line per table, rewritten as it goes; in a log only its last state.
void showProgress(bool terminal, const QString& table, int done, int total)
{
    if (done >= 0 && (terminal || done == total))
        std::fprintf(stderr, "%s%s: %d / %d%s", terminal ? "\r" : "", table.toUtf8().constData(), done, total,
                     done == total ? "\n" : "");
}

// A book kept as Paradox tables into the program's database (made when there is none), with the
// progress per table on the terminal and what was done at the end.
int importParadox(const QCommandLineParser& parser, const Invocation& inv, Prompter& prompter)
{
    const QStringList args = positionalArguments(parser);
    if (args.size() != 2) {
        printErr(QStringLiteral("import-paradox: the FOLDER of the Paradox tables is expected"));
        return ExitUsage;
    }
    qlonglong codePage = 0;
    if (!intOption(parser, QStringLiteral("codepage"), 1, 65535, &codePage))
        return ExitUsage;
    return onNewOrExistingBook(inv, prompter, [&](TDM& dm) {
        const bool terminal = isatty(fileno(stderr));
        QElapsedTimer timer;
        timer.start();
        const ParadoxImportOutcome outcome = ImportParadoxBook(
            dm, args[1],
            [terminal](const QString& table, int done, int total) {
                showProgress(terminal, table, done, total);
                return true;
            },
            int(codePage));
        if (outcome.result != ParadoxImportOutcome::Done) {
            printErr(outcome.error);
            return ExitFailed;
        }
        for (const QString& line : ImportSummary(outcome.report))
            printErr(line);
        printErr(QCoreApplication::translate("Commands", "Перенос закончен (%1 с).")
                     .arg(timer.elapsed() / 1000.0, 0, 'f', 1));
        return ExitDone;
    });
}

// The SQLite book of PATH into an empty PostgreSQL book (--to), or one back into an empty SQLite book
// (--from), every row and value, in one transaction on the target.
int copyBook(const QCommandLineParser& parser, const Invocation& inv, Prompter& prompter)
{
    const bool to = parser.isSet(QStringLiteral("to"));
    const QString uri = optionValue(parser, to ? QStringLiteral("to") : QStringLiteral("from"));
    if (to == parser.isSet(QStringLiteral("from")) || !PostgresSchema::isBookUri(uri)) {
        printErr(QStringLiteral("copy-book: --to or --from postgresql://user@host:port/dbname is expected"));
        return ExitUsage;
    }
    const auto run = [&](TDM& dm) {
        const QString connection = QStringLiteral("copy-book");
        int result = ExitDone;
        {
            const QSqlDatabase pg = PostgresSchema::openBook(uri, connection);
            const bool terminal = isatty(fileno(stderr));
            QElapsedTimer timer;
            timer.start();
            const auto progress = [terminal](const QString& table, int done, int total) {
                showProgress(terminal, table, done, total);
            };
            try {
                const CopyBookReport report =
                    to ? CopyBookToPostgres(dm, pg, progress) : CopyBookFromPostgres(pg, dm, progress);
                qint64 rows = 0;
                for (const auto& [table, count] : report)
                    rows += count;
                printErr(QCoreApplication::translate("Commands", "Книга перенесена: записей %1 (%2 с).")
                             .arg(rows)
                             .arg(timer.elapsed() / 1000.0, 0, 'f', 1));
            } catch (const DbError& e) {
                printErr(e.fullText());
                result = ExitFailed;
            }
        }
        QSqlDatabase::removeDatabase(connection);
        return result;
    };
    // The copy's other side is always the SQLite file of PATH, whatever BOOK says.
    if (to)
        return onBook(
            inv, prompter, [&](TDM& dm, const Settings&) { return run(dm); }, true);
    return onNewOrExistingBook(inv, prompter, run, true);
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
    {"register", -1, [](P parser, I inv, Prompter& p) { return writeRegister(parser, inv, p); }},
    {"export-clients", 0, [](P parser, I inv, Prompter& p) { return exportClients(parser, inv, p); }},
    {"backup", 0, [](P, I inv, Prompter& p) { return backup(inv, p); }},
    {"clear-documents", 0, [](P parser, I inv, Prompter& p) { return clearDocuments(parser, inv, p); }},
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
    StderrPrompter prompter;
    const QStringList positional = positionalArguments(parser);
    if (command->arguments >= 0 && positional.size() > 1 + command->arguments) {
        printErr(QStringLiteral("%1: unexpected argument \"%2\"")
                     .arg(inv.command, positional[1 + command->arguments]));
        return ExitUsage;
    }
    return command->run(parser, inv, prompter);
}
