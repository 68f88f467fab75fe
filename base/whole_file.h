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
