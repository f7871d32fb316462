// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QAudioFormat>
#include <QByteArray>
#include <QObject>
#include <QString>
#include <QTimer>
#include <cstdint>

class QAudioDevice;
class QAudioSink;
class QIODevice;

// A WAV file's samples in a form the audio output takes, or why the file gives none.
struct PlayableSound
{
    QAudioFormat format;
    QByteArray samples; // whole frames only
    QString problem;    // empty when the file gave samples
    bool ok() const { return format.isValid() && !samples.isEmpty(); }
    int64_t durationMs() const;
};

// Reads the samples of a PCM or float WAV file. 8, 16 and 32-bit integers and 32-bit floats
// stay as they are, 24-bit integers are widened to 32 bits and 64-bit floats narrowed to 32.
// Anything else gives no samples and a problem.
PlayableSound readPlayableSound(const QString& path);

// Where the player sends its sound. Only the output can say when a play has been heard to its
// end: the sound reaches the speaker some time after "play", longer on a busy machine.
class SoundOutput : public QObject
{
    Q_OBJECT
public:
    using QObject::QObject;
    // The sound that play() plays from now on; an empty one lets go of the last.
    virtual void setSound(const PlayableSound& sound) = 0;
    // Why the sound cannot be played here now (no audio device, a format the device does not
    // take), or empty text.
    virtual QString unavailable() const = 0;
    // Plays the sound from its start. Returns empty text, or why no output could be opened.
    virtual QString play() = 0;
    // Ends a play at once, without a signal.
    virtual void stop() = 0;

Q_SIGNALS:
    // The play has been heard to its last sample.
    void finished();
    // The output gave up on the play.
    void failed(const QString& why);
};

// The system's default audio output through Qt Multimedia's QAudioSink.
//
// Every play gets a new sink. Qt 6.4's PulseAudio sink, started again, asks the server for the
// buffer it was given last time, which comes back smaller every time: after a few plays it is
// smaller than what the sink writes at once, the stream never starts and the sound is silent.
// QSoundEffect keeps one sink as well, so it wears down the same way and then never reports an
// end; and it stops its sink as soon as the last sample is handed over, which drops the end of
// the sound that the server still holds.
//
// The whole sound is queued with the server at once, so that a program held up on a busy
// machine cannot break it up, and the play ends when the server has run out of it.
class AudioSinkOutput : public SoundOutput
{
    Q_OBJECT
public:
    explicit AudioSinkOutput(QObject* parent = nullptr);
    ~AudioSinkOutput() override;
    Q_DISABLE_COPY(AudioSinkOutput)

    void setSound(const PlayableSound& sound) override;
    QString unavailable() const override;
    QString play() override;
    void stop() override;

private:
    // Why the sound cannot play on the default output now, or empty text and that output.
    QString usableDevice(QAudioDevice* device) const;
    // Hands the server what it can queue of the rest of the sound.
    void feed();

    QAudioFormat format;
    QByteArray samples;         // the sound and the silence after it
    QAudioSink* sink = nullptr; // the running play's
    QIODevice* input = nullptr; // where the sink takes the samples
    qint64 written = 0;         // bytes of samples handed over
    uint32_t plays = 0;         // tells a late report of an earlier play's sink
    QTimer feedTimer;
};
