// SPDX-License-Identifier: GPL-3.0-or-later
#include "boardsampler.h"

#include "game.h"

BoardSampler::BoardSampler(const Game* g, QObject* parent) : QObject(parent), game(g)
{
    timer.setInterval(IntervalMs);
    connect(&timer, &QTimer::timeout, this, &BoardSampler::sample);
}

void BoardSampler::start()
{
    timer.start();
}

void BoardSampler::sample()
{
    if (!game)
        return;
    BoardState next = readBoardState(*game);
    if (sampled && next == current)
        return;
    sampled = true;
    current = std::move(next);
    currentJson = stateJson(current);
    Q_EMIT changed();
}
