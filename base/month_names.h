#pragma once

#include <QString>

// The 48-entry month table, indexed from 1 in three blocks of 16 (months 1-12, quarters 13-16):
// 1-16 Russian nominative, 17-32 Russian genitive, 33-48 Ukrainian genitive. Any other index gives "".
QString MonthName(int index);

inline constexpr int kRussianNominativeBlock = 0;
inline constexpr int kRussianGenitiveBlock = 16;
inline constexpr int kUkrainianGenitiveBlock = 32;

// The acts' period name: a month (1-12) or a quarter (13-16) in the nominative, Russian ("март", "II
// квартал") or Ukrainian ("березень"); "" for anything else, so a row stored by another tool still shows.
QString ActPeriodName(int actMonth, bool ukrainian = false);
// The period as the Ukrainian act blank says it: "за березень 2026 р.", "за II квартал 2026 р."; "" outside
// 1-16.
QString ActBlankPeriod(int actMonth, int year);
