// SPDX-License-Identifier: GPL-3.0-or-later
// The real program with --serve PORT --remote-control under Xvfb, its own HOME and XDG folders:
// a command without the token is refused and the board stays as it was; with the token the
// board shows the goal, read from the screen.
#include "boardrun.h"
#include "remoteclient.h"
#include "testmain.h"

#include <QTcpServer>

#define RUN(run, call) QVERIFY2((run).call, qPrintable((run).error))

class TestRemoteBoard : public QObject
{
    Q_OBJECT

    QTemporaryDir work{QDir::tempPath() + QStringLiteral("/pucklight-remote-XXXXXX")};
    std::unique_ptr<TestServers> servers;

private Q_SLOTS:
    void initTestCase()
    {
        const QString program = qEnvironmentVariable("PUCKLIGHT_BINARY");
        QVERIFY2(QFileInfo(program).isExecutable(),
                 "PUCKLIGHT_BINARY must name the pucklight program (CTest passes it)");
        QVERIFY(work.isValid());
        servers = std::make_unique<TestServers>(program, work.path());
        QString error;
        QVERIFY2(servers->startDisplay(&error), qPrintable(error));
    }

    void cleanupTestCase() { servers.reset(); }

    void goalWithTheTokenOnly()
    {
        // A free loopback port, given back for the program to take.
        QTcpServer probe;
        QVERIFY(probe.listen(QHostAddress::LocalHost, 0));
        const quint16 port = probe.serverPort();
        probe.close();
        const QString name = QStringLiteral("remote");
        auto run = std::make_unique<BoardRun>(
            *servers, name, QByteArray(), QString(),
            QStringList{"--serve", QString::number(port), "--remote-control"});
        RUN(*run, open());
        QTRY_VERIFY2_WITH_TIMEOUT(logTail(run->log).contains("remote control is on"),
                                  qPrintable(logTail(run->log)), BoardRun::WaitMs);
        QVERIFY(logTail(run->log).contains(
            QStringLiteral("commands at http://127.0.0.1:%1/api/command").arg(port)));

        // The token, as `pucklight --remote-token` prints it with the board's own folders.
        QProcess print;
        print.setProcessEnvironment(
            servers->environmentFor(work.filePath(name + QStringLiteral("/config"))));
        print.start(servers->program, {QStringLiteral("--remote-token")});
        QVERIFY(print.waitForFinished(BoardRun::StartMs));
        QCOMPARE(print.exitCode(), 0);
        const QByteArray token = print.readAllStandardOutput().trimmed();
        QCOMPARE(token.size(), 43);

        const QByteArray goal = QByteArrayLiteral("{\"command\": \"goal\", \"team\": \"home\"}");
        QCOMPARE(postCommand(port, goal).status, 401);
        QCOMPARE(postCommand(port, goal, token.chopped(1) + 'x').status, 403);
        QThread::msleep(500);
        BoardState want;
        QCOMPARE(run->read().toString(), want.toString());

        const RemoteReply done = postCommand(port, goal, token);
        QCOMPARE(done.status, 200);
        want.home = QStringLiteral("1");
        want.goalLamps = QStringLiteral("10");
        RUN(*run, until([&](const BoardState& s) { return s == want; },
                        "the remote goal on the board\n  expected:        " + want.toString()));
        RUN(*run, close());
    }
};

PL_TEST_MAIN(TestRemoteBoard)
#include "tst_remoteboard.moc"
