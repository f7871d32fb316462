// Key dispatch: the board-wide command keys, and key codes turned into entry characters.
#include "frmscoreboard.h"
#include "keyboard.h"
#include "settingvariables.h"

void frmScoreBoard::AllKeyCode(int16_t KeyCode)
{
    const SettingVariables& s = Settings;
    // First match only: when two commands share a key, this order decides.
    if (KeyCode == s.StartStopClockKey)
        StartStopCommand();
    else if (KeyCode == s.ResetClockKey)
        ResetCommand();
    else if (KeyCode == s.ClockSwitchKey)
        ClockSwitchCommand();
    else if (KeyCode == s.BuzzerKey)
        Buzzer();
    else if (KeyCode == s.HornKey)
        Horn();
    else if (KeyCode == vk::F1)
        ShowHelp();
    else if (KeyCode == vk::F2)
        ShowOptions();
}

void frmScoreBoard::AllKeyUp(int16_t KeyCode, int16_t /*Shift*/)
{
    if (KeyCode == vk::NumLock)
        UpdateNumLock();
}

int16_t frmScoreBoard::KeyCodeToAsci(int16_t KeyCode) const
{
    if (KeyCode == vk::Space)
        return 32;
    if (KeyCode == vk::Enter)
        return 13;
    if (KeyCode == Settings.ClearKey)
        return 0;
    if (KeyCode >= vk::Key0 && KeyCode <= vk::Key0 + 9)
        return KeyCode;
    if (KeyCode >= vk::Numpad0 && KeyCode <= vk::Numpad0 + 9)
        return static_cast<int16_t>(KeyCode - vk::Numpad0 + '0');
    if (KeyCode == vk::Add || KeyCode == vk::Plus)
        return '+';
    if (KeyCode == vk::Subtract || KeyCode == vk::Minus)
        return '-';
    if (KeyCode == vk::Decimal || KeyCode == vk::Period)
        return '.';
    return -1;
}

void frmScoreBoard::UpdateNumLock()
{
    if (Settings.NumLockForce == 1)
        SetNumLock(-1);
    else if (Settings.NumLockForce == 2)
        SetNumLock(0);
}
