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
    void keyCodes_data();
    void keyCodes();
    void setNumLock_data();
    void setNumLock();
    void virtualNumLockFollowsTheKey();
};

void TestKeyboard::keyCodes_data()
{
    QTest::addColumn<int>("key");
    QTest::addColumn<Qt::KeyboardModifiers>("mods");
    QTest::addColumn<bool>("numLock");
    QTest::addColumn<int>("code");

    const Qt::KeyboardModifiers none;
    const Qt::KeyboardModifiers shift = Qt::ShiftModifier;
    const Qt::KeyboardModifiers keypad = Qt::KeypadModifier;

    for (int d = 0; d <= 9; ++d)
        QTest::addRow("digit %d", d) << Qt::Key_0 + d << none << true << 48 + d;
    const int shifted[] = {Qt::Key_ParenRight,  Qt::Key_Exclam,    Qt::Key_At,
                           Qt::Key_NumberSign,  Qt::Key_Dollar,    Qt::Key_Percent,
                           Qt::Key_AsciiCircum, Qt::Key_Ampersand, Qt::Key_Asterisk,
                           Qt::Key_ParenLeft};
    for (int d = 0; d <= 9; ++d)
        QTest::addRow("Shift+%d", d) << shifted[d] << shift << true << 48 + d;

    QTest::newRow("A") << int(Qt::Key_A) << none << true << 65;
    QTest::newRow("Shift+S") << int(Qt::Key_S) << shift << true << 83;
    QTest::newRow("Ctrl+R") << int(Qt::Key_R) << Qt::KeyboardModifiers(Qt::ControlModifier) << true
                            << 82;
    QTest::newRow("Alt+Z") << int(Qt::Key_Z) << Qt::KeyboardModifiers(Qt::AltModifier) << true
                           << 90;

    const int navigation[] = {45, 35, 40, 34, 37, 12, 39, 36, 38, 33};
    for (int d = 0; d <= 9; ++d) {
        QTest::addRow("keypad %d, NumLock on", d) << Qt::Key_0 + d << keypad << true << 96 + d;
        QTest::addRow("keypad %d, NumLock off", d)
            << Qt::Key_0 + d << keypad << false << navigation[d];
    }
    QTest::newRow("keypad point, on") << int(Qt::Key_Period) << keypad << true << 110;
    QTest::newRow("keypad point, off") << int(Qt::Key_Period) << keypad << false << 46;
    QTest::newRow("keypad comma, on") << int(Qt::Key_Comma) << keypad << true << 110;
    QTest::newRow("keypad End (NumLock off)") << int(Qt::Key_End) << keypad << false << 35;
    QTest::newRow("keypad +") << int(Qt::Key_Plus) << keypad << true << 107;
    QTest::newRow("keypad + off") << int(Qt::Key_Plus) << keypad << false << 107;
    QTest::newRow("keypad -") << int(Qt::Key_Minus) << keypad << true << 109;
    QTest::newRow("keypad *") << int(Qt::Key_Asterisk) << keypad << true << 106;
    QTest::newRow("keypad /") << int(Qt::Key_Slash) << keypad << true << 111;
    QTest::newRow("keypad Enter") << int(Qt::Key_Enter) << keypad << true << 13;

    QTest::newRow("=") << int(Qt::Key_Equal) << none << true << 187;
    QTest::newRow("+ (Shift+=)") << int(Qt::Key_Plus) << shift << true << 187;
    QTest::newRow("-") << int(Qt::Key_Minus) << none << true << 189;
    QTest::newRow("_ (Shift+-)") << int(Qt::Key_Underscore) << shift << true << 189;
    QTest::newRow(".") << int(Qt::Key_Period) << none << true << 190;
    QTest::newRow(",") << int(Qt::Key_Comma) << none << true << 188;
    QTest::newRow("Delete") << int(Qt::Key_Delete) << none << true << 46;
    QTest::newRow("Return") << int(Qt::Key_Return) << none << true << 13;
    QTest::newRow("Enter") << int(Qt::Key_Enter) << none << true << 13;
    QTest::newRow("Space") << int(Qt::Key_Space) << none << true << 32;
    QTest::newRow("Backspace") << int(Qt::Key_Backspace) << none << true << 8;
    QTest::newRow("Escape") << int(Qt::Key_Escape) << none << true << 27;
    for (int f = 1; f <= 12; ++f)
        QTest::addRow("F%d", f) << Qt::Key_F1 + f - 1 << none << true << 111 + f;
    QTest::newRow("NumLock") << int(Qt::Key_NumLock) << none << true << 144;
    QTest::newRow("Left") << int(Qt::Key_Left) << none << true << 37;
    QTest::newRow("Up") << int(Qt::Key_Up) << none << true << 38;
    QTest::newRow("Right") << int(Qt::Key_Right) << none << true << 39;
    QTest::newRow("Down") << int(Qt::Key_Down) << none << true << 40;
    QTest::newRow("unknown") << int(Qt::Key_MediaPlay) << none << true << 0;
}

void TestKeyboard::keyCodes()
{
    QFETCH(int, key);
    QFETCH(Qt::KeyboardModifiers, mods);
    QFETCH(bool, numLock);
    QFETCH(int, code);

    FakeKeyboard keyboard;
    keyboard.on = numLock;
    const QKeyEvent e(QEvent::KeyPress, key, mods);
    QCOMPARE(virtualKeyCode(e), code);
}

void TestKeyboard::setNumLock_data()
{
    QTest::addColumn<bool>("before");
    QTest::addColumn<int>("want");
    QTest::addColumn<bool>("after");
    QTest::addColumn<int>("toggles");
    QTest::newRow("off, want on") << false << -1 << true << 1;
    QTest::newRow("on, want on") << true << -1 << true << 0;
    QTest::newRow("on, want off") << true << 0 << false << 1;
    QTest::newRow("off, want off") << false << 0 << false << 0;
}

void TestKeyboard::setNumLock()
{
    QFETCH(bool, before);
    QFETCH(int, want);
    QFETCH(bool, after);
    QFETCH(int, toggles);

    FakeKeyboard keyboard;
    keyboard.on = before;
    SetNumLock(static_cast<int16_t>(want));
    QCOMPARE(keyboard.on, after);
    QCOMPARE(keyboard.toggles, toggles);
}

// Offscreen there is no real NumLock: the program's own follows the NumLock key.
void TestKeyboard::virtualNumLockFollowsTheKey()
{
    if (QGuiApplication::platformName() != QLatin1String("offscreen"))
        QSKIP("would switch the real NumLock");
    KeyboardState& k = keyboardState();
    SetNumLock(-1);
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

    SetNumLock(0);
    QCOMPARE(virtualKeyCode(keypad1), 35);
    SetNumLock(-1);
}

PL_TEST_MAIN(TestKeyboard)
#include "tst_keyboard.moc"
