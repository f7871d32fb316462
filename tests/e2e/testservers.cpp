#include "testservers.h"

#include <QDeadlineTimer>
#include <QDir>
#include <QFile>
#include <QProcess>
#include <QStandardPaths>
#include <QThread>

namespace {

// Display numbers tried, well away from the :0 and :1 of a desktop and the :99 many tools use
// by default (which the lock check skips anyway when it is taken).
constexpr int FirstDisplay = 90;
constexpr int LastDisplay = 120;
constexpr int ServerStartMs = 5000;
constexpr int PollMs = 50;

bool displayTaken(int n)
{
    return QFile::exists(QStringLiteral("/tmp/.X%1-lock").arg(n)) ||
           QFile::exists(QStringLiteral("/tmp/.X11-unix/X%1").arg(n));
}

} // namespace

TestServers::TestServers(const QString& workFolder) : folder(workFolder) {}

TestServers::~TestServers()
{
    stop();
}

bool TestServers::startDisplay(QString* error)
{
    const QString program = QStandardPaths::findExecutable(QStringLiteral("Xvfb"));
    if (program.isEmpty()) {
        *error = QStringLiteral("Xvfb is not installed (scripts/deps.sh test installs it)");
        return false;
    }
    for (int n = FirstDisplay; n <= LastDisplay; ++n) {
        if (displayTaken(n))
            continue;
        const QStringList args = {QStringLiteral(":%1").arg(n), QStringLiteral("-screen"),
                                  QStringLiteral("0"),          QStringLiteral("1920x1080x24"),
                                  QStringLiteral("-nolisten"),  QStringLiteral("tcp")};
        xvfb =
            std::make_unique<ChildProcess>(program, args, QProcessEnvironment::systemEnvironment(),
                                           folder + QStringLiteral("/xvfb.log"));
        const QDeadlineTimer deadline(ServerStartMs);
        while (xvfb->running() && !deadline.hasExpired()) {
            session = std::make_unique<X11Session>(QStringLiteral(":%1").arg(n));
            if (session->isOpen())
                break;
            session.reset();
            QThread::msleep(PollMs);
        }
        if (session) {
            displayNumber = n;
            if (!session->hasXTest()) {
                *error = QStringLiteral("the X server has no XTest extension");
                return false;
            }
            return true;
        }
        // Another server took the number first, or this one failed: try the next.
        *error = QStringLiteral("Xvfb :%1 did not start: %2").arg(n).arg(xvfb->logTail(5));
        xvfb.reset();
    }
    return false;
}

bool TestServers::startAudio(QString* error)
{
    const QString program = QStandardPaths::findExecutable(QStringLiteral("pulseaudio"));
    if (program.isEmpty()) {
        *error = QStringLiteral("pulseaudio is not installed");
        return false;
    }
    const QString base = folder + QStringLiteral("/pulse");
    QDir().mkpath(base + QStringLiteral("/home"));
    QDir().mkpath(base + QStringLiteral("/run"));
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("HOME"), base + QStringLiteral("/home"));
    env.insert(QStringLiteral("XDG_RUNTIME_DIR"), base + QStringLiteral("/run"));
    env.remove(QStringLiteral("DISPLAY"));
    const QStringList args = {
        QStringLiteral("-n"), // no default configuration: only the modules below
        QStringLiteral("--daemonize=no"),
        QStringLiteral("--exit-idle-time=-1"),
        QStringLiteral("--use-pid-file=no"),
        QStringLiteral("--disable-shm=yes"),
        QStringLiteral("-L"),
        QStringLiteral("module-null-sink sink_name=pucklight_e2e"),
        QStringLiteral("-L"),
        QStringLiteral("module-native-protocol-unix auth-anonymous=1 socket=%1/native").arg(base),
    };
    audio = std::make_unique<ChildProcess>(program, args, env, base + QStringLiteral("/log"));
    const QDeadlineTimer deadline(ServerStartMs);
    while (audio->running() && !deadline.hasExpired()) {
        if (audioAnswers())
            return true;
        QThread::msleep(PollMs);
    }
    *error = QStringLiteral("pulseaudio did not start: %1").arg(audio->logTail(5));
    audio.reset();
    return false;
}

bool TestServers::audioAnswers() const
{
    QProcess info;
    info.setProcessEnvironment(environmentFor(QString()));
    info.start(QStringLiteral("pactl"), {QStringLiteral("info")});
    return info.waitForFinished(ServerStartMs) && info.exitStatus() == QProcess::NormalExit &&
           info.exitCode() == 0;
}

void TestServers::stop()
{
    session.reset();
    audio.reset();
    xvfb.reset();
}

QProcessEnvironment TestServers::environmentFor(const QString& configHome) const
{
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("DISPLAY"), displayName());
    env.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("xcb"));
    // The plain Qt dialogs, whatever desktop the caller runs.
    env.remove(QStringLiteral("QT_QPA_PLATFORMTHEME"));
    env.remove(QStringLiteral("WAYLAND_DISPLAY"));
    env.remove(QStringLiteral("XAUTHORITY"));
    if (!configHome.isEmpty())
        env.insert(QStringLiteral("XDG_CONFIG_HOME"), configHome);
    env.insert(QStringLiteral("PULSE_SERVER"), QStringLiteral("unix:%1/pulse/native").arg(folder));
    return env;
}

std::unique_ptr<ChildProcess> TestServers::watchStreams(const QString& logFile) const
{
    return std::make_unique<ChildProcess>(QStringLiteral("pactl"),
                                          QStringList{QStringLiteral("subscribe")},
                                          environmentFor(QString()), logFile);
}
