// SPDX-License-Identifier: GPL-3.0-or-later
#include "mmcontrol.h"
#include "soundoutput.h"
#include "testmain.h"
#include "wavbuilder.h"
#include "wavheader.h"

#include <QElapsedTimer>
#include <QSignalSpy>
#include <QStringList>

// An audio output that plays only when the test says so, and has no output when it is told.
struct FakeOutput : SoundOutput
{
    int plays = 0;
    int stops = 0;
    bool loaded = false;
    QString missing; // why there is no output; empty while there is one
    void setSound(const PlayableSound& sound) override { loaded = sound.ok(); }
    QString unavailable() const override { return missing; }
    QString play() override
    {
        if (!missing.isEmpty())
            return missing;
        ++plays;
        return {};
    }
    void stop() override { ++stops; }
};

namespace {

// The terminal lines of the sound players.
QStringList said;
QtMessageHandler previousHandler = nullptr;
void keepSoundLines(QtMsgType type, const QMessageLogContext& context, const QString& text)
{
    if (text.startsWith(QLatin1String("pucklight: ")))
        said << text;
    else
        previousHandler(type, context, text);
}

} // namespace

using Status = MMControl::Status;
using PlayEnd = MMControl::PlayEnd;

// WAV files from their header to the player; the player's plays, their ends and its status,
// through an output the test drives.
class TestSound : public QObject
{
    Q_OBJECT

    QTemporaryDir dir;
    QString path(const char* name) const { return dir.filePath(QString::fromLatin1(name)); }

    static PlayEnd endOf(const QSignalSpy& done, int i = 0)
    {
        return done.at(i).first().value<PlayEnd>();
    }

private Q_SLOTS:
    void initTestCase()
    {
        QVERIFY(wav::write(path("short.wav"), wav::pcm(40)));
        QVERIFY(wav::write(path("longer.wav"), wav::pcm(300)));
        QVERIFY(wav::write(path("text.wav"), "Not a sound at all.\n"));
        QVERIFY(wav::write(path("empty.wav"), wav::pcm(0)));
        QVERIFY(wav::write(path("adpcm.wav"),
                           wav::riff(wav::fmt(2, 1, 8000, 4) + wav::chunk("data", "abcd"))));
        previousHandler = qInstallMessageHandler(keepSoundLines);
    }
    void cleanupTestCase() { qInstallMessageHandler(previousHandler); }

    void header_data()
    {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<qint64>("dataSize"); // -1: not a playable header
        QTest::addColumn<qint64>("durationMs");
        auto row = [](const char* name, const QByteArray& bytes, qint64 size, qint64 ms = 0) {
            QTest::newRow(name) << bytes << size << ms;
        };

        const QByteArray fmt = wav::fmt();
        const QByteArray second(16000, '\0'); // one second at 8 kHz, 16 bits, mono
        const QByteArray data = wav::chunk("data", second);
        row("pcm", wav::pcm(40), 640, 40);
        row("stereo 44.1k",
            wav::riff(wav::fmt(1, 2, 44100, 16) + wav::chunk("data", QByteArray(17640, '\0'))),
            17640, 100);
        row("odd chunk padded", wav::riff(wav::chunk("junk", "abc") + fmt + data), 16000, 1000);
        row("truncated data", wav::riff(fmt + wav::chunk("data", second.left(800), 16000)), 800,
            50);
        row("streamed data size", wav::riff(fmt + wav::chunk("data", second, 0xFFFFFFFF)), 16000,
            1000);
        // A byte rate that disagrees with the format would time a play wrongly, by hours for 1.
        row("byte rate that lies", wav::riff(wav::fmt(1, 1, 8000, 16, 1) + data), -1);
        row("fmt after data", wav::riff(data + fmt), -1);
        row("chunk beyond the end", wav::riff(fmt + wav::chunk("LIST", "x", 0xFFFFFFF0) + data),
            -1);
        row("no data chunk", wav::riff(fmt), -1);
    }

    void header()
    {
        QFETCH(QByteArray, bytes);
        QFETCH(qint64, dataSize);
        QFETCH(qint64, durationMs);
        const auto info = readWavHeader(bytes, bytes.size());
        QCOMPARE(info ? qint64(info->dataSize) : -1, dataSize);
        QCOMPARE(info ? info->durationMs : 0, durationMs);
    }

    // The samples handed to the audio output, in a format it takes.
    void playable_data()
    {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<int>("sampleFormat"); // QAudioFormat::Unknown: refused
        QTest::addColumn<QByteArray>("samples");
        const auto row = [](const char* name, const QByteArray& fmt, const QByteArray& data,
                            QAudioFormat::SampleFormat format, const QByteArray& samples) {
            QTest::newRow(name) << wav::riff(fmt + wav::chunk("data", data)) << int(format)
                                << samples;
        };
        const QByteArray two("\x01\x02\x03\x04", 4);
        row("8 bits", wav::fmt(1, 1, 8000, 8), two, QAudioFormat::UInt8, two);
        row("16 bits, odd byte dropped", wav::fmt(), two + "\x05", QAudioFormat::Int16, two);
        row("24 bits widened", wav::fmt(1, 1, 8000, 24), QByteArray("\x01\x02\x83", 3),
            QAudioFormat::Int32, QByteArray("\x00\x01\x02\x83", 4));
        const double half = -0.5;
        row("64-bit float narrowed", wav::fmt(3, 1, 8000, 64),
            QByteArray(reinterpret_cast<const char*>(&half), 8), QAudioFormat::Float,
            QByteArray("\x00\x00\x00\xbf", 4));
        // The extensible header names its format in the first bytes of a GUID.
        QByteArray ext = wav::fmt(0xFFFE, 1, 8000, 32).mid(8);
        ext += wav::le(22, 2) + wav::le(32, 2) + wav::le(4) + wav::le(3, 2) + QByteArray(14, 'x');
        row("extensible float", wav::chunk("fmt ", ext), two, QAudioFormat::Float, two);
        row("ADPCM refused", wav::fmt(2, 1, 8000, 4), two, QAudioFormat::Unknown, {});
    }
    void playable()
    {
        QFETCH(QByteArray, bytes);
        QFETCH(int, sampleFormat);
        QFETCH(QByteArray, samples);
        QVERIFY(wav::write(path("s.wav"), bytes));
        const PlayableSound sound = readPlayableSound(path("s.wav"));
        QCOMPARE(int(sound.format.sampleFormat()), sampleFormat);
        QCOMPARE(sound.samples, samples);
    }

    // The output may start late: the play ends when it reports, the clip's length only ends
    // a play it never reports, late.
    void endsWhenTheOutputHasPlayedTheSoundOut()
    {
        auto* output = new FakeOutput;
        MMControl mmc(nullptr, output);
        QSignalSpy done(&mmc, &MMControl::Done);
        QVERIFY(mmc.open(path("short.wav")));
        QCOMPARE(mmc.clipLengthMs(), 40);
        mmc.play();
        QCOMPARE(output->plays, 1);
        QVERIFY(mmc.isPlaying());
        mmc.play(); // ignored while it plays
        QCOMPARE(output->plays, 1);
        QVERIFY(!done.wait(200)); // five times the clip
        Q_EMIT output->finished();
        QCOMPARE(done.count(), 0); // not from inside the output's report
        QVERIFY(done.wait(1000));
        QCOMPARE(endOf(done), PlayEnd::Finished);
        QCOMPARE(mmc.status(), Status::Ready);
        QCOMPARE(output->stops, 0);

        QElapsedTimer clock;
        clock.start();
        mmc.play();
        QVERIFY(done.wait(5000));
        QVERIFY2(clock.elapsed() >= 1000, qPrintable(QString::number(clock.elapsed())));
        QCOMPARE(mmc.status(), Status::Ready);
        QCOMPARE(output->stops, 1);
        // A report that comes after all ends nothing more, and the next play is waited for.
        Q_EMIT output->finished();
        mmc.play();
        QVERIFY(!done.wait(100));
        QCOMPARE(done.count(), 2);
        QVERIFY(mmc.isPlaying());
    }

    // A play that cannot happen still ends, on a later turn, and is never shown as playing.
    void playThatCannotHappenStillEnds_data()
    {
        QTest::addColumn<QString>("file");
        QTest::addColumn<QString>("noOutput");  // the output's reason, for a file it takes
        QTest::addColumn<bool>("outputAtOpen"); // the output goes only after the open
        QTest::addColumn<int>("status");        // after the open
        QTest::addColumn<QString>("reason");    // the status's reason starts so
        const auto row = [](const char* name, const QString& file, const char* noOutput,
                            bool atOpen, Status status, const char* reason) {
            QTest::newRow(name) << file << QString::fromLatin1(noOutput) << atOpen << int(status)
                                << QString::fromLatin1(reason);
        };
        row("never opened", {}, "", true, Status::Closed, "");
        row("missing file", path("missing.wav"), "", true, Status::Failed, "cannot read");
        row("not a WAV", path("text.wav"), "", true, Status::Failed, "not a WAV file");
        row("no samples", path("empty.wav"), "", true, Status::Failed, "the file holds no");
        row("ADPCM", path("adpcm.wav"), "", true, Status::Failed, "a WAV sample format");
        row("no audio device", path("short.wav"), "no audio output device", true, Status::Failed,
            "no sound output: no audio output device");
        row("output gone at the play", path("short.wav"), "the sound server failed", false,
            Status::Ready, "");
    }
    void playThatCannotHappenStillEnds()
    {
        QFETCH(QString, file);
        QFETCH(QString, noOutput);
        QFETCH(bool, outputAtOpen);
        QFETCH(int, status);
        QFETCH(QString, reason);
        auto* output = new FakeOutput;
        MMControl mmc(nullptr, output);
        QSignalSpy done(&mmc, &MMControl::Done);
        if (outputAtOpen)
            output->missing = noOutput;
        mmc.open(file);
        QCOMPARE(int(mmc.status()), status);
        QCOMPARE(mmc.statusReason().left(reason.size()), reason);
        output->missing = noOutput;
        QSignalSpy changes(&mmc, &MMControl::statusChanged);
        mmc.play();
        QVERIFY(!mmc.isPlaying());
        QCOMPARE(output->plays, 0);
        if (!noOutput.isEmpty()) {
            QCOMPARE(mmc.status(), Status::Failed);
            QCOMPARE(mmc.statusReason(), QStringLiteral("no sound output: ") + noOutput);
        }
        QVERIFY(changes.count() <= 1); // to the failure at most, never through playing
        QCOMPARE(done.count(), 0);     // not from inside the call, on a later turn
        QVERIFY(done.wait(1000));
        QCOMPARE(endOf(done), PlayEnd::Failed);
        QCoreApplication::processEvents();
        QCOMPARE(done.count(), 1);
    }

    // stop() and close() end a play at once; the next play starts over from the beginning.
    void stopEndsEarlyAndReplayStartsOver_data()
    {
        QTest::addColumn<bool>("close");
        QTest::newRow("stop") << false;
        QTest::newRow("close") << true;
    }
    void stopEndsEarlyAndReplayStartsOver()
    {
        QFETCH(bool, close);
        auto* output = new FakeOutput;
        MMControl mmc(nullptr, output);
        QSignalSpy done(&mmc, &MMControl::Done);
        QVERIFY(mmc.open(path("longer.wav")));
        mmc.play();
        if (close)
            mmc.close();
        else
            mmc.stop();
        QCOMPARE(output->stops, 1);
        QCOMPARE(mmc.status(), close ? Status::Closed : Status::Ready);
        QCOMPARE(mmc.isOpen(), !close);
        QCOMPARE(mmc.FileName(), path("longer.wav")); // the path stays
        QCOMPARE(done.count(), 0);
        QVERIFY(done.wait(1000));
        QCOMPARE(endOf(done), PlayEnd::Stopped);
        // Neither ends anything more once the play is over.
        mmc.stop();
        mmc.close();
        QCoreApplication::processEvents();
        QCOMPARE(done.count(), 1);
        QVERIFY(mmc.open(path("longer.wav")));
        mmc.play();
        QCOMPARE(output->plays, 2); // the output plays each from its start
        QVERIFY(mmc.isPlaying());
    }

    // The output gives up during a play: the play ends as failed, and says why.
    void outputThatFailsDuringThePlay()
    {
        auto* output = new FakeOutput;
        MMControl mmc(nullptr, output);
        QSignalSpy done(&mmc, &MMControl::Done);
        QVERIFY(mmc.open(path("longer.wav")));
        mmc.play();
        Q_EMIT output->failed(QStringLiteral("the sound server failed"));
        QVERIFY(done.wait(1000));
        QCOMPARE(endOf(done), PlayEnd::Failed);
        QCOMPARE(mmc.status(), Status::Failed);
        QCOMPARE(mmc.statusReason(), QStringLiteral("no sound output: the sound server failed"));
        mmc.play(); // the output is asked again
        QCOMPARE(mmc.status(), Status::Playing);
        QCOMPARE(output->plays, 2);
    }

    // Without an output the terminal is told once for all players, not at every play, and told
    // again after a sound has played in between.
    void noOutputIsSaidOnce()
    {
        auto* hornOutput = new FakeOutput;
        auto* buzzerOutput = new FakeOutput;
        MMControl horn(nullptr, hornOutput);
        MMControl buzzer(nullptr, buzzerOutput);
        QVERIFY(horn.open(path("short.wav")));
        horn.play(); // a sound plays: whatever an earlier test left is forgotten
        horn.stop();
        said.clear();
        hornOutput->missing = buzzerOutput->missing = QStringLiteral("no audio output device");
        QVERIFY(!horn.open(path("short.wav")));
        QVERIFY(!buzzer.open(path("longer.wav")));
        for (int i = 0; i < 3; ++i) {
            horn.play();
            buzzer.play();
        }
        QCOMPARE(said, QStringList{"pucklight: no sound output: no audio output device"});
        hornOutput->missing.clear();
        horn.play();
        horn.stop();
        buzzer.play();
        QCOMPARE(said, QStringList({"pucklight: no sound output: no audio output device",
                                    "pucklight: the sound output works again",
                                    "pucklight: no sound output: no audio output device"}));
    }
};

PL_TEST_MAIN(TestSound)
#include "tst_sound.moc"
