// SPDX-License-Identifier: GPL-3.0-or-later
#include "boardformat.h"
#include "fuzzconfig.h"
#include "gamejson.h"

// The game file is read at every start, whatever a crash, a full disk or a hand left in it. It
// is refused, or gives a game the board can show (every number in range) and writes back the same.

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const QByteArray bytes(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));
    const auto loaded = gamejson::fromBytes(bytes);
    if (!loaded)
        return 0;
    const GameState& s = loaded->state;
    for (int i = 0; i < FieldCount; ++i) {
        const FieldInfo& info = FieldTable[static_cast<size_t>(i)];
        check(fieldRow(s, static_cast<Field>(i)).size() == info.digits);
        if (info.kind == FieldKind::Number || info.kind == FieldKind::PenaltyPlayer) {
            const int value = s.number(static_cast<Field>(i));
            check(value >= info.minValue && value <= info.maxValue);
        }
    }
    for (int i = 0; i < ClockCount; ++i)
        check(!s.clocks.IsRunning(i));

    const auto again = gamejson::fromBytes(
        gamejson::toBytes(gamejson::toJson(s, loaded->record, loaded->savedAt)));
    check(again && again->state == s && again->record == loaded->record);
    return 0;
}
