#include "app/command_support.h"

#include "base/prompter.h"
#include "db/book_copy.h"
#include "db/data_module.h"
#include "db/postgres/pg_schema.h"
#include "maintenance/demo_data.h"
#include "maintenance/maintenance_controller.h"
#include "maintenance/paradox_import.h"

#include <QCommandLineParser>
#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>

#include <cstdio>
#include <unistd.h>

namespace {

// On a terminal one line per table, rewritten as it goes; in a log only its last state.
void showProgress(bool terminal, const QString& table, int done, int total)
{
    if (done >= 0 && (terminal || done == total))
        std::fprintf(stderr, "%s%s: %d / %d%s", terminal ? "\r" : "", table.toUtf8().constData(), done, total,
                     done == total ? "\n" : "");
}

} // namespace

namespace Cli {

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
                     "Commands",
                     "Демонстрационные данные: клиентов %1, счетов-фактур %2, поступлений %3, "
                     "расходных накладных %4, налоговых накладных %5, актов %8, товаров %6 (%7 с)")
                     .arg(s.clients)
                     .arg(s.invoices)
                     .arg(s.receipts)
                     .arg(s.expenseWaybills)
                     .arg(s.taxWaybills)
                     .arg(s.products)
                     .arg(timer.elapsed() / 1000.0, 0, 'f', 1)
                     .arg(s.acts));
        return ExitDone;
    });
}

// The database folder in use into its BackUp folder, as the owner tab's button does.
int backup(const Invocation& inv, Prompter& prompter)
{
    if (!ensureProgramFolder(inv.programFolder))
        return ExitFailed;
    const Settings settings = loadSettings(inv, prompter);
    if (const QString problem = FolderProblem(settings.path, settings.backupFolder); !problem.isEmpty()) {
        printErr(problem);
        return ExitFailed;
    }
    if (settings.book.isEmpty() && !TDM::databaseExists(settings.path)) {
        printErr(TDM::missingBookText(settings.path));
        return ExitFailed;
    }
    MaintenanceController maintenance(prompter);
    TDM unopened; // the command line copies the book without opening it
    const std::optional<BackupReport> report = maintenance.backUpBook(unopened, BookPlace::of(settings));
    return report && report->failed.isEmpty() ? ExitDone : ExitFailed;
}

// The whole book checked, as the owner tab's button does.
int checkBook(const Invocation& inv, Prompter& prompter)
{
    return onBook(inv, prompter, [&](TDM& dm, const Settings&) {
        return MaintenanceController(prompter).checkBook(dm) ? ExitDone : ExitFailed;
    });
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

// Empties the document tables as the owner tab's button does: --yes answers both questions, so a copy is
// made first, and nothing is cleared unless it was made whole.
int clearDocuments(const Invocation& inv, Prompter& prompter)
{
    return onBook(inv, prompter, [&](TDM& dm, const Settings& settings) {
        MaintenanceController maintenance(prompter);
        const BookPlace place = BookPlace::of(settings);
        const std::optional<DocumentCounts> cleared = maintenance.askAndClear(
            dm, place,
            [&] {
                const std::optional<BackupReport> report = maintenance.backUpBook(dm, place, kBeforeClearing);
                return report && report->failed.isEmpty();
            },
            [&] {
                try {
                    if (!dm.isConnected())
                        dm.connect(settings.path, settings.book);
                    return true;
                } catch (const DbError& e) {
                    prompter.error(e.message(), e.detail());
                    return false;
                }
            });
        if (!cleared)
            return ExitFailed;
        printErr(MaintenanceController::clearedText(*cleared));
        return ExitDone;
    });
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
        const bool terminal = isatty(fileno(stderr));
        QElapsedTimer timer;
        timer.start();
        const auto progress = [terminal](const QString& table, int done, int total) {
            showProgress(terminal, table, done, total);
        };
        try {
            const CopyBookReport report =
                to ? CopyBookToPostgres(dm, uri, progress) : CopyBookFromPostgres(uri, dm, progress);
            qint64 rows = 0;
            for (const auto& [table, count] : report)
                rows += count;
            printErr(QCoreApplication::translate("Commands", "Книга перенесена: записей %1 (%2 с).")
                         .arg(rows)
                         .arg(timer.elapsed() / 1000.0, 0, 'f', 1));
            return ExitDone;
        } catch (const DbError& e) {
            printErr(e.fullText());
            return ExitFailed;
        }
    };
    // The copy's other side is always the SQLite file of PATH, whatever BOOK says.
    if (to)
        return onBook(
            inv, prompter, [&](TDM& dm, const Settings&) { return run(dm); }, true);
    return onNewOrExistingBook(inv, prompter, run, true);
}

} // namespace Cli
