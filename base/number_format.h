#pragma once

#include <QString>

// Rounds to whole kopecks, exact halves to the even neighbour (the rule of stored and printed sums).
double RoundToKopecks(double amount);

// The text of a number with a fixed count of decimals, rounded as the printed documents always were:
// the value is first taken to 18 significant decimal digits, then rounded half away from zero.
// decimalSeparator replaces the point (a comma on blanks and grids, the point in registers).
QString FormatFixed(double value, int decimals, QChar decimalSeparator = u',');
// The same text in ASCII into out, which holds kMaxFixedChars; returns its length.
constexpr int kMaxFixedChars = 400;
int FormatFixedChars(double value, int decimals, char decimalSeparator, char* out);

// A grid display format "0.00" / "0." applied to a value, with the decimal comma.
QString FormatByDisplayFormat(double value, const QString& format);

// Reads a number typed with either "," or "." as the decimal separator; false for anything else.
bool ParseDecimal(const QString& text, double* value);
