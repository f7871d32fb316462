#include "childprocess.h"

#include <QFile>

#include <array>
#include <atomic>
#include <csignal>
#include <sys/prctl.h>
#include <unistd.h>

namespace {

constexpr int TermGraceMs = 3000;
constexpr int KillGraceMs = 2000;

// The live children, for the signal handler: fixed slots, so that the handler touches nothing
// but atomics and kill().
constexpr size_t MaxLive = 16;
std::array<std::atomic<pid_t>, MaxLive> live{};

std::vector<pid_t>& everStarted()
{
    static std::vector<pid_t> ids;
    return ids;
}

void remember(pid_t pid)
{
    everStarted().push_back(pid);
    for (auto& slot : live) {
        pid_t empty = 0;
        if (slot.compare_exchange_strong(empty, pid))
            return;
    }
}

void forget(pid_t pid)
{
    for (auto& slot : live) {
        pid_t p = pid;
        slot.compare_exchange_strong(p, 0);
    }
}

extern "C" void stopChildrenAndDie(int sig)
{
    for (auto& slot : live)
        if (const pid_t pid = slot.load(); pid > 0)
            kill(pid, SIGTERM);
    std::signal(sig, SIG_DFL);
    raise(sig);
}

} // namespace

ChildProcess::ChildProcess(const QString& program, const QStringList& arguments,
                           const QProcessEnvironment& environment, const QString& logFile)
    : log(logFile)
{
    process.setProgram(program);
    process.setArguments(arguments);
    process.setProcessEnvironment(environment);
    process.setProcessChannelMode(QProcess::MergedChannels);
    process.setStandardOutputFile(logFile);
    process.setStandardInputFile(QProcess::nullDevice());
    // Dies with the test process, however that ends.
    process.setChildProcessModifier([] { prctl(PR_SET_PDEATHSIG, SIGTERM); });
    process.start();
    if (process.waitForStarted()) {
        processId = static_cast<pid_t>(process.processId());
        remember(processId);
    }
}

ChildProcess::~ChildProcess()
{
    stop();
}

bool ChildProcess::running()
{
    if (!started())
        return false;
    process.waitForFinished(0); // lets QProcess notice an exit without an event loop
    return process.state() != QProcess::NotRunning;
}

bool ChildProcess::waitForExit(int timeoutMs)
{
    if (!running())
        return true;
    const bool ended = process.waitForFinished(timeoutMs);
    if (ended)
        forget(processId);
    return ended;
}

void ChildProcess::stop()
{
    if (!started())
        return;
    if (running()) {
        process.terminate();
        if (!process.waitForFinished(TermGraceMs)) {
            process.kill();
            process.waitForFinished(KillGraceMs);
        }
    }
    forget(processId);
}

QString ChildProcess::logTail(int lines) const
{
    QFile f(log);
    if (!f.open(QIODevice::ReadOnly))
        return QString();
    const QStringList all = QString::fromLocal8Bit(f.readAll()).split(QLatin1Char('\n'));
    return all.mid(std::max<qsizetype>(0, all.size() - lines)).join(QLatin1Char('\n'));
}

const std::vector<pid_t>& ChildProcess::startedIds()
{
    return everStarted();
}

void ChildProcess::installSignalHandlers()
{
    for (const int sig : {SIGTERM, SIGINT, SIGHUP})
        std::signal(sig, stopChildrenAndDie);
}
