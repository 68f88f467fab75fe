#include "payments/payments.h"

#include "db/data_module.h"
#include "db/stores.h"
#include "db/tables.h"
#include "print/invoice_sums.h"
#include "print/payment_qr.h"

#include <QCoreApplication>

#include <algorithm>

Money UnpaidRest(const TDM& dm, int number, bool act)
{
    Money total;
    if (act) {
        if (const std::optional<StoredAct> a = ReadAct(dm, number))
            total = SumAct(a->act).total;
    } else if (const std::optional<InvoiceRow> invoice = dm.ReadDocument(number)) {
        total = SumInvoice(*invoice).total;
    }
    return Money::fromKopecks(total.kopecks() - PaidKopecks(dm, number, act));
}

std::optional<PaymentDraft> OpenDocumentPayment(const TDM& dm, int number, bool act, const QDate& today,
                                                QString* error)
{
    PaymentDraft draft;
    draft.row.PLAT_DATA = today;
    if (act) {
        const std::optional<StoredAct> a = number > 0 ? ReadAct(dm, number) : std::nullopt;
        if (!a) {
            *error = QCoreApplication::translate("Payments", "Акт № %1 не найден.").arg(number);
            return std::nullopt;
        }
        draft.row.ID_NUMBER = a->clientId;
        draft.row.ACT_NUMBER = number;
        draft.row.INFO = ActPurpose(a->act);
    } else {
        const std::optional<InvoiceRow> invoice = number > 0 ? dm.ReadDocument(number) : std::nullopt;
        if (!invoice) {
            *error = QCoreApplication::translate("Payments", "Счет-фактура № %1 не найден.").arg(number);
            return std::nullopt;
        }
        draft.row.ID_NUMBER = invoice->ID_NUMBER;
        draft.row.FACT_NUMBER = number;
        draft.row.INFO = InvoicePurpose(*invoice);
    }
    draft.rest = UnpaidRest(dm, number, act);
    draft.row.SUMMA = std::max(draft.rest, Money()).toDouble();
    return draft;
}

PaymentDraft OpenClientPayment(int clientId, const QDate& today)
{
    PaymentDraft draft;
    draft.row.PLAT_DATA = today;
    draft.row.ID_NUMBER = clientId;
    return draft;
}

QString PaymentProblem(const PaymentRow& p)
{
    if (p.ID_NUMBER <= 1)
        return QCoreApplication::translate("Payments", "Платёж без клиента: выберите клиента.");
    if (!p.PLAT_DATA.isValid())
        return QCoreApplication::translate("Payments", "У платежа нет даты.");
    const Money sum = Money::fromDouble(p.SUMMA);
    if (!sum.isValid() || sum <= Money())
        return QCoreApplication::translate("Payments", "Сумма платежа должна быть больше нуля.");
    if (p.SUMMA > kLargestAmount)
        return QCoreApplication::translate("Payments",
                                           "Сумма платежа больше наибольшей (999 999 999 999,99).");
    for (const auto& [column, text] : {std::pair{"INFO", &p.INFO}, std::pair{"BANK_NUMBER", &p.BANK_NUMBER}})
        if (const int size = Tables::plateg().column(QLatin1String(column))->size; text->size() > size)
            return QCoreApplication::translate("Payments", "«%1…»: %2 знаков, а помещается %3.")
                .arg(text->left(30))
                .arg(text->size())
                .arg(size);
    return {};
}

QString StoreTypedPayment(TDM& dm, PaymentRow payment)
{
    if (const QString problem = PaymentProblem(payment); !problem.isEmpty())
        return problem;
    payment.SOURCE = QStringLiteral("typed");
    payment.LINE_KEY.clear();
    StorePayments(dm, {payment});
    return {};
}

QString ClientBalanceText(const TDM& dm, int clientId, const QDate& date)
{
    const std::vector<ClientBalance> balances =
        clientId > 1 ? ReadBalances(dm, date, clientId) : std::vector<ClientBalance>{};
    if (balances.empty())
        return {};
    const ClientBalance& b = balances.front();
    const qint64 owed = b.charged - b.paid;
    return QCoreApplication::translate("Payments", "На %1: начислено %2, оплачено %3, %4 %5.")
        .arg(date.toString(QStringLiteral("dd.MM.yyyy")), Money::fromKopecks(b.charged).text(),
             Money::fromKopecks(b.paid).text(),
             owed >= 0 ? QCoreApplication::translate("Payments", "долг")
                       : QCoreApplication::translate("Payments", "переплата"),
             Money::fromKopecks(owed >= 0 ? owed : -owed).text());
}
