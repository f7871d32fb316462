// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QDateTime>
#include <cstdint>

// A monotonic reading in whole seconds and milliseconds. It never jumps with a change of
// the local time (daylight saving, a clock correction), so the clocks measure with it.
struct MonotonicTime
{
    int64_t seconds = 0;
    int millis = 0; // 0..999
};

// The one source of "now". Tests put a manual source in its place and never sleep.
class TimeSource
{
public:
    virtual ~TimeSource() = default;
    virtual MonotonicTime monotonicNow() = 0;
    virtual QDateTime localNow() = 0;
    // Whether the user's time format counts hours 1 to 12 rather than 0 to 23.
    virtual bool twelveHourClock() = 0;
};

TimeSource& timeSource();
void setTimeSource(TimeSource* source); // null restores the system's

// A source that moves only when told to.
class ManualTimeSource : public TimeSource
{
public:
    MonotonicTime monotonicNow() override;
    QDateTime localNow() override { return local; }
    bool twelveHourClock() override { return twelveHour; }

    void setMonotonic(int64_t seconds, int millis);
    void advanceMs(int64_t ms); // moves both the monotonic and the local reading

    int64_t totalMs = 0;
    QDateTime local = QDateTime(QDate(2026, 1, 1), QTime(19, 0));
    bool twelveHour = false;
};
