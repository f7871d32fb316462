// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "boardsampler.h"
#include "brokercommands.h"
#include "brokeroptions.h"
#include "mqttlink.h"
#include "outbox.h"

#include <QObject>
#include <array>
#include <optional>

class Game;
struct GameEvent;

// The game published to an MQTT broker, under a prefix (pucklight/<board name>):
//   PREFIX/status          "online" while connected, retained; the last will says "offline"
//   PREFIX/state           the state.json of the feed, retained, QoS 1, on every change and at
//                          most ten times a second, with the board's tick (BoardSampler)
//   PREFIX/clock           the clock as the board shows it ("12:34", "45.6"), retained
//   PREFIX/events          each new entry of the game record, QoS 1
//   PREFIX/command         with --mqtt-control: commands with the remote token (BrokerCommands)
//   PREFIX/command/result  their answers
// It lives as long as the game, on the game's thread; the network is MqttLink's, on a thread of
// its own, so a slow or absent broker never holds up the board. While the broker cannot be
// reached, or cannot keep up, the latest state and clock wait, and up to Outbox::MaxEvents
// events; a new connection sends the state at once. Problems are told once on stderr.
class BrokerClient : public QObject
{
    Q_OBJECT
    Q_DISABLE_COPY(BrokerClient)
public:
    // Messages handed to the connection and not yet through; more wait in the outbox.
    static constexpr int MaxInFlight = 64;
    // How long the board's end waits for "offline" to reach the broker.
    static constexpr int GoodbyeMs = 1000;

    enum class Status { Connecting, Connected, Unreachable };

    BrokerClient(Game* game, const BrokerOptions& options);
    ~BrokerClient() override;

    // Starts publishing the game as the options ask; null when they ask for no broker.
    static BrokerClient* start(Game* game, const BrokerOptions& options);
    // Says "offline" and goes, without waiting for the broker: the goodbye goes on, for
    // GoodbyeMs at most, after the client is gone (deleted later).
    void leave();

    const QString& prefix() const { return topicPrefix; }
    QString address() const { return options.address(); }
    Status status() const { return state; }
    // Why the broker could not be reached last, while Unreachable.
    const QString& problem() const { return lastProblem; }
    // How it stands, in one line, for the log and the tests.
    QString statusText() const;

    BoardSampler sampler;

Q_SIGNALS:
    void statusChanged();

private:
    QByteArray topic(const char* leaf) const;
    void boardChanged();
    void recorded(const GameEvent& event);
    void pump();
    void linkConnected();
    void linkLost(const QString& why, bool wasUp);
    void received(const QByteArray& topic, const QByteArray& payload);
    void setStatus(Status s, const QString& why = {});

    BrokerOptions options;
    QString topicPrefix;
    std::array<QByteArray, 4> topics; // by Outbox::Topic
    MqttLink* link = nullptr;
    Outbox outbox;
    std::optional<BrokerCommands> commands;
    QString clockSent;
    Status state = Status::Connecting;
    QString lastProblem;
    bool everConnected = false;
};
