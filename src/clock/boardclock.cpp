// The board's clock: the 100 ms tick, the start/stop, reset and clock-switch commands, and
// game times typed into the clock field.
#include "boardclock.h"

#include "clockdisplay.h"
#include "clocktable.h"
#include "frmscoreboard.h"
#include "polyled.h"
#include "timetext.h"

ClockValue ClockReset = ClockValue::whole(600);

namespace {
constexpr int32_t GameTimeLimit = 5999; // 99:59
}

void frmScoreBoard::DisplayTime(const DigitRow& ClockObject, ClockValue DispSec)
{
    ::DisplayTime(ClockObject, DispSec);
}

void frmScoreBoard::tmrClock1_Timer()
{
    const int timeOfDay = CurrentTimeOfDay();
    const ClockValue g = ReadClock(GameClock);
    if (ClockTime != 0)
        ShowTimeOfDay(timeOfDay, pledTime, Shape2);
    else
        ShowClock(g, pledTime, Shape2);

    if (g > ClockValue()) {
        BuzzedAtZero = 0;
    } else {
        // This tick is the last until a command starts the timer again.
        tmrClock1.stop();
        if (BuzzedAtZero == 0) {
            BuzzedAtZero = -1;
            Buzzer();
        }
    }

    for (int i = FirstPenaltyClock; i < ClockCount; ++i) {
        const DigitRow& row = *penaltySlot(i).time;
        if (row[0]->Caption() > PolyLED::BlankDigit)
            DisplayTime(row, ReadClock(i));
    }
    Penalty();
    UpdatePenaltyColonColors();
}

// Enables the tick. A tick already running keeps its rhythm: restarting it would hold the
// display back for as long as a key repeats.
void frmScoreBoard::startTick()
{
    if (!tmrClock1.isActive())
        tmrClock1.start();
}

void frmScoreBoard::StopClockCounting(int i)
{
    // While the tick runs, a stop counts the time up to this moment, not only up to the last
    // tick: otherwise every whistle would lose up to a tenth. With the tick off (the game
    // clock at zero) the clocks stand still as the last tick left them.
    if (tmrClock1.isActive())
        ReadClock(i);
    StopClock(i);
}

void frmScoreBoard::StartStopCommand()
{
    ClockTime = 0;
    if (IsRunning(GameClock)) {
        for (int i = 0; i < ClockCount; ++i)
            StopClockCounting(i);
    } else {
        for (int i = 0; i < ClockCount; ++i)
            StartClock(i);
        startTick();
    }
}

void frmScoreBoard::ResetCommand()
{
    if (IsRunning(GameClock) == -1)
        StartStopCommand();
    SetClock(ClockReset, GameClock);
    ShowClock(ReadClock(GameClock), pledTime, Shape2);
    ClockTime = 0;
}

void frmScoreBoard::ClockSwitchCommand()
{
    ClockTime = static_cast<int16_t>(~ClockTime);
}

void frmScoreBoard::TypeGameTime(int16_t ch)
{
    const ClockValue v = TypeTime(pledTime[0]->Name(), ch, GameTimeLimit);
    if (v == NoTime)
        return;
    if (IsRunning(GameClock) == -1)
        StartStopCommand();
    SetClock(v, GameClock);
    ClockReset = v;
    ShowClock(ReadClock(GameClock), pledTime, Shape2);
}
