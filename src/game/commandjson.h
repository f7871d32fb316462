// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "command.h"

#include <QJsonObject>
#include <QStringList>
#include <optional>

// Commands as JSON, as the remote control and a broker send them:
//   {"command": "goal", "team": "home"}
// Each command takes exactly its own arguments:
//   startStop, gameClockAlone, reset, clockSwitch, horn, buzzer, undo, redo   none
//   setClock        time
//   goal, shot      team
//   setScore        team, score (null blanks it)
//   setShots        team, shots (null blanks it)
//   setPeriod       period
//   setPenalty      team, slot (1 or 2), and player (null for none), time, or both
//   clearPenalty, penaltyClock   team, slot
//   addWaiting      team, player (null for none), time
//   removeWaiting   team, index (from 0, in the order they wait)
//   goalLamp        lamp: "home", "visitor" or "none"
// A time is "m:ss" with an optional tenth ("12:34", "1:05.5"), or seconds as a number or text
// ("45.6", 90). A team is "home" or "visitor".
namespace commandjson {

// The command the JSON asks for, or nothing and why: not a command this program knows, an
// argument missing, of the wrong type, or one the command does not take. Keys named in
// `alsoAllowed` (a broker's "token") are let through. Ranges are the game's to check.
std::optional<Command> fromJson(const QJsonObject& json, QString* reason,
                                const QStringList& alsoAllowed = {});

// The JSON of a command, as fromJson reads it.
QJsonObject toJson(const Command& command);

// Bodies larger than this are not a command.
inline constexpr qsizetype MaxBytes = 4096;

} // namespace commandjson
