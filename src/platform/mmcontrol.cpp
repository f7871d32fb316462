#include "mmcontrol.h"

#include "wavheader.h"

#include <QFileInfo>
#include <QSoundEffect>
#include <QUrl>
#include <algorithm>
#include <limits>

namespace {
// Notify codes: the play ran to its end, or it was cut short or could not happen.
constexpr int16_t NotifySuccessful = 1;
constexpr int16_t NotifyAborted = 4;
} // namespace

MMControl::MMControl(QObject* parent) : QObject(parent)
{
    endTimer.setSingleShot(true);
    endTimer.setTimerType(Qt::PreciseTimer);
    connect(&endTimer, &QTimer::timeout, this, [this] {
        playing = false;
        if (effect)
            effect->stop();
        Q_EMIT Done(NotifySuccessful);
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
    if (!effect)
        effect = new QSoundEffect(this);
    effect->setSource(QUrl::fromLocalFile(QFileInfo(fileName).absoluteFilePath()));
}

void MMControl::doPlay()
{
    if (playing)
        return;
    if (!open || clipMs <= 0 || !effect) {
        finishLater();
        return;
    }
    playing = true;
    effect->play();
    // A timer refuses an interval beyond INT_MAX ms, and the play would then never end.
    endTimer.start(static_cast<int>(std::min<int64_t>(clipMs, std::numeric_limits<int>::max())));
}

void MMControl::doStop()
{
    if (!playing)
        return;
    playing = false;
    endTimer.stop();
    effect->stop();
    finishLater();
}

void MMControl::doClose()
{
    doStop();
    if (effect)
        effect->setSource(QUrl());
    open = false;
    clipMs = -1;
}

void MMControl::finishLater()
{
    QMetaObject::invokeMethod(
        this, [this] { Q_EMIT Done(NotifyAborted); }, Qt::QueuedConnection);
}
