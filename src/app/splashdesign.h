// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "design.h"

#include <span>

// The splash window's design, in twips, in control order.
std::span<const DesignRow> splashDesign();

constexpr double SplashClientWidth = 6240;
constexpr double SplashClientHeight = 3210;
constexpr double SplashLoadHeight = 3240;
constexpr double SplashFrameHeight = 3120;
// The splash is placed as if it were this high, which sets it above the true centre.
constexpr double SplashPlacementHeight = 5880;

// Where the splash's top goes on a screen of that height (twips); negative on a screen
// lower than the placement height.
constexpr double splashTop(double screenHeight)
{
    return (screenHeight - SplashPlacementHeight) / 2;
}
