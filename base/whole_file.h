#pragma once

#include <QString>

#include <functional>

class QIODevice;

// Writes a file whole or not at all: into a temporary file beside it, put in its place only when every
// byte has been written and flushed, so a full disk or a killed process leaves the old file as it was.
// A target that exists and is not a regular file (a device, a FIFO, a folder) is refused, never replaced.
// write fills the device and returns false when it could not. False with *error in the program's words.
bool WriteWholeFile(const QString& fileName, const std::function<bool(QIODevice&)>& write,
                    QString* error = nullptr);

// The files the program runs on (the open book and its journals, the settings, the backup folder): no
// output it writes (a register, a blank, an export) may replace them or add to them. Registered once
// known; compared by the file itself, not by how its name is written.
void KeepFromOutput(const QString& fileOrFolder);
// Whether the process that named a half-made file after itself is gone (killed, or the machine stopped):
// only then is its file left over.
bool ProcessIsGone(qint64 pid);
// Why a file may not be written as an output, in the program's words; empty when it may.
QString NotAnOutput(const QString& fileName);

// "FACTURE1.TXT" -> "FACTURE1.xlsx": a text output's name for its spreadsheet.
QString SpreadsheetName(const QString& textName);
// Whether the output named is to be a spreadsheet: its name ends in .xlsx.
bool IsSpreadsheetName(const QString& fileName);

// WriteWholeFile for an output: refused when the target is one of the files kept from output.
bool WriteOutputFile(const QString& fileName, const std::function<bool(QIODevice&)>& write,
                     QString* error = nullptr);
