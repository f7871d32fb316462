#include "program.h"
#include "testmain.h"

#include <QFile>

#ifdef Q_OS_UNIX
#include <sys/stat.h>
#endif

// Sounds, pictures and the manual are opened only when the program takes their path for a
// file: a FIFO would block the opening for good, a device would feed it without end.
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
};

PL_TEST_MAIN(TestProgram)
#include "tst_program.moc"
