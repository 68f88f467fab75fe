#include "print/invoice_form.h"

#include "base/text_case.h"

#include "base/month_names.h"
#include "base/number_format.h"
#include "base/prompter.h"
#include "base/requisites.h"
#include "db/data_module.h"
#include "db/tables.h"
#include "print/amount_in_words.h"
#include "print/blank_parts.h"
#include "print/invoice_sums.h"
#include "print/payment_qr.h"

#include <QCoreApplication>
#include <QDir>
#include <QImageReader>

#include <algorithm>

namespace {

using namespace Blank;

const LabelDef kLabels[] = {
    {"QRLabel1", 112, 44, 91, 16, 'A', 9, false, 'l', true, " Постачальник  "},
    {"QRLabel2", 112, 62, 73, 16, 'A', 9, false, 'l', true, " його адреса"},
    {"QRNameOwn", 204, 44, 277, 17, 'A', 10, true, 'l', false, ""},
    {"QRTelOwn", 184, 71, 297, 17, 'A', 10, true, 'l', false, ""},
    {"QRLabel5", 112, 91, 60, 16, 'A', 9, false, 'l', true, "Код ЗКПО "},
    {"QRLabel6", 112, 113, 37, 16, 'A', 9, false, 'l', true, "Рах.№"},
    {"QRCityOwn", 112, 151, 62, 17, 'A', 10, true, 'l', true, ""},
    {"QRLabel8", 530, 44, 138, 17, 'A', 10, true, 'l', true, " РАХУНОК-ФАКТУРА "},
    {"QRLabel9", 546, 73, 31, 17, 'A', 10, false, 'l', true, " №   "},
    {"QRLabel10", 498, 98, 31, 16, 'A', 9, true, 'l', true, "  від  "},
    {"DayL", 546, 98, 15, 16, 'A', 9, true, 'l', true, ""},
    {"MonthL", 566, 98, 50, 16, 'A', 9, true, 'l', true, ""},
    {"YearL", 638, 98, 29, 16, 'A', 9, true, 'l', true, ""},
    {"QRLabel12", 677, 98, 11, 16, 'A', 9, true, 'l', true, "р."},
    {"QRLabel11", 495, 123, 82, 17, 'A', 10, false, 'l', true, " по договору "},
    {"QRLabel13", 486, 143, 15, 17, 'A', 10, false, 'l', true, "№"},
    {"NoDogL", 504, 143, 52, 16, 'A', 9, true, 'c', false, ""},
    {"QRLabel15", 558, 143, 25, 16, 'A', 9, true, 'l', true, " від "},
    {"DogDayL", 583, 143, 21, 16, 'A', 9, true, 'l', true, ""},
    {"DogMonL", 606, 143, 50, 16, 'A', 9, true, 'c', false, ""},
    {"DogYearL", 671, 143, 29, 16, 'A', 9, true, 'l', true, ""},
    {"QRLabel14", 703, 143, 14, 16, 'A', 9, true, 'l', true, " р."},
    {"QRLabel21", 112, 173, 61, 17, 'A', 10, false, 'l', true, " Платник  "},
    {"QRLabel22", 112, 196, 102, 17, 'A', 10, false, 'l', true, " та його адреса  "},
    {"QRLabel23", 111, 241, 58, 17, 'A', 10, false, 'l', true, " в банку  "},
    {"QRLabel24", 112, 220, 58, 17, 'A', 10, false, 'l', true, " Рах. №  "},
    {"QRLabel25", 115, 262, 29, 17, 'A', 10, false, 'l', true, "в м. "},
    {"QRLabel26", 370, 262, 34, 17, 'A', 10, false, 'l', true, " обл. "},
    {"ChetL", 181, 220, 169, 17, 'A', 10, true, 'l', false, ""},
    {"CityL", 145, 262, 175, 17, 'A', 10, true, 'l', false, ""},
    {"RegionL", 412, 262, 261, 17, 'A', 10, true, 'l', false, ""},
    {"FirmNameL", 176, 172, 537, 20, 'A', 11, true, 'c', false, ""},
    {"AdressL", 216, 196, 473, 17, 'A', 10, true, 'l', false, ""},
    {"BankNameL", 176, 241, 407, 17, 'A', 10, true, 'l', false, ""},
    {"QRLabel41", 172, 302, 101, 17, 'A', 10, false, 'l', true, "  Найменування "},
    {"QRLabel42", 455, 302, 50, 17, 'A', 10, false, 'l', true, "Од.вим."},
    {"QRLabel43", 515, 302, 48, 17, 'A', 10, false, 'l', true, "  К-сть  "},
    {"QRLabel44", 583, 302, 40, 17, 'A', 10, false, 'l', true, "  Ціна "},
    {"QRLabel45", 651, 302, 45, 17, 'A', 10, false, 'l', true, " Сума  "},
    {"StrPo1", 116, 343, 160, 17, 'A', 10, true, 'l', true, ""},
    {"StrPO12", 116, 359, 5, 17, 'A', 10, true, 'l', true, ""},
    {"ItogPO1", 646, 351, 68, 21, 'A', 10, true, 'r', false, ""},
    {"StrPo2", 116, 383, 5, 17, 'A', 10, true, 'l', true, ""},
    {"StrPo22", 116, 403, 5, 17, 'A', 10, true, 'l', true, ""},
    {"ItogPo2", 645, 391, 69, 21, 'A', 10, true, 'r', false, ""},
    {"ItogIo1", 645, 433, 69, 21, 'A', 10, true, 'r', false, ""},
    {"StrIO1", 116, 423, 5, 17, 'A', 10, true, 'l', true, ""},
    {"StrIo12", 116, 443, 5, 17, 'A', 10, true, 'l', true, ""},
    {"StrIo2", 116, 467, 5, 17, 'A', 10, true, 'l', true, ""},
    {"StrIO22", 116, 485, 5, 17, 'A', 10, true, 'l', true, ""},
    {"ItogIO2", 645, 472, 69, 21, 'A', 10, true, 'r', false, ""},
    {"QRLabel49", 108, 671, 136, 17, 'A', 10, false, 'l', true, ""},
    {"QRLabel50", 276, 671, 221, 17, 'A', 10, false, 'l', false, "______________________________"},
    {"QRLabel51", 112, 776, 91, 17, 'A', 10, true, 'l', true, ""},
    {"QRLabel52", 112, 796, 348, 17, 'A', 10, true, 'l', true, ""},
    {"NoFactL", 574, 73, 58, 16, 'A', 9, true, 'r', false, ""},
    {"QRLabel53", 240, 720, 37, 19, 'A', 12, false, 'l', true, "М. П."},
    {"QROKPOOwn", 175, 90, 61, 17, 'A', 10, true, 'l', true, ""},
    {"QRMFOOwn", 242, 150, 92, 17, 'A', 10, true, 'l', true, ""},
    {"QRChetOwn", 172, 112, 113, 19, 'A', 10, true, 'l', false, ""},
    {"QRBankOwn", 112, 132, 357, 17, 'A', 9, true, 'l', false, ""},
    {"QR1", 468, 353, 21, 17, 'A', 10, true, 'l', true, ""},
    {"QR2", 468, 393, 21, 17, 'A', 10, true, 'l', true, ""},
    {"QRBuhOwn", 504, 671, 189, 17, 'A', 10, true, 'l', true, ""},
    {"QR3", 468, 435, 21, 17, 'A', 10, true, 'l', true, ""},
    {"QR4", 468, 474, 21, 17, 'A', 10, true, 'l', true, ""},
    {"SFNumPOS1", 512, 352, 52, 19, 'A', 10, true, 'r', false, ""},
    {"SFNumPos2", 512, 392, 53, 19, 'A', 10, true, 'r', false, ""},
    {"SFNumPOs3", 512, 434, 52, 19, 'A', 10, true, 'r', false, ""},
    {"SFNumPos4", 512, 473, 52, 19, 'A', 10, true, 'r', false, ""},
    {"QRPrice_pos1", 568, 351, 71, 19, 'A', 10, true, 'r', false, ""},
    {"QRPrice_pos2", 568, 391, 71, 19, 'A', 10, true, 'r', false, ""},
    {"QRPrice_pos3", 568, 434, 71, 19, 'A', 10, true, 'r', false, ""},
    {"QRPrice_pos4", 569, 473, 70, 19, 'A', 10, true, 'r', false, ""},
    {"QRLabel3", 115, 560, 126, 17, 'A', 10, true, 'l', true, ""},
    {"QRLabel4", 644, 558, 72, 21, 'A', 10, true, 'r', false, ""},
    {"QRLabel46", 116, 509, 53, 17, 'A', 10, true, 'l', true, "ИТОГО :"},
    {"Itogo", 644, 507, 71, 21, 'A', 10, true, 'r', false, ""},
    {"QRLabel54", 116, 534, 36, 17, 'A', 10, true, 'l', true, ""},
    {"NDS", 644, 532, 72, 21, 'A', 10, true, 'r', false, ""},
    {"ALLSumma", 644, 584, 72, 21, 'A', 10, true, 'r', false, ""},
    {"StrSum", 116, 632, 593, 20, 'T', 12, true, 'l', false, ""},
    {"QRLabel47", 116, 610, 130, 18, 'A', 11, false, 'l', true, ""},
    {"QRLabel55", 116, 587, 56, 17, 'A', 10, true, 'l', true, ""},
    {"QRLabel7", 632, 73, 13, 16, 'A', 9, true, 'l', true, ""},
};

const ShapeDef kShapes[] = {
    {"QRShape1", ShapeKind::Rectangle, 109, 38, 376, 132},
    {"QRShape2", ShapeKind::Rectangle, 484, 38, 234, 132},
    {"QRShape6", ShapeKind::Rectangle, 109, 169, 609, 115},
    {"QRShape12", ShapeKind::Rectangle, 109, 283, 609, 16},
    {"QRShape13", ShapeKind::Rectangle, 109, 298, 342, 43},
    {"QRShape14", ShapeKind::Rectangle, 450, 298, 268, 23},
    {"QRShape15", ShapeKind::Rectangle, 450, 320, 268, 21},
    {"QRShape22", ShapeKind::Rectangle, 109, 340, 342, 42},
    {"QRShape23", ShapeKind::Rectangle, 450, 340, 268, 42},
    {"QRShape34", ShapeKind::Rectangle, 109, 381, 342, 41},
    {"QRShape36", ShapeKind::Rectangle, 450, 381, 268, 41},
    {"QRShape40", ShapeKind::Rectangle, 109, 421, 342, 42},
    {"QRShape42", ShapeKind::Rectangle, 450, 421, 268, 42},
    {"QRShape46", ShapeKind::Rectangle, 109, 462, 342, 42},
    {"QRShape47", ShapeKind::Rectangle, 450, 462, 268, 42},
    {"QRShape51", ShapeKind::Rectangle, 109, 529, 609, 27},
    {"QRShape52", ShapeKind::Rectangle, 109, 555, 609, 27},
    {"QRShape3", ShapeKind::Rectangle, 109, 503, 609, 27},
    {"QRShape27", ShapeKind::Rectangle, 109, 581, 609, 27},
    {"QRShape53", ShapeKind::Rectangle, 109, 607, 609, 48},
    {"QRShape4", ShapeKind::VertLine, 448, 502, 4, 105},
    {"QRShape16", ShapeKind::VertLine, 507, 298, 4, 309},
    {"QRShape19", ShapeKind::VertLine, 565, 298, 2, 309},
    {"QRShape20", ShapeKind::VertLine, 641, 298, 2, 309},
};

struct PositionLabels {
    const char* count;
    const char* price;
    const char* sum;
    const char* unit;
    const char* name1;
    const char* name2;
    int cutAt; // a name this long or longer goes on two lines
};

const PositionLabels kPositions[4] = {
    {"SFNumPOS1", "QRPrice_pos1", "ItogPO1", "QR1", "StrPo1", "StrPO12", 36},
    {"SFNumPos2", "QRPrice_pos2", "ItogPo2", "QR2", "StrPo2", "StrPo22", 36},
    {"SFNumPOs3", "QRPrice_pos3", "ItogIo1", "QR3", "StrIO1", "StrIo12", 36},
    // The fourth name line was always cut one character later.
    {"SFNumPos4", "QRPrice_pos4", "ItogIO2", "QR4", "StrIo2", "StrIO22", 37},
};

int monthBlock(const Settings& s)
{
    return s.rusOrUkr ? kRussianGenitiveBlock : kUkrainianGenitiveBlock;
}

} // namespace

QString MoneyText(double amount)
{
    return FormatFixed(amount, 2, u',').rightJustified(10, u' ');
}

QString MoneyText(Money amount)
{
    return amount.text().rightJustified(10, u' ');
}

Page CreateInvoiceBlank()
{
    Page page(PageUnit::Px);
    AddLabels(page, kLabels);
    AddShapes(page, kShapes);
    PageElement picture;
    picture.name = QStringLiteral("QRImage2");
    picture.kind = ElementKind::Image;
    picture.left = 77;
    picture.top = 40;
    picture.width = 15;
    picture.height = 140;
    picture.stretch = true;
    picture.frame = true;
    page.add(picture);
    return page;
}

namespace {

// The right edges of the supplier's and the payer's boxes, less a little room.
constexpr double kSupplierBoxRight = 480;
constexpr double kPayerBoxRight = 713;

// An IBAN is printed whole in groups of four, its label widened to the edge of its box; an old account as
// it is stored.
void setAccount(Page& page, const char* label, const QString& account, double boxRight)
{
    if (!LooksLikeIban(account)) {
        set(page, label, account);
        return;
    }
    set(page, label, GroupedIban(account));
    if (PageElement* e = page.element(QLatin1String(label)))
        e->width = std::max(e->width, boxRight - e->left);
}

} // namespace

namespace {

// 1. Captions in the language of the totals.
void fillCaptions(Page& page, bool russian)
{
    set(page, "QRLabel54", russian ? QStringLiteral("НДС") : QStringLiteral("ПДВ"));
    set(page, "QRLabel55", russian ? QStringLiteral("ВСЕГО") : QStringLiteral("ВСЬОГО"));
    set(page, "QRLabel47", russian ? QStringLiteral("Сумма прописью :") : QStringLiteral("Сума прописом :"));
    set(page, "QRLabel51", russian ? QStringLiteral("Примечание :") : QStringLiteral("Примітка :"));
    set(page, "QRLabel52",
        russian ? QStringLiteral("Счет действителен в течение трех банковских дней.")
                : QStringLiteral("Рахунок дійсний протягом трьох банківських днів"));
}

// 2. The supplier: the owner firm.
void fillSupplier(Page& page, const OwnerRecord& owner)
{
    set(page, "QRNameOwn", owner.FIRMNAME);
    set(page, "QRTelOwn", QStringLiteral("тел. ") + owner.TELFAX);
    set(page, "QROKPOOwn", owner.OKPOCODE);
    setAccount(page, "QRChetOwn", owner.CHETNUMBER, kSupplierBoxRight);
    set(page, "QRBankOwn", QStringLiteral("в ") + owner.BANKNAME);
    set(page, "QRCityOwn", QStringLiteral("м. ") + owner.BANKCITY);
    // An IBAN names its bank: the code is shown from it when none is kept (a new book's is zeros).
    const QString kept = owner.MFOCODE.trimmed();
    const bool noneKept = std::all_of(kept.begin(), kept.end(), [](QChar c) { return c == u'0'; });
    const QString bankCode = noneKept && !BankCodeOfIban(owner.CHETNUMBER).isEmpty()
                                 ? BankCodeOfIban(owner.CHETNUMBER)
                                 : owner.MFOCODE;
    set(page, "QRMFOOwn", QStringLiteral("МФО ") + bankCode);
    set(page, "QRBuhOwn", QStringLiteral(" ( ") + owner.BUHALTER + QStringLiteral(" )"));
}

// 5-8. What the client fills stays a space until then; the client's details and the contract.
void fillPayer(Page& page, const InvoiceRow& invoice, const ClientRow* client, const Settings& settings,
               Prompter* prompter)
{
    for (const char* name : {"DogDayL", "DogMonL", "DogYearL", "NoDogL", "QR1", "QR2", "QR3", "QR4",
                             "AdressL", "BankNameL", "ChetL", "CityL", "RegionL"})
        set(page, name, QStringLiteral(" "));

    // 6-8. The client's details and the contract.
    const bool hasContract = client && !client->DOGNUMBER.isEmpty() &&
                             client->DOGNUMBER != QLatin1String(" ") &&
                             client->DOGNUMBER != QLatin1String("  ");
    if (!client && prompter)
        prompter->warn(
            QCoreApplication::translate(
                "InvoiceForm",
                "Клиент счета-фактуры № %1 не найден: реквизиты плательщика и договор не заполнены.")
                .arg(invoice.FACT_NUMBER));
    if (client && settings.fullOrPart) {
        set(page, "AdressL", client->LAWADDRESS);
        set(page, "BankNameL", client->BANKNAME);
        setAccount(page, "ChetL", client->CHETNUMBER, kPayerBoxRight);
        set(page, "CityL", client->BANKCITY);
        set(page, "RegionL", client->BANKREGION);
    }
    if (hasContract) {
        set(page, "NoDogL", client->DOGNUMBER);
        setDate(page, "DogDayL", "DogMonL", "DogYearL", client->DOGDATA, monthBlock(settings));
        // A contract of no date: its number alone, without "від … р.".
        if (isEmptyDate(client->DOGDATA))
            for (const char* name : {"QRLabel14", "QRLabel15"})
                set(page, name, QStringLiteral(" "));
    } else {
        for (const char* name : {"QRLabel11", "QRLabel13", "QRLabel14", "QRLabel15"})
            set(page, name, QStringLiteral(" "));
    }
}

// 10. Positions and totals; counts and prices in the grids' display formats. The advertising-tax row is
// filled when the invoice has that tax.
InvoiceSums fillPositionsAndTotals(Page& page, const InvoiceRow& invoice, const Settings& settings,
                                   Prompter* prompter)
{
    const bool russian = settings.rusOrUkr;
    const Precision precision = ApplyPrecision(settings.price, settings.goods);
    const InvoiceSums sums = SumInvoice(invoice);
    for (int i = 0; i < 4; ++i) {
        const Position& p = invoice.positions[std::size_t(i)];
        const PositionLabels& l = kPositions[i];
        const bool lumpSum = isLumpSum(p.measure);
        set(page, l.count, lumpSum ? QString() : FormatByDisplayFormat(p.count, precision.countFormat));
        set(page, l.price, lumpSum ? QString() : FormatByDisplayFormat(p.price, precision.priceFormat));
        set(page, l.sum, MoneyText(sums.positions[std::size_t(i)]));
        set(page, l.unit, p.measure);
    }
    set(page, "Itogo", MoneyText(sums.subtotal));

    const bool advertising = invoice.FACT_NR > kNoAdvertisingTax;
    if (advertising) {
        set(page, "QRLabel4", MoneyText(sums.advertisingTax));
        set(page, "QRLabel3",
            (russian ? QStringLiteral("Налог на рекламу (") : QStringLiteral("Податок на рекламу (")) +
                FormatFixed(invoice.FACT_NR, 2, u',').rightJustified(5, u' ') + QStringLiteral("%)"));
        setColor(page, "QRLabel3", Qt::black);
        setColor(page, "QRLabel4", Qt::black);
    }
    set(page, "NDS", MoneyText(sums.vat));
    set(page, "QRLabel54",
        (russian ? QStringLiteral("НДС (") : QStringLiteral("ПДВ (")) + QString::number(invoice.FACT_NDS) +
            QStringLiteral(" %):"));
    set(page, "ALLSumma", MoneyText(sums.total));
    set(page, "StrSum",
        AmountInWords(sums.total.toDouble(), settings.rusOrUkr, settings.grvOrBaks, false, true, prompter));
    return sums;
}

// 11. Without the advertising tax the grand total and the words move up a row.
void layOutTotals(Page& page, bool advertising)
{
    const int up = advertising ? 0 : 27;
    if (!advertising) {
        setColor(page, "QRLabel3", Qt::white);
        setColor(page, "QRLabel4", Qt::white);
    }
    setHeight(page, "QRShape4", 105 - up);
    for (const char* line : {"QRShape16", "QRShape19", "QRShape20"})
        setHeight(page, line, 309 - up);
    setTop(page, "QRLabel55", 587 - up);
    setTop(page, "ALLSumma", 587 - up);
    setTop(page, "QRShape27", 581 - up);
    setTop(page, "QRLabel47", 610 - up);
    setTop(page, "StrSum", 632 - up);
    setTop(page, "QRShape53", 607 - up);
}

// 12. Names, and empty positions whitened.
void fillNames(Page& page, const InvoiceRow& invoice)
{
    for (int i = 0; i < 4; ++i) {
        const Position& p = invoice.positions[std::size_t(i)];
        const PositionLabels& l = kPositions[i];
        set(page, l.name1, QString());
        set(page, l.name2, QString());
        const bool empty = p.name.isEmpty() && p.price <= 0.0001;
        for (const char* figure : {l.unit, l.count, l.sum, l.price})
            setColor(page, figure, empty ? Qt::white : Qt::black);
        if (empty)
            continue;
        if (p.name.size() < l.cutAt) {
            set(page, l.name1, p.name);
        } else {
            set(page, l.name1, p.name.left(l.cutAt - 1));
            set(page, l.name2, p.name.mid(l.cutAt - 1));
        }
    }
}

} // namespace

void FillInvoiceForm(Page& page, const InvoiceRow& invoice, const ClientRow* client, const OwnerRecord& owner,
                     const Settings& settings, Prompter* prompter)
{
    fillCaptions(page, settings.rusOrUkr);
    fillSupplier(page, owner);
    // 3-4. Payer, number, signature.
    set(page, "FirmNameL", UpperCase1251(invoice.NAME_OWNER).left(255));
    set(page, "NoFactL", QString::number(invoice.FACT_NUMBER));
    set(page, "QRLabel7", invoice.FACT_DOPNO);
    set(page, "QRLabel49", settings.text);
    fillPayer(page, invoice, client, settings, prompter);
    // 9. Invoice date.
    setDate(page, "DayL", "MonthL", "YearL", invoice.FACT_DATA, monthBlock(settings));
    const InvoiceSums sums = fillPositionsAndTotals(page, invoice, settings, prompter);
    // The payment QR code, in the free corner below the signature, its right edge on the table's.
    if (settings.paymentQr) {
        const InvoicePaymentCode payment = InvoicePayment(owner, invoice, sums);
        QString note = payment.note;
        if (payment.request && !AddPaymentQr(page, PaymentQrText(*payment.request), 718, 700))
            note = QCoreApplication::translate("InvoiceForm",
                                               "QR-код для оплаты не напечатан: его данные больше, чем "
                                               "вмещает QR-код версии 20.");
        if (!note.isEmpty() && prompter)
            prompter->warn(note);
    }
    layOutTotals(page, invoice.FACT_NR > kNoAdvertisingTax);
    fillNames(page, invoice);
}

bool PlaceLogo(Page& page, int kind, const Settings& settings, const QString& programFolder, QString* error)
{
    const char* boxName = kind == 1 ? "QRImage2" : kind == 2 ? "QRImage1" : nullptr;
    PageElement* box = boxName ? page.element(QLatin1String(boxName)) : nullptr;
    if (!box)
        return true;
    const QString file = QDir(programFolder).absoluteFilePath(settings.fileName);
    QImageReader reader(file);
    const QImage logo = reader.read();
    if (logo.isNull()) {
        if (error)
            *error =
                QCoreApplication::translate("InvoiceForm", "Не удалось прочитать логотип из файла %1: %2")
                    .arg(file, reader.errorString());
        return false;
    }
    // Sizes typed into the settings file by hand are taken within reason.
    const int width = std::clamp(settings.width, 0, 10000);
    const int height = std::clamp(settings.height, 0, 10000);
    const double shift = height + 7;
    for (PageElement& e : page.elements())
        if (e.kind == ElementKind::Label || e.kind == ElementKind::Shape || e.kind == ElementKind::QrCode)
            e.top += shift;
    box->left = 76;
    box->top = 40;
    box->width = width;
    box->height = height;
    box->center = settings.center;
    box->image = logo;
    return true;
}

std::optional<Page> PrepareInvoicePage(const TDM& dm, int number, const OwnerRecord& owner,
                                       const Settings& settings, const QString& programFolder,
                                       Prompter* prompter, QString* error)
{
    const std::optional<InvoiceRow> invoice = number > 0 ? dm.ReadDocument(number) : std::nullopt;
    if (!invoice) {
        if (error)
            *error = QCoreApplication::translate("InvoiceForm", "Счет-фактура № %1 не найден.").arg(number);
        return std::nullopt;
    }
    // Without its client the blank would lack the contract, the figures and the words: a wrong document.
    const std::optional<ClientRow> client = dm.ReadClient(invoice->ID_NUMBER);
    if (!client) {
        if (error)
            *error =
                QCoreApplication::translate(
                    "InvoiceForm", "Клиент № %1 счета-фактуры № %2 не найден. Счет-фактура не напечатана.")
                    .arg(invoice->ID_NUMBER)
                    .arg(number);
        return std::nullopt;
    }

    // Figures cut to the cells and words turned to underscores would make a wrong document.
    if (const QString beyond = AmountBeyondBlank(*invoice); !beyond.isEmpty()) {
        if (error)
            *error = QCoreApplication::translate("InvoiceForm", "Счет-фактура № %1 не напечатана: %2")
                         .arg(number)
                         .arg(beyond);
        return std::nullopt;
    }
    Page page = CreateInvoiceBlank();
    FillInvoiceForm(page, *invoice, &*client, owner, settings, prompter);
    // A logo that cannot be read ends the command before anything is shown or printed.
    if (settings.onOff && !PlaceLogo(page, 1, settings, programFolder, error))
        return std::nullopt;
    return page;
}
