#include "clocktable.h"
#include "fakes.h"
#include "testmain.h"

// Lets QCOMPARE print clock values.
char* toString(const Fixed4& v)
{
    return qstrdup(v.toText().toLatin1().constData());
}

namespace {

ClockValue value(const char* text)
{
    return *Fixed4::parse(QString::fromLatin1(text));
}

} // namespace

class TestClockTable : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void init() { ResetClocks(); }

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
        QTest::newRow("at zero") << "5" << 0LL << 0 << 5LL << 0 << "0";
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
        FakeTime time;
        SetClock(*Fixed4::parse(preset), 2);
        time.setMonotonic(startSeconds, startMillis);
        StartClock(2);
        time.setMonotonic(readSeconds, readMillis);
        QCOMPARE(ReadClock(2).toText(), expected);
        QCOMPARE(IsRunning(2), int16_t(-1));                  // reaching zero does not stop a clock
        QCOMPARE(ReadClock(0).toText(), QStringLiteral("0")); // the others are untouched
    }

    void stopFoldsInTheLatestReading()
    {
        FakeTime time;
        SetClock(value("600"), 0);
        StartClock(0);
        time.advanceMs(10'000);
        QCOMPARE(ReadClock(0), value("590"));
        time.advanceMs(50);
        StopClock(0); // the 50 ms since the reading are not read here
        time.advanceMs(100'000);
        QCOMPARE(ReadClock(0), value("590"));
        StartClock(0);
        time.advanceMs(2'500);
        QCOMPARE(ReadClock(0), value("587.5"));
    }

    void startAndStopWithoutReadingCountsNothingTwice()
    {
        FakeTime time;
        SetClock(value("600"), 1);
        StartClock(1);
        time.advanceMs(30'000);
        QCOMPARE(ReadClock(1), value("570"));
        StopClock(1);
        StartClock(1);
        time.advanceMs(40);
        StopClock(1);
        QCOMPARE(ReadClock(1), value("570"));
    }

    void zeroStaysUntilSetClock()
    {
        FakeTime time;
        SetClock(value("5"), 0);
        StartClock(0);
        time.advanceMs(5'000);
        QCOMPARE(ReadClock(0), ClockValue());
        StopClock(0);
        StartClock(0);
        time.advanceMs(1'000);
        QCOMPARE(ReadClock(0), ClockValue());
        QCOMPARE(ClockState(0).Used, value("5"));
        SetClock(value("5"), 0);
        QCOMPARE(ReadClock(0), value("5"));
    }

    void setClockStopsAndKeepsTheStartStamp()
    {
        FakeTime time;
        time.setMonotonic(7, 250);
        StartClock(3);
        time.advanceMs(3'000);
        ReadClock(3);
        SetClock(value("120"), 3);
        QCOMPARE(IsRunning(3), int16_t(0));
        const ClockRecord c = ClockState(3);
        QCOMPARE(c.StartStamp, std::optional<int64_t>(7));
        QCOMPARE(c.StartMillis, 250);
        time.advanceMs(3'000);
        QCOMPARE(ReadClock(3), value("120"));
    }

    void startingARunningClockKeepsItsStart()
    {
        FakeTime time;
        SetClock(value("60"), 4);
        StartClock(4);
        time.advanceMs(1'000);
        StartClock(4);
        time.advanceMs(1'000);
        QCOMPARE(ReadClock(4), value("58"));
    }

    void badIndexIsIgnored()
    {
        FakeTime time;
        StartClock(5);
        SetClock(value("10"), -1);
        StopClock(ClockCount);
        QCOMPARE(IsRunning(-1), int16_t(0));
        QCOMPARE(ReadClock(5), ClockValue());
    }
};

PL_TEST_MAIN(TestClockTable)
#include "tst_clocktable.moc"
