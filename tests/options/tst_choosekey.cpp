#include "fakes.h"
#include "frmchoosekey.h"
#include "testmain.h"

#include "label.h"

#include <QKeyEvent>

namespace {

// The working copy's keys in the dialog's order: start/stop, reset, clear, clock switch,
// penalty clock, buzzer, horn.
constexpr frmChooseKey::HeldKeys Defaults = {83, 82, 46, 67, 73, 66, 71};
constexpr int16_t Horn = 71;

} // namespace

Q_DECLARE_METATYPE(frmChooseKey::HeldKeys)

class TestChooseKey : public QObject
{
    Q_OBJECT

    FakeDialogs dialogs;
    FakeKeyboard keyboard; // NumLock on: keypad digits are keypad digits

private Q_SLOTS:
    void init() { dialogs.beeps = 0; }

    void asksForTheCommandsKey()
    {
        frmChooseKey chooser(nullptr, QStringLiteral("sound the horn"), Horn, Defaults);
        QCOMPARE(chooser.windowTitle(), QStringLiteral("Choose Key"));
        QCOMPARE(chooser.lblChoose->Caption(),
                 QStringLiteral("Press the key you would like to sound the horn."));
        QCOMPARE(chooser.ChosenKey, QStringLiteral("0"));
        QVERIFY(chooser.lblUsed->isHidden());
    }

    void keys_data()
    {
        QTest::addColumn<int>("current");
        QTest::addColumn<frmChooseKey::HeldKeys>("held");
        QTest::addColumn<int>("key");
        QTest::addColumn<int>("modifiers");
        QTest::addColumn<int>("chosen"); // 0: refused

        const int none = Qt::NoModifier;
        const int keypad = Qt::KeypadModifier;
        frmChooseKey::HeldKeys moved = Defaults;
        moved[0] = 88; // start/stop moved from S to X

        QTest::newRow("the horn's own G") << 71 << Defaults << int(Qt::Key_G) << none << 71;
        QTest::newRow("S held by start/stop") << 71 << Defaults << int(Qt::Key_S) << none << 0;
        QTest::newRow("shifted S is S")
            << 71 << Defaults << int(Qt::Key_S) << int(Qt::ShiftModifier) << 0;
        QTest::newRow("S after it moved to X") << 71 << moved << int(Qt::Key_S) << none << 83;
        QTest::newRow("X after the move, for the buzzer")
            << 66 << moved << int(Qt::Key_X) << none << 0;
        QTest::newRow("start/stop takes its X back") << 88 << moved << int(Qt::Key_X) << none << 88;
        QTest::newRow("Delete held by clear") << 71 << Defaults << int(Qt::Key_Delete) << none << 0;
        QTest::newRow("Delete for clear itself")
            << 46 << Defaults << int(Qt::Key_Delete) << none << 46;
        QTest::newRow("free letter") << 71 << Defaults << int(Qt::Key_Q) << none << 81;
        QTest::newRow("free letter with Ctrl")
            << 71 << Defaults << int(Qt::Key_Q) << int(Qt::ControlModifier) << 81;

        for (int k : {Qt::Key_0, Qt::Key_5, Qt::Key_9})
            QTest::addRow("digit %c", char(k)) << 71 << Defaults << k << none << 0;
        QTest::newRow("keypad digit") << 71 << Defaults << int(Qt::Key_7) << keypad << 0;
        QTest::newRow("keypad plus") << 71 << Defaults << int(Qt::Key_Plus) << keypad << 0;
        const std::pair<const char*, int> refused[] = {
            {"Space", Qt::Key_Space},
            {"Left", Qt::Key_Left},
            {"Right", Qt::Key_Right},
            {"Up", Qt::Key_Up},
            {"Down", Qt::Key_Down},
            {"Escape", Qt::Key_Escape},
            {"Shift", Qt::Key_Shift},
            {"Alt", Qt::Key_Alt},
            {"Tab", Qt::Key_Tab},
            {"Caps Lock", Qt::Key_CapsLock},
            {"Num Lock", Qt::Key_NumLock},
            {"F1", Qt::Key_F1},
            {"F2", Qt::Key_F2},
            {"equals", Qt::Key_Equal},
            {"minus", Qt::Key_Minus},
        };
        for (const auto& [name, k] : refused)
            QTest::newRow(name) << 71 << Defaults << k << none << 0;

        for (int f = 3; f <= 12; ++f)
            QTest::addRow("F%d", f) << 71 << Defaults << int(Qt::Key_F1) + f - 1 << none << 111 + f;
        const std::tuple<const char*, int, int, int> accepted[] = {
            {"Enter", Qt::Key_Return, none, 13},       {"Ctrl", Qt::Key_Control, none, 17},
            {"Backspace", Qt::Key_Backspace, none, 8}, {"Insert", Qt::Key_Insert, none, 45},
            {"Home", Qt::Key_Home, none, 36},          {"End", Qt::Key_End, none, 35},
            {"Page Up", Qt::Key_PageUp, none, 33},     {"Page Down", Qt::Key_PageDown, none, 34},
            {"Pause/Break", Qt::Key_Pause, none, 19},  {"Numpad *", Qt::Key_Asterisk, keypad, 106},
            {"Numpad /", Qt::Key_Slash, keypad, 111},  {"quote", Qt::Key_Apostrophe, none, 222},
            {"full stop", Qt::Key_Period, none, 190},
        };
        for (const auto& [name, k, mods, code] : accepted)
            QTest::newRow(name) << 71 << Defaults << k << mods << code;
    }
    void keys()
    {
        QFETCH(int, current);
        QFETCH(frmChooseKey::HeldKeys, held);
        QFETCH(int, key);
        QFETCH(int, modifiers);
        QFETCH(int, chosen);
        frmChooseKey chooser(nullptr, QStringLiteral("do it"), static_cast<int16_t>(current), held);
        chooser.show();
        // One key press carrying its modifiers, without the modifier keys' own presses.
        QKeyEvent press(QEvent::KeyPress, key, Qt::KeyboardModifiers(modifiers));
        QApplication::sendEvent(&chooser, &press);
        if (chosen == 0) {
            QVERIFY(chooser.isVisible());
            QVERIFY(chooser.lblUsed->isVisible());
            QCOMPARE(chooser.ChosenKey, QStringLiteral("0"));
            QCOMPARE(dialogs.beeps, 1);
        } else {
            QVERIFY(!chooser.isVisible());
            QCOMPARE(chooser.result(), int(QDialog::Accepted));
            QCOMPARE(chooser.ChosenKey, QString::number(chosen));
            QCOMPARE(dialogs.beeps, 0);
        }
    }

    void modifierKeysArePressesOfTheirOwn()
    {
        // Shift+G: Shift is refused on its own, then G is the horn's own key.
        frmChooseKey chooser(nullptr, QStringLiteral("sound the horn"), Horn, Defaults);
        chooser.show();
        QTest::keyClick(&chooser, Qt::Key_G, Qt::ShiftModifier);
        QCOMPARE(dialogs.beeps, 1);
        QCOMPARE(chooser.ChosenKey, QStringLiteral("71"));
    }

    void refusalThenAnotherTry()
    {
        frmChooseKey chooser(nullptr, QStringLiteral("sound the horn"), Horn, Defaults);
        chooser.show();
        QTest::keyClick(&chooser, Qt::Key_B);
        QTest::keyClick(&chooser, Qt::Key_F2);
        QCOMPARE(dialogs.beeps, 2);
        QTest::keyClick(&chooser, Qt::Key_K);
        QVERIFY(chooser.lblUsed->isHidden());
        QCOMPARE(chooser.ChosenKey, QStringLiteral("75"));
    }

    void closeBoxMeansNoKey()
    {
        frmChooseKey chooser(nullptr, QStringLiteral("sound the horn"), Horn, Defaults);
        chooser.show();
        QTest::keyClick(&chooser, Qt::Key_S);
        chooser.close();
        QVERIFY(!chooser.isVisible());
        QCOMPARE(chooser.result(), int(QDialog::Rejected));
        QCOMPARE(chooser.ChosenKey, QStringLiteral("0"));
    }

    void textsFitTheirBoxes_data()
    {
        QTest::addColumn<QString>("phrase");
        QTest::newRow("longest") << "start / stop an independent penalty clock";
        QTest::newRow("shortest") << "reset the clock";
    }
    void textsFitTheirBoxes()
    {
        QFETCH(QString, phrase);
        frmChooseKey chooser(nullptr, phrase, Horn, Defaults);
        for (const Label* l : {chooser.lblChoose, chooser.lblUsed}) {
            const QFontMetrics fm(l->drawFont());
            const QRect need =
                fm.boundingRect(QRect(0, 0, l->width(), 100000), Qt::TextWordWrap, l->Caption());
            QVERIFY2(need.height() <= l->height(), qPrintable(l->Name()));
            QVERIFY(l->geometry().bottom() < chooser.height());
        }
    }
};

PL_TEST_MAIN(TestChooseKey)
#include "tst_choosekey.moc"
