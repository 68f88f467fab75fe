#include "print/expense_waybill_form.h"

#include "base/month_names.h"
#include "base/number_format.h"
#include "base/prompter.h"
#include "base/text_case.h"
#include "db/data_module.h"
#include "print/amount_in_words.h"
#include "print/blank_parts.h"
#include "print/invoice_form.h"
#include "print/invoice_sums.h"

#include <QCoreApplication>

namespace {

using namespace Blank;

// Every label in creation order; "від" and "Ціна" with the Cyrillic "і".
const LabelDef kLabels[] = {
    {"QRLabel61", 309, 175, 144, 23, 'T', 14, true, 'l', true, "Н А К Л А Д Н А"},
    {"QRLabel62", 469, 175, 25, 23, 'T', 14, true, 'l', true, "№ "},
    {"NoNak", 500, 175, 31, 23, 'T', 14, true, 'l', true, ""},
    {"Firma1", 224, 315, 103, 18, 'T', 11, true, 'l', true, ""},
    {"QRLabel66", 120, 315, 68, 18, 'T', 11, false, 'l', true, "Отримано "},
    {"QRLabel57", 120, 353, 42, 18, 'T', 11, false, 'l', true, "Через "},
    {"QRLabel58", 120, 393, 53, 18, 'T', 11, false, 'l', true, "Довірен."},
    {"User1", 182, 353, 110, 18, 'T', 11, true, 'l', true, ""},
    {"Ser1", 181, 393, 32, 18, 'T', 11, true, 'l', true, ""},
    {"QRLabel69", 219, 394, 23, 17, 'A', 10, false, 'l', true, " № "},
    {"NoDov1", 243, 394, 57, 17, 'A', 10, true, 'l', true, ""},
    {"QRLabel71", 324, 394, 27, 17, 'A', 10, false, 'l', true, " від "},
    {"Day2", 353, 394, 15, 17, 'A', 10, true, 'l', true, ""},
    {"Month2", 373, 393, 58, 18, 'T', 11, true, 'l', true, ""},
    {"Year2", 433, 394, 29, 17, 'A', 10, true, 'l', true, ""},
    {"QRLabel75", 466, 393, 21, 18, 'T', 11, true, 'l', true, " р. "},
    {"QRLabel59", 90, 432, 25, 16, 'T', 10, false, 'l', true, "№№"},
    {"QRLabel63", 90, 451, 24, 16, 'T', 10, false, 'l', true, " п.п."},
    {"Sum1", 693, 475, 61, 17, 'A', 10, true, 'r', false, ""},
    {"Sum2", 693, 499, 60, 17, 'A', 10, true, 'r', false, ""},
    {"Sum3", 693, 523, 60, 17, 'A', 10, true, 'r', false, ""},
    {"Sum4", 693, 547, 61, 17, 'A', 10, true, 'r', false, ""},
    {"Pr1", 628, 475, 60, 17, 'A', 10, true, 'r', false, ""},
    {"Pr2", 628, 499, 60, 17, 'A', 10, true, 'r', false, ""},
    {"Pr3", 628, 523, 60, 17, 'A', 10, true, 'r', false, ""},
    {"Pr4", 628, 547, 60, 17, 'A', 10, true, 'r', false, ""},
    {"Num1", 577, 475, 38, 17, 'A', 9, true, 'r', false, ""},
    {"Num2", 577, 499, 38, 17, 'A', 9, true, 'r', false, ""},
    {"Num3", 577, 523, 38, 17, 'A', 9, true, 'r', false, ""},
    {"Num4", 577, 547, 38, 17, 'A', 9, true, 'r', false, ""},
    {"QRLabel81", 573, 431, 50, 16, 'T', 10, false, 'l', true, "Кількість"},
    {"QRLabel82", 231, 431, 143, 16, 'T', 10, false, 'l', true, "Найменування продукції "},
    {"QRLabel83", 640, 431, 26, 16, 'T', 10, false, 'l', true, "Ціна"},
    {"QRLabel84", 698, 431, 31, 16, 'T', 10, false, 'l', true, "Сума"},
    {"No1", 95, 475, 12, 17, 'A', 10, true, 'l', true, ""},
    {"No2", 95, 499, 12, 17, 'A', 10, true, 'l', true, ""},
    {"No3", 95, 523, 12, 17, 'A', 10, true, 'l', true, ""},
    {"No4", 95, 547, 12, 17, 'A', 10, true, 'l', true, ""},
    {"Str1", 120, 475, 400, 16, 'T', 10, true, 'l', false, ""},
    {"Str2", 120, 499, 400, 16, 'T', 10, true, 'l', false, ""},
    {"Str3", 120, 523, 400, 16, 'T', 10, true, 'l', false, ""},
    {"Str4", 120, 547, 400, 16, 'T', 10, true, 'l', false, ""},
    {"QRLabel70", 125, 762, 63, 18, 'T', 11, true, 'l', true, "Всього : "},
    {"SumStr", 124, 785, 11, 18, 'T', 11, true, 'l', true, ""},
    {"ALLSum1", 693, 762, 61, 17, 'A', 10, true, 'r', false, ""},
    {"QRLabel74", 151, 845, 73, 18, 'T', 11, false, 'l', true, "Начальник "},
    {"QRLabel76", 151, 901, 68, 18, 'T', 11, false, 'l', true, "Відпустив "},
    {"QRLabel77", 480, 845, 91, 18, 'T', 11, false, 'l', true, "Гол.бухгалтер"},
    {"QRLabel78", 480, 901, 61, 18, 'T', 11, false, 'l', true, "Отримав "},
    {"No5", 95, 571, 12, 17, 'A', 10, true, 'l', true, ""},
    {"No6", 95, 595, 12, 17, 'A', 10, true, 'l', true, ""},
    {"No7", 95, 618, 12, 17, 'A', 10, true, 'l', true, ""},
    {"No8", 95, 642, 12, 17, 'A', 10, true, 'l', true, ""},
    {"Str8", 121, 642, 399, 17, 'T', 10, true, 'l', false, ""},
    {"Str5", 121, 571, 399, 17, 'T', 10, true, 'l', false, ""},
    {"Str6", 121, 595, 399, 17, 'T', 10, true, 'l', false, ""},
    {"Str7", 121, 618, 399, 17, 'T', 10, true, 'l', false, ""},
    {"Num5", 578, 571, 37, 17, 'A', 9, true, 'r', false, ""},
    {"Num6", 576, 595, 39, 17, 'A', 9, true, 'r', false, ""},
    {"Num7", 576, 618, 39, 17, 'A', 9, true, 'r', false, ""},
    {"Num8", 576, 642, 39, 17, 'A', 9, true, 'r', false, ""},
    {"Pr5", 627, 571, 62, 17, 'A', 10, true, 'r', false, ""},
    {"Pr6", 627, 595, 62, 17, 'A', 10, true, 'r', false, ""},
    {"Pr7", 627, 618, 62, 17, 'A', 10, true, 'r', false, ""},
    {"Pr8", 627, 642, 62, 17, 'A', 10, true, 'r', false, ""},
    {"Sum5", 693, 571, 61, 17, 'A', 10, true, 'r', false, ""},
    {"Sum6", 693, 595, 61, 17, 'A', 10, true, 'r', false, ""},
    {"Sum7", 693, 618, 61, 17, 'A', 10, true, 'r', false, ""},
    {"Sum8", 693, 642, 61, 17, 'A', 10, true, 'r', false, ""},
    {"QRNameOwn_3", 152, 62, 187, 20, 'T', 12, true, 'l', true, "", true},
    {"QROKPOCodeOwn", 152, 86, 173, 20, 'T', 12, true, 'l', true, "", true},
    {"Day1", 349, 205, 31, 20, 'T', 12, true, 'l', true, "", true},
    {"Month1", 387, 205, 67, 20, 'T', 12, true, 'l', true, "", true},
    {"QRLabel60", 502, 205, 17, 20, 'T', 12, true, 'l', true, " р.", true},
    {"Year1", 469, 205, 33, 20, 'T', 12, true, 'l', true, "", true},
    {"QRLabel1", 323, 206, 22, 20, 'T', 12, true, 'l', true, "від"},
    {"QRAdres", 152, 109, 132, 20, 'T', 12, true, 'l', true, "", true},
    {"QRTel", 152, 132, 43, 20, 'T', 12, true, 'l', true, "", true},
    {"QRFact1", 297, 236, 230, 18, 'T', 10, false, 'r', false, ""},
    {"QRFact2", 297, 256, 230, 18, 'T', 10, false, 'r', false, ""},
    {"QRFact3", 297, 276, 230, 18, 'T', 10, false, 'r', false, ""},
    {"QRLabel2", 525, 431, 44, 16, 'T', 10, false, 'l', true, "Од.вим."},
    {"Ed1", 528, 475, 35, 16, 'A', 9, true, 'l', false, ""},
    {"Ed2", 528, 499, 35, 16, 'A', 9, true, 'l', false, ""},
    {"Ed3", 528, 523, 35, 16, 'A', 9, true, 'l', false, ""},
    {"Ed4", 528, 547, 35, 16, 'A', 9, true, 'l', false, ""},
    {"Ed5", 528, 571, 35, 16, 'A', 9, true, 'l', false, ""},
    {"Ed6", 528, 595, 35, 16, 'A', 9, true, 'l', false, ""},
    {"Ed7", 528, 618, 35, 16, 'A', 9, true, 'l', false, ""},
    {"Ed8", 528, 642, 35, 16, 'A', 9, true, 'l', false, ""},
    {"QRLabel4", 125, 740, 72, 16, 'T', 10, true, 'l', true, ""},
    {"QRLabel5", 693, 739, 60, 17, 'A', 10, true, 'r', false, ""},
    {"QRLabel3", 125, 690, 48, 18, 'T', 11, true, 'l', true, "Итого "},
    {"QRLSumma", 693, 689, 60, 17, 'A', 10, true, 'r', false, ""},
    {"NDS1", 693, 714, 60, 17, 'A', 10, true, 'r', false, ""},
    {"QRLabel68", 125, 715, 72, 16, 'T', 10, true, 'l', true, ""},
};

const ShapeDef kShapes[] = {
    {"QRShape35", ShapeKind::Rectangle, 88, 429, 668, 42},
    {"QRShape37", ShapeKind::Rectangle, 88, 470, 668, 25},
    {"QRShape41", ShapeKind::Rectangle, 88, 494, 668, 25},
    {"QRShape54", ShapeKind::Rectangle, 88, 518, 668, 25},
    {"QRShape59", ShapeKind::Rectangle, 88, 542, 668, 25},
    {"QRShape60", ShapeKind::Rectangle, 88, 566, 668, 25},
    {"QRShape61", ShapeKind::Rectangle, 88, 686, 668, 25},
    {"QRShape62", ShapeKind::Rectangle, 88, 710, 668, 25},
    {"QRShape63", ShapeKind::Rectangle, 88, 734, 668, 25},
    {"QRShape65", ShapeKind::Rectangle, 88, 758, 668, 25},
    {"QRShape66", ShapeKind::Rectangle, 88, 782, 668, 25},
    {"QRShape110", ShapeKind::Rectangle, 88, 662, 668, 25},
    {"QRShape113", ShapeKind::Rectangle, 88, 590, 668, 25},
    {"QRShape114", ShapeKind::Rectangle, 88, 614, 668, 25},
    {"QRShape128", ShapeKind::Rectangle, 88, 638, 668, 25},
    {"QRShape64", ShapeKind::VertLine, 567, 431, 7, 350},
    {"QRShape129", ShapeKind::VertLine, 115, 429, 4, 353},
    {"QRShape130", ShapeKind::VertLine, 621, 429, 6, 353},
    {"QRShape131", ShapeKind::VertLine, 520, 429, 5, 353},
    {"QRShape67", ShapeKind::VertLine, 689, 429, 4, 353},
};

// "05 грудня 1999": the day, the month in Ukrainian genitive, the year.
QString dateText(const QDate& date)
{
    if (isEmptyDate(date))
        return {};
    return twoDigits(date.day()) + u' ' + MonthName(kUkrainianGenitiveBlock + date.month()) + u' ' +
           QString::number(date.year());
}

QString padded(double amount, int decimals, int width, QChar point = u',')
{
    return FormatFixed(amount, decimals, point).rightJustified(width, u' ');
}

QString padded(Money amount, int width, QChar point = u',')
{
    return amount.text(point).rightJustified(width, u' ');
}

QString upperCase(const QString& text)
{
    QString out = text;
    for (QChar& c : out)
        c = UpperCase1251Char(c);
    return out;
}

struct Fill {
    Page& page;
    const Settings& settings;
    Prompter* prompter;
    bool complete = true;
    int nextRow = 1;

    void fail(const QString& message)
    {
        if (prompter)
            prompter->error(message);
        complete = false;
    }

    void putRow(int row, const QString& name, const QString& count, const QString& price, const QString& sum,
                const QString& unit)
    {
        const QByteArray r = QByteArray::number(row);
        set(page, ("No" + r).constData(), QString::number(row));
        set(page, ("Str" + r).constData(), name);
        set(page, ("Num" + r).constData(), count);
        set(page, ("Pr" + r).constData(), price);
        set(page, ("Sum" + r).constData(), sum);
        set(page, ("Ed" + r).constData(), unit);
    }

    // The document's positions into the next free rows; the sum of the rows written.
    Money addRows(const InvoiceRow& document)
    {
        const QString countFormat = ApplyPrecision(settings.price, settings.goods).countFormat;
        Money sum;
        for (const Position& p : document.positions) {
            // What the invoice charges goes on the waybill, a lump sum at count 0 and a return included; a
            // named position of no count and no sum takes no row (and so never overfills the blank).
            const Money rowSum = PositionSum(p);
            if (rowSum == Money() && (p.name.isEmpty() || p.count <= 0))
                continue;
            if (nextRow > 8) {
                fail(QCoreApplication::translate("ExpenseWaybillForm", "Накладная не умещается на бланке!"));
                break;
            }
            const bool lumpSum = isLumpSum(p.measure);
            putRow(nextRow, p.name, lumpSum ? QString() : FormatByDisplayFormat(p.count, countFormat),
                   lumpSum ? QString() : padded(p.price, settings.price, 9), padded(rowSum, 9), p.measure);
            ++nextRow;
            sum += rowSum;
        }
        return sum;
    }
};

} // namespace

Page CreateExpenseWaybillBlank()
{
    Page page(PageUnit::Px);
    AddLabels(page, kLabels);
    for (const char* name : {"QRFact1", "QRFact2", "QRFact3"})
        page.element(QLatin1String(name))->wordWrap = false;
    AddShapes(page, kShapes);
    PageElement picture;
    picture.name = QStringLiteral("QRImage1");
    picture.kind = ElementKind::Image;
    picture.left = 40;
    picture.top = 40;
    picture.width = 49;
    picture.height = 105;
    picture.stretch = true;
    picture.frame = true;
    page.add(picture);
    return page;
}

namespace {

// What a waybill's documents come to: their rows' sum, the VAT rate and the advertising-tax rate.
struct WaybillDocumentsTaken {
    Money subtotal;
    double taxRate = 0;
    int vatRate = 0;
};

// 6. The documents' rows and their references, under the waybill's own client: a number used again for
// another client's document is not this waybill's. Every problem is told through the fill.
WaybillDocumentsTaken takeDocuments(Fill& fill, const ExpenseWaybillRow& waybill,
                                    const WaybillDocuments& documents, const Settings& settings)
{
    const auto document = [&documents, &waybill](std::size_t index) -> std::optional<InvoiceRow> {
        const std::optional<InvoiceRow>& found = documents[index];
        if (found && waybill.ID_NUMBER > 0 && found->ID_NUMBER != waybill.ID_NUMBER)
            return std::nullopt;
        return found;
    };
    WaybillDocumentsTaken taken;
    taken.vatRate = settings.ndsValue;
    Money& subtotal = taken.subtotal;
    double& taxRate = taken.taxRate;
    int& vatRate = taken.vatRate;
    Page& page = fill.page;
    const int f1 = waybill.FACT1_NUMBER, f2 = waybill.FACT2_NUMBER, f3 = waybill.FACT3_NUMBER;
    if (f1 < 1) {
        if (const std::optional<InvoiceRow> receipt = document(0)) {
            vatRate = receipt->FACT_NDS;
            set(page, "Firma1", upperCase(receipt->NAME_OWNER));
            subtotal += fill.addRows(*receipt);
        } else {
            fill.fail(MissingDocumentText(-1));
        }
    } else if (const std::optional<InvoiceRow> first = document(0)) {
        set(page, "QRFact1",
            QStringLiteral("згідно рахунку № %1%2 від %3;")
                .arg(first->FACT_NUMBER)
                .arg(first->FACT_DOPNO, dateText(first->FACT_DATA)));
        vatRate = first->FACT_NDS;
        set(page, "Firma1", upperCase(first->NAME_OWNER));
        subtotal += fill.addRows(*first);
        taxRate = first->FACT_NR;
        const auto more = [&](std::size_t index, const char* line, const char* missing) {
            if (const std::optional<InvoiceRow> next = document(index)) {
                // One advertising tax for the whole waybill: the invoices must share it.
                if (next->FACT_NR != taxRate) {
                    fill.fail(QCoreApplication::translate(
                        "ExpenseWaybillForm", "Счета выписаны под разную величину налога на рекламу!"));
                    return;
                }
                set(page, line,
                    QStringLiteral("       рахунку № %1%2 від %3;")
                        .arg(next->FACT_NUMBER)
                        .arg(next->FACT_DOPNO, dateText(next->FACT_DATA)));
                subtotal += fill.addRows(*next);
            } else {
                fill.fail(QCoreApplication::translate("ExpenseWaybillForm", missing));
            }
        };
        if (f2 > 0)
            more(1, "QRFact2", QT_TRANSLATE_NOOP("ExpenseWaybillForm", "Не найдена вторая счет-фактура!"));
        if (f3 > 0) {
            if (fill.nextRow > 8)
                fill.fail(QCoreApplication::translate("ExpenseWaybillForm",
                                                      "Третья счет-фактура не умещается на бланке!"));
            else
                more(2, "QRFact3",
                     QT_TRANSLATE_NOOP("ExpenseWaybillForm", "Не найдена третья счет-фактура!"));
        }
    } else {
        fill.fail(QCoreApplication::translate("ExpenseWaybillForm", "Не найдена исходная счет-фактура!"));
    }
    return taken;
}

// The documents' VAT rates agree; a document not found counts as a rate of 0, so a missing second
// document never matches a real one.
bool sameVatRate(const WaybillDocuments& documents, int third)
{
    const auto rate = [&documents](std::size_t i) { return documents[i] ? documents[i]->FACT_NDS : 0; };
    return rate(0) == rate(1) && (third == 0 || rate(2) == rate(0));
}

} // namespace

bool FillWaybillForm(Page& page, const ExpenseWaybillRow& waybill, const WaybillDocuments& documents,
                     const OwnerRecord& owner, const Settings& settings, Prompter* prompter)
{
    Fill fill{page, settings, prompter};
    // 1. Every run-time label blank.
    for (const char* name :
         {"QRAdres", "QRTel", "QRFact1", "QRFact2", "QRFact3", "Day1", "Month1", "Year1", "NoNak", "Firma1",
          "User1", "Ser1", "NoDov1", "Day2", "Month2", "Year2", "ALLSum1", "NDS1"})
        set(page, name, QStringLiteral(" "));
    for (PageElement& e : page.elements())
        if (e.kind == ElementKind::Label)
            for (const char* part : {"No", "Str", "Num", "Pr", "Sum", "Ed"})
                if (e.name.contains(QLatin1String(part)))
                    e.text = QStringLiteral(" ");
    // 2, 3. The provisional VAT caption and the owner.
    set(page, "QRLabel68", QStringLiteral("ПДВ %1%").arg(settings.ndsValue));
    set(page, "QRNameOwn_3", owner.FIRMNAME);
    set(page, "QROKPOCodeOwn", QStringLiteral("КОД ЗКПО : ") + owner.OKPOCODE);
    set(page, "QRAdres", QStringLiteral("Адреса :  ") + owner.POSTADDRESS);
    set(page, "QRTel", QStringLiteral("тел. :  ") + owner.TELFAX);
    // 4. One VAT rate for every invoice.
    const int f2 = waybill.FACT2_NUMBER, f3 = waybill.FACT3_NUMBER;
    if ((f2 >= 1 || f3 >= 1) && !sameVatRate(documents, f3)) {
        fill.fail(
            QCoreApplication::translate("ExpenseWaybillForm", "Счета выписаны под разную величину НДС!"));
        return false;
    }
    // 5. The waybill.
    setDate(page, "Day1", "Month1", "Year1", waybill.NAKL_DATA, kUkrainianGenitiveBlock);
    set(page, "NoNak", QString::number(waybill.NAKL_NUMBER));
    set(page, "User1", waybill.NAME_CLIENT);
    set(page, "Ser1", waybill.DOV_SERIE);
    set(page, "NoDov1", waybill.DOV_NUMBER == 0 ? QString() : QString::number(waybill.DOV_NUMBER));
    setDate(page, "Day2", "Month2", "Year2", waybill.DOV_DATA, kUkrainianGenitiveBlock);

    const WaybillDocumentsTaken taken = takeDocuments(fill, waybill, documents, settings);
    const double taxRate = taken.taxRate;
    const Taxed sums = WithTaxes(taken.subtotal, taken.vatRate, taxRate);

    // 7, 8. VAT caption; the advertising-tax row, or the lines moved down over it.
    const bool russian = settings.rusOrUkr;
    set(page, "QRLabel68",
        (russian ? QStringLiteral("НДС ") : QStringLiteral("ПДВ ")) + QString::number(taken.vatRate) +
            QStringLiteral(" % :"));
    if (taxRate <= kNoAdvertisingTax) {
        setColor(page, "QRLabel4", Qt::white);
        setColor(page, "QRLabel5", Qt::white);
        setTop(page, "QRLabel3", 715);
        setTop(page, "QRLSumma", 714);
        setTop(page, "QRLabel68", 739);
        setTop(page, "NDS1", 738);
    } else {
        set(page, "QRLabel5", padded(sums.advertisingTax, 10));
        set(page, "QRLabel4",
            (russian ? QStringLiteral("Налог на рекламу (") : QStringLiteral("Податок на рекламу (")) +
                padded(taxRate, 2, 5) + QStringLiteral("%)"));
        setColor(page, "QRLabel4", Qt::black);
        setColor(page, "QRLabel5", Qt::black);
        setTop(page, "QRLabel3", 690);
        setTop(page, "QRLSumma", 689);
        setTop(page, "QRLabel68", 714);
        setTop(page, "NDS1", 713);
    }
    // 9 - 12. The amounts; the subtotal alone keeps its decimal point.
    if (const QString beyond = TotalBeyondBlank(sums.total); !beyond.isEmpty())
        fill.fail(beyond);
    set(page, "QRLSumma", padded(sums.subtotal, 8, u'.'));
    set(page, "NDS1", padded(sums.vat, 8));
    set(page, "ALLSum1", padded(sums.total, 8));
    // The words spell the total printed above them, the advertising tax included.
    set(page, "SumStr",
        u'(' + AmountInWords(sums.total.toDouble(), russian, settings.grvOrBaks, false, true, prompter) +
            u')');
    return fill.complete;
}

std::optional<Page> PrepareExpenseWaybillPage(const TDM& dm, int number, const OwnerRecord& owner,
                                              const Settings& settings, const QString& programFolder,
                                              Prompter* prompter, bool* complete, QString* error)
{
    const std::optional<ExpenseWaybillRow> waybill = dm.ReadExpenseWaybill(number);
    if (!waybill) {
        if (error)
            *error = QCoreApplication::translate("ExpenseWaybillForm", "Расходная накладная № %1 не найдена.")
                         .arg(number);
        return std::nullopt;
    }
    Page page = CreateExpenseWaybillBlank();
    *complete = FillWaybillForm(
        page, *waybill,
        ReadWaybillDocuments(dm, waybill->FACT1_NUMBER, waybill->FACT2_NUMBER, waybill->FACT3_NUMBER), owner,
        settings, prompter);
    if (settings.onOff && !PlaceLogo(page, 2, settings, programFolder, error))
        return std::nullopt;
    return page;
}
