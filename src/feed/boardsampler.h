// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "boardstate.h"

#include <QObject>
#include <QPointer>
#include <QTimer>

class Game;

// Looks at the game ten times a second and reports when what the board shows has changed.
// Changes that come in a burst (a key and the tick) are published once.
class BoardSampler : public QObject
{
    Q_OBJECT
    Q_DISABLE_COPY(BoardSampler)
public:
    static constexpr int IntervalMs = 100;

    explicit BoardSampler(const Game* game, QObject* parent = nullptr);

    void start();
    // One look at the game, as the timer takes it. Emits changed() when the board shows
    // something new; the first look always counts as new.
    void sample();

    const BoardState& state() const { return current; }
    const QByteArray& json() const { return currentJson; }

Q_SIGNALS:
    void changed();

private:
    QPointer<const Game> game;
    QTimer timer;
    BoardState current;
    QByteArray currentJson;
    bool sampled = false;
};
