// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstdint>

// Key codes in the numbering the stored key assignments use (the Windows virtual-key
// numbering): 48-57 digits, 65-90 letters, 96-105 keypad digits, 112 F1, 144 NumLock...
namespace vk {
constexpr int16_t NoKey = 0;
constexpr int16_t Backspace = 8;
constexpr int16_t Tab = 9;
constexpr int16_t Clear = 12;
constexpr int16_t Enter = 13;
constexpr int16_t Shift = 16;
constexpr int16_t Ctrl = 17;
constexpr int16_t Alt = 18;
constexpr int16_t Pause = 19;
constexpr int16_t CapsLock = 20;
constexpr int16_t Escape = 27;
constexpr int16_t Space = 32;
constexpr int16_t PageUp = 33;
constexpr int16_t PageDown = 34;
constexpr int16_t End = 35;
constexpr int16_t Home = 36;
constexpr int16_t Left = 37;
constexpr int16_t Up = 38;
constexpr int16_t Right = 39;
constexpr int16_t Down = 40;
constexpr int16_t Insert = 45;
constexpr int16_t Delete = 46;
constexpr int16_t Key0 = 48;
constexpr int16_t KeyA = 65;
constexpr int16_t Numpad0 = 96;
constexpr int16_t Multiply = 106;
constexpr int16_t Add = 107;
constexpr int16_t Subtract = 109;
constexpr int16_t Decimal = 110;
constexpr int16_t Divide = 111;
constexpr int16_t F1 = 112;
constexpr int16_t F2 = 113;
constexpr int16_t F3 = 114;
constexpr int16_t F4 = 115;
constexpr int16_t F5 = 116;
constexpr int16_t F6 = 117;
constexpr int16_t F7 = 118;
constexpr int16_t NumLock = 144;
constexpr int16_t ScrollLock = 145;
constexpr int16_t Semicolon = 186;
constexpr int16_t Plus = 187;
constexpr int16_t Comma = 188;
constexpr int16_t Minus = 189;
constexpr int16_t Period = 190;
constexpr int16_t Slash = 191;
constexpr int16_t Grave = 192;
constexpr int16_t BracketLeft = 219;
constexpr int16_t Backslash = 220;
constexpr int16_t BracketRight = 221;
constexpr int16_t Quote = 222;
} // namespace vk
