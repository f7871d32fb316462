// SPDX-License-Identifier: GPL-3.0-or-later
#include "mmcontrol.h"
#include "soundoutput.h"
#include "testmain.h"
#include "wavbuilder.h"
#include "wavheader.h"

#include <QElapsedTimer>
#include <QSignalSpy>

// An audio output that says a play has been heard only when the test says so.
struct FakeOutput : SoundOutput
{
    int plays = 0;
    int stops = 0;
    bool load(const QString& path) override { return !path.isEmpty(); }
    bool play() override
    {
        ++plays;
        return true;
    }
    void stop() override { ++stops; }
};

// WAV files from their header to the player. Without an audio output the player times a play
// from the clip: only lower bounds are checked.
class TestSound : public QObject
{
    Q_OBJECT

    QTemporaryDir dir;
    QString path(const char* name) const { return dir.filePath(QString::fromLatin1(name)); }

private Q_SLOTS:
    void initTestCase()
    {
        QVERIFY(wav::write(path("short.wav"), wav::pcm(40)));
        QVERIFY(wav::write(path("longer.wav"), wav::pcm(300)));
        QVERIFY(wav::write(path("text.wav"), "Not a sound at all.\n"));
    }

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

    // The output may start late: the clip's length only ends a play it never reports, late.
    void endsWhenTheOutputHasPlayedTheSoundOut()
    {
        auto* output = new FakeOutput;
        MMControl mmc(nullptr, output);
        QSignalSpy done(&mmc, &MMControl::Done);
        mmc.setFileName(path("short.wav"));
        mmc.setCommand(QStringLiteral("Open"));
        mmc.setCommand(QStringLiteral("Play"));
        QCOMPARE(output->plays, 1);
        QVERIFY(!done.wait(200)); // five times the clip
        QVERIFY(mmc.isPlaying());
        Q_EMIT output->ended();
        QCOMPARE(done.count(), 0); // not from inside the output's report
        QVERIFY(done.wait(1000));
        QCOMPARE(done.first().first().value<int16_t>(), int16_t(1));
        QVERIFY(!mmc.isPlaying());
        QCOMPARE(output->stops, 0);

        QElapsedTimer clock;
        clock.start();
        mmc.setCommand(QStringLiteral("Play"));
        QVERIFY(done.wait(5000));
        QVERIFY2(clock.elapsed() >= 1000, qPrintable(QString::number(clock.elapsed())));
        QVERIFY(!mmc.isPlaying());
        QCOMPARE(output->stops, 1);
        // A report that comes after all ends nothing more, and the next play is waited for.
        Q_EMIT output->ended();
        mmc.setCommand(QStringLiteral("Play"));
        QVERIFY(!done.wait(100));
        QCOMPARE(done.count(), 2);
        QVERIFY(mmc.isPlaying());
    }

    void playThatCannotHappenStillEnds_data()
    {
        QTest::addColumn<QString>("file");
        QTest::addColumn<bool>("open");
        QTest::newRow("never opened") << path("short.wav") << false;
        QTest::newRow("missing file") << path("missing.wav") << true;
        QTest::newRow("not a WAV") << path("text.wav") << true;
    }
    void playThatCannotHappenStillEnds()
    {
        QFETCH(QString, file);
        QFETCH(bool, open);
        MMControl mmc;
        QSignalSpy done(&mmc, &MMControl::Done);
        mmc.setFileName(file);
        if (open)
            mmc.setCommand(QStringLiteral("Open"));
        QCOMPARE(mmc.clipLengthMs(), -1);
        mmc.setCommand(QStringLiteral("Play"));
        QCOMPARE(done.count(), 0); // not from inside the command, on a later turn
        QVERIFY(done.wait(1000));
        QVERIFY(!mmc.isPlaying());
    }

    // Stop and Close end a play at once, and still raise Done.
    void stopEndsEarlyAndReplayStartsOver_data()
    {
        QTest::addColumn<QString>("command");
        QTest::newRow("Stop") << QStringLiteral("Stop");
        QTest::newRow("Close") << QStringLiteral("Close");
    }
    void stopEndsEarlyAndReplayStartsOver()
    {
        QFETCH(QString, command);
        MMControl mmc;
        QSignalSpy done(&mmc, &MMControl::Done);
        mmc.setFileName(path("longer.wav"));
        mmc.setCommand(QStringLiteral("Open"));
        mmc.setCommand(QStringLiteral("Play"));
        QTest::qWait(150); // about half the clip
        mmc.setCommand(command);
        QVERIFY(!mmc.isPlaying());
        QVERIFY(done.wait(1000));
        if (command == QLatin1String("Close"))
            mmc.setCommand(QStringLiteral("Open"));
        mmc.setCommand(QStringLiteral("Prev"));
        QElapsedTimer clock;
        clock.start();
        mmc.setCommand(QStringLiteral("Play"));
        QVERIFY(done.wait(5000));
        // The whole clip again, not the half that was left.
        QVERIFY2(clock.elapsed() >= 250, qPrintable(QString::number(clock.elapsed())));
        // The completion handler's Stop and Prev after a finished play raise nothing more.
        mmc.setCommand(QStringLiteral("Stop"));
        mmc.setCommand(QStringLiteral("Prev"));
        QCoreApplication::processEvents();
        QCOMPARE(done.count(), 2);
    }
};

PL_TEST_MAIN(TestSound)
#include "tst_sound.moc"
