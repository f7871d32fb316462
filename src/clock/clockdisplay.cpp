#include "clockdisplay.h"

#include "colors.h"
#include "polyled.h"
#include "settingvariables.h"
#include "shape.h"
#include "timesource.h"

#include <QTime>
#include <algorithm>
#include <array>

namespace {

constexpr int ClockDigits = 4;
constexpr int PenaltyDigits = 3;
constexpr size_t UpperDot = 0;
constexpr size_t LowerDot = 1;
constexpr int MinutesPerHour = 60;
constexpr int HoursPerHalfDay = 12;
// The largest time of day four digits can show: 99:59.
constexpr int MaxTimeOfDay = 99 * MinutesPerHour + 59;

// Shown as minutes:seconds above this; below it as seconds and tenths.
constexpr ClockValue LastTenthsTime = Fixed4::tenths(599);
// Added so that whole seconds are rounded up: a started second still counts.
constexpr ClockValue RoundUp = Fixed4::tenths(9);

constexpr int16_t Dark = PolyLED::BlankDigit;

// Rows of the wrong length are tolerated: members that do not exist are skipped.
void setDigit(const std::vector<PolyLED*>& row, int member, int64_t digit)
{
    if (member < 0 || static_cast<size_t>(member) >= row.size() ||
        !row[static_cast<size_t>(member)])
        return;
    // Out-of-range digits (only for times no clock here reaches) show dark.
    row[static_cast<size_t>(member)]->setCaption(
        static_cast<int16_t>(std::clamp<int64_t>(digit, Dark, 10)));
}

int16_t captionOf(const std::vector<PolyLED*>& row, int member)
{
    if (member < 0 || static_cast<size_t>(member) >= row.size() ||
        !row[static_cast<size_t>(member)])
        return Dark;
    return row[static_cast<size_t>(member)]->Caption();
}

void fillDot(const std::vector<Shape*>& dots, size_t which, int32_t colour)
{
    if (which < dots.size() && dots[which])
        dots[which]->setFillColor(toQColor(colour));
}

// Writes digits on members first, first + 1, ... with the leading-zero rule: a 0 is dark
// when it is the first digit or the member to its left is dark. The digit at alwaysShown
// (an index into digits) is shown even when 0.
template <size_t N>
void showDigits(const std::vector<PolyLED*>& row, int first, const std::array<int64_t, N>& digits,
                size_t alwaysShown)
{
    for (size_t k = 0; k < N; ++k) {
        const int member = first + static_cast<int>(k);
        const bool leading = k == 0 || captionOf(row, member - 1) == Dark;
        const bool dark = digits[k] == 0 && leading && k != alwaysShown;
        setDigit(row, member, dark ? Dark : digits[k]);
    }
}

} // namespace

void ShowClock(ClockValue t, const std::vector<PolyLED*>& row, const std::vector<Shape*>& dots)
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

    fillDot(dots, LowerDot, Settings.BorderColor);
    if (minutesForm) {
        fillDot(dots, UpperDot, Settings.BorderColor);
        showDigits<4>(row, 0, {d1, d2, d3, d4}, 3);
    } else {
        fillDot(dots, UpperDot, Settings.LEDBack);
        setDigit(row, ClockDigits - 1, Dark);
        showDigits<3>(row, 0, {d3, d4, d5}, 1);
    }
}

void DisplayTime(const std::vector<PolyLED*>& ClockObject, ClockValue DispSec)
{
    ClockValue a = DispSec + RoundUp;
    const int16_t m = WholeQuotient(a, Fixed4::whole(60));
    setDigit(ClockObject, PenaltyDigits - 1, m);
    a -= Fixed4::whole(60) * m;
    const int16_t tens = WholeQuotient(a, Fixed4::whole(10));
    setDigit(ClockObject, 1, tens);
    a -= Fixed4::whole(10) * tens;
    setDigit(ClockObject, 0, a.wholePart());
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

void ShowTimeOfDay(int value, const std::vector<PolyLED*>& row, const std::vector<Shape*>& dots)
{
    value = std::clamp(value, 0, MaxTimeOfDay);
    const int hour = value / MinutesPerHour;
    const int minute = value % MinutesPerHour;
    fillDot(dots, LowerDot, Settings.BorderColor);
    fillDot(dots, UpperDot, Settings.BorderColor);
    // Only the tens of hours can be a leading zero; 0:05 keeps its hours digit.
    setDigit(row, 0, hour / 10 == 0 ? Dark : hour / 10);
    setDigit(row, 1, hour % 10);
    setDigit(row, 2, minute / 10);
    setDigit(row, 3, minute % 10);
}
