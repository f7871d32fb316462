// SPDX-License-Identifier: GPL-3.0-or-later
#include "mmcontrol.h"

#include "soundoutput.h"
#include "wavheader.h"

#include <QFileInfo>
#include <algorithm>
#include <limits>

namespace {
// Notify codes: the play ran to its end, or it was cut short or could not happen.
constexpr int16_t NotifySuccessful = 1;
constexpr int16_t NotifyAborted = 4;
// An output that plays but never reports is given twice the clip and this much more.
constexpr int64_t SafetyMarginMs = 1000;
} // namespace

MMControl::MMControl(QObject* parent, SoundOutput* soundOutput)
    : QObject(parent), output(soundOutput ? soundOutput : new AudioSinkOutput)
{
    output->setParent(this);
    endTimer.setSingleShot(true);
    endTimer.setTimerType(Qt::PreciseTimer);
    connect(&endTimer, &QTimer::timeout, this, [this] {
        output->stop();
        finish();
    });
    // Passed on later: an output may give up while it is being started, and the end is never
    // raised from inside the command that started the play.
    connect(output, &SoundOutput::ended, this, [this] {
        QMetaObject::invokeMethod(
            this,
            [this, play = plays] {
                if (playing && play == plays)
                    finish();
            },
            Qt::QueuedConnection);
    });
}

MMControl::~MMControl() = default;

void MMControl::setCommand(const QString& command)
{
    if (command == QLatin1String("Open"))
        doOpen();
    else if (command == QLatin1String("Play"))
        doPlay();
    else if (command == QLatin1String("Stop"))
        doStop();
    else if (command == QLatin1String("Prev"))
        ; // Every play starts at the beginning of the clip; there is nothing to rewind.
    else if (command == QLatin1String("Close"))
        doClose();
}

void MMControl::doOpen()
{
    doClose();
    open = true;
    const auto info = readWavFile(fileName);
    if (!info || info->durationMs <= 0)
        return; // stays open but silent: a play will only report its end
    clipMs = info->durationMs;
    audible = output->load(QFileInfo(fileName).absoluteFilePath());
}

void MMControl::doPlay()
{
    if (playing)
        return;
    if (!open || clipMs <= 0) {
        finishLater();
        return;
    }
    playing = true;
    ++plays;
    const bool heard = audible && output->play();
    const int64_t ms = heard ? 2 * clipMs + SafetyMarginMs : clipMs;
    // A timer refuses an interval beyond INT_MAX ms, and the play would then never end.
    endTimer.start(static_cast<int>(std::min<int64_t>(ms, std::numeric_limits<int>::max())));
}

void MMControl::doStop()
{
    if (!playing)
        return;
    playing = false;
    endTimer.stop();
    output->stop();
    finishLater();
}

void MMControl::doClose()
{
    doStop();
    if (audible)
        output->load(QString());
    audible = false;
    open = false;
    clipMs = -1;
}

void MMControl::finish()
{
    playing = false;
    endTimer.stop();
    Q_EMIT Done(NotifySuccessful);
}

void MMControl::finishLater()
{
    QMetaObject::invokeMethod(
        this, [this] { Q_EMIT Done(NotifyAborted); }, Qt::QueuedConnection);
}
