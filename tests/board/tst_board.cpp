#include "boardfixture.h"
#include "colors.h"
#include "image.h"
#include "label.h"
#include "mmcontrol.h"
#include "shape.h"
#include "testmain.h"
#include "wavbuilder.h"

#include <QKeyEvent>
#include <QMouseEvent>
#include <QSignalSpy>
#include <QTemporaryDir>

// The board window as a view of the game: what it draws of the game's state, how keys,
// clicks and focus reach the game, and the sound players it drives.
class TestBoard : public QObject
{
    Q_OBJECT

    QTemporaryDir dir;
    const QString buzzer = QStringLiteral(PL_ASSETS "/buzzer.wav");
    const QString horn = QStringLiteral(PL_ASSETS "/horn.wav");

    static QColor colour(int32_t c) { return toQColor(c); }

    // A double click as a window system delivers it: press, release, double click, release.
    static void doubleClick(QWidget* w)
    {
        const QPoint at = w->rect().center();
        QTest::mousePress(w, Qt::LeftButton, {}, at);
        QTest::mouseRelease(w, Qt::LeftButton, {}, at);
        QMouseEvent dbl(QEvent::MouseButtonDblClick, at, w->mapToGlobal(at), Qt::LeftButton,
                        Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(w, &dbl);
        QTest::mouseRelease(w, Qt::LeftButton, {}, at);
    }

private Q_SLOTS:
    // Whatever the game holds, the board shows: digits, the clock's dots, colons and lamps,
    // from the first state on.
    void drawsTheGame()
    {
        BoardFixture f;
        frmScoreBoard& b = f.b();
        const QColor border = colour(Settings.BorderColor);
        const QColor dark = colour(Settings.FormBack);
        const QColor lit = colour(Settings.ScoreColor);
        QCOMPARE(f.shown(Field::Time), QStringLiteral("1000"));
        QCOMPARE(f.shown(Field::Home), QStringLiteral("--0"));
        QCOMPARE(f.shown(Field::PenaltyTV2), QStringLiteral("---"));
        QCOMPARE(b.field(Field::Time).digits[0]->LitColor(), colour(Settings.TimeColor));
        QCOMPARE(b.shpClockDots[0]->FillColor(), border); // a colon
        QCOMPARE(b.penaltyControls(1).colon[0]->FillColor(), colour(Settings.LEDBack));
        QCOMPARE(b.penaltyControls(1).lamp->FillColor(), dark);
        QCOMPARE(b.shpGoalV->FillColor(), dark);

        f.type(Field::Time, "0.045\n");
        f.type(Field::PenaltyPH1, "17\n");
        f.type(Field::PenaltyTH1, "2\n");
        QTest::keyClick(f.box(Field::Goal), Qt::Key_Right);
        QCOMPARE(f.shown(Field::Time), QStringLiteral("-45-")); // 4.5
        QCOMPARE(f.shown(Field::PenaltyTH1), QStringLiteral("200"));
        QCOMPARE(b.shpClockDots[0]->FillColor(), colour(Settings.LEDBack)); // a decimal point
        QCOMPARE(b.shpClockDots[1]->FillColor(), border);
        for (Shape* d : b.penaltyControls(1).colon)
            QCOMPARE(d->FillColor(), border);
        QCOMPARE(b.penaltyControls(1).lamp->FillColor(), lit);
        QCOMPARE(b.penaltyControls(2).lamp->FillColor(), dark);
        QCOMPARE(b.shpGoalV->FillColor(), lit);
        QCOMPARE(b.shpGoalH->FillColor(), dark);
        // The tick follows the game: it stops at zero and starts with the clock.
        QVERIFY(b.tmrClock1.isActive());
        QTest::keyClick(f.box(Field::Time), Qt::Key_S);
        f.ticks(46);
        QVERIFY(!b.tmrClock1.isActive());
        QCOMPARE(f.shown(Field::Time), QStringLiteral("-00-"));
        QTest::keyClick(f.box(Field::Time), Qt::Key_R);
        QTest::keyClick(f.box(Field::Time), Qt::Key_S);
        QVERIFY(b.tmrClock1.isActive());
    }

    void keysReachTheGame()
    {
        BoardFixture f;
        frmScoreBoard& b = f.b();
        auto running = [&] { return f.state().clocks.IsRunning(GameClock); };
        QTest::keyClick(f.box(Field::PenaltyPV2), Qt::Key_S,
                        Qt::ShiftModifier); // Shift plays no part
        QVERIFY(running());
        // Auto-repeat counts: a held key toggles once per repeat.
        QKeyEvent repeat(QEvent::KeyPress, Qt::Key_S, Qt::NoModifier, QStringLiteral("s"), true);
        QApplication::sendEvent(f.box(Field::Home), &repeat);
        QVERIFY(!running());
        // Keys that reach no field go to the commands too.
        QKeyEvent onWindow(QEvent::KeyPress, Qt::Key_S, Qt::NoModifier, QStringLiteral("s"));
        QApplication::sendEvent(&b, &onWindow);
        QVERIFY(running());
        // F1 and F2 are passed on to whoever opens those windows.
        QSignalSpy help(&b, &frmScoreBoard::helpRequested);
        QSignalSpy options(&b, &frmScoreBoard::optionsRequested);
        QTest::keyClick(f.box(Field::Home), Qt::Key_F1);
        QTest::keyClick(f.box(Field::Home), Qt::Key_F2);
        QCOMPARE(help.size(), 1);
        QCOMPARE(options.size(), 1);
    }

    void selection()
    {
        BoardFixture f;
        frmScoreBoard& b = f.b();
        // Tab walks the fields in order and wraps around; Shift+Tab goes back.
        for (int i = 0; i < FieldCount; ++i) {
            QCOMPARE(QApplication::focusWidget(), f.box(static_cast<Field>(i)));
            QCOMPARE(f.state().selected, static_cast<Field>(i));
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        }
        QCOMPARE(QApplication::focusWidget(), f.box(Field::Time));
        QTest::keyClick(f.box(Field::Time), Qt::Key_Backtab, Qt::ShiftModifier);
        QCOMPARE(QApplication::focusWidget(), f.box(Field::PenaltyTV2));
        // Clicks select; a digit selects its field.
        QTest::mouseClick(f.box(Field::ShotsVisitor), Qt::LeftButton);
        QCOMPARE(QApplication::focusWidget(), f.box(Field::ShotsVisitor));
        QTest::mouseClick(b.field(Field::PenaltyTH2).digits[1], Qt::LeftButton);
        QCOMPARE(QApplication::focusWidget(), f.box(Field::PenaltyTH2));
        QCOMPARE(f.state().selected, Field::PenaltyTH2);
    }

    void marker()
    {
        BoardFixture f(true, [] { Settings.LEDSelectedWidth = 3; });
        frmScoreBoard& b = f.b();
        b.ObjectSelected(f.box(Field::Home));
        Shape* m = b.shpObjectSelected;
        QVERIFY(m->isVisible());
        QCOMPARE(QRectF(m->Left(), m->Top(), m->Width(), m->Height()),
                 QRectF(315, 915, 2280, 1440));
        b.ObjectSelected(nullptr);
        QVERIFY(!m->isVisible());
        // Width 0 still leaves a one-pixel line along the right and bottom edges; focus moves
        // the marker.
        Settings.LEDSelectedWidth = 0;
        b.applySettings(Settings);
        f.box(Field::Home)->setFocus();
        QVERIFY(m->isVisible());
        QCOMPARE(QRectF(m->Left(), m->Top(), m->Width(), m->Height()),
                 QRectF(360, 960, 2190, 1350));
    }

    // A click on a lamp toggles it (a double click once) and selects the goal strip; a click
    // on a caption only selects the strip.
    void goalLampClicks()
    {
        BoardFixture f;
        frmScoreBoard& b = f.b();
        QTest::mouseClick(b.imgGoalCoverV, Qt::LeftButton);
        QCOMPARE(f.state().WhoGoal, GoalLamp::Visitor);
        QCOMPARE(QApplication::focusWidget(), f.box(Field::Goal));
        doubleClick(b.imgGoalCoverH);
        QCOMPARE(f.state().WhoGoal, GoalLamp::Home);
        doubleClick(b.imgGoalCoverH);
        QCOMPARE(f.state().WhoGoal, GoalLamp::None);
        f.box(Field::Home)->setFocus();
        QTest::mouseClick(b.lblGoalH, Qt::LeftButton);
        QCOMPARE(QApplication::focusWidget(), f.box(Field::Goal));
        QCOMPARE(f.state().WhoGoal, GoalLamp::None);
    }

    void numLockModes_data()
    {
        QTest::addColumn<int>("mode");
        QTest::addColumn<bool>("before");
        QTest::addColumn<bool>("after");
        QTest::newRow("normal leaves it on") << 0 << true << true;
        QTest::newRow("keep on") << 1 << false << true;
        QTest::newRow("keep off") << 2 << true << false;
        QTest::newRow("unknown mode leaves it") << 3 << false << false;
    }
    void numLockModes()
    {
        QFETCH(int, mode);
        QFETCH(bool, before);
        QFETCH(bool, after);
        BoardFixture f(true, [&] {
            Settings.NumLockForce = mode;
            keyboardState().setNumLockState(before); // the fixture's keyboard
        });
        QCOMPARE(f.keyboard.on, after); // the board applies the mode as it opens
        // The operator presses NumLock on a field: its release puts the mode back, once.
        f.keyboard.on = !after;
        f.keyboard.toggles = 0;
        const bool forced = mode == 1 || mode == 2;
        QTest::keyRelease(f.box(Field::Home), Qt::Key_NumLock);
        QCOMPARE(f.keyboard.on, forced ? after : !after);
        QCOMPARE(f.keyboard.toggles, forced ? 1 : 0);
        QTest::keyRelease(f.box(Field::Home), Qt::Key_NumLock);
        QCOMPARE(f.keyboard.toggles, forced ? 1 : 0);
    }

    void soundPlayers()
    {
        BoardFixture f(true, [this] {
            Settings.BuzzerFile = buzzer;
            Settings.HornFile = horn;
        });
        frmScoreBoard& b = f.b();
        QTest::keyClick(f.box(Field::Time), Qt::Key_B);
        QVERIFY(b.mmcBuzzer->isPlaying());
        QVERIFY(f.state().BuzzerPlaying);
        Q_EMIT b.mmcBuzzer->Done(1);
        QVERIFY(!f.state().BuzzerPlaying);
        QTest::keyClick(f.box(Field::Time), Qt::Key_G);
        QVERIFY(b.mmcHorn->isPlaying());
        Q_EMIT b.mmcHorn->Done(1);

        // A sound chosen later is played after the options; one that is no sound fails, and
        // still releases the turn.
        Settings.BuzzerFile = dir.filePath(QStringLiteral("junk.wav"));
        QVERIFY(wav::write(Settings.BuzzerFile, "not a wave"));
        b.applySettings(Settings);
        QTest::keyClick(f.box(Field::Time), Qt::Key_B);
        QVERIFY(f.state().BuzzerPlaying);
        QTRY_VERIFY(!f.state().BuzzerPlaying);

        // Closing the board closes the players and stops the tick.
        b.close();
        QVERIFY(!b.mmcBuzzer->isOpen());
        QVERIFY(!b.mmcHorn->isOpen());
        QVERIFY(!b.tmrClock1.isActive());
    }

    void missingSounds()
    {
        BoardFixture f(false, [&] {
            Settings.BuzzerFile = dir.filePath(QStringLiteral("gone.wav"));
            Settings.HornFile.clear();
        });
        // The board opens normally and stays silent; no turn is taken.
        QVERIFY(f.b().mmcBuzzer->FileName().isEmpty());
        QVERIFY(!f.b().mmcHorn->isOpen());
        QTest::keyClick(f.box(Field::Time), Qt::Key_B);
        QTest::keyClick(f.box(Field::Time), Qt::Key_G);
        QVERIFY(!f.state().BuzzerPlaying);
    }
};

PL_TEST_MAIN(TestBoard)
#include "tst_board.moc"
