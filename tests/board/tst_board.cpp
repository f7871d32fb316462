// SPDX-License-Identifier: GPL-3.0-or-later
#include "boarddesign.h"
#include "boardfixture.h"
#include "colors.h"
#include "control.h"
#include "frmwaiting.h"
#include "image.h"
#include "label.h"
#include "layout.h"
#include "mmcontrol.h"
#include "settingtable.h"
#include "shape.h"
#include "testmain.h"
#include "twips.h"
#include "wavbuilder.h"

#include <QFontMetrics>
#include <QKeyEvent>
#include <QLineEdit>
#include <QListWidget>
#include <QMouseEvent>
#include <QRandomGenerator>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <array>
#include <cmath>

// The board window as a view of the game: what it draws of the game's state and in which
// colours, how keys, clicks and focus reach the game, the sound players it drives, its layout
// scaled from the design geometry at any size, and a flood of keys nobody should give it.
class TestBoard : public QObject
{
    Q_OBJECT

    QTemporaryDir dir;

    static QColor pixelAt(QWidget* board, QWidget* w, QPoint local)
    {
        return board->grab().toImage().pixelColor(w->mapTo(board, local));
    }

    // Whether any pixel of the widget, as painted on the board, has exactly that colour.
    static bool paints(QWidget* board, QWidget* w, const QColor& c)
    {
        const QImage img = board->grab(QRect(w->mapTo(board, QPoint()), w->size())).toImage();
        for (int y = 0; y < img.height(); ++y)
            for (int x = 0; x < img.width(); ++x)
                if (img.pixelColor(x, y) == c)
                    return true;
        return false;
    }

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

    // Position, size, font, border and LED size: what a stretch may change.
    static std::array<double, 7> geometryOf(const Control* c)
    {
        return {c->Left(),     c->Top(),         c->Width(), c->Height(),
                c->FontSize(), c->BorderWidth(), c->Size()};
    }

    // Team names are re-centred, pictures re-fitted and the marker put on the selected field.
    static bool refitted(const Control* c)
    {
        return c->Name() == QLatin1String("lblHome") || c->Name() == QLatin1String("lblVisitor") ||
               c->Name().startsWith(QLatin1String("img")) ||
               c->Name() == QLatin1String("shpObjectSelected");
    }

    using Snapshot = std::vector<std::pair<const Control*, std::array<double, 7>>>;
    static Snapshot snapshot(const frmScoreBoard& b)
    {
        Snapshot all;
        for (const Control* c : b.Controls())
            all.emplace_back(c, geometryOf(c));
        return all;
    }

    static void resizeOuter(frmScoreBoard& b, double outerW, double outerH)
    {
        b.setOuterSize(outerW, outerH);
        const QSize want(twips::toPixels(outerW - twips::FrameWidth),
                         twips::toPixels(outerH - twips::FrameHeight));
        QTRY_COMPARE(b.size(), want);
    }

private Q_SLOTS:
    // The board shows what the game holds, from the first state on, in the colours set.
    void drawsTheGame()
    {
        BoardFixture f;
        frmScoreBoard& b = f.b();
        QCOMPARE(f.shown(Field::Time), QStringLiteral("1000"));
        QCOMPARE(b.shpClockDots()[0]->FillColor(), toQColor(Settings.BorderColor)); // a colon
        f.type(Field::Time, "0.045\n");
        f.type(Field::PenaltyTH1, "2\n");
        QTest::keyClick(f.box(Field::Goal), Qt::Key_Right);
        Settings.FormBack = 0x563412;
        Settings.LEDBack = 0x202020;
        Settings.TimeColor = 0x00FFFF;
        Settings.ScoreColor = 0xFF00FF;
        Settings.PeriodColor = 0x00FF00;
        Settings.BorderColor = 0x0000FF;
        Settings.HomeColor = 0xFFFF00;
        b.applySettings(Settings);

        const QColor formBack = toQColor(Settings.FormBack);
        const QColor ledBack = toQColor(Settings.LEDBack);
        const QColor border = toQColor(Settings.BorderColor);
        QCOMPARE(f.shown(Field::Time), QStringLiteral("-45-")); // 4.5
        QCOMPARE(f.shown(Field::PenaltyTH1), QStringLiteral("200"));
        QCOMPARE(b.shpClockDots()[0]->FillColor(), ledBack); // a decimal point
        QCOMPARE(b.shpClockDots()[1]->FillColor(), border);
        // Lit lamps take the score colour; dark ones the board's, so only their outline shows.
        QCOMPARE(b.shpGoalV()->FillColor(), toQColor(Settings.ScoreColor));
        QCOMPARE(b.penaltyControls(1).lamp->FillColor(), toQColor(Settings.ScoreColor));
        QCOMPARE(b.shpGoalH()->FillColor(), formBack);
        QCOMPARE(b.penaltyControls(4).lamp->FillColor(), formBack);
        // The board colour reaches every container and no field.
        for (PictureBox* p :
             {b.box(Field::Goal), b.picHomeContainer(), b.picVisitorContainer(),
              b.picHomePicContainer(), b.picVisitorPicContainer(), b.picBoardPicContainer()})
            QCOMPARE(p->BackColor(), formBack);
        QCOMPARE(b.grab().toImage().pixelColor(173, 46), formBack);       // bare board
        QCOMPARE(pixelAt(&b, b.box(Field::Time), QPoint(2, 2)), ledBack); // field background
        QVERIFY(paints(&b, b.field(Field::Time).digits[1], toQColor(Settings.TimeColor)));
        QVERIFY(paints(&b, b.field(Field::Home).digits[0], toQColor(Settings.ScoreColor)));
        QVERIFY(paints(&b, b.field(Field::Period).digits[0], toQColor(Settings.PeriodColor)));
        QVERIFY(paints(&b, b.find<Label>(QStringLiteral("lblPeriod")), border)); // caption text
        QVERIFY(paints(&b, b.lblHome(), toQColor(Settings.HomeColor)));          // team name
        QCOMPARE(pixelAt(&b, b.shpBoardFrame(), QPoint(3, b.shpBoardFrame()->height() / 2)),
                 border);
        // A shown penalty colon, and a hidden one.
        QWidget* dot = b.penaltyControls(1).colon[0];
        QCOMPARE(pixelAt(&b, dot, dot->rect().center()), border);
        QWidget* hidden = b.penaltyControls(3).colon[0];
        QCOMPARE(pixelAt(&b, hidden, hidden->rect().center()), ledBack);
        // Colours that coincide: a border colour equal to the LED background hides the shown
        // penalty colons; fields merge with the board while captions stay visible.
        Settings.BorderColor = Settings.LEDBack;
        b.applySettings(Settings);
        QCOMPARE(pixelAt(&b, dot, dot->rect().center()), ledBack);
        Settings.LEDBack = Settings.FormBack;
        b.applySettings(Settings);
        QCOMPARE(pixelAt(&b, b.box(Field::Home), QPoint(2, 2)), formBack);
        QVERIFY(paints(&b, b.find<Label>(QStringLiteral("lblPeriod")), ledBack)); // the border's
    }

    void keysReachTheGame()
    {
        BoardFixture f;
        frmScoreBoard& b = f.b();
        auto running = [&] { return f.state().clocks.IsRunning(GameClock); };
        QTest::keyClick(f.box(Field::PenaltyPV2), Qt::Key_S, Qt::ShiftModifier); // no part
        QVERIFY(running());
        // Auto-repeat counts: a held key toggles once per repeat.
        QKeyEvent repeat(QEvent::KeyPress, Qt::Key_S, Qt::NoModifier, QStringLiteral("s"), true);
        QApplication::sendEvent(f.box(Field::Home), &repeat);
        QVERIFY(!running());
        // Keys that reach no field go to the commands too.
        QKeyEvent onWindow(QEvent::KeyPress, Qt::Key_S, Qt::NoModifier, QStringLiteral("s"));
        QApplication::sendEvent(&b, &onWindow);
        QVERIFY(running());
        // Ctrl keys and presets act from the field typed on, and type nothing into it.
        QTest::keyClick(f.box(Field::ShotsHome), Qt::Key_H, Qt::ControlModifier);
        QCOMPARE(f.shown(Field::Home), QStringLiteral("--1"));
        QCOMPARE(f.shown(Field::ShotsHome), QStringLiteral("-0"));
        QTest::keyClick(f.box(Field::PenaltyTH2), Qt::Key_F6);
        QCOMPARE(f.shown(Field::PenaltyTH2), QStringLiteral("400"));
        // F1, F2 and F3 are passed on to whoever opens those windows.
        QSignalSpy help(&b, &frmScoreBoard::helpRequested);
        QSignalSpy options(&b, &frmScoreBoard::optionsRequested);
        QSignalSpy waiting(&b, &frmScoreBoard::waitingRequested);
        for (Qt::Key k : {Qt::Key_F1, Qt::Key_F2, Qt::Key_F3})
            QTest::keyClick(f.box(Field::Home), k);
        QCOMPARE(help.size(), 1);
        QCOMPARE(options.size(), 1);
        QCOMPARE(waiting.size(), 1);
    }

    void waitingPenaltiesWindow()
    {
        BoardFixture f;
        FakeDialogs dialogs;
        frmWaiting w(f.b().game());
        const auto& visitor = w.controls(Team::Visitor);
        QTest::keyClicks(visitor.player, QStringLiteral("12"));
        visitor.time->setText(QStringLiteral("2.30"));
        QTest::keyClick(visitor.time, Qt::Key_Return);
        visitor.time->setText(QStringLiteral("10.00")); // longer than a penalty
        QTest::keyClick(visitor.time, Qt::Key_Return);
        QCOMPARE(dialogs.beeps, 1);
        QCOMPARE(f.state().waitingOf(Team::Visitor), (WaitingList{{12, ClockValue::whole(150)}}));
        QCOMPARE(f.b().lblWaiting(Team::Visitor)->Caption(), QStringLiteral("+1"));
        QCOMPARE(f.b().lblWaiting(Team::Home)->Caption(), QString());
        for (Label* l : {f.b().lblWaiting(Team::Home),
                         f.b().lblWaiting(Team::Visitor)}) // nothing covers the count
            QCOMPARE(f.b().childAt(l->geometry().center()), l);
        visitor.list->setCurrentRow(0);
        QTest::keyClick(visitor.list, Qt::Key_Delete);
        QVERIFY(f.state().waitingOf(Team::Visitor).empty());
        QCOMPARE(f.b().lblWaiting(Team::Visitor)->Caption(), QString());
    }

    // The time box holds a minor ready, as the bench gives most: a player and Enter add 2:00,
    // and so does an emptied box. Tab selects the time, so typed digits replace it. What
    // cannot be added beeps, says why in the window, and leaves the time selected to retype.
    void waitingPenaltyDefaultTime_data()
    {
        QTest::addColumn<QString>("keys"); // typed from the player box; "\t" Tab, "\b" empties
        QTest::addColumn<int>("seconds");  // added; 0 for nothing
        QTest::addColumn<QString>("timeAfter");
        QTest::newRow("player and Enter") << QStringLiteral("7\n") << 120 << QStringLiteral("2.00");
        QTest::newRow("Tab and Enter") << QStringLiteral("7\t\n") << 120 << QStringLiteral("2.00");
        QTest::newRow("a major replaces the minor")
            << QStringLiteral("7\t5\n") << 300 << QStringLiteral("2.00");
        QTest::newRow("an emptied box")
            << QStringLiteral("7\t\b\n") << 120 << QStringLiteral("2.00");
        QTest::newRow("no player: a bench minor")
            << QStringLiteral("\n") << 120 << QStringLiteral("2.00");
        QTest::newRow("longer than a penalty")
            << QStringLiteral("7\t10\n") << 0 << QStringLiteral("10");
        QTest::newRow("no time at all") << QStringLiteral("7\t0\n") << 0 << QStringLiteral("0");
    }
    void waitingPenaltyDefaultTime()
    {
        QFETCH(QString, keys);
        QFETCH(int, seconds);
        QFETCH(QString, timeAfter);
        BoardFixture f;
        FakeDialogs dialogs;
        frmWaiting w(f.b().game());
        w.show();
        QApplication::setActiveWindow(&w);
        QVERIFY(QTest::qWaitForWindowActive(&w));
        const auto& home = w.controls(Team::Home);
        QCOMPARE(home.time->text(), QStringLiteral("2.00"));
        QVERIFY(home.player->hasFocus());
        for (const QChar k : keys) {
            QWidget* on = QApplication::focusWidget();
            if (k == QLatin1Char('\t'))
                QTest::keyClick(on, Qt::Key_Tab);
            else if (k == QLatin1Char('\n'))
                QTest::keyClick(on, Qt::Key_Return);
            else if (k == QLatin1Char('\b'))
                QTest::keyClick(on, Qt::Key_Backspace);
            else
                QTest::keyClick(on, k.toLatin1());
        }
        const WaitingList& added = f.state().waitingOf(Team::Home);
        QCOMPARE(added.size(), size_t(seconds ? 1 : 0));
        QCOMPARE(dialogs.beeps, seconds ? 0 : 1);
        QCOMPARE(home.time->text(), timeAfter);
        if (seconds) {
            QCOMPARE(added.front().time, ClockValue::whole(seconds));
            QVERIFY(w.message().isEmpty());
            QVERIFY(home.player->text().isEmpty() && home.player->hasFocus());
        } else {
            QVERIFY(w.message().contains(QStringLiteral("9.59")));
            QVERIFY(home.time->hasFocus() && home.time->selectedText() == timeAfter);
        }
    }

    // A full list is named as the reason, not the time.
    void waitingListFull()
    {
        BoardFixture f;
        FakeDialogs dialogs;
        frmWaiting w(f.b().game());
        const auto& home = w.controls(Team::Home);
        for (int i = 0; i < Game::MaxWaiting; ++i)
            QTest::keyClick(home.player, Qt::Key_Return);
        QCOMPARE(f.state().waitingOf(Team::Home).size(), size_t(Game::MaxWaiting));
        QCOMPARE(dialogs.beeps, 0);
        QTest::keyClick(home.player, Qt::Key_Return);
        QCOMPARE(dialogs.beeps, 1);
        QCOMPARE(f.state().waitingOf(Team::Home).size(), size_t(Game::MaxWaiting));
        QVERIFY(w.message().contains(QString::number(Game::MaxWaiting)));
    }

    // The caption line is empty by default and takes no room from anything: with a caption
    // the board differs only inside the caption's label, and without one it is the board it
    // was. A caption of the full length is drawn smaller so that it shows whole, at any size.
    void boardCaption()
    {
        BoardFixture f;
        frmScoreBoard& b = f.b();
        b.ObjectSelected(nullptr);
        auto* caption = b.find<Label>(QStringLiteral("lblBoardCaption"));
        QCOMPARE(caption->Caption(), QString());
        const Snapshot bare = snapshot(b);
        const QImage empty = b.grab().toImage();
        const QRect area(caption->mapTo(&b, QPoint()), caption->size());

        SettingVariables s = Settings;
        s.BoardCaption = QStringLiteral("Ishallen Örebro");
        b.applySettings(s);
        QCOMPARE(caption->Caption(), s.BoardCaption);
        QVERIFY(snapshot(b) == bare);
        const QImage shown = b.grab().toImage();
        int inside = 0;
        for (int y = 0; y < shown.height(); ++y)
            for (int x = 0; x < shown.width(); ++x)
                if (shown.pixel(x, y) != empty.pixel(x, y)) {
                    QVERIFY2(area.contains(x, y),
                             qPrintable(QStringLiteral("%1,%2").arg(x).arg(y)));
                    ++inside;
                }
        QVERIFY(inside > 0);
        QVERIFY(paints(&b, caption, toQColor(s.BorderColor)));

        s.BoardCaption = QString(MaxCaptionLength, QLatin1Char('W'));
        b.applySettings(s);
        for (const double outerWidth : {9600.0, 6000.0, 19200.0}) {
            resizeOuter(b, outerWidth, 7200);
            QVERIFY(caption->shownFont().pixelSize() < caption->drawFont().pixelSize());
            QVERIFY(QFontMetrics(caption->shownFont()).horizontalAdvance(s.BoardCaption) <=
                    caption->width());
        }
        resizeOuter(b, 9600, 7200); // which moves the hidden marker to where it was designed
        s.BoardCaption.clear();
        b.applySettings(s);
        for (const auto& [c, g] : bare)
            QVERIFY2(c == b.shpObjectSelected() || geometryOf(c) == g, qPrintable(c->Name()));
        QCOMPARE(b.grab().toImage(), empty);
    }

    // Tab walks the fields and wraps, Shift+Tab goes back; clicks select, the marker follows.
    // A click on a lamp toggles it (a double click once); a caption only selects the strip.
    void selection()
    {
        BoardFixture f(true, [] { Settings.LEDSelectedWidth = 3; });
        frmScoreBoard& b = f.b();
        for (int i = 0; i < FieldCount; ++i) {
            QCOMPARE(QApplication::focusWidget(), f.box(static_cast<Field>(i)));
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        }
        QCOMPARE(QApplication::focusWidget(), f.box(Field::Time));
        QTest::keyClick(f.box(Field::Time), Qt::Key_Backtab, Qt::ShiftModifier);
        QCOMPARE(QApplication::focusWidget(), f.box(Field::PenaltyTV2));
        QTest::mouseClick(f.box(Field::ShotsVisitor), Qt::LeftButton);
        QCOMPARE(QApplication::focusWidget(), f.box(Field::ShotsVisitor));
        QTest::mouseClick(b.field(Field::PenaltyTH2).digits[1], Qt::LeftButton);
        QCOMPARE(QApplication::focusWidget(), f.box(Field::PenaltyTH2));
        QCOMPARE(f.state().selected, Field::PenaltyTH2);

        Shape* m = b.shpObjectSelected();
        const auto marker = [m] { return QRectF(m->Left(), m->Top(), m->Width(), m->Height()); };
        b.ObjectSelected(f.box(Field::Home));
        QVERIFY(m->isVisible());
        QCOMPARE(marker(), QRectF(315, 915, 2280, 1440));
        b.ObjectSelected(nullptr);
        QVERIFY(!m->isVisible());
        // Width 0 still leaves a one-pixel line along the right and bottom edges.
        Settings.LEDSelectedWidth = 0;
        b.applySettings(Settings);
        f.box(Field::Home)->setFocus();
        QVERIFY(m->isVisible());
        QCOMPARE(marker(), QRectF(360, 960, 2190, 1350));

        QTest::mouseClick(b.imgGoalCoverV(), Qt::LeftButton);
        QCOMPARE(f.state().WhoGoal, GoalLamp::Visitor);
        QCOMPARE(QApplication::focusWidget(), f.box(Field::Goal));
        doubleClick(b.imgGoalCoverH());
        QCOMPARE(f.state().WhoGoal, GoalLamp::Home);
        doubleClick(b.imgGoalCoverH());
        QCOMPARE(f.state().WhoGoal, GoalLamp::None);
        f.box(Field::Home)->setFocus();
        QTest::mouseClick(b.lblGoalH(), Qt::LeftButton);
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
        // The operator presses NumLock on a field: its release puts the mode back.
        f.keyboard.on = !after;
        f.keyboard.toggles = 0;
        const bool forced = mode != 0;
        QTest::keyRelease(f.box(Field::Home), Qt::Key_NumLock);
        QCOMPARE(f.keyboard.on, forced ? after : !after);
        QCOMPARE(f.keyboard.toggles, forced ? 1 : 0);
    }

    void soundPlayers()
    {
        BoardFixture f(true, [] {
            Settings.BuzzerFile = QStringLiteral(PL_ASSETS "/buzzer.wav");
            Settings.HornFile = QStringLiteral(PL_ASSETS "/horn.wav");
        });
        frmScoreBoard& b = f.b();
        // The player plays, or says that there is no sound output here to play on.
        const auto tookThePlay = [](const MMControl* p) {
            return p->isPlaying() || p->statusReason().startsWith(QLatin1String("no sound output"));
        };
        QTest::keyClick(f.box(Field::Time), Qt::Key_B);
        QVERIFY(tookThePlay(b.mmcBuzzer()));
        QVERIFY(!b.mmcHorn()->isPlaying());
        QVERIFY(f.state().sounding != Sound::None);
        Q_EMIT b.mmcBuzzer()->Done(MMControl::PlayEnd::Finished);
        QCOMPARE(f.state().sounding, Sound::None);
        QTest::keyClick(f.box(Field::Time), Qt::Key_G);
        QVERIFY(tookThePlay(b.mmcHorn()));
        Q_EMIT b.mmcHorn()->Done(MMControl::PlayEnd::Finished);

        // A sound set later plays; one that is no sound fails and still releases the turn.
        Settings.BuzzerFile = dir.filePath(QStringLiteral("junk.wav"));
        QVERIFY(wav::write(Settings.BuzzerFile, "not a wave"));
        b.applySettings(Settings);
        QTest::keyClick(f.box(Field::Time), Qt::Key_B);
        QVERIFY(f.state().sounding != Sound::None);
        QTRY_COMPARE(f.state().sounding, Sound::None);

        // Closing the board closes the players and stops the tick.
        b.close();
        QVERIFY(!b.mmcHorn()->isOpen());
        QVERIFY(!b.tmrClock1().isActive());

        // A board that opens with a sound gone stays silent, and no turn is taken for it.
        BoardFixture silent(false, [&] { Settings.BuzzerFile = dir.filePath("gone.wav"); });
        QVERIFY(silent.b().mmcBuzzer()->FileName().isEmpty());
        QTest::keyClick(silent.box(Field::Time), Qt::Key_B);
        QCOMPARE(silent.state().sounding, Sound::None);
    }

    // Twice as wide, only lefts and widths double; fonts (15.75 -> 16) follow the smaller stretch.
    void stretchedFromTheDesign()
    {
        BoardFixture f;
        frmScoreBoard& b = f.b();
        resizeOuter(b, 19200, 7200);
        for (const DesignRow& r : boardDesign()) {
            const Control* c = b.control(QString::fromLatin1(r.name), r.index);
            QVERIFY(c);
            if (refitted(c))
                continue;
            QCOMPARE(c->Left(), 2 * r.left);
            QCOMPARE(c->Top(), r.top);
            if (r.kind == DesignRow::Kind::PolyLED) {
                QCOMPARE(c->Size(), r.ledSize);
                continue;
            }
            QCOMPARE(c->Width(), 2 * r.width);
            QCOMPARE(c->Height(), r.height);
            if (r.kind == DesignRow::Kind::Label)
                QCOMPARE(c->FontSize(), std::nearbyint(r.fontSize));
            if (r.kind == DesignRow::Kind::Shape)
                QCOMPARE(c->BorderWidth(), r.borderWidth);
        }
        // The hundreds digit of a score keeps its left part outside the field.
        QVERIFY(b.field(Field::Home).digits[2]->Left() < 0);
        QCOMPARE(RSize(24, 9600, 14400), 24.0); // taller
        resizeOuter(b, 19200, 14400);
        QCOMPARE(b.lblHome()->FontSize(), 48.0);
    }

    // Back at the design size after random, tiny, 4K (57720 twips, beyond 16 bits) and absurd
    // sizes, the options closing (Cancel) on some of them and a minimise, nothing has moved.
    void resizesAndOptionsLeaveNoTrace()
    {
        BoardFixture f;
        frmScoreBoard& b = f.b();
        b.ObjectSelected(nullptr);
        const Snapshot before = snapshot(b);
        const QImage picture = b.grab().toImage();
        QRandomGenerator rng(7);
        for (int i = 0; i < 25; ++i)
            resizeOuter(b, 1500 + rng.bounded(40000), 1500 + rng.bounded(30000));
        resizeOuter(b, 80 * twips::PerPixel, 60 * twips::PerPixel);
        b.applySettings(Settings);
        resizeOuter(b, 57600 + twips::FrameWidth, 32400 + twips::FrameHeight);
        b.applySettings(Settings);
        // Absurd sizes: 1 x 1 still paints; far beyond any screen the board stops at 8K.
        b.resize(1, 1);
        QTRY_VERIFY(b.width() <= 2);
        QVERIFY(b.grab().width() >= 1);
        b.resize(20000, 20000);
        QTRY_VERIFY(b.width() > 1000);
        QVERIFY(b.width() <= 7680 && b.height() <= 4320);
        resizeOuter(b, 14400, 10800);
        const Snapshot large = snapshot(b);
        b.showMinimized();
        QCoreApplication::processEvents();
        b.showNormal();
        QCoreApplication::processEvents();
        for (const auto& [c, g] : large)
            QVERIFY2(geometryOf(c) == g, qPrintable(c->Name()));
        b.ObjectSelected(b.box(Field::Home));
        resizeOuter(b, 9600, 7200);
        QVERIFY(!b.shpObjectSelected()->isVisible()); // a resize hides the marker
        QCOMPARE(b.grab().toImage(), picture);
        for (const auto& [c, g] : before)
            QVERIFY2(c == b.shpObjectSelected() || geometryOf(c) == g, qPrintable(c->Name()));

        // Shrunk to a sliver, everything that scales with the height stays at least 1.
        resizeOuter(b, 9600, twips::FrameHeight + 15);
        for (const Control* c : b.Controls()) {
            if (c->FontSize() > 0)
                QVERIFY2(c->FontSize() >= 1, qPrintable(c->Name()));
            if (c->TypeName() == QLatin1String("Shape"))
                QVERIFY2(c->BorderWidth() >= 1, qPrintable(c->Name()));
            if (c->TypeName() == QLatin1String("PolyLED"))
                QVERIFY2(c->Size() >= 1, qPrintable(c->Name()));
        }
        QCOMPARE(b.find<Label>(QStringLiteral("lblBoardCaption"))->FontSize(), 1.0);
    }

    // A flood of random keys leaves the board answering and the settings untouched.
    void aHundredThousandRandomKeys()
    {
        BoardFixture f;
        frmScoreBoard& b = f.b();
        const auto stored = f.store.values; // every setting goes through the store
        QRandomGenerator rng(100000);
        for (int i = 0; i < 100000; ++i) {
            QWidget* target = b.box(static_cast<Field>(rng.bounded(FieldCount)));
            // Printable keys, or the others up to F12 but F2, whose dialog waits for an answer.
            const auto key = static_cast<Qt::Key>(
                rng.bounded(2) ? rng.bounded(int(Qt::Key_Space), int(Qt::Key_AsciiTilde) + 1)
                               : rng.bounded(int(Qt::Key_Escape), int(Qt::Key_F12) + 1));
            if (key == Qt::Key_F2)
                continue;
            const bool keypad = rng.bounded(8) == 0; // apart: the operands of | run in no set order
            const Qt::KeyboardModifiers mods =
                (keypad ? Qt::KeypadModifier : Qt::NoModifier) |
                (rng.bounded(8) ? Qt::NoModifier : Qt::ShiftModifier);
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

        QVERIFY(f.store.values == stored);
    }
};

PL_TEST_MAIN(TestBoard)
#include "tst_board.moc"
