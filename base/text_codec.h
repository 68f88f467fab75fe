#pragma once

#include <QByteArray>
#include <QString>
#include <QValidator>

// Windows-1251: the encoding of the settings file, the registers and the client export.
// A character the code page cannot hold is written as "?".
QByteArray encode1251(const QString& text);
void append1251(QByteArray& out, QStringView text);
// A fixed-width cell of a text file: the text cut to width characters, blanks after it up to width.
void appendCell1251(QByteArray& out, QStringView text, int width);
QString decode1251(const QByteArray& bytes);

// True when every character of the text has a place in Windows-1251.
bool fits1251(const QString& text);

// Lets an edit take only what a Windows-1251 file can hold, so nothing turns into "?" when saved.
class Cp1251Validator : public QValidator {
public:
    using QValidator::QValidator;
    State validate(QString& input, int& pos) const override;
};
