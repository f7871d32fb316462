#include "boardfixture.h"
#include "settingsbacking.h"
#include "testmain.h"

#include <QFile>
#include <QKeyEvent>
#include <QRandomGenerator>

// The board under a flood of random keys: it keeps answering and never touches the settings
// file. (Absurd window sizes: tst_layout.)
class TestBadInput : public QObject
{
    Q_OBJECT

private Q_SLOTS:
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
        // Every key a keyboard has that the board might see, up to F12 (and gaps between);
        // F2 opens a modal dialog and waits for the operator, so it is left out of the flood.
        std::vector<int> keys;
        for (int k = Qt::Key_Space; k <= Qt::Key_AsciiTilde; ++k)
            keys.push_back(k);
        for (int k = Qt::Key_Escape; k <= Qt::Key_F12; ++k)
            if (k != Qt::Key_F2)
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
    }
};

PL_TEST_MAIN(TestBadInput)
#include "tst_badinput.moc"
