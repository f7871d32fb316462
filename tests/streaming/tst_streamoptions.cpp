#include "commandline.h"
#include "testmain.h"

// The command-line options that turn the live output on.
class TestStreamOptions : public QObject
{
    Q_OBJECT

private Q_SLOTS:
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
        row("feed=", {"--feed=/tmp/f"}, "/tmp/f", -1, local, false);
        row("feed, no folder", {"--feed"}, "", -1, local, true);
        row("serve", {"--serve", "8080"}, "", 8080, local, false);
        row("serve 0", {"--serve", "0"}, "", -1, local, true);
        row("serve too big", {"--serve", "65536"}, "", -1, local, true);
        row("serve word", {"--serve", "http"}, "", -1, local, true);
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
};

PL_TEST_MAIN(TestStreamOptions)
#include "tst_streamoptions.moc"
