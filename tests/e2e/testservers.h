// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "isolatedenv.h"
#include "x11session.h"

#include <QDir>
#include <QProcess>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QTest>
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

// The servers the program under test needs, for the test alone and stopped when this object
// goes: Xvfb on a free display number, and PulseAudio with only a null sink, where the buzzer
// can be watched. Each start returns false with a reason in `error`.
class TestServers
{
public:
    static constexpr int StartMs = 5000;

    TestServers(const QString& programFile, const QString& workFolder)
        : program(programFile), folder(workFolder)
    {}

    const QString program;
    const QString folder;

    bool startDisplay(QString* error)
    {
        // Xvfb picks a free display number itself and writes it to the log (-displayfd 1).
        const QString log = folder + QStringLiteral("/xvfb.log");
        xvfb = startProcess(
            QStringLiteral("Xvfb"),
            QStringList{"-displayfd", "1", "-screen", "0", "1920x1080x24", "-nolisten", "tcp"},
            QProcessEnvironment::systemEnvironment(), log);
        const QRegularExpression number(QStringLiteral("^(\\d+)$"),
                                        QRegularExpression::MultilineOption);
        QRegularExpressionMatch m;
        if (QTest::qWaitFor([&] { return (m = number.match(logTail(log))).hasMatch(); }, StartMs)) {
            display = ':' + m.captured(1);
            session = std::make_unique<X11Session>(display);
        }
        if (session && session->isReady())
            return true;
        *error = "no Xvfb display with XTest came up: " + logTail(log, 5);
        return false;
    }

    // Without PulseAudio installed, there is no audio server and no error.
    bool startAudio(QString* error)
    {
        if (QStandardPaths::findExecutable(QStringLiteral("pulseaudio")).isEmpty())
            return true;
        QProcessEnvironment env = isolated::environment(folder + QStringLiteral("/pulse"));
        env.remove(QStringLiteral("DISPLAY"));
        // No default configuration: only a null sink and the socket the program plays to.
        const QString log = folder + QStringLiteral("/pulse/log");
        audio = startProcess(
            QStringLiteral("pulseaudio"),
            QStringList{"-n", "--daemonize=no", "--exit-idle-time=-1", "--use-pid-file=no",
                        "--disable-shm=yes", "-L", "module-null-sink sink_name=pucklight_e2e", "-L",
                        "module-native-protocol-unix auth-anonymous=1 socket=" + socket()},
            env, log);
        // The socket comes with the last module: the server is ready when it is there.
        if (QTest::qWaitFor([&] { return QFile::exists(socket()); }, StartMs))
            return true;
        *error = QStringLiteral("pulseaudio did not start: ") + logTail(log, 5);
        audio.reset();
        return false;
    }

    bool hasAudio() const { return audio != nullptr; }

    // A D-Bus session bus, over which the program's windows can be read as a screen reader
    // reads them (AT-SPI): the programs started from now on join it and show their
    // accessibility tree. Its activated services (the accessibility bus) get their own folders.
    bool startSessionBus(QString* error)
    {
        const QString dir = folder + QStringLiteral("/dbus");
        QProcessEnvironment env = isolated::environment(dir);
        env.insert(QStringLiteral("DISPLAY"), display);
        const QString socket = dir + QStringLiteral("/bus");
        bus =
            startProcess(QStringLiteral("dbus-daemon"),
                         {"--session", "--nofork", "--nopidfile", "--address=unix:path=" + socket},
                         env, dir + QStringLiteral("/log"));
        if (QTest::qWaitFor([&] { return QFile::exists(socket); }, StartMs)) {
            busAddress = "unix:path=" + socket;
            return true;
        }
        *error = QStringLiteral("dbus-daemon did not start: ") + logTail(dir + "/log", 5);
        bus.reset();
        return false;
    }
    void stopSessionBus()
    {
        bus.reset();
        busAddress.clear();
    }
    const QString& sessionBus() const { return busAddress; }
    X11Session& x() { return *session; }

    // The environment for a program on this display and sound server, in English (the tests
    // look for the window titles) and with the plain Qt dialogs, its settings in configHome
    // and its saved game, HOME and every other XDG folder inside it (isolatedenv.h).
    QProcessEnvironment environmentFor(const QString& configHome) const
    {
        QProcessEnvironment env = isolated::environment(configHome);
        for (const char* v : {"QT_QPA_PLATFORMTHEME", "WAYLAND_DISPLAY", "XAUTHORITY", "LANGUAGE"})
            env.remove(QLatin1String(v));
        env.insert(QStringLiteral("DISPLAY"), display);
        env.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("xcb"));
        env.insert(QStringLiteral("LC_ALL"), QStringLiteral("C.UTF-8"));
        env.insert(QStringLiteral("PULSE_SERVER"), "unix:" + socket());
        if (!busAddress.isEmpty()) {
            env.insert(QStringLiteral("DBUS_SESSION_BUS_ADDRESS"), busAddress);
            env.insert(QStringLiteral("QT_LINUX_ACCESSIBILITY_ALWAYS_ON"), QStringLiteral("1"));
        }
        return env;
    }

private:
    QString socket() const { return folder + QStringLiteral("/pulse/native"); }

    QString display;
    Process xvfb;
    Process audio;
    Process bus;
    QString busAddress;
    std::unique_ptr<X11Session> session;
};
