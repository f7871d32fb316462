// SPDX-License-Identifier: GPL-3.0-or-later
#include "gamefixture.h"
#include "testmain.h"

#include <QSignalSpy>

// The game as the operator drives it, without a window: keys, ticks, sounds and the console.
class TestGame : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void theGameClock()
    {
        GameFixture f;
        f.type(Field::PenaltyTH1, "2\n");
        f.key(Field::Goal, 'S'); // from any field
        QVERIFY(f.allRunning(true));
        f.tick(25);
        f.key(Field::PenaltyTV2, 'S');
        QVERIFY(f.allRunning(false));
        QVERIFY(f.s().tickEnabled()); // stopping keeps the displays current
        f.tick(3);
        QCOMPARE(f.clockText(), QStringLiteral("-9:58")); // 597.5 s, rounded up
        QVERIFY(f.g().AllKeyCode('S'));                   // keys that reach no field
        QVERIFY(!f.g().AllKeyCode('Q'));
        f.tick(10);
        QCOMPARE(f.clock(GameClock), ClockValue::tenths(5965));

        // At zero the buzzer sounds once, the tick stops, and so does a penalty alongside.
        f.type(Field::Time, "0.010\n"); // one second
        f.key(Field::Time, 'S');
        f.tick(9);
        QVERIFY(f.effects.isEmpty());
        f.tick();
        QCOMPARE(f.clockText(), QStringLiteral("-0.0-"));
        QVERIFY(!f.s().tickEnabled());
        QCOMPARE(f.effects, QStringList{QStringLiteral("buzzer")});
        QCOMPARE(f.clock(1), ClockValue::tenths(1155));

        // Later ticks come only from a command; the penalty stands still meanwhile.
        f.g().soundDone();
        f.time.advanceMs(5000);
        f.key(Field::Time, 'S'); // the clocks kept running at zero: this stops them
        QVERIFY(!f.s().tickEnabled());
        QVERIFY(f.allRunning(false));
        QCOMPARE(f.clock(1), ClockValue::tenths(1155));
        f.key(Field::Time, 'S'); // starts them: one more tick, no second buzzer
        QVERIFY(f.s().tickEnabled());
        f.tick();
        QVERIFY(!f.s().tickEnabled());
        QCOMPARE(f.effects.size(), 1);

        // Reset stops every clock and shows the reset time at once; penalties keep theirs.
        const ClockValue penalty = f.clock(1);
        f.key(Field::Time, 'R');
        QVERIFY(f.allRunning(false));
        QCOMPARE(f.clockText(), QStringLiteral("-1.0-"));
        QCOMPARE(f.clock(1), penalty);
        f.key(Field::Time, 'R');
        QVERIFY(f.allRunning(false)); // nothing starts
        f.key(Field::Time, 'S');
        f.tick(10);
        QCOMPARE(f.effects.size(), 2); // a new arrival at zero sounds again

        // The penalty's own key starts it, but the tick finds the game clock out and stops.
        f.key(Field::Time, 'S');
        f.key(Field::PenaltyTH1, 'I');
        QVERIFY(f.s().tickEnabled());
        f.tick();
        QVERIFY(!f.s().tickEnabled());
        f.key(Field::Time, 'C'); // the time of day waits for a tick that does not come
        f.tick();
        QCOMPARE(f.clockText(), QStringLiteral("-0.0-"));

        // One sound at a time: another is dropped, not queued.
        f.g().soundDone();
        f.key(Field::Time, 'B');
        f.key(Field::Time, 'B');
        f.key(Field::Time, 'G');
        QCOMPARE(f.effects.size(), 3);
        f.g().soundDone();
        f.key(Field::Time, 'G');
        QCOMPARE(f.effects.last(), QStringLiteral("horn"));
        // With the horn playing when the clock reaches zero, that zero's buzzer is lost.
        f.key(Field::Time, 'R');
        f.key(Field::Time, 'S');
        f.tick(10);
        QCOMPARE(f.effects.size(), 4);
        QCOMPARE(f.s().clockState, ClockState::Halted);
        // A player without a file plays nothing and holds no turn.
        f.g().soundDone();
        f.g().setSoundsAvailable(false, true);
        f.key(Field::Time, 'B');
        QCOMPARE(f.s().sounding, Sound::None);
        f.key(Field::Time, 'G');
        QCOMPARE(f.effects.size(), 5);
    }

    void clockSwitchTypedTimesAndNewKeys()
    {
        GameFixture f;
        f.time.local = QDateTime(QDate(2026, 3, 29), QTime(0, 5));
        f.key(Field::Time, 'C');
        QCOMPARE(f.clockText(), QStringLiteral("10:00")); // shows at the next tick
        f.tick();
        QCOMPARE(f.clockText(), QStringLiteral("-0:05"));
        f.key(Field::Time, 'C');
        f.tick();
        QCOMPARE(f.clockText(), QStringLiteral("10:00"));
        QVERIFY(!f.s().clocks.IsRunning(GameClock)); // switching starts no clock
        f.key(Field::Time, 'C');
        f.key(Field::Time, 'R'); // reset returns to the game clock
        QVERIFY(!f.s().ClockTime);
        f.key(Field::Time, 'C');
        f.key(Field::Time, 'S'); // and so does start/stop
        QVERIFY(!f.s().ClockTime);

        f.tick(30);
        f.key(Field::Time, 'C'); // a typed time while running returns to the game
        f.type(Field::Time, "2.00\n");
        QVERIFY(f.allRunning(false));
        QVERIFY(!f.s().ClockTime);
        QCOMPARE(f.clockText(), QStringLiteral("-2:00"));
        QCOMPARE(f.s().ClockReset, ClockValue::whole(120));
        f.type(Field::Time, "100\n"); // more than 99 minutes: refused
        QCOMPARE(f.clockText(), QStringLiteral("-2:00"));

        // New settings act at once; on a shared key start/stop and reset come first.
        QSignalSpy changed(&f.g(), &Game::changed);
        SettingVariables s = f.settings;
        s.ClockSwitchKey = s.StartStopClockKey;
        s.BuzzerKey = s.ResetClockKey;
        f.g().setSettings(s);
        QCOMPARE(changed.size(), 1);
        f.key(Field::Time, 'C');
        QVERIFY(!f.s().ClockTime);
        f.key(Field::Time, 'S');
        QVERIFY(f.allRunning(true));
        QVERIFY(!f.s().ClockTime);
        f.key(Field::Time, 'R');
        QVERIFY(f.allRunning(false));
        QVERIFY(f.effects.isEmpty());
        f.key(Field::Home, vk::F1);
        f.key(Field::Home, vk::F2);
        f.g().AllKeyUp(vk::NumLock);
        f.g().AllKeyUp(vk::Shift);
        QCOMPARE(f.effects, QStringList({"help", "options", "numlock"}));
    }

    // A command on Enter runs, typing still goes in, and no empty time (0:00) is committed.
    void commandOnEnter_data()
    {
        QTest::addColumn<int>("which");
        int i = 0;
        for (const char* name :
             {"start/stop", "reset", "clock switch", "buzzer", "horn", "penalty clock", "clear"})
            QTest::newRow(name) << i++;
    }
    void commandOnEnter()
    {
        QFETCH(int, which);
        static constexpr int16_t SettingVariables::*Keys[] = {
            &SettingVariables::StartStopClockKey, &SettingVariables::ResetClockKey,
            &SettingVariables::ClockSwitchKey,    &SettingVariables::BuzzerKey,
            &SettingVariables::HornKey,           &SettingVariables::SepTimeKey,
            &SettingVariables::ClearKey};
        GameFixture f([&](SettingVariables& s) { s.*Keys[which] = vk::Enter; });
        f.type(Field::Home, "12\n");
        QCOMPARE(f.shown(Field::Home), QStringLiteral("-12"));
        QCOMPARE(f.effects.contains(QStringLiteral("horn")), which == 4);
        f.type(Field::Time, "20\n");
        f.type(Field::PenaltyTH1, "2\n");
        QCOMPARE(f.clock(1), ClockValue::whole(120));
        if (which < 5) // the penalty clock and clear keys act on penalties only
            f.key(Field::Time, vk::Enter);
        QCOMPARE(f.s().ClockReset, ClockValue::whole(1200));
        QCOMPARE(f.clock(GameClock), ClockValue::whole(1200));
        // On a penalty the clear key clears the slot first, then acts as Enter.
        f.key(Field::PenaltyTH1, vk::Enter);
        QCOMPARE(f.shown(Field::PenaltyTH1), which == 6 ? "---" : "200");
        f.type(Field::PenaltyPH1, "17\n");
        QCOMPARE(f.shown(Field::PenaltyPH1), QStringLiteral("17"));
    }

    // A command key on a key that types or presets keeps its command.
    void commandsOnOtherKeys()
    {
        GameFixture f([](SettingVariables& s) {
            s.ClearKey = vk::Period;
            s.HornKey = vk::F5;
        });
        // The clear key on the full stop clears, and the keypad point still types one.
        f.type(Field::Home, "5\n");
        f.key(Field::Home, vk::Period);
        QCOMPARE(f.shown(Field::Home), QStringLiteral("---"));
        for (int k : {int('1'), int(vk::Decimal), int('3'), int('0'), int(vk::Enter)})
            f.key(Field::Time, k);
        QCOMPARE(f.clock(GameClock), ClockValue::whole(90));
        // The horn on a preset key sounds, and no time is put in.
        f.g().select(Field::PenaltyTH1);
        f.key(Field::PenaltyTH1, vk::F5);
        QCOMPARE(f.effects, QStringList{"horn"});
        QCOMPARE(f.shown(Field::PenaltyTH1), QStringLiteral("---"));
    }

    // Numbers typed, the buffer that follows the field typed on, and the goal lamps.
    void numbers()
    {
        GameFixture f;
        f.type(Field::Home, "12\n");
        QCOMPARE(f.shown(Field::Home), QStringLiteral("-12"));
        f.type(Field::Home, "5 3\n"); // Space throws away what was typed
        QCOMPARE(f.shown(Field::Home), QStringLiteral("--3"));
        // The keypad's digits and signs: 42, +1, -3.
        for (int k : {vk::Numpad0 + 4, vk::Numpad0 + 2, int(vk::Enter), int(vk::Add),
                      vk::Numpad0 + 1, int(vk::Subtract), vk::Numpad0 + 3})
            f.key(Field::ShotsVisitor, k);
        QCOMPARE(f.shown(Field::ShotsVisitor), QStringLiteral("40"));

        f.type(Field::Home, "+3"); // at once, without Enter
        QCOMPARE(f.shown(Field::Home), QStringLiteral("--6"));
        f.type(Field::Home, "++3"); // waits for Enter
        QCOMPARE(f.shown(Field::Home), QStringLiteral("--6"));
        f.type(Field::Home, "\n");
        QCOMPARE(f.shown(Field::Home), QStringLiteral("--9"));
        f.type(Field::ShotsHome, "-1"); // 0 - 1 blanks
        QCOMPARE(f.shown(Field::ShotsHome), QStringLiteral("--"));
        f.type(Field::ShotsHome, "+1");
        f.key(Field::ShotsHome, vk::Delete);
        QCOMPARE(f.shown(Field::ShotsHome), QStringLiteral("--"));
        f.type(Field::Period, "2"); // one digit, at once
        QCOMPARE(f.shown(Field::Period), QStringLiteral("2"));

        // Typing into another field discards what was typed.
        f.type(Field::Home, "12");
        f.type(Field::Visitor, "3\n");
        QCOMPARE(f.shown(Field::Visitor), QStringLiteral("--3"));
        QCOMPARE(f.shown(Field::Home), QStringLiteral("--9"));
        // Selecting a field and coming back keeps it, as do a command key and a lone Shift.
        f.type(Field::Home, "1");
        f.g().select(Field::Visitor);
        f.key(Field::Visitor, vk::Shift);
        f.g().select(Field::Home);
        f.key(Field::Home, 'S');
        f.type(Field::Home, "2\n");
        QCOMPARE(f.shown(Field::Home), QStringLiteral("-12"));
        QVERIFY(f.s().clocks.IsRunning(GameClock));
        // The clock and the penalty times share theirs.
        f.type(Field::Time, "1");
        f.type(Field::PenaltyTH1, "2\n");
        f.type(Field::Time, "\n");
        QCOMPARE(f.clockText(), QStringLiteral("-0.0-"));
        QCOMPARE(f.shown(Field::PenaltyTH1), QStringLiteral("200"));

        // The goal lamps: arrows on the goal strip only.
        const std::pair<int, GoalLamp> steps[] = {
            {vk::Left, GoalLamp::Home},  {vk::Left, GoalLamp::Home}, {vk::Right, GoalLamp::Visitor},
            {vk::Up, GoalLamp::Visitor}, {'S', GoalLamp::Visitor},   {vk::Down, GoalLamp::None},
        };
        for (const auto& [k, lamp] : steps) {
            f.key(Field::Goal, k);
            QCOMPARE(f.s().WhoGoal, lamp);
        }
        QVERIFY(f.s().clocks.IsRunning(GameClock)); // S was the clock, not a lamp
        f.key(Field::Home, vk::Left);
        QCOMPARE(f.s().WhoGoal, GoalLamp::None);
    }

    void penalties()
    {
        GameFixture f;
        f.type(Field::PenaltyPH1, "17\n");
        f.type(Field::PenaltyTH1, "1.30\n");
        QCOMPARE(f.shown(Field::PenaltyTH1), QStringLiteral("130"));
        QVERIFY(f.s().penaltyLampLit(1));
        QVERIFY(!f.s().clocks.IsRunning(1)); // it waits for the start key
        f.type(Field::PenaltyTH1, "10\n");   // ten minutes is more than a penalty can hold
        QCOMPARE(f.clock(1), ClockValue::whole(90));
        f.type(Field::PenaltyTH1, "2.055\n"); // 125.5 s rounds to 126
        QCOMPARE(f.clock(1), ClockValue::whole(126));
        f.type(Field::PenaltyTH1, "2.045\n"); // 124.5 s rounds to the even 124, not up
        QCOMPARE(f.clock(1), ClockValue::whole(124));
        f.type(Field::PenaltyTV2, "\n"); // Enter alone: 0:00, and the lamp stays dark
        QCOMPARE(f.shown(Field::PenaltyTV2), QStringLiteral("000"));
        QVERIFY(!f.s().penaltyLampLit(4));

        // Delete on either field of a running penalty clears its slot.
        for (Field field : {Field::PenaltyPH1, Field::PenaltyTH1}) {
            f.type(Field::PenaltyPH1, "9\n");
            f.type(Field::PenaltyTH1, "4\n");
            f.key(Field::PenaltyTH1, 'I');
            f.key(field, vk::Delete);
            QCOMPARE(f.shown(Field::PenaltyPH1), QStringLiteral("--"));
            QCOMPARE(f.shown(Field::PenaltyTH1), QStringLiteral("---"));
            QVERIFY(!f.s().clocks.IsRunning(1));
            QCOMPARE(f.clock(1), ClockValue());
            QVERIFY(!f.s().penaltyLampLit(1));
        }

        // A penalty's own clock.
        f.type(Field::PenaltyTH2, "2\n");
        f.key(Field::PenaltyPH2, 'I'); // nothing on the player field
        QVERIFY(!f.s().clocks.IsRunning(2));
        f.key(Field::PenaltyTH2, 'I');
        QVERIFY(f.s().clocks.IsRunning(2));
        QVERIFY(!f.s().clocks.IsRunning(GameClock));
        f.tick(30);
        f.key(Field::PenaltyTH2, 'I');
        QVERIFY(!f.s().clocks.IsRunning(2));
        QCOMPARE(f.clock(2), ClockValue::whole(117));

        // A new time while the game runs waits; start/stop then stops all, and starts all.
        f.key(Field::Time, 'S');
        f.type(Field::PenaltyPH1, "4\n");
        f.type(Field::PenaltyTH1, "0.03\n");
        QVERIFY(!f.s().clocks.IsRunning(1));
        f.key(Field::Time, 'S');
        QVERIFY(f.allRunning(false));
        f.key(Field::Time, 'S');
        QVERIFY(f.allRunning(true));
        // Run out, it stays at 0:00 with its player, the lamp dark.
        f.tick(29);
        QVERIFY(f.s().penaltyLampLit(1));
        f.tick(10);
        QVERIFY(!f.s().penaltyLampLit(1));
        QCOMPARE(f.shown(Field::PenaltyTH1), QStringLiteral("000"));
        QCOMPARE(f.shown(Field::PenaltyPH1), QStringLiteral("-4"));
    }

    void waitingPenaltiesTakeFreedSlots()
    {
        GameFixture f;
        f.type(Field::PenaltyPH1, "17\n");
        f.type(Field::PenaltyTH1, "0.10\n");
        f.type(Field::PenaltyPH2, "4\n");
        f.type(Field::PenaltyTH2, "0.20\n");
        QVERIFY(f.addWaiting(Team::Home, 12, 120));
        QVERIFY(f.addWaiting(Team::Home, -1, 300));
        QVERIFY(!f.addWaiting(Team::Home, 100, 120));
        QVERIFY(!f.addWaiting(Team::Home, 5, 600));
        f.key(Field::Time, f.settings.StartStopClockKey);

        f.tick(100);
        QCOMPARE(f.shown(Field::PenaltyPH1), QStringLiteral("12"));
        QCOMPARE(f.shown(Field::PenaltyTH1), QStringLiteral("200"));
        QVERIFY(f.s().penaltyLampLit(1));
        f.tick(1);
        QCOMPARE(f.clock(1), ClockValue::whole(120) - ClockValue::tenths(1)); // running
        f.tick(100);
        QCOMPARE(f.shown(Field::PenaltyPH2), QStringLiteral("--"));
        QCOMPARE(f.shown(Field::PenaltyTH2), QStringLiteral("500"));
        QCOMPARE(f.clock(2), ClockValue::whole(300) - ClockValue::tenths(1));
        QVERIFY(f.s().waitingOf(Team::Home).empty());

        // A slot freed on a penalty's own clock goes to one that waits for the game clock.
        f.key(Field::Time, f.settings.StartStopClockKey);
        QVERIFY(f.addWaiting(Team::Visitor, 9, 120));
        f.type(Field::PenaltyTV1, "0.01\n");
        f.key(Field::PenaltyTV1, f.settings.SepTimeKey);
        f.tick(11);
        QCOMPARE(f.shown(Field::PenaltyPV1), QStringLiteral("-9"));
        QCOMPARE(f.clock(3), ClockValue::whole(120));
        QVERIFY(!f.s().clocks.IsRunning(3));
    }

    void consoleKeys()
    {
        GameFixture f;
        // F5 to F7 put a time on the penalty typed on, not on its player.
        const std::tuple<Field, int16_t, const char*> steps[] = {
            {Field::PenaltyTH1, vk::F5, "200"},
            {Field::PenaltyTV1, vk::F6, "400"},
            {Field::PenaltyTH2, vk::F7, "500"},
            {Field::PenaltyPV2, vk::F5, "---"}};
        for (const auto& [field, key, shown] : steps) {
            const int clock = fieldInfo(field).penaltyClock;
            f.g().select(field);
            f.console(key);
            QCOMPARE(f.shown(penaltySlot(clock).time), QString::fromLatin1(shown));
            QCOMPARE(f.s().penaltyLampLit(clock), qstrcmp(shown, "---") != 0);
        }

        // One-key goals and the period keep their ranges.
        f.type(Field::Home, "198\n");
        f.type(Field::Visitor, "-1");
        f.type(Field::Period, "8");
        for (int i = 0; i < 3; ++i) {
            f.console('H', true);
            f.console('P', true);
        }
        QCOMPARE(f.shown(Field::Home), QStringLiteral("199"));
        QCOMPARE(f.shown(Field::Period), QStringLiteral("9"));
        QCOMPARE(f.s().WhoGoal, GoalLamp::Home);
        f.console('V', true);
        QCOMPARE(f.shown(Field::Visitor), QStringLiteral("--1"));
        QCOMPARE(f.s().WhoGoal, GoalLamp::Visitor);
        f.console('H'); // without Ctrl, an ordinary key
        QCOMPARE(f.shown(Field::Home), QStringLiteral("199"));

        // Ctrl with start/stop runs the game clock alone; the plain key runs them all.
        f.type(Field::PenaltyTH1, "2\n");
        f.console(f.settings.StartStopClockKey, true);
        f.tick(10);
        QCOMPARE(f.clock(GameClock), ClockValue::whole(599));
        QCOMPARE(f.clock(1), ClockValue::whole(120));
        f.console(f.settings.StartStopClockKey, true);
        f.tick(10);
        QCOMPARE(f.clock(GameClock), ClockValue::whole(599));
        f.key(Field::Time, f.settings.StartStopClockKey);
        f.tick(10);
        QCOMPARE(f.clock(GameClock), ClockValue::whole(598));
        QCOMPARE(f.clock(1), ClockValue::whole(119));
    }

    // Every kind of change, taken back one by one while the clock runs, then done again.
    void undoAndRedo()
    {
        GameFixture f;
        f.key(Field::Time, f.settings.StartStopClockKey);
        // What undo restores: the board but for the clocks, which run on, and the typing.
        auto snapshot = [&] {
            GameState s = f.s();
            s.clocks = {};
            s.face = {};
            s.TimeBuffer = s.EntryBuffer = {};
            s.selected = {};
            return s;
        };
        QList<GameState> states;
        const std::function<void()> changes[] = {
            [&] { f.type(Field::Home, "3\n"); },
            [&] { f.type(Field::PenaltyTH1, "2\n"); },
            [&] {
                f.g().select(Field::PenaltyTV1);
                f.console(vk::F6);
            },
            [&] { f.g().toggleGoalLamp(GoalLamp::Visitor); },
            [&] { f.console('H', true); },
            [&] { f.addWaiting(Team::Home, 8, 120); },
            [&] { f.key(Field::PenaltyPH1, f.settings.ClearKey); },
        };
        for (const auto& change : changes) {
            states << snapshot();
            change();
            f.tick(3);
        }
        const GameState last = snapshot();
        const ClockValue before = f.clock(GameClock);

        for (qsizetype i = states.size(); i-- > 0;) {
            const CommandResult r = f.run(Command::of(CommandKind::Undo));
            QVERIFY2(r.ok, qPrintable(QString::number(i) + r.reason));
            QCOMPARE(snapshot(), states[i]);
        }
        QVERIFY(!f.undo());
        QVERIFY(f.allRunning(true) || f.s().clocks.IsRunning(GameClock));
        QCOMPARE(f.clock(GameClock), before); // no jump
        while (f.redo()) {
        }
        QCOMPARE(snapshot(), last);

        // A typed game time comes back as the time it replaced; the stop is not undone.
        f.tick(10);
        const ClockValue running = f.clock(GameClock);
        f.type(Field::Time, "20\n");
        f.console('Z', true);
        QCOMPARE(f.clock(GameClock), running);
        QVERIFY(!f.s().clocks.IsRunning(GameClock));
        QCOMPARE(f.s().ClockReset, ClockValue::whole(600));
        f.console('Y', true);
        QCOMPARE(f.clock(GameClock), ClockValue::whole(1200));
        f.console('Z', true, true); // Ctrl+Shift+Z redoes too: nothing left
        QCOMPARE(f.clock(GameClock), ClockValue::whole(1200));

        // Only so many steps are kept.
        for (int i = 0; i < Game::UndoSteps + 50; ++i)
            f.type(Field::ShotsVisitor, i % 2 ? "+1" : "-1");
        int undone = 0;
        while (f.undo())
            ++undone;
        QCOMPARE(undone, Game::UndoSteps);
    }
};

PL_CORE_TEST_MAIN(TestGame)
#include "tst_game.moc"
