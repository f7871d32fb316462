// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "fixed4.h"

#include <algorithm>
#include <cstdint>
#include <limits>

// Seconds, exact to a ten-thousandth. The clocks only ever produce whole tenths.
using ClockValue = Fixed4;

// The result of a typed time that is not valid (or not allowed where it was typed).
inline constexpr ClockValue NoTime = Fixed4::whole(-1);

// The integer part of a / b as a 16-bit number. Division by zero gives 0 and a quotient
// beyond 16 bits is held at the nearest limit; neither happens for clock times.
constexpr int16_t WholeQuotient(ClockValue a, ClockValue b)
{
    if (b.raw() == 0)
        return 0;
    const int64_t q = a.raw() / b.raw();
    return static_cast<int16_t>(std::clamp<int64_t>(q, std::numeric_limits<int16_t>::min(),
                                                    std::numeric_limits<int16_t>::max()));
}
