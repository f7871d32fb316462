// SPDX-License-Identifier: GPL-3.0-or-later
// The real program publishing to a real broker: commanded through it with the remote token,
// running on while the broker is away, and "offline" once it is killed.
#include "boardrun.h"
#include "testbroker.h"
#include "testmain.h"

#include <QElapsedTimer>
#include <QJsonDocument>
#include <QJsonObject>
#include <sys/stat.h>

#define RUN(run, call) QVERIFY2((run).call, qPrintable((run).error))

namespace {

// The feed's clock.txt in tenths ("9:58" or "45.6"), or -1.
int clockTenths(const QString& feed)
{
    QFile f(feed + QStringLiteral("/clock.txt"));
    const QString text = f.open(QIODevice::ReadOnly) ? QString::fromUtf8(f.readAll()) : QString();
    bool ok = false;
    if (text.contains(QLatin1Char(':'))) {
        const int minutes = text.section(QLatin1Char(':'), 0, 0).toInt(&ok);
        const int seconds = text.section(QLatin1Char(':'), 1).toInt(&ok);
        return ok ? (minutes * 60 + seconds) * 10 : -1;
    }
    const double s = text.toDouble(&ok);
    return ok ? int(s * 10 + 0.5) : -1;
}

} // namespace

class TestBrokerBoard : public QObject
{
    Q_OBJECT
    QTemporaryDir work{QDir::tempPath() + QStringLiteral("/pucklight-mqtt-XXXXXX")};
    std::unique_ptr<TestServers> servers;

private Q_SLOTS:
    void initTestCase()
    {
        if (TestBroker::program().isEmpty())
            QSKIP("mosquitto is not installed (scripts/deps.sh test installs it)");
        const QString program = qEnvironmentVariable("PUCKLIGHT_BINARY");
        QVERIFY2(QFileInfo(program).isExecutable(),
                 "PUCKLIGHT_BINARY must name the pucklight program (CTest passes it)");
        servers = std::make_unique<TestServers>(program, work.path());
        QString error;
        QVERIFY2(servers->startDisplay(&error), qPrintable(error));
    }

    void cleanupTestCase() { servers.reset(); }

    void boardOutlivesTheBroker()
    {
        TestBroker broker(work.path());
        QVERIFY2(broker.start(), qPrintable(broker.error));
        const QString feed = work.filePath(QStringLiteral("feed"));
        const QString url = QStringLiteral("mqtt://127.0.0.1:%1").arg(broker.port);
        BoardRun run(*servers, QStringLiteral("board"), {}, {},
                     {"--mqtt", url, "--mqtt-control", "--feed", feed});
        RUN(run, open());
        auto display = std::make_unique<TestClient>();
        QVERIFY(display->connect(broker.port, {"pucklight/board/#"}));
        QVERIFY2(display->waitFor("pucklight/board/status",
                                  [](const auto& m) { return m.payload == "online"; }),
                 qPrintable(logTail(run.log)));
        QVERIFY(
            display->waitFor("pucklight/board/state", [](const auto& m) { return m.retained; }));

        // The token the board made on its first start: the user's alone.
        const QString tokenFile =
            work.filePath(QStringLiteral("board/config/Pucklight/remote-token"));
        struct stat st = {};
        QVERIFY(::stat(QFile::encodeName(tokenFile).constData(), &st) == 0);
        QCOMPARE(st.st_mode & 0777, 0600U);
        QFile f(tokenFile);
        QVERIFY(f.open(QIODevice::ReadOnly));
        const QByteArray token = f.readAll().trimmed();
        display->publish("pucklight/board/command",
                         "{\"command\":\"startStop\",\"id\":\"go\",\"token\":\"" + token + "\"}");
        QVERIFY(display->waitFor("pucklight/board/command/result", [](const auto& m) {
            return m.payload == "{\"command\":\"startStop\",\"id\":\"go\",\"ok\":true}";
        }));
        QVERIFY(QTest::qWaitFor([&] { return clockTenths(feed) < 6000; }, 5000));

        // Ten seconds without the broker: the clock runs on, tenth by tenth.
        display.reset();
        broker.stop();
        QElapsedTimer away;
        away.start();
        const int before = clockTenths(feed);
        QTest::qWait(10000);
        const int after = clockTenths(feed);
        const int awayTenths = int(away.elapsed() / 100);
        QVERIFY2(before - after >= awayTenths - 10,
                 qPrintable(QStringLiteral("the clock went from %1 to %2 tenths in %3 tenths")
                                .arg(before)
                                .arg(after)
                                .arg(awayTenths)));

        // Back: the state is there again within 5 s. Its backoff had grown to 8 s, but a broker
        // that was not listening is knocked on every second, and tried as soon as it listens.
        QVERIFY2(broker.run(), qPrintable(broker.error));
        QElapsedTimer back;
        back.start();
        display = std::make_unique<TestClient>();
        QVERIFY(display->connect(broker.port, {"pucklight/board/#"}));
        QVERIFY(display->waitFor(
            "pucklight/board/state", [](const auto&) { return true; }, 7000));
        qInfo("the state was published again %lld ms after the broker's return", back.elapsed());
        QVERIFY2(back.elapsed() <= 5000, qPrintable(QString::number(back.elapsed())));
        const QJsonObject state =
            QJsonDocument::fromJson(display->on("pucklight/board/state").front().payload).object();
        QVERIFY(state["clock"].toObject()["running"].toBool());

        // Killed, the board cannot say goodbye: the broker says it for it.
        run.kill();
        QVERIFY(display->waitFor("pucklight/board/status",
                                 [](const auto& m) { return m.payload == "offline"; }));
    }
};

PL_TEST_MAIN(TestBrokerBoard)
#include "tst_brokerboard.moc"
