// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QByteArray>
#include <QString>
#include <array>
#include <optional>
#include <utility>
#include <vector>

class Game;

// What the board shows, as text: every value exactly as its digits read, with dark digits left
// out and a blank row as an empty string. Nothing here is an internal value the board does
// not show.
struct PenaltyState
{
    QString player; // "17", or "" for a blank row
    QString time;   // "2:00", or ""
    bool lamp = false;
    bool operator==(const PenaltyState&) const = default;
};

struct TeamState
{
    QString name;
    QString score;
    QString shots;
    bool goalLamp = false;
    std::array<PenaltyState, 2> penalties;
    std::vector<PenaltyState> waiting; // the waiting penalties in order ("12", "2:00"), no lamp
    bool operator==(const TeamState&) const = default;
};

// Which team has the power play, and how long until the strength changes ("1:21").
struct PowerPlayState
{
    QString team; // "home" or "visitor"
    QString remaining;
    bool operator==(const PowerPlayState&) const = default;
};

struct BoardState
{
    QString caption;
    QString clockText;      // "10:00", "1:05", "59.9", "0.0"; "9:05" for the time of day
    bool timeOfDay = false; // the clock field shows the time of day (not only asked to)
    bool running = false;   // the game clock counts: it runs, with time left, and the tick is on
    QString period;
    TeamState home;
    TeamState visitor;
    bool soundPlaying = false;
    QString selected; // container name of the field with the focus, or ""
    // For the overlay: the period in words, translated ("1st", "OT", "Intermission", "Final";
    // "" before the first), the skaters on the ice, the power play, and whether the overlay is
    // shown (the remote control's "overlay" command; not a part of the game).
    QString periodName;
    int homeSkaters = 5;
    int visitorSkaters = 5;
    std::optional<PowerPlayState> powerPlay;
    bool overlayVisible = true;
    bool operator==(const BoardState&) const = default;
};

// Reads the game as the board shows it; changes nothing.
BoardState readBoardState(const Game& game);

// The period in the overlay's words, in the program's language:
//   ""              the period is 0: the game has not begun
//   "Intermission"  the game clock counts while every penalty clock stands: the game clock
//                   runs alone (gameClockAlone, Ctrl with the start/stop key), as between
//                   periods. A start of every clock (startStop) starts the penalty clocks too,
//                   whether or not a penalty is on them.
//   "Final"         the game clock is at 0.0 in the last regular period or later, and the
//                   scores differ (a tie goes on to overtime)
//   "1st" ... "9th" a regular period (RegularPeriods of the settings, 3 unless set)
//   "OT", "2OT"...  the periods after them
QString periodName(const Game& game);

// The state as one line of JSON, keys always in the same order, version 1.
QByteArray stateJson(const BoardState& state);

// The text files of the feed folder (clock.txt, home_score.txt, ...) with their contents.
// A penalty reads as the player and the time, "17 2:00", or is empty.
std::vector<std::pair<QString, QByteArray>> feedFiles(const BoardState& state);
