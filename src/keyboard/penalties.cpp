// Penalties: entering, starting, stopping and clearing them, and their lamps.
#include "clockdisplay.h"
#include "clocktable.h"
#include "colors.h"
#include "frmscoreboard.h"
#include "polyled.h"
#include "settingvariables.h"
#include "shape.h"
#include "timetext.h"

namespace {
constexpr int32_t PenaltyTimeLimit = 599; // 9:59
}

void frmScoreBoard::Penalty()
{
    const QColor lit = toQColor(Settings.ScoreColor);
    const QColor dark = toQColor(Settings.FormBack);
    for (int i = FirstPenaltyClock; i < ClockCount; ++i)
        penaltySlot(i).lamp->setFillColor(ReadClock(i) > ClockValue() ? lit : dark);
}

void frmScoreBoard::ClearPenalty(int16_t ClockNum, const DigitRow& PlayerObj,
                                 const DigitRow& TimeObj)
{
    const QString blank(QChar(0));
    ShowDigits(PlayerObj, blank, -1, -1);
    ShowDigits(TimeObj, blank, -1, -1);
    SetClock(ClockValue(), ClockNum);
    UpdatePenaltyColonColors();
    Penalty();
}

void frmScoreBoard::PenaltyPlayerKeyDown(int clock, int16_t KeyCode)
{
    const DigitRow& player = *penaltySlot(clock).player;
    const DigitRow& time = *penaltySlot(clock).time;
    if (KeyCode == Settings.ClearKey)
        ClearPenalty(static_cast<int16_t>(clock), player, time);
    AllKeyCode(KeyCode);
    if (!ignoredByEntry(KeyCode))
        EnterDigits(player, KeyCodeToAsci(KeyCode), -1, 99);
}

void frmScoreBoard::PenaltyTimeKeyDown(int clock, int16_t KeyCode)
{
    const DigitRow& player = *penaltySlot(clock).player;
    const DigitRow& time = *penaltySlot(clock).time;
    if (KeyCode == Settings.ClearKey)
        ClearPenalty(static_cast<int16_t>(clock), player, time);
    AllKeyCode(KeyCode);
    const int16_t c = KeyCodeToAsci(KeyCode);
    if (KeyCode == Settings.SepTimeKey) {
        if (IsRunning(clock)) {
            StopClockCounting(clock);
        } else {
            StartClock(clock);
            startTick();
        }
    }
    if (ignoredByEntry(KeyCode))
        return;
    const ClockValue typed = TypeTime(time[0]->Name(), c, PenaltyTimeLimit);
    if (typed == NoTime)
        return;
    // Penalties are whole seconds: 2.055 (125.5 s) becomes 126.
    const ClockValue v = ClockValue::whole(typed.roundedHalfEven());
    SetClock(v, clock);
    DisplayTime(time, ReadClock(clock));
    UpdatePenaltyColonColors();
    Penalty();
}
