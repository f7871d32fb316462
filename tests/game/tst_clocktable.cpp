#include "gamefixture.h"

namespace {

ClockValue value(const char* text)
{
    return *Fixed4::parse(QString::fromLatin1(text));
}

} // namespace

class TestClockTable : public QObject
{
    Q_OBJECT

    std::unique_ptr<FakeTime> time;
    ClockTable clocks;

private Q_SLOTS:
    void init()
    {
        clocks = ClockTable();
        time = std::make_unique<FakeTime>();
    }
    void cleanup() { time.reset(); }

    void readClock_data()
    {
        QTest::addColumn<QString>("preset");
        QTest::addColumn<qint64>("startSeconds");
        QTest::addColumn<int>("startMillis");
        QTest::addColumn<qint64>("readSeconds");
        QTest::addColumn<int>("readMillis");
        QTest::addColumn<QString>("expected");

        // Milliseconds count only by their tenths digit.
        QTest::newRow("5.000 to 17.340") << "600" << 5LL << 0 << 17LL << 340 << "587.7";
        QTest::newRow("10.950 to 11.020") << "600" << 10LL << 950 << 11LL << 20 << "599.9";
        QTest::newRow("within one tenth") << "600" << 3LL << 120 << 3LL << 199 << "600";
        QTest::newRow("an hour") << "5999" << 0LL << 0 << 3600LL << 500 << "2398.5";
        QTest::newRow("large reading")
            << "600" << 99999999999LL << 999 << 100000000001LL << 0 << "598.9";
        QTest::newRow("a tenth before zero") << "5" << 0LL << 0 << 4LL << 999 << "0.1";
        QTest::newRow("long past zero") << "5" << 0LL << 0 << 86400LL << 0 << "0";
        QTest::newRow("source stepped back") << "600" << 10LL << 500 << 10LL << 200 << "600";
    }
    void readClock()
    {
        QFETCH(QString, preset);
        QFETCH(qint64, startSeconds);
        QFETCH(int, startMillis);
        QFETCH(qint64, readSeconds);
        QFETCH(int, readMillis);
        QFETCH(QString, expected);
        clocks.SetClock(*Fixed4::parse(preset), 2);
        time->setMonotonic(startSeconds, startMillis);
        clocks.StartClock(2);
        time->setMonotonic(readSeconds, readMillis);
        QCOMPARE(clocks.ReadClock(2).toText(), expected);
        QCOMPARE(clocks.IsRunning(2), true); // reaching zero does not stop a clock
        QCOMPARE(clocks.ReadClock(0).toText(), QStringLiteral("0")); // the others are untouched
    }

    // A stop folds in what the latest reading found, and a new start goes on from there.
    void stopFoldsInTheLatestReading()
    {
        clocks.SetClock(value("600"), 0);
        clocks.StartClock(0);
        time->advanceMs(10'000);
        QCOMPARE(clocks.ReadClock(0), value("590"));
        time->advanceMs(50);
        clocks.StopClock(0); // the 50 ms since the reading are not read here
        clocks.StartClock(0);
        time->advanceMs(40);
        clocks.StopClock(0); // nothing read since the start: nothing is counted twice
        time->advanceMs(100'000);
        QCOMPARE(clocks.ReadClock(0), value("590"));
        clocks.StartClock(0);
        clocks.StartClock(0); // a running clock keeps its start
        time->advanceMs(2'500);
        QCOMPARE(clocks.ReadClock(0), value("587.5"));
    }

    // Only the monotonic reading counts: midnight and a daylight-saving jump of the local time
    // change nothing.
    void localTimePlaysNoPart()
    {
        time->local = QDateTime(QDate(2026, 3, 28), QTime(23, 59, 59));
        clocks.SetClock(value("600"), 0);
        clocks.StartClock(0);
        time->advanceMs(2'000);
        time->local = time->local.addSecs(3600);
        QCOMPARE(clocks.ReadClock(0), value("598"));
    }

    void zeroStaysUntilSetClock()
    {
        clocks.SetClock(value("5"), 0);
        clocks.StartClock(0);
        time->advanceMs(5'000);
        QCOMPARE(clocks.ReadClock(0), ClockValue());
        clocks.StopClock(0);
        clocks.StartClock(0);
        time->advanceMs(1'000);
        QCOMPARE(clocks.ReadClock(0), ClockValue());
        clocks.SetClock(value("120"), 0); // stops the clock at the new value
        QCOMPARE(clocks.IsRunning(0), false);
        time->advanceMs(3'000);
        QCOMPARE(clocks.ReadClock(0), value("120"));
    }

    void badIndexIsIgnored()
    {
        clocks.StartClock(5);
        clocks.SetClock(value("10"), -1);
        clocks.StopClock(ClockCount);
        QCOMPARE(clocks.IsRunning(-1), false);
        QCOMPARE(clocks.ReadClock(5), ClockValue());
    }
};

QTEST_GUILESS_MAIN(TestClockTable)
#include "tst_clocktable.moc"
