// SPDX-License-Identifier: GPL-3.0-or-later
#include "feedwriter.h"
#include "gamefixture.h"
#include "liveoutput.h"
#include "liveserver.h"
#include "requestguard.h"
#include "resident.h"
#include "testmain.h"

#include <QJsonDocument>
#include <QJsonObject>
#include <QSignalSpy>
#include <QTcpSocket>
#include <QWebSocket>

namespace {

constexpr int BoundMs = 10000;
const QByteArray Host = "Host: 127.0.0.1\r\n";
const QByteArray Handshake = "Upgrade: websocket\r\nConnection: Upgrade\r\n"
                             "Sec-WebSocket-Key: dGhlIHNhbXBsZSBub25jZQ==\r\n"
                             "Sec-WebSocket-Version: 13\r\n";

// An HTTP answer as it came back, its head in lower case.
struct HttpReply
{
    QByteArray head;
    QByteArray body;
    int status; // 0: no status line came back
    explicit HttpReply(const QByteArray& raw)
        : head(raw.left(raw.indexOf("\r\n\r\n")).toLower()), body(raw.mid(head.size() + 4)),
          status(head.startsWith("http/1.1 ") ? head.mid(9, 3).toInt() : 0)
    {}
};

// Sends a request head and `bodyBytes` more in 64 KiB pieces as fast as the server takes them;
// reads until the server closes the connection (as it does after every plain answer) or has
// answered and taken the whole body.
HttpReply exchange(quint16 port, const QByteArray& head, qint64 bodyBytes = 0)
{
    QTcpSocket s;
    QByteArray raw;
    qint64 sent = 0;
    const QByteArray piece(64 * 1024, 'a');
    const auto more = [&] {
        while (sent < bodyBytes && s.bytesToWrite() < 2 * piece.size() &&
               s.state() == QAbstractSocket::ConnectedState)
            sent += s.write(piece);
    };
    QObject::connect(&s, &QTcpSocket::readyRead, [&] { raw += s.readAll(); });
    QObject::connect(&s, &QTcpSocket::bytesWritten, more);
    s.connectToHost(QStringLiteral("127.0.0.1"), port);
    s.write(head);
    [[maybe_unused]] const bool ended = QTest::qWaitFor(
        [&] {
            return s.state() == QAbstractSocket::UnconnectedState ||
                   (bodyBytes > 0 && sent >= bodyBytes && s.bytesToWrite() == 0 && !raw.isEmpty());
        },
        3 * BoundMs);
    return HttpReply(raw);
}

HttpReply get(quint16 port, const QByteArray& path)
{
    return exchange(port, "GET " + path + " HTTP/1.1\r\n" + Host + "\r\n");
}

// A board served on a loopback port (0: a free one), with a feed folder beside it.
struct Served
{
    QTemporaryDir tmp;
    GameFixture f;
    LiveOutput* out = nullptr;
    explicit Served(int port = 0)
    {
        LiveOutput::Options o;
        o.feedFolder = tmp.path();
        o.port = port;
        out = LiveOutput::start(&f.g(), o);
    }
    quint16 port() { return out->server->port(); }
    void step()
    {
        f.tick();
        out->sampler.sample();
    }
};

// A WebSocket viewer of the board, keeping what it is sent.
struct Viewer : QWebSocket
{
    QSignalSpy messages{this, &QWebSocket::textMessageReceived};
    explicit Viewer(quint16 port) { open(QUrl(QString("ws://127.0.0.1:%1/live").arg(port))); }
};

} // namespace

// The HTTP and WebSocket server: what it serves, what it refuses, and that no client can
// hurt the board.
class TestLiveServer : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void answers_data()
    {
        QTest::addColumn<QByteArray>("request");
        QTest::addColumn<int>("status");
        const QByteArray get = "GET /state.json HTTP/1.1\r\n" + Host;
        const QByteArray live = "GET /live HTTP/1.1\r\n" + Host;
        const auto row = [](const char* name, const QByteArray& request, int status) {
            QTest::newRow(name) << request << status;
        };
        row("bare LF", "GET /state.json HTTP/1.0\n\n", 200);
        row("dot", "GET /stateXjson HTTP/1.1\r\n" + Host + "\r\n", 404); // routes are patterns
        row("traversal", "GET /../state.json HTTP/1.1\r\n" + Host + "\r\n", 404);
        row("post", "POST /state.json HTTP/1.1\r\n" + Host + "Content-Length: 2\r\n\r\n{}", 405);
        row("garbage", QByteArray("\x16\x03\x01\x02\x00\x01\r\n\r\n", 10), 400);
        row("http/2", "GET /state.json HTTP/2.0\r\n\r\n", 400);
        row("folded header", get + " folded: value\r\n\r\n", 400);
        row("bad length", get + "Content-Length: -1\r\n\r\n", 400);
        row("body on GET", get + "Content-Length: 5\r\n\r\nhello", 413);
        row("chunked", get + "Transfer-Encoding: chunked\r\n\r\n0\r\n\r\n", 413);
        row("huge header", get + "X-Fill: " + QByteArray(20000, 'x') + "\r\n\r\n", 431);
        row("live, no upgrade", live + "\r\n", 426);
        row("upgrade, no key", live + "Upgrade: websocket\r\nSec-WebSocket-Version: 13\r\n\r\n",
            400);
        row("upgrade, unknown version", live + QByteArray(Handshake).replace(" 13", " 99") + "\r\n",
            426);
        row("upgrade elsewhere", get + Handshake + "\r\n", 404);
        // Requests sent one behind the other are all checked, not only the first.
        row("pipelined", get + "\r\n\r\n" + get + "\r\n", 200);
        row("pipelined post", get + "\r\nPOST /state.json HTTP/1.1\r\nContent-Length: 2\r\n\r\n{}",
            405);
        row("pipelined upgrade", get + "\r\n" + live + Handshake + "\r\n", 400);
    }

    void answers()
    {
        QFETCH(QByteArray, request);
        QFETCH(int, status);
        Served s;
        const HttpReply r = exchange(s.port(), request);
        QCOMPARE(r.status, status);
        QVERIFY(r.head.contains("\r\nconnection: close"));
        QVERIFY(status != 405 || r.head.contains("\r\nallow: get"));
        QTRY_COMPARE(s.out->server->openConnections(), 0);
    }

    // Bound to 127.0.0.1 alone, and a second board finds the port in use; the page and /colors.json
    // carry the board's colours as they are now; a viewer gets the state on connecting and every
    // change after it, the same bytes as /state.json and the feed's file, and nothing when nothing
    // changed.
    void servesTheBoard()
    {
        Served s;
        QTcpSocket probe;
        probe.connectToHost(QStringLiteral("127.0.0.2"), s.port());
        QVERIFY(!probe.waitForConnected(BoundMs));
        QCOMPARE(probe.error(), QAbstractSocket::ConnectionRefusedError);
        QTest::ignoreMessage(QtWarningMsg,
                             QRegularExpression("cannot serve the live score on 127.0.0.1 port "
                                                "\\d+: the port is in use, by another Pucklight"));
        Served second(s.port());
        QVERIFY(second.out->feed && !second.out->server); // and runs on without it

        Settings.ScoreColor = 0x00FF00; // green in red + 256 green + 65536 blue
        QVERIFY(get(s.port(), "/overlay.html").body.contains(R"("score": "#00ff00")"));
        QCOMPARE(QJsonDocument::fromJson(get(s.port(), "/colors.json").body)["score"], "#00ff00");

        Viewer v(s.port());
        QTRY_COMPARE(v.messages.size(), 1); // the state as it stands
        QCOMPARE(v.messages[0][0].toByteArray(), s.out->sampler.json());
        s.f.type(Field::Visitor, "+2");
        s.step();
        QTRY_COMPARE(v.messages.size(), 2);
        QCOMPARE(v.messages[1][0].toByteArray(), s.out->sampler.json());
        const HttpReply r = get(s.port(), "/state.json");
        QVERIFY(r.head.contains("\r\ncontent-type: application/json"));
        QCOMPARE(r.body, s.out->sampler.json());
        QFile file(s.tmp.filePath("state.json"));
        QVERIFY(file.open(QIODevice::ReadOnly));
        QCOMPARE(file.readAll(), r.body);
        s.step(); // nothing changed: nothing sent
        s.f.type(Field::Visitor, "+1");
        s.step();
        QTRY_COMPARE(v.messages.size(), 3);
        QCOMPARE(v.messages[2][0].toByteArray(), s.out->sampler.json());
    }

    // Connections that send their request a byte now and then, more than the server reads at
    // once: the newest of them push out the oldest, never a viewer; a full house turns the
    // newcomer away.
    void crowdsNeverPushOutAViewer()
    {
        Served s;
        s.out->server->setMaxViewers(2);
        Viewer first(s.port());
        QTRY_COMPARE(first.messages.size(), 1);
        QTcpSocket slow[130];
        for (QTcpSocket& c : slow) {
            c.connectToHost(QStringLiteral("127.0.0.1"), s.port());
            c.write("GET /state.json HTTP/1.1\r\nX");
        }
        QTRY_COMPARE(std::count_if(std::begin(slow), std::end(slow),
                                   [](const QTcpSocket& c) {
                                       return c.state() == QAbstractSocket::ConnectedState;
                                   }),
                     RequestGuard::MaxPendingPerAddress);
        Viewer second(s.port()); // not locked out by the crowd
        QTRY_COMPARE(second.messages.size(), 1);
        Viewer third(s.port());
        QTRY_COMPARE(third.state(), QAbstractSocket::UnconnectedState);
        QVERIFY(third.messages.isEmpty());
        s.f.type(Field::Home, "+1");
        s.step();
        QTRY_COMPARE(first.messages.size(), 2);
        QTRY_COMPARE(second.messages.size(), 2);
    }

    void pingsWithoutReadingAreCutOff()
    {
        Served s;
        QTcpSocket c;
        c.connectToHost(QStringLiteral("127.0.0.1"), s.port());
        c.write("GET /live HTTP/1.1\r\n" + Host + Handshake + "\r\n");
        QVERIFY(QTest::qWaitFor([&] { return c.peek(1024).contains("\r\n\r\n"); }));
        c.setReadBufferSize(1); // from here on the client reads nothing: the pongs pile up
        QTRY_COMPARE(s.out->server->viewerCount(), 1);
        // Masked pings with 125 bytes each, until the server lets the client go.
        const QByteArray burst =
            ("\x89\xFD" + QByteArray(4, '\x01') + QByteArray(125, 'p')).repeated(512);
        qint64 sent = 0;
        while (c.state() == QAbstractSocket::ConnectedState && sent < 256 * 1024 * 1024) {
            if (c.bytesToWrite() < burst.size())
                sent += c.write(burst);
            QCoreApplication::processEvents();
        }
        QCOMPARE(c.state(), QAbstractSocket::UnconnectedState);
        QTRY_COMPARE(s.out->server->viewerCount(), 0);
    }

    // Clients that vanish, stall or send megabytes leave no connection and no memory behind.
    void churnLeavesNothingBehind()
    {
        Served s;
        s.f.key(Field::Time, 'S'); // the running clock publishes to viewers as they vanish
        QCOMPARE(get(s.port(), "/overlay.html").status, 200); // what Qt allocates once
        const qint64 before = residentKiB();

        // Clients that connect and go, stop half-way through a request, shake hands for a
        // WebSocket and go, or never read their answer.
        const QByteArray goneAt[] = {"", "GET /state.json HTTP/1.1\r\nHost: 12",
                                     "GET /live HTTP/1.1\r\n" + Host + Handshake + "\r\n",
                                     "GET /overlay.html HTTP/1.1\r\n\r\n"};
        for (int i = 0; i < 200; ++i) {
            QTcpSocket c;
            c.connectToHost(QStringLiteral("127.0.0.1"), s.port());
            QVERIFY(c.waitForConnected(BoundMs));
            c.write(goneAt[i % 4]);
            c.flush();
            if (i % 4 == 2)
                QVERIFY(QTest::qWaitFor([&] { return c.bytesAvailable() > 0; }));
            c.abort();
            QCoreApplication::processEvents();
            if (i % 10 == 0)
                s.step();
        }
        const qint64 tenMiB = 10 * 1024 * 1024;
        const HttpReply body = exchange(
            s.port(), "POST /state.json HTTP/1.1\r\nContent-Length: 10485760\r\n\r\n", tenMiB);
        QVERIFY2(body.head.isEmpty() || body.status == 405, body.head.constData());

        QTRY_COMPARE(s.out->server->openConnections(), 0);
        QTRY_COMPARE(s.out->server->viewerCount(), 0);
        const qint64 grown = residentKiB() - before;
        QVERIFY2(Sanitized || grown < 8 * 1024, qPrintable(QString("grew by %1 KiB").arg(grown)));
        QCOMPARE(get(s.port(), "/state.json").body, s.out->sampler.json());
    }
};

PL_TEST_MAIN(TestLiveServer)
#include "tst_liveserver.moc"
