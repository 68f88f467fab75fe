#include "base/whole_file.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QMutex>
#include <QSaveFile>
#include <QStringList>

#include <cerrno>
#include <csignal>
#include <sys/stat.h>
#include <unistd.h>

namespace {

QString reasonOf(QFileDevice::FileError error)
{
    switch (error) {
    case QFileDevice::ResourceError:
        return QCoreApplication::translate("WholeFile", "на диске нет места");
    case QFileDevice::OpenError:
    case QFileDevice::PermissionsError:
        return QCoreApplication::translate("WholeFile", "нет папки или прав на запись в неё");
    default:
        return QCoreApplication::translate("WholeFile", "ошибка записи на диск");
    }
}

} // namespace

bool WriteWholeFile(const QString& fileName, const std::function<bool(QIODevice&)>& write, QString* error)
{
    const auto fail = [&](const QString& reason) {
        if (error)
            *error = QCoreApplication::translate("WholeFile", "Не удалось записать файл %1: %2.")
                         .arg(fileName, reason);
        return false;
    };
    const QFileInfo target(fileName);
    if (target.exists() && !target.isFile())
        return fail(QCoreApplication::translate("WholeFile", "это не обычный файл, он оставлен как есть"));
    QSaveFile file(fileName);
    if (!file.open(QIODevice::WriteOnly))
        return fail(reasonOf(file.error()));
    // The last buffered bytes reach the disk only on flush; a failure there must stop the rename.
    const bool written = write(file);
    if (!file.flush() || file.error() != QFileDevice::NoError || !written) {
        const QFileDevice::FileError code = file.error();
        file.cancelWriting();
        return fail(reasonOf(code));
    }
    if (!file.commit())
        return fail(reasonOf(file.error()));
    return true;
}

namespace {

QMutex g_keptMutex;
QStringList g_kept;

// A name with its folder resolved (links and ".." followed), for a file that may not be there yet.
QString resolved(const QString& fileName)
{
    const QFileInfo info(fileName);
    const QString folder = QFileInfo(info.absolutePath()).canonicalFilePath();
    return (folder.isEmpty() ? info.absolutePath() : folder) + u'/' + info.fileName();
}

bool sameFile(const QString& a, const QString& b)
{
    struct stat sa {
    }, sb{};
    if (::stat(QFile::encodeName(a).constData(), &sa) == 0 &&
        ::stat(QFile::encodeName(b).constData(), &sb) == 0)
        return sa.st_dev == sb.st_dev && sa.st_ino == sb.st_ino;
    return resolved(a) == resolved(b);
}

} // namespace

bool ProcessIsGone(qint64 pid)
{
    return pid > 0 && pid != ::getpid() && ::kill(pid_t(pid), 0) != 0 && errno == ESRCH;
}

void KeepFromOutput(const QString& fileOrFolder)
{
    QMutexLocker lock(&g_keptMutex);
    if (!fileOrFolder.isEmpty() && !g_kept.contains(fileOrFolder))
        g_kept << fileOrFolder;
}

QString NotAnOutput(const QString& fileName)
{
    QMutexLocker lock(&g_keptMutex);
    const QString folder = QFileInfo(fileName).absolutePath();
    for (const QString& kept : std::as_const(g_kept)) {
        if (sameFile(fileName, kept) || (QFileInfo(kept).isDir() && sameFile(folder, kept)))
            return QCoreApplication::translate(
                       "WholeFile", "Файл %1 — это база данных, её резервная копия или настройки "
                                    "программы: в него ничего не записывается. Укажите другой файл.")
                .arg(QDir::toNativeSeparators(fileName));
    }
    return {};
}

bool WriteOutputFile(const QString& fileName, const std::function<bool(QIODevice&)>& write, QString* error)
{
    if (const QString refusal = NotAnOutput(fileName); !refusal.isEmpty()) {
        if (error)
            *error = refusal;
        return false;
    }
    return WriteWholeFile(fileName, write, error);
}

QString SpreadsheetName(const QString& textName)
{
    const QFileInfo info(textName);
    const QString suffix = info.suffix();
    return (suffix.isEmpty() ? textName : textName.left(textName.size() - suffix.size() - 1)) +
           QStringLiteral(".xlsx");
}

bool IsSpreadsheetName(const QString& fileName)
{
    return fileName.endsWith(QLatin1String(".xlsx"), Qt::CaseInsensitive);
}
