// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "design.h"

#include <span>

// The scoreboard's design: every control with its position and size in twips at the design
// client area of 9480 x 6795, in control order.
std::span<const DesignRow> boardDesign();

constexpr double BoardClientWidth = 9480;
constexpr double BoardClientHeight = 6795;
constexpr int32_t BoardBackColor = 4210752;
