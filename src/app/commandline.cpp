#include "commandline.h"

#include <QGuiApplication>
#include <QScreen>
#include <QWidget>

LaunchOptions parseCommandLine(const QStringList& arguments)
{
    LaunchOptions o;
    for (qsizetype i = 1; i < arguments.size(); ++i) {
        const QString& a = arguments[i];
        if (a == QLatin1String("--help") || a == QLatin1String("-h")) {
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
    return o;
}

QString commandLineHelp()
{
    return QStringLiteral("Usage: pucklight [options]\n"
                          "\n"
                          "Options:\n"
                          "  --screen N     open the scoreboard on monitor N (0 is the first)\n"
                          "  --fullscreen   open the scoreboard full screen, without a frame\n"
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
