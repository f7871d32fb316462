// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstdint>
#include <vector>

class Control;
class Form;
class PolyLED;

// Paints every label's text in the border colour, every picture box's background in the
// LED background colour and every shape's outline in the LED background colour, except the
// controls in Excluded.
void ColorControlsByType(const Form& Window, const std::vector<const Control*>& Excluded,
                         int32_t BorderColor, int32_t LEDBack);

// Sets the lit colour of every digit of a row and its background.
void ColorLeds(const std::vector<PolyLED*>& Target, int32_t LitColour, int32_t LEDBack);

// Sets the segment style of every LED digit on a window.
void SetLedType(const Form& Window, int32_t LedTypeValue);
