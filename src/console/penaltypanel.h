// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "game.h"

#include <QGroupBox>
#include <array>

class QLabel;
class QLineEdit;
class QListWidget;
class QPushButton;

// The penalties, kept in place: each slot's player, time and whether its clock runs, and each
// team's waiting penalties, changed through the same commands as the board's keys and the
// waiting penalties window. A player or a time and Enter set a slot; an empty box leaves its
// part as it is. What cannot be set is said below, and nothing changes.
class PenaltyPanel : public QGroupBox
{
    Q_OBJECT
    Q_DISABLE_COPY(PenaltyPanel)
public:
    explicit PenaltyPanel(Game& game, QWidget* parent = nullptr);

    struct SlotControls
    {
        QLineEdit* player = nullptr;
        QLineEdit* time = nullptr;
        QLabel* state = nullptr; // "1:23 running", "2:00 held"
        QPushButton* clock = nullptr;
        QPushButton* clear = nullptr;
    };
    // By penalty clock, 1 to 4.
    const SlotControls& slotControls(int clock) const { return slots[size_t(clock - 1)]; }
    struct WaitingControls
    {
        QListWidget* list = nullptr;
        QLineEdit* player = nullptr;
        QLineEdit* time = nullptr;
        QPushButton* add = nullptr;
        QPushButton* remove = nullptr;
    };
    const WaitingControls& waitingControls(Team t) const { return waiting[size_t(t)]; }
    QString message() const;

    // What a slot shows: "1:23 running", "2:00 held", "over", or "" with no time on it.
    static QString slotState(const GameState& s, int clock);

    // Shows what changed in the game.
    void follow();

private:
    void setSlot(int clock);
    void addWaiting(Team t);
    void removeWaiting(Team t);
    void run(const Command& c);
    void refuse(const QString& why);

    Game& theGame;
    std::array<SlotControls, 4> slots{};
    std::array<WaitingControls, 2> waiting{};
    QLabel* lblMessage = nullptr;
    std::array<QString, 4> shownState;
    std::array<int16_t, 4> shownPlayer{};
    std::array<WaitingList, 2> shownWaiting;
};
