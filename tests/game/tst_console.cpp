#include "gamefixture.h"
#include "testmain.h"

namespace {

constexpr int16_t Key(char c)
{
    return static_cast<int16_t>(vk::KeyA + (c - 'A'));
}

} // namespace

// The console functions: waiting penalties, presets, one-key goals, the clock alone, undo.
class TestConsole : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void waitingPenaltiesTakeFreedSlots()
    {
        GameFixture f;
        f.type(Field::PenaltyPH1, "17\n");
        f.type(Field::PenaltyTH1, "0.10\n");
        f.type(Field::PenaltyPH2, "4\n");
        f.type(Field::PenaltyTH2, "0.20\n");
        QVERIFY(f.g().addWaitingPenalty(Team::Home, 12, ClockValue::whole(120)));
        QVERIFY(f.g().addWaitingPenalty(Team::Home, -1, ClockValue::whole(300)));
        QVERIFY(!f.g().addWaitingPenalty(Team::Home, 100, ClockValue::whole(120)));
        QVERIFY(!f.g().addWaitingPenalty(Team::Home, 5, ClockValue::whole(600)));
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

        // With the game clock stopped, a penalty run out on its own clock gives its slot to
        // the next one, which waits for the game clock to start.
        f.key(Field::Time, f.settings.StartStopClockKey);
        QVERIFY(f.g().addWaitingPenalty(Team::Visitor, 9, ClockValue::whole(120)));
        f.type(Field::PenaltyTV1, "0.01\n");
        f.key(Field::PenaltyTV1, f.settings.SepTimeKey);
        f.tick(11);
        QCOMPARE(f.shown(Field::PenaltyPV1), QStringLiteral("-9"));
        QCOMPARE(f.clock(3), ClockValue::whole(120));
        QVERIFY(!f.s().clocks.IsRunning(3));
    }

    // F5 to F7 put a time on the penalty typed on, not on its player; a command key on a
    // preset key keeps its command.
    void presets()
    {
        GameFixture f;
        const std::tuple<Field, int16_t, const char*> steps[] = {
            {Field::PenaltyTH1, vk::F5, "200"},
            {Field::PenaltyTV1, vk::F6, "400"},
            {Field::PenaltyTH2, vk::F7, "500"},
            {Field::PenaltyPV2, vk::F5, "---"},
        };
        for (const auto& [field, key, shown] : steps) {
            const int clock = fieldInfo(field).penaltyClock;
            f.g().select(field);
            f.g().consoleKey(key, false, false);
            QCOMPARE(f.shown(penaltySlot(clock).time), QString::fromLatin1(shown));
            QCOMPARE(f.s().penaltyLampLit(clock), qstrcmp(shown, "---") != 0);
        }
        GameFixture horn([](SettingVariables& s) { s.HornKey = vk::F5; });
        horn.g().select(Field::PenaltyTH1);
        QVERIFY(!horn.g().consoleKey(vk::F5, false, false));
        horn.key(Field::PenaltyTH1, vk::F5);
        QCOMPARE(horn.effects, QStringList{"horn"});
        QCOMPARE(horn.shown(Field::PenaltyTH1), QStringLiteral("---"));
    }

    void oneKeyGoalsAndTheClockAlone()
    {
        GameFixture f;
        f.type(Field::Home, "198\n");
        f.type(Field::Visitor, "-1");
        f.type(Field::Period, "8");
        for (int i = 0; i < 3; ++i) {
            f.g().consoleKey(Key('H'), true, false);
            f.g().consoleKey(Key('P'), true, false);
        }
        QCOMPARE(f.shown(Field::Home), QStringLiteral("199")); // they keep their ranges
        QCOMPARE(f.shown(Field::Period), QStringLiteral("9"));
        QCOMPARE(f.s().WhoGoal, GoalLamp::Home);
        f.g().consoleKey(Key('V'), true, false);
        QCOMPARE(f.shown(Field::Visitor), QStringLiteral("--1"));
        QCOMPARE(f.s().WhoGoal, GoalLamp::Visitor);
        QVERIFY(!f.g().consoleKey(Key('H'), false, false)); // without Ctrl, an ordinary key

        // Ctrl with start/stop runs the game clock alone; the plain key runs them all.
        f.type(Field::PenaltyTH1, "2\n");
        f.g().consoleKey(f.settings.StartStopClockKey, true, false);
        f.tick(10);
        QCOMPARE(f.clock(GameClock), ClockValue::whole(599));
        QCOMPARE(f.clock(1), ClockValue::whole(120));
        f.g().consoleKey(f.settings.StartStopClockKey, true, false);
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
        QStringList states;
        auto snapshot = [&] {
            QString s;
            for (int i = 1; i < FieldCount; ++i)
                s += f.shown(Field(i)) + ' ';
            s += QString::number(int(f.s().WhoGoal)) + ' ' +
                 QString::number(f.s().waitingOf(Team::Home).size()) + ' ' +
                 f.s().ClockReset.toText();
            return s;
        };
        const auto step = [&](const std::function<void()>& change) {
            states << snapshot();
            change();
            f.tick(3);
        };
        step([&] { f.type(Field::Home, "3\n"); });
        step([&] { f.type(Field::ShotsHome, "+2"); });
        step([&] { f.type(Field::PenaltyPH1, "17\n"); });
        step([&] { f.type(Field::PenaltyTH1, "2\n"); });
        step([&] {
            f.g().select(Field::PenaltyTV1);
            f.g().consoleKey(vk::F6, false, false);
        });
        step([&] { f.g().toggleGoalLamp(GoalLamp::Visitor); });
        step([&] { f.g().consoleKey(Key('H'), true, false); });
        step([&] { f.g().consoleKey(Key('P'), true, false); });
        step([&] { f.g().addWaitingPenalty(Team::Home, 8, ClockValue::whole(120)); });
        step([&] { f.key(Field::PenaltyPH1, f.settings.ClearKey); });
        const QString last = snapshot();
        const ClockValue before = f.clock(GameClock);

        for (qsizetype i = states.size(); i-- > 0;) {
            QVERIFY(f.g().undo());
            QCOMPARE(snapshot(), states[i]);
        }
        QVERIFY(!f.g().undo());
        QVERIFY(f.allRunning(true) || f.s().clocks.IsRunning(GameClock));
        QCOMPARE(f.clock(GameClock), before); // no jump
        while (f.g().redo()) {
        }
        QCOMPARE(snapshot(), last);

        // A typed game time comes back as the time it replaced; the stop is not undone.
        f.tick(10);
        const ClockValue running = f.clock(GameClock);
        f.type(Field::Time, "20\n");
        f.g().consoleKey(Key('Z'), true, false);
        QCOMPARE(f.clock(GameClock), running);
        QVERIFY(!f.s().clocks.IsRunning(GameClock));
        QCOMPARE(f.s().ClockReset, ClockValue::whole(600));
        f.g().consoleKey(Key('Y'), true, false);
        QCOMPARE(f.clock(GameClock), ClockValue::whole(1200));
        f.g().consoleKey(Key('Z'), true, true); // Ctrl+Shift+Z redoes too: nothing left
        QCOMPARE(f.clock(GameClock), ClockValue::whole(1200));

        // Only so many steps are kept.
        for (int i = 0; i < Game::UndoSteps + 50; ++i)
            f.type(Field::ShotsVisitor, i % 2 ? "+1" : "-1");
        int undone = 0;
        while (f.g().undo())
            ++undone;
        QCOMPARE(undone, Game::UndoSteps);
    }
};

PL_CORE_TEST_MAIN(TestConsole)
#include "tst_console.moc"
