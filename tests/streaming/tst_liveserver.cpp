#include "boardfixture.h"
#include "feedwriter.h"
#include "liveoutput.h"
#include "liveserver.h"
#include "netclient.h"
#include "requestguard.h"
#include "testmain.h"

#include <QJsonDocument>
#include <QJsonObject>
#include <QNetworkInterface>
#include <QTemporaryDir>
#include <QWebSocket>
#include <memory>

namespace {

// AddressSanitizer holds freed memory back for a while, so the resident size says nothing
// about leaks there; its own leak check covers that case.
#if defined(__SANITIZE_ADDRESS__)
constexpr bool Sanitized = true;
#elif defined(__has_feature)
#if __has_feature(address_sanitizer)
constexpr bool Sanitized = true;
#else
constexpr bool Sanitized = false;
#endif
#else
constexpr bool Sanitized = false;
#endif

// A board served on a free loopback port, with a feed folder beside it.
struct Served
{
    QTemporaryDir tmp;
    BoardFixture f;
    LiveOutput* out = nullptr;
    Served()
    {
        LiveOutput::Options o;
        o.feedFolder = tmp.path();
        o.port = 0;
        out = LiveOutput::start(&f.b(), o);
    }
    LiveServer& server() { return *out->server; }
    quint16 port() { return out->server->port(); }
    void step()
    {
        f.tick();
        out->sampler.sample();
    }
    QString clock() { return out->sampler.state().clockText; }
};

// A WebSocket viewer that keeps what it is sent.
struct Viewer
{
    QWebSocket ws;
    QList<QByteArray> messages;
    bool closed = false;
    explicit Viewer(quint16 port, const QString& path = QStringLiteral("/live"))
    {
        QObject::connect(&ws, &QWebSocket::textMessageReceived,
                         [this](const QString& m) { messages << m.toUtf8(); });
        QObject::connect(&ws, &QWebSocket::disconnected, [this] { closed = true; });
        ws.open(QUrl(QStringLiteral("ws://127.0.0.1:%1%2").arg(port).arg(path)));
    }
    bool waitForMessages(int n)
    {
        return QTest::qWaitFor([&] { return messages.size() >= n; });
    }
};

// Streams a request of `total` bytes after its head in 64 KiB pieces, as fast as the server
// takes them, calling `between` now and then; returns what came back.
QByteArray pushHuge(quint16 port, const QByteArray& head, qint64 total,
                    const std::function<void()>& between)
{
    QTcpSocket s;
    s.connectToHost(QStringLiteral("127.0.0.1"), port);
    if (!s.waitForConnected(10000))
        return {};
    const QByteArray piece(64 * 1024, 'a');
    QByteArray raw;
    qint64 sent = 0;
    int pieces = 0;
    auto more = [&] {
        while (sent < total && s.bytesToWrite() < 2 * piece.size() &&
               s.state() == QAbstractSocket::ConnectedState) {
            sent += s.write(piece);
            if (++pieces % 16 == 0)
                between();
        }
    };
    QObject::connect(&s, &QTcpSocket::readyRead, [&] { raw += s.readAll(); });
    QObject::connect(&s, &QTcpSocket::bytesWritten, more);
    s.write(head);
    more();
    [[maybe_unused]] const bool ended = QTest::qWaitFor(
        [&] {
            return s.state() == QAbstractSocket::UnconnectedState ||
                   (sent >= total && s.bytesToWrite() == 0 && !raw.isEmpty());
        },
        30000);
    if (s.isOpen())
        raw += s.readAll();
    return raw;
}

} // namespace

// The HTTP and WebSocket server: what it serves, what it refuses, and that no client can
// hurt the board.
class TestLiveServer : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void stateEqualsTheFeed()
    {
        Served s;
        s.f.type(s.f.b().HomeBack, "4\n");
        s.step();
        const HttpReply r = get(s.port(), "/state.json");
        QCOMPARE(r.status, 200);
        QCOMPARE(r.header("Content-Type"), QByteArray("application/json"));
        QCOMPARE(r.body, s.out->sampler.json());
        QFile file(s.tmp.filePath("state.json"));
        QVERIFY(file.open(QIODevice::ReadOnly));
        QCOMPARE(r.body, file.readAll());
        QCOMPARE(QJsonDocument::fromJson(r.body)["home"]["score"].toString(), "4");
    }

    void answers_data()
    {
        QTest::addColumn<QByteArray>("request");
        QTest::addColumn<int>("status");
        const QByteArray host = "Host: 127.0.0.1\r\n";
        const QByteArray ws = "Upgrade: websocket\r\nConnection: Upgrade\r\n"
                              "Sec-WebSocket-Key: dGhlIHNhbXBsZSBub25jZQ==\r\n"
                              "Sec-WebSocket-Version: 13\r\n";
        QTest::newRow("state") << "GET /state.json HTTP/1.1\r\n" + host + "\r\n" << 200;
        QTest::newRow("query") << "GET /state.json?t=1 HTTP/1.1\r\n" + host + "\r\n" << 200;
        QTest::newRow("bare LF") << QByteArray("GET /state.json HTTP/1.0\n\n") << 200;
        QTest::newRow("colours") << "GET /colors.json HTTP/1.1\r\n" + host + "\r\n" << 200;
        QTest::newRow("unknown") << "GET /admin HTTP/1.1\r\n" + host + "\r\n" << 404;
        QTest::newRow("root") << "GET / HTTP/1.1\r\n" + host + "\r\n" << 404;
        QTest::newRow("dot") << "GET /stateXjson HTTP/1.1\r\n" + host + "\r\n" << 404;
        QTest::newRow("traversal") << "GET /../state.json HTTP/1.1\r\n" + host + "\r\n" << 404;
        QTest::newRow("post") << "POST /state.json HTTP/1.1\r\n" + host +
                                     "Content-Length: 2\r\n\r\n{}"
                              << 405;
        QTest::newRow("put") << "PUT /state.json HTTP/1.1\r\n" + host + "\r\n" << 405;
        QTest::newRow("delete") << "DELETE /state.json HTTP/1.1\r\n" + host + "\r\n" << 405;
        QTest::newRow("head") << "HEAD /state.json HTTP/1.1\r\n" + host + "\r\n" << 405;
        QTest::newRow("garbage") << QByteArray("\x16\x03\x01\x02\x00\x01\r\n\r\n", 10) << 400;
        QTest::newRow("no version") << QByteArray("GET /state.json\r\n\r\n") << 400;
        QTest::newRow("http/2") << QByteArray("GET /state.json HTTP/2.0\r\n\r\n") << 400;
        QTest::newRow("bad header")
            << "GET /state.json HTTP/1.1\r\n" + host + "no colon here\r\n\r\n"
            << 400;
        QTest::newRow("folded header")
            << "GET /state.json HTTP/1.1\r\n" + host + " folded: value\r\n\r\n"
            << 400;
        QTest::newRow("bad length")
            << QByteArray("GET /state.json HTTP/1.1\r\nContent-Length: -1\r\n\r\n") << 400;
        QTest::newRow("body on GET")
            << QByteArray("GET /state.json HTTP/1.1\r\nContent-Length: 5\r\n\r\nhello") << 413;
        QTest::newRow("chunked") << QByteArray("GET /state.json HTTP/1.1\r\n"
                                               "Transfer-Encoding: chunked\r\n\r\n0\r\n\r\n")
                                 << 413;
        QTest::newRow("huge header")
            << "GET /state.json HTTP/1.1\r\nX-Fill: " + QByteArray(20000, 'x') + "\r\n\r\n"
            << 431;
        QTest::newRow("live, no upgrade") << "GET /live HTTP/1.1\r\n" + host + "\r\n" << 426;
        QTest::newRow("upgrade, no key")
            << "GET /live HTTP/1.1\r\n" + host +
                   "Upgrade: websocket\r\nConnection: Upgrade\r\nSec-WebSocket-Version: 13\r\n\r\n"
            << 400;
        QTest::newRow("upgrade, unknown version")
            << "GET /live HTTP/1.1\r\n" + host +
                   "Upgrade: websocket\r\nConnection: Upgrade\r\n"
                   "Sec-WebSocket-Key: dGhlIHNhbXBsZSBub25jZQ==\r\nSec-WebSocket-Version: "
                   "99\r\n\r\n"
            << 426;
        QTest::newRow("upgrade elsewhere") << "GET /state.json HTTP/1.1\r\n" + host + ws + "\r\n"
                                           << 404;
    }

    void answers()
    {
        QFETCH(QByteArray, request);
        QFETCH(int, status);
        Served s;
        const HttpReply r = exchange(s.port(), request);
        QCOMPARE(r.status, status);
        if (status == 405)
            QCOMPARE(r.header("Allow"), QByteArray("GET"));
        if (status == 426)
            QVERIFY(r.body.contains("Upgrade Required"));
        QCOMPARE(r.header("Connection"), QByteArray("close"));
        QTRY_COMPARE(s.server().openConnections(), 0);
    }

    void overlayCarriesTheColours()
    {
        Served s;
        Settings.ScoreColor = 0x00FF00; // green in red + 256 green + 65536 blue
        const HttpReply page = get(s.port(), "/overlay.html");
        QCOMPARE(page.status, 200);
        QCOMPARE(page.header("Content-Type"), QByteArray("text/html; charset=utf-8"));
        QVERIFY(page.body.contains("new WebSocket"));
        QVERIFY(page.body.contains(R"("score": "#00ff00")"));
        QVERIFY(!page.body.contains("/*COLOURS*/"));
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

        s.f.b().VisitorBack->setFocus();
        s.f.type(s.f.b().VisitorBack, "+2");
        s.step(); // one tick
        QVERIFY(v.waitForMessages(2));
        QCOMPARE(QJsonDocument::fromJson(v.messages[1])["visitor"]["score"].toString(), "2");

        s.step(); // nothing changed: nothing sent
        s.f.type(s.f.b().VisitorBack, "+1");
        s.step();
        QVERIFY(v.waitForMessages(3));
        QCOMPARE(v.messages.size(), 3);
        QCOMPARE(QJsonDocument::fromJson(v.messages[2])["visitor"]["score"].toString(), "3");

        v.ws.close();
        QTRY_COMPARE(s.server().viewerCount(), 0);
        QTRY_COMPARE(s.server().openConnections(), 0);
    }

    void webSocketOnlyAtLive()
    {
        Served s;
        Viewer v(s.port(), QStringLiteral("/state.json"));
        QTRY_VERIFY(v.closed);
        QVERIFY(v.messages.isEmpty());
        QCOMPARE(s.server().viewerCount(), 0);
    }

    void tooManyViewersLetsTheOldestGo()
    {
        Served s;
        s.server().setMaxViewers(3);
        std::vector<std::unique_ptr<Viewer>> viewers;
        for (int i = 0; i < 4; ++i) {
            viewers.push_back(std::make_unique<Viewer>(s.port()));
            QVERIFY(viewers.back()->waitForMessages(1));
        }
        QTRY_VERIFY(viewers[0]->closed);
        QCOMPARE(viewers[0]->ws.closeCode(), QWebSocketProtocol::CloseCodeGoingAway);
        QCOMPARE(s.server().viewerCount(), 3);
        s.f.type(s.f.b().HomeBack, "+1");
        s.step();
        for (int i = 1; i < 4; ++i)
            QVERIFY(viewers[i]->waitForMessages(2));
    }

    void loopbackOnlyByDefault()
    {
        QHostAddress outside;
        for (const QHostAddress& a : QNetworkInterface::allAddresses())
            if (!a.isLoopback() && a.protocol() == QAbstractSocket::IPv4Protocol &&
                !a.isLinkLocal())
                outside = a;
        if (outside.isNull())
            QSKIP("this machine has no address besides loopback");
        Served s;
        QTcpSocket probe;
        probe.connectToHost(outside, s.port());
        QVERIFY(!probe.waitForConnected(10000));
        QCOMPARE(probe.error(), QAbstractSocket::ConnectionRefusedError);
        // The same port answers on loopback.
        QCOMPARE(get(s.port(), "/state.json").status, 200);
    }

    void portInUseLeavesTheBoardRunning()
    {
        QTcpServer taken;
        QVERIFY(taken.listen(QHostAddress::LocalHost));
        QTemporaryDir tmp;
        BoardFixture f;
        LiveOutput::Options o;
        o.port = taken.serverPort();
        o.feedFolder = tmp.path();
        QTest::ignoreMessage(QtWarningMsg,
                             QRegularExpression("cannot serve the live score on 127.0.0.1 port"));
        LiveOutput* out = LiveOutput::start(&f.b(), o);
        QVERIFY(out);
        QVERIFY(!out->server);
        f.type(f.b().HomeBack, "6\n");
        out->sampler.sample();
        QFile score(tmp.filePath("home_score.txt"));
        QVERIFY(score.open(QIODevice::ReadOnly));
        QCOMPARE(score.readAll(), QByteArray("6"));
    }

    void churnDoesNotHurtTheBoard()
    {
        Served s;
        frmScoreBoard& b = s.f.b();
        QTest::keyClick(b.TimeBack, Qt::Key_S);
        s.step();
        // Warm up whatever Qt allocates once, so that what follows measures growth only.
        QCOMPARE(get(s.port(), "/overlay.html").status, 200);
        const qint64 before = residentKiB();

        int ticks = 1;
        auto tick = [&] {
            s.step();
            ++ticks;
        };
        for (int i = 0; i < 200; ++i) {
            QTcpSocket c;
            c.connectToHost(QStringLiteral("127.0.0.1"), s.port());
            QVERIFY(c.waitForConnected(10000));
            switch (i % 4) {
            case 0: // connect and vanish
                break;
            case 1: // half a request
                c.write("GET /state.json HTTP/1.1\r\nHost: 12");
                c.flush();
                break;
            case 2: // a WebSocket handshake, then gone
                c.write("GET /live HTTP/1.1\r\nHost: x\r\nUpgrade: websocket\r\n"
                        "Connection: Upgrade\r\nSec-WebSocket-Key: dGhlIHNhbXBsZSBub25jZQ==\r\n"
                        "Sec-WebSocket-Version: 13\r\n\r\n");
                QVERIFY(QTest::qWaitFor([&] { return c.bytesAvailable() > 0; }));
                break;
            default: // a whole request, answer unread
                c.write("GET /overlay.html HTTP/1.1\r\n\r\n");
                c.flush();
                break;
            }
            c.abort();
            QCoreApplication::processEvents();
            if (i % 10 == 0)
                tick();
        }

        // Ten megabytes of body, and ten of header.
        const qint64 tenMiB = 10 * 1024 * 1024;
        const QByteArray body =
            pushHuge(s.port(), "POST /state.json HTTP/1.1\r\nContent-Length: 10485760\r\n\r\n",
                     tenMiB, tick);
        QVERIFY2(body.isEmpty() || parseReply(body).status == 405, body.constData());
        const QByteArray header =
            pushHuge(s.port(), "GET /state.json HTTP/1.1\r\nX-Fill: ", tenMiB, tick);
        QVERIFY2(header.isEmpty() || parseReply(header).status == 431, header.constData());

        QTRY_COMPARE(s.server().openConnections(), 0);
        QTRY_COMPARE(s.server().viewerCount(), 0);
        const qint64 grown = residentKiB() - before;
        QVERIFY2(Sanitized || grown < 8 * 1024, qPrintable(QString("grew by %1 KiB").arg(grown)));

        // The tick ran all along: the clock stands exactly where the ticks took it.
        const int secondsLeft = (6000 - ticks + 9) / 10; // tenths left, rounded up
        QCOMPARE(s.clock(), QStringLiteral("%1:%2")
                                .arg(secondsLeft / 60)
                                .arg(secondsLeft % 60, 2, 10, QLatin1Char('0')));
        QCOMPARE(get(s.port(), "/state.json").body, s.out->sampler.json());
    }
};

PL_TEST_MAIN(TestLiveServer)
#include "tst_liveserver.moc"
