#pragma once

#include <QString>
#include <QStringList>

#include <optional>

struct ParadoxImportOutcome;

class Prompter;
class TDM;

// The backup folder of a database folder: its BackUp subfolder.
QString BackupFolder(const QString& dataFolder);

struct BackupReport {
    int copied = 0;
    QStringList failed; // the files that could not be copied, each with the reason
};

// Copies every plain file of the database folder into its BackUp subfolder, over the older copy; copies
// of files removed since are kept. A database goes through the engine's online backup, so the copy is
// whole even while another program writes; the engine's side files (-journal, -wal, -shm) are never
// copied, and stale ones are removed from BackUp, where they could later be applied to a copy. Each copy
// is made under a temporary name and replaces the old one only when complete. nullopt with *error when
// the backup folder cannot be made.
std::optional<BackupReport> BackUpDatabaseFolder(const QString& dataFolder, QString* error = nullptr);

// A PostgreSQL book's backup: the plain files of the database folder as above, and the book itself as the
// server's own dump (pg_dump, custom format, what pg_restore reads), BackUp/DBNAME.dump, over the older one.
std::optional<BackupReport> BackUpPostgresBook(const QString& book, const QString& dataFolder,
                                               QString* error = nullptr);
QString PostgresDumpName(const QString& book);

// The owner tab's two maintenance buttons, without their widgets.
class MaintenanceController {
public:
    explicit MaintenanceController(Prompter& prompter);
    // "Сделать резервную копию базы": the backup; nullopt after the message when the backup folder
    // cannot be made.
    // With a PostgreSQL book, the book is dumped into the same folder.
    std::optional<BackupReport> backUp(const QString& dataFolder, const QString& book = {});
    // Then, once the window is back: how many files were copied, and which were not and why.
    void reportBackup(const QString& dataFolder, const BackupReport& report);
    // "Очистить базу документов": the question first.
    bool confirmClearing();
    // Empties the document tables; false after the engine's message, nothing emptied.
    bool clearDocuments(TDM& dm);
    // After an import of Paradox tables: what came over, why nothing did, or that it was cancelled.
    void reportImport(const ParadoxImportOutcome& outcome);

private:
    Prompter& m_prompter;
};
