// SPDX-License-Identifier: GPL-3.0-or-later
#include "requestguard.h"

#include <QPointer>
#include <QTcpSocket>
#include <QTimer>
#include <algorithm>

#ifdef Q_OS_WIN
#include <winsock2.h>
#include <ws2tcpip.h>
#else
#include <netinet/in.h>
#include <netinet/tcp.h>
#include <sys/socket.h>
#include <unistd.h>
#endif

namespace {

constexpr int BadRequest = 400;
constexpr int RequestTimeout = 408;
constexpr int NotFound = 404;
constexpr int MethodNotAllowed = 405;
constexpr int ContentTooLarge = 413;
constexpr int UpgradeRequired = 426;
constexpr int HeadTooLarge = 431;
constexpr int Unavailable = 503;

QByteArray reasonOf(int status)
{
    switch (status) {
    case BadRequest:
        return "Bad Request";
    case NotFound:
        return "Not Found";
    case MethodNotAllowed:
        return "Method Not Allowed";
    case RequestTimeout:
        return "Request Timeout";
    case ContentTooLarge:
        return "Content Too Large";
    case HeadTooLarge:
        return "Request Header Fields Too Large";
    case UpgradeRequired:
        return "Upgrade Required";
    default:
        return "Service Unavailable";
    }
}

// The whole answer to a refused request; `why`, if given, follows the reason in the body.
QByteArray answer(int status, const QByteArray& why = {})
{
    const QByteArray body = QByteArray::number(status) + ' ' + reasonOf(status) +
                            (why.isEmpty() ? QByteArray() : ": " + why) + '\n';
    QByteArray out = "HTTP/1.1 " + QByteArray::number(status) + ' ' + reasonOf(status) +
                     "\r\nContent-Type: text/plain; charset=utf-8\r\nContent-Length: " +
                     QByteArray::number(body.size()) + "\r\nConnection: close\r\n";
    if (status == MethodNotAllowed)
        out += "Allow: GET\r\n";
    if (status == UpgradeRequired)
        out += "Sec-WebSocket-Version: 13\r\n";
    return out + "\r\n" + body;
}

// Tells the client that nothing more comes from us, while we can still read from it.
void closeWriteSide(qintptr descriptor)
{
    if (descriptor < 0)
        return;
#ifdef Q_OS_WIN
    ::shutdown(static_cast<SOCKET>(descriptor), SD_SEND);
#else
    ::shutdown(static_cast<int>(descriptor), SHUT_WR);
#endif
}

// The address at the other end of an accepted connection, before any object is made for it;
// null when the connection is gone already.
QHostAddress peerOf(qintptr descriptor)
{
    sockaddr_storage a{};
#ifdef Q_OS_WIN
    int size = sizeof a;
    const bool ok =
        ::getpeername(static_cast<SOCKET>(descriptor), reinterpret_cast<sockaddr*>(&a), &size) == 0;
#else
    socklen_t size = sizeof a;
    const bool ok =
        ::getpeername(static_cast<int>(descriptor), reinterpret_cast<sockaddr*>(&a), &size) == 0;
#endif
    return ok ? QHostAddress(reinterpret_cast<const sockaddr*>(&a)) : QHostAddress();
}

// Puts a short answer into a connection's send buffer, without waiting; a connection that has
// not been written to yet has room for it. What cannot be sent is dropped.
void sendNow(qintptr descriptor, const QByteArray& data)
{
#ifdef Q_OS_WIN
    ::send(static_cast<SOCKET>(descriptor), data.constData(), static_cast<int>(data.size()), 0);
#else
    [[maybe_unused]] const ssize_t sent =
        ::send(static_cast<int>(descriptor), data.constData(), static_cast<size_t>(data.size()),
               MSG_DONTWAIT | MSG_NOSIGNAL);
#endif
}

void closeDescriptor(qintptr descriptor)
{
#ifdef Q_OS_WIN
    ::closesocket(static_cast<SOCKET>(descriptor));
#else
    ::close(static_cast<int>(descriptor));
#endif
}

// Where the head ends (just past its blank line), or -1 while it is incomplete. Bare line
// feeds are taken as well as CR LF.
qsizetype headEnd(QByteArrayView data)
{
    const qsizetype crlf = data.indexOf("\r\n\r\n");
    const qsizetype lf = data.indexOf("\n\n");
    if (crlf >= 0 && (lf < 0 || crlf + 2 <= lf))
        return crlf + 4;
    return lf >= 0 ? lf + 2 : -1;
}

bool isTokenChar(char c)
{
    return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') ||
           QByteArrayView("!#$%&'*+-.^_`|~").contains(c);
}

bool isToken(QByteArrayView s)
{
    if (s.isEmpty())
        return false;
    for (const char c : s)
        if (!isTokenChar(c))
            return false;
    return true;
}

bool isTargetChar(char c)
{
    const auto u = static_cast<unsigned char>(c);
    return u > 0x20 && u < 0x7F;
}

} // namespace

// A connection while the guard reads it; a child of its socket, so it goes with it.
class GuardedConnection : public QObject
{
public:
    GuardedConnection(QTcpSocket* s, RequestGuard* guard, const QHostAddress& from)
        : QObject(s), socket(s), owner(guard), peer(from), client(clientOf(from)),
          local(isLocalClient(from))
    {
        timer.setSingleShot(true);
    }
    ~GuardedConnection() override
    {
        if (owner)
            owner->forget(this);
    }
    Q_DISABLE_COPY(GuardedConnection)

    QTcpSocket* socket;
    QPointer<RequestGuard> owner;
    QHostAddress peer;
    QHostAddress client; // as the per-client limit counts it
    bool local;
    QTimer timer;
    qint64 drained = 0;
    bool draining = false;
    bool answered = false; // the refusal is out and our side closed
};

QHostAddress clientAddress(const QHostAddress& peer)
{
    bool mapped = false;
    const quint32 v4 = peer.toIPv4Address(&mapped);
    return mapped ? QHostAddress(v4) : peer;
}

bool isLocalClient(const QHostAddress& peer)
{
    return clientAddress(peer).isLoopback();
}

QHostAddress clientOf(const QHostAddress& peer)
{
    const QHostAddress a = clientAddress(peer);
    if (a.isLoopback())
        return QHostAddress(QHostAddress::LocalHost);
    if (a.protocol() != QAbstractSocket::IPv6Protocol)
        return a;
    // Anyone given one address of IPv6 has a /64 network of them.
    Q_IPV6ADDR network = a.toIPv6Address();
    std::fill(std::begin(network.c) + 8, std::end(network.c), quint8(0));
    return QHostAddress(network);
}

RequestGuard::RequestGuard(QByteArray webSocketPath, qint64 maxUpgradedBacklog, QObject* parent)
    : QTcpServer(parent), wsPath(std::move(webSocketPath)), maxBacklog(maxUpgradedBacklog),
      pendingLimit(maxPendingConnections())
{
    setListenBacklogSize(ListenBacklog);
    // Out of descriptors (or memory), QTcpServer stops taking connections for good. They are
    // taken again a moment later, when others may have gone.
    connect(this, &QTcpServer::acceptError, this,
            [this] { QTimer::singleShot(AcceptRetryMs, this, &QTcpServer::resumeAccepting); });
}

bool RequestGuard::start(const QHostAddress& address, quint16 port)
{
    if (!listen(address, port))
        return false;
#ifdef TCP_DEFER_ACCEPT
    // Every client of this server speaks first. Silent ones are held in the system for up to
    // the head timeout, and then come to us as any other (the timeout takes them).
    const int seconds = HeadTimeoutMs / 1000;
    ::setsockopt(static_cast<int>(socketDescriptor()), IPPROTO_TCP, TCP_DEFER_ACCEPT, &seconds,
                 sizeof seconds);
#endif
    return true;
}

void RequestGuard::incomingConnection(qintptr descriptor)
{
    // QTcpServer takes connections until the system has none left to give, which a crowd that
    // connects as fast as it can may never let happen. After MaxAcceptsPerPass, the rest wait
    // for the next pass of the event loop, so that the tick and the connections already taken
    // on go first: with no room for pending connections, QTcpServer stops asking.
    if (++acceptedThisPass == MaxAcceptsPerPass) {
        setMaxPendingConnections(0);
        QMetaObject::invokeMethod(this, &RequestGuard::nextPass, Qt::QueuedConnection);
    }
    const QHostAddress peer = clientAddress(peerOf(descriptor));
    if (peer.isNull() || !makeRoom(clientOf(peer), isLocalClient(peer))) {
        // Nothing is made for a connection that is turned away at the door.
        sendNow(descriptor, answer(Unavailable));
        closeDescriptor(descriptor);
        return;
    }
    auto* s = new QTcpSocket(this);
    s->setSocketDescriptor(descriptor);
    connect(s, &QTcpSocket::disconnected, s, &QObject::deleteLater);
    auto* c = new GuardedConnection(s, this, peer);
    reading.push_back(c);
    // The socket never holds more than a head's worth of unread data: when the buffer is
    // full, Qt stops reading and the sender has to wait.
    s->setReadBufferSize(MaxHeadBytes);
    connect(&c->timer, &QTimer::timeout, this, [this, c] { refuse(c, RequestTimeout); });
    c->timer.start(HeadTimeoutMs);
    connect(s, &QTcpSocket::readyRead, c, [this, c] { inspect(c); });
    if (s->bytesAvailable() > 0)
        inspect(c);
}

void RequestGuard::nextPass()
{
    acceptedThisPass = 0;
    setMaxPendingConnections(pendingLimit);
    resumeAccepting();
}

bool RequestGuard::makeRoom(const QHostAddress& client, bool local)
{
    const auto from = [&client](const GuardedConnection* c) { return c->client == client; };
    GuardedConnection* victim = nullptr;
    if (std::count_if(reading.begin(), reading.end(), from) >= MaxPendingPerClient) {
        victim = *std::find_if(reading.begin(), reading.end(), from);
    } else if (reading.size() >= static_cast<size_t>(MaxConnections)) {
        const auto remote = std::find_if(reading.begin(), reading.end(),
                                         [](const GuardedConnection* c) { return !c->local; });
        if (remote != reading.end())
            victim = *remote;
        else if (local)
            victim = reading.front();
        else
            return false;
    }
    if (victim) {
        // Whoever is still sending its head after all the newer ones is in no hurry. Its
        // answer goes straight out, and the socket (with its GuardedConnection) at once, so
        // that a crowd leaves no sockets waiting to be closed.
        QTcpSocket* s = victim->socket;
        sendNow(s->socketDescriptor(), answer(Unavailable));
        delete s;
    }
    return true;
}

void RequestGuard::forget(GuardedConnection* c)
{
    const auto it = std::find(reading.begin(), reading.end(), c);
    if (it != reading.end())
        reading.erase(it);
    if (c->draining) {
        c->draining = false;
        --draining;
    }
}

void RequestGuard::inspect(GuardedConnection* c)
{
    const QByteArray data = c->socket->peek(MaxHeadBytes);
    // Requests sent one behind the other are all checked before the first is handed over:
    // the HTTP server reads whatever the socket holds.
    for (qsizetype from = 0;;) {
        const qsizetype end = headEnd(QByteArrayView(data).sliced(from));
        if (end < 0) {
            if (data.size() >= MaxHeadBytes)
                refuse(c, HeadTooLarge);
            return;
        }
        const Verdict v = check(QByteArrayView(data).sliced(from, end));
        if (v.status != 0) {
            refuse(c, v.status);
            return;
        }
        if (v.upgrade) {
            // A connection turns into a WebSocket with its first request or not at all; what
            // follows the upgrade belongs to the WebSocket.
            if (from > 0)
                refuse(c, BadRequest);
            else if (const QByteArray why = admitUpgrade ? admitUpgrade(c->peer) : QByteArray();
                     !why.isEmpty())
                refuse(c, Unavailable, why);
            else
                handOver(c, true);
            return;
        }
        from += end;
        // Blank lines between requests are allowed.
        while (from < data.size() && (data[from] == '\r' || data[from] == '\n'))
            ++from;
        if (from == data.size()) {
            handOver(c, false);
            return;
        }
    }
}

RequestGuard::Verdict RequestGuard::check(QByteArrayView head) const
{
    Verdict v;
    QList<QByteArrayView> lines;
    for (qsizetype from = 0; from < head.size();) {
        qsizetype nl = head.indexOf('\n', from);
        if (nl < 0)
            nl = head.size();
        QByteArrayView line = head.sliced(from, nl - from);
        if (line.endsWith('\r'))
            line.chop(1);
        lines.append(line);
        from = nl + 1;
    }
    while (!lines.isEmpty() && lines.last().isEmpty())
        lines.removeLast();
    if (lines.isEmpty())
        return {BadRequest, false};

    // Request line: method, target, version, one space apart.
    const QByteArrayView requestLine = lines.first();
    const qsizetype sp1 = requestLine.indexOf(' ');
    const qsizetype sp2 = sp1 < 0 ? -1 : requestLine.indexOf(' ', sp1 + 1);
    if (sp1 <= 0 || sp2 <= sp1 + 1)
        return {BadRequest, false};
    const QByteArrayView method = requestLine.first(sp1);
    const QByteArrayView target = requestLine.sliced(sp1 + 1, sp2 - sp1 - 1);
    const QByteArrayView version = requestLine.sliced(sp2 + 1);
    if (!isToken(method) || !target.startsWith('/') ||
        (version != "HTTP/1.1" && version != "HTTP/1.0"))
        return {BadRequest, false};
    for (const char c : target)
        if (!isTargetChar(c))
            return {BadRequest, false};

    bool hasBody = false;
    bool hasKey = false;
    bool version13 = false;
    for (qsizetype i = 1; i < lines.size(); ++i) {
        const QByteArrayView line = lines[i];
        const qsizetype colon = line.indexOf(':');
        // A header line is a name, a colon and a value; folded lines are not taken.
        if (colon <= 0 || !isToken(line.first(colon)))
            return {BadRequest, false};
        const QByteArray name = line.first(colon).toByteArray().toLower();
        const QByteArray value = line.sliced(colon + 1).toByteArray().trimmed();
        if (name == "content-length") {
            bool ok = false;
            const qlonglong n = value.toLongLong(&ok);
            if (!ok || n < 0)
                return {BadRequest, false};
            hasBody = hasBody || n > 0;
        } else if (name == "transfer-encoding") {
            hasBody = true;
        } else if (name == "upgrade") {
            v.upgrade = value.toLower().contains("websocket");
        } else if (name == "sec-websocket-key") {
            hasKey = !value.isEmpty();
        } else if (name == "sec-websocket-version") {
            version13 = value == "13";
        }
    }
    if (method != "GET")
        return {MethodNotAllowed, false};
    if (hasBody)
        return {ContentTooLarge, false};
    if (v.upgrade) {
        const qsizetype query = target.indexOf('?');
        if ((query < 0 ? target : target.first(query)) != QByteArrayView(wsPath))
            return {NotFound, false};
        // Without its key a handshake cannot be answered; the WebSocket layer would only
        // drop the connection. Version 13 is the one WebSocket there is.
        if (!hasKey)
            return {BadRequest, false};
        if (!version13)
            return {UpgradeRequired, false};
    }
    return v;
}

void RequestGuard::refuse(GuardedConnection* c, int status, const QByteArray& why)
{
    QTcpSocket* s = c->socket;
    forget(c);
    QObject::disconnect(s, &QTcpSocket::readyRead, c, nullptr);
    QObject::disconnect(&c->timer, nullptr, nullptr, nullptr);
    s->write(answer(status, why));
    if (draining >= MaxDraining) {
        // Too many to wait for: the answer goes out and the connection closes.
        c->deleteLater();
        s->disconnectFromHost();
        return;
    }
    c->draining = true;
    ++draining;
    // Our side is finished once the answer is out: the client sees the end at once. What it
    // still sends is read and dropped for a while, so that it gets to read the answer
    // rather than a reset; then the connection closes.
    auto finish = [s, c] {
        if (s->bytesToWrite() == 0 && !c->answered) {
            c->answered = true;
            closeWriteSide(s->socketDescriptor());
        }
    };
    connect(s, &QTcpSocket::bytesWritten, c, finish);
    s->flush();
    finish();
    connect(s, &QTcpSocket::readyRead, c, [this, c] { drain(c); });
    connect(&c->timer, &QTimer::timeout, s, &QAbstractSocket::abort);
    c->timer.start(DrainTimeoutMs);
    drain(c);
}

void RequestGuard::drain(GuardedConnection* c)
{
    const qint64 n = c->socket->bytesAvailable();
    c->socket->skip(n);
    c->drained += n;
    if (c->drained > MaxDrainBytes)
        c->socket->abort();
}

void RequestGuard::handOver(GuardedConnection* c, bool upgrade)
{
    const QPointer<QTcpSocket> s = c->socket;
    delete c; // its connections go with it
    // The HTTP server takes the socket at once and reads the requests waiting in it.
    addPendingConnection(s);
    Q_EMIT s->readyRead();
    if (!s)
        return;
    if (upgrade) {
        // The WebSocket layer has the socket now and deletes it with its WebSocket; one that
        // it turned down on the spot is ours to delete.
        if (s->state() == QAbstractSocket::UnconnectedState) {
            s->deleteLater();
            return;
        }
        // Whatever is queued for the client (messages, and the pongs Qt answers its pings
        // with) is bounded: one that sends and never reads is cut off.
        connect(s, &QTcpSocket::readyRead, s, [s = s.data(), max = maxBacklog] {
            if (s->bytesToWrite() > max)
                s->abort();
        });
    } else if (s->state() == QAbstractSocket::ConnectedState) {
        // One request per connection: the answer has been written; close once it is sent.
        s->disconnectFromHost();
    }
}
