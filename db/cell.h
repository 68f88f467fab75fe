#pragma once

#include <QtGlobal>

// One value as the engine keeps it, read without a value object; its text lives until the row it came
// from is left.
struct Cell {
    enum Kind { Null, Integer, Real, Text } kind = Null;
    qint64 integer = 0;
    double real = 0;
    const char* text = nullptr;
    int bytes = 0;
};
