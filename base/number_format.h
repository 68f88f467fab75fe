#pragma once

#include <QString>

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

// A number typed into a field that holds so many decimals. "," and "." both mark the decimals (one mark
// at most); blanks may group the digits of the whole part; a sign only where negatives are allowed.
enum class TypedNumber { Ok, NotANumber, TooManyDecimals, Negative };
// An empty text is 0. The value is the decimal read exactly as typed (to the nearest double); decimals
// beyond the field's are refused unless they are zeros, never rounded away.
TypedNumber ParseTypedNumber(const QString& text, int places, bool allowNegative, double* value);
// The decimals a typed number needs: those up to its last nonzero one ("2,50" needs 1, "3," none).
int TypedDecimalsNeeded(const QString& text);
// The text a field shows for a value: that many decimals, a decimal comma, no grouping.
QString TypedNumberText(double value, int places);
