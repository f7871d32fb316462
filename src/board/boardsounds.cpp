// SPDX-License-Identifier: GPL-3.0-or-later
// The horn and the buzzer players. The game holds the turn: one sound at a time, a request
// while one plays is dropped.
#include "frmscoreboard.h"
#include "mmcontrol.h"
#include "program.h"

namespace {

void openIfPresent(MMControl* player, const QString& path)
{
    if (path.isEmpty() || !program::fileExists(path))
        return;
    player->setFileName(path);
    player->setCommand(QStringLiteral("Open"));
}

void reopen(MMControl* player, const QString& path)
{
    player->setCommand(QStringLiteral("Close"));
    player->setFileName(path);
    player->setCommand(QStringLiteral("Open"));
}

} // namespace

void frmScoreBoard::soundsChanged()
{
    game().setSoundsAvailable(!mmcBuzzer->FileName().isEmpty(), !mmcHorn->FileName().isEmpty());
}

void frmScoreBoard::OpenSounds()
{
    openIfPresent(mmcBuzzer, game().settings().BuzzerFile);
    openIfPresent(mmcHorn, game().settings().HornFile);
    soundsChanged();
}

void frmScoreBoard::CloseSounds()
{
    for (MMControl* player : {mmcBuzzer, mmcHorn})
        if (!player->FileName().isEmpty())
            player->setCommand(QStringLiteral("Close"));
}

void frmScoreBoard::ReopenSounds()
{
    reopen(mmcBuzzer, game().settings().BuzzerFile);
    reopen(mmcHorn, game().settings().HornFile);
    soundsChanged();
}

void frmScoreBoard::SoundDone(MMControl* player)
{
    player->setCommand(QStringLiteral("Stop"));
    player->setCommand(QStringLiteral("Prev"));
    game().soundDone();
}
