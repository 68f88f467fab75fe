#include "documents/waybill_issue.h"

#include "db/connection.h"
#include "db/data_module.h"
#include "db/stores.h"
#include "db/tables.h"

#include <QCoreApplication>
#include <QStringList>

namespace {

const QString kDateFormat = QStringLiteral("dd.MM.yyyy");

QString dateText(const QDate& date)
{
    return date.isValid() && date != kDateZero ? date.toString(kDateFormat) : QString();
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
        d.reason = forReceipt ? QStringLiteral("проплата от ") + dateText(d.documentsDate)
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
                                  dateText(client->DOGDATA) + QStringLiteral("( p/ф № ")
                            : QStringLiteral("p/ф № ");
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
        return QStringLiteral("проплата от ") + dateText(draft.documentsDate);
    QString info = QStringLiteral("р/ф № ") + QString::number(draft.documents[0]);
    for (int i = 1; i < 3; ++i)
        if (draft.documents[std::size_t(i)] > 0)
            info += u',' + QString::number(draft.documents[std::size_t(i)]);
    return info;
}

QString MissingDocumentText(int number)
{
    return number < 0 ? QCoreApplication::translate("WaybillIssue", "Не найдена исходное поступление!")
                      : QCoreApplication::translate("WaybillIssue", "Не найдена исходная счет-фактура №") +
                            QString::number(number);
}

std::optional<WaybillRefusal> CheckWaybillDocuments(const TDM& dm, const WaybillDraft& draft)
{
    // A document deleted after it was picked gets no waybill.
    for (int number : draft.documents)
        if (number != 0 && !dm.ReadDocument(number))
            return WaybillRefusal{MissingDocumentText(number), true};
    if (draft.forReceipt)
        return std::nullopt;
    const auto& [a, b, c] = draft.documents;
    if ((b > 0 || c > 0) && !dm.SameFactClient(a, b, c))
        return WaybillRefusal{
            QCoreApplication::translate("WaybillIssue", "Выбраны счета - фактуры разных клиентов !"), true};
    // The expense blank charges one advertising tax on every invoice it lists; the tax waybill charges none.
    if (draft.kind != WaybillKind::Expense)
        return std::nullopt;
    const double rate = dm.ReadDocument(a)->FACT_NR;
    for (int number : {b, c})
        if (number > 0 && dm.ReadDocument(number)->FACT_NR != rate)
            return WaybillRefusal{
                QCoreApplication::translate("WaybillIssue",
                                            "Счета выписаны под разную величину налога на рекламу!"),
                true};
    return std::nullopt;
}

int StoreWaybill(TDM& dm, const WaybillDraft& draft)
{
    // What both kinds hold: the number (or the next free one when it is taken by then), the date, the
    // documents and the client.
    const auto common = [&draft](auto& w) {
        w.NAKL_NUMBER = draft.number;
        w.NAKL_DATA = draft.date;
        w.FACT1_NUMBER = draft.documents[0];
        w.FACT2_NUMBER = draft.documents[1];
        w.FACT3_NUMBER = draft.documents[2];
        w.ID_NUMBER = draft.clientId;
    };
    RowColumns row;
    if (draft.kind == WaybillKind::Expense) {
        const QString proxy =
            draft.proxyNumber.trimmed().isEmpty() ? QStringLiteral("0") : draft.proxyNumber.trimmed();
        bool ok = false;
        ExpenseWaybillRow w;
        w.DOV_NUMBER = proxy.toInt(&ok);
        if (!ok)
            throw DbError(QCoreApplication::translate("WaybillIssue", "№ доверенности — не целое число: %1")
                              .arg(proxy));
        common(w);
        w.INFO = ExpenseInfo(draft);
        w.NAME_CLIENT = draft.receiver;
        w.DOV_SERIE = draft.proxySerie;
        w.DOV_DATA = draft.proxyDate;
        row = columnsOf(w);
    } else {
        TaxWaybillRow w;
        common(w);
        w.NAME_CLIENT = draft.payer;
        w.INFO = draft.reason;
        w.OPLATA_TYPE = draft.paymentType;
        row = columnsOf(w);
    }
    if (!draft.date.isValid())
        throw DbError(QCoreApplication::translate("WaybillIssue", "Не указана дата накладной."));
    if (draft.number < 1)
        throw DbError(
            QCoreApplication::translate("WaybillIssue", "Номер накладной должен быть от 1 до 2147483647."));
    const TableDef& table = draft.kind == WaybillKind::Expense ? Tables::nakladn1() : Tables::nakladn2();
    return StoreWaybillColumns(dm, table, row.names, row.values, [&](int) {
        // The number offered when the dialog opened went to another waybill meanwhile: the next free one.
        if (draft.number != draft.proposedNumber)
            throw DbError(
                QCoreApplication::translate("WaybillIssue", "Накладная № %1 уже есть в базе данных.")
                    .arg(draft.number));
        return draft.kind == WaybillKind::Expense ? dm.NextNakl1Number() : dm.NextNakl2Number();
    });
}
