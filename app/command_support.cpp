#include "app/command_support.h"

#include "base/prompter.h"
#include "base/settings.h"
#include "base/whole_file.h"
#include "db/data_module.h"
#include "report/spreadsheet.h"

#include <QCommandLineParser>
#include <QCoreApplication>
#include <QDir>
#include <QRegularExpression>

#include <cstdio>
#include <functional>

namespace {

constexpr QChar kNumberMark(0xE000);

} // namespace

namespace Cli {

void printErr(const QString& text)
{
    std::fprintf(stderr, "%s\n", text.toUtf8().constData());
}
void printOut(const QString& text)
{
    std::fprintf(stdout, "%s\n", text.toUtf8().constData());
}

// The parser takes "-5" for an option. Such a word is marked before parsing and unmarked when read, so
// a negative number is a value like any other.

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

// A command on the book: the program folder and the settings as start-up has them, the book made first
// when asked and not there, the database connected; an engine failure is printed, exit 1.
int runOnBook(const Invocation& inv, Prompter& prompter, bool fileBook, bool create,
              const std::function<int(TDM&, const Settings&)>& run)
{
    if (!ensureProgramFolder(inv.programFolder))
        return ExitFailed;
    Settings settings = loadSettings(inv, prompter);
    if (fileBook)
        settings.book.clear();
    try {
        if (create && createBook(settings))
            printErr(QCoreApplication::translate("Commands", "Создана пустая база данных: %1")
                         .arg(bookName(settings)));
        TDM dm;
        dm.connect(settings.path, settings.book);
        return run(dm, settings);
    } catch (const DbError& e) {
        printErr(e.fullText());
        return ExitFailed;
    }
}

int onBook(const Invocation& inv, Prompter& prompter, const std::function<int(TDM&, const Settings&)>& run,
           bool fileBook)
{
    return runOnBook(inv, prompter, fileBook, false, run);
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

int onNewOrExistingBook(const Invocation& inv, Prompter& prompter, const std::function<int(TDM&)>& run,
                        bool fileBook)
{
    return runOnBook(inv, prompter, fileBook, true, [&run](TDM& dm, const Settings&) { return run(dm); });
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

// The output file: -o, or the default name in the program folder; empty after a message.
QString outputFile(const QCommandLineParser& parser, const Invocation& inv, const QString& defaultName)
{
    if (!parser.isSet(QStringLiteral("o")))
        return QDir(inv.programFolder)
            .filePath(parser.isSet(QStringLiteral("xlsx")) ? SpreadsheetName(defaultName) : defaultName);
    const QString file = optionValue(parser, QStringLiteral("o"));
    if (file.trimmed().isEmpty())
        printErr(QStringLiteral("-o: a file name is expected"));
    return file.trimmed().isEmpty() ? QString() : file;
}

bool spreadsheetOutput(const QCommandLineParser& parser, const QString& file)
{
    return parser.isSet(QStringLiteral("xlsx")) || IsSpreadsheetName(file);
}

} // namespace Cli
