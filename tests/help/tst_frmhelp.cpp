// SPDX-License-Identifier: GPL-3.0-or-later
#include "fakes.h"
#include "frmhelp.h"
#include "keycodes.h"
#include "program.h"
#include "testmain.h"
#include "twips.h"

#include <QAbstractTextDocumentLayout>
#include <QFile>
#include <QPointer>
#include <QTextBrowser>
#include <QTimer>

#ifdef Q_OS_UNIX
#include <sys/stat.h>
#endif

class TestFrmHelp : public QObject
{
    Q_OBJECT

    QTemporaryDir programDir;
    QTemporaryDir otherDir;

    QString manualPath() const
    {
        return QDir(programDir.path()).filePath(QString::fromLatin1(frmHelp::FileName));
    }

    static void writeManual(const QString& path, const QByteArray& content)
    {
        QFile f(path);
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
    void initTestCase()
    {
        program::setFolder(programDir.path());
        // A manual in the current folder must never be the one shown.
        writeManual(QDir(otherDir.path()).filePath(QString::fromLatin1(frmHelp::FileName)),
                    "{\\rtf1 wrong one}");
        QDir::setCurrent(otherDir.path());
    }

    void cleanup()
    {
        closeHelp();
        QVERIFY(!frmHelp::current());
    }

    // One window, loaded once; closing destroys it, and the next request loads the file again.
    void loadsTheManualOncePerWindow()
    {
        // Only a regular file is a manual: opening a FIFO would wait for a writer for good.
#ifdef Q_OS_UNIX
        QVERIFY(::mkfifo(manualPath().toLocal8Bit().constData(), 0600) == 0);
#endif
        QCOMPARE(frmHelp::showHelp()->rtbHelp()->toPlainText(), frmHelp::missingFileMessage());
        closeHelp();
        QVERIFY(QFile::remove(manualPath()) || !QFile::exists(manualPath()));

        writeManual(manualPath(), "{\\rtf1 Pucklight manual\\par first}");
        const int loads = frmHelp::loadCount();
        QPointer<frmHelp> w = frmHelp::showHelp();
        QCOMPARE(w->rtbHelp()->toPlainText(), QStringLiteral("Pucklight manual\nfirst"));
        // The box keeps the document's own tab stops (half an inch unless it says otherwise).
        QCOMPARE(w->rtbHelp()->document()->defaultTextOption().tabStopDistance(), 48.0);
        QVERIFY(w->rtbHelp()->isReadOnly());
        QVERIFY(w->screen()->availableGeometry().contains(w->pos()));
        // It neither blocks the board nor keeps the program running.
        QVERIFY(w->isVisible() && !w->isModal() && !w->parentWidget());
        QVERIFY(!w->testAttribute(Qt::WA_QuitOnClose));

        // A 120 x 405 twips frame; the box keeps 120 twips each side, 420 below, wraps 450 short.
        w->resize(50, 20);
        QCOMPARE(QSizeF(w->OuterWidth(), w->OuterHeight()), QSizeF(2700, 1710)); // the minimum
        w->resize(1000, 800);
        QCOMPARE(QSizeF(w->OuterWidth(), w->OuterHeight()), QSizeF(15120, 12405));
        const QRect box(8, 0, twips::toPixels(15120 - 240), twips::toPixels(12405 - 420));
        QCOMPARE(w->rtbHelp()->geometry(), box);
        QCOMPARE(w->rtbHelp()->lineWrapMode(), QTextEdit::FixedPixelWidth);
        QCOMPARE(w->rtbHelp()->lineWrapColumnOrWidth(), twips::toPixels(15120 - 690));

        writeManual(manualPath(), "{\\rtf1 second}");
        w->setWindowState(Qt::WindowMinimized);
        w->resize(300, 200); // no layout for a minimised window
        QCOMPARE(w->rtbHelp()->geometry(), box);
        QCOMPARE(frmHelp::showHelp(), w.data());
        QVERIFY(!w->isMinimized());
        QCOMPARE(frmHelp::loadCount(), loads + 1);

        closeHelp();
        QVERIFY(w.isNull());
        QCOMPARE(frmHelp::showHelp()->rtbHelp()->toPlainText(), QStringLiteral("second"));
        QCOMPARE(frmHelp::loadCount(), loads + 2);
    }

    // The board's clock and keys, on the same thread, keep running while the manual is laid out.
    void keysItHasNoUseFor_data()
    {
        QTest::addColumn<int>("key");
        QTest::addColumn<int>("modifiers");
        QTest::addColumn<int>("code"); // the key's code for the board
        QTest::addColumn<bool>("passed");
        const int none = Qt::NoModifier;
        const int ctrl = Qt::ControlModifier;
        const auto letter = [](char c) { return int(vk::KeyA + c - 'A'); };
        // The command keys as the board reads them: Shift plays no part.
        QTest::newRow("S") << int(Qt::Key_S) << none << letter('S') << true;
        QTest::newRow("Shift+B") << int(Qt::Key_B) << int(Qt::ShiftModifier) << letter('B') << true;
        QTest::newRow("Enter") << int(Qt::Key_Return) << none << int(vk::Enter) << true;
        QTest::newRow("Delete") << int(Qt::Key_Delete) << none << int(vk::Delete) << true;
        QTest::newRow("F4") << int(Qt::Key_F4) << none << vk::F3 + 1 << true;
        QTest::newRow("Ctrl on its own") << int(Qt::Key_Control) << ctrl << int(vk::Ctrl) << true;
        // What the reader moves and copies with stays here, even on a key a command can take.
        QTest::newRow("Down") << int(Qt::Key_Down) << none << int(vk::Down) << false;
        QTest::newRow("Page Down") << int(Qt::Key_PageDown) << none << int(vk::PageDown) << false;
        QTest::newRow("Page Up") << int(Qt::Key_PageUp) << none << int(vk::PageUp) << false;
        QTest::newRow("Home") << int(Qt::Key_Home) << none << int(vk::Home) << false;
        QTest::newRow("End") << int(Qt::Key_End) << none << int(vk::End) << false;
        QTest::newRow("Tab") << int(Qt::Key_Tab) << none << int(vk::Tab) << false;
        QTest::newRow("Space") << int(Qt::Key_Space) << none << int(vk::Space) << false;
        QTest::newRow("Ctrl+C") << int(Qt::Key_C) << ctrl << letter('C') << false;
        QTest::newRow("Ctrl+S") << int(Qt::Key_S) << ctrl << letter('S') << false;
        QTest::newRow("Alt+S") << int(Qt::Key_S) << int(Qt::AltModifier) << letter('S') << false;
    }

    // The keys the window does not read with go on to the board, as the board's key codes;
    // Escape closes the window.
    void keysItHasNoUseFor()
    {
        QFETCH(int, key);
        QFETCH(int, modifiers);
        QFETCH(int, code);
        QFETCH(bool, passed);
        FakeKeyboard keyboard;
        writeManual(manualPath(), "{\\rtf1 Pucklight manual\\par first}");
        QPointer<frmHelp> w = frmHelp::showHelp();
        QVERIFY(QTest::qWaitForWindowExposed(w));
        QApplication::setActiveWindow(w);
        w->rtbHelp()->setFocus();
        QList<int> codes;
        connect(w, &frmHelp::keyForBoard, this, [&](int16_t c) { codes << c; });
        // As typed: a modifier goes down before the key, and Ctrl can be a command key itself.
        QTest::keyClick(w->rtbHelp(), Qt::Key(key), Qt::KeyboardModifiers(modifiers));
        QCOMPARE(codes.contains(code), passed);
        QVERIFY(w->isVisible());

        QTest::keyClick(w->rtbHelp(), Qt::Key_Escape);
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        QVERIFY(!w);
        QVERIFY(!codes.contains(vk::Escape));
    }

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
        writeManual(manualPath(), rtf);
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
};

PL_TEST_MAIN(TestFrmHelp)
#include "tst_frmhelp.moc"
