// SPDX-License-Identifier: GPL-3.0-or-later
#include "qrcode.h"
#include "testmain.h"

#include <QProcess>
#include <QStandardPaths>

// The QR code for a phone: read back by a real reader (zbarimg, where it is installed), and
// made of whole modules inside its quiet zone.
class TestQrCode : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void readsBack_data()
    {
        QTest::addColumn<QByteArray>("text");
        QTest::addColumn<int>("moduleSize");
        QTest::newRow("control page with a token")
            << QByteArray("http://192.168.1.20:8080/control#token="
                          "k3XaQ0-8sWm_2ZpLr4TqYv9eBnC1uJdHfGiKlMoPxRs")
            << 8;
        QTest::newRow("IPv6, small modules") << QByteArray("http://[fd00::1]:8080/control") << 3;
        QTest::newRow("non-ASCII") << QByteArray("Färjestad – Luleå") << 6;
    }
    void readsBack()
    {
        QFETCH(QByteArray, text);
        QFETCH(int, moduleSize);
        const QImage image = qrCodeImage(text, moduleSize);
        QVERIFY(!image.isNull());
        int side = 0;
        const std::vector<bool> modules = qrCodeModules(text, &side);
        QVERIFY(side >= 21 && (side - 17) % 4 == 0); // a QR code of version 1 to 40
        QCOMPARE(image.size(), QSize((side + 8) * moduleSize, (side + 8) * moduleSize));
        // The quiet zone is light; the three finder patterns' corners are dark.
        const auto dark = [&](int moduleX, int moduleY) {
            return image.pixelColor((moduleX + 4) * moduleSize, (moduleY + 4) * moduleSize) ==
                   QColor(Qt::black);
        };
        QCOMPARE(image.pixelColor(0, 0), QColor(Qt::white));
        QVERIFY(dark(0, 0) && dark(side - 1, 0) && dark(0, side - 1) && !dark(1, 1) && dark(3, 3));
        QCOMPARE(modules[0], true);

        const QString reader = QStandardPaths::findExecutable(QStringLiteral("zbarimg"));
        if (reader.isEmpty())
            QSKIP(
                "zbarimg is not installed (Debian package zbar-tools): the code is not read back");
        QTemporaryDir dir;
        const QString file = dir.filePath(QStringLiteral("code.png"));
        QVERIFY(image.save(file));
        QProcess zbar;
        zbar.start(reader, {"--quiet", "--raw", "-Sbinary", file});
        QVERIFY(zbar.waitForFinished(30000));
        QCOMPARE(zbar.readAllStandardOutput(), text); // as bytes, exactly
    }

    void tooLong()
    {
        QVERIFY(qrCodeImage(QByteArray(3000, 'x')).isNull());
        int side = 1;
        QVERIFY(qrCodeModules(QByteArray(3000, 'x'), &side).empty());
        QCOMPARE(side, 0);
    }
};

PL_TEST_MAIN(TestQrCode)
#include "tst_qrcode.moc"
