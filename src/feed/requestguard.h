// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QByteArray>
#include <QHostAddress>
#include <QTcpServer>
#include <functional>
#include <vector>

class GuardedConnection;
class QTcpSocket;

// The listening socket in front of the HTTP server. Every connection's request head is read
// and checked here, within a fixed size and time, before the HTTP server sees any of it: a
// request that is too big, malformed, carries a body, uses another method than GET or asks
// for an upgrade anywhere but the WebSocket path gets its error answer and the connection is
// closed. So no client can make the program hold more than MaxHeadBytes of its request, and
// one that connects and vanishes costs nothing once its socket is gone.
//
// A plain request that passes is handed to the HTTP server, answered and closed: one request
// per connection. Requests sent behind it without waiting (pipelined) are checked as well
// before any of them is handed over. A WebSocket upgrade is handed over and kept if the
// admission says there is room; one that lets more than the given backlog pile up unsent
// (pongs included) is cut off.
//
// Slow clients cannot crowd out the others: one client has at most MaxPendingPerClient heads
// being read, and its newest pushes out its oldest. A client is one address, except that all
// of this computer's addresses (127.0.0.0/8, ::1) are one client, and so is every IPv6 /64
// network. When all MaxConnections are being read, a newcomer pushes out the oldest, a remote
// one before one from this computer; a remote newcomer never pushes out a local one and is
// refused instead.
//
// A crowd that connects as fast as it can costs little and never holds up the thread: at most
// MaxAcceptsPerPass connections are taken on per pass of the event loop (the others wait in the
// system's queue), a refused newcomer is answered and closed before any object is made for it,
// and one pushed out is answered and deleted at once.
class RequestGuard : public QTcpServer
{
    Q_OBJECT
    Q_DISABLE_COPY(RequestGuard)
public:
    static constexpr qint64 MaxHeadBytes = 16 * 1024;
    static constexpr int MaxConnections = 128; // heads being read at one time
    static constexpr int MaxPendingPerClient = 32;
    static constexpr int HeadTimeoutMs = 10'000;
    // After a refusal the rest of the request is read and dropped for a while, so that the
    // client sees the answer rather than a reset; at most this many at a time.
    static constexpr qint64 MaxDrainBytes = 1024 * 1024;
    static constexpr int DrainTimeoutMs = 2'000;
    static constexpr int MaxDraining = 128;
    static constexpr int MaxAcceptsPerPass = 128; // a few milliseconds' work at most
    // Connections the system may hold for us, handshaking or waiting to be taken on; it
    // lowers this to its own limit (net.core.somaxconn).
    static constexpr int ListenBacklog = 4096;
    static constexpr int AcceptRetryMs = 250;

    RequestGuard(QByteArray webSocketPath, qint64 maxUpgradedBacklog, QObject* parent = nullptr);

    // Listens as QTcpServer::listen() does. Where the system can (Linux), a connection is
    // handed over only once its client has sent something: connections that stay silent wait
    // in the system, cost this program nothing, and crowd nobody out.
    bool start(const QHostAddress& address, quint16 port);

    // Why a request head is refused: 0 when it may pass; else the HTTP status.
    struct Verdict
    {
        int status = 0;
        bool upgrade = false;
    };
    // Checks a complete request head (request line, header lines, blank line).
    Verdict check(QByteArrayView head) const;

    // Asked before a WebSocket upgrade from the address is handed over: empty to let it in,
    // else why it is refused, for the body of the 503 answer.
    using Admission = std::function<QByteArray(const QHostAddress&)>;
    void setUpgradeAdmission(Admission admit) { admitUpgrade = std::move(admit); }

    // Heads being read at the moment.
    int pending() const { return static_cast<int>(reading.size()); }

protected:
    void incomingConnection(qintptr descriptor) override;

private:
    friend class GuardedConnection;
    bool makeRoom(const QHostAddress& client, bool local);
    void nextPass();
    void inspect(GuardedConnection* c);
    void refuse(GuardedConnection* c, int status, const QByteArray& why = {});
    void drain(GuardedConnection* c);
    void handOver(GuardedConnection* c, bool upgrade);
    void forget(GuardedConnection* c);

    QByteArray wsPath;
    qint64 maxBacklog;
    Admission admitUpgrade;
    std::vector<GuardedConnection*> reading; // oldest first
    int draining = 0;
    int acceptedThisPass = 0;
    int pendingLimit; // QTcpServer's own, back after each pass
};

// The address a client connects from, an IPv4 address that came mapped into IPv6 as plain
// IPv4; and whether it is this computer.
QHostAddress clientAddress(const QHostAddress& peer);
bool isLocalClient(const QHostAddress& peer);
// The client that the per-client limits count a connection to: 127.0.0.1 for every address of
// this computer, the /64 network for IPv6, else the IPv4 address.
QHostAddress clientOf(const QHostAddress& peer);
