// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

class Game;
class QWidget;
class frmScoreBoard;

// Whether the help window takes the keyboard as it opens, or leaves it with its opener (the
// console, whose keys are the game's).
enum class HelpFocus { Take, StayWithOpener };

// Shows the help window without waiting for it, centred on the opener's screen; a second
// request brings the open one forward. The command keys typed in it go to the game of the
// board wired last (none before the board opens).
void showHelpWindow(QWidget* opener, HelpFocus focus = HelpFocus::Take);

// Shows the options dialog modally over `parent` and returns when it has closed. Returns
// true when it closed with OK.
bool showOptionsDialog(QWidget* parent);

// The board's F1 and F2 open the help window and the options dialog, F3 the waiting
// penalties, F4 the operator's console (or closes it); after the options dialog the board
// takes the setting variables afresh. The board's game takes the command keys typed in the
// help window from now on.
void wireBoardWindows(frmScoreBoard* board);

// A new scoreboard showing the application's game on the setting variables, its F1 and F2
// opening the help window and the options dialog.
frmScoreBoard* createScoreBoard(Game& game);
