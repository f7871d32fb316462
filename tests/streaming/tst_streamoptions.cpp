// SPDX-License-Identifier: GPL-3.0-or-later
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

    // What a command line asks of the board (feed folder, port, address, viewers), or the exit
    // code and what is printed instead: the output, or the first error line, then the usage
    // with the monitors.
    void commandLine_data()
    {
        QTest::addColumn<QStringList>("args");
        QTest::addColumn<QString>("result");
        const auto row = [](const char* name, const QStringList& args, const QString& result) {
            QTest::newRow(name) << args << result;
        };
        const QString port =
            QStringLiteral("2: pucklight: --serve needs a port number from 1 to 65535");
        const QString viewers =
            QStringLiteral("2: pucklight: --max-viewers needs a number from 1 to 1024");
        row("nothing", {}, "|-1|127.0.0.1|64");
        row("feed", {"--feed", "/tmp/f"}, "/tmp/f|-1|127.0.0.1|64");
        row("feed, empty folder", {"--feed="}, "2: pucklight: --feed needs a folder");
        row("highest port", {"--serve", "65535"}, "|65535|127.0.0.1|64");
        row("port 0", {"--serve", "0"}, port);
        row("port too big", {"--serve", "65536"}, port);
        row("port with a sign", {"--serve", "+8080"}, port);
        row("serve twice", {"--serve", "8080", "--serve=9090"},
            "2: pucklight: --serve is given more than once");
        row("both, with the board's own",
            {"--fullscreen", "--feed", "d", "--serve", "1", "--screen", "0"}, "d|1|127.0.0.1|64");
        row("ipv6", {"--serve-address=::1", "--serve", "9"}, "|9|::1|64");
        row("host name", {"--serve", "9", "--serve-address", "localhost"},
            "2: pucklight: --serve-address needs an IP address, such as 127.0.0.1 or 0.0.0.0");
        row("address alone", {"--serve-address", "10.0.0.1"},
            "2: pucklight: --serve-address goes with --serve PORT");
        row("one viewer", {"--serve", "9", "--max-viewers", "1"}, "|9|127.0.0.1|1");
        row("most viewers", {"--max-viewers=1024", "--serve", "9"}, "|9|127.0.0.1|1024");
        row("no viewers", {"--serve", "9", "--max-viewers", "0"}, viewers);
        row("too many viewers", {"--serve", "9", "--max-viewers", "1025"}, viewers);
        row("viewers in words", {"--serve", "9", "--max-viewers", "lots"}, viewers);
        row("viewers with a sign", {"--serve", "9", "--max-viewers", "+8"}, viewers);
        row("viewers, no value", {"--serve", "9", "--max-viewers="}, viewers);
        row("viewers twice", {"--serve", "9", "--max-viewers", "8", "--max-viewers", "8"},
            "2: pucklight: --max-viewers is given more than once");
        row("viewers alone", {"--max-viewers", "8"},
            "2: pucklight: --max-viewers goes with --serve PORT");
        row("unknown option", {"--frob", "--version"}, "2: pucklight: Unknown option 'frob'.");
        row("stray word", {"8080"}, "2: pucklight: unexpected argument: 8080");
        row("version", {"--version"},
            QStringLiteral("0: Pucklight %1.%2.%3\nbuzzer: %4/buzzer.wav\n"
                           "horn: horn.wav not found in %4\n"
                           "manual: pucklighthelpfile.rtf not found in %4\n")
                .arg(program::VersionMajor)
                .arg(program::VersionMinor)
                .arg(program::VersionRevision)
                .arg(data.path()));
    }
    void commandLine()
    {
        QFETCH(QStringList, args);
        QFETCH(QString, result);
        const LaunchOptions o = parseCommandLine(QStringList{"pucklight"} + args);
        QString out;
        QString errors;
        QTextStream outStream(&out);
        QTextStream errStream(&errors);
        const auto code = answerCommandLine(o, outStream, errStream, QStringLiteral("  0: x\n"));
        const QString board = QStringLiteral("%1|%2|%3|%4").arg(o.feedFolder).arg(o.servePort);
        QCOMPARE(code ? QString("%1: ").arg(*code) + out + errors.section('\n', 0, 0)
                      : board.arg(o.serveAddress).arg(o.maxViewers),
                 result);
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
