// The client register tab, the client list's sorting, search and filters: widgets to the controller.
#include "app/clients_view.h"

#include "app/main_window.h"
#include "app/window_tabs.h"
#include "base/requisites.h"
#include "clients/find_form.h"
#include "clients/names_form.h"
#include "clients/save_form.h"
#include "payments/payments.h"
#include "ui_main_window.h"

#include <QApplication>
#include <QDir>
#include <QHeaderView>
#include <QLabel>
#include <QScrollBar>

int TypedColumnLength(const QString& column)
{
    const int size = Tables::clients().column(column)->size;
    return column.startsWith(QLatin1String("CHETNUMBER")) ? TypedAccountLength(size) : size;
}

namespace {

// The register panel's edits and the fields they edit.
struct PanelEdit {
    QLineEdit* Ui::TBuhForm::*edit;
    QString ClientRow::*field;
    const char* column;
};
const PanelEdit kPanelEdits[] = {
    {&Ui::TBuhForm::DBEdit13, &ClientRow::FIRMNAME, "FIRMNAME"},
    {&Ui::TBuhForm::DBEdit14, &ClientRow::CHIEF, "CHIEF"},
    {&Ui::TBuhForm::DBEdit15, &ClientRow::BUHALTER, "BUHALTER"},
    {&Ui::TBuhForm::DBEdit16, &ClientRow::TELFAX, "TELFAX"},
    {&Ui::TBuhForm::DBEdit26, &ClientRow::CITY, "CITY"},
    {&Ui::TBuhForm::DBEdit29, &ClientRow::REGION, "REGION"},
    {&Ui::TBuhForm::DBEdit17, &ClientRow::POSTADDRESS, "POSTADDRESS"},
    {&Ui::TBuhForm::DBEdit18, &ClientRow::LAWADDRESS, "LAWADDRESS"},
    {&Ui::TBuhForm::DBEdit19, &ClientRow::TAXCODE, "TAXCODE"},
    {&Ui::TBuhForm::DBEdit22, &ClientRow::REGNUMBER, "REGNUMBER"},
    {&Ui::TBuhForm::DBEdit25, &ClientRow::DOGNUMBER, "DOGNUMBER"},
    {&Ui::TBuhForm::DBEdit20, &ClientRow::MFOCODE, "MFOCODE"},
    {&Ui::TBuhForm::DBEdit21, &ClientRow::OKPOCODE, "OKPOCODE"},
    {&Ui::TBuhForm::DBEdit24, &ClientRow::CHETNUMBER, "CHETNUMBER"},
    {&Ui::TBuhForm::DBEdit23, &ClientRow::BANKNAME, "BANKNAME"},
    {&Ui::TBuhForm::DBEdit27, &ClientRow::BANKCITY, "BANKCITY"},
    {&Ui::TBuhForm::DBEdit30, &ClientRow::BANKREGION, "BANKREGION"},
};

// The narrowest the panel's label column gets.
constexpr int kPanelLabelWidth = 165;

} // namespace

ClientsView::ClientsView(TBuhForm& window)
    : QObject(&window)
    , w(window)
    , ui(window.ui.get())
    , m_namesForm(new TNamesForm(&window))
{
    setupList();
    setupPanel();
}

void ClientsView::setupList()
{
    SqlListModel& clients = w.clientRegister().model();
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
    connect(header, &QHeaderView::sectionClicked, this, &ClientsView::sortByColumn);
    connect(ui->DBGrid1, &QAbstractItemView::clicked, &w, &TBuhForm::RefreshClientDocuments);
    connect(ui->DBGrid1, &QAbstractItemView::doubleClicked, &w, &TBuhForm::RefreshClientDocuments);
}

void ClientsView::exportList()
{
    TSaveForm dialog(
        w.m_clients.exportChoice(), QDir(w.m_programFolder).filePath(ClientListFileName()),
        [this](const QString& file) {
            if (w.m_clients.exportClients(file))
                w.say([file] {
                    return TBuhForm::tr("Список клиентов дописан в файл %1.")
                        .arg(QDir::toNativeSeparators(file));
                });
        },
        &w);
    dialog.exec();
}

void ClientsView::fitPanelLabels()
{
    // Each label on one line where the panel has room for the longest; wrapped, and as tall as its lines,
    // in a narrow one.
    QList<QLabel*> labels;
    int widest = kPanelLabelWidth;
    for (QLabel* label : ui->Panel10->findChildren<QLabel*>())
        if (label->buddy()) {
            labels << label;
            widest = std::max(widest, label->fontMetrics().horizontalAdvance(label->text()) + 4);
        }
    // The fields keep room for an IBAN whole, and the panel its margins; in a narrower panel the labels
    // wrap first, then the fields narrow.
    const QFontMetrics metrics = ui->Panel10->fontMetrics();
    const int room = ui->Panel10Scroll->viewport()->width() - metrics.horizontalAdvance(QString(34, u'0')) -
                     6 * metrics.averageCharWidth();
    const int width = std::clamp(room, kPanelLabelWidth, widest);
    for (QLabel* label : std::as_const(labels)) {
        label->setWordWrap(true);
        label->setFixedWidth(width);
        label->setMinimumHeight(label->heightForWidth(width));
    }
}

void ClientsView::setupPanel()
{
    // Labels wrap within their column and are always as tall as their lines: none is ever cut, at any
    // font size; the panel scrolls when the window is too small for it.
    fitPanelLabels(); // and again as the panel is resized (through the window's event filter)
    // A heading stands apart from the row above it.
    ui->Label44->setContentsMargins(0, ui->Label44->fontMetrics().height() / 2, 0, 0);
    // The panel scrolls up and down, never sideways.
    ui->Panel10Scroll->setMinimumWidth(ui->Panel10->minimumSizeHint().width() +
                                       ui->Panel10Scroll->verticalScrollBar()->sizeHint().width());
    for (const PanelEdit& p : kPanelEdits) {
        QLineEdit* edit = (*ui).*p.edit;
        edit->setMaxLength(TypedColumnLength(QLatin1String(p.column)));
        connect(edit, &QLineEdit::textEdited, this, &ClientsView::panelEdited);
    }
    // The field being typed into is always in sight, however it got the focus ("Добавить" gives it).
    connect(qApp, &QApplication::focusChanged, this, [this](QWidget*, QWidget* now) {
        if (now && ui->Panel10->isAncestorOf(now))
            ui->Panel10Scroll->ensureWidgetVisible(now);
    });
    ui->DBDateEdit1->setPrompter(w.m_prompter);
    connect(ui->DBDateEdit1, &DateField::dateEdited, this, &ClientsView::panelEdited);
    connect(ui->BitBtn4, &QPushButton::clicked, this, &ClientsView::addClient);
    connect(ui->BitBtn5, &QPushButton::clicked, this, &ClientsView::deleteClient);
    connect(ui->BitBtn2, &QPushButton::clicked, this, &ClientsView::saveClient);
    connect(ui->BitBtn3, &QPushButton::clicked, this, &ClientsView::dropEdits);
    connect(ui->SortRG, &RadioGroup::itemChosen, this, &ClientsView::sortByItem);
    connect(ui->DBGrid2, &DBGrid::keyReleased, this, [this](int key, Qt::KeyboardModifiers modifiers) {
        if (key == Qt::Key_Delete && (modifiers & ~Qt::KeypadModifier) == Qt::ControlModifier)
            clearRegister();
    });
    connect(ui->DBGrid1->selectionModel(), &QItemSelectionModel::currentRowChanged, this,
            [this](const QModelIndex&, const QModelIndex& previous) {
                // Moving to another client stores what was typed for the one left, as a posted edit.
                if (previous.isValid())
                    settleEdits(previous.row());
                fillPanel();
                followCurrent();
            });
}

int ClientsView::currentRow() const
{
    const QModelIndex current = ui->DBGrid1->selectionModel()->currentIndex();
    return current.isValid() ? current.row() : -1;
}

void ClientsView::locate(int id)
{
    const ClientRegister& reg = w.clientRegister();
    int row = reg.rowOfId(id);
    if (row < 0)
        row = reg.model().rowCount() > 0 ? 0 : -1;
    w.m_clients.panelShown(); // a reopened register has nothing pending
    if (row >= 0) {
        const QModelIndex index = reg.model().index(row, reg.model().columnOf(QStringLiteral("FIRMNAME")));
        ui->DBGrid1->selectionModel()->setCurrentIndex(index, QItemSelectionModel::ClearAndSelect |
                                                                  QItemSelectionModel::Rows);
        ui->DBGrid1->scrollTo(index);
        ui->DBGrid2->scrollTo(index);
    }
    fillPanel();
    followCurrent();
}

void ClientsView::followCurrent()
{
    // A search moves the register once, when it ends; the lists follow then.
    if (m_searchActive)
        return;
    const int row = currentRow();
    const int id = row >= 0 ? w.clientRegister().idAt(row) : 0;
    if (id != w.documentLists().currentClientId() || w.documentLists().showsAllDocuments())
        w.RefreshClientDocuments();
}

void ClientsView::fillPanel()
{
    m_fillingPanel = true;
    const int row = currentRow();
    const ClientRow client = row >= 0 ? w.clientRegister().clientAt(row) : ClientRow{};
    for (const PanelEdit& p : kPanelEdits)
        ((*ui).*p.edit)->setText(client.*p.field);
    // The engine's day zero stands for "no date".
    ui->DBDateEdit1->setDate(client.DOGDATA != kDateZero ? client.DOGDATA : QDate());
    showBalance();
    w.m_clients.panelShown();
    m_fillingPanel = false;
}

void ClientsView::showBalance()
{
    // Read only while the client tab shows it: a click in the client list stays as quick as it was.
    const int id = w.clientRegister().idAt(currentRow());
    QString balance;
    if (id > 1 && ui->PC1->currentIndex() == ClientsPage) {
        try {
            balance = ClientBalanceText(w.m_dm, id, QDate::currentDate());
        } catch (const DbError&) {
        }
    }
    ui->ClientBalance->setText(balance);
}

ClientRow ClientsView::fromPanel() const
{
    ClientRow client;
    for (const PanelEdit& p : kPanelEdits)
        client.*p.field = ((*ui).*p.edit)->text();
    client.DOGDATA = ui->DBDateEdit1->date();
    return client;
}

void ClientsView::panelEdited()
{
    if (!m_fillingPanel)
        w.m_clients.panelEdited(currentRow());
}

void ClientsView::settleEdits(int row)
{
    w.m_clients.settle(row < 0 ? currentRow() : row, fromPanel());
}

void ClientsView::leave()
{
    if (w.m_clients.settleOnLeaving(currentRow(), fromPanel()))
        fillPanel();
}

void ClientsView::addClient()
{
    if (!w.m_clients.startNewClient())
        return;
    m_fillingPanel = true;
    for (const PanelEdit& p : kPanelEdits)
        ((*ui).*p.edit)->clear();
    ui->DBDateEdit1->setDate(QDate());
    m_fillingPanel = false;
    ui->DBEdit13->setFocus();
}

void ClientsView::saveClient()
{
    if (const std::optional<int> id = w.m_clients.save(currentRow(), fromPanel())) {
        w.reconnectAndLocate(*id);
        w.say([name = fromPanel().FIRMNAME.trimmed()] {
            return TBuhForm::tr("Клиент «%1» сохранен.").arg(name);
        });
    }
}

void ClientsView::dropEdits()
{
    w.clientRegister().model().refreshRows();
    fillPanel();
}

void ClientsView::deleteClient()
{
    const ClientsController::Deletion deletion = w.m_clients.deleteClient(currentRow());
    if (deletion.what == ClientsController::Deletion::NewClientDropped)
        fillPanel();
    else if (deletion.what == ClientsController::Deletion::ClientDeleted) {
        w.reconnectAndLocate(deletion.standOn);
        w.sayBook();
    }
}

void ClientsView::clearRegister()
{
    w.m_clients.clearRegister([] {
        QCoreApplication::processEvents();
        return true;
    });
    locate(0);
    w.RefreshClientDocuments();
}

void ClientsView::sortByItem(int item)
{
    settleEdits();
    w.m_clients.sortByItem(item);
    locate(w.clientRegister().idAt(0));
}

void ClientsView::sortByColumn(int logicalIndex)
{
    settleEdits();
    w.m_clients.sortByColumn(logicalIndex);
    locate(w.clientRegister().idAt(0));
}

void ClientsView::openFind()
{
    TFindForm dialog(w.m_clients.lastFind(), &w);
    if (dialog.exec() != QDialog::Accepted)
        return;
    const FindRequest request = dialog.request();
    if (!request.text.isEmpty())
        find(request.field, request.text, request.fullMatch);
}

void ClientsView::find(int field, const QString& text, bool fullMatch)
{
    settleEdits();
    m_searchActive = true;
    const ClientsController::SearchOutcome outcome =
        w.m_clients.find(currentRow(), {text, field, fullMatch}, [this] {
            // The message loop runs between stretches of clients so that Esc can reach the search.
            QCoreApplication::processEvents();
            return m_searchActive;
        });
    m_searchActive = false;
    if (outcome.row >= 0)
        locate(w.clientRegister().idAt(outcome.row));
    if (outcome.interrupted)
        w.ShowAllDocuments();
}

void ClientsView::filter(bool byName)
{
    const ClientFilter& filter = w.m_clients.filter();
    QAction* own = byName ? ui->N37 : ui->N35;
    own->setChecked(byName ? filter.nameOn
                           : filter.cityOn); // the check mark follows the filter, not the click
    m_namesForm->prepare(byName ? TBuhForm::tr("Фильтровать список клиентов  по названию фирмы:")
                                : TBuhForm::tr("Фильтровать список клиентов  по городу:"),
                         byName ? filter.nameValue : filter.cityValue);
    if (m_namesForm->exec() != QDialog::Accepted)
        return;
    settleEdits();
    own->setChecked(true);
    ui->N36->setEnabled(true);
    w.m_clients.applyFilter(byName, m_namesForm->value());
    locate(w.clientRegister().idAt(0));
}

void ClientsView::removeFilters()
{
    settleEdits();
    uncheckFilters();
    w.m_clients.removeFilters();
    locate(w.clientRegister().idAt(0));
}

void ClientsView::resetFilters()
{
    uncheckFilters();
    w.m_clients.resetFilters();
}

void ClientsView::uncheckFilters()
{
    ui->N35->setChecked(false);
    ui->N37->setChecked(false);
    ui->N36->setEnabled(false);
}
