// SPDX-License-Identifier: GPL-3.0-or-later
#include "mmcontrol.h"

#include "soundoutput.h"

#include <algorithm>
#include <limits>

namespace {

// An output that plays but never reports is given twice the clip and this much more: an output
// may take a while to start (a device that wakes up), and follows the sound with silence.
constexpr int64_t SafetyMarginMs = 3000;

// Whether the terminal has been told that there is no sound output, since a sound last played.
// Shared by every player: the horn and the buzzer lose the same output.
bool noOutputSaid = false;

} // namespace

MMControl::MMControl(QObject* parent, SoundOutput* soundOutput)
    : QObject(parent), output(soundOutput ? soundOutput : new AudioSinkOutput)
{
    output->setParent(this);
    endTimer.setSingleShot(true);
    endTimer.setTimerType(Qt::PreciseTimer);
    connect(&endTimer, &QTimer::timeout, this, [this] {
        output->stop();
        finish(PlayEnd::Finished);
    });
    // Passed on later, and only for the play that is running: an output may report from
    // inside a call, or report an earlier play late.
    connect(output, &SoundOutput::finished, this, [this] {
        QMetaObject::invokeMethod(
            this,
            [this, play = plays] {
                if (isPlaying() && play == plays)
                    finish(PlayEnd::Finished);
            },
            Qt::QueuedConnection);
    });
    connect(output, &SoundOutput::failed, this, [this](const QString& why) {
        QMetaObject::invokeMethod(
            this,
            [this, play = plays, why] {
                if (!isPlaying() || play != plays)
                    return;
                endTimer.stop();
                outputFailed(why);
                Q_EMIT Done(PlayEnd::Failed);
            },
            Qt::QueuedConnection);
    });
}

MMControl::~MMControl()
{
    // Nobody hears of this player's end any more: Qt's audio sink runs the event loop while
    // it is destroyed, and whoever listens may be half gone already.
    disconnect(this, nullptr, nullptr, nullptr);
    endTimer.stop();
    delete output;
}

bool MMControl::open(const QString& path)
{
    close();
    fileName = path;
    if (path.isEmpty())
        return false;
    opened = true;
    const PlayableSound sound = readPlayableSound(path);
    if (!sound.ok()) {
        setStatus(Status::Failed, sound.problem);
        return false;
    }
    playable = true;
    clipMs = sound.durationMs();
    output->setSound(sound);
    if (const QString why = output->unavailable(); !why.isEmpty()) {
        outputFailed(why);
        return false;
    }
    setStatus(Status::Ready);
    return true;
}

void MMControl::play()
{
    if (isPlaying())
        return;
    if (!playable) {
        finishLater(PlayEnd::Failed);
        return;
    }
    // Asked again at every play: the output may have come back, or gone.
    if (const QString why = output->play(); !why.isEmpty()) {
        outputFailed(why);
        finishLater(PlayEnd::Failed);
        return;
    }
    if (noOutputSaid)
        qInfo("pucklight: the sound output works again");
    noOutputSaid = false;
    ++plays;
    setStatus(Status::Playing);
    // A timer refuses an interval beyond INT_MAX ms, and the play would then never end.
    const int64_t ms = 2 * clipMs + SafetyMarginMs;
    endTimer.start(static_cast<int>(std::min<int64_t>(ms, std::numeric_limits<int>::max())));
}

void MMControl::stop()
{
    if (!isPlaying())
        return;
    endTimer.stop();
    output->stop();
    setStatus(Status::Ready);
    finishLater(PlayEnd::Stopped);
}

void MMControl::close()
{
    stop();
    if (playable)
        output->setSound({});
    opened = false;
    playable = false;
    clipMs = -1;
    setStatus(Status::Closed);
}

void MMControl::setStatus(Status status, const QString& why)
{
    if (status == current && why == reason)
        return;
    current = status;
    reason = why;
    Q_EMIT statusChanged(current, reason);
}

void MMControl::outputFailed(const QString& why)
{
    const QString text = QStringLiteral("no sound output: ") + why;
    if (!noOutputSaid)
        qWarning("pucklight: %s", qUtf8Printable(text));
    noOutputSaid = true;
    setStatus(Status::Failed, text);
}

void MMControl::finish(PlayEnd end)
{
    endTimer.stop();
    setStatus(Status::Ready);
    Q_EMIT Done(end);
}

void MMControl::finishLater(PlayEnd end)
{
    QMetaObject::invokeMethod(
        this, [this, end] { Q_EMIT Done(end); }, Qt::QueuedConnection);
}
