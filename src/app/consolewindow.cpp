// SPDX-License-Identifier: GPL-3.0-or-later
#include "consolewindow.h"

#include "appwindows.h"
#include "brokerclient.h"
#include "brokerrunner.h"
#include "consolestatus.h"
#include "feedwriter.h"
#include "frmconsole.h"
#include "frmoptions.h"
#include "frmscoreboard.h"
#include "frmwaiting.h"
#include "liveserver.h"
#include "mmcontrol.h"
#include "remotecontrol.h"
#include "settingvariables.h"

#include <QCoreApplication>
#include <QDir>
#include <QEvent>
#include <QGuiApplication>
#include <QHostAddress>
#include <QNetworkInterface>
#include <QPointer>
#include <QScreen>
#include <QTimer>

namespace consolewindow {

namespace {

QPointer<frmConsole> theConsole;

QString soundWords(const MMControl* player)
{
    switch (player->status()) {
    case MMControl::Status::Closed:
        return QCoreApplication::translate("Console", "no sound file");
    case MMControl::Status::Ready:
        return QCoreApplication::translate("Console", "ready");
    case MMControl::Status::Playing:
        return QCoreApplication::translate("Console", "playing");
    case MMControl::Status::Failed:
        break;
    }
    return QCoreApplication::translate("Console", "failed: %1").arg(player->statusReason());
}

// The sound row: both players, the worse of them deciding the row's level.
void showSound(const frmScoreBoard* board)
{
    const MMControl* buzzer = board->mmcBuzzer();
    const MMControl* horn = board->mmcHorn();
    auto level = ConsoleStatus::Level::Ok;
    for (const MMControl* p : {buzzer, horn}) {
        if (p->status() == MMControl::Status::Playing && level == ConsoleStatus::Level::Ok)
            level = ConsoleStatus::Level::Busy;
        if (p->status() == MMControl::Status::Failed)
            level = ConsoleStatus::Level::Failed;
    }
    status().set(ConsoleStatus::Row::Sound, level,
                 QCoreApplication::translate("Console", "buzzer %1; horn %2")
                     .arg(soundWords(buzzer), soundWords(horn)));
}

// The board's size gives the miniature its shape.
class BoardSizeWatch : public QObject
{
public:
    using QObject::QObject;

protected:
    bool eventFilter(QObject* watched, QEvent* e) override
    {
        if (e->type() == QEvent::Resize && theConsole)
            theConsole->setBoardSize(static_cast<QWidget*>(watched)->size());
        return false;
    }
};

void wire(frmConsole* console, frmScoreBoard* board)
{
    QObject::connect(console, &frmConsole::helpRequested, console,
                     [console] { showHelpWindow(console, HelpFocus::StayWithOpener); });
    QObject::connect(console, &frmConsole::waitingRequested, console,
                     [console, board] { frmWaiting::showFor(board->game(), console); });
    QObject::connect(console, &frmConsole::optionsRequested, console, [console, board] {
        QPointer<frmScoreBoard> alive = board;
        showOptionsDialog(console);
        if (alive)
            alive->applySettings(Settings);
    });
    QObject::connect(console, &frmConsole::consoleRequested, console, [] { close(); });
    board->installEventFilter(new BoardSizeWatch(console));
    for (MMControl* p : {board->mmcBuzzer(), board->mmcHorn()})
        QObject::connect(p, &MMControl::statusChanged, console, [board] { showSound(board); });
    showSound(board);
}

// Hides with the window's own close; tells the notifier.
class CloseWatch : public QObject
{
public:
    using QObject::QObject;

protected:
    bool eventFilter(QObject*, QEvent* e) override
    {
        if (e->type() == QEvent::Hide)
            Q_EMIT notifier().shownChanged(false);
        else if (e->type() == QEvent::Show)
            Q_EMIT notifier().shownChanged(true);
        return false;
    }
};

} // namespace

namespace {

// An address of this computer that another on its network can reach: the first IPv4 address
// of an interface that is up, else its first global IPv6 one; loopback when it has none.
QHostAddress reachableAddress()
{
    QHostAddress v6;
    for (const QNetworkInterface& i : QNetworkInterface::allInterfaces()) {
        const auto flags = i.flags();
        if (!flags.testFlag(QNetworkInterface::IsUp) ||
            !flags.testFlag(QNetworkInterface::IsRunning) ||
            flags.testFlag(QNetworkInterface::IsLoopBack))
            continue;
        for (const QNetworkAddressEntry& e : i.addressEntries()) {
            const QHostAddress a = e.ip();
            if (a.protocol() == QAbstractSocket::IPv4Protocol)
                return a;
            if (v6.isNull() && a.isGlobal() && !a.isLinkLocal())
                v6 = a;
        }
    }
    return v6.isNull() ? QHostAddress(QHostAddress::LocalHost) : v6;
}

} // namespace

QString serverOrigin(const QString& address, int port)
{
    QHostAddress a(address);
    // A server on every address (0.0.0.0, ::) is reached, from a phone say, at one of them.
    if (a == QHostAddress(QHostAddress::AnyIPv4) || a == QHostAddress(QHostAddress::AnyIPv6))
        a = reachableAddress();
    const QString host = a.protocol() == QAbstractSocket::IPv6Protocol
                             ? QLatin1Char('[') + a.toString() + QLatin1Char(']')
                             : a.toString();
    return QStringLiteral("http://%1:%2").arg(host).arg(port);
}

void showRemote(const RemoteControl* remote, const QString& origin)
{
    using Level = ConsoleStatus::Level;
    // Off, as the options dialog may have turned it, the row is hidden.
    if (!remote || !remote->enabled()) {
        status().set(ConsoleStatus::Row::Remote, Level::Off, QString());
        return;
    }
    QString error;
    const std::optional<RemoteToken> token = remote->token(&error);
    if (!token) {
        status().set(
            ConsoleStatus::Row::Remote, Level::Failed,
            QCoreApplication::translate("Console", "every command refused: %1").arg(error));
        return;
    }
    status().set(ConsoleStatus::Row::Remote, Level::Ok,
                 QCoreApplication::translate("Console", "on; the control page for a phone is "
                                                        "%1/control, with the token in the code")
                     .arg(origin),
                 controlPageAddress(origin, token->text()));
}

ConsoleStatus& status()
{
    static ConsoleStatus rows;
    return rows;
}

Notifier& notifier()
{
    static Notifier n;
    return n;
}

void watchLiveOutput(LiveOutput* output, const LiveOutput::Options& asked)
{
    using Level = ConsoleStatus::Level;
    if (!asked.feedFolder.isEmpty()) {
        const QString folder = QDir::toNativeSeparators(asked.feedFolder);
        if (output && output->feed)
            status().set(ConsoleStatus::Row::Feed, Level::Ok,
                         QCoreApplication::translate("Console", "writing to %1").arg(folder));
        else
            status().set(ConsoleStatus::Row::Feed, Level::Failed,
                         QCoreApplication::translate("Console", "not written: another board "
                                                                "writes to %1")
                             .arg(folder));
    }
    if (asked.port < 0)
        return;
    if (!output || !output->server) {
        frmOptions::setControlPageOrigin(QString());
        status().set(ConsoleStatus::Row::Server, Level::Failed,
                     QCoreApplication::translate("Console", "cannot serve on %1 port %2")
                         .arg(asked.address)
                         .arg(asked.port));
        return;
    }
    const LiveServer* server = output->server.get();
    const QString origin = serverOrigin(asked.address, server->port());
    const QString url = origin + QStringLiteral("/overlay.html");
    frmOptions::setControlPageOrigin(origin);
    const RemoteControl* remote = output->remote.get();
    const auto show = [server, url, remote, origin] {
        status().set(
            ConsoleStatus::Row::Server, Level::Ok,
            QCoreApplication::translate("Console", "%1, %n viewer(s)", "", server->viewerCount())
                .arg(url));
        showRemote(remote, origin);
    };
    show();
    auto* timer = new QTimer(output);
    QObject::connect(timer, &QTimer::timeout, output, show);
    timer->start(1000);
}

frmConsole* current()
{
    return theConsole;
}

void watchBroker(BrokerRunner* runner)
{
    using Level = ConsoleStatus::Level;
    const auto show = [runner] {
        const BrokerClient* client = runner->client();
        if (!client) {
            if (runner->problem().isEmpty())
                status().set(ConsoleStatus::Row::Broker, Level::Off, QString());
            else
                status().set(
                    ConsoleStatus::Row::Broker, Level::Failed,
                    QCoreApplication::translate("Console", "cannot use %1").arg(runner->problem()));
            return;
        }
        switch (client->status()) {
        case BrokerClient::Status::Connecting:
            status().set(
                ConsoleStatus::Row::Broker, Level::Busy,
                QCoreApplication::translate("Console", "connecting to %1").arg(client->address()));
            return;
        case BrokerClient::Status::Connected:
            status().set(ConsoleStatus::Row::Broker, Level::Ok,
                         QCoreApplication::translate("Console", "publishing to %1 as %2/")
                             .arg(client->address(), client->prefix()));
            return;
        case BrokerClient::Status::Unreachable:
            status().set(
                ConsoleStatus::Row::Broker, Level::Failed,
                QCoreApplication::translate("Console", "cannot reach %1 (%2); trying again")
                    .arg(client->address(), client->problem()));
            return;
        }
    };
    const auto follow = [runner, show, watched = std::make_shared<QPointer<BrokerClient>>()] {
        show();
        BrokerClient* client = runner->client();
        if (client && *watched != client) {
            *watched = client;
            QObject::connect(client, &BrokerClient::statusChanged, client, show);
        }
    };
    follow();
    QObject::connect(runner, &BrokerRunner::clientChanged, runner, follow);
}

frmConsole* open(frmScoreBoard* board)
{
    if (!theConsole) {
        // A window of its own, not the board's: on another screen than a full-screen board, it
        // must not follow the board's stacking or minimising. It goes with the board.
        theConsole = new frmConsole(board->game(), status());
        QObject::connect(board, &QObject::destroyed, theConsole, &QObject::deleteLater);
        theConsole->setBoardSize(board->size());
        theConsole->installEventFilter(new CloseWatch(theConsole));
        wire(theConsole, board);
    }
    theConsole->present(QGuiApplication::primaryScreen());
    return theConsole;
}

void close()
{
    if (theConsole)
        theConsole->close();
}

void toggle(frmScoreBoard* board)
{
    if (theConsole && theConsole->isVisible())
        close();
    else
        open(board);
}

} // namespace consolewindow
