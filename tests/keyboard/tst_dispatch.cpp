#include "boardfixture.h"
#include "keyboard.h"
#include "mmcontrol.h"
#include "testmain.h"

#include <QKeyEvent>

// The board-wide command keys and how a key reaches the fields.
class TestDispatch : public QObject
{
    Q_OBJECT

    static void press(QWidget* w, Qt::Key k, Qt::KeyboardModifiers m = Qt::NoModifier)
    {
        QTest::keyClick(w, k, m);
    }

    static bool allRunning(int16_t state)
    {
        for (int i = 0; i < ClockCount; ++i)
            if (IsRunning(i) != state)
                return false;
        return true;
    }

private Q_SLOTS:
    void startStopFromAnyField()
    {
        BoardFixture f;
        frmScoreBoard& b = f.b();
        b.tmrClock1.stop();
        press(b.picGoalBack, Qt::Key_S);
        QVERIFY(allRunning(-1));
        QVERIFY(b.tmrClock1.isActive());
        press(b.PenaltyPV2, Qt::Key_S, Qt::ShiftModifier); // Shift plays no part
        QVERIFY(allRunning(0));
        // Auto-repeat counts: a held key toggles once per repeat.
        QKeyEvent repeat(QEvent::KeyPress, Qt::Key_S, Qt::NoModifier, QStringLiteral("s"), true);
        QApplication::sendEvent(b.HomeBack, &repeat);
        QVERIFY(allRunning(-1));
        QApplication::sendEvent(b.HomeBack, &repeat);
        QVERIFY(allRunning(0));
        // Keys that reach no field go to the dispatcher too.
        QKeyEvent onWindow(QEvent::KeyPress, Qt::Key_S, Qt::NoModifier, QStringLiteral("s"));
        QApplication::sendEvent(&b, &onWindow);
        QVERIFY(allRunning(-1));
    }

    void resetWhileRunningAndWhileStopped()
    {
        BoardFixture f;
        frmScoreBoard& b = f.b();
        f.type(b.PenaltyTH1, "2\n");
        press(b.TimeBack, Qt::Key_S);
        f.ticks(50);
        press(b.TimeBack, Qt::Key_R);
        QVERIFY(allRunning(0));
        QCOMPARE(ReadClock(GameClock), ClockValue::whole(600));
        QCOMPARE(ReadClock(1), ClockValue::whole(115)); // penalties keep their time
        press(b.TimeBack, Qt::Key_R);
        QVERIFY(allRunning(0)); // nothing starts
    }

    void sharedKeysFollowTheOrder()
    {
        BoardFixture f;
        frmScoreBoard& b = f.b();
        // The clock switch moved onto S: start/stop comes first, so S starts the clock and
        // nothing switches to the time of day.
        Settings.ClockSwitchKey = Settings.StartStopClockKey;
        press(b.TimeBack, Qt::Key_S);
        QVERIFY(allRunning(-1));
        QCOMPARE(b.ClockTime, int16_t(0));
        // Reset before the buzzer: with both on R, R resets and no sound starts.
        Settings.BuzzerKey = Settings.ResetClockKey;
        press(b.TimeBack, Qt::Key_R);
        QVERIFY(allRunning(0));
        QCOMPARE(b.BuzzerPlaying, int16_t(0));
    }

    void commandKeysOnEntryKeys()
    {
        // The horn on Enter sounds and the typed score still goes in.
        BoardFixture f(true, [] {
            Settings.HornKey = vk::Enter;
            Settings.HornFile = QStringLiteral(PL_ASSETS "/horn.wav");
        });
        frmScoreBoard& b = f.b();
        f.type(b.HomeBack, "12\n");
        QCOMPARE(shown(b.pledHome), QStringLiteral("-12"));
        QCOMPARE(b.BuzzerPlaying, int16_t(-1));
        QVERIFY(b.mmcHorn->isPlaying());
    }

    void clearKeyOnEnter()
    {
        BoardFixture f(true, [] { Settings.ClearKey = vk::Enter; });
        frmScoreBoard& b = f.b();
        // On a score Enter still commits: it is Enter before it is the clear key.
        f.type(b.VisitorBack, "7\n");
        QCOMPARE(shown(b.pledVisitor), QStringLiteral("--7"));
        // On a penalty the slot is cleared first, then the key acts as Enter.
        f.type(b.PenaltyTV1, "2\n");
        QCOMPARE(shown(b.pledPenaltyTV1), QStringLiteral("200"));
        f.type(b.PenaltyPV1, "17\n");
        QCOMPARE(shown(b.pledPenaltyTV1), QStringLiteral("---"));
        QCOMPARE(shown(b.pledPenaltyPV1), QStringLiteral("17"));
    }

    void clearKeyOnTheFullStop()
    {
        BoardFixture f(true, [] { Settings.ClearKey = vk::Period; });
        frmScoreBoard& b = f.b();
        f.type(b.HomeBack, "5\n");
        press(b.HomeBack, Qt::Key_Period); // the full stop now clears
        QCOMPARE(shown(b.pledHome), QStringLiteral("---"));
        // The keypad point still types a point.
        press(b.TimeBack, Qt::Key_1);
        press(b.TimeBack, Qt::Key_Period, Qt::KeypadModifier);
        press(b.TimeBack, Qt::Key_3);
        press(b.TimeBack, Qt::Key_0);
        press(b.TimeBack, Qt::Key_Enter, Qt::KeypadModifier);
        QCOMPARE(ReadClock(GameClock), ClockValue::whole(90));
    }

    void keyCodeToAsci_data()
    {
        QTest::addColumn<int>("code");
        QTest::addColumn<int>("ch");
        QTest::newRow("space") << 32 << 32;
        QTest::newRow("enter") << 13 << 13;
        QTest::newRow("delete is the clear key") << 46 << 0;
        QTest::newRow("digit 0") << 48 << int('0');
        QTest::newRow("digit 9") << 57 << int('9');
        QTest::newRow("keypad 0") << 96 << int('0');
        QTest::newRow("keypad 7") << 103 << int('7');
        QTest::newRow("keypad plus") << 107 << int('+');
        QTest::newRow("plus/equals") << 187 << int('+');
        QTest::newRow("keypad minus") << 109 << int('-');
        QTest::newRow("minus") << 189 << int('-');
        QTest::newRow("keypad point") << 110 << int('.');
        QTest::newRow("full stop") << 190 << int('.');
        QTest::newRow("letter") << 65 << -1;
        QTest::newRow("keypad star") << 106 << -1;
    }
    void keyCodeToAsci()
    {
        QFETCH(int, code);
        QFETCH(int, ch);
        BoardFixture f(false);
        QCOMPARE(f.b().KeyCodeToAsci(static_cast<int16_t>(code)), ch);
    }
};

PL_TEST_MAIN(TestDispatch)
#include "tst_dispatch.moc"
