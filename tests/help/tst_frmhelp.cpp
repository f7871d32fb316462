#include "frmhelp.h"
#include "program.h"
#include "testmain.h"
#include "twips.h"
#include "widgetcontrols.h"

#include <QFile>
#include <QPointer>
#include <QTextBrowser>

// The help window: where it finds the manual, what it shows without one, its size rules and
// its life from the first request to closing.
class TestFrmHelp : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void init();
    void cleanup();
    void missingFileShowsTheMessage();
    void findsTheFileBesideTheProgram();
    void hostileFileShowsWhatCouldBeRead();
    void opensAtTheDesignSize();
    void boxFollowsTheWindow_data();
    void boxFollowsTheWindow();
    void minimisedChangesNothing();
    void secondRequestDoesNotReload();
    void doesNotKeepTheProgramRunning();

private:
    void writeManual(const QString& folder, const QByteArray& content);
    static void closeHelp();

    QTemporaryDir programDir;
    QTemporaryDir otherDir;
    QString savedCurrent;
};

void TestFrmHelp::writeManual(const QString& folder, const QByteArray& content)
{
    QFile f(QDir(folder).filePath(QString::fromLatin1(frmHelp::FileName)));
    QVERIFY(f.open(QIODevice::WriteOnly));
    f.write(content);
}

void TestFrmHelp::closeHelp()
{
    if (frmHelp* w = frmHelp::current())
        w->close();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
}

void TestFrmHelp::init()
{
    savedCurrent = QDir::currentPath();
    QFile::remove(QDir(programDir.path()).filePath(QString::fromLatin1(frmHelp::FileName)));
    program::setFolder(programDir.path());
}

void TestFrmHelp::cleanup()
{
    closeHelp();
    QVERIFY(!frmHelp::current());
    program::setFolder(QString());
    QDir::setCurrent(savedCurrent);
}

void TestFrmHelp::missingFileShowsTheMessage()
{
    // Even with a manual in the current folder: only the program's folder counts.
    writeManual(otherDir.path(), "{\\rtf1 wrong one}");
    QDir::setCurrent(otherDir.path());
    frmHelp* w = frmHelp::showHelp();
    QCOMPARE(w->windowTitle(), QStringLiteral("Pucklight Help"));
    QCOMPARE(w->rtbHelp()->toPlainText(),
             QStringLiteral("Help file has been moved from its normal location.  Please "
                            "reinstall the program."));
    QVERIFY(w->rtbHelp()->isReadOnly());
}

void TestFrmHelp::findsTheFileBesideTheProgram()
{
    writeManual(programDir.path(), "{\\rtf1 {\\b Pucklight} manual\\par second}");
    writeManual(otherDir.path(), "{\\rtf1 wrong one}");
    QDir::setCurrent(otherDir.path());
    frmHelp* w = frmHelp::showHelp();
    QCOMPARE(w->rtbHelp()->toPlainText(), QStringLiteral("Pucklight manual\nsecond"));
    QTextCursor c(w->rtbHelp()->document());
    c.setPosition(1);
    QCOMPARE(c.charFormat().fontWeight(), int(QFont::Bold));
    // The box keeps the document's own tab stops (half an inch unless it says otherwise).
    QCOMPARE(w->rtbHelp()->document()->defaultTextOption().tabStopDistance(), 48.0);
}

void TestFrmHelp::hostileFileShowsWhatCouldBeRead()
{
    writeManual(programDir.path(), "{\\rtf1 readable" + QByteArray(200000, '{') + "\\'");
    frmHelp* w = frmHelp::showHelp();
    QCOMPARE(w->rtbHelp()->toPlainText(), QStringLiteral("readable"));
}

void TestFrmHelp::opensAtTheDesignSize()
{
    frmHelp* w = frmHelp::showHelp();
    QCOMPARE(w->ClientWidth(), 11055.0);
    QCOMPARE(w->ClientHeight(), 9270.0);
    QVERIFY(w->palette().color(QPalette::Window) == Qt::white);
    QVERIFY(!w->isModal());
    const QRect screen = w->screen()->availableGeometry();
    QVERIFY(screen.contains(w->pos()));
}

void TestFrmHelp::boxFollowsTheWindow_data()
{
    QTest::addColumn<QSize>("request"); // client size in pixels
    QTest::addColumn<double>("outerWidth");
    QTest::addColumn<double>("outerHeight");

    // The outer size is the client size plus the 120 x 405 twips frame.
    QTest::newRow("larger") << QSize(1000, 800) << 15120.0 << 12405.0;
    QTest::newRow("smaller") << QSize(400, 300) << 6120.0 << 4905.0;
    QTest::newRow("too small") << QSize(10, 10) << 2700.0 << 1710.0;
    QTest::newRow("too narrow") << QSize(50, 500) << 2700.0 << 7905.0;
    QTest::newRow("too low") << QSize(500, 20) << 7620.0 << 1710.0;
}

void TestFrmHelp::boxFollowsTheWindow()
{
    QFETCH(QSize, request);
    frmHelp* w = frmHelp::showHelp();
    w->resize(request);
    QTEST(w->OuterWidth(), "outerWidth");
    QTEST(w->OuterHeight(), "outerHeight");
    QVERIFY(w->OuterWidth() >= 2700 && w->OuterHeight() >= 1700);

    const auto* box = w->find<WidgetControl>(QStringLiteral("rtbHelp"));
    QVERIFY(box);
    QCOMPARE(box->Left(), 120.0);
    QCOMPARE(box->Top(), 0.0);
    QCOMPARE(box->Width(), w->OuterWidth() - 240);
    QCOMPARE(box->Height(), w->OuterHeight() - 420);
    const QRect r = w->rtbHelp()->geometry();
    QCOMPARE(r.topLeft(), QPoint(8, 0));
    QCOMPARE(r.width(), twips::toPixels(box->Width()));
    QCOMPARE(r.height(), twips::toPixels(box->Height()));
    QCOMPARE(w->rtbHelp()->lineWrapMode(), QTextEdit::FixedPixelWidth);
    QCOMPARE(w->rtbHelp()->lineWrapColumnOrWidth(), twips::toPixels(box->Width() - 450));
}

void TestFrmHelp::minimisedChangesNothing()
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

void TestFrmHelp::secondRequestDoesNotReload()
{
    writeManual(programDir.path(), "{\\rtf1 first}");
    const int loads = frmHelp::loadCount();
    QPointer<frmHelp> first = frmHelp::showHelp();
    QCOMPARE(frmHelp::loadCount(), loads + 1);

    writeManual(programDir.path(), "{\\rtf1 second}");
    QCOMPARE(frmHelp::showHelp(), first.data());
    QCOMPARE(frmHelp::loadCount(), loads + 1);
    QCOMPARE(first->rtbHelp()->toPlainText(), QStringLiteral("first"));

    // Closing destroys the window; the next request loads the file again.
    closeHelp();
    QVERIFY(first.isNull());
    frmHelp* again = frmHelp::showHelp();
    QCOMPARE(frmHelp::loadCount(), loads + 2);
    QCOMPARE(again->rtbHelp()->toPlainText(), QStringLiteral("second"));
}

void TestFrmHelp::doesNotKeepTheProgramRunning()
{
    frmHelp* w = frmHelp::showHelp();
    QVERIFY(w->isVisible());
    QVERIFY(!w->testAttribute(Qt::WA_QuitOnClose));
    QVERIFY(w->testAttribute(Qt::WA_DeleteOnClose));
    QVERIFY(!w->parentWidget());
}

PL_TEST_MAIN(TestFrmHelp)
#include "tst_frmhelp.moc"
