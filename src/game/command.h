// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "gamestate.h"

#include <QString>
#include <optional>

// What the operator means, whichever way it comes in: a key, a window, the remote control or
// a broker. Each command is applied whole or not at all, is one undo step and one entry in
// the game record.
enum class CommandKind : uint8_t {
    StartStop,      // every clock: start, or stop
    GameClockAlone, // the game clock alone; the penalties hold
    Reset,          // the game clock back to the reset time, stopped
    ClockSwitch,    // the clock field between the game time and the time of day
    SetClock,       // a game time: the game clock stops at it, and it becomes the reset time
    Goal,           // one more for a team, and its goal lamp lit
    SetScore,
    AddShot,
    SetShots,
    SetPeriod,
    SetPenalty,   // a penalty slot's player, its time, or both
    ClearPenalty, // a penalty slot emptied: player, time and clock
    PenaltyClock, // a penalty's own clock: start, or stop
    AddWaiting,   // a penalty that waits for one of its team's slots
    RemoveWaiting,
    SetGoalLamp,
    Horn,
    Buzzer,
    Undo,
    Redo,
};
inline constexpr int CommandKindCount = 20;

// The command's name in the command JSON and the game record: "startStop", "goal", ...
const char* commandName(CommandKind kind);
std::optional<CommandKind> commandNamed(QStringView name);

struct Command
{
    CommandKind kind = CommandKind::StartStop;
    Team team = Team::Home;
    int slot = 1;                   // a penalty slot of the team: 1 or 2
    int index = 0;                  // a waiting penalty in its team's list, from 0
    std::optional<int16_t> number;  // a score, shots, period or player; NoNumber blanks it
    std::optional<ClockValue> time; // a game time or a penalty time
    GoalLamp lamp = GoalLamp::None;

    static Command of(CommandKind kind)
    {
        Command c;
        c.kind = kind;
        return c;
    }
    static Command forTeam(CommandKind kind, Team t)
    {
        Command c = of(kind);
        c.team = t;
        return c;
    }
    static Command setClock(ClockValue t);
    static Command setScore(Team t, int16_t score);
    static Command setShots(Team t, int16_t shots);
    static Command setPeriod(int16_t period);
    // Either part may be left as it is.
    static Command setPenalty(Team t, int slot, std::optional<int16_t> player,
                              std::optional<ClockValue> time);
    static Command penaltyCommand(CommandKind kind, Team t, int slot);
    static Command addWaiting(Team t, int16_t player, ClockValue time);
    static Command removeWaiting(Team t, int index);
    static Command setGoalLamp(GoalLamp lamp);

    bool operator==(const Command&) const = default;
};

// Where a command comes from, for the record: the board's keys, a window (the board's
// mouse, the waiting penalties, the console), the remote control or a broker, with a name
// ("console", "127.0.0.1 k3Xa"). The clock stands for what time does by itself.
struct CommandSource
{
    enum class Kind : uint8_t { Keyboard, Window, Remote, Broker, Clock };
    Kind kind = Kind::Keyboard;
    QString name;

    static CommandSource keyboard(const QString& name = QString())
    {
        return {Kind::Keyboard, name};
    }
    static CommandSource window(const QString& name) { return {Kind::Window, name}; }
    static CommandSource clock() { return {Kind::Clock, QString()}; }
    bool operator==(const CommandSource&) const = default;
};
const char* sourceKindName(CommandSource::Kind kind);
std::optional<CommandSource::Kind> sourceKindNamed(QStringView name);

// What became of a command: done, or refused with the reason (nothing changed then).
struct CommandResult
{
    bool ok = true;
    QString reason;

    static CommandResult done() { return {}; }
    static CommandResult refused(const QString& why) { return {false, why}; }
    explicit operator bool() const { return ok; }
};
