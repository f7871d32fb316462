// SPDX-License-Identifier: GPL-3.0-or-later
#include "brokerclient.h"

#include "game.h"

#include <QDir>
#include <QJsonDocument>
#include <QRandomGenerator>

namespace {

const QByteArray Online = QByteArrayLiteral("online");
const QByteArray Offline = QByteArrayLiteral("offline");

} // namespace

BrokerClient::BrokerClient(Game* game, const BrokerOptions& o)
    : QObject(game), sampler(game), options(o), topicPrefix(o.prefixFor(game->settings().BoardName))
{
    MqttLink::Config c;
    c.host = o.host;
    c.port = o.port;
    c.tls = o.tls;
    c.caFile = o.caFile;
    c.user = o.user;
    c.password = o.password;
    // Two boards of the same name must not throw each other off the broker.
    c.clientId = "pucklight-" + game->settings().BoardName.toUtf8().left(32) + '-' +
                 QByteArray::number(QRandomGenerator::system()->generate(), 16);
    topics = {topic("state"), topic("clock"), topic("events"), topic("command/result")};
    c.willTopic = topic("status");
    c.willPayload = Offline;
    if (o.control) {
        QString error;
        bool created = false;
        if (const auto token = RemoteToken::obtain(&error, &created)) {
            commands.emplace(*game, *token);
            c.subscription = topic("command");
            if (created)
                qInfo("pucklight: a new remote token is in %s",
                      qUtf8Printable(QDir::toNativeSeparators(RemoteToken::defaultPath())));
        } else {
            qWarning("pucklight: --mqtt-control: %s; the board takes no commands from the broker",
                     qUtf8Printable(error));
        }
    }

    link = new MqttLink(c, this);
    connect(link, &MqttLink::connected, this, &BrokerClient::linkConnected);
    connect(link, &MqttLink::disconnected, this,
            [this](const QString& why) { linkLost(why, true); });
    connect(link, &MqttLink::attemptFailed, this,
            [this](const QString& why) { linkLost(why, false); });
    connect(link, &MqttLink::room, this, &BrokerClient::pump);
    connect(link, &MqttLink::received, this, &BrokerClient::received);
    connect(link, &MqttLink::subscriptionRefused, this, [this] {
        qWarning("pucklight: the MQTT broker does not let this board read %s: it takes no "
                 "commands from there",
                 topic("command").constData());
    });
    connect(&sampler, &BoardSampler::changed, this, &BrokerClient::boardChanged);
    connect(game, &Game::recorded, this, &BrokerClient::recorded);
    sampler.sample();
    sampler.start();

    QString error;
    if (!link->start(&error)) {
        qWarning("pucklight: cannot publish to the MQTT broker at %s: %s; the board runs without "
                 "it",
                 qUtf8Printable(options.address()), qUtf8Printable(error));
        setStatus(Status::Unreachable, error);
    }
}

BrokerClient::~BrokerClient()
{
    link->stop(topic("status"), Offline, GoodbyeMs);
}

void BrokerClient::leave()
{
    // Nothing more goes out after the goodbye.
    disconnect(parent(), nullptr, this, nullptr);
    sampler.disconnect(this);
    link->disconnect(this);
    link->stop(topic("status"), Offline, GoodbyeMs, MqttLink::Wait::No);
    deleteLater();
}

BrokerClient* BrokerClient::start(Game* game, const BrokerOptions& options)
{
    if (!game || !options.wanted())
        return nullptr;
    return new BrokerClient(game, options);
}

QString BrokerClient::statusText() const
{
    switch (state) {
    case Status::Connecting:
        return QStringLiteral("MQTT: connecting to %1").arg(options.address());
    case Status::Connected:
        return QStringLiteral("MQTT: publishing to %1 as %2/").arg(options.address(), topicPrefix);
    case Status::Unreachable:
        return QStringLiteral("MQTT: cannot reach %1 (%2); trying again")
            .arg(options.address(), lastProblem);
    }
    return {};
}

QByteArray BrokerClient::topic(const char* leaf) const
{
    return topicPrefix.toUtf8() + '/' + leaf;
}

void BrokerClient::boardChanged()
{
    outbox.setState(sampler.json());
    if (sampler.state().clockText != clockSent) {
        clockSent = sampler.state().clockText;
        outbox.setClock(clockSent.toUtf8());
    }
    pump();
}

void BrokerClient::recorded(const GameEvent& event)
{
    outbox.addEvent(QJsonDocument(GameRecord::eventJson(event)).toJson(QJsonDocument::Compact));
    pump();
}

void BrokerClient::pump()
{
    while (state == Status::Connected) {
        if (link->unfinished() >= MaxInFlight) {
            link->askForRoom(MaxInFlight / 2);
            return;
        }
        const auto m = outbox.next();
        if (!m)
            return;
        // The clock changes ten times a second and only its latest counts: it goes without
        // acknowledgement.
        const int qos = m->topic == Outbox::Topic::Clock ? 0 : 1;
        const bool retain = m->topic == Outbox::Topic::State || m->topic == Outbox::Topic::Clock;
        if (!link->publish(topics[size_t(m->topic)], m->payload, qos, retain))
            return; // the connection has just gone; its news is on the way
        outbox.pop();
    }
}

void BrokerClient::linkConnected()
{
    if (everConnected)
        qInfo("pucklight: connected again to the MQTT broker at %s",
              qUtf8Printable(options.address()));
    else
        qInfo("pucklight: publishing the game to the MQTT broker at %s under %s/",
              qUtf8Printable(options.address()), qUtf8Printable(topicPrefix));
    if (outbox.dropped() > 0)
        qInfo("pucklight: %lld events were dropped while the broker could not be reached; a note "
              "on %s says so",
              static_cast<long long>(outbox.dropped()), topic("events").constData());
    everConnected = true;
    link->publish(topic("status"), Online, 1, true);
    // Whatever the broker kept may be stale, or gone with a broker that restarted.
    clockSent = sampler.state().clockText;
    outbox.setState(sampler.json());
    outbox.setClock(clockSent.toUtf8());
    setStatus(Status::Connected);
    pump();
}

void BrokerClient::linkLost(const QString& why, bool wasUp)
{
    const bool firstFailure = state != Status::Unreachable;
    if (firstFailure) {
        if (wasUp)
            qWarning("pucklight: lost the MQTT broker at %s (%s); trying again",
                     qUtf8Printable(options.address()), qUtf8Printable(why));
        else
            qWarning("pucklight: cannot reach the MQTT broker at %s (%s); the board runs on and "
                     "keeps trying",
                     qUtf8Printable(options.address()), qUtf8Printable(why));
    }
    setStatus(Status::Unreachable, why);
}

void BrokerClient::received(const QByteArray& topicName, const QByteArray& payload)
{
    if (!commands || topicName != topic("command"))
        return;
    outbox.addAnswer(commands->handle(payload));
    pump();
}

void BrokerClient::setStatus(Status s, const QString& why)
{
    if (s == state && why == lastProblem)
        return;
    state = s;
    lastProblem = why;
    Q_EMIT statusChanged();
}
