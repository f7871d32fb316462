// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "clockvalue.h"
#include "digitrow.h"

#include <QString>

class QTime;

// Shows a game time on the four-digit clock row (cell 0 leftmost) and says whether the
// separator reads as a colon. From one minute up it reads minutes:seconds, with the seconds
// rounded up (60.1 shows 1:01); below it reads seconds.tenths, the upper dot dark so that
// the lower one stands as a decimal point. Leading zeros are dark, the seconds digit never.
void ShowClock(ClockValue t, DigitRow& row, bool& colon);

// Shows a penalty time on a three-digit row (cell 0 rightmost: 2 minutes, 1 tens of
// seconds, 0 seconds), whole seconds rounded up and no digit dark: 0.3 shows 0:01.
void DisplayTime(DigitRow& ClockObject, ClockValue DispSec);
// A penalty time as DisplayTime shows it, as text: "2:00".
QString PenaltyTimeText(ClockValue t);

// Time of day for the clock field: hour x 60 + minute, the hour as the user's format writes
// it (1 to 12 in a 12-hour format, 0 to 23 otherwise). An invalid time counts as midnight.
int TimeOfDayValue(const QTime& local, bool twelveHourClock);
// The same, from the local time and format of the time source.
int CurrentTimeOfDay();

// Shows a TimeOfDayValue as hours:minutes with the colon lit. Unlike a game time, a value
// under 60 (just after midnight in a 24-hour format) still reads as a time: 5 shows 0:05
// with the hours digit lit, never 5.0. Only a leading tens-of-hours 0 is dark.
void ShowTimeOfDay(int value, DigitRow& row, bool& colon);
