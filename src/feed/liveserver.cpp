// SPDX-License-Identifier: GPL-3.0-or-later
#include "liveserver.h"

#include "requestguard.h"
#include "settingvariables.h"

#include <QFile>
#include <QHttpServer>
#include <QHttpServerRequest>
#include <QHttpServerResponse>
#include <QTcpSocket>
#include <QTimer>
#include <QWebSocket>
#include <algorithm>

#ifdef Q_OS_UNIX
#include <sys/resource.h>
#endif

// Resources of a static library are registered by hand, outside any namespace.
static void initFeedResources()
{
    Q_INIT_RESOURCE(feed);
}

namespace {

using Status = QHttpServerResponder::StatusCode;

constexpr char WebSocketPath[] = "/live";
constexpr char OverlayResource[] = ":/pucklight-feed/overlay.html";
// The overlay page carries the colours from the start, so its first paint is right.
constexpr char ColoursPlaceholder[] = "/*COLOURS*/null";
// A viewer that does not answer a close within this time is cut off.
constexpr int CloseGraceMs = 5'000;

const QHttpServerResponder::HeaderList PlainHeaders = {
    {"Content-Type", "text/plain; charset=utf-8"},
    {"Cache-Control", "no-store"},
    {"X-Content-Type-Options", "nosniff"},
    {"Connection", "close"},
};

QHttpServerResponse response(const QByteArray& mimeType, const QByteArray& body,
                             Status status = Status::Ok)
{
    QHttpServerResponse r(mimeType, body, status);
    r.addHeader("Cache-Control", "no-store");
    r.addHeader("X-Content-Type-Options", "nosniff");
    r.addHeader("Connection", "close");
    return r;
}

QHttpServerResponse jsonResponse(const QByteArray& json)
{
    // Nothing to tell before the board has been read once.
    if (json.isEmpty())
        return response("application/json", "{}", Status::ServiceUnavailable);
    return response("application/json", json);
}

// A stored colour (red in the low byte) as CSS writes it, "#rrggbb".
QByteArray cssColour(int32_t c)
{
    return QString::asprintf("#%02x%02x%02x", c & 0xFF, (c >> 8) & 0xFF, (c >> 16) & 0xFF)
        .toLatin1();
}

// Descriptors the program needs besides the server's: its own files, libraries, the display.
constexpr int OtherDescriptors = 256;

// Lets the process have `count` files open, within the system's hard limit. The usual soft
// limit (1024) is too few for a thousand viewers.
void allowOpenFiles(int count)
{
#ifdef Q_OS_UNIX
    rlimit limit{};
    if (::getrlimit(RLIMIT_NOFILE, &limit) != 0 || limit.rlim_cur >= rlim_t(count))
        return;
    limit.rlim_cur =
        limit.rlim_max == RLIM_INFINITY ? rlim_t(count) : std::min(rlim_t(count), limit.rlim_max);
    ::setrlimit(RLIMIT_NOFILE, &limit);
#else
    Q_UNUSED(count);
#endif
}

} // namespace

QByteArray colorsJson()
{
    const SettingVariables& s = Settings;
    const std::pair<const char*, int32_t> colours[] = {
        {"time", s.TimeColor},     {"ledBack", s.LEDBack},   {"score", s.ScoreColor},
        {"period", s.PeriodColor}, {"formBack", s.FormBack}, {"selected", s.LEDSelected},
        {"border", s.BorderColor}, {"home", s.HomeColor},    {"visitor", s.VisitorColor},
    };
    QByteArray out = "{";
    for (const auto& [key, value] : colours) {
        if (out.size() > 1)
            out += ", ";
        out += '"' + QByteArray(key) + "\": \"" + cssColour(value) + '"';
    }
    return out + '}';
}

LiveServer::LiveServer(QObject* parent) : QObject(parent), http(std::make_unique<QHttpServer>())
{
    initFeedResources();
    setMaxViewers(DefaultMaxViewers);
    using Method = QHttpServerRequest::Method;
    // Paths are patterns; the dots are escaped so that only the exact names match.
    http->route(QStringLiteral("/state\\.json"), Method::Get,
                [this] { return jsonResponse(current); });
    http->route(QStringLiteral("/events\\.json"), Method::Get,
                [this] { return jsonResponse(events); });
    http->route(QStringLiteral("/colors\\.json"), Method::Get,
                [] { return jsonResponse(colorsJson()); });
    http->route(QStringLiteral("/overlay\\.html"), Method::Get,
                [this] { return response("text/html; charset=utf-8", overlayPage()); });
    http->route(QString::fromLatin1(WebSocketPath), Method::Get,
                [](const QHttpServerRequest& request, QHttpServerResponder&& responder) {
                    // An upgrade is taken over by the WebSocket server when this returns.
                    if (!request.value("Upgrade").toLower().contains("websocket"))
                        responder.write("426 Upgrade Required: this is a WebSocket\n", PlainHeaders,
                                        Status::UpgradeRequired);
                });
    http->setMissingHandler([](const QHttpServerRequest&, QHttpServerResponder&& responder) {
        responder.write("404 Not Found\n", PlainHeaders, Status::NotFound);
    });
    connect(http.get(), &QAbstractHttpServer::newWebSocketConnection, this,
            &LiveServer::acceptViewers);
}

LiveServer::~LiveServer()
{
    // The viewers (and those still closing) go first, while the sockets beneath them exist.
    viewers.clear();
    for (QWebSocket* ws : findChildren<QWebSocket*>(Qt::FindDirectChildrenOnly)) {
        ws->disconnect(this);
        delete ws;
    }
    http.reset();
}

void LiveServer::setMaxViewers(int n)
{
    maxViewers = n;
    // Every viewer is a connection, and so is each head being read or answered.
    allowOpenFiles(std::max(n, 1) + RequestGuard::MaxConnections + RequestGuard::MaxDraining +
                   OtherDescriptors);
}

bool LiveServer::listen(const QHostAddress& address, quint16 port, QString* error)
{
    auto* g = new RequestGuard(WebSocketPath, MaxViewerBacklog, this);
    if (!g->start(address, port)) {
        if (error)
            *error = g->serverError() == QAbstractSocket::AddressInUseError
                         ? QStringLiteral("the port is in use, by another Pucklight board or "
                                          "another program")
                         : g->errorString();
        delete g;
        return false;
    }
    g->setUpgradeAdmission([this](const QHostAddress& client) { return refusalFor(client); });
    http->bind(g);
    guard = g;
    return true;
}

quint16 LiveServer::port() const
{
    return guard ? guard->serverPort() : 0;
}

int LiveServer::openConnections() const
{
    // Every socket the server accepted stays a child of the guard until it is deleted.
    return guard ? static_cast<int>(
                       guard->findChildren<QTcpSocket*>(Qt::FindDirectChildrenOnly).size())
                 : 0;
}

void LiveServer::publish(const QByteArray& json)
{
    if (json == current)
        return;
    current = json;
    // A viewer dropped while sending leaves the list; walk a copy.
    const std::deque<QWebSocket*> all = viewers;
    for (QWebSocket* ws : all)
        send(ws);
}

void LiveServer::send(QWebSocket* ws)
{
    if (current.isEmpty())
        return;
    if (ws->bytesToWrite() > MaxViewerBacklog) {
        ws->abort();
        return;
    }
    ws->sendTextMessage(QString::fromUtf8(current));
}

void LiveServer::acceptViewers()
{
    while (http->hasPendingWebSocketConnections()) {
        QWebSocket* ws = http->nextPendingWebSocketConnection().release();
        if (!ws)
            break;
        ws->setParent(this);
        ws->setMaxAllowedIncomingFrameSize(MaxViewerMessage);
        ws->setMaxAllowedIncomingMessageSize(MaxViewerMessage);
        // The guard asked before the handshake; this catches handshakes that overlapped.
        if (const QByteArray why = refusalFor(ws->peerAddress()); !why.isEmpty()) {
            ws->close(QWebSocketProtocol::CloseCodeGoingAway, QString::fromLatin1(why));
            QTimer::singleShot(CloseGraceMs, ws, [ws] { ws->abort(); });
            connect(ws, &QWebSocket::disconnected, ws, &QObject::deleteLater);
            continue;
        }
        connect(ws, &QWebSocket::disconnected, this, [this, ws] { dropViewer(ws); });
        viewers.push_back(ws);
        send(ws);
    }
}

QByteArray LiveServer::refusalFor(const QHostAddress& address) const
{
    const int places = std::max(maxViewers, 1);
    if (viewers.size() >= static_cast<size_t>(places))
        return "at most " + QByteArray::number(places) + (places == 1 ? " viewer" : " viewers") +
               " at a time, and all places are taken (--max-viewers sets the number)";
    if (isLocalClient(address))
        return {};
    const QHostAddress client = clientOf(address);
    const int remotePlaces = places - (places + 3) / 4;
    int remote = 0;
    int fromClient = 0;
    for (const QWebSocket* v : viewers) {
        remote += isLocalClient(v->peerAddress()) ? 0 : 1;
        fromClient += clientOf(v->peerAddress()) == client ? 1 : 0;
    }
    if (remote >= remotePlaces)
        return "the places left are kept for this computer; other computers have " +
               QByteArray::number(remotePlaces) + " of the " + QByteArray::number(places) +
               " (--max-viewers sets the number)";
    if (fromClient >= MaxRemoteViewersPerClient)
        return "at most " + QByteArray::number(MaxRemoteViewersPerClient) +
               " viewers from one address (from one /64 network for IPv6)";
    return {};
}

void LiveServer::dropViewer(QWebSocket* ws)
{
    const auto it = std::find(viewers.begin(), viewers.end(), ws);
    if (it != viewers.end())
        viewers.erase(it);
    ws->deleteLater();
}

QByteArray LiveServer::overlayPage() const
{
    QFile f(QString::fromLatin1(OverlayResource));
    if (!f.open(QIODevice::ReadOnly))
        return QByteArray();
    return f.readAll().replace(ColoursPlaceholder, colorsJson());
}
