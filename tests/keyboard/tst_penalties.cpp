#include "boardfixture.h"
#include "colors.h"
#include "shape.h"
#include "testmain.h"

// Penalty slots: entering, running, expiring and clearing them.
class TestPenalties : public QObject
{
    Q_OBJECT

    static QColor lit() { return toQColor(Settings.ScoreColor); }
    static QColor dark() { return toQColor(Settings.FormBack); }
    static bool colonShown(const std::vector<Shape*>& dots)
    {
        return dots[0]->FillColor() == toQColor(Settings.BorderColor) &&
               dots[1]->FillColor() == toQColor(Settings.BorderColor);
    }

private Q_SLOTS:
    void enteringAPenalty()
    {
        BoardFixture f;
        frmScoreBoard& b = f.b();
        f.type(b.PenaltyPH1, "17\n");
        f.type(b.PenaltyTH1, "2\n");
        QCOMPARE(shown(b.pledPenaltyPH1), QStringLiteral("17"));
        QCOMPARE(shown(b.pledPenaltyTH1), QStringLiteral("200"));
        QVERIFY(colonShown(b.dotPenaltyTH1));
        QCOMPARE(b.shpPenaltyH[0]->FillColor(), lit());
        QCOMPARE(b.shpPenaltyH[1]->FillColor(), dark());
        QCOMPARE(IsRunning(1), int16_t(0)); // it waits for the start key

        f.type(b.PenaltyTH1, "1.30\n");
        QCOMPARE(shown(b.pledPenaltyTH1), QStringLiteral("130"));
        f.type(b.PenaltyTH1, "10\n"); // ten minutes is more than a penalty can hold
        QCOMPARE(shown(b.pledPenaltyTH1), QStringLiteral("130"));
        f.type(b.PenaltyTH1, "2.055\n"); // 125.5 s rounds to 126
        QCOMPARE(ReadClock(1), ClockValue::whole(126));
        QCOMPARE(shown(b.pledPenaltyTH1), QStringLiteral("206"));
        f.type(b.PenaltyTH1, "2.045\n"); // 124.5 s rounds to the even 124, not up
        QCOMPARE(ReadClock(1), ClockValue::whole(124));

        // Enter alone: 0:00 with its colon, and the lamp stays dark.
        f.type(b.PenaltyTV2, "\n");
        QCOMPARE(shown(b.pledPenaltyTV2), QStringLiteral("000"));
        QVERIFY(colonShown(b.dotPenaltyTV2));
        QCOMPARE(b.shpPenaltyV[1]->FillColor(), dark());
    }

    void clearingFromEitherField()
    {
        BoardFixture f;
        frmScoreBoard& b = f.b();
        for (QWidget* field :
             {static_cast<QWidget*>(b.PenaltyPV1), static_cast<QWidget*>(b.PenaltyTV1)}) {
            f.type(b.PenaltyPV1, "9\n");
            f.type(b.PenaltyTV1, "4\n");
            QTest::keyClick(b.PenaltyTV1, Qt::Key_I);
            QCOMPARE(IsRunning(3), int16_t(-1));
            QTest::keyClick(field, Qt::Key_Delete);
            QCOMPARE(shown(b.pledPenaltyPV1), QStringLiteral("--"));
            QCOMPARE(shown(b.pledPenaltyTV1), QStringLiteral("---"));
            QCOMPARE(IsRunning(3), int16_t(0));
            QCOMPARE(ReadClock(3), ClockValue());
            QVERIFY(!colonShown(b.dotPenaltyTV1));
            QCOMPARE(b.shpPenaltyV[0]->FillColor(), dark());
        }
    }

    void ownClockKey()
    {
        BoardFixture f;
        frmScoreBoard& b = f.b();
        f.type(b.PenaltyTH2, "2\n");
        QTest::keyClick(b.PenaltyPH2, Qt::Key_I); // nothing on the player field
        QCOMPARE(IsRunning(2), int16_t(0));
        QTest::keyClick(b.PenaltyTH2, Qt::Key_I);
        QCOMPARE(IsRunning(2), int16_t(-1));
        QCOMPARE(IsRunning(GameClock), int16_t(0));
        QVERIFY(b.tmrClock1.isActive());
        f.ticks(30);
        QTest::keyClick(b.PenaltyTH2, Qt::Key_I);
        QCOMPARE(IsRunning(2), int16_t(0));
        f.tick();
        QCOMPARE(shown(b.pledPenaltyTH2), QStringLiteral("157"));
    }

    void newTimeWhileTheGameRuns()
    {
        BoardFixture f;
        frmScoreBoard& b = f.b();
        f.type(b.PenaltyTH1, "2\n");
        QTest::keyClick(b.TimeBack, Qt::Key_S);
        f.ticks(10);
        f.type(b.PenaltyTV1, "5\n"); // stands still until started
        QCOMPARE(IsRunning(3), int16_t(0));
        QCOMPARE(IsRunning(1), int16_t(-1));
        QTest::keyClick(b.TimeBack, Qt::Key_S); // stops the others
        QCOMPARE(IsRunning(GameClock), int16_t(0));
        QCOMPARE(IsRunning(1), int16_t(0));
        QTest::keyClick(b.TimeBack, Qt::Key_S); // starts all five
        for (int i = 0; i < ClockCount; ++i)
            QCOMPARE(IsRunning(i), int16_t(-1));
    }

    void expiry()
    {
        BoardFixture f;
        frmScoreBoard& b = f.b();
        f.type(b.PenaltyPH1, "4\n");
        f.type(b.PenaltyTH1, "0.03\n");
        QTest::keyClick(b.TimeBack, Qt::Key_S);
        f.ticks(15);
        QCOMPARE(shown(b.pledPenaltyTH1), QStringLiteral("002")); // 1.5 s left, rounded up
        QCOMPARE(b.shpPenaltyH[0]->FillColor(), lit());
        f.ticks(15);
        QCOMPARE(shown(b.pledPenaltyTH1), QStringLiteral("000"));
        QCOMPARE(shown(b.pledPenaltyPH1), QStringLiteral("-4"));
        QVERIFY(colonShown(b.dotPenaltyTH1));
        QCOMPARE(b.shpPenaltyH[0]->FillColor(), dark());
        f.ticks(10);
        QCOMPARE(shown(b.pledPenaltyTH1), QStringLiteral("000")); // nothing clears it
    }
};

PL_TEST_MAIN(TestPenalties)
#include "tst_penalties.moc"
