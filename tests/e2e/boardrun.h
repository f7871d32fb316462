// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "boarddesign.h"
#include "testservers.h"
#include "twips.h"

#include <QImage>
#include <QThread>
#include <array>
#include <functional>

// What the scoreboard shows, as a spectator reads it. Digits are text: a space for a dark
// cell, '?' for a cell that shows no digit. Lamps are '1' lit, '0' dark, '?' neither.
struct BoardState
{
    QString clock = QStringLiteral("10:00"); // or "10.0" under a minute
    QString home = QStringLiteral("0");      // scores, shots and period without dark cells
    QString visitor = QStringLiteral("0");
    QString shotsHome = QStringLiteral("0");
    QString period = QStringLiteral("0");
    QString shotsVisitor = QStringLiteral("0");
    std::array<QString, 4> players;                // penalty slots H1, H2, V1, V2
    std::array<QString, 4> times;                  // "1:59", or "" when the slot is clear
    QString penaltyLamps = QStringLiteral("0000"); // H1 H2 V1 V2
    QString goalLamps = QStringLiteral("00");      // home, visitor

    bool operator==(const BoardState&) const = default;
    QString toString() const;
};

// Reads the board from a picture of its client area at its design size, knowing only the
// board's design and its default colours: a lit segment's or lamp's middle is exactly its lit
// colour, an unlit one exactly the ghost or board colour, anything else is unreadable.
BoardState readBoard(const QImage& picture);

// One run of the real program, its settings (`ini`, if any) and saved game in the work folder's
// `name`, taken past its first window and read from screenshots of its board. Only this run's
// windows count. Calls that return false say why in `error`.
class BoardRun
{
public:
    // A cold start of a Qt program on a busy two-core machine can take a few seconds.
    static constexpr int StartMs = 15000;
    static constexpr int WaitMs = 5000;

    // A second run on the same `name` shares its settings and saved game; `logName` keeps
    // their logs apart.
    BoardRun(TestServers& servers, const QString& name, const QByteArray& ini = {},
             const QString& logName = {}, const QStringList& arguments = {})
        : log(servers.folder + '/' + (logName.isEmpty() ? name : logName) + QStringLiteral(".log")),
          stateFolder(servers.folder + '/' + name + QStringLiteral("/config/state/Pucklight")),
          x(servers.x())
    {
        config = servers.folder + '/' + name + QStringLiteral("/config");
        QDir().mkpath(config + QStringLiteral("/Pucklight"));
        QFile f(config + QStringLiteral("/Pucklight/Pucklight.ini"));
        if (!ini.isEmpty() && f.open(QIODevice::WriteOnly))
            f.write(ini);
        f.close();
        child = startProcess(servers.program, arguments, servers.environmentFor(config), log);
    }

    QString error;
    const QString log;
    const QString stateFolder; // where the game is saved

    enum class Keyboard {
        Given, // the test gives each window the keyboard, as a window manager would
        Kiosk, // nobody does: no window manager, the pointer off the windows
    };

    // Clicks the splash's middle (away from its buttons) or, to resume, answers the question
    // about the saved game with Enter; then gives the board, at its design size, the keyboard.
    // In a kiosk the windows must take the keyboard themselves.
    bool open(bool resume = false, Keyboard keyboard = Keyboard::Given)
    {
        const QString title = resume ? QStringLiteral("Resume game") : QStringLiteral("Pucklight");
        const X11Session::Window first = waitForWindow(title, StartMs);
        if (!first)
            return fail("no window " + title + "; program log:\n" + logTail(log));
        if (resume) {
            if (keyboard == Keyboard::Given) {
                x.focus(first);
            } else {
                // In a kiosk the question takes the keyboard itself, once it is up.
                x.movePointerAway();
                if (!QTest::qWaitFor([&] { return x.hasFocus(first); }, WaitMs))
                    return fail(QStringLiteral("the question did not take the keyboard"));
            }
            x.play("\n");
        } else {
            x.click(first, x.grab(first).rect().center());
        }
        // Nothing the program keeps may land in the user's own folders.
        if (const QStringList leaks =
                isolated::outside(isolated::environmentOf(child->processId()), config);
            !leaks.isEmpty())
            return fail("the program can reach the user's folders: " + leaks.join(", "));
        board = waitForWindow(QStringLiteral("Pucklight - Home"), StartMs);
        const QSize design(twips::toPixels(BoardClientWidth), twips::toPixels(BoardClientHeight));
        if (!board)
            return fail("no board; program log:\n" + logTail(log));
        const QSize size = x.grab(board).size();
        if (size != design)
            return fail(QStringLiteral("the board is %1 x %2, not at its design size")
                            .arg(size.width())
                            .arg(size.height()));
        if (keyboard == Keyboard::Given)
            x.focus(board);
        else
            x.movePointerAway(); // keys follow the pointer only where nobody has the focus
        return true;
    }

    // Ends the program at once, as a crash or a power cut would.
    void kill() { ::kill(static_cast<pid_t>(child->processId()), SIGKILL); }

    X11Session::Window window() const { return board; }
    qint64 pid() const { return child->processId(); }
    BoardState read() const { return readBoard(x.grab(board)); }

    // Two equal readings a few ticks apart are the board at rest.
    BoardState settle() const
    {
        BoardState a = read();
        for (int i = 0; i < 8; ++i) {
            QThread::msleep(250);
            const BoardState b = read();
            if (a == b)
                break;
            a = b;
        }
        return a;
    }

    // Reads the board until the check holds or the time is up.
    bool until(const std::function<bool(const BoardState&)>& check, const QString& what,
               int timeoutMs = WaitMs)
    {
        BoardState last;
        if (QTest::qWaitFor([&] { return check(last = read()); }, timeoutMs))
            return true;
        return fail(what + "\n  the board shows: " + last.toString());
    }

    // Plays the keys and waits for the board to show `want` exactly.
    bool step(const QString& script, const BoardState& want, const QString& what)
    {
        x.play(script);
        return until([&](const BoardState& s) { return s == want; },
                     what + "\n  expected:        " + want.toString());
    }

    // Waits until the feed folder's state.json says what the board shows, and whether the game
    // clock counts, in the mode of the game time.
    bool feedAgrees(const QString& folder, const BoardState& shown, bool counting)
    {
        QString last;
        auto agrees = [&] {
            last = feedReading(folder, counting);
            return last == shown.toString();
        };
        return QTest::qWaitFor(agrees, WaitMs) ||
               fail("state.json says: " + last + "\n  the board shows: " + shown.toString());
    }

    // A top-level window of this run with this title, or 0.
    X11Session::Window find(const QString& title) const
    {
        return x.find(title, child->processId());
    }
    // The same, waiting for it to come.
    X11Session::Window waitForWindow(const QString& title, int timeoutMs = WaitMs) const
    {
        X11Session::Window w = 0;
        return QTest::qWaitFor([&] { return (w = find(title)) != 0; }, timeoutMs) ? w : 0;
    }

    // Closes the board as the window manager's close button would; the program must then end
    // cleanly by itself.
    bool close()
    {
        x.closeWindow(board);
        const bool ended = child->state() == QProcess::NotRunning || child->waitForFinished(WaitMs);
        return (ended && child->exitStatus() == QProcess::NormalExit && child->exitCode() == 0) ||
               fail("the program did not end cleanly after its board was closed; log:\n" +
                    logTail(log));
    }

private:
    // state.json as the board state it describes; "?" fields where it says the game clock
    // counts when it should not (or the other way round), or shows another mode.
    static QString feedReading(const QString& folder, bool counting);

    bool fail(const QString& why)
    {
        error = why;
        return false;
    }

    X11Session& x;
    QString config; // the program's settings folder, which holds its other folders too
    Process child;
    X11Session::Window board = 0;
};
