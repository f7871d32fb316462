// SPDX-License-Identifier: GPL-3.0-or-later
#include "soundoutput.h"

#include "wavheader.h"

#include <QAudioDevice>
#include <QAudioSink>
#include <QFile>
#include <QMediaDevices>
#include <algorithm>
#include <cstring>
#include <utility>

namespace {

constexpr uint16_t FormatPcm = 1;
constexpr uint16_t FormatFloat = 3;
constexpr uint16_t FormatExtensible = 0xFFFE;

// The latency asked of the sound server: a sound is heard at most about this long after it is
// started. Only the start depends on it, not the sound (see play()).
constexpr int BufferMs = 100;
// Every sound is followed by this much silence, and is at least the buffer long, so that the
// device has played the last sound sample when the server has taken the last of the silence.
constexpr int PadMs = 100;
// Queued with the server at most, ahead of what it has played (it takes 4 MiB by default).
constexpr qint64 QueueBytes = 2 * 1024 * 1024;
// How often a sound longer than the queue is topped up.
constexpr int FeedMs = 100;

QString errorText(QAudio::Error error)
{
    switch (error) {
    case QAudio::OpenError:
        return QStringLiteral("the audio device could not be opened");
    case QAudio::IOError:
        return QStringLiteral("the audio device could not be written to");
    case QAudio::FatalError:
        return QStringLiteral("the sound server failed");
    default:
        return QStringLiteral("the audio device stopped");
    }
}

QByteArray widen24(const QByteArray& in)
{
    const qsizetype n = in.size() / 3;
    QByteArray out(n * 4, '\0');
    for (qsizetype i = 0; i < n; ++i) {
        // The three bytes become the top of a 32-bit sample.
        out[i * 4 + 1] = in[i * 3];
        out[i * 4 + 2] = in[i * 3 + 1];
        out[i * 4 + 3] = in[i * 3 + 2];
    }
    return out;
}

QByteArray narrow64(const QByteArray& in)
{
    const qsizetype n = in.size() / 8;
    QByteArray out(n * 4, '\0');
    for (qsizetype i = 0; i < n; ++i) {
        double d = 0;
        std::memcpy(&d, in.constData() + i * 8, sizeof d);
        const auto f = static_cast<float>(d);
        std::memcpy(out.data() + i * 4, &f, sizeof f);
    }
    return out;
}

} // namespace

int64_t PlayableSound::durationMs() const
{
    const int frame = format.bytesPerFrame();
    if (frame <= 0 || format.sampleRate() <= 0)
        return -1;
    return static_cast<int64_t>(samples.size() / frame) * 1000 / format.sampleRate();
}

PlayableSound readPlayableSound(const QString& path)
{
    PlayableSound sound;
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly)) {
        sound.problem = QStringLiteral("cannot read the file: ") + f.errorString();
        return sound;
    }
    const auto info = readWavFile(path);
    if (!info) {
        sound.problem = QStringLiteral("not a WAV file");
        return sound;
    }
    const uint16_t kind = info->format == FormatExtensible ? info->subFormat : info->format;
    const int bits = info->bitsPerSample;
    QAudioFormat::SampleFormat sampleFormat = QAudioFormat::Unknown;
    if (kind == FormatPcm && bits == 8)
        sampleFormat = QAudioFormat::UInt8;
    else if (kind == FormatPcm && bits == 16)
        sampleFormat = QAudioFormat::Int16;
    else if (kind == FormatPcm && (bits == 24 || bits == 32))
        sampleFormat = QAudioFormat::Int32;
    else if (kind == FormatFloat && (bits == 32 || bits == 64))
        sampleFormat = QAudioFormat::Float;
    if (sampleFormat == QAudioFormat::Unknown) {
        sound.problem =
            QStringLiteral("a WAV sample format that cannot be played (format %1, %2 bits)")
                .arg(kind)
                .arg(bits);
        return sound;
    }

    const qsizetype frame = qsizetype(info->channels) * (bits / 8);
    QByteArray bytes;
    if (f.seek(info->dataOffset))
        bytes = f.read(info->dataSize - info->dataSize % frame);
    bytes.truncate(bytes.size() - bytes.size() % frame);
    if (bytes.isEmpty()) {
        sound.problem = QStringLiteral("the file holds no sound");
        return sound;
    }
    if (bits == 24)
        bytes = widen24(bytes);
    else if (kind == FormatFloat && bits == 64)
        bytes = narrow64(bytes);

    sound.format.setSampleRate(static_cast<int>(info->sampleRate));
    sound.format.setChannelCount(info->channels);
    sound.format.setSampleFormat(sampleFormat);
    sound.samples = std::move(bytes);
    return sound;
}

AudioSinkOutput::AudioSinkOutput(QObject* parent) : SoundOutput(parent)
{
    feedTimer.setInterval(FeedMs);
    connect(&feedTimer, &QTimer::timeout, this, &AudioSinkOutput::feed);
}

AudioSinkOutput::~AudioSinkOutput()
{
    stop();
}

void AudioSinkOutput::setSound(const PlayableSound& sound)
{
    stop();
    samples.clear();
    format = sound.format;
    if (!sound.ok())
        return;
    const char silence = format.sampleFormat() == QAudioFormat::UInt8 ? '\x80' : '\0';
    const qsizetype pad = format.bytesForDuration(PadMs * 1000);
    const qsizetype least = format.bytesForDuration((BufferMs + PadMs) * 1000);
    samples = sound.samples + QByteArray(std::max(pad, least - sound.samples.size()), silence);
}

QString AudioSinkOutput::unavailable() const
{
    return usableDevice(nullptr);
}

QString AudioSinkOutput::usableDevice(QAudioDevice* device) const
{
    if (samples.isEmpty())
        return QStringLiteral("no sound to play");
    const QAudioDevice found = QMediaDevices::defaultAudioOutput();
    if (found.isNull())
        return QStringLiteral("no audio output device");
    if (!found.isFormatSupported(format))
        return QStringLiteral("the audio device does not take the sound's format (%1 Hz, %2 "
                              "channels)")
            .arg(format.sampleRate())
            .arg(format.channelCount());
    if (device)
        *device = found;
    return {};
}

// The whole sound is handed to the sound server at once (a long one as fast as the server
// takes it), not fed as it plays: a program held up by a busy machine cannot break it up. The
// play ends when the server has run out of it, that is when it has played the last sample.
QString AudioSinkOutput::play()
{
    stop();
    QAudioDevice device;
    if (QString why = usableDevice(&device); !why.isEmpty())
        return why;
    sink = new QAudioSink(device, format, this);
    sink->setBufferSize(format.bytesForDuration(BufferMs * 1000));
    input = sink->start();
    if (!input || sink->state() == QAudio::StoppedState) {
        QString why = errorText(sink->error());
        stop();
        return why;
    }
    written = 0;
    feed();
    if (!sink) // the server refused the sound
        return QStringLiteral("the audio device could not be written to");
    // Connected only now: the sink reports Idle as it starts, before anything is written.
    connect(sink, &QAudioSink::stateChanged, this, [this, play = ++plays](QAudio::State state) {
        if (play != plays || !sink)
            return; // a late report from an earlier play's sink
        if (state == QAudio::IdleState && written == samples.size()) {
            stop();
            Q_EMIT finished();
        } else if (state == QAudio::IdleState) {
            feed(); // the server ran dry before the sound was all written
        } else if (state == QAudio::StoppedState) {
            QString why = errorText(sink->error());
            stop();
            Q_EMIT failed(why);
        }
    });
    if (written < samples.size())
        feedTimer.start();
    return {};
}

void AudioSinkOutput::feed()
{
    if (!sink)
        return;
    const qint64 played = format.bytesForDuration(sink->processedUSecs());
    const qint64 room = std::min(QueueBytes - (written - played), samples.size() - written);
    if (room > 0) {
        const qint64 n = input->write(samples.constData() + written, room);
        if (n <= 0 && written == 0) {
            stop();
            return;
        }
        written += std::max<qint64>(n, 0);
    }
    if (written == samples.size())
        feedTimer.stop();
}

void AudioSinkOutput::stop()
{
    feedTimer.stop();
    input = nullptr;
    if (QAudioSink* s = std::exchange(sink, nullptr)) {
        s->disconnect(this);
        s->stop();
        // Later: Qt's sink runs the event loop while it is destroyed.
        s->deleteLater();
    }
}
