// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "fakes.h"
#include "frmscoreboard.h"
#include "picturebox.h"
#include "polyled.h"
#include "settingsstore.h"
#include "settingvariables.h"

#include <QApplication>
#include <QTest>
#include <functional>
#include <memory>

// A fresh board with the outside world faked: time stands still until told, the keyboard and
// the settings store are in memory, and the tick runs only when a test calls it.
struct BoardFixture
{
    FakeTime time;
    FakeStore store;
    FakeKeyboard keyboard;
    std::unique_ptr<Game> game; // the application's, which outlives the board
    std::unique_ptr<frmScoreBoard> board;

    // `setup` runs after the settings are loaded and before the board opens.
    explicit BoardFixture(bool shown = true, const std::function<void()>& setup = {})
    {
        Settings = SettingVariables();
        LoadSettings();
        if (setup)
            setup();
        time.setMonotonic(1000, 0);
        game = std::make_unique<Game>(Settings);
        board = std::make_unique<frmScoreBoard>(*game);
        board->setAttribute(Qt::WA_DeleteOnClose, false);
        // The tick is driven by hand: the timer only tells whether it is enabled.
        board->tmrClock1().setInterval(24 * 3600 * 1000);
        if (shown) {
            board->show();
            QApplication::setActiveWindow(board.get());
            [[maybe_unused]] const bool exposed = QTest::qWaitForWindowExposed(board.get());
            box(Field::Time)->setFocus();
        }
    }

    frmScoreBoard& b() { return *board; }
    PictureBox* box(Field f) { return board->box(f); }
    const GameState& state() { return board->game().state(); }

    // Moves time on by `ms` and runs one tick, as the timer would if it is enabled.
    void tick(int64_t ms = 100)
    {
        time.advanceMs(ms);
        if (board->tmrClock1().isActive())
            board->game().tick();
    }

    // What a clock reads now; reading a copy leaves the game as it is.
    ClockValue clock(int i) { return ClockTable(state().clocks).ReadClock(i); }

    // Types a sequence of characters ("17", "1.30", "+3", " ", "\n" for Enter) on a field.
    void type(Field f, const char* keys)
    {
        for (const char* c = keys; *c; ++c)
            QTest::keyClick(box(f), *c == '\n' ? '\r' : *c);
    }

    // What a field's digits show, leftmost first, "-" for a dark cell: "--7".
    QString shown(Field f)
    {
        const LedRow& row = board->field(f).digits;
        const bool leftmostFirst = f == Field::Time;
        QString s;
        for (size_t k = 0; k < row.size(); ++k) {
            const PolyLED* d = leftmostFirst ? row[k] : row[row.size() - 1 - k];
            s += d->Caption() < 0 ? QChar('-') : QChar('0' + d->Caption());
        }
        return s;
    }
};
