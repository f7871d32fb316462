// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "boardformat.h"
#include "faketime.h"
#include "game.h"
#include "keycodes.h"

#include <QStringList>
#include <QTest>
#include <functional>
#include <memory>

// Lets QCOMPARE print clock values.
inline char* toString(const Fixed4& v)
{
    return qstrdup(v.toText().toLatin1().constData());
}

// A number row leftmost digit first, "-" for a dark cell: "-12", "---".
inline QString digitsOf(const DigitRow& row)
{
    QString text;
    for (int k = row.size(); k-- > 0;)
        text += row[k] < 0 ? QChar('-') : QChar('0' + row[k]);
    return text;
}

// The clock row as it reads, ':' or '.' after its second cell: "10:00", "-1:05", "59.9-".
inline QString clockFace(const DigitRow& row, bool colon)
{
    QString text;
    for (int k = 0; k < row.size(); ++k) {
        if (k == 2)
            text += colon ? ':' : '.';
        text += row[k] < 0 ? QChar('-') : QChar('0' + row[k]);
    }
    return text;
}

// A new game on default settings (changed by `setup`), time standing still until told, and
// the effects the game asks for recorded by name.
struct GameFixture
{
    FakeTime time;
    SettingVariables settings;
    std::unique_ptr<Game> game;
    QStringList effects; // "buzzer", "horn", "help", "options", "numlock"

    explicit GameFixture(const std::function<void(SettingVariables&)>& setup = {})
    {
        time.setMonotonic(1000, 0);
        if (setup)
            setup(settings);
        game = std::make_unique<Game>(settings);
        game->setSoundsAvailable(true, true);
        Game* g = game.get();
        QObject::connect(g, &Game::playBuzzer, [this] { effects << QStringLiteral("buzzer"); });
        QObject::connect(g, &Game::playHorn, [this] { effects << QStringLiteral("horn"); });
        QObject::connect(g, &Game::helpRequested, [this] { effects << QStringLiteral("help"); });
        QObject::connect(g, &Game::optionsRequested,
                         [this] { effects << QStringLiteral("options"); });
        QObject::connect(g, &Game::numLockDue, [this] { effects << QStringLiteral("numlock"); });
    }

    Game& g() { return *game; }
    const GameState& s() const { return game->state(); }

    void key(Field f, int code) { game->keyDown(static_cast<int16_t>(code), {}, f); }
    // A key that reaches no field, with or without Ctrl and Shift.
    void console(int code, bool ctrl = false, bool shift = false)
    {
        game->keyDown(static_cast<int16_t>(code), {ctrl, shift}, std::nullopt);
    }
    CommandResult run(const Command& c, const CommandSource& from = CommandSource::keyboard())
    {
        return game->run(c, from);
    }
    bool undo() { return run(Command::of(CommandKind::Undo)).ok; }
    bool redo() { return run(Command::of(CommandKind::Redo)).ok; }
    bool addWaiting(Team t, int player, int seconds)
    {
        return run(Command::addWaiting(t, static_cast<int16_t>(player), ClockValue::whole(seconds)),
                   CommandSource::window(QStringLiteral("waiting")))
            .ok;
    }
    // Types characters ("17", "1.30", "+3", " " for Space, "\n" for Enter) on a field.
    void type(Field f, const char* keys)
    {
        static const int16_t signs[] = {vk::NoKey, vk::Period, vk::Plus,
                                        vk::Minus, vk::Space,  vk::Enter};
        for (const char* c = keys; *c; ++c)
            key(f, *c >= '0' && *c <= '9' ? vk::Key0 + (*c - '0')
                                          : signs[QByteArrayView(".+- \n").indexOf(*c) + 1]);
    }

    // Moves time on by 100 ms `n` times, each time running a tick if the board's timer is on.
    void tick(int n = 1)
    {
        for (int i = 0; i < n; ++i) {
            time.advanceMs(100);
            if (s().tickEnabled())
                game->tick();
        }
    }

    // What a clock reads now (reading a copy leaves the game as it is).
    ClockValue clock(int i) const
    {
        ClockTable copy = s().clocks;
        return copy.ReadClock(i);
    }
    bool allRunning(bool running) const
    {
        for (int i = 0; i < ClockCount; ++i)
            if (s().clocks.IsRunning(i) != running)
                return false;
        return true;
    }
    QString shown(Field f) const { return digitsOf(fieldRow(s(), f)); }
    QString clockText() const
    {
        return clockFace(fieldRow(s(), Field::Time), clockColon(s().face));
    }
    // The kinds of the record's entries, in order.
    QStringList recorded() const
    {
        QStringList kinds;
        for (const GameEvent& e : game->record().events())
            kinds << QLatin1String(eventKindName(e.kind));
        return kinds;
    }
};
