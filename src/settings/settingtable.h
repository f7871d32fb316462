// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "settingvariables.h"

#include <span>
#include <variant>

// Every stored setting once: its section and key in the store, the variable that holds it,
// and how the options dialog shows it. Loading, saving, the dialog's resets, its load, its
// working copy and its OK walk this table, so a new setting is one row here, one member in
// SettingVariables and, when the dialog shows it, its controls in the dialog's design. The
// default of each is the member's initial value, with two exceptions LoadSettings knows: the
// sound files default to the program's folder, and a missing marker colour takes the board's
// background colour.
struct SettingRow
{
    enum class Section { Color, Key, Text, Pic, Game, Remote };
    enum class Reset { None, Colors, Keys }; // which reset button gives it its default
    // How the options dialog shows the setting and lets the operator change it. `name` is
    // the design name of the control that shows the value, `button` that of the control
    // that changes it.
    enum class ControlKind {
        None,     // not in the dialog: OK keeps it as it was
        Computed, // no control of its own: the dialog works it out (the team names' size)
        Color,    // a swatch, and a "Change" button that opens the colour picker
        Key,      // a box with the key's name, and a button that opens the key chooser,
                  // which asks for the key that will `prompt`
        Options,  // a frame of option buttons, the first for `low`, the next for low + 1...;
                  // with none checked (a value beyond them) OK keeps the value
        Check,    // a check box, checked for any value but `low`; OK stores `low` when it is
                  // cleared, keeps a value that was on, and stores `high` for one turned on
        Number,   // a box showing the number, and a scroll control (`button`) from `low` to `high`
        List,     // a list whose entries stand for `low` to `high`
        Text,     // a text box taking `high` characters
        File,     // a box showing the path, and a button that opens the file dialog with the
                  // filter `prompt`
        Picture,  // a preview image in its frame, a "Change" button (the file dialog with the
                  // filter `prompt`) and a "Clear" button (`clear`)
    };
    using Member = std::variant<int32_t SettingVariables::*, int16_t SettingVariables::*,
                                QString SettingVariables::*, Fixed4 SettingVariables::*,
                                bool SettingVariables::*>;

    Section section;
    const char* key;
    Member member;
    Reset reset = Reset::None;
    int maxLength = 0; // texts: longer stored ones are cut to this many characters
    bool (*valid)(const QString&) =
        nullptr; // texts only: a stored one it refuses takes the default
    // The options dialog: the design name of the tab page the control is on, the control's
    // kind and design names, and the values or characters it offers. A value the control
    // does not offer opens as the nearest one it does.
    const char* page = nullptr;
    ControlKind control = ControlKind::None;
    const char* name = nullptr;
    const char* button = nullptr;
    const char* clear = nullptr;
    int low = 0;
    int high = 0;
    // Translated in the context "frmOptions".
    const char* prompt = nullptr;
};

// A team name longer than this is cut (no board shows more; a name of millions of characters
// would be more than the window system takes); a path, to the longest the system resolves.
inline constexpr int MaxNameLength = 200;
inline constexpr int MaxPathLength = 4096;
// The board's caption line holds this many characters.
inline constexpr int MaxCaptionLength = 40;
// A board name: 1 to 64 ASCII letters, digits and '-'.
inline constexpr int MaxBoardNameLength = 64;
bool isBoardName(const QString& name);
// An MQTT broker's address (mqtt://host:port) and a topic prefix are at most this long.
inline constexpr int MaxBrokerUrlLength = 300;
inline constexpr int MaxTopicPrefixLength = 200;

// The rows, in the order LoadSettings reads them.
extern const std::span<const SettingRow> SettingTable;

// The settings a reset button gives their defaults to, in `s`.
void ResetSettings(SettingVariables& s, SettingRow::Reset which);
