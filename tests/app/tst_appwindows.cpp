#include "appwindows.h"
#include "boardfixture.h"
#include "frmoptions.h"
#include "frmsplash.h"
#include "gamefile.h"
#include "gamesaving.h"
#include "label.h"
#include "mmcontrol.h"
#include "modal.h"
#include "program.h"
#include "testmain.h"
#include "widgetcontrols.h"

#include <QFile>
#include <QPointer>
#include <QSignalSpy>
#include <QTemporaryDir>

// Start-up and the windows the program opens around the board: the splash with its Help and
// Options, the question to resume a saved game, the options from F2, and the question when a
// running board is closed.
class TestAppWindows : public QObject
{
    Q_OBJECT

    QTemporaryDir programDir;

private Q_SLOTS:
    void initTestCase()
    {
        // The program's folder holds the two sounds, as an installation does.
        program::setFolder(programDir.path());
        QFile::copy(QStringLiteral(PL_ASSETS "/buzzer.wav"), programDir.filePath("buzzer.wav"));
        QFile::copy(QStringLiteral(PL_ASSETS "/horn.wav"), programDir.filePath("horn.wav"));
    }

    // The splash loads the settings, its Options reach the board it opens, and a click on the
    // logo opens the board and closes the splash.
    void splashOptionsThenTheBoard()
    {
        FakeTime time;
        FakeStore store;
        FakeKeyboard keyboard;
        FakeDialogs dialogs;
        Settings = SettingVariables();
        auto* splash = new frmSplash;
        QPointer<frmSplash> guard(splash);
        QCOMPARE(Settings.BuzzerFile, programDir.filePath(QStringLiteral("buzzer.wav")));
        splash->show();
        QVERIFY(QTest::qWaitForWindowExposed(splash));
        QCOMPARE(QApplication::focusWidget(), splash->cmdHelp);

        // Enter, like Space, presses the button that has the focus: Help opens, the splash stays.
        QSignalSpy help(splash->cmdHelp, &QPushButton::clicked);
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Space);
        QCOMPARE(help.count(), 2);
        QVERIFY(splash->isVisible());
        for (QWidget* w : QApplication::topLevelWidgets())
            if (w->windowTitle() == QLatin1String("Pucklight Help"))
                w->close();

        bool seen = false;
        onNextModal(
            [](QWidget* w) {
                auto* d = qobject_cast<frmOptions*>(w);
                if (!d) {
                    w->close();
                    return;
                }
                d->txtHomeText->setText(QStringLiteral("Hawks"));
                d->cmdOk->click();
            },
            &seen);
        splash->cmdOptions->click();
        QVERIFY(seen);
        QVERIFY(splash->isVisible());

        QPointer<frmScoreBoard> board;
        connect(splash, &frmSplash::boardOpened, this, [&](frmScoreBoard* b) { board = b; });
        QTest::mouseClick(splash->picLogo, Qt::LeftButton);
        QVERIFY(board);
        QTRY_VERIFY(guard.isNull());
        QVERIFY(board->isVisible());
        QCOMPARE(board->windowTitle(), QStringLiteral("Pucklight - Hawks"));
        board->setAttribute(Qt::WA_DeleteOnClose, false);
        delete board.data();
    }

    // F2 opens the options over the running board; Cancel still re-applies the variables.
    void f2ThenCancelReappliesEverything()
    {
        BoardFixture f;
        FakeDialogs dialogs;
        frmScoreBoard& b = f.b();
        wireBoardWindows(&b);
        // Variables changed behind the board's back show only if the board takes them afresh.
        Settings.HomeText = QStringLiteral("Hawks");
        Settings.BuzzerFile = QStringLiteral("/elsewhere/buzz.wav");
        Settings.LEDType = 1;
        const size_t stored = f.store.size();

        f.type(Field::Home, "4");
        bool seen = false;
        bool ticking = false;
        onNextModal(
            [&](QWidget* w) {
                ticking = b.tmrClock1.isActive();
                if (auto* d = qobject_cast<frmOptions*>(w))
                    d->cmdCancel->click();
                else
                    w->close();
            },
            &seen);
        QTest::keyClick(b.box(Field::Home), Qt::Key_F2);
        QVERIFY(seen);
        QVERIFY(ticking);

        QCOMPARE(b.lblHome->Caption(), QStringLiteral("Hawks"));
        QCOMPARE(b.field(Field::Home).digits[0]->LedType(), 1);
        QCOMPARE(b.mmcBuzzer->FileName(), Settings.BuzzerFile);
        QCOMPARE(f.store.size(), stored);
        // The field got F2 as a key without meaning: the digit typed before it still counts.
        QCOMPARE(f.shown(Field::Home), QStringLiteral("--0"));
        f.type(Field::Home, "\n");
        QCOMPARE(f.shown(Field::Home), QStringLiteral("--4"));
    }

    void savedGameOffered_data()
    {
        QTest::addColumn<int>("key");
        QTest::addColumn<bool>("resume");
        QTest::newRow("Enter") << int(Qt::Key_Return) << true;
        QTest::newRow("R") << int(Qt::Key_R) << true;
        QTest::newRow("Escape") << int(Qt::Key_Escape) << false;
    }

    // A saved game is offered at the start, and the key answers: Resume opens the board on
    // the saved game; a new game keeps the old one aside.
    void savedGameOffered()
    {
        QFETCH(int, key);
        QFETCH(bool, resume);
        QTemporaryDir dir;
        FakeStore store;
        FakeTime time;
        auto file = std::make_unique<GameFile>(dir.filePath(QStringLiteral("game.json")));
        {
            Game played{SettingVariables()};
            file->follow(&played);
            played.select(Field::Home);
            played.fieldKeyDown(Field::Home, vk::Key0 + 7);
            played.fieldKeyDown(Field::Home, vk::Enter);
            file = std::make_unique<GameFile>(file->path()); // as after a crash
        }

        QPointer<frmScoreBoard> board;
        auto* splash = new frmSplash;
        connect(splash, &frmSplash::boardOpened, this, [&](frmScoreBoard* b) { board = b; });
        keepGameSaved(splash, *file);
        QString asked;
        onNextModal([&](QWidget* box) {
            asked = box->windowTitle();
            QTest::keyClick(box, Qt::Key(key));
        });
        splash->show();
        QTRY_COMPARE(asked, QStringLiteral("Resume game"));
        QCOMPARE(bool(board), resume);
        QCOMPARE(QFile::exists(file->previousPath()), !resume);
        if (!resume) {
            splash->close();
            return;
        }
        QCOMPARE(rowText(board->game().state().row(Field::Home)), QStringLiteral("7"));
        QCOMPARE(board->focusWidget(), board->box(Field::Home)); // where it was left
        delete board;
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
        QVERIFY(!f.b().close()); // kept running, the default answer
        QCOMPARE(dialogs.asked, QStringList{QStringLiteral("Close scoreboard")});
        QVERIFY(f.b().isVisible());
        QVERIFY(f.b().tmrClock1.isActive());

        QTest::keyClick(f.box(Field::Time), 'S');
        QVERIFY(f.b().close());
        QCOMPARE(dialogs.asked.size(), 1);
    }
};

PL_TEST_MAIN(TestAppWindows)
#include "tst_appwindows.moc"
