// SPDX-License-Identifier: GPL-3.0-or-later
#include "clocktable.h"

#include "timesource.h"

#include <algorithm>

namespace {

// Longer than any run can be (about a century), and small enough that the run time in
// ten-thousandths cannot overflow whatever a time source reports.
constexpr int64_t MaxRunSeconds = int64_t(100) * 366 * 24 * 3600;

// Run time from the start to now: whole seconds plus the difference of the tenths digits,
// so a start at 10.950 and a reading at 11.020 count 1 - 0.9 = 0.1 s.
ClockValue runTime(const ClockRecord& c, MonotonicTime now)
{
    const int64_t seconds = std::min(now.seconds - *c.StartStamp, MaxRunSeconds);
    const ClockValue run =
        Fixed4::whole(seconds) + Fixed4::tenths(now.millis / 100 - c.StartMillis / 100);
    // A source that steps back (one swapped in mid-run) must not put time back on the clock.
    return std::max(run, ClockValue());
}

} // namespace

ClockRecord* ClockTable::clockAt(int i)
{
    return i >= 0 && i < ClockCount ? &clocks[static_cast<size_t>(i)] : nullptr;
}

bool ClockTable::IsRunning(int i) const
{
    return i >= 0 && i < ClockCount && clocks[static_cast<size_t>(i)].Running;
}

void ClockTable::StartClock(int i)
{
    ClockRecord* c = clockAt(i);
    if (!c || c->Running)
        return;
    const MonotonicTime now = timeSource().monotonicNow();
    c->StartStamp = now.seconds;
    c->StartMillis = now.millis;
    c->Running = true;
}

void ClockTable::StopClock(int i)
{
    ClockRecord* c = clockAt(i);
    if (!c || !c->Running)
        return;
    c->Used += c->Elapsed;
    // Once folded into Used, this run's time must not be counted again by a later stop that
    // follows a new start without a reading in between.
    c->Elapsed = ClockValue();
    c->Running = false;
}

void ClockTable::SetClock(ClockValue v, int i)
{
    SetClock(v, i, lastMark + 1);
}

void ClockTable::SetClock(ClockValue v, int i, uint32_t mark)
{
    ClockRecord* c = clockAt(i);
    if (!c)
        return;
    lastMark = std::max(lastMark, mark);
    c->Preset = v;
    c->SetMark = mark;
    c->Used = ClockValue();
    c->Elapsed = ClockValue();
    StopClock(i);
}

ClockValue ClockTable::ReadClock(int i)
{
    ClockRecord* c = clockAt(i);
    if (!c)
        return ClockValue();
    const MonotonicTime now = timeSource().monotonicNow();
    c->Elapsed = c->StartStamp && c->Running ? runTime(*c, now) : ClockValue();
    const ClockValue remaining = c->Preset - c->Used - c->Elapsed;
    if (remaining <= ClockValue()) {
        c->Used = c->Preset;
        return ClockValue();
    }
    return remaining;
}

ClockValue ClockTable::LastReading(int i) const
{
    const ClockRecord c = record(i);
    return std::max(c.Preset - c.Used - c.Elapsed, ClockValue());
}

ClockRecord ClockTable::record(int i) const
{
    return i >= 0 && i < ClockCount ? clocks[static_cast<size_t>(i)] : ClockRecord();
}
