// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cmath>

// Window and control geometry is kept in twips, the unit the board was designed in:
// 1440 per inch, 15 per (logical) pixel, 20 per point.
namespace twips {

constexpr double PerPixel = 15.0;
constexpr double PerPoint = 20.0;

// The design's window frame: the outer size is the client size plus this much.
constexpr double FrameWidth = 120.0;
constexpr double FrameHeight = 405.0;

inline int toPixels(double t)
{
    return static_cast<int>(std::lround(t / PerPixel));
}

inline double fromPixels(int px)
{
    return px * PerPixel;
}

// A font size in points as a pixel size, so that text keeps its size relative to the
// board whatever the system's font DPI.
inline int fontPixels(double points)
{
    const long px = std::lround(points * PerPoint / PerPixel);
    return px < 1 ? 1 : static_cast<int>(px);
}

// Rounds to the nearest whole number, a half going to the even neighbour.
inline double roundHalfEven(double v)
{
    return std::nearbyint(v); // the default rounding mode is to nearest, ties to even
}

} // namespace twips
