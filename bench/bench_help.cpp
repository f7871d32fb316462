// SPDX-License-Identifier: GPL-3.0-or-later
// The help window with hostile manuals, offscreen: how long the GUI thread (which also runs
// the board's clock, keys and server) is held up while the window opens and lays the
// document out. A timer ticks every 5 ms on that thread; the longest gap between its ticks
// is the longest the board would have stood still. See bench/README.md.
//
//   bench_help [case...]   cases: manual cjk list30k list8mb words fifo (default: all)
#include "frmhelp.h"
#include "isolatedenv.h"
#include "program.h"

#include <QAbstractTextDocumentLayout>
#include <QApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QTemporaryDir>
#include <QTextBrowser>
#include <QTextStream>
#include <QTimer>
#include <algorithm>

#ifdef Q_OS_UNIX
#include <sys/stat.h>
#endif

namespace {

// One paragraph of CJK characters as \uN escapes (8 bytes each), 4 MB in all.
QByteArray cjkParagraph()
{
    QByteArray body = "{\\rtf1\\ansi\\uc1 ";
    for (int i = 0; i < 500000; ++i)
        body += "\\u" + QByteArray::number(0x4E00 + (i * 7) % 20000) + '?';
    return body + "\\par}";
}

// List items as word processors write them, each a paragraph with its bullet.
QByteArray listItems(qsizetype minBytes, int minItems)
{
    QByteArray body = "{\\rtf1{\\fonttbl{\\f3\\fbidi\\froman\\fcharset2 Symbol;}}";
    for (int i = 0; i < minItems || body.size() < minBytes; ++i)
        body += "{\\listtext\\pard\\plain\\f3\\fs24 \\'b7\\tab}\\ls1\\ilvl0 Item " +
                QByteArray::number(i) + "\\par\n";
    return body + '}';
}

// Words of every length in one paragraph, with no break between them.
QByteArray longWords()
{
    QByteArray body = "{\\rtf1 ";
    for (int i = 0; body.size() < 4'000'000; ++i)
        body += QByteArray(1 + (i * 37) % 4000, char('a' + i % 26)) + ' ';
    return body + '}';
}

double ms(qint64 ns)
{
    return static_cast<double>(ns) / 1e6;
}

struct Result
{
    qint64 bytes = 0;
    double open = 0;    // ms that showHelp() held the thread
    double stall = 0;   // longest gap between two ticks, ms
    double laidOut = 0; // ms until the document stopped growing
    double resize = 0;  // longest gap between two ticks while shrinking it and back
    qint64 blocks = 0;
    qint64 chars = 0;
};

Result measure(const QString& folder)
{
    Result r;
    QElapsedTimer clock;
    qint64 lastTick = 0;
    qint64 lastGrowth = 0;
    double* longest = &r.stall;
    QTimer tick;
    tick.setInterval(5);
    QObject::connect(&tick, &QTimer::timeout, [&] {
        const qint64 now = clock.nsecsElapsed();
        *longest = std::max(*longest, ms(now - lastTick));
        lastTick = now;
    });
    program::setFolder(folder);
    clock.start();
    tick.start();
    frmHelp* w = frmHelp::showHelp();
    r.open = ms(clock.nsecsElapsed());
    r.stall = r.open;
    lastTick = lastGrowth = clock.nsecsElapsed();
    QTextDocument* doc = w->rtbHelp()->document();
    QObject::connect(doc->documentLayout(), &QAbstractTextDocumentLayout::documentSizeChanged,
                     [&] { lastGrowth = clock.nsecsElapsed(); });
    // The layout goes on in steps from the event loop; it is done once the document has not
    // changed size for a second.
    const auto settle = [&] {
        while (clock.nsecsElapsed() - lastGrowth < 1'000'000'000 && clock.elapsed() < 600'000)
            QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents, 50);
    };
    settle();
    r.laidOut = ms(lastGrowth);
    // The narrowest the window goes, where the document is tallest, and back.
    longest = &r.resize;
    const QSize size = w->size();
    for (const QSize to : {w->minimumSize(), size}) {
        const qint64 before = clock.nsecsElapsed();
        w->resize(to);
        r.resize = std::max(r.resize, ms(clock.nsecsElapsed() - before));
        lastTick = lastGrowth = clock.nsecsElapsed();
        settle();
    }
    r.blocks = doc->blockCount();
    r.chars = doc->characterCount();
    w->close();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    return r;
}

} // namespace

int main(int argc, char** argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QTemporaryDir home;
    isolated::thisProcess(home.path());
    QApplication app(argc, argv);
    QStringList cases = app.arguments().mid(1);
    if (cases.isEmpty())
        cases = {"manual", "cjk", "list30k", "list8mb", "words", "fifo"};

    QTextStream out(stdout);
    out << "case      bytes      open ms  longest stall ms  laid out ms  resize stall ms  blocks  "
           "characters\n";
    for (const QString& name : cases) {
        QTemporaryDir dir;
        const QString path = dir.filePath(QString::fromLatin1(frmHelp::FileName));
        QByteArray content;
        if (name == "manual") {
            QFile manual(QStringLiteral(PUCKLIGHT_MANUAL));
            if (manual.open(QIODevice::ReadOnly))
                content = manual.readAll();
        } else if (name == "cjk") {
            content = cjkParagraph();
        } else if (name == "list30k") {
            content = listItems(0, 30000);
        } else if (name == "list8mb") {
            content = listItems(8'000'000, 0);
        } else if (name == "words") {
            content = longWords();
        }
        if (name == "fifo") {
#ifdef Q_OS_UNIX
            ::mkfifo(path.toLocal8Bit().constData(), 0600);
#endif
        } else {
            QFile f(path);
            if (!f.open(QIODevice::WriteOnly) || f.write(content) != content.size())
                return 1;
        }
        const Result r = measure(dir.path());
        out << qSetFieldWidth(9) << Qt::left << name << qSetFieldWidth(0) << ' '
            << qSetFieldWidth(9) << content.size() << qSetFieldWidth(0) << "  " << qSetFieldWidth(7)
            << Qt::right << QString::number(r.open, 'f', 1) << qSetFieldWidth(18)
            << QString::number(r.stall, 'f', 1) << qSetFieldWidth(13)
            << QString::number(r.laidOut, 'f', 1) << qSetFieldWidth(17)
            << QString::number(r.resize, 'f', 1) << qSetFieldWidth(8) << r.blocks
            << qSetFieldWidth(12) << r.chars << qSetFieldWidth(0) << Qt::left << '\n';
        out.flush();
    }
    return 0;
}
