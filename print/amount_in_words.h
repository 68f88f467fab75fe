#pragma once

#include <QString>

class Prompter;

// Spells a money amount: the whole units in words (1 ... 999 999), the kopecks or cents as two digits.
// The text always starts with a space. An amount of a million or more is refused: the prompter shows
// "Сумма больше 1000000." and a line of 56 underscores stands in for the words.
QString AmountInWords(double amount, bool russian, bool hryvnias, bool slashBeforeKopecks, bool capitalise,
                      Prompter* prompter = nullptr);
