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
    if (game)
        connect(game, &Game::changed, this, &BoardSampler::gameChanged);
}

void BoardSampler::gameChanged()
{
    if (timer.isActive())
        return; // a look is due anyway
    const qint64 since = sinceLook.isValid() ? sinceLook.elapsed() : qint64(IntervalMs);
    if (since >= IntervalMs - slackMs)
        sample();
    else
        timer.start(static_cast<int>(IntervalMs - since));
}

void BoardSampler::sample()
{
    if (!game)
        return;
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
