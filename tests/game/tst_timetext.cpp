#include "timetext.h"

#include <QTest>

namespace {

// Entry characters of a string, with '\r' as Enter.
QList<int> keys(const char* typed)
{
    QList<int> codes;
    for (const char* c = typed; *c; ++c)
        codes << (*c == '\r' ? entry::Enter : *c);
    return codes;
}

constexpr int Clock = 0;
constexpr int Penalty = 8;

} // namespace

class TestTimeText : public QObject
{
    Q_OBJECT
    TypedText buffer;

private Q_SLOTS:
    void init() { buffer = {}; }

    void parseTime_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("expected");
        auto row = [](const char* text, const char* expected, const char* why = "") {
            QTest::addRow("%s%s", text, why) << QString::fromUtf8(text) << expected;
        };
        row("5", "300");
        row("1.3", "63", " (one seconds digit)");
        row("0.455", "45.5");
        row("1.75", "135", " (seconds over 59)");
        row("99.999", "6039.9", " (largest)");
        row("", "0", "empty");
        row(".", "0");
        row(".5", "5");
        row("1.", "60");
        row("0.4567", "45.6", " (digits after tenths ignored)");
        row("00001.30", "90", " (eight characters)");
        row("0000001.3", "-1", " (nine characters)");
        row("1.2.3", "-1");
        row("-5", "-1");
        row("\u0665", "-1", " (non-ASCII digit)");
    }
    void parseTime()
    {
        QFETCH(QString, text);
        QFETCH(QString, expected);
        QCOMPARE(ParseTime(text).toText(), expected);
    }

    void typeTime_data()
    {
        QTest::addColumn<int>("row");
        QTest::addColumn<QList<int>>("typed");
        QTest::addColumn<int>("limit");
        QTest::addColumn<QString>("expected");

        QTest::newRow("5999.5 above the limit") << Clock << keys("99.595\r") << 5999 << "-1";
        QTest::newRow("Enter alone") << Clock << keys("\r") << 5999 << "0";
        QTest::newRow("space empties") << Clock << keys("12 3\r") << 5999 << "180";
        QTest::newRow("other keys ignored")
            << Clock << (QList<int>{'1', 0, -1, '+', 'A', '5'} << entry::Enter) << 5999 << "900";
        QTest::newRow("penalty limit") << Penalty << keys("9.59\r") << 599 << "599";
        QTest::newRow("long typing refused") << Clock << keys("1234567890123\r") << 5999 << "-1";
    }
    void typeTime()
    {
        QFETCH(int, row);
        QFETCH(QList<int>, typed);
        QFETCH(int, limit);
        QFETCH(QString, expected);
        // Only the Enter at the end gives a time.
        for (qsizetype k = 0; k + 1 < typed.size(); ++k)
            QCOMPARE(TypeTime(buffer, row, static_cast<int16_t>(typed[k]), limit), NoTime);
        QCOMPARE(TypeTime(buffer, row, static_cast<int16_t>(typed.last()), limit).toText(),
                 expected);
        // Enter always leaves the buffer empty, valid or not.
        QCOMPARE(TypeTime(buffer, row, entry::Enter, limit), ClockValue());
    }
};

QTEST_GUILESS_MAIN(TestTimeText)
#include "tst_timetext.moc"
