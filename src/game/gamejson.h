// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "game.h"

#include <QByteArray>
#include <QDateTime>
#include <QJsonObject>
#include <QString>
#include <array>
#include <optional>

// The game as the game file holds it (JSON, format 2):
//   format       2
//   savedAt      local time of writing, ISO 8601 with its offset
//   teams        the team names then: home, visitor
//   score, shots each team's number by "home" and "visitor", null for dark
//   period       0 to 9
//   penalties    penalty clocks 1 to 4: player (null for none), time (whether one shows)
//   clocks       the game clock and penalty clocks 1 to 4: remainingTenths, running
//   resetTenths  what the reset key restores
//   timeOfDay    the clock mode: the clock field is to show the time of day
//   shownTimeOfDay  the time of day the clock field shows (hour x 60 + minute), or null
//                while it shows the game time
//   goalLamp     "none", "home" or "visitor"
//   selected     the selected field's name
//   typedTime, typedEntry   what is typed and not yet entered: text, and the field's name
//                (null when none)
//   waiting      each team's waiting penalties in order: player (-1 for none), seconds
//   record       the game record: next, dropped, events (see GameRecord)
//   board        where the board was shown: screen (its number, -1 where the window manager
//                put it), fullScreen, console (the operator's console was open); optional,
//                and left out where it cannot be read
// Format 1, which held the board's digits instead of numbers and no record, is still read.
namespace gamejson {

inline constexpr int Format = 2;

// Where the board of a game was shown, so that a resumed game shows it there again.
struct BoardPlacement
{
    int screen = -1; // -1: where the window manager puts it
    bool fullScreen = false;
    bool console = false;
    bool operator==(const BoardPlacement&) const = default;
};
QJsonObject placementJson(const BoardPlacement& p);
// Nothing for a value that is no placement.
std::optional<BoardPlacement> placementFrom(const QJsonValue& v);

struct Loaded
{
    GameState state; // every clock stopped at its saved time
    GameRecord record;
    std::array<bool, ClockCount> running{}; // which clocks ran when it was saved
    QDateTime savedAt;
    QString homeName, visitorName; // empty when the file does not say
    std::optional<BoardPlacement> board;
};

// The game's JSON. The clocks are read as of now; their records are not touched.
QJsonObject toJson(const GameState& state, const GameRecord& record, const QDateTime& savedAt,
                   const QString& homeName = QString(), const QString& visitorName = QString());
QByteArray toBytes(const QJsonObject& json);

// Without what changes only because time passes: the remaining time of running clocks, the
// time of day shown, the time of writing; and the record stands for its events by its next
// number.
QJsonObject steadyPart(QJsonObject json);

// A game file's game, or nothing with the reason in `fault`: not JSON, another format, a
// value missing, of the wrong type or out of its range. What is accepted is a state the
// game itself can reach: numbers within their fields' ranges, times within the clocks'
// limits.
std::optional<Loaded> fromBytes(const QByteArray& bytes, QString* fault = nullptr);

} // namespace gamejson
