#include "maintenance/backup.h"

#include "base/prompter.h"
#include "db/connection.h"
#include "db/data_module.h"
#include "db/pg_schema.h"
#include "maintenance/paradox_import.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QProcess>
#include <QRegularExpression>

#include <cerrno>
#include <csignal>
#include <cstdio>
#include <cstring>
#include <unistd.h>

namespace {

bool isEngineSideFile(const QString& name)
{
    for (const char* suffix : {"-journal", "-wal", "-shm"})
        if (name.endsWith(QLatin1String(suffix)))
            return true;
    return false;
}

// A copy left half made by a backup whose process is gone (killed, or the machine stopped).
bool isStalePart(const QString& name)
{
    static const QRegularExpression part(QStringLiteral("^\\..+\\.part-(\\d+)$"));
    const QRegularExpressionMatch m = part.match(name);
    if (!m.hasMatch())
        return false;
    const pid_t pid = pid_t(m.captured(1).toLongLong());
    return pid != ::getpid() && ::kill(pid, 0) != 0 && errno == ESRCH;
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

QString placeCopy(const QString& temp, const QString& target, QString reason);

QString temporaryName(const QString& target)
{
    const QFileInfo info(target);
    return info.dir().filePath(u'.' + info.fileName() + QStringLiteral(".part-%1").arg(::getpid()));
}

// One file into the backup folder; an empty string when done, else the reason.
QString copyOne(const QString& source, const QString& target)
{
    const QString temp = temporaryName(target);
    QString reason;
    if (isDatabaseFile(source)) {
        try {
            backupDatabaseFile(source, temp);
            // A copy of a damaged book never takes the place of the last good copy.
            if (const QString problem = integrityProblem(temp); !problem.isEmpty())
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
    return placeCopy(temp, target, reason);
}

// A copy made under its temporary name put in place of the old one, or dropped; the reason it failed.
QString placeCopy(const QString& temp, const QString& target, QString reason)
{
    if (reason.isEmpty() && !syncFile(temp))
        reason = QCoreApplication::translate("Backup", "ошибка записи на диск");
    if (reason.isEmpty() &&
        std::rename(QFile::encodeName(temp).constData(), QFile::encodeName(target).constData()) != 0)
        reason = QString::fromLocal8Bit(std::strerror(errno));
    if (!reason.isEmpty())
        QFile::remove(temp);
    return reason;
}

} // namespace

QString BackupFolder(const QString& dataFolder)
{
    return QDir(dataFolder).filePath(QStringLiteral("BackUp"));
}

std::optional<BackupReport> BackUpDatabaseFolder(const QString& dataFolder, QString* error)
{
    const QString backupFolder = BackupFolder(dataFolder);
    if (!QDir().mkpath(backupFolder)) {
        if (error)
            *error =
                QCoreApplication::translate("Backup", "Ошибка ввода/вывода: не удалось создать каталог %1")
                    .arg(QDir::toNativeSeparators(backupFolder));
        return std::nullopt;
    }
    const QDir backup(backupFolder);
    for (const QString& name : backup.entryList(QDir::Files | QDir::Hidden | QDir::System))
        if (isEngineSideFile(name) || isStalePart(name))
            QFile::remove(backup.filePath(name));
    BackupReport report;
    const QDir data(dataFolder);
    for (const QString& name : data.entryList(QDir::Files, QDir::Name)) {
        if (isEngineSideFile(name))
            continue;
        const QString reason = copyOne(data.filePath(name), backup.filePath(name));
        if (reason.isEmpty())
            ++report.copied;
        else
            report.failed << name + QStringLiteral(": ") + reason;
    }
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

std::optional<BackupReport> BackUpPostgresBook(const QString& book, const QString& dataFolder, QString* error)
{
    std::optional<BackupReport> report = BackUpDatabaseFolder(dataFolder, error);
    if (!report)
        return report;
    const QString target = QDir(BackupFolder(dataFolder)).filePath(PostgresDumpName(book));
    const QString temp = temporaryName(target);
    QProcess dump;
    // Never a password prompt nobody would see: ~/.pgpass or PGPASSWORD, as for the program itself.
    dump.start(QStringLiteral("pg_dump"),
               {QStringLiteral("--format=custom"), QStringLiteral("--no-password"),
                QStringLiteral("--file=") + temp, QStringLiteral("--dbname=") + book});
    QString reason;
    if (!dump.waitForStarted())
        reason =
            QCoreApplication::translate("Backup", "не удалось запустить pg_dump (пакет postgresql-client)");
    else if (!dump.waitForFinished(-1) || dump.exitStatus() != QProcess::NormalExit || dump.exitCode() != 0)
        reason = QString::fromLocal8Bit(dump.readAllStandardError()).trimmed();
    reason = placeCopy(temp, target, reason);
    if (reason.isEmpty())
        ++report->copied;
    else
        report->failed << PostgresDumpName(book) + QStringLiteral(": ") + reason;
    return report;
}

MaintenanceController::MaintenanceController(Prompter& prompter)
    : m_prompter(prompter)
{
}

std::optional<BackupReport> MaintenanceController::backUp(const QString& dataFolder, const QString& book)
{
    QString error;
    std::optional<BackupReport> report = book.isEmpty() ? BackUpDatabaseFolder(dataFolder, &error)
                                                        : BackUpPostgresBook(book, dataFolder, &error);
    if (!report)
        m_prompter.error(error);
    return report;
}

void MaintenanceController::reportBackup(const QString& dataFolder, const BackupReport& report)
{
    const QString folder = QDir::toNativeSeparators(BackupFolder(dataFolder));
    if (report.failed.isEmpty()) {
        m_prompter.inform(
            QCoreApplication::translate(
                "Backup", "Резервная копия базы данных сделана в папке %1. Скопировано файлов: %2.")
                .arg(folder)
                .arg(report.copied));
        return;
    }
    // A backup that missed a file is not said to be made.
    m_prompter.error(QCoreApplication::translate(
                         "Backup",
                         "Резервная копия базы данных в папке %1 сделана не полностью: скопировано файлов "
                         "%2.")
                         .arg(folder)
                         .arg(report.copied) +
                     u'\n' + QCoreApplication::translate("Backup", "Не удалось скопировать:") + u'\n' +
                     report.failed.join(u'\n'));
}

bool MaintenanceController::confirmClearing()
{
    return m_prompter.ask(QCoreApplication::translate("Backup", "Очистить базу документов?"));
}

bool MaintenanceController::clearDocuments(TDM& dm)
{
    try {
        dm.ClearDocumentTables();
        return true;
    } catch (const DbError& e) {
        m_prompter.error(e.message(), e.detail());
        return false;
    }
}

void MaintenanceController::reportImport(const ParadoxImportOutcome& outcome)
{
    switch (outcome.result) {
    case ParadoxImportOutcome::Done:
        m_prompter.inform(QCoreApplication::translate("Backup", "Таблицы Paradox перенесены в базу данных.") +
                          u'\n' + ImportSummary(outcome.report).join(u'\n'));
        break;
    case ParadoxImportOutcome::Cancelled:
        m_prompter.inform(
            QCoreApplication::translate("Backup", "Перенос прерван: база данных осталась пустой."));
        break;
    case ParadoxImportOutcome::Refused:
        m_prompter.error(QCoreApplication::translate(
                             "Backup", "Таблицы Paradox не перенесены, база данных осталась пустой.") +
                         u'\n' + outcome.error);
        break;
    }
}
