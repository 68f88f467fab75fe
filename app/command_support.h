#pragma once

// What the commands of the command line share: output, options, the settings and the book. For app/ only.

#include "app/commands.h"
#include "base/settings.h"

#include <QCommandLineParser>
#include <QDate>
#include <QString>
#include <QStringList>

#include <functional>

class Prompter;
class TDM;

namespace Cli {

void printErr(const QString& text);
void printOut(const QString& text);
// The parser takes "-5" for an option: such a word is marked before parsing and unmarked when read.
QStringList markNegativeNumbers(QStringList arguments);
QString optionValue(const QCommandLineParser& parser, const QString& name);
QStringList positionalArguments(const QCommandLineParser& parser);
// Whole number option in [lo, hi]; false (with a message) when present and not such a number.
bool intOption(const QCommandLineParser& parser, const QString& name, qlonglong lo, qlonglong hi,
               qlonglong* value);
// A date option as DD.MM.YYYY; false (with a message) when it is there and no date.
bool dateOption(const QCommandLineParser& parser, const QString& name, QDate* date);
// The output file: -o, or the default name in the program folder; empty after a message.
QString outputFile(const QCommandLineParser& parser, const Invocation& inv, const QString& defaultName);
// Whether the output is a spreadsheet: --xlsx, or a name that ends in .xlsx.
bool spreadsheetOutput(const QCommandLineParser& parser, const QString& file);

// Settings as start-up reads them; the file is created with the defaults when missing.
Settings loadSettings(const Invocation& inv, Prompter& prompter);
bool ensureProgramFolder(const QString& folder);
// A command on the book: the program folder and the settings as start-up has them, the database
// connected; an engine failure is printed, exit 1.
int onBook(const Invocation& inv, Prompter& prompter, const std::function<int(TDM&, const Settings&)>& run,
           bool fileBook = false);
// A command that writes a file from the book: false from the writer is its message on stderr, exit 1.
int writeFromBook(const Invocation& inv, Prompter& prompter,
                  const std::function<bool(TDM&, QString*)>& write);
// Makes the empty book of the settings; false when it was there already.
bool createBook(const Settings& settings);
QString bookName(const Settings& settings);
// The same as onBook on the book made empty first when there is none.
int onNewOrExistingBook(const Invocation& inv, Prompter& prompter, const std::function<int(TDM&)>& run,
                        bool fileBook = false);

// The commands, by family.
int initDb(const Invocation& inv, Prompter& prompter);
int demo(const QCommandLineParser& parser, const Invocation& inv, Prompter& prompter);
int backup(const Invocation& inv, Prompter& prompter);
int checkBook(const Invocation& inv, Prompter& prompter);
int restore(const QStringList& positional, const Invocation& inv, Prompter& prompter);
int clearDocuments(const Invocation& inv, Prompter& prompter);
int importParadox(const QCommandLineParser& parser, const Invocation& inv, Prompter& prompter);
int copyBook(const QCommandLineParser& parser, const Invocation& inv, Prompter& prompter);

int words(const QCommandLineParser& parser, Prompter& prompter);
int print(const QCommandLineParser& parser, const Invocation& inv, Prompter& prompter);
int find(const QCommandLineParser& parser, const Invocation& inv, Prompter& prompter);
int issue(const QCommandLineParser& parser, const Invocation& inv, Prompter& prompter);
int act(const QCommandLineParser& parser, const Invocation& inv, Prompter& prompter);
int writeRegister(const QCommandLineParser& parser, const Invocation& inv, Prompter& prompter);
int goods(const QCommandLineParser& parser, const Invocation& inv, Prompter& prompter);
int importStatement(const QCommandLineParser& parser, const Invocation& inv, Prompter& prompter);
int pay(const QCommandLineParser& parser, const Invocation& inv, Prompter& prompter);
int debtors(const QCommandLineParser& parser, const Invocation& inv, Prompter& prompter);

int exportClients(const QCommandLineParser& parser, const Invocation& inv, Prompter& prompter);

} // namespace Cli
