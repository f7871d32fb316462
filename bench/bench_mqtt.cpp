// SPDX-License-Identifier: GPL-3.0-or-later
// One board publishing in tenths through a local Mosquitto to many subscribers:
//   latency [subscribers] [seconds]   the board's publishing code (Game, BrokerClient, the
//        100 ms tick) in this process; the subscribers, all in one child process on one
//        libmosquitto loop, note when each message arrives. Delivery latency from the moment
//        the board hands a message to the connection to its receipt, p50, p99 and the largest,
//        over every subscriber and message of the clock and state topics.
//   cpu <pucklight> <bench_process> [seconds] [subscribers]   the real program under Xvfb
//        (bench_process board), clock running under a minute, with and without --mqtt, twice
//        each, the subscribers connected: the whole process's CPU.
//   subscribers <port> <n> <file>     the child: connects, says "ready", and when its input
//        closes writes what it received to the file.
// bench/mqtt.sh builds and runs both; bench/README.md has the results.
#include "brokerclient.h"
#include "game.h"
#include "isolatedenv.h"

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QProcess>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QTcpServer>
#include <QTcpSocket>
#include <QTemporaryDir>
#include <QTextStream>
#include <QThread>
#include <QTimer>

#include <algorithm>
#include <chrono>
#include <csignal>
#include <mosquitto.h>
#include <pwd.h>
#include <sys/epoll.h>
#include <sys/prctl.h>
#include <sys/resource.h>
#include <unistd.h>
#include <unordered_map>
#include <vector>

namespace {

const QByteArray Prefix = "pucklight/bench";
constexpr int StartMs = 10000;
// The clock is set to this and runs under a minute: it shows tenths.
constexpr int ClockSeconds = 59;
// The CPU runs: off, on, off, on, ... this many of each.
constexpr int Rounds = 3;

QTextStream& out()
{
    static QTextStream s(stdout);
    return s;
}

int64_t nowNs()
{
    return std::chrono::duration_cast<std::chrono::nanoseconds>(
               std::chrono::steady_clock::now().time_since_epoch())
        .count();
}

// A message as both sides know it: its topic's last letter and the payload's hash.
QByteArray keyOf(const QByteArray& topic, const QByteArray& payload)
{
    return topic.right(1) + QByteArray::number(qHash(payload), 16);
}

// Enough file descriptors for a thousand connections, here and in what this starts.
void raiseFileLimit()
{
    rlimit r{};
    getrlimit(RLIMIT_NOFILE, &r);
    r.rlim_cur = std::max<rlim_t>(r.rlim_cur, std::min<rlim_t>(r.rlim_max, 8192));
    setrlimit(RLIMIT_NOFILE, &r);
}

QString loadAverage()
{
    QFile f(QStringLiteral("/proc/loadavg"));
    return f.open(QIODevice::ReadOnly)
               ? QString::fromLatin1(f.readAll().split(' ').mid(0, 3).join(' '))
               : QStringLiteral("?");
}

[[noreturn]] void die(const QString& why)
{
    QTextStream(stderr) << "bench_mqtt: " << why << "\n";
    std::exit(1);
}

// mosquitto on a free loopback port, for this run alone.
class Broker
{
public:
    explicit Broker(const QString& folder)
    {
        const QString program = QStandardPaths::findExecutable("mosquitto", {"/usr/sbin"});
        if (program.isEmpty())
            die(QStringLiteral("mosquitto is not installed (scripts/deps.sh test)"));
        QTcpServer probe;
        probe.listen(QHostAddress::LocalHost);
        port = probe.serverPort();
        probe.close();
        QFile conf(folder + QStringLiteral("/mosquitto.conf"));
        conf.open(QIODevice::WriteOnly);
        const passwd* me = getpwuid(geteuid());
        conf.write("listener " + QByteArray::number(port) + " 127.0.0.1\nallow_anonymous true\n" +
                   "persistence false\nmax_queued_messages 10000\nuser " +
                   QByteArray(me ? me->pw_name : "root") + "\nlog_dest none\n");
        conf.close();
        process.setProcessChannelMode(QProcess::ForwardedErrorChannel);
        process.setChildProcessModifier([] { prctl(PR_SET_PDEATHSIG, SIGTERM); });
        process.start(program, {QStringLiteral("-c"), conf.fileName()});
        QElapsedTimer t;
        t.start();
        for (;;) {
            QTcpSocket s;
            s.connectToHost(QStringLiteral("127.0.0.1"), quint16(port));
            if (s.waitForConnected(200))
                break;
            if (t.elapsed() > StartMs)
                die(QStringLiteral("mosquitto did not start"));
            QThread::msleep(50);
        }
    }
    ~Broker()
    {
        process.terminate();
        process.waitForFinished();
    }
    long pid() const { return long(process.processId()); }

    int port = 0;

private:
    QProcess process;
};

// The subscribers' process, started from this program.
class Subscribers
{
public:
    Subscribers(int port, int count, const QString& outFile) : file(outFile)
    {
        process.setProcessChannelMode(QProcess::ForwardedErrorChannel);
        process.setChildProcessModifier([] { prctl(PR_SET_PDEATHSIG, SIGTERM); });
        process.start(QCoreApplication::applicationFilePath(),
                      {QStringLiteral("subscribers"), QString::number(port), QString::number(count),
                       outFile});
        if (!process.waitForReadyRead(60000) || !process.readAll().contains("ready"))
            die(QStringLiteral("the subscribers did not connect"));
    }
    // Key, then each subscriber's receipt time.
    std::unordered_map<QByteArray, std::vector<int64_t>> finish()
    {
        process.closeWriteChannel();
        process.waitForFinished(60000);
        std::unordered_map<QByteArray, std::vector<int64_t>> got;
        QFile f(file);
        f.open(QIODevice::ReadOnly);
        while (!f.atEnd()) {
            const QByteArray line = f.readLine().trimmed();
            const qsizetype space = line.indexOf(' ');
            if (space > 0)
                got[line.left(space)].push_back(line.mid(space + 1).toLongLong());
        }
        return got;
    }

private:
    QString file;
    QProcess process;
};

int subscribersMain(int port, int count, const QString& file)
{
    raiseFileLimit();
    mosquitto_lib_init();
    struct Context
    {
        std::vector<std::pair<QByteArray, int64_t>> received;
        int connected = 0;
        int subscribed = 0;
    } context;
    std::vector<mosquitto*> clients;
    for (int i = 0; i < count; ++i) {
        mosquitto* m = mosquitto_new(nullptr, true, &context);
        mosquitto_connect_callback_set(m, [](mosquitto* c, void* ctx, int rc) {
            if (rc != 0)
                return;
            ++static_cast<Context*>(ctx)->connected;
            mosquitto_subscribe(c, nullptr, (Prefix + "/clock").constData(), 0);
            mosquitto_subscribe(c, nullptr, (Prefix + "/state").constData(), 0);
        });
        mosquitto_subscribe_callback_set(m, [](mosquitto*, void* ctx, int, int, const int*) {
            ++static_cast<Context*>(ctx)->subscribed;
        });
        mosquitto_message_callback_set(m, [](mosquitto*, void* ctx, const mosquitto_message* msg) {
            const int64_t at = nowNs();
            if (msg->retain)
                return;
            static_cast<Context*>(ctx)->received.emplace_back(
                keyOf(QByteArray(msg->topic),
                      QByteArray(static_cast<const char*>(msg->payload), msg->payloadlen)),
                at);
        });
        if (mosquitto_connect(m, "127.0.0.1", port, 60) != MOSQ_ERR_SUCCESS)
            die(QStringLiteral("subscriber %1 could not connect").arg(i));
        clients.push_back(m);
    }
    // One epoll set for them all: only the connections with something to read are looked at.
    const int ep = epoll_create1(EPOLL_CLOEXEC);
    for (size_t i = 0; i < clients.size(); ++i) {
        epoll_event e{};
        e.events = EPOLLIN;
        e.data.u64 = i;
        epoll_ctl(ep, EPOLL_CTL_ADD, mosquitto_socket(clients[i]), &e);
    }
    epoll_event in{};
    in.events = EPOLLIN;
    in.data.u64 = clients.size(); // the parent's end of the pipe
    epoll_ctl(ep, EPOLL_CTL_ADD, STDIN_FILENO, &in);
    std::vector<epoll_event> ready(256);
    bool said = false;
    bool done = false;
    QElapsedTimer misc;
    misc.start();
    while (!done) {
        const int n = epoll_wait(ep, ready.data(), int(ready.size()), 100);
        for (int k = 0; k < n; ++k) {
            const size_t i = ready[size_t(k)].data.u64;
            if (i == clients.size())
                done = true; // the parent closed its end: it is finished
            else
                mosquitto_loop_read(clients[i], 1);
        }
        // Writes are rare here (subscriptions, pings) and small: a turn now and then does.
        if (misc.elapsed() > 500 || !said) {
            for (mosquitto* m : clients) {
                mosquitto_loop_misc(m);
                if (mosquitto_want_write(m))
                    mosquitto_loop_write(m, 1);
            }
            misc.restart();
        }
        if (!said && context.subscribed == 2 * count) {
            said = true;
            QTextStream(stdout) << "ready\n";
            fflush(stdout);
        }
    }
    QFile f(file);
    f.open(QIODevice::WriteOnly);
    for (const auto& [key, at] : context.received)
        f.write(key + ' ' + QByteArray::number(at) + '\n');
    return 0;
}

double percentile(std::vector<double>& v, double p)
{
    if (v.empty())
        return 0;
    const size_t k = std::min(v.size() - 1, size_t(p * double(v.size())));
    std::nth_element(v.begin(), v.begin() + long(k), v.end());
    return v[k];
}

int latencyMain(int count, int seconds)
{
    raiseFileLimit();
    QTemporaryDir work;
    Broker broker(work.path());
    Subscribers subscribers(broker.port, count, work.filePath(QStringLiteral("received")));

    SettingVariables settings;
    Game game(settings);
    game.setSoundsAvailable(false, false);
    game.run(Command::setClock(ClockValue::whole(ClockSeconds)), CommandSource::keyboard());
    BrokerOptions options;
    QString error;
    options.setUrl(QStringLiteral("mqtt://127.0.0.1:%1").arg(broker.port), &error);
    options.topic = QString::fromLatin1(Prefix);
    auto* client = BrokerClient::start(&game, options);
    QElapsedTimer t;
    t.start();
    while (client->status() != BrokerClient::Status::Connected && t.elapsed() < StartMs)
        QCoreApplication::processEvents(QEventLoop::AllEvents, 50);
    if (client->status() != BrokerClient::Status::Connected)
        die(client->statusText());
    QThread::msleep(500);
    QCoreApplication::processEvents();

    // The publisher's slot runs right after the client's own, which has just handed the
    // messages over: that is when each was published.
    std::unordered_map<QByteArray, int64_t> published;
    QString lastClock;
    QObject::connect(&client->sampler, &BoardSampler::changed, [&] {
        const int64_t at = nowNs();
        published.emplace(keyOf(Prefix + "/state", client->sampler.json()), at);
        if (client->sampler.state().clockText != lastClock) {
            lastClock = client->sampler.state().clockText;
            published.emplace(keyOf(Prefix + "/clock", lastClock.toUtf8()), at);
        }
    });
    // The board's tick, as its window runs it.
    QTimer tick;
    tick.setTimerType(Qt::PreciseTimer);
    QObject::connect(&tick, &QTimer::timeout, &game, &Game::tick);
    tick.start(100);
    game.run(Command::of(CommandKind::StartStop), CommandSource::keyboard());
    const QString loadBefore = loadAverage();
    QTimer::singleShot(seconds * 1000, [&] {
        game.run(Command::of(CommandKind::StartStop), CommandSource::keyboard());
        QTimer::singleShot(1000, qApp, &QCoreApplication::quit);
    });
    QCoreApplication::exec();
    const auto received = subscribers.finish();

    std::vector<double> latencies;
    size_t expected = 0;
    for (const auto& [key, at] : published) {
        expected += size_t(count);
        const auto it = received.find(key);
        if (it == received.end())
            continue;
        for (int64_t r : it->second)
            latencies.push_back(double(r - at) / 1e6);
    }
    const double p50 = percentile(latencies, 0.50);
    const double p99 = percentile(latencies, 0.99);
    const double worst =
        latencies.empty() ? 0 : *std::max_element(latencies.begin(), latencies.end());
    out() << QStringLiteral("%1 subscribers, %2 s in tenths: %3 messages published, %4 of %5 "
                            "deliveries received\n")
                 .arg(count)
                 .arg(seconds)
                 .arg(published.size())
                 .arg(latencies.size())
                 .arg(expected)
          << QStringLiteral("delivery latency p50 %1 ms, p99 %2 ms, max %3 ms\n")
                 .arg(p50, 0, 'f', 2)
                 .arg(p99, 0, 'f', 2)
                 .arg(worst, 0, 'f', 2)
          << QStringLiteral("load before %1, after %2\n").arg(loadBefore, loadAverage());
    delete client;
    return 0;
}

// One bench_process board run: the % of one core it reports.
double boardCpu(const QString& program, const QString& benchProcess, int seconds,
                const QStringList& arguments)
{
    QProcess p;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("PUCKLIGHT_BENCH_CLOCK"), QStringLiteral("0.59"));
    p.setProcessEnvironment(env);
    p.setProcessChannelMode(QProcess::ForwardedErrorChannel);
    p.start(benchProcess,
            QStringList{program, QStringLiteral("board"), QString::number(seconds)} + arguments);
    p.waitForFinished(-1);
    const QString said = QString::fromLocal8Bit(p.readAllStandardOutput());
    const QRegularExpressionMatch m =
        QRegularExpression(
            QStringLiteral("scheduler's count: ([\\d.]+) ms, ([\\d.]+) % of one core"))
            .match(said);
    if (!m.hasMatch())
        die(QStringLiteral("bench_process said: ") + said);
    out() << (arguments.isEmpty() ? "MQTT off: " : "MQTT on:  ") << m.captured(1) << " ms in "
          << seconds << " s, " << m.captured(2) << " % of one core, load " << loadAverage() << "\n";
    // Where it went, thread by thread.
    for (const QString& line : said.split(QLatin1Char('\n')))
        if (line.startsWith(QLatin1String("  thread ")))
            out() << line << "\n";
    out().flush();
    return m.captured(2).toDouble();
}

int cpuMain(const QString& program, const QString& benchProcess, int seconds, int count)
{
    raiseFileLimit();
    QTemporaryDir work;
    Broker broker(work.path());
    Subscribers subscribers(broker.port, count, work.filePath(QStringLiteral("received")));
    const QStringList mqtt = {QStringLiteral("--mqtt"),
                              QStringLiteral("mqtt://127.0.0.1:%1").arg(broker.port),
                              QStringLiteral("--mqtt-topic"), QString::fromLatin1(Prefix)};
    std::vector<double> off;
    std::vector<double> on;
    for (int round = 0; round < Rounds; ++round) {
        off.push_back(boardCpu(program, benchProcess, seconds, {}));
        on.push_back(boardCpu(program, benchProcess, seconds, mqtt));
    }
    const auto mean = [](const std::vector<double>& v) {
        double sum = 0;
        for (double x : v)
            sum += x;
        return sum / double(v.size());
    };
    out() << QStringLiteral("mean: off %1 %, on %2 %: MQTT adds %3 points of one core\n")
                 .arg(mean(off), 0, 'f', 2)
                 .arg(mean(on), 0, 'f', 2)
                 .arg(mean(on) - mean(off), 0, 'f', 2);
    subscribers.finish();
    return 0;
}

} // namespace

int main(int argc, char* argv[])
{
    // The broker, the subscribers and the boards this starts keep HOME and every XDG folder
    // here, never in the user's own.
    QTemporaryDir home;
    isolated::thisProcess(home.path());
    QCoreApplication app(argc, argv);
    const QStringList args = QCoreApplication::arguments();
    const QString mode = args.value(1);
    if (mode == QLatin1String("subscribers") && args.size() == 5)
        return subscribersMain(args[2].toInt(), args[3].toInt(), args[4]);
    if (mode == QLatin1String("latency"))
        return latencyMain(args.value(2, QStringLiteral("1000")).toInt(),
                           std::min(args.value(3, QStringLiteral("30")).toInt(), ClockSeconds - 4));
    if (mode == QLatin1String("cpu") && args.size() >= 4)
        return cpuMain(args[2], args[3],
                       std::min(args.value(4, QStringLiteral("45")).toInt(), ClockSeconds - 9),
                       args.value(5, QStringLiteral("1000")).toInt());
    QTextStream(stderr) << "usage: bench_mqtt latency [subscribers] [seconds]\n"
                           "       bench_mqtt cpu <pucklight> <bench_process> [seconds] "
                           "[subscribers]\n";
    return 2;
}
