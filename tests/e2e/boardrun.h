#pragma once

#include "boardreader.h"
#include "childprocess.h"
#include "settingvariables.h"
#include "x11session.h"

#include <QImage>
#include <QString>
#include <functional>
#include <memory>
#include <optional>

class TestServers;

// One run of the real program: started on the test display with its own settings folder,
// taken past the splash with a click, and watched through screenshots of its board. Only the
// windows of this run's process count, should another run's still be on the screen.
class BoardRun
{
public:
    BoardRun(TestServers& servers, const QString& program, const QString& configHome,
             const QString& logFile);
    ~BoardRun();
    BoardRun(const BoardRun&) = delete;
    BoardRun& operator=(const BoardRun&) = delete;

    // Waits for the splash, clicks it, waits for the board and gives it the keyboard.
    bool open(QString* error);
    X11Session::Window window() const { return board; }
    ChildProcess& process() { return *child; }

    // The colours the board is expected to use; the reader compares pixels with them.
    void setColours(const SettingVariables& c) { colours = c; }
    BoardState read() const;
    QImage grab() const;

    using Check = std::function<bool(const BoardState&)>;
    // Reads the board until the check holds or the time is up. `last` gets the last reading.
    bool waitFor(const Check& check, BoardState* last, int timeoutMs = DefaultWaitMs) const;
    // Waits for a top-level window of the program with this title to appear, or to go.
    std::optional<X11Session::TopLevel> waitForWindow(const QString& title, int timeoutMs) const;
    bool waitForWindowGone(const QString& title, int timeoutMs) const;

    // Closes the board as the window manager's close button would, and waits for the exit.
    bool close(QString* error);

    static constexpr int DefaultWaitMs = 5000;

private:
    X11Session& x;
    std::unique_ptr<ChildProcess> child;
    X11Session::Window board = 0;
    SettingVariables colours;
};
