#include "print/invoice_form.h"

#include <gtest/gtest.h>

// Every element of the invoice blank as designed: position and size in pixels at 96 dpi, font, alignment,
// whether the width follows the text, and the fixed text (nullptr: filled when printing). Moving, resizing
// or retyping any of them is a different document.
namespace {

struct LabelSpec {
    const char16_t* name;
    int left, top, width, height;
    const char16_t* family;
    int size;
    bool bold;
    char align; // L, R, C
    bool autoSize;
    const char16_t* text;
};

const LabelSpec kLabels[] = {
    {u"QRLabel1", 112, 44, 91, 16, u"Arial", 9, false, 'L', true, u" Постачальник  "},
    {u"QRLabel2", 112, 62, 73, 16, u"Arial", 9, false, 'L', true, u" його адреса"},
    {u"QRNameOwn", 204, 44, 277, 17, u"Arial", 10, true, 'L', false, nullptr},
    {u"QRTelOwn", 184, 71, 297, 17, u"Arial", 10, true, 'L', false, nullptr},
    {u"QRLabel5", 112, 91, 60, 16, u"Arial", 9, false, 'L', true, u"Код ЗКПО "},
    {u"QRLabel6", 112, 113, 37, 16, u"Arial", 9, false, 'L', true, u"Рах.№"},
    {u"QRCityOwn", 112, 151, 62, 17, u"Arial", 10, true, 'L', true, nullptr},
    {u"QRLabel8", 530, 44, 138, 17, u"Arial", 10, true, 'L', true, u" РАХУНОК-ФАКТУРА "},
    {u"QRLabel9", 546, 73, 31, 17, u"Arial", 10, false, 'L', true, u" №   "},
    {u"QRLabel10", 498, 98, 31, 16, u"Arial", 9, true, 'L', true, u"  від  "},
    {u"DayL", 546, 98, 15, 16, u"Arial", 9, true, 'L', true, nullptr},
    {u"MonthL", 566, 98, 50, 16, u"Arial", 9, true, 'L', true, nullptr},
    {u"YearL", 638, 98, 29, 16, u"Arial", 9, true, 'L', true, nullptr},
    {u"QRLabel12", 677, 98, 11, 16, u"Arial", 9, true, 'L', true, u"р."},
    {u"QRLabel11", 495, 123, 82, 17, u"Arial", 10, false, 'L', true, u" по договору "},
    {u"QRLabel13", 486, 143, 15, 17, u"Arial", 10, false, 'L', true, u"№"},
    {u"NoDogL", 504, 143, 52, 16, u"Arial", 9, true, 'C', false, nullptr},
    {u"QRLabel15", 558, 143, 25, 16, u"Arial", 9, true, 'L', true, u" від "},
    {u"DogDayL", 583, 143, 21, 16, u"Arial", 9, true, 'L', true, nullptr},
    {u"DogMonL", 606, 143, 50, 16, u"Arial", 9, true, 'C', false, nullptr},
    {u"DogYearL", 671, 143, 29, 16, u"Arial", 9, true, 'L', true, nullptr},
    {u"QRLabel14", 703, 143, 14, 16, u"Arial", 9, true, 'L', true, u" р."},
    {u"QRLabel21", 112, 173, 61, 17, u"Arial", 10, false, 'L', true, u" Платник  "},
    {u"QRLabel22", 112, 196, 102, 17, u"Arial", 10, false, 'L', true, u" та його адреса  "},
    {u"QRLabel23", 111, 241, 58, 17, u"Arial", 10, false, 'L', true, u" в банку  "},
    {u"QRLabel24", 112, 220, 58, 17, u"Arial", 10, false, 'L', true, u" Рах. №  "},
    {u"QRLabel25", 115, 262, 29, 17, u"Arial", 10, false, 'L', true, u"в м. "},
    {u"QRLabel26", 370, 262, 34, 17, u"Arial", 10, false, 'L', true, u" обл. "},
    {u"ChetL", 181, 220, 169, 17, u"Arial", 10, true, 'L', false, nullptr},
    {u"CityL", 145, 262, 175, 17, u"Arial", 10, true, 'L', false, nullptr},
    {u"RegionL", 412, 262, 261, 17, u"Arial", 10, true, 'L', false, nullptr},
    {u"FirmNameL", 176, 172, 537, 20, u"Arial", 11, true, 'C', false, nullptr},
    {u"AdressL", 216, 196, 473, 17, u"Arial", 10, true, 'L', false, nullptr},
    {u"BankNameL", 176, 241, 407, 17, u"Arial", 10, true, 'L', false, nullptr},
    {u"QRLabel41", 172, 302, 101, 17, u"Arial", 10, false, 'L', true, u"  Найменування "},
    {u"QRLabel42", 455, 302, 50, 17, u"Arial", 10, false, 'L', true, u"Од.вим."},
    {u"QRLabel43", 515, 302, 48, 17, u"Arial", 10, false, 'L', true, u"  К-сть  "},
    {u"QRLabel44", 583, 302, 40, 17, u"Arial", 10, false, 'L', true, u"  Ціна "},
    {u"QRLabel45", 651, 302, 45, 17, u"Arial", 10, false, 'L', true, u" Сума  "},
    {u"StrPo1", 116, 343, 160, 17, u"Arial", 10, true, 'L', true, nullptr},
    {u"StrPO12", 116, 359, 5, 17, u"Arial", 10, true, 'L', true, nullptr},
    {u"ItogPO1", 646, 351, 68, 21, u"Arial", 10, true, 'R', false, nullptr},
    {u"StrPo2", 116, 383, 5, 17, u"Arial", 10, true, 'L', true, nullptr},
    {u"StrPo22", 116, 403, 5, 17, u"Arial", 10, true, 'L', true, nullptr},
    {u"ItogPo2", 645, 391, 69, 21, u"Arial", 10, true, 'R', false, nullptr},
    {u"ItogIo1", 645, 433, 69, 21, u"Arial", 10, true, 'R', false, nullptr},
    {u"StrIO1", 116, 423, 5, 17, u"Arial", 10, true, 'L', true, nullptr},
    {u"StrIo12", 116, 443, 5, 17, u"Arial", 10, true, 'L', true, nullptr},
    {u"StrIo2", 116, 467, 5, 17, u"Arial", 10, true, 'L', true, nullptr},
    {u"StrIO22", 116, 485, 5, 17, u"Arial", 10, true, 'L', true, nullptr},
    {u"ItogIO2", 645, 472, 69, 21, u"Arial", 10, true, 'R', false, nullptr},
    {u"QRLabel49", 108, 671, 136, 17, u"Arial", 10, false, 'L', true, nullptr},
    {u"QRLabel50", 276, 671, 221, 17, u"Arial", 10, false, 'L', false, u"______________________________"},
    {u"QRLabel51", 112, 776, 91, 17, u"Arial", 10, true, 'L', true, nullptr},
    {u"QRLabel52", 112, 796, 348, 17, u"Arial", 10, true, 'L', true, nullptr},
    {u"NoFactL", 574, 73, 58, 16, u"Arial", 9, true, 'R', false, nullptr},
    {u"QRLabel53", 240, 720, 37, 19, u"Arial", 12, false, 'L', true, u"М. П."},
    {u"QROKPOOwn", 175, 90, 61, 17, u"Arial", 10, true, 'L', true, nullptr},
    {u"QRMFOOwn", 242, 150, 92, 17, u"Arial", 10, true, 'L', true, nullptr},
    {u"QRChetOwn", 172, 112, 113, 19, u"Arial", 10, true, 'L', false, nullptr},
    {u"QRBankOwn", 112, 132, 357, 17, u"Arial", 9, true, 'L', false, nullptr},
    {u"QR1", 468, 353, 21, 17, u"Arial", 10, true, 'L', true, nullptr},
    {u"QR2", 468, 393, 21, 17, u"Arial", 10, true, 'L', true, nullptr},
    {u"QRBuhOwn", 504, 671, 189, 17, u"Arial", 10, true, 'L', true, nullptr},
    {u"QR3", 468, 435, 21, 17, u"Arial", 10, true, 'L', true, nullptr},
    {u"QR4", 468, 474, 21, 17, u"Arial", 10, true, 'L', true, nullptr},
    {u"SFNumPOS1", 512, 352, 52, 19, u"Arial", 10, true, 'R', false, nullptr},
    {u"SFNumPos2", 512, 392, 53, 19, u"Arial", 10, true, 'R', false, nullptr},
    {u"SFNumPOs3", 512, 434, 52, 19, u"Arial", 10, true, 'R', false, nullptr},
    {u"SFNumPos4", 512, 473, 52, 19, u"Arial", 10, true, 'R', false, nullptr},
    {u"QRPrice_pos1", 568, 351, 71, 19, u"Arial", 10, true, 'R', false, nullptr},
    {u"QRPrice_pos2", 568, 391, 71, 19, u"Arial", 10, true, 'R', false, nullptr},
    {u"QRPrice_pos3", 568, 434, 71, 19, u"Arial", 10, true, 'R', false, nullptr},
    {u"QRPrice_pos4", 569, 473, 70, 19, u"Arial", 10, true, 'R', false, nullptr},
    {u"QRLabel3", 115, 560, 126, 17, u"Arial", 10, true, 'L', true, nullptr},
    {u"QRLabel4", 644, 558, 72, 21, u"Arial", 10, true, 'R', false, nullptr},
    {u"QRLabel46", 116, 509, 53, 17, u"Arial", 10, true, 'L', true, u"ИТОГО :"},
    {u"Itogo", 644, 507, 71, 21, u"Arial", 10, true, 'R', false, nullptr},
    {u"QRLabel54", 116, 534, 36, 17, u"Arial", 10, true, 'L', true, nullptr},
    {u"NDS", 644, 532, 72, 21, u"Arial", 10, true, 'R', false, nullptr},
    {u"ALLSumma", 644, 584, 72, 21, u"Arial", 10, true, 'R', false, nullptr},
    {u"StrSum", 116, 632, 593, 20, u"Times New Roman", 12, true, 'L', false, nullptr},
    {u"QRLabel47", 116, 610, 130, 18, u"Arial", 11, false, 'L', true, nullptr},
    {u"QRLabel55", 116, 587, 56, 17, u"Arial", 10, true, 'L', true, nullptr},
    {u"QRLabel7", 632, 73, 13, 16, u"Arial", 9, true, 'L', true, nullptr},
};

struct ShapeSpec {
    const char16_t* name;
    ShapeKind shape;
    int left, top, width, height;
};

const ShapeSpec kShapes[] = {
    {u"QRShape1", ShapeKind::Rectangle, 109, 38, 376, 132},
    {u"QRShape2", ShapeKind::Rectangle, 484, 38, 234, 132},
    {u"QRShape6", ShapeKind::Rectangle, 109, 169, 609, 115},
    {u"QRShape12", ShapeKind::Rectangle, 109, 283, 609, 16},
    {u"QRShape13", ShapeKind::Rectangle, 109, 298, 342, 43},
    {u"QRShape14", ShapeKind::Rectangle, 450, 298, 268, 23},
    {u"QRShape15", ShapeKind::Rectangle, 450, 320, 268, 21},
    {u"QRShape22", ShapeKind::Rectangle, 109, 340, 342, 42},
    {u"QRShape23", ShapeKind::Rectangle, 450, 340, 268, 42},
    {u"QRShape34", ShapeKind::Rectangle, 109, 381, 342, 41},
    {u"QRShape36", ShapeKind::Rectangle, 450, 381, 268, 41},
    {u"QRShape40", ShapeKind::Rectangle, 109, 421, 342, 42},
    {u"QRShape42", ShapeKind::Rectangle, 450, 421, 268, 42},
    {u"QRShape46", ShapeKind::Rectangle, 109, 462, 342, 42},
    {u"QRShape47", ShapeKind::Rectangle, 450, 462, 268, 42},
    {u"QRShape51", ShapeKind::Rectangle, 109, 529, 609, 27},
    {u"QRShape52", ShapeKind::Rectangle, 109, 555, 609, 27},
    {u"QRShape3", ShapeKind::Rectangle, 109, 503, 609, 27},
    {u"QRShape27", ShapeKind::Rectangle, 109, 581, 609, 27},
    {u"QRShape53", ShapeKind::Rectangle, 109, 607, 609, 48},
    {u"QRShape4", ShapeKind::VertLine, 448, 502, 4, 105},
    {u"QRShape16", ShapeKind::VertLine, 507, 298, 4, 309},
    {u"QRShape19", ShapeKind::VertLine, 565, 298, 2, 309},
    {u"QRShape20", ShapeKind::VertLine, 641, 298, 2, 309},
};

Qt::Alignment alignmentOf(char a)
{
    return a == 'R' ? Qt::AlignRight : a == 'C' ? Qt::AlignHCenter : Qt::AlignLeft;
}

} // namespace

TEST(InvoiceBlank, EveryElementStandsWhereTheDesignPutsIt)
{
    const Page page = CreateInvoiceBlank();
    ASSERT_EQ(std::size(kLabels), 85u);
    ASSERT_EQ(std::size(kShapes), 24u);
    ASSERT_EQ(page.elements().size(), std::size(kLabels) + std::size(kShapes) + 1);
    EXPECT_EQ(page.unit(), PageUnit::Px);

    for (const LabelSpec& s : kLabels) {
        const QString name = QString::fromUtf16(s.name);
        SCOPED_TRACE(name.toStdString());
        const PageElement* e = page.element(name);
        ASSERT_NE(e, nullptr);
        EXPECT_EQ(e->kind, ElementKind::Label);
        EXPECT_EQ(e->left, s.left);
        EXPECT_EQ(e->top, s.top);
        EXPECT_EQ(e->width, s.width);
        EXPECT_EQ(e->height, s.height);
        EXPECT_EQ(e->fontFamily, QString::fromUtf16(s.family));
        EXPECT_EQ(e->fontSize, s.size);
        EXPECT_EQ(e->bold, s.bold);
        EXPECT_EQ(e->align & Qt::AlignHorizontal_Mask, alignmentOf(s.align));
        EXPECT_EQ(e->autoSize, s.autoSize);
        EXPECT_TRUE(e->wordWrap);
        EXPECT_FALSE(e->transparent);
        EXPECT_EQ(e->color, QColor(Qt::black));
        if (s.text) {
            EXPECT_EQ(e->text, QString::fromUtf16(s.text));
        }
    }
    for (const ShapeSpec& s : kShapes) {
        const QString name = QString::fromUtf16(s.name);
        SCOPED_TRACE(name.toStdString());
        const PageElement* e = page.element(name);
        ASSERT_NE(e, nullptr);
        EXPECT_EQ(e->kind, ElementKind::Shape);
        EXPECT_EQ(e->shape, s.shape);
        EXPECT_EQ(e->left, s.left);
        EXPECT_EQ(e->top, s.top);
        EXPECT_EQ(e->width, s.width);
        EXPECT_EQ(e->height, s.height);
        EXPECT_EQ(e->penWidth, 1);
    }
    const PageElement* picture = page.element(QStringLiteral("QRImage2"));
    ASSERT_NE(picture, nullptr);
    EXPECT_EQ(picture->kind, ElementKind::Image);
    EXPECT_EQ(QRectF(picture->left, picture->top, picture->width, picture->height), QRectF(77, 40, 15, 140));
    EXPECT_TRUE(picture->stretch);
    EXPECT_TRUE(picture->frame);

    // Drawn in the order the design made them: the labels' and the shapes' own orders hold on the page.
    const auto position = [&](const char16_t* name) {
        for (std::size_t i = 0; i < page.elements().size(); ++i)
            if (page.elements()[i].name == QString::fromUtf16(name))
                return i;
        return page.elements().size();
    };
    for (std::size_t i = 1; i < std::size(kLabels); ++i)
        EXPECT_LT(position(kLabels[i - 1].name), position(kLabels[i].name)) << i;
    for (std::size_t i = 1; i < std::size(kShapes); ++i)
        EXPECT_LT(position(kShapes[i - 1].name), position(kShapes[i].name)) << i;
}
