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
        QVERIFY(QFile(data.filePath(QStringLiteral("buzzer.wav"))).open(QIODevice::WriteOnly));
        program::setFolder(data.path());
    }
    void cleanupTestCase() { program::setFolder(QString()); }

    void parse_data()
    {
        QTest::addColumn<QStringList>("args");
        QTest::addColumn<QString>("options"); // feed folder|port|address, or "error"
        const auto row = [](const char* name, const QStringList& args, const char* options) {
            QTest::newRow(name) << args << QString::fromLatin1(options);
        };
        row("nothing", {}, "|-1|127.0.0.1");
        row("feed", {"--feed", "/tmp/f"}, "/tmp/f|-1|127.0.0.1");
        row("feed, no folder", {"--feed"}, "error");
        row("highest port", {"--serve", "65535"}, "|65535|127.0.0.1");
        row("port 0", {"--serve", "0"}, "error");
        row("port too big", {"--serve", "65536"}, "error");
        row("port with a sign", {"--serve", "+8080"}, "error");
        row("serve twice", {"--serve", "8080", "--serve=9090"}, "error");
        row("both, with the board's own",
            {"--fullscreen", "--feed", "d", "--serve", "1", "--screen", "0"}, "d|1|127.0.0.1");
        row("ipv6", {"--serve-address=::1", "--serve", "9"}, "|9|::1");
        row("host name", {"--serve", "9", "--serve-address", "localhost"}, "error");
        row("address alone", {"--serve-address", "10.0.0.1"}, "error");
    }

    void parse()
    {
        QFETCH(QStringList, args);
        QFETCH(QString, options);
        const LaunchOptions o = parseCommandLine(QStringList{"pucklight"} + args);
        const QString found = QStringLiteral("%1|%2|%3").arg(o.feedFolder).arg(o.servePort);
        QCOMPARE(o.error.isEmpty() ? found.arg(o.serveAddress) : QStringLiteral("error"), options);
    }

    void answers_data()
    {
        QTest::addColumn<QStringList>("args");
        QTest::addColumn<int>("code");        // -1: the board opens
        QTest::addColumn<QString>("printed"); // the output, then the first line of the errors
        QTest::newRow("board") << QStringList{"--fullscreen"} << -1 << QString();
        QTest::newRow("version") << QStringList{"--version"} << 0
                                 << QStringLiteral(
                                        "Pucklight %1.%2.%3\nbuzzer: %4/buzzer.wav\n"
                                        "horn: horn.wav not found in %4\n"
                                        "manual: pucklighthelpfile.rtf not found in %4\n")
                                        .arg(program::VersionMajor)
                                        .arg(program::VersionMinor)
                                        .arg(program::VersionRevision)
                                        .arg(data.path());
        QTest::newRow("unknown option") << QStringList{"--frob", "--version"} << 2
                                        << QStringLiteral("pucklight: Unknown option 'frob'.");
        QTest::newRow("stray word")
            << QStringList{"8080"} << 2 << QStringLiteral("pucklight: unexpected argument: 8080");
    }
    void answers()
    {
        QFETCH(QStringList, args);
        QFETCH(int, code);
        QFETCH(QString, printed);
        QString out;
        QString errors;
        QTextStream outStream(&out);
        QTextStream errStream(&errors);
        const auto answer = answerCommandLine(parseCommandLine(QStringList{"pucklight"} + args),
                                              outStream, errStream, QStringLiteral("  0: x\n"));
        QCOMPARE(answer.value_or(-1), code);
        QCOMPARE(out + errors.section(QLatin1Char('\n'), 0, 0), printed);
        // An error is followed by the usage, with the monitors.
        QVERIFY(code != 2 ||
                (errors.contains(QLatin1String("Usage:")) && errors.endsWith(" 0: x\n")));
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
