// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "clockvalue.h"

#include <array>
#include <cstdint>
#include <optional>

// One countdown clock. Its value is worked out from the monotonic time source whenever it
// is read; nothing ticks inside it.
struct ClockRecord
{
    ClockValue Preset;  // what the clock counts down from
    ClockValue Used;    // run time of earlier runs; pinned to Preset once the clock hits zero
    ClockValue Elapsed; // run time of the current run, as of the latest ReadClock
    bool Running = false;
    std::optional<int64_t> StartStamp; // whole monotonic seconds of the latest start
    int StartMillis = 0;               // 0..999, the millisecond part of that start
    uint32_t SetMark = 0; // which setting it holds: each SetClock of the table gives a new one

    bool operator==(const ClockRecord&) const = default;
};

inline constexpr int ClockCount = 5;
inline constexpr int GameClock = 0;
// Clocks 1 to 4 belong to PenaltyTH1, PenaltyTH2, PenaltyTV1 and PenaltyTV2.
inline constexpr int FirstPenaltyClock = 1;

// The game clock and the four penalty clocks. An index outside 0..4 is ignored (reads give
// 0). Time comes from the injectable time source.
class ClockTable
{
public:
    bool IsRunning(int i) const;
    void StartClock(int i);
    // Folds in the Elapsed of the latest ReadClock only, so callers that want the time up to
    // this moment counted read the clock first.
    void StopClock(int i);
    // The clock stands still at v; its start stamp is kept. It gets a new set mark, or `mark`
    // when an earlier setting comes back.
    void SetClock(ClockValue v, int i);
    void SetClock(ClockValue v, int i, uint32_t mark);
    // What is left, never below 0. A running clock that reaches 0 keeps running and reads 0
    // until SetClock gives it time again.
    ClockValue ReadClock(int i);

    // What was left at the latest ReadClock (what a stopped clock has left), never below 0.
    ClockValue LastReading(int i) const;

    // A copy of clock i's record (a default record for a bad index).
    ClockRecord record(int i) const;

    bool operator==(const ClockTable&) const = default;

private:
    ClockRecord* clockAt(int i);
    std::array<ClockRecord, ClockCount> clocks{};
    uint32_t lastMark = 0;
};
