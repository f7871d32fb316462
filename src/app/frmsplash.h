// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "form.h"

class CommandButton;
class Game;
class PictureBox;
class Label;
class frmScoreBoard;

// The program's first window: the name, the version, and a click to continue to the board,
// which shows the application's game. Its two buttons open the help window and the options
// dialog before the board exists.
class frmSplash : public Form
{
    Q_OBJECT
public:
    explicit frmSplash(Game& game, QWidget* parent = nullptr);

    // Closes the splash and opens the scoreboard. Returns the board.
    frmScoreBoard* GoScore();

    // Top and left of the window on its screen, in twips, as the load step placed it.
    double TopTwips() const { return topTwips; }
    double LeftTwips() const { return leftTwips; }

    // Its controls, by their design names.
    CommandButton* cmdHelp() const { return help; }
    CommandButton* cmdOptions() const { return options; }
    PictureBox* picLogo() const { return logo; }
    Label* lblVersion() const { return version; }

Q_SIGNALS:
    // The board has been opened; the program's main window from now on.
    void boardOpened(frmScoreBoard* board);

protected:
    void mouseReleaseEvent(QMouseEvent* e) override;
    void showEvent(QShowEvent* e) override;
    void closeEvent(QCloseEvent* e) override;

private:
    void Form_Load();
    Game& theGame;
    CommandButton* help = nullptr;
    CommandButton* options = nullptr;
    PictureBox* logo = nullptr;
    Label* version = nullptr;
    double topTwips = 0;
    double leftTwips = 0;
    bool gone = false;
};
