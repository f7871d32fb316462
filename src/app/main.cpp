// SPDX-License-Identifier: GPL-3.0-or-later
#include "brokerclient.h"
#include "commandline.h"
#include "frmscoreboard.h"
#include "frmsplash.h"
#include "gamefile.h"
#include "gamesaving.h"
#include "languages.h"
#include "liveoutput.h"
#include "settingvariables.h"

#include <QApplication>
#include <QGuiApplication>
#include <QScreen>
#include <QTextStream>

namespace {

// Whether Qt has a display to open; without one, creating the application aborts.
bool displayGiven(const QStringList& arguments)
{
    // Qt's own -platform (or --platform) option names one as well.
    return !qEnvironmentVariableIsEmpty("DISPLAY") ||
           !qEnvironmentVariableIsEmpty("WAYLAND_DISPLAY") ||
           !qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM") ||
           arguments.contains(QLatin1String("-platform")) ||
           arguments.contains(QLatin1String("--platform"));
}

QString monitorList()
{
    QString list;
    const QList<QScreen*> screens = QGuiApplication::screens();
    for (qsizetype i = 0; i < screens.size(); ++i)
        list += QStringLiteral("  %1: %2 %3 x %4\n")
                    .arg(i)
                    .arg(screens[i]->name())
                    .arg(screens[i]->size().width())
                    .arg(screens[i]->size().height());
    return list;
}

} // namespace

int main(int argc, char* argv[])
{
    QTextStream out(stdout);
    QTextStream err(stderr);
    // Without a display the application cannot be made, so the version, the help and a
    // faulty command line are answered from the arguments as given.
    QStringList given;
    for (int i = 0; i < argc; ++i)
        given << QString::fromLocal8Bit(argv[i]);
    if (!displayGiven(given)) {
        if (const auto code = answerCommandLine(parseCommandLine(given), out, err,
                                                QStringLiteral("  (none: no display is set)\n")))
            return *code;
    }

    QApplication app(argc, argv);
    Q_INIT_RESOURCE(app);
    QApplication::setOrganizationName(QStringLiteral("Pucklight"));
    QApplication::setApplicationName(QStringLiteral("Pucklight"));
    installTranslations(QLocale::system());
    // The menu entry the window belongs to: its icon on Wayland, its group in the task bar.
    QGuiApplication::setDesktopFileName(QStringLiteral("org.pucklight.Pucklight"));
    // Closing the board ends the program; closing the splash on the way to it does not.
    QApplication::setQuitOnLastWindowClosed(false);

    // Read again without the options Qt has taken for itself (-platform, -display, ...).
    LaunchOptions& options = launchOptions();
    options = parseCommandLine(QCoreApplication::arguments());
    if (const auto code = answerCommandLine(options, out, err, monitorList()))
        return *code;

    // The game lives as long as the program, and is kept in its file from the start.
    Game game(Settings);
    GameFile gameFile;
    auto* splash = new frmSplash(game);
    keepGameSaved(splash, gameFile);
    // Live output for streaming tools, only when asked for; it lives with the board.
    LiveOutput::Options live;
    live.feedFolder = options.feedFolder;
    live.port = options.servePort;
    live.address = options.serveAddress;
    if (live.wanted())
        QObject::connect(splash, &frmSplash::boardOpened, &app,
                         [live](frmScoreBoard* board) { LiveOutput::start(&board->game(), live); });
    // The same for a broker.
    if (options.mqtt.wanted())
        QObject::connect(
            splash, &frmSplash::boardOpened, &app,
            [mqtt = options.mqtt](frmScoreBoard* b) { BrokerClient::start(&b->game(), mqtt); });
    splash->show();
    return QApplication::exec();
}
