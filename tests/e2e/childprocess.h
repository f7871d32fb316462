#pragma once

#include <QFile>
#include <QProcess>

#include <csignal>
#include <sys/prctl.h>

// A program the end-to-end tests start, its output in a log file. It is stopped when the object
// goes (SIGTERM, then SIGKILL), and gets SIGTERM from the kernel should the test process die.
class ChildProcess
{
public:
    ChildProcess(const QString& program, const QStringList& arguments,
                 const QProcessEnvironment& environment, const QString& logFile)
        : log(logFile)
    {
        process.setProcessEnvironment(environment);
        process.setProcessChannelMode(QProcess::MergedChannels);
        process.setStandardOutputFile(logFile);
        process.setStandardInputFile(QProcess::nullDevice());
        process.setChildProcessModifier([] { prctl(PR_SET_PDEATHSIG, SIGTERM); });
        process.start(program, arguments);
        process.waitForStarted();
    }
    ~ChildProcess()
    {
        if (!running())
            return;
        process.terminate();
        if (!process.waitForFinished(TermGraceMs)) {
            process.kill();
            process.waitForFinished(TermGraceMs);
        }
    }
    ChildProcess(const ChildProcess&) = delete;
    ChildProcess& operator=(const ChildProcess&) = delete;

    long pid() const { return process.processId(); }
    bool running()
    {
        process.waitForFinished(0); // lets QProcess notice an exit without an event loop
        return process.state() != QProcess::NotRunning;
    }
    // Waits for the process to end by itself: true when it ended with exit code 0.
    bool exitsCleanly(int timeoutMs)
    {
        return (!running() || process.waitForFinished(timeoutMs)) &&
               process.exitStatus() == QProcess::NormalExit && process.exitCode() == 0;
    }
    // The last lines of the log, for failure messages.
    QString logTail(int lines = 20) const
    {
        QFile f(log);
        const QStringList all =
            QString::fromLocal8Bit(f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray())
                .split(QLatin1Char('\n'));
        return all.mid(std::max<qsizetype>(0, all.size() - lines)).join(QLatin1Char('\n'));
    }

private:
    static constexpr int TermGraceMs = 3000;
    QProcess process;
    QString log;
};
