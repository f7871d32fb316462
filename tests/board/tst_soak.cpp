#include "boardfixture.h"
#include "resident.h"
#include "testmain.h"

#include <QRandomGenerator>

// A three-hour game in simulated time: a tick every 100 ms and a key every few seconds.
// The clocks must end exactly where the arithmetic of their runs says, and memory must not
// grow with the length of the game.
class TestSoak : public QObject
{
    Q_OBJECT

    // What the clocks, started and stopped together, should read: each run counts the whole
    // tenths passed between its start and its stop.
    struct Model
    {
        int64_t usedTenths = 0;
        int64_t startMs = -1; // -1 while stopped
        void start(int64_t nowMs) { startMs = nowMs; }
        void stop(int64_t nowMs)
        {
            usedTenths += nowMs / 100 - startMs / 100;
            startMs = -1;
        }
        ClockValue value(int64_t presetTenths, int64_t nowMs) const
        {
            const int64_t run = startMs < 0 ? 0 : nowMs / 100 - startMs / 100;
            return ClockValue::tenths(std::max<int64_t>(0, presetTenths - usedTenths - run));
        }
    };

private Q_SLOTS:
    void threeHourGame()
    {
        BoardFixture f;
        frmScoreBoard& b = f.b();
        QRandomGenerator rng(20261206);
        constexpr int Periods = 9;    // 9 x 20 minutes of play and the stoppages between
        constexpr int64_t Tick = 100; // ms
        int64_t now = f.time.totalMs; // the next tick is at now + Tick
        auto advanceTo = [&](int64_t t) { f.time.advanceMs(t - f.time.totalMs); };
        // Moves on to the next tick, with a key pressed somewhere before it if asked.
        auto step = [&](const std::function<void()>& key) {
            if (key) {
                advanceTo(now + rng.bounded(1, static_cast<int>(Tick)));
                key();
            }
            now += Tick;
            advanceTo(now);
            if (b.tmrClock1.isActive())
                b.game().tmrClock1_Timer();
        };
        const auto press = [&](Field field, Qt::Key k) { QTest::keyClick(f.box(field), k); };
        constexpr int64_t GameTenths = 12000;
        constexpr int64_t PenaltyTenths = 1200;
        Model model;
        int64_t rssAfterFirstPeriod = 0;
        int goals = 0;

        for (int period = 1; period <= Periods; ++period) {
            // Set 20:00 and the period number.
            step([&] { f.type(Field::Time, "20\n"); });
            step([&] { f.type(Field::Period, QByteArray::number(period % 10).constData()); });
            // A penalty, started with the game clock.
            step([&] { f.type(Field::PenaltyPH1, "17\n"); });
            step([&] { f.type(Field::PenaltyTH1, "2\n"); });
            model = Model();

            // Play with whistles until the clock runs out.
            while (true) {
                step([&] {
                    press(Field::Time, Qt::Key_S);
                    model.start(f.time.totalMs);
                });
                const int run = rng.bounded(30, 600); // 3 to 60 s of play
                bool out = false;
                for (int i = 0; i < run && !out; ++i) {
                    step({});
                    out = !b.tmrClock1.isActive();
                }
                if (out) {
                    // The tick that read zero: the model agrees it is the first such tick.
                    QCOMPARE(f.clock(GameClock), ClockValue());
                    QVERIFY(model.value(GameTenths, now) == ClockValue());
                    QVERIFY(model.value(GameTenths, now - Tick) > ClockValue());
                    model.stop(now);
                    break;
                }
                step([&] {
                    press(Field::Time, Qt::Key_S);
                    model.stop(f.time.totalMs);
                });
                QCOMPARE(f.clock(GameClock), model.value(GameTenths, now));
                QCOMPARE(f.clock(1), model.value(PenaltyTenths, now));
                // The stoppage: a goal now and then, shots, the goal lamp, the time of day.
                const int pause = rng.bounded(20, 300);
                for (int i = 0; i < pause; ++i) {
                    switch (rng.bounded(60)) {
                    case 0:
                        step([&] { f.type(Field::Home, "+1"); });
                        ++goals;
                        break;
                    case 1:
                        step([&] { f.type(Field::ShotsVisitor, "+1"); });
                        break;
                    case 2:
                        step([&] {
                            press(Field::Goal, rng.bounded(2) ? Qt::Key_Left : Qt::Key_Down);
                        });
                        break;
                    case 3:
                        step([&] { press(Field::Home, Qt::Key_C); });
                        break;
                    default:
                        step({});
                    }
                }
                if (f.state().ClockTime)
                    step([&] { press(Field::Home, Qt::Key_C); });
            }
            // The penalty stands where its runs took it; then it is cleared.
            QCOMPARE(f.clock(1), model.value(PenaltyTenths, now));
            step([&] { press(Field::PenaltyTH1, Qt::Key_Delete); });
            QCOMPARE(f.shown(Field::PenaltyTH1), QStringLiteral("---"));
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
