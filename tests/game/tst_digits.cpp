#include "clockfaces.h"
#include "digitrow.h"

#include <QTest>
#include <QTime>

namespace {

// A row showing `initial`, leftmost cell first ("-" for dark), as a number row keeps it:
// cell 0 is the units digit.
DigitRow makeRow(const QString& initial)
{
    DigitRow row(static_cast<int>(initial.size()));
    for (int i = 0; i < row.size(); ++i) {
        const QChar c = initial[initial.size() - 1 - i];
        row.set(i, c == QLatin1Char('-') ? DigitRow::Blank : c.digitValue());
    }
    return row;
}

QString show(const DigitRow& row)
{
    QString s;
    for (int i = row.size(); i-- > 0;)
        s += row[i] < 0 ? QChar('-') : QChar('0' + row[i]);
    return s;
}

// The clock row reads cell 0 leftmost, with the separator after cell 1: ':' for a colon,
// '.' for the decimal point.
QString clockPicture(const DigitRow& time, bool colon)
{
    auto digit = [&](int k) { return time[k] < 0 ? QChar('-') : QChar('0' + time[k]); };
    return QString() + digit(0) + digit(1) + (colon ? ':' : '.') + digit(2) + digit(3);
}

} // namespace

// Digit rows as values: number texts applied to a row, and the clock and penalty faces.
class TestDigits : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void showDigits_data()
    {
        QTest::addColumn<QString>("before");
        QTest::addColumn<QString>("text");
        QTest::addColumn<int>("min");
        QTest::addColumn<int>("max");
        QTest::addColumn<QString>("after");

        auto row = [](const char* name, const char* before, const QString& text, int min, int max,
                      const char* after) {
            QTest::newRow(name) << QString::fromLatin1(before) << text << min << max
                                << QString::fromLatin1(after);
        };
        row("a digit on a blank score", "---", "5", -1, 199, "--5");
        row("no leading zeros", "---", "007", -1, 199, "--7");
        row("zero shows one lit zero", "-12", "0", -1, 199, "--0");
        row("three digits", "--0", "199", -1, 199, "199");
        row("above the maximum is refused", "199", "+1", -1, 199, "199");
        row("below the minimum is refused", "-0", "-2", -1, 99, "-0");
        row("digits then letters", "--", "12ab", -1, 99, "12");
        row("lone plus re-shows the value", "-5", "+", -1, 99, "-5");
        row("a letter first changes nothing", "-5", "x12", -1, 99, "-5");
        row("empty text changes nothing", "-5", "", -1, 99, "-5");
        row("fraction dropped", "--", "4.7", -1, 99, "-4");
        row("NUL blanks a penalty row", "-17", QString(QChar(0)), -1, -1, "---");
        row("NUL leaves the period", "2", QString(QChar(0)), 0, 9, "2");
        row("the period never blanks", "0", "-1", 0, 9, "0");
        row("a huge number is out of range", "-5", "99999999999999999999", -1, 199, "-5");
        row("more digits than cells shows the right ones", "--", "123", -1, 999, "23");
    }
    void showDigits()
    {
        QFETCH(QString, before);
        QFETCH(QString, text);
        QFETCH(int, min);
        QFETCH(int, max);
        QFETCH(QString, after);
        DigitRow row = makeRow(before);
        ShowDigits(row, text, static_cast<int16_t>(min), static_cast<int16_t>(max));
        QCOMPARE(show(row), after);
    }

    void showClock_data()
    {
        QTest::addColumn<QString>("t");
        QTest::addColumn<QString>("picture");
        for (const auto& [t, picture] : {std::pair{"65", "-1:05"},
                                         {"60", "-1:00"},
                                         {"60.1", "-1:01"}, // seconds round up
                                         {"5999", "99:59"},
                                         {"59.9", "59.9-"},
                                         {"10", "10.0-"},
                                         {"5.3", "-5.3-"},
                                         {"0", "-0.0-"}})
            QTest::newRow(t) << QString::fromLatin1(t) << QString::fromLatin1(picture);
    }
    void showClock()
    {
        QFETCH(QString, t);
        QFETCH(QString, picture);
        DigitRow time = makeRow("8888");
        bool colon = false;
        ShowClock(*Fixed4::parse(t), time, colon);
        QCOMPARE(clockPicture(time, colon), picture);
    }

    void displayTime_data()
    {
        QTest::addColumn<QString>("t");
        QTest::addColumn<QString>("picture");
        for (const auto& [t, picture] : {std::pair{"599", "959"},
                                         {"45", "045"},
                                         {"0", "000"},
                                         {"0.3", "001"}, // seconds round up
                                         {"119.1", "200"}})
            QTest::newRow(t) << QString::fromLatin1(t) << QString::fromLatin1(picture);
    }
    void displayTime()
    {
        QFETCH(QString, t);
        QFETCH(QString, picture);
        DigitRow penalty = makeRow("888");
        DisplayTime(penalty, *Fixed4::parse(t));
        QCOMPARE(show(penalty), picture);
    }

    void timeOfDay_data()
    {
        QTest::addColumn<int>("hour");
        QTest::addColumn<int>("minute");
        QTest::addColumn<bool>("twelveHour");
        QTest::addColumn<int>("value");
        QTest::addColumn<QString>("picture");

        // Between midnight and one the 24-hour clock shows hours:minutes, not seconds.
        QTest::newRow("24h 0:05") << 0 << 5 << false << 5 << "-0:05";
        QTest::newRow("24h 9:05") << 9 << 5 << false << 545 << "-9:05";
        QTest::newRow("24h 23:59") << 23 << 59 << false << 1439 << "23:59";
        QTest::newRow("12h 0:05") << 0 << 5 << true << 725 << "12:05";
        QTest::newRow("12h 12:30") << 12 << 30 << true << 750 << "12:30";
        QTest::newRow("12h 13:05") << 13 << 5 << true << 65 << "-1:05";
    }
    void timeOfDay()
    {
        QFETCH(int, hour);
        QFETCH(int, minute);
        QFETCH(bool, twelveHour);
        QFETCH(int, value);
        QFETCH(QString, picture);
        QCOMPARE(TimeOfDayValue(QTime(hour, minute, 42), twelveHour), value);
        DigitRow time = makeRow("8888");
        bool colon = false;
        ShowTimeOfDay(value, time, colon);
        QCOMPARE(clockPicture(time, colon), picture);
    }

    void shortRowsAreTolerated()
    {
        DigitRow two = makeRow("88");
        bool colon = false;
        ShowClock(Fixed4::whole(600), two, colon);
        DigitRow none;
        DisplayTime(none, Fixed4::whole(5));
        QCOMPARE(show(two), QStringLiteral("01"));
        QCOMPARE(none.size(), 0);
    }
};

QTEST_GUILESS_MAIN(TestDigits)
#include "tst_digits.moc"
