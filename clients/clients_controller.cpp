#include "clients/clients_controller.h"

#include "base/prompter.h"
#include "base/requisites.h"
#include "base/whole_file.h"
#include "db/data_module.h"

#include <QCoreApplication>

namespace {

} // namespace

ClientsController::ClientsController(TDM& dm, Prompter& prompter)
    : m_dm(dm)
    , m_prompter(prompter)
    , m_register(dm)
{
}

void ClientsController::panelShown()
{
    m_dirty = false;
    m_newClientId = 0;
}

void ClientsController::panelEdited(int currentRow)
{
    if (m_newClientId == 0 && currentRow < 0 && m_dm.isConnected()) {
        try {
            m_newClientId = m_dm.NextClientNumber();
        } catch (const DbError& e) {
            m_prompter.error(e.message(), e.detail());
        }
    }
    m_dirty = true;
}

bool ClientsController::post(int row, ClientRow typed)
{
    typed.ID_NUMBER = m_newClientId != 0 ? m_newClientId : m_register.idAt(row);
    if (typed.ID_NUMBER <= 1) { // no client to store it as: the register is empty, or it is the owner
        panelShown();
        return false;
    }
    typed.CHETNUMBER = StoredAccount(typed.CHETNUMBER);
    typed.CHETNUMBER2 = StoredAccount(typed.CHETNUMBER2);
    if (!requisitesAccepted(typed))
        return false;
    try {
        const int stored = SaveClient(m_dm, typed, m_newClientId != 0);
        if (m_newClientId)
            m_storedNewClientId = stored;
    } catch (const DbError& e) {
        m_prompter.error(e.message(), e.detail());
        return false;
    }
    panelShown();
    m_register.model().refreshRows();
    return true;
}

bool ClientsController::requisitesAccepted(const ClientRow& typed)
{
    std::optional<Requisites> stored;
    if (m_newClientId == 0) {
        try {
            if (const std::optional<ClientRow> row = m_dm.ReadClient(typed.ID_NUMBER))
                stored = Requisites{row->CHETNUMBER, row->OKPOCODE, row->TAXCODE};
        } catch (const DbError&) {
        }
    }
    return StoreDespiteProblems(
        m_prompter, TypedRequisiteProblems({typed.CHETNUMBER, typed.OKPOCODE, typed.TAXCODE}, stored));
}

void ClientsController::settle(int row, const ClientRow& typed)
{
    if (m_dirty)
        post(row, typed);
    else
        m_newClientId = 0;
}

bool ClientsController::settleOnLeaving(int row, const ClientRow& typed)
{
    if (!m_dirty || m_prompter.ask(QCoreApplication::translate(
                        "ClientsController", "Данные клиента изменены. Сохранить изменения?"))) {
        settle(row, typed);
        return false;
    }
    panelShown();
    return true;
}

bool ClientsController::startNewClient()
{
    if ((m_dirty || m_newClientId) &&
        !m_prompter.ask(QCoreApplication::translate(
            "ClientsController",
            "У Вас есть несохраненные изменения! Добавление нового клиента приведет к их потере! "
            "Продолжить?")))
        return false;
    try {
        m_newClientId = m_dm.NextClientNumber();
    } catch (const DbError& e) {
        m_prompter.error(e.message(), e.detail());
        return false;
    }
    m_dirty = false;
    return true;
}

std::optional<int> ClientsController::save(int row, const ClientRow& typed)
{
    int id = m_register.idAt(row);
    if (m_dirty || m_newClientId) {
        const bool isNew = m_newClientId != 0;
        if (!post(row, typed))
            return std::nullopt;
        if (isNew)
            id = m_storedNewClientId;
    }
    return id;
}

ClientsController::Deletion ClientsController::deleteClient(int row)
{
    Deletion deletion;
    const QString name = m_newClientId || row < 0
                             ? QString()
                             : m_register.model().value(row, QStringLiteral("FIRMNAME")).toString().trimmed();
    // What goes with the client, counted, so that a client with a year of documents is not deleted lightly.
    QString what = QCoreApplication::translate(
        "ClientsController",
        "из базы будут удалены все акты, накладные, поступления и счета-фактуры этого клиента");
    if (!m_newClientId && row >= 0) {
        try {
            const DocumentCounts c = m_dm.CountDocuments(m_register.idAt(row));
            what = QCoreApplication::translate(
                       "ClientsController", "из базы будут удалены его счета-фактуры (%1), поступления (%2), "
                                            "расходные накладные (%3), налоговые накладные (%4) и акты (%5)")
                       .arg(c.invoices)
                       .arg(c.receipts)
                       .arg(c.expenseWaybills)
                       .arg(c.taxWaybills)
                       .arg(c.acts);
        } catch (const DbError&) {
        }
    }
    if (!m_prompter.ask(
            name.isEmpty()
                ? QCoreApplication::translate("ClientsController", "Вы желаете удалить клиента? (%1)")
                      .arg(what)
                : QCoreApplication::translate("ClientsController", "Вы желаете удалить клиента «%1»? (%2)")
                      .arg(name, what)))
        return deletion;
    if (m_newClientId) { // a new client that was never stored is simply dropped
        panelShown();
        deletion.what = Deletion::NewClientDropped;
        return deletion;
    }
    if (row < 0) {
        m_prompter.error(
            QCoreApplication::translate("ClientsController", "Список клиентов пуст: удалять некого."));
        return deletion;
    }
    const int id = m_register.idAt(row);
    const int next = m_register.idAt(row + 1 < m_register.model().rowCount() ? row + 1 : row - 1);
    try {
        m_dm.DeleteClient(id);
    } catch (const DbError& e) {
        m_prompter.error(e.message(), e.detail());
        return deletion;
    }
    m_dirty = false;
    return {Deletion::ClientDeleted, next};
}

void ClientsController::clearRegister(const std::function<bool()>& keepGoing)
{
    if (!m_prompter.ask(QCoreApplication::translate(
            "ClientsController", "Очистить всю базу клиентов (будут удалены все счета, накладные,акты)?")))
        return;
    try {
        ClearRegister(m_dm, m_register, keepGoing);
    } catch (const DbError& e) {
        m_prompter.error(e.message(), e.detail());
        m_register.reload();
    }
}

void ClientsController::sortByItem(int item)
{
    m_register.setSortIndex(sortIndexNames().value(item));
}

void ClientsController::sortByColumn(int logicalColumn)
{
    const auto& columns = m_register.model().columns();
    if (logicalColumn < 0 || logicalColumn >= int(columns.size()))
        return;
    const QString index = indexOfColumn(columns[std::size_t(logicalColumn)].name);
    if (index.isEmpty())
        m_register.reload();
    else
        m_register.setSortIndex(index);
}

void ClientsController::applyFilter(bool byName, const QString& value)
{
    (byName ? m_filter.nameValue : m_filter.cityValue) = value;
    (byName ? m_filter.nameOn : m_filter.cityOn) = true;
    m_register.setFilter(m_filter);
}

void ClientsController::removeFilters()
{
    m_filter.nameOn = false;
    m_filter.cityOn = false;
    m_register.setFilter(m_filter);
}

void ClientsController::resetFilters()
{
    m_filter = ClientFilter{};
    m_register.presetFilter(m_filter);
}

ClientsController::SearchOutcome ClientsController::find(int startRow, const FindRequest& request,
                                                         const std::function<bool()>& keepGoing)
{
    m_lastFind = request;
    SearchOutcome outcome;
    int start = std::max(startRow, 0);
    for (;;) {
        const FindResult result =
            FindClient(m_register, start, request.field, request.text, request.fullMatch, keepGoing);
        if (result.interrupted) {
            m_prompter.inform(QCoreApplication::translate("ClientsController", "Поиск прерван."));
            outcome.interrupted = true;
            outcome.row = result.reachedRow;
            return outcome;
        }
        if (result.row >= 0) {
            outcome.row = result.row;
            return outcome;
        }
        if (!m_prompter.ask(QCoreApplication::translate("ClientsController",
                                                        "Не найдено ни одной записи по условию поиска.") +
                            QStringLiteral("\r\n") + QString(11, u' ') +
                            QCoreApplication::translate("ClientsController", "Начать сначала ?"))) {
            // Nothing found: the chosen client stays chosen, so no document goes to another by mistake.
            return outcome;
        }
        start = 0;
    }
}

bool ClientsController::exportClients(const QString& fileName)
{
    if (fileName.trimmed().isEmpty()) {
        m_prompter.error(QCoreApplication::translate("ClientsController", "Укажите имя файла."));
        return false;
    }
    try {
        QString error;
        // A name ending in .xlsx is a spreadsheet, as on the command line.
        if (IsSpreadsheetName(fileName)
                ? WriteClientListSheet(m_dm, m_register.query(), m_exportChoice.columns(), fileName, &error)
                : AppendClientList(m_dm, m_register.query(), m_exportChoice.columns(), fileName, &error))
            return true;
        m_prompter.error(error);
    } catch (const DbError& e) {
        m_prompter.error(e.message(), e.detail());
    }
    return false;
}
