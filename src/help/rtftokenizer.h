// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstdint>
#include <string_view>

// Splits RTF bytes into groups, control words, control symbols, hex bytes and runs of plain
// text. It never looks back and never recurses, so any input is read in one linear pass.
// Line breaks in the source are not text in RTF and are dropped here.
class RtfTokenizer
{
public:
    enum class Type {
        End,
        GroupOpen,
        GroupClose,
        Word,   // \name or \nameN; text holds the name (at most MaxNameLength letters)
        Symbol, // \ followed by one non-letter; symbol holds it
        Hex,    // \'hh; byte holds the value
        Text,   // a run of plain bytes; text holds them
        Binary, // the raw bytes of \binN; text holds them
    };

    struct Token
    {
        Type type = Type::End;
        std::string_view text;
        int32_t param = 0;
        bool hasParam = false;
        char symbol = 0;
        uint8_t byte = 0;
    };

    // Longer names are read to their end but cut to this length; no known word is that long.
    static constexpr std::size_t MaxNameLength = 32;

    explicit RtfTokenizer(std::string_view input) : data(input) {}

    Token next();
    std::size_t position() const { return pos; }

private:
    Token readControl();
    Token readText();

    std::string_view data;
    std::size_t pos = 0;
};
