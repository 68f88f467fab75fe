#include "base/whole_file.h"

#include <QCoreApplication>
#include <QFileInfo>
#include <QSaveFile>

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
