#pragma once

#include <QString>
#include <QStringList>

#include <functional>
#include <vector>

class TDM;

// What the import did with one table.
struct ParadoxTableReport {
    QString table; // the program's name: CLIENTS, FACTURES, ...
    QString file;  // the file read; empty when an optional table was not there
    int rowsRead = 0;
    int rowsWritten = 0;
    int valuesCut = 0;            // texts longer than their column, cut to it
    int headerRecords = 0;        // the records the file's header claims; the blocks' own count is read
    int codePage = 0;             // the code page the text was read in
    bool codePageGuessed = false; // the file named none: told from its letters
    QStringList ignoredColumns;   // columns of the file the program does not keep
};

struct ParadoxImportReport {
    std::vector<ParadoxTableReport> tables;
    QStringList missingTables; // optional tables not found, skipped
    QStringList skippedTables; // optional tables with none of the program's columns, not imported
    QStringList badDates;      // "FACTURES, строка 12, FACT_DATA": kept empty
};

// Told before each table is read and checked (done -1), and after every stretch of its rows as they are
// written; false cancels the import.
using ImportProgress = std::function<bool(const QString& table, int done, int total)>;

struct ParadoxImportOutcome {
    enum Result { Done, Refused, Cancelled } result = Refused;
    QString error; // why, when refused
    ParadoxImportReport report;
};

// Brings a book kept as Paradox tables (Clients.DB, Factures.DB, Nakladn1.DB, Nakladn2.DB, PRODUCTS.DB,
// and Acts.DB and Plateg.Db when they are there) from the folder into the database, whole or not at all:
// one transaction, into a database that holds no clients but the owner, no documents and no goods.
// Names match without regard to letter case; text is decoded from the table's code page (when it names
// none, CP866 or Windows-1251, whichever its text reads as letters in) and cut to the columns; empty values
// are stored as the program reads them. A table that cannot be read, or lacks a column, refuses the import
// naming the file, and nothing is written. A code page given (866, 1251, …) is used for every table's text
// instead of the files' own.
ParadoxImportOutcome ImportParadoxBook(TDM& dm, const QString& folder, const ImportProgress& progress = {},
                                       int codePage = 0);

// Reads one Paradox table as the import reads it, every field of every record, and writes nothing: the
// records read, or -1 with *error naming the problem. For a file of unknown origin (the fuzz target).
int ReadParadoxTable(const QString& path, QString* error);

// The report as lines for the user: per table rows read and written and values cut, then the dates that
// could not be read and the tables that were not there.
QStringList ImportSummary(const ParadoxImportReport& report);
