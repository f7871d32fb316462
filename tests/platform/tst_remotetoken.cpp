// SPDX-License-Identifier: GPL-3.0-or-later
#include "remotetoken.h"
#include "testmain.h"

#include <QStandardPaths>
#include <QTemporaryDir>
#include <sys/stat.h>

// The remote token: made once, private to its owner from the start, never taken from a file
// that others could read, change or put a link in place of.
class TestRemoteToken : public QObject
{
    Q_OBJECT
    QTemporaryDir work;

    static unsigned modeOf(const QString& path)
    {
        struct stat st = {};
        return ::lstat(QFile::encodeName(path).constData(), &st) == 0 ? st.st_mode & 07777 : 0;
    }

private Q_SLOTS:
    void madeOnceAndKept()
    {
        QCOMPARE(RemoteToken::defaultPath(),
                 QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation) +
                     "/Pucklight/remote-token");
        const QString path = work.filePath("made/Pucklight/remote-token");
        // However open the user's umask, the file is never readable by others.
        const mode_t old = ::umask(0);
        bool created = false;
        QString error;
        const auto token = RemoteToken::obtain(&error, &created, path);
        ::umask(old);
        QVERIFY2(token, qPrintable(error));
        QVERIFY(created);
        QCOMPARE(modeOf(path), 0600U);
        QCOMPARE(token->text().size(), 43); // 32 bytes, base64url without padding
        QVERIFY(QByteArray::fromBase64(token->text(), QByteArray::Base64UrlEncoding).size() == 32);
        QVERIFY(!token->text().contains('=') && !token->text().contains('+'));
        QFile f(path);
        QVERIFY(f.open(QIODevice::ReadOnly));
        QCOMPARE(f.readAll(), token->text() + '\n');

        const auto again = RemoteToken::obtain(&error, &created, path);
        QVERIFY(again && !created);
        QCOMPARE(again->text(), token->text());
        const auto renewed = RemoteToken::renew(&error, path);
        QVERIFY(renewed && renewed->text() != token->text());
        QCOMPARE(RemoteToken::obtain(&error, &created, path)->text(), renewed->text());
        QCOMPARE(modeOf(path), 0600U);
    }

    // A token file that cannot be trusted is refused with the reason, and left as it is.
    void refused_data()
    {
        QTest::addColumn<QByteArray>("content");
        QTest::addColumn<unsigned>("mode");
        QTest::addColumn<QString>("fault");
        const QByteArray token(43, 'A');
        QTest::newRow("group may read")
            << token << 0640U << "may be read or changed by others (mode 0640)";
        QTest::newRow("anyone may write")
            << token << 0602U << "may be read or changed by others (mode 0602)";
        QTest::newRow("empty") << QByteArray() << 0600U << "holds no remote token";
        QTest::newRow("too short") << QByteArray(21, 'A') << 0600U << "holds no remote token";
        QTest::newRow("not base64url")
            << QByteArray(42, 'A') + '+' << 0600U << "holds no remote token";
    }
    void refused()
    {
        QFETCH(QByteArray, content);
        QFETCH(unsigned, mode);
        QFETCH(QString, fault);
        const QString path = work.filePath(QTest::currentDataTag());
        QFile f(path);
        QVERIFY(f.open(QIODevice::WriteOnly));
        f.write(content);
        f.close();
        QVERIFY(::chmod(QFile::encodeName(path).constData(), mode) == 0);
        QString error;
        QVERIFY(!RemoteToken::obtain(&error, nullptr, path));
        QVERIFY2(error.startsWith(path + ' ' + fault), qPrintable(error));
        QVERIFY(f.open(QIODevice::ReadOnly));
        QCOMPARE(f.readAll(), content);
    }

    // A link in the token's place is never followed, whatever it points to: a good token file
    // of someone else's, or nothing (which would otherwise be made).
    void linkRefused()
    {
        const QString real = work.filePath("real-token");
        QString error;
        QVERIFY(RemoteToken::obtain(&error, nullptr, real));
        for (const QString& target : {real, work.filePath("not-there")}) {
            const QString link = work.filePath("link");
            QFile::remove(link);
            QVERIFY(QFile::link(target, link));
            QVERIFY(!RemoteToken::obtain(&error, nullptr, link));
            QVERIFY2(error.contains("is a symbolic link"), qPrintable(error));
            QVERIFY(!QFile::exists(work.filePath("not-there")));
        }
    }

    void matches_data()
    {
        QTest::addColumn<QByteArray>("given");
        QTest::addColumn<bool>("match");
        const QByteArray token = "k3Xa" + QByteArray(39, 'q');
        QTest::newRow("itself") << token << true;
        QTest::newRow("last character differs") << token.chopped(1) + 'r' << false;
        QTest::newRow("first character differs") << 'K' + token.mid(1) << false;
        QTest::newRow("one short") << token.chopped(1) << false;
        QTest::newRow("one more") << token + 'q' << false;
        QTest::newRow("empty") << QByteArray() << false;
    }
    void matches()
    {
        QFETCH(QByteArray, given);
        QFETCH(bool, match);
        const RemoteToken token("k3Xa" + QByteArray(39, 'q'));
        QCOMPARE(token.matches(given), match);
        QCOMPARE(token.prefix(), "k3Xa");
        QVERIFY(!RemoteToken(QByteArray()).matches(QByteArray()));
    }
};

PL_CORE_TEST_MAIN(TestRemoteToken)
#include "tst_remotetoken.moc"
