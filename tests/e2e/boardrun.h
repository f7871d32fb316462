#pragma once

#include "boarddesign.h"
#include "boardreader.h"
#include "testservers.h"
#include "twips.h"

#include <csignal>
#include <functional>

// One run of the real program on the test display with its own settings folder, taken past
// the splash and read from screenshots of its board. Only this run's windows count.
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

    // Clicks the splash's middle (away from its buttons), waits for the board at its design
    // size and gives it the keyboard.
    bool open(QString* error)
    {
        const X11Session::Window splash = waitForWindow(QStringLiteral("Pucklight"), StartMs);
        if (!splash) {
            *error = "no splash appeared; program log:\n" + child.logTail();
            return false;
        }
        x.click(splash, x.grab(splash).rect().center());
        return boardOpens(error);
    }

    // Answers the question about the saved game with Enter, which goes on to the board.
    bool resume(QString* error)
    {
        const X11Session::Window question = waitForWindow(QStringLiteral("Resume game"), StartMs);
        if (!question) {
            *error = "no question about the saved game; program log:\n" + child.logTail();
            return false;
        }
        x.focus(question);
        x.play("\n");
        return boardOpens(error);
    }

    // Ends the program at once, as a crash or a power cut would.
    void kill() { ::kill(static_cast<pid_t>(child.pid()), SIGKILL); }

    X11Session::Window window() const { return board; }
    // The colours the board is expected to use.
    void setColours(const SettingVariables& c) { colours = c; }
    QImage grab() const { return x.grab(board); }
    BoardState read() const { return readBoard(grab(), colours); }

    // Reads the board until the check holds or the time is up; `last` gets the last reading.
    bool waitFor(const std::function<bool(const BoardState&)>& check, BoardState* last,
                 int timeoutMs = WaitMs) const
    {
        return QTest::qWaitFor([&] { return check(*last = read()); }, timeoutMs);
    }
    // A top-level window of this run with this title, or 0 if none comes.
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
    // then ends cleanly by itself.
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
    bool boardOpens(QString* error)
    {
        board = waitForWindow(QStringLiteral("Pucklight - Home"), StartMs);
        const QSize design(twips::toPixels(BoardClientWidth), twips::toPixels(BoardClientHeight));
        if (!board || x.grab(board).size() != design) {
            *error = QStringLiteral("no board at its design size");
            return false;
        }
        x.focus(board);
        return true;
    }

    X11Session& x;
    ChildProcess child;
    X11Session::Window board = 0;
    SettingVariables colours;
};
