// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QDateTime>
#include <QString>

class GameFile;
class frmSplash;

// The saved game at start and the game kept saved from then on. When the game file holds a
// game other than a new board, the operator is asked in front of the splash "Resume the last
// game?": Enter resumes and goes on to the board, Escape or N starts a new game and keeps the
// old one aside. The board's game is written to the file as it changes.
// When another board already keeps its game in that folder, this one says so (one line on
// the terminal, a message in front of the splash), asks nothing, and neither reads, moves nor
// writes the other board's files: it runs without saving.
void keepGameSaved(frmSplash* splash, GameFile& file);

// "Saved today at 20:15:03.", "Saved on Sunday, 6 December 2026 at 21:04:11."
QString savedWhen(const QDateTime& savedAt, const QDateTime& now);
