// SPDX-License-Identifier: GPL-3.0-or-later
// Keys become commands: the command keys through their table, the console keys, and typing,
// where an entry becomes one command when it is committed.
#include "game.h"
#include "keycodes.h"

#include <array>

using namespace fieldlimits;

namespace {

constexpr int16_t letter(char c)
{
    return static_cast<int16_t>(vk::KeyA + (c - 'A'));
}

// The assignable command keys, in the order that decides when two share a key.
struct CommandKey
{
    int16_t SettingVariables::*key;
    CommandKind command;
};
constexpr std::array<CommandKey, 5> CommandKeys = {{
    {&SettingVariables::StartStopClockKey, CommandKind::StartStop},
    {&SettingVariables::ResetClockKey, CommandKind::Reset},
    {&SettingVariables::ClockSwitchKey, CommandKind::ClockSwitch},
    {&SettingVariables::BuzzerKey, CommandKind::Buzzer},
    {&SettingVariables::HornKey, CommandKind::Horn},
}};

// With Ctrl: one more goal for a team.
struct GoalKey
{
    int16_t key;
    Team team;
};
constexpr std::array<GoalKey, 2> GoalKeys = {
    {{letter('H'), Team::Home}, {letter('V'), Team::Visitor}}};
constexpr int16_t NextPeriodKey = letter('P');
constexpr int16_t UndoKey = letter('Z');
constexpr int16_t RedoKey = letter('Y');

// On a penalty time: a time at once, as if typed and entered.
struct PresetKey
{
    int16_t key;
    int seconds;
};
constexpr std::array<PresetKey, 3> PresetKeys = {{{vk::F5, 120}, {vk::F6, 240}, {vk::F7, 300}}};

// On the goal indicator.
struct LampKey
{
    int16_t key;
    GoalLamp lamp;
};
constexpr std::array<LampKey, 3> LampKeys = {
    {{vk::Left, GoalLamp::Home}, {vk::Right, GoalLamp::Visitor}, {vk::Down, GoalLamp::None}}};

} // namespace

int16_t Game::entryCharacter(int16_t KeyCode, int16_t ClearKey)
{
    if (KeyCode == vk::Space)
        return entry::Space;
    if (KeyCode == vk::Enter)
        return entry::Enter;
    if (KeyCode == ClearKey)
        return 0;
    if (KeyCode >= vk::Key0 && KeyCode <= vk::Key0 + 9)
        return KeyCode;
    if (KeyCode >= vk::Numpad0 && KeyCode <= vk::Numpad0 + 9)
        return static_cast<int16_t>(KeyCode - vk::Numpad0 + '0');
    if (KeyCode == vk::Add || KeyCode == vk::Plus)
        return '+';
    if (KeyCode == vk::Subtract || KeyCode == vk::Minus)
        return '-';
    if (KeyCode == vk::Decimal || KeyCode == vk::Period)
        return entry::Point;
    return -1;
}

int16_t Game::entryCharacter(int16_t KeyCode) const
{
    return entryCharacter(KeyCode, config.ClearKey);
}

std::optional<CommandKind> Game::commandKeyOf(const SettingVariables& keys, int16_t KeyCode)
{
    for (const CommandKey& k : CommandKeys)
        if (KeyCode == keys.*k.key)
            return k.command;
    return std::nullopt;
}

std::vector<std::pair<int16_t, CommandKind>> Game::commandKeys(const SettingVariables& keys)
{
    std::vector<std::pair<int16_t, CommandKind>> out;
    for (const CommandKey& k : CommandKeys)
        out.emplace_back(keys.*k.key, k.command);
    return out;
}

bool Game::AllKeyCode(int16_t KeyCode, const CommandSource& source)
{
    if (const auto command = commandKeyOf(config, KeyCode)) {
        run(Command::of(*command), source);
        return true;
    }
    if (KeyCode == vk::F1)
        Q_EMIT helpRequested(source);
    else if (KeyCode == vk::F2)
        Q_EMIT optionsRequested(source);
    else
        return false;
    return true;
}

void Game::AllKeyUp(int16_t KeyCode)
{
    if (KeyCode == vk::NumLock)
        Q_EMIT numLockDue();
}

void Game::keyDown(int16_t KeyCode, KeyModifiers modifiers, std::optional<Field> on,
                   const CommandSource& source)
{
    if (consoleKey(KeyCode, modifiers, on, source))
        return;
    if (on)
        fieldKeyDown(*on, KeyCode, source);
    else
        AllKeyCode(KeyCode, source);
}

bool Game::isCommandKey(int16_t KeyCode) const
{
    const SettingVariables& s = config;
    return KeyCode == s.StartStopClockKey || KeyCode == s.ResetClockKey ||
           KeyCode == s.ClockSwitchKey || KeyCode == s.BuzzerKey || KeyCode == s.HornKey ||
           KeyCode == s.ClearKey || KeyCode == s.SepTimeKey;
}

bool Game::consoleKey(int16_t KeyCode, KeyModifiers modifiers, std::optional<Field> on,
                      const CommandSource& source)
{
    // A modifier key is never its own modifier: Ctrl's own press carries Ctrl, and a command
    // put on Ctrl must still be that command.
    if (KeyCode == vk::Ctrl)
        modifiers.ctrl = false;
    if (KeyCode == vk::Shift)
        modifiers.shift = false;
    if (modifiers.ctrl) {
        if (KeyCode == UndoKey || KeyCode == RedoKey) {
            const bool undo = KeyCode == UndoKey && !modifiers.shift;
            run(Command::of(undo ? CommandKind::Undo : CommandKind::Redo), source);
            return true;
        }
        for (const GoalKey& g : GoalKeys) {
            if (KeyCode == g.key) {
                run(Command::forTeam(CommandKind::Goal, g.team), source);
                return true;
            }
        }
        if (KeyCode == NextPeriodKey)
            run(Command::setPeriod(static_cast<int16_t>(game.period + 1)), source);
        else if (KeyCode == config.StartStopClockKey)
            run(Command::of(CommandKind::GameClockAlone), source);
        else
            return false;
        return true;
    }
    // Without Ctrl, a command key keeps its command.
    if (isCommandKey(KeyCode))
        return false;
    if (KeyCode == vk::F3) {
        Q_EMIT waitingRequested(source);
        return true;
    }
    if (KeyCode == vk::F4) {
        Q_EMIT consoleRequested(source);
        return true;
    }
    const Field field = on.value_or(game.selected);
    const FieldInfo& info = fieldInfo(field);
    for (const PresetKey& p : PresetKeys) {
        if (KeyCode == p.key && info.kind == FieldKind::PenaltyTime) {
            game.TimeBuffer = TypedText{QString(), index(field)};
            run(Command::setPenalty(teamOf(info.penaltyClock), slotOf(info.penaltyClock),
                                    std::nullopt, ClockValue::whole(p.seconds)),
                source);
            Q_EMIT changed();
            return true;
        }
    }
    return false;
}

bool Game::enterOnlyRanACommand(bool command, int16_t KeyCode, Field f) const
{
    // A command key put on Enter also reaches the time entry as Enter. With nothing typed
    // that would commit an empty time, 0:00, over the clock or the penalty; with digits
    // typed, Enter still commits them.
    const bool nothingTyped = game.TimeBuffer.row != index(f) || game.TimeBuffer.text.isEmpty();
    return command && KeyCode == vk::Enter && nothingTyped;
}

bool Game::ignoredByEntry(int16_t KeyCode) const
{
    // Shift, Ctrl or Alt pressed on its own is half of a key combination (Shift+Tab), not
    // typing: it must not discard what was typed into another field. A modifier that is
    // the clear key still clears.
    const bool modifier = KeyCode == vk::Shift || KeyCode == vk::Ctrl || KeyCode == vk::Alt;
    return modifier && entryCharacter(KeyCode) == -1;
}

void Game::fieldKeyDown(Field f, int16_t KeyCode, const CommandSource& source)
{
    const FieldInfo& info = fieldInfo(f);
    switch (info.kind) {
    case FieldKind::Clock: {
        const bool command = AllKeyCode(KeyCode, source);
        if (!ignoredByEntry(KeyCode) && !enterOnlyRanACommand(command, KeyCode, f))
            typeGameTime(entryCharacter(KeyCode), source);
        break;
    }
    case FieldKind::Number:
        AllKeyCode(KeyCode, source);
        if (!ignoredByEntry(KeyCode))
            typeNumber(f, entryCharacter(KeyCode), source);
        break;
    case FieldKind::Goal:
        AllKeyCode(KeyCode, source);
        for (const LampKey& k : LampKeys)
            if (KeyCode == k.key)
                run(Command::setGoalLamp(k.lamp), source);
        break;
    case FieldKind::PenaltyPlayer:
        if (KeyCode == config.ClearKey)
            run(Command::penaltyCommand(CommandKind::ClearPenalty, teamOf(info.penaltyClock),
                                        slotOf(info.penaltyClock)),
                source);
        AllKeyCode(KeyCode, source);
        if (!ignoredByEntry(KeyCode))
            typeNumber(f, entryCharacter(KeyCode), source);
        break;
    case FieldKind::PenaltyTime:
        penaltyTimeKeyDown(info.penaltyClock, KeyCode, source);
        break;
    }
    Q_EMIT changed();
}

std::optional<Command> Game::numberCommand(Field f, int16_t value)
{
    switch (f) {
    case Field::Home:
    case Field::Visitor:
        return Command::setScore(f == Field::Home ? Team::Home : Team::Visitor, value);
    case Field::ShotsHome:
    case Field::ShotsVisitor:
        return Command::setShots(f == Field::ShotsHome ? Team::Home : Team::Visitor, value);
    case Field::Period:
        return Command::setPeriod(value);
    default:
        break;
    }
    const FieldInfo& info = fieldInfo(f);
    if (info.kind != FieldKind::PenaltyPlayer)
        return std::nullopt;
    return Command::setPenalty(teamOf(info.penaltyClock), slotOf(info.penaltyClock), value,
                               std::nullopt);
}

void Game::typeNumber(Field f, int16_t Character, const CommandSource& source)
{
    const FieldInfo& info = fieldInfo(f);
    QString& typed = game.EntryBuffer.text;
    // A committed entry outside the field's range is let go: the field keeps its number.
    auto commit = [&](const QString& text) {
        const auto value = enteredNumber(text, game.number(f));
        if (value && *value >= info.minValue && *value <= info.maxValue)
            if (const auto command = numberCommand(f, static_cast<int16_t>(*value)))
                run(*command, source);
    };
    auto apply = [&] {
        commit(typed);
        typed.clear();
    };
    if (index(f) != game.EntryBuffer.row) {
        typed.clear();
        game.EntryBuffer.row = index(f);
    }
    if (Character >= '0' && Character <= '9')
        typed += QChar(Character);
    if (Character == '+' || Character == '-')
        typed += QChar(Character);
    if (Character == entry::Space)
        typed.clear();
    // The clear key blanks the number and leaves what was typed.
    if (Character == 0)
        commit(QString(QChar(0)));

    const bool signedText =
        typed.startsWith(QLatin1Char('+')) || typed.startsWith(QLatin1Char('-'));
    if (info.digits == 1 && !signedText)
        apply();
    if (typed.size() >= 2 && signedText && typed[1].isDigit())
        apply();
    if (Character == entry::Enter)
        apply();
}

void Game::typeGameTime(int16_t Character, const CommandSource& source)
{
    const ClockValue v = TypeTime(game.TimeBuffer, index(Field::Time), Character, GameTimeLimit);
    if (v != NoTime)
        run(Command::setClock(v), source);
}

void Game::penaltyTimeKeyDown(int clock, int16_t KeyCode, const CommandSource& source)
{
    const Team team = teamOf(clock);
    const int slot = slotOf(clock);
    if (KeyCode == config.ClearKey)
        run(Command::penaltyCommand(CommandKind::ClearPenalty, team, slot), source);
    const bool command =
        AllKeyCode(KeyCode, source) || KeyCode == config.ClearKey || KeyCode == config.SepTimeKey;
    const int16_t c = entryCharacter(KeyCode);
    if (KeyCode == config.SepTimeKey)
        run(Command::penaltyCommand(CommandKind::PenaltyClock, team, slot), source);
    const Field time = penaltySlot(clock).time;
    if (ignoredByEntry(KeyCode) || enterOnlyRanACommand(command, KeyCode, time))
        return;
    const ClockValue typed = TypeTime(game.TimeBuffer, index(time), c, PenaltyTimeLimit);
    if (typed == NoTime)
        return;
    // Penalties are whole seconds: 2.055 (125.5 s) becomes 126.
    run(Command::setPenalty(team, slot, std::nullopt, ClockValue::whole(typed.roundedHalfEven())),
        source);
}
