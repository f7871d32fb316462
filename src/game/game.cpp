// SPDX-License-Identifier: GPL-3.0-or-later
#include "game.h"

#include "clockfaces.h"
#include "keycodes.h"

namespace {

constexpr ClockValue NewGameTime = ClockValue::whole(600);

} // namespace

GameState::GameState()
{
    for (int i = 0; i < FieldCount; ++i)
        rows[static_cast<size_t>(i)] = DigitRow(FieldTable[static_cast<size_t>(i)].digits);
    // A new board shows 0 for the scores, the shots and the period.
    for (Field f :
         {Field::Home, Field::Visitor, Field::ShotsHome, Field::Period, Field::ShotsVisitor})
        row(f).set(0, 0);
}

Game::Game(const SettingVariables& settings, QObject* parent) : QObject(parent), config(settings)
{
    game.ClockReset = NewGameTime;
    game.clocks.SetClock(game.ClockReset, GameClock);
    ShowClock(NewGameTime, game.row(Field::Time), game.clockColon);
    Penalty();
    game.tickEnabled = true;
}

void Game::setSettings(const SettingVariables& settings)
{
    config = settings;
    Penalty();
    Q_EMIT changed();
}

void Game::setSoundsAvailable(bool buzzer, bool horn)
{
    buzzerAvailable = buzzer;
    hornAvailable = horn;
}

bool Game::AllKeyCode(int16_t KeyCode)
{
    Action action(*this);
    const SettingVariables& s = config;
    // First match only: when two commands share a key, this order decides.
    if (KeyCode == s.StartStopClockKey)
        StartStopCommand();
    else if (KeyCode == s.ResetClockKey)
        ResetCommand();
    else if (KeyCode == s.ClockSwitchKey)
        game.ClockTime = !game.ClockTime;
    else if (KeyCode == s.BuzzerKey)
        Buzzer();
    else if (KeyCode == s.HornKey)
        Horn();
    else if (KeyCode == vk::F1)
        Q_EMIT helpRequested();
    else if (KeyCode == vk::F2)
        Q_EMIT optionsRequested();
    else
        return false;
    Q_EMIT changed();
    return true;
}

void Game::AllKeyUp(int16_t KeyCode)
{
    if (KeyCode == vk::NumLock)
        Q_EMIT numLockDue();
}

int16_t Game::KeyCodeToAsci(int16_t KeyCode, int16_t ClearKey)
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
    return KeyCodeToAsci(KeyCode, config.ClearKey);
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

void Game::fieldKeyDown(Field f, int16_t KeyCode)
{
    Action action(*this);
    const FieldInfo& info = fieldInfo(f);
    switch (info.kind) {
    case FieldKind::Clock: {
        const bool command = AllKeyCode(KeyCode);
        if (!ignoredByEntry(KeyCode) && !enterOnlyRanACommand(command, KeyCode, f))
            TypeGameTime(entryCharacter(KeyCode));
        break;
    }
    case FieldKind::Number:
        AllKeyCode(KeyCode);
        if (!ignoredByEntry(KeyCode))
            EnterDigits(f, entryCharacter(KeyCode));
        break;
    case FieldKind::Goal:
        AllKeyCode(KeyCode);
        if (KeyCode == vk::Left)
            game.WhoGoal = GoalLamp::Home;
        else if (KeyCode == vk::Right)
            game.WhoGoal = GoalLamp::Visitor;
        else if (KeyCode == vk::Down)
            game.WhoGoal = GoalLamp::None;
        break;
    case FieldKind::PenaltyPlayer:
        if (KeyCode == config.ClearKey)
            ClearPenalty(info.penaltyClock);
        AllKeyCode(KeyCode);
        if (!ignoredByEntry(KeyCode))
            EnterDigits(f, entryCharacter(KeyCode));
        break;
    case FieldKind::PenaltyTime:
        PenaltyTimeKeyDown(info.penaltyClock, KeyCode);
        break;
    }
    Q_EMIT changed();
}

void Game::EnterDigits(Field f, int16_t Character)
{
    const FieldInfo& info = fieldInfo(f);
    DigitRow& digits = game.row(f);
    QString& typed = game.EntryBuffer.text;
    auto apply = [&] {
        ShowDigits(digits, typed, info.minValue, info.maxValue);
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
    if (Character == 0)
        ShowDigits(digits, QString(QChar(0)), info.minValue, info.maxValue);

    const bool signedText =
        typed.startsWith(QLatin1Char('+')) || typed.startsWith(QLatin1Char('-'));
    if (digits.size() == 1 && !signedText)
        apply();
    if (typed.size() >= 2 && signedText && typed[1].isDigit())
        apply();
    if (Character == entry::Enter)
        apply();
}

void Game::toggleGoalLamp(GoalLamp lamp)
{
    Action action(*this);
    game.WhoGoal = game.WhoGoal == lamp ? GoalLamp::None : lamp;
    Q_EMIT changed();
}

void Game::select(Field f)
{
    game.selected = f;
    Q_EMIT changed();
}

void Game::Buzzer()
{
    if (buzzerAvailable && !game.BuzzerPlaying) {
        game.BuzzerPlaying = true;
        Q_EMIT playBuzzer();
    }
}

void Game::Horn()
{
    if (hornAvailable && !game.BuzzerPlaying) {
        game.BuzzerPlaying = true;
        Q_EMIT playHorn();
    }
}

void Game::soundDone()
{
    game.BuzzerPlaying = false;
    Q_EMIT changed();
}
