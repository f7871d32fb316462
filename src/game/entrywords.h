// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "command.h"
#include "settingvariables.h"

#include <QString>
#include <optional>
#include <vector>

// What the typing on a field holds and what Enter would make of it, in the operator's words:
// "Enter sets the game clock to 15:00", "Enter sets home penalty 1 to player 17". The console
// shows it; the words come from one table by field kind and entry kind (EntryOutcome).

// What an entry comes to when Enter commits it.
enum class EntryOutcome : uint8_t {
    Sets,       // Enter sets the field's value (`command`)
    Waits,      // nothing typed: Enter sets nothing
    AddsNext,   // a lone "+": the next digit adds to the number at once; Enter sets the
                // number it has (`command`), 0 for a dark one
    TakesNext,  // a lone "-": the next digit takes from it at once; Enter as for "+"
    OutOfRange, // a number the field does not take: Enter lets it go
    NotATime,   // a text that is no time within the field's limit: Enter lets it go
    Lamps,      // the goal indicator: the arrow keys light its lamps, Enter does nothing
};

struct EntryPreview
{
    Field field = Field::Time;
    QString typed; // as typed, possibly empty
    EntryOutcome outcome = EntryOutcome::Waits;
    std::optional<Command> command; // what Enter runs from the entry
    QString words;                  // what Enter does, translated
};

// The typing on field `f`: what its buffer holds for it, and what Enter would do with it, the
// command key on Enter included (the settings' keys).
EntryPreview previewEntry(const GameState& s, const SettingVariables& keys, Field f);
// What waits typed and not entered on fields other than the selected one: a leftover that
// Enter on its field would still commit. At most one per buffer.
std::vector<EntryPreview> leftoverEntries(const GameState& s, const SettingVariables& keys);

// The field as the words name it: "the game clock", "the home score", "home penalty 1".
QString fieldWords(Field f);
// What a command key does: "starts or stops the clocks". Empty for a command no key runs.
QString commandKeyWords(CommandKind kind);
// What the clear key does on a field: "Delete blanks the home score", "Delete clears home
// penalty 2"; empty where it does nothing.
QString clearKeyWords(Field f, const SettingVariables& keys);
