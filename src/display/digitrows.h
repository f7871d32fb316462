#pragma once

#include <QString>
#include <cstdint>
#include <vector>

class Form;
class PolyLED;

// A row of digits showing one number, by array index. Member 0 is the units digit, except
// on the game clock, whose member 0 is the leftmost digit.
using DigitRow = std::vector<PolyLED*>;

// Applies a value text to a row: a number; "+" or "-" and a number for a change relative to
// what the row shows (a blank row counts as 0); a lone NUL character for blank. The row
// changes only when the result lies within MinValue..MaxValue; -1 is the blank value.
void ShowDigits(const DigitRow& Digits, const QString& Text, int16_t MinValue, int16_t MaxValue);

// The number a row shows, as decimal text; blank digits add nothing.
QString rowText(const DigitRow& Digits);

// Sets the lit colour of every digit of a row (or of one digit) and its background to
// the LED background colour.
void ColorLeds(const DigitRow& Target, int32_t LitColour);
void ColorLeds(PolyLED* Target, int32_t LitColour);

// Sets the segment style of every LED digit on a window.
void SetLedType(const Form& Window, int32_t LedTypeValue);
