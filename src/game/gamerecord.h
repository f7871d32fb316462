// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "command.h"

#include <QDateTime>
#include <QJsonArray>
#include <QJsonObject>
#include <QString>
#include <deque>
#include <vector>

// One thing that happened in the game, as the game sheet and the feed tell it.
enum class EventKind : uint8_t {
    Goal,            // team, score (after), lamp
    Score,           // team, before, score: a score set by hand
    Shots,           // team, before, value
    Period,          // before, value
    PenaltySet,      // team, slot, player, time
    PenaltyCleared,  // team, slot, player, time (what was left)
    PenaltyExpired,  // team, slot, player
    WaitingAdded,    // team, player, time
    WaitingRemoved,  // team, player, time
    WaitingTookSlot, // team, slot, player, time
    ClockStarted,    // clock: -1 every clock, 0 the game clock alone, 1 to 4 a penalty's own
    ClockStopped,    // as ClockStarted
    ClockSet,        // time: a game time typed or sent
    Reset,           // time: the reset time
    ClockSwitched,   // lamp-free flag `on`: the clock field shows the time of day
    GoalLamp,        // lamp
    Horn,
    Buzzer,
    Undo,    // refs: the events taken back; text: what they were
    Redo,    // refs: the events done again; text: what they were
    Refused, // a command that was refused before it reached the game (a bad token)
    Note,    // text: something about the record itself (events dropped)
};
inline constexpr int EventKindCount = 22;

const char* eventKindName(EventKind kind);
std::optional<EventKind> eventKindNamed(QStringView name);

struct GameEvent
{
    int64_t id = 0; // numbered from 1 in the order they happened; never reused
    EventKind kind = EventKind::Note;
    QDateTime wall;        // when, in UTC
    ClockValue gameClock;  // what the game clock held
    ClockValue periodTime; // the reset time then, the length of the period being played
    int16_t period = 0;
    CommandSource source;
    Team team = Team::Home;
    int slot = 0; // a penalty slot (1 or 2); for clock events the clock (see above)
    int16_t player = NoNumber;
    ClockValue time; // a penalty's time, a game time set
    int16_t before = NoNumber;
    int16_t value = NoNumber; // a score, shots or period after the change
    GoalLamp lamp = GoalLamp::None;
    bool on = false; // Goal: the lamp was lit; ClockSwitched: to the time of day
    std::vector<int64_t> refs;
    QString text;

    // The time into the period: how long the game clock had run from the reset time.
    ClockValue intoPeriod() const;
    // "home goal at 12:34, 2nd period", as the console names an undo.
    QString describe() const;

    bool operator==(const GameEvent&) const = default;
};

// The game's record: every change, in order. It keeps the latest MaxEvents; older ones are
// dropped and counted, and a note at the front says so.
class GameRecord
{
public:
    static constexpr int MaxEvents = 10000;

    const std::deque<GameEvent>& events() const { return list; }
    int64_t dropped() const { return droppedCount; }
    int64_t nextId() const { return next; }
    bool empty() const { return list.empty(); }

    // Numbers the event and keeps it; returns its id.
    int64_t append(GameEvent e);
    // Whether an event is in effect: taken back by an undo that no redo has done again, it
    // is not.
    std::vector<bool> inEffect() const;

    // JSON: {"next": n, "dropped": n, "events": [...]}, and back. A record that cannot be
    // read gives nothing and the reason.
    QJsonObject toJson() const;
    static std::optional<GameRecord> fromJson(const QJsonObject& json, QString* fault);
    static QJsonObject eventJson(const GameEvent& e);

    bool operator==(const GameRecord& o) const
    {
        return next == o.next && droppedCount == o.droppedCount && list == o.list;
    }

private:
    std::deque<GameEvent> list;
    int64_t next = 1;
    int64_t droppedCount = 0;
    QJsonArray listJson; // the events as JSON, kept along so that a save does not redo them
};

// The period as the game sheet names it: "1st", "2nd", "3rd", "4th"...
QString periodOrdinal(int period);
