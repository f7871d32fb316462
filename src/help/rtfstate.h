// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <array>
#include <cstdint>

// The character and paragraph properties that an RTF group carries. Lengths are in twips.

struct RtfCharState
{
    bool bold = false;
    bool italic = false;
    bool underline = false;
    bool strike = false;
    bool hidden = false;
    int8_t vertical = 0; // 1 superscript, -1 subscript
    int font = -1;       // -1: the document's default font
    int halfPoints = 24;
    int color = -1;    // an index into the colour table; -1: automatic
    int highlight = 0; // an index into the colour table; 0: none
    bool operator==(const RtfCharState&) const = default;
};

struct RtfTabStop
{
    int position = 0;
    int kind = 0; // 0 left, 1 right, 2 centre, 3 decimal
};

struct RtfParaState
{
    static constexpr int MaxTabs = 32;

    int align = 0; // 0 left, 1 centre, 2 right, 3 justified
    int leftIndent = 0;
    int rightIndent = 0;
    int firstIndent = 0;
    int spaceBefore = 0;
    int spaceAfter = 0;
    int tabKind = 0; // the kind of the next tab stop
    int tabCount = 0;
    std::array<RtfTabStop, MaxTabs> tabs{};
};
