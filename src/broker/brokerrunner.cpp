// SPDX-License-Identifier: GPL-3.0-or-later
#include "brokerrunner.h"

#include "brokerclient.h"
#include "game.h"

BrokerRunner::BrokerRunner(Game* g, std::optional<BrokerOptions> options)
    : QObject(g), game(g), given(std::move(options))
{
    connect(game, &Game::settingsChanged, this, &BrokerRunner::follow);
    follow();
}

// The client lives with the game; at the program's end the game takes it, and it waits for
// its goodbye there.
BrokerRunner::~BrokerRunner() = default;

BrokerClient* BrokerRunner::client() const
{
    return current;
}

void BrokerRunner::follow()
{
    BrokerOptions wanted;
    QString problem;
    if (given)
        wanted = *given;
    else if (!wanted.readSettings(game->settings(), &problem))
        wanted = BrokerOptions();
    const QString prefix = wanted.prefixFor(game->settings().BoardName);
    const bool same = wanted == running && (!wanted.wanted() || prefix == runningPrefix);
    if (same && problem == why)
        return;
    if (problem != why && !problem.isEmpty())
        qWarning("pucklight: the MQTT broker in the options cannot be used: %s; the board "
                 "publishes to none",
                 qUtf8Printable(problem));
    why = problem;
    if (!same) {
        if (current)
            current->leave();
        running = wanted;
        runningPrefix = prefix;
        current = BrokerClient::start(game, wanted);
    }
    Q_EMIT clientChanged();
}
