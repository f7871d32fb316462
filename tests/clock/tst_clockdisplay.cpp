#include "clockdisplay.h"
#include "colors.h"
#include "fakes.h"
#include "polyled.h"
#include "settingvariables.h"
#include "shape.h"
#include "testmain.h"

#include <QTime>
#include <memory>

namespace {

constexpr int32_t Border = 0x123456;
constexpr int32_t Back = 0x654321;
constexpr int32_t Stale = 0x00FF00;

} // namespace

// The clock row with its dots, and a penalty row, as the board has them.
class TestClockDisplay : public QObject
{
    Q_OBJECT

    std::unique_ptr<QWidget> board;
    std::vector<PolyLED*> time;
    std::vector<Shape*> dots;
    std::vector<PolyLED*> penalty;

    // Every digit lit with 8 and both dots in a third colour, so nothing passes by chance.
    void scramble()
    {
        for (PolyLED* d : time)
            d->setCaption(8);
        for (PolyLED* d : penalty)
            d->setCaption(8);
        for (Shape* s : dots)
            s->setFillColor(toQColor(Stale));
    }

    // Members 0 to 3 left to right, '-' for a dark one, the separator after member 1:
    // ':' for both dots lit, '.' for the lower one alone.
    QString clockPicture() const
    {
        auto digit = [](const PolyLED* d) {
            return d->Caption() < 0 ? QLatin1Char('-') : QLatin1Char(char('0' + d->Caption()));
        };
        const bool upper = dots[0]->FillColor() == toQColor(Border);
        const bool upperHidden = dots[0]->FillColor() == toQColor(Back);
        const bool lower = dots[1]->FillColor() == toQColor(Border);
        const QChar sep = QLatin1Char(!lower ? '?' : upper ? ':' : upperHidden ? '.' : '?');
        return QString() + digit(time[0]) + digit(time[1]) + sep + digit(time[2]) + digit(time[3]);
    }

private Q_SLOTS:
    void initTestCase()
    {
        Settings.BorderColor = Border;
        Settings.LEDBack = Back;
        board = std::make_unique<QWidget>();
        for (int i = 0; i < 4; ++i)
            time.push_back(new PolyLED(board.get(), QStringLiteral("pledTime"), i));
        for (int i = 0; i < 2; ++i)
            dots.push_back(new Shape(board.get(), QStringLiteral("Shape2"), i));
        for (int i = 0; i < 3; ++i)
            penalty.push_back(new PolyLED(board.get(), QStringLiteral("pledPenaltyTH1"), i));
    }
    void init() { scramble(); }

    void showClock_data()
    {
        QTest::addColumn<QString>("t");
        QTest::addColumn<QString>("picture");
        for (const auto& [t, picture] : {std::pair{"600", "10:00"},
                                         {"65", "-1:05"},
                                         {"60", "-1:00"},
                                         {"60.1", "-1:01"}, // seconds round up
                                         {"597.5", "-9:58"},
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
        ShowClock(*Fixed4::parse(t), time, dots);
        QCOMPARE(clockPicture(), picture);
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
        DisplayTime(penalty, *Fixed4::parse(t));
        QString shown;
        for (int i = 2; i >= 0; --i)
            shown += QString::number(penalty[static_cast<size_t>(i)]->Caption());
        QCOMPARE(shown, picture);
        QCOMPARE(dots[0]->FillColor(), toQColor(Stale)); // the clock's dots are not touched
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
        ShowTimeOfDay(value, time, dots);
        QCOMPARE(clockPicture(), picture);
    }

    void timeOfDayFromTheTimeSource()
    {
        FakeTime source;
        source.local = QDateTime(QDate(2026, 3, 29), QTime(0, 7, 30));
        QCOMPARE(CurrentTimeOfDay(), 7);
        source.twelveHour = true;
        QCOMPARE(CurrentTimeOfDay(), 727);
        QCOMPARE(TimeOfDayValue(QTime(), false), 0);
    }

    void shortRowsAreTolerated()
    {
        const std::vector<PolyLED*> two(time.begin(), time.begin() + 2);
        ShowClock(Fixed4::whole(600), two, {});
        DisplayTime({}, Fixed4::whole(5));
        ShowTimeOfDay(5, {nullptr, nullptr}, {nullptr});
        QCOMPARE(time[0]->Caption(), int16_t(1));
        QCOMPARE(time[2]->Caption(), int16_t(8));
    }
};

PL_TEST_MAIN(TestClockDisplay)
#include "tst_clockdisplay.moc"
