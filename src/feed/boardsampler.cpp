#include "boardsampler.h"

#include "frmscoreboard.h"

BoardSampler::BoardSampler(frmScoreBoard* b, QObject* parent) : QObject(parent), board(b)
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
    if (!board)
        return;
    BoardState next = readBoardState(*board);
    if (sampled && next == current)
        return;
    sampled = true;
    current = std::move(next);
    currentJson = stateJson(current);
    Q_EMIT changed();
}
