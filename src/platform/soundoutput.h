// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QAudioFormat>
#include <QBuffer>
#include <QByteArray>
#include <QObject>
#include <QString>
#include <memory>

class QAudioSink;

// A WAV file's samples in a form the audio output takes.
struct PlayableSound
{
    QAudioFormat format;
    QByteArray samples; // whole frames only
    bool ok() const { return format.isValid() && !samples.isEmpty(); }
};

// Reads the samples of a PCM or float WAV file. 8, 16 and 32-bit integers and 32-bit floats
// stay as they are, 24-bit integers are widened to 32 bits and 64-bit floats narrowed to 32.
// Anything else gives nothing.
PlayableSound readPlayableSound(const QString& path);

// Where the player sends its sound. Only the output can say when a play has been heard to its
// end: the sound reaches the speaker some time after "play", longer on a busy machine.
class SoundOutput : public QObject
{
    Q_OBJECT
public:
    using QObject::QObject;
    // Prepares a file for playing; false when it cannot be played here (no audio device, a
    // format the device does not take). An empty path only releases the last one.
    virtual bool load(const QString& path) = 0;
    // Plays the loaded sound from its start; false when the output would not start.
    virtual bool play() = 0;
    // Ends a play at once, without `ended`.
    virtual void stop() = 0;

Q_SIGNALS:
    // The play has been heard to its last sample, or the output gave up on it.
    void ended();
};

// The system's default audio output through Qt Multimedia.
class AudioSinkOutput : public SoundOutput
{
    Q_OBJECT
public:
    explicit AudioSinkOutput(QObject* parent = nullptr);
    ~AudioSinkOutput() override;
    Q_DISABLE_COPY(AudioSinkOutput)

    bool load(const QString& path) override;
    bool play() override;
    void stop() override;

private:
    std::unique_ptr<QAudioSink> sink;
    QByteArray samples; // the sound and the silence after it
    QBuffer reader;
    bool active = false;
};
