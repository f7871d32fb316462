// SPDX-License-Identifier: GPL-3.0-or-later
#include "clockfaces.h"
#include "gamefixture.h"

#include <QTime>

namespace {

// A number row showing `initial`, leftmost cell first, "-" for a dark cell.
DigitRow makeRow(const QString& initial)
{
    DigitRow row(static_cast<int>(initial.size()));
    for (int i = 0; i < row.size(); ++i)
        row.set(i, initial[initial.size() - 1 - i].digitValue()); // '-' gives -1: dark
    return row;
}

} // namespace

// The values under the board: clock readings, typed times, number rows and clock faces.
class TestDigits : public QObject
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

    // A stop folds in the latest reading; a jump of the local time changes nothing.
    void startsAndStops()
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

        // Zero stays through a stop and a start, until the clock is set.
        clocks.SetClock(ClockValue::whole(5), 1);
        clocks.StartClock(1);
        time.advanceMs(5'000);
        QCOMPARE(clocks.ReadClock(1), ClockValue());
        clocks.StopClock(1);
        clocks.StartClock(1);
        time.advanceMs(1'000);
        QCOMPARE(clocks.ReadClock(1), ClockValue());
        clocks.SetClock(ClockValue::whole(120), 1); // stops the clock at the new value
        QVERIFY(!clocks.IsRunning(1));
        time.advanceMs(3'000);
        QCOMPARE(clocks.ReadClock(1), ClockValue::whole(120));

        // A bad index is ignored.
        clocks.StartClock(5);
        clocks.SetClock(ClockValue::whole(10), -1);
        clocks.StopClock(ClockCount);
        QVERIFY(!clocks.IsRunning(-1));
        QCOMPARE(clocks.ReadClock(5), ClockValue());
    }

    // Minutes, then seconds after a point, then tenths; keys, then Enter.
    void typeTime_data()
    {
        QTest::addColumn<int>("limit");
        QTest::addColumn<QByteArray>("typed");
        QTest::addColumn<QString>("expected");
        QTest::newRow("one seconds digit") << 5999 << QByteArray("1.3") << "63";
        QTest::newRow("largest") << 9999 << QByteArray("99.999") << "6039.9";
        QTest::newRow("Enter alone") << 5999 << QByteArray() << "0";
        QTest::newRow("digits after tenths ignored") << 5999 << QByteArray("0.4567") << "45.6";
        QTest::newRow("eight characters") << 5999 << QByteArray("00001.30") << "90";
        QTest::newRow("nine characters") << 5999 << QByteArray("0000001.3") << "-1";
        QTest::newRow("two points") << 5999 << QByteArray("1.2.3") << "-1";
        QTest::newRow("5999.5 above the limit") << 5999 << QByteArray("99.595") << "-1";
        QTest::newRow("space empties") << 5999 << QByteArray("12 3") << "180";
        QTest::newRow("other keys ignored") << 5999 << QByteArray("1\0\xff+A5", 6) << "900";
        QTest::newRow("penalty limit") << 599 << QByteArray("9.59") << "599";
        QTest::newRow("long typing refused") << 5999 << QByteArray("1234567890123") << "-1";
    }
    void typeTime()
    {
        QFETCH(int, limit);
        QFETCH(QByteArray, typed);
        QFETCH(QString, expected);
        TypedText buffer;
        // Only the Enter at the end gives a time.
        for (const char c : typed)
            QCOMPARE(TypeTime(buffer, 0, c, limit), NoTime);
        QCOMPARE(TypeTime(buffer, 0, entry::Enter, limit).toText(), expected);
        // Enter always leaves the buffer empty, valid or not.
        QCOMPARE(TypeTime(buffer, 0, entry::Enter, limit), ClockValue());
        QCOMPARE(ParseTime(QStringLiteral("\u0665")), NoTime); // a digit, but not ASCII
    }

    // A committed entry on a number field: what it gives, or nothing and the field stays.
    void enteredNumbers_data()
    {
        QTest::addColumn<int>("before");
        QTest::addColumn<QString>("text");
        QTest::addColumn<int>("min");
        QTest::addColumn<int>("max");
        QTest::addColumn<int>("cells");
        QTest::addColumn<QString>("after");

        auto row = [](const char* name, int before, const QString& text, int min, int max,
                      int cells, const char* after) {
            QTest::newRow(name) << before << text << min << max << cells
                                << QString::fromLatin1(after);
        };
        row("no leading zeros", NoNumber, "007", -1, 199, 3, "--7");
        row("zero shows one lit zero", 12, "0", -1, 199, 3, "--0");
        row("a change counts from a dark field as 0", NoNumber, "+3", -1, 199, 3, "--3");
        row("above the maximum is refused", 199, "+1", -1, 199, 3, "199");
        row("below the minimum is refused", 0, "-1", 0, 9, 1, "0");
        row("-1 on 0 blanks", 0, "-1", -1, 99, 2, "--");
        row("a sign after the first counts", 5, "++3", -1, 99, 2, "-8");
        row("digits then letters", NoNumber, "12ab", -1, 99, 2, "12");
        row("a letter first changes nothing", 5, "x12", -1, 99, 2, "-5");
        row("empty text changes nothing", 5, "", -1, 99, 2, "-5");
        row("NUL blanks a penalty player", 17, QString(QChar(0)), -1, 99, 2, "--");
        row("NUL leaves the period", 2, QString(QChar(0)), 0, 9, 1, "2");
        row("a huge number is out of range", 5, "99999999999999999999", -1, 199, 3, "--5");
        row("more digits than cells shows the right ones", NoNumber, "123", -1, 999, 2, "23");
    }
    void enteredNumbers()
    {
        QFETCH(int, before);
        QFETCH(QString, text);
        QFETCH(int, min);
        QFETCH(int, max);
        QFETCH(int, cells);
        QFETCH(QString, after);
        int value = before;
        const auto n = enteredNumber(text, static_cast<int16_t>(before));
        if (n && *n >= min && *n <= max)
            value = static_cast<int>(*n);
        QCOMPARE(digitsOf(numberRow(value, cells)), after);
    }

    // A game time on the clock row, and on a penalty's three digits where it fits.
    void timeFaces_data()
    {
        QTest::addColumn<QString>("t");
        QTest::addColumn<QString>("clock");
        QTest::addColumn<QString>("penalty");
        for (const auto& [t, clock, penalty] : {std::tuple{"0", "-0.0-", "000"},
                                                {"0.3", "-0.3-", "001"}, // seconds round up
                                                {"59.9", "59.9-", "100"},
                                                {"60", "-1:00", "100"},
                                                {"60.1", "-1:01", "101"},
                                                {"599", "-9:59", "959"},
                                                {"5999", "99:59", ""}})
            QTest::newRow(t) << QString::fromLatin1(t) << QString::fromLatin1(clock)
                             << QString::fromLatin1(penalty);
    }
    void timeFaces()
    {
        QFETCH(QString, t);
        QFETCH(QString, clock);
        QFETCH(QString, penalty);
        const ClockValue v = *Fixed4::parse(t);
        DigitRow face = makeRow("8888"), two = makeRow("88"), row = makeRow("888"), none;
        bool colon = false;
        ShowClock(v, face, colon);
        QCOMPARE(clockFace(face, colon), clock);
        ShowClock(v, two, colon); // rows too short take what fits
        QCOMPARE(clockFace(two, colon), clock.left(2));
        DisplayTime(none, v);
        if (!penalty.isEmpty()) {
            DisplayTime(row, v);
            QCOMPARE(digitsOf(row), penalty);
        }
    }

    void timeOfDay_data()
    {
        QTest::addColumn<QTime>("local");
        QTest::addColumn<bool>("twelveHour");
        QTest::addColumn<int>("value");
        QTest::addColumn<QString>("picture");
        // Between midnight and one the 24-hour clock shows hours:minutes, not seconds.
        QTest::newRow("24h 0:05") << QTime(0, 5, 42) << false << 5 << "-0:05";
        QTest::newRow("24h 23:59") << QTime(23, 59, 42) << false << 1439 << "23:59";
        QTest::newRow("12h 0:05") << QTime(0, 5, 42) << true << 725 << "12:05";
        QTest::newRow("12h 12:30") << QTime(12, 30, 42) << true << 750 << "12:30";
        QTest::newRow("12h 13:05") << QTime(13, 5, 42) << true << 65 << "-1:05";
    }
    void timeOfDay()
    {
        QFETCH(QTime, local);
        QFETCH(bool, twelveHour);
        QFETCH(int, value);
        QFETCH(QString, picture);
        QCOMPARE(TimeOfDayValue(local, twelveHour), value);
        DigitRow face = makeRow("8888");
        bool colon = false;
        ShowTimeOfDay(value, face, colon);
        QCOMPARE(clockFace(face, colon), picture);
    }
};

QTEST_GUILESS_MAIN(TestDigits)
#include "tst_digits.moc"
