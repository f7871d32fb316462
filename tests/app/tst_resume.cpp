#include "boardfixture.h"
#include "fakes.h"
#include "frmsplash.h"
#include "gamefile.h"
#include "gamesaving.h"
#include "modal.h"
#include "testmain.h"

#include <QFile>
#include <QMessageBox>
#include <QPointer>
#include <QTemporaryDir>

// The game kept across a start: the question at start, and a close that could end a game.
class TestResume : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void savedGameOffered_data()
    {
        QTest::addColumn<bool>("resume");
        QTest::newRow("resume") << true;
        QTest::newRow("new game") << false;
    }

    // Resume opens the board on the saved game; a new game keeps the old one aside.
    void savedGameOffered()
    {
        QFETCH(bool, resume);
        QTemporaryDir dir;
        FakeStore store;
        FakeTime time;
        FakeDialogs dialogs;
        dialogs.answers = {resume};
        auto file = std::make_unique<GameFile>(dir.filePath(QStringLiteral("game.json")));
        {
            Game played{SettingVariables()};
            file->follow(&played);
            played.select(Field::Home);
            played.fieldKeyDown(Field::Home, vk::Key0 + 7);
            played.fieldKeyDown(Field::Home, vk::Enter);
            played.AllKeyCode(SettingVariables().StartStopClockKey);
            time.advanceMs(2500);
            played.tmrClock1_Timer();
            file = std::make_unique<GameFile>(file->path()); // as after a crash
        }

        QPointer<frmScoreBoard> board;
        auto* splash = new frmSplash;
        connect(splash, &frmSplash::boardOpened, this, [&](frmScoreBoard* b) { board = b; });
        keepGameSaved(splash, *file);
        splash->show();
        QTRY_COMPARE(dialogs.asked, QStringList{QStringLiteral("Resume game")});
        QCOMPARE(bool(board), resume);
        QCOMPARE(QFile::exists(file->previousPath()), !resume);
        if (!resume) {
            QVERIFY(!QFile::exists(file->path()));
            splash->close();
            return;
        }
        const GameState& s = board->game().state();
        QCOMPARE(rowText(s.row(Field::Home)), QStringLiteral("7"));
        QVERIFY(!board->game().clockRunning());
        ClockTable clocks = s.clocks;
        QCOMPARE(clocks.ReadClock(GameClock), ClockValue::tenths(5975));
        QCOMPARE(QApplication::focusWidget(), board->box(Field::Home));
        delete board;
    }

    void questionKeys_data()
    {
        QTest::addColumn<int>("key");
        QTest::addColumn<bool>("resumed");
        QTest::newRow("Enter") << int(Qt::Key_Return) << true;
        QTest::newRow("R") << int(Qt::Key_R) << true;
        QTest::newRow("Escape") << int(Qt::Key_Escape) << false;
        QTest::newRow("N") << int(Qt::Key_N) << false;
    }

    void questionKeys()
    {
        QFETCH(int, key);
        QFETCH(bool, resumed);
        bool seen = false;
        onNextModal([key](QWidget* box) { QTest::keyClick(box, Qt::Key(key)); }, &seen);
        QCOMPARE(commonDialogs().ask(nullptr, Question{QStringLiteral("Pucklight"),
                                                       QStringLiteral("Resume the last game?"),
                                                       QString(), QStringLiteral("&Resume"),
                                                       QStringLiteral("&New game"), true}),
                 resumed);
        QVERIFY(seen);
    }

    void savedWhenReadsAsADay()
    {
        const QDateTime now(QDate(2026, 12, 7), QTime(12, 0));
        QCOMPARE(savedWhen(QDateTime(QDate(2026, 12, 7), QTime(11, 32, 5)), now),
                 QStringLiteral("Saved today at 11:32:05."));
        QVERIFY(savedWhen(QDateTime(QDate(2026, 12, 6), QTime(21, 4, 11)), now)
                    .endsWith(QStringLiteral(" 2026 at 21:04:11.")));
    }

    // Last: a board that closes ends the application's event loops.
    void closeAsksOnlyWhileAClockRuns()
    {
        FakeDialogs dialogs;
        BoardFixture f;
        QTest::keyClick(f.box(Field::Time), 'S');
        f.ticks(3);
        QVERIFY(!f.b().close()); // kept running, the default answer
        QCOMPARE(dialogs.asked, QStringList{QStringLiteral("Close scoreboard")});
        QVERIFY(f.b().isVisible());
        QCOMPARE(f.clock(GameClock), ClockValue::whole(600) - ClockValue::tenths(3));

        QTest::keyClick(f.box(Field::Time), 'S');
        QVERIFY(f.b().close());
        QCOMPARE(dialogs.asked.size(), 1);
    }
};

PL_TEST_MAIN(TestResume)
#include "tst_resume.moc"
