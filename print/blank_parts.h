#pragma once

#include "db/rows.h"
#include "report/page.h"

#include <QColor>
#include <QDate>
#include <QString>

#include <array>
#include <optional>
#include <span>

class TDM;

// What the blanks are built from and filled with: their element tables and the small edits every fill makes.

struct LabelDef {
    const char* name;
    int left, top, width, height;
    char font; // 'A' Arial, 'T' Times New Roman
    int size;
    bool bold;
    char align; // 'l', 'r', 'c'
    bool autoSize;
    const char* text;
    bool transparent = false;
};

struct ShapeDef {
    const char* name;
    ShapeKind shape;
    int left, top, width, height;
};

void AddLabels(Page& page, std::span<const LabelDef> labels);
void AddShapes(Page& page, std::span<const ShapeDef> shapes);

namespace Blank {
void set(Page& page, const char* name, const QString& text);
void setColor(Page& page, const char* name, const QColor& color);
void setTop(Page& page, const char* name, double top);
void setHeight(Page& page, const char* name, double height);
// Day and month as two digits ("05").
QString twoDigits(int n);
// No date, or the zero date an empty one reads as.
bool isEmptyDate(const QDate& date);
// A date on three labels: the day in two digits, the month in words of the given block, the year; an empty
// date leaves the three places blank, never 30 December 1899.
void setDate(Page& page, const char* day, const char* month, const char* year, const QDate& date,
             int monthBlock);
// The unit of a lump-sum position is empty or only blanks: its sum is its price.
bool isLumpSum(const QString& unit);
} // namespace Blank

// A waybill's source document that is gone: "Не найдена исходная счет-фактура №N" for an invoice (a
// number above zero), "Не найдена исходное поступление!" for a receipt.
QString MissingDocumentText(int number);

// The owner's details a blank prints that are still a new book's samples ("Назва банку", zeros for a
// code), named as the owner tab names them; empty when every one is filled in.
QStringList SampleOwnerDetails(const OwnerRecord& owner, std::span<QString OwnerRecord::*const> printed);

// A waybill's first, second and third document as its blank takes them, looked up by the caller by number
// whoever's they are (the blank tells another client's apart); nullopt where there is none.
using WaybillDocuments = std::array<std::optional<InvoiceRow>, 3>;
WaybillDocuments ReadWaybillDocuments(const TDM& dm, int first, int second, int third);
