// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <array>
#include <cstdint>

// The fifteen selectable fields of the board, in tab order.
enum class Field {
    Time,
    Home,
    Visitor,
    Goal,
    ShotsHome,
    Period,
    ShotsVisitor,
    PenaltyPH1,
    PenaltyTH1,
    PenaltyPV1,
    PenaltyTV1,
    PenaltyPH2,
    PenaltyTH2,
    PenaltyPV2,
    PenaltyTV2,
};
inline constexpr int FieldCount = 15;

constexpr int index(Field f)
{
    return static_cast<int>(f);
}

// What typing on a field does.
enum class FieldKind { Clock, Number, Goal, PenaltyPlayer, PenaltyTime };

struct FieldInfo
{
    const char* name; // the field's name on the board and in the live output
    FieldKind kind;
    int digits;       // cells of its digit row; 0 for the goal indicator
    int16_t minValue; // number entry range; -1 as the smallest means it can be blanked
    int16_t maxValue;
    int penaltyClock; // 1 to 4 for the penalty fields, else 0
};

namespace fieldlimits {
inline constexpr int16_t ScoreMax = 199;
inline constexpr int16_t CountMax = 99;
inline constexpr int16_t PeriodMax = 9;
inline constexpr int32_t GameTimeLimit = 5999;   // 99:59, in seconds
inline constexpr int32_t PenaltyTimeLimit = 599; // 9:59
} // namespace fieldlimits

// By tab order. Penalty clocks: 1 home 1, 2 home 2, 3 visitor 1, 4 visitor 2; in tab order
// the slots come H1, V1, H2, V2.
// clang-format off
inline constexpr std::array<FieldInfo, FieldCount> FieldTable = {{
    {"TimeBack", FieldKind::Clock, 4, 0, 0, 0},
    {"HomeBack", FieldKind::Number, 3, -1, fieldlimits::ScoreMax, 0},
    {"VisitorBack", FieldKind::Number, 3, -1, fieldlimits::ScoreMax, 0},
    {"picGoalBack", FieldKind::Goal, 0, 0, 0, 0},
    {"ShotsBackH", FieldKind::Number, 2, -1, fieldlimits::CountMax, 0},
    {"PeriodBack", FieldKind::Number, 1, 0, fieldlimits::PeriodMax, 0},
    {"ShotsBackV", FieldKind::Number, 2, -1, fieldlimits::CountMax, 0},
    {"PenaltyPH1", FieldKind::PenaltyPlayer, 2, -1, fieldlimits::CountMax, 1},
    {"PenaltyTH1", FieldKind::PenaltyTime, 3, 0, 0, 1},
    {"PenaltyPV1", FieldKind::PenaltyPlayer, 2, -1, fieldlimits::CountMax, 3},
    {"PenaltyTV1", FieldKind::PenaltyTime, 3, 0, 0, 3},
    {"PenaltyPH2", FieldKind::PenaltyPlayer, 2, -1, fieldlimits::CountMax, 2},
    {"PenaltyTH2", FieldKind::PenaltyTime, 3, 0, 0, 2},
    {"PenaltyPV2", FieldKind::PenaltyPlayer, 2, -1, fieldlimits::CountMax, 4},
    {"PenaltyTV2", FieldKind::PenaltyTime, 3, 0, 0, 4},
}};
// clang-format on

constexpr const FieldInfo& fieldInfo(Field f)
{
    return FieldTable[static_cast<size_t>(f)];
}

// A penalty slot by its clock (1 to 4): the player field and the time field.
struct PenaltySlot
{
    Field player;
    Field time;
};
inline constexpr std::array<PenaltySlot, 4> PenaltySlots = {{
    {Field::PenaltyPH1, Field::PenaltyTH1},
    {Field::PenaltyPH2, Field::PenaltyTH2},
    {Field::PenaltyPV1, Field::PenaltyTV1},
    {Field::PenaltyPV2, Field::PenaltyTV2},
}};

constexpr const PenaltySlot& penaltySlot(int clock)
{
    return PenaltySlots[static_cast<size_t>(clock - 1)];
}

static_assert(fieldInfo(Field::PenaltyTV1).penaltyClock == 3);
static_assert(penaltySlot(3).time == Field::PenaltyTV1);
static_assert(fieldInfo(penaltySlot(2).player).penaltyClock == 2);
