#include "fakes.h"
#include "keyboard.h"
#include "testmain.h"

#include <QKeyEvent>

// Key events made directly carry no native scan code, so these exercise the mapping from
// Qt's key and modifiers, which every platform without X11 relies on.
class TestKeyboard : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void keyCodes_data()
    {
        QTest::addColumn<int>("key");
        QTest::addColumn<Qt::KeyboardModifiers>("mods");
        QTest::addColumn<bool>("numLock");
        QTest::addColumn<int>("code");

        const Qt::KeyboardModifiers none;
        const Qt::KeyboardModifiers shift = Qt::ShiftModifier;
        const Qt::KeyboardModifiers keypad = Qt::KeypadModifier;

        QTest::newRow("digit 7") << int(Qt::Key_7) << none << true << 55;
        // Shift plays no part: the shifted signs of a US keyboard give their digit.
        QTest::newRow("Shift+0") << int(Qt::Key_ParenRight) << shift << true << 48;
        QTest::newRow("Shift+8") << int(Qt::Key_Asterisk) << shift << true << 56;
        QTest::newRow("Ctrl+R") << int(Qt::Key_R) << Qt::KeyboardModifiers(Qt::ControlModifier)
                                << true << 82;

        const int navigation[] = {45, 35, 40, 34, 37, 12, 39, 36, 38, 33};
        for (int d = 0; d <= 9; ++d) {
            QTest::addRow("keypad %d, NumLock on", d) << Qt::Key_0 + d << keypad << true << 96 + d;
            QTest::addRow("keypad %d, NumLock off", d)
                << Qt::Key_0 + d << keypad << false << navigation[d];
        }
        QTest::newRow("keypad point, on") << int(Qt::Key_Period) << keypad << true << 110;
        QTest::newRow("keypad point, off") << int(Qt::Key_Period) << keypad << false << 46;
        QTest::newRow("keypad +") << int(Qt::Key_Plus) << keypad << false << 107;
        QTest::newRow("keypad *") << int(Qt::Key_Asterisk) << keypad << true << 106;
        QTest::newRow("=") << int(Qt::Key_Equal) << none << true << 187;
        QTest::newRow("+ (Shift+=)") << int(Qt::Key_Plus) << shift << true << 187;
        QTest::newRow("-") << int(Qt::Key_Minus) << none << true << 189;
        QTest::newRow(".") << int(Qt::Key_Period) << none << true << 190;
        QTest::newRow("F12") << int(Qt::Key_F12) << none << true << 123;
        QTest::newRow("unknown") << int(Qt::Key_MediaPlay) << none << true << 0;
    }

    void keyCodes()
    {
        QFETCH(int, key);
        QFETCH(Qt::KeyboardModifiers, mods);
        QFETCH(bool, numLock);
        QFETCH(int, code);

        FakeKeyboard keyboard;
        keyboard.on = numLock;
        QCOMPARE(virtualKeyCode(QKeyEvent(QEvent::KeyPress, key, mods)), code);
    }

    // Offscreen there is no real NumLock: the program's own follows the NumLock key. (SetNumLock
    // against a keyboard that has one is covered by the settings' NumLock modes.)
    void virtualNumLockFollowsTheKey()
    {
        if (QGuiApplication::platformName() != QLatin1String("offscreen"))
            QSKIP("would switch the real NumLock");
        KeyboardState& k = keyboardState();
        SetNumLock(true);
        const QKeyEvent keypad1(QEvent::KeyPress, Qt::Key_1, Qt::KeypadModifier);
        QCOMPARE(virtualKeyCode(keypad1), 97);

        const QKeyEvent numLock(QEvent::KeyPress, Qt::Key_NumLock, Qt::NoModifier);
        k.observeKeyPress(numLock);
        QCOMPARE(virtualKeyCode(keypad1), 35);
        const QKeyEvent held(QEvent::KeyPress, Qt::Key_NumLock, Qt::NoModifier, QString(), true);
        k.observeKeyPress(held); // auto-repeat of a held key toggles nothing
        QCOMPARE(virtualKeyCode(keypad1), 35);
        k.observeKeyPress(numLock);
        QCOMPARE(virtualKeyCode(keypad1), 97);

        SetNumLock(false);
        QCOMPARE(virtualKeyCode(keypad1), 35);
        SetNumLock(true);
    }
};

PL_TEST_MAIN(TestKeyboard)
#include "tst_keyboard.moc"
