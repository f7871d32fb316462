// SPDX-License-Identifier: GPL-3.0-or-later
#include "commandline.h"
#include "consolewindow.h"
#include "fakes.h"
#include "fakestore.h"
#include "frmconsole.h"
#include "frmscoreboard.h"
#include "frmsplash.h"
#include "gamefile.h"
#include "gamesaving.h"
#include "modal.h"
#include "testmain.h"

#include <QPointer>
#include <QScreen>
#include <QTemporaryDir>

// The laptop at the bench and the projector: the board goes full screen on the screen the
// command line names, the console stays on the first; a resumed game goes back where it was.
class TestTwoScreens : public QObject
{
    Q_OBJECT

    static void startWith(const QStringList& arguments)
    {
        launchOptions() = parseCommandLine(QStringList{QStringLiteral("pucklight")} + arguments);
        QVERIFY(launchOptions().error.isEmpty());
    }

    static void checkPlaced(frmScoreBoard* board)
    {
        const QList<QScreen*> screens = QGuiApplication::screens();
        QVERIFY(board);
        QVERIFY(board->isFullScreen());
        QCOMPARE(board->screen(), screens[1]);
        QCOMPARE(board->geometry(), screens[1]->geometry());
        const frmConsole* console = consolewindow::current();
        QVERIFY(console && console->isVisible());
        QCOMPARE(console->screen(), screens[0]);
        QVERIFY(screens[0]->availableGeometry().contains(console->frameGeometry()));
        QVERIFY(console->width() > 1300 && console->height() > 700);
    }

private Q_SLOTS:
    void initTestCase() { QCOMPARE(QGuiApplication::screens().size(), 2); }

    void boardOnTheSecondScreen()
    {
        FakeStore store;
        FakeTime time;
        startWith({QStringLiteral("--screen"), QStringLiteral("1"), QStringLiteral("--fullscreen"),
                   QStringLiteral("--console")});
        Game game{SettingVariables()};
        auto* splash = new frmSplash(game);
        QPointer<frmScoreBoard> board = splash->GoScore();
        checkPlaced(board);
        delete board;
        QTRY_VERIFY(!consolewindow::current());
    }

    // Started again without a word on the command line, the resumed game's board goes where
    // it was, and the console opens with it.
    void resumeGoesBack()
    {
        QTemporaryDir dir;
        FakeStore store;
        FakeTime time;
        {
            GameFile file(dir.filePath(QStringLiteral("game.json")));
            Game played{SettingVariables()};
            file.follow(&played);
            file.setBoardPlacement({1, true, true});
            played.run(Command::setScore(Team::Home, 7), CommandSource::keyboard());
            QVERIFY(file.waitUntilWritten());
        }
        startWith({});
        GameFile file(dir.filePath(QStringLiteral("game.json")));
        Game game{SettingVariables()};
        QPointer<frmScoreBoard> board;
        auto* splash = new frmSplash(game);
        connect(splash, &frmSplash::boardOpened, this, [&](frmScoreBoard* b) { board = b; });
        keepGameSaved(splash, file);
        onNextModal([](QWidget* box) { QTest::keyClick(box, Qt::Key_Return); });
        splash->show();
        QTRY_VERIFY(board);
        QCOMPARE(board->game().state().scoreOf(Team::Home), 7);
        checkPlaced(board);
        // And it is kept for the next start; closing the console is kept too.
        QVERIFY(file.waitUntilWritten());
        QCOMPARE(file.load()->board, (gamejson::BoardPlacement{1, true, true}));
        consolewindow::close();
        QVERIFY(file.waitUntilWritten());
        QCOMPARE(file.load()->board, (gamejson::BoardPlacement{1, true, false}));
        delete board;
    }
};

PL_TEST_MAIN(TestTwoScreens)
#include "tst_twoscreens.moc"
