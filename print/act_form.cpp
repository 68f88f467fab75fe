#include "print/act_form.h"

#include "base/month_names.h"
#include "base/prompter.h"
#include "base/requisites.h"
#include "db/data_module.h"
#include "db/stores.h"
#include "print/amount_in_words.h"
#include "print/blank_parts.h"
#include "print/invoice_sums.h"
#include "print/payment_qr.h"

#include <QCoreApplication>

namespace {

using namespace Blank;

// Every text box is as large as its longest text needs at the designed size; a longer one shrinks to fit.
const LabelDef kLabels[] = {
    {"ActTitle", 76, 56, 642, 44, 'A', 12, true, 'c', false, ""},
    {"ActCity", 76, 108, 320, 18, 'A', 10, false, 'l', false, ""},
    {"ActDate", 398, 108, 320, 18, 'A', 10, false, 'r', false, ""},
    {"ExecutorCaption", 76, 142, 110, 18, 'A', 10, true, 'l', false, "Виконавець:"},
    {"ExecutorName", 190, 142, 528, 18, 'A', 10, true, 'l', false, ""},
    {"ExecutorDetails", 190, 162, 528, 58, 'A', 9, false, 'l', false, ""},
    {"CustomerCaption", 76, 228, 110, 18, 'A', 10, true, 'l', false, "Замовник:"},
    {"CustomerName", 190, 228, 528, 18, 'A', 10, true, 'l', false, ""},
    {"CustomerDetails", 190, 248, 528, 58, 'A', 9, false, 'l', false, ""},
    {"Preamble", 76, 316, 642, 52, 'A', 10, false, 'l', false, ""},
    {"HeadNumber", 78, 380, 24, 36, 'A', 9, true, 'c', false, "№"},
    {"HeadWork", 106, 380, 244, 36, 'A', 9, true, 'c', false, "Найменування робіт (послуг)"},
    {"HeadPeriod", 356, 380, 104, 36, 'A', 9, true, 'c', false, "Період"},
    {"HeadSum", 466, 380, 80, 36, 'A', 9, true, 'c', false, "Сума без ПДВ"},
    {"HeadVat", 552, 380, 74, 36, 'A', 9, true, 'c', false, ""},
    {"HeadTotal", 632, 380, 84, 36, 'A', 9, true, 'c', false, "Разом з ПДВ"},
    {"RowNumber", 78, 424, 24, 18, 'A', 10, false, 'c', false, "1"},
    {"RowWork", 106, 422, 244, 86, 'A', 9, false, 'l', false, ""},
    {"RowPeriod", 356, 422, 104, 36, 'A', 10, false, 'c', false, ""},
    {"RowSum", 466, 424, 80, 18, 'A', 10, false, 'r', false, ""},
    {"RowVat", 552, 424, 74, 18, 'A', 10, false, 'r', false, ""},
    {"RowTotal", 632, 424, 84, 18, 'A', 10, true, 'r', false, ""},
    {"TotalCaption", 380, 522, 240, 18, 'A', 10, true, 'r', false, "Всього з ПДВ:"},
    {"Total", 620, 522, 96, 18, 'A', 10, true, 'r', false, ""},
    {"VatCaption", 380, 542, 240, 18, 'A', 10, false, 'r', false, ""},
    {"Vat", 620, 542, 96, 18, 'A', 10, false, 'r', false, ""},
    {"WordsCaption", 76, 570, 130, 18, 'A', 10, false, 'l', false, "Всього на суму:"},
    {"StrSum", 206, 570, 512, 38, 'T', 12, true, 'l', false, ""},
    {"Accepted", 76, 620, 642, 38, 'A', 10, false, 'l', false,
     "Роботи (послуги) виконано повністю і в строк. Замовник претензій щодо обсягу, якості та строків "
     "виконання робіт (надання послуг) не має."},
    {"ExecutorSide", 76, 680, 300, 18, 'A', 10, true, 'l', false, "Від Виконавця"},
    {"CustomerSide", 418, 680, 300, 18, 'A', 10, true, 'l', false, "Від Замовника"},
    {"ExecutorSign", 76, 726, 300, 18, 'A', 10, false, 'l', false, ""},
    {"CustomerSign", 418, 726, 300, 18, 'A', 10, false, 'l', false, ""},
    {"ExecutorStamp", 76, 756, 60, 18, 'A', 10, false, 'l', false, "М.П."},
    {"CustomerStamp", 418, 756, 60, 18, 'A', 10, false, 'l', false, "М.П."},
};

// The table: its frame, the header's line, and the columns' lines.
const ShapeDef kShapes[] = {
    {"TableFrame", ShapeKind::Rectangle, 74, 376, 646, 136},
    {"HeadLine", ShapeKind::HorLine, 74, 418, 646, 1},
    {"NumberLine", ShapeKind::VertLine, 104, 376, 1, 136},
    {"WorkLine", ShapeKind::VertLine, 352, 376, 1, 136},
    {"PeriodLine", ShapeKind::VertLine, 462, 376, 1, 136},
    {"SumLine", ShapeKind::VertLine, 548, 376, 1, 136},
    {"VatLine", ShapeKind::VertLine, 628, 376, 1, 136},
};

// The parts of a firm's details that it keeps, in print order.
QString details(const QString& edrpou, const QString& taxCode, const QString& account, const QString& bank,
                const QString& bankCode, const QString& address, const QString& phone)
{
    const auto kept = [](const QString& s) { return !s.trimmed().isEmpty(); };
    QStringList codes, bankLine, lines;
    if (kept(edrpou))
        codes << QStringLiteral("код ЄДРПОУ ") + edrpou.trimmed();
    if (kept(taxCode))
        codes << QStringLiteral("ІПН ") + taxCode.trimmed();
    if (kept(account))
        bankLine << (LooksLikeIban(account) ? QStringLiteral("IBAN ") + GroupedIban(account)
                                            : QStringLiteral("р/р ") + account.trimmed());
    if (kept(bank))
        bankLine << QStringLiteral("в ") + bank.trimmed();
    if (kept(bankCode))
        bankLine << QStringLiteral("МФО ") + bankCode.trimmed();
    if (!codes.isEmpty())
        lines << codes.join(QStringLiteral(", "));
    if (!bankLine.isEmpty())
        lines << bankLine.join(QStringLiteral(", "));
    if (kept(address))
        lines << QStringLiteral("адреса: ") + address.trimmed() +
                     (kept(phone) ? QStringLiteral(", тел. ") + phone.trimmed() : QString());
    return lines.join(u'\n');
}

// An IBAN names its bank: its code is printed from it when a new book's zeros are kept instead.
QString bankCodeOf(const QString& kept, const QString& account)
{
    const QString code = kept.trimmed();
    const bool zeros = std::all_of(code.begin(), code.end(), [](QChar c) { return c == u'0'; });
    return zeros && !BankCodeOfIban(account).isEmpty() ? BankCodeOfIban(account) : code;
}

QString longDate(const QDate& date)
{
    return twoDigits(date.day()) + u' ' + MonthName(kUkrainianGenitiveBlock + date.month()) + u' ' +
           QString::number(date.year()) + QStringLiteral(" р.");
}

} // namespace

Page FillActBlank(const ActDraft& act, const ClientRow& client, const OwnerRecord& owner,
                  const Settings& settings, Prompter* prompter)
{
    Page page(PageUnit::Px);
    AddLabels(page, kLabels);
    AddShapes(page, kShapes);
    set(page, "ActTitle",
        QStringLiteral("Акт № %1 здачі-приймання виконаних робіт (наданих послуг)").arg(act.number));
    const QString city = owner.BANKCITY.trimmed().isEmpty() ? owner.CITY : owner.BANKCITY;
    set(page, "ActCity", city.trimmed().isEmpty() ? QString() : QStringLiteral("м. ") + city.trimmed());
    set(page, "ActDate", longDate(act.date));

    set(page, "ExecutorName", owner.FIRMNAME);
    set(page, "ExecutorDetails",
        details(owner.OKPOCODE, owner.TAXCODE, owner.CHETNUMBER, owner.BANKNAME,
                bankCodeOf(owner.MFOCODE, owner.CHETNUMBER), owner.LAWADDRESS, owner.TELFAX));
    set(page, "CustomerName", client.FIRMNAME);
    set(page, "CustomerDetails",
        details(client.OKPOCODE, client.TAXCODE, client.CHETNUMBER, client.BANKNAME,
                bankCodeOf(client.MFOCODE, client.CHETNUMBER), client.LAWADDRESS, client.TELFAX));

    const bool contract = !client.DOGNUMBER.trimmed().isEmpty();
    const QString contractText =
        contract ? QStringLiteral(" згідно з договором № %1").arg(client.DOGNUMBER.trimmed()) +
                       (isEmptyDate(client.DOGDATA)
                            ? QString()
                            : QStringLiteral(" від ") + client.DOGDATA.toString(QStringLiteral("dd.MM.yyyy")))
                 : QString();
    set(page, "Preamble",
        QStringLiteral(
            "Ми, що нижче підписалися, представник Виконавця %1 та представник Замовника %2, склали "
            "цей акт про те, що Виконавець виконав, а Замовник прийняв такі роботи (послуги)%3:")
            .arg(owner.CHIEF.trimmed(), act.representative.trimmed(), contractText));

    const Taxed sums = SumAct(act);
    set(page, "HeadVat", QStringLiteral("ПДВ %1 %").arg(act.vatRate));
    set(page, "RowWork", act.kindOfWork);
    set(page, "RowPeriod", ActBlankPeriod(act.period.month, act.period.year));
    set(page, "RowSum", sums.subtotal.text());
    set(page, "RowVat", sums.vat.text());
    set(page, "RowTotal", sums.total.text());
    set(page, "Total", sums.total.text());
    set(page, "VatCaption", QStringLiteral("у т.ч. ПДВ %1 %:").arg(act.vatRate));
    set(page, "Vat", sums.vat.text());
    set(page, "StrSum",
        AmountInWords(sums.total.toDouble(), settings.rusOrUkr, settings.grvOrBaks, false, true, prompter));
    set(page, "ExecutorSign", QStringLiteral("____________ / %1 /").arg(owner.CHIEF.trimmed()));
    set(page, "CustomerSign", QStringLiteral("____________ / %1 /").arg(act.representative.trimmed()));

    // The code in the free corner under the customer's signature.
    if (settings.paymentQr) {
        const InvoicePaymentCode payment = ActPayment(owner, act, sums);
        QString note = payment.note;
        if (payment.request && !AddPaymentQr(page, PaymentQrText(*payment.request), 718, 790))
            note = QCoreApplication::translate("InvoiceForm",
                                               "QR-код для оплаты не напечатан: его данные больше, чем "
                                               "вмещает QR-код версии 20.");
        if (!note.isEmpty() && prompter)
            prompter->warn(note);
    }
    return page;
}

std::optional<Page> PrepareActPage(const TDM& dm, int number, const OwnerRecord& owner,
                                   const Settings& settings, Prompter* prompter, QString* error)
{
    const auto refuse = [error](const QString& why) {
        if (error)
            *error = why;
        return std::nullopt;
    };
    const std::optional<StoredAct> stored = number > 0 ? ReadAct(dm, number) : std::nullopt;
    if (!stored)
        return refuse(QCoreApplication::translate("ActForm", "Акт № %1 не найден.").arg(number));
    const std::optional<ClientRow> client = dm.ReadClient(stored->clientId);
    if (!client)
        return refuse(
            QCoreApplication::translate("ActForm", "Клиент № %1 акта № %2 не найден. Акт не напечатан.")
                .arg(stored->clientId)
                .arg(number));
    // A period stored by another tool that is no month or quarter would print an act for no period.
    if (ActPeriodName(stored->act.period.month).isEmpty())
        return refuse(QCoreApplication::translate(
                          "ActForm",
                          "Акт № %1 не напечатан: его период (%2) — не месяц от 1 до 12 и не квартал от "
                          "13 до 16. Исправьте период в акте.")
                          .arg(number)
                          .arg(stored->act.period.month));
    if (const QString beyond = TotalBeyondBlank(SumAct(stored->act).total); !beyond.isEmpty())
        return refuse(
            QCoreApplication::translate("ActForm", "Акт № %1 не напечатан: %2").arg(number).arg(beyond));
    return FillActBlank(stored->act, *client, owner, settings, prompter);
}
