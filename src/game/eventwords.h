// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "gamerecord.h"

#include <QString>

// The game record's entries in the operator's language, as the console shows them. (The
// record's own describe() is English, for the terminal and the logs.)

// What happened: "home goal", "visitor penalty 2: player 17, 2:00". An undo or a redo names
// what it took back or did again, looked up in `record` where it still is.
QString eventWhat(const GameEvent& e, const GameRecord* record = nullptr);
// With when: "home goal at 12:34, 2nd period".
QString eventWords(const GameEvent& e, const GameRecord* record = nullptr);
// "2nd period", "1re période"; "period 0" before the first.
QString periodWords(int period);
