// The real program under Xvfb, driven with real X11 key and mouse events, and checked by
// reading its board from screenshots: what an operator does and what the audience sees.
#include "boardrun.h"
#include "childprocess.h"
#include "testmain.h"
#include "testservers.h"
#include "x11session.h"

#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLocale>
#include <QProcess>
#include <QSettings>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QThread>

#include <X11/keysym.h>
#include <cerrno>
#include <csignal>

namespace {

constexpr int SettleMs = 250;
constexpr int SettleTries = 8;
constexpr int LockMs = 2000;
constexpr int RunDownMs = 6000;
constexpr int WindowMs = 5000;
constexpr int SoundMs = 3000;
const QSize LargeBoard(1280, 720);
constexpr int32_t Green = 0x00FF00; // red + 256 * green + 65536 * blue

// Seconds of a penalty time "m:ss", or -1 for anything else.
int seconds(const QString& t)
{
    const QStringList p = t.split(QLatin1Char(':'));
    bool minutesOk = false;
    bool secondsOk = false;
    const int m = p.size() == 2 ? p[0].toInt(&minutesOk) : 0;
    const int s = p.size() == 2 ? p[1].toInt(&secondsOk) : 0;
    return minutesOk && secondsOk && p[1].size() == 2 ? m * 60 + s : -1;
}

// The time of day as the clock field shows it, with the system's 12 or 24-hour habit.
QString timeOfDay(const QTime& t)
{
    int hour = t.hour();
    if (QLocale::system()
            .timeFormat(QLocale::ShortFormat)
            .contains(QLatin1Char('a'), Qt::CaseInsensitive)) {
        hour %= 12;
        if (hour == 0)
            hour = 12;
    }
    return QStringLiteral("%1:%2").arg(hour).arg(t.minute(), 2, 10, QLatin1Char('0'));
}

bool isGameStep()
{
    return QByteArray(QTest::currentTestFunction()).startsWith("game");
}

void writeIni(const QString& configHome, const QString& text)
{
    QDir().mkpath(configHome + QStringLiteral("/Pucklight"));
    QFile f(configHome + QStringLiteral("/Pucklight/Pucklight.ini"));
    if (f.open(QIODevice::WriteOnly))
        f.write(text.toUtf8());
}

} // namespace

// Waits for the board to show `want` exactly, and fails the test with both pictures if not.
#define EXPECT_BOARD(run, want, step) QVERIFY2(expectBoard(run, want, step), qPrintable(failure))

class TestEndToEnd : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void initTestCase();
    void init();
    void cleanup();
    void gameOpens();
    void gameClockStartsAndStops();
    void gameScores();
    void gamePenalties();
    void gameGoalLamps();
    void gameTimeOfDayAndReset();
    void gameRunsDownToZero();
    void gameOptionsColour();
    void gameHelp();
    void gameLargerWindow();
    void numLock_data();
    void numLock();
    void cleanupTestCase();

private:
    std::unique_ptr<BoardRun> newRun(const QString& name, const QString& ini = QString());
    bool expectBoard(BoardRun& run, const BoardState& want, const QString& step);
    bool expectThat(BoardRun& run, const BoardRun::Check& check, const QString& step,
                    int timeoutMs = BoardRun::DefaultWaitMs);
    BoardState settle(BoardRun& run);
    void shot(BoardRun& run, const QString& name);
    bool streamPlayed(const QString& log);

    X11Session& x() { return servers->x(); }

    QString program;
    QTemporaryDir work{QDir::tempPath() + QStringLiteral("/pucklight-e2e-XXXXXX")};
    std::unique_ptr<TestServers> servers;
    QString failure;

    // The game goes on from step to step in one run of the program; once a step fails, the
    // steps after it are skipped.
    std::unique_ptr<BoardRun> gameRun;
    BoardState expected;
    bool gameBroken = false;
};

void TestEndToEnd::initTestCase()
{
    ChildProcess::installSignalHandlers();
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

void TestEndToEnd::init()
{
    if (isGameStep() && gameBroken)
        QSKIP("an earlier step of the game failed");
}

void TestEndToEnd::cleanup()
{
    if (isGameStep() && QTest::currentTestFailed()) {
        gameBroken = true;
        gameRun.reset();
    }
}

void TestEndToEnd::cleanupTestCase()
{
    gameRun.reset();
    if (servers)
        servers->stop();
    // Nothing this test started may outlive it.
    const std::vector<pid_t>& ours = ChildProcess::startedIds();
    for (const char* name : {"Xvfb", "pulseaudio", "pucklight", "pactl"}) {
        QProcess pgrep;
        pgrep.start(QStringLiteral("pgrep"), {QStringLiteral("-f"), QLatin1String(name)});
        pgrep.waitForFinished();
        for (const QByteArray& line : pgrep.readAllStandardOutput().split('\n')) {
            const pid_t pid = line.trimmed().toInt();
            QVERIFY2(pid == 0 || std::find(ours.begin(), ours.end(), pid) == ours.end(),
                     qPrintable(QStringLiteral("%1 (pid %2) is still running").arg(name).arg(pid)));
        }
    }
    for (const pid_t pid : ours)
        QVERIFY2(kill(pid, 0) == -1 && errno == ESRCH,
                 qPrintable(QStringLiteral("pid %1 is still there").arg(pid)));
}

std::unique_ptr<BoardRun> TestEndToEnd::newRun(const QString& name, const QString& ini)
{
    const QString configHome = work.filePath(name + QStringLiteral("/config"));
    QDir().mkpath(configHome);
    if (!ini.isEmpty())
        writeIni(configHome, ini);
    return std::make_unique<BoardRun>(*servers, program, configHome,
                                      work.filePath(name + QStringLiteral(".log")));
}

bool TestEndToEnd::expectThat(BoardRun& run, const BoardRun::Check& check, const QString& step,
                              int timeoutMs)
{
    BoardState last;
    if (run.waitFor(check, &last, timeoutMs))
        return true;
    failure = QStringLiteral("%1\n  the board shows: %2").arg(step, last.toString());
    shot(run, QStringLiteral("failed"));
    return false;
}

bool TestEndToEnd::expectBoard(BoardRun& run, const BoardState& want, const QString& step)
{
    if (expectThat(
            run, [&](const BoardState& s) { return s == want; }, step))
        return true;
    failure += QStringLiteral("\n  expected:        %1").arg(want.toString());
    return false;
}

BoardState TestEndToEnd::settle(BoardRun& run)
{
    // The tick repaints what changed ten times a second; two equal readings a few ticks
    // apart are the board at rest.
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

void TestEndToEnd::shot(BoardRun& run, const QString& name)
{
    // Screenshots are kept only when asked for, in the folder PUCKLIGHT_E2E_SHOTS names.
    const QString folder = qEnvironmentVariable("PUCKLIGHT_E2E_SHOTS");
    if (!folder.isEmpty() && QDir().mkpath(folder))
        run.grab().save(QDir(folder).filePath(name + QStringLiteral(".png")));
}

bool TestEndToEnd::streamPlayed(const QString& log)
{
    QFile f(log);
    return f.open(QIODevice::ReadOnly) && f.readAll().contains("'new' on sink-input");
}

void TestEndToEnd::gameOpens()
{
    gameRun = newRun(QStringLiteral("game"));
    QString error;
    QVERIFY2(gameRun->open(&error), qPrintable(error));
    // NumLock starts off; the operator turns it on for the keypad's digits.
    x().setNumLock(false);

    expected.clock = QStringLiteral("10:00");
    expected.home = expected.visitor = expected.shotsHome = expected.period =
        expected.shotsVisitor = QStringLiteral("0");
    expected.penaltyLamps = QStringLiteral("0000");
    expected.goalLamps = QStringLiteral("00");
    EXPECT_BOARD(*gameRun, expected, "the board as it opens");
}

void TestEndToEnd::gameClockStartsAndStops()
{
    // The clock field has the keyboard at first.
    x().type(QStringLiteral("2.00\n"));
    expected.clock = QStringLiteral("2:00");
    EXPECT_BOARD(*gameRun, expected, "2.00 Enter on the clock");
    x().type(QStringLiteral("20\n"));
    expected.clock = QStringLiteral("20:00");
    EXPECT_BOARD(*gameRun, expected, "20 Enter on the clock");

    x().tap(XK_s);
    QVERIFY2(expectThat(
                 *gameRun, [](const BoardState& s) { return s.clock.startsWith("19:5"); },
                 "S starts the clock"),
             qPrintable(failure));
    x().tap(XK_s);
    const BoardState now = settle(*gameRun);
    QVERIFY2(now.clock.startsWith(QLatin1String("19:5")), qPrintable(now.toString()));
    expected.clock = now.clock;
    EXPECT_BOARD(*gameRun, expected, "S stops the clock");
}

void TestEndToEnd::gameScores()
{
    // Main keyboard digits, then +1; keypad digits with NumLock on.
    x().tap(XK_Tab);
    x().type(QStringLiteral("12\n"));
    expected.home = QStringLiteral("12");
    EXPECT_BOARD(*gameRun, expected, "12 Enter on the home score");
    x().type(QStringLiteral("+1"));
    expected.home = QStringLiteral("13");
    EXPECT_BOARD(*gameRun, expected, "+1 on the home score");
    x().tap(XK_Tab);
    x().tapRaw(XK_Num_Lock);
    QTRY_VERIFY_WITH_TIMEOUT(x().numLockOn(), LockMs);
    for (const unsigned long k : {XK_KP_3, XK_KP_Enter})
        x().tapRaw(k);
    expected.visitor = QStringLiteral("3");
    EXPECT_BOARD(*gameRun, expected, "keypad 3 Enter on the visitor score");
    for (const unsigned long k : {XK_KP_Add, XK_KP_1})
        x().tapRaw(k);
    expected.visitor = QStringLiteral("4");
    EXPECT_BOARD(*gameRun, expected, "keypad +1 on the visitor score");

    // Shots and period, past the goal strip.
    x().tap(XK_Tab);
    x().tap(XK_Tab);
    x().type(QStringLiteral("7\n"));
    x().tap(XK_Tab);
    x().type(QStringLiteral("2"));
    x().tap(XK_Tab);
    for (const unsigned long k : {XK_KP_1, XK_KP_5, XK_KP_Enter})
        x().tapRaw(k);
    expected.shotsHome = QStringLiteral("7");
    expected.period = QStringLiteral("2");
    expected.shotsVisitor = QStringLiteral("15");
    EXPECT_BOARD(*gameRun, expected, "shots 7 and 15, period 2");
}

void TestEndToEnd::gamePenalties()
{
    // Two penalties a team, in tab order H1, V1, H2, V2: the player, then the time.
    x().tap(XK_Tab);
    x().type(QStringLiteral("17\n"));
    x().tap(XK_Tab);
    x().type(QStringLiteral("2\n"));
    expected.players[0] = QStringLiteral("17");
    expected.times[0] = QStringLiteral("2:00");
    expected.penaltyLamps = QStringLiteral("1000");
    EXPECT_BOARD(*gameRun, expected, "penalty 17 for 2 minutes");
    x().tap(XK_Tab);
    for (const unsigned long k : {XK_KP_4, XK_KP_Enter})
        x().tapRaw(k);
    x().tap(XK_Tab);
    x().type(QStringLiteral("1.30\n"));
    x().tap(XK_Tab);
    x().type(QStringLiteral("22\n"));
    x().tap(XK_Tab);
    for (const unsigned long k : {XK_KP_2, XK_KP_Decimal, XK_KP_3, XK_KP_0, XK_KP_Enter})
        x().tapRaw(k);
    x().tap(XK_Tab);
    x().type(QStringLiteral("9\n"));
    x().tap(XK_Tab);
    x().type(QStringLiteral("0.45\n"));
    expected.players[1] = QStringLiteral("22");
    expected.times[1] = QStringLiteral("2:30");
    expected.players[2] = QStringLiteral("4");
    expected.times[2] = QStringLiteral("1:30");
    expected.players[3] = QStringLiteral("9");
    expected.times[3] = QStringLiteral("0:45");
    expected.penaltyLamps = QStringLiteral("1111");
    EXPECT_BOARD(*gameRun, expected, "four penalties");
    shot(*gameRun, QStringLiteral("01-penalties"));

    // The penalties count down with the game clock, all by the same amount.
    x().tap(XK_s);
    QVERIFY2(expectThat(
                 *gameRun,
                 [](const BoardState& s) {
                     const int left = seconds(s.times[3]);
                     return left >= 0 && left <= 43;
                 },
                 "the penalties count down"),
             qPrintable(failure));
    x().tap(XK_s);
    const BoardState now = settle(*gameRun);
    const int ran = 45 - seconds(now.times[3]);
    QVERIFY2(ran >= 2 && seconds(now.times[0]) == 120 - ran && seconds(now.times[1]) == 150 - ran &&
                 seconds(now.times[2]) == 90 - ran && now.clock != expected.clock,
             qPrintable(now.toString()));
    expected.clock = now.clock;
    for (int i = 0; i < 4; ++i)
        expected.times[i] = now.times[i];
    EXPECT_BOARD(*gameRun, expected, "S stops the penalties with the game clock");
    shot(*gameRun, QStringLiteral("02-counting"));

    // Delete on the last penalty's time clears that penalty and its lamp.
    x().tap(XK_Delete);
    expected.players[3] = expected.times[3] = QString();
    expected.penaltyLamps = QStringLiteral("1110");
    EXPECT_BOARD(*gameRun, expected, "Delete on a penalty");
}

void TestEndToEnd::gameGoalLamps()
{
    // To the goal strip: Tab wraps round to the clock, then three more.
    for (int i = 0; i < 4; ++i)
        x().tap(XK_Tab);
    x().tap(XK_Left);
    expected.goalLamps = QStringLiteral("10");
    EXPECT_BOARD(*gameRun, expected, "Left on the goal strip");
    x().tap(XK_Right);
    expected.goalLamps = QStringLiteral("01");
    EXPECT_BOARD(*gameRun, expected, "Right on the goal strip");
    x().tap(XK_Down);
    expected.goalLamps = QStringLiteral("00");
    EXPECT_BOARD(*gameRun, expected, "Down on the goal strip");
}

void TestEndToEnd::gameTimeOfDayAndReset()
{
    // Time of day, then back to the game clock.
    const QTime before = QTime::currentTime();
    x().tap(XK_c);
    QVERIFY2(expectThat(
                 *gameRun,
                 [&](const BoardState& s) {
                     return s.clock == timeOfDay(before) ||
                            s.clock == timeOfDay(before.addSecs(60));
                 },
                 "C shows the time of day " + timeOfDay(before)),
             qPrintable(failure));
    x().tap(XK_c);
    EXPECT_BOARD(*gameRun, expected, "C again shows the game clock");

    x().tap(XK_r);
    expected.clock = QStringLiteral("20:00");
    EXPECT_BOARD(*gameRun, expected, "R resets to the last game time typed");
}

void TestEndToEnd::gameRunsDownToZero()
{
    // Back to the clock field: a time under a minute shows tenths; run it down to 0.0.
    for (int i = 0; i < 3; ++i)
        x().chord({XK_Shift_L, XK_Tab});
    x().type(QStringLiteral("0.10\n"));
    expected.clock = QStringLiteral("10.0");
    EXPECT_BOARD(*gameRun, expected, "0.10 Enter on the clock");
    x().type(QStringLiteral("0.025\n"));
    expected.clock = QStringLiteral("2.5");
    EXPECT_BOARD(*gameRun, expected, "0.025 Enter on the clock");
    const QString streams = work.filePath(QStringLiteral("streams.log"));
    std::unique_ptr<ChildProcess> watcher;
    if (servers->hasAudio())
        watcher = servers->watchStreams(streams);
    QThread::msleep(SettleMs); // pactl subscribes before the buzzer can sound
    x().tap(XK_s);
    QVERIFY2(expectThat(
                 *gameRun, [](const BoardState& s) { return s.clock == "0.0"; },
                 "the clock runs down to 0.0", RunDownMs),
             qPrintable(failure));
    // The penalties ran with the clock and stand still with it at zero.
    const BoardState now = settle(*gameRun);
    shot(*gameRun, QStringLiteral("03-zero"));
    QCOMPARE(now.clock, QStringLiteral("0.0"));
    for (int i = 0; i < 3; ++i) {
        const int drop = seconds(expected.times[i]) - seconds(now.times[i]);
        QVERIFY2(drop == 2 || drop == 3, qPrintable(now.toString()));
        expected.times[i] = now.times[i];
    }
    expected.clock = now.clock;
    EXPECT_BOARD(*gameRun, expected, "the board at 0.0");
    if (watcher) {
        QTRY_VERIFY2_WITH_TIMEOUT(streamPlayed(streams), "the buzzer played no sound", SoundMs);
        watcher->stop();
    }
    x().tap(XK_r);
    expected.clock = QStringLiteral("2.5");
    EXPECT_BOARD(*gameRun, expected, "R after the run-down");
}

void TestEndToEnd::gameOptionsColour()
{
    // F2: the time colour becomes green through the options dialog and the colour dialog.
    x().tap(XK_F2);
    const auto options = gameRun->waitForWindow(QStringLiteral("Options"), WindowMs);
    QVERIFY2(options, "F2 opened no options dialog");
    x().focus(options->id);
    // From OK, the focus goes round to the tab bar; Right shows the second page, whose first
    // button is the time colour's Change.
    x().tap(XK_Tab);
    x().tap(XK_Tab);
    x().tap(XK_Right);
    x().tap(XK_Tab);
    x().tap(XK_space);
    const auto picker = gameRun->waitForWindow(QStringLiteral("Select Color"), WindowMs);
    QVERIFY2(picker, "Change opened no colour dialog");
    x().focus(picker->id);
    x().chord({XK_Alt_L, XK_h});
    x().type(QStringLiteral("#00ff00\n"));
    QVERIFY2(gameRun->waitForWindowGone(QStringLiteral("Select Color"), WindowMs),
             "the colour dialog did not close");
    x().focus(options->id);
    x().chord({XK_Alt_L, XK_o});
    QVERIFY2(gameRun->waitForWindowGone(QStringLiteral("Options"), WindowMs),
             "OK did not close the options dialog");
    x().focus(gameRun->window());
    SettingVariables colours;
    colours.TimeColor = Green;
    gameRun->setColours(colours);
    EXPECT_BOARD(*gameRun, expected, "the clock and the penalty times in the new colour");
    shot(*gameRun, QStringLiteral("04-green"));
    const QSettings ini(work.filePath(QStringLiteral("game/config/Pucklight/Pucklight.ini")),
                        QSettings::IniFormat);
    QCOMPARE(ini.value(QStringLiteral("ColorSettings/TimeColor")).toString(),
             QString::number(Green));
}

void TestEndToEnd::gameHelp()
{
#ifndef PUCKLIGHT_E2E_HAVE_HELP
    QSKIP("the program is built without its help window");
#endif
    // F1 opens the help window; closing it leaves the board as it was.
    x().tap(XK_F1);
    const auto help = gameRun->waitForWindow(QStringLiteral("Pucklight Help"), WindowMs);
    QVERIFY2(help, "F1 opened no help window");
    x().closeWindow(help->id);
    QVERIFY2(gameRun->waitForWindowGone(QStringLiteral("Pucklight Help"), WindowMs),
             "the help window did not close");
    x().focus(gameRun->window());
    EXPECT_BOARD(*gameRun, expected, "the board after the help window");
}

void TestEndToEnd::gameLargerWindow()
{
    // The reader follows the board to another size.
    x().resize(gameRun->window(), LargeBoard);
    QTRY_COMPARE_WITH_TIMEOUT(x().geometry(gameRun->window()).size(), LargeBoard, WindowMs);
    EXPECT_BOARD(*gameRun, expected, "the board at 1280 x 720");
    shot(*gameRun, QStringLiteral("05-large"));

    QString error;
    QVERIFY2(gameRun->close(&error), qPrintable(error));
    gameRun.reset();
}

void TestEndToEnd::numLock_data()
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

void TestEndToEnd::numLock()
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
               QStringLiteral("[KeySettings]\nNumLockForce=%1\n").arg(mode));
    QString error;
    QVERIFY2(run->open(&error), qPrintable(error));
    QTRY_COMPARE_WITH_TIMEOUT(x().numLockOn(), afterStart, LockMs);

    // The key itself: the server toggles the lock, the program puts it back on the release.
    x().tapRaw(XK_Num_Lock);
    QTRY_COMPARE_WITH_TIMEOUT(x().numLockOn(), afterPress, LockMs);
    QThread::msleep(SettleMs);
    QCOMPARE(x().numLockOn(), afterPress);

    // The keypad follows: digits with NumLock on, arrows with it off.
    BoardState want = run->read();
    if (afterPress) {
        x().tap(XK_Tab);
        for (const unsigned long k : {XK_KP_5, XK_KP_Enter})
            x().tapRaw(k);
        want.home = QStringLiteral("5");
        EXPECT_BOARD(*run, want, "keypad 5 Enter on the home score");
    } else {
        for (int i = 0; i < 3; ++i)
            x().tap(XK_Tab);
        x().tapRaw(XK_KP_4);
        want.goalLamps = QStringLiteral("10");
        EXPECT_BOARD(*run, want, "keypad 4 (Left) on the goal strip");
        x().tapRaw(XK_KP_6);
        want.goalLamps = QStringLiteral("01");
        EXPECT_BOARD(*run, want, "keypad 6 (Right) on the goal strip");
    }
    // Once more: without a mode the key toggles the lock, with one the program restores it.
    x().tapRaw(XK_Num_Lock);
    QTRY_COMPARE_WITH_TIMEOUT(x().numLockOn(), afterAgain, LockMs);
    QThread::msleep(SettleMs);
    QCOMPARE(x().numLockOn(), afterAgain);
    QVERIFY2(run->close(&error), qPrintable(error));
}

PL_TEST_MAIN(TestEndToEnd)
#include "tst_e2e.moc"
