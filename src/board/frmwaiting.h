// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "game.h"

#include <QDialog>
#include <array>

class QLabel;
class QLineEdit;
class QListWidget;

// The waiting penalties of both teams, kept by keyboard alone: a player, Tab, a time and Enter
// add one to the team whose boxes have the focus; Delete removes the selected one; Escape
// closes. The clocks run on while it is open.
//
// The time box holds a minor, 2.00, ready: a player and Enter add a minor, and Tab selects the
// time so that typing another replaces it. An emptied box also means 2.00. What cannot be
// added beeps and says why in the window.
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
    // Why the last Enter added nothing; empty after a penalty was added.
    QString message() const;

    // The time the box holds ready, and uses when it is empty: a minor.
    static constexpr const char* DefaultTime = "2.00";

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void add(Team t);
    void refuse(const QString& why);
    void refresh();

    Game& theGame;
    std::array<TeamControls, 2> teams{};
    QLabel* lblMessage = nullptr;
    std::array<WaitingList, 2> shown;
};
