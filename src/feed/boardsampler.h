#pragma once

#include "boardstate.h"

#include <QObject>
#include <QPointer>
#include <QTimer>

class frmScoreBoard;

// Looks at the board ten times a second and reports when what it shows has changed. The
// board's own tick stops with the clock at zero while keys still change the board, so the
// sampler keeps a timer of its own. A look costs a few dozen property reads.
class BoardSampler : public QObject
{
    Q_OBJECT
    Q_DISABLE_COPY(BoardSampler)
public:
    static constexpr int IntervalMs = 100;

    explicit BoardSampler(frmScoreBoard* board, QObject* parent = nullptr);

    void start();
    // One look at the board, as the timer takes it. Emits changed() when the board shows
    // something new; the first look always counts as new.
    void sample();

    const BoardState& state() const { return current; }
    const QByteArray& json() const { return currentJson; }

Q_SIGNALS:
    void changed();

private:
    QPointer<frmScoreBoard> board;
    QTimer timer;
    BoardState current;
    QByteArray currentJson;
    bool sampled = false;
};
