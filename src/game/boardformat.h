// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "digitrow.h"
#include "gamestate.h"

#include <QString>

// How the board shows the game's numbers: the digit rows the board draws and the texts the
// feed publishes, both from the same state, so that they always agree.

// The digits of a field (none for the goal indicator).
DigitRow fieldRow(const GameState& s, Field f);
// A number that is the same whenever the field's digits are sure to be: what they are made
// from. A view that keeps it skips the formatting of a field that cannot have changed.
int64_t fieldSource(const GameState& s, Field f);
// The clock field's digits, and whether its upper dot is lit (minutes:seconds and the time
// of day; under a minute the lower dot alone stands as a decimal point).
DigitRow clockRow(const ClockFace& face, bool& colon);
bool clockColon(const ClockFace& face);

// The clock as it reads on the board: "10:00", "1:05", "59.9", "0.0"; "9:05" for the time of
// day.
QString clockText(const ClockFace& face);
// A game time as the clock field would show it: "12:34", "45.6".
QString gameTimeText(ClockValue t);
// Time gone by, in whole minutes and seconds: "0:03", "12:40".
QString elapsedText(ClockValue t);
// A number as its row shows it: "12", or "" when dark.
QString numberText(int16_t n);
// A penalty slot's time as it shows: "2:00", or "" while no time is on the slot.
QString penaltyTimeText(const PenaltySlotState& p);
