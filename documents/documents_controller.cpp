#include "documents/documents_controller.h"

#include "base/prompter.h"
#include "base/requisites.h"
#include "db/data_module.h"
#include "db/list_model.h"
#include "db/tables.h"
#include "documents/document_pages.h"
#include "print/registers.h"
#include "report/spreadsheet.h"

#include <QCoreApplication>

#include <algorithm>

namespace {

// Another workplace stored a document under the number offered here while the dialog was open.
QString renumbered(int offered, int stored)
{
    return QCoreApplication::translate("DocumentsController",
                                       "Номер %1 тем временем получил документ, записанный на другом рабочем "
                                       "месте. Документ записан под номером %2.")
        .arg(offered)
        .arg(stored);
}

// The client of a stored document, when there is one.
template <typename Row> std::optional<int> clientOf(const std::optional<Row>& row)
{
    return row ? std::optional(row->ID_NUMBER) : std::nullopt;
}

} // namespace

DocumentsController::DocumentsController(TDM& dm, Prompter& prompter)
    : m_dm(dm)
    , m_prompter(prompter)
    , m_lists(dm)
    , m_goods(dm)
{
}

DocumentCommandStates DocumentsController::commandStates() const
{
    return documentCommandStates(m_lists.currentClientId() > 0, m_lists.invoices().rowCount() > 0,
                                 m_lists.receipts().rowCount() > 0, m_lists.expenseWaybills().rowCount() > 0,
                                 m_lists.taxWaybills().rowCount() > 0, m_lists.acts().rowCount() > 0);
}

std::optional<DocumentsController::WaybillRows> DocumentsController::waybillsOfDocument(int number) const
{
    if (number == 0)
        return std::nullopt;
    const auto rowIn = [number](const SqlListModel& waybills) {
        const int row = waybills.findFirst(QStringLiteral("FACT1_NUMBER"), number);
        return row >= 0 ? row : waybills.findFirst(QStringLiteral("FACT2_NUMBER"), number);
    };
    return WaybillRows{rowIn(m_lists.expenseWaybills()), rowIn(m_lists.taxWaybills())};
}

DocumentsController::DocumentRows DocumentsController::documentOfWaybill(const SqlListModel& waybills,
                                                                         int waybillRow) const
{
    const qint64 first = waybills.value(waybillRow, QStringLiteral("FACT1_NUMBER")).toLongLong();
    // Invoice and receipt numbers are the lists' row keys; only one of the two can hold it.
    return {m_lists.invoices().rowOfKey(first), m_lists.receipts().rowOfKey(first)};
}

void DocumentsController::pickForWaybill(int invoiceRow)
{
    m_lists.addToWaybillSelection(int(m_lists.invoices().keyAt(invoiceRow)));
}

std::optional<Page> DocumentsController::invoicePage(int invoiceRow, bool forPreview,
                                                     const OwnerRecord& owner, const Settings& settings,
                                                     const QString& programFolder) const
{
    const int number = int(m_lists.invoices().keyAt(invoiceRow));
    if (forPreview && number <= 0) {
        m_prompter.inform(QCoreApplication::translate("DocumentsController",
                                                      "Счет фактура на это поступление не выписывалась."));
        return std::nullopt;
    }
    return DocumentPage(m_dm, PrintedDocument::Invoice, number, !forPreview, owner, settings, programFolder,
                        m_prompter);
}

std::optional<InvoiceDraft> DocumentsController::openEditor(EditorCommand command, int row,
                                                            const Settings& settings,
                                                            const QDate& today) const
{
    using C = EditorCommand;
    const int clientId = m_lists.currentClientId();
    const bool invoice = command == C::NewInvoice || command == C::CopyInvoice || command == C::EditInvoice;
    try {
        const std::optional<ClientRow> client = clientId > 0 ? m_dm.ReadClient(clientId) : std::nullopt;
        if (!client) {
            m_prompter.error(
                QCoreApplication::translate("DocumentsController", "Выберите клиента в списке клиентов."));
            return std::nullopt;
        }
        std::optional<InvoiceRow> selected;
        if (command != C::NewInvoice && command != C::NewReceipt) {
            const SqlListModel& list = invoice ? m_lists.invoices() : m_lists.receipts();
            const qint64 number = list.keyAt(row);
            selected = number != 0 ? m_dm.ReadDocument(int(number)) : std::nullopt;
            if (!selected) {
                m_prompter.error(invoice ? QCoreApplication::translate("DocumentsController",
                                                                       "Выберите счет-фактуру в списке.")
                                         : QCoreApplication::translate("DocumentsController",
                                                                       "Выберите поступление в списке."));
                return std::nullopt;
            }
        }
        return OpenDraft(command, *client, selected ? &*selected : nullptr, m_dm.NextFactNumber(),
                         settings.reclTax, today);
    } catch (const DbError& e) {
        m_prompter.error(e.message(), e.detail());
        return std::nullopt;
    }
}

std::optional<int> DocumentsController::storeEditor(const InvoiceDraft& draft, bool clientChanged,
                                                    const Settings& settings)
{
    const int clientId = m_lists.currentClientId();
    // A document of no position at all is most often one not filled in yet: asked first, the editor stays.
    const bool empty =
        std::all_of(draft.positions.begin(), draft.positions.end(), [](const DraftPosition& p) {
            return p.line1.trimmed().isEmpty() && p.line2.trimmed().isEmpty() && p.count == 0 && p.price == 0;
        });
    if (empty &&
        !m_prompter.ask(draft.isInvoice
                            ? QCoreApplication::translate("DocumentsController",
                                                          "В счете нет ни одной позиции. Записать?")
                            : QCoreApplication::translate("DocumentsController",
                                                          "В поступлении нет ни одной позиции. Записать?")))
        return std::nullopt;
    int number = 0;
    try {
        number = StoreDraft(m_dm, draft, clientId, settings);
        if (draft.isInvoice && number != draft.number)
            m_prompter.inform(renumbered(draft.number, number));
    } catch (const DbError& e) {
        const auto [headline, detail] = e.refusal(QCoreApplication::translate(
            "DocumentsController", "Неправильные данные (невозможно сохранить изменения)!"));
        m_prompter.error(headline, detail);
        return std::nullopt;
    }
    // The document is stored whatever becomes of the client's row.
    if (clientChanged &&
        m_prompter.ask(QCoreApplication::translate("DocumentsController",
                                                   "Вы изменили данные клиента! Сохранять изменения?")) &&
        payerCodeAccepted(clientId, draft.taxCode)) {
        try {
            StorePayerDetails(m_dm, clientId, draft);
            m_prompter.inform(QCoreApplication::translate("DocumentsController", "Изменения сохранены!"));
        } catch (const DbError& e) {
            const auto [headline, detail] = e.refusal(QCoreApplication::translate(
                "DocumentsController", "Неправильные данные (невозможно сохранить изменения)!"));
            m_prompter.error(headline, detail);
        }
    }
    return number;
}

bool DocumentsController::payerCodeAccepted(int clientId, const QString& taxCode)
{
    std::optional<Requisites> stored;
    try {
        if (const std::optional<ClientRow> row = m_dm.ReadClient(clientId))
            stored = Requisites{{}, {}, row->TAXCODE};
    } catch (const DbError&) {
    }
    return StoreDespiteProblems(m_prompter, TypedRequisiteProblems({{}, {}, taxCode}, stored));
}

QStringList DocumentsController::goodsPickerItems(const Settings& settings) const
{
    try {
        return GoodsPickerItems(m_dm, settings.price);
    } catch (const DbError& e) {
        m_prompter.error(e.message(), e.detail());
        return {};
    }
}

void DocumentsController::storeGoods(const DraftPosition& position)
{
    if (!m_prompter.ask(QCoreApplication::translate("DocumentsController",
                                                    "Занести наименование товара и цену в список товаров?")))
        return;
    try {
        StoreGoods(m_dm, position);
    } catch (const DbError& e) {
        m_prompter.error(e.message(), e.detail());
    }
}

DocumentsController::FoundRows DocumentsController::findDocument(int number, int list)
{
    m_lastFindNumber = number;
    m_lastFindList = std::clamp(list, 0, 3);
    FoundRows found;
    // A document of another client: the whole kind is searched, and its client named.
    const auto ownerOf = [&](const auto& read) {
        try {
            const std::optional<int> client = read();
            if (client && !m_lists.showsAllDocuments() && *client != m_lists.currentClientId())
                found.client = *client;
        } catch (const DbError& e) {
            m_prompter.error(e.message(), e.detail());
        }
    };
    if (m_lastFindList == 3) {
        found.act = number > 0 ? m_lists.acts().findFirst(QStringLiteral("ACT_NUMBER"), number) : -1;
        if (found.act < 0 && number > 0)
            ownerOf([&]() -> std::optional<int> {
                const std::optional<StoredAct> act = ReadAct(m_dm, number);
                return act ? std::optional(act->clientId) : std::nullopt;
            });
        return found;
    }
    if (m_lastFindList == 0) {
        found.invoice = number > 0 ? m_lists.invoices().rowOfKey(number) : -1;
        if (found.invoice >= 0) {
            if (const std::optional<WaybillRows> waybills = waybillsOfDocument(number)) {
                found.expense = waybills->expense;
                found.tax = waybills->tax;
            }
        } else if (number > 0) {
            ownerOf([&] { return clientOf(m_dm.ReadDocument(number)); });
        }
        return found;
    }
    const SqlListModel& waybills = m_lastFindList == 1 ? m_lists.expenseWaybills() : m_lists.taxWaybills();
    const int row = number > 0 ? waybills.findFirst(QStringLiteral("NAKL_NUMBER"), number) : -1;
    if (row < 0) {
        if (number > 0 && m_lastFindList == 1)
            ownerOf([&] { return clientOf(m_dm.ReadExpenseWaybill(number)); });
        else if (number > 0)
            ownerOf([&] { return clientOf(m_dm.ReadTaxWaybill(number)); });
        return found;
    }
    (m_lastFindList == 1 ? found.expense : found.tax) = row;
    const DocumentRows documents = documentOfWaybill(waybills, row);
    found.invoice = documents.invoice;
    found.receipt = documents.receipt;
    return found;
}

bool UseFirstThreeNumbers(Prompter& prompter)
{
    return prompter.ask(QCoreApplication::translate("DocumentsController",
                                                    "Используются только первые три номера! Продолжать?"));
}

std::optional<WaybillDraft> BeginWaybill(TDM& dm, Prompter& prompter, WaybillKind kind, bool forReceipt,
                                         const std::array<int, 3>& documents, const QDate& today)
{
    try {
        // A document deleted by another workplace since the list showed it: said as that, not as its client.
        if (!dm.ReadDocument(documents[0])) {
            prompter.error(MissingDocumentText(documents[0]));
            return std::nullopt;
        }
        if (!forReceipt)
            if (const QString question = EarlierWaybillsQuestion(dm, kind, documents);
                !question.isEmpty() && !prompter.ask(question))
                return std::nullopt;
        WaybillDraft draft = OpenWaybillDraft(dm, kind, forReceipt, documents, today);
        // A waybill its blank would refuse is refused before anything is typed into it.
        if (const std::optional<WaybillRefusal> refusal = CheckWaybillDocuments(dm, draft)) {
            prompter.error(refusal->message);
            return std::nullopt;
        }
        if (!draft.client)
            prompter.warn(
                QCoreApplication::translate("DocumentsController", "Данного клиента уже нет в списке!"));
        return draft;
    } catch (const DbError& e) {
        prompter.error(e.message(), e.detail());
        return std::nullopt;
    }
}

WaybillStore StoreWaybillDraft(TDM& dm, Prompter& prompter, const WaybillDraft& draft, int* number)
{
    try {
        if (const std::optional<WaybillRefusal> refusal = CheckWaybillDocuments(dm, draft)) {
            prompter.error(refusal->message);
            return WaybillStore::Refused;
        }
        *number = StoreWaybill(dm, draft);
        if (*number != draft.number)
            prompter.inform(renumbered(draft.number, *number));
        return WaybillStore::Stored;
    } catch (const DbError& e) {
        const auto [headline, detail] = e.refusal(
            draft.kind == WaybillKind::Tax && draft.forReceipt
                ? QCoreApplication::translate(
                      "DocumentsController",
                      "Неправильные данные! Возможно на данную с/ф(проплату) уже выписывались накладные")
                : QCoreApplication::translate("DocumentsController", "Неправильные данные !"));
        prompter.error(headline, detail);
        return WaybillStore::StayOpen;
    }
}

std::optional<WaybillDraft> DocumentsController::openWaybill(WaybillKind kind, bool forReceipt, int row,
                                                             const QDate& today)
{
    std::array<int, 3> documents{};
    if (forReceipt) {
        documents[0] = int(m_lists.receipts().keyAt(row));
        if (documents[0] >= 0)
            return std::nullopt; // no receipt chosen
    } else {
        const SelectionNumbers picked = ParseWaybillSelection(m_lists.waybillSelection());
        if (picked.numbers[0] > 0) {
            if (picked.more && !UseFirstThreeNumbers(m_prompter))
                return std::nullopt;
            documents = picked.numbers;
        } else {
            documents[0] = int(m_lists.invoices().keyAt(row));
        }
        if (documents[0] <= 0)
            return std::nullopt;
    }
    if (m_lists.currentClientId() == 0) {
        m_prompter.error(
            QCoreApplication::translate("DocumentsController", "Вы не выбрали конкретного клиента!"));
        return std::nullopt;
    }
    return BeginWaybill(m_dm, m_prompter, kind, forReceipt, documents, today);
}

WaybillStore DocumentsController::storeWaybill(const WaybillDraft& draft, int* number)
{
    return StoreWaybillDraft(m_dm, m_prompter, draft, number);
}

std::optional<Page> DocumentsController::expenseWaybillPage(int row, bool forPrint, const OwnerRecord& owner,
                                                            const Settings& settings,
                                                            const QString& programFolder) const
{
    const int number = m_lists.expenseWaybills().value(row, QStringLiteral("NAKL_NUMBER")).toInt();
    return DocumentPage(m_dm, PrintedDocument::ExpenseWaybill, number, forPrint, owner, settings,
                        programFolder, m_prompter);
}

std::optional<Page> DocumentsController::taxWaybillPage(int row, bool forPrint, const OwnerRecord& owner,
                                                        const Settings& settings) const
{
    const int number = m_lists.taxWaybills().value(row, QStringLiteral("NAKL_NUMBER")).toInt();
    return DocumentPage(m_dm, PrintedDocument::TaxWaybill, number, forPrint, owner, settings, {}, m_prompter);
}

std::optional<int> DocumentsController::writeRegister(RegisterKind kind, const QDate& from, const QDate& to,
                                                      const QString& fileName)
{
    if (fileName.trimmed().isEmpty()) {
        m_prompter.error(QCoreApplication::translate("DocumentsController", "Укажите имя файла журнала."));
        return std::nullopt;
    }
    const RegisterScope scope{m_lists.showsAllDocuments() ? 0 : m_lists.currentClientId(), from, to};
    try {
        QString error;
        int lines = 0;
        // A name ending in .xlsx is a spreadsheet, as on the command line.
        if (IsSpreadsheetName(fileName) ? WriteRegisterSheet(m_dm, kind, scope, fileName, &error, &lines)
                                        : WriteRegister(m_dm, kind, scope, fileName, &error, &lines))
            return lines;
        m_prompter.error(error);
    } catch (const DbError& e) {
        m_prompter.error(e.message(), e.detail());
    }
    return std::nullopt;
}

QString DocumentsController::deleteQuestion(const SqlListModel& list, int row) const
{
    const auto date = [&](const char* column) {
        return storedDateText(list.value(row, QLatin1String(column)).toDate());
    };
    if (&list == &m_lists.receipts())
        return QCoreApplication::translate("DocumentsController", "Удалить поступление от %1?")
            .arg(date("FACT_DATA"));
    if (&list == &m_lists.invoices())
        return QCoreApplication::translate("DocumentsController", "Удалить счет-фактуру № %1 от %2?")
            .arg(list.value(row, QStringLiteral("FACT_NUMBER")).toString() +
                     list.value(row, QStringLiteral("FACT_DOPNO")).toString().trimmed(),
                 date("FACT_DATA"));
    if (&list == &m_lists.acts())
        return QCoreApplication::translate("DocumentsController", "Удалить акт № %1 от %2?")
            .arg(list.value(row, QStringLiteral("ACT_NUMBER")).toString(), date("ACT_DATA"));
    const QString number = list.value(row, QStringLiteral("NAKL_NUMBER")).toString();
    if (&list == &m_lists.expenseWaybills())
        return QCoreApplication::translate("DocumentsController", "Удалить расходную накладную № %1 от %2?")
            .arg(number, date("NAKL_DATA"));
    return QCoreApplication::translate("DocumentsController", "Удалить налоговую накладную № %1 от %2?")
        .arg(number, date("NAKL_DATA"));
}

std::optional<DocumentsController::ActEdit>
DocumentsController::openAct(ActCommand command, int row, const Settings& settings, const QDate& today) const
{
    try {
        const int clientId = m_lists.currentClientId();
        const std::optional<ClientRow> client = clientId > 0 ? m_dm.ReadClient(clientId) : std::nullopt;
        if (!client) {
            m_prompter.error(
                QCoreApplication::translate("DocumentsController", "Выберите клиента в списке клиентов."));
            return std::nullopt;
        }
        std::optional<StoredAct> selected;
        if (command != ActCommand::New) {
            const int number = m_lists.acts().value(row, QStringLiteral("ACT_NUMBER")).toInt();
            selected = number > 0 ? ReadAct(m_dm, number) : std::nullopt;
            if (!selected) {
                m_prompter.error(
                    QCoreApplication::translate("DocumentsController", "Выберите акт в списке."));
                return std::nullopt;
            }
        }
        ActEdit edit;
        edit.draft = OpenActDraft(m_dm, command, *client, selected ? &selected->act : nullptr,
                                  settings.ndsValue, today);
        edit.original = command == ActCommand::Edit ? selected->act.number : 0;
        edit.clientId = clientId;
        edit.clientName = client->FIRMNAME;
        return edit;
    } catch (const DbError& e) {
        m_prompter.error(e.message(), e.detail());
        return std::nullopt;
    }
}

bool DocumentsController::storeAct(const ActEdit& edit, const ActDraft& draft)
{
    try {
        if (const QString problem = StoreAct(m_dm, edit.clientId, draft, edit.original); !problem.isEmpty()) {
            m_prompter.error(problem);
            return false;
        }
        return true;
    } catch (const DbError& e) {
        const auto [headline, detail] = e.refusal(QCoreApplication::translate(
            "DocumentsController", "Неправильные данные (невозможно сохранить изменения)!"));
        m_prompter.error(headline, detail);
        return false;
    }
}

std::optional<Page> DocumentsController::actPage(int row, const OwnerRecord& owner,
                                                 const Settings& settings) const
{
    const int number = m_lists.acts().value(row, QStringLiteral("ACT_NUMBER")).toInt();
    return DocumentPage(m_dm, PrintedDocument::Act, number, true, owner, settings, {}, m_prompter);
}

QString DocumentNotFoundText(int number, const QString& list)
{
    if (list.isEmpty())
        return QCoreApplication::translate("DocumentsController", "Документ № %1 не найден.").arg(number);
    return QCoreApplication::translate("DocumentsController", "Документ № %1 не найден в списке «%2».")
        .arg(number)
        .arg(list);
}
