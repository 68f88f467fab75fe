#include "maintenance/backup.h"

#include "base/prompter.h"
#include "base/settings.h"
#include "base/whole_file.h"
#include "db/data_module.h"
#include "db/db_error.h"
#include "db/engine.h"
#include "db/postgres/pg_schema.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QProcess>
#include <QRegularExpression>
#include <QTemporaryFile>

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <unistd.h>

namespace {

bool isEngineSideFile(const QString& name)
{
    for (const char* suffix : {"-journal", "-wal", "-shm", "-turn"})
        if (name.endsWith(QLatin1String(suffix)))
            return true;
    return false;
}

// A copy left half made by a backup whose process is gone (killed, or the machine stopped), or the engine's
// side file of one. Nothing else in a folder is DocMar's to remove: a shared backup folder holds other
// programs' files too.
bool isStalePart(const QString& name)
{
    static const QRegularExpression part(QStringLiteral("^\\..+\\.part-(\\d+)(-journal|-wal|-shm)?$"));
    const QRegularExpressionMatch m = part.match(name);
    if (!m.hasMatch())
        return false;
    return ProcessIsGone(m.captured(1).toLongLong());
}

// What backups and restores killed part way left, in the database folder or the backup folder.
void removeStaleParts(const QString& folder)
{
    const QDir dir(folder);
    for (const QString& name : dir.entryList(QDir::Files | QDir::Hidden | QDir::System))
        if (isStalePart(name))
            QFile::remove(dir.filePath(name));
}

bool isDatabaseFile(const QString& path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) && f.read(16) == QByteArray("SQLite format 3", 16);
}

// The copy on the disk itself before it replaces the old one: a crash then leaves one or the other.
bool syncFile(const QString& path)
{
    QFile f(path);
    return f.open(QIODevice::ReadWrite) && ::fsync(f.handle()) == 0;
}

QString temporaryName(const QString& target)
{
    const QFileInfo info(target);
    return info.dir().filePath(u'.' + info.fileName() + QStringLiteral(".part-%1").arg(::getpid()));
}

// A dated copy about to be made: a name no copy has yet, dated to the second and counted on when that
// name is taken.
struct NewCopy {
    QString folder, name, tag;
    QDateTime when = QDateTime::currentDateTime();
    QString path(int counter = 1) const
    {
        return QDir(folder).filePath(DatedCopyName(name, when, tag, counter));
    }
    QString temporary() const { return temporaryName(path()); }
};

// The reason a copy made under its temporary name cannot be put in place: the one it came with, or its
// not reaching the disk.
QString synced(const QString& temp, const QString& reason)
{
    if (reason.isEmpty() && !syncFile(temp))
        return QCoreApplication::translate("Backup", "ошибка записи на диск");
    return reason;
}

// A copy made under its temporary name put in place of the old one, or dropped; the reason it failed.
QString placeCopy(const QString& temp, const QString& target, QString reason)
{
    reason = synced(temp, reason);
    if (reason.isEmpty() &&
        std::rename(QFile::encodeName(temp).constData(), QFile::encodeName(target).constData()) != 0)
        reason = QString::fromLocal8Bit(std::strerror(errno));
    if (!reason.isEmpty())
        QFile::remove(temp);
    return reason;
}

// A new dated copy put in place under a name no file has: never over another copy, even one made in the
// same second by another process. *placed is where it went.
QString placeNewCopy(const QString& temp, const NewCopy& copy, QString reason, QString* placed)
{
    reason = synced(temp, reason);
    for (int counter = 1; reason.isEmpty(); ++counter) {
        const QString target = copy.path(counter);
        const QByteArray from = QFile::encodeName(temp), to = QFile::encodeName(target);
        // A link is never made over a file; a folder that takes no links (a network share) is asked first.
        if (::link(from.constData(), to.constData()) == 0) {
            ::unlink(from.constData());
        } else if (errno == EEXIST || QFileInfo::exists(target)) {
            continue;
        } else if (std::rename(from.constData(), to.constData()) != 0) {
            reason = QString::fromLocal8Bit(std::strerror(errno));
            break;
        }
        *placed = target;
        return {};
    }
    QFile::remove(temp);
    return reason;
}

enum class Copy { Checked, AsIs };

// One file copied under a temporary name; an empty string when done, else the reason. A database is copied
// through the engine and checked, unless it is to be kept as it is (a damaged book before a restore).
QString makeCopy(const QString& source, const QString& temp, Copy how = Copy::Checked)
{
    QString reason;
    if (how == Copy::Checked && isDatabaseFile(source)) {
        try {
            // A copy of a damaged book never takes the place of the last good copy.
            if (const QString problem = backupDatabaseFile(source, temp, CopyCheck::Quick);
                !problem.isEmpty())
                reason = QCoreApplication::translate("Backup", "база данных повреждена (%1); прежняя копия "
                                                               "оставлена, проверьте базу данных")
                             .arg(problem);
        } catch (const DbError& e) {
            reason = e.fullText();
        }
    } else if (!CopyDataFile(source, temp)) {
        reason = QCoreApplication::translate("Backup", "ошибка чтения или записи");
    }
    // The copy is read by no more users than the book it copies, whatever the process's umask.
    if (reason.isEmpty() && !QFile::setPermissions(temp, QFile::permissions(source)))
        reason = QCoreApplication::translate("Backup", "не удалось задать права доступа к копии");
    return reason;
}

// A file copied over its older copy of the same name.
QString copyOver(const QString& source, const QString& target)
{
    const QString temp = temporaryName(target);
    return placeCopy(temp, target, makeCopy(source, temp));
}

// A file copied to a new dated copy; *placed is where it went.
QString copyNew(const QString& source, const NewCopy& copy, QString* placed, Copy how = Copy::Checked)
{
    const QString temp = copy.temporary();
    return placeNewCopy(temp, copy, makeCopy(source, temp, how), placed);
}

// The backups' own dated copies of a file (to the minute as older versions named them, or to the second
// with a counter): not those kept before a restore or a clearing, which carry a tag.
QRegularExpression datedPattern(const QString& name, const QString& tag = {})
{
    const QFileInfo info(name);
    const QString suffix = info.suffix();
    return QRegularExpression(
        u'^' + QRegularExpression::escape(info.completeBaseName()) +
        QStringLiteral("-\\d{4}-\\d{2}-\\d{2}-\\d{4}(\\d{2}(-\\d+)?)?") +
        (tag.isEmpty() ? QString() : QStringLiteral("(%1)?").arg(QRegularExpression::escape(tag))) +
        (suffix.isEmpty() ? QString() : QStringLiteral("\\.") + QRegularExpression::escape(suffix)) + u'$');
}

// The dated copies of a file, newest first by when they were made (a clock once ahead may have dated a
// name in the future), then by name.
QStringList datedCopies(const QString& folder, const QString& name, const QString& tag = {})
{
    const QRegularExpression pattern = datedPattern(name, tag);
    QFileInfoList copies = QDir(folder).entryInfoList(QDir::Files, QDir::Name | QDir::Reversed);
    copies.removeIf([&pattern](const QFileInfo& copy) { return !pattern.match(copy.fileName()).hasMatch(); });
    std::stable_sort(copies.begin(), copies.end(), [](const QFileInfo& a, const QFileInfo& b) {
        return a.lastModified() > b.lastModified();
    });
    QStringList names;
    for (const QFileInfo& copy : copies)
        names << copy.fileName();
    return names;
}

// The ten newest dated copies stay, and always the one just made.
void dropOldCopies(const QString& folder, const QString& name, const QString& justMade)
{
    QStringList copies = datedCopies(folder, name);
    copies.removeOne(QFileInfo(justMade).fileName());
    for (qsizetype i = kKeptCopies - 1; i < copies.size(); ++i)
        QFile::remove(QDir(folder).filePath(copies[i]));
}

const QString kBeforeRestore = QStringLiteral("-before-restore");

} // namespace

BookPlace BookPlace::of(const Settings& settings)
{
    return {settings.path, settings.book, settings.backupFolder};
}

QString BookPlace::copies() const
{
    return BackupFolder(dataFolder, backupFolder);
}

QString BookPlace::copyName() const
{
    return book.isEmpty() ? QFileInfo(TDM::databaseFile(dataFolder)).fileName() : PostgresDumpName(book);
}

namespace {

// A server book's address as every command takes it: one with a password is refused before pg_dump or
// pg_restore is started, where any user of the machine would read it on their command line.
QString addressProblem(const QString& book)
{
    try {
        PostgresSchema::ParseBookAddress(book);
        return {};
    } catch (const DbError& e) {
        return e.message();
    }
}

} // namespace

QString FolderProblem(const QString& dataFolder, const QString& named)
{
    for (const auto& [key, folder] :
         {std::pair{QStringLiteral("PATH"), dataFolder}, std::pair{QStringLiteral("BACKUP"), named}})
        if (const QString foreign = ForeignFolderProblem(key, folder); !foreign.isEmpty())
            return foreign;
    // Copies among the book's files would be copied again by every backup after.
    if (!named.isEmpty() && QFileInfo(named).absoluteFilePath() == QFileInfo(dataFolder).absoluteFilePath())
        return QCoreApplication::translate("Backup",
                                           "Папка резервных копий %1 — это папка базы данных: каждая "
                                           "копия копировала бы прежние. Укажите другую папку "
                                           "(BACKUP= в docmar.ini).")
            .arg(QDir::toNativeSeparators(named));
    return {};
}

QString BackupFolder(const QString& dataFolder, const QString& named)
{
    return named.isEmpty() ? QDir(dataFolder).filePath(QStringLiteral("BackUp")) : named;
}

QString DatedCopyName(const QString& name, const QDateTime& when, const QString& tag, int counter)
{
    const QFileInfo info(name);
    const QString suffix = info.suffix();
    return info.completeBaseName() + u'-' + when.toString(QStringLiteral("yyyy-MM-dd-HHmmss")) +
           (counter > 1 ? QStringLiteral("-%1").arg(counter) : QString()) + tag +
           (suffix.isEmpty() ? QString() : u'.' + suffix);
}

QString NewestCopy(const QString& folder, const QString& name)
{
    // A clearing's copy is the one to go back to after a clearing.
    const QStringList copies = datedCopies(folder, name, kBeforeClearing);
    if (!copies.isEmpty())
        return QDir(folder).filePath(copies.first());
    const QString undated = QDir(folder).filePath(name);
    return QFileInfo(undated).isFile() ? undated : QString();
}

std::optional<BackupReport> BackUpDatabaseFolder(const QString& dataFolder, const QString& named,
                                                 QString* error, const QString& tag)
{
    const QString backupFolder = BackupFolder(dataFolder, named);
    if (const QString problem = FolderProblem(dataFolder, named); !problem.isEmpty()) {
        if (error)
            *error = problem;
        return std::nullopt;
    }
    if (!QDir().mkpath(backupFolder)) {
        if (error)
            *error =
                QCoreApplication::translate("Backup", "Ошибка ввода/вывода: не удалось создать каталог %1")
                    .arg(QDir::toNativeSeparators(backupFolder));
        return std::nullopt;
    }
    const QDir backup(backupFolder);
    removeStaleParts(backupFolder);
    removeStaleParts(dataFolder);
    BackupReport report;
    const QDir data(dataFolder);
    const QDateTime now = QDateTime::currentDateTime();
    for (const QString& name : data.entryList(QDir::Files, QDir::Name)) {
        if (isEngineSideFile(name))
            continue;
        const bool dated = isDatabaseFile(data.filePath(name));
        QString placed;
        const QString reason = dated ? copyNew(data.filePath(name), {backupFolder, name, tag, now}, &placed)
                                     : copyOver(data.filePath(name), backup.filePath(name));
        if (!reason.isEmpty()) {
            report.failed << name + QStringLiteral(": ") + reason;
            continue;
        }
        ++report.copied;
        report.bytes += QFileInfo(data.filePath(name)).size();
        if (dated && tag.isEmpty())
            dropOldCopies(backupFolder, name, placed);
    }
    // A book that is no plain file (a pipe, a folder) is never read, and its backup is not made.
    if (const QFileInfo book(TDM::databaseFile(dataFolder)); book.exists() && !book.isFile())
        report.failed << book.fileName() + QStringLiteral(": ") +
                             QCoreApplication::translate("Backup", "это не файл базы данных");
    return report;
}

QString PostgresDumpName(const QString& book)
{
    // The database the address names, as the client library reads it, made a name of this folder alone.
    QString name = QStringLiteral("book");
    try {
        name = PostgresSchema::ParseBookAddress(book).safeFileName();
    } catch (const DbError&) {
    }
    return name + QStringLiteral(".dump");
}

namespace {

// A tool of the server's client package run to its end; empty when it did its work, else why not.
QString runTool(const QString& program, const QStringList& arguments, QString* output = nullptr)
{
    QProcess tool;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    // Another workplace holding a table is waited for as long as every statement waits, not for ever.
    environment.insert(QStringLiteral("PGOPTIONS"), QStringLiteral("-c lock_timeout=%1").arg(kBusyWaitMs));
    tool.setProcessEnvironment(environment);
    // Never a password prompt nobody would see: ~/.pgpass or PGPASSWORD, as for the program itself.
    tool.start(program, QStringList{QStringLiteral("--no-password")} + arguments);
    if (!tool.waitForStarted())
        return QCoreApplication::translate("Backup", "не удалось запустить %1 (пакет postgresql-client)")
            .arg(program);
    if (!tool.waitForFinished(-1) || tool.exitStatus() != QProcess::NormalExit || tool.exitCode() != 0) {
        const QString words = QString::fromLocal8Bit(tool.readAllStandardError()).trimmed();
        return words.isEmpty() ? program + QStringLiteral(": ") + tool.errorString() : words;
    }
    if (output)
        *output = QString::fromUtf8(tool.readAllStandardOutput());
    return {};
}

// The server book dumped into a file of the backup folder; empty when done, else why not.
QString dumpBook(const QString& book, const NewCopy& copy, QString* placed)
{
    const QString temp = copy.temporary();
    const QString reason = runTool(QStringLiteral("pg_dump"),
                                   {QStringLiteral("--format=custom"), QStringLiteral("--file=") + temp,
                                    QStringLiteral("--dbname=") + book});
    return placeNewCopy(temp, copy, reason, placed);
}

} // namespace

std::optional<BackupReport> BackUpPostgresBook(const BookPlace& place, QString* error, const QString& tag)
{
    if (const QString problem = addressProblem(place.book); !problem.isEmpty()) {
        if (error)
            *error = problem;
        return std::nullopt;
    }
    std::optional<BackupReport> report =
        BackUpDatabaseFolder(place.dataFolder, place.backupFolder, error, tag);
    if (!report)
        return report;
    const QString name = PostgresDumpName(place.book);
    QString dump;
    const QString reason = dumpBook(place.book, {place.copies(), name, tag}, &dump);
    if (reason.isEmpty()) {
        ++report->copied;
        report->bytes += QFileInfo(dump).size();
        if (tag.isEmpty())
            dropOldCopies(place.copies(), name, dump);
    } else {
        report->failed << name + QStringLiteral(": ") + reason;
    }
    return report;
}

namespace {

std::optional<QString> failedRestore(QString* error, const QString& reason)
{
    *error = reason;
    return std::nullopt;
}

// The backup folder made when it is not there; false after *error.
bool makeCopiesFolder(const BookPlace& place, QString* error)
{
    if (QDir().mkpath(place.copies()))
        return true;
    *error = QCoreApplication::translate("Backup", "не удалось создать каталог %1")
                 .arg(QDir::toNativeSeparators(place.copies()));
    return false;
}

// The book kept as it is before a copy takes its place: checked like a backup, or byte for byte when the
// engine cannot read it whole (a damaged book is what a restore is for).
std::optional<QString> keepFileBook(const BookPlace& place, const QString& book, QString* error)
{
    if (!QFileInfo(book).isFile())
        return QString();
    if (!makeCopiesFolder(place, error))
        return std::nullopt;
    const NewCopy copy{place.copies(), QFileInfo(book).fileName(), kBeforeRestore};
    QString kept;
    if (!copyNew(book, copy, &kept).isEmpty())
        if (const QString reason = copyNew(book, copy, &kept, Copy::AsIs); !reason.isEmpty())
            return failedRestore(
                error, QCoreApplication::translate("Backup", "не удалось сохранить текущую базу данных (%1)")
                           .arg(reason));
    return kept;
}

// A book the engine cannot write into (damaged, or no database at all) is replaced whole, side files and
// all: its journal would otherwise be applied to the copy. Empty when done, else why not.
QString replaceDamagedBook(const QString& staged, const QString& book)
{
    for (const char* side : {"-journal", "-wal", "-shm"})
        QFile::remove(book + QLatin1String(side));
    return placeCopy(staged, book, {});
}

std::optional<QString> restoreFileBook(const BookPlace& place, const QString& copy, QString* error)
{
    const QString book = TDM::databaseFile(place.dataFolder);
    // The copy is read once, beside the book, and what is checked is what goes back: the copy may change
    // meanwhile, or be the very file the book is about to be kept under.
    const QString staged = temporaryName(book);
    removeStaleParts(place.dataFolder);
    const auto fail = [&](const QString& reason) {
        QFile::remove(staged);
        return failedRestore(error, reason);
    };
    if (!isDatabaseFile(copy))
        return fail(QCoreApplication::translate("Backup", "файл не является копией базы данных"));
    if (!QDir().mkpath(place.dataFolder))
        return fail(QCoreApplication::translate("Backup", "копия не читается"));
    // Read through the engine, its WAL file included (a copy in WAL mode keeps its last changes there);
    // one the engine cannot read whole is taken byte for byte, to be checked below.
    try {
        backupDatabaseFile(copy, staged);
    } catch (const DbError& e) {
        // The engine's words say why neither way served: a full disk, an unreadable copy.
        if (!CopyDataFile(copy, staged))
            return fail(e.fullText());
    }
    if (!isDatabaseFile(staged))
        return fail(QCoreApplication::translate("Backup", "файл не является копией базы данных"));
    if (const QString problem = TDM::bookFileProblem(staged); !problem.isEmpty())
        return fail(QCoreApplication::translate("Backup", "копия повреждена или не является копией базы "
                                                          "данных (%1)")
                        .arg(problem));
    const std::optional<QString> kept = keepFileBook(place, book, error);
    if (!kept)
        return fail(*error);
    try {
        if (kept->isEmpty())
            placeNewFile(staged, book);
        else
            restoreDatabaseFile(staged, book);
    } catch (const DbError& e) {
        if (e.isBusy() || TDM::bookFileProblem(book).isEmpty())
            return fail(e.fullText());
        if (const QString reason = replaceDamagedBook(staged, book); !reason.isEmpty())
            return fail(reason);
    }
    QFile::remove(staged);
    return kept;
}

// The rights on the book's tables and functions as a dump of it holds them, given again to the book.
QString restoreGrants(const QString& book, const QString& dump)
{
    QString contents;
    if (const QString reason =
            runTool(QStringLiteral("pg_restore"), {QStringLiteral("--list"), dump}, &contents);
        !reason.isEmpty())
        return reason;
    QStringList grants;
    for (const QString& entry : contents.split(u'\n'))
        if (!entry.startsWith(u';') && entry.contains(QLatin1String(" ACL ")))
            grants << entry;
    if (grants.isEmpty())
        return {};
    QTemporaryFile list;
    if (!list.open() || list.write(grants.join(u'\n').toUtf8() + '\n') < 0 || !list.flush())
        return QCoreApplication::translate("Backup", "ошибка записи на диск");
    return runTool(QStringLiteral("pg_restore"),
                   {QStringLiteral("--single-transaction"), QStringLiteral("--exit-on-error"),
                    QStringLiteral("--use-list=") + list.fileName(), QStringLiteral("--dbname=") + book,
                    dump});
}

std::optional<QString> restoreServerBook(const BookPlace& place, const QString& copy, QString* error,
                                         QString* warning)
{
    QString ddl;
    if (!QFileInfo(copy).isFile() ||
        !runTool(QStringLiteral("pg_restore"),
                 {QStringLiteral("--schema-only"), QStringLiteral("--file=-"), copy}, &ddl)
             .isEmpty())
        return failedRestore(
            error, QCoreApplication::translate("Backup",
                                               "файл не является копией базы данных на сервере (pg_dump)"));
    // Only a book the program could open takes the book's place: its tables, their columns, no newer
    // program's schema.
    int version = 0;
    if (const QString problem = TDM::copyProblem(PostgresSchema::dumpColumns(ddl, &version), version);
        !problem.isEmpty())
        return failedRestore(error, problem);
    if (!makeCopiesFolder(place, error))
        return std::nullopt;
    QString kept;
    if (const QString reason =
            dumpBook(place.book, {place.copies(), PostgresDumpName(place.book), kBeforeRestore}, &kept);
        !reason.isEmpty())
        return failedRestore(
            error, QCoreApplication::translate("Backup", "не удалось сохранить текущую базу данных (%1)")
                       .arg(reason));
    // One transaction on the server: a kill or a failure leaves the book as it was.
    const QString reason = runTool(QStringLiteral("pg_restore"),
                                   {QStringLiteral("--clean"), QStringLiteral("--if-exists"),
                                    QStringLiteral("--single-transaction"), QStringLiteral("--exit-on-error"),
                                    QStringLiteral("--no-owner"), QStringLiteral("--no-privileges"),
                                    QStringLiteral("--dbname=") + place.book, copy});
    if (!reason.isEmpty())
        return failedRestore(error, reason);
    // The copy's grants name roles of the server it came from, so none are taken from it; the rights every
    // role had on the book before go back as they were, from the book kept a moment ago.
    if (const QString lost = restoreGrants(place.book, kept); !lost.isEmpty() && warning)
        *warning = QCoreApplication::translate("Backup", "Права ролей на базу данных не восстановлены (%1): "
                                                         "выдайте их снова.")
                       .arg(lost);
    return kept;
}

} // namespace

std::optional<QString> RestoreBook(const BookPlace& place, const QString& copy, QString* error,
                                   QString* warning)
{
    if (const QString problem = FolderProblem(place.dataFolder, place.backupFolder); !problem.isEmpty())
        return failedRestore(error, problem);
    if (!place.book.isEmpty())
        if (const QString problem = addressProblem(place.book); !problem.isEmpty())
            return failedRestore(error, problem);
    if (!QFileInfo(copy).isFile())
        return failedRestore(error, QCoreApplication::translate("Backup", "файл копии не найден"));
    return place.book.isEmpty() ? restoreFileBook(place, copy, error)
                                : restoreServerBook(place, copy, error, warning);
}
