// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>
#include <array>
#include <cstdint>

// A row of LED digits: how the board shows a number or a time. Cell 0 is the units digit,
// except on the game clock, whose cell 0 is the leftmost digit. A cell holds 0 to 9, or
// Blank for a dark cell.
class DigitRow
{
public:
    static constexpr int16_t Blank = -1;
    static constexpr int MaxCells = 4;

    constexpr DigitRow() = default;
    explicit constexpr DigitRow(int cellCount) : count(cellCount < MaxCells ? cellCount : MaxCells)
    {}

    constexpr int size() const { return count; }
    // The digit in cell i; Blank for a dark cell and for a cell the row does not have.
    constexpr int16_t operator[](int i) const
    {
        return i >= 0 && i < count ? cells[static_cast<size_t>(i)] : Blank;
    }
    // Cells the row does not have are ignored; anything but 0 to 9 makes the cell dark.
    constexpr void set(int i, int64_t digit)
    {
        if (i >= 0 && i < count)
            cells[static_cast<size_t>(i)] =
                digit >= 0 && digit <= 9 ? static_cast<int16_t>(digit) : Blank;
    }
    constexpr void clear()
    {
        for (int i = 0; i < count; ++i)
            set(i, Blank);
    }

    bool operator==(const DigitRow&) const = default;

private:
    std::array<int16_t, MaxCells> cells{Blank, Blank, Blank, Blank};
    int count = 0;
};

// A number on a row of `cells` digits, right-aligned without leading zeros; dark for a
// negative number (NoNumber).
DigitRow numberRow(int value, int cells);

// The number a row shows, as decimal text; blank digits add nothing.
QString rowText(const DigitRow& Digits);
