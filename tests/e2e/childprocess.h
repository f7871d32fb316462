#pragma once

#include <QFile>
#include <QProcess>

#include <csignal>
#include <memory>
#include <sys/prctl.h>

// A program the end-to-end tests start, killed when it goes.
struct Kill
{
    void operator()(QProcess* p) const
    {
        p->kill();
        p->waitForFinished();
        delete p;
    }
};
using Process = std::unique_ptr<QProcess, Kill>;

// Starts a program, its output in a log file; it gets SIGTERM from the kernel should the test
// process die first.
inline Process startProcess(const QString& program, const QStringList& arguments,
                            const QProcessEnvironment& environment, const QString& logFile)
{
    Process p(new QProcess);
    p->setProcessEnvironment(environment);
    p->setProcessChannelMode(QProcess::MergedChannels);
    p->setStandardOutputFile(logFile);
    p->setChildProcessModifier([] { prctl(PR_SET_PDEATHSIG, SIGTERM); });
    p->start(program, arguments);
    p->waitForStarted();
    return p;
}

// The last lines of a log, for failure messages.
inline QString logTail(const QString& logFile, int lines = 20)
{
    QFile f(logFile);
    const QStringList all =
        QString::fromLocal8Bit(f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray())
            .split(QLatin1Char('\n'));
    return all.mid(std::max<qsizetype>(0, all.size() - lines)).join(QLatin1Char('\n'));
}
