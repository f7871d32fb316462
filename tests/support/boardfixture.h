#pragma once

#include "boardclock.h"
#include "clocktable.h"
#include "entry.h"
#include "fakes.h"
#include "frmscoreboard.h"
#include "picturebox.h"
#include "polyled.h"
#include "settingsstore.h"
#include "settingvariables.h"
#include "timetext.h"

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
    std::unique_ptr<frmScoreBoard> board;

    // `setup` runs after the settings are loaded and before the board opens.
    explicit BoardFixture(bool shown = true, const std::function<void()>& setup = {})
    {
        Settings = SettingVariables();
        LoadSettings();
        if (setup)
            setup();
        ResetClocks();
        ClockReset = ClockValue::whole(600);
        TimeBuffer = TypedTime();
        EntryBuffer = TypedNumber();
        time.setMonotonic(1000, 0);
        board = std::make_unique<frmScoreBoard>();
        board->setAttribute(Qt::WA_DeleteOnClose, false);
        // The tick is driven by hand: the timer only records whether it is enabled.
        board->tmrClock1.setInterval(24 * 3600 * 1000);
        if (shown) {
            board->show();
            QApplication::setActiveWindow(board.get());
            [[maybe_unused]] const bool exposed = QTest::qWaitForWindowExposed(board.get());
            board->TimeBack->setFocus();
        }
    }

    frmScoreBoard& b() { return *board; }

    // Moves time on by `ms` and runs one tick, as the timer would if it is enabled.
    void tick(int ms = 100)
    {
        time.advanceMs(ms);
        if (board->tmrClock1.isActive())
            board->tmrClock1_Timer();
    }
    void ticks(int n)
    {
        for (int i = 0; i < n; ++i)
            tick();
    }

    void key(QWidget* w, Qt::Key k, Qt::KeyboardModifiers m = Qt::NoModifier)
    {
        QTest::keyClick(w, k, m);
    }
    // Types a sequence of characters ("17", "1.30", "+3") followed by nothing.
    void type(QWidget* w, const char* keys)
    {
        for (const char* c = keys; *c; ++c) {
            if (*c >= '0' && *c <= '9')
                QTest::keyClick(w, static_cast<Qt::Key>(Qt::Key_0 + (*c - '0')));
            else if (*c == '.')
                QTest::keyClick(w, Qt::Key_Period);
            else if (*c == '+')
                QTest::keyClick(w, Qt::Key_Plus);
            else if (*c == '-')
                QTest::keyClick(w, Qt::Key_Minus);
            else if (*c == ' ')
                QTest::keyClick(w, Qt::Key_Space);
            else if (*c == '\n')
                QTest::keyClick(w, Qt::Key_Return);
        }
    }
};

// What a row shows, leftmost digit first, "-" for a dark cell: "--7", "10:00" style text is
// built by the tests themselves where needed.
inline QString shown(const DigitRow& row, bool leftmostFirst = false)
{
    QString s;
    for (size_t k = 0; k < row.size(); ++k) {
        const PolyLED* d = leftmostFirst ? row[k] : row[row.size() - 1 - k];
        s += d->Caption() < 0 ? QChar('-') : QChar('0' + d->Caption());
    }
    return s;
}
