#pragma once

#include "childprocess.h"
#include "x11session.h"

#include <QProcessEnvironment>
#include <QString>
#include <memory>

// The servers the program under test needs, started for the test alone: an Xvfb display on a
// free display number, and a PulseAudio server whose only sink is a null sink, so that the
// horn and the buzzer play somewhere that can be watched. Both stop when this object goes.
class TestServers
{
public:
    explicit TestServers(const QString& workFolder);
    ~TestServers();
    TestServers(const TestServers&) = delete;
    TestServers& operator=(const TestServers&) = delete;

    // Each returns false with a reason in `error` when its server cannot be started.
    bool startDisplay(QString* error);
    bool startAudio(QString* error);
    void stop();

    QString displayName() const { return QStringLiteral(":%1").arg(displayNumber); }
    bool hasAudio() const { return audio != nullptr; }
    X11Session& x() { return *session; }

    // The environment for a program on this display and sound server, with its settings in
    // configHome.
    QProcessEnvironment environmentFor(const QString& configHome) const;
    // Starts `pactl subscribe`, which logs every stream that plays on the sink.
    std::unique_ptr<ChildProcess> watchStreams(const QString& logFile) const;

private:
    bool audioAnswers() const;

    QString folder;
    int displayNumber = -1;
    std::unique_ptr<ChildProcess> xvfb;
    std::unique_ptr<ChildProcess> audio;
    std::unique_ptr<X11Session> session;
};
