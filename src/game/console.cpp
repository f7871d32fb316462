// SPDX-License-Identifier: GPL-3.0-or-later
// The console functions: one-key goals and period, penalty presets, the game clock alone,
// waiting penalties, and undo and redo of the operator's changes.
#include "clockfaces.h"
#include "game.h"
#include "keycodes.h"

namespace {

constexpr int16_t KeyH = vk::KeyA + ('H' - 'A');
constexpr int16_t KeyP = vk::KeyA + ('P' - 'A');
constexpr int16_t KeyV = vk::KeyA + ('V' - 'A');
constexpr int16_t KeyY = vk::KeyA + ('Y' - 'A');
constexpr int16_t KeyZ = vk::KeyA + ('Z' - 'A');

// A set clock has a new preset, or its used time went back to nothing; starting, stopping
// and time passing only ever add to the used time.
bool clockWasSet(const ClockRecord& before, const ClockRecord& after)
{
    return before.Preset != after.Preset || after.Used < before.Used;
}

std::array<ClockValue, ClockCount> readAll(ClockTable clocks)
{
    std::array<ClockValue, ClockCount> r{};
    for (int i = 0; i < ClockCount; ++i)
        r[static_cast<size_t>(i)] = clocks.ReadClock(i);
    return r;
}

} // namespace

Game::Action::Action(Game& game) : g(game), outermost(g.actionDepth++ == 0)
{
    if (outermost) {
        before = g.game;
        readings = readAll(g.game.clocks);
    }
}

Game::Action::~Action()
{
    --g.actionDepth;
    if (outermost)
        g.record(before, readings);
}

void Game::record(const GameState& before, const std::array<ClockValue, ClockCount>& readings)
{
    Change c;
    for (int i = 0; i < FieldCount; ++i) {
        const auto f = static_cast<Field>(i);
        // The clock field follows the game clock, which is recorded below.
        if (f != Field::Time && before.row(f) != game.row(f))
            c.rows.push_back({f, before.row(f), game.row(f)});
    }
    const auto now = readAll(game.clocks);
    for (int i = 0; i < ClockCount; ++i)
        if (clockWasSet(before.clocks.record(i), game.clocks.record(i)))
            c.clocks.push_back({i, readings[static_cast<size_t>(i)], now[static_cast<size_t>(i)]});
    c.resetBefore = before.ClockReset;
    c.resetAfter = game.ClockReset;
    c.lampBefore = before.WhoGoal;
    c.lampAfter = game.WhoGoal;
    c.waitingBefore = before.waiting;
    c.waitingAfter = game.waiting;
    if (c.rows.empty() && c.clocks.empty() && c.resetBefore == c.resetAfter &&
        c.lampBefore == c.lampAfter && c.waitingBefore == c.waitingAfter)
        return;
    undoSteps.push_back(std::move(c));
    if (undoSteps.size() > UndoSteps)
        undoSteps.pop_front();
    redoSteps.clear();
}

void Game::showClockRow(int clock)
{
    const ClockValue v = game.clocks.ReadClock(clock);
    if (clock == GameClock) {
        if (!game.ClockTime)
            ShowClock(v, game.row(Field::Time), game.clockColon);
        game.BuzzedAtZero = v <= ClockValue();
        return;
    }
    DigitRow& row = game.row(penaltySlot(clock).time);
    if (row[0] != DigitRow::Blank)
        DisplayTime(row, v);
}

void Game::apply(const Change& c, bool backwards)
{
    for (const Change::Row& r : c.rows)
        game.row(r.field) = backwards ? r.before : r.after;
    for (const Change::Clock& k : c.clocks) {
        // The value comes back; whether the clock runs stays as it is. With the tick off (the
        // game clock at zero) every clock stands still, and so does this one.
        const bool running = game.clocks.IsRunning(k.clock) && game.tickEnabled;
        if (running)
            StopClockCounting(k.clock);
        game.clocks.SetClock(backwards ? k.before : k.after, k.clock);
        if (running)
            game.clocks.StartClock(k.clock);
        showClockRow(k.clock);
    }
    game.ClockReset = backwards ? c.resetBefore : c.resetAfter;
    game.WhoGoal = backwards ? c.lampBefore : c.lampAfter;
    game.waiting = backwards ? c.waitingBefore : c.waitingAfter;
    game.TimeBuffer = TypedText();
    game.EntryBuffer = TypedText();
    Penalty();
    Q_EMIT changed();
}

bool Game::undo()
{
    if (undoSteps.empty())
        return false;
    apply(undoSteps.back(), true);
    redoSteps.push_back(std::move(undoSteps.back()));
    undoSteps.pop_back();
    return true;
}

bool Game::redo()
{
    if (redoSteps.empty())
        return false;
    apply(redoSteps.back(), false);
    undoSteps.push_back(std::move(redoSteps.back()));
    redoSteps.pop_back();
    return true;
}

bool Game::isCommandKey(int16_t KeyCode) const
{
    const SettingVariables& s = config;
    return KeyCode == s.StartStopClockKey || KeyCode == s.ResetClockKey ||
           KeyCode == s.ClockSwitchKey || KeyCode == s.BuzzerKey || KeyCode == s.HornKey ||
           KeyCode == s.ClearKey || KeyCode == s.SepTimeKey;
}

bool Game::consoleKey(int16_t KeyCode, bool ctrl, bool shift, std::optional<Field> on)
{
    if (ctrl && (KeyCode == KeyZ || KeyCode == KeyY)) {
        if (KeyCode == KeyZ && !shift)
            undo();
        else
            redo();
        return true;
    }
    Action action(*this);
    if (ctrl) {
        if (KeyCode == KeyH || KeyCode == KeyV)
            scoreGoal(KeyCode == KeyH ? Team::Home : Team::Visitor);
        else if (KeyCode == KeyP)
            ShowDigits(game.row(Field::Period), QStringLiteral("+1"), 0, fieldlimits::PeriodMax);
        else if (KeyCode == config.StartStopClockKey)
            gameClockAlone();
        else
            return false;
        Q_EMIT changed();
        return true;
    }
    if (isCommandKey(KeyCode))
        return false;
    if (KeyCode == vk::F3) {
        Q_EMIT waitingRequested();
        return true;
    }
    static constexpr std::pair<int16_t, int> Presets[] = {
        {vk::F5, 120}, {vk::F6, 240}, {vk::F7, 300}};
    const Field field = on.value_or(game.selected);
    const FieldInfo& selected = fieldInfo(field);
    for (const auto& [key, seconds] : Presets) {
        if (KeyCode == key && selected.kind == FieldKind::PenaltyTime) {
            game.TimeBuffer = TypedText{QString(), index(field)};
            setPenaltyTime(selected.penaltyClock, ClockValue::whole(seconds));
            Q_EMIT changed();
            return true;
        }
    }
    return false;
}

void Game::scoreGoal(Team team)
{
    const Field f = team == Team::Home ? Field::Home : Field::Visitor;
    const FieldInfo& info = fieldInfo(f);
    ShowDigits(game.row(f), QStringLiteral("+1"), info.minValue, info.maxValue);
    game.WhoGoal = team == Team::Home ? GoalLamp::Home : GoalLamp::Visitor;
}

void Game::gameClockAlone()
{
    game.ClockTime = false;
    if (game.clocks.IsRunning(GameClock)) {
        StopClockCounting(GameClock);
    } else {
        game.clocks.StartClock(GameClock);
        enableTick(true);
    }
}

void Game::setPenaltyTime(int clock, ClockValue v)
{
    game.clocks.SetClock(v, clock);
    DisplayTime(game.row(penaltySlot(clock).time), game.clocks.ReadClock(clock));
    Penalty();
}

bool Game::addWaitingPenalty(Team team, int16_t player, ClockValue time)
{
    WaitingList& list = game.waiting[static_cast<size_t>(team)];
    if (player < -1 || player > fieldlimits::CountMax || time <= ClockValue() ||
        time > ClockValue::whole(fieldlimits::PenaltyTimeLimit) ||
        time != ClockValue::whole(time.wholePart()) || list.size() >= MaxWaiting)
        return false;
    Action action(*this);
    list.push_back({player, time});
    Q_EMIT changed();
    return true;
}

void Game::removeWaitingPenalty(Team team, int index)
{
    WaitingList& list = game.waiting[static_cast<size_t>(team)];
    if (index < 0 || index >= static_cast<int>(list.size()))
        return;
    Action action(*this);
    list.erase(list.begin() + index);
    Q_EMIT changed();
}

bool Game::takeWaitingPenalty(int clock)
{
    WaitingList& list = game.waiting[static_cast<size_t>(teamOf(clock))];
    if (list.empty())
        return false;
    const WaitingPenalty next = list.front();
    list.erase(list.begin());
    const PenaltySlot& slot = penaltySlot(clock);
    const FieldInfo& player = fieldInfo(slot.player);
    ShowDigits(game.row(slot.player),
               next.player < 0 ? QString(QChar(0)) : QString::number(next.player), player.minValue,
               player.maxValue);
    setPenaltyTime(clock, next.time);
    if (game.clocks.IsRunning(GameClock))
        game.clocks.StartClock(clock);
    return true;
}
