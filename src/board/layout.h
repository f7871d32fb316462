// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstdint>
#include <vector>

class Control;
class Form;

// Proportional layout: the geometry of every control is recorded once, with the window's
// outer size at that moment, and every resize multiplies the recorded values by the ratio
// of the new size to the recorded one. Positions and widths follow the width; heights,
// fonts, outline widths and digit sizes follow the height.
//
// The fields are 32 bits wide: a 4K screen is 57600 twips across, which 16 bits cannot hold.
struct LayoutRecord
{
    Control* control = nullptr;
    int32_t Left = 0;
    int32_t Top = 0;
    int32_t Height = 0;      // 0: not recorded
    int32_t Width = 0;       // 0: not recorded
    int32_t FontSize = 0;    // points; 0: not recorded
    int32_t BorderWidth = 0; // pixels; 0: not recorded
    int32_t Size = 0;        // digit size; 0: not recorded
};

struct LayoutTable
{
    std::vector<LayoutRecord> records;
    int32_t DesignWidth = 0; // outer size in twips at capture
    int32_t DesignHeight = 0;
};

// Records the window's present geometry as the base of later stretches.
void CaptureLayout(const Form& Window, LayoutTable& table);

// Rescales every recorded control to the window's present outer size, always from the
// recorded values, so repeated resizes never accumulate error. Does nothing while the
// window is minimised. Painting is held back until the whole window has moved.
void StretchLayout(Form& Window, const LayoutTable& table);

// A font size given for the 4:3 reference window (9600 x 7200 twips), for a window of the
// given outer size: the width decides when the window is at least as tall as 4:3, the
// height when it is wider.
double RSize(int16_t Value, double outerWidth, double outerHeight);
