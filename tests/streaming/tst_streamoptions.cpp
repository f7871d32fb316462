// SPDX-License-Identifier: GPL-3.0-or-later
#include "commandline.h"
#include "program.h"
#include "testmain.h"

#include <QRegularExpression>
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
        row("remote control alone", {"--remote-control"},
            "2: pucklight: --remote-control goes with --serve PORT");
        row("remote control", {"--serve", "9", "--remote-control"}, "|9|127.0.0.1|64");
        row("unknown option", {"--frob", "--version"}, "2: pucklight: Unknown option 'frob'.");
        row("stray word", {"8080"}, "2: pucklight: unexpected argument: 8080");
        // The broker: a bad address, or a credentials file that is not there, stops the start.
        row("mqtt", {"--mqtt", "mqtts://broker:8884", "--mqtt-control"}, "|-1|127.0.0.1|64");
        row("mqtt, not a broker's address", {"--mqtt", "http://broker"},
            "2: pucklight: --mqtt http://broker: give the broker as mqtt://host[:port] or "
            "mqtts://host[:port]");
        row("mqtt, no credentials file",
            {"--mqtt", "mqtt://broker", "--mqtt-credentials", "/nonexistent/login"},
            "2: pucklight: --mqtt-credentials /nonexistent/login: no such file");
        row("mqtt option alone", {"--mqtt-topic", "rink"},
            "2: pucklight: --mqtt-topic goes with --mqtt URL");
        row("mqtt CA without TLS", {"--mqtt", "mqtt://b", "--mqtt-cafile", "/etc/hostname"},
            "2: pucklight: --mqtt-cafile goes with an mqtts:// broker");
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

    // --remote-token prints the token, made first where there is none; --new-remote-token
    // replaces it; a token file that others may read is refused, with exit status 1.
    void remoteToken()
    {
        QTemporaryDir dir;
        const QString file = dir.filePath(QStringLiteral("Pucklight/remote-token"));
        const auto answer = [&](const QStringList& args, QString* err = nullptr) {
            QString out;
            QString errors;
            QTextStream outStream(&out);
            QTextStream errStream(&errors);
            const auto code = answerCommandLine(parseCommandLine(QStringList{"pucklight"} + args),
                                                outStream, errStream, QString(), file);
            if (err)
                *err = errors;
            return QStringLiteral("%1: ").arg(code.value_or(-1)) + out;
        };
        QVERIFY(parseCommandLine({"pucklight", "--serve", "9", "--remote-control"}).remoteControl);
        const QString first = answer({"--remote-token"});
        QVERIFY2(QRegularExpression("^0: [A-Za-z0-9_-]{43}\n$").match(first).hasMatch(),
                 qPrintable(first));
        QCOMPARE(QFile::permissions(file), QFileDevice::ReadOwner | QFileDevice::WriteOwner |
                                               QFileDevice::ReadUser | QFileDevice::WriteUser);
        QCOMPARE(answer({"--remote-token"}), first);
        const QString renewed = answer({"--new-remote-token"});
        QVERIFY(renewed.startsWith("0: ") && renewed != first);
        QCOMPARE(answer({"--remote-token"}), renewed);
        QVERIFY(QFile::setPermissions(file, QFile::permissions(file) | QFileDevice::ReadOther));
        QString errors;
        QCOMPARE(answer({"--remote-token"}, &errors), QStringLiteral("1: "));
        QVERIFY2(errors.startsWith("pucklight: ") && errors.contains("read or changed by others") &&
                     errors.contains("chmod 600"),
                 qPrintable(errors));
        QVERIFY(answer({"--new-remote-token"}).startsWith("0: "));
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
