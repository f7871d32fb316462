// SPDX-License-Identifier: GPL-3.0-or-later
#include "boardsampler.h"

#include "game.h"

#include <QJsonDocument>

BoardSampler::BoardSampler(const Game* g, QObject* parent) : QObject(parent), game(g)
{
    timer.setSingleShot(true);
    connect(&timer, &QTimer::timeout, this, &BoardSampler::sample);
}

void BoardSampler::start()
{
    if (!game)
        return;
    connect(game, &Game::changed, this, &BoardSampler::gameChanged);
    connect(game, &Game::ticked, this, &BoardSampler::gameTicked);
}

void BoardSampler::gameChanged()
{
    changedSinceLook = true;
    if (game->state().tickEnabled()) {
        // The next tick looks, within an interval; the timer is only there should the
        // ticks stop before it.
        if (!timer.isActive())
            timer.start(IntervalMs + IntervalMs / 2);
        return;
    }
    const qint64 since = sinceLook.isValid() ? sinceLook.elapsed() : qint64(IntervalMs);
    if (since >= IntervalMs - SlackMs)
        sample();
    else if (const int due = static_cast<int>(IntervalMs - since);
             !timer.isActive() || timer.remainingTime() > due)
        timer.start(due); // sooner than a timer left from the ticks
}

void BoardSampler::gameTicked()
{
    // A tick that comes early (the one before was late) waits for the next: looking in
    // between would set the looks apart from the ticks for good.
    if (changedSinceLook && (!sinceLook.isValid() || sinceLook.elapsed() >= IntervalMs - SlackMs))
        sample();
}

void BoardSampler::sample()
{
    if (!game)
        return;
    timer.stop();
    changedSinceLook = false;
    sinceLook.start();
    BoardState next = readBoardState(*game);
    next.overlayVisible = showOverlay;
    const int64_t nextEvent = game->record().nextId();
    if (sampled && next == current && nextEvent == recordNext)
        return;
    if (!sampled || nextEvent != recordNext)
        currentEvents = QJsonDocument(game->record().toJson()).toJson(QJsonDocument::Compact);
    sampled = true;
    recordNext = nextEvent;
    current = std::move(next);
    currentJson = stateJson(current);
    Q_EMIT changed();
}

void BoardSampler::setOverlayVisible(bool visible)
{
    if (visible == showOverlay)
        return;
    showOverlay = visible;
    sample();
}
