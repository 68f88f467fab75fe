#include "app/main_window.h"

#include "app/about_form.h"
#include "app/setup_form.h"
#include "base/version.h"
#include "clients/names_form.h"
#include "print/invoice_form.h"
#include "report/report_holder.h"
#include "ui_main_window.h"

#include <QApplication>
#include <QCloseEvent>
#include <QDir>
#include <QHeaderView>
#include <QKeyEvent>
#include <QMenu>

namespace {

enum Tab { DocumentsPage = 0, ClientsPage = 1, OwnerPage = 2 };

// The owner tab's edits and the fields they show.
struct OwnerEdit {
    const char* edit;
    QString OwnerRecord::*member;
};
const OwnerEdit kOwnerEdits[] = {
    {"Edit1", &OwnerRecord::FIRMNAME},   {"Edit2", &OwnerRecord::CHIEF},
    {"Edit3", &OwnerRecord::BUHALTER},   {"Edit4", &OwnerRecord::TELFAX},
    {"Edit6", &OwnerRecord::CITY},       {"Edit7", &OwnerRecord::POSTADDRESS},
    {"Edit8", &OwnerRecord::LAWADDRESS}, {"Edit9", &OwnerRecord::TAXCODE},
    {"Edit10", &OwnerRecord::MFOCODE},   {"Edit11", &OwnerRecord::OKPOCODE},
    {"Edit12", &OwnerRecord::REGNUMBER}, {"Edit13", &OwnerRecord::CHETNUMBER},
    {"Edit14", &OwnerRecord::BANKNAME},  {"Edit15", &OwnerRecord::BANKCITY},
};

} // namespace

TBuhForm::TBuhForm(const QString& programFolder, Prompter* prompter, QWidget* parent)
    : QMainWindow(parent)
    , ui(std::make_unique<Ui::TBuhForm>())
    , m_programFolder(programFolder)
    , m_widgetPrompter(this)
    , m_prompter(prompter ? prompter : &m_widgetPrompter)
    , m_register(m_dm)
    , m_docs(m_dm)
{
    ui->setupUi(this);
    const QString dataFolder = defaultDatabaseFolder(m_programFolder);
    if (!QDir(dataFolder).exists()) {
        m_prompter->error(tr("Не найдена директория базы данных!"));
        if (!QDir().mkpath(dataFolder))
            m_prompter->error(tr("Ошибка ввода/вывода: не удалось создать каталог %1").arg(dataFolder));
    }
    QDir::setCurrent(m_programFolder);
    m_namesForm = new TNamesForm(this);

    setupGrids();
    setupMenus();
    setupClientPanel();
    for (const OwnerEdit& e : kOwnerEdits)
        findChild<QLineEdit*>(QLatin1String(e.edit))->setMaxLength(OwnerRecord::kMaxLength);
    // The owner tab's buttons come first in the input order, then the edits line by line.
    QWidget* previous = nullptr;
    for (const char* name :
         {"BitBtn6", "BitBtn7", "BitBtn1", "BitBtn8", "Edit1", "Edit2", "Edit3", "Edit4", "Edit6", "Edit7",
          "Edit8", "Edit9", "Edit10", "Edit11", "Edit12", "Edit13", "Edit14", "Edit15"}) {
        QWidget* next = findChild<QWidget*>(QLatin1String(name));
        if (previous)
            setTabOrder(previous, next);
        previous = next;
    }
    connect(ui->BitBtn1, &QPushButton::clicked, this, &TBuhForm::BitBtn1Click);
    connect(ui->BitBtn8, &QPushButton::clicked, this, &TBuhForm::BitBtn8Click);
    connect(ui->PC1, &QTabWidget::currentChanged, this, &TBuhForm::PC1Change);
    connect(ui->Button9, &QPushButton::clicked, this, [this] {
        m_docs.clearWaybillSelection();
        ui->Edit5->clear();
    });
    qApp->installEventFilter(this);
}

TBuhForm::~TBuhForm()
{
    qApp->removeEventFilter(this);
}

void TBuhForm::setupGrids()
{
    ui->DBGrid1->setListModel(&m_register.model());
    ui->DBGrid2->setListModel(&m_register.model());
    ui->DBGrid2->setSelectionModel(ui->DBGrid1->selectionModel());
    for (DBGrid* g : {ui->DBGrid1, ui->DBGrid2})
        g->setEditTriggers(QAbstractItemView::NoEditTriggers);

    // The client list shows its own choice of columns, in its own order and widths.
    struct Shown {
        const char* column;
        int width;
    };
    static const Shown shown[] = {{"FIRMNAME", 241},   {"CITY", 0},       {"POSTADDRESS", 193},
                                  {"CHIEF", 217},      {"BUHALTER", 173}, {"TELFAX", 107},
                                  {"LAWADDRESS", 218}, {"TAXCODE", 136},  {"REGNUMBER", 103},
                                  {"DOGNUMBER", 81},   {"DOGDATA", 0}};
    QHeaderView* header = ui->DBGrid1->horizontalHeader();
    for (int c = 0; c < m_register.model().columnCount(); ++c)
        ui->DBGrid1->setColumnHidden(c, true);
    int visual = 0;
    for (const Shown& s : shown) {
        const int logical = m_register.model().columnOf(QLatin1String(s.column));
        ui->DBGrid1->setColumnHidden(logical, false);
        header->moveSection(header->visualIndex(logical), visual++);
        if (s.width > 0)
            ui->DBGrid1->setColumnWidth(logical, s.width);
    }
    header->setSectionsClickable(true);
    connect(header, &QHeaderView::sectionClicked, this, &TBuhForm::DBGrid1TitleClick);
    connect(ui->DBGrid1, &QAbstractItemView::clicked, this, &TBuhForm::RefreshClientDocuments);
    connect(ui->DBGrid1, &QAbstractItemView::doubleClicked, this, &TBuhForm::RefreshClientDocuments);

    const std::pair<DBGrid*, SqlListModel*> lists[] = {{ui->DBGrid3, &m_docs.invoices()},
                                                       {ui->DBGrid6, &m_docs.receipts()},
                                                       {ui->DBGrid5, &m_docs.expenseWaybills()},
                                                       {ui->DBGrid4, &m_docs.taxWaybills()}};
    const std::pair<DBNavigator*, DBGrid*> navigators[] = {{ui->DBNavigator1, ui->DBGrid3},
                                                           {ui->DBNavigator4, ui->DBGrid6},
                                                           {ui->DBNavigator3, ui->DBGrid5},
                                                           {ui->DBNavigator2, ui->DBGrid4}};
    for (const auto& [grid, model] : lists) {
        grid->setListModel(model);
        // A double click picks an invoice for a waybill; cells are edited by typing or the navigator.
        grid->setEditTriggers(QAbstractItemView::EditKeyPressed | QAbstractItemView::AnyKeyPressed);
    }
    connect(ui->DBGrid3, &QAbstractItemView::clicked, this,
            [this] { LocateWaybillsOfInvoice(int(m_docs.invoices().keyAt(ui->DBGrid3->currentRow()))); });
    connect(ui->DBGrid3, &QAbstractItemView::doubleClicked, this, [this] {
        const int number = int(m_docs.invoices().keyAt(ui->DBGrid3->currentRow()));
        m_docs.addToWaybillSelection(number);
        ui->Edit5->setText(m_docs.waybillSelection());
        LocateWaybillsOfInvoice(number);
    });
    connect(ui->DBGrid6, &QAbstractItemView::clicked, this,
            [this] { LocateWaybillsOfInvoice(int(m_docs.receipts().keyAt(ui->DBGrid6->currentRow()))); });
    for (DBGrid* waybills : {ui->DBGrid5, ui->DBGrid4}) {
        const auto follow = [this, waybills] {
            const qint64 first = waybills->listModel()
                                     ->value(waybills->currentRow(), QStringLiteral("FACT1_NUMBER"))
                                     .toLongLong();
            // Invoice and receipt numbers are the lists' row keys; only one of the two can hold it.
            for (DBGrid* documents : {ui->DBGrid3, ui->DBGrid6})
                documents->moveTo(documents->listModel()->rowOfKey(first));
        };
        connect(waybills, &QAbstractItemView::clicked, this, follow);
        connect(waybills, &QAbstractItemView::doubleClicked, this, follow);
    }
    for (const auto& [navigator, grid] : navigators) {
        navigator->setGrid(grid);
        connect(navigator, &DBNavigator::deleteRequested, this,
                [this, g = grid] { deleteThroughNavigator(g); });
    }
    for (SqlListModel* model : {&m_register.model(), &m_docs.invoices(), &m_docs.receipts(),
                                &m_docs.expenseWaybills(), &m_docs.taxWaybills()})
        connect(model, &SqlListModel::engineError, this,
                [this](const QString& message) { m_prompter->error(message); });

    ui->RxSplitter1->setStretchFactor(0, 1);
    ui->RxSplitter1->setStretchFactor(1, 0);
    ui->RxSplitter1->setSizes({450, 250});
    ui->RxSplitter2->setStretchFactor(0, 1);
    ui->RxSplitter2->setStretchFactor(1, 0);
    ui->RxSplitter2->setSizes({342, 358});
}

void TBuhForm::setupMenus()
{
    const QStringList items[5] = {
        {"N9", "N11", "N10", "N12", "N13", "N14", "N15", "N16", "N29", "N30", "N31", "N32"},
        {"N17", "N18", "N19", "N20", "N21", "N22"},
        {"N23", "N24", "N27"},
        {"N25", "N26", "N28"},
        {"N37", "N35", "N36", "N34", "N33"},
    };
    DBGrid* const owners[5] = {ui->DBGrid3, ui->DBGrid6, ui->DBGrid5, ui->DBGrid4, ui->DBGrid1};
    for (int m = 0; m < 5; ++m) {
        m_popups[m] = new QMenu(this);
        m_popups[m]->setObjectName(QStringLiteral("PopupMenu%1").arg(m + 1));
        for (const QString& name : items[m]) {
            if (name == QLatin1String("N29") || name == QLatin1String("N34")) {
                m_popups[m]->addSeparator()->setObjectName(name);
                continue;
            }
            m_popups[m]->addAction(findChild<QAction*>(name));
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
    connect(ui->N12, &QAction::triggered, this, &TBuhForm::N12Click);
    connect(ui->N13, &QAction::triggered, this, &TBuhForm::N13Click);
}

QMenu* TBuhForm::popupMenu(int number) const
{
    return number >= 1 && number <= 5 ? m_popups[number - 1] : nullptr;
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
    m_filter = ClientFilter{};
    QString error;
    if (!ReadSettings(m_settings, m_programFolder, &error))
        m_prompter->error(error);
    if (OpenDatabase())
        LoadAndShowOwner();
    N36Click();
    RefreshClientDocuments();
}

bool TBuhForm::OpenDatabase()
{
    m_panelDirty = false;
    m_newClientId = 0;
    m_dm.disconnect();
    try {
        m_dm.connect(m_settings.path);
    } catch (const DbError&) {
        m_prompter->error(tr("Ошибка при открытии базы данных!"));
        m_register.model().clear();
        m_docs.clear();
        fillClientPanel();
        UpdateDocumentCommands();
        return false;
    }
    m_register.reload();
    locateClient(m_register.idAt(0));
    setWindowTitle(tr("ДОКУМАР (v.%1). База данных : ").arg(QLatin1String(kDocMarVersion)) +
                   QDir::toNativeSeparators(m_settings.path));
    RefreshClientDocuments();
    applyPrecision();
    return true;
}

void TBuhForm::ReconnectAndRefresh()
{
    reconnectAndLocate(m_register.idAt(currentClientRow()));
}

void TBuhForm::reconnectAndLocate(int id)
{
    m_dm.disconnect();
    LoadAndShowOwner();
    m_register.reload();
    locateClient(id);
    RefreshClientDocuments();
}

void TBuhForm::applyPrecision()
{
    m_docs.setPrecision(m_settings.price, m_settings.goods);
    m_register.model().setPrecision(m_settings.price, m_settings.goods);
}

void TBuhForm::RefreshClientDocuments()
{
    const int row = currentClientRow();
    m_docs.RefreshClientDocuments(m_register.idAt(row),
                                  m_register.model().value(row, QStringLiteral("FIRMNAME")).toString());
    ui->Edit5->clear();
    showDocumentCaptions();
    moveListsToLastRows();
    UpdateDocumentCommands();
}

void TBuhForm::ShowAllDocuments()
{
    m_docs.ShowAllDocuments();
    showDocumentCaptions();
    moveListsToLastRows();
    UpdateDocumentCommands();
}

void TBuhForm::showDocumentCaptions()
{
    ui->GB2->setTitle(m_docs.invoiceCaption());
    ui->GB5->setTitle(m_docs.receiptCaption());
    ui->GB3->setTitle(m_docs.expenseCaption());
    ui->GB4->setTitle(m_docs.taxCaption());
}

void TBuhForm::moveListsToLastRows()
{
    for (DBGrid* grid : {ui->DBGrid3, ui->DBGrid6, ui->DBGrid5, ui->DBGrid4})
        grid->moveTo(grid->model()->rowCount() - 1);
}

void TBuhForm::LocateWaybillsOfInvoice(int number)
{
    if (number == 0)
        return;
    for (DBGrid* grid : {ui->DBGrid5, ui->DBGrid4}) {
        int row = grid->listModel()->findFirst(QStringLiteral("FACT1_NUMBER"), number);
        if (row < 0)
            row = grid->listModel()->findFirst(QStringLiteral("FACT2_NUMBER"), number);
        grid->moveTo(row);
    }
}

void TBuhForm::UpdateDocumentCommands()
{
    const QMap<QString, bool> states = m_docs.commandStates();
    for (auto it = states.begin(); it != states.end(); ++it)
        if (QAction* action = findChild<QAction*>(it.key()))
            action->setEnabled(it.value());
}

void TBuhForm::deleteThroughNavigator(DBGrid* grid)
{
    const int row = grid->currentRow();
    if (row < 0 || !m_prompter->ask(tr("Удалить запись?")))
        return;
    if (grid->listModel()->deleteRow(row))
        grid->moveTo(std::min(row, grid->model()->rowCount() - 1));
    UpdateDocumentCommands();
}

void TBuhForm::PC1Change(int index)
{
    if (m_previousPage == ClientsPage) {
        settleClientEdits();
        RefreshClientDocuments();
    }
    m_previousPage = index;
    if (index == OwnerPage && m_dm.isConnected()) {
        try {
            OwnerRecord stored;
            if (!m_dm.ReadOwnerRow(stored))
                m_dm.SaveOwnerRecord(m_owner);
        } catch (const DbError& e) {
            m_prompter->error(e.message());
        }
    } else if (index == ClientsPage) {
        N36Click();
    }
}

ReportHolder* TBuhForm::createInvoiceHolder()
{
    const int number = int(m_docs.invoices().keyAt(ui->DBGrid3->currentRow()));
    try {
        QString error;
        std::optional<Page> page =
            PrepareInvoicePage(m_dm, number, m_owner, m_settings, m_programFolder, m_prompter, &error);
        if (!page) {
            m_prompter->error(error);
            return nullptr;
        }
        return new ReportHolder(std::move(*page), QStringLiteral("TForm1"), this);
    } catch (const DbError& e) {
        m_prompter->error(e.message());
        return nullptr;
    }
}

void TBuhForm::N12Click()
{
    if (m_docs.invoices().keyAt(ui->DBGrid3->currentRow()) <= 0) {
        m_prompter->inform(tr("Счет фактура на это поступление не выписывалась."));
        return;
    }
    if (ReportHolder* holder = createInvoiceHolder())
        holder->Preview(this);
}

void TBuhForm::N13Click()
{
    ReportHolder* holder = createInvoiceHolder();
    if (!holder || holder->Print())
        return;
    // Without a printer the preview is the way to a PDF.
    m_prompter->error(tr("Принтер не найден. Документ можно сохранить в PDF из окна просмотра."));
    holder->Preview(this);
}

void TBuhForm::N6Click()
{
    TSetupForm dialog(m_settings, this);
    if (dialog.exec() != QDialog::Accepted)
        return;
    m_settings = dialog.settings();
    QString error;
    if (!WriteSettings(m_settings, m_programFolder, &error))
        m_prompter->error(error);
    OpenDatabase();
}

void TBuhForm::N8Click()
{
    TAboutForm about(this);
    about.exec();
}

void TBuhForm::LoadAndShowOwner()
{
    try {
        if (!m_dm.isConnected())
            m_dm.connect(m_settings.path);
        m_dm.LoadOwnerRecord(m_owner, m_prompter);
    } catch (const DbError& e) {
        m_prompter->error(e.message());
    }
    ShowOwnerRecord(m_owner);
}

void TBuhForm::ShowOwnerRecord(const OwnerRecord& owner)
{
    for (const OwnerEdit& e : kOwnerEdits)
        findChild<QLineEdit*>(QLatin1String(e.edit))->setText(owner.*e.member);
}

void TBuhForm::BitBtn1Click()
{
    for (const OwnerEdit& e : kOwnerEdits)
        m_owner.*e.member =
            findChild<QLineEdit*>(QLatin1String(e.edit))->text().left(OwnerRecord::kMaxLength);
    try {
        m_dm.SaveOwnerRecord(m_owner);
    } catch (const DbError& e) {
        m_prompter->error(e.message());
    }
    LoadAndShowOwner();
}

void TBuhForm::BitBtn8Click()
{
    OwnerRecord stored;
    try {
        if (m_dm.ReadOwnerRow(stored))
            ShowOwnerRecord(stored);
    } catch (const DbError& e) {
        m_prompter->error(e.message());
    }
}

bool TBuhForm::eventFilter(QObject* watched, QEvent* event)
{
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
    settleClientEdits();
    m_dm.disconnect();
    QString error;
    if (!WriteSettings(m_settings, m_programFolder, &error))
        m_prompter->error(error);
    event->accept();
}
