// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "game.h"

#include <QDialog>
#include <array>

class QLineEdit;
class QListWidget;

// The waiting penalties of both teams, kept by keyboard alone: a player, Tab, a time and Enter
// add one to the team whose boxes have the focus; Delete removes the selected one; Escape
// closes. The clocks run on while it is open.
class frmWaiting : public QDialog
{
    Q_OBJECT
public:
    explicit frmWaiting(Game& game, QWidget* parent = nullptr);

    // Shows the window for this game, or brings the open one forward.
    static frmWaiting* showFor(Game& game, QWidget* parent);

    struct TeamControls
    {
        QLineEdit* player = nullptr;
        QLineEdit* time = nullptr;
        QListWidget* list = nullptr;
    };
    const TeamControls& controls(Team t) const { return teams[static_cast<size_t>(t)]; }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void add(Team t);
    void refresh();

    Game& theGame;
    std::array<TeamControls, 2> teams{};
    std::array<WaitingList, 2> shown;
};
