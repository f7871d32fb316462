// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QObject>
#include <QString>
#include <QTimer>
#include <cstdint>

class SoundOutput;

// An invisible sound player driven by text commands: "Open", "Play", "Stop", "Prev" and
// "Close". It plays WAV files without blocking and raises Done when a play has ended.
//
// A play ends when the audio output says the sound has been heard to its last sample; the
// output starts late on a busy machine, so a play lasts longer than its clip. A clock from
// the clip's length in the WAV header is only a safety net, generous, for an output that
// never reports; without any audio output it times the silent play alone. A play that cannot
// happen, and a play cut short by "Stop" or "Close", still raise Done. Done always comes on a
// later turn of the event loop, never from inside a command, so that whoever waits for the
// end is never left waiting.
class MMControl : public QObject
{
    Q_OBJECT
public:
    // Plays through `output` (taken over), or through the system's audio output when null.
    explicit MMControl(QObject* parent = nullptr, SoundOutput* output = nullptr);
    ~MMControl() override;
    Q_DISABLE_COPY(MMControl)

    const QString& FileName() const { return fileName; }
    void setFileName(const QString& path) { fileName = path; }

    // Sends one command. Unknown commands are ignored.
    void setCommand(const QString& command);

    bool isOpen() const { return open; }
    bool isPlaying() const { return playing; }
    // Length of the open clip, or -1 when nothing playable is open.
    int64_t clipLengthMs() const { return clipMs; }

Q_SIGNALS:
    void Done(int16_t notifyCode);

private:
    void doOpen();
    void doPlay();
    void doStop();
    void doClose();
    void finish();
    void finishLater();

    QString fileName;
    SoundOutput* output = nullptr;
    QTimer endTimer;
    bool open = false;
    bool audible = false; // the output took the open file
    bool playing = false;
    uint32_t plays = 0; // tells an output's late report of an earlier play from the current one
    int64_t clipMs = -1;
};
