// SPDX-License-Identifier: GPL-3.0-or-later
#include "brokerclient.h"
#include "brokerrunner.h"
#include "game.h"
#include "remotetoken.h"
#include "testbroker.h"
#include "testmain.h"

#include <QJsonDocument>
#include <QJsonObject>
#include <QPointer>
#include <QTemporaryDir>

namespace {

QJsonObject objectOf(const QByteArray& json)
{
    return QJsonDocument::fromJson(json).object();
}

// Runs a tool to its end; false, with what it said, when it fails.
bool runTool(const QString& program, const QStringList& args, QString* error)
{
    QProcess p;
    p.setProcessChannelMode(QProcess::MergedChannels);
    p.start(program, args);
    if (p.waitForFinished(30000) && p.exitStatus() == QProcess::NormalExit && p.exitCode() == 0)
        return true;
    *error = program + ' ' + args.join(' ') + ": " + QString::fromLocal8Bit(p.readAll());
    return false;
}

// The remote token of the test's own user, made on first use.
QByteArray token()
{
    static const QByteArray text = [] {
        QString error;
        const auto t = RemoteToken::obtain(&error);
        return t ? t->text() : QByteArray();
    }();
    return text;
}

// JSON written with ' for ", and TOKEN for the token.
QByteArray json(const char* text)
{
    return QByteArray(text).replace('\'', '"').replace("TOKEN", token());
}

QString homeScore(const QByteArray& state)
{
    return objectOf(state)[QLatin1String("home")].toObject()[QLatin1String("score")].toString();
}

// Lines the program writes on the terminal, caught while the object lives.
struct TerminalLines
{
    TerminalLines()
    {
        lines().clear();
        previous =
            qInstallMessageHandler([](QtMsgType, const QMessageLogContext&, const QString& m) {
                if (m.startsWith(QLatin1String("pucklight:")))
                    lines() << m;
            });
    }
    ~TerminalLines() { qInstallMessageHandler(previous); }
    static QStringList& lines()
    {
        static QStringList all;
        return all;
    }
    QtMessageHandler previous;
};

} // namespace

// The board's game published to a real broker (the Debian mosquitto on a loopback port) and
// commanded through it, read by a client of the test's own.
class TestBrokerClient : public QObject
{
    Q_OBJECT
    QTemporaryDir work;
    SettingVariables settings;

    BrokerOptions optionsFor(int port)
    {
        BrokerOptions o;
        QString error;
        o.setUrl(QStringLiteral("mqtt://127.0.0.1:%1").arg(port), &error);
        return o;
    }

private Q_SLOTS:
    void initTestCase()
    {
        if (TestBroker::program().isEmpty())
            QSKIP("mosquitto is not installed (scripts/deps.sh test installs it)");
        settings.BoardName = QStringLiteral("rink-1");
        QVERIFY(!token().isEmpty());
    }

    // A display that comes later finds the board's status, state and clock kept by the broker;
    // a goal reaches the state and the events at once. After a restart of the broker, the board
    // publishes them again; when it closes, its status is "offline".
    void publishesTheGame()
    {
        TestBroker broker(work.path());
        QVERIFY2(broker.start(), qPrintable(broker.error));
        Game game(settings);
        auto* client = BrokerClient::start(&game, optionsFor(broker.port));
        QCOMPARE(client->prefix(), "pucklight/rink-1");
        QVERIFY(QTest::qWaitFor([&] { return client->status() == BrokerClient::Status::Connected; },
                                5000));
        QTest::qWait(200); // what it publishes on connecting reaches the broker

        TestClient display;
        QVERIFY(display.connect(broker.port, {"pucklight/rink-1/#"}));
        for (const char* t : {"status", "state", "clock"})
            QVERIFY2(display.waitFor(QByteArray("pucklight/rink-1/") + t,
                                     [](const auto& m) { return m.retained; }),
                     t);
        QCOMPARE(display.on("pucklight/rink-1/status").front().payload, "online");
        QCOMPARE(display.on("pucklight/rink-1/clock").front().payload, "10:00");
        const QJsonObject state = objectOf(display.on("pucklight/rink-1/state").front().payload);
        QCOMPARE(state["clock"].toObject()["text"].toString(), "10:00");
        QCOMPARE(homeScore(display.on("pucklight/rink-1/state").front().payload), "0");

        game.run(Command::forTeam(CommandKind::Goal, Team::Home), CommandSource::keyboard());
        QVERIFY(display.waitFor("pucklight/rink-1/state", [](const auto& m) {
            return !m.retained && homeScore(m.payload) == "1";
        }));
        QVERIFY(display.waitFor("pucklight/rink-1/events", [](const auto& m) {
            const QJsonObject e = objectOf(m.payload);
            return !m.retained && e["kind"].toString() == "goal" &&
                   e["team"].toString() == "home" && e["value"].toInt() == 1;
        }));

        // A broker that restarts has forgotten it all: the board tells it again, though the
        // game stands still.
        broker.stop();
        QVERIFY2(broker.run(), qPrintable(broker.error));
        TestClient later;
        QVERIFY(later.connect(broker.port, {"pucklight/rink-1/#"}));
        for (const char* t : {"status", "state", "clock"})
            QVERIFY2(later.waitFor(QByteArray("pucklight/rink-1/") + t,
                                   [](const auto&) { return true; }),
                     t);
        QCOMPARE(homeScore(later.on("pucklight/rink-1/state").front().payload), "1");

        delete client; // says goodbye
        QVERIFY(later.waitFor("pucklight/rink-1/status",
                              [](const auto& m) { return m.payload == "offline"; }));
    }

    // Commands with the token change the game and are answered; without it nothing changes,
    // and the refusal is in the record, and on the events.
    void commands()
    {
        TestBroker broker(work.path());
        QVERIFY2(broker.start(), qPrintable(broker.error));
        Game game(settings);
        BrokerOptions o = optionsFor(broker.port);
        o.control = true;
        o.topic = QStringLiteral("league/sheet-b");
        std::unique_ptr<BrokerClient> client(BrokerClient::start(&game, o));
        QVERIFY(QTest::qWaitFor([&] { return client->status() == BrokerClient::Status::Connected; },
                                5000));
        TestClient operatorDesk;
        QVERIFY(operatorDesk.connect(broker.port,
                                     {"league/sheet-b/command/result", "league/sheet-b/events"}));
        QTest::qWait(200); // the board's subscription is in place

        operatorDesk.publish("league/sheet-b/command",
                             json("{'command':'goal','team':'visitor','id':1,'token':'TOKEN'}"));
        QVERIFY(operatorDesk.waitFor("league/sheet-b/command/result", [](const auto& m) {
            return m.payload == json("{'command':'goal','id':1,'ok':true}");
        }));
        QCOMPARE(game.state().scoreOf(Team::Visitor), 1);
        QCOMPARE(
            game.record().events().back().source,
            (CommandSource{CommandSource::Kind::Broker, QString::fromLatin1(token().left(4))}));

        operatorDesk.publish("league/sheet-b/command",
                             json("{'command':'goal','team':'visitor','id':2}"));
        QVERIFY(operatorDesk.waitFor("league/sheet-b/command/result", [](const auto& m) {
            return m.payload == json("{'command':'goal','id':2,'ok':false,'reason':'no token'}");
        }));
        QCOMPARE(game.state().scoreOf(Team::Visitor), 1);
        QCOMPARE(game.record().events().back().kind, EventKind::Refused);
        QVERIFY(operatorDesk.waitFor("league/sheet-b/events", [](const auto& m) {
            return objectOf(m.payload)["kind"].toString() == "refused";
        }));
    }

    // A broker that is not there at the start: the board says so once and runs on. Meanwhile
    // only the latest state waits, and the newest 1000 events; when the broker comes, the
    // state goes out at once, then a note of the 5 events dropped, then the 1000.
    void brokerAwayAtStart()
    {
        TerminalLines terminal;
        TestBroker broker(work.path());
        QVERIFY2(broker.start(), qPrintable(broker.error));
        broker.stop();
        Game game(settings);
        std::unique_ptr<BrokerClient> client(BrokerClient::start(&game, optionsFor(broker.port)));
        QVERIFY(QTest::qWaitFor(
            [&] { return client->status() == BrokerClient::Status::Unreachable; }, 5000));
        for (int i = 0; i < 1005; ++i)
            game.run(Command::setClock(ClockValue::whole(60 + i)), CommandSource::keyboard());
        QTest::qWait(1500); // a second attempt fails too
        QCOMPARE(terminal.lines().size(), 1);
        QVERIFY2(terminal.lines().front().startsWith(
                     "pucklight: cannot reach the MQTT broker at mqtt://127.0.0.1:" +
                     QString::number(broker.port) + " (Connection refused)"),
                 qPrintable(terminal.lines().front()));

        QVERIFY2(broker.run(), qPrintable(broker.error));
        TestClient display;
        QVERIFY(display.connect(broker.port, {"pucklight/rink-1/#"}));
        QVERIFY(display.waitFor(
            "pucklight/rink-1/events",
            [](const auto& m) { return objectOf(m.payload)["clock"].toString() == "17:44"; },
            10000));
        const auto states = display.on("pucklight/rink-1/state");
        QCOMPARE(states.size(), size_t(1));
        QCOMPARE(objectOf(states.front().payload)["clock"].toObject()["text"].toString(), "17:44");
        const auto events = display.on("pucklight/rink-1/events");
        QCOMPARE(events.size(), size_t(1001));
        QCOMPARE(objectOf(events.front().payload)["dropped"].toInt(), 5);
        QCOMPARE(objectOf(events[1].payload)["id"].toInt(), 6);
        QVERIFY(
            terminal.lines().contains("pucklight: 5 events were dropped while the broker could "
                                      "not be reached; a note on pucklight/rink-1/events says so"));
    }

    // The broker the options name is followed as they change, while the game goes on: named,
    // the board publishes to it; renamed, the old topics hear "offline" before the new ones
    // "online"; cleared, there is no client and the status is "offline". One that cannot be
    // used (a credentials file open to others) is told once and leaves the board without one.
    void followsTheOptions()
    {
        TerminalLines terminal;
        TestBroker broker(work.path());
        QVERIFY2(broker.start(), qPrintable(broker.error));
        TestClient display;
        QVERIFY(display.connect(broker.port, {"pucklight/#"}));
        SettingVariables s = settings;
        Game game(s);
        BrokerRunner runner(&game, std::nullopt);
        int changes = 0;
        connect(&runner, &BrokerRunner::clientChanged, this, [&] { ++changes; });
        QVERIFY(!runner.client());

        s.MqttBroker = QStringLiteral("mqtt://127.0.0.1:%1").arg(broker.port);
        game.setSettings(s);
        QVERIFY(runner.client());
        QCOMPARE(changes, 1);
        QVERIFY(display.waitFor("pucklight/rink-1/status",
                                [](const auto& m) { return m.payload == "online"; }));
        // Settings that leave the broker as it was keep its client.
        const QPointer<BrokerClient> first = runner.client();
        s.HomeText = QStringLiteral("Lions");
        game.setSettings(s);
        QCOMPARE(runner.client(), first);

        s.BoardName = QStringLiteral("rink-2");
        game.setSettings(s);
        QVERIFY(runner.client() != first);
        QCOMPARE(runner.client()->prefix(), "pucklight/rink-2");
        QVERIFY(display.waitFor("pucklight/rink-2/state", [](const auto& m) {
            return objectOf(m.payload)["home"].toObject()["name"].toString() == "Lions";
        }));
        QVERIFY(display.waitFor("pucklight/rink-1/status",
                                [](const auto& m) { return m.payload == "offline"; }));
        const auto all = display.received();
        const auto at = [&](const QByteArray& topic, const QByteArray& payload) {
            return std::find_if(
                       all.begin(), all.end(),
                       [&](const auto& m) { return m.topic == topic && m.payload == payload; }) -
                   all.begin();
        };
        QVERIFY(at("pucklight/rink-1/status", "offline") < at("pucklight/rink-2/status", "online"));
        QTRY_VERIFY(!first); // gone once it said goodbye

        s.MqttBroker.clear();
        game.setSettings(s);
        QVERIFY(!runner.client());
        QVERIFY(display.waitFor("pucklight/rink-2/status",
                                [](const auto& m) { return m.payload == "offline"; }));

        const QString open = work.filePath("open-credentials");
        QFile f(open);
        QVERIFY(f.open(QIODevice::WriteOnly));
        f.write("board:s3cret\n");
        f.close();
        QVERIFY(f.setPermissions(QFile::ReadOwner | QFile::WriteOwner | QFile::ReadOther));
        s.MqttBroker = QStringLiteral("mqtt://127.0.0.1:%1").arg(broker.port);
        s.MqttCredentials = open;
        terminal.lines().clear();
        game.setSettings(s);
        QVERIFY(!runner.client());
        QVERIFY2(runner.problem().startsWith("the credentials file " + open + ": others may"),
                 qPrintable(runner.problem()));
        s.HomeText = QStringLiteral("Bears");
        game.setSettings(s);
        QCOMPARE(terminal.lines().size(), 1);
        QVERIFY(terminal.lines().front().contains("in the options cannot be used"));
    }

    // A broker that stops answering (frozen) never holds up the game, nor makes the board
    // keep all it could not send: a few messages wait unanswered, the newest 1000 events in the
    // board, and the rest are dropped and counted in the note that goes out when it answers.
    void brokerFrozen()
    {
        TestBroker broker(work.path());
        QVERIFY2(broker.start(), qPrintable(broker.error));
        Game game(settings);
        std::unique_ptr<BrokerClient> client(BrokerClient::start(&game, optionsFor(broker.port)));
        QVERIFY(QTest::qWaitFor([&] { return client->status() == BrokerClient::Status::Connected; },
                                5000));
        TestClient display;
        QVERIFY(display.connect(broker.port, {"pucklight/rink-1/events"}));

        broker.freeze(true);
        constexpr int Events = 3000;
        for (int i = 0; i < Events; ++i) {
            game.run(Command::setClock(ClockValue::whole(60 + i)), CommandSource::keyboard());
            if (i % 100 == 0)
                QCoreApplication::processEvents();
        }
        QTest::qWait(200);
        broker.freeze(false);
        QVERIFY(display.waitFor("pucklight/rink-1/events", [](const auto& m) {
            return objectOf(m.payload)["id"].toInt() == Events;
        }));
        const auto events = display.on("pucklight/rink-1/events");
        const auto note = std::find_if(events.begin(), events.end(), [](const auto& m) {
            return objectOf(m.payload)["kind"].toString() == "note";
        });
        QVERIFY(note != events.end());
        const int before = int(note - events.begin()); // handed over before the freeze took
        QVERIFY2(before <= BrokerClient::MaxInFlight + 1, qPrintable(QString::number(before)));
        QCOMPARE(objectOf(note->payload)["dropped"].toInt(), Events - Outbox::MaxEvents - before);
        QCOMPARE(int(events.end() - note) - 1, Outbox::MaxEvents);
        QCOMPARE(objectOf((note + 1)->payload)["id"].toInt(), Events - Outbox::MaxEvents + 1);
    }

    // Over TLS, with a CA of the test's own, and with users and an ACL: the board publishes and
    // takes commands; a display may read the score but not send a command, even with the
    // token, nor read the commands others send. A board that does not trust the broker's
    // certificate never connects, and says why.
    void tlsUsersAndAcl()
    {
        const QString openssl = QStandardPaths::findExecutable("openssl");
        const QString passwd = QStandardPaths::findExecutable("mosquitto_passwd");
        if (openssl.isEmpty() || passwd.isEmpty())
            QSKIP("openssl or mosquitto_passwd is missing (scripts/deps.sh test installs them)");
        QTemporaryDir dir;
        const auto at = [&](const char* name) { return dir.filePath(name); };
        QString error;
        const QStringList ec = {"-newkey", "ec", "-pkeyopt", "ec_paramgen_curve:P-256", "-nodes"};
        QFile ext(at("ext"));
        QVERIFY(ext.open(QIODevice::WriteOnly));
        ext.write("subjectAltName=IP:127.0.0.1,DNS:localhost\n");
        ext.close();
        for (const QStringList& args :
             {QStringList{"req", "-x509"} + ec +
                  QStringList{"-keyout", at("ca.key"), "-out", at("ca.pem"), "-days", "2", "-subj",
                              "/CN=Pucklight test CA"},
              QStringList{"req", "-x509"} + ec +
                  QStringList{"-keyout", at("other.key"), "-out", at("other.pem"), "-days", "2",
                              "-subj", "/CN=Another CA"},
              QStringList{"req"} + ec +
                  QStringList{"-keyout", at("server.key"), "-out", at("server.csr"), "-subj",
                              "/CN=localhost"},
              QStringList{"x509", "-req", "-in", at("server.csr"), "-CA", at("ca.pem"), "-CAkey",
                          at("ca.key"), "-CAcreateserial", "-out", at("server.pem"), "-days", "2",
                          "-extfile", at("ext")}})
            QVERIFY2(runTool(openssl, args, &error), qPrintable(error));
        for (const char* user : {"board", "display", "control"}) {
            const QStringList make = QString(user) == "board" ? QStringList{"-c"} : QStringList{};
            QVERIFY2(runTool(passwd,
                             make + QStringList{"-b", at("passwd"), user, QString(user) + "-pw"},
                             &error),
                     qPrintable(error));
        }
        QFile acl(at("acl"));
        QVERIFY(acl.open(QIODevice::WriteOnly));
        acl.write("user board\ntopic readwrite pucklight/rink-1/#\n\n"
                  "user display\ntopic read pucklight/rink-1/state\n"
                  "topic read pucklight/rink-1/status\ntopic read pucklight/rink-1/events\n\n"
                  "user control\ntopic write pucklight/rink-1/command\n"
                  "topic read pucklight/rink-1/command/result\n");
        acl.close();
        TestBroker broker(dir.path(), ("cafile " + at("ca.pem") + "\ncertfile " + at("server.pem") +
                                       "\nkeyfile " + at("server.key") +
                                       "\nallow_anonymous false\npassword_file " + at("passwd") +
                                       "\nacl_file " + at("acl") + "\n")
                                          .toUtf8());
        QVERIFY2(broker.start(), qPrintable(broker.error));

        Game game(settings);
        BrokerOptions o;
        QVERIFY(o.setUrl(QStringLiteral("mqtts://127.0.0.1:%1").arg(broker.port), &error));
        o.caFile = at("ca.pem");
        o.user = "board";
        o.password = "board-pw";
        o.control = true;
        std::unique_ptr<BrokerClient> client(BrokerClient::start(&game, o));
        QVERIFY2(QTest::qWaitFor(
                     [&] { return client->status() == BrokerClient::Status::Connected; }, 5000),
                 qPrintable(client->statusText() + '\n' + broker.log()));

        TestClient display;
        QVERIFY(display.connect(broker.port, {"pucklight/rink-1/#"},
                                {"display", "display-pw", at("ca.pem")}));
        QVERIFY(
            display.waitFor("pucklight/rink-1/state", [](const auto& m) { return m.retained; }));
        const QByteArray goal = json("{'command':'goal','team':'visitor','id':1,'token':'TOKEN'}");
        display.publish("pucklight/rink-1/command", goal);
        QTest::qWait(500);
        QCOMPARE(game.state().scoreOf(Team::Visitor), 0);

        TestClient desk;
        QVERIFY(desk.connect(broker.port, {"pucklight/rink-1/command/result"},
                             {"control", "control-pw", at("ca.pem")}));
        desk.publish("pucklight/rink-1/command", goal);
        QVERIFY(desk.waitFor("pucklight/rink-1/command/result",
                             [](const auto& m) { return m.payload.contains(json("'ok':true")); }));
        QCOMPARE(game.state().scoreOf(Team::Visitor), 1);
        QVERIFY(display.waitFor("pucklight/rink-1/events", [](const auto& m) {
            return objectOf(m.payload)["kind"].toString() == "goal";
        }));
        QVERIFY(display.on("pucklight/rink-1/command").empty());
        QVERIFY(display.on("pucklight/rink-1/command/result").empty());

        o.caFile = at("other.pem");
        std::unique_ptr<BrokerClient> doubting(BrokerClient::start(&game, o));
        QVERIFY(QTest::qWaitFor(
            [&] { return doubting->status() == BrokerClient::Status::Unreachable; }, 5000));
        QVERIFY2(doubting->statusText().contains("certificate verify failed"),
                 qPrintable(doubting->statusText()));
    }
};

PL_CORE_TEST_MAIN(TestBrokerClient)
#include "tst_broker.moc"
