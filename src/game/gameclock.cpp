// SPDX-License-Identifier: GPL-3.0-or-later
// The clocks of the game: the tick, start and stop, reset, game times and penalty times.
#include "clockfaces.h"
#include "game.h"

void Game::tick()
{
    ClockTable& clocks = game.clocks;
    const ClockValue g = clocks.ReadClock(GameClock);
    // The local time is read only while it is shown.
    game.face =
        game.ClockTime ? ClockFace{true, ClockValue(), CurrentTimeOfDay()} : ClockFace{false, g, 0};

    if (g > ClockValue()) {
        if (game.clockState == ClockState::AtZero)
            game.clockState = ClockState::Counting;
    } else {
        // This tick is the last until a command starts the clocks again.
        const bool due = game.clockState == ClockState::Counting;
        enableTick(false);
        if (due)
            sound(Sound::Buzzer);
    }

    for (int i = FirstPenaltyClock; i < ClockCount; ++i) {
        PenaltySlotState& p = game.penalty(i);
        if (!p.timeShown)
            continue;
        const ClockValue left = clocks.ReadClock(i);
        if (p.shownTime > ClockValue() && left <= ClockValue()) {
            GameEvent e = newEvent(EventKind::PenaltyExpired, CommandSource::clock());
            e.team = teamOf(i);
            e.slot = slotOf(i);
            e.player = p.player;
            note(std::move(e));
        }
        p.shownTime = left;
    }
    handOverFreedSlots();
    Q_EMIT changed();
    Q_EMIT ticked();
}

void Game::handOverFreedSlots()
{
    // A slot whose penalty has run out goes to its team's first waiting penalty, whatever
    // read the clock last: what decides is that the slot shows 0:00 and a penalty waits.
    for (int i = FirstPenaltyClock; i < ClockCount; ++i) {
        PenaltySlotState& p = game.penalty(i);
        WaitingList& list = game.waiting[static_cast<size_t>(teamOf(i))];
        if (!p.timeShown || p.shownTime > ClockValue() || list.empty())
            continue;
        const WaitingPenalty next = list.front();
        list.erase(list.begin());
        p.player = next.player;
        setPenaltyTime(i, next.time);
        if (game.clocks.IsRunning(GameClock))
            game.clocks.StartClock(i);
        GameEvent e = newEvent(EventKind::WaitingTookSlot, CommandSource::clock());
        e.team = teamOf(i);
        e.slot = slotOf(i);
        e.player = next.player;
        e.time = next.time;
        note(std::move(e));
    }
}

bool Game::clockRunning() const
{
    // With the game clock at zero the tick is off and every clock stands where it stopped.
    if (!game.tickEnabled())
        return false;
    ClockTable clocks = game.clocks; // a reading updates the record
    for (int i = 0; i < ClockCount; ++i)
        if (clocks.IsRunning(i) && clocks.ReadClock(i) > ClockValue())
            return true;
    return false;
}

bool Game::gameClockCounting() const
{
    ClockTable clocks = game.clocks;
    return game.tickEnabled() && clocks.IsRunning(GameClock) &&
           clocks.ReadClock(GameClock) > ClockValue();
}

void Game::resume(const GameState& saved, const GameRecord& savedRecord)
{
    const Sound playing = game.sounding;
    const bool ticking = game.tickEnabled();
    game = saved;
    for (int i = 0; i < ClockCount; ++i)
        game.clocks.StopClock(i);
    game.sounding = playing;
    // The tick runs; a game clock saved at zero has had its buzzer.
    if (game.clockState == ClockState::Halted)
        game.clockState = ClockState::AtZero;
    log = savedRecord;
    undoSteps.clear();
    redoSteps.clear();
    if (!ticking)
        Q_EMIT tickEnabledChanged(true);
    Q_EMIT changed();
}

void Game::enableTick(bool on)
{
    // A tick already running keeps its rhythm: restarting it would hold the display back for
    // as long as a key repeats.
    if (game.tickEnabled() == on)
        return;
    game.clockState = on ? ClockState::AtZero : ClockState::Halted;
    Q_EMIT tickEnabledChanged(on);
}

void Game::stopClockCounting(int i)
{
    // While the tick runs, a stop counts the time up to this moment, not only up to the last
    // tick: otherwise every whistle would lose up to a tenth. With the tick off (the game
    // clock at zero) the clocks stand still as the last tick left them.
    if (game.tickEnabled())
        game.clocks.ReadClock(i);
    game.clocks.StopClock(i);
}

void Game::startStopAll()
{
    game.ClockTime = false;
    if (game.clocks.IsRunning(GameClock)) {
        for (int i = 0; i < ClockCount; ++i)
            stopClockCounting(i);
    } else {
        for (int i = 0; i < ClockCount; ++i)
            game.clocks.StartClock(i);
        enableTick(true);
    }
}

void Game::gameClockAlone()
{
    game.ClockTime = false;
    if (game.clocks.IsRunning(GameClock)) {
        stopClockCounting(GameClock);
    } else {
        game.clocks.StartClock(GameClock);
        enableTick(true);
    }
}

void Game::reset()
{
    if (game.clocks.IsRunning(GameClock))
        startStopAll();
    game.clocks.SetClock(game.ClockReset, GameClock);
    game.face = ClockFace{false, game.clocks.ReadClock(GameClock), 0};
    game.ClockTime = false;
}

void Game::setGameTime(ClockValue v)
{
    if (game.clocks.IsRunning(GameClock))
        startStopAll();
    game.clocks.SetClock(v, GameClock);
    game.ClockReset = v;
    game.face = ClockFace{false, game.clocks.ReadClock(GameClock), 0};
}

void Game::setPenaltyTime(int clock, ClockValue v)
{
    game.clocks.SetClock(v, clock);
    PenaltySlotState& p = game.penalty(clock);
    p.timeShown = true;
    p.shownTime = game.clocks.ReadClock(clock);
}

void Game::clearPenalty(int clock)
{
    game.penalty(clock) = PenaltySlotState();
    game.clocks.SetClock(ClockValue(), clock);
}

void Game::refreshClockFace()
{
    // As a tick would show the game clock, without waiting for one.
    const ClockValue v = game.clocks.ReadClock(GameClock);
    if (!game.ClockTime)
        game.face = ClockFace{false, v, 0};
    if (game.tickEnabled())
        game.clockState = v > ClockValue() ? ClockState::Counting : ClockState::AtZero;
}
