// Whole-process measurements of the real program under its own Xvfb, with the servers and
// the X11 tooling of the end-to-end tests:
//   start   from the process's start to its splash mapped and painted (many runs, median)
//   memory  resident memory with the board open, after the splash was clicked
//   cpu     the whole process's CPU with the game clock running, board at 1920 x 1080
// bench/process.sh builds and runs it; bench/README.md has the results.
#include "boardreader.h"
#include "boardrun.h"
#include "childprocess.h"
#include "splashdesign.h"
#include "testservers.h"
#include "twips.h"

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QTemporaryDir>
#include <QTextStream>
#include <QThread>

#include <algorithm>
#include <optional>
#include <unistd.h>
#include <vector>

namespace {

constexpr int StartTimeoutMs = 15000;
// How often the splash is looked at while it appears: the resolution of the start time.
constexpr int PollMs = 2;
// The splash's picture counts as final once it has not changed for this long.
constexpr int SettleMs = 500;
constexpr int BoardSettleMs = 1500;
const QSize BoardSize(1920, 1080);

QTextStream& out()
{
    static QTextStream s(stdout);
    return s;
}

// A measurement that cannot be taken; main reports it after the servers have been stopped.
struct Failure
{
    QString why;
};

[[noreturn]] void fail(const QString& why)
{
    throw Failure{why};
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

StartTimes measureStart(TestServers& servers, const QString& program, const QString& folder,
                        int run)
{
    const QString config = QStringLiteral("%1/config-%2").arg(folder).arg(run);
    QDir().mkpath(config);
    X11Session& x = servers.x();
    QElapsedTimer clock;
    clock.start();
    ChildProcess child(program, {}, servers.environmentFor(config),
                       QStringLiteral("%1/start-%2.log").arg(folder).arg(run));
    if (!child.started())
        fail(QStringLiteral("the program did not start"));

    std::optional<X11Session::TopLevel> splash;
    while (!(splash = x.findBySize(splashSize(), child.pid()))) {
        if (clock.elapsed() > StartTimeoutMs || !child.running())
            fail(QStringLiteral("no splash appeared:\n%1").arg(child.logTail()));
        QThread::msleep(PollMs);
    }
    StartTimes t;
    t.mapped = double(clock.nsecsElapsed()) / 1e6;

    // Each look at the window, with its time; the first one that shows the final picture
    // is when the splash was shown.
    struct Look
    {
        double ms;
        QImage image;
    };
    std::vector<Look> looks;
    double lastChange = t.mapped;
    for (;;) {
        const double now = double(clock.nsecsElapsed()) / 1e6;
        QImage img = x.grab(splash->id);
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
    for (const Look& l : looks) {
        if (l.image == final) {
            t.painted = l.ms;
            break;
        }
    }
    // To see what was taken for the splash shown: PUCKLIGHT_BENCH_SHOTS=<folder>.
    if (const QString shots = qEnvironmentVariable("PUCKLIGHT_BENCH_SHOTS"); !shots.isEmpty()) {
        for (size_t i = 0; i < looks.size(); ++i)
            looks[i].image.save(QStringLiteral("%1/start%2-look%3-%4ms.png")
                                    .arg(shots)
                                    .arg(run)
                                    .arg(i)
                                    .arg(qRound(looks[i].ms)));
    }
    child.stop();
    return t;
}

double median(std::vector<double> v)
{
    std::sort(v.begin(), v.end());
    const size_t n = v.size();
    return n % 2 ? v[n / 2] : (v[n / 2 - 1] + v[n / 2]) / 2;
}

void startRuns(TestServers& servers, const QString& program, const QString& folder, int runs)
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
                            "(min %4, max %5)\n")
                 .arg(runs)
                 .arg(median(mapped), 0, 'f', 1)
                 .arg(median(painted), 0, 'f', 1)
                 .arg(*std::min_element(painted.begin(), painted.end()), 0, 'f', 1)
                 .arg(*std::max_element(painted.begin(), painted.end()), 0, 'f', 1);
}

// A field of /proc/<pid>/status, in kB.
long statusKb(pid_t pid, const char* field)
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
long long cpuTicks(pid_t pid)
{
    QFile f(QStringLiteral("/proc/%1/stat").arg(pid));
    if (!f.open(QIODevice::ReadOnly))
        return -1;
    const QByteArray stat = f.readAll();
    // The command name is in parentheses and may hold spaces: count fields after it.
    const QList<QByteArray> fields = stat.mid(stat.lastIndexOf(')') + 2).split(' ');
    // Fields 14 and 15 of the whole line are the 12th and 13th after the name.
    return fields.value(11).toLongLong() + fields.value(12).toLongLong();
}

void boardRuns(TestServers& servers, const QString& program, const QString& folder, int cpuSeconds)
{
    const QString config = folder + QStringLiteral("/config-board");
    QDir().mkpath(config);
    BoardRun run(servers, program, config, folder + QStringLiteral("/board.log"));
    QString error;
    if (!run.open(&error))
        fail(error);
    QThread::msleep(BoardSettleMs);
    const pid_t pid = run.process().pid();
    out() << QStringLiteral("resident memory with the board open: VmRSS %1 kB (RssAnon %2 kB, "
                            "RssFile %3 kB, VmHWM %4 kB)\n")
                 .arg(statusKb(pid, "VmRSS"))
                 .arg(statusKb(pid, "RssAnon"))
                 .arg(statusKb(pid, "RssFile"))
                 .arg(statusKb(pid, "VmHWM"));
    out().flush();
    if (cpuSeconds <= 0)
        return;

    X11Session& x = servers.x();
    x.resize(run.window(), BoardSize);
    QElapsedTimer waited;
    waited.start();
    while (x.geometry(run.window()).size() != BoardSize && waited.elapsed() < StartTimeoutMs)
        QThread::msleep(50);
    if (x.geometry(run.window()).size() != BoardSize)
        fail(QStringLiteral("the board did not take 1920 x 1080"));
    QThread::msleep(BoardSettleMs);
    x.focus(run.window());
    const QString before = run.read().clock;
    x.tap('s');
    QThread::msleep(BoardSettleMs); // the clock is running; leave the key's own repaint out

    const long tick = sysconf(_SC_CLK_TCK);
    QElapsedTimer wall;
    const long long start = cpuTicks(pid);
    wall.start();
    QThread::sleep(static_cast<unsigned long>(cpuSeconds));
    const long long used = cpuTicks(pid) - start;
    const double seconds = double(wall.nsecsElapsed()) / 1e9;
    const QString after = run.read().clock;
    if (before == after)
        fail(QStringLiteral("the clock did not run (it showed %1)").arg(after));
    const double cpuMs = double(used) * 1000.0 / double(tick);
    out() << QStringLiteral("CPU with the clock running at %1 x %2 for %3 s: %4 ms, %5 % of one "
                            "core (clock %6 -> %7)\n")
                 .arg(BoardSize.width())
                 .arg(BoardSize.height())
                 .arg(seconds, 0, 'f', 1)
                 .arg(cpuMs, 0, 'f', 0)
                 .arg(100.0 * cpuMs / 1000.0 / seconds, 0, 'f', 2)
                 .arg(before, after);
    out().flush();
    if (!run.close(&error))
        fail(error);
}

} // namespace

int main(int argc, char* argv[])
{
    QCoreApplication app(argc, argv);
    const QStringList args = QCoreApplication::arguments();
    if (args.size() < 3) {
        QTextStream(stderr) << "usage: bench_process <pucklight> start [runs] | board [cpu "
                               "seconds]\n";
        return 2;
    }
    ChildProcess::installSignalHandlers();
    const QString program = args[1];
    const QString mode = args[2];
    QTemporaryDir work;
    try {
        TestServers servers(work.path());
        QString error;
        if (!servers.startDisplay(&error))
            fail(error);
        // The board opens its sound players; give them a server, as a desktop would.
        if (!servers.startAudio(&error))
            QTextStream(stderr) << "bench_process: no audio server (" << error << ")\n";
        if (mode == QLatin1String("start"))
            startRuns(servers, program, work.path(), args.value(3, QStringLiteral("30")).toInt());
        else if (mode == QLatin1String("board"))
            boardRuns(servers, program, work.path(), args.value(3, QStringLiteral("60")).toInt());
        else
            fail(QStringLiteral("unknown mode %1").arg(mode));
    } catch (const Failure& f) {
        QTextStream(stderr) << "bench_process: " << f.why << "\n";
        return 1;
    }
    return 0;
}
