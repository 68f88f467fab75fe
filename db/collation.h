#pragma once

#include <QString>

// Compares two texts as the register orders them: Russian and Ukrainian alphabet, letter case ignored.
int compareText(const QString& a, const QString& b);
// The weight of one character in that order; texts compare by their weights one after another.
char32_t textWeight(char32_t c);
// The same order over two UTF-8 texts, as the SQLite engine calls a collation.
int compareUtf8(void*, int lenA, const void* a, int lenB, const void* b);
