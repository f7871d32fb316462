// SPDX-License-Identifier: GPL-3.0-or-later
// The horn and the buzzer on a real sound server: PulseAudio with only a null sink, whose
// monitor parec records. Play after play, every sound must be heard whole: from the players
// themselves, and from the real program under Xvfb with G and B pressed as an operator would.
#include "boardrun.h"
#include "mmcontrol.h"
#include "testmain.h"
#include "testservers.h"
#include "wavbuilder.h"

#include <QMetaEnum>
#include <QSignalSpy>
#include <QThread>
#include <QtEndian>
#include <algorithm>
#include <cmath>
#include <numbers>
#include <vector>

namespace {

// The recording: what a listener at the sink hears, mono 16 bits.
constexpr int RecordRate = 22050;
// Sound is where a window's loudest sample passes this share of the tones' amplitude.
constexpr int WindowSamples = RecordRate / 200; // 5 ms
constexpr double Amplitude = 0.5;
constexpr double LoudShare = 0.15;
// A quieter stretch this short inside a sound is the envelope's own ripple, not a gap.
constexpr int BridgedWindows = 2;
// A play is heard whole when it lasts its file's length, to this much.
constexpr double ToleranceS = 0.05;
// Between the end of one play and the next press.
constexpr int PauseMs = 150;
constexpr int Plays = 30;
// Every third play, the program stops for a while in the middle of the sound.
constexpr int StallEvery = 3;
constexpr int StallAfterMs = 200;
constexpr int StallMs = 350;
constexpr int FadeMs = 5;

// A tone with short fades at both ends, so that its edges in the recording are sharp.
QByteArray tone(int rate, int channels, int ms, double hz)
{
    const int n = rate * ms / 1000;
    const int fade = rate * FadeMs / 1000;
    QByteArray data;
    for (int i = 0; i < n; ++i) {
        const double gain = std::min({1.0, double(i) / fade, double(n - 1 - i) / fade});
        const double s = Amplitude * gain * std::sin(2 * std::numbers::pi * hz * i / rate);
        const auto v = static_cast<int16_t>(std::lround(s * 32767));
        for (int c = 0; c < channels; ++c)
            data += wav::le(static_cast<uint16_t>(v), 2);
    }
    return wav::riff(wav::fmt(1, static_cast<uint16_t>(channels), static_cast<uint32_t>(rate)) +
                     wav::chunk("data", data));
}

struct Heard
{
    double start = 0; // seconds into the recording
    double length = 0;
};

// The sounds in a recording of raw 16-bit samples, from their envelope.
std::vector<Heard> soundsIn(const QByteArray& raw)
{
    const auto threshold = static_cast<int>(Amplitude * LoudShare * 32767);
    const qsizetype windows = raw.size() / 2 / WindowSamples;
    const auto loud = [&](qsizetype w) {
        for (qsizetype i = w * WindowSamples; i < (w + 1) * WindowSamples; ++i)
            if (std::abs(qFromLittleEndian<int16_t>(raw.constData() + 2 * i)) > threshold)
                return true;
        return false;
    };
    std::vector<Heard> heard;
    const auto add = [&](qsizetype first, qsizetype last) {
        heard.push_back({double(first * WindowSamples) / RecordRate,
                         double((last - first + 1) * WindowSamples) / RecordRate});
    };
    qsizetype first = -1; // the running sound's first and last loud windows
    qsizetype last = -1;
    for (qsizetype w = 0; w < windows; ++w) {
        if (!loud(w))
            continue;
        if (first >= 0 && w - last > BridgedWindows + 1) {
            add(first, last);
            first = -1;
        }
        if (first < 0)
            first = w;
        last = w;
    }
    if (first >= 0)
        add(first, last);
    return heard;
}

struct Sound
{
    const char* name;
    QByteArray bytes;
    double seconds;
};
// Two formats, as the operator's files may differ.
const Sound Sounds[] = {{"horn.wav", tone(44100, 2, 1000, 440), 1.0},
                        {"buzzer.wav", tone(22050, 1, 600, 220), 0.6}};

// Whether the recording holds Plays sounds, horn and buzzer in turn, each its file's length;
// what was heard goes to the log, and to `report` for a failure.
bool heardWhole(const QString& recording, QString* report)
{
    QFile raw(recording);
    if (!raw.open(QIODevice::ReadOnly)) {
        *report = QStringLiteral("no recording");
        return false;
    }
    const std::vector<Heard> heard = soundsIn(raw.readAll());
    bool whole = heard.size() == Plays;
    for (size_t i = 0; i < heard.size(); ++i) {
        const double want = Sounds[i % 2].seconds;
        const bool ok = std::abs(heard[i].length - want) <= ToleranceS;
        whole = whole && ok;
        *report += QStringLiteral("\n  %1 at %2 s: %3 s of %4%5")
                       .arg(i + 1, 2)
                       .arg(heard[i].start, 6, 'f', 2)
                       .arg(heard[i].length, 0, 'f', 3)
                       .arg(want)
                       .arg(ok ? "" : "  <-");
    }
    qInfo("heard %zu sounds of %d:%s", heard.size(), Plays, qPrintable(*report));
    return whole;
}

} // namespace

class TestSoundSink : public QObject
{
    Q_OBJECT

    QTemporaryDir work{QDir::tempPath() + QStringLiteral("/pucklight-sound-XXXXXX")};
    std::unique_ptr<TestServers> servers;
    QProcessEnvironment environment;

private Q_SLOTS:
    void initTestCase()
    {
        QVERIFY(work.isValid());
        // This process is a sound client too: nothing of the user's own is read or written.
        isolated::thisProcess(work.filePath(QStringLiteral("client")));
        servers = std::make_unique<TestServers>(QString(), work.path());
        QString error;
        QVERIFY2(servers->startAudio(&error), qPrintable(error));
        if (!servers->hasAudio())
            QSKIP("pulseaudio is not installed (scripts/deps.sh test installs it): the horn and "
                  "the buzzer are not recorded");
        QVERIFY2(!QStandardPaths::findExecutable(QStringLiteral("parec")).isEmpty(),
                 "parec is missing (pulseaudio-utils, scripts/deps.sh test)");
        environment = servers->environmentFor(work.filePath(QStringLiteral("client/config")));
        // Before the first use of Qt Multimedia, which connects once.
        qputenv("PULSE_SERVER", environment.value(QStringLiteral("PULSE_SERVER")).toLocal8Bit());
    }

    void cleanupTestCase() { servers.reset(); }

    // Horn, buzzer, horn, ... each pressed a moment after the last one ended, as an operator
    // would. Replaying a sound must not wear the output down, nor a program that is held up
    // break a sound up.
    void everyPlayHeardWhole()
    {
        MMControl players[2];
        for (int i = 0; i < 2; ++i) {
            QVERIFY2(players[i].open(soundFile(i)), qPrintable(players[i].statusReason()));
        }
        const QString recording = work.filePath(QStringLiteral("players.raw"));
        const Process parec = record(recording);
        QVERIFY(parec);

        QStringList ends;
        for (int i = 0; i < Plays; ++i) {
            MMControl& player = players[i % 2];
            QSignalSpy done(&player, &MMControl::Done);
            player.play();
            QVERIFY2(player.isPlaying(), qPrintable(player.statusReason()));
            if (i % StallEvery == StallEvery - 1) {
                QTest::qWait(StallAfterMs);
                QThread::msleep(StallMs); // the program held up, as on a busy machine
            }
            const auto waitMs = static_cast<int>(2000 * Sounds[i % 2].seconds) + 3000;
            QVERIFY2(done.wait(waitMs), qPrintable(QStringLiteral("play %1 never ended").arg(i)));
            const auto end = done.first().first().value<MMControl::PlayEnd>();
            ends << QLatin1String(QMetaEnum::fromType<MMControl::PlayEnd>().valueToKey(int(end)));
            QTest::qWait(PauseMs);
        }
        QTest::qWait(500); // the last sound through the server to parec
        QCOMPARE(ends, QStringList(Plays, QStringLiteral("Finished")));
        judge(recording);
    }

    // The real program, its horn and buzzer files set in its settings: G, B, G, ... each
    // pressed a moment after the last sound ended.
    void programPlaysWhole()
    {
        const QString program = qEnvironmentVariable("PUCKLIGHT_BINARY");
        QVERIFY2(QFileInfo(program).isExecutable(),
                 "PUCKLIGHT_BINARY must name the pucklight program (CTest passes it)");
        TestServers display(program, work.path());
        QString error;
        QVERIFY2(display.startDisplay(&error), qPrintable(error));
        // The program plays to this test's sound server.
        const QByteArray ini = "[KeySettings]\nHornFile=" + soundFile(0).toUtf8() +
                               "\nBuzzerFile=" + soundFile(1).toUtf8() + '\n';
        BoardRun run(display, QStringLiteral("program"), ini);
        QVERIFY2(run.open(), qPrintable(run.error));
        const QString recording = work.filePath(QStringLiteral("program.raw"));
        const Process parec = record(recording);
        QVERIFY(parec);
        for (int i = 0; i < Plays; ++i) {
            display.x().play(i % 2 == 0 ? QStringLiteral("g") : QStringLiteral("b"));
            QTest::qWait(static_cast<int>(1000 * Sounds[i % 2].seconds) + 3 * PauseMs);
        }
        QTest::qWait(500);
        judge(recording);
    }

private:
    QString soundFile(int i)
    {
        const QString file = work.filePath(QLatin1String(Sounds[i].name));
        if (!QFileInfo::exists(file) && !wav::write(file, Sounds[i].bytes))
            return {};
        return file;
    }

    // parec recording the null sink into `file`, once it has begun.
    Process record(const QString& file)
    {
        Process parec = startProcess(
            QStringLiteral("parec"),
            {QStringLiteral("--device=pucklight_e2e.monitor"), QStringLiteral("--raw"),
             QStringLiteral("--format=s16le"), QStringLiteral("--channels=1"),
             QStringLiteral("--rate=%1").arg(RecordRate), QStringLiteral("--latency-msec=20")},
            environment, file);
        if (!QTest::qWaitFor([&] { return QFileInfo(file).size() > 0; }, TestServers::StartMs)) {
            qWarning("parec records nothing");
            parec.reset();
        }
        return parec;
    }

    void judge(const QString& recording)
    {
        QString report;
        const bool whole = heardWhole(recording, &report);
        if (!whole) {
            work.setAutoRemove(false); // the recording, to listen to
            report += QStringLiteral("\n  recorded in ") + recording;
        }
        QVERIFY2(whole, qPrintable(QStringLiteral("not every play was heard whole:") + report));
    }
};

PL_TEST_MAIN(TestSoundSink)
#include "tst_soundsink.moc"
