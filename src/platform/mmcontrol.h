// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QObject>
#include <QString>
#include <QTimer>
#include <cstdint>

class SoundOutput;

// An invisible sound player for one WAV file: open(), play(), stop(), close(). A play runs
// without blocking, always from the start of the sound, and ends with Done.
//
// Done comes exactly once for every play() that was not refused for a play already running:
// when the sound has been heard to its last sample, when stop() or close() cut it short, and
// also when the sound could not play at all (no file, a file that is no playable WAV, no
// sound output), so whoever waits for the end is never left waiting. It always comes on a
// later turn of the event loop, never from inside a call.
//
// The player's status says what it can do now, with a reason when it failed; an operator can be
// shown it. When no sound output can be opened, one line says so on the terminal, once, until
// a sound plays again; such a play is not reported as playing.
class MMControl : public QObject
{
    Q_OBJECT
public:
    enum class Status {
        Closed,  // no file open
        Ready,   // a file open, to be played
        Playing, // a play runs
        Failed,  // the open file or the last play failed: statusReason() says why
    };
    Q_ENUM(Status)

    enum class PlayEnd {
        Finished, // heard to the end
        Stopped,  // cut short by stop() or close()
        Failed,   // could not play: status() is Failed
    };
    Q_ENUM(PlayEnd)

    // Plays through `output` (taken over), or through the system's audio output when null.
    explicit MMControl(QObject* parent = nullptr, SoundOutput* output = nullptr);
    ~MMControl() override;
    Q_DISABLE_COPY(MMControl)

    // Closes what was open and opens the WAV file at `path` (an empty path only closes).
    // False when it cannot be played: status() is Failed and statusReason() says why. The
    // path is kept either way.
    bool open(const QString& path);
    // Plays the open sound from its start. Ignored while a play runs.
    void play();
    // Ends a running play at once.
    void stop();
    // Ends a running play and lets go of the file.
    void close();

    // The path of the last open(), kept after close(); empty before any.
    const QString& FileName() const { return fileName; }
    bool isOpen() const { return opened; }
    bool isPlaying() const { return current == Status::Playing; }
    Status status() const { return current; }
    const QString& statusReason() const { return reason; }
    // Length of the open sound, or -1 when nothing playable is open.
    int64_t clipLengthMs() const { return clipMs; }

Q_SIGNALS:
    void Done(MMControl::PlayEnd end);
    void statusChanged(MMControl::Status status, const QString& reason);

private:
    void setStatus(Status status, const QString& why = {});
    void outputFailed(const QString& why);
    void finish(PlayEnd end);
    void finishLater(PlayEnd end);

    QString fileName;
    SoundOutput* output = nullptr;
    QTimer endTimer;
    Status current = Status::Closed;
    QString reason;
    bool opened = false;
    bool playable = false; // the open file gave a sound
    uint32_t plays = 0;    // tells an output's late report of an earlier play from the current one
    int64_t clipMs = -1;
};
