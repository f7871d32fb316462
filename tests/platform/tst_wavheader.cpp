#include "testmain.h"
#include "wavbuilder.h"
#include "wavheader.h"

class TestWavHeader : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void header_data();
    void header();
    void unreadableFile();
};

void TestWavHeader::header_data()
{
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<qint64>("dataSize"); // -1: not a playable header
    QTest::addColumn<qint64>("durationMs");

    const QByteArray fmt = wav::fmt({});
    const QByteArray second(16000, '\0'); // one second at 8 kHz, 16 bits, mono
    QTest::newRow("pcm") << wav::pcm(40) << 640LL << 40LL;
    QTest::newRow("stereo 44.1k") << wav::riff(wav::fmt({1, 2, 44100, 16}) +
                                               wav::chunk("data", QByteArray(17640, '\0')))
                                  << 17640LL << 100LL;
    QTest::newRow("LIST before data")
        << wav::riff(fmt + wav::chunk("LIST", "INFOISFT\x06\0\0\0Tools\0") +
                     wav::chunk("data", second))
        << 16000LL << 1000LL;
    QTest::newRow("odd chunk padded")
        << wav::riff(wav::chunk("junk", "abc") + fmt + wav::chunk("data", second)) << 16000LL
        << 1000LL;
    QTest::newRow("truncated data")
        << wav::riff(fmt + wav::chunk("data", second.left(800), 16000)) << 800LL << 50LL;
    QTest::newRow("streamed data size")
        << wav::riff(fmt + wav::chunk("data", second, 0xFFFFFFFF)) << 16000LL << 1000LL;
    QTest::newRow("zero byte rate")
        << wav::riff(wav::fmt({1, 1, 8000, 16, 0}) + wav::chunk("data", second)) << -1LL << 0LL;
    QTest::newRow("byte rate that lies")
        << wav::riff(wav::fmt({1, 1, 8000, 16, 1}) + wav::chunk("data", second)) << -1LL << 0LL;
    QTest::newRow("no channels") << wav::riff(wav::fmt({1, 0, 8000, 16, 16000}) +
                                              wav::chunk("data", second))
                                 << -1LL << 0LL;
    QTest::newRow("missing fmt") << wav::riff(wav::chunk("data", second)) << -1LL << 0LL;
    QTest::newRow("fmt after data") << wav::riff(wav::chunk("data", second) + fmt) << -1LL << 0LL;
    QTest::newRow("short fmt") << wav::riff(wav::chunk("fmt ", QByteArray(10, '\1')) +
                                            wav::chunk("data", second))
                               << -1LL << 0LL;
    QTest::newRow("chunk beyond the end")
        << wav::riff(fmt + wav::chunk("LIST", "x", 0xFFFFFFF0) + wav::chunk("data", second)) << -1LL
        << 0LL;
    QTest::newRow("no data chunk") << wav::riff(fmt) << -1LL << 0LL;
    QTest::newRow("RIFF only") << QByteArray("RIFF\4\0\0\0WAVE") << -1LL << 0LL;
    QTest::newRow("empty") << QByteArray() << -1LL << 0LL;
    QTest::newRow("text") << QByteArray("This is not a sound, just words in a file.\n") << -1LL
                          << 0LL;
    QByteArray junk(4096, '\0');
    for (int i = 0; i < junk.size(); ++i)
        junk[i] = static_cast<char>((i * 7919 + 13) % 251);
    QTest::newRow("junk") << junk << -1LL << 0LL;
    QTest::newRow("RIFF then junk") << QByteArray("RIFF\0\0\0\0WAVE") + junk << -1LL << 0LL;
}

void TestWavHeader::header()
{
    QFETCH(QByteArray, bytes);
    QFETCH(qint64, dataSize);
    QFETCH(qint64, durationMs);

    const auto info = readWavHeader(bytes, bytes.size());
    QCOMPARE(info.has_value(), dataSize >= 0);
    if (info) {
        QCOMPARE(qint64(info->dataSize), dataSize);
        QCOMPARE(info->durationMs, durationMs);
    }
}

void TestWavHeader::unreadableFile()
{
    QVERIFY(!readWavFile(QStringLiteral("/nonexistent/horn.wav")));
    QVERIFY(!readWavFile(QString()));
    QVERIFY(!readWavFile(QDir::tempPath())); // a folder
}

PL_TEST_MAIN(TestWavHeader)
#include "tst_wavheader.moc"
