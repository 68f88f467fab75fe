// The owner tab: the firm's details, and the book's backup, restore and clearing.
#include "app/owner_view.h"

#include "app/clients_view.h"
#include "app/main_window.h"
#include "base/whole_file.h"
#include "ui_main_window.h"
#include "widgets/input_names.h"
#include "widgets/screen_fit.h"

#include <QDir>
#include <QFileDialog>

namespace {

// The owner tab's edits, in input order, and the fields they show.
struct OwnerEdit {
    QLineEdit* Ui::TBuhForm::*edit;
    QString OwnerRecord::*member;
};
const OwnerEdit kOwnerEdits[] = {
    {&Ui::TBuhForm::Edit1, &OwnerRecord::FIRMNAME},   {&Ui::TBuhForm::Edit2, &OwnerRecord::CHIEF},
    {&Ui::TBuhForm::Edit3, &OwnerRecord::BUHALTER},   {&Ui::TBuhForm::Edit4, &OwnerRecord::TELFAX},
    {&Ui::TBuhForm::Edit6, &OwnerRecord::CITY},       {&Ui::TBuhForm::Edit7, &OwnerRecord::POSTADDRESS},
    {&Ui::TBuhForm::Edit8, &OwnerRecord::LAWADDRESS}, {&Ui::TBuhForm::Edit9, &OwnerRecord::TAXCODE},
    {&Ui::TBuhForm::Edit10, &OwnerRecord::MFOCODE},   {&Ui::TBuhForm::Edit11, &OwnerRecord::OKPOCODE},
    {&Ui::TBuhForm::Edit12, &OwnerRecord::REGNUMBER}, {&Ui::TBuhForm::Edit13, &OwnerRecord::CHETNUMBER},
    {&Ui::TBuhForm::Edit14, &OwnerRecord::BANKNAME},  {&Ui::TBuhForm::Edit15, &OwnerRecord::BANKCITY},
};

} // namespace

OwnerView::OwnerView(TBuhForm& window)
    : QObject(&window)
    , w(window)
    , ui(window.ui.get())
{
    // The owner tab's buttons come first in the input order, then the edits line by line.
    QWidget* previous = ui->BitBtn8;
    QWidget::setTabOrder(ui->BitBtn6, ui->RestoreButton);
    QWidget::setTabOrder(ui->RestoreButton, ui->CheckButton);
    QWidget::setTabOrder(ui->CheckButton, ui->BitBtn7);
    QWidget::setTabOrder(ui->BitBtn7, ui->BitBtn1);
    QWidget::setTabOrder(ui->BitBtn1, ui->BitBtn8);
    ShowChars(ui->Edit13, 34); // an IBAN whole
    for (const OwnerEdit& e : kOwnerEdits) {
        QLineEdit* edit = (*ui).*e.edit;
        // What the owner row's column holds: nothing typed is cut when it is stored.
        for (const OwnerRecord::Field& f : OwnerRecord::fields())
            if (f.member == e.member)
                edit->setMaxLength(TypedColumnLength(QLatin1String(f.column)));
        QWidget::setTabOrder(previous, edit);
        previous = edit;
    }
    connect(ui->BitBtn1, &QPushButton::clicked, this, &OwnerView::save);
    connect(ui->BitBtn8, &QPushButton::clicked, this, [this] { // cancel: the stored details again
        if (const std::optional<OwnerRecord> stored = w.m_owner.stored())
            show(*stored);
    });
    connect(ui->BitBtn6, &QPushButton::clicked, this, [this] { backUp(); });
    connect(ui->BitBtn7, &QPushButton::clicked, this, &OwnerView::clearDocuments);
    connect(ui->RestoreButton, &QPushButton::clicked, this, &OwnerView::restore);
    connect(ui->CheckButton, &QPushButton::clicked, this, &OwnerView::checkBook);
}

void OwnerView::save()
{
    // Refused, the tab keeps what was typed, to be mended.
    if (w.m_owner.save(fromTab(), w.m_settings.path, w.bookInUse())) {
        show(w.m_owner.record());
        w.say([] { return TBuhForm::tr("Данные владельца сохранены."); });
    }
}

void OwnerView::clear()
{
    for (const OwnerEdit& e : kOwnerEdits)
        ((*ui).*e.edit)->clear();
}

void OwnerView::showProgress(const QString& caption)
{
    ui->Panel13->setText(caption);
    ui->Panel13->show();
    ui->Panel13->repaint();
}

bool OwnerView::backUp(const QString& tag)
{
    settleEdits();
    showProgress(TBuhForm::tr("Создание резервной копии базы ..."));
    // The folder in use is the one backed up, wherever PATH puts it, and the server book in use is dumped:
    // its address is taken before the disconnection forgets it.
    const BookPlace place = placeInUse();
    const TBuhForm::Chosen before = w.chosen();
    const std::optional<BackupReport> report =
        w.m_maintenance.backUpBook(w.m_dm, place, tag, [this, &before] {
            QDir::setCurrent(w.m_programFolder);
            w.LoadAndShowOwner();
            w.clientRegister().reload();
            w.m_clientsView->locate(w.clientRegister().idAt(0));
            w.chooseAgain(before);
            ui->Panel13->hide();
        });
    const bool whole = report && report->failed.isEmpty();
    if (whole)
        w.say([folder = place.copies(), copied = report->copied, bytes = report->bytes] {
            return TBuhForm::tr("Резервная копия сделана в папке %1: файлов %2, %3 КБ.")
                .arg(QDir::toNativeSeparators(folder))
                .arg(copied)
                .arg((bytes + 1023) / 1024);
        });
    return whole;
}

BookPlace OwnerView::placeInUse() const
{
    return {w.m_settings.path, w.m_dm.isConnected() && w.m_dm.isPostgres() ? w.m_dm.book() : QString(),
            w.m_settings.backupFolder};
}

void OwnerView::restore()
{
    settleEdits();
    // The book this run works on, open or not: a book that no longer opens is what a restore is for.
    const BookPlace place{w.m_settings.path, w.bookInUse(), w.m_settings.backupFolder};
    QFileDialog dialog(&w, TBuhForm::tr("Резервная копия базы данных"), place.copies(),
                       place.book.isEmpty() ? TBuhForm::tr("Копии базы данных (*.db)")
                                            : TBuhForm::tr("Копии базы данных (*.dump)"));
    dialog.setObjectName(QStringLiteral("RestoreCopyDialog"));
    dialog.setFileMode(QFileDialog::ExistingFile);
    dialog.setOption(QFileDialog::DontUseNativeDialog);
    const QString newest = NewestCopy(place.copies(), place.copyName());
    if (!newest.isEmpty())
        dialog.selectFile(newest);
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return;
    const QString copy = dialog.selectedFiles().first();
    if (!w.m_maintenance.confirmRestore(copy))
        return;
    showProgress(TBuhForm::tr("Восстановление базы данных из копии ..."));
    const TBuhForm::Chosen before = w.chosen();
    w.m_dm.disconnect();
    w.m_maintenance.restore(place, copy);
    ui->Panel13->hide();
    w.startAgain(before);
}

void OwnerView::checkBook()
{
    if (!w.m_dm.isConnected() && !w.OpenDatabase())
        return;
    showProgress(TBuhForm::tr("Проверка базы данных ..."));
    const bool whole = w.m_maintenance.checkBook(w.m_dm);
    ui->Panel13->hide();
    if (whole)
        w.say(&MaintenanceController::checkedText);
}

void OwnerView::clearDocuments()
{
    if (!w.m_dm.isConnected() && !w.OpenDatabase())
        return;
    // A question answered No leaves the window as it was; anything begun is followed by a fresh start, on
    // the client chosen before.
    const TBuhForm::Chosen before = w.chosen();
    bool begun = false;
    const std::optional<DocumentCounts> cleared = w.m_maintenance.askAndClear(
        w.m_dm, placeInUse(),
        [this, &begun] {
            begun = true;
            return backUp(kBeforeClearing);
        },
        [this, &begun] {
            begun = true;
            showProgress(TBuhForm::tr("Очистка базы документов ..."));
            return w.m_dm.isConnected() || w.OpenDatabase();
        });
    if (!begun)
        return;
    ui->Panel13->hide();
    w.startAgain(before);
    if (cleared)
        w.say([counts = *cleared] { return MaintenanceController::clearedText(counts); });
}

void OwnerView::show(const OwnerRecord& owner)
{
    for (const OwnerEdit& e : kOwnerEdits)
        ((*ui).*e.edit)->setText(owner.*e.member);
}

void OwnerView::settleEdits()
{
    const OwnerRecord shown = fromTab();
    if (!w.m_owner.hasUnsavedChanges(shown))
        return;
    if (w.m_prompter->ask(TBuhForm::tr("Данные владельца изменены. Сохранить изменения?")))
        w.m_owner.save(shown, w.m_settings.path, w.bookInUse());
    show(w.m_owner.record());
}

OwnerRecord OwnerView::fromTab() const
{
    OwnerRecord shown;
    for (const OwnerEdit& e : kOwnerEdits)
        shown.*e.member = ((*ui).*e.edit)->text();
    return shown;
}
