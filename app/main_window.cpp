#include "app/main_window.h"

#include "app/about_form.h"
#include "app/clients_view.h"
#include "app/documents_view.h"
#include "app/owner_view.h"
#include "app/setup_form.h"
#include "app/toolkit_language.h"
#include "app/window_commands.h"
#include "app/window_tabs.h"
#include "base/version.h"
#include "base/whole_file.h"
#include "db/engine.h"
#include "maintenance/start_flow.h"
#include "ui_main_window.h"
#include "widgets/access_keys.h"
#include "widgets/elided_label.h"
#include "widgets/input_names.h"
#include "widgets/screen_fit.h"

#include <QApplication>
#include <QCloseEvent>
#include <QDir>
#include <QKeyEvent>
#include <QShortcut>
#include <QStatusBar>
#include <QThread>
#include <QTimer>

#include <algorithm>

TBuhForm::TBuhForm(const QString& programFolder, Prompter* prompter, QWidget* parent)
    : QMainWindow(parent)
    , ui(std::make_unique<Ui::TBuhForm>())
    , m_programFolder(programFolder)
    , m_widgetPrompter(this)
    , m_prompter(prompter ? prompter : &m_widgetPrompter)
    , m_owner(m_dm, *m_prompter)
    , m_clients(m_dm, *m_prompter)
    , m_documents(m_dm, *m_prompter)
    , m_maintenance(*m_prompter)
    , m_payments(m_dm, *m_prompter)
{
    ui->setupUi(this);
    const QString dataFolder = defaultDatabaseFolder(m_programFolder);
    // Said at start-up, unless the start is a first one and the welcome says it all.
    m_folderWasMissing = !QDir(dataFolder).exists();
    if (m_folderWasMissing && !QDir().mkpath(dataFolder))
        m_prompter->error(tr("Ошибка ввода/вывода: не удалось создать каталог %1").arg(dataFolder));
    QDir::setCurrent(m_programFolder);
    // The design size, or the place and size of the last run; within the screen either way.
    resize(size().expandedTo(minimumSizeHint()));
    if (!restoreGeometry(ReadWindowGeometry(m_programFolder)))
        UseMostOfScreen(this);
    FitToScreen(this);

    m_documentsView = std::make_unique<DocumentsView>(*this);
    m_clientsView = std::make_unique<ClientsView>(*this);
    m_ownerView = std::make_unique<OwnerView>(*this);
    WindowCommands::wire(*this, *ui, m_popups);
    for (SqlListModel* model :
         {&clientRegister().model(), &documentLists().invoices(), &documentLists().receipts(),
          &documentLists().expenseWaybills(), &documentLists().taxWaybills(), &documentLists().acts()})
        connect(
            model, &SqlListModel::engineError, this,
            [this](const QString& message, const QString& detail) { m_prompter->error(message, detail); });
    connect(&m_notifier, &BookNotifier::documentsChanged, this, &TBuhForm::ShowDocumentsStoredElsewhere);
    connect(ui->PC1, &QTabWidget::currentChanged, this, &TBuhForm::tabChanged);
    // The bottom tabs by keyboard, from anywhere in the window.
    const auto stepTabs = [this](int step) {
        const int count = ui->PC1->count();
        ui->PC1->setCurrentIndex((ui->PC1->currentIndex() + step + count) % count);
    };
    connect(new QShortcut(QKeySequence(Qt::CTRL | Qt::Key_PageDown), this), &QShortcut::activated, this,
            [stepTabs] { stepTabs(1); });
    connect(new QShortcut(QKeySequence(Qt::CTRL | Qt::Key_PageUp), this), &QShortcut::activated, this,
            [stepTabs] { stepTabs(-1); });
    // Shown from the start, so the window's layout never jumps when the first message comes.
    m_statusLine = new ElidedLabel(this);
    m_statusLine->setObjectName(QStringLiteral("StatusLine"));
    statusBar()->addWidget(m_statusLine, 1);
    statusBar()->show();
    qApp->installEventFilter(this);
    AssignAccessLetters(this);
    NameInputs(this);
    // While another program holds the book, the pointer says so until the window is answering again.
    setBusyNotifier([] {
        // A book held while the import works on its own thread is waited for there, out of sight.
        if (QThread::currentThread() != qApp->thread())
            return;
        QApplication::setOverrideCursor(Qt::WaitCursor);
        QTimer::singleShot(0, [] { QApplication::restoreOverrideCursor(); });
    });
}

TBuhForm::~TBuhForm()
{
    setBusyNotifier({});
    qApp->removeEventFilter(this);
}

QMenu* TBuhForm::popupMenu(int number) const
{
    return number >= 1 && number <= kPopupMenus ? m_popups[std::size_t(number - 1)] : nullptr;
}

bool TBuhForm::isSearchActive() const
{
    return m_clientsView->isSearchActive();
}

void TBuhForm::RefreshClientDocuments()
{
    m_documentsView->showClientDocuments();
}

void TBuhForm::ShowAllDocuments()
{
    m_documentsView->showAllDocuments();
}

void TBuhForm::UpdateDocumentCommands()
{
    m_documentsView->updateCommands();
}

void TBuhForm::ShowDocumentsStoredElsewhere()
{
    m_documentsView->showStoredElsewhere();
}

void TBuhForm::FindClient(int field, const QString& text, bool fullMatch)
{
    m_clientsView->find(field, text, fullMatch);
}

StartFlow TBuhForm::startFlow()
{
    return StartFlow(this, m_settings, m_programFolder, bookInUse(), m_dm, *m_prompter, m_maintenance);
}

void TBuhForm::startAgain(const Chosen& before)
{
    startUp();
    if (m_dm.isConnected())
        chooseAgain(before);
}

void TBuhForm::showEvent(QShowEvent* event)
{
    QMainWindow::showEvent(event);
    if (!m_started) {
        m_started = true;
        startUp();
    }
}

void TBuhForm::paintEvent(QPaintEvent* event)
{
    QMainWindow::paintEvent(event);
    if (std::exchange(m_firstPaint, FirstPaint::Done) != FirstPaint::Waiting)
        return;
    // After the paint in hand; unless something else has been said meanwhile (a welcome's hint).
    QTimer::singleShot(0, this, [this] {
        if (m_sayings == m_bookWaitsFrom)
            sayBook();
    });
}

void TBuhForm::startUp()
{
    resetToDefaults(m_settings, m_programFolder);
    // Before the book is opened, so that it is read once, unfiltered.
    m_clientsView->resetFilters();
    QString error;
    if (!ReadSettings(m_settings, m_programFolder, &error))
        m_prompter->error(error);
    KeepFromOutput(m_settings.backupFolder);
    applyInterfaceLanguage();
    // A first start meets one welcome instead of the messages of a book that is missing or empty.
    bool welcomed = false;
    bool open = false; // a book in use stays open from the look at it below, and is not opened twice
    if (!m_welcomeOffered) {
        m_welcomeOffered = true;
        if (bookInUse().isEmpty() && TDM::isFreshBook(m_settings.path, m_dm)) {
            welcomed = true;
            if (!startFlow().welcome()) {
                forgetDatabase();
                return;
            }
        } else if (m_folderWasMissing) {
            m_prompter->error(tr("Не найдена директория базы данных!"));
        }
        open = !welcomed && m_dm.isConnected();
    }
    if (openDatabase(open))
        LoadAndShowOwner();
    if (welcomed && m_owner.record() == OwnerRecord{}) {
        ui->PC1->setCurrentIndex(OwnerPage);
        say([] {
            return tr(
                "Впишите на вкладке «Владелец» данные вашей фирмы: они печатаются на каждом документе.");
        });
    }
}

bool TBuhForm::OpenDatabase()
{
    return openDatabase(false);
}

bool TBuhForm::openDatabase(bool alreadyOpen)
{
    m_clients.panelShown();
    try {
        if (!alreadyOpen) {
            m_dm.disconnect();
            m_dm.connect(m_settings.path, bookInUse());
        }
    } catch (const DbError& e) {
        m_prompter->error(tr("Ошибка при открытии базы данных!") + u'\n' + e.message(), e.detail());
        forgetDatabase();
        if (!startFlow().offerNewBook())
            return false;
    }
    if (m_dm.isReadOnly())
        m_prompter->warn(tr("База данных открыта только для чтения: изменения в ней сохранить нельзя."));
    m_notifier.watch(m_dm);
    clientRegister().reload();
    m_clientsView->locate(clientRegister().idAt(0));
    showCaption();
    RefreshClientDocuments();
    applyPrecision();
    sayBook();
    return true;
}

void TBuhForm::forgetDatabase()
{
    showCaption();
    clientRegister().model().clear();
    m_clientsView->fillPanel();
    documentLists().clear();
    ui->Edit5->clear();
    m_documentsView->showCaptions();
    m_documentsView->updateCommands();
    m_owner.forget();
    m_ownerView->clear();
}

void TBuhForm::ReconnectAndRefresh()
{
    const Chosen before = chosen();
    reconnectAndLocate(before.client);
    chooseAgain(before);
}

TBuhForm::Chosen TBuhForm::chosen()
{
    Chosen c;
    c.client = clientRegister().idAt(m_clientsView->currentRow());
    c.allDocuments = documentLists().showsAllDocuments();
    const auto grids = m_documentsView->grids();
    for (std::size_t i = 0; i < c.documents.size(); ++i)
        if (grids[i]->currentRow() >= 0)
            c.documents[i] = grids[i]->listModel()->keyAt(grids[i]->currentRow());
    return c;
}

void TBuhForm::chooseAgain(const Chosen& c)
{
    if (c.allDocuments) {
        ShowAllDocuments();
    } else if (clientRegister().rowOfId(c.client) >= 0) {
        if (clientRegister().idAt(m_clientsView->currentRow()) != c.client)
            m_clientsView->locate(c.client);
        RefreshClientDocuments();
    }
    const auto grids = m_documentsView->grids();
    for (std::size_t i = 0; i < c.documents.size(); ++i)
        if (const int row = c.documents[i] < 0 ? -1 : grids[i]->listModel()->rowOfKey(c.documents[i]);
            row >= 0)
            grids[i]->moveTo(row);
    m_documentsView->updateCommands();
}

void TBuhForm::reconnectAndLocate(int id)
{
    // The lists are read again on the open book: its schema was checked when it was opened, and a server
    // book would take a new connection. Only a book that is not open is opened anew.
    if (!m_dm.isConnected())
        LoadAndShowOwner();
    clientRegister().reload();
    m_clientsView->locate(id);
    RefreshClientDocuments();
}

void TBuhForm::applyPrecision()
{
    const Precision precision = ApplyPrecision(m_settings.price, m_settings.goods);
    documentLists().setPrecision(precision);
    clientRegister().model().setPrecision(precision);
    for (DBGrid* grid : m_documentsView->grids())
        grid->fitColumns();
}

void TBuhForm::tabChanged(int index)
{
    if (m_previousPage == OwnerPage)
        m_ownerView->settleEdits();
    if (m_previousPage == ClientsPage) {
        m_clientsView->leave();
        RefreshClientDocuments();
    }
    m_previousPage = index;
    if (index == OwnerPage)
        m_owner.repairOwnerRow();
    else if (index == ClientsPage) {
        m_clientsView->removeFilters();
        m_clientsView->showBalance();
    }
}

void TBuhForm::editSettings()
{
    TSetupForm dialog(m_settings, this);
    if (dialog.exec() != QDialog::Accepted)
        return;
    // The chosen client stays chosen on the same book: the next document is never another client's.
    const Chosen before = chosen();
    const bool sameBook =
        dialog.settings().path == m_settings.path && dialog.settings().book == m_settings.book;
    m_settings = dialog.settings();
    QString error;
    if (!WriteSettings(m_settings, m_programFolder, &error))
        m_prompter->error(error);
    applyInterfaceLanguage();
    if (OpenDatabase()) {
        LoadAndShowOwner();
        if (sameBook)
            chooseAgain(before);
    }
}

void TBuhForm::applyInterfaceLanguage()
{
    if (m_settings.language != InterfaceLanguage() && !SetInterfaceLanguage(m_settings.language))
        qWarning("The %s interface could not be loaded completely.", qPrintable(m_settings.language));
}

void TBuhForm::changeEvent(QEvent* event)
{
    if (event->type() == QEvent::LanguageChange) {
        // Every text anew: the window's own, then those it composes at run time.
        ui->retranslateUi(this);
        AssignAccessLetters(this);
        NameInputs(this);
        m_clientsView->fitPanelLabels();
        showCaption();
        m_documentsView->showCaptions();
        if (m_statusLine)
            m_statusLine->setFullText(m_said ? m_said() : QString());
        for (DBGrid* grid : {ui->DBGrid1, ui->DBGrid3, ui->DBGrid6, ui->DBGrid5, ui->DBGrid4})
            if (QAbstractItemModel* model = grid->model(); model && model->columnCount() > 0)
                emit model->headerDataChanged(Qt::Horizontal, 0, model->columnCount() - 1);
    }
    QMainWindow::changeEvent(event);
}

void TBuhForm::showCaption()
{
    if (m_dm.isConnected())
        setWindowTitle(tr("ДОКУМАР (v.%1). База данных : ").arg(QLatin1String(kDocMarVersion)) +
                       (m_dm.isPostgres() ? m_dm.book() : QDir::toNativeSeparators(m_settings.path)));
    else
        setWindowTitle(tr("ДОКУМАР"));
}

void TBuhForm::showAbout()
{
    TAboutForm about(this);
    about.exec();
}

void TBuhForm::LoadAndShowOwner()
{
    m_owner.load(m_settings.path, bookInUse());
    m_ownerView->show(m_owner.record());
}

void TBuhForm::say(std::function<QString()> text)
{
    ++m_sayings;
    m_said = std::move(text);
    m_statusLine->setFullText(m_said ? m_said() : QString());
}

void TBuhForm::sayBook()
{
    if (m_firstPaint == FirstPaint::Ahead) {
        m_firstPaint = FirstPaint::Waiting;
        say({});
        m_bookWaitsFrom = m_sayings;
        return;
    }
    if (!m_dm.isConnected()) {
        say({});
        return;
    }
    try {
        const DocumentCounts counts = m_dm.CountDocuments();
        const int clients = clientRegister().model().rowCount();
        const QString book = m_dm.isPostgres() ? m_dm.book() : QDir::toNativeSeparators(m_settings.path);
        say([=] {
            return tr("База данных %1: клиентов %2, счетов-фактур %3, поступлений %4, "
                      "расходных накладных %5, "
                      "налоговых накладных %6, актов %7.")
                .arg(book)
                .arg(clients)
                .arg(counts.invoices)
                .arg(counts.receipts)
                .arg(counts.expenseWaybills)
                .arg(counts.taxWaybills)
                .arg(counts.acts);
        });
    } catch (const DbError& e) {
        say({});
        m_prompter->error(e.message(), e.detail());
    }
}

bool TBuhForm::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == ui->Panel10Scroll->viewport() && event->type() == QEvent::Resize)
        m_clientsView->fitPanelLabels();
    // The program's own dialogs (not the toolkit's: their names begin with Q) get their access letters as
    // they show, in the language of the moment.
    if (event->type() == QEvent::Show && watched->isWidgetType() &&
        static_cast<QWidget*>(watched)->isWindow() && qobject_cast<QDialog*>(watched) &&
        !QByteArray(watched->metaObject()->className()).startsWith('Q')) {
        AssignAccessLetters(static_cast<QWidget*>(watched));
        NameInputs(static_cast<QWidget*>(watched));
    }
    if (event->type() == QEvent::KeyPress && watched->isWidgetType()) {
        const auto* key = static_cast<QKeyEvent*>(event);
        QWidget* target = static_cast<QWidget*>(watched);
        if (target->window() == this) {
            if (key->key() == Qt::Key_F1) {
                m_prompter->inform(tr("Справочная информация находится в файле Readme.doc."));
                return true;
            }
            if (key->key() == Qt::Key_Escape && m_clientsView->isSearchActive())
                m_clientsView->stopSearch();
        }
    }
    return QMainWindow::eventFilter(watched, event);
}

void TBuhForm::closeEvent(QCloseEvent* event)
{
    if (!m_prompter->ask(tr("Закрыть программу?"))) {
        event->ignore();
        return;
    }
    m_clientsView->leave();
    m_ownerView->settleEdits();
    m_dm.disconnect();
    QString error;
    if (!WriteSettings(m_settings, m_programFolder, &error) ||
        !WriteWindowGeometry(saveGeometry(), m_programFolder, &error))
        m_prompter->error(error);
    event->accept();
}
