#include "documents/invoice_editor.h"

#include "db/collation.h"
#include "db/data_module.h"
#include "db/db_error.h"
#include "db/stores.h"
#include "db/tables.h"
#include "print/invoice_sums.h"

#include <QCoreApplication>

#include <algorithm>

namespace {

const QString kDateFormat = QStringLiteral("dd.MM.yyyy");
const QString kPriceMark = QStringLiteral("Цена: ");

void checkUnchanged(TDM& dm, const InvoiceDraft& draft);
int numberToStore(TDM& dm, const InvoiceDraft& draft);
void writeDraft(TDM& dm, const InvoiceDraft& draft, int number, int clientId, const Settings& settings);

} // namespace

InvoiceDraft OpenDraft(EditorCommand command, const ClientRow& client, const InvoiceRow* selected,
                       int nextInvoiceNumber, double advertisingTaxPercent, const QDate& today)
{
    using C = EditorCommand;
    InvoiceDraft d;
    d.isInvoice = command == C::NewInvoice || command == C::CopyInvoice || command == C::EditInvoice;
    d.isNew = command != C::EditInvoice && command != C::EditReceipt;
    const bool fromSelected = selected && command != C::NewInvoice && command != C::NewReceipt;
    d.lawAddress = client.LAWADDRESS;
    d.regNumber = client.REGNUMBER;
    d.taxCode = client.TAXCODE;
    d.dogNumber = client.DOGNUMBER;
    d.dogDate = client.DOGDATA.isValid() && client.DOGDATA != kDateZero ? client.DOGDATA.toString(kDateFormat)
                                                                        : QString();
    d.payerName = client.FIRMNAME;
    d.date = today;
    d.number = d.isInvoice ? nextInvoiceNumber : 0;
    d.proposedNumber = d.number;
    if (fromSelected) {
        for (std::size_t i = 0; i < d.positions.size(); ++i) {
            const Position& p = selected->positions[i];
            d.positions[i] = SplitName(p.name, d.isInvoice);
            d.positions[i].measure = p.measure;
            d.positions[i].count = p.count;
            d.positions[i].price = p.price;
        }
        if (d.isInvoice)
            d.dopNo = selected->FACT_DOPNO;
        if (!d.isNew) {
            d.original = *selected;
            d.number = selected->FACT_NUMBER;
            d.originalNumber = selected->FACT_NUMBER;
            d.date = selected->FACT_DATA;
            d.payerName = selected->NAME_OWNER;
        }
    }
    // An edit shows the invoice's own advertising tax: storing it unchanged must not add or drop one.
    d.advertisingTax =
        d.isInvoice && (d.original ? d.original->FACT_NR > 0.009 : advertisingTaxPercent > 0.009);
    return d;
}

DraftPosition SplitName(const QString& name, bool invoice)
{
    DraftPosition p;
    p.line1 = name.left(kLineLength);
    p.line2 = name.mid(kLineLength);
    // The blank a receipt's lines were joined with is not part of the second line; a name without it
    // (written some other way) is joined back without one, so storing it unchanged changes nothing.
    if (!invoice && !p.line2.isEmpty()) {
        p.blankBetween = p.line2.startsWith(u' ');
        if (p.blankBetween)
            p.line2.remove(0, 1);
    }
    return p;
}

QString JoinedName(const DraftPosition& p, bool invoice)
{
    if (p.line2.isEmpty())
        return p.line1;
    if (!invoice)
        return p.line1 + (p.blankBetween ? QStringLiteral(" ") : QString()) + p.line2;
    return p.line1.size() < kLineLength ? p.line1.leftJustified(kLineLength + 1) + p.line2
                                        : p.line1 + p.line2;
}

void PadFirstLines(InvoiceDraft& draft)
{
    if (!draft.isInvoice)
        return;
    for (DraftPosition& p : draft.positions)
        if (p.line1.size() < kLineLength && !p.line2.isEmpty())
            p.line1 = p.line1.leftJustified(kLineLength + 1);
}

QString PositionNumberProblem(TypedNumber problem, int position, bool count, const QString& text, int places)
{
    const QString field =
        count ? QCoreApplication::translate("InvoiceEditor", "Количество в позиции %1").arg(position)
              : QCoreApplication::translate("InvoiceEditor", "Цена в позиции %1").arg(position);
    switch (problem) {
    case TypedNumber::Ok:
        return {};
    case TypedNumber::NotANumber:
        return QCoreApplication::translate("InvoiceEditor", "%1: «%2» — не число.")
            .arg(field, text.trimmed());
    case TypedNumber::Negative:
        return QCoreApplication::translate("InvoiceEditor", "%1 не может быть меньше нуля: «%2».")
            .arg(field, text.trimmed());
    case TypedNumber::TooManyDecimals:
        return (count ? QCoreApplication::translate(
                            "InvoiceEditor", "%1: в «%2» больше знаков после запятой, чем позволяет точность "
                                             "количества в настройках программы (%3). Число не округляется: "
                                             "исправьте его или измените точность.")
                      : QCoreApplication::translate(
                            "InvoiceEditor", "%1: в «%2» больше знаков после запятой, чем позволяет точность "
                                             "цены в настройках программы (%3). Число не округляется: "
                                             "исправьте его или измените точность."))
            .arg(field, text.trimmed())
            .arg(places);
    }
    return {};
}

std::optional<PrecisionOffer> RaisePrecisionOffer(int position, bool count, const QString& text, int places)
{
    const int needed = TypedDecimalsNeeded(text);
    if (needed <= places || needed > kMostPlaces)
        return std::nullopt;
    const QString offer =
        !count ? QCoreApplication::translate("InvoiceEditor", "Увеличить точность цены до %1 знаков?")
                     .arg(needed)
        : needed == 1
            ? QCoreApplication::translate("InvoiceEditor", "Увеличить точность количества до 1 знака?")
            : QCoreApplication::translate("InvoiceEditor", "Увеличить точность количества до %1 знаков?")
                  .arg(needed);
    return PrecisionOffer{needed,
                          PositionNumberProblem(TypedNumber::TooManyDecimals, position, count, text, places) +
                              QStringLiteral("\n\n") + offer};
}

double NetOfVat(double grossPrice, int vatPercent)
{
    const long double price = grossPrice;
    const long double vat = vatPercent;
    return double(price - price * vat / (vat + 100));
}

namespace {

// An edited document keeps the rates it was written under: storing it unchanged changes no figure of it.
int vatRateOf(const InvoiceDraft& draft, const Settings& settings)
{
    return draft.original ? draft.original->FACT_NDS : settings.ndsValue;
}

double advertisingRateOf(const InvoiceDraft& draft, const Settings& settings)
{
    if (!draft.advertisingTax)
        return 0;
    return draft.original && draft.original->FACT_NR > 0.009 ? draft.original->FACT_NR : settings.reclTax;
}

double storedPrice(const InvoiceDraft& draft, const DraftPosition& p, const Settings& settings)
{
    return draft.withNds ? NetOfVat(p.price, vatRateOf(draft, settings)) : p.price;
}

// What the document would charge, to refuse one no blank can show before it is stored.
QString beyondBlank(const InvoiceDraft& draft, const Settings& settings)
{
    InvoiceRow row;
    for (std::size_t i = 0; i < draft.positions.size(); ++i) {
        const DraftPosition& p = draft.positions[i];
        row.positions[i] = {JoinedName(p, draft.isInvoice), p.measure, p.count,
                            storedPrice(draft, p, settings)};
    }
    row.FACT_NDS = vatRateOf(draft, settings);
    row.FACT_NR = draft.isInvoice ? advertisingRateOf(draft, settings) : 0;
    return AmountBeyondBlank(row);
}

} // namespace

int StoreDraft(TDM& dm, const InvoiceDraft& draft, int clientId, const Settings& settings)
{
    if (const QString beyond = beyondBlank(draft, settings); !beyond.isEmpty())
        throw DbError(beyond);
    if (draft.isInvoice && draft.number <= 0)
        throw DbError(
            QCoreApplication::translate("InvoiceEditor", "Номер счета-фактуры должен быть больше нуля."));
    if (!draft.date.isValid())
        throw DbError(QCoreApplication::translate("InvoiceEditor", "Не указана дата документа."));
    int number = 0;
    InOneWriteTurn(dm, [&] {
        if (!draft.isNew)
            checkUnchanged(dm, draft);
        number = numberToStore(dm, draft);
        writeDraft(dm, draft, number, clientId, settings);
    });
    return number;
}

namespace {

DbError goneWhileOpen(int number)
{
    return DbError(QCoreApplication::translate("InvoiceEditor",
                                               "Документ № %1 не найден: его удалили, пока он был открыт.")
                       .arg(number));
}

// The edited row is still there as the editor read it; another user's change is never written over.
void checkUnchanged(TDM& dm, const InvoiceDraft& draft)
{
    // On the server the row is held until the store ends, so no one changes it in between.
    const std::optional<InvoiceRow> stored = ReadDocumentForUpdate(dm, draft.originalNumber);
    if (!stored)
        throw goneWhileOpen(draft.originalNumber);
    if (draft.original && *stored != *draft.original)
        throw DbError(QCoreApplication::translate(
                          "InvoiceEditor", "Документ № %1 изменили на другом рабочем месте, пока он был "
                                           "открыт. Ваши изменения не сохранены: откройте документ "
                                           "заново.")
                          .arg(draft.originalNumber));
}

int numberToStore(TDM& dm, const InvoiceDraft& draft)
{
    if (!draft.isInvoice)
        return draft.isNew ? dm.NextReceiptNumber() : draft.originalNumber;
    const bool moves = draft.isNew || draft.number != draft.originalNumber;
    if (!moves || !dm.ReadDocument(draft.number))
        return draft.number;
    // The number offered when the editor opened went to another document meanwhile: the next free one.
    if (draft.isNew && draft.number == draft.proposedNumber)
        return dm.NextFactNumber();
    throw DbError(QCoreApplication::translate("InvoiceEditor", "Счет-фактура № %1 уже есть в базе данных.")
                      .arg(draft.number));
}

void writeDraft(TDM& dm, const InvoiceDraft& draft, int number, int clientId, const Settings& settings)
{
    InvoiceRow row;
    row.FACT_NUMBER = number;
    row.FACT_DOPNO = draft.dopNo;
    row.FACT_DATA = draft.date;
    for (std::size_t i = 0; i < draft.positions.size(); ++i) {
        const DraftPosition& p = draft.positions[i];
        row.positions[i] = {JoinedName(p, draft.isInvoice), p.measure, p.count,
                            storedPrice(draft, p, settings)};
    }
    row.NAME_OWNER = draft.payerName;
    row.ID_NUMBER = clientId;
    row.FACT_NDS = vatRateOf(draft, settings);
    row.FACT_NR = draft.isInvoice ? advertisingRateOf(draft, settings) : 0;
    // A receipt has no number suffix and no advertising tax of its own: what its row holds stays.
    const RowColumns stored = columnsOf(
        row, draft.isInvoice ? QStringList{}
                             : QStringList{QStringLiteral("FACT_DOPNO"), QStringLiteral("FACT_NR")});
    if (draft.isNew)
        InsertDocumentColumns(dm, stored);
    else if (!UpdateDocumentColumns(dm, draft.originalNumber, stored))
        throw goneWhileOpen(draft.originalNumber);
}

} // namespace

void StorePayerDetails(TDM& dm, int clientId, const InvoiceDraft& draft)
{
    QDate contract;
    if (!draft.dogDate.trimmed().isEmpty()) {
        contract = QDate::fromString(draft.dogDate.trimmed(), kDateFormat);
        if (!contract.isValid())
            throw DbError(QCoreApplication::translate("InvoiceEditor", "Неверная дата договора: %1")
                              .arg(draft.dogDate.trimmed()));
    }
    const TableDef& t = Tables::clients();
    RowColumns payer(t);
    for (const auto& [column, text] : {std::pair{"FIRMNAME", &draft.payerName},
                                       {"LAWADDRESS", &draft.lawAddress},
                                       {"REGNUMBER", &draft.regNumber},
                                       {"TAXCODE", &draft.taxCode},
                                       {"DOGNUMBER", &draft.dogNumber}})
        payer.set(column, cutToColumn(t, QLatin1String(column), *text));
    UpdateClientColumns(dm, clientId, payer.set("DOGDATA", dateToDb(contract)));
}

double ParseDecimalText(const QString& text)
{
    qsizetype separator = text.indexOf(u'.');
    if (separator < 0)
        separator = text.indexOf(u',');
    const QString whole = separator < 0 ? text : text.left(separator);
    const QString fraction = separator < 0 ? QString() : text.mid(separator + 1);
    const auto isDigit = [](QChar c) { return c >= u'0' && c <= u'9'; };
    if (!std::all_of(whole.begin(), whole.end(), isDigit) ||
        !std::all_of(fraction.begin(), fraction.end(), isDigit))
        return 0;
    double value = 0;
    for (qsizetype i = fraction.size() - 1; i >= 0; --i)
        value = (value + fraction[i].digitValue()) / 10;
    double units = 0;
    for (QChar c : whole)
        units = units * 10 + c.digitValue();
    return units + value;
}

QStringList GoodsPickerItems(const TDM& dm, int pricePlaces)
{
    QStringList items;
    for (const auto& [name, price] : ReadGoods(dm)) {
        // A row of neither name nor price (an insert given up in an older version) is nothing to pick.
        if (name.trimmed().isEmpty() && price == 0)
            continue;
        items << name + QStringLiteral("   ") + kPriceMark +
                     QString::number(price, 'f', std::clamp(pricePlaces, 0, 9));
    }
    std::stable_sort(items.begin(), items.end(),
                     [](const QString& a, const QString& b) { return compareText(a, b) < 0; });
    return items;
}

PickedGoods ParsePickedText(const QString& text)
{
    PickedGoods picked;
    QString name = text;
    const qsizetype mark = text.indexOf(kPriceMark);
    if (mark >= 0) {
        // The whole price, however many characters it has.
        const QString price = text.mid(mark + kPriceMark.size()).trimmed();
        if (!price.isEmpty())
            picked.price = ParseDecimalText(price);
        name = text.left(mark);
    }
    name = name.trimmed();
    picked.line1 = name.left(kLineLength);
    picked.line2 = name.mid(kLineLength);
    return picked;
}

void StoreGoods(TDM& dm, const DraftPosition& position)
{
    AddGoods(dm, position.line1 + position.line2, position.price);
}
