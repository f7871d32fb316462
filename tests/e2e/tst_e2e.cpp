// SPDX-License-Identifier: GPL-3.0-or-later
// The real program under Xvfb, driven with real X11 key and mouse events and read from
// screenshots: the unit tests check the rules, this that the program wires them to the screen.
#include "accessibility.h"
#include "boardrun.h"
#include "testmain.h"

#include <QJsonDocument>
#include <QJsonObject>
#include <QRandomGenerator>

static constexpr int LockMs = 2000;

// Seconds of a penalty time "m:ss", or -1 for anything else.
static int seconds(const QString& t)
{
    const QTime time = QTime::fromString(t, QStringLiteral("m:ss"));
    return time.isValid() ? time.msecsSinceStartOfDay() / 1000 : -1;
}

static QByteArray readFile(const QString& path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

// A call on a BoardRun that must succeed, or the test fails with the run's reason.
#define RUN(run, call) QVERIFY2((run).call, qPrintable((run).error))

class TestEndToEnd : public QObject
{
    Q_OBJECT

    QTemporaryDir work{QDir::tempPath() + QStringLiteral("/pucklight-e2e-XXXXXX")};
    std::unique_ptr<TestServers> servers;

    X11Session& x() { return servers->x(); }

private Q_SLOTS:
    void initTestCase()
    {
        const QString program = qEnvironmentVariable("PUCKLIGHT_BINARY");
        QVERIFY2(QFileInfo(program).isExecutable(),
                 "PUCKLIGHT_BINARY must name the pucklight program (CTest passes it)");
        QVERIFY(work.isValid());
        servers = std::make_unique<TestServers>(program, work.path());
        QString error;
        QVERIFY2(servers->startDisplay(&error) && servers->startAudio(&error), qPrintable(error));
        if (!servers->hasAudio())
            qWarning("pulseaudio is not installed: the buzzer's stream is not checked");
    }

    void cleanupTestCase() { servers.reset(); }

    // Typing on the main keys and the keypad; penalties that run with the clock down to 0.0
    // and the buzzer there; R. Killed in play, the program offers the game at the next start,
    // and Enter brings back every number, the clock stopped within a second of where it stood.
    void gameKilledAndResumed()
    {
        x().setNumLock(true); // left as it is found: the keypad types digits
        // The feed folder says what the board shows at every step.
        const QString feed = work.filePath(QStringLiteral("feed"));
        const QStringList feeding = {QStringLiteral("--feed"), feed};
        auto run = std::make_unique<BoardRun>(*servers, QStringLiteral("game"), QByteArray(),
                                              QString(), feeding);
        RUN(*run, open());
        RUN(*run, feedAgrees(feed, BoardState(), false));
        BoardState want;
        want.home = QStringLiteral("13");
        want.visitor = QStringLiteral("4");
        RUN(*run, step("<Tab>12\n+1<Tab><KP_3><KP_Enter><KP_Add><KP_1>", want, "the scores"));
        // Past the goal strip: shots, period, then penalties H1, V1, H2, V2 (player, time).
        want.shotsHome = QStringLiteral("7");
        want.period = QStringLiteral("2");
        want.shotsVisitor = QStringLiteral("15");
        want.players = {"17", "22", "4", "9"};
        want.times = {"2:00", "2:30", "1:30", "0:45"};
        want.penaltyLamps = QStringLiteral("1111");
        RUN(*run, step("<Tab><Tab>7\n<Tab>2<Tab><KP_1><KP_5><KP_Enter><Tab>17\n<Tab>2\n<Tab><KP_4>"
                       "<KP_Enter><Tab>1.30\n<Tab>22\n<Tab><KP_2><KP_Decimal><KP_3><KP_0><KP_Enter>"
                       "<Tab>9\n<Tab>0.45\n",
                       want, "shots, period and four penalties"));
        RUN(*run, feedAgrees(feed, want, false));

        // Tab wraps round to the clock: a time under a minute shows tenths; run it down.
        want.clock = QStringLiteral("2.5");
        RUN(*run, step("<Tab>0.025\n", want, "0.025 Enter on the clock"));
        const QString streams = work.filePath(QStringLiteral("streams.log"));
        Process watcher;
        if (servers->hasAudio())
            watcher = startProcess(QStringLiteral("pactl"), {QStringLiteral("subscribe")},
                                   servers->environmentFor(work.path()), streams);
        QThread::msleep(250); // pactl subscribes before the buzzer can sound
        x().play("s");
        RUN(*run, until([](const BoardState& s) { return s.clock == "0.0"; },
                        "the clock runs down to 0.0", 6000));
        // The penalties ran with the clock and stand still with it at zero.
        const BoardState now = run->settle();
        for (int i = 0; i < 4; ++i) {
            const int drop = seconds(want.times[i]) - seconds(now.times[i]);
            QVERIFY2(drop == 2 || drop == 3, qPrintable(now.toString()));
            want.times[i] = now.times[i];
        }
        want.clock = QStringLiteral("0.0");
        QCOMPARE(now.toString(), want.toString());
        RUN(*run, feedAgrees(feed, want, false));
        // The clock switch at zero waits for a tick that does not come: the feed says so too.
        x().play("c");
        QThread::msleep(300);
        QCOMPARE(run->read().toString(), want.toString());
        RUN(*run, feedAgrees(feed, want, false));
        if (watcher)
            QTRY_VERIFY2_WITH_TIMEOUT(logTail(streams, 1000).contains("'new' on sink-input"),
                                      "the buzzer played no sound", 3000);
        want.clock = QStringLiteral("2.5");
        RUN(*run, step("r", want, "R after the run-down"));
        RUN(*run, feedAgrees(feed, want, false));

        x().play("s");
        QThread::msleep(500 + QRandomGenerator::global()->bounded(1000));
        const BoardState atKill = run->read();
        run->kill();
        run = std::make_unique<BoardRun>(*servers, QStringLiteral("game"), QByteArray(), QString(),
                                         feeding);
        RUN(*run, open(true));
        const BoardState resumed = run->settle();
        const double shown = atKill.clock.toDouble();
        const double back = resumed.clock.toDouble();
        QVERIFY2(back >= shown && back <= shown + 1.1,
                 qPrintable(atKill.clock + QStringLiteral(" at the kill, ") + resumed.clock));
        // Penalties show whole seconds rounded up: at most one more than at the kill.
        const int penaltyBack = seconds(resumed.times[0]) - seconds(atKill.times[0]);
        QVERIFY2(penaltyBack == 0 || penaltyBack == 1,
                 qPrintable(atKill.toString() + QStringLiteral(" / ") + resumed.toString()));
        BoardState same = atKill;
        same.clock = resumed.clock;
        same.times = resumed.times;
        QCOMPARE(resumed.toString(), same.toString());
        QThread::msleep(500);
        QCOMPARE(run->read().clock, resumed.clock); // stopped
        RUN(*run, feedAgrees(feed, resumed, false));
        RUN(*run, close());
    }

    // F1 opens the help, whose keyboard still runs the clock and whose Escape closes it; a
    // third penalty typed in the F3 window waits and takes the slot of the first when it runs
    // out; Ctrl+H scores a goal.
    void consoleFunctions()
    {
        const auto run = std::make_unique<BoardRun>(*servers, QStringLiteral("console"));
        RUN(*run, open());
#ifdef PUCKLIGHT_E2E_HAVE_HELP // the help library can be left out of the build
        x().play("<F1>");
        const X11Session::Window help = run->waitForWindow(QStringLiteral("Pucklight Help"));
        QVERIFY2(help, "F1 opened no help window");
        x().focus(help);
        x().play("s");
        RUN(*run, until([](const BoardState& s) { return s.clock == "9:59"; },
                        "S typed in the help window runs the clock"));
        x().play("sr");
        RUN(*run, until([](const BoardState& s) { return s.clock == "10:00"; },
                        "S and R typed in the help window stop and reset it"));
        x().play("<Escape>");
        QTRY_VERIFY2(!run->find(QStringLiteral("Pucklight Help")), "Escape left the help open");
        x().focus(run->window());
#endif
        BoardState want;
        want.players = {"17", "4", "", ""};
        want.times = {"0:03", "2:00", "", ""};
        want.penaltyLamps = QStringLiteral("1100");
        RUN(*run,
            step("<Tab><Tab><Tab><Tab><Tab><Tab><Tab>17\n<Tab>0.03\n<Tab><Tab><Tab>4\n<Tab>2\n",
                 want, "two home penalties"));
        x().play("<F3>");
        const X11Session::Window waiting = run->waitForWindow(QStringLiteral("Waiting penalties"));
        QVERIFY2(waiting, "F3 opened no waiting penalties window");
        x().focus(waiting);
        x().play("9<Tab>1.00\n<Escape>");
        QTRY_VERIFY(!run->find(QStringLiteral("Waiting penalties")));
        x().focus(run->window());
        x().play("s");
        RUN(*run,
            until([](const BoardState& s) { return s.players[0] == "9" && s.times[1] < "2:00"; },
                  "the waiting penalty takes the first slot", 8000));
        x().play("s");
        want = run->settle();
        QCOMPARE(want.penaltyLamps, QStringLiteral("1100"));
        want.home = QStringLiteral("1");
        want.goalLamps = QStringLiteral("10");
        RUN(*run, step("<ctrl+h>", want, "Ctrl+H scores for home"));
        RUN(*run, close());
    }

    void kioskKeyboard_data()
    {
        QTest::addColumn<bool>("resume");
        QTest::newRow("after the splash click") << false;
        QTest::newRow("after Resume") << true;
    }

    // Without a window manager nobody gives a window the keyboard: the board takes it when it
    // opens, and the keys reach it with the pointer off it.
    void kioskKeyboard()
    {
        QFETCH(bool, resume);
        const QString name = resume ? QStringLiteral("kiosk-resume") : QStringLiteral("kiosk");
        BoardState want;
        if (resume) {
            // A game to resume, with the clock field selected again.
            auto first = std::make_unique<BoardRun>(*servers, name, QByteArray(),
                                                    QStringLiteral("kiosk-first"));
            RUN(*first, open());
            want.home = QStringLiteral("3");
            RUN(*first, step("<Tab>3\n<shift+Tab>", want, "a score to resume"));
            QTest::qWait(500); // saved
            first->kill();
        }
        auto run = std::make_unique<BoardRun>(*servers, name);
        RUN(*run, open(resume, BoardRun::Keyboard::Kiosk));
        want.home = QStringLiteral("4");
        RUN(*run, step("<Tab>4\n", want, "keys typed in the kiosk"));
        RUN(*run, close());
    }

    // A second board on the state folder of a running one says so on the terminal and in a
    // message, runs without saving, and leaves the first board's game file alone.
    void secondBoardLeavesTheFirstBoardsGame()
    {
        const QString name = QStringLiteral("two-boards");
        auto first = std::make_unique<BoardRun>(*servers, name);
        RUN(*first, open());
        BoardState want;
        want.home = QStringLiteral("5");
        RUN(*first, step("<Tab>5\n", want, "the first board's score"));
        const QString gameFile = first->stateFolder + QStringLiteral("/game.json");
        const auto savedHome = [&] {
            return QJsonDocument::fromJson(readFile(gameFile))["score"]["home"].toInt();
        };
        QTRY_COMPARE(savedHome(), 5);
        const QByteArray saved = readFile(gameFile);

        auto second = std::make_unique<BoardRun>(*servers, name, QByteArray(),
                                                 QStringLiteral("two-boards-second"));
        const X11Session::Window box =
            second->waitForWindow(QStringLiteral("Another board is running"), BoardRun::StartMs);
        QVERIFY2(box,
                 qPrintable("no message about the other board; log:\n" + logTail(second->log)));
        const QString line =
            QStringLiteral("another Pucklight board (process %1) is running").arg(first->pid());
        QVERIFY2(logTail(second->log).count(line) == 1, qPrintable(logTail(second->log)));
        x().focus(box);
        x().play("\n");
        RUN(*second, open());
        want.home = QStringLiteral("7");
        RUN(*second, step("<Tab>7\n", want, "the second board's score"));
        QTest::qWait(500);
        QCOMPARE(readFile(gameFile), saved);
        const QStringList files =
            QDir(first->stateFolder).entryList(QDir::Files | QDir::Hidden | QDir::System);
        QCOMPARE(files, QStringList({"game.json", "game.lock"}));
        RUN(*second, close());
        QCOMPARE(readFile(gameFile), saved);
        x().focus(first->window());
        RUN(*first, close());
    }

    void helpFromATerminal()
    {
        // Asked for its options where there is no display, the program lists them and exits.
        QProcess p;
        QProcessEnvironment env = isolated::environment(work.filePath(QStringLiteral("terminal")));
        for (const char* name : {"DISPLAY", "WAYLAND_DISPLAY", "QT_QPA_PLATFORM"})
            env.remove(QString::fromLatin1(name));
        p.setProcessEnvironment(env);
        p.start(servers->program, {QStringLiteral("--help")});
        QVERIFY(p.waitForFinished(BoardRun::WaitMs));
        QVERIFY(p.exitStatus() == QProcess::NormalExit && p.exitCode() == 0);
        QVERIFY(p.readAllStandardOutput().contains("--fullscreen"));
    }

    void digitsOnAFrenchKeyboard()
    {
        // On AZERTY the top row gives & é " ... unshifted and the digits with Shift; to the
        // board those keys are the digits either way.
        QVERIFY2(x().setLayout(QStringLiteral("fr")), "setxkbmap could not switch to fr");
        const auto run = std::make_unique<BoardRun>(*servers, QStringLiteral("azerty"));
        BoardState want;
        want.home = QStringLiteral("12");
        const bool typed =
            run->open() && run->step("<Tab><ampersand><eacute>\n", want, "& é Enter");
        QVERIFY2(x().setLayout(QStringLiteral("us")), "setxkbmap could not switch back to us");
        QVERIFY2(typed, qPrintable(run->error));
        RUN(*run, close());
    }

    void numLock_data()
    {
        QTest::addColumn<int>("mode");
        QTest::addColumn<bool>("before");     // NumLock as the program finds it
        QTest::addColumn<bool>("afterStart"); // once the board is open
        QTest::addColumn<bool>("afterPress"); // once NumLock has been pressed on the board
        QTest::addColumn<bool>("afterAgain"); // and pressed once more
        QTest::newRow("0 leaves it to the operator") << 0 << false << false << true << false;
        QTest::newRow("1 keeps it on") << 1 << false << true << true << true;
        QTest::newRow("2 keeps it off") << 2 << true << false << false << false;
    }

    void numLock()
    {
        QFETCH(int, mode);
        QFETCH(bool, before);
        QFETCH(bool, afterStart);
        QFETCH(bool, afterPress);
        QFETCH(bool, afterAgain);
        // NumLock comes to `on` and stays there.
        const auto lockSettlesAt = [&](bool on) {
            const bool came = QTest::qWaitFor([&] { return x().numLockOn() == on; }, LockMs);
            QThread::msleep(250);
            return came && x().numLockOn() == on;
        };

        x().setNumLock(before);
        QCOMPARE(x().numLockOn(), before);
        const auto run = std::make_unique<BoardRun>(*servers, QStringLiteral("numlock%1").arg(mode),
                                                    QByteArray("[KeySettings]\nNumLockForce=") +
                                                        QByteArray::number(mode));
        RUN(*run, open());
        QTRY_COMPARE_WITH_TIMEOUT(x().numLockOn(), afterStart, LockMs);

        // The key itself: the server toggles the lock, the program puts it back on the release.
        x().play("<Num_Lock>");
        QVERIFY(lockSettlesAt(afterPress));

        // The keypad follows: digits with NumLock on, arrows (6 is Right) with it off.
        BoardState want;
        want.home = afterPress ? QStringLiteral("5") : QStringLiteral("0");
        want.goalLamps = afterPress ? QStringLiteral("00") : QStringLiteral("01");
        RUN(*run, step(afterPress ? "<Tab><KP_5><KP_Enter>" : "<Tab><Tab><Tab><KP_6>", want,
                       "the keypad"));
        // Once more: without a mode the key toggles the lock, with one the program restores it.
        x().play("<Num_Lock>");
        QVERIFY(lockSettlesAt(afterAgain));
        RUN(*run, close());
    }

    // The operator's console beside the board: what is typed shows in its entry line (read as
    // a screen reader reads it) before Enter puts it on the board; Ctrl+H in the console
    // scores; the manual opened from it leaves its keys working.
    void operatorsConsole()
    {
        if (QStandardPaths::findExecutable(QStringLiteral("dbus-daemon")).isEmpty())
            QSKIP("dbus-daemon is not installed (scripts/deps.sh test)");
        QString error;
        QVERIFY2(servers->startSessionBus(&error), qPrintable(error));
        const auto stopBus = qScopeGuard([this] { servers->stopSessionBus(); });
        const auto run =
            std::make_unique<BoardRun>(*servers, QStringLiteral("operator"), QByteArray(),
                                       QString(), QStringList{QStringLiteral("--console")});
        RUN(*run, open());
        const X11Session::Window console = run->waitForWindow(QStringLiteral("Pucklight Console"));
        QVERIFY2(console, "--console opened no console");
        // Beside the board, as on a desk; nothing covers the board then.
        x().move(console, QPoint(700, 0));
        x().focus(console);
        const QString bus = servers->sessionBus();
        const auto shows = [&bus](const QString& text) {
            QStringList names;
            const bool found = QTest::qWaitFor(
                [&] { return (names = accessibleNames(bus)).contains(text); }, 10000);
            if (!found)
                qWarning("not among the names: %s", qPrintable(names.join(QStringLiteral(" | "))));
            return found;
        };
        x().play("15");
        QVERIFY(shows(QStringLiteral("Enter sets the game clock to 15:00")));
        BoardState want;
        want.clock = QStringLiteral("15:00");
        RUN(*run, step("\n", want, "Enter in the console sets the game clock"));
        want.home = QStringLiteral("1");
        want.goalLamps = QStringLiteral("10");
        RUN(*run, step("<ctrl+h>", want, "Ctrl+H in the console scores for home"));
#ifdef PUCKLIGHT_E2E_HAVE_HELP
        x().play("<F1>");
        const X11Session::Window help = run->waitForWindow(QStringLiteral("Pucklight Help"));
        QVERIFY2(help, "F1 in the console opened no help window");
        x().move(help, QPoint(700, 300));
        x().play("s");
        RUN(*run, until([](const BoardState& s) { return s.clock < QStringLiteral("15:00"); },
                        "S in the console starts the clock with the manual open", 8000));
        x().play("s");
        x().closeWindow(help);
#endif
        x().focus(run->window());
        RUN(*run, close());
    }
};

PL_TEST_MAIN(TestEndToEnd)
#include "tst_e2e.moc"
