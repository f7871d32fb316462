#include "boardfixture.h"
#include "colors.h"
#include "mmcontrol.h"
#include "shape.h"
#include "testmain.h"
#include "wavbuilder.h"

#include <QTemporaryDir>

// The game clock as the operator drives it: the 100 ms tick, the clock keys, typed game
// times, time of day, and the horn and buzzer.
class TestBoardClock : public QObject
{
    Q_OBJECT

    QTemporaryDir dir;
    const QString buzzer = QStringLiteral(PL_ASSETS "/buzzer.wav");
    const QString horn = QStringLiteral(PL_ASSETS "/horn.wav");

    // The board with both sounds in place.
    std::unique_ptr<BoardFixture> board()
    {
        return std::make_unique<BoardFixture>(true, [this] {
            Settings.BuzzerFile = buzzer;
            Settings.HornFile = horn;
        });
    }

    // The clock field as text: "10:00", "1:05", "59.9", "0.0"; dark digits left out.
    static QString clockText(const frmScoreBoard& b)
    {
        QString s;
        for (int i = 0; i < 4; ++i) {
            if (i == 2)
                s += b.Shape2[0]->FillColor() == toQColor(Settings.BorderColor)
                         ? QStringLiteral(":")
                         : QStringLiteral(".");
            const int16_t d = b.pledTime[static_cast<size_t>(i)]->Caption();
            if (d >= 0)
                s += QChar('0' + d);
        }
        return s;
    }

    static void press(frmScoreBoard& b, Qt::Key k) { QTest::keyClick(b.TimeBack, k); }

private Q_SLOTS:
    void startAndStop()
    {
        auto f = board();
        frmScoreBoard& b = f->b();
        QCOMPARE(clockText(b), QStringLiteral("10:00"));
        press(b, Qt::Key_S);
        for (int i = 0; i < ClockCount; ++i)
            QCOMPARE(IsRunning(i), int16_t(-1));
        QVERIFY(b.tmrClock1.isActive());
        f->ticks(25);
        press(b, Qt::Key_S);
        for (int i = 0; i < ClockCount; ++i)
            QCOMPARE(IsRunning(i), int16_t(0));
        QVERIFY(b.tmrClock1.isActive()); // stopping keeps the displays current
        f->ticks(3);
        QCOMPARE(clockText(b), QStringLiteral("9:58")); // 597.5 s, rounded up
        press(b, Qt::Key_S);
        f->ticks(10);
        press(b, Qt::Key_S);
        f->tick();
        QCOMPARE(ReadClock(GameClock), ClockValue::tenths(5965));
        QCOMPARE(clockText(b), QStringLiteral("9:57"));
    }

    void aStopCountsTheTimeUpToTheStop()
    {
        auto f = board();
        frmScoreBoard& b = f->b();
        f->time.setMonotonic(2000, 50);
        press(b, Qt::Key_S);
        f->ticks(5);           // the last tick read 0.5 s
        f->time.advanceMs(90); // 0.64 s after the start: six whole tenths have passed
        press(b, Qt::Key_S);
        QCOMPARE(ReadClock(GameClock), ClockValue::tenths(5994));
    }

    void runningDownToZero()
    {
        auto f = board();
        frmScoreBoard& b = f->b();
        f->type(b.TimeBack, "0.010\n"); // one second
        QCOMPARE(clockText(b), QStringLiteral("1.0"));
        QCOMPARE(ClockReset, ClockValue::whole(1));
        // A penalty running alongside stops changing when the game clock runs out.
        f->type(b.PenaltyTH1, "2\n");
        press(b, Qt::Key_S);
        f->tick();
        QCOMPARE(clockText(b), QStringLiteral("0.9"));
        f->ticks(8);
        QCOMPARE(clockText(b), QStringLiteral("0.1"));
        QCOMPARE(b.BuzzerPlaying, int16_t(0));
        f->tick();
        QCOMPARE(clockText(b), QStringLiteral("0.0"));
        QVERIFY(!b.tmrClock1.isActive());
        QCOMPARE(b.BuzzerPlaying, int16_t(-1));
        QVERIFY(b.mmcBuzzer->isPlaying());
        QCOMPARE(ReadClock(1), ClockValue::whole(119));
        QCOMPARE(shown(b.pledPenaltyTH1), QStringLiteral("159"));

        // Later ticks come only from a command; the penalty stands still meanwhile.
        Q_EMIT b.mmcBuzzer->Done(1);
        QCOMPARE(b.BuzzerPlaying, int16_t(0));
        f->time.advanceMs(5000);
        press(b, Qt::Key_S); // the clocks kept running at zero: this stops them
        QVERIFY(!b.tmrClock1.isActive());
        for (int i = 0; i < ClockCount; ++i)
            QCOMPARE(IsRunning(i), int16_t(0));
        QCOMPARE(ReadClock(1), ClockValue::whole(119));
        press(b, Qt::Key_S); // starts them: one more tick, still 0.0, no second buzzer
        QVERIFY(b.tmrClock1.isActive());
        f->tick();
        QCOMPARE(clockText(b), QStringLiteral("0.0"));
        QVERIFY(!b.tmrClock1.isActive());
        QCOMPARE(b.BuzzerPlaying, int16_t(0));

        // Reset shows the reset time at once; the clock runs only after the start key.
        press(b, Qt::Key_R);
        QCOMPARE(clockText(b), QStringLiteral("1.0"));
        QCOMPARE(IsRunning(GameClock), int16_t(0));
        QVERIFY(!b.tmrClock1.isActive());
        press(b, Qt::Key_S);
        f->tick();
        QCOMPARE(clockText(b), QStringLiteral("0.9"));
        f->ticks(9);
        QCOMPARE(b.BuzzerPlaying, int16_t(-1)); // a new arrival at zero sounds again

        // The penalty's own key starts it, but the tick finds the game clock out and stops.
        press(b, Qt::Key_S);
        QTest::keyClick(b.PenaltyTH1, Qt::Key_I);
        QVERIFY(b.tmrClock1.isActive());
        f->tick();
        QVERIFY(!b.tmrClock1.isActive());
    }

    void typedTimes()
    {
        auto f = board();
        frmScoreBoard& b = f->b();
        press(b, Qt::Key_S);
        f->ticks(30);
        press(b, Qt::Key_C); // time of day; a typed time while running returns to the game
        f->type(b.TimeBack, "2.00\n");
        for (int i = 0; i < ClockCount; ++i)
            QCOMPARE(IsRunning(i), int16_t(0));
        QCOMPARE(clockText(b), QStringLiteral("2:00"));
        QCOMPARE(ClockReset, ClockValue::whole(120));
        QCOMPARE(b.ClockTime, int16_t(0));

        f->type(b.TimeBack, "100\n"); // more than 99 minutes: refused
        QCOMPARE(clockText(b), QStringLiteral("2:00"));
        f->type(b.TimeBack, "99.59\n"); // the most the clock takes
        QCOMPARE(clockText(b), QStringLiteral("99:59"));
    }

    void timeOfDay()
    {
        auto f = board();
        frmScoreBoard& b = f->b();
        f->time.local = QDateTime(QDate(2026, 3, 29), QTime(0, 5));
        press(b, Qt::Key_C);
        QCOMPARE(clockText(b), QStringLiteral("10:00")); // shows at the next tick
        f->tick();
        QCOMPARE(clockText(b), QStringLiteral("0:05")); // hours:minutes, even after midnight
        press(b, Qt::Key_C);
        f->tick();
        QCOMPARE(clockText(b), QStringLiteral("10:00"));
        QCOMPARE(IsRunning(GameClock), int16_t(0)); // switching starts no clock
        press(b, Qt::Key_C);
        press(b, Qt::Key_S); // start/stop returns to the game clock
        QCOMPARE(b.ClockTime, int16_t(0));
        press(b, Qt::Key_C);
        press(b, Qt::Key_R); // and so does reset
        QCOMPARE(b.ClockTime, int16_t(0));

        // At zero the tick is off: the switch shows nothing until a tick runs again.
        press(b, Qt::Key_Return);
        f->tick();
        QVERIFY(!b.tmrClock1.isActive());
        press(b, Qt::Key_C);
        f->tick();
        QCOMPARE(clockText(b), QStringLiteral("0.0"));
    }

    void oneSoundAtATime()
    {
        auto f = board();
        frmScoreBoard& b = f->b();
        press(b, Qt::Key_B);
        press(b, Qt::Key_B); // dropped, not queued
        QVERIFY(b.mmcBuzzer->isPlaying());
        press(b, Qt::Key_G); // the horn waits for nothing: it is dropped too
        QVERIFY(!b.mmcHorn->isPlaying());
        Q_EMIT b.mmcBuzzer->Done(1);
        QCOMPARE(b.BuzzerPlaying, int16_t(0));
        press(b, Qt::Key_G);
        QVERIFY(b.mmcHorn->isPlaying());

        // With the horn playing when the clock reaches zero, that zero's buzzer is lost.
        press(b, Qt::Key_Return);
        f->tick();
        QVERIFY(!b.mmcBuzzer->isPlaying());
        QCOMPARE(b.BuzzedAtZero, int16_t(-1));
    }

    void soundsChosenLaterAndSoundsThatFail()
    {
        BoardFixture f(true, [] { Settings.BuzzerFile.clear(); });
        frmScoreBoard& b = f.b();
        b.Buzzer();
        QCOMPARE(b.BuzzerPlaying, int16_t(0));
        Settings.BuzzerFile = buzzer;
        b.ReopenSounds();
        b.Buzzer();
        QVERIFY(b.mmcBuzzer->isPlaying());
        Q_EMIT b.mmcBuzzer->Done(1);

        // A file that is not a sound: the play fails, and still releases the guard.
        Settings.BuzzerFile = dir.filePath(QStringLiteral("junk.wav"));
        QVERIFY(wav::write(Settings.BuzzerFile, "not a wave"));
        b.ReopenSounds();
        b.Buzzer();
        QCOMPARE(b.BuzzerPlaying, int16_t(-1));
        QTRY_COMPARE(b.BuzzerPlaying, int16_t(0));
    }
};

PL_TEST_MAIN(TestBoardClock)
#include "tst_boardclock.moc"
