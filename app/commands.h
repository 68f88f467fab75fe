#pragma once

#include <QString>
#include <QStringList>

#include <memory>
#include <optional>

class QCommandLineParser;

// Exit codes of a command.
enum ExitCode { ExitDone = 0, ExitFailed = 1, ExitUsage = 2 };

struct Invocation {
    QString programFolder;        // --home; empty: DefaultProgramFolder()
    QString command;              // empty: the desktop program
    std::optional<QString> book;  // --book: the book of this run instead of docmar.ini's (empty: the file)
    std::optional<int> earlyExit; // set when parsing alone decided the outcome (usage error, --help)
    std::shared_ptr<QCommandLineParser> parser; // the arguments as parsed, for the command to read
};

// The folder of docmar.ini and the book when no --home is given: DOCMAR_HOME when it is set; else the
// executable's own folder for a program run from where it was built, and ~/DocMar for an installed one (its
// share/docmar beside its bin/), which cannot write beside itself. Call once the application exists.
QString DefaultProgramFolder();

// Reads the arguments (argv[0] first). Usage errors are printed to stderr.
Invocation ParseInvocation(const QStringList& arguments);

// Runs a headless command and returns its exit code; messages go to stderr, results to stdout.
int RunCommand(const Invocation& invocation);
