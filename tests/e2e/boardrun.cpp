#include "boardrun.h"

#include "boarddesign.h"
#include "splashdesign.h"
#include "testservers.h"
#include "twips.h"

#include <QDeadlineTimer>
#include <QThread>

namespace {

// A cold start of a Qt program on a busy two-core machine can take a few seconds.
constexpr int StartMs = 15000;
constexpr int ExitMs = 5000;
constexpr int PollMs = 40;
const QString BoardTitle = QStringLiteral("Pucklight - Home");

QSize designPixels(double widthTwips, double heightTwips)
{
    return QSize(twips::toPixels(widthTwips), twips::toPixels(heightTwips));
}

} // namespace

BoardRun::BoardRun(TestServers& s, const QString& program, const QString& configHome,
                   const QString& logFile)
    : x(s.x())
{
    child = std::make_unique<ChildProcess>(program, QStringList(), s.environmentFor(configHome),
                                           logFile);
}

BoardRun::~BoardRun()
{
    child->stop();
}

bool BoardRun::open(QString* error)
{
    if (!child->started()) {
        *error = QStringLiteral("the program did not start");
        return false;
    }
    // The splash is the frameless window of the splash's design size.
    const QSize splashSize = designPixels(SplashClientWidth, SplashLoadHeight);
    std::optional<X11Session::TopLevel> splash;
    const QDeadlineTimer deadline(StartMs);
    while (!(splash = x.findBySize(splashSize, child->pid())) && child->running() &&
           !deadline.hasExpired())
        QThread::msleep(PollMs);
    if (!splash) {
        *error = QStringLiteral("no splash of %1 x %2 appeared; program log:\n%3")
                     .arg(splashSize.width())
                     .arg(splashSize.height())
                     .arg(child->logTail());
        return false;
    }
    // Its middle is the frame behind the captions, away from the two buttons.
    x.click(splash->id, QPoint(splashSize.width() / 2, splashSize.height() / 2));
    const std::optional<X11Session::TopLevel> found = waitForWindow(BoardTitle, StartMs);
    if (!found) {
        *error = QStringLiteral("the board did not open after the splash was clicked");
        return false;
    }
    board = found->id;
    const QSize designSize = designPixels(BoardClientWidth, BoardClientHeight);
    if (found->geometry.size() != designSize) {
        *error = QStringLiteral("the board opened at %1 x %2, not at its design size")
                     .arg(found->geometry.width())
                     .arg(found->geometry.height());
        return false;
    }
    x.focus(board);
    return true;
}

QImage BoardRun::grab() const
{
    return x.grab(board);
}

BoardState BoardRun::read() const
{
    return BoardReader(grab(), colours).state();
}

bool BoardRun::waitFor(const Check& check, BoardState* last, int timeoutMs) const
{
    const QDeadlineTimer deadline(timeoutMs);
    for (;;) {
        *last = read();
        if (check(*last))
            return true;
        if (deadline.hasExpired())
            return false;
        QThread::msleep(PollMs);
    }
}

std::optional<X11Session::TopLevel> BoardRun::waitForWindow(const QString& title,
                                                            int timeoutMs) const
{
    const QDeadlineTimer deadline(timeoutMs);
    for (;;) {
        if (auto w = x.findByTitle(title, child->pid()))
            return w;
        if (deadline.hasExpired())
            return std::nullopt;
        QThread::msleep(PollMs);
    }
}

bool BoardRun::waitForWindowGone(const QString& title, int timeoutMs) const
{
    const QDeadlineTimer deadline(timeoutMs);
    while (x.findByTitle(title, child->pid())) {
        if (deadline.hasExpired())
            return false;
        QThread::msleep(PollMs);
    }
    return true;
}

bool BoardRun::close(QString* error)
{
    x.closeWindow(board);
    if (!child->waitForExit(ExitMs)) {
        *error = QStringLiteral("the program was still running %1 ms after its board was closed")
                     .arg(ExitMs);
        return false;
    }
    if (child->crashed() || child->exitCode() != 0) {
        *error = QStringLiteral("the program ended with %1 (%2); log:\n%3")
                     .arg(child->exitCode())
                     .arg(child->crashed() ? QStringLiteral("crash") : QStringLiteral("exit"))
                     .arg(child->logTail());
        return false;
    }
    return true;
}
