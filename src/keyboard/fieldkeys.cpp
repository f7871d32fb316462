// Key and focus handling of the fifteen fields.
#include "frmscoreboard.h"
#include "keyboard.h"

#include <QKeyEvent>

namespace {

enum class FieldKind { Clock, Number, Goal, PenaltyPlayer, PenaltyTime };

// By tab order: clock, scores, goal strip, shots, period, then the penalty slots.
constexpr FieldKind Kinds[15] = {
    FieldKind::Clock,         FieldKind::Number,        FieldKind::Number,
    FieldKind::Goal,          FieldKind::Number,        FieldKind::Number,
    FieldKind::Number,        FieldKind::PenaltyPlayer, FieldKind::PenaltyTime,
    FieldKind::PenaltyPlayer, FieldKind::PenaltyTime,   FieldKind::PenaltyPlayer,
    FieldKind::PenaltyTime,   FieldKind::PenaltyPlayer, FieldKind::PenaltyTime,
};

// The penalty slot (its clock, 1 to 4) of a penalty field: home 1, home 2, visitor 1,
// visitor 2 are clocks 1, 2, 3, 4; in tab order the slots come H1, V1, H2, V2.
int penaltyClockOfField(int field)
{
    static constexpr int Clocks[4] = {1, 3, 2, 4};
    return Clocks[(field - 7) / 2];
}

} // namespace

void frmScoreBoard::FieldKeyDown(int fieldIndex, QKeyEvent* e)
{
    keyboardState().observeKeyPress(*e);
    const int16_t k = virtualKeyCode(*e);
    const Field& f = fieldTable[static_cast<size_t>(fieldIndex)];
    switch (Kinds[fieldIndex]) {
    case FieldKind::Clock:
        AllKeyCode(k);
        if (!ignoredByEntry(k))
            TypeGameTime(KeyCodeToAsci(k));
        break;
    case FieldKind::Number:
        AllKeyCode(k);
        if (!ignoredByEntry(k))
            EnterDigits(*f.row, KeyCodeToAsci(k), f.minValue, f.maxValue);
        break;
    case FieldKind::Goal:
        GoalKeyDown(k);
        break;
    case FieldKind::PenaltyPlayer:
        PenaltyPlayerKeyDown(penaltyClockOfField(fieldIndex), k);
        break;
    case FieldKind::PenaltyTime:
        PenaltyTimeKeyDown(penaltyClockOfField(fieldIndex), k);
        break;
    }
}

bool frmScoreBoard::ignoredByEntry(int16_t KeyCode) const
{
    // Shift, Ctrl or Alt pressed on its own is half of a key combination (Shift+Tab), not
    // typing: it must not discard what was typed into another field. A modifier that is
    // the clear key still clears.
    const bool modifier = KeyCode == vk::Shift || KeyCode == vk::Ctrl || KeyCode == vk::Alt;
    return modifier && KeyCodeToAsci(KeyCode) == -1;
}

void frmScoreBoard::FieldKeyUp(int /*fieldIndex*/, QKeyEvent* e)
{
    AllKeyUp(virtualKeyCode(*e), 0);
}
