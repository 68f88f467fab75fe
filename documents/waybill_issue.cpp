#include "documents/waybill_issue.h"

#include "db/data_module.h"
#include "db/db_error.h"
#include "db/stores.h"
#include "db/tables.h"

#include "base/prompter.h"
#include "print/expense_waybill_form.h"
#include "print/tax_waybill_form.h"

#include <QCoreApplication>
#include <QStringList>

namespace {

// What both kinds hold: the number, the date, the documents and the client.
template <typename Row> Row waybillRow(const WaybillDraft& draft)
{
    Row w;
    w.NAKL_NUMBER = draft.number;
    w.NAKL_DATA = draft.date;
    w.FACT1_NUMBER = draft.documents[0];
    w.FACT2_NUMBER = draft.documents[1];
    w.FACT3_NUMBER = draft.documents[2];
    w.ID_NUMBER = draft.clientId;
    return w;
}

ExpenseWaybillRow expenseRow(const WaybillDraft& draft)
{
    ExpenseWaybillRow w = waybillRow<ExpenseWaybillRow>(draft);
    w.INFO = ExpenseInfo(draft);
    w.NAME_CLIENT = draft.receiver;
    w.DOV_SERIE = draft.proxySerie;
    w.DOV_DATA = draft.proxyDate;
    return w;
}

TaxWaybillRow taxRow(const WaybillDraft& draft)
{
    TaxWaybillRow w = waybillRow<TaxWaybillRow>(draft);
    w.NAME_CLIENT = draft.payer;
    w.INFO = draft.reason;
    w.OPLATA_TYPE = draft.paymentType;
    return w;
}

// What printing the waybill would refuse it with: its blank is filled, unseen, by the very fill that
// prints it. Empty when it prints.
QString blankRefusal(const TDM& dm, const WaybillDraft& draft)
{
    ScriptedPrompter unseen;
    const WaybillDocuments documents =
        ReadWaybillDocuments(dm, draft.documents[0], draft.documents[1], draft.documents[2]);
    const Settings settings;
    bool complete = false;
    if (draft.kind == WaybillKind::Expense) {
        Page page = CreateExpenseWaybillBlank();
        complete = FillWaybillForm(page, expenseRow(draft), documents, OwnerRecord{}, settings, &unseen);
    } else {
        Page page = CreateTaxWaybillBlank();
        // The section of a zero rate changes nowhere the figures go.
        complete = FillTaxWaybillForm(page, taxRow(draft), documents, nullptr, OwnerRecord{}, settings,
                                      &unseen, 0) == WaybillFill::Complete;
    }
    if (complete)
        return {};
    for (const ScriptedPrompter::Message& m : unseen.messages())
        if (m.kind == ScriptedPrompter::Kind::Error)
            return m.text;
    return QCoreApplication::translate("ExpenseWaybillForm", "Накладная не умещается на бланке!");
}

} // namespace

SelectionNumbers ParseWaybillSelection(const QString& selection)
{
    SelectionNumbers parsed;
    int taken = 0;
    for (const QString& part : selection.split(u'/', Qt::SkipEmptyParts)) {
        const int number = part.trimmed().toInt();
        // An invoice picked twice is one invoice on the waybill.
        if (number <= 0 || std::find(parsed.numbers.begin(), parsed.numbers.begin() + taken, number) !=
                               parsed.numbers.begin() + taken)
            continue;
        if (taken == 3) {
            parsed.more = true;
            break;
        }
        parsed.numbers[std::size_t(taken++)] = number;
    }
    return parsed;
}

QString EarlierWaybillsQuestion(const TDM& dm, WaybillKind kind, const std::array<int, 3>& invoices)
{
    QStringList said;
    for (int invoice : invoices) {
        if (invoice <= 0)
            continue;
        if (const int waybill =
                dm.WaybillOfInvoice(kind == WaybillKind::Expense ? "NAKLADN1" : "NAKLADN2", invoice))
            said << (kind == WaybillKind::Expense
                         ? QCoreApplication::translate(
                               "WaybillIssue", "На счет-фактуру № %1 уже выписана расходная накладная № %2.")
                         : QCoreApplication::translate(
                               "WaybillIssue", "На счет-фактуру № %1 уже выписана налоговая накладная № %2."))
                        .arg(invoice)
                        .arg(waybill);
    }
    if (said.isEmpty())
        return {};
    return said.join(u'\n') + u' ' + QCoreApplication::translate("WaybillIssue", "Выписать ещё одну?");
}

WaybillDraft OpenWaybillDraft(const TDM& dm, WaybillKind kind, bool forReceipt,
                              const std::array<int, 3>& documents, const QDate& today)
{
    WaybillDraft d;
    d.kind = kind;
    d.forReceipt = forReceipt;
    d.documents = forReceipt ? std::array<int, 3>{documents[0], 0, 0} : documents;
    d.number = kind == WaybillKind::Expense ? dm.NextNakl1Number() : dm.NextNakl2Number();
    d.proposedNumber = d.number;
    d.date = today;
    d.proxyDate = today;
    d.documentsDate = forReceipt ? dm.GetFactDate(d.documents[0])
                                 : dm.LatestFactDate(d.documents[0], d.documents[1], d.documents[2]);
    d.clientId = dm.GetFactClient(d.documents[0]);
    d.client = d.clientId > 0 ? dm.ReadClient(d.clientId) : std::nullopt;
    if (kind == WaybillKind::Tax) {
        if (d.client)
            d.payer = d.client->FIRMNAME;
        d.reason = forReceipt ? QStringLiteral("проплата от ") + storedDateText(d.documentsDate)
                              : TaxReasonForInvoices(dm, d.client, d.documents);
    }
    return d;
}

QString TaxReasonForInvoices(const TDM& dm, const std::optional<ClientRow>& client,
                             const std::array<int, 3>& invoices)
{
    const bool contract = client && !client->DOGNUMBER.isEmpty();
    const auto numberWithSuffix = [&dm](int number) {
        const std::optional<InvoiceRow> invoice = dm.ReadDocument(number);
        return QString::number(number) + (invoice ? invoice->FACT_DOPNO : QString());
    };
    QString text = contract ? QStringLiteral("договір № ") + client->DOGNUMBER + QStringLiteral(" від ") +
                                  storedDateText(client->DOGDATA) + QStringLiteral("( р/ф № ")
                            : QStringLiteral("р/ф № ");
    text += numberWithSuffix(invoices[0]);
    for (int i = 1; i < 3; ++i)
        if (invoices[std::size_t(i)] > 0)
            text += u',' + numberWithSuffix(invoices[std::size_t(i)]);
    if (contract)
        text += u')';
    return text;
}

QString ExpenseInfo(const WaybillDraft& draft)
{
    if (draft.forReceipt)
        return QStringLiteral("проплата от ") + storedDateText(draft.documentsDate);
    QString info = QStringLiteral("р/ф № ") + QString::number(draft.documents[0]);
    for (int i = 1; i < 3; ++i)
        if (draft.documents[std::size_t(i)] > 0)
            info += u',' + QString::number(draft.documents[std::size_t(i)]);
    return info;
}

std::optional<WaybillRefusal> CheckWaybillDocuments(const TDM& dm, const WaybillDraft& draft)
{
    // A document deleted after it was picked gets no waybill.
    for (int number : draft.documents)
        if (number != 0 && !dm.ReadDocument(number))
            return WaybillRefusal{MissingDocumentText(number), true};
    const auto& [a, b, c] = draft.documents;
    if (!draft.forReceipt && (b > 0 || c > 0) && !dm.SameFactClient(a, b, c))
        return WaybillRefusal{
            QCoreApplication::translate("WaybillIssue", "Выбраны счета - фактуры разных клиентов !"), true};
    // Every rule of the blank: one VAT rate (and for an expense waybill one advertising tax), the rows it
    // has, the largest total it shows.
    if (const QString refusal = blankRefusal(dm, draft); !refusal.isEmpty())
        return WaybillRefusal{refusal, true};
    return std::nullopt;
}

int StoreWaybill(TDM& dm, const WaybillDraft& draft)
{
    std::optional<RowColumns> row;
    if (draft.kind == WaybillKind::Expense) {
        const QString proxy =
            draft.proxyNumber.trimmed().isEmpty() ? QStringLiteral("0") : draft.proxyNumber.trimmed();
        bool ok = false;
        ExpenseWaybillRow w = expenseRow(draft);
        w.DOV_NUMBER = proxy.toInt(&ok);
        if (!ok)
            throw DbError(QCoreApplication::translate("WaybillIssue", "№ доверенности — не целое число: %1")
                              .arg(proxy));
        row = columnsOf(w);
    } else {
        row = columnsOf(taxRow(draft));
    }
    if (!draft.date.isValid())
        throw DbError(QCoreApplication::translate("WaybillIssue", "Не указана дата накладной."));
    if (draft.number < 1)
        throw DbError(
            QCoreApplication::translate("WaybillIssue", "Номер накладной должен быть от 1 до 2147483647."));
    return StoreWaybillColumns(dm, *row, [&](int) {
        // The number offered when the dialog opened went to another waybill meanwhile: the next free one.
        if (draft.number != draft.proposedNumber)
            throw DbError(
                QCoreApplication::translate("WaybillIssue", "Накладная № %1 уже есть в базе данных.")
                    .arg(draft.number));
        return draft.kind == WaybillKind::Expense ? dm.NextNakl1Number() : dm.NextNakl2Number();
    });
}
