// SPDX-License-Identifier: GPL-3.0-or-later
#include "gamefixture.h"
#include "liveoutput.h"
#include "liveserver.h"
#include "remotetoken.h"
#include "testmain.h"

#include <QGuiApplication>
#include <QJsonDocument>
#include <QProcess>
#include <QStandardPaths>
#include <fcntl.h>
#include <sched.h>
#include <unistd.h>

namespace {

constexpr int BoundMs = 20000;

// Runs a program to its end, the event loop turning meanwhile (a server in this process goes on
// answering); its exit code (-1 when it could not run) and what it printed.
int runProgram(const QString& program, const QStringList& args, QByteArray* out = nullptr)
{
    QProcess p;
    p.setProcessChannelMode(QProcess::MergedChannels);
    p.start(program, args);
    if (!p.waitForStarted(BoundMs))
        return -1;
    [[maybe_unused]] const bool ended =
        QTest::qWaitFor([&] { return p.state() == QProcess::NotRunning; }, BoundMs);
    if (out)
        *out = p.readAll();
    return p.state() == QProcess::NotRunning && p.exitStatus() == QProcess::NormalExit
               ? p.exitCode()
               : -1;
}

// Two network namespaces of the test's own joined by a veth pair: the server's (192.0.2.1 and
// 2001:db8::1) and the client's (192.0.2.2 and 2001:db8::2), documentation addresses that lead
// nowhere else. Both go when this does.
struct Namespaces
{
    const QString server = QStringLiteral("plrs%1").arg(QCoreApplication::applicationPid());
    const QString client = QStringLiteral("plrc%1").arg(QCoreApplication::applicationPid());
    QString error; // why they could not be made

    Namespaces()
    {
        const QString ip = QStandardPaths::findExecutable(QStringLiteral("ip"));
        if (ip.isEmpty() || ::geteuid() != 0) {
            error = QStringLiteral("making network namespaces needs root and ip (iproute2)");
            return;
        }
        QByteArray out;
        const QString veth = QStringLiteral("plr%1").arg(QCoreApplication::applicationPid());
        const QList<QStringList> steps = {
            {"netns", "add", server},
            {"netns", "add", client},
            {"-n", server, "link", "add", veth + "s", "type", "veth", "peer", "name", veth + "c",
             "netns", client},
            {"-n", server, "addr", "add", "192.0.2.1/24", "dev", veth + "s"},
            {"-n", server, "addr", "add", "2001:db8::1/64", "dev", veth + "s", "nodad"},
            {"-n", client, "addr", "add", "192.0.2.2/24", "dev", veth + "c"},
            {"-n", client, "addr", "add", "2001:db8::2/64", "dev", veth + "c", "nodad"},
            {"-n", server, "link", "set", veth + "s", "up"},
            {"-n", client, "link", "set", veth + "c", "up"},
        };
        for (const QStringList& step : steps) {
            if (runProgram(ip, step, &out) != 0) {
                error = QStringLiteral("ip %1 failed (not permitted here?): %2")
                            .arg(step.join(' '), QString::fromLocal8Bit(out).trimmed());
                return;
            }
        }
    }
    ~Namespaces()
    {
        for (const QString& ns : {server, client})
            runProgram(QStringLiteral("ip"), {"netns", "del", ns});
    }
    Q_DISABLE_COPY(Namespaces)
};

// This thread in another network namespace for a while: sockets made meanwhile stay there.
struct InNamespace
{
    int home = ::open("/proc/self/ns/net", O_RDONLY | O_CLOEXEC);
    bool entered = false;
    explicit InNamespace(const QString& name)
    {
        const int target =
            ::open(QFile::encodeName("/run/netns/" + name).constData(), O_RDONLY | O_CLOEXEC);
        entered = target >= 0 && ::setns(target, CLONE_NEWNET) == 0;
        if (target >= 0)
            ::close(target);
    }
    ~InNamespace()
    {
        if (entered)
            ::setns(home, CLONE_NEWNET);
        ::close(home);
    }
    Q_DISABLE_COPY(InNamespace)
};

} // namespace

// The remote control from another computer: a client in a network namespace of the test's own
// reads the board freely, and is refused every command without the right token; with it, the
// command is done and recorded under the client's address.
class TestRemoteNetns : public QObject
{
    Q_OBJECT
    std::unique_ptr<Namespaces> ns;

private Q_SLOTS:
    void initTestCase()
    {
        ns = std::make_unique<Namespaces>();
        if (!ns->error.isEmpty())
            QSKIP(qPrintable(ns->error));
        if (QStandardPaths::findExecutable(QStringLiteral("curl")).isEmpty())
            QSKIP("curl is not installed");
    }
    void cleanupTestCase() { ns.reset(); }

    void fromAnotherAddress_data()
    {
        QTest::addColumn<QString>("server");
        QTest::addColumn<QString>("client");
        QTest::newRow("IPv4") << "192.0.2.1"
                              << "192.0.2.2";
        QTest::newRow("IPv6") << "2001:db8::1"
                              << "2001:db8::2";
    }
    void fromAnotherAddress()
    {
        QFETCH(QString, server);
        QFETCH(QString, client);
        QTemporaryDir tmp;
        GameFixture f;
        LiveOutput::Options o;
        o.port = 0;
        o.address = server;
        o.remoteControl = true;
        o.tokenFile = tmp.filePath(QStringLiteral("remote-token"));
        LiveOutput* out = nullptr;
        {
            InNamespace there(ns->server);
            QVERIFY(there.entered);
            out = LiveOutput::start(&f.g(), o);
        }
        QVERIFY(out->server);
        const QByteArray token = RemoteToken::obtain(nullptr, nullptr, o.tokenFile)->text();
        const QString origin = QStringLiteral("http://%1:%2")
                                   .arg(server.contains(':') ? '[' + server + ']' : server)
                                   .arg(out->server->port());
        // curl in the client's namespace: the body, then the status on a line of its own.
        const auto curl = [&](const QStringList& args, int* status) {
            QByteArray answer;
            runProgram(QStringLiteral("ip"),
                       QStringList{"netns", "exec", ns->client, "curl", "-sS", "-g", "--max-time",
                                   "15", "-w", "\n%{http_code}"} +
                           args,
                       &answer);
            *status = answer.mid(answer.lastIndexOf('\n') + 1).toInt();
            return answer.left(answer.lastIndexOf('\n'));
        };
        const QStringList post = {"-X",     "POST",
                                  "-H",     "Content-Type: application/json",
                                  "--data", R"({"command": "goal", "team": "visitor"})"};
        int status = 0;
        QCOMPARE(curl({origin + "/state.json"}, &status), out->sampler.json());
        QCOMPARE(status, 200);
        curl({origin + "/overlay.html"}, &status);
        QCOMPARE(status, 200);

        curl(post + QStringList{origin + "/api/command"}, &status);
        QCOMPARE(status, 401);
        curl(post + QStringList{"-H", "Authorization: Bearer " + RemoteToken::generate(),
                                origin + "/api/command"},
             &status);
        QCOMPARE(status, 403);
        QCOMPARE(f.s().scoreOf(Team::Visitor), 0);
        const GameEvent refused = f.g().record().events().back();
        QCOMPARE(refused.kind, EventKind::Refused);
        QVERIFY2(refused.source.name.startsWith(client + ' '), qPrintable(refused.source.name));

        const QByteArray state = curl(
            post + QStringList{"-H", "Authorization: Bearer " + token, origin + "/api/command"},
            &status);
        QCOMPARE(status, 200);
        QCOMPARE(QJsonDocument::fromJson(state)["visitor"]["score"].toString(),
                 QStringLiteral("1"));
        const GameEvent goal = f.g().record().events().back();
        QCOMPARE(goal.kind, EventKind::Goal);
        QCOMPARE(goal.source.name, client + ' ' + QString::fromLatin1(token.left(4)));
    }
};

PL_TEST_MAIN_WITH(QGuiApplication, TestRemoteNetns)
#include "tst_remotenetns.moc"
