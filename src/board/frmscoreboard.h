// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "boardview.h"

#include <QTimer>

class MMControl;
class QKeyEvent;

// The scoreboard window: a view of the game, which the application owns and hands to it.
// Its face is a BoardView; the window turns key events into key codes for the game, plays the
// sounds the game asks for and runs the game's tick. It holds no state of the game itself.
// Its fields take the focus, and the focus follows the game's selected field.
class frmScoreBoard : public BoardView
{
    Q_OBJECT
    Q_DISABLE_COPY(frmScoreBoard)
public:
    explicit frmScoreBoard(Game& game, QWidget* parent = nullptr);
    ~frmScoreBoard() override;

    Game& game() { return theGame; }
    const Game& game() const { return theGame; }

    // Takes new settings (after the options dialog): names, colours, NumLock, penalty lamps
    // and sounds.
    void applySettings(const SettingVariables& settings);

    // Takes up a saved game (see Game::resume) with its field selected.
    void resumeGame(const GameState& saved, const GameRecord& record);

    // The 100 ms tick's timer and the sound players.
    QTimer& tmrClock1() { return tickTimer; }
    const QTimer& tmrClock1() const { return tickTimer; }
    MMControl* mmcBuzzer() const { return buzzer; }
    MMControl* mmcHorn() const { return horn; }

Q_SIGNALS:
    // F1 and F2: the windows that show them live above the board.
    void helpRequested();
    void optionsRequested();
    // F3: the waiting penalties; F4: the operator's console.
    void waitingRequested();
    void consoleRequested();

protected:
    void keyPressEvent(QKeyEvent* e) override;
    void closeEvent(QCloseEvent* e) override;

private:
    void wireFields();
    void keyDown(QKeyEvent* e, std::optional<Field> on);
    void followTick(bool enabled);
    void followSelection();
    void OpenSounds();
    void ReopenSounds();
    void CloseSounds();
    void SoundDone(MMControl* player);
    void soundsChanged();

    Game& theGame;
    QTimer tickTimer;
    MMControl* buzzer = nullptr;
    MMControl* horn = nullptr;
};
