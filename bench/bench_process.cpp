// SPDX-License-Identifier: GPL-3.0-or-later
// Whole-process measurements of the real program under an Xvfb of its own, set up as the
// end-to-end tests set theirs up:
//   start   from the process's start to its splash mapped and painted (many runs, median)
//   board   resident memory with the board open, after the splash was clicked; then the whole
//           process's CPU with the game clock running, board at 1920 x 1080 (arguments after
//           the seconds go to the program; PUCKLIGHT_BENCH_CLOCK=0.59 runs it under a minute)
//   tenths  the same with the game clock under a minute, so that the board shows tenths
//   console the same with the operator's console open (--console) at 1366 x 768 beside it
// bench/process.sh builds and runs it; bench/README.md has the results.
#include "isolatedenv.h"
#include "splashdesign.h"
#include "twips.h"
#include "xdisplay.h"

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTextStream>
#include <QThread>

#include <X11/keysym.h>
#include <algorithm>
#include <csignal>
#include <map>
#include <memory>
#include <sys/prctl.h>
#include <unistd.h>
#include <vector>

namespace {

constexpr int StartTimeoutMs = 15000;
constexpr int ServerStartMs = 5000;
// How often the splash is looked at while it appears: the resolution of the start time.
constexpr int PollMs = 2;
// The splash's picture counts as final once it has not changed for this long.
constexpr int SettleMs = 500;
constexpr int BoardSettleMs = 1500;
constexpr int StopGraceMs = 3000;
// Display numbers tried, away from a desktop's :0 and the :99 many tools take.
constexpr int FirstDisplay = 90;
constexpr int LastDisplay = 120;
const QSize BoardSize(1920, 1080);
const QString BoardTitle = QStringLiteral("Pucklight - Home");

// A measurement that cannot be taken; main reports it after everything has been stopped.
struct Failure
{
    QString why;
};

[[noreturn]] void fail(const QString& why)
{
    throw Failure{why};
}

QTextStream& out()
{
    static QTextStream s(stdout);
    return s;
}

double msSince(const QElapsedTimer& t)
{
    return double(t.nsecsElapsed()) / 1e6;
}

// A program this tool starts, with its own process id and its output in a log file. It is
// stopped when the object goes (SIGTERM, then SIGKILL), and by the kernel should this tool
// die first.
class Child
{
public:
    Child(const QString& program, const QStringList& args, const QProcessEnvironment& env,
          const QString& logFile)
        : log(logFile)
    {
        process.setProgram(program);
        process.setArguments(args);
        process.setProcessEnvironment(env);
        process.setProcessChannelMode(QProcess::MergedChannels);
        process.setStandardOutputFile(logFile);
        process.setStandardInputFile(QProcess::nullDevice());
        process.setChildProcessModifier([] { prctl(PR_SET_PDEATHSIG, SIGTERM); });
        process.start();
        process.waitForStarted();
    }
    ~Child() { stop(); }
    Child(const Child&) = delete;
    Child& operator=(const Child&) = delete;

    long pid() const { return process.processId(); }
    bool running()
    {
        process.waitForFinished(0); // lets QProcess notice an exit without an event loop
        return process.state() != QProcess::NotRunning;
    }
    void stop()
    {
        if (!running())
            return;
        process.terminate();
        if (!process.waitForFinished(StopGraceMs)) {
            process.kill();
            process.waitForFinished(StopGraceMs);
        }
    }
    QString logTail() const
    {
        QFile f(log);
        return f.open(QIODevice::ReadOnly) ? QString::fromLocal8Bit(f.readAll().right(2000))
                                           : QString();
    }

private:
    QProcess process;
    QString log;
};

// An Xvfb on a free display and a PulseAudio server whose only sink is a null sink, for this
// tool alone; both stop when the object goes.
class Servers
{
public:
    explicit Servers(const QString& workFolder) : folder(workFolder) {}

    void startDisplay()
    {
        const QString xvfb = QStandardPaths::findExecutable(QStringLiteral("Xvfb"));
        if (xvfb.isEmpty())
            fail(QStringLiteral("Xvfb is not installed (scripts/deps.sh test installs it)"));
        for (int n = FirstDisplay; n <= LastDisplay; ++n) {
            if (QFile::exists(QStringLiteral("/tmp/.X%1-lock").arg(n)) ||
                QFile::exists(QStringLiteral("/tmp/.X11-unix/X%1").arg(n)))
                continue;
            display = QStringLiteral(":%1").arg(n);
            server = std::make_unique<Child>(
                xvfb,
                QStringList{
                    display, QStringLiteral("-screen"), QStringLiteral("0"),
                    QStringLiteral("%1x%2x24").arg(BoardSize.width()).arg(BoardSize.height()),
                    QStringLiteral("-nolisten"), QStringLiteral("tcp")},
                QProcessEnvironment::systemEnvironment(), folder + QStringLiteral("/xvfb.log"));
            QElapsedTimer t;
            t.start();
            while (server->running() && t.elapsed() < ServerStartMs) {
                x = std::make_unique<XDisplay>(display);
                if (x->isOpen())
                    break;
                x.reset();
                QThread::msleep(50);
            }
            if (x) {
                if (!x->hasXTest())
                    fail(QStringLiteral("the X server has no XTest extension"));
                return;
            }
            server.reset(); // another server took the number first: try the next
        }
        fail(QStringLiteral("no Xvfb could be started"));
    }

    // The board opens its sound players; they get a server, as on a desktop. Without
    // PulseAudio the measurement goes on without one.
    void startAudio()
    {
        const QString pulse = QStandardPaths::findExecutable(QStringLiteral("pulseaudio"));
        if (pulse.isEmpty()) {
            QTextStream(stderr) << "bench_process: no pulseaudio; measuring without sound\n";
            return;
        }
        const QString base = folder + QStringLiteral("/pulse");
        QProcessEnvironment env = isolated::environment(base);
        env.remove(QStringLiteral("DISPLAY"));
        audio = std::make_unique<Child>(
            pulse,
            QStringList{QStringLiteral("-n"), QStringLiteral("--daemonize=no"),
                        QStringLiteral("--exit-idle-time=-1"), QStringLiteral("--use-pid-file=no"),
                        QStringLiteral("--disable-shm=yes"), QStringLiteral("-L"),
                        QStringLiteral("module-null-sink sink_name=pucklight_bench"),
                        QStringLiteral("-L"),
                        QStringLiteral("module-native-protocol-unix auth-anonymous=1 socket=%1")
                            .arg(socket())},
            env, base + QStringLiteral("/log"));
        QElapsedTimer t;
        t.start();
        while (audio->running() && t.elapsed() < ServerStartMs) {
            if (QFile::exists(socket()))
                return;
            QThread::msleep(50);
        }
        QTextStream(stderr) << "bench_process: pulseaudio did not start; measuring without "
                               "sound\n";
        audio.reset();
    }

    XDisplay& x11() { return *x; }

    // A program's environment on this display and sound server, with its settings in
    // configHome and its saved game, HOME and every other XDG folder inside it: a game left
    // from one run must not be offered to the next, nor the user's own.
    QProcessEnvironment environmentFor(const QString& configHome) const
    {
        QProcessEnvironment env = isolated::environment(configHome);
        env.insert(QStringLiteral("DISPLAY"), display);
        env.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("xcb"));
        env.remove(QStringLiteral("QT_QPA_PLATFORMTHEME"));
        env.remove(QStringLiteral("WAYLAND_DISPLAY"));
        env.remove(QStringLiteral("XAUTHORITY"));
        if (audio)
            env.insert(QStringLiteral("PULSE_SERVER"), QStringLiteral("unix:") + socket());
        return env;
    }

private:
    QString socket() const { return folder + QStringLiteral("/pulse/native"); }

    QString folder;
    QString display;
    std::unique_ptr<Child> server;
    std::unique_ptr<Child> audio;
    std::unique_ptr<XDisplay> x;
};

// A run of the program with a fresh settings folder.
std::unique_ptr<Child> startProgram(Servers& servers, const QString& program, const QString& folder,
                                    const QString& name, const QStringList& arguments = {})
{
    const QString config = folder + QStringLiteral("/config-") + name;
    QDir().mkpath(config);
    auto child =
        std::make_unique<Child>(program, arguments, servers.environmentFor(config),
                                folder + QStringLiteral("/") + name + QStringLiteral(".log"));
    if (child->pid() <= 0)
        fail(QStringLiteral("the program did not start"));
    // A game left in the user's own state folder would be offered to every run (and moved
    // aside by it); nothing the program keeps may land there.
    if (const QStringList leaks = isolated::outside(isolated::environmentOf(child->pid()), config);
        !leaks.isEmpty())
        fail(QStringLiteral("the program can reach the user's folders: ") + leaks.join(", "));
    return child;
}

// Polls `find` until it gives a window.
template <class Find>
XDisplay::Window waitForWindow(Child& child, const Find& find, const QString& what)
{
    QElapsedTimer t;
    t.start();
    for (;;) {
        if (const XDisplay::Window w = find())
            return w;
        if (t.elapsed() > StartTimeoutMs || !child.running())
            fail(QStringLiteral("no %1 appeared; program log:\n%2").arg(what, child.logTail()));
        QThread::msleep(PollMs);
    }
}

QSize splashSize()
{
    return QSize(twips::toPixels(SplashClientWidth), twips::toPixels(SplashLoadHeight));
}

// One start: milliseconds from the start of the process to the splash being mapped, and to
// its final picture being on the screen.
struct StartTimes
{
    double mapped = 0;
    double painted = 0;
};

StartTimes measureStart(Servers& servers, const QString& program, const QString& folder, int run)
{
    XDisplay& x = servers.x11();
    QElapsedTimer clock;
    clock.start();
    const auto child = startProgram(servers, program, folder, QString::number(run));
    const XDisplay::Window splash = waitForWindow(
        *child, [&] { return x.findBySize(splashSize(), child->pid()); }, QStringLiteral("splash"));
    StartTimes t;
    t.mapped = msSince(clock);

    // Each look at the window that differs from the one before, with its time; the first
    // one that shows the final picture is when the splash was shown.
    struct Look
    {
        double ms;
        QImage image;
    };
    std::vector<Look> looks;
    double lastChange = t.mapped;
    for (;;) {
        const double now = msSince(clock);
        QImage img = x.grab(splash);
        if (looks.empty() || img != looks.back().image) {
            lastChange = now;
            looks.push_back({now, std::move(img)});
        } else if (now - lastChange > SettleMs) {
            break;
        }
        if (clock.elapsed() > StartTimeoutMs)
            fail(QStringLiteral("the splash never settled"));
        QThread::msleep(PollMs);
    }
    const QImage& final = looks.back().image;
    if (final.isNull())
        fail(QStringLiteral("the splash could not be read"));
    t.painted = std::find_if(looks.begin(), looks.end(), [&](const Look& l) {
                    return l.image == final;
                })->ms;
    // To see what was taken for the splash shown: PUCKLIGHT_BENCH_SHOTS=<folder>.
    if (const QString shots = qEnvironmentVariable("PUCKLIGHT_BENCH_SHOTS"); !shots.isEmpty()) {
        for (const Look& l : looks)
            l.image.save(
                QStringLiteral("%1/start%2-%3ms.png").arg(shots).arg(run).arg(qRound(l.ms)));
    }
    return t;
}

double median(std::vector<double> v)
{
    std::sort(v.begin(), v.end());
    const size_t n = v.size();
    return n % 2 ? v[n / 2] : (v[n / 2 - 1] + v[n / 2]) / 2;
}

void startRuns(Servers& servers, const QString& program, const QString& folder, int runs)
{
    // One run first that is not counted: it fills the page cache as any earlier start would.
    measureStart(servers, program, folder, 0);
    std::vector<double> mapped;
    std::vector<double> painted;
    for (int i = 1; i <= runs; ++i) {
        const StartTimes t = measureStart(servers, program, folder, i);
        mapped.push_back(t.mapped);
        painted.push_back(t.painted);
        out() << QStringLiteral("start %1: mapped %2 ms, painted %3 ms\n")
                     .arg(i)
                     .arg(t.mapped, 0, 'f', 1)
                     .arg(t.painted, 0, 'f', 1);
        out().flush();
    }
    out() << QStringLiteral("start-to-splash median over %1 runs: mapped %2 ms, painted %3 ms "
                            "(painted min %4, max %5)\n")
                 .arg(runs)
                 .arg(median(mapped), 0, 'f', 1)
                 .arg(median(painted), 0, 'f', 1)
                 .arg(*std::min_element(painted.begin(), painted.end()), 0, 'f', 1)
                 .arg(*std::max_element(painted.begin(), painted.end()), 0, 'f', 1);
}

// A field of /proc/<pid>/status, in kB.
long statusKb(long pid, const char* field)
{
    QFile f(QStringLiteral("/proc/%1/status").arg(pid));
    if (!f.open(QIODevice::ReadOnly))
        return -1;
    const QByteArray key = QByteArray(field) + ':';
    for (const QByteArray& line : f.readAll().split('\n'))
        if (line.startsWith(key))
            return line.mid(key.size()).trimmed().split(' ').value(0).toLong();
    return -1;
}

// utime + stime of a process, in clock ticks.
long long cpuTicks(long pid)
{
    QFile f(QStringLiteral("/proc/%1/stat").arg(pid));
    if (!f.open(QIODevice::ReadOnly))
        fail(QStringLiteral("the program has gone"));
    const QByteArray stat = f.readAll();
    // The command name is in parentheses and may hold spaces: count the fields after it.
    // utime and stime, fields 14 and 15 of the line, are the 12th and 13th after the name.
    const QList<QByteArray> fields = stat.mid(stat.lastIndexOf(')') + 2).split(' ');
    return fields.value(11).toLongLong() + fields.value(12).toLongLong();
}

// The time the scheduler has run the process's threads, in nanoseconds: finer than the clock
// ticks of utime and stime.
long long cpuNs(long pid)
{
    long long sum = 0;
    const QDir tasks(QStringLiteral("/proc/%1/task").arg(pid));
    for (const QString& tid : tasks.entryList(QDir::Dirs | QDir::NoDotAndDotDot)) {
        QFile f(tasks.filePath(tid) + QStringLiteral("/schedstat"));
        if (f.open(QIODevice::ReadOnly))
            sum += f.readAll().split(' ').value(0).toLongLong();
    }
    return sum;
}

// Each thread's scheduler time (ns) and wake-ups (the switches it made itself), by thread id,
// with its name: where the process's time goes.
struct ThreadUse
{
    QString name;
    long long ns = 0;
    long long wakeups = 0;
};
std::map<QString, ThreadUse> threadUse(long pid)
{
    std::map<QString, ThreadUse> use;
    const QDir tasks(QStringLiteral("/proc/%1/task").arg(pid));
    for (const QString& tid : tasks.entryList(QDir::Dirs | QDir::NoDotAndDotDot)) {
        ThreadUse& t = use[tid];
        QFile sched(tasks.filePath(tid) + QStringLiteral("/schedstat"));
        if (sched.open(QIODevice::ReadOnly))
            t.ns = sched.readAll().split(' ').value(0).toLongLong();
        QFile status(tasks.filePath(tid) + QStringLiteral("/status"));
        if (!status.open(QIODevice::ReadOnly))
            continue;
        for (const QByteArray& line : status.readAll().split('\n')) {
            if (line.startsWith("Name:"))
                t.name = QString::fromUtf8(line.mid(5).trimmed());
            else if (line.startsWith("voluntary_ctxt_switches:"))
                t.wakeups = line.mid(24).trimmed().toLongLong();
        }
    }
    return use;
}

// The load average as the kernel gives it (1, 5 and 15 minutes).
QString loadAverage()
{
    QFile f(QStringLiteral("/proc/loadavg"));
    if (!f.open(QIODevice::ReadOnly))
        return QStringLiteral("?");
    return QString::fromLatin1(f.readAll().split(' ').mid(0, 3).join(' '));
}

void reportMemory(long pid, const QString& when)
{
    out() << QStringLiteral("resident memory with the board open %1: VmRSS %2 kB (RssAnon %3 kB, "
                            "RssFile %4 kB, VmHWM %5 kB), load %6\n")
                 .arg(when)
                 .arg(statusKb(pid, "VmRSS"))
                 .arg(statusKb(pid, "RssAnon"))
                 .arg(statusKb(pid, "RssFile"))
                 .arg(statusKb(pid, "VmHWM"))
                 .arg(loadAverage());
    out().flush();
}

void boardRun(Servers& servers, const QString& program, const QString& folder, int cpuSeconds,
              QStringList arguments, bool console = false, bool tenths = false)
{
    XDisplay& x = servers.x11();
    if (console)
        arguments << QStringLiteral("--console");
    const auto child = startProgram(servers, program, folder, QStringLiteral("board"), arguments);
    const long pid = child->pid();
    const XDisplay::Window splash = waitForWindow(
        *child, [&] { return x.findBySize(splashSize(), pid); }, QStringLiteral("splash"));
    // Its middle is the frame behind the captions, away from the two buttons.
    x.click(splash, QPoint(splashSize().width() / 2, splashSize().height() / 2));
    const XDisplay::Window board = waitForWindow(
        *child, [&] { return x.findByTitle(BoardTitle, pid); }, QStringLiteral("board"));
    QThread::msleep(BoardSettleMs);
    reportMemory(pid, QStringLiteral("at its design size"));
    if (cpuSeconds <= 0)
        return;

    x.resize(board, BoardSize);
    QElapsedTimer waited;
    waited.start();
    while (x.geometry(board).size() != BoardSize && waited.elapsed() < StartTimeoutMs)
        QThread::msleep(50);
    if (x.geometry(board).size() != BoardSize)
        fail(QStringLiteral("the board did not take %1 x %2")
                 .arg(BoardSize.width())
                 .arg(BoardSize.height()));
    QThread::msleep(BoardSettleMs);
    reportMemory(pid, QStringLiteral("at %1 x %2").arg(BoardSize.width()).arg(BoardSize.height()));
    if (console) {
        const XDisplay::Window w = waitForWindow(
            *child, [&] { return x.findByTitle(QStringLiteral("Pucklight Console"), pid); },
            QStringLiteral("console"));
        out() << QStringLiteral("console open at %1 x %2\n")
                     .arg(x.geometry(w).width())
                     .arg(x.geometry(w).height());
    }
    x.focus(board);
    if (tenths) {
        // 0:59: the clock shows seconds and tenths, a digit changing every tick.
        for (const unsigned long key : {XK_0, XK_period, XK_5, XK_9, XK_Return})
            x.tap(key);
        QThread::msleep(BoardSettleMs);
    }
    const QImage before = x.grab(board);
    // PUCKLIGHT_BENCH_CLOCK=0.59 types a game time on the clock field first: under a minute
    // the clock shows tenths, and the board changes ten times a second.
    for (const QChar c : qEnvironmentVariable("PUCKLIGHT_BENCH_CLOCK")) {
        x.tap(c == QLatin1Char('.') ? XK_period
                                    : XK_0 + static_cast<unsigned long>(c.digitValue()));
        QThread::msleep(50);
    }
    if (qEnvironmentVariableIsSet("PUCKLIGHT_BENCH_CLOCK"))
        x.tap(XK_Return);
    x.tap(XK_s);
    QThread::msleep(BoardSettleMs); // the clock is running; leave the key's own work out

    const long tick = sysconf(_SC_CLK_TCK);
    QElapsedTimer wall;
    const long long start = cpuTicks(pid);
    const long long startNs = cpuNs(pid);
    const std::map<QString, ThreadUse> threadsBefore = threadUse(pid);
    wall.start();
    QThread::sleep(static_cast<unsigned long>(cpuSeconds));
    const long long used = cpuTicks(pid) - start;
    const long long usedNs = cpuNs(pid) - startNs;
    const double seconds = double(wall.nsecsElapsed()) / 1e9;
    for (const auto& [tid, now] : threadUse(pid)) {
        const auto was = threadsBefore.find(tid);
        const ThreadUse then = was == threadsBefore.end() ? ThreadUse{} : was->second;
        if (now.ns - then.ns < 1000000)
            continue;
        out() << QStringLiteral("  thread %1 (%2): %3 % of one core, %4 wake-ups a second\n")
                     .arg(tid, now.name)
                     .arg(100.0 * double(now.ns - then.ns) / 1e9 / seconds, 0, 'f', 3)
                     .arg(double(now.wakeups - then.wakeups) / seconds, 0, 'f', 1);
    }
    if (x.grab(board) == before)
        fail(QStringLiteral("the board did not change: the clock did not run"));
    const double cpuMs = double(used) * 1000.0 / double(tick);
    out() << QStringLiteral("CPU with the clock running at %1 x %2 for %3 s: %4 ms, %5 % of one "
                            "core\n")
                 .arg(BoardSize.width())
                 .arg(BoardSize.height())
                 .arg(seconds, 0, 'f', 1)
                 .arg(cpuMs, 0, 'f', 0)
                 .arg(100.0 * cpuMs / 1000.0 / seconds, 0, 'f', 2)
          << QStringLiteral("CPU by the scheduler's count: %1 ms, %2 % of one core\n")
                 .arg(double(usedNs) / 1e6, 0, 'f', 1)
                 .arg(100.0 * double(usedNs) / 1e9 / seconds, 0, 'f', 3)
          << QStringLiteral("load at the end: %1\n").arg(loadAverage());
    out().flush();
}

} // namespace

int main(int argc, char* argv[])
{
    QCoreApplication app(argc, argv);
    const QStringList args = QCoreApplication::arguments();
    if (args.size() < 3) {
        QTextStream(stderr)
            << "usage: bench_process <pucklight> start [runs] | board|tenths|console "
               "[cpu seconds [program arguments...]]\n";
        return 2;
    }
    const QString program = args[1];
    const QString mode = args[2];
    QTemporaryDir work;
    try {
        Servers servers(work.path());
        servers.startDisplay();
        servers.startAudio();
        if (mode == QLatin1String("start"))
            startRuns(servers, program, work.path(), args.value(3, QStringLiteral("30")).toInt());
        else if (mode == QLatin1String("board"))
            boardRun(servers, program, work.path(), args.value(3, QStringLiteral("60")).toInt(),
                     args.mid(4));
        else if (mode == QLatin1String("console") || mode == QLatin1String("tenths"))
            boardRun(servers, program, work.path(), args.value(3, QStringLiteral("45")).toInt(),
                     args.mid(4), mode == QLatin1String("console"), true);
        else
            fail(QStringLiteral("unknown mode %1").arg(mode));
    } catch (const Failure& f) {
        QTextStream(stderr) << "bench_process: " << f.why << "\n";
        return 1;
    }
    return 0;
}
