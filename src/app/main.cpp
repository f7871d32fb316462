#include "commandline.h"
#include "frmscoreboard.h"
#include "frmsplash.h"
#include "liveoutput.h"

#include <QApplication>
#include <QGuiApplication>
#include <QScreen>
#include <QTextStream>

#include <cstring>

namespace {

// Whether Qt has a display to open; without one, creating the application aborts.
bool displayGiven()
{
    return !qEnvironmentVariableIsEmpty("DISPLAY") ||
           !qEnvironmentVariableIsEmpty("WAYLAND_DISPLAY") ||
           !qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM");
}

// --help from a terminal with no display still lists the options; only the monitors need one.
bool helpWithoutDisplay(int argc, char* argv[])
{
    if (displayGiven())
        return false;
    for (int i = 1; i < argc; ++i) {
        if (std::strcmp(argv[i], "--help") == 0 || std::strcmp(argv[i], "-h") == 0) {
            QTextStream(stdout) << commandLineHelp() << "  (none: no display is set)\n";
            return true;
        }
    }
    return false;
}

} // namespace

int main(int argc, char* argv[])
{
    if (helpWithoutDisplay(argc, argv))
        return 0;
    QApplication app(argc, argv);
    Q_INIT_RESOURCE(app);
    QApplication::setOrganizationName(QStringLiteral("Pucklight"));
    QApplication::setApplicationName(QStringLiteral("Pucklight"));
    // Closing the board ends the program; closing the splash on the way to it does not.
    QApplication::setQuitOnLastWindowClosed(false);

    LaunchOptions& options = launchOptions();
    options = parseCommandLine(QCoreApplication::arguments());
    if (options.showHelp || !options.error.isEmpty()) {
        QTextStream out(options.error.isEmpty() ? stdout : stderr);
        if (!options.error.isEmpty())
            out << "pucklight: " << options.error << "\n\n";
        out << commandLineHelp();
        const QList<QScreen*> screens = QGuiApplication::screens();
        for (qsizetype i = 0; i < screens.size(); ++i)
            out << "  " << i << ": " << screens[i]->name() << " " << screens[i]->size().width()
                << " x " << screens[i]->size().height() << "\n";
        return options.error.isEmpty() ? 0 : 2;
    }

    auto* splash = new frmSplash;
    // Live output for streaming tools, only when asked for; it lives with the board.
    LiveOutput::Options live;
    live.feedFolder = options.feedFolder;
    live.port = options.servePort;
    live.address = options.serveAddress;
    if (live.wanted())
        QObject::connect(splash, &frmSplash::boardOpened, &app,
                         [live](frmScoreBoard* board) { LiveOutput::start(&board->game(), live); });
    splash->show();
    return QApplication::exec();
}
