#include "commandline.h"
#include "program.h"
#include "testmain.h"

#include <QScreen>
#include <QTemporaryDir>
#include <QTextStream>
#include <QWidget>

// The command line: the options that turn the live output on, the answers printed instead of
// opening the board, and the full-screen board.
class TestStreamOptions : public QObject
{
    Q_OBJECT
    QTemporaryDir data; // the program's files: a buzzer, and no horn or manual

private Q_SLOTS:
    void initTestCase()
    {
        QFile buzzer(data.filePath(QStringLiteral("buzzer.wav")));
        QVERIFY(buzzer.open(QIODevice::WriteOnly));
        program::setFolder(data.path());
    }
    void cleanupTestCase() { program::setFolder(QString()); }

    void parse_data()
    {
        QTest::addColumn<QStringList>("args");
        QTest::addColumn<QString>("feed");
        QTest::addColumn<int>("port");
        QTest::addColumn<QString>("address");
        QTest::addColumn<bool>("error");
        const auto row = [](const char* name, const QStringList& args, const char* feed, int port,
                            const char* address, bool error) {
            QTest::newRow(name) << args << QString::fromLatin1(feed) << port
                                << QString::fromLatin1(address) << error;
        };
        const char* local = "127.0.0.1";
        row("nothing", {}, "", -1, local, false);
        row("feed", {"--feed", "/tmp/f"}, "/tmp/f", -1, local, false);
        row("feed, no folder", {"--feed"}, "", -1, local, true);
        row("serve", {"--serve", "8080"}, "", 8080, local, false);
        row("serve 0", {"--serve", "0"}, "", -1, local, true);
        row("serve too big", {"--serve", "65536"}, "", -1, local, true);
        row("serve word", {"--serve", "http"}, "", -1, local, true);
        row("serve with a sign", {"--serve", "+8080"}, "", -1, local, true);
        row("serve with a space", {"--serve", " 8080"}, "", -1, local, true);
        row("serve twice", {"--serve", "8080", "--serve=9090"}, "", -1, local, true);
        row("both, with the board's own",
            {"--fullscreen", "--feed", "d", "--serve", "1", "--screen", "0"}, "d", 1, local, false);
        row("any address", {"--serve", "8080", "--serve-address", "0.0.0.0"}, "", 8080, "0.0.0.0",
            false);
        row("ipv6", {"--serve-address=::1", "--serve", "9"}, "", 9, "::1", false);
        row("host name", {"--serve", "9", "--serve-address", "localhost"}, "", 9, local, true);
        row("address alone", {"--serve-address", "10.0.0.1"}, "", -1, "10.0.0.1", true);
        row("option as value", {"--feed", "--serve", "8080"}, "--serve", -1, local, true);
    }

    void parse()
    {
        QFETCH(QStringList, args);
        QFETCH(QString, feed);
        QFETCH(int, port);
        QFETCH(QString, address);
        QFETCH(bool, error);
        const LaunchOptions o = parseCommandLine(QStringList{"pucklight"} + args);
        QCOMPARE(o.feedFolder, feed);
        QCOMPARE(o.servePort, port);
        QCOMPARE(o.serveAddress, address);
        QCOMPARE(!o.error.isEmpty(), error);
    }

    void answers_data()
    {
        QTest::addColumn<QStringList>("args");
        QTest::addColumn<int>("code"); // -1: the board opens
        QTest::addColumn<QString>("out");
        QTest::addColumn<QString>("firstErrorLine");
        QTest::newRow("board") << QStringList{"--fullscreen"} << -1 << QString() << QString();
        QTest::newRow("version") << QStringList{"--version"} << 0
                                 << QStringLiteral(
                                        "Pucklight %1.%2.%3\nbuzzer: %4/buzzer.wav\n"
                                        "horn: horn.wav not found in %4\n"
                                        "manual: pucklighthelpfile.rtf not found in %4\n")
                                        .arg(program::VersionMajor)
                                        .arg(program::VersionMinor)
                                        .arg(program::VersionRevision)
                                        .arg(data.path())
                                 << QString();
        QTest::newRow("unknown option") << QStringList{"--frob", "--version"} << 2 << QString()
                                        << QStringLiteral("pucklight: Unknown option 'frob'.");
        QTest::newRow("stray word") << QStringList{"8080"} << 2 << QString()
                                    << QStringLiteral("pucklight: unexpected argument: 8080");
    }
    void answers()
    {
        QFETCH(QStringList, args);
        QFETCH(int, code);
        QFETCH(QString, out);
        QFETCH(QString, firstErrorLine);
        QString printed;
        QString errors;
        QTextStream outStream(&printed);
        QTextStream errStream(&errors);
        const auto answer = answerCommandLine(parseCommandLine(QStringList{"pucklight"} + args),
                                              outStream, errStream, QStringLiteral("  0: x\n"));
        QCOMPARE(answer.value_or(-1), code);
        QCOMPARE(printed, out);
        QCOMPARE(errors.section(QLatin1Char('\n'), 0, 0), firstErrorLine);
        if (code == 2) // the usage follows, with the monitors
            QVERIFY(errors.contains(QLatin1String("Usage:")) && errors.endsWith("  0: x\n"));
    }

    // With no window manager the window sizes itself; nothing else makes it fill the screen.
    void fullScreenTakesTheWholeScreen_data()
    {
        QTest::addColumn<int>("screen");
        QTest::newRow("no --screen") << -1;
        QTest::newRow("--screen 0") << 0;
    }
    void fullScreenTakesTheWholeScreen()
    {
        QFETCH(int, screen);
        LaunchOptions& o = launchOptions();
        o.screen = screen;
        o.fullScreen = true;
        QWidget board;
        board.resize(632, 453);
        // Kept off the platform, which would otherwise do the window manager's work here.
        board.setAttribute(Qt::WA_DontShowOnScreen);
        presentBoard(&board);
        o = LaunchOptions();
        QCOMPARE(board.geometry(), QGuiApplication::primaryScreen()->geometry());
        QVERIFY(board.isFullScreen());
    }
};

PL_TEST_MAIN(TestStreamOptions)
#include "tst_streamoptions.moc"
