// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string_view>

// What a control word does in the reader.
enum class RtfAction {
    None,   // treated: a group whose text shows as it stands (\pntext, \fldrslt, ...)
    Ignore, // known; changes nothing that this reader shows
    Skip,   // a destination whose content is passed over (\pict, \info, ...)
    FontTable,
    ColorTable,
    Bold,
    Italic,
    Underline,
    UnderlineNone,
    Strike,
    Plain,
    FontSize,
    Font,
    Color,
    Highlight,
    Hidden,
    Super,
    Sub,
    NoSuperSub,
    Pard,
    Align, // value: 0 left, 1 centre, 2 right, 3 justified
    LeftIndent,
    RightIndent,
    FirstIndent,
    SpaceBefore,
    SpaceAfter,
    TabStop,
    TabKind, // value: 1 right, 2 centre, 3 decimal
    Par,
    Line,
    Tab,
    Char, // value: the character
    AnsiCpg,
    DocCodePage, // value: the code page
    DefaultFont,
    DefaultTab,
    UnicodeSkip,
    Unicode,
    FontFamily, // value: 0 any, 1 serif, 2 sans serif, 3 monospace, 4 script, 5 decorative
    FontCharset,
    FontCodePage,
    Red,
    Green,
    Blue,
};

struct RtfKeyword
{
    std::string_view name;
    RtfAction action = RtfAction::None;
    int value = 0;
};

// The keyword of that name, or null for a control word the reader does not know.
const RtfKeyword* findRtfKeyword(std::string_view name);
