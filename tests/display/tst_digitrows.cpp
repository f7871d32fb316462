#include "digitrows.h"
#include "form.h"
#include "polyled.h"
#include "settingvariables.h"
#include "testmain.h"

#include <memory>

// Number rows as the board shows them: ShowDigits's value texts, ranges and blanking, the
// colours of a row, and the digit style of a window.
class TestDigitRows : public QObject
{
    Q_OBJECT

    std::unique_ptr<Form> form;

    // A row of n digits named `name`, member 0 the units digit, showing `initial` (as the
    // board writes it: rightmost first; "-" for dark).
    DigitRow makeRow(const char* name, const QString& initial)
    {
        DigitRow row;
        const auto n = initial.size();
        for (qsizetype i = 0; i < n; ++i) {
            auto* d = new PolyLED(form.get(), QString::fromLatin1(name), static_cast<int>(i));
            const QChar c = initial[n - 1 - i];
            d->setCaption(c == QLatin1Char('-') ? PolyLED::BlankDigit
                                                : static_cast<int16_t>(c.digitValue()));
            form->addControl(d);
            row.push_back(d);
        }
        return row;
    }

    static QString show(const DigitRow& row)
    {
        QString s;
        for (auto i = row.size(); i-- > 0;)
            s += row[i]->Caption() < 0 ? QChar('-') : QChar('0' + row[i]->Caption());
        return s;
    }

private Q_SLOTS:
    void init() { form = std::make_unique<Form>(); }

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
        row("200 typed is refused", "-12", "200", -1, 199, "-12");
        row("relative change", "-12", "+3", -1, 199, "-15");
        row("blank counts as zero", "--", "+1", -1, 99, "-1");
        row("minus one from zero blanks", "-0", "-1", -1, 99, "--");
        row("below the minimum is refused", "-0", "-2", -1, 99, "-0");
        row("digits then letters", "--", "12ab", -1, 99, "12");
        row("lone plus re-shows the value", "-5", "+", -1, 99, "-5");
        row("a letter first changes nothing", "-5", "x12", -1, 99, "-5");
        row("empty text changes nothing", "-5", "", -1, 99, "-5");
        row("fraction dropped", "--", "4.7", -1, 99, "-4");
        row("sign then signed number", "-12", "++3", -1, 199, "-15");
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
        const DigitRow row = makeRow("pledTest", before);
        ShowDigits(row, text, static_cast<int16_t>(min), static_cast<int16_t>(max));
        QCOMPARE(show(row), after);
    }

    void colorLedsSetsLitAndBackground()
    {
        Settings.LEDBack = 0x102030;
        const DigitRow row = makeRow("pledPeriod", "3");
        ColorLeds(row, 0x00C000);
        QCOMPARE(row[0]->LitColor(), QColor(0, 0xC0, 0));
        QCOMPARE(row[0]->BackColor(), QColor(0x30, 0x20, 0x10));
        auto* lone = new PolyLED(form.get(), QStringLiteral("pledPreview"));
        ColorLeds(lone, 255);
        QCOMPARE(lone->LitColor(), QColor(255, 0, 0));
        QCOMPARE(lone->BackColor(), QColor(0x30, 0x20, 0x10));
        Settings = SettingVariables();
    }

    void setLedTypeTouchesOnlyDigits()
    {
        const DigitRow row = makeRow("pledHome", "12");
        SetLedType(*form, 1);
        QCOMPARE(row[0]->LedType(), 1);
        QCOMPARE(row[1]->LedType(), 1);
        Form empty;
        SetLedType(empty, 1); // nothing to change, nothing breaks
    }
};

PL_TEST_MAIN(TestDigitRows)
#include "tst_digitrows.moc"
