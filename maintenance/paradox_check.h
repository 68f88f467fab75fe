#pragma once

#include <QByteArray>
#include <QString>

class QIODevice;

// What a Paradox data table's own bytes say of it, read before any library follows them: its header, its
// fields and its chain of data blocks.
struct ParadoxFileCheck {
    bool ok = false;
    QString reason;  // why the file cannot be read, when it cannot
    int records = 0; // the records its blocks hold, whatever the header claims
    int headerRecords = 0;
};

// Refuses a file whose header does not agree with itself or with the file: a field whose length does not
// match its type, a record size that is not the sum of the fields, a block chain that loops or points
// outside the file, a block that claims more records than it can hold, a record that lies beyond the
// file's end. A last block cut short is fine as long as every record lies inside the file.
ParadoxFileCheck CheckParadoxFile(QIODevice& file);

// Writes the record count into a table's header bytes (the library then reads just so many); the count
// ends kParadoxRecordCountEnd bytes into the file.
inline constexpr int kParadoxRecordCountEnd = 0x0A;
void SetParadoxRecordCount(QByteArray& bytes, int records);
