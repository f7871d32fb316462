// SPDX-License-Identifier: GPL-3.0-or-later
// The clocks of the game: the tick, the start/stop and reset commands, typed game times and
// the penalties.
#include "clockfaces.h"
#include "game.h"

using fieldlimits::GameTimeLimit;
using fieldlimits::PenaltyTimeLimit;

void Game::tmrClock1_Timer()
{
    ClockTable& clocks = game.clocks;
    const ClockValue g = clocks.ReadClock(GameClock);
    // The local time is read only while it is shown.
    if (game.ClockTime)
        ShowTimeOfDay(CurrentTimeOfDay(), game.row(Field::Time), game.clockColon);
    else
        ShowClock(g, game.row(Field::Time), game.clockColon);

    if (g > ClockValue()) {
        game.BuzzedAtZero = false;
    } else {
        // This tick is the last until a command starts the clocks again.
        enableTick(false);
        if (!game.BuzzedAtZero) {
            game.BuzzedAtZero = true;
            Buzzer();
        }
    }

    for (int i = FirstPenaltyClock; i < ClockCount; ++i) {
        DigitRow& row = game.row(penaltySlot(i).time);
        if (row[0] == DigitRow::Blank)
            continue;
        // A penalty that runs out gives its slot to the team's first waiting penalty.
        const ClockValue before = clocks.LastReading(i);
        const ClockValue left = clocks.ReadClock(i);
        const bool ranOut = before > ClockValue() && left <= ClockValue() && clocks.IsRunning(i);
        if (!ranOut || !takeWaitingPenalty(i))
            DisplayTime(row, left);
    }
    Penalty();
    Q_EMIT changed();
}

bool Game::clockRunning() const
{
    // With the game clock at zero the tick is off and every clock stands where it stopped.
    if (!game.tickEnabled)
        return false;
    ClockTable clocks = game.clocks; // a reading updates the record
    for (int i = 0; i < ClockCount; ++i)
        if (clocks.IsRunning(i) && clocks.ReadClock(i) > ClockValue())
            return true;
    return false;
}

void Game::resume(const GameState& saved)
{
    const bool playing = game.BuzzerPlaying;
    const bool ticking = game.tickEnabled;
    game = saved;
    for (int i = 0; i < ClockCount; ++i)
        game.clocks.StopClock(i);
    game.BuzzerPlaying = playing;
    game.tickEnabled = ticking;
    undoSteps.clear();
    redoSteps.clear();
    Penalty();
    enableTick(true);
    Q_EMIT changed();
}

void Game::enableTick(bool on)
{
    // A tick already running keeps its rhythm: restarting it would hold the display back for
    // as long as a key repeats.
    if (game.tickEnabled == on)
        return;
    game.tickEnabled = on;
    Q_EMIT tickEnabledChanged(on);
}

void Game::StopClockCounting(int i)
{
    // While the tick runs, a stop counts the time up to this moment, not only up to the last
    // tick: otherwise every whistle would lose up to a tenth. With the tick off (the game
    // clock at zero) the clocks stand still as the last tick left them.
    if (game.tickEnabled)
        game.clocks.ReadClock(i);
    game.clocks.StopClock(i);
}

void Game::StartStopCommand()
{
    game.ClockTime = false;
    if (game.clocks.IsRunning(GameClock)) {
        for (int i = 0; i < ClockCount; ++i)
            StopClockCounting(i);
    } else {
        for (int i = 0; i < ClockCount; ++i)
            game.clocks.StartClock(i);
        enableTick(true);
    }
}

void Game::ResetCommand()
{
    if (game.clocks.IsRunning(GameClock))
        StartStopCommand();
    game.clocks.SetClock(game.ClockReset, GameClock);
    ShowClock(game.clocks.ReadClock(GameClock), game.row(Field::Time), game.clockColon);
    game.ClockTime = false;
}

void Game::TypeGameTime(int16_t ch)
{
    const ClockValue v = TypeTime(game.TimeBuffer, index(Field::Time), ch, GameTimeLimit);
    if (v == NoTime)
        return;
    if (game.clocks.IsRunning(GameClock))
        StartStopCommand();
    game.clocks.SetClock(v, GameClock);
    game.ClockReset = v;
    ShowClock(game.clocks.ReadClock(GameClock), game.row(Field::Time), game.clockColon);
}

void Game::Penalty()
{
    for (int i = FirstPenaltyClock; i < ClockCount; ++i)
        game.penaltyLamp[static_cast<size_t>(i - 1)] = game.clocks.ReadClock(i) > ClockValue();
}

void Game::ClearPenalty(int clock)
{
    const QString blank(QChar(0));
    ShowDigits(game.row(penaltySlot(clock).player), blank, -1, -1);
    ShowDigits(game.row(penaltySlot(clock).time), blank, -1, -1);
    game.clocks.SetClock(ClockValue(), clock);
    Penalty();
}

void Game::PenaltyTimeKeyDown(int clock, int16_t KeyCode)
{
    if (KeyCode == config.ClearKey)
        ClearPenalty(clock);
    const bool command =
        AllKeyCode(KeyCode) || KeyCode == config.ClearKey || KeyCode == config.SepTimeKey;
    const int16_t c = entryCharacter(KeyCode);
    if (KeyCode == config.SepTimeKey) {
        if (game.clocks.IsRunning(clock)) {
            StopClockCounting(clock);
        } else {
            game.clocks.StartClock(clock);
            enableTick(true);
        }
    }
    const Field time = penaltySlot(clock).time;
    if (ignoredByEntry(KeyCode) || enterOnlyRanACommand(command, KeyCode, time))
        return;
    const ClockValue typed = TypeTime(game.TimeBuffer, index(time), c, PenaltyTimeLimit);
    if (typed == NoTime)
        return;
    // Penalties are whole seconds: 2.055 (125.5 s) becomes 126.
    setPenaltyTime(clock, ClockValue::whole(typed.roundedHalfEven()));
}
