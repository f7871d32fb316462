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
        const QString local = QStringLiteral("127.0.0.1");
        QTest::newRow("nothing") << QStringList() << "" << -1 << local << false;
        QTest::newRow("feed") << QStringList{"--feed", "/tmp/f"} << "/tmp/f" << -1 << local
                              << false;
        QTest::newRow("feed=") << QStringList{"--feed=/tmp/f"} << "/tmp/f" << -1 << local << false;
        QTest::newRow("feed, no folder") << QStringList{"--feed"} << "" << -1 << local << true;
        QTest::newRow("serve") << QStringList{"--serve", "8080"} << "" << 8080 << local << false;
        QTest::newRow("serve 0") << QStringList{"--serve", "0"} << "" << -1 << local << true;
        QTest::newRow("serve too big")
            << QStringList{"--serve", "65536"} << "" << -1 << local << true;
        QTest::newRow("serve word") << QStringList{"--serve", "http"} << "" << -1 << local << true;
        QTest::newRow("both, with the board's own")
            << QStringList{"--fullscreen", "--feed", "d", "--serve", "1", "--screen", "0"} << "d"
            << 1 << local << false;
        QTest::newRow("any address") << QStringList{"--serve", "8080", "--serve-address", "0.0.0.0"}
                                     << "" << 8080 << "0.0.0.0" << false;
        QTest::newRow("ipv6") << QStringList{"--serve-address=::1", "--serve", "9"} << "" << 9
                              << "::1" << false;
        QTest::newRow("host name") << QStringList{"--serve", "9", "--serve-address", "localhost"}
                                   << "" << 9 << local << true;
        QTest::newRow("address alone")
            << QStringList{"--serve-address", "10.0.0.1"} << "" << -1 << "10.0.0.1" << true;
        QTest::newRow("option as value")
            << QStringList{"--feed", "--serve", "8080"} << "--serve" << -1 << local << true;
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
