// SPDX-License-Identifier: GPL-3.0-or-later
#include "program.h"
#include "testmain.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#ifdef Q_OS_UNIX
#include <sys/stat.h>
#endif

// Only files are opened: a FIFO would block for good, a device feed without end.
class TestProgram : public QObject
{
    Q_OBJECT
    QTemporaryDir dir;

private Q_SLOTS:
    void fileExists_data()
    {
        QTest::addColumn<QString>("path");
        QTest::addColumn<bool>("exists");
        const QString file = dir.filePath(QStringLiteral("horn.wav"));
        QFile f(file);
        QVERIFY(f.open(QIODevice::WriteOnly));
        QTest::newRow("file") << file << true;
        QTest::newRow("missing") << dir.filePath(QStringLiteral("none.wav")) << false;
        QTest::newRow("folder") << dir.path() << false;
#ifdef Q_OS_UNIX
        const QString link = dir.filePath(QStringLiteral("link.wav"));
        QVERIFY(QFile::link(file, link));
        QTest::newRow("link to a file") << link << true;
        const QString fifo = dir.filePath(QStringLiteral("fifo.jpg"));
        QVERIFY(::mkfifo(fifo.toLocal8Bit().constData(), 0600) == 0);
        QTest::newRow("FIFO") << fifo << false;
        QTest::newRow("device") << QStringLiteral("/dev/zero") << false;
#endif
    }
    void fileExists()
    {
        QFETCH(QString, path);
        QFETCH(bool, exists);
        QCOMPARE(program::fileExists(path), exists);
        QCOMPARE(program::bareName(path).isEmpty(), !exists);
    }

    // Beside the program (a build tree), then the user's data folder, then the system's.
    void dataFile_data()
    {
        QTest::addColumn<QStringList>("holders"); // where a copy of the file lies
        QTest::addColumn<QString>("found");       // the one taken
        QTest::newRow("beside the program") << QStringList{"program", "home", "a"} << "program";
        QTest::newRow("user's first") << QStringList{"home", "a", "b"} << "home";
        QTest::newRow("the application's own") << QStringList{"app", "b"} << "app";
        QTest::newRow("system folders in order") << QStringList{"b", "a"} << "a";
        QTest::newRow("the last system folder") << QStringList{"b"} << "b";
        QTest::newRow("nowhere: named beside the program") << QStringList{} << "program";
    }
    void dataFile()
    {
        QFETCH(QStringList, holders);
        QFETCH(QString, found);
        // Unique to the row: a copy beside the test program outlives a failed row.
        const QString name = QStringLiteral("pl-data-%1.wav").arg(QTest::currentDataTag());
        const QTemporaryDir data;
        qputenv("XDG_DATA_HOME", QFile::encodeName(data.filePath("home")));
        qputenv("XDG_DATA_DIRS", QFile::encodeName(data.filePath("a") + ':' + data.filePath("b")));
        const QHash<QString, QString> folders = {
            {"program", QCoreApplication::applicationDirPath()},
            {"home", data.filePath("home/pucklight")},
            {"app", data.filePath("home/Pucklight/Pucklight")},
            {"a", data.filePath("a/pucklight")},
            {"b", data.filePath("b/pucklight")}};
        for (const QString& h : holders) {
            QVERIFY(QDir().mkpath(folders[h]));
            QFile f(folders[h] + '/' + name);
            QVERIFY(f.open(QIODevice::WriteOnly));
        }
        const QString path = program::dataFile(name);
        QFile::remove(folders["program"] + '/' + name);
        QCOMPARE(path, folders[found] + '/' + name);
    }
};

PL_TEST_MAIN(TestProgram)
#include "tst_program.moc"
