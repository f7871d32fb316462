// SPDX-License-Identifier: GPL-3.0-or-later
#include "remotetoken.h"
#include "testmain.h"

#include <QFile>
#include <QSet>
#include <sys/stat.h>
#include <unistd.h>

namespace {

mode_t modeOf(const QString& path)
{
    struct stat st = {};
    return ::lstat(QFile::encodeName(path).constData(), &st) == 0 ? st.st_mode & 07777 : 0;
}

// What a file holds; a FIFO or a folder is not opened.
QByteArray contents(const QString& path)
{
    if (!QFileInfo(path).isFile())
        return QByteArrayLiteral("(not a file)");
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

void write(const QString& path, const QByteArray& bytes, mode_t mode)
{
    QFile f(path);
    QVERIFY(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
    f.write(bytes);
    f.close();
    QCOMPARE(::chmod(QFile::encodeName(path).constData(), mode), 0);
}

} // namespace

// The remote token's file: made private on first use, read only when it is private and a plain
// file, never through a link; a new token replaces the old one whatever lay there.
class TestRemoteToken : public QObject
{
    Q_OBJECT
    QTemporaryDir dir;
    QString path;

private Q_SLOTS:
    void init()
    {
        path = dir.filePath(
            QStringLiteral("cfg%1/Pucklight/remote-token").arg(QTest::currentDataTag()));
    }

    // Made on first use, in a folder made for it, with mode 0600 even where the umask would let
    // everyone read new files; the same token after that.
    void madePrivateOnFirstUse()
    {
        QVERIFY(RemoteToken::defaultPath().endsWith(QLatin1String("/Pucklight/remote-token")));
        QVERIFY(RemoteToken::defaultPath().startsWith(qEnvironmentVariable("XDG_CONFIG_HOME")));
        const mode_t mask = ::umask(0);
        bool created = false;
        QString error;
        const auto token = RemoteToken::obtain(&error, &created, path);
        ::umask(mask);
        QVERIFY2(token, qPrintable(error));
        QVERIFY(created);
        QVERIFY(RemoteToken::isTokenText(token->text()));
        QCOMPARE(modeOf(path), mode_t(0600));
        QCOMPARE(contents(path), token->text() + '\n');
        const auto again = RemoteToken::obtain(&error, &created, path);
        QVERIFY(again && !created);
        QCOMPARE(again->text(), token->text());
        QCOMPARE(token->prefix(), QString::fromLatin1(token->text().left(4)));
    }

    // Files that are refused, each with a message that names the file and says what to do;
    // none is changed, and nothing hangs.
    void refused_data()
    {
        QTest::addColumn<QString>("kind");
        QTest::addColumn<QString>("says");
        QTest::newRow("readable by others") << "0644"
                                            << "chmod 600";
        QTest::newRow("readable by the group") << "0640"
                                               << "mode 0640";
        QTest::newRow("writable by others") << "0602"
                                            << "may be read or changed by others";
        QTest::newRow("a link to a good token") << "link"
                                                << "symbolic link";
        QTest::newRow("a dangling link") << "dangling"
                                         << "symbolic link";
        QTest::newRow("a folder") << "folder"
                                  << "is not a file";
        QTest::newRow("a FIFO") << "fifo"
                                << "is not a file";
        QTest::newRow("no token in it") << "garbage"
                                        << "holds no token";
        QTest::newRow("too long") << "long"
                                  << "holds no token";
    }
    void refused()
    {
        QFETCH(QString, kind);
        QFETCH(QString, says);
        QVERIFY(QDir().mkpath(QFileInfo(path).absolutePath()));
        const QByteArray good = RemoteToken::generate();
        const QString target = path + QStringLiteral(".target");
        const QByteArray name = QFile::encodeName(path);
        if (kind.startsWith('0')) {
            write(path, good + '\n', mode_t(kind.toUInt(nullptr, 8)));
        } else if (kind == QLatin1String("link")) {
            write(target, good + '\n', 0600);
            QVERIFY(QFile::link(target, path));
        } else if (kind == QLatin1String("dangling")) {
            QVERIFY(QFile::link(target, path));
        } else if (kind == QLatin1String("folder")) {
            QVERIFY(QDir().mkpath(path));
        } else if (kind == QLatin1String("fifo")) {
            QCOMPARE(::mkfifo(name.constData(), 0600), 0);
        } else if (kind == QLatin1String("garbage")) {
            write(path, "not a token\n", 0600);
        } else {
            write(path, good + good, 0600);
        }
        const QByteArray before = contents(path);
        QString error;
        bool created = true;
        QVERIFY(!RemoteToken::obtain(&error, &created, path));
        QVERIFY(!created);
        QVERIFY2(error.contains(says) && error.contains(path), qPrintable(error));
        QCOMPARE(contents(path), before);
        QVERIFY2(kind != QLatin1String("dangling") || !QFile::exists(target),
                 "a dangling link made its target");

        // A new token puts it right: a private file of its own, a link's target left alone.
        if (kind == QLatin1String("folder"))
            return; // a folder is not replaced
        const QByteArray targetBefore = contents(target);
        const auto renewed = RemoteToken::renew(&error, path);
        QVERIFY2(renewed, qPrintable(error));
        QVERIFY(renewed->text() != good);
        QCOMPARE(modeOf(path), mode_t(0600));
        QVERIFY(!QFileInfo(path).isSymLink());
        QCOMPARE(contents(target), targetBefore);
        const auto read = RemoteToken::obtain(&error, nullptr, path);
        QVERIFY2(read && read->text() == renewed->text(), qPrintable(error));
    }

    void matches_data()
    {
        QTest::addColumn<QByteArray>("given");
        QTest::addColumn<bool>("matches");
        const QByteArray t = "abcdefghijklmnopqrstuvwxyz0123456789-_ABCDE";
        QTest::newRow("itself") << t << true;
        QTest::newRow("last character") << (t.chopped(1) + 'F') << false;
        QTest::newRow("first character") << ('x' + t.mid(1)) << false;
        QTest::newRow("one short") << t.chopped(1) << false;
        QTest::newRow("one more") << (t + 'x') << false;
        QTest::newRow("with a NUL after it") << (t + '\0') << false;
        QTest::newRow("empty") << QByteArray() << false;
    }
    void matches()
    {
        QFETCH(QByteArray, given);
        QFETCH(bool, matches);
        const RemoteToken t("abcdefghijklmnopqrstuvwxyz0123456789-_ABCDE");
        QCOMPARE(t.matches(given), matches);
    }

    void generated()
    {
        QSet<QByteArray> seen;
        for (int i = 0; i < 100; ++i) {
            const QByteArray t = RemoteToken::generate();
            QVERIFY2(RemoteToken::isTokenText(t), t.constData());
            seen.insert(t);
        }
        QCOMPARE(seen.size(), 100);
    }
};

PL_CORE_TEST_MAIN(TestRemoteToken)
#include "tst_remotetoken.moc"
