#pragma once

#include <QByteArray>
#include <QChar>
#include <QString>

// The one case rule of the program: Latin a-z, Russian а-я with ё, Ukrainian і ї є ґ have capitals, and
// nothing else does. The register's order, the client search and the capitals printed on the blanks
// all follow it, so a name found by the search sorts and prints the same way.
char16_t LowerCaseChar(char16_t c);
char16_t UpperCaseChar(char16_t c);

QString foldCase(const QString& text);
// The same folding on UTF-8 text, in place; every folded letter keeps its byte length.
void foldCaseUtf8(char* text, qsizetype size);

// The capital of a Russian, Ukrainian or Latin lower-case letter; any other character unchanged.
QChar UpperCase1251Char(QChar ch);
QString UpperCase1251(const QString& text);
