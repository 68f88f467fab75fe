#include "report/spreadsheet.h"

#include "base/late_library.h"
#include "base/whole_file.h"

#include <QCoreApplication>
#include <QFile>
#include <QFileInfo>
#include <QIODevice>
#include <QTemporaryDir>

#include <xlsxwriter.h>

#include <algorithm>
#include <optional>

namespace {

#define DOCMAR_XLSX_FUNCTIONS(F)                                                                             \
    F(format_set_bold)                                                                                       \
    F(format_set_num_format)                                                                                 \
    F(lxw_col_to_name)                                                                                       \
    F(lxw_strerror)                                                                                          \
    F(lxw_workbook_free)                                                                                     \
    F(workbook_add_format)                                                                                   \
    F(workbook_add_worksheet)                                                                                \
    F(workbook_close)                                                                                        \
    F(workbook_new_opt)                                                                                      \
    F(worksheet_autofilter)                                                                                  \
    F(worksheet_freeze_panes)                                                                                \
    F(worksheet_outline_settings)                                                                            \
    F(worksheet_set_column)                                                                                  \
    F(worksheet_set_row_opt)                                                                                 \
    F(worksheet_write_formula_num)                                                                           \
    F(worksheet_write_number)                                                                                \
    F(worksheet_write_string)

// libxlsxwriter, loaded when a workbook is first written: it brings a cryptography library and a zip one
// that every start would load otherwise.
struct XlsxWriter {
#define DOCMAR_XLSX_MEMBER(name) decltype(&::name) name = nullptr;
    DOCMAR_XLSX_FUNCTIONS(DOCMAR_XLSX_MEMBER)
#undef DOCMAR_XLSX_MEMBER
};

// Null when the library is not installed.
const XlsxWriter* xlsxWriter()
{
    static const std::optional<XlsxWriter> loaded = LateLibrary::load<XlsxWriter>(
        QStringLiteral("xlsxwriter"), 4, [](LateLibrary& library, XlsxWriter& lib) {
#define DOCMAR_XLSX_TAKE(name) library.take(lib.name, #name);
            DOCMAR_XLSX_FUNCTIONS(DOCMAR_XLSX_TAKE)
#undef DOCMAR_XLSX_TAKE
        });
    return loaded ? &*loaded : nullptr;
}

// Only once xlsxWriter() has been found.
const XlsxWriter& xlsx()
{
    return *xlsxWriter();
}

// Days since 30 December 1899: the spreadsheet's date.
double serialOf(const QDate& date)
{
    return double(QDate(1899, 12, 30).daysTo(date));
}

QByteArray columnName(int column)
{
    char name[16];
    xlsx().lxw_col_to_name(name, lxw_col_t(column), 0);
    return name;
}

// "SUBTOTAL(9,E3:E7)", rows from 0.
QByteArray subtotal(int column, int firstRow, int lastRow)
{
    const QByteArray c = columnName(column);
    return "SUBTOTAL(9," + c + QByteArray::number(firstRow + 1) + ':' + c + QByteArray::number(lastRow + 1) +
           ')';
}

// A spreadsheet column is a character of the default font wide; a little room for the filter's button.
constexpr double kWidestColumn = 80;

} // namespace

struct Spreadsheet::Impl {
    QTemporaryDir folder;
    QByteArray path;
    lxw_workbook* book = nullptr;
    lxw_worksheet* sheet = nullptr;
    lxw_format *bold = nullptr, *money = nullptr, *boldMoney = nullptr, *date = nullptr, *integer = nullptr;
    std::vector<SheetColumn> columns;
    std::vector<double> widths;
    int row = 0; // the next row to write, from 0
    bool filtered = false;
    lxw_error failure = LXW_NO_ERROR;

    // The header's filter over the rows written so far.
    void filter()
    {
        note(xlsx().worksheet_autofilter(sheet, 1, 0, lxw_row_t(std::max(row - 1, 1)),
                                         lxw_col_t(columns.size() - 1)));
        filtered = true;
    }
    void note(lxw_error e)
    {
        if (failure == LXW_NO_ERROR)
            failure = e;
    }
    void widen(int column, qsizetype chars)
    {
        widths[std::size_t(column)] = std::max(widths[std::size_t(column)], double(chars) + 2);
    }

    void cell(int column, const QVariant& value)
    {
        if (value.isNull() || !value.isValid())
            return;
        const lxw_col_t c = lxw_col_t(column);
        switch (columns[std::size_t(column)].kind) {
        case CellKind::Text: {
            const QString text = value.toString();
            if (!text.isEmpty()) {
                note(xlsx().worksheet_write_string(sheet, lxw_row_t(row), c, text.toUtf8().constData(),
                                                   nullptr));
                widen(column, text.size());
            }
            break;
        }
        case CellKind::Integer:
            note(xlsx().worksheet_write_number(sheet, lxw_row_t(row), c, value.toDouble(), integer));
            widen(column, value.toString().size());
            break;
        case CellKind::Money: {
            const Money m = value.value<Money>();
            note(xlsx().worksheet_write_number(sheet, lxw_row_t(row), c, m.toDouble(), money));
            widen(column, m.text().size() + m.text().size() / 4);
            break;
        }
        case CellKind::Date:
            if (const QDate d = value.toDate(); d.isValid())
                note(xlsx().worksheet_write_number(sheet, lxw_row_t(row), c, serialOf(d), date));
            break;
        }
    }
    void write(const SheetRow& values)
    {
        for (int c = 0; c < int(columns.size()) && c < int(values.size()); ++c)
            cell(c, values[std::size_t(c)]);
        ++row;
    }
};

Spreadsheet::Spreadsheet(const QString& sheetName, const QString& title, std::vector<SheetColumn> columns)
    : d(std::make_unique<Impl>())
{
    d->columns = std::move(columns);
    d->widths.assign(d->columns.size(), 8);
    d->path = QFile::encodeName(d->folder.filePath(QStringLiteral("sheet.xlsx")));
    const QByteArray tmp = QFile::encodeName(d->folder.path());
    lxw_workbook_options options{};
    options.constant_memory = LXW_TRUE; // a year's register is hundreds of thousands of rows
    options.tmpdir = const_cast<char*>(tmp.constData());
    if (!xlsxWriter())
        return; // said when saved
    d->book = xlsx().workbook_new_opt(d->path.constData(), &options);
    if (!d->book) {
        d->failure = LXW_ERROR_MEMORY_MALLOC_FAILED;
        return;
    }
    // A sheet's name holds at most 31 characters and none of []:*?/\.
    QString name = sheetName.left(31);
    for (const QChar bad : {u'[', u']', u':', u'*', u'?', u'/', u'\\'})
        name.replace(bad, u' ');
    d->sheet = xlsx().workbook_add_worksheet(d->book, name.toUtf8().constData());
    d->bold = xlsx().workbook_add_format(d->book);
    xlsx().format_set_bold(d->bold);
    d->money = xlsx().workbook_add_format(d->book);
    xlsx().format_set_num_format(d->money, "#,##0.00");
    d->boldMoney = xlsx().workbook_add_format(d->book);
    xlsx().format_set_num_format(d->boldMoney, "#,##0.00");
    xlsx().format_set_bold(d->boldMoney);
    d->date = xlsx().workbook_add_format(d->book);
    xlsx().format_set_num_format(d->date, "dd.mm.yyyy");
    d->integer = xlsx().workbook_add_format(d->book);
    xlsx().format_set_num_format(d->integer, "0");
    // The fold's button stands by the row the lines belong to, above them.
    xlsx().worksheet_outline_settings(d->sheet, LXW_TRUE, LXW_FALSE, LXW_TRUE, LXW_FALSE);
    d->note(xlsx().worksheet_write_string(d->sheet, 0, 0, title.toUtf8().constData(), d->bold));
    for (int c = 0; c < int(d->columns.size()); ++c) {
        d->note(xlsx().worksheet_write_string(
            d->sheet, 1, lxw_col_t(c), d->columns[std::size_t(c)].header.toUtf8().constData(), d->bold));
        d->widen(c, d->columns[std::size_t(c)].header.size() + 2);
    }
    d->row = 2;
}

Spreadsheet::~Spreadsheet()
{
    if (d->book)
        xlsx().lxw_workbook_free(d->book);
}

int Spreadsheet::rows() const
{
    return d->row - 2;
}

int Spreadsheet::columns() const
{
    return int(d->columns.size());
}

void Spreadsheet::addRow(const SheetRow& row)
{
    if (d->sheet)
        d->write(row);
}

void Spreadsheet::addGroup(const SheetRow& row, const std::vector<SheetRow>& lines)
{
    if (!d->sheet)
        return;
    if (lines.empty()) {
        d->write(row);
        return;
    }
    const int first = d->row + 1, last = d->row + int(lines.size());
    for (int c = 0; c < int(d->columns.size()) && c < int(row.size()); ++c) {
        if (d->columns[std::size_t(c)].kind != CellKind::Money || row[std::size_t(c)].isNull()) {
            d->cell(c, row[std::size_t(c)]);
            continue;
        }
        const Money m = row[std::size_t(c)].value<Money>();
        d->note(xlsx().worksheet_write_formula_num(d->sheet, lxw_row_t(d->row), lxw_col_t(c),
                                                   subtotal(c, first, last).constData(), d->money,
                                                   m.toDouble()));
    }
    ++d->row;
    lxw_row_col_options folded{};
    folded.level = 1;
    for (const SheetRow& line : lines) {
        d->note(
            xlsx().worksheet_set_row_opt(d->sheet, lxw_row_t(d->row), LXW_DEF_ROW_HEIGHT, nullptr, &folded));
        d->write(line);
    }
}

void Spreadsheet::addTotals(const QString& caption, const SheetRow& values)
{
    if (!d->sheet)
        return;
    const int last = d->row - 1;
    // Set before the totals row is begun: rows already written out cannot be named afterwards, and a sort
    // is to leave the totals where they are.
    d->filter();
    d->note(
        xlsx().worksheet_write_string(d->sheet, lxw_row_t(d->row), 0, caption.toUtf8().constData(), d->bold));
    for (int c = 1; c < int(d->columns.size()) && c < int(values.size()); ++c) {
        if (values[std::size_t(c)].isNull())
            continue;
        const Money m = values[std::size_t(c)].value<Money>();
        d->note(xlsx().worksheet_write_formula_num(d->sheet, lxw_row_t(d->row), lxw_col_t(c),
                                                   subtotal(c, 2, std::max(last, 2)).constData(),
                                                   d->boldMoney, m.toDouble()));
    }
    ++d->row;
}

bool Spreadsheet::save(const QString& fileName, QString* error)
{
    const auto fail = [&](const QString& why) {
        if (error)
            *error =
                QCoreApplication::translate("Spreadsheet", "Таблица %1 не записана: %2").arg(fileName, why);
        return false;
    };
    if (!xlsxWriter())
        return fail(QCoreApplication::translate("Spreadsheet", "не найдена библиотека libxlsxwriter (пакет "
                                                               "libxlsxwriter4)"));
    if (!d->book)
        return fail(QString::fromUtf8(xlsx().lxw_strerror(d->failure)));
    for (int c = 0; c < int(d->columns.size()); ++c)
        xlsx().worksheet_set_column(d->sheet, lxw_col_t(c), lxw_col_t(c),
                                    std::min(d->widths[std::size_t(c)], kWidestColumn), nullptr);
    xlsx().worksheet_freeze_panes(d->sheet, 2, 0);
    if (!d->filtered)
        d->filter();
    const lxw_error closed = xlsx().workbook_close(d->book);
    d->book = nullptr;
    // A sheet holds 1 048 576 rows: a longer list is refused whole, never cut.
    if (d->failure == LXW_ERROR_WORKSHEET_INDEX_OUT_OF_RANGE)
        return fail(QCoreApplication::translate("Spreadsheet",
                                                "в листе Excel не больше 1 048 576 строк, а здесь их больше. "
                                                "Выберите период короче или текстовый вид."));
    if (d->failure != LXW_NO_ERROR)
        return fail(QString::fromUtf8(xlsx().lxw_strerror(d->failure)));
    if (closed != LXW_NO_ERROR)
        return fail(QString::fromUtf8(xlsx().lxw_strerror(closed)));
    QFile made(QFile::decodeName(d->path));
    if (!made.open(QIODevice::ReadOnly))
        return fail(made.errorString());
    // Into its place as every output goes: whole or not at all, never over the book or its copies.
    return WriteOutputFile(
        fileName,
        [&made](QIODevice& file) {
            while (!made.atEnd()) {
                const QByteArray block = made.read(1 << 20);
                if (block.isEmpty() || file.write(block) != block.size())
                    return false;
            }
            return true;
        },
        error);
}
