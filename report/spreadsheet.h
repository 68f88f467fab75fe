#pragma once

#include "base/money.h"
#include "base/whole_file.h"

#include <QDate>
#include <QString>
#include <QVariant>

#include <memory>
#include <vector>

// What a column holds: texts whole, whole numbers, sums with two decimals and a thousands separator, dates.
enum class CellKind { Text, Integer, Money, Date };

struct SheetColumn {
    QString header;
    CellKind kind = CellKind::Text;
};

// A cell's value as its column's kind takes it: a QString, an integer, a Money or a QDate; an empty
// QVariant leaves the cell empty.
using SheetRow = std::vector<QVariant>;
inline QVariant moneyCell(Money m)
{
    return QVariant::fromValue(m);
}

// An XLSX workbook of one sheet, written row by row as a register is read, through libxlsxwriter: a bold
// title row, a frozen header row with an autofilter, the rows, and a totals row. A row may have lines under
// it that fold into it (an invoice's positions): its sums are then SUBTOTAL formulas over them, so that the
// totals, SUBTOTAL over every row, count each line once. Every formula keeps its value, for viewers that do
// not recalculate.
class Spreadsheet {
public:
    Spreadsheet(const QString& sheetName, const QString& title, std::vector<SheetColumn> columns);
    ~Spreadsheet();
    Spreadsheet(const Spreadsheet&) = delete;
    Spreadsheet& operator=(const Spreadsheet&) = delete;

    void addRow(const SheetRow& row);
    // A row with its lines under it, grouped so that they fold; its Money cells sum the lines' and keep the
    // given values.
    void addGroup(const SheetRow& row, const std::vector<SheetRow>& lines);
    // The totals row: the caption in the first column, SUBTOTAL over the rows in each Money column, keeping
    // the given values (by column; an empty QVariant, no formula).
    void addTotals(const QString& caption, const SheetRow& values);
    // The rows written so far, title and header not counted.
    int rows() const;
    int columns() const;

    // Writes the workbook to the file whole or not at all, under the rules for every output; false with
    // *error when it could not.
    bool save(const QString& fileName, QString* error = nullptr);

private:
    struct Impl;
    std::unique_ptr<Impl> d;
};
