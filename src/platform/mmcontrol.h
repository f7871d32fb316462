#pragma once

#include <QObject>
#include <QString>
#include <QTimer>
#include <cstdint>

class QSoundEffect;

// An invisible sound player driven by text commands: "Open", "Play", "Stop", "Prev" and
// "Close". It plays WAV files without blocking and raises Done when a play has ended.
//
// The player times the end of a play itself, from the clip's length in the WAV header:
// the audio backend's own end signals cannot be relied on (none at all without an audio
// device, late on some sinks). A play that cannot happen, and a play cut short by "Stop"
// or "Close", still raise Done, on a later turn of the event loop, so that whoever waits
// for the end is never left waiting.
class MMControl : public QObject
{
    Q_OBJECT
public:
    explicit MMControl(QObject* parent = nullptr);
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
    void finishLater();

    QString fileName;
    QSoundEffect* effect = nullptr;
    QTimer endTimer;
    bool open = false;
    bool playing = false;
    int64_t clipMs = -1;
};
