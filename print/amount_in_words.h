#pragma once

#include <QString>

class Prompter;

// Spells a money amount: the whole units in words (1 ... 999 999 999 999, with thousands, millions and
// billions), the kopecks or cents as two digits. The words start with a space and have one blank between
// them. A larger amount is refused: the prompter shows the limit and a line of 56 underscores
// stands in for the words, so the blank can be filled by hand.
QString AmountInWords(double amount, bool russian, bool hryvnias, bool slashBeforeKopecks, bool capitalise,
                      Prompter* prompter = nullptr);

// The largest whole amount that is spelled.
inline constexpr long long kLargestSpelledAmount = 999'999'999'999LL;
