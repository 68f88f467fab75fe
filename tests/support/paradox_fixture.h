#pragma once

#include "db/tables.h"

#include <QString>
#include <QVariantList>

#include <vector>

// Paradox tables made for tests with pxlib's own writer: nothing from anywhere else.
struct ParadoxField {
    QString name;
    char type;  // pxfAlpha, pxfDate, pxfShort, pxfLong, pxfCurrency, pxfNumber, ...
    int length; // bytes
};

// Writes a table: rows of values in field order, a null value an empty field; text in the code page
// (Windows-1251 unless told), dates as QDate. False when pxlib refused.
bool WriteParadoxTable(const QString& path, const std::vector<ParadoxField>& fields,
                       const std::vector<QVariantList>& rows, int codePage = 1251);

// The fields a book kept for one of the program's tables, as its columns and sizes say.
std::vector<ParadoxField> ParadoxFieldsOf(const TableDef& table);
