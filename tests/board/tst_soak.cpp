// SPDX-License-Identifier: GPL-3.0-or-later
#include "boardfixture.h"
#include "resident.h"
#include "testmain.h"

#include <QRandomGenerator>

// A three-hour game in simulated time, a tick every 100 ms and a key every few seconds: the
// clocks end exactly where the arithmetic of their runs says, and memory does not grow.
class TestSoak : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void threeHourGame()
    {
        BoardFixture f;
        frmScoreBoard& b = f.b();
        QRandomGenerator rng(20261206);
        constexpr int Periods = 9;    // 9 x 20 minutes of play and the stoppages between
        constexpr int64_t Tick = 100; // ms
        constexpr int64_t GameTenths = 12000;
        constexpr int64_t PenaltyTenths = 1200;
        int64_t now = f.time.totalMs; // the time of the last tick
        // Moves on to the next tick, with a key pressed somewhere before it if asked.
        auto step = [&](const std::function<void()>& key) {
            if (key) {
                f.time.advanceMs(rng.bounded(1, static_cast<int>(Tick)));
                key();
            }
            now += Tick;
            f.tick(now - f.time.totalMs);
        };
        const auto press = [&](Field field, Qt::Key k) { QTest::keyClick(f.box(field), k); };
        // The game clock and the penalty run together; a run counts the whole tenths it spans.
        int64_t usedTenths = 0;
        int64_t startMs = 0;
        const auto left = [&](int64_t preset) {
            return ClockValue::tenths(std::max<int64_t>(0, preset - usedTenths));
        };
        int goals = 0;
        // What a stoppage brings now and then: a goal, a shot, the goal lamp, the time of day.
        const std::function<void()> stoppage[] = {
            [&] {
                f.type(Field::Home, "+1");
                ++goals;
            },
            [&] { f.type(Field::ShotsVisitor, "+1"); },
            [&] { press(Field::Goal, rng.bounded(2) ? Qt::Key_Left : Qt::Key_Down); },
            [&] { press(Field::Home, Qt::Key_C); },
        };
        int64_t rssAfterFirstPeriod = 0;

        for (int period = 1; period <= Periods; ++period) {
            step([&] { f.type(Field::Time, "20\n"); });
            step([&] { f.type(Field::Period, QByteArray::number(period % 10).constData()); });
            step([&] { f.type(Field::PenaltyPH1, "17\n"); });
            step([&] { f.type(Field::PenaltyTH1, "2\n"); });
            usedTenths = 0;
            // Play with whistles until the clock runs out and stops the tick.
            bool out = false;
            for (int whistle = 0; !out; ++whistle) {
                QVERIFY(whistle < 1000);
                step([&] {
                    press(Field::Time, Qt::Key_S);
                    startMs = f.time.totalMs;
                });
                for (int i = rng.bounded(30, 600); i > 0 && !out; --i) { // 3 to 60 s of play
                    step({});
                    out = !b.tmrClock1().isActive();
                }
                if (out)
                    break;
                step([&] {
                    press(Field::Time, Qt::Key_S);
                    usedTenths += f.time.totalMs / 100 - startMs / 100;
                });
                QCOMPARE(f.clock(GameClock), left(GameTenths));
                QCOMPARE(f.clock(1), left(PenaltyTenths));
                for (int i = rng.bounded(20, 300); i > 0; --i) {
                    const int r = rng.bounded(60);
                    step(r < 4 ? stoppage[r] : std::function<void()>());
                }
                if (f.state().ClockTime)
                    step([&] { press(Field::Home, Qt::Key_C); });
            }
            // The tick that read zero is the first one the arithmetic puts at zero.
            QCOMPARE(f.clock(GameClock), ClockValue());
            usedTenths += now / 100 - startMs / 100;
            QCOMPARE(usedTenths, GameTenths);
            QCOMPARE(f.clock(1), left(PenaltyTenths));
            if (period == 1)
                rssAfterFirstPeriod = residentKiB();
        }
        QCOMPARE(f.shown(Field::Home).remove(QLatin1Char('-')).toInt(), std::min(goals, 199));
        // Hours of play must not cost memory: allow for caches that settle after the start.
        const int64_t growth = residentKiB() - rssAfterFirstPeriod;
        QVERIFY2(Sanitized || growth < 4096,
                 qPrintable(QStringLiteral("grew by %1 kB").arg(growth)));
    }
};

PL_TEST_MAIN(TestSoak)
#include "tst_soak.moc"
