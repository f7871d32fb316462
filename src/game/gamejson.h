// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "game.h"

#include <QByteArray>
#include <QDateTime>
#include <QJsonObject>
#include <QString>
#include <array>
#include <optional>

// The game as the game file holds it (JSON, format 1):
//   format       1
//   savedAt      local time of writing, ISO 8601 with its offset
//   fields       every field's digit row by the field's name, cell by cell, -1 for dark
//   clocks       the game clock and penalty clocks 1 to 4: remainingTenths, running
//   resetTenths  what the reset key restores
//   timeOfDay    the clock field shows the time of day
//   goalLamp     "none", "home" or "visitor"
//   selected     the selected field's name
//   typedTime, typedEntry   what is typed and not yet entered: text, and the field's name
//                (null when none)
//   waiting      each team's waiting penalties in order: player (-1 for none), seconds
namespace gamejson {

inline constexpr int Format = 1;

struct Loaded
{
    GameState state;                        // every clock stopped at its saved time
    std::array<bool, ClockCount> running{}; // which clocks ran when it was saved
    QDateTime savedAt;
};

// The state's JSON. The clocks are read as of now; their records are not touched.
QJsonObject toJson(const GameState& state, const QDateTime& savedAt);
QByteArray toBytes(const QJsonObject& json);

// Without the parts that change only because time passes: the remaining time of running
// clocks, the clock field and the penalty times, and the time of writing.
QJsonObject steadyPart(QJsonObject json);

// A game file's game, or nothing with the reason in `fault`: not JSON, another format, a
// value missing, of the wrong type or out of its range. What is accepted is a state the
// game itself can reach: numbers within their fields' ranges, written as the board writes
// them, times within the clocks' limits.
std::optional<Loaded> fromBytes(const QByteArray& bytes, QString* fault = nullptr);

} // namespace gamejson
