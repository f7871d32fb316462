#pragma once

#include "boarddesign.h"
#include "boardreader.h"
#include "childprocess.h"
#include "testservers.h"
#include "twips.h"

#include <QTest>
#include <functional>
#include <memory>

// One run of the real program: started on the test display with its own settings folder,
// taken past the splash with a click, and watched through screenshots of its board. Only the
// windows of this run's process count, should another run's still be on the screen.
class BoardRun
{
public:
    // A cold start of a Qt program on a busy two-core machine can take a few seconds.
    static constexpr int StartMs = 15000;
    static constexpr int WaitMs = 5000;

    BoardRun(TestServers& servers, const QString& program, const QString& configHome,
             const QString& logFile)
        : x(servers.x()), child(program, QStringList(), servers.environmentFor(configHome), logFile)
    {}

    // Waits for the splash, clicks its middle (the frame behind the captions, away from the
    // buttons), waits for the board at its design size and gives it the keyboard.
    bool open(QString* error)
    {
        const X11Session::Window splash = waitForWindow(QStringLiteral("Pucklight"), StartMs);
        if (!splash) {
            *error = "no splash appeared; program log:\n" + child.logTail();
            return false;
        }
        x.click(splash, x.grab(splash).rect().center());
        board = waitForWindow(QStringLiteral("Pucklight - Home"), StartMs);
        const QSize design(twips::toPixels(BoardClientWidth), twips::toPixels(BoardClientHeight));
        if (!board || x.grab(board).size() != design) {
            *error = QStringLiteral("the board did not open at its design size after the splash "
                                    "was clicked");
            return false;
        }
        x.focus(board);
        return true;
    }

    X11Session::Window window() const { return board; }
    // The colours the board is expected to use; the reader compares pixels with them.
    void setColours(const SettingVariables& c) { colours = c; }
    QImage grab() const { return x.grab(board); }
    BoardState read() const { return BoardReader(grab(), colours).state(); }

    // Reads the board until the check holds or the time is up. `last` gets the last reading.
    bool waitFor(const std::function<bool(const BoardState&)>& check, BoardState* last,
                 int timeoutMs = WaitMs) const
    {
        return QTest::qWaitFor([&] { return check(*last = read()); }, timeoutMs);
    }
    // Waits for a top-level window of this run with this title; 0 if none comes.
    X11Session::Window waitForWindow(const QString& title, int timeoutMs = WaitMs) const
    {
        X11Session::Window w = 0;
        return QTest::qWaitFor([&] { return (w = x.find(title, child.pid())) != 0; }, timeoutMs)
                   ? w
                   : 0;
    }
    bool waitForWindowGone(const QString& title) const
    {
        return QTest::qWaitFor([&] { return x.find(title, child.pid()) == 0; }, WaitMs);
    }

    // Closes the board as the window manager's close button would; true when the program
    // then ends by itself, without an error.
    bool close(QString* error)
    {
        x.closeWindow(board);
        if (child.exitsCleanly(WaitMs))
            return true;
        *error =
            "the program did not end cleanly after its board was closed; log:\n" + child.logTail();
        return false;
    }

private:
    X11Session& x;
    ChildProcess child;
    X11Session::Window board = 0;
    SettingVariables colours;
};
