// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QByteArray>
#include <QHostAddress>
#include <QObject>
#include <deque>
#include <memory>

class QHttpServer;
class QWebSocket;
class RequestGuard;

// Serves the board's state read-only over HTTP and a WebSocket:
//   GET /state.json     the state, as the feed writes it
//   GET /events.json    the game record, as the feed writes it
//   GET /colors.json    the board's colours, for pages that draw the score
//   GET /overlay.html   a score bug for a streaming tool's browser source
//   /live               a WebSocket that gets the state on connecting and on every change
// Nothing changes the board. Other methods get 405, other paths 404, oversized or malformed
// requests their error status (see RequestGuard).
class LiveServer : public QObject
{
    Q_OBJECT
    Q_DISABLE_COPY(LiveServer)
public:
    // WebSocket viewers at one time; --max-viewers sets it within 1 to MostViewers.
    static constexpr int DefaultMaxViewers = 64;
    static constexpr int MostViewers = 1024;
    // Viewers from other computers: at most this many from one address (one /64 network for
    // IPv6), and never the last quarter of the places, which are kept for this computer's own
    // (the streaming tool).
    static constexpr int MaxRemoteViewersPerClient = 8;
    // A viewer that lets this much pile up unsent (messages and pongs) is not reading; it is
    // dropped.
    static constexpr qint64 MaxViewerBacklog = 256 * 1024;
    // Viewers have nothing to say; anything bigger than this from one closes it.
    static constexpr quint64 MaxViewerMessage = 1024;

    explicit LiveServer(QObject* parent = nullptr);
    ~LiveServer() override;

    // Starts listening; port 0 takes any free port. On failure returns false and says why.
    bool listen(const QHostAddress& address, quint16 port, QString* error = nullptr);
    quint16 port() const;

    // The state to serve; viewers get it when it differs from the last one sent.
    void publish(const QByteArray& json);
    const QByteArray& state() const { return current; }
    // The game record to serve.
    void publishEvents(const QByteArray& json) { events = json; }

    // A newcomer beyond this many viewers is turned away (503 Service Unavailable, its body
    // naming the limit); those already watching are never let go for it. The process may
    // open as many files as that takes, as far as the system lets it.
    void setMaxViewers(int n);
    int viewerCount() const { return static_cast<int>(viewers.size()); }
    // Connections open at the moment: being read, refused, answered or carrying a viewer.
    int openConnections() const;

private:
    void acceptViewers();
    // Why a viewer from the address would be turned away now; empty when there is room.
    QByteArray refusalFor(const QHostAddress& address) const;
    void dropViewer(QWebSocket* ws);
    void send(QWebSocket* ws);
    QByteArray overlayPage() const;

    std::unique_ptr<QHttpServer> http;
    RequestGuard* guard = nullptr;
    QByteArray current;
    QByteArray events;
    std::deque<QWebSocket*> viewers;
    int maxViewers = DefaultMaxViewers;
};

// The board's colours as a JSON object of CSS colours ("#rrggbb"), in the order of the
// settings: time, LED background, score, period, board background, selection marker,
// border, home name, visitor name.
QByteArray colorsJson();
