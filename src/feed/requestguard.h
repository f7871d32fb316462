#pragma once

#include <QByteArray>
#include <QTcpServer>

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
// per connection. A WebSocket upgrade is handed over and kept.
class RequestGuard : public QTcpServer
{
    Q_OBJECT
    Q_DISABLE_COPY(RequestGuard)
public:
    static constexpr qint64 MaxHeadBytes = 16 * 1024;
    static constexpr int MaxConnections = 128; // being read or refused at one time
    static constexpr int HeadTimeoutMs = 10'000;
    // After a refusal the rest of the request is read and dropped for a while, so that the
    // client sees the answer rather than a reset.
    static constexpr qint64 MaxDrainBytes = 1024 * 1024;
    static constexpr int DrainTimeoutMs = 2'000;

    explicit RequestGuard(QByteArray webSocketPath, QObject* parent = nullptr);

    // Why a request head is refused: 0 when it may pass; else the HTTP status.
    struct Verdict
    {
        int status = 0;
        bool upgrade = false;
    };
    // Checks a complete request head (request line, header lines, blank line).
    Verdict check(QByteArrayView head) const;

protected:
    void incomingConnection(qintptr descriptor) override;

private:
    void inspect(GuardedConnection* c);
    void refuse(GuardedConnection* c, int status);
    void drain(GuardedConnection* c);
    void handOver(GuardedConnection* c, bool upgrade);

    QByteArray wsPath;
    int open = 0;
};
