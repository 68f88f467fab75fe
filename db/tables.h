#pragma once

#include <QDate>
#include <QString>
#include <QStringList>
#include <QVariant>

#include <vector>

enum class ColumnType { Integer, Short, Float, Money, Date, Text };

struct ColumnDef {
    const char* name;
    ColumnType type;
    int size;          // characters, for text columns
    const char* label; // grid column title; nullptr for a hidden column
    int width;         // display width in characters; 0 = the default width, -1 = hidden
};

struct IndexDef {
    const char* name;
    const char* columns; // SQL column list, collations included
    bool unique = false;
    const char* where = nullptr; // a partial index: the rows it holds
    int version = 1;             // the schema version that brought it
};

// One column of an index: an expression, ordered by the text collation or as it is, up or down.
struct IndexTerm {
    QString expression;
    bool collated = false;
    bool descending = false;
};
std::vector<IndexTerm> indexTerms(const IndexDef& index);

struct TableDef {
    const char* name;
    const char* primaryKey; // INTEGER PRIMARY KEY column, or nullptr
    std::vector<ColumnDef> columns;
    std::vector<IndexDef> indexes;

    const ColumnDef* column(const QString& name) const;
    QStringList columnNames() const;
};

namespace Tables {
const TableDef& clients();
const TableDef& factures();
const TableDef& nakladn1();
const TableDef& nakladn2();
const TableDef& acts();
const TableDef& products();
const TableDef& plateg();
const std::vector<const TableDef*>& all();
const TableDef* byName(const QString& name);
} // namespace Tables

// The columns of an invoice's four positions: the name, unit, count and price of each.
inline constexpr const char* kPositionColumns[4][4] = {
    {"NAME_POS1", "MEASURE_POS1", "COUNT_POS1", "PRICE_POS1"},
    {"NAME_POS2", "MEASURE_POS2", "COUNT_POS2", "PRICE_POS2"},
    {"NAME_POS3", "MEASURE_POS3", "COUNT_POS3", "PRICE_POS3"},
    {"NAME_POS4", "MEASURE_POS4", "COUNT_POS4", "PRICE_POS4"},
};

// The collation that orders and compares Russian and Ukrainian text alphabetically, ignoring case.
inline constexpr const char* kTextCollation = "UKRAINIAN";

// An empty date column reads as day 0 of the old calendar arithmetic: 30 December 1899.
inline const QDate kDateZero{1899, 12, 30};

// A stored date as papers and messages show it (dd.MM.yyyy); empty for an empty date.
QString storedDateText(const QDate& date);

QString createTableSql(const TableDef& table);
// Every row of the table, every column in the table's order.
QString selectAllSql(const TableDef& table);
// A column the table gained after books were made, added to an older one.
QString addColumnSql(const TableDef& table, const ColumnDef& column);
// Every index of the table, or only those the given schema version brought.
QStringList createIndexSql(const TableDef& table, int version = 0);
// The same statements made to pass over an index that is there already (an upgrade step run again).
QStringList unlessThere(QStringList createIndex);
// Whatever writes a row, a text longer than its column is cut to the column's size.
QStringList createTriggerSql(const TableDef& table);
QStringList dropTriggerSql(const TableDef& table);
QStringList schemaSql();

// Text longer than its column is cut to the column's size; everything else passes unchanged.
QString cutToColumn(const TableDef& table, const QString& column, const QString& text);
// A value as stored: text cut to size, dates as 'YYYY-MM-DD' (an empty date as NULL).
QVariant toStorage(const ColumnDef& column, const QVariant& value);

QDate dateFromDb(const QVariant& value);
QVariant dateToDb(const QDate& date);
