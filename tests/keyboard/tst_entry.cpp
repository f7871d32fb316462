#include "boardfixture.h"
#include "shape.h"
#include "testmain.h"

// Selecting fields and typing numbers into them.
class TestEntry : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void wholeNumbers()
    {
        BoardFixture f;
        frmScoreBoard& b = f.b();
        f.type(b.HomeBack, "12\n");
        QCOMPARE(shown(b.pledHome), QStringLiteral("-12"));
        f.type(b.HomeBack, "200\n"); // above 199: the score stays
        QCOMPARE(shown(b.pledHome), QStringLiteral("-12"));
        f.type(b.HomeBack, "5 3\n"); // Space throws away what was typed
        QCOMPARE(shown(b.pledHome), QStringLiteral("--3"));
        // Keypad digits type like the others.
        QTest::keyClick(b.ShotsBackV, Qt::Key_4, Qt::KeypadModifier);
        QTest::keyClick(b.ShotsBackV, Qt::Key_2, Qt::KeypadModifier);
        QTest::keyClick(b.ShotsBackV, Qt::Key_Enter, Qt::KeypadModifier);
        QCOMPARE(shown(b.pledSOGV), QStringLiteral("42"));
    }

    void relativeChanges()
    {
        BoardFixture f;
        frmScoreBoard& b = f.b();
        f.type(b.HomeBack, "12\n");
        f.type(b.HomeBack, "+3"); // at once, without Enter
        QCOMPARE(shown(b.pledHome), QStringLiteral("-15"));
        f.type(b.HomeBack, "++3"); // waits for Enter
        QCOMPARE(shown(b.pledHome), QStringLiteral("-15"));
        f.type(b.HomeBack, "\n");
        QCOMPARE(shown(b.pledHome), QStringLiteral("-18"));
        f.type(b.ShotsBackH, "-1"); // 0 - 1 blanks
        QCOMPARE(shown(b.pledSOGH), QStringLiteral("--"));
        f.type(b.ShotsBackH, "+1");
        QCOMPARE(shown(b.pledSOGH), QStringLiteral("-1"));
        QTest::keyClick(b.ShotsBackH, Qt::Key_Equal); // the plus/equals key, unshifted
        f.type(b.ShotsBackH, "2");
        QCOMPARE(shown(b.pledSOGH), QStringLiteral("-3"));
        QTest::keyClick(b.ShotsBackH, Qt::Key_Delete);
        QCOMPARE(shown(b.pledSOGH), QStringLiteral("--"));
    }

    void period()
    {
        BoardFixture f;
        frmScoreBoard& b = f.b();
        f.type(b.PeriodBack, "2");
        QCOMPARE(shown(b.pledPeriod), QStringLiteral("2"));
        f.type(b.PeriodBack, "5");
        QCOMPARE(shown(b.pledPeriod), QStringLiteral("5"));
        f.type(b.PeriodBack, "\n");
        QTest::keyClick(b.PeriodBack, Qt::Key_Delete);
        QCOMPARE(shown(b.pledPeriod), QStringLiteral("5"));
        f.type(b.PeriodBack, "+4");
        QCOMPARE(shown(b.pledPeriod), QStringLiteral("9"));
        f.type(b.PeriodBack, "+1");
        QCOMPARE(shown(b.pledPeriod), QStringLiteral("9"));
    }

    void theBufferFollowsTheRow()
    {
        BoardFixture f;
        frmScoreBoard& b = f.b();
        // Typing into another field discards what was typed.
        f.type(b.HomeBack, "12");
        f.type(b.VisitorBack, "3\n");
        QCOMPARE(shown(b.pledVisitor), QStringLiteral("--3"));
        QCOMPARE(shown(b.pledHome), QStringLiteral("--0"));
        // Moving the selection away and back keeps it.
        b.HomeBack->setFocus();
        f.type(b.HomeBack, "1");
        QTest::keyClick(b.HomeBack, Qt::Key_Tab);
        QCOMPARE(QApplication::focusWidget(), b.VisitorBack);
        QTest::keyClick(b.VisitorBack, Qt::Key_Backtab, Qt::ShiftModifier);
        QCOMPARE(QApplication::focusWidget(), b.HomeBack);
        f.type(b.HomeBack, "2\n");
        QCOMPARE(shown(b.pledHome), QStringLiteral("-12"));
        // A command key in between does not disturb it.
        f.type(b.HomeBack, "4");
        QTest::keyClick(b.HomeBack, Qt::Key_S);
        f.type(b.HomeBack, "5\n");
        QCOMPARE(shown(b.pledHome), QStringLiteral("-45"));
        QCOMPARE(IsRunning(GameClock), int16_t(-1));
    }

    void tabOrderWrapsAround()
    {
        BoardFixture f;
        frmScoreBoard& b = f.b();
        b.TimeBack->setFocus();
        for (const auto& field : b.fields()) {
            QCOMPARE(QApplication::focusWidget(), field.container);
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        }
        QCOMPARE(QApplication::focusWidget(), b.TimeBack);
        QTest::keyClick(b.TimeBack, Qt::Key_Backtab, Qt::ShiftModifier);
        QCOMPARE(QApplication::focusWidget(), b.PenaltyTV2);
    }

    void clicksSelect()
    {
        BoardFixture f;
        frmScoreBoard& b = f.b();
        QTest::mouseClick(b.ShotsBackV, Qt::LeftButton);
        QCOMPARE(QApplication::focusWidget(), b.ShotsBackV);
        QTest::mouseClick(b.pledPenaltyTH2[1], Qt::LeftButton); // a digit selects its field
        QCOMPARE(QApplication::focusWidget(), b.PenaltyTH2);
    }

    void marker()
    {
        BoardFixture f;
        frmScoreBoard& b = f.b();
        Settings.LEDSelectedWidth = 3;
        b.ObjectSelected(b.HomeBack);
        Shape* m = b.shpObjectSelected;
        QVERIFY(m->isVisible());
        QCOMPARE(QRectF(m->Left(), m->Top(), m->Width(), m->Height()),
                 QRectF(315, 915, 2280, 1440));
        // Width 0 still leaves a one-pixel line along the right and bottom edges.
        Settings.LEDSelectedWidth = 0;
        b.ObjectSelected(b.HomeBack);
        QCOMPARE(QRectF(m->Left(), m->Top(), m->Width(), m->Height()),
                 QRectF(360, 960, 2190, 1350));
        b.ObjectSelected(nullptr);
        QVERIFY(!m->isVisible());
        // Focus moves the marker.
        Settings.LEDSelectedWidth = 2;
        b.PeriodBack->setFocus();
        QVERIFY(m->isVisible());
        QCOMPARE(m->Left(), 4410.0 - 30);
    }
};

PL_TEST_MAIN(TestEntry)
#include "tst_entry.moc"
