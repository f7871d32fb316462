#include "boardfixture.h"
#include "settingsbacking.h"
#include "testmain.h"
#include "twips.h"

#include <QFile>
#include <QKeyEvent>
#include <QRandomGenerator>

// The board under input nobody should give it: absurd window sizes and a flood of random
// keys. It keeps running and never touches the settings file.
class TestBadInput : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void impossibleWindowSizes()
    {
        BoardFixture f;
        frmScoreBoard& b = f.b();
        b.resize(1, 1);
        QTRY_VERIFY(b.width() <= 2);
        QCoreApplication::processEvents();
        QVERIFY(b.grab().width() >= 1);
        for (const Control* c : b.Controls())
            QVERIFY(c->FontSize() == 0 || c->FontSize() >= 1);

        // A window far beyond any screen stops at 8K: its picture would need gigabytes.
        b.resize(20000, 20000);
        QCoreApplication::processEvents();
        QTRY_VERIFY(b.width() > 1000);
        QVERIFY(b.width() <= 7680 && b.height() <= 4320);
        b.resize(632, 453);
        QTRY_COMPARE(b.size(), QSize(632, 453));
        QCOMPARE(b.box(Field::Time)->Left(), 2835.0);
    }

    void aHundredThousandRandomKeys()
    {
        // The real settings file, to prove the keys never write to it.
        setSettingsBacking(nullptr);
        Settings = SettingVariables();
        LoadSettings();
        settingsBacking().flush();
        QFile file(IniSettingsBacking::filePath(QStringLiteral("Pucklight")));
        QVERIFY(file.open(QIODevice::ReadOnly));
        const QByteArray before = file.readAll();
        file.close();
        QVERIFY(!before.isEmpty());

        BoardFixture f;
        frmScoreBoard& b = f.b();
        // Every key a keyboard has that the board might see; F2 opens a modal dialog and
        // waits for the operator, so it is left out of the flood.
        std::vector<int> keys;
        for (int k = Qt::Key_Space; k <= Qt::Key_AsciiTilde; ++k)
            keys.push_back(k);
        for (int k :
             {Qt::Key_Return, Qt::Key_Enter,    Qt::Key_Delete,  Qt::Key_Backspace, Qt::Key_Left,
              Qt::Key_Right,  Qt::Key_Up,       Qt::Key_Down,    Qt::Key_Home,      Qt::Key_End,
              Qt::Key_PageUp, Qt::Key_PageDown, Qt::Key_Insert,  Qt::Key_Escape,    Qt::Key_F1,
              Qt::Key_F3,     Qt::Key_F12,      Qt::Key_NumLock, Qt::Key_Shift,     Qt::Key_Control,
              Qt::Key_Alt,    Qt::Key_Tab,      Qt::Key_Backtab})
            keys.push_back(k);
        QRandomGenerator rng(100000);
        for (int i = 0; i < 100000; ++i) {
            QWidget* target = b.box(static_cast<Field>(rng.bounded(FieldCount)));
            const auto key = static_cast<Qt::Key>(keys[rng.bounded(static_cast<int>(keys.size()))]);
            Qt::KeyboardModifiers mods = Qt::NoModifier;
            if (rng.bounded(8) == 0)
                mods |= Qt::KeypadModifier;
            if (rng.bounded(8) == 0)
                mods |= Qt::ShiftModifier;
            QKeyEvent press(QEvent::KeyPress, key, mods);
            QKeyEvent release(QEvent::KeyRelease, key, mods);
            QApplication::sendEvent(target, &press);
            QApplication::sendEvent(target, &release);
            if (i % 10 == 0)
                f.tick();
        }
        // Still answering: a typed score goes in. (What keys leave in the rows: fuzz_entry.)
        f.type(Field::Visitor, " 42\n");
        QCOMPARE(f.shown(Field::Visitor), QStringLiteral("-42"));

        QVERIFY(file.open(QIODevice::ReadOnly));
        QCOMPARE(file.readAll(), before);
        // Help windows opened by F1 go away with the test.
        for (QWidget* w : QApplication::topLevelWidgets())
            if (w != &b)
                w->close();
    }
};

PL_TEST_MAIN(TestBadInput)
#include "tst_badinput.moc"
