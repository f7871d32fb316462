// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QStandardPaths>
#include <QTcpServer>
#include <QTcpSocket>
#include <QTest>
#include <csignal>
#include <functional>
#include <memory>
#include <mosquitto.h>
#include <mutex>
#include <pwd.h>
#include <sys/prctl.h>
#include <unistd.h>
#include <vector>

// The Debian mosquitto broker on a loopback port of its own, with a configuration the test
// writes; stopped when the object goes (and by the kernel should the test die first). The
// same port is kept across a stop and a start.
class TestBroker
{
public:
    static constexpr int StartMs = 5000;

    static QString program() { return QStandardPaths::findExecutable("mosquitto", {"/usr/sbin"}); }

    // `extra` is added to the listener's configuration: TLS files, users and an ACL.
    explicit TestBroker(const QString& workFolder, const QByteArray& listenerExtra = {})
        : folder(workFolder), extra(listenerExtra)
    {}
    ~TestBroker() { stop(); }

    int port = 0;
    QString error;

    bool start()
    {
        for (int attempt = 0; attempt < 5; ++attempt) {
            if (port == 0 || attempt > 0)
                port = freePort();
            if (run())
                return true;
        }
        return false;
    }

    // Started again on the same port; false when it did not come up.
    bool run()
    {
        const QString conf = folder + QStringLiteral("/mosquitto.conf");
        QFile f(conf);
        if (!f.open(QIODevice::WriteOnly))
            return fail("cannot write " + conf);
        const passwd* me = getpwuid(geteuid());
        f.write("listener " + QByteArray::number(port) + " 127.0.0.1\n" +
                "persistence false\nuser " + QByteArray(me ? me->pw_name : "root") + '\n' +
                "log_dest stdout\nlog_type error\nlog_type warning\nlog_type notice\n" +
                (extra.contains("allow_anonymous") ? QByteArray() : "allow_anonymous true\n") +
                extra);
        f.close();
        process = std::make_unique<QProcess>();
        process->setProcessChannelMode(QProcess::MergedChannels);
        process->setStandardOutputFile(folder + QStringLiteral("/mosquitto.log"),
                                       QIODevice::Append);
        process->setChildProcessModifier([] { prctl(PR_SET_PDEATHSIG, SIGTERM); });
        process->start(program(), {QStringLiteral("-c"), conf});
        if (!process->waitForStarted())
            return fail("mosquitto did not start");
        const bool listening = QTest::qWaitFor(
            [&] {
                QTcpSocket s;
                s.connectToHost(QStringLiteral("127.0.0.1"), quint16(port));
                return process->state() == QProcess::Running && s.waitForConnected(200);
            },
            StartMs);
        return listening ||
               fail("mosquitto did not listen on port " + QString::number(port) + ": " + log());
    }

    void stop()
    {
        if (!process)
            return;
        process->terminate();
        if (!process->waitForFinished(StartMs))
            process->kill();
        process->waitForFinished();
        process.reset();
    }

    // Freezes the broker (SIGSTOP), or lets it go on (SIGCONT): its connections stay open
    // and nothing is answered.
    void freeze(bool frozen)
    {
        if (process)
            ::kill(pid_t(process->processId()), frozen ? SIGSTOP : SIGCONT);
    }

    QString log() const
    {
        QFile f(folder + QStringLiteral("/mosquitto.log"));
        return f.open(QIODevice::ReadOnly) ? QString::fromLocal8Bit(f.readAll().right(2000))
                                           : QString();
    }

private:
    static int freePort()
    {
        QTcpServer s;
        s.listen(QHostAddress::LocalHost);
        return s.serverPort();
    }
    bool fail(const QString& why)
    {
        error = why;
        return false;
    }

    QString folder;
    QByteArray extra;
    std::unique_ptr<QProcess> process;
};

// A client of the test's own through libmosquitto, on the library's thread: what it receives
// is kept, in order, for the test to look through while Qt's events go on.
class TestClient
{
    mutable std::mutex mutex;

    template <class F>
    auto locked(F f) const -> decltype(f())
    {
        std::lock_guard<std::mutex> lock(mutex);
        return f();
    }

public:
    struct Message
    {
        QByteArray topic;
        QByteArray payload;
        bool retained = false;
    };
    struct Options
    {
        QString user;
        QByteArray password;
        QString caFile;
    };

    TestClient()
    {
        static std::once_flag once;
        std::call_once(once, [] { mosquitto_lib_init(); });
        mosq = mosquitto_new(nullptr, true, this);
        mosquitto_message_callback_set(mosq, [](mosquitto*, void* self,
                                                const mosquitto_message* m) {
            auto* c = static_cast<TestClient*>(self);
            std::lock_guard<std::mutex> lock(c->mutex);
            c->messages.push_back({QByteArray(m->topic),
                                   QByteArray(static_cast<const char*>(m->payload), m->payloadlen),
                                   m->retain});
        });
        mosquitto_connect_callback_set(mosq, [](mosquitto*, void* self, int rc) {
            auto* c = static_cast<TestClient*>(self);
            std::lock_guard<std::mutex> lock(c->mutex);
            c->connack = rc;
        });
        mosquitto_subscribe_callback_set(mosq, [](mosquitto*, void* self, int, int, const int*) {
            auto* c = static_cast<TestClient*>(self);
            std::lock_guard<std::mutex> lock(c->mutex);
            ++c->subscribed;
        });
    }
    ~TestClient()
    {
        mosquitto_disconnect(mosq);
        mosquitto_loop_stop(mosq, true);
        mosquitto_destroy(mosq);
    }
    TestClient(const TestClient&) = delete;
    TestClient& operator=(const TestClient&) = delete;

    // Connects and subscribes to `topics`, and waits for the broker to confirm both.
    bool connect(int port, const QStringList& topics, const Options& o = {})
    {
        if (!o.user.isEmpty())
            mosquitto_username_pw_set(mosq, o.user.toUtf8().constData(), o.password.constData());
        if (!o.caFile.isEmpty())
            mosquitto_tls_set(mosq, QFile::encodeName(o.caFile).constData(), nullptr, nullptr,
                              nullptr, nullptr);
        if (mosquitto_connect(mosq, "127.0.0.1", port, 30) != MOSQ_ERR_SUCCESS ||
            mosquitto_loop_start(mosq) != MOSQ_ERR_SUCCESS ||
            !QTest::qWaitFor([&] { return locked([&] { return connack == 0; }); }, 5000))
            return false;
        for (const QString& t : topics)
            mosquitto_subscribe(mosq, nullptr, t.toUtf8().constData(), 1);
        return QTest::qWaitFor([&] { return locked([&] { return subscribed == topics.size(); }); },
                               5000);
    }

    void publish(const QString& topic, const QByteArray& payload)
    {
        mosquitto_publish(mosq, nullptr, topic.toUtf8().constData(), int(payload.size()),
                          payload.constData(), 1, false);
    }

    std::vector<Message> received() const
    {
        return locked([&] { return messages; });
    }
    std::vector<Message> on(const QByteArray& topic) const
    {
        std::vector<Message> found;
        for (const Message& m : received())
            if (m.topic == topic)
                found.push_back(m);
        return found;
    }
    // Waits, with Qt's events going on, until a message on the topic passes the check.
    bool waitFor(const QByteArray& topic, const std::function<bool(const Message&)>& check,
                 int timeoutMs = 5000) const
    {
        return QTest::qWaitFor(
            [&] {
                for (const Message& m : on(topic))
                    if (check(m))
                        return true;
                return false;
            },
            timeoutMs);
    }
    void clear()
    {
        std::lock_guard<std::mutex> lock(mutex);
        messages.clear();
    }

private:
    mosquitto* mosq = nullptr;
    std::vector<Message> messages;
    int connack = -1;
    int subscribed = 0;
};
