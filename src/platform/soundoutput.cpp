// SPDX-License-Identifier: GPL-3.0-or-later
#include "soundoutput.h"

#include "wavheader.h"

#include <QAudioDevice>
#include <QAudioSink>
#include <QFile>
#include <QMediaDevices>
#include <cstring>

namespace {

constexpr uint16_t FormatPcm = 1;
constexpr uint16_t FormatFloat = 3;
constexpr uint16_t FormatExtensible = 0xFFFE;

// The output is stopped when it has taken the last sample, and whatever it still holds is
// dropped then. Every sound is followed by this much silence, far more than the output holds,
// so that only silence is dropped.
constexpr int TailMs = 300;
// Asked of the output so that the tail above stays ample.
constexpr int BufferMs = 100;

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

PlayableSound readPlayableSound(const QString& path)
{
    PlayableSound sound;
    const auto info = readWavFile(path);
    if (!info)
        return sound;
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
    if (sampleFormat == QAudioFormat::Unknown)
        return sound;

    QFile f(path);
    if (!f.open(QIODevice::ReadOnly) || !f.seek(info->dataOffset))
        return sound;
    const qsizetype frame = qsizetype(info->channels) * (bits / 8);
    QByteArray bytes = f.read(info->dataSize - info->dataSize % frame);
    bytes.truncate(bytes.size() - bytes.size() % frame);
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

AudioSinkOutput::AudioSinkOutput(QObject* parent) : SoundOutput(parent) {}

AudioSinkOutput::~AudioSinkOutput()
{
    stop();
}

bool AudioSinkOutput::load(const QString& path)
{
    stop();
    sink.reset();
    samples.clear();
    if (path.isEmpty())
        return false;
    const QAudioDevice device = QMediaDevices::defaultAudioOutput();
    if (device.isNull())
        return false;
    PlayableSound sound = readPlayableSound(path);
    if (!sound.ok() || !device.isFormatSupported(sound.format))
        return false;
    const char silence = sound.format.sampleFormat() == QAudioFormat::UInt8 ? '\x80' : '\0';
    samples = sound.samples + QByteArray(sound.format.bytesForDuration(TailMs * 1000), silence);
    sink = std::make_unique<QAudioSink>(device, sound.format);
    sink->setBufferSize(sound.format.bytesForDuration(BufferMs * 1000));
    connect(sink.get(), &QAudioSink::stateChanged, this, [this](QAudio::State state) {
        // Idle: every sample, the silence included, has been taken. Stopped: the output failed.
        if (!active || (state != QAudio::IdleState && state != QAudio::StoppedState))
            return;
        // Idle before the last sample was taken is an underrun: on a busy machine the output
        // ran dry before it was fed again. The play goes on; it is not its end.
        if (state == QAudio::IdleState && !reader.atEnd())
            return;
        stop();
        Q_EMIT ended();
    });
    return true;
}

bool AudioSinkOutput::play()
{
    if (!sink)
        return false;
    stop();
    reader.setBuffer(&samples);
    if (!reader.open(QIODevice::ReadOnly))
        return false;
    active = true;
    sink->start(&reader);
    if (sink->error() != QAudio::NoError && sink->state() == QAudio::StoppedState) {
        stop();
        return false;
    }
    return true;
}

void AudioSinkOutput::stop()
{
    active = false;
    if (sink)
        sink->stop();
    reader.close();
}
