// The desktop's ways to begin a book. Its words are the main window's, where they have always been.
#include "maintenance/start_flow.h"

#include "base/prompter.h"
#include "base/settings.h"
#include "db/data_module.h"
#include "maintenance/maintenance_controller.h"
#include "maintenance/paradox_import.h"

#include <QCoreApplication>
#include <QDir>
#include <QEventLoop>
#include <QFileDialog>
#include <QProgressDialog>
#include <QThread>

#include <atomic>
#include <memory>

StartFlow::StartFlow(QWidget* parent, Settings& settings, const QString& programFolder, const QString& book,
                     TDM& dm, Prompter& prompter, MaintenanceController& maintenance)
    : m_parent(parent)
    , m_settings(settings)
    , m_programFolder(programFolder)
    , m_book(book)
    , m_dm(dm)
    , m_prompter(prompter)
    , m_maintenance(maintenance)
{
}

bool StartFlow::welcome()
{
    for (;;) {
        const BookStart how = AskHowToStart(m_settings.path, m_prompter);
        if (how == BookStart::OtherFolder) {
            const QString folder = QFileDialog::getExistingDirectory(
                m_parent, QCoreApplication::translate("TBuhForm", "Папка базы данных"), m_settings.path);
            if (folder.isEmpty())
                continue;
            m_settings.path = QDir::toNativeSeparators(folder);
            QString error;
            if (!WriteSettings(m_settings, m_programFolder, &error))
                m_prompter.error(error);
            // A folder that holds a book opens as every start does.
            if (!TDM::isFreshBook(m_settings.path))
                return true;
            continue;
        }
        if (how == BookStart::Nothing)
            return false;
        const QString paradoxFolder = how == BookStart::FromParadox ? chooseParadoxFolder() : QString();
        if (how == BookStart::FromParadox && paradoxFolder.isEmpty())
            continue;
        if (!startBook(how, true, paradoxFolder))
            return false;
        m_dm.disconnect();
        return true;
    }
}

bool StartFlow::startBook(BookStart how, bool withOwnerRow, const QString& paradoxFolder)
{
    if (!BeginBook(m_dm, m_settings.path, how, withOwnerRow, m_prompter))
        return false;
    if (!paradoxFolder.isEmpty())
        importParadox(paradoxFolder);
    return true;
}

QString StartFlow::chooseParadoxFolder()
{
    QFileDialog dialog(m_parent, QCoreApplication::translate("TBuhForm", "Папка с таблицами Paradox"));
    dialog.setObjectName(QStringLiteral("ParadoxFolderDialog"));
    dialog.setFileMode(QFileDialog::Directory);
    dialog.setOptions(QFileDialog::ShowDirsOnly | QFileDialog::DontUseNativeDialog);
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return {};
    return dialog.selectedFiles().first();
}

bool StartFlow::offerNewBook()
{
    const BookStart how = OfferNewBook(m_settings.path, m_book, m_prompter);
    if (how == BookStart::Nothing)
        return false;
    QString paradoxFolder;
    if (how == BookStart::FromParadox) {
        paradoxFolder = chooseParadoxFolder();
        if (paradoxFolder.isEmpty())
            return false;
    }
    return startBook(how, false, paradoxFolder);
}

void StartFlow::importParadox(const QString& folder)
{
    QProgressDialog progress(QCoreApplication::translate("TBuhForm", "Перенос таблиц Paradox ..."),
                             QCoreApplication::translate("TBuhForm", "Отмена"), 0, 0, m_parent);
    progress.setObjectName(QStringLiteral("ImportProgress"));
    progress.setWindowModality(Qt::WindowModal);
    progress.setMinimumDuration(0);
    progress.setAutoReset(false);
    progress.setAutoClose(false);
    progress.show();
    // The tables are read, checked and written on a thread of their own, through a connection of its own:
    // the window answers, and Cancel is heard, whatever a table costs.
    std::atomic<bool> cancelled{false};
    QObject::connect(&progress, &QProgressDialog::canceled, &progress, [&progress, &cancelled] {
        cancelled = true;
        progress.setLabelText(QCoreApplication::translate("TBuhForm", "Перенос прерывается ..."));
    });
    ParadoxImportOutcome outcome;
    const QString dataFolder = m_settings.path;
    const QString book = m_book;
    QEventLoop loop;
    std::unique_ptr<QThread> worker(QThread::create([&] {
        TDM dm;
        try {
            dm.connect(dataFolder, book);
        } catch (const DbError& e) {
            outcome.error = e.fullText();
            return;
        }
        outcome = ImportParadoxBook(dm, folder, [&](const QString& table, int done, int total) {
            QMetaObject::invokeMethod(&progress, [&progress, &cancelled, table, done, total] {
                if (cancelled)
                    return;
                if (done < 0) {
                    progress.setLabelText(QCoreApplication::translate(
                                              "TBuhForm", "Перенос таблиц Paradox: чтение и проверка %1")
                                              .arg(table));
                    return;
                }
                progress.setLabelText(
                    QCoreApplication::translate("TBuhForm", "Перенос таблиц Paradox: %1, %2 из %3")
                        .arg(table)
                        .arg(done)
                        .arg(total));
                progress.setMaximum(total);
                progress.setValue(done);
            });
            return !cancelled;
        });
    }));
    QObject::connect(worker.get(), &QThread::finished, &loop, &QEventLoop::quit);
    worker->start();
    loop.exec();
    worker->wait();
    progress.close();
    m_maintenance.reportImport(outcome);
}
