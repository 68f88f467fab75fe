#pragma once

#include <QByteArray>
#include <QString>

// Windows-1251: the encoding of the settings file, the registers and the client export.
// A character the code page cannot hold is written as "?".
QByteArray encode1251(const QString& text);
QString decode1251(const QByteArray& bytes);
