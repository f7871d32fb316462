// SPDX-License-Identifier: GPL-3.0-or-later
#include "brokerrunner.h"
#include "commandline.h"
#include "consolewindow.h"
#include "frmoptions.h"
#include "frmscoreboard.h"
#include "frmsplash.h"
#include "gamefile.h"
#include "gamesaving.h"
#include "gamesheetwriter.h"
#include "languages.h"
#include "liveoutput.h"
#include "settingvariables.h"

#include <QApplication>
#include <QGuiApplication>
#include <QScreen>
#include <QTextStream>
#include <algorithm>
#include <cstdio>

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

// Whether the program is asked to write a game sheet rather than open the board.
bool asksForGameSheet(const QStringList& arguments)
{
    return std::ranges::any_of(arguments, [](const QString& a) {
        return a == QLatin1String("--game-sheet") || a.startsWith(QLatin1String("--game-sheet="));
    });
}

// Writes the game sheet and exits. The sheet needs fonts but no display: it is made on the
// offscreen platform whatever display there is.
int writeSheet(int& argc, char* argv[], QTextStream& out, QTextStream& err)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    // What the platform says of the session as it starts (a runtime folder missing, say) does
    // not concern a file written offscreen, and would cloud the one line an error gives.
    // Failures that stop it still show.
    const QtMessageHandler shown = qInstallMessageHandler(
        [](QtMsgType type, const QMessageLogContext&, const QString& message) {
            if (type == QtCriticalMsg || type == QtFatalMsg)
                std::fprintf(stderr, "%s\n", qUtf8Printable(message));
        });
    QGuiApplication app(argc, argv);
    qInstallMessageHandler(shown);
    const LaunchOptions options = parseCommandLine(QCoreApplication::arguments());
    if (const auto code = answerCommandLine(
            options, out, err, QStringLiteral("  (not looked for: --game-sheet needs none)\n")))
        return *code;
    return writeGameSheet(options.gameSheet,
                          options.gameFile.isEmpty() ? GameFile::defaultPath() : options.gameFile,
                          err);
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
    if (asksForGameSheet(given))
        return writeSheet(argc, argv, out, err);

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
    live.maxViewers = options.maxViewers;
    live.remoteControl = options.remoteControl;
    // The options' Remote page shows the control page's address from the start, before the
    // board opens and starts the server; the console's status corrects it once it runs.
    if (live.port > 0)
        frmOptions::setControlPageOrigin(consolewindow::serverOrigin(live.address, live.port));
    if (live.wanted())
        QObject::connect(splash, &frmSplash::boardOpened, &app, [live](frmScoreBoard* board) {
            consolewindow::watchLiveOutput(LiveOutput::start(&board->game(), live), live);
        });
    // The same for a broker: the command line's, or the one the options name as they change.
    // The options' OK takes no broker that cannot be used, and says why.
    frmOptions::setBrokerCheck([](const SettingVariables& s) {
        BrokerOptions b;
        QString error;
        return b.readSettings(s, &error)
                   ? QString()
                   : QCoreApplication::translate("Options", "This broker cannot be used: %1")
                         .arg(error);
    });
    // The options say what the command line decides for this run.
    frmOptions::setRemoteControlGiven(live.remoteControl && live.port > 0);
    if (options.mqtt.wanted())
        frmOptions::setBrokerGiven(options.mqtt.address());
    QObject::connect(
        splash, &frmSplash::boardOpened, &app, [mqtt = options.mqtt](frmScoreBoard* b) {
            consolewindow::watchBroker(
                new BrokerRunner(&b->game(), mqtt.wanted() ? std::optional(mqtt) : std::nullopt));
        });
    splash->show();
    return QApplication::exec();
}
