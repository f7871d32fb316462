// SPDX-License-Identifier: GPL-3.0-or-later
// The record of each command, and undo and redo of what commands changed.
#include "game.h"
#include "timesource.h"

namespace {

ClockValue readingOf(ClockTable clocks, int i)
{
    return clocks.ReadClock(i); // a copy: reading updates the record
}

} // namespace

Game::Step::Values Game::valuesOf(const GameState& s)
{
    Step::Values v;
    v.score = s.score;
    v.shots = s.shots;
    v.period = s.period;
    for (int i = FirstPenaltyClock; i < ClockCount; ++i) {
        v.player[static_cast<size_t>(i - 1)] = s.penalty(i).player;
        v.timeShown[static_cast<size_t>(i - 1)] = s.penalty(i).timeShown;
    }
    v.lamp = s.WhoGoal;
    v.reset = s.ClockReset;
    return v;
}

GameEvent Game::newEvent(EventKind kind, const CommandSource& source) const
{
    GameEvent e;
    e.kind = kind;
    e.wall = timeSource().localNow().toUTC();
    e.gameClock = readingOf(game.clocks, GameClock);
    e.periodTime = game.ClockReset;
    e.period = game.period;
    e.source = source;
    return e;
}

void Game::note(GameEvent e)
{
    log.append(std::move(e));
    Q_EMIT recorded(log.events().back());
}

void Game::recordRefusal(const QString& what, const QString& reason, const CommandSource& source)
{
    GameEvent e = newEvent(EventKind::Refused, source);
    e.text = what + QStringLiteral(": ") + reason;
    note(std::move(e));
    Q_EMIT changed();
}

void Game::recordChange(const Command& c, const GameState& before, const CommandSource& source)
{
    const auto t = static_cast<size_t>(c.team);
    std::vector<GameEvent> events;
    auto add = [&](EventKind kind) -> GameEvent& {
        events.push_back(newEvent(kind, source));
        events.back().team = c.team;
        return events.back();
    };
    const int clock = penaltyClock(c.team, c.slot);
    switch (c.kind) {
    case CommandKind::StartStop:
    case CommandKind::GameClockAlone: {
        const bool started = game.clocks.IsRunning(GameClock);
        add(started ? EventKind::ClockStarted : EventKind::ClockStopped).slot =
            c.kind == CommandKind::StartStop ? -1 : 0;
        break;
    }
    case CommandKind::PenaltyClock:
        add(game.clocks.IsRunning(clock) ? EventKind::ClockStarted : EventKind::ClockStopped).slot =
            clock;
        break;
    case CommandKind::Reset:
        add(EventKind::Reset).time = game.ClockReset;
        break;
    case CommandKind::SetClock:
        add(EventKind::ClockSet).time = game.ClockReset;
        break;
    case CommandKind::ClockSwitch:
        add(EventKind::ClockSwitched).on = game.ClockTime;
        break;
    case CommandKind::Goal: {
        GameEvent& e = add(EventKind::Goal);
        e.before = before.score[t];
        e.value = game.score[t];
        e.lamp = game.WhoGoal;
        e.on = game.WhoGoal == lampOf(c.team);
        break;
    }
    case CommandKind::SetScore: {
        GameEvent& e = add(EventKind::Score);
        e.before = before.score[t];
        e.value = game.score[t];
        break;
    }
    case CommandKind::AddShot:
    case CommandKind::SetShots: {
        GameEvent& e = add(EventKind::Shots);
        e.before = before.shots[t];
        e.value = game.shots[t];
        break;
    }
    case CommandKind::SetPeriod: {
        GameEvent& e = add(EventKind::Period);
        e.before = before.period;
        e.value = game.period;
        break;
    }
    case CommandKind::SetPenalty:
    case CommandKind::ClearPenalty: {
        const bool cleared = c.kind == CommandKind::ClearPenalty;
        const PenaltySlotState& p = cleared ? before.penalty(clock) : game.penalty(clock);
        GameEvent& e = add(cleared ? EventKind::PenaltyCleared : EventKind::PenaltySet);
        e.slot = c.slot;
        e.player = p.player;
        e.time = cleared ? readingOf(before.clocks, clock) : p.shownTime;
        e.on = p.timeShown;
        break;
    }
    case CommandKind::AddWaiting:
    case CommandKind::RemoveWaiting: {
        const bool added = c.kind == CommandKind::AddWaiting;
        const WaitingPenalty p =
            added ? game.waiting[t].back() : before.waiting[t][static_cast<size_t>(c.index)];
        GameEvent& e = add(added ? EventKind::WaitingAdded : EventKind::WaitingRemoved);
        e.player = p.player;
        e.time = p.time;
        e.slot = added ? static_cast<int>(game.waiting[t].size()) : c.index + 1;
        break;
    }
    case CommandKind::SetGoalLamp:
        add(EventKind::GoalLamp).lamp = game.WhoGoal;
        break;
    case CommandKind::Horn:
        add(EventKind::Horn);
        break;
    case CommandKind::Buzzer:
        add(EventKind::Buzzer);
        break;
    case CommandKind::Undo:
    case CommandKind::Redo:
        break;
    }

    Step step;
    step.before = valuesOf(before);
    step.after = valuesOf(game);
    for (int i = 0; i < ClockCount; ++i) {
        const uint32_t markBefore = before.clocks.record(i).SetMark;
        const uint32_t markAfter = game.clocks.record(i).SetMark;
        step.marksBefore[static_cast<size_t>(i)] = markBefore;
        step.marksAfter[static_cast<size_t>(i)] = markAfter;
        if (markBefore != markAfter)
            step.clocks.push_back({i, readingOf(before.clocks, i), readingOf(game.clocks, i)});
    }
    if (c.kind == CommandKind::AddWaiting)
        step.waiting.push_back(
            {c.team, true, static_cast<int>(game.waiting[t].size()) - 1, game.waiting[t].back()});
    if (c.kind == CommandKind::RemoveWaiting)
        step.waiting.push_back(
            {c.team, false, c.index, before.waiting[t][static_cast<size_t>(c.index)]});

    for (GameEvent& e : events) {
        note(std::move(e));
        step.events.push_back(log.events().back().id);
        if (step.events.size() == 1)
            step.first = log.events().back();
    }
    // Starting and stopping clocks, the clock switch and the sounds are not taken back.
    if (step.before == step.after && step.clocks.empty() && step.waiting.empty())
        return;
    undoSteps.push_back(std::move(step));
    if (undoSteps.size() > UndoSteps)
        undoSteps.pop_front();
    redoSteps.clear();
}

bool Game::putBack(const Step& step, bool backwards, bool dryRun)
{
    // Each part comes back only where the game still holds what the step left there.
    const Step::Values& from = backwards ? step.after : step.before;
    const Step::Values& to = backwards ? step.before : step.after;
    bool any = false;
    auto restore = [&](auto& now, const auto& expected, const auto& wanted) {
        if (now == expected && expected != wanted) {
            any = true;
            if (!dryRun)
                now = wanted;
        }
    };
    for (size_t i = 0; i < 2; ++i) {
        restore(game.score[i], from.score[i], to.score[i]);
        restore(game.shots[i], from.shots[i], to.shots[i]);
    }
    restore(game.period, from.period, to.period);
    restore(game.WhoGoal, from.lamp, to.lamp);
    restore(game.ClockReset, from.reset, to.reset);
    const auto& marks = backwards ? step.marksAfter : step.marksBefore;
    const auto& wantedMarks = backwards ? step.marksBefore : step.marksAfter;
    auto unchanged = [&](int clock) {
        return game.clocks.record(clock).SetMark == marks[static_cast<size_t>(clock)];
    };
    std::array<bool, ClockCount> touched{};
    for (int i = FirstPenaltyClock; i < ClockCount; ++i) {
        const auto k = static_cast<size_t>(i - 1);
        if (!unchanged(i))
            continue;
        const bool before = any;
        any = false;
        restore(game.penalty(i).timeShown, from.timeShown[k], to.timeShown[k]);
        touched[static_cast<size_t>(i)] = any;
        any = any || before;
        restore(game.penalty(i).player, from.player[k], to.player[k]);
    }
    for (const Step::Clock& k : step.clocks) {
        if (!unchanged(k.clock))
            continue;
        any = true;
        touched[static_cast<size_t>(k.clock)] = true;
        if (dryRun)
            continue;
        // The value comes back; whether the clock runs stays as it is. With the tick off (the
        // game clock at zero) every clock stands still, and so does this one.
        const bool running = game.clocks.IsRunning(k.clock) && game.tickEnabled();
        if (running)
            stopClockCounting(k.clock);
        game.clocks.SetClock(backwards ? k.before : k.after, k.clock,
                             wantedMarks[static_cast<size_t>(k.clock)]);
        if (running)
            game.clocks.StartClock(k.clock);
        if (k.clock == GameClock)
            refreshClockFace();
    }
    for (const Step::Waiting& w : step.waiting) {
        WaitingList& list = game.waiting[static_cast<size_t>(w.team)];
        if (w.added == backwards) {
            // Take it out again, if it still waits.
            auto at = list.end();
            if (w.index < static_cast<int>(list.size()) && list[size_t(w.index)] == w.penalty)
                at = list.begin() + w.index;
            else
                at = std::find(list.begin(), list.end(), w.penalty);
            if (at == list.end())
                continue;
            any = true;
            if (!dryRun)
                list.erase(at);
        } else if (list.size() < MaxWaiting) {
            any = true;
            if (!dryRun)
                list.insert(list.begin() + std::min<int>(w.index, static_cast<int>(list.size())),
                            w.penalty);
        }
    }
    if (!dryRun) {
        // The penalty times put back show their clocks at once; a cleared slot shows nothing.
        for (int i = FirstPenaltyClock; i < ClockCount; ++i) {
            PenaltySlotState& p = game.penalty(i);
            if (touched[static_cast<size_t>(i)])
                p.shownTime = p.timeShown ? game.clocks.ReadClock(i) : ClockValue();
        }
    }
    return any;
}

CommandResult Game::undoOrRedo(bool undo, const CommandSource& source)
{
    std::deque<Step>& from = undo ? undoSteps : redoSteps;
    std::deque<Step>& to = undo ? redoSteps : undoSteps;
    if (from.empty())
        return CommandResult::refused(undo ? QStringLiteral("nothing to undo")
                                           : QStringLiteral("nothing to redo"));
    Step step = std::move(from.back());
    from.pop_back();
    if (!putBack(step, undo, true))
        return CommandResult::refused(QStringLiteral("%1 has changed since: nothing to take back")
                                          .arg(step.first.describe()));
    putBack(step, undo, false);
    game.TimeBuffer = TypedText();
    game.EntryBuffer = TypedText();
    GameEvent e = newEvent(undo ? EventKind::Undo : EventKind::Redo, source);
    e.refs = step.events;
    e.text = step.first.describe();
    note(std::move(e));
    to.push_back(std::move(step));
    Q_EMIT changed();
    return CommandResult::done();
}

std::optional<GameEvent> Game::nextUndo() const
{
    if (undoSteps.empty())
        return std::nullopt;
    return undoSteps.back().first;
}

std::optional<GameEvent> Game::nextRedo() const
{
    if (redoSteps.empty())
        return std::nullopt;
    return redoSteps.back().first;
}
