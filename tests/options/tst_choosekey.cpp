// SPDX-License-Identifier: GPL-3.0-or-later
#include "fakes.h"
#include "frmchoosekey.h"
#include "testmain.h"

#include "label.h"

#include <QKeyEvent>

namespace {

// The working copy's keys in the dialog's order: start/stop, reset, clear, clock switch,
// penalty clock, buzzer, horn.
const frmChooseKey::HeldKeys Defaults = {83, 82, 46, 67, 73, 66, 71};
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

    void keys_data()
    {
        QTest::addColumn<int>("current");
        QTest::addColumn<frmChooseKey::HeldKeys>("held");
        QTest::addColumn<int>("key");
        QTest::addColumn<int>("modifiers");
        QTest::addColumn<int>("chosen"); // 0: refused
        auto row = [](const char* name, int key, int chosen, int mods = Qt::NoModifier,
                      int current = Horn, const frmChooseKey::HeldKeys& held = Defaults) {
            QTest::newRow(name) << current << held << key << mods << chosen;
        };
        row("the horn's own G", Qt::Key_G, 71);
        row("S held by start/stop", Qt::Key_S, 0);
        row("shifted S is S", Qt::Key_S, 0, Qt::ShiftModifier);
        row("free letter with Ctrl", Qt::Key_Q, 81, Qt::ControlModifier);
        row("S after it moved to X", Qt::Key_S, 83, Qt::NoModifier, Horn,
            {88, 82, 46, 67, 73, 66, 71});

        // Keys without a name, and F1 and F2, which open help and these options.
        for (const int k : {Qt::Key_0, Qt::Key_Space, Qt::Key_Left, Qt::Key_Escape, Qt::Key_Shift,
                            Qt::Key_Tab, Qt::Key_NumLock, Qt::Key_F1, Qt::Key_F2})
            QTest::addRow("refused %s", qPrintable(QKeySequence(k).toString()))
                << int(Horn) << Defaults << k << int(Qt::NoModifier) << 0;
        row("keypad digit", Qt::Key_7, 0, Qt::KeypadModifier);

        // Named keys other than letters are taken with their key codes.
        row("F12", Qt::Key_F12, 123);
        row("Ctrl", Qt::Key_Control, 17);
        row("Numpad *", Qt::Key_Asterisk, 106, Qt::KeypadModifier);
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
        QCOMPARE(chooser.usedNote()->isVisible(), chosen == 0);
        QCOMPARE(dialogs.beeps, chosen == 0 ? 1 : 0);
        QCOMPARE(chooser.chosenKey(), QString::number(chosen));
        // Closing a chooser that refused the key chooses none.
        if (!chosen)
            chooser.close();
        QCOMPARE(chooser.result(), int(chosen ? QDialog::Accepted : QDialog::Rejected));
    }

    // Refusals leave the chooser waiting: Shift+G as typed brings Shift alone first, refused,
    // then G, the horn's own key. The texts fit their boxes for the longest command.
    void refusalsThenAKey()
    {
        frmChooseKey chooser(nullptr, QStringLiteral("start / stop an independent penalty clock"),
                             Horn, Defaults);
        QCOMPARE(chooser.choosePrompt()->Caption(),
                 QStringLiteral("Press the key you would like to start / stop an independent "
                                "penalty clock."));
        for (const Label* l : {chooser.choosePrompt(), chooser.usedNote()}) {
            const QFontMetrics fm(l->drawFont());
            const QRect need =
                fm.boundingRect(QRect(0, 0, l->width(), 100000), Qt::TextWordWrap, l->Caption());
            QVERIFY2(need.height() <= l->height(), qPrintable(l->Name()));
            QVERIFY(l->geometry().bottom() < chooser.height());
        }
        chooser.show();
        QTest::keyClick(&chooser, Qt::Key_B);
        QTest::keyClick(&chooser, Qt::Key_G, Qt::ShiftModifier);
        QCOMPARE(dialogs.beeps, 2);
        QVERIFY(chooser.usedNote()->isHidden());
        QCOMPARE(chooser.chosenKey(), QStringLiteral("71"));
    }
};

PL_TEST_MAIN(TestChooseKey)
#include "tst_choosekey.moc"
