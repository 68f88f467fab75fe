#pragma once

#include "db/list_queries.h"

#include <QString>
#include <QStringList>

#include <array>
#include <vector>

class TDM;

// A field the client list export can write: the client column, its caption (in the dialog and in the
// file's header) and its default width in characters.
struct ExportField {
    const char* column;
    const char* caption;
    int defaultWidth;
};
constexpr int kExportFieldCount = 19;
const std::array<ExportField, kExportFieldCount>& exportFields();
// The field of a column name, letter case aside; -1 when there is none.
int exportFieldOfColumn(const QString& column);

// A width typed in the dialog or given on the command line is kept within these bounds.
constexpr int kMaxExportWidth = 255;

struct ExportColumn {
    int field = 0; // index into exportFields()
    int width = 0;
};

// The fields chosen in the export dialog and their widths. The widths are the run's: one instance serves
// every export of a run; the choice starts empty each time the dialog is shown.
class ClientExportChoice {
public:
    ClientExportChoice();
    // Both lists anew: every field left out, in the table's order. Widths stay.
    void reset();

    // The captions of the fields left out, and of the included ones with their width notes,
    // "Название фирмы (ширина 48)", in output order.
    QStringList availableEntries() const;
    QStringList includedEntries() const;

    // ">" and "<": one field by its row (nothing for a row out of range); ">>" and "<<": every field.
    void include(int availableRow);
    void exclude(int includedRow);
    void includeAll();
    void excludeAll();

    int width(int field) const;
    int includedWidth(int includedRow) const;
    // "Установить": the width of the included field at the row, bounded to 0..kMaxExportWidth.
    void setIncludedWidth(int includedRow, int width);
    void setWidth(int field, int width);

    std::vector<ExportColumn> columns() const;
    bool canInclude() const { return !m_available.empty(); }
    bool canExclude() const { return !m_included.empty(); }

private:
    std::array<int, kExportFieldCount> m_widths{};
    std::vector<int> m_available;
    std::vector<int> m_included;
};

// Appends the client list to the file (created when missing): a ruled table of the columns, a line per
// client of the list the query selects, in its order, then a closing rule and a line holding one blank;
// Windows-1251, CR LF. The file is replaced by a copy with the table appended only when the copy is
// whole, so a failure leaves it as it was. False with *error. Throws DbError.
bool AppendClientList(const TDM& dm, const ListQuery& clients, const std::vector<ExportColumn>& columns,
                      const QString& fileName, QString* error = nullptr);

// The same list as an XLSX spreadsheet, which replaces the file: a column a field (its caption in the
// interface's language, texts whole, the contract's date as a date), a row a client. False with *error.
// Throws DbError.
bool WriteClientListSheet(const TDM& dm, const ListQuery& clients, const std::vector<ExportColumn>& columns,
                          const QString& fileName, QString* error = nullptr);

// clients.txt, the export's default file in the program folder.
QString ClientListFileName();
