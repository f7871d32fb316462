// SPDX-License-Identifier: GPL-3.0-or-later
#include "mqttlink.h"

#include <QDir>
#include <QMetaObject>
#include <atomic>
#include <cerrno>
#include <chrono>
#include <condition_variable>
#include <csignal>
#include <cstring>
#include <mosquitto.h>
#include <mutex>
#include <netdb.h>
#include <poll.h>
#include <pthread.h>
#include <sys/socket.h>
#include <unistd.h>

namespace {

using Clock = std::chrono::steady_clock;
using std::chrono::milliseconds;

// How long one turn of the network loop may wait for the socket: how soon a stop is seen.
constexpr int LoopMs = 200;
// After the DISCONNECT, how long the loop may take to send it.
constexpr int DisconnectMs = 300;
constexpr int QosRefused = 0x80;
// While waiting to try again a broker that was not listening, how often its port is knocked on.
constexpr int ProbeMs = 1000;

void initLibrary()
{
    static std::once_flag once;
    std::call_once(once, [] { mosquitto_lib_init(); });
}

// Whether something accepts a TCP connection on the host's port, within ProbeMs.
bool listens(const QString& host, int port)
{
    addrinfo hints{};
    hints.ai_socktype = SOCK_STREAM;
    addrinfo* found = nullptr;
    if (getaddrinfo(host.toUtf8().constData(), QByteArray::number(port).constData(), &hints,
                    &found) != 0)
        return false;
    bool open = false;
    for (const addrinfo* a = found; a && !open; a = a->ai_next) {
        const int fd =
            ::socket(a->ai_family, a->ai_socktype | SOCK_NONBLOCK | SOCK_CLOEXEC, a->ai_protocol);
        if (fd < 0)
            continue;
        if (::connect(fd, a->ai_addr, a->ai_addrlen) == 0) {
            open = true;
        } else if (errno == EINPROGRESS) {
            pollfd p{fd, POLLOUT, 0};
            int error = 0;
            socklen_t size = sizeof error;
            open = ::poll(&p, 1, ProbeMs) == 1 &&
                   ::getsockopt(fd, SOL_SOCKET, SO_ERROR, &error, &size) == 0 && error == 0;
        }
        ::close(fd);
    }
    freeaddrinfo(found);
    return open;
}

QString errorText(int rc, int savedErrno)
{
    if (rc == MOSQ_ERR_ERRNO)
        return QString::fromLocal8Bit(std::strerror(savedErrno));
    return QString::fromUtf8(mosquitto_strerror(rc));
}

} // namespace

// What the link and its thread share. The thread holds it as long as it runs, so a thread
// that outlives the link (given up in a name lookup) still finds it whole.
struct MqttLink::Worker
{
    explicit Worker(const Config& c) : config(c) {}
    ~Worker()
    {
        if (mosq)
            mosquitto_destroy(mosq);
    }

    const Config config;
    struct mosquitto* mosq = nullptr;

    std::mutex mutex; // guards what follows, up to the thread's own
    std::condition_variable wake;
    MqttLink* link = nullptr; // null once the link has gone
    bool stopping = false;
    int lastWordsMs = 0;
    bool finished = false;

    std::atomic<bool> up{false};
    std::atomic<int> waitingMessages{0};
    // What is handed over and not through. Counted without a word to the link's thread: it
    // hears of it only when it asked for room, so a message costs it no wake-up.
    std::atomic<int> unfinished{0};
    std::atomic<int> roomWanted{0};
    std::atomic<int> lastWords{-1}; // the message the stop waits for
    std::atomic<bool> lastWordsDelivered{false};

    // The thread's own.
    bool accepted = false; // the broker accepted this attempt's connection
    int answer = -1;       // its CONNACK code, once it came
    QString lastLogError;  // the library's last error line (TLS says why only there)

    // Runs `f(link)` on the link's thread, if the link is still there.
    template <class F>
    void post(F f)
    {
        std::lock_guard<std::mutex> lock(mutex);
        if (link)
            QMetaObject::invokeMethod(
                link, [l = link, f = std::move(f)] { f(l); }, Qt::QueuedConnection);
    }

    bool isStopping()
    {
        std::lock_guard<std::mutex> lock(mutex);
        return stopping;
    }

    void run();
    void runConnected(Clock::time_point attemptStart, int* rc, int* savedErrno);
    // Waits `ms` before the next attempt, or until a stop; less when `nobodyListened` and the
    // broker's port takes a connection again.
    void waitToRetry(int ms, bool nobodyListened);
    void sayGoodbye();
    QString whyFailed(int rc, int savedErrno) const;

    static void onConnect(struct mosquitto*, void* self, int rc);
    static void onPublish(struct mosquitto*, void* self, int mid);
    static void onSubscribe(struct mosquitto*, void* self, int mid, int count, const int* qos);
    static void onMessage(struct mosquitto*, void* self, const struct mosquitto_message* m);
    static void onLog(struct mosquitto*, void* self, int level, const char* text);
};

MqttLink::MqttLink(const Config& config, QObject* parent)
    : QObject(parent), worker(std::make_shared<Worker>(config))
{
    initLibrary();
    worker->link = this;
}

MqttLink::~MqttLink()
{
    stop({}, {}, 0);
}

bool MqttLink::start(QString* error)
{
    const Config& c = worker->config;
    const auto fail = [error](const QString& why) {
        *error = why;
        return false;
    };
    struct mosquitto* mosq = mosquitto_new(c.clientId.constData(), true, worker.get());
    if (!mosq)
        return fail(QString::fromLocal8Bit(std::strerror(errno)));
    worker->mosq = mosq;
    mosquitto_int_option(mosq, MOSQ_OPT_PROTOCOL_VERSION, MQTT_PROTOCOL_V311);
    // A goal is news now: each message goes out as it is handed over, not held back for the
    // acknowledgement of the one before.
    mosquitto_int_option(mosq, MOSQ_OPT_TCP_NODELAY, 1);
    mosquitto_threaded_set(mosq, true);
    mosquitto_connect_callback_set(mosq, &Worker::onConnect);
    mosquitto_publish_callback_set(mosq, &Worker::onPublish);
    mosquitto_subscribe_callback_set(mosq, &Worker::onSubscribe);
    mosquitto_message_callback_set(mosq, &Worker::onMessage);
    mosquitto_log_callback_set(mosq, &Worker::onLog);
    if (!c.user.isEmpty() && mosquitto_username_pw_set(mosq, c.user.toUtf8().constData(),
                                                       c.password ? c.password->constData()
                                                                  : nullptr) != MOSQ_ERR_SUCCESS)
        return fail(QStringLiteral("the user name or password cannot be used"));
    if (!c.willTopic.isEmpty() &&
        mosquitto_will_set(mosq, c.willTopic.constData(), int(c.willPayload.size()),
                           c.willPayload.constData(), 1, true) != MOSQ_ERR_SUCCESS)
        return fail(
            QStringLiteral("the topic %1 cannot be used").arg(QString::fromUtf8(c.willTopic)));
    if (c.tls) {
        int rc = MOSQ_ERR_SUCCESS;
        if (c.caFile.isEmpty())
            rc = mosquitto_int_option(mosq, MOSQ_OPT_TLS_USE_OS_CERTS, 1);
        else
            rc = mosquitto_tls_set(mosq, QFile::encodeName(c.caFile).constData(), nullptr, nullptr,
                                   nullptr, nullptr);
        if (rc != MOSQ_ERR_SUCCESS)
            return fail(QStringLiteral("cannot use the CA file %1: %2")
                            .arg(QDir::toNativeSeparators(c.caFile),
                                 QString::fromUtf8(mosquitto_strerror(rc))));
    }
    thread = std::thread([w = worker] { w->run(); });
    return true;
}

bool MqttLink::publish(const QByteArray& topic, const QByteArray& payload, int qos, bool retain)
{
    return publishMessage(topic, payload, qos, retain) >= 0;
}

int MqttLink::publishMessage(const QByteArray& topic, const QByteArray& payload, int qos,
                             bool retain)
{
    if (!worker->mosq || !worker->up)
        return -1;
    int mid = -1;
    ++worker->unfinished;
    const int rc = mosquitto_publish(worker->mosq, &mid, topic.constData(), int(payload.size()),
                                     payload.constData(), qos, retain);
    if (rc == MOSQ_ERR_SUCCESS)
        return mid;
    --worker->unfinished;
    return -1;
}

int MqttLink::unfinished() const
{
    return worker->unfinished;
}

void MqttLink::askForRoom(int count)
{
    worker->roomWanted = count;
    // It may have come between the look and the asking.
    if (worker->unfinished < count && worker->roomWanted.exchange(0) > 0)
        QMetaObject::invokeMethod(
            this, [this] { Q_EMIT room(); }, Qt::QueuedConnection);
}

void MqttLink::stop(const QByteArray& topic, const QByteArray& payload, int waitMs, Wait wait)
{
    if (!thread.joinable()) {
        std::lock_guard<std::mutex> lock(worker->mutex);
        worker->link = nullptr;
        return;
    }
    worker->lastWords = topic.isEmpty() ? -1 : publishMessage(topic, payload, 1, true);
    std::unique_lock<std::mutex> lock(worker->mutex);
    worker->stopping = true;
    worker->lastWordsMs = waitMs;
    worker->link = nullptr; // nothing is posted to a link on its way out
    worker->wake.notify_all();
    if (wait == Wait::No) {
        lock.unlock();
        thread.detach(); // it holds the worker
        return;
    }
    const bool ended = worker->wake.wait_for(lock, milliseconds(waitMs + LoopMs + DisconnectMs),
                                             [this] { return worker->finished; });
    lock.unlock();
    if (ended)
        thread.join();
    else
        thread.detach(); // it holds the worker, and ends with it or with the program
}

void MqttLink::Worker::run()
{
    // A write to a socket the broker has closed must fail, not end the program.
    sigset_t pipe;
    sigemptyset(&pipe);
    sigaddset(&pipe, SIGPIPE);
    pthread_sigmask(SIG_BLOCK, &pipe, nullptr);
    pthread_setname_np(pthread_self(), "pucklight-mqtt");

    const QByteArray host = config.host.toUtf8();
    bool first = true;
    int retryMs = FirstRetryMs;
    while (!isStopping()) {
        accepted = false;
        answer = -1;
        lastLogError.clear();
        const Clock::time_point attemptStart = Clock::now();
        int rc = first ? mosquitto_connect_async(mosq, host.constData(), config.port,
                                                 config.keepAliveSeconds)
                       : mosquitto_reconnect_async(mosq);
        int savedErrno = errno;
        first = false;
        if (rc == MOSQ_ERR_SUCCESS)
            runConnected(attemptStart, &rc, &savedErrno);
        const bool wasUp = up.exchange(false);
        if (isStopping())
            break;
        const QString why = whyFailed(rc, savedErrno);
        post([why, wasUp](MqttLink* l) {
            if (wasUp)
                Q_EMIT l->disconnected(why);
            else
                Q_EMIT l->attemptFailed(why);
        });
        if (accepted)
            retryMs = FirstRetryMs;
        waitToRetry(retryMs, rc == MOSQ_ERR_ERRNO && savedErrno == ECONNREFUSED);
        retryMs = std::min(retryMs * 2, LastRetryMs);
    }
    std::lock_guard<std::mutex> lock(mutex);
    finished = true;
    wake.notify_all();
}

void MqttLink::Worker::waitToRetry(int ms, bool nobodyListened)
{
    const Clock::time_point due = Clock::now() + milliseconds(ms);
    for (;;) {
        {
            std::unique_lock<std::mutex> lock(mutex);
            const Clock::time_point next = std::min(due, Clock::now() + milliseconds(ProbeMs));
            if (wake.wait_until(lock, next, [this] { return stopping; }) || next >= due)
                return;
        }
        // A broker that was not there at all is tried again as soon as it listens: a knock
        // on its port costs it nothing. One that refused or dropped this board waits it out.
        if (nobodyListened && listens(config.host, config.port))
            return;
    }
}

void MqttLink::Worker::runConnected(Clock::time_point attemptStart, int* rc, int* savedErrno)
{
    for (;;) {
        *rc = mosquitto_loop(mosq, LoopMs, 1);
        *savedErrno = errno;
        if (*rc != MOSQ_ERR_SUCCESS)
            return;
        if (isStopping()) {
            sayGoodbye();
            return;
        }
        if (answer < 0 && Clock::now() - attemptStart > milliseconds(ConnectTimeoutMs)) {
            *rc = MOSQ_ERR_TIMEOUT;
            return;
        }
        if (answer > 0) { // refused: the broker closes the connection itself
            *rc = MOSQ_ERR_CONN_REFUSED;
            return;
        }
    }
}

void MqttLink::Worker::sayGoodbye()
{
    Clock::time_point deadline;
    {
        std::lock_guard<std::mutex> lock(mutex);
        deadline = Clock::now() + milliseconds(lastWordsMs);
    }
    // Without last words the connection is only dropped, and the broker says them: the will.
    // A DISCONNECT would tell it to keep the will to itself.
    if (lastWords < 0)
        return;
    // The last words were handed over before the stop; they go out with the loop.
    while (!lastWordsDelivered && Clock::now() < deadline &&
           mosquitto_loop(mosq, LoopMs / 4, 1) == MOSQ_ERR_SUCCESS) {
    }
    mosquitto_disconnect(mosq);
    const Clock::time_point gone = Clock::now() + milliseconds(DisconnectMs);
    while (Clock::now() < gone && mosquitto_loop(mosq, LoopMs / 4, 1) == MOSQ_ERR_SUCCESS) {
    }
}

QString MqttLink::Worker::whyFailed(int rc, int savedErrno) const
{
    if (rc == MOSQ_ERR_CONN_REFUSED && answer > 0)
        return QString::fromUtf8(mosquitto_connack_string(answer));
    if (rc == MOSQ_ERR_TIMEOUT)
        return QStringLiteral("no answer in %1 s").arg(ConnectTimeoutMs / 1000);
    QString why = errorText(rc, savedErrno);
    if (!lastLogError.isEmpty())
        why += QStringLiteral(" (") + lastLogError + QLatin1Char(')');
    return why;
}

void MqttLink::Worker::onConnect(struct mosquitto* mosq, void* self, int rc)
{
    auto* w = static_cast<Worker*>(self);
    w->answer = rc;
    if (rc != 0)
        return;
    w->accepted = true;
    w->unfinished = 0; // what was not through on the last connection is the library's to resend
    if (!w->config.subscription.isEmpty())
        mosquitto_subscribe(mosq, nullptr, w->config.subscription.constData(), 1);
    w->up = true;
    w->post([](MqttLink* l) { Q_EMIT l->connected(); });
}

void MqttLink::Worker::onPublish(struct mosquitto*, void* self, int mid)
{
    auto* w = static_cast<Worker*>(self);
    if (mid == w->lastWords)
        w->lastWordsDelivered = true;
    // One handed over before a reconnection may come through after it: never below 0.
    int left = --w->unfinished;
    if (left < 0) {
        w->unfinished = 0;
        left = 0;
    }
    const int wanted = w->roomWanted;
    if (wanted > 0 && left < wanted && w->roomWanted.exchange(0) > 0)
        w->post([](MqttLink* l) { Q_EMIT l->room(); });
}

void MqttLink::Worker::onSubscribe(struct mosquitto*, void* self, int, int count, const int* qos)
{
    auto* w = static_cast<Worker*>(self);
    if (count >= 1 && qos[0] == QosRefused)
        w->post([](MqttLink* l) { Q_EMIT l->subscriptionRefused(); });
}

void MqttLink::Worker::onMessage(struct mosquitto*, void* self, const struct mosquitto_message* m)
{
    auto* w = static_cast<Worker*>(self);
    if (w->waitingMessages >= MaxWaitingMessages || !m->topic)
        return;
    ++w->waitingMessages;
    const QByteArray topic(m->topic);
    const QByteArray payload(static_cast<const char*>(m->payload),
                             std::min(m->payloadlen, MaxMessageBytes + 1));
    w->post([w, topic, payload](MqttLink* l) {
        --w->waitingMessages;
        Q_EMIT l->received(topic, payload);
    });
}

void MqttLink::Worker::onLog(struct mosquitto*, void* self, int level, const char* text)
{
    if ((level & MOSQ_LOG_ERR) && text)
        static_cast<Worker*>(self)->lastLogError = QString::fromUtf8(text).left(200);
}
