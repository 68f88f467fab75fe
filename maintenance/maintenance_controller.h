#pragma once

#include "maintenance/backup.h"

#include <QString>

#include <functional>
#include <optional>

class Prompter;
class TDM;
struct DocumentCounts;
struct ParadoxImportOutcome;

// The owner tab's maintenance buttons, without their widgets.
class MaintenanceController {
public:
    explicit MaintenanceController(Prompter& prompter);
    // "Сделать резервную копию базы": the backup; nullopt after the message when the backup folder
    // cannot be made.
    // With a PostgreSQL book, the book is dumped into the same folder.
    // tag: what the copies are kept for ("-before-clearing"), none for an ordinary backup.
    std::optional<BackupReport> backUp(const BookPlace& place, const QString& tag = {});
    // Then, once the window is back: how many files were copied, and which were not and why.
    void reportBackup(const BookPlace& place, const BackupReport& report);
    // The backup sequence of the window and the command line: the book let go (a copy is made of the file
    // or the server book, never through an open connection), copied, taken up again by the caller's
    // bookBack, and then what was done said. nullopt when no copy was begun.
    std::optional<BackupReport> backUpBook(TDM& dm, const BookPlace& place, const QString& tag = {},
                                           const std::function<void()>& bookBack = {});
    // "Восстановить из резервной копии…": the question, naming the copy.
    bool confirmRestore(const QString& copy);
    // The restore, then what was done or why nothing was; false when nothing was.
    bool restore(const BookPlace& place, const QString& copy);
    // "Проверить базу данных": the whole book checked, then what was found said; true when nothing was.
    bool checkBook(const TDM& dm);
    // "Проверка базы данных: ошибок не найдено."
    static QString checkedText();
    // "Очистить базу документов": the question first, naming the book and what goes; then whether to back
    // it up first.
    enum class Clearing { Cancelled, Clear, BackUpFirst };
    Clearing confirmClearing(const QString& book, const DocumentCounts& counts);
    // Empties the document tables; false after the engine's message, nothing emptied.
    bool clearDocuments(TDM& dm);
    // The whole clearing: the counts, the questions, the caller's backup sequence when a copy is asked for
    // (nothing is cleared unless it was made whole), the book taken up again by reopen, the clearing. The
    // documents cleared, or nullopt when nothing was.
    std::optional<DocumentCounts> askAndClear(TDM& dm, const BookPlace& place,
                                              const std::function<bool()>& backUpFirst,
                                              const std::function<bool()>& reopen);
    // What a clearing removed, in one line.
    static QString clearedText(const DocumentCounts& counts);
    // After an import of Paradox tables: what came over, why nothing did, or that it was cancelled.
    void reportImport(const ParadoxImportOutcome& outcome);

private:
    Prompter& m_prompter;
};
