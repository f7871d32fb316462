// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QByteArray>
#include <QObject>
#include <QString>
#include <memory>
#include <optional>
#include <thread>

// One connection to an MQTT broker through libmosquitto, kept up on a thread of its own: the
// network, name lookups, TLS and the waits between attempts never hold up the thread that
// uses it. Lost or refused, it tries again after 1 s, then 2, 4, ... up to 30 s between
// attempts, and from 1 s again once a connection has been made. What happens comes out as
// signals on the thread the link lives in.
class MqttLink : public QObject
{
    Q_OBJECT
    Q_DISABLE_COPY(MqttLink)
public:
    struct Config
    {
        QString host;
        int port = 1883;
        bool tls = false;
        QString caFile; // with tls; empty: the system's CAs
        QString user;   // empty: none
        std::optional<QByteArray> password;
        QByteArray clientId;
        QByteArray willTopic; // empty: no last will
        QByteArray willPayload;
        QByteArray subscription; // a topic taken on every connection; empty: none
        int keepAliveSeconds = 20;
    };
    // The wait before trying again doubles from the first to the last; while nothing listens
    // on the broker's port, the port is knocked on every second and tried as soon as it answers.
    static constexpr int FirstRetryMs = 1000;
    static constexpr int LastRetryMs = 30000;
    // An attempt that has no answer from the broker in this time is given up and retried.
    static constexpr int ConnectTimeoutMs = 10000;
    // A message on the subscription is handed on with at most this many bytes (and a longer
    // one with one more, to show that it is too long); at most MaxWaitingMessages wait to be
    // handled, and more are dropped.
    static constexpr int MaxMessageBytes = 4096;
    static constexpr int MaxWaitingMessages = 32;

    explicit MqttLink(const Config& config, QObject* parent = nullptr);
    // Stops, if stop() was not called, without last words.
    ~MqttLink() override;

    // Starts connecting; false, with the reason, when the connection cannot even be set up (a
    // CA file the TLS library cannot read).
    bool start(QString* error);
    // Hands a message to the connection: false when it cannot be handed over now.
    bool publish(const QByteArray& topic, const QByteArray& payload, int qos, bool retain);
    // Messages handed over on this connection and not yet through: the broker has not
    // acknowledged them (QoS 1) or they have not been sent (QoS 0).
    int unfinished() const;
    // Asks for room() once fewer than `count` are unfinished.
    void askForRoom(int count);
    // Sends the last words if connected, waits up to `waitMs` for them to reach the broker,
    // and disconnects. The thread is left to end by itself if it does not within that time
    // (it may be in a name lookup), and is given up at the program's end. With Wait::No the
    // caller goes on at once, and the thread says the last words and ends by itself.
    enum class Wait { Yes, No };
    void stop(const QByteArray& topic, const QByteArray& payload, int waitMs,
              Wait wait = Wait::Yes);

Q_SIGNALS:
    void connected();
    // A connection that was up is lost, or an attempt failed; `why` in words.
    void disconnected(const QString& why);
    void attemptFailed(const QString& why);
    // There is room again, as askForRoom() asked.
    void room();
    void received(const QByteArray& topic, const QByteArray& payload);
    // The broker would not let this client read its subscription.
    void subscriptionRefused();

private:
    int publishMessage(const QByteArray& topic, const QByteArray& payload, int qos, bool retain);

    struct Worker;
    std::shared_ptr<Worker> worker;
    std::thread thread;
};
