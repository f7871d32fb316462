#include "gamefixture.h"

class TestClockTable : public QObject
{
    Q_OBJECT

    FakeTime time;
    ClockTable clocks;

private Q_SLOTS:
    void init() { clocks = ClockTable(); }

    void readClock_data()
    {
        QTest::addColumn<int>("preset"); // seconds
        QTest::addColumn<qint64>("startMs");
        QTest::addColumn<qint64>("readMs");
        QTest::addColumn<QString>("expected");

        // Milliseconds count only by their tenths digit.
        QTest::newRow("5.000 to 17.340") << 600 << 5'000LL << 17'340LL << "587.7";
        QTest::newRow("10.950 to 11.020") << 600 << 10'950LL << 11'020LL << "599.9";
        QTest::newRow("within one tenth") << 600 << 3'120LL << 3'199LL << "600";
        QTest::newRow("large reading")
            << 600 << 99'999'999'999'999LL << 100'000'000'001'000LL << "598.9";
        QTest::newRow("a tenth before zero") << 5 << 0LL << 4'999LL << "0.1";
        QTest::newRow("long past zero") << 5 << 0LL << 86'400'000LL << "0";
        QTest::newRow("source stepped back") << 600 << 10'500LL << 10'200LL << "600";
    }
    void readClock()
    {
        QFETCH(int, preset);
        QFETCH(qint64, startMs);
        QFETCH(qint64, readMs);
        QFETCH(QString, expected);
        clocks.SetClock(ClockValue::whole(preset), 2);
        time.setMonotonic(startMs / 1000, static_cast<int>(startMs % 1000));
        clocks.StartClock(2);
        time.setMonotonic(readMs / 1000, static_cast<int>(readMs % 1000));
        QCOMPARE(clocks.ReadClock(2).toText(), expected);
        QVERIFY(clocks.IsRunning(2));                // reaching zero does not stop a clock
        QCOMPARE(clocks.ReadClock(0), ClockValue()); // the others are untouched
    }

    // A stop folds in what the latest reading found, and a new start goes on from there.
    // Only the monotonic reading counts: the local time may jump.
    void stopFoldsInTheLatestReading()
    {
        clocks.SetClock(ClockValue::whole(600), 0);
        clocks.StartClock(0);
        time.advanceMs(10'000);
        time.local = QDateTime(QDate(2026, 3, 29), QTime(2, 30));
        QCOMPARE(clocks.ReadClock(0), ClockValue::whole(590));
        time.advanceMs(50);
        clocks.StopClock(0); // the 50 ms since the reading are not read here
        clocks.StartClock(0);
        time.advanceMs(40);
        clocks.StopClock(0); // nothing read since the start: nothing is counted twice
        time.advanceMs(100'000);
        QCOMPARE(clocks.ReadClock(0), ClockValue::whole(590));
        clocks.StartClock(0);
        clocks.StartClock(0); // a running clock keeps its start
        time.advanceMs(2'500);
        QCOMPARE(clocks.ReadClock(0), ClockValue::tenths(5875));
    }

    void zeroStaysUntilSetClock()
    {
        clocks.SetClock(ClockValue::whole(5), 0);
        clocks.StartClock(0);
        time.advanceMs(5'000);
        QCOMPARE(clocks.ReadClock(0), ClockValue());
        clocks.StopClock(0);
        clocks.StartClock(0);
        time.advanceMs(1'000);
        QCOMPARE(clocks.ReadClock(0), ClockValue());
        clocks.SetClock(ClockValue::whole(120), 0); // stops the clock at the new value
        QVERIFY(!clocks.IsRunning(0));
        time.advanceMs(3'000);
        QCOMPARE(clocks.ReadClock(0), ClockValue::whole(120));

        // A bad index is ignored.
        clocks.StartClock(5);
        clocks.SetClock(ClockValue::whole(10), -1);
        clocks.StopClock(ClockCount);
        QVERIFY(!clocks.IsRunning(-1));
        QCOMPARE(clocks.ReadClock(5), ClockValue());
    }
};

QTEST_GUILESS_MAIN(TestClockTable)
#include "tst_clocktable.moc"
