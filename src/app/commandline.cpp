// SPDX-License-Identifier: GPL-3.0-or-later
#include "commandline.h"

#include "program.h"
#include "remotetoken.h"

#include <QCommandLineParser>
#include <QFileInfo>
#include <QGuiApplication>
#include <QHostAddress>
#include <QScreen>
#include <QTextStream>
#include <QWidget>
#include <array>

namespace {

// A number as people write it: decimal digits only, no sign and no spaces; -1 unless it is
// from 1 to `most`.
int countFromOne(const QString& text, int most)
{
    constexpr qsizetype MaxDigits = 5;
    if (text.isEmpty() || text.size() > MaxDigits)
        return -1;
    int n = 0;
    for (const QChar c : text) {
        if (c < QLatin1Char('0') || c > QLatin1Char('9'))
            return -1;
        n = n * 10 + (c.unicode() - '0');
    }
    return n >= 1 && n <= most ? n : -1;
}

// Where the program's own files were found, for whoever wonders why a sound or the manual
// is missing: one line each.
void reportDataFiles(QTextStream& out)
{
    static const char* const Files[][2] = {
        {"buzzer", "buzzer.wav"}, {"horn", "horn.wav"}, {"manual", "pucklighthelpfile.rtf"}};
    for (const auto& [what, name] : Files) {
        const QString path = program::dataFile(QString::fromLatin1(name));
        out << what << ": ";
        if (program::fileExists(path))
            out << path << "\n";
        else
            out << name << " not found in " << program::dataFolders().join(QStringLiteral(", "))
                << "\n";
    }
}

// --mqtt URL, --mqtt-cafile FILE, --mqtt-topic PREFIX, --mqtt-credentials FILE, --mqtt-control.
template <class Fail>
void readBrokerOptions(const QCommandLineParser& parser,
                       const std::array<const QCommandLineOption*, 5>& options, BrokerOptions* b,
                       const Fail& fail)
{
    const auto& [url, caFile, topic, credentials, control] = options;
    QString error;
    if (!parser.isSet(*url)) {
        for (const QCommandLineOption* option : {caFile, topic, credentials, control})
            if (parser.isSet(*option))
                fail(QStringLiteral("--%1 goes with --mqtt URL").arg(option->names().first()));
        return;
    }
    if (!b->setUrl(parser.value(*url), &error))
        return fail(error);
    if (parser.isSet(*caFile)) {
        b->caFile = parser.value(*caFile);
        if (!b->tls)
            fail(QStringLiteral("--mqtt-cafile goes with an mqtts:// broker"));
        else if (!program::fileExists(b->caFile) || !QFileInfo(b->caFile).isReadable())
            fail(QStringLiteral("--mqtt-cafile %1: no such file, or it cannot be read")
                     .arg(b->caFile));
    }
    if (parser.isSet(*topic)) {
        b->topic = parser.value(*topic);
        if (!BrokerOptions::isTopicPrefix(b->topic))
            fail(QStringLiteral("--mqtt-topic needs a prefix such as pucklight/rink-1: without '+' "
                                "or '#', '$' at its start or '/' at its end"));
    }
    if (parser.isSet(*credentials) && !b->readCredentials(parser.value(*credentials), &error))
        fail(error);
    b->control = parser.isSet(*control);
}

} // namespace

LaunchOptions parseCommandLine(const QStringList& arguments)
{
    LaunchOptions o;
    QCommandLineParser parser;
    const QCommandLineOption screen(QStringLiteral("screen"), QString(), QStringLiteral("N"));
    const QCommandLineOption fullScreen(QStringLiteral("fullscreen"));
    const QCommandLineOption console(QStringLiteral("console"));
    const QCommandLineOption feed(QStringLiteral("feed"), QString(), QStringLiteral("DIR"));
    const QCommandLineOption serve(QStringLiteral("serve"), QString(), QStringLiteral("PORT"));
    const QCommandLineOption address(QStringLiteral("serve-address"), QString(),
                                     QStringLiteral("ADDR"));
    const QCommandLineOption sheet(QStringLiteral("game-sheet"), QString(), QStringLiteral("FILE"));
    const QCommandLineOption game(QStringLiteral("game"), QString(), QStringLiteral("FILE"));
    const QCommandLineOption viewers(QStringLiteral("max-viewers"), QString(), QStringLiteral("N"));
    const QCommandLineOption remote(QStringLiteral("remote-control"));
    const QCommandLineOption token(QStringLiteral("remote-token"));
    const QCommandLineOption newToken(QStringLiteral("new-remote-token"));
    const QCommandLineOption help(QStringList{QStringLiteral("h"), QStringLiteral("help")});
    const QCommandLineOption version(QStringLiteral("version"));
    const QCommandLineOption mqtt(QStringLiteral("mqtt"), QString(), QStringLiteral("URL"));
    const QCommandLineOption mqttCa(QStringLiteral("mqtt-cafile"), QString(), QStringLiteral("F"));
    const QCommandLineOption mqttTopic(QStringLiteral("mqtt-topic"), QString(),
                                       QStringLiteral("P"));
    const QCommandLineOption mqttLogin(QStringLiteral("mqtt-credentials"), QString(),
                                       QStringLiteral("F"));
    const QCommandLineOption mqttControl(QStringLiteral("mqtt-control"));
    parser.addOptions({screen, fullScreen, console, feed, serve, address, viewers, remote, token,
                       newToken, sheet, game, help, version, mqtt, mqttCa, mqttTopic, mqttLogin,
                       mqttControl});
    if (!parser.parse(arguments)) {
        o.error = parser.errorText();
        return o;
    }
    // Reports the first fault only; later ones would only repeat the usage.
    const auto fail = [&o](const QString& message) {
        if (o.error.isEmpty())
            o.error = message;
    };
    if (!parser.positionalArguments().isEmpty())
        fail(QStringLiteral("unexpected argument: ") + parser.positionalArguments().first());
    for (const QCommandLineOption* option : {&screen, &feed, &serve, &address, &viewers, &sheet,
                                             &game, &mqtt, &mqttCa, &mqttTopic, &mqttLogin}) {
        if (parser.values(*option).size() > 1) {
            fail(QStringLiteral("--%1 is given more than once").arg(option->names().first()));
            return o;
        }
    }

    o.showHelp = parser.isSet(help);
    o.showVersion = parser.isSet(version);
    o.fullScreen = parser.isSet(fullScreen);
    o.printToken = parser.isSet(token);
    o.newToken = parser.isSet(newToken);
    o.console = parser.isSet(console);
    if (parser.isSet(feed)) {
        const QString folder = parser.value(feed);
        if (folder.isEmpty())
            fail(QStringLiteral("--feed needs a folder"));
        else
            o.feedFolder = folder;
    }
    if (parser.isSet(serve)) {
        constexpr int MaxPort = 65535;
        const int port = countFromOne(parser.value(serve), MaxPort);
        if (port < 0)
            fail(QStringLiteral("--serve needs a port number from 1 to 65535"));
        else
            o.servePort = port;
    }
    if (parser.isSet(address)) {
        const QString given = parser.value(address);
        if (QHostAddress(given).isNull())
            fail(QStringLiteral("--serve-address needs an IP address, such as 127.0.0.1 or "
                                "0.0.0.0"));
        else
            o.serveAddress = given;
        if (o.servePort < 0)
            fail(QStringLiteral("--serve-address goes with --serve PORT"));
    }
    o.gameSheet = parser.value(sheet);
    o.gameFile = parser.value(game);
    if (parser.isSet(sheet) && o.gameSheet.isEmpty())
        fail(QStringLiteral("--game-sheet needs a file name"));
    if (parser.isSet(game) && (o.gameFile.isEmpty() || !parser.isSet(sheet)))
        fail(QStringLiteral("--game FILE goes with --game-sheet FILE"));
    if (parser.isSet(viewers)) {
        const int n = countFromOne(parser.value(viewers), LiveServer::MostViewers);
        if (n < 0)
            fail(QStringLiteral("--max-viewers needs a number from 1 to %1")
                     .arg(LiveServer::MostViewers));
        else
            o.maxViewers = n;
        if (o.servePort < 0)
            fail(QStringLiteral("--max-viewers goes with --serve PORT"));
    }
    if (parser.isSet(remote)) {
        o.remoteControl = true;
        if (o.servePort < 0)
            fail(QStringLiteral("--remote-control goes with --serve PORT"));
    }
    readBrokerOptions(parser, {&mqtt, &mqttCa, &mqttTopic, &mqttLogin, &mqttControl}, &o.mqtt,
                      fail);
    if (parser.isSet(screen)) {
        bool ok = false;
        const int n = parser.value(screen).toInt(&ok);
        if (!ok || n < 0)
            fail(QStringLiteral("--screen needs a monitor number (0, 1, ...)"));
        else
            o.screen = n;
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
                          "  --console      open the operator's console beside the scoreboard,\n"
                          "                 on the first monitor (F4 opens and closes it)\n"
                          "  --feed DIR     keep the score in files in DIR for streaming tools\n"
                          "                 (state.json, clock.txt, home_score.txt, ...)\n"
                          "  --serve PORT   serve the score at http://127.0.0.1:PORT/overlay.html\n"
                          "                 (also /state.json and the WebSocket /live); read-only\n"
                          "  --serve-address ADDR\n"
                          "                 listen on ADDR instead of 127.0.0.1; 0.0.0.0 lets\n"
                          "                 anyone on the network read the score\n"
                          "  --game-sheet FILE\n"
                          "                 write the saved game's sheet to FILE and exit: a\n"
                          "                 one-page PDF (.pdf), or every event (.csv)\n"
                          "  --game FILE    with --game-sheet: the game file to read instead of\n"
                          "                 the saved game (game-previous.json, say)\n"
                          "  --max-viewers N\n"
                          "                 keep up to N live viewers (WebSockets) at a time,\n"
                          "                 1 to %1 (%2 unless given); more are turned away\n"
                          "  --remote-control\n"
                          "                 with --serve: take commands (POST /api/command, the\n"
                          "                 WebSocket, the page /control) from holders of the\n"
                          "                 remote token\n"
                          "  --remote-token print the remote token (made first if there is none)\n"
                          "                 and exit\n"
                          "  --new-remote-token\n"
                          "                 replace the remote token by a new one, print it and\n"
                          "                 exit; the old one stops working\n"
                          "  --mqtt URL     publish the game to a broker: mqtt://HOST[:PORT]\n"
                          "                 or mqtts://HOST[:PORT] (MQTT over TLS)\n"
                          "  --mqtt-cafile FILE\n"
                          "                 the CA of an mqtts:// broker (default: the system's)\n"
                          "  --mqtt-topic PREFIX\n"
                          "                 the topics' prefix (default: pucklight/BOARDNAME)\n"
                          "  --mqtt-credentials FILE\n"
                          "                 user:password for the broker, in a private file\n"
                          "  --mqtt-control take commands with the remote token on PREFIX/command\n"
                          "  --version      show the version and where its files are, and exit\n"
                          "  --help         show this list and exit\n"
                          "\n"
                          "Monitors:\n")
        .arg(LiveServer::MostViewers)
        .arg(LiveServer::DefaultMaxViewers);
}

std::optional<int> answerCommandLine(const LaunchOptions& options, QTextStream& out,
                                     QTextStream& err, const QString& monitors,
                                     const QString& tokenFile)
{
    if (!options.error.isEmpty()) {
        err << "pucklight: " << options.error << "\n\n" << commandLineHelp() << monitors;
        return 2;
    }
    if (options.showVersion) {
        out << "Pucklight " << program::VersionMajor << '.' << program::VersionMinor << '.'
            << program::VersionRevision << "\n";
        reportDataFiles(out);
        return 0;
    }
    if (options.showHelp) {
        out << commandLineHelp() << monitors;
        return 0;
    }
    if (options.printToken || options.newToken) {
        const QString path = tokenFile.isEmpty() ? RemoteToken::defaultPath() : tokenFile;
        QString error;
        const std::optional<RemoteToken> token = options.newToken
                                                     ? RemoteToken::renew(&error, path)
                                                     : RemoteToken::obtain(&error, nullptr, path);
        if (!token) {
            err << "pucklight: " << error << "\n";
            return 1;
        }
        out << token->text() << "\n";
        return 0;
    }
    return std::nullopt;
}

LaunchOptions& launchOptions()
{
    static LaunchOptions options;
    return options;
}

QScreen* boardScreen()
{
    const LaunchOptions& o = launchOptions();
    const QList<QScreen*> screens = QGuiApplication::screens();
    return o.screen >= 0 && o.screen < screens.size() ? screens[o.screen] : nullptr;
}

void presentBoard(QWidget* board)
{
    const LaunchOptions& o = launchOptions();
    QScreen* screen = boardScreen();
    if (screen) {
        const QRect area = screen->availableGeometry();
        board->move(area.center() - board->rect().center());
    }
    if (o.fullScreen) {
        // Without a window manager nobody sizes a full-screen window but the window itself, so
        // it always takes its screen's whole area: the chosen one, or the one it is on.
        if (!screen)
            screen = board->screen();
        if (screen)
            board->setGeometry(screen->geometry());
        board->showFullScreen();
    } else {
        board->show();
    }
    // The board takes the keyboard as it opens. A window manager would give it to a new
    // window; without one (a kiosk) nobody does, and the keys would go wherever the pointer
    // happens to be. Qt asks for the focus once the window is mapped.
    board->activateWindow();
}
