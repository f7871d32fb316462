#include "commandline.h"

#include <QGuiApplication>
#include <QHostAddress>
#include <QScreen>
#include <QWidget>

namespace {

// The value of "--name VALUE" or "--name=VALUE"; a null string when the option is another.
QString optionValue(const QStringList& arguments, qsizetype& i, QLatin1String name)
{
    const QString& a = arguments[i];
    if (a.startsWith(name + QLatin1Char('=')))
        return a.mid(name.size() + 1);
    if (a != name)
        return QString();
    return i + 1 < arguments.size() ? arguments[++i] : QStringLiteral("");
}

} // namespace

LaunchOptions parseCommandLine(const QStringList& arguments)
{
    LaunchOptions o;
    bool addressGiven = false;
    for (qsizetype i = 1; i < arguments.size(); ++i) {
        const QString& a = arguments[i];
        QString given;
        if (!(given = optionValue(arguments, i, QLatin1String("--feed"))).isNull()) {
            if (given.isEmpty())
                o.error = QStringLiteral("--feed needs a folder");
            else
                o.feedFolder = given;
        } else if (!(given = optionValue(arguments, i, QLatin1String("--serve"))).isNull()) {
            bool ok = false;
            const int port = given.toInt(&ok);
            if (!ok || port < 1 || port > 65535)
                o.error = QStringLiteral("--serve needs a port number from 1 to 65535");
            else
                o.servePort = port;
        } else if (!(given = optionValue(arguments, i, QLatin1String("--serve-address")))
                        .isNull()) {
            if (QHostAddress(given).isNull())
                o.error = QStringLiteral("--serve-address needs an IP address, such as "
                                         "127.0.0.1 or 0.0.0.0");
            else
                o.serveAddress = given;
            addressGiven = true;
        } else if (a == QLatin1String("--help") || a == QLatin1String("-h")) {
            o.showHelp = true;
        } else if (a == QLatin1String("--fullscreen")) {
            o.fullScreen = true;
        } else if (a == QLatin1String("--screen") || a.startsWith(QLatin1String("--screen="))) {
            QString value;
            if (a.contains(QLatin1Char('=')))
                value = a.section(QLatin1Char('='), 1);
            else if (i + 1 < arguments.size())
                value = arguments[++i];
            bool ok = false;
            const int n = value.toInt(&ok);
            if (!ok || n < 0)
                o.error = QStringLiteral("--screen needs a monitor number (0, 1, ...)");
            else
                o.screen = n;
        } else {
            o.error = QStringLiteral("unknown option: ") + a;
        }
    }
    if (addressGiven && o.servePort < 0 && o.error.isEmpty())
        o.error = QStringLiteral("--serve-address goes with --serve PORT");
    return o;
}

QString commandLineHelp()
{
    return QStringLiteral("Usage: pucklight [options]\n"
                          "\n"
                          "Options:\n"
                          "  --screen N     open the scoreboard on monitor N (0 is the first)\n"
                          "  --fullscreen   open the scoreboard full screen, without a frame\n"
                          "  --feed DIR     keep the score in files in DIR for streaming tools\n"
                          "                 (state.json, clock.txt, home_score.txt, ...)\n"
                          "  --serve PORT   serve the score at http://127.0.0.1:PORT/overlay.html\n"
                          "                 (also /state.json and the WebSocket /live); read-only\n"
                          "  --serve-address ADDR\n"
                          "                 listen on ADDR instead of 127.0.0.1; 0.0.0.0 lets\n"
                          "                 anyone on the network read the score\n"
                          "  --help         show this list and exit\n"
                          "\n"
                          "Monitors:\n");
}

LaunchOptions& launchOptions()
{
    static LaunchOptions options;
    return options;
}

void presentBoard(QWidget* board)
{
    const LaunchOptions& o = launchOptions();
    const QList<QScreen*> screens = QGuiApplication::screens();
    if (o.screen >= 0 && o.screen < screens.size()) {
        const QRect area = screens[o.screen]->availableGeometry();
        board->move(area.center() - board->rect().center());
        if (o.fullScreen)
            board->setGeometry(screens[o.screen]->geometry());
    }
    if (o.fullScreen)
        board->showFullScreen();
    else
        board->show();
}
