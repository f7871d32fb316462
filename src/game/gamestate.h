// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "clocktable.h"
#include "fields.h"
#include "timetext.h"

#include <array>
#include <cstdint>
#include <vector>

// A number that shows nothing: a blanked score, shots count or player.
inline constexpr int16_t NoNumber = -1;

enum class Team { Home = 0, Visitor = 1 };
inline constexpr std::array<Team, 2> Teams = {Team::Home, Team::Visitor};

// Which goal lamp is lit; at most one is.
enum class GoalLamp : int16_t { None = 0, Home = 1, Visitor = 2 };

constexpr GoalLamp lampOf(Team t)
{
    return t == Team::Home ? GoalLamp::Home : GoalLamp::Visitor;
}

// Where the game clock stands with respect to zero, and so whether the 100 ms tick runs.
enum class ClockState : uint8_t {
    Counting, // the tick runs; when it finds the game clock at 0.0 it sounds the buzzer
    AtZero,   // the tick runs, the game clock is at 0.0 and its buzzer is done (a resumed or
              // undone zero): the next tick stops without sounding
    Halted,   // the game clock reached 0.0: the tick is off and every clock stands still until
              // a start
};

// The sound that plays; one at a time.
enum class Sound : uint8_t { None, Buzzer, Horn };

// What the clock field shows. The face follows the clocks at the tick and at the commands
// that set them, so it can lag the clock table by up to a tick.
struct ClockFace
{
    bool timeOfDay = false;
    ClockValue gameTime;  // shown when !timeOfDay
    int minutesOfDay = 0; // shown when timeOfDay: hour x 60 + minute, the hour as the user's
                          // format writes it
    bool operator==(const ClockFace&) const = default;
};

// A penalty slot: its player and, once a time is put on it, the time it shows. The slot's
// clock lives in the clock table.
struct PenaltySlotState
{
    int16_t player = NoNumber; // 0 to 99
    bool timeShown = false;    // a time is on the slot (until the slot is cleared)
    ClockValue shownTime;      // what the time shows, as of the latest refresh
    bool operator==(const PenaltySlotState&) const = default;
};

// A penalty that waits for one of its team's two slots: a team is at most two players short.
struct WaitingPenalty
{
    int16_t player = NoNumber; // 0 to 99
    ClockValue time;           // whole seconds, 1 to 599
    bool operator==(const WaitingPenalty&) const = default;
};
using WaitingList = std::vector<WaitingPenalty>;

// The team of a penalty clock (1 and 2 home, 3 and 4 visitor) and its slot within the team.
constexpr Team teamOf(int clock)
{
    return clock <= 2 ? Team::Home : Team::Visitor;
}
constexpr int slotOf(int clock)
{
    return (clock - 1) % 2 + 1;
}
// The penalty clock of a team's slot 1 or 2.
constexpr int penaltyClock(Team t, int slot)
{
    return (t == Team::Home ? 0 : 2) + slot;
}
static_assert(penaltyClock(teamOf(3), slotOf(3)) == 3);

// The whole game as numbers: what the board shows is formatted from it (see boardformat.h),
// and nothing here is a digit.
struct GameState
{
    GameState();

    std::array<int16_t, 2> score{0, 0};          // by Team, 0 to 199 or NoNumber
    std::array<int16_t, 2> shots{0, 0};          // by Team, 0 to 99 or NoNumber
    int16_t period = 0;                          // 0 to 9
    std::array<PenaltySlotState, 4> penalties{}; // by penalty clock 1 to 4
    GoalLamp WhoGoal = GoalLamp::None;
    bool ClockTime = false; // the clock mode: the clock field is to show the time of day
    ClockFace face;         // what the clock field shows now
    ClockState clockState = ClockState::Counting;
    Sound sounding = Sound::None;
    Field selected = Field::Time;
    ClockValue ClockReset = ClockValue::whole(600); // what the reset key restores
    ClockTable clocks;
    TypedText TimeBuffer;               // shared by the clock and the penalty times
    TypedText EntryBuffer;              // shared by the number fields and the penalty players
    std::array<WaitingList, 2> waiting; // by Team, in the order they take a slot

    bool tickEnabled() const { return clockState != ClockState::Halted; }
    const PenaltySlotState& penalty(int clock) const
    {
        return penalties[static_cast<size_t>(clock - 1)];
    }
    PenaltySlotState& penalty(int clock) { return penalties[static_cast<size_t>(clock - 1)]; }
    // A penalty's lamp is lit while its time shows time left; its colon while a time shows.
    bool penaltyLampLit(int clock) const
    {
        return penalty(clock).timeShown && penalty(clock).shownTime > ClockValue();
    }
    bool penaltyColon(int clock) const { return penalty(clock).timeShown; }
    const WaitingList& waitingOf(Team t) const { return waiting[static_cast<size_t>(t)]; }
    int16_t scoreOf(Team t) const { return score[static_cast<size_t>(t)]; }
    int16_t shotsOf(Team t) const { return shots[static_cast<size_t>(t)]; }

    // The number a number field or a penalty player field holds; NoNumber for the others.
    int16_t number(Field f) const;

    bool operator==(const GameState&) const = default;
};
