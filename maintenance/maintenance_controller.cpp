#include "maintenance/maintenance_controller.h"

#include "base/prompter.h"
#include "db/data_module.h"
#include "maintenance/paradox_import.h"

#include <QCoreApplication>
#include <QDir>

MaintenanceController::MaintenanceController(Prompter& prompter)
    : m_prompter(prompter)
{
}

std::optional<BackupReport> MaintenanceController::backUp(const BookPlace& place, const QString& tag)
{
    QString error;
    std::optional<BackupReport> report =
        place.book.isEmpty() ? BackUpDatabaseFolder(place.dataFolder, place.backupFolder, &error, tag)
                             : BackUpPostgresBook(place, &error, tag);
    if (!report)
        m_prompter.error(error);
    return report;
}

void MaintenanceController::reportBackup(const BookPlace& place, const BackupReport& report)
{
    const QString folder = QDir::toNativeSeparators(place.copies());
    if (report.failed.isEmpty()) {
        m_prompter.inform(
            QCoreApplication::translate(
                "Backup", "Резервная копия базы данных сделана в папке %1. Скопировано файлов: %2.")
                .arg(folder)
                .arg(report.copied));
        return;
    }
    // A backup that missed a file says so first, never in the words of one that was made.
    m_prompter.error(QCoreApplication::translate(
                         "Backup",
                         "Не удалось сделать полную резервную копию базы данных в папке %1: скопировано "
                         "файлов %2.")
                         .arg(folder)
                         .arg(report.copied) +
                     u'\n' + QCoreApplication::translate("Backup", "Не удалось скопировать:") + u'\n' +
                     report.failed.join(u'\n'));
}

std::optional<BackupReport> MaintenanceController::backUpBook(TDM& dm, const BookPlace& place,
                                                              const QString& tag,
                                                              const std::function<void()>& bookBack)
{
    dm.disconnect();
    const std::optional<BackupReport> report = backUp(place, tag);
    if (bookBack)
        bookBack();
    if (report)
        reportBackup(place, *report);
    return report;
}

bool MaintenanceController::confirmRestore(const QString& copy)
{
    return m_prompter.ask(QCoreApplication::translate("Backup", "Восстановить базу данных из копии %1? "
                                                                "Текущая база данных будет сохранена в "
                                                                "папке резервных копий.")
                              .arg(QDir::toNativeSeparators(copy)));
}

bool MaintenanceController::restore(const BookPlace& place, const QString& copy)
{
    QString error;
    QString warning;
    const std::optional<QString> kept = RestoreBook(place, copy, &error, &warning);
    if (!kept) {
        m_prompter.error(QCoreApplication::translate(
                             "Backup",
                             "База данных не восстановлена из копии %1: %2. База данных осталась как "
                             "была.")
                             .arg(QDir::toNativeSeparators(copy), error));
        return false;
    }
    QString done = QCoreApplication::translate("Backup", "База данных восстановлена из копии %1.")
                       .arg(QDir::toNativeSeparators(copy));
    if (!kept->isEmpty())
        done += u' ' + QCoreApplication::translate("Backup", "Прежняя база данных сохранена в копии %1.")
                           .arg(QDir::toNativeSeparators(*kept));
    m_prompter.inform(done);
    if (!warning.isEmpty())
        m_prompter.warn(warning);
    return true;
}

bool MaintenanceController::checkBook(const TDM& dm)
{
    if (const QString problem = dm.wholeBookProblem(); !problem.isEmpty()) {
        m_prompter.error(QCoreApplication::translate("Backup",
                                                     "База данных повреждена: %1. Восстановите её из "
                                                     "резервной копии.")
                             .arg(problem));
        return false;
    }
    m_prompter.inform(checkedText());
    return true;
}

QString MaintenanceController::checkedText()
{
    return QCoreApplication::translate("Backup", "Проверка базы данных: ошибок не найдено.");
}

MaintenanceController::Clearing MaintenanceController::confirmClearing(const QString& book,
                                                                       const DocumentCounts& counts)
{
    if (!m_prompter.ask(QCoreApplication::translate("Backup", "Очистить базу документов?") + u'\n' +
                        QCoreApplication::translate("Backup", "База данных: %1.").arg(book) + u'\n' +
                        QCoreApplication::translate("Backup",
                                                    "Будут удалены счета-фактуры (%1), поступления (%2), "
                                                    "расходные накладные (%3), налоговые накладные (%4), "
                                                    "акты (%5), оплаты (%6). Клиенты и товары останутся.")
                            .arg(counts.invoices)
                            .arg(counts.receipts)
                            .arg(counts.expenseWaybills)
                            .arg(counts.taxWaybills)
                            .arg(counts.acts)
                            .arg(counts.payments)))
        return Clearing::Cancelled;
    return m_prompter.ask(
               QCoreApplication::translate("Backup", "Сделать перед очисткой резервную копию базы?"))
               ? Clearing::BackUpFirst
               : Clearing::Clear;
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

std::optional<DocumentCounts> MaintenanceController::askAndClear(TDM& dm, const BookPlace& place,
                                                                 const std::function<bool()>& backUpFirst,
                                                                 const std::function<bool()>& reopen)
{
    DocumentCounts counts;
    try {
        counts = dm.CountDocuments();
    } catch (const DbError& e) {
        m_prompter.error(e.message(), e.detail());
        return std::nullopt;
    }
    const QString book =
        place.book.isEmpty() ? QDir::toNativeSeparators(TDM::databaseFile(place.dataFolder)) : place.book;
    switch (confirmClearing(book, counts)) {
    case Clearing::Cancelled:
        return std::nullopt;
    case Clearing::BackUpFirst:
        if (!backUpFirst())
            return std::nullopt;
        break;
    case Clearing::Clear:
        break;
    }
    if (!reopen() || !clearDocuments(dm))
        return std::nullopt;
    return counts;
}

QString MaintenanceController::clearedText(const DocumentCounts& counts)
{
    return QCoreApplication::translate("Backup",
                                       "База документов очищена: удалено счетов-фактур %1, поступлений %2, "
                                       "расходных накладных %3, налоговых накладных %4, актов %5, оплат %6.")
        .arg(counts.invoices)
        .arg(counts.receipts)
        .arg(counts.expenseWaybills)
        .arg(counts.taxWaybills)
        .arg(counts.acts)
        .arg(counts.payments);
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
