// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "boardstate.h"

#include <QElapsedTimer>
#include <QObject>
#include <QPointer>
#include <QTimer>

class Game;

// Follows the game's changes and reports when what the board shows, or the game record, has
// changed, at most ten times a second: changes that come in a burst (a key and the tick) are
// published once. While the clocks tick, the looks go with the ticks, so what is published
// is never older than the board's last tick: a change between two ticks is looked at with
// the next one, and a tick that comes too soon after a look is left to the one after it.
// Only when the ticks stop does a timer take a held change's look.
class BoardSampler : public QObject
{
    Q_OBJECT
    Q_DISABLE_COPY(BoardSampler)
public:
    static constexpr int IntervalMs = 100;

    explicit BoardSampler(const Game* game, QObject* parent = nullptr);

    // Follows the game from now on.
    void start();
    // A change or a tick that comes up to `ms` short of the interval is looked at at once
    // rather than held: the ticks come a hundred milliseconds apart give or take what the
    // window did before them, and each look is then never more than `ms` early.
    static constexpr int SlackMs = 10;
    // One look at the game. Emits changed() when the board shows something new; the first
    // look always counts as new.
    void sample();

    // Whether the overlay is to be shown: not a part of the game, so kept here, for as long as
    // the program runs (it starts shown). A change is published at once.
    void setOverlayVisible(bool visible);
    bool overlayVisible() const { return showOverlay; }

    const BoardState& state() const { return current; }
    const QByteArray& json() const { return currentJson; }
    // The game record as events.json holds it: {"next", "dropped", "events": [...]}.
    const QByteArray& eventsJson() const { return currentEvents; }

Q_SIGNALS:
    void changed();

private:
    void gameChanged();
    void gameTicked();

    QPointer<const Game> game;
    QTimer timer; // a look held back to keep to the rate, or in case the ticks stop
    QElapsedTimer sinceLook;
    BoardState current;
    QByteArray currentJson;
    QByteArray currentEvents;
    int64_t recordNext = 0; // the record's next entry number as of the last look
    bool sampled = false;
    bool changedSinceLook = false;
    bool showOverlay = true;
};
