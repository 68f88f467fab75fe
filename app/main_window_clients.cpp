// The client register tab, the client list's sorting, search and filters: widgets to the controller.
#include "app/main_window.h"

#include "base/requisites.h"
#include "clients/find_form.h"
#include "clients/names_form.h"
#include "payments/payments.h"
#include "ui_main_window.h"

#include <QApplication>
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

void TBuhForm::fitPanelLabels()
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

void TBuhForm::setupClientPanel()
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
        connect(edit, &QLineEdit::textEdited, this, &TBuhForm::panelEdited);
    }
    // The field being typed into is always in sight, however it got the focus ("Добавить" gives it).
    connect(qApp, &QApplication::focusChanged, this, [this](QWidget*, QWidget* now) {
        if (now && ui->Panel10->isAncestorOf(now))
            ui->Panel10Scroll->ensureWidgetVisible(now);
    });
    ui->DBDateEdit1->setPrompter(m_prompter);
    connect(ui->DBDateEdit1, &DateField::dateEdited, this, &TBuhForm::panelEdited);
    connect(ui->BitBtn4, &QPushButton::clicked, this, &TBuhForm::BitBtn4Click);
    connect(ui->BitBtn5, &QPushButton::clicked, this, &TBuhForm::BitBtn5Click);
    connect(ui->BitBtn2, &QPushButton::clicked, this, &TBuhForm::BitBtn2Click);
    connect(ui->BitBtn3, &QPushButton::clicked, this, &TBuhForm::BitBtn3Click);
    connect(ui->SortRG, &RadioGroup::itemChosen, this, &TBuhForm::SortRGClick);
    connect(ui->DBGrid2, &DBGrid::keyReleased, this, [this](int key, Qt::KeyboardModifiers modifiers) {
        if (key == Qt::Key_Delete && (modifiers & ~Qt::KeypadModifier) == Qt::ControlModifier)
            clearRegister();
    });
    connect(ui->DBGrid1->selectionModel(), &QItemSelectionModel::currentRowChanged, this,
            [this](const QModelIndex&, const QModelIndex& previous) {
                // Moving to another client stores what was typed for the one left, as a posted edit.
                if (previous.isValid())
                    settleClientEdits(previous.row());
                fillClientPanel();
                followCurrentClient();
            });
}

int TBuhForm::currentClientRow() const
{
    const QModelIndex current = ui->DBGrid1->selectionModel()->currentIndex();
    return current.isValid() ? current.row() : -1;
}

void TBuhForm::locateClient(int id)
{
    const ClientRegister& reg = clientRegister();
    int row = reg.rowOfId(id);
    if (row < 0)
        row = reg.model().rowCount() > 0 ? 0 : -1;
    m_clients.panelShown(); // a reopened register has nothing pending
    if (row >= 0) {
        const QModelIndex index = reg.model().index(row, reg.model().columnOf(QStringLiteral("FIRMNAME")));
        ui->DBGrid1->selectionModel()->setCurrentIndex(index, QItemSelectionModel::ClearAndSelect |
                                                                  QItemSelectionModel::Rows);
        ui->DBGrid1->scrollTo(index);
        ui->DBGrid2->scrollTo(index);
    }
    fillClientPanel();
    followCurrentClient();
}

void TBuhForm::followCurrentClient()
{
    // A search moves the register once, when it ends; the lists follow then.
    if (m_searchActive)
        return;
    const int row = currentClientRow();
    const int id = row >= 0 ? clientRegister().idAt(row) : 0;
    if (id != documentLists().currentClientId() || documentLists().showsAllDocuments())
        RefreshClientDocuments();
}

void TBuhForm::fillClientPanel()
{
    m_fillingPanel = true;
    const int row = currentClientRow();
    const ClientRow client = row >= 0 ? clientRegister().clientAt(row) : ClientRow{};
    for (const PanelEdit& p : kPanelEdits)
        ((*ui).*p.edit)->setText(client.*p.field);
    // The engine's day zero stands for "no date".
    ui->DBDateEdit1->setDate(client.DOGDATA != kDateZero ? client.DOGDATA : QDate());
    showClientBalance();
    m_clients.panelShown();
    m_fillingPanel = false;
}

void TBuhForm::showClientBalance()
{
    // Read only while the client tab shows it: a click in the client list stays as quick as it was.
    const int id = clientRegister().idAt(currentClientRow());
    QString balance;
    if (id > 1 && ui->PC1->currentIndex() == 1) {
        try {
            balance = ClientBalanceText(m_dm, id, QDate::currentDate());
        } catch (const DbError&) {
        }
    }
    ui->ClientBalance->setText(balance);
}

ClientRow TBuhForm::clientFromPanel() const
{
    ClientRow client;
    for (const PanelEdit& p : kPanelEdits)
        client.*p.field = ((*ui).*p.edit)->text();
    client.DOGDATA = ui->DBDateEdit1->date();
    return client;
}

void TBuhForm::panelEdited()
{
    if (!m_fillingPanel)
        m_clients.panelEdited(currentClientRow());
}

void TBuhForm::settleClientEdits(int row)
{
    m_clients.settle(row < 0 ? currentClientRow() : row, clientFromPanel());
}

void TBuhForm::leaveClientPanel()
{
    if (m_clients.settleOnLeaving(currentClientRow(), clientFromPanel()))
        fillClientPanel();
}

void TBuhForm::BitBtn4Click()
{
    if (!m_clients.startNewClient())
        return;
    m_fillingPanel = true;
    for (const PanelEdit& p : kPanelEdits)
        ((*ui).*p.edit)->clear();
    ui->DBDateEdit1->setDate(QDate());
    m_fillingPanel = false;
    ui->DBEdit13->setFocus();
}

void TBuhForm::BitBtn2Click()
{
    if (const std::optional<int> id = m_clients.save(currentClientRow(), clientFromPanel())) {
        reconnectAndLocate(*id);
        say([name = clientFromPanel().FIRMNAME.trimmed()] { return tr("Клиент «%1» сохранен.").arg(name); });
    }
}

void TBuhForm::BitBtn3Click()
{
    clientRegister().model().refreshRows();
    fillClientPanel();
}

void TBuhForm::BitBtn5Click()
{
    const ClientsController::Deletion deletion = m_clients.deleteClient(currentClientRow());
    if (deletion.what == ClientsController::Deletion::NewClientDropped)
        fillClientPanel();
    else if (deletion.what == ClientsController::Deletion::ClientDeleted) {
        reconnectAndLocate(deletion.standOn);
        sayBook();
    }
}

void TBuhForm::clearRegister()
{
    m_clients.clearRegister([] {
        QCoreApplication::processEvents();
        return true;
    });
    locateClient(0);
    RefreshClientDocuments();
}

void TBuhForm::SortRGClick(int item)
{
    settleClientEdits();
    m_clients.sortByItem(item);
    locateClient(clientRegister().idAt(0));
}

void TBuhForm::DBGrid1TitleClick(int logicalIndex)
{
    settleClientEdits();
    m_clients.sortByColumn(logicalIndex);
    locateClient(clientRegister().idAt(0));
}

void TBuhForm::N3Click()
{
    TFindForm dialog(m_clients.lastFind(), this);
    if (dialog.exec() != QDialog::Accepted)
        return;
    const FindRequest request = dialog.request();
    if (!request.text.isEmpty())
        FindClient(request.field, request.text, request.fullMatch);
}

void TBuhForm::FindClient(int field, const QString& text, bool fullMatch)
{
    settleClientEdits();
    m_searchActive = true;
    const ClientsController::SearchOutcome outcome =
        m_clients.find(currentClientRow(), {text, field, fullMatch}, [this] {
            // The message loop runs between stretches of clients so that Esc can reach the search.
            QCoreApplication::processEvents();
            return m_searchActive;
        });
    m_searchActive = false;
    if (outcome.row >= 0)
        locateClient(clientRegister().idAt(outcome.row));
    if (outcome.interrupted)
        ShowAllDocuments();
}

void TBuhForm::filterClients(bool byName)
{
    const ClientFilter& filter = m_clients.filter();
    QAction* own = byName ? ui->N37 : ui->N35;
    own->setChecked(byName ? filter.nameOn
                           : filter.cityOn); // the check mark follows the filter, not the click
    m_namesForm->prepare(byName ? tr("Фильтровать список клиентов  по названию фирмы:")
                                : tr("Фильтровать список клиентов  по городу:"),
                         byName ? filter.nameValue : filter.cityValue);
    if (m_namesForm->exec() != QDialog::Accepted)
        return;
    settleClientEdits();
    own->setChecked(true);
    ui->N36->setEnabled(true);
    m_clients.applyFilter(byName, m_namesForm->value());
    locateClient(clientRegister().idAt(0));
}

void TBuhForm::N36Click()
{
    settleClientEdits();
    ui->N35->setChecked(false);
    ui->N37->setChecked(false);
    ui->N36->setEnabled(false);
    m_clients.removeFilters();
    locateClient(clientRegister().idAt(0));
}
