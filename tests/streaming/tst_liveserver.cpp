#include "feedwriter.h"
#include "gamefixture.h"
#include "liveoutput.h"
#include "liveserver.h"
#include "requestguard.h"
#include "resident.h"
#include "testmain.h"

#include <QJsonDocument>
#include <QJsonObject>
#include <QTcpServer>
#include <QTcpSocket>
#include <QWebSocket>
#include <memory>

namespace {

constexpr int BoundMs = 10000;
const QByteArray Handshake = "Upgrade: websocket\r\nConnection: Upgrade\r\n"
                             "Sec-WebSocket-Key: dGhlIHNhbXBsZSBub25jZQ==\r\n"
                             "Sec-WebSocket-Version: 13\r\n";

// An HTTP answer as it came back.
struct HttpReply
{
    int status = 0; // 0: no status line came back
    QByteArray head;
    QByteArray body;
    explicit HttpReply(const QByteArray& raw)
    {
        const qsizetype end = raw.indexOf("\r\n\r\n");
        head = end < 0 ? raw : raw.first(end);
        body = end < 0 ? QByteArray() : raw.mid(end + 4);
        if (head.startsWith("HTTP/1.1 "))
            status = head.mid(9, 3).toInt();
    }
    QByteArray header(const QByteArray& name) const
    {
        for (const QByteArray& line : head.split('\n')) {
            const qsizetype colon = line.indexOf(':');
            if (colon > 0 && line.first(colon).trimmed().compare(name, Qt::CaseInsensitive) == 0)
                return line.mid(colon + 1).trimmed();
        }
        return QByteArray();
    }
};

// Sends the head of a request and `bodyBytes` more in 64 KiB pieces, as fast as the server
// takes them; reads until the server closes the connection (it closes every plain request
// after its answer) or stops reading.
HttpReply exchange(quint16 port, const QByteArray& head, qint64 bodyBytes = 0)
{
    QTcpSocket s;
    s.connectToHost(QStringLiteral("127.0.0.1"), port);
    if (!s.waitForConnected(BoundMs))
        return HttpReply({});
    const QByteArray piece(64 * 1024, 'a');
    QByteArray raw;
    qint64 sent = 0;
    const auto more = [&] {
        while (sent < bodyBytes && s.bytesToWrite() < 2 * piece.size() &&
               s.state() == QAbstractSocket::ConnectedState)
            sent += s.write(piece);
    };
    QObject::connect(&s, &QTcpSocket::readyRead, [&] { raw += s.readAll(); });
    QObject::connect(&s, &QTcpSocket::bytesWritten, more);
    s.write(head);
    more();
    [[maybe_unused]] const bool ended = QTest::qWaitFor(
        [&] {
            return s.state() == QAbstractSocket::UnconnectedState ||
                   (bodyBytes > 0 && sent >= bodyBytes && s.bytesToWrite() == 0 && !raw.isEmpty());
        },
        3 * BoundMs);
    if (s.isOpen())
        raw += s.readAll();
    return HttpReply(raw);
}

HttpReply get(quint16 port, const QByteArray& path)
{
    return exchange(port, "GET " + path + " HTTP/1.1\r\nHost: 127.0.0.1\r\n\r\n");
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
    LiveServer& server() { return *out->server; }
    quint16 port() { return out->server->port(); }
    void step()
    {
        f.tick();
        out->sampler.sample();
    }
};

// A WebSocket viewer that keeps what it is sent.
struct Viewer
{
    QWebSocket ws;
    QList<QByteArray> messages;
    bool closed = false;
    explicit Viewer(quint16 port)
    {
        QObject::connect(&ws, &QWebSocket::textMessageReceived,
                         [this](const QString& m) { messages << m.toUtf8(); });
        QObject::connect(&ws, &QWebSocket::disconnected, [this] { closed = true; });
        ws.open(QUrl(QStringLiteral("ws://127.0.0.1:%1/live").arg(port)));
    }
    bool waitForMessages(int n)
    {
        return QTest::qWaitFor([&] { return messages.size() >= n; });
    }
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
        const QByteArray host = "Host: 127.0.0.1\r\n";
        const auto row = [&](const char* name, const QByteArray& request, int status) {
            QTest::newRow(name) << request << status;
        };
        row("state", "GET /state.json?t=1 HTTP/1.1\r\n" + host + "\r\n", 200);
        row("bare LF", "GET /state.json HTTP/1.0\n\n", 200);
        row("unknown", "GET /admin HTTP/1.1\r\n" + host + "\r\n", 404);
        row("dot", "GET /stateXjson HTTP/1.1\r\n" + host + "\r\n", 404); // routes are patterns
        row("traversal", "GET /../state.json HTTP/1.1\r\n" + host + "\r\n", 404);
        row("post", "POST /state.json HTTP/1.1\r\n" + host + "Content-Length: 2\r\n\r\n{}", 405);
        row("head", "HEAD /state.json HTTP/1.1\r\n" + host + "\r\n", 405);
        row("garbage", QByteArray("\x16\x03\x01\x02\x00\x01\r\n\r\n", 10), 400);
        row("no version", "GET /state.json\r\n\r\n", 400);
        row("http/2", "GET /state.json HTTP/2.0\r\n\r\n", 400);
        row("bad header", "GET /state.json HTTP/1.1\r\n" + host + "no colon here\r\n\r\n", 400);
        row("folded header", "GET /state.json HTTP/1.1\r\n" + host + " folded: value\r\n\r\n", 400);
        row("bad length", "GET /state.json HTTP/1.1\r\nContent-Length: -1\r\n\r\n", 400);
        row("body on GET", "GET /state.json HTTP/1.1\r\nContent-Length: 5\r\n\r\nhello", 413);
        row("chunked", "GET /state.json HTTP/1.1\r\nTransfer-Encoding: chunked\r\n\r\n0\r\n\r\n",
            413);
        row("huge header",
            "GET /state.json HTTP/1.1\r\nX-Fill: " + QByteArray(20000, 'x') + "\r\n\r\n", 431);
        row("live, no upgrade", "GET /live HTTP/1.1\r\n" + host + "\r\n", 426);
        row("upgrade, no key",
            "GET /live HTTP/1.1\r\n" + host +
                "Upgrade: websocket\r\nConnection: Upgrade\r\nSec-WebSocket-Version: 13\r\n\r\n",
            400);
        row("upgrade, unknown version",
            "GET /live HTTP/1.1\r\n" + host + QByteArray(Handshake).replace(" 13", " 99") + "\r\n",
            426);
        row("upgrade elsewhere", "GET /state.json HTTP/1.1\r\n" + host + Handshake + "\r\n", 404);
        // Requests sent one behind the other are all checked, not only the first.
        const QByteArray first = "GET /state.json HTTP/1.1\r\n" + host + "\r\n";
        row("pipelined", first + "\r\n" + first, 200);
        row("pipelined post", first + "POST /state.json HTTP/1.1\r\nContent-Length: 2\r\n\r\n{}",
            405);
        row("pipelined upgrade", first + "GET /live HTTP/1.1\r\n" + host + Handshake + "\r\n", 400);
    }

    void answers()
    {
        QFETCH(QByteArray, request);
        QFETCH(int, status);
        Served s;
        const HttpReply r = exchange(s.port(), request);
        QCOMPARE(r.status, status);
        if (status == 405)
            QCOMPARE(r.header("Allow"), "GET");
        if (status == 426)
            QVERIFY(r.body.contains("Upgrade Required"));
        QCOMPARE(r.header("Connection"), "close");
        QTRY_COMPARE(s.server().openConnections(), 0);
    }

    void overlayCarriesTheColours()
    {
        Served s;
        Settings.ScoreColor = 0x00FF00; // green in red + 256 green + 65536 blue
        const HttpReply page = get(s.port(), "/overlay.html");
        QCOMPARE(page.status, 200);
        QCOMPARE(page.header("Content-Type"), "text/html; charset=utf-8");
        QVERIFY(page.body.contains(R"("score": "#00ff00")")); // what tst_overlay's page draws in
        const QJsonDocument colours = QJsonDocument::fromJson(get(s.port(), "/colors.json").body);
        QCOMPARE(colours["score"].toString(), "#00ff00");
        QCOMPARE(colours["formBack"].toString(), "#404040");
    }

    void webSocketPushesEveryChange()
    {
        Served s;
        Viewer v(s.port());
        QVERIFY(v.waitForMessages(1)); // the state as it stands, on connecting
        QCOMPARE(v.messages[0], s.out->sampler.json());
        QCOMPARE(s.server().viewerCount(), 1);

        s.f.g().select(Field::Visitor);
        s.f.type(Field::Visitor, "+2");
        s.step(); // one tick
        QVERIFY(v.waitForMessages(2));
        QCOMPARE(QJsonDocument::fromJson(v.messages[1])["visitor"]["score"].toString(), "2");
        // The same bytes as /state.json and the feed's file.
        const HttpReply r = get(s.port(), "/state.json");
        QCOMPARE(r.status, 200);
        QCOMPARE(r.header("Content-Type"), "application/json");
        QCOMPARE(r.body, v.messages[1]);
        QFile file(s.tmp.filePath("state.json"));
        QVERIFY(file.open(QIODevice::ReadOnly));
        QCOMPARE(file.readAll(), r.body);

        s.step(); // nothing changed: nothing sent
        s.f.type(Field::Visitor, "+1");
        s.step();
        QVERIFY(v.waitForMessages(3));
        QCOMPARE(v.messages.size(), 3);
        QCOMPARE(QJsonDocument::fromJson(v.messages[2])["visitor"]["score"].toString(), "3");

        v.ws.close();
        QTRY_COMPARE(s.server().viewerCount(), 0);
        QTRY_COMPARE(s.server().openConnections(), 0);
    }

    void crowdsNeverPushOutAViewer()
    {
        Served s;
        s.server().setMaxViewers(3);
        Viewer first(s.port());
        QVERIFY(first.waitForMessages(1));
        // Connections that send their request a byte now and then, more than the server reads
        // at once: the newest of them push out the oldest, never anyone else.
        std::vector<std::unique_ptr<QTcpSocket>> slow;
        for (int i = 0; i < 130; ++i) {
            slow.push_back(std::make_unique<QTcpSocket>());
            slow.back()->connectToHost(QStringLiteral("127.0.0.1"), s.port());
            slow.back()->write("GET /state.json HTTP/1.1\r\nX");
        }
        const auto stillOpen = [&] {
            return std::count_if(slow.begin(), slow.end(), [](const auto& c) {
                return c->state() == QAbstractSocket::ConnectedState;
            });
        };
        QTRY_COMPARE(stillOpen(), RequestGuard::MaxPendingPerAddress);
        Viewer second(s.port());
        Viewer third(s.port());
        QVERIFY(second.waitForMessages(1));
        QVERIFY(third.waitForMessages(1));
        // A full house turns the newcomer away.
        Viewer fourth(s.port());
        QTRY_VERIFY(fourth.closed);
        QVERIFY(fourth.messages.isEmpty());
        s.f.type(Field::Home, "+1");
        s.step();
        for (Viewer* v : {&first, &second, &third})
            QVERIFY(v->waitForMessages(2));
        QVERIFY(!first.closed);
        QCOMPARE(s.server().viewerCount(), 3);
    }

    void pingsWithoutReadingAreCutOff()
    {
        Served s;
        QTcpSocket c;
        c.connectToHost(QStringLiteral("127.0.0.1"), s.port());
        c.write("GET /live HTTP/1.1\r\nHost: x\r\n" + Handshake + "\r\n");
        QVERIFY(QTest::qWaitFor([&] { return c.peek(1024).contains("\r\n\r\n"); }));
        c.setReadBufferSize(1); // from here on the client reads nothing: the pongs pile up
        QTRY_COMPARE(s.server().viewerCount(), 1);
        // Masked pings with 125 bytes each, until the server lets the client go.
        const QByteArray ping = "\x89\xFD" + QByteArray(4, '\x01') + QByteArray(125, 'p');
        const QByteArray burst = ping.repeated(512);
        qint64 sent = 0;
        while (c.state() == QAbstractSocket::ConnectedState && sent < 256 * 1024 * 1024) {
            if (c.bytesToWrite() < burst.size())
                sent += c.write(burst);
            QCoreApplication::processEvents();
        }
        QCOMPARE(c.state(), QAbstractSocket::UnconnectedState);
        QTRY_COMPARE(s.server().viewerCount(), 0);
    }

    void loopbackOnlyByDefault()
    {
        Served s;
        QTcpSocket probe;
        probe.connectToHost(QStringLiteral("127.0.0.2"), s.port());
        QVERIFY(!probe.waitForConnected(BoundMs));
        QCOMPARE(probe.error(), QAbstractSocket::ConnectionRefusedError);
        QCOMPARE(get(s.port(), "/state.json").status, 200); // the same port on 127.0.0.1
    }

    void portInUseLeavesTheBoardRunning()
    {
        QTcpServer taken;
        QVERIFY(taken.listen(QHostAddress::LocalHost));
        QTest::ignoreMessage(
            QtWarningMsg,
            QRegularExpression("cannot serve the live score on 127.0.0.1 port \\d+: the "
                               "port is in use, by another Pucklight board"));
        Served s(taken.serverPort());
        QVERIFY(s.out && !s.out->server);
        s.f.type(Field::Home, "6\n");
        s.out->sampler.sample();
        QFile score(s.tmp.filePath("home_score.txt"));
        QVERIFY(score.open(QIODevice::ReadOnly));
        QCOMPARE(score.readAll(), "6");
    }

    // Clients that vanish, stall or send megabytes leave no connection and no memory behind.
    void churnLeavesNothingBehind()
    {
        Served s;
        s.f.key(Field::Time, 'S'); // the running clock publishes to viewers as they vanish
        // Warm up whatever Qt allocates once, so that what follows measures growth only.
        QCOMPARE(get(s.port(), "/overlay.html").status, 200);
        const qint64 before = residentKiB();

        // Clients that connect and vanish, stop half-way through a request, shake hands for a
        // WebSocket and go, or never read their answer.
        const QByteArray goneAt[] = {"", "GET /state.json HTTP/1.1\r\nHost: 12",
                                     "GET /live HTTP/1.1\r\nHost: x\r\n" + Handshake + "\r\n",
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

        // Ten megabytes of body, and ten of header.
        const qint64 tenMiB = 10 * 1024 * 1024;
        const HttpReply body = exchange(
            s.port(), "POST /state.json HTTP/1.1\r\nContent-Length: 10485760\r\n\r\n", tenMiB);
        QVERIFY2(body.head.isEmpty() || body.status == 405, body.head.constData());
        const HttpReply header = exchange(s.port(), "GET /state.json HTTP/1.1\r\nX-Fill: ", tenMiB);
        QVERIFY2(header.head.isEmpty() || header.status == 431, header.head.constData());

        QTRY_COMPARE(s.server().openConnections(), 0);
        QTRY_COMPARE(s.server().viewerCount(), 0);
        const qint64 grown = residentKiB() - before;
        QVERIFY2(Sanitized || grown < 8 * 1024, qPrintable(QString("grew by %1 KiB").arg(grown)));
        QCOMPARE(get(s.port(), "/state.json").body, s.out->sampler.json());
    }
};

PL_TEST_MAIN(TestLiveServer)
#include "tst_liveserver.moc"
