#include "frmhelp.h"
#include "program.h"
#include "testmain.h"
#include "twips.h"
#include "widgetcontrols.h"

#include <QAbstractTextDocumentLayout>
#include <QFile>
#include <QPointer>
#include <QTextBrowser>
#include <QTimer>

#ifdef Q_OS_UNIX
#include <sys/stat.h>
#endif

// The help window: where it finds the manual, what it shows without one, its size rules and
// its life from the first request to closing.
class TestFrmHelp : public QObject
{
    Q_OBJECT

    QTemporaryDir programDir;
    QTemporaryDir otherDir;
    QString savedCurrent;

    static void writeManual(const QString& folder, const QByteArray& content)
    {
        QFile f(QDir(folder).filePath(QString::fromLatin1(frmHelp::FileName)));
        QVERIFY(f.open(QIODevice::WriteOnly));
        f.write(content);
    }

    static void closeHelp()
    {
        if (frmHelp* w = frmHelp::current())
            w->close();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }

private Q_SLOTS:
    void init()
    {
        savedCurrent = QDir::currentPath();
        QFile::remove(QDir(programDir.path()).filePath(QString::fromLatin1(frmHelp::FileName)));
        program::setFolder(programDir.path());
        // A manual in the current folder must never be the one shown.
        writeManual(otherDir.path(), "{\\rtf1 wrong one}");
        QDir::setCurrent(otherDir.path());
    }

    void cleanup()
    {
        closeHelp();
        QVERIFY(!frmHelp::current());
        program::setFolder(QString());
        QDir::setCurrent(savedCurrent);
    }

    void findsTheFileBesideTheProgram()
    {
        writeManual(programDir.path(), "{\\rtf1 Pucklight manual\\par second}");
        frmHelp* w = frmHelp::showHelp();
        QCOMPARE(w->rtbHelp()->toPlainText(), QStringLiteral("Pucklight manual\nsecond"));
        // The box keeps the document's own tab stops (half an inch unless it says otherwise).
        QCOMPARE(w->rtbHelp()->document()->defaultTextOption().tabStopDistance(), 48.0);
    }

    // Whatever the manual holds, the board's clock and keys, which run on the same thread,
    // keep running: the window lays the manual out in steps, and the timer ticks between them.
    void boardKeepsTicking_data()
    {
        QTest::addColumn<QByteArray>("rtf");
        QByteArray cjk = "{\\rtf1\\uc1 ";
        for (int i = 0; i < 500000; ++i)
            cjk += "\\u" + QByteArray::number(0x4E00 + i % 20000) + '?';
        QTest::newRow("one paragraph of 500 000 CJK characters") << cjk + "\\par}";
        QByteArray items = "{\\rtf1";
        for (int i = 0; i < 30000; ++i)
            items += "{\\listtext\\pard\\plain\\'b7\\tab}\\ls1 Item " + QByteArray::number(i) +
                     "\\par\n";
        QTest::newRow("30 000 list items") << items + '}';
    }

    void boardKeepsTicking()
    {
        QFETCH(QByteArray, rtf);
        writeManual(programDir.path(), rtf);
        int ticks = 0;
        int ticksBeforeGrowing = 0;
        QTimer tick;
        tick.setInterval(1);
        connect(&tick, &QTimer::timeout, [&] { ++ticks; });
        tick.start();
        const QTextDocument* doc = frmHelp::showHelp()->rtbHelp()->document();
        connect(doc->documentLayout(), &QAbstractTextDocumentLayout::documentSizeChanged,
                [&] { ticksBeforeGrowing = ticks; });
        QVERIFY(doc->characterCount() > 100000);
        // The document was still being laid out after the timer had ticked.
        QTRY_VERIFY(ticksBeforeGrowing > 0);
    }

    void opensAsDesignedWithoutAManual()
    {
        frmHelp* w = frmHelp::showHelp();
        QCOMPARE(w->rtbHelp()->toPlainText(),
                 QStringLiteral("Help file has been moved from its normal location.  Please "
                                "reinstall the program."));
        QVERIFY(w->rtbHelp()->isReadOnly());
        QCOMPARE(w->windowTitle(), QStringLiteral("Pucklight Help"));
        QCOMPARE(w->ClientWidth(), 11055.0);
        QCOMPARE(w->ClientHeight(), 9270.0);
        QVERIFY(w->palette().color(QPalette::Window) == Qt::white);
        QVERIFY(w->screen()->availableGeometry().contains(w->pos()));
        // It neither blocks the board nor keeps the program running, and closing destroys it.
        QVERIFY(w->isVisible() && !w->isModal() && !w->parentWidget());
        QVERIFY(!w->testAttribute(Qt::WA_QuitOnClose));
        QVERIFY(w->testAttribute(Qt::WA_DeleteOnClose));
    }

#ifdef Q_OS_UNIX
    // Opening a FIFO would wait for a writer for good: only a regular file is a manual.
    void fifoIsNoManual()
    {
        const QString path =
            QDir(programDir.path()).filePath(QString::fromLatin1(frmHelp::FileName));
        QVERIFY(::mkfifo(path.toLocal8Bit().constData(), 0600) == 0);
        QCOMPARE(frmHelp::showHelp()->rtbHelp()->toPlainText(), frmHelp::missingFileMessage());
    }
#endif

    void boxFollowsTheWindow_data()
    {
        // The outer size is the client size plus the 120 x 405 twips frame.
        QTest::addColumn<QSize>("request"); // client size in pixels
        QTest::addColumn<QSizeF>("outer");  // in twips
        QTest::newRow("larger") << QSize(1000, 800) << QSizeF(15120, 12405);
        QTest::newRow("too narrow") << QSize(50, 500) << QSizeF(2700, 7905);
        QTest::newRow("too low") << QSize(500, 20) << QSizeF(7620, 1710);
    }

    void boxFollowsTheWindow()
    {
        QFETCH(QSize, request);
        frmHelp* w = frmHelp::showHelp();
        w->resize(request);
        QTEST(QSizeF(w->OuterWidth(), w->OuterHeight()), "outer");

        const auto* box = w->find<WidgetControl>(QStringLiteral("rtbHelp"));
        QVERIFY(box);
        QCOMPARE(QRectF(box->Left(), box->Top(), box->Width(), box->Height()),
                 QRectF(120, 0, w->OuterWidth() - 240, w->OuterHeight() - 420));
        QCOMPARE(w->rtbHelp()->geometry(),
                 QRect(8, 0, twips::toPixels(box->Width()), twips::toPixels(box->Height())));
        QCOMPARE(w->rtbHelp()->lineWrapMode(), QTextEdit::FixedPixelWidth);
        QCOMPARE(w->rtbHelp()->lineWrapColumnOrWidth(), twips::toPixels(box->Width() - 450));
    }

    void minimisedChangesNothing()
    {
        frmHelp* w = frmHelp::showHelp();
        w->resize(600, 500);
        const QRect before = w->rtbHelp()->geometry();
        w->setWindowState(Qt::WindowMinimized);
        w->resize(300, 200);
        QCOMPARE(w->rtbHelp()->geometry(), before);
        frmHelp::showHelp(); // brings it back
        QVERIFY(!w->isMinimized());
    }

    void secondRequestDoesNotReload()
    {
        writeManual(programDir.path(), "{\\rtf1 first}");
        const int loads = frmHelp::loadCount();
        QPointer<frmHelp> first = frmHelp::showHelp();
        writeManual(programDir.path(), "{\\rtf1 second}");
        QCOMPARE(frmHelp::showHelp(), first.data());
        QCOMPARE(frmHelp::loadCount(), loads + 1);
        QCOMPARE(first->rtbHelp()->toPlainText(), QStringLiteral("first"));

        // Closing destroys the window; the next request loads the file again.
        closeHelp();
        QVERIFY(first.isNull());
        QCOMPARE(frmHelp::showHelp()->rtbHelp()->toPlainText(), QStringLiteral("second"));
        QCOMPARE(frmHelp::loadCount(), loads + 2);
    }
};

PL_TEST_MAIN(TestFrmHelp)
#include "tst_frmhelp.moc"
