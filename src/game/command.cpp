// SPDX-License-Identifier: GPL-3.0-or-later
#include "command.h"

#include <array>

namespace {

// By CommandKind.
constexpr std::array<const char*, CommandKindCount> CommandNames = {
    "startStop",  "gameClockAlone", "reset",        "clockSwitch", "setClock",
    "goal",       "setScore",       "shot",         "setShots",    "setPeriod",
    "setPenalty", "clearPenalty",   "penaltyClock", "addWaiting",  "removeWaiting",
    "goalLamp",   "horn",           "buzzer",       "undo",        "redo",
};
static_assert(static_cast<int>(CommandKind::Redo) + 1 == CommandKindCount);

constexpr std::array<const char*, 5> SourceNames = {"keyboard", "window", "remote", "broker",
                                                    "clock"};
static_assert(static_cast<size_t>(CommandSource::Kind::Clock) + 1 == SourceNames.size());

template <typename E, size_t N>
std::optional<E> named(const std::array<const char*, N>& names, QStringView name)
{
    for (size_t i = 0; i < N; ++i)
        if (name == QLatin1String(names[i]))
            return static_cast<E>(i);
    return std::nullopt;
}

} // namespace

const char* commandName(CommandKind kind)
{
    return CommandNames[static_cast<size_t>(kind)];
}

std::optional<CommandKind> commandNamed(QStringView name)
{
    return named<CommandKind>(CommandNames, name);
}

const char* sourceKindName(CommandSource::Kind kind)
{
    return SourceNames[static_cast<size_t>(kind)];
}

std::optional<CommandSource::Kind> sourceKindNamed(QStringView name)
{
    return named<CommandSource::Kind>(SourceNames, name);
}

Command Command::setClock(ClockValue t)
{
    Command c = of(CommandKind::SetClock);
    c.time = t;
    return c;
}

Command Command::setScore(Team t, int16_t score)
{
    Command c = forTeam(CommandKind::SetScore, t);
    c.number = score;
    return c;
}

Command Command::setShots(Team t, int16_t shots)
{
    Command c = forTeam(CommandKind::SetShots, t);
    c.number = shots;
    return c;
}

Command Command::setPeriod(int16_t period)
{
    Command c = of(CommandKind::SetPeriod);
    c.number = period;
    return c;
}

Command Command::setPenalty(Team t, int slot, std::optional<int16_t> player,
                            std::optional<ClockValue> time)
{
    Command c = penaltyCommand(CommandKind::SetPenalty, t, slot);
    c.number = player;
    c.time = time;
    return c;
}

Command Command::penaltyCommand(CommandKind kind, Team t, int slot)
{
    Command c = forTeam(kind, t);
    c.slot = slot;
    return c;
}

Command Command::addWaiting(Team t, int16_t player, ClockValue time)
{
    Command c = forTeam(CommandKind::AddWaiting, t);
    c.number = player;
    c.time = time;
    return c;
}

Command Command::removeWaiting(Team t, int index)
{
    Command c = forTeam(CommandKind::RemoveWaiting, t);
    c.index = index;
    return c;
}

Command Command::setGoalLamp(GoalLamp lamp)
{
    Command c = of(CommandKind::SetGoalLamp);
    c.lamp = lamp;
    return c;
}
