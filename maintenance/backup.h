#pragma once

#include <QDateTime>
#include <QString>
#include <QStringList>

#include <optional>

struct Settings;

// What a backup or a restore works on.
struct BookPlace {
    QString dataFolder;   // the database folder
    QString book;         // a PostgreSQL book's address; empty for the file of the database folder
    QString backupFolder; // where copies go; empty for the BackUp folder of the database folder

    static BookPlace of(const Settings& settings);
    QString copies() const;
    // The undated name its copies are dated from: docmar.db, or the server book's DBNAME.dump.
    QString copyName() const;
};

// Why a backup or restore cannot use these folders: one written as another system writes it, or a backup
// folder that is the database folder itself; empty when they serve.
QString FolderProblem(const QString& dataFolder, const QString& named);
// The backup folder of a database folder: the one named, else its BackUp subfolder.
QString BackupFolder(const QString& dataFolder, const QString& named = {});

// How many dated copies of a book a backup folder keeps; older ones go (by when they were made, never the
// one just made). Copies kept before a restore or a clearing carry a tag and are never removed.
inline constexpr int kKeptCopies = 10;
// A copy's name, dated to the second: docmar.db of 7 December 2026, 15:30:59, is
// docmar-2026-12-07-153059.db, and a second copy of that second docmar-2026-12-07-153059-2.db. A tag tells
// apart copies made for another reason ("-before-restore", "-before-clearing"). No copy is ever made over
// another.
QString DatedCopyName(const QString& name, const QDateTime& when, const QString& tag = {}, int counter = 1);
// The tag of the copy a clearing makes first: it holds the documents the book no longer does.
inline const QString kBeforeClearing = QStringLiteral("-before-clearing");
// The newest dated copy of the file of that name in the folder (an undated one that older versions made
// when there is none); empty when there is no copy.
QString NewestCopy(const QString& folder, const QString& name);

struct BackupReport {
    int copied = 0;
    qint64 bytes = 0;   // the size of the copies made
    QStringList failed; // the files that could not be copied, each with the reason
};

// Copies every plain file of the database folder into the backup folder. A database goes through the
// engine's online backup, so the copy is whole even while another program writes, and is checked before it
// stays; it is kept under a dated name beside the earlier copies, of which the last ten stay. Other files
// replace their older copy under the same name; copies of files removed since are kept. The engine's side
// files (-journal, -wal, -shm) are never copied. Of the backup folder's files only DocMar's own half-made
// copies whose process is gone are removed. Each copy is made under a temporary name and put in place only
// when complete. nullopt with *error when the backup folder cannot be made.
std::optional<BackupReport> BackUpDatabaseFolder(const QString& dataFolder, const QString& backupFolder = {},
                                                 QString* error = nullptr, const QString& tag = {});

// A PostgreSQL book's backup: the plain files of the database folder as above, and the book itself as the
// server's own dump (pg_dump, custom format, what pg_restore reads), dated as above.
std::optional<BackupReport> BackUpPostgresBook(const BookPlace& place, QString* error = nullptr,
                                               const QString& tag = {});
// The undated name of a server book's dumps: its database's name.
QString PostgresDumpName(const QString& book);

// Puts a copy back in place of the book, after keeping the book as it is in the backup folder
// (DatedCopyName with "-before-restore"). A file book takes a copy the engine finds whole and that holds the
// book's tables, in one transaction of the book's own; a server book takes a dump through pg_restore in one
// transaction, into its database whether that is empty or not. Either way a kill leaves the old book or the
// new one. The kept copy's path (empty when there was no book to keep), or nullopt with *error and the book
// unchanged.
// *warning, when given, says what a restore that was made could not do as well (a server role's rights).
std::optional<QString> RestoreBook(const BookPlace& place, const QString& copy, QString* error,
                                   QString* warning = nullptr);
