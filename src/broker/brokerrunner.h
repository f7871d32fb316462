// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "brokeroptions.h"

#include <QObject>
#include <QPointer>
#include <optional>

class BrokerClient;
class Game;

// Keeps the game published to the broker the options name (the MQTT page), or to the one the
// command line gave (--mqtt, which holds for the whole run). When the options name another
// broker, prefix or board name, the client of the old one says its goodbye ("offline") on its
// way out, without holding up the board, and a client of the new one starts; when they name
// none, there is none. A broker named in the options that cannot be used (a credentials file
// gone, say) is told once on the terminal and by problem(), and the board runs without one.
class BrokerRunner : public QObject
{
    Q_OBJECT
    Q_DISABLE_COPY(BrokerRunner)
public:
    BrokerRunner(Game* game, std::optional<BrokerOptions> given);
    ~BrokerRunner() override;

    // The client publishing the game now; null with no broker.
    BrokerClient* client() const;
    // Why the broker the options name is not used; empty when it is, or none is named.
    const QString& problem() const { return why; }

Q_SIGNALS:
    // Another client, none, or another problem.
    void clientChanged();

private:
    void follow();

    Game* game;
    std::optional<BrokerOptions> given;
    BrokerOptions running;
    QString runningPrefix;
    QPointer<BrokerClient> current;
    QString why;
};
