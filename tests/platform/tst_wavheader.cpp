#include "soundoutput.h"
#include "testmain.h"
#include "wavbuilder.h"
#include "wavheader.h"

#include <QTemporaryDir>

class TestWavHeader : public QObject
{
    Q_OBJECT
private Q_SLOTS:
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
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("s.wav"));
        QVERIFY(wav::write(path, bytes));
        const PlayableSound sound = readPlayableSound(path);
        QCOMPARE(int(sound.format.sampleFormat()), sampleFormat);
        QCOMPARE(sound.samples, samples);
    }
};

PL_TEST_MAIN(TestWavHeader)
#include "tst_wavheader.moc"
