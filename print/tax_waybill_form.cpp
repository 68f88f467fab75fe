#include "print/tax_waybill_form.h"

#include "base/month_names.h"
#include "base/number_format.h"
#include "base/prompter.h"
#include "db/data_module.h"
#include "print/blank_parts.h"
#include "print/invoice_sums.h"

#include <QCoreApplication>

#include <array>
#include <cmath>
#include <initializer_list>

namespace {

using namespace Blank;

// A text of the blank in millimetres: a width of 0 sizes the label to its text; lines make a block of
// fixed lines (rich text).
struct MmText {
    const char* name;
    double top, left, width, height;
    int size;
    bool bold;
    char align;
    const char* text;
    std::initializer_list<const char*> lines;
};

// The fixed texts of the header, the two blocks and the footer.
const MmText kFixedTexts[] = {
    {"T1", 10.3, 168.8, 0, 0, 8, false, 'l', "ЗАТВЕРДЖЕНО", {}},
    {"T2", 10.8, 24.9, 0, 0, 8, false, 'l', "Оригінал (видається покупцю)", {}},
    {"T3", 13.8, 165.9, 0, 0, 8, false, 'l', "Наказ ДПА України", {}},
    {"T4", 15.6, 24.9, 0, 0, 8, false, 'l', "Копія (залишається у продавця)", {}},
    {"T5", 17.5, 169.9, 0, 0, 8, false, 'l', "30.05.97 №165", {}},
    {"T6", 20.9, 24.9, 0, 0, 8, false, 'l', "( Непотрібне виділити поміткою \"Х\" )", {}},
    {"T7", 20.9, 157.7, 0, 0, 8, false, 'l', "(у редакції наказу ДПА України ", {}},
    {"T8", 23.0, 82.8, 0, 0, 12, true, 'l', "ПОДАТКОВА НАКЛАДНА", {}},
    {"T9", 24.3, 169.3, 0, 0, 8, false, 'l', " 08.10.98 № 469)  ", {}},
    {"T10", 29.6, 13.8, 0, 0, 8, false, 'l', "Дата виписки ", {}},
    {"T11", 33.3, 13.8, 0, 0, 8, false, 'l', "податкової накладної", {}},
    {"T12", 31.0, 88.6, 0, 0, 11, true, 'l', "р.", {}},
    {"T13", 31.0, 106.6, 0, 0, 8, false, 'l', "Порядковий номер ", {}},
    {"T14", 37.6, 43.9, 0, 0, 8, false, 'l', "Продавець  ", {}},
    {"T15", 37.6, 134.7, 0, 0, 8, false, 'l', "Покупець ", {}},
    {"T16", 41.3, 13.8, 0, 0, 8, false, 'l', "Особа (платник", {}},
    {"T17", 45.2, 13.8, 0, 0, 8, false, 'l', "податку) - продавець :", {}},
    {"T18", 41.3, 105.6, 0, 0, 8, false, 'l', "  Особа (платник", {}},
    {"T19", 45.0, 105.6, 0, 0, 8, false, 'l', "податку) - покупець:", {}},
    {"T20", 49.5, 31.5, 0, 0, 8, false, 'l', "(назва; прізвище, ім'я,по батькові - для фізичної особи)", {}},
    {"T21", 50.0, 123.8, 0, 0, 8, false, 'l', "(назва; прізвище, ім'я,по батькові - для фізичної особи)", {}},
    {"T22", 61.4, 32.5, 0, 0, 8, false, 'l', "(індивідуальний податковий номер продавця)", {}},
    {"T23", 61.4, 124.9, 0, 0, 8, false, 'l', "(індивідуальний податковий номер покупця)", {}},
    {"T24", 65.1, 13.8, 0, 0, 8, false, 'l', "", {"Місцезнаходження       ", "     продавця  "}},
    {"T25", 65.6, 105.6, 0, 0, 8, false, 'l', "", {"Місцезнаходження  ", "        покупця  "}},
    {"T26", 75.1, 13.8, 0, 0, 8, false, 'l', "Номер телефону  ", {}},
    {"T27", 75.1, 106.1, 0, 0, 8, false, 'l', "Номер телефону  ", {}},
    {"T28", 80.7, 13.8, 0, 0, 8, false, 'l', "Номер свідоцтва про реєстрацію", {}},
    {"T29", 83.9, 13.8, 0, 0, 8, false, 'l', "платника податку на додану ", {}},
    {"T30", 87.0, 13.8, 0, 0, 8, false, 'l', "вартість (продавця) ", {}},
    {"T31", 80.7, 105.8, 0, 0, 8, false, 'l', "Номер свідоцтва про реєстрацію", {}},
    {"T32", 83.9, 105.8, 0, 0, 8, false, 'l', "платника податку на додану ", {}},
    {"T33", 87.0, 105.8, 0, 0, 8, false, 'l', "вартість (покупця) ", {}},
    {"T34", 92.3, 13.8, 0, 0, 8, false, 'l', "Умова продажу  ", {}},
    {"T35", 97.4, 91.0, 0, 0, 8, false, 'l', "( форма цивільно - правового договору ) ", {}},
    {"T36", 101.3, 13.8, 0, 0, 8, false, 'l', "Форма проведених розрахунків ", {}},
    {"T37",
     106.4,
     80.2,
     0,
     0,
     8,
     false,
     'l',
     "(бартер, готівка, оплата з розрахункового рахунку, чек тощо) ",
     {}},
    {"T38",
     240.0,
     10.6,
     0,
     0,
     8,
     false,
     'l',
     "Суми ПДВ, нараховані (сплачені) в зв'язку з продажем товарів (робіт, послуг), зазначених у цій "
     "накладній, визначені правільно, відповідають ",
     {}},
    {"T39",
     243.7,
     10.6,
     0,
     0,
     8,
     false,
     'l',
     "сумі податкових зобов'язань продавця і включені до книги обліку продажу ",
     {}},
    {"T40", 255.3, 32.3, 0, 0, 10, false, 'l', "М.П.", {}},
    {"T42",
     262.5,
     116.2,
     0,
     0,
     8,
     false,
     'l',
     "(підпис і прізвище особи, яка склала податкову накладну)",
     {}},
    {"T43",
     266.4,
     9.8,
     0,
     0,
     8,
     false,
     'l',
     "*- Дата оплати ставиться у разі попередньої оплати поставки, на яку виписується податкова накладна; "
     "для бартерних операцій-дата оприбуткування ",
     {}},
    {"T44",
     269.6,
     13.0,
     0,
     0,
     8,
     false,
     'l',
     "товарів, попередньо одержаних в оплату поставки; дата попереднього одержання робіт,послуг в оплату "
     "поставки; до 01.01.2000 р.(у відповідних",
     {}},
    {"T45",
     273.1,
     13.2,
     0,
     0,
     8,
     false,
     'l',
     "випадках - до 01.01.2003 р.)- для підприємств, що здійснюють продаж вугілля та вугільних брікетів, "
     "електричної, теплової енергії, газу, послуг з ",
     {}},
    {"T46", 276.8, 13.2, 0, 0, 8, false, 'l', "водопостачання (каналізації)", {}},
};

// The run-time labels of the header and the blocks.
const MmText kFields[] = {
    {"DayN1", 31.0, 54.8, 0, 0, 11, true, 'l', "", {}},
    {"MonthN1", 30.7, 60.3, 0, 0, 11, true, 'l', "", {}},
    {"YearN1", 31.0, 79.6, 0, 0, 11, true, 'l', "", {}},
    {"QRDBText5", 30.7, 155.6, 0, 0, 11, true, 'l', "", {}},
    {"QRNameOwn_2", 42.9, 43.9, 57.7, 0, 9, true, 'c', "", {}},
    {"NameN1", 43.1, 133.6, 63.2, 0, 9, true, 'c', "", {}},
    {"QRTCodeOwn_2", 55.3, 37.3, 43.4, 0, 12, true, 'c', "", {}},
    {"CodeN1", 55.3, 123.8, 62.7, 0, 12, true, 'c', "", {}},
    {"QRLAdrOwn_2", 65.6, 40.5, 61.9, 8.2, 9, true, 'c', "", {}},
    {"YurAdrN1", 65.6, 131.8, 68.5, 8.2, 9, true, 'c', "", {}},
    {"QRTelOwn_2", 74.6, 40.0, 63.0, 0, 11, true, 'c', "", {}},
    {"NoTel", 74.6, 131.5, 67.7, 0, 11, true, 'c', "", {}},
    {"QRRegNoOwn_2", 83.1, 59.0, 41.8, 0, 12, true, 'c', "", {}},
    {"NoRegN1", 83.1, 154.3, 41.5, 0, 12, true, 'c', "", {}},
    {"Umova", 91.8, 42.1, 0, 0, 11, true, 'l', "", {}},
    {"QROplata", 100.5, 60.1, 0, 0, 11, true, 'l', "", {}},
    {"QRBuhOwn_2", 256.9, 160.6, 0, 0, 9, true, 'l', "", {}},
};

// The goods table's headings.
const MmText kHeadings[] = {
    {"HeadCol1", 112.2, 10.8, 9.6, 0, 8, false, 'l', " Розділ ", {}},
    {"HeadCol2",
     112.4,
     21.0,
     13.5,
     0,
     8,
     false,
     'l',
     "",
     {"Дата від-   ", "вантажен-  ", "ня (вико-   ", "нання, на- ", "дання,оп-", "лати*) то-",
      "варів          ", "(робіт,по-   ", "слуг)        "}},
    {"HeadCol3a", 112.2, 42.9, 0, 0, 8, false, 'l', "Номенклатура поставки товарів ", {}},
    {"HeadCol3b", 116.7, 53.4, 0, 0, 8, false, 'l', "(робіт, послуг) ", {}},
    {"HeadCol3c", 120.9, 57.7, 0, 0, 8, false, 'l', "продавця", {}},
    {"HeadCol4", 112.2, 99.0, 7.4, 0, 8, false, 'l', "", {"Оди-", "ниця", "вимі-", " ру", "това-", " ру"}},
    {"HeadCol5", 112.2, 106.7, 8.4, 0, 8, false, 'l', "", {"Кіль-", "кість", "(об'-", " єм", "об-", "сяг)"}},
    {"HeadCol6",
     112.2,
     115.4,
     13.2,
     0,
     8,
     false,
     'l',
     "",
     {" Ціна", "прода-", "жу оди-", " ниці", "продук-", "ції без ", "ураху-", "вання", " ПДВ"}},
    {"HeadSales1", 111.7, 135.5, 0, 0, 8, false, 'l', "Обсяги продажу (база оподаткування)", {}},
    {"HeadSales2", 115.6, 135.5, 0, 0, 8, false, 'l', "без урахування ПДВ, що підлягають ", {}},
    {"HeadSales3", 119.1, 143.9, 0, 0, 8, false, 'l', "оподаткуванню за ставками", {}},
    {"QRLabel115", 124.1, 133.1, 0, 0, 8, false, 'l', "20%", {}},
    {"HeadCol8",
     123.8,
     143.4,
     14.0,
     0,
     8,
     false,
     'l',
     "",
     {"     0%", "(реаліза-", "ція на ми-", "тній тери-", "   торії ", "України)"}},
    {"HeadCol9", 123.8, 157.7, 14.3, 0, 8, false, 'l', "", {"     0%", "(експорт)"}},
    {"HeadCol10", 123.8, 172.3, 14.8, 0, 8, false, 'l', "", {"Звіль-", "нення", " від", "ПДВ", "(ст.5)"}},
    {"HeadCol11",
     111.9,
     187.4,
     12.9,
     0,
     8,
     false,
     'l',
     "",
     {"Загальна", "  сума      ", "  коштів,  ", "     що", "підлягає ", "   оплаті    "}},
};

// Rules and frames: top, left, width, height in millimetres.
struct MmShape {
    const char* name;
    ShapeKind shape;
    double top, left, width, height;
    int pen;
};

// A horizontal rule at y from x1 to x2, a vertical one at x from y1 to y2.
constexpr MmShape hor(const char* name, double y, double x1, double x2)
{
    return {name, ShapeKind::HorLine, y - 0.5, x1, x2 - x1, 1, 1};
}
constexpr MmShape ver(const char* name, double x, double y1, double y2)
{
    return {name, ShapeKind::VertLine, y1, x - 0.5, 1, y2 - y1, 1};
}
constexpr MmShape box(const char* name, double top, double left, double width, double height, int pen = 1)
{
    return {name, ShapeKind::Rectangle, top, left, width, height, pen};
}

const MmShape kShapes[] = {
    box("FrameCopy", 10.1, 23.3, 54.8, 10.6, 2),
    hor("RuleCopy", 14.6, 23.3, 78.1),
    ver("RuleTick", 70.1, 10.1, 20.7),
    hor("RuleDate", 36.2, 53.7, 96.6),
    hor("RuleNumber", 36.2, 146.8, 192.8),
    box("FrameSellerName", 41.8, 43.4, 58.7, 7.7),
    box("FrameBuyerName", 41.8, 133.1, 64.6, 7.7),
    box("FrameSellerCode", 54.2, 17.7, 84.4, 7.1),
    box("FrameBuyerCode", 54.2, 110.1, 87.6, 7.1),
    box("FrameSellerCert", 80.7, 58.2, 43.7, 10.3),
    box("FrameBuyerCert", 80.7, 153.5, 43.7, 10.3),
    hor("RuleSellerAddress", 73.6, 41.3, 101.6),
    hor("RuleBuyerAddress", 73.6, 131.8, 196.6),
    hor("RuleSellerPhone", 78.8, 41.3, 101.6),
    hor("RuleBuyerPhone", 78.8, 131.8, 196.6),
    hor("RuleCondition", 96.3, 38.4, 196.6),
    hor("RuleSettlement", 105.0, 59.5, 196.6),
    box("FrameHeadings", 110.9, 10.6, 191.0, 35.7),
    ver("RuleLeft", 10.1, 146.6, 239.5),
    ver("RuleRight", 200.3, 146.6, 239.5),
    ver("RuleCol2", 20.6, 110.9, 239.5),
    ver("RuleCol3", 34.7, 110.9, 199.2),
    ver("RuleCol4", 98.7, 110.9, 239.5),
    ver("RuleCol5", 106.4, 110.9, 239.5),
    ver("RuleCol6", 115.1, 110.9, 239.5),
    ver("RuleCol7", 128.6, 110.9, 239.5),
    ver("RuleCol8", 143.1, 123.3, 239.5),
    ver("RuleCol9", 157.4, 123.3, 239.5),
    ver("RuleCol10", 172.0, 123.3, 239.5),
    ver("RuleCol11", 187.1, 110.9, 239.5),
    hor("RuleSales", 122.8, 129.6, 187.5),
    hor("RuleNumbers", 150.3, 10.6, 201.6),
    hor("RuleRow1", 155.0, 21.4, 187.3),
    hor("RuleRow2", 160.1, 21.4, 187.3),
    hor("RuleRow3", 164.8, 21.4, 187.3),
    hor("RuleRow4", 169.6, 21.4, 187.3),
    hor("RuleRow5", 174.4, 21.4, 187.3),
    hor("RuleRow6", 179.1, 21.4, 187.3),
    hor("RuleRow7", 183.9, 21.4, 187.3),
    hor("RuleRow8", 188.6, 21.4, 187.3),
    hor("RuleRow9", 193.4, 21.4, 187.3),
    hor("RuleRow10", 198.7, 21.4, 187.3),
    hor("RuleSection1", 203.5, 10.8, 201.3),
    hor("RuleSection2", 208.2, 10.8, 201.3),
    hor("RuleSection3", 213.3, 10.8, 201.3),
    hor("RuleSection4", 223.3, 10.8, 201.3),
    hor("RuleSection5", 228.3, 10.8, 201.3),
    hor("RuleSection6", 233.6, 10.8, 201.3),
    hor("RuleSection7", 238.9, 10.8, 201.3),
    ver("RuleSection4Split", 54.2, 214.0, 223.5),
    hor("RuleSection4Half", 218.3, 55.3, 201.3),
    box("FrameStamp", 251.1, 29.1, 14.3, 13.0),
    hor("RuleSignature", 261.1, 109.8, 190.5),
};

const double kRowTops[10] = {151.1, 156.1, 161.1, 165.9, 170.7, 175.4, 180.2, 184.9, 189.4, 194.5};
// The VAT columns' left edges: at the rate (7), 0 % at home (8), export (9), exempt (10).
constexpr double kRateColumn = 130.4;
constexpr double kZeroRateColumns[3] = {144.2, 158.75, 173.8};
// A sum's width in any of the four columns, short of the next rule.
constexpr double kSumWidth = 12.3;

double lineHeight(int size)
{
    return size * 0.3528 * 1.25; // points to millimetres, with the line's leading
}

void addText(Page& page, const MmText& t)
{
    const int lines = int(t.lines.size());
    const double height = t.height > 0 ? t.height : lineHeight(t.size) * std::max(lines, 1);
    const Qt::Alignment align = t.align == 'r'   ? Qt::AlignRight
                                : t.align == 'c' ? Qt::AlignHCenter
                                                 : Qt::AlignLeft;
    PageElement e = makeLabel(QLatin1String(t.name), t.left, t.top, t.width > 0 ? t.width : 60, height,
                              QStringLiteral("Times New Roman"), t.size, t.bold, align, t.width <= 0,
                              QString::fromUtf8(t.text));
    e.transparent = true;
    if (lines > 0) {
        e.kind = ElementKind::RichText;
        e.autoSize = false;
        for (const char* line : t.lines)
            e.lines << QString::fromUtf8(line);
    }
    page.add(std::move(e));
}

void addLabel(Page& page, const QString& name, double top, double left, double width, int size, bool bold,
              char align, const QString& text, const QString& family = QStringLiteral("Times New Roman"))
{
    const Qt::Alignment a = align == 'r' ? Qt::AlignRight : align == 'c' ? Qt::AlignHCenter : Qt::AlignLeft;
    PageElement e = makeLabel(name, left, top, width > 0 ? width : 40, lineHeight(size), family, size, bold,
                              a, width <= 0, text);
    e.transparent = true;
    page.add(std::move(e));
}

// One collected goods position.
struct PositionLine {
    QString name, unit, countText;
    double price = 0;
    Money sum;
    bool lumpSum = false;
};

struct TaxFill {
    Page& page;
    const Settings& settings;
    Prompter* prompter;
    bool complete = true;

    void fail(const QString& message)
    {
        if (prompter)
            prompter->error(message);
        complete = false;
    }

    // The cells of one position at row r; the next free row.
    int placeRow(int r, const PositionLine& line, const QString& date)
    {
        const QByteArray row = QByteArray::number(r);
        const QString price =
            line.lumpSum ? QString() : FormatFixed(line.price, settings.price, u',').rightJustified(9, u' ');
        const QString sum = line.sum.text().rightJustified(9, u' ');
        set(page, ("DataPos" + row).constData(), date);
        int cells = r;
        if (line.name.size() > 35 && r < 10) {
            set(page, ("StrPos" + row).constData(), line.name.left(35));
            cells = r + 1;
            set(page, ("StrPos" + QByteArray::number(cells)).constData(), line.name.mid(35));
        } else {
            set(page, ("StrPos" + row).constData(), line.name);
        }
        const QByteArray c = QByteArray::number(cells);
        set(page, ("EdPos" + c).constData(), line.unit);
        set(page, ("NumPos" + c).constData(), line.lumpSum ? QString() : line.countText);
        set(page, ("PricePos" + c).constData(), price);
        set(page, ("NDSPos" + c).constData(), sum);
        return cells + 1;
    }
};

// The positions of one document that the invoice charges: each with its sum as the invoice prints it, a
// return (a negative sum) too; a position of no sum is not printed.
std::vector<PositionLine> collect(const InvoiceRow& document, const QString& countFormat)
{
    std::vector<PositionLine> lines;
    for (const Position& p : document.positions) {
        PositionLine line;
        line.sum = PositionSum(p);
        if (line.sum == Money())
            continue;
        // Whole, as every printed text: what does not fit its cell is drawn smaller.
        line.name = p.name;
        line.unit = p.measure;
        line.countText = FormatByDisplayFormat(p.count, countFormat);
        line.price = p.price;
        line.lumpSum = isLumpSum(line.unit);
        lines.push_back(line);
    }
    return lines;
}

// How many positions fit the ten rows from the first on: a long name takes two rows (but the last row holds
// it whole), and with gaps an empty row follows each position.
std::size_t positionsThatFit(const std::vector<PositionLine>& lines, bool gaps)
{
    int row = 1;
    std::size_t placed = 0;
    for (const PositionLine& line : lines) {
        if (row > 10)
            break;
        row += line.name.size() > 35 && row < 10 ? 2 : 1;
        row += gaps ? 1 : 0;
        ++placed;
    }
    return placed;
}

} // namespace

Page CreateTaxWaybillBlank()
{
    Page page(PageUnit::Mm);
    for (const MmText& t : kFixedTexts)
        addText(page, t);
    for (const MmText& t : kFields)
        addText(page, t);
    for (const MmText& t : kHeadings)
        addText(page, t);
    for (const MmShape& s : kShapes) {
        PageElement e = makeShape(QLatin1String(s.name), s.shape, s.left, s.top, s.width, s.height);
        e.penWidth = s.pen;
        page.add(std::move(e));
    }
    const double numberLefts[11] = {15.1, 25.9, 62.2, 102.1, 110.6, 120.9, 135.7, 149.5, 165.1, 179.7, 194.2};
    for (int c = 0; c < 11; ++c)
        addLabel(page, QStringLiteral("ColNo%1").arg(c + 1), 146.8, numberLefts[c], 0, 8, true, 'l',
                 QString::number(c + 1));
    for (int r = 1; r <= 10; ++r) {
        const double top = kRowTops[r - 1];
        addLabel(page, QStringLiteral("DataPos%1").arg(r), top, r == 1 ? 22.8 : 22.5, 0, 9, false, 'l',
                 QString());
        addLabel(page, QStringLiteral("StrPos%1").arg(r), top, 35.7, 63.2, 9, false, 'l', QString());
        addLabel(page, QStringLiteral("EdPos%1").arg(r), top, 100.3, 0, 9, false, 'l', QString());
        // The figures keep off the column rules on their right (at 115.1, 128.6, 143.1 … and 200.3).
        addLabel(page, QStringLiteral("NumPos%1").arg(r), top, 107.0, 7.7, 9, false, 'c', QString());
        addLabel(page, QStringLiteral("PricePos%1").arg(r), top, 116.2, 12.0, 9, false, 'r', QString());
        addLabel(page, QStringLiteral("NDSPos%1").arg(r), top, kRateColumn, kSumWidth, 9, false, 'r',
                 QString());
    }
    // Sections I to VII.
    const struct {
        const char* number;
        double top;
        const char* text;
        double left;
    } sections[] = {{"I", 152.7, "", 0},
                    {"", 199.8, "Усього по розділу I", 32.0},
                    {"II", 204.5, "Товаротранспортні витрати ", 24.9},
                    {"III", 209.6, "Зворотна (заставна тара)", 24.9},
                    {"IV", 214.6, "Надано покупцю : ", 24.9},
                    {"V", 224.6, "Усього по розділах I + II + IV", 24.9},
                    {"VI", 229.9, "Податок на додану вартість ", 25.1},
                    {"VII", 235.2, "Загальна сума з ПДВ ", 25.1}};
    int s = 0;
    for (const auto& section : sections) {
        ++s;
        if (*section.number)
            addLabel(page, QStringLiteral("Section%1").arg(s), section.top, 15.1, 0, 8, true, 'l',
                     QString::fromUtf8(section.number));
        if (*section.text)
            addLabel(page, QStringLiteral("SectionText%1").arg(s), section.top, section.left, 0, 8, false,
                     'l', QString::fromUtf8(section.text));
    }
    int x = 0;
    for (double left : {102.1, 110.9, 122.0, 135.2, 149.2, 165.4, 179.9})
        addLabel(page, QStringLiteral("ReturnX%1").arg(++x), 209.6, left, 0, 8, true, 'l',
                 QStringLiteral("X"), QStringLiteral("Arial"));
    addLabel(page, QStringLiteral("SurchargeText"), 214.6, 59.8, 0, 8, false, 'l',
             QStringLiteral("надбавка (+)"));
    addLabel(page, QStringLiteral("DiscountText"), 219.6, 59.8, 0, 8, false, 'l',
             QStringLiteral("знижка (-)"));
    const struct {
        const char* suffix;
        double top;
    } totals[] = {{"", 199.8}, {"5", 224.4}, {"6", 229.7}, {"7", 234.7}};
    for (const auto& t : totals) {
        addLabel(page, QStringLiteral("VsegoNDS") + QLatin1String(t.suffix), t.top, kRateColumn, kSumWidth, 9,
                 false, 'r', QStringLiteral("0,00"));
        addLabel(page, QStringLiteral("Vsego") + QLatin1String(t.suffix), t.top, 187.9, 12.0, 9, true, 'r',
                 QStringLiteral("0,00"));
    }
    return page;
}

namespace {

// The positions a waybill's documents charge, and their VAT rate.
struct WaybillLines {
    std::vector<PositionLine> lines;
    int rate = 0;
};

// C. The documents, from the table under the waybill's own client: the first, and for an invoice the second
// and third of the same client and VAT rate. nullopt after the failure is told.
std::optional<WaybillLines> takeDocuments(TaxFill& fill, const TaxWaybillRow& waybill,
                                          const WaybillDocuments& documents, const Settings& settings)
{
    const QString countFormat = ApplyPrecision(settings.price, settings.goods).countFormat;
    const auto document = [&documents, &waybill](std::size_t index) -> std::optional<InvoiceRow> {
        const std::optional<InvoiceRow>& found = documents[index];
        if (found && waybill.ID_NUMBER > 0 && found->ID_NUMBER != waybill.ID_NUMBER)
            return std::nullopt;
        return found;
    };
    WaybillLines out;
    std::vector<PositionLine>& lines = out.lines;
    int& rate = out.rate;
    const int f1 = waybill.FACT1_NUMBER, f2 = waybill.FACT2_NUMBER, f3 = waybill.FACT3_NUMBER;
    const auto take = [&](const InvoiceRow& d) {
        const std::vector<PositionLine> more = collect(d, countFormat);
        lines.insert(lines.end(), more.begin(), more.end());
    };
    if (f1 > 0) {
        const std::optional<InvoiceRow> first = document(0);
        if (!first) {
            fill.fail(MissingDocumentText(f1));
            return std::nullopt;
        }
        rate = first->FACT_NDS;
        take(*first);
        const struct {
            int number;
            std::size_t index;
            const char* differentRate;
        } more[] = {
            {f2, 1,
             QT_TRANSLATE_NOOP("TaxWaybillForm", "Первый и второй счета выписаны под разную величину НДС!")},
            {f3, 2,
             QT_TRANSLATE_NOOP("TaxWaybillForm", "Первый и третий счета выписаны под разную величину НДС!")}};
        for (const auto& m : more) {
            if (m.number < 1)
                continue;
            const std::optional<InvoiceRow> next = document(m.index);
            if (!next) {
                fill.fail(MissingDocumentText(m.number));
                return std::nullopt;
            }
            if (next->ID_NUMBER != first->ID_NUMBER) {
                fill.fail(QCoreApplication::translate(
                    "TaxWaybillForm", "Вы пытаетесь выписать одну накладную на счета разных клиентов!"));
                return std::nullopt;
            }
            if (next->FACT_NDS != rate) {
                fill.fail(QCoreApplication::translate("TaxWaybillForm", m.differentRate));
                return std::nullopt;
            }
            take(*next);
        }
    } else {
        const std::optional<InvoiceRow> receipt = document(0);
        if (!receipt) {
            fill.fail(MissingDocumentText(-1));
            return std::nullopt;
        }
        rate = receipt->FACT_NDS;
        take(*receipt);
    }
    return out;
}

} // namespace

WaybillFill FillTaxWaybillForm(Page& page, const TaxWaybillRow& waybill, const WaybillDocuments& documents,
                               const ClientRow* buyerRow, const OwnerRecord& owner, const Settings& settings,
                               Prompter* prompter, std::optional<int> section)
{
    TaxFill fill{page, settings, prompter};
    // A. Reset.
    for (const char* name :
         {"DayN1", "MonthN1", "YearN1", "NameN1", "CodeN1", "NoTel", "YurAdrN1", "NoRegN1", "Umova"})
        set(page, name, QStringLiteral(" "));
    for (PageElement& e : page.elements()) {
        for (const char* part : {"DataPos", "StrPos", "EdPos", "NumPos", "PricePos", "NDSPos"})
            if (e.name.contains(QLatin1String(part)))
                e.text = QStringLiteral(" ");
        if (e.name.contains(QLatin1String("Vsego")))
            e.text = QStringLiteral("0,00");
    }

    const std::optional<WaybillLines> taken = takeDocuments(fill, waybill, documents, settings);
    if (!taken)
        return WaybillFill::Incomplete;
    const std::vector<PositionLine>& lines = taken->lines;
    const int rate = taken->rate;

    // D. The VAT column: the rate's, or for a zero rate the section asked for.
    double column = kRateColumn;
    if (rate <= 0) {
        set(page, "QRLabel115", QStringLiteral("20%"));
        const int chosen =
            section ? *section
            : prompter
                ? prompter->choose(
                      QCoreApplication::translate("TaxWaybillForm",
                                                  "В какой раздел вписать данные  (величина НДС=0%) :"),
                      {QCoreApplication::translate("TaxWaybillForm",
                                                   "- реалізація на митній території України"),
                       QCoreApplication::translate("TaxWaybillForm", "- експорт"),
                       QCoreApplication::translate("TaxWaybillForm", "- звільнення від ПДВ (ст.5)")},
                      0, QCoreApplication::translate("TaxWaybillForm", "Выбор раздела НДС в накладной :"))
                : 0;
        // Without a section the zero-rate sums have no column of their own: nothing goes on paper.
        if (chosen < 0 || chosen > 2)
            return WaybillFill::Cancelled;
        column = kZeroRateColumns[chosen];
    } else {
        set(page, "QRLabel115", QString::number(rate) + u'%');
    }
    for (PageElement& e : page.elements())
        if (e.name.contains(QLatin1String("NDSPos")) || e.name.contains(QLatin1String("VsegoNDS")))
            e.left = column;

    // E. Header and blocks; the buyer is the waybill's own client.
    set(page, "QRNameOwn_2", owner.FIRMNAME);
    set(page, "QRTelOwn_2", u' ' + owner.TELFAX);
    set(page, "QRBuhOwn_2", QStringLiteral(" ( ") + owner.BUHALTER + QStringLiteral(" )"));
    set(page, "QRRegNoOwn_2", owner.REGNUMBER);
    set(page, "QRTCodeOwn_2", owner.TAXCODE);
    set(page, "QRLAdrOwn_2", owner.LAWADDRESS);
    set(page, "QROplata", waybill.OPLATA_TYPE);
    const ClientRow buyer = buyerRow ? *buyerRow : ClientRow{};
    set(page, "CodeN1", buyer.TAXCODE);
    set(page, "NoTel", buyer.TELFAX);
    set(page, "YurAdrN1", buyer.LAWADDRESS);
    set(page, "NoRegN1", buyer.REGNUMBER);
    set(page, "Umova", waybill.INFO);
    const QDate date = waybill.NAKL_DATA;
    setDate(page, "DayN1", "MonthN1", "YearN1", date, kUkrainianGenitiveBlock);
    set(page, "NameN1", waybill.NAME_CLIENT);
    set(page, "QRDBText5", QString::number(waybill.NAKL_NUMBER));
    const QString rowDate =
        twoDigits(date.day()) + u'.' + twoDigits(date.month()) + u'.' + twoDigits(date.year() % 100);

    // F, G. Rows: a gap after each position when there are few and the gaps leave room for all; every
    // position or none, since a waybill that leaves goods out is not the invoices' waybill.
    const bool gaps = lines.size() <= 4 && positionsThatFit(lines, true) == lines.size();
    const std::size_t fitting = positionsThatFit(lines, gaps);
    if (fitting < lines.size())
        fill.fail(QCoreApplication::translate("TaxWaybillForm",
                                              "Число позиций в счет-фактурах больше чем в бланке!"));
    int row = 1;
    Money positions;
    for (std::size_t i = 0; i < fitting; ++i) {
        row = fill.placeRow(row, lines[i], rowDate) + (gaps ? 1 : 0);
        positions += lines[i].sum;
    }

    // H. Totals: the invoices' positions as each of them charges them, VAT on their sum.
    const Taxed sums = WithTaxes(positions, rate);
    if (const QString beyond = TotalBeyondBlank(sums.total); !beyond.isEmpty())
        fill.fail(beyond);
    const auto text = [](Money amount) { return amount.text().rightJustified(8, u' '); };
    for (const char* name : {"Vsego", "VsegoNDS", "Vsego5", "VsegoNDS5"})
        set(page, name, text(sums.subtotal));
    set(page, "Vsego6", text(sums.vat));
    set(page, "VsegoNDS6", text(sums.vat));
    set(page, "Vsego7", text(sums.total));
    set(page, "VsegoNDS7", text(sums.total));
    return fill.complete ? WaybillFill::Complete : WaybillFill::Incomplete;
}

std::optional<Page> PrepareTaxWaybillPage(const TDM& dm, int number, const OwnerRecord& owner,
                                          const Settings& settings, Prompter* prompter,
                                          std::optional<int> section, bool* complete, QString* error)
{
    const std::optional<TaxWaybillRow> waybill = dm.ReadTaxWaybill(number);
    if (!waybill) {
        if (error)
            *error = QCoreApplication::translate("TaxWaybillForm", "Налоговая накладная № %1 не найдена.")
                         .arg(number);
        return std::nullopt;
    }
    Page page = CreateTaxWaybillBlank();
    const std::optional<ClientRow> buyer = dm.ReadClient(waybill->ID_NUMBER);
    const WaybillFill filled = FillTaxWaybillForm(
        page, *waybill,
        ReadWaybillDocuments(dm, waybill->FACT1_NUMBER, waybill->FACT2_NUMBER, waybill->FACT3_NUMBER),
        buyer ? &*buyer : nullptr, owner, settings, prompter, section);
    if (filled == WaybillFill::Cancelled) {
        if (error)
            error->clear();
        return std::nullopt;
    }
    *complete = filled == WaybillFill::Complete;
    return page;
}
