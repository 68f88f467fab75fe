#include "app/main_window.h"

#include "app/about_form.h"
#include "app/setup_form.h"
#include "app/toolkit_language.h"
#include "base/version.h"
#include "base/whole_file.h"
#include "clients/names_form.h"
#include "clients/save_form.h"
#include "db/engine.h"
#include "db/tables.h"
#include "documents/act_editor_form.h"
#include "documents/goods_list_form.h"
#include "documents/new_fact_form.h"
#include "documents/period_dialogs.h"
#include "documents/tovar_form.h"
#include "documents/waybill_form.h"
#include "maintenance/book_start.h"
#include "maintenance/paradox_import.h"
#include "payments/debtors_form.h"
#include "payments/payment_form.h"
#include "payments/reconciliation_form.h"
#include "payments/statement_form.h"
#include "report/report_holder.h"
#include "ui_main_window.h"
#include "widgets/access_keys.h"
#include "widgets/elided_label.h"
#include "widgets/input_names.h"
#include "widgets/screen_fit.h"

#include <QApplication>
#include <QCloseEvent>
#include <QDir>
#include <QEventLoop>
#include <QFileDialog>
#include <QHeaderView>
#include <QKeyEvent>
#include <QMenu>
#include <QProgressDialog>
#include <QShortcut>
#include <QStatusBar>
#include <QThread>
#include <QTimer>

#include <algorithm>
#include <atomic>

namespace {

enum Tab { DocumentsPage = 0, ClientsPage = 1, OwnerPage = 2 };

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

// The menu item of each document command.
const std::pair<DocumentCommand, QAction * Ui::TBuhForm::*> kCommandItems[] = {
    {DocumentCommand::NewInvoice, &Ui::TBuhForm::N9},
    {DocumentCommand::CopyInvoice, &Ui::TBuhForm::N11},
    {DocumentCommand::EditInvoice, &Ui::TBuhForm::N10},
    {DocumentCommand::PreviewInvoice, &Ui::TBuhForm::N12},
    {DocumentCommand::PrintInvoice, &Ui::TBuhForm::N13},
    {DocumentCommand::InvoiceRegister, &Ui::TBuhForm::N14},
    {DocumentCommand::ExpenseWaybillForInvoice, &Ui::TBuhForm::N15},
    {DocumentCommand::TaxWaybillForInvoice, &Ui::TBuhForm::N16},
    {DocumentCommand::NewReceipt, &Ui::TBuhForm::N17},
    {DocumentCommand::CopyReceipt, &Ui::TBuhForm::N18},
    {DocumentCommand::EditReceipt, &Ui::TBuhForm::N19},
    {DocumentCommand::ReceiptRegister, &Ui::TBuhForm::N20},
    {DocumentCommand::ExpenseWaybillForReceipt, &Ui::TBuhForm::N21},
    {DocumentCommand::TaxWaybillForReceipt, &Ui::TBuhForm::N22},
    {DocumentCommand::PreviewExpenseWaybill, &Ui::TBuhForm::N23},
    {DocumentCommand::PrintExpenseWaybill, &Ui::TBuhForm::N24},
    {DocumentCommand::ExpenseRegister, &Ui::TBuhForm::N27},
    {DocumentCommand::PreviewTaxWaybill, &Ui::TBuhForm::N25},
    {DocumentCommand::PrintTaxWaybill, &Ui::TBuhForm::N26},
    {DocumentCommand::TaxRegister, &Ui::TBuhForm::N28},
    {DocumentCommand::NewAct, &Ui::TBuhForm::ActNew},
    {DocumentCommand::CopyAct, &Ui::TBuhForm::ActCopy},
    {DocumentCommand::EditAct, &Ui::TBuhForm::ActEdit},
    {DocumentCommand::EditAct, &Ui::TBuhForm::ActDelete},
    {DocumentCommand::PreviewAct, &Ui::TBuhForm::ActPreview},
    {DocumentCommand::PrintAct, &Ui::TBuhForm::ActPrint},
    {DocumentCommand::ActRegister, &Ui::TBuhForm::ActRegister},
};

} // namespace

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
    m_namesForm = new TNamesForm(this);
    m_tovarForm = new TTovarForm(this);
    m_dataForm = new TDataForm(m_prompter, this);
    m_numbersForm = new TNumbersForm(m_prompter, this);
    m_tovListForm = new TTovListForm(m_documents.goods(), *m_prompter, this);
    // The filter's period starts as the period dialog's dates.
    InvoiceFilter filter;
    filter.from = m_dataForm->from();
    filter.to = m_dataForm->to();
    documentLists().setInvoiceFilter(filter);
    // The design size, or the place and size of the last run; within the screen either way.
    resize(size().expandedTo(minimumSizeHint()));
    if (!restoreGeometry(ReadWindowGeometry(m_programFolder)))
        UseMostOfScreen(this);
    FitToScreen(this);

    setupGrids();
    setupMenus();
    setupClientPanel();
    // The owner tab's buttons come first in the input order, then the edits line by line.
    QWidget* previous = ui->BitBtn8;
    setTabOrder(ui->BitBtn6, ui->RestoreButton);
    setTabOrder(ui->RestoreButton, ui->BitBtn7);
    setTabOrder(ui->BitBtn7, ui->BitBtn1);
    setTabOrder(ui->BitBtn1, ui->BitBtn8);
    ShowChars(ui->Edit13, 34); // an IBAN whole
    for (const OwnerEdit& e : kOwnerEdits) {
        QLineEdit* edit = (*ui).*e.edit;
        // What the owner row's column holds: nothing typed is cut when it is stored.
        for (const OwnerRecord::Field& f : OwnerRecord::fields())
            if (f.member == e.member)
                edit->setMaxLength(TypedColumnLength(QLatin1String(f.column)));
        setTabOrder(previous, edit);
        previous = edit;
    }
    connect(&m_notifier, &BookNotifier::documentsChanged, this, &TBuhForm::ShowDocumentsStoredElsewhere);
    connect(ui->BitBtn1, &QPushButton::clicked, this, [this] { // save
        // Refused, the tab keeps what was typed, to be mended.
        if (m_owner.save(ownerFromTab(), m_settings.path, bookInUse())) {
            ShowOwnerRecord(m_owner.record());
            say([] { return tr("Данные владельца сохранены."); });
        }
    });
    connect(ui->BitBtn8, &QPushButton::clicked, this, [this] { // cancel: the stored details again
        if (const std::optional<OwnerRecord> stored = m_owner.stored())
            ShowOwnerRecord(*stored);
    });
    connect(ui->BitBtn6, &QPushButton::clicked, this, &TBuhForm::BitBtn6Click);
    connect(ui->BitBtn7, &QPushButton::clicked, this, &TBuhForm::BitBtn7Click);
    connect(ui->RestoreButton, &QPushButton::clicked, this, &TBuhForm::RestoreClick);
    connect(ui->PC1, &QTabWidget::currentChanged, this, &TBuhForm::PC1Change);
    // The bottom tabs by keyboard, from anywhere in the window.
    const auto stepTabs = [this](int step) {
        const int count = ui->PC1->count();
        ui->PC1->setCurrentIndex((ui->PC1->currentIndex() + step + count) % count);
    };
    connect(new QShortcut(QKeySequence(Qt::CTRL | Qt::Key_PageDown), this), &QShortcut::activated, this,
            [stepTabs] { stepTabs(1); });
    connect(new QShortcut(QKeySequence(Qt::CTRL | Qt::Key_PageUp), this), &QShortcut::activated, this,
            [stepTabs] { stepTabs(-1); });
    connect(ui->Button9, &QPushButton::clicked, this, [this] {
        m_documents.lists().clearWaybillSelection();
        ui->Edit5->clear();
    });
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

void TBuhForm::setupGrids()
{
    SqlListModel& clients = m_clients.clientRegister().model();
    DocumentLists& docs = m_documents.lists();
    ui->DBGrid1->setListModel(&clients);
    ui->DBGrid2->setListModel(&clients);
    ui->DBGrid2->setSelectionModel(ui->DBGrid1->selectionModel());
    for (DBGrid* g : {ui->DBGrid1, ui->DBGrid2}) {
        g->setEditTriggers(QAbstractItemView::NoEditTriggers);
        g->setTabKeyNavigation(false); // nothing to edit: Tab goes on to the next control
    }

    // The client list shows its own choice of columns, in its own order and widths.
    QHeaderView* header = ui->DBGrid1->horizontalHeader();
    for (int c = 0; c < clients.columnCount(); ++c)
        ui->DBGrid1->setColumnHidden(c, true);
    int visual = 0;
    for (const ClientColumn& shown : clientListColumns()) {
        const int logical = clients.columnOf(QLatin1String(shown.name));
        ui->DBGrid1->setColumnHidden(logical, false);
        header->moveSection(header->visualIndex(logical), visual++);
        if (shown.listWidth > 0)
            ui->DBGrid1->setColumnWidth(logical, shown.listWidth);
    }
    header->setSectionsClickable(true);
    connect(header, &QHeaderView::sectionClicked, this, &TBuhForm::DBGrid1TitleClick);
    connect(ui->DBGrid1, &QAbstractItemView::clicked, this, &TBuhForm::RefreshClientDocuments);
    connect(ui->DBGrid1, &QAbstractItemView::doubleClicked, this, &TBuhForm::RefreshClientDocuments);

    const std::pair<DBGrid*, SqlListModel*> lists[] = {{ui->DBGrid3, &docs.invoices()},
                                                       {ui->DBGrid6, &docs.receipts()},
                                                       {ui->DBGrid5, &docs.expenseWaybills()},
                                                       {ui->DBGrid4, &docs.taxWaybills()},
                                                       {ui->DBGrid7, &docs.acts()}};
    const std::pair<DBNavigator*, DBGrid*> navigators[] = {{ui->DBNavigator1, ui->DBGrid3},
                                                           {ui->DBNavigator4, ui->DBGrid6},
                                                           {ui->DBNavigator3, ui->DBGrid5},
                                                           {ui->DBNavigator2, ui->DBGrid4},
                                                           {ui->DBNavigator5, ui->DBGrid7}};
    for (const auto& [grid, model] : lists) {
        grid->setListModel(model);
        // A double click picks an invoice for a waybill; cells are edited by typing or the navigator.
        grid->setEditTriggers(QAbstractItemView::EditKeyPressed | QAbstractItemView::AnyKeyPressed);
    }
    connect(ui->DBGrid3, &QAbstractItemView::clicked, this, [this, &docs] {
        LocateWaybillsOfInvoice(int(docs.invoices().keyAt(ui->DBGrid3->currentRow())));
    });
    const auto pickInvoice = [this, &docs] {
        m_documents.pickForWaybill(ui->DBGrid3->currentRow());
        ui->Edit5->setText(docs.waybillSelection());
        LocateWaybillsOfInvoice(int(docs.invoices().keyAt(ui->DBGrid3->currentRow())));
    };
    connect(ui->DBGrid3, &QAbstractItemView::doubleClicked, this, pickInvoice);
    ui->DBGrid3->setPickedByKeys(true);
    connect(ui->DBGrid3, &DBGrid::rowPicked, this, pickInvoice);
    connect(ui->DBGrid6, &QAbstractItemView::clicked, this, [this, &docs] {
        LocateWaybillsOfInvoice(int(docs.receipts().keyAt(ui->DBGrid6->currentRow())));
    });
    for (DBGrid* waybills : {ui->DBGrid5, ui->DBGrid4}) {
        const auto follow = [this, waybills] {
            const DocumentsController::DocumentRows rows =
                m_documents.documentOfWaybill(*waybills->listModel(), waybills->currentRow());
            ui->DBGrid3->moveTo(rows.invoice);
            ui->DBGrid6->moveTo(rows.receipt);
        };
        connect(waybills, &QAbstractItemView::clicked, this, follow);
        connect(waybills, &QAbstractItemView::doubleClicked, this, follow);
    }
    for (const auto& [navigator, grid] : navigators) {
        navigator->setGrid(grid);
        connect(navigator, &DBNavigator::deleteRequested, this,
                [this, g = grid] { deleteThroughNavigator(g); });
    }
    // An act is changed in its editor: a double click or Enter opens it.
    connect(ui->DBGrid7, &QAbstractItemView::doubleClicked, this, [this] { editAct(ActCommand::Edit); });
    ui->DBGrid7->setPickedByKeys(true);
    connect(ui->DBGrid7, &DBGrid::rowPicked, this, [this] { editAct(ActCommand::Edit); });
    for (SqlListModel* model : {&clients, &docs.invoices(), &docs.receipts(), &docs.expenseWaybills(),
                                &docs.taxWaybills(), &docs.acts()})
        connect(
            model, &SqlListModel::engineError, this,
            [this](const QString& message, const QString& detail) { m_prompter->error(message, detail); });

    ui->RxSplitter1->setStretchFactor(0, 1);
    ui->RxSplitter1->setStretchFactor(1, 0);
    ui->RxSplitter1->setSizes({450, 250});
    for (int pane = 0; pane < 3; ++pane)
        ui->RxSplitter2->setStretchFactor(pane, 1);
    ui->RxSplitter2->setSizes({300, 300, 300});
}

void TBuhForm::setupMenus()
{
    // Each popup menu's items in order; nullptr stands for its separator (N29, N34).
    const std::vector<QAction*> items[kPopupMenus] = {
        {ui->N9, ui->N11, ui->N10, ui->N12, ui->N13, ui->N14, ui->N15, ui->N16, ui->PayInvoice, nullptr,
         ui->N30, ui->N31, ui->UnpaidOnly, ui->N32},
        {ui->N17, ui->N18, ui->N19, ui->N20, ui->N21, ui->N22},
        {ui->N23, ui->N24, ui->N27},
        {ui->N25, ui->N26, ui->N28},
        {ui->N37, ui->N35, ui->N36, nullptr, ui->N33, ui->PayClient, ui->Reconciliation},
        {ui->ActNew, ui->ActCopy, ui->ActEdit, ui->ActDelete, ui->ActPreview, ui->ActPrint, ui->ActRegister,
         ui->PayAct},
    };
    DBGrid* const owners[kPopupMenus] = {ui->DBGrid3, ui->DBGrid6, ui->DBGrid5,
                                         ui->DBGrid4, ui->DBGrid1, ui->DBGrid7};
    for (int m = 0; m < kPopupMenus; ++m) {
        m_popups[m] = new QMenu(this);
        m_popups[m]->setObjectName(QStringLiteral("PopupMenu%1").arg(m + 1));
        for (QAction* item : items[m]) {
            if (!item)
                m_popups[m]->addSeparator()->setObjectName(m == 0 ? QStringLiteral("N29")
                                                                  : QStringLiteral("N34"));
            else
                m_popups[m]->addAction(item);
        }
        DBGrid* grid = owners[m];
        QMenu* menu = m_popups[m];
        grid->setContextMenuPolicy(Qt::CustomContextMenu);
        connect(grid, &QWidget::customContextMenuRequested, this,
                [grid, menu](const QPoint& pos) { menu->popup(grid->viewport()->mapToGlobal(pos)); });
    }
    connect(ui->N2, &QAction::triggered, this, &QWidget::close);
    connect(ui->N3, &QAction::triggered, this, &TBuhForm::N3Click);
    connect(ui->N6, &QAction::triggered, this, &TBuhForm::N6Click);
    connect(ui->N7, &QAction::triggered, this, &TBuhForm::ShowAllDocuments);
    connect(ui->N8, &QAction::triggered, this, &TBuhForm::N8Click);
    connect(ui->N37, &QAction::triggered, this, [this] { filterClients(true); });
    connect(ui->N35, &QAction::triggered, this, [this] { filterClients(false); });
    connect(ui->N36, &QAction::triggered, this, &TBuhForm::N36Click);
    connect(ui->N33, &QAction::triggered, this, [this] {
        TSaveForm dialog(
            m_clients.exportChoice(), QDir(m_programFolder).filePath(ClientListFileName()),
            [this](const QString& file) {
                if (m_clients.exportClients(file))
                    say([file] {
                        return tr("Список клиентов дописан в файл %1.").arg(QDir::toNativeSeparators(file));
                    });
            },
            this);
        dialog.exec();
    });
    const std::pair<QAction*, EditorCommand> editors[] = {
        {ui->N9, EditorCommand::NewInvoice},   {ui->N11, EditorCommand::CopyInvoice},
        {ui->N10, EditorCommand::EditInvoice}, {ui->N17, EditorCommand::NewReceipt},
        {ui->N18, EditorCommand::CopyReceipt}, {ui->N19, EditorCommand::EditReceipt}};
    for (const auto& [item, command] : editors)
        connect(item, &QAction::triggered, this, [this, command = command] { editDocument(command); });
    connect(ui->N15, &QAction::triggered, this, [this] { issueWaybill(WaybillKind::Expense, false); });
    connect(ui->N16, &QAction::triggered, this, [this] { issueWaybill(WaybillKind::Tax, false); });
    connect(ui->N21, &QAction::triggered, this, [this] { issueWaybill(WaybillKind::Expense, true); });
    connect(ui->N22, &QAction::triggered, this, [this] { issueWaybill(WaybillKind::Tax, true); });
    connect(ui->N4, &QAction::triggered, this, &TBuhForm::N4Click);
    connect(ui->N5, &QAction::triggered, this, [this] {
        m_tovListForm->prepare();
        m_tovListForm->exec();
    });
    connect(ui->N14, &QAction::triggered, this, [this] { writeRegister(RegisterKind::Invoices); });
    connect(ui->N20, &QAction::triggered, this, [this] { writeRegister(RegisterKind::Receipts); });
    connect(ui->N27, &QAction::triggered, this, [this] { writeRegister(RegisterKind::ExpenseWaybills); });
    connect(ui->N28, &QAction::triggered, this, [this] { writeRegister(RegisterKind::TaxWaybills); });
    connect(ui->N30, &QAction::triggered, this, &TBuhForm::N30Click);
    connect(ui->N31, &QAction::triggered, this, &TBuhForm::N31Click);
    connect(ui->N32, &QAction::triggered, this, &TBuhForm::N32Click);
    connect(ui->UnpaidOnly, &QAction::triggered, this, [this](bool on) {
        documentLists().filterUnpaid(on);
        showInvoiceFilter();
    });
    connect(ui->N12, &QAction::triggered, this, [this] { printInvoice(true); });
    connect(ui->N23, &QAction::triggered, this, [this] { printExpenseWaybill(true); });
    connect(ui->N24, &QAction::triggered, this, [this] { printExpenseWaybill(false); });
    connect(ui->N25, &QAction::triggered, this, [this] { printTaxWaybill(true); });
    connect(ui->N26, &QAction::triggered, this, [this] { printTaxWaybill(false); });
    connect(ui->N13, &QAction::triggered, this, [this] { printInvoice(false); });
    connect(ui->ActNew, &QAction::triggered, this, [this] { editAct(ActCommand::New); });
    connect(ui->ActCopy, &QAction::triggered, this, [this] { editAct(ActCommand::Copy); });
    connect(ui->ActEdit, &QAction::triggered, this, [this] { editAct(ActCommand::Edit); });
    connect(ui->ActDelete, &QAction::triggered, this, [this] { deleteThroughNavigator(ui->DBGrid7); });
    connect(ui->ActPreview, &QAction::triggered, this, [this] { printAct(true); });
    connect(ui->ActPrint, &QAction::triggered, this, [this] { printAct(false); });
    connect(ui->ActRegister, &QAction::triggered, this, [this] { writeRegister(RegisterKind::Acts); });
    connect(ui->PayInvoice, &QAction::triggered, this,
            [this] { typePayment(int(documentLists().invoices().keyAt(ui->DBGrid3->currentRow())), false); });
    connect(ui->PayAct, &QAction::triggered, this, [this] {
        typePayment(
            documentLists().acts().value(ui->DBGrid7->currentRow(), QStringLiteral("ACT_NUMBER")).toInt(),
            true);
    });
    connect(ui->PayClient, &QAction::triggered, this, [this] { typePayment(0, false); });
    connect(ui->ImportStatement, &QAction::triggered, this, &TBuhForm::importStatement);
    connect(ui->DebtorsReport, &QAction::triggered, this, &TBuhForm::writeDebtors);
    connect(ui->Reconciliation, &QAction::triggered, this, &TBuhForm::printReconciliation);
    connect(ui->PaymentRegister, &QAction::triggered, this,
            [this] { writeRegister(RegisterKind::Payments); });
}

std::array<DBGrid*, 5> TBuhForm::documentGrids() const
{
    return {ui->DBGrid3, ui->DBGrid6, ui->DBGrid5, ui->DBGrid4, ui->DBGrid7};
}

QMenu* TBuhForm::popupMenu(int number) const
{
    return number >= 1 && number <= kPopupMenus ? m_popups[number - 1] : nullptr;
}

void TBuhForm::showEvent(QShowEvent* event)
{
    QMainWindow::showEvent(event);
    if (!m_started) {
        m_started = true;
        StartUpSequence();
    }
}

void TBuhForm::StartUpSequence()
{
    resetToDefaults(m_settings, m_programFolder);
    m_clients.resetFilters();
    QString error;
    if (!ReadSettings(m_settings, m_programFolder, &error))
        m_prompter->error(error);
    KeepFromOutput(m_settings.backupFolder);
    applyInterfaceLanguage();
    // A first start meets one welcome instead of the messages of a book that is missing or empty.
    bool welcomed = false;
    if (!m_welcomeOffered) {
        m_welcomeOffered = true;
        if (bookInUse().isEmpty() && TDM::isFreshBook(m_settings.path)) {
            welcomed = true;
            if (!welcome()) {
                forgetDatabase();
                N36Click();
                return;
            }
        } else if (m_folderWasMissing) {
            m_prompter->error(tr("Не найдена директория базы данных!"));
        }
    }
    if (OpenDatabase())
        LoadAndShowOwner();
    if (welcomed && m_owner.record() == OwnerRecord{}) {
        ui->PC1->setCurrentIndex(OwnerPage);
        say([] {
            return tr(
                "Впишите на вкладке «Владелец» данные вашей фирмы: они печатаются на каждом документе.");
        });
    }
    N36Click();
    RefreshClientDocuments();
}

bool TBuhForm::OpenDatabase()
{
    m_clients.panelShown();
    m_dm.disconnect();
    try {
        m_dm.connect(m_settings.path, bookInUse());
    } catch (const DbError& e) {
        m_prompter->error(tr("Ошибка при открытии базы данных!") + u'\n' + e.message(), e.detail());
        forgetDatabase();
        if (!createDatabaseOnOffer())
            return false;
    }
    if (m_dm.isReadOnly())
        m_prompter->warn(tr("База данных открыта только для чтения: изменения в ней сохранить нельзя."));
    m_notifier.watch(m_dm);
    clientRegister().reload();
    locateClient(clientRegister().idAt(0));
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
    fillClientPanel();
    documentLists().clear();
    ui->Edit5->clear();
    showDocumentCaptions();
    UpdateDocumentCommands();
    m_owner.forget();
    for (const OwnerEdit& e : kOwnerEdits)
        ((*ui).*e.edit)->clear();
}

bool TBuhForm::welcome()
{
    for (;;) {
        const BookStart how = AskHowToStart(m_settings.path, *m_prompter);
        if (how == BookStart::OtherFolder) {
            const QString folder =
                QFileDialog::getExistingDirectory(this, tr("Папка базы данных"), m_settings.path);
            if (folder.isEmpty())
                continue;
            m_settings.path = QDir::toNativeSeparators(folder);
            QString error;
            if (!WriteSettings(m_settings, m_programFolder, &error))
                m_prompter->error(error);
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

bool TBuhForm::startBook(BookStart how, bool withOwnerRow, const QString& paradoxFolder)
{
    if (!BeginBook(m_dm, m_settings.path, how, withOwnerRow, *m_prompter))
        return false;
    if (!paradoxFolder.isEmpty())
        importParadoxBook(paradoxFolder);
    return true;
}

QString TBuhForm::chooseParadoxFolder()
{
    QFileDialog dialog(this, tr("Папка с таблицами Paradox"));
    dialog.setObjectName(QStringLiteral("ParadoxFolderDialog"));
    dialog.setFileMode(QFileDialog::Directory);
    dialog.setOptions(QFileDialog::ShowDirsOnly | QFileDialog::DontUseNativeDialog);
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return {};
    return dialog.selectedFiles().first();
}

bool TBuhForm::createDatabaseOnOffer()
{
    const BookStart how = OfferNewBook(m_settings.path, bookInUse(), *m_prompter);
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

void TBuhForm::importParadoxBook(const QString& folder)
{
    QProgressDialog progress(tr("Перенос таблиц Paradox ..."), tr("Отмена"), 0, 0, this);
    progress.setObjectName(QStringLiteral("ImportProgress"));
    progress.setWindowModality(Qt::WindowModal);
    progress.setMinimumDuration(0);
    progress.setAutoReset(false);
    progress.setAutoClose(false);
    progress.show();
    // The tables are read, checked and written on a thread of their own, through a connection of its own:
    // the window answers, and Cancel is heard, whatever a table costs.
    std::atomic<bool> cancelled{false};
    connect(&progress, &QProgressDialog::canceled, &progress, [&progress, &cancelled] {
        cancelled = true;
        progress.setLabelText(tr("Перенос прерывается ..."));
    });
    ParadoxImportOutcome outcome;
    const QString dataFolder = m_settings.path;
    const QString book = bookInUse();
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
                    progress.setLabelText(tr("Перенос таблиц Paradox: чтение и проверка %1").arg(table));
                    return;
                }
                progress.setLabelText(
                    tr("Перенос таблиц Paradox: %1, %2 из %3").arg(table).arg(done).arg(total));
                progress.setMaximum(total);
                progress.setValue(done);
            });
            return !cancelled;
        });
    }));
    connect(worker.get(), &QThread::finished, &loop, &QEventLoop::quit);
    worker->start();
    loop.exec();
    worker->wait();
    progress.close();
    m_maintenance.reportImport(outcome);
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
    c.client = clientRegister().idAt(currentClientRow());
    c.allDocuments = documentLists().showsAllDocuments();
    const auto grids = documentGrids();
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
        if (clientRegister().idAt(currentClientRow()) != c.client)
            locateClient(c.client);
        RefreshClientDocuments();
    }
    const auto grids = documentGrids();
    for (std::size_t i = 0; i < c.documents.size(); ++i)
        if (const int row = c.documents[i] < 0 ? -1 : grids[i]->listModel()->rowOfKey(c.documents[i]);
            row >= 0)
            grids[i]->moveTo(row);
    UpdateDocumentCommands();
}

void TBuhForm::reconnectAndLocate(int id)
{
    // The lists are read again on the open book: its schema was checked when it was opened, and a server
    // book would take a new connection. Only a book that is not open is opened anew.
    if (!m_dm.isConnected())
        LoadAndShowOwner();
    clientRegister().reload();
    locateClient(id);
    RefreshClientDocuments();
}

void TBuhForm::applyPrecision()
{
    const Precision precision = ApplyPrecision(m_settings.price, m_settings.goods);
    documentLists().setPrecision(precision);
    clientRegister().model().setPrecision(precision);
    for (DBGrid* grid : documentGrids())
        grid->fitColumns();
}

void TBuhForm::RefreshClientDocuments()
{
    const int row = currentClientRow();
    documentLists().RefreshClientDocuments(
        clientRegister().idAt(row),
        clientRegister().model().value(row, QStringLiteral("FIRMNAME")).toString());
    ui->Edit5->clear();
    showDocumentCaptions();
    moveListsToLastRows();
    UpdateDocumentCommands();
}

void TBuhForm::ShowAllDocuments()
{
    documentLists().ShowAllDocuments();
    showDocumentCaptions();
    moveListsToLastRows();
    UpdateDocumentCommands();
}

void TBuhForm::showDocumentCaptions()
{
    const DocumentLists& docs = documentLists();
    // A client's name, however long, never widens the window.
    SetElidedTitle(ui->GB2, docs.invoiceCaption());
    SetElidedTitle(ui->GB5, docs.receiptCaption());
    SetElidedTitle(ui->GB3, docs.expenseCaption());
    SetElidedTitle(ui->GB4, docs.taxCaption());
    SetElidedTitle(ui->GB6, docs.actCaption());
}

void TBuhForm::ShowDocumentsStoredElsewhere()
{
    const auto grids = documentGrids();
    // A cell being typed into is never taken away: the lists are read again once it is posted or left.
    if (std::any_of(std::begin(grids), std::end(grids), [](const DBGrid* g) { return g->isEditing(); })) {
        if (!m_listsReloadDeferred) {
            m_listsReloadDeferred = true;
            QTimer::singleShot(BookNotifier::kGatherMs * 4, this, [this] {
                m_listsReloadDeferred = false;
                ShowDocumentsStoredElsewhere();
            });
        }
        return;
    }
    std::array<qint64, std::tuple_size_v<decltype(grids)>> keys{};
    for (std::size_t i = 0; i < std::size(grids); ++i)
        keys[i] = grids[i]->listModel() ? grids[i]->listModel()->keyAt(grids[i]->currentRow()) : 0;
    documentLists().reloadAll();
    for (std::size_t i = 0; i < std::size(grids); ++i) {
        SqlListModel* list = grids[i]->listModel();
        const int row = list && keys[i] != 0 ? list->rowOfKey(keys[i]) : -1;
        // A row deleted elsewhere leaves its list on the last row, as a new list stands.
        grids[i]->moveTo(row >= 0 ? row : grids[i]->model()->rowCount() - 1);
    }
    showDocumentCaptions();
    UpdateDocumentCommands();
}

void TBuhForm::moveListsToLastRows()
{
    for (DBGrid* grid : documentGrids())
        grid->moveTo(grid->model()->rowCount() - 1);
}

void TBuhForm::LocateWaybillsOfInvoice(int number)
{
    if (const auto rows = m_documents.waybillsOfDocument(number)) {
        ui->DBGrid5->moveTo(rows->expense);
        ui->DBGrid4->moveTo(rows->tax);
    }
}

void TBuhForm::UpdateDocumentCommands()
{
    const DocumentCommandStates states = m_documents.commandStates();
    for (const auto& [command, item] : kCommandItems)
        ((*ui).*item)->setEnabled(states.at(command));
}

void TBuhForm::deleteThroughNavigator(DBGrid* grid)
{
    const int row = grid->currentRow();
    if (row < 0 || !m_prompter->ask(m_documents.deleteQuestion(*grid->listModel(), row)))
        return;
    if (grid->listModel()->deleteRow(row)) {
        grid->moveTo(std::min(row, grid->model()->rowCount() - 1));
        sayBook();
    }
    UpdateDocumentCommands();
}

void TBuhForm::PC1Change(int index)
{
    if (m_previousPage == OwnerPage)
        settleOwnerEdits();
    if (m_previousPage == ClientsPage) {
        leaveClientPanel();
        RefreshClientDocuments();
    }
    m_previousPage = index;
    if (index == OwnerPage)
        m_owner.repairOwnerRow();
    else if (index == ClientsPage) {
        N36Click();
        showClientBalance();
    }
}

void TBuhForm::printInvoice(bool preview)
{
    std::optional<Page> page = m_documents.invoicePage(ui->DBGrid3->currentRow(), preview, m_owner.record(),
                                                       m_settings, m_programFolder);
    if (page)
        showOrPrint({std::move(*page)}, QStringLiteral("TForm1"), preview);
}

void TBuhForm::printExpenseWaybill(bool preview)
{
    if (std::optional<Page> page = m_documents.expenseWaybillPage(
            ui->DBGrid5->currentRow(), !preview, m_owner.record(), m_settings, m_programFolder))
        showOrPrint({std::move(*page)}, QStringLiteral("TForm2"), preview);
}

void TBuhForm::printTaxWaybill(bool preview)
{
    if (std::optional<Page> page =
            m_documents.taxWaybillPage(ui->DBGrid4->currentRow(), !preview, m_owner.record(), m_settings))
        showOrPrint({std::move(*page)}, QStringLiteral("TForm3"), preview);
}

void TBuhForm::printAct(bool preview)
{
    if (std::optional<Page> page =
            m_documents.actPage(ui->DBGrid7->currentRow(), m_owner.record(), m_settings))
        showOrPrint({std::move(*page)}, QStringLiteral("ActBlank"), preview);
}

void TBuhForm::editAct(ActCommand command)
{
    const std::optional<DocumentsController::ActEdit> edit =
        m_documents.openAct(command, ui->DBGrid7->currentRow(), m_settings, QDate::currentDate());
    if (!edit)
        return;
    ActEditorForm editor(*edit, m_documents, m_prompter, this);
    if (editor.exec() == QDialog::Accepted)
        showStored(ui->DBGrid7, "ACT_NUMBER", editor.storedNumber());
}

void TBuhForm::typePayment(int number, bool act)
{
    std::optional<PaymentDraft> draft;
    QString what;
    if (number > 0) {
        draft = m_payments.openPayment(number, act, QDate::currentDate());
        what = (act ? tr("акт № %1") : tr("счет-фактура № %1")).arg(number);
    } else if (const int client = currentClientId(); client > 0) {
        draft = OpenClientPayment(client, QDate::currentDate());
        what = clientRegister().model().value(currentClientRow(), QStringLiteral("FIRMNAME")).toString();
    } else {
        m_prompter->error(tr("Выберите клиента в списке клиентов."));
    }
    if (!draft)
        return;
    PaymentForm form(*draft, what, m_payments, m_prompter, this);
    if (form.exec() != QDialog::Accepted)
        return;
    const Chosen before = chosen();
    documentLists().reloadAll();
    chooseAgain(before);
    sayBook();
}

void TBuhForm::importStatement()
{
    const QString file = QFileDialog::getOpenFileName(this, tr("Банковская выписка"), m_programFolder,
                                                      tr("Выписки (*.txt *.csv);;Все файлы (*)"));
    if (file.isEmpty())
        return;
    const std::optional<StatementImport> plan = m_payments.planStatement(file, m_owner.record());
    if (!plan)
        return;
    StatementForm form(*plan, m_payments.openDocuments(*plan), this);
    if (form.exec() != QDialog::Accepted)
        return;
    if (const std::optional<int> stored = m_payments.storeStatement(form.chosen(), form.addPayers())) {
        // New clients from the statement join the register, the chosen one stays chosen.
        ReconnectAndRefresh();
        say([stored = *stored, file] {
            return tr("Из выписки %1 записано платежей: %2.").arg(QDir::toNativeSeparators(file)).arg(stored);
        });
    }
}

void TBuhForm::printReconciliation()
{
    const int client = currentClientId();
    if (client <= 0) {
        m_prompter->error(tr("Выберите клиента в списке клиентов."));
        return;
    }
    ReconciliationForm form(
        clientRegister().model().value(currentClientRow(), QStringLiteral("FIRMNAME")).toString(),
        QDate::currentDate(), this);
    if (form.exec() != QDialog::Accepted)
        return;
    if (std::optional<Pages> pages =
            m_payments.reconciliation(client, form.from(), form.to(), m_owner.record()))
        showOrPrint(std::move(*pages), QStringLiteral("ReconciliationBlank"), form.preview());
}

void TBuhForm::writeDebtors()
{
    DebtorsForm form(m_payments, m_programFolder, this);
    form.exec();
    if (!form.writtenFile().isEmpty())
        say([file = form.writtenFile(), lines = form.writtenLines()] {
            return tr("Должники записаны в файл %1: строк %2.")
                .arg(QDir::toNativeSeparators(file))
                .arg(lines);
        });
}

void TBuhForm::showStored(DBGrid* list, const char* numberColumn, int number)
{
    ReconnectAndRefresh();
    const SqlListModel* model = list->listModel();
    list->moveTo(numberColumn ? model->findFirst(QLatin1String(numberColumn), number)
                              : model->rowOfKey(number));
    UpdateDocumentCommands();
    sayBook();
}

void TBuhForm::showOrPrint(Pages pages, const QString& holderName, bool preview)
{
    m_holder.reset(); // before the new one, so that a lookup by name finds the blank in hand
    m_holder = std::make_unique<ReportHolder>(std::move(pages), holderName, this);
    ReportHolder* holder = m_holder.get();
    if (preview) {
        holder->Preview(this, m_prompter);
        return;
    }
    switch (holder->Print(this)) {
    case PrintOutcome::NoPrinter:
        // Without a printer the preview is the way to a PDF.
        m_prompter->error(tr("Принтер не найден. Документ можно сохранить в PDF из окна просмотра."));
        holder->Preview(this, m_prompter);
        break;
    case PrintOutcome::Failed:
        m_prompter->error(PrintFailedText());
        break;
    case PrintOutcome::Printed:
    case PrintOutcome::Cancelled:
        break;
    }
}

void TBuhForm::editDocument(EditorCommand command)
{
    const bool invoice = command == EditorCommand::NewInvoice || command == EditorCommand::CopyInvoice ||
                         command == EditorCommand::EditInvoice;
    DBGrid* list = invoice ? ui->DBGrid3 : ui->DBGrid6;
    const std::optional<InvoiceDraft> draft =
        m_documents.openEditor(command, list->currentRow(), m_settings, QDate::currentDate());
    if (!draft)
        return;
    TNewFactForm editor(*draft, m_documents, m_settings, m_tovarForm, m_prompter, this);
    connect(&editor, &TNewFactForm::precisionRaised, this, [this](const Settings& raised) {
        m_settings.price = raised.price;
        m_settings.goods = raised.goods;
        QString error;
        if (!WriteSettings(m_settings, m_programFolder, &error))
            m_prompter->error(error);
        applyPrecision();
    });
    if (editor.exec() == QDialog::Accepted)
        showStored(list, nullptr, editor.storedNumber());
}

void TBuhForm::issueWaybill(WaybillKind kind, bool forReceipt)
{
    const DBGrid* source = forReceipt ? ui->DBGrid6 : ui->DBGrid3;
    const std::optional<WaybillDraft> draft =
        m_documents.openWaybill(kind, forReceipt, source->currentRow(), QDate::currentDate());
    if (!draft)
        return;
    WaybillForm form(*draft, m_documents, m_prompter, this);
    if (form.exec() == QDialog::Accepted)
        showStored(kind == WaybillKind::Expense ? ui->DBGrid5 : ui->DBGrid4, "NAKL_NUMBER",
                   form.storedNumber());
}

void TBuhForm::N4Click()
{
    TFindForm2 dialog(m_documents.lastFindNumber(), m_documents.lastFindList(), this);
    if (dialog.exec() != QDialog::Accepted)
        return;
    DocumentsController::FoundRows found = m_documents.findDocument(dialog.number(), dialog.list());
    if (found.client > 0 && clientRegister().rowOfId(found.client) >= 0) {
        settleClientEdits();
        locateClient(found.client);
        RefreshClientDocuments();
        found = m_documents.findDocument(dialog.number(), dialog.list());
    }
    const std::pair<DBGrid*, int> moves[] = {{ui->DBGrid3, found.invoice},
                                             {ui->DBGrid6, found.receipt},
                                             {ui->DBGrid5, found.expense},
                                             {ui->DBGrid4, found.tax},
                                             {ui->DBGrid7, found.act}};
    for (const auto& [grid, row] : moves)
        if (row >= 0)
            grid->moveTo(row);
    const QString searched = dialog.list() == 0   ? documentLists().invoiceCaption()
                             : dialog.list() == 1 ? documentLists().expenseCaption()
                             : dialog.list() == 2 ? documentLists().taxCaption()
                                                  : documentLists().actCaption();
    const int foundRow = dialog.list() == 0   ? found.invoice
                         : dialog.list() == 1 ? found.expense
                         : dialog.list() == 2 ? found.tax
                                              : found.act;
    if (foundRow >= 0)
        sayBook();
    else
        say([number = dialog.number(), searched] {
            return tr("Документ № %1 не найден в списке «%2».").arg(number).arg(searched.trimmed());
        });
}

void TBuhForm::writeRegister(RegisterKind kind)
{
    m_dataForm->prepareForRegister(QDir(m_programFolder).filePath(RegisterFileName(kind)));
    if (m_dataForm->exec() != QDialog::Accepted)
        return;
    if (const std::optional<int> lines =
            m_documents.writeRegister(kind, m_dataForm->from(), m_dataForm->to(), m_dataForm->fileName()))
        say([file = m_dataForm->fileName(), lines = *lines] {
            return tr("Журнал записан в файл %1: строк %2.").arg(QDir::toNativeSeparators(file)).arg(lines);
        });
}

void TBuhForm::N30Click()
{
    const InvoiceFilter& filter = documentLists().invoiceFilter();
    ui->N30->setChecked(filter.byDate); // the mark follows the filter, not the click
    m_dataForm->prepareForFilter();
    if (filter.byNumber)
        m_dataForm->setPeriod(filter.from, filter.to);
    if (m_dataForm->exec() != QDialog::Accepted)
        return;
    documentLists().filterByPeriod(m_dataForm->from(), m_dataForm->to());
    showInvoiceFilter();
}

void TBuhForm::N31Click()
{
    const InvoiceFilter& filter = documentLists().invoiceFilter();
    ui->N31->setChecked(filter.byNumber);
    m_numbersForm->setRange(filter.numberFrom, filter.numberTo);
    if (m_numbersForm->exec() != QDialog::Accepted)
        return;
    documentLists().filterByNumbers(m_numbersForm->from(), m_numbersForm->to());
    showInvoiceFilter();
}

void TBuhForm::N32Click()
{
    documentLists().clearInvoiceFilters();
    showInvoiceFilter();
}

void TBuhForm::showInvoiceFilter()
{
    const InvoiceFilter& filter = documentLists().invoiceFilter();
    ui->N30->setChecked(filter.byDate);
    ui->N31->setChecked(filter.byNumber);
    ui->UnpaidOnly->setChecked(filter.unpaid);
    ui->N32->setEnabled(filter.active());
    showDocumentCaptions();
    ui->DBGrid3->moveTo(ui->DBGrid3->model()->rowCount() - 1);
}

void TBuhForm::N6Click()
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
        fitPanelLabels();
        showCaption();
        showDocumentCaptions();
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

void TBuhForm::N8Click()
{
    TAboutForm about(this);
    about.exec();
}

void TBuhForm::LoadAndShowOwner()
{
    m_owner.load(m_settings.path, bookInUse());
    ShowOwnerRecord(m_owner.record());
}

void TBuhForm::showProgressPanel(const QString& caption)
{
    ui->Panel13->setText(caption);
    ui->Panel13->show();
    ui->Panel13->repaint();
}

void TBuhForm::BitBtn6Click()
{
    backUpBook();
}

bool TBuhForm::backUpBook(const QString& tag)
{
    settleOwnerEdits();
    showProgressPanel(tr("Создание резервной копии базы ..."));
    // The folder in use is the one backed up, wherever PATH puts it, and the server book in use is dumped:
    // its address is taken before the disconnection forgets it.
    const BookPlace place = placeInUse();
    const Chosen before = chosen();
    const std::optional<BackupReport> report = m_maintenance.backUpBook(m_dm, place, tag, [this, &before] {
        QDir::setCurrent(m_programFolder);
        LoadAndShowOwner();
        clientRegister().reload();
        locateClient(clientRegister().idAt(0));
        chooseAgain(before);
        ui->Panel13->hide();
    });
    const bool whole = report && report->failed.isEmpty();
    if (whole)
        say([folder = place.copies(), copied = report->copied, bytes = report->bytes] {
            return tr("Резервная копия сделана в папке %1: файлов %2, %3 КБ.")
                .arg(QDir::toNativeSeparators(folder))
                .arg(copied)
                .arg((bytes + 1023) / 1024);
        });
    return whole;
}

BookPlace TBuhForm::placeInUse() const
{
    return {m_settings.path, m_dm.isConnected() && m_dm.isPostgres() ? m_dm.book() : QString(),
            m_settings.backupFolder};
}

void TBuhForm::RestoreClick()
{
    settleOwnerEdits();
    // The book this run works on, open or not: a book that no longer opens is what a restore is for.
    const BookPlace place{m_settings.path, bookInUse(), m_settings.backupFolder};
    QFileDialog dialog(this, tr("Резервная копия базы данных"), place.copies(),
                       place.book.isEmpty() ? tr("Копии базы данных (*.db)")
                                            : tr("Копии базы данных (*.dump)"));
    dialog.setObjectName(QStringLiteral("RestoreCopyDialog"));
    dialog.setFileMode(QFileDialog::ExistingFile);
    dialog.setOption(QFileDialog::DontUseNativeDialog);
    const QString newest = NewestCopy(place.copies(), place.copyName());
    if (!newest.isEmpty())
        dialog.selectFile(newest);
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return;
    const QString copy = dialog.selectedFiles().first();
    if (!m_maintenance.confirmRestore(copy))
        return;
    showProgressPanel(tr("Восстановление базы данных из копии ..."));
    const Chosen before = chosen();
    m_dm.disconnect();
    m_maintenance.restore(place, copy);
    ui->Panel13->hide();
    StartUpSequence();
    if (m_dm.isConnected())
        chooseAgain(before);
}

void TBuhForm::BitBtn7Click()
{
    if (!m_dm.isConnected() && !OpenDatabase())
        return;
    // A question answered No leaves the window as it was; anything begun is followed by a fresh start, on
    // the client chosen before.
    const Chosen before = chosen();
    bool begun = false;
    const std::optional<DocumentCounts> cleared = m_maintenance.askAndClear(
        m_dm, placeInUse(),
        [this, &begun] {
            begun = true;
            return backUpBook(kBeforeClearing);
        },
        [this, &begun] {
            begun = true;
            showProgressPanel(tr("Очистка базы документов ..."));
            return m_dm.isConnected() || OpenDatabase();
        });
    if (!begun)
        return;
    ui->Panel13->hide();
    StartUpSequence();
    if (m_dm.isConnected())
        chooseAgain(before);
    if (cleared)
        say([counts = *cleared] { return MaintenanceController::clearedText(counts); });
}

void TBuhForm::say(std::function<QString()> text)
{
    m_said = std::move(text);
    m_statusLine->setFullText(m_said ? m_said() : QString());
}

void TBuhForm::sayBook()
{
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

void TBuhForm::ShowOwnerRecord(const OwnerRecord& owner)
{
    for (const OwnerEdit& e : kOwnerEdits)
        ((*ui).*e.edit)->setText(owner.*e.member);
}

void TBuhForm::settleOwnerEdits()
{
    const OwnerRecord shown = ownerFromTab();
    if (!m_owner.hasUnsavedChanges(shown))
        return;
    if (m_prompter->ask(tr("Данные владельца изменены. Сохранить изменения?")))
        m_owner.save(shown, m_settings.path, bookInUse());
    ShowOwnerRecord(m_owner.record());
}

OwnerRecord TBuhForm::ownerFromTab() const
{
    OwnerRecord shown;
    for (const OwnerEdit& e : kOwnerEdits)
        shown.*e.member = ((*ui).*e.edit)->text();
    return shown;
}

bool TBuhForm::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == ui->Panel10Scroll->viewport() && event->type() == QEvent::Resize)
        fitPanelLabels();
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
            if (key->key() == Qt::Key_Escape && m_searchActive)
                m_searchActive = false;
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
    leaveClientPanel();
    settleOwnerEdits();
    m_dm.disconnect();
    QString error;
    if (!WriteSettings(m_settings, m_programFolder, &error) ||
        !WriteWindowGeometry(saveGeometry(), m_programFolder, &error))
        m_prompter->error(error);
    event->accept();
}
