// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "gamejson.h"

#include <QByteArray>
#include <QDateTime>
#include <QString>
#include <array>
#include <optional>
#include <vector>

// The game sheet of a saved game, worked out from its record: what a rink writes down after a
// game. Only entries in effect count: what an undo took back (and no redo did again) is not
// on the sheet.
//
// Goals. A goal command is one goal. A score set by hand is compared with the goals the sheet
// holds for that team so far: a higher score adds that many goals at that moment, a lower one
// takes back the team's latest goals, and a darkened score changes nothing.
//
// Penalties. What is set on one penalty slot from the moment it is empty until it is cleared,
// runs out or is taken by a waiting penalty is one penalty, at the time it was first set: its
// player is the latest one typed, its length the time put on it (a later time counts only
// when the player stays the same, so that a player typed after the time, with the penalty's
// clock already running, does not shorten it). A waiting penalty counts from the time it was
// added; taking its slot later does not list it again, and removing it from the list takes it
// off the sheet.
//
// Shots are set as totals, so the shots of a period are the total at its end less the total at
// the end of the period before. A team's shots are known when the record has a shots entry for
// it.

struct SheetEvent
{
    int64_t id = 0;
    int16_t period = 0;
    ClockValue clock;      // the game clock as the board showed it
    ClockValue intoPeriod; // how long the period had run
    QDateTime wall;
};

struct SheetGoal : SheetEvent
{
    Team team = Team::Home;
    bool scoreSet = false;          // a score set by hand, not a goal command
    std::array<int, 2> score{0, 0}; // the score after it, as the sheet counts
};

struct SheetPenalty : SheetEvent
{
    Team team = Team::Home;
    int16_t player = NoNumber;
    std::optional<ClockValue> length; // none when no time was put on it
    bool waited = false;              // added as a waiting penalty
};

struct GameSheet
{
    std::array<QString, 2> teams; // names by Team
    std::array<int16_t, 2> finalScore{0, 0};
    std::vector<SheetGoal> goals;
    std::vector<SheetPenalty> penalties;
    std::vector<int> periods; // the periods the sheet has a column for: 1 to 3 and any other
                              // with a goal, a penalty or shots
    std::array<bool, 2> shotsKnown{false, false};
    std::vector<std::array<int, 2>> shotsAtEnd; // the shots totals at the end of each column
    QDateTime firstEvent, lastEvent, savedAt;   // UTC; invalid when the record is empty
    int64_t dropped = 0;                        // entries dropped from the front of the record

    const QString& name(Team t) const { return teams[static_cast<size_t>(t)]; }
    int goalsIn(Team t, int period) const;
    int goalCount(Team t) const;
    // The shots in a period, none when not known.
    std::optional<int> shotsIn(Team t, int period) const;
    std::optional<int> shotsTotal(Team t) const;
    // Whether the record tells the whole story of the score: nothing dropped, and its goals
    // add up to the final score.
    bool goalsComplete() const;
};

// The sheet of a saved game. The final score is the one the board showed; a team without a
// name is "Home" or "Visitor".
GameSheet gameSheet(const gamejson::Loaded& game);

// A column heading for a period: "1st", "2nd", ...; "0" before the first.
QString periodHeading(int period);
// A penalty's length as a sheet gives it: "2" for whole minutes, "1:30" otherwise, "" for none.
QString penaltyMinutes(const std::optional<ClockValue>& length);

// Every entry of a saved game's record, one a line under a heading line: the fields of the
// record's JSON, whether the entry is in effect, its team's name and the entry in words.
// Comma-separated values in UTF-8, quoted where needed (RFC 4180, CRLF line ends).
QByteArray recordCsv(const gamejson::Loaded& game);
