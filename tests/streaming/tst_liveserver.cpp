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
#include <QProcess>
#include <QSignalSpy>
#include <QTcpSocket>
#include <QWebSocket>
#include <sys/resource.h>

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

// A game on the real clock, ticked ten times a second as the board ticks it, its clock under a
// minute (so that every tick changes what it shows) and running; served on a free loopback
// port, with a feed folder.
struct RunningBoard
{
    QTemporaryDir tmp;
    SettingVariables settings;
    Game game{settings};
    QTimer tick;
    LiveOutput* out = nullptr;
    RunningBoard()
    {
        const int16_t nine = vk::Key0 + 9;
        for (const int16_t key : {vk::Key0, vk::Period, int16_t(nine - 4), nine, vk::Enter})
            game.keyDown(key, {}, Field::Time);
        game.keyDown(settings.StartStopClockKey, {}, Field::Time);
        QObject::connect(&tick, &QTimer::timeout, &game, [this] {
            if (game.state().tickEnabled())
                game.tick();
        });
        tick.start(100);
        LiveOutput::Options o;
        o.feedFolder = tmp.path();
        o.port = 0;
        out = LiveOutput::start(&game, o);
    }
    quint16 port() { return out->server->port(); }
};

// The soft limit of open files lowered to `n` for a while.
struct FileLimit
{
    rlimit before{};
    explicit FileLimit(qsizetype n)
    {
        getrlimit(RLIMIT_NOFILE, &before);
        rlimit low = before;
        low.rlim_cur = std::min(rlim_t(n), before.rlim_cur);
        setrlimit(RLIMIT_NOFILE, &low);
    }
    ~FileLimit() { setrlimit(RLIMIT_NOFILE, &before); }
    Q_DISABLE_COPY(FileLimit)
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
        QFile events(s.tmp.filePath("events.json"));
        QVERIFY(events.open(QIODevice::ReadOnly));
        QCOMPARE(get(s.port(), "/events.json").body, events.readAll());
        s.step(); // nothing changed: nothing sent
        s.f.type(Field::Visitor, "+1");
        s.step();
        QTRY_COMPARE(v.messages.size(), 3);
        QCOMPARE(v.messages[2][0].toByteArray(), s.out->sampler.json());
    }

    // Which connections the per-client limits count together: all of this computer's, and
    // each IPv6 /64 network.
    void clients_data()
    {
        QTest::addColumn<QString>("a");
        QTest::addColumn<QString>("b");
        QTest::addColumn<bool>("same");
        const auto row = [](const char* name, const char* a, const char* b, bool same) {
            QTest::newRow(name) << QString(a) << QString(b) << same;
        };
        row("loopback addresses", "127.0.0.1", "127.45.6.7", true);
        row("loopback, IPv6", "::1", "127.255.255.254", true);
        row("loopback, mapped", "::ffff:127.3.2.1", "127.0.0.1", true);
        row("one /64", "2001:db8:1:2::1", "2001:db8:1:2:aaaa:bbbb:cccc:dddd", true);
        row("next /64", "2001:db8:1:2::1", "2001:db8:1:3::1", false);
        row("IPv4 neighbours", "192.168.1.20", "192.168.1.21", false);
        row("mapped IPv4", "::ffff:192.168.1.20", "192.168.1.20", true);
        row("IPv4 and loopback", "192.168.1.20", "127.0.0.1", false);
    }
    void clients()
    {
        QFETCH(QString, a);
        QFETCH(QString, b);
        QFETCH(bool, same);
        QCOMPARE(clientOf(QHostAddress(a)) == clientOf(QHostAddress(b)), same);
    }

    // Connections that send their request a byte now and then, more than the server reads at
    // once, from one address or from many of this computer's: the newest of them push out the
    // oldest, never a viewer; a full house turns the newcomer away, and says why.
    void crowdsNeverPushOutAViewer_data()
    {
        QTest::addColumn<bool>("manyAddresses");
        QTest::newRow("127.0.0.1") << false;
        QTest::newRow("127.0.0.2, 127.0.0.3, ...") << true;
    }
    void crowdsNeverPushOutAViewer()
    {
        QFETCH(bool, manyAddresses);
        Served s;
        s.out->server->setMaxViewers(2);
        Viewer first(s.port());
        QTRY_COMPARE(first.messages.size(), 1);
        QTcpSocket slow[130];
        for (quint32 i = 0; i < std::size(slow); ++i) {
            QTcpSocket& c = slow[i];
            if (manyAddresses)
                c.bind(QHostAddress(QHostAddress(QStringLiteral("127.0.0.2")).toIPv4Address() + i));
            c.connectToHost(QStringLiteral("127.0.0.1"), s.port());
            c.write("GET /state.json HTTP/1.1\r\nX");
        }
        QTRY_COMPARE(std::count_if(std::begin(slow), std::end(slow),
                                   [](const QTcpSocket& c) {
                                       return c.state() == QAbstractSocket::ConnectedState;
                                   }),
                     RequestGuard::MaxPendingPerClient);
        Viewer second(s.port()); // not locked out by the crowd
        QTRY_COMPARE(second.messages.size(), 1);
        Viewer third(s.port());
        QTRY_COMPARE(third.state(), QAbstractSocket::UnconnectedState);
        QVERIFY(third.messages.isEmpty());
        const HttpReply full =
            exchange(s.port(), "GET /live HTTP/1.1\r\n" + Host + Handshake + "\r\n");
        QCOMPARE(full.status, 503);
        QCOMPARE(full.body, "503 Service Unavailable: at most 2 viewers at a time, and all places "
                            "are taken (--max-viewers sets the number)\n");
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

    // The process runs out of descriptors while connections crowd in; once they have gone,
    // the server answers again.
    void outOfDescriptorsForAWhile()
    {
        Served s;
        const FileLimit limit(QDir(QStringLiteral("/proc/self/fd")).count() + 24);
        std::vector<std::unique_ptr<QTcpSocket>> crowd;
        for (int i = 0; i < 40; ++i) {
            crowd.push_back(std::make_unique<QTcpSocket>());
            crowd.back()->connectToHost(QStringLiteral("127.0.0.1"), s.port());
            crowd.back()->write("GET /state.json HTTP/1.1\r\nX");
        }
        QTest::qWait(1000); // for the server to run out
        crowd.clear();
        QTRY_COMPARE(s.out->server->openConnections(), 0);
        QCOMPARE(get(s.port(), "/state.json").status, 200);
    }

    // More viewers than the usual limit of open files allows, when the server is told to keep
    // that many.
    void viewersBeyondTheUsualFileLimit()
    {
        Served s;
        const FileLimit limit(256);
        s.out->server->setMaxViewers(200);
        std::vector<std::unique_ptr<Viewer>> many;
        while (many.size() < 200) {
            // A few at a time, as pages come: this computer has 32 handshakes read at once.
            for (int i = 0; i < 20; ++i)
                many.push_back(std::make_unique<Viewer>(s.port()));
            QTRY_VERIFY(std::all_of(many.begin(), many.end(),
                                    [](const auto& v) { return v->messages.size() == 1; }));
        }
        QCOMPARE(s.out->server->viewerCount(), 200);
    }

    // A program on this computer opens idle connections as fast as it can, each from the next
    // address of 127.0.0.0/8, and holds 1 200 of them, for 30 s (tests/streaming/localcrowd.cpp).
    // Meanwhile the board's clock goes on in the feed, a client that asks for the state every
    // half second gets it, and what the crowd cost is given back.
    void crowdFromManyLoopbackAddresses()
    {
        RunningBoard b;
        QCOMPARE(get(b.port(), "/state.json").status, 200); // what Qt allocates once
        QTRY_COMPARE(b.out->server->openConnections(), 0);
        const qint64 before = proportionalKiB();

        QProcess crowd;
        crowd.start(QStringLiteral(LOCALCROWD), {QString::number(b.port()), QStringLiteral("30"),
                                                 QStringLiteral("--feed"), b.tmp.path()});
        QVERIFY(crowd.waitForStarted(BoundMs));
        QVERIFY(QTest::qWaitFor([&] { return crowd.state() == QProcess::NotRunning; }, 90'000));
        const QByteArray line = crowd.readAllStandardOutput().trimmed();
        QHash<QByteArray, int> figure;
        for (const QByteArray& pair : line.split(' '))
            figure[pair.left(pair.indexOf('='))] = pair.mid(pair.indexOf('=') + 1).toInt();
        qInfo("%s", line.constData());
        QVERIFY2(figure["requests"] >= 50 && figure["clock_changes"] > 0, line.constData());
        QVERIFY2(figure["longest_stall_ms"] <= 500, line.constData());
        QVERIFY2(figure["served"] * 10 >= figure["requests"] * 9, line.constData());

        QTRY_COMPARE_WITH_TIMEOUT(b.out->server->openConnections(), 0, BoundMs);
        const qint64 grown = proportionalKiB() - before;
        QVERIFY2(Sanitized || grown * 1024 < 30'000'000,
                 qPrintable(QString("grew by %1 KiB").arg(grown)));
    }
};

PL_TEST_MAIN(TestLiveServer)
#include "tst_liveserver.moc"
