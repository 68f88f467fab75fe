// The client register tab, the client list's sorting, search and filters.
#include "app/main_window.h"

#include "clients/names_form.h"
#include "ui_main_window.h"

#include <QApplication>
#include <QHeaderView>

namespace {

// The register panel's edits and the columns they edit.
struct PanelEdit {
    const char* edit;
    const char* column;
};
const PanelEdit kPanelEdits[] = {
    {"DBEdit13", "FIRMNAME"},    {"DBEdit14", "CHIEF"},      {"DBEdit15", "BUHALTER"},
    {"DBEdit16", "TELFAX"},      {"DBEdit26", "CITY"},       {"DBEdit29", "REGION"},
    {"DBEdit17", "POSTADDRESS"}, {"DBEdit18", "LAWADDRESS"}, {"DBEdit19", "TAXCODE"},
    {"DBEdit22", "REGNUMBER"},   {"DBEdit25", "DOGNUMBER"},  {"DBEdit20", "MFOCODE"},
    {"DBEdit21", "OKPOCODE"},    {"DBEdit24", "CHETNUMBER"}, {"DBEdit23", "BANKNAME"},
    {"DBEdit27", "BANKCITY"},    {"DBEdit30", "BANKREGION"},
};

QString* fieldOf(ClientRow& client, const char* column)
{
    for (const ClientRow::Field& f : ClientRow::textFields())
        if (qstrcmp(f.column, column) == 0)
            return &(client.*f.member);
    return nullptr;
}

} // namespace

void TBuhForm::setupClientPanel()
{
    for (const PanelEdit& p : kPanelEdits) {
        auto* edit = findChild<QLineEdit*>(QLatin1String(p.edit));
        edit->setMaxLength(Tables::clients().column(QLatin1String(p.column))->size);
        connect(edit, &QLineEdit::textEdited, this, &TBuhForm::setPanelDirty);
    }
    // The earliest date stands for "no date".
    ui->DBDateEdit1->setMinimumDate(kDateZero);
    ui->DBDateEdit1->setSpecialValueText(QStringLiteral(" "));
    connect(ui->DBDateEdit1, &QDateEdit::dateChanged, this, [this] {
        if (!m_fillingPanel)
            setPanelDirty();
    });
    connect(ui->BitBtn4, &QPushButton::clicked, this, &TBuhForm::BitBtn4Click);
    connect(ui->BitBtn5, &QPushButton::clicked, this, &TBuhForm::BitBtn5Click);
    connect(ui->BitBtn2, &QPushButton::clicked, this, &TBuhForm::BitBtn2Click);
    connect(ui->BitBtn3, &QPushButton::clicked, this, &TBuhForm::BitBtn3Click);
    connect(ui->SortRG, &RadioGroup::itemClicked, this, &TBuhForm::SortRGClick);
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
            });
}

int TBuhForm::currentClientRow() const
{
    const QModelIndex current = ui->DBGrid1->selectionModel()->currentIndex();
    return current.isValid() ? current.row() : -1;
}

void TBuhForm::locateClient(int id)
{
    int row = m_register.rowOfId(id);
    if (row < 0)
        row = m_register.model().rowCount() > 0 ? 0 : -1;
    m_panelDirty = false; // a reopened register has nothing pending
    if (row >= 0) {
        const QModelIndex index =
            m_register.model().index(row, m_register.model().columnOf(QStringLiteral("FIRMNAME")));
        ui->DBGrid1->selectionModel()->setCurrentIndex(index, QItemSelectionModel::ClearAndSelect |
                                                                  QItemSelectionModel::Rows);
        ui->DBGrid1->scrollTo(index);
        ui->DBGrid2->scrollTo(index);
    }
    fillClientPanel();
}

void TBuhForm::fillClientPanel()
{
    m_fillingPanel = true;
    const int row = currentClientRow();
    ClientRow client = row >= 0 ? m_register.clientAt(row) : ClientRow{};
    for (const PanelEdit& p : kPanelEdits)
        findChild<QLineEdit*>(QLatin1String(p.edit))->setText(*fieldOf(client, p.column));
    ui->DBDateEdit1->setDate(client.DOGDATA.isValid() && client.DOGDATA != kDateZero
                                 ? client.DOGDATA
                                 : ui->DBDateEdit1->minimumDate());
    m_panelDirty = false;
    m_newClientId = 0;
    m_fillingPanel = false;
}

ClientRow TBuhForm::clientFromPanel(int row) const
{
    ClientRow client = (m_newClientId == 0 && row >= 0) ? m_register.clientAt(row) : ClientRow{};
    if (m_newClientId != 0)
        client.ID_NUMBER = m_newClientId;
    for (const PanelEdit& p : kPanelEdits)
        *fieldOf(client, p.column) = findChild<QLineEdit*>(QLatin1String(p.edit))->text();
    const QDate date = ui->DBDateEdit1->date();
    client.DOGDATA = date == ui->DBDateEdit1->minimumDate() ? QDate() : date;
    return client;
}

void TBuhForm::setPanelDirty()
{
    if (m_fillingPanel)
        return;
    if (m_newClientId == 0 && currentClientRow() < 0 && m_dm.isConnected()) {
        try { // typing into an empty register starts a new client
            m_newClientId = m_dm.NextClientNumber();
        } catch (const DbError& e) {
            m_prompter->error(e.message());
        }
    }
    m_panelDirty = true;
}

bool TBuhForm::postClientEdits(int row)
{
    const ClientRow client = clientFromPanel(row);
    if (client.ID_NUMBER <= 1) {
        m_panelDirty = false;
        m_newClientId = 0;
        return false;
    }
    try {
        SaveClient(m_dm, client);
    } catch (const DbError& e) {
        m_prompter->error(e.message());
        return false;
    }
    m_panelDirty = false;
    m_newClientId = 0;
    m_register.model().refreshRows();
    return true;
}

void TBuhForm::settleClientEdits(int row)
{
    if (m_panelDirty)
        postClientEdits(row < 0 ? currentClientRow() : row);
    else
        m_newClientId = 0; // a new client nobody typed anything for is dropped, not stored empty
}

void TBuhForm::BitBtn4Click()
{
    if ((m_panelDirty || m_newClientId) &&
        !m_prompter->ask(
            tr("У Вас есть несохраненные изменения! Добавление нового клиента приведет к их потере! "
               "Продолжить?")))
        return;
    try {
        const int id = m_dm.NextClientNumber();
        m_fillingPanel = true;
        for (const PanelEdit& p : kPanelEdits)
            findChild<QLineEdit*>(QLatin1String(p.edit))->clear();
        ui->DBDateEdit1->setDate(ui->DBDateEdit1->minimumDate());
        m_fillingPanel = false;
        m_panelDirty = false;
        m_newClientId = id;
    } catch (const DbError& e) {
        m_fillingPanel = false;
        m_prompter->error(e.message());
        return;
    }
    ui->DBEdit13->setFocus();
}

void TBuhForm::BitBtn2Click()
{
    int id = m_register.idAt(currentClientRow());
    if (m_panelDirty || m_newClientId) {
        const int newId = m_newClientId;
        if (!postClientEdits(currentClientRow()))
            return;
        if (newId)
            id = newId;
    }
    reconnectAndLocate(id);
}

void TBuhForm::BitBtn3Click()
{
    m_register.model().refreshRows();
    fillClientPanel();
}

void TBuhForm::BitBtn5Click()
{
    if (!m_prompter->ask(
            tr("Вы желаете удалить клиента? (из базы будут удалены все акты,накладные, поступления и "
               "счета-фактуры этого клиента)")))
        return;
    if (m_newClientId) { // a new client that was never stored is simply dropped
        fillClientPanel();
        return;
    }
    const int row = currentClientRow();
    if (row < 0) {
        m_prompter->error(tr("Список клиентов пуст: удалять некого."));
        return;
    }
    const int id = m_register.idAt(row);
    // After the delete the next client (or the one before the last) becomes current.
    const int nextId = m_register.idAt(row + 1 < m_register.model().rowCount() ? row + 1 : row - 1);
    try {
        m_dm.DeleteClient(id);
    } catch (const DbError& e) {
        m_prompter->error(e.message());
        return;
    }
    m_panelDirty = false;
    reconnectAndLocate(nextId);
}

void TBuhForm::clearRegister()
{
    if (!m_prompter->ask(tr("Очистить всю базу клиентов (будут удалены все счета, накладные,акты)?")))
        return;
    try {
        ClearRegister(m_dm, m_register, [] {
            QCoreApplication::processEvents();
            return true;
        });
    } catch (const DbError& e) {
        m_prompter->error(e.message());
        m_register.reload();
    }
    locateClient(0);
    RefreshClientDocuments();
}

void TBuhForm::SortRGClick(int item)
{
    settleClientEdits();
    m_register.setSortIndex(sortIndexNames().value(item));
    locateClient(m_register.idAt(0));
}

void TBuhForm::DBGrid1TitleClick(int logicalIndex)
{
    const auto& columns = m_register.model().columns();
    if (logicalIndex < 0 || logicalIndex >= int(columns.size()))
        return;
    settleClientEdits();
    const QString index = indexOfColumn(columns[std::size_t(logicalIndex)].name);
    if (index.isEmpty())
        m_register.reload(); // a column without an index reopens the register as it was
    else
        m_register.setSortIndex(index);
    locateClient(m_register.idAt(0));
}

void TBuhForm::N3Click()
{
    TFindForm dialog(m_lastFind, this);
    if (dialog.exec() != QDialog::Accepted)
        return;
    m_lastFind = dialog.request();
    if (!m_lastFind.text.isEmpty())
        FindClient(m_lastFind.field, m_lastFind.text, m_lastFind.fullMatch);
}

void TBuhForm::FindClient(int field, const QString& text, bool fullMatch)
{
    settleClientEdits();
    m_searchActive = true;
    int start = std::max(currentClientRow(), 0);
    const auto keepGoing = [this] {
        // The message loop runs between stretches of clients so that Esc can reach the search.
        QCoreApplication::processEvents();
        return m_searchActive;
    };
    for (;;) {
        const FindResult result = ::FindClient(m_register, start, field, text, fullMatch, keepGoing);
        if (result.interrupted) {
            m_prompter->inform(tr("Поиск прерван."));
            ShowAllDocuments();
            m_searchActive = false;
            return;
        }
        if (result.row >= 0) {
            locateClient(m_register.idAt(result.row));
            break;
        }
        if (!m_prompter->ask(tr("Не найдено ни одной записи по условию поиска.") + QStringLiteral("\r\n") +
                             QString(11, u' ') + tr("Начать сначала ?")))
            break;
        start = 0;
    }
    RefreshClientDocuments();
    m_searchActive = false;
}

void TBuhForm::filterClients(bool byName)
{
    QAction* own = byName ? ui->N37 : ui->N35;
    own->setChecked(byName ? m_filter.nameOn
                           : m_filter.cityOn); // the check mark follows the filter, not the click
    QString& value = byName ? m_filter.nameValue : m_filter.cityValue;
    m_namesForm->prepare(byName ? tr("Фильтровать список клиентов  по названию фирмы:")
                                : tr("Фильтровать список клиентов  по городу:"),
                         value);
    if (m_namesForm->exec() != QDialog::Accepted)
        return;
    settleClientEdits();
    own->setChecked(true);
    ui->N36->setEnabled(true);
    value = m_namesForm->value();
    (byName ? m_filter.nameOn : m_filter.cityOn) = true;
    m_register.setFilter(m_filter);
    locateClient(m_register.idAt(0));
}

void TBuhForm::N36Click()
{
    settleClientEdits();
    ui->N35->setChecked(false);
    ui->N37->setChecked(false);
    ui->N36->setEnabled(false);
    m_filter.nameOn = false;
    m_filter.cityOn = false;
    m_register.setFilter(m_filter);
    locateClient(m_register.idAt(0));
}
