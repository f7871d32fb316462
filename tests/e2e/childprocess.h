#pragma once

#include <QProcess>
#include <QString>
#include <QStringList>

#include <sys/types.h>
#include <vector>

// A program the end-to-end tests start (the X server, the audio server, the scoreboard). It
// has its own process id, its output goes to a log file, and it is stopped when the object
// goes: SIGTERM, then SIGKILL if it does not end in time. Should the test process itself die
// first, the kernel sends the child SIGTERM, and a fatal signal to the test stops every live
// child before the test ends, so that no run leaves a process behind.
class ChildProcess
{
public:
    ChildProcess(const QString& program, const QStringList& arguments,
                 const QProcessEnvironment& environment, const QString& logFile);
    ~ChildProcess();
    ChildProcess(const ChildProcess&) = delete;
    ChildProcess& operator=(const ChildProcess&) = delete;

    bool started() const { return processId > 0; }
    pid_t pid() const { return processId; }
    bool running();
    // Waits for the process to end by itself; false if it is still running after timeoutMs.
    bool waitForExit(int timeoutMs);
    int exitCode() const { return process.exitCode(); }
    bool crashed() const { return process.exitStatus() == QProcess::CrashExit; }
    // Ends the process if it is still running and reaps it.
    void stop();
    // The last lines the process wrote, for failure messages.
    QString logTail(int lines = 20) const;

    // Every process id any ChildProcess has started in this test run.
    static const std::vector<pid_t>& startedIds();
    // Stops every live child when the test is ended by SIGTERM, SIGINT or SIGHUP.
    static void installSignalHandlers();

private:
    QProcess process;
    QString log;
    pid_t processId = 0;
};
