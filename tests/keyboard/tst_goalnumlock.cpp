#include "boardfixture.h"
#include "colors.h"
#include "image.h"
#include "label.h"
#include "shape.h"
#include "testmain.h"

#include <QKeyEvent>

// The goal lamps, and holding NumLock in the chosen state.
class TestGoalNumLock : public QObject
{
    Q_OBJECT

    static QString lamps(const frmScoreBoard& b)
    {
        const QColor lit = toQColor(Settings.ScoreColor);
        return QString(b.shpGoalH->FillColor() == lit ? QChar('H') : QChar('-')) +
               (b.shpGoalV->FillColor() == lit ? QChar('V') : QChar('-'));
    }

private Q_SLOTS:
    void arrowKeys()
    {
        BoardFixture f;
        frmScoreBoard& b = f.b();
        QTest::keyClick(b.picGoalBack, Qt::Key_Left);
        QCOMPARE(lamps(b), QStringLiteral("H-"));
        QTest::keyClick(b.picGoalBack, Qt::Key_Left);
        QCOMPARE(lamps(b), QStringLiteral("H-"));
        QTest::keyClick(b.picGoalBack, Qt::Key_Right);
        QCOMPARE(lamps(b), QStringLiteral("-V"));
        QTest::keyClick(b.picGoalBack, Qt::Key_Up);
        QCOMPARE(lamps(b), QStringLiteral("-V"));
        QTest::keyClick(b.picGoalBack, Qt::Key_S); // the clock, not the lamps
        QCOMPARE(lamps(b), QStringLiteral("-V"));
        QCOMPARE(IsRunning(GameClock), int16_t(-1));
        QTest::keyClick(b.picGoalBack, Qt::Key_Down);
        QCOMPARE(lamps(b), QStringLiteral("--"));
        // Arrows elsewhere light nothing.
        QTest::keyClick(b.HomeBack, Qt::Key_Left);
        QCOMPARE(lamps(b), QStringLiteral("--"));
    }

    void clicks()
    {
        BoardFixture f;
        frmScoreBoard& b = f.b();
        QTest::mouseClick(b.imgGoalCoverH, Qt::LeftButton);
        QCOMPARE(lamps(b), QStringLiteral("H-"));
        QCOMPARE(QApplication::focusWidget(), b.picGoalBack);
        QTest::mouseClick(b.imgGoalCoverH, Qt::LeftButton);
        QCOMPARE(lamps(b), QStringLiteral("--"));
        QTest::mouseClick(b.imgGoalCoverH, Qt::LeftButton);
        QTest::mouseClick(b.imgGoalCoverV, Qt::LeftButton);
        QCOMPARE(lamps(b), QStringLiteral("-V"));
        b.HomeBack->setFocus();
        QTest::mouseClick(b.lblGoalH, Qt::LeftButton); // a caption only selects the strip
        QCOMPARE(QApplication::focusWidget(), b.picGoalBack);
        QCOMPARE(lamps(b), QStringLiteral("-V"));
    }

    void numLockModes_data()
    {
        QTest::addColumn<int>("mode");
        QTest::addColumn<bool>("before");
        QTest::addColumn<bool>("after");
        QTest::newRow("normal leaves it on") << 0 << true << true;
        QTest::newRow("normal leaves it off") << 0 << false << false;
        QTest::newRow("keep on") << 1 << false << true;
        QTest::newRow("keep off") << 2 << true << false;
        QTest::newRow("unknown mode leaves it") << 3 << false << false;
    }
    void numLockModes()
    {
        QFETCH(int, mode);
        QFETCH(bool, before);
        QFETCH(bool, after);
        BoardFixture f(true, [&] { Settings.NumLockForce = mode; });
        frmScoreBoard& b = f.b();
        f.keyboard.on = before;
        b.UpdateNumLock();
        QCOMPARE(f.keyboard.on, after);
        // The operator presses NumLock on a field: its release puts the mode back, once.
        f.keyboard.on = !after;
        f.keyboard.toggles = 0;
        QTest::keyRelease(b.HomeBack, Qt::Key_NumLock);
        QCOMPARE(f.keyboard.on, mode == 1 || mode == 2 ? after : !after);
        QCOMPARE(f.keyboard.toggles, mode == 1 || mode == 2 ? 1 : 0);
        QTest::keyRelease(b.HomeBack, Qt::Key_NumLock);
        QCOMPARE(f.keyboard.toggles, mode == 1 || mode == 2 ? 1 : 0);
    }

    void keypadFollowsNumLock()
    {
        BoardFixture f;
        frmScoreBoard& b = f.b();
        // With NumLock off the keypad gives the navigation keys: 4 and 6 are the arrows.
        f.keyboard.on = false;
        QTest::keyClick(b.picGoalBack, Qt::Key_4, Qt::KeypadModifier);
        QCOMPARE(lamps(b), QStringLiteral("H-"));
        QTest::keyClick(b.picGoalBack, Qt::Key_6, Qt::KeypadModifier);
        QCOMPARE(lamps(b), QStringLiteral("-V"));
        f.type(b.HomeBack, "7\n");
        QTest::keyClick(b.HomeBack, Qt::Key_Period, Qt::KeypadModifier); // Delete: clears
        QCOMPARE(shown(b.pledHome), QStringLiteral("---"));
    }
};

PL_TEST_MAIN(TestGoalNumLock)
#include "tst_goalnumlock.moc"
