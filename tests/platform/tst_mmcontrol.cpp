#include "mmcontrol.h"
#include "testmain.h"
#include "wavbuilder.h"

#include <QElapsedTimer>
#include <QSignalSpy>

// Real short clips: the player times a play from the clip's length, so these tests wait on
// its Done signal (never on a fixed time) and check only lower bounds of how long it took.
class TestMMControl : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void initTestCase();
    void playsForTheClipLength();
    void playThatCannotHappenStillEnds_data();
    void playThatCannotHappenStillEnds();
    void stopEndsEarlyAndReplayStartsOver_data();
    void stopEndsEarlyAndReplayStartsOver();

private:
    QString path(const char* name) const { return dir.filePath(QString::fromLatin1(name)); }
    QTemporaryDir dir;
};

void TestMMControl::initTestCase()
{
    QVERIFY(dir.isValid());
    QVERIFY(wav::write(path("short.wav"), wav::pcm(40)));
    QVERIFY(wav::write(path("longer.wav"), wav::pcm(300)));
    QVERIFY(wav::write(path("empty.wav"), QByteArray()));
    QVERIFY(wav::write(path("truncated.wav"), wav::pcm(40).left(30)));
    QVERIFY(wav::write(path("text.wav"), "Not a sound at all.\n"));
}

void TestMMControl::playsForTheClipLength()
{
    MMControl mmc;
    QSignalSpy done(&mmc, &MMControl::Done);
    mmc.setFileName(path("short.wav"));
    mmc.setCommand(QStringLiteral("Open"));
    QCOMPARE(mmc.clipLengthMs(), 40);

    QElapsedTimer clock;
    clock.start();
    mmc.setCommand(QStringLiteral("Play"));
    QVERIFY(mmc.isPlaying());
    QVERIFY(done.wait(5000));
    QVERIFY(clock.elapsed() >= 35);
    QVERIFY(!mmc.isPlaying());
    QCOMPARE(done.count(), 1);

    // The completion handler's Stop and Prev after a finished play raise nothing more.
    mmc.setCommand(QStringLiteral("Stop"));
    mmc.setCommand(QStringLiteral("Prev"));
    QCoreApplication::processEvents();
    QCOMPARE(done.count(), 1);
}

void TestMMControl::playThatCannotHappenStillEnds_data()
{
    QTest::addColumn<QString>("file");
    QTest::addColumn<bool>("open");
    QTest::newRow("never opened") << path("short.wav") << false;
    QTest::newRow("no file") << QString() << true;
    QTest::newRow("missing file") << path("missing.wav") << true;
    QTest::newRow("empty file") << path("empty.wav") << true;
    QTest::newRow("truncated file") << path("truncated.wav") << true;
    QTest::newRow("not a WAV") << path("text.wav") << true;
    QTest::newRow("folder") << dir.path() << true;
}

void TestMMControl::playThatCannotHappenStillEnds()
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

void TestMMControl::stopEndsEarlyAndReplayStartsOver_data()
{
    QTest::addColumn<QString>("command");
    QTest::newRow("Stop") << QStringLiteral("Stop");
    QTest::newRow("Close") << QStringLiteral("Close");
}

void TestMMControl::stopEndsEarlyAndReplayStartsOver()
{
    QFETCH(QString, command);

    MMControl mmc;
    QSignalSpy done(&mmc, &MMControl::Done);
    mmc.setFileName(path("longer.wav"));
    mmc.setCommand(QStringLiteral("Open"));
    QCOMPARE(mmc.clipLengthMs(), 300);

    mmc.setCommand(QStringLiteral("Play"));
    QTest::qWait(150); // about half the clip
    mmc.setCommand(command);
    QVERIFY(!mmc.isPlaying());
    QVERIFY(done.wait(1000));
    QCOMPARE(done.count(), 1);

    if (command == QLatin1String("Close"))
        mmc.setCommand(QStringLiteral("Open"));
    mmc.setCommand(QStringLiteral("Prev"));
    QElapsedTimer clock;
    clock.start();
    mmc.setCommand(QStringLiteral("Play"));
    QVERIFY(mmc.isPlaying());
    QVERIFY(done.wait(5000));
    // The whole clip again, not the half that was left.
    QVERIFY2(clock.elapsed() >= 250, qPrintable(QString::number(clock.elapsed())));
    QCOMPARE(done.count(), 2);
}

PL_TEST_MAIN(TestMMControl)
#include "tst_mmcontrol.moc"
