// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "clockvalue.h"

#include <QString>
#include <cstdint>
#include <optional>

// A typed time: minutes, optionally a point and two digits of seconds, optionally a third
// digit of tenths ("1.30" is 90, "1.3" is 63, "0.455" is 45.5). Seconds up to 99 are
// accepted. The empty text and a lone point are 0; anything malformed, longer than 8
// characters or beyond 99 minutes gives NoTime.
ClockValue ParseTime(const QString& text);

// What has been typed so far into one of the fields that share a buffer, and which field
// that was (-1: none yet). Typing into another field starts afresh.
struct TypedText
{
    QString text;
    int row = -1;
    bool operator==(const TypedText&) const = default;
};

// Entry characters that TypeTime understands.
namespace entry {
inline constexpr int16_t Enter = 13;
inline constexpr int16_t Space = 32;
inline constexpr int16_t Point = 46;
inline constexpr int16_t Digit0 = 48;
inline constexpr int16_t Digit9 = 57;
} // namespace entry

// The number a committed entry gives on a field that holds `current` (NoNumber counts as
// 0): a number; "+" or "-" and a number for a change relative to it; a lone NUL character
// for NoNumber. Reading stops at the first character that cannot continue the number.
// Nothing for an entry that gives no number (empty, or starting with anything else). The
// result is not checked against any range.
std::optional<int64_t> enteredNumber(const QString& text, int16_t current);

// Collects one entry character typed on field `row` into the buffer shared by all time
// fields. Typing on another field than before starts afresh. Digits and the point are
// appended, a space empties the text, Enter parses and empties it. Returns the time when
// Enter completes one of at most limit seconds, NoTime for every other key.
ClockValue TypeTime(TypedText& TimeBuffer, int row, int16_t ch, int32_t limit);
