// The horn and the buzzer: one sound at a time, a request while one plays is dropped.
#include "frmscoreboard.h"
#include "mmcontrol.h"
#include "program.h"
#include "settingvariables.h"

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

void frmScoreBoard::OpenSounds()
{
    openIfPresent(mmcBuzzer, Settings.BuzzerFile);
    openIfPresent(mmcHorn, Settings.HornFile);
}

void frmScoreBoard::CloseSounds()
{
    for (MMControl* player : {mmcBuzzer, mmcHorn})
        if (!player->FileName().isEmpty())
            player->setCommand(QStringLiteral("Close"));
}

void frmScoreBoard::ReopenSounds()
{
    reopen(mmcBuzzer, Settings.BuzzerFile);
    reopen(mmcHorn, Settings.HornFile);
}

void frmScoreBoard::Buzzer()
{
    if (!mmcBuzzer->FileName().isEmpty() && BuzzerPlaying == 0) {
        BuzzerPlaying = -1;
        mmcBuzzer->setCommand(QStringLiteral("Play"));
    }
}

void frmScoreBoard::Horn()
{
    if (!mmcHorn->FileName().isEmpty() && BuzzerPlaying == 0) {
        BuzzerPlaying = -1;
        mmcHorn->setCommand(QStringLiteral("Play"));
    }
}

void frmScoreBoard::SoundDone(MMControl* player)
{
    player->setCommand(QStringLiteral("Stop"));
    player->setCommand(QStringLiteral("Prev"));
    BuzzerPlaying = 0;
}
