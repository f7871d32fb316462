// The real program under Xvfb, driven with real X11 key and mouse events, and checked by
// reading its board from screenshots: what an operator does and what the audience sees.
#include "boardrun.h"
#include "testmain.h"

#include <QLocale>
#include <QRandomGenerator>
#include <QSettings>
#include <QStandardPaths>
#include <QThread>

#include <cerrno>

namespace {

constexpr int SettleMs = 250;
constexpr int SettleTries = 8;
constexpr int LockMs = 2000;
constexpr int RunDownMs = 6000;
constexpr int SoundMs = 3000;
constexpr int32_t Green = 0x00FF00; // red + 256 * green + 65536 * blue

// Seconds of a penalty time "m:ss", or -1 for anything else.
int seconds(const QString& t)
{
    const QTime time = QTime::fromString(t, QStringLiteral("m:ss"));
    return time.isValid() ? time.msecsSinceStartOfDay() / 1000 : -1;
}

// The time of day as the clock field shows it, with the system's 12 or 24-hour habit.
QString timeOfDay(const QTime& t)
{
    int hour = t.hour();
    if (QLocale::system().timeFormat(QLocale::ShortFormat).contains('a', Qt::CaseInsensitive))
        hour = (hour + 11) % 12 + 1;
    return QStringLiteral("%1:%2").arg(hour).arg(t.minute(), 2, 10, QLatin1Char('0'));
}

} // namespace

// Plays the keys and waits for the board to show `want` exactly, or fails with both readings.
#define STEP(run, script, want, what) QVERIFY2(step(run, script, want, what), qPrintable(failure))
#define GAME_STEP(script, what) STEP(*game, script, expected, what)
#define EXPECT_THAT(run, check, what, ...)                                                         \
    QVERIFY2(expectThat(run, check, what __VA_OPT__(, ) __VA_ARGS__), qPrintable(failure))

class TestEndToEnd : public QObject
{
    Q_OBJECT

    QString program;
    QTemporaryDir work{QDir::tempPath() + QStringLiteral("/pucklight-e2e-XXXXXX")};
    std::unique_ptr<TestServers> servers;
    QString failure;

    // The game goes on in one run of the program from step to step; a failed step skips the rest.
    std::unique_ptr<BoardRun> game;
    BoardState expected;
    bool gameBroken = false;

    X11Session& x() { return servers->x(); }
    static bool isGameStep() { return QByteArray(QTest::currentTestFunction()).startsWith("game"); }

    std::unique_ptr<BoardRun> newRun(const QString& name, const QByteArray& ini = {})
    {
        const QString configHome = work.filePath(name + QStringLiteral("/config"));
        QDir().mkpath(configHome + QStringLiteral("/Pucklight"));
        QFile f(configHome + QStringLiteral("/Pucklight/Pucklight.ini"));
        if (!ini.isEmpty() && f.open(QIODevice::WriteOnly))
            f.write(ini);
        return std::make_unique<BoardRun>(*servers, program, configHome,
                                          work.filePath(name + QStringLiteral(".log")));
    }

    bool expectThat(BoardRun& run, const std::function<bool(const BoardState&)>& check,
                    const QString& what, int timeoutMs = BoardRun::WaitMs,
                    const QString& want = QString())
    {
        BoardState last;
        if (run.waitFor(check, &last, timeoutMs))
            return true;
        failure = QStringLiteral("%1\n  the board shows: %2").arg(what, last.toString());
        if (!want.isEmpty())
            failure += QStringLiteral("\n  expected:        %1").arg(want);
        // A screenshot of the failed step goes where PUCKLIGHT_E2E_SHOTS says, if it is set.
        const QString shots = qEnvironmentVariable("PUCKLIGHT_E2E_SHOTS");
        if (!shots.isEmpty() && QDir().mkpath(shots))
            run.grab().save(QDir(shots).filePath(QString::fromLatin1(QTest::currentTestFunction()) +
                                                 QStringLiteral(".png")));
        return false;
    }

    bool step(BoardRun& run, const QString& script, const BoardState& want, const QString& what)
    {
        x().play(script);
        return expectThat(
            run, [&](const BoardState& s) { return s == want; }, what, BoardRun::WaitMs,
            want.toString());
    }

    // Two equal readings a few ticks apart are the board at rest.
    static BoardState settle(BoardRun& run)
    {
        BoardState a = run.read();
        for (int i = 0; i < SettleTries; ++i) {
            QThread::msleep(SettleMs);
            const BoardState b = run.read();
            if (a == b)
                break;
            a = b;
        }
        return a;
    }

    // NumLock comes to `on` and stays there.
    bool lockSettlesAt(bool on)
    {
        const bool came = QTest::qWaitFor([&] { return x().numLockOn() == on; }, LockMs);
        QThread::msleep(SettleMs);
        return came && x().numLockOn() == on;
    }

private Q_SLOTS:
    void initTestCase()
    {
        program = qEnvironmentVariable("PUCKLIGHT_BINARY");
        QVERIFY2(QFileInfo(program).isExecutable(),
                 "PUCKLIGHT_BINARY must name the pucklight program (CTest passes it)");
        QVERIFY(work.isValid());
        servers = std::make_unique<TestServers>(work.path());
        QString error;
        QVERIFY2(servers->startDisplay(&error), qPrintable(error));
        if (QStandardPaths::findExecutable(QStringLiteral("pulseaudio")).isEmpty())
            qWarning("pulseaudio is not installed: the buzzer's stream is not checked");
        else
            QVERIFY2(servers->startAudio(&error), qPrintable(error));
    }

    void init()
    {
        if (isGameStep() && gameBroken)
            QSKIP("an earlier step of the game failed");
    }

    void cleanup()
    {
        if (isGameStep() && QTest::currentTestFailed()) {
            gameBroken = true;
            game.reset();
        }
    }

    void cleanupTestCase()
    {
        game.reset();
        if (servers)
            servers->stop();
        // Nothing this test started may outlive it.
        for (const pid_t pid : ChildProcess::startedIds())
            QVERIFY2(kill(pid, 0) == -1 && errno == ESRCH,
                     qPrintable(QStringLiteral("pid %1 is still there").arg(pid)));
    }

    void gameOpens()
    {
        game = newRun(QStringLiteral("game"));
        QString error;
        QVERIFY2(game->open(&error), qPrintable(error));
        // NumLock starts off; the operator turns it on for the keypad's digits.
        x().setNumLock(false);
        GAME_STEP(QString(), "the board as it opens");
    }

    void gameClockStartsAndStops()
    {
        // The clock field has the keyboard at first.
        expected.clock = QStringLiteral("2:00");
        GAME_STEP("2.00\n", "2.00 Enter on the clock");
        expected.clock = QStringLiteral("20:00");
        GAME_STEP("20\n", "20 Enter on the clock");

        x().play("s");
        EXPECT_THAT(
            *game, [](const BoardState& s) { return s.clock.startsWith("19:5"); },
            "S starts the clock");
        x().play("s");
        expected.clock = settle(*game).clock;
        QVERIFY2(expected.clock.startsWith(QLatin1String("19:5")), qPrintable(expected.clock));
        GAME_STEP(QString(), "S stops the clock");
    }

    void gameScores()
    {
        // Main keyboard digits, then +1; keypad digits with NumLock on.
        expected.home = QStringLiteral("12");
        GAME_STEP("<Tab>12\n", "12 Enter on the home score");
        expected.home = QStringLiteral("13");
        GAME_STEP("+1", "+1 on the home score");
        x().play("<Tab><Num_Lock>");
        QTRY_VERIFY_WITH_TIMEOUT(x().numLockOn(), LockMs);
        expected.visitor = QStringLiteral("3");
        GAME_STEP("<KP_3><KP_Enter>", "keypad 3 Enter on the visitor score");
        expected.visitor = QStringLiteral("4");
        GAME_STEP("<KP_Add><KP_1>", "keypad +1 on the visitor score");

        // Shots and period, past the goal strip.
        expected.shotsHome = QStringLiteral("7");
        expected.period = QStringLiteral("2");
        expected.shotsVisitor = QStringLiteral("15");
        GAME_STEP("<Tab><Tab>7\n<Tab>2<Tab><KP_1><KP_5><KP_Enter>", "shots 7 and 15, period 2");
    }

    void gamePenalties()
    {
        // Two penalties a team, in tab order H1, V1, H2, V2: the player, then the time.
        expected.players[0] = QStringLiteral("17");
        expected.times[0] = QStringLiteral("2:00");
        expected.penaltyLamps = QStringLiteral("1000");
        GAME_STEP("<Tab>17\n<Tab>2\n", "penalty 17 for 2 minutes");
        expected.players = {"17", "22", "4", "9"};
        expected.times = {"2:00", "2:30", "1:30", "0:45"};
        expected.penaltyLamps = QStringLiteral("1111");
        GAME_STEP("<Tab><KP_4><KP_Enter><Tab>1.30\n<Tab>22\n"
                  "<Tab><KP_2><KP_Decimal><KP_3><KP_0><KP_Enter><Tab>9\n<Tab>0.45\n",
                  "four penalties");

        // Delete on the last penalty's time clears that penalty and its lamp.
        expected.players[3] = expected.times[3] = QString();
        expected.penaltyLamps = QStringLiteral("1110");
        GAME_STEP("<Delete>", "Delete on a penalty");
    }

    void gameTimeOfDayAndReset()
    {
        const QTime before = QTime::currentTime();
        x().play("c");
        EXPECT_THAT(
            *game,
            [&](const BoardState& s) {
                return s.clock == timeOfDay(before) || s.clock == timeOfDay(before.addSecs(60));
            },
            "C shows the time of day " + timeOfDay(before));
        GAME_STEP("c", "C again shows the game clock");
        expected.clock = QStringLiteral("20:00");
        GAME_STEP("r", "R resets to the last game time typed");
    }

    void gameRunsDownToZero()
    {
        // Tab wraps round to the clock field: a time under a minute shows tenths; run it down.
        expected.clock = QStringLiteral("10.0");
        GAME_STEP("<Tab>0.10\n", "0.10 Enter on the clock");
        expected.clock = QStringLiteral("2.5");
        GAME_STEP("0.025\n", "0.025 Enter on the clock");
        const QString streams = work.filePath(QStringLiteral("streams.log"));
        std::unique_ptr<ChildProcess> watcher;
        if (servers->hasAudio())
            watcher = servers->watchStreams(streams);
        QThread::msleep(SettleMs); // pactl subscribes before the buzzer can sound
        x().play("s");
        EXPECT_THAT(
            *game, [](const BoardState& s) { return s.clock == "0.0"; },
            "the clock runs down to 0.0", RunDownMs);
        // The penalties ran with the clock and stand still with it at zero.
        const BoardState now = settle(*game);
        QCOMPARE(now.clock, QStringLiteral("0.0"));
        for (int i = 0; i < 3; ++i) {
            const int drop = seconds(expected.times[i]) - seconds(now.times[i]);
            QVERIFY2(drop == 2 || drop == 3, qPrintable(now.toString()));
            expected.times[i] = now.times[i];
        }
        expected.clock = now.clock;
        GAME_STEP(QString(), "the board at 0.0");
        if (watcher) {
            const auto played = [&] {
                QFile f(streams);
                return f.open(QIODevice::ReadOnly) && f.readAll().contains("'new' on sink-input");
            };
            QTRY_VERIFY2_WITH_TIMEOUT(played(), "the buzzer played no sound", SoundMs);
            watcher->stop();
        }
        expected.clock = QStringLiteral("2.5");
        GAME_STEP("r", "R after the run-down");
    }

    void gameOptionsColour()
    {
        // F2: the time colour becomes green through the options dialog and the colour dialog.
        x().play("<F2>");
        const X11Session::Window options = game->waitForWindow(QStringLiteral("Options"));
        QVERIFY2(options, "F2 opened no options dialog");
        x().focus(options);
        // From OK, the focus goes round to the tab bar; Right shows the second page, whose first
        // button is the time colour's Change.
        x().play("<Tab><Tab><Right><Tab><space>");
        const X11Session::Window picker = game->waitForWindow(QStringLiteral("Select Color"));
        QVERIFY2(picker, "Change opened no colour dialog");
        x().focus(picker);
        x().play("<alt+h>#00ff00\n");
        QVERIFY2(game->waitForWindowGone(QStringLiteral("Select Color")),
                 "the colour dialog did not close");
        x().focus(options);
        x().play("<alt+o>");
        QVERIFY2(game->waitForWindowGone(QStringLiteral("Options")),
                 "OK did not close the options dialog");
        x().focus(game->window());
        SettingVariables colours;
        colours.TimeColor = Green;
        game->setColours(colours);
        GAME_STEP(QString(), "the clock and the penalty times in the new colour");
        const QSettings ini(work.filePath("game/config/Pucklight/Pucklight.ini"),
                            QSettings::IniFormat);
        QCOMPARE(ini.value("ColorSettings/TimeColor").toString(), QString::number(Green));
    }

    void gameHelp()
    {
#ifndef PUCKLIGHT_E2E_HAVE_HELP
        QSKIP("the program is built without its help window");
#endif
        // F1 opens the help window; closing it leaves the board as it was.
        x().play("<F1>");
        const X11Session::Window help = game->waitForWindow(QStringLiteral("Pucklight Help"));
        QVERIFY2(help, "F1 opened no help window");
        x().closeWindow(help);
        QVERIFY2(game->waitForWindowGone(QStringLiteral("Pucklight Help")),
                 "the help window did not close");
        x().focus(game->window());
        GAME_STEP(QString(), "the board after the help window");
    }

    void gameLargerWindow()
    {
        // The reader follows the board to another size.
        const QSize large(1280, 720);
        x().resize(game->window(), large);
        QTRY_COMPARE_WITH_TIMEOUT(game->grab().size(), large, BoardRun::WaitMs);
        GAME_STEP(QString(), "the board at 1280 x 720");
        QString error;
        QVERIFY2(game->close(&error), qPrintable(error));
        game.reset();
    }

    // Killed in the middle of play, the program offers the game at the next start; Enter
    // brings back every number, and the clock stopped within a second of where it stood.
    void resumeAfterAKill()
    {
        std::unique_ptr<BoardRun> run = newRun(QStringLiteral("resume"));
        QString error;
        QVERIFY2(run->open(&error), qPrintable(error));
        BoardState want;
        want.clock = QStringLiteral("50.0");
        want.home = QStringLiteral("3");
        want.visitor = QStringLiteral("1");
        want.shotsHome = QStringLiteral("12");
        want.period = QStringLiteral("2");
        want.shotsVisitor = QStringLiteral("8");
        want.players = {"17", "", "4", ""};
        want.times = {"2:00", "", "1:30", ""};
        want.penaltyLamps = QStringLiteral("1010");
        STEP(*run,
             "0.50\n<Tab>3\n<Tab>1\n<Tab><Tab>12\n<Tab>2<Tab>8\n<Tab>17\n<Tab>2\n<Tab>4\n<Tab>1."
             "30\n",
             want, "part of a game");
        x().play("s");
        QThread::msleep(1500 + QRandomGenerator::global()->bounded(1000));
        const BoardState atKill = run->read();
        run->kill();
        run.reset();

        run = newRun(QStringLiteral("resume"));
        QVERIFY2(run->resume(&error), qPrintable(error));
        const BoardState resumed = settle(*run);
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
        // A clock that runs again makes the close ask; S stops it, and the close is clean.
        x().play("s");
        QThread::msleep(300);
        x().closeWindow(run->window());
        const X11Session::Window question = run->waitForWindow(QStringLiteral("Close scoreboard"));
        QVERIFY2(question, "closing a running board asked nothing");
        x().focus(question);
        x().play("<Escape>");
        QVERIFY(run->waitForWindowGone(QStringLiteral("Close scoreboard")));
        x().focus(run->window());
        x().play("s");
        QVERIFY2(run->close(&error), qPrintable(error));
    }

    // A third penalty waits and takes the slot of the first when it runs out; Ctrl+H scores a
    // goal and Ctrl+Z takes it back.
    void consoleFunctions()
    {
        const std::unique_ptr<BoardRun> run = newRun(QStringLiteral("console"));
        QString error;
        QVERIFY2(run->open(&error), qPrintable(error));
        BoardState want;
        want.players = {"17", "4", "", ""};
        want.times = {"0:03", "2:00", "", ""};
        want.penaltyLamps = QStringLiteral("1100");
        STEP(*run, "<Tab><Tab><Tab><Tab><Tab><Tab><Tab>17\n<Tab>0.03\n<Tab><Tab><Tab>4\n<Tab>2\n",
             want, "two home penalties");
        x().play("<F3>");
        const X11Session::Window waiting = run->waitForWindow(QStringLiteral("Waiting penalties"));
        QVERIFY2(waiting, "F3 opened no waiting penalties window");
        x().focus(waiting);
        x().play("9<Tab>1.00\n<Escape>");
        QVERIFY(run->waitForWindowGone(QStringLiteral("Waiting penalties")));
        x().focus(run->window());
        x().play("s");
        EXPECT_THAT(
            *run, [](const BoardState& s) { return s.players[0] == "9" && s.times[1] < "2:00"; },
            "the waiting penalty takes the first slot", 8000);
        x().play("s");
        want = settle(*run);
        QCOMPARE(want.penaltyLamps, QStringLiteral("1100"));
        want.home = QStringLiteral("1");
        want.goalLamps = QStringLiteral("10");
        STEP(*run, "<ctrl+h>", want, "Ctrl+H scores for home");
        want.home = QStringLiteral("0");
        want.goalLamps = QStringLiteral("00");
        STEP(*run, "<ctrl+z>", want, "Ctrl+Z takes the goal back");
        QVERIFY2(run->close(&error), qPrintable(error));
    }

    void helpFromATerminal()
    {
        // Asked for its options where there is no display, the program lists them and exits.
        QProcess p;
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        for (const char* name : {"DISPLAY", "WAYLAND_DISPLAY", "QT_QPA_PLATFORM"})
            env.remove(QString::fromLatin1(name));
        p.setProcessEnvironment(env);
        p.start(program, {QStringLiteral("--help")});
        QVERIFY(p.waitForFinished(BoardRun::WaitMs));
        QCOMPARE(p.exitStatus(), QProcess::NormalExit);
        QCOMPARE(p.exitCode(), 0);
        QVERIFY(p.readAllStandardOutput().contains("--fullscreen"));
    }

    void digitsOnAFrenchKeyboard()
    {
        // On AZERTY the top row gives & é " ... unshifted and the digits with Shift; to the
        // board those keys are the digits either way.
        QVERIFY2(x().setLayout(QStringLiteral("fr")), "setxkbmap could not switch to fr");
        const std::unique_ptr<BoardRun> run = newRun(QStringLiteral("azerty"));
        QString error;
        const bool opened = run->open(&error);
        BoardState want;
        want.home = QStringLiteral("12");
        const bool typed =
            opened && step(*run, "<Tab><ampersand><eacute>\n", want, "& é Enter on the home score");
        if (opened)
            run->close(&error);
        QVERIFY2(x().setLayout(QStringLiteral("us")), "setxkbmap could not switch back to us");
        QVERIFY2(opened, qPrintable(error));
        QVERIFY2(typed, qPrintable(failure));
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

        x().setNumLock(before);
        QCOMPARE(x().numLockOn(), before);
        const std::unique_ptr<BoardRun> run =
            newRun(QStringLiteral("numlock%1").arg(mode),
                   QByteArray("[KeySettings]\nNumLockForce=") + QByteArray::number(mode));
        QString error;
        QVERIFY2(run->open(&error), qPrintable(error));
        QTRY_COMPARE_WITH_TIMEOUT(x().numLockOn(), afterStart, LockMs);

        // The key itself: the server toggles the lock, the program puts it back on the release.
        x().play("<Num_Lock>");
        QVERIFY(lockSettlesAt(afterPress));

        // The keypad follows: digits with NumLock on, arrows with it off.
        BoardState want;
        if (afterPress) {
            want.home = QStringLiteral("5");
            STEP(*run, "<Tab><KP_5><KP_Enter>", want, "keypad 5 Enter on the home score");
        } else {
            want.goalLamps = QStringLiteral("10");
            STEP(*run, "<Tab><Tab><Tab><KP_4>", want, "keypad 4 (Left) on the goal strip");
            want.goalLamps = QStringLiteral("01");
            STEP(*run, "<KP_6>", want, "keypad 6 (Right) on the goal strip");
        }
        // Once more: without a mode the key toggles the lock, with one the program restores it.
        x().play("<Num_Lock>");
        QVERIFY(lockSettlesAt(afterAgain));
        QVERIFY2(run->close(&error), qPrintable(error));
    }
};

PL_TEST_MAIN(TestEndToEnd)
#include "tst_e2e.moc"
