// SPDX-License-Identifier: GPL-3.0-or-later
#include "fakes.h"
#include "keyboard.h"
#include "testmain.h"

#include <QKeyEvent>

// Rows with a scan code carry Wayland's (Linux input code + 8); the others map Qt's key.
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
        QTest::addColumn<int>("scan");

        const Qt::KeyboardModifiers none;
        const Qt::KeyboardModifiers shift = Qt::ShiftModifier;
        const Qt::KeyboardModifiers keypad = Qt::KeypadModifier;

        QTest::newRow("digit 7") << int(Qt::Key_7) << none << true << 55 << 0;
        // Shift plays no part: the shifted signs of a US keyboard give their key.
        QTest::newRow("Shift+0") << int(Qt::Key_ParenRight) << shift << true << 48 << 0;
        QTest::newRow("+ (Shift+=)") << int(Qt::Key_Plus) << shift << true << 187 << 0;
        QTest::newRow("Ctrl+R") << int(Qt::Key_R) << Qt::KeyboardModifiers(Qt::ControlModifier)
                                << true << 82 << 0;
        const int navigation[] = {45, 35, 40, 34, 37, 12, 39, 36, 38, 33};
        for (int d = 0; d <= 9; ++d) {
            QTest::addRow("keypad %d, NumLock on", d)
                << Qt::Key_0 + d << keypad << true << 96 + d << 0;
            QTest::addRow("keypad %d, NumLock off", d)
                << Qt::Key_0 + d << keypad << false << navigation[d] << 0;
        }
        QTest::newRow("keypad point, on") << int(Qt::Key_Period) << keypad << true << 110 << 0;
        QTest::newRow("keypad point, off") << int(Qt::Key_Period) << keypad << false << 46 << 0;
        QTest::newRow("unknown") << int(Qt::Key_MediaPlay) << none << true << 0 << 0;

        // By place, the top row of a French keyboard (& é " ... ç à) is 1 to 9 and 0.
        QTest::newRow("wayland, AZERTY &") << int(Qt::Key_Ampersand) << none << true << 49 << 10;
        QTest::newRow("wayland, AZERTY ç") << int(Qt::Key_Ccedilla) << none << true << 57 << 18;
        QTest::newRow("wayland, AZERTY à") << int(Qt::Key_Agrave) << none << true << 48 << 19;
        // The keypad by place, whatever the compositor's NumLock (off here) made of it.
        QTest::newRow("wayland, keypad 0") << int(Qt::Key_Insert) << keypad << true << 96 << 90;
        QTest::newRow("wayland, keypad 5") << int(Qt::Key_Clear) << keypad << true << 101 << 84;
        QTest::newRow("wayland, keypad 9") << int(Qt::Key_PageUp) << keypad << true << 105 << 81;
        QTest::newRow("wayland, keypad 7, NumLock off")
            << int(Qt::Key_7) << keypad << false << 36 << 79;
        QTest::newRow("wayland, keypad point")
            << int(Qt::Key_Delete) << keypad << true << 110 << 91;
        // Letters follow the layout: AZERTY's A sits where QWERTY has Q.
        QTest::newRow("wayland, AZERTY A") << int(Qt::Key_A) << none << true << 65 << 32;
    }

    void keyCodes()
    {
        QFETCH(int, key);
        QFETCH(Qt::KeyboardModifiers, mods);
        QFETCH(bool, numLock);
        QFETCH(int, scan);
        FakeKeyboard keyboard;
        keyboard.on = numLock;
        const QKeyEvent e(QEvent::KeyPress, key, mods, static_cast<quint32>(scan), 0, 0);
        QTEST(int(virtualKeyCode(e, scan != 0 ? u"wayland" : u"offscreen")), "code");
    }

    // Offscreen there is no real NumLock: the program's own follows the NumLock key.
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
