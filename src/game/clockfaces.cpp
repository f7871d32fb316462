// SPDX-License-Identifier: GPL-3.0-or-later
#include "clockfaces.h"

#include "timesource.h"

#include <QTime>
#include <algorithm>
#include <array>

namespace {

constexpr int ClockDigits = 4;
constexpr int PenaltyDigits = 3;
constexpr int MinutesPerHour = 60;
constexpr int HoursPerHalfDay = 12;
// The largest time of day four digits can show: 99:59.
constexpr int MaxTimeOfDay = 99 * MinutesPerHour + 59;

// Shown as minutes:seconds above this; below it as seconds and tenths.
constexpr ClockValue LastTenthsTime = Fixed4::tenths(599);
// Added so that whole seconds are rounded up: a started second still counts.
constexpr ClockValue RoundUp = Fixed4::tenths(9);

constexpr int16_t Dark = DigitRow::Blank;

// Writes digits on cells first, first + 1, ... with the leading-zero rule: a 0 is dark when
// it is the first digit or the cell to its left is dark. The digit at alwaysShown (an index
// into digits) is shown even when 0.
template <size_t N>
void showDigits(DigitRow& row, int first, const std::array<int64_t, N>& digits, size_t alwaysShown)
{
    for (size_t k = 0; k < N; ++k) {
        const int cell = first + static_cast<int>(k);
        const bool leading = k == 0 || row[cell - 1] == Dark;
        const bool dark = digits[k] == 0 && leading && k != alwaysShown;
        row.set(cell, dark ? Dark : digits[k]);
    }
}

} // namespace

void ShowClock(ClockValue t, DigitRow& row, bool& colon)
{
    t = std::max(t, ClockValue()); // a clock never shows less than 0
    const bool minutesForm = t > LastTenthsTime;
    if (minutesForm)
        t += RoundUp;
    const int16_t d1 = WholeQuotient(t, Fixed4::whole(600));
    t -= Fixed4::whole(600) * d1;
    const int16_t d2 = WholeQuotient(t, Fixed4::whole(60));
    t -= Fixed4::whole(60) * d2;
    const int16_t d3 = WholeQuotient(t, Fixed4::whole(10));
    t -= Fixed4::whole(10) * d3;
    const int64_t d4 = t.wholePart();
    t -= Fixed4::whole(d4);
    const int64_t d5 = (t * 10).wholePart();

    colon = minutesForm;
    if (minutesForm) {
        showDigits<4>(row, 0, {d1, d2, d3, d4}, 3);
    } else {
        row.set(ClockDigits - 1, Dark);
        showDigits<3>(row, 0, {d3, d4, d5}, 1);
    }
}

void DisplayTime(DigitRow& ClockObject, ClockValue DispSec)
{
    ClockValue a = DispSec + RoundUp;
    const int16_t m = WholeQuotient(a, Fixed4::whole(60));
    ClockObject.set(PenaltyDigits - 1, m);
    a -= Fixed4::whole(60) * m;
    const int16_t tens = WholeQuotient(a, Fixed4::whole(10));
    ClockObject.set(1, tens);
    a -= Fixed4::whole(10) * tens;
    ClockObject.set(0, a.wholePart());
}

QString PenaltyTimeText(ClockValue t)
{
    DigitRow row(PenaltyDigits);
    DisplayTime(row, t);
    return QStringLiteral("%1:%2%3").arg(row[2]).arg(row[1]).arg(row[0]);
}

int TimeOfDayValue(const QTime& local, bool twelveHourClock)
{
    int hour = local.isValid() ? local.hour() : 0;
    const int minute = local.isValid() ? local.minute() : 0;
    if (twelveHourClock) {
        hour %= HoursPerHalfDay;
        if (hour == 0)
            hour = HoursPerHalfDay;
    }
    return hour * MinutesPerHour + minute;
}

int CurrentTimeOfDay()
{
    TimeSource& source = timeSource();
    return TimeOfDayValue(source.localNow().time(), source.twelveHourClock());
}

void ShowTimeOfDay(int value, DigitRow& row, bool& colon)
{
    value = std::clamp(value, 0, MaxTimeOfDay);
    const int hour = value / MinutesPerHour;
    const int minute = value % MinutesPerHour;
    colon = true;
    // Only the tens of hours can be a leading zero; 0:05 keeps its hours digit.
    row.set(0, hour / 10 == 0 ? Dark : hour / 10);
    row.set(1, hour % 10);
    row.set(2, minute / 10);
    row.set(3, minute % 10);
}
