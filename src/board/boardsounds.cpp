// SPDX-License-Identifier: GPL-3.0-or-later
// The horn and the buzzer players. The game holds the turn: one sound at a time, a request
// while one plays is dropped.
#include "frmscoreboard.h"
#include "mmcontrol.h"
#include "program.h"

namespace {

void openIfPresent(MMControl* player, const QString& path)
{
    if (!path.isEmpty() && program::fileExists(path))
        player->open(path);
}

} // namespace

void frmScoreBoard::soundsChanged()
{
    game().setSoundsAvailable(!buzzer->FileName().isEmpty(), !horn->FileName().isEmpty());
}

void frmScoreBoard::OpenSounds()
{
    openIfPresent(buzzer, game().settings().BuzzerFile);
    openIfPresent(horn, game().settings().HornFile);
    soundsChanged();
}

void frmScoreBoard::CloseSounds()
{
    for (MMControl* player : {buzzer, horn})
        if (!player->FileName().isEmpty())
            player->close();
}

void frmScoreBoard::ReopenSounds()
{
    // Whatever the settings hold, even a path that names no file: that player then fails, and
    // its plays end at once.
    buzzer->open(game().settings().BuzzerFile);
    horn->open(game().settings().HornFile);
    soundsChanged();
}

// A finished play needs neither a stop nor a rewind: every play starts at the sound's beginning.
void frmScoreBoard::SoundDone(MMControl* /*player*/)
{
    game().soundDone();
}
