#include "mmcontrol.h"
#include "soundoutput.h"
#include "testmain.h"
#include "wavbuilder.h"

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

// Without an audio output a play is timed from the clip: only lower bounds are checked.
class TestMMControl : public QObject
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
        QCOMPARE(mmc.clipLengthMs(), 300);
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

PL_TEST_MAIN(TestMMControl)
#include "tst_mmcontrol.moc"
