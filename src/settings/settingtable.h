// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "settingvariables.h"

#include <array>
#include <variant>

// Every stored setting once: its section and key in the store and the variable that holds
// it. Loading, saving and the dialog's resets walk this table, so a new setting is one row
// here and one member in SettingVariables. The default of each is the member's initial
// value, with two exceptions LoadSettings knows: the sound files default to the program's
// folder, and a missing marker colour takes the board's background colour.
struct SettingRow
{
    enum class Section { Color, Key, Text, Pic };
    enum class Reset { None, Colors, Keys }; // which reset button gives it its default
    using Member = std::variant<int32_t SettingVariables::*, int16_t SettingVariables::*,
                                QString SettingVariables::*, Fixed4 SettingVariables::*>;

    Section section;
    const char* key;
    Member member;
    Reset reset = Reset::None;
    int maxLength = 0; // texts: longer stored ones are cut to this many characters
};

// A team name longer than this is cut (no board shows more; a name of millions of characters
// would be more than the window system takes); a path, to the longest the system resolves.
inline constexpr int MaxNameLength = 200;
inline constexpr int MaxPathLength = 4096;
// The board's caption line holds this many characters.
inline constexpr int MaxCaptionLength = 40;

// clang-format off
inline const std::array<SettingRow, 29> SettingTable = {{
    {SettingRow::Section::Color, "TimeColor", &SettingVariables::TimeColor, SettingRow::Reset::Colors},
    {SettingRow::Section::Color, "LEDBack", &SettingVariables::LEDBack, SettingRow::Reset::Colors},
    {SettingRow::Section::Color, "ScoreColor", &SettingVariables::ScoreColor, SettingRow::Reset::Colors},
    {SettingRow::Section::Color, "PeriodColor", &SettingVariables::PeriodColor, SettingRow::Reset::Colors},
    {SettingRow::Section::Color, "FormBack", &SettingVariables::FormBack, SettingRow::Reset::Colors},
    {SettingRow::Section::Color, "LEDSelected", &SettingVariables::LEDSelected, SettingRow::Reset::Colors},
    {SettingRow::Section::Color, "BorderColor", &SettingVariables::BorderColor, SettingRow::Reset::Colors},
    {SettingRow::Section::Color, "HomeColor", &SettingVariables::HomeColor, SettingRow::Reset::Colors},
    {SettingRow::Section::Color, "VisitorColor", &SettingVariables::VisitorColor, SettingRow::Reset::Colors},
    {SettingRow::Section::Color, "LEDSelectedWidth", &SettingVariables::LEDSelectedWidth, SettingRow::Reset::Colors},
    {SettingRow::Section::Key, "StartStopClockKey", &SettingVariables::StartStopClockKey, SettingRow::Reset::Keys},
    {SettingRow::Section::Key, "ResetClockKey", &SettingVariables::ResetClockKey, SettingRow::Reset::Keys},
    {SettingRow::Section::Key, "ClearKey", &SettingVariables::ClearKey, SettingRow::Reset::Keys},
    // "Reset Keys" leaves the clock switch key as it is.
    {SettingRow::Section::Key, "ClockSwitchKey", &SettingVariables::ClockSwitchKey},
    {SettingRow::Section::Key, "SepTimeKey", &SettingVariables::SepTimeKey, SettingRow::Reset::Keys},
    {SettingRow::Section::Key, "BuzzerKey", &SettingVariables::BuzzerKey, SettingRow::Reset::Keys},
    {SettingRow::Section::Key, "HornKey", &SettingVariables::HornKey, SettingRow::Reset::Keys},
    {SettingRow::Section::Key, "BuzzerFile", &SettingVariables::BuzzerFile, SettingRow::Reset::None, MaxPathLength},
    {SettingRow::Section::Key, "HornFile", &SettingVariables::HornFile, SettingRow::Reset::None, MaxPathLength},
    {SettingRow::Section::Key, "NumLockForce", &SettingVariables::NumLockForce, SettingRow::Reset::Keys},
    {SettingRow::Section::Text, "HomeText", &SettingVariables::HomeText, SettingRow::Reset::None, MaxNameLength},
    {SettingRow::Section::Text, "VisitorText", &SettingVariables::VisitorText, SettingRow::Reset::None, MaxNameLength},
    {SettingRow::Section::Text, "TeamSize", &SettingVariables::TeamSize},
    {SettingRow::Section::Text, "BoardCaption", &SettingVariables::BoardCaption, SettingRow::Reset::None, MaxCaptionLength},
    {SettingRow::Section::Pic, "HomePic", &SettingVariables::HomePic, SettingRow::Reset::None, MaxPathLength},
    {SettingRow::Section::Pic, "VisitorPic", &SettingVariables::VisitorPic, SettingRow::Reset::None, MaxPathLength},
    {SettingRow::Section::Pic, "BoardPic", &SettingVariables::BoardPic, SettingRow::Reset::None, MaxPathLength},
    {SettingRow::Section::Pic, "LEDType", &SettingVariables::LEDType},
    {SettingRow::Section::Key, "OpenConsole", &SettingVariables::OpenConsole},
}};
// clang-format on

// The settings a reset button gives their defaults to, in `s`.
void ResetSettings(SettingVariables& s, SettingRow::Reset which);
