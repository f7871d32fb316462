#include "boardfixture.h"
#include "frmwaiting.h"
#include "label.h"
#include "testmain.h"

#include <QLineEdit>
#include <QListWidget>
#include <QSignalSpy>

// The console functions as the operator reaches them: Ctrl keys on the board, and the waiting
// penalties window from F3.
class TestConsoleKeys : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void ctrlKeysOnTheBoard()
    {
        BoardFixture f;
        QTest::keyClick(f.box(Field::ShotsHome), Qt::Key_H, Qt::ControlModifier);
        QCOMPARE(f.shown(Field::Home), QStringLiteral("--1"));
        QCOMPARE(f.state().WhoGoal, GoalLamp::Home);
        QCOMPARE(f.shown(Field::ShotsHome), QStringLiteral("-0")); // no typing on the field
        QTest::keyClick(f.box(Field::ShotsHome), Qt::Key_Z, Qt::ControlModifier);
        QCOMPARE(f.shown(Field::Home), QStringLiteral("--0"));
        QCOMPARE(f.state().WhoGoal, GoalLamp::None);
        QTest::keyClick(f.box(Field::PenaltyTH2), Qt::Key_F6);
        QCOMPARE(f.shown(Field::PenaltyTH2), QStringLiteral("400"));
    }

    void waitingPenaltiesWindow()
    {
        BoardFixture f;
        FakeDialogs dialogs;
        QSignalSpy asked(&f.b(), &frmScoreBoard::waitingRequested);
        QTest::keyClick(f.box(Field::Time), Qt::Key_F3);
        QCOMPARE(asked.count(), 1);

        frmWaiting w(f.b().game());
        const auto& visitor = w.controls(Team::Visitor);
        QTest::keyClicks(visitor.player, QStringLiteral("12"));
        QTest::keyClicks(visitor.time, QStringLiteral("2.00"));
        QTest::keyClick(visitor.time, Qt::Key_Return);
        QTest::keyClicks(visitor.time, QStringLiteral("10.00")); // longer than a penalty
        QTest::keyClick(visitor.time, Qt::Key_Return);
        QCOMPARE(dialogs.beeps, 1);
        QCOMPARE(f.state().waitingOf(Team::Visitor), (WaitingList{{12, ClockValue::whole(120)}}));
        QCOMPARE(visitor.list->count(), 1);
        QCOMPARE(f.b().lblWaiting[1]->Caption(), QStringLiteral("+1"));
        QCOMPARE(f.b().lblWaiting[0]->Caption(), QString());
        for (Label* l : f.b().lblWaiting) // nothing covers the count
            QCOMPARE(f.b().childAt(l->geometry().center()), l);

        visitor.list->setCurrentRow(0);
        QTest::keyClick(visitor.list, Qt::Key_Delete);
        QVERIFY(f.state().waitingOf(Team::Visitor).empty());
        QCOMPARE(f.b().lblWaiting[1]->Caption(), QString());
    }
};

PL_TEST_MAIN(TestConsoleKeys)
#include "tst_consolekeys.moc"
