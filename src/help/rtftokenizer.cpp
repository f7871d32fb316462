// SPDX-License-Identifier: GPL-3.0-or-later
#include "rtftokenizer.h"

#include <limits>

namespace {

RtfTokenizer::Token token(RtfTokenizer::Type type)
{
    RtfTokenizer::Token t;
    t.type = type;
    return t;
}

constexpr int32_t MaxParam = std::numeric_limits<int32_t>::max();

bool isLetter(char c)
{
    return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z');
}

bool isDigit(char c)
{
    return c >= '0' && c <= '9';
}

int hexValue(char c)
{
    if (c >= '0' && c <= '9')
        return c - '0';
    if (c >= 'a' && c <= 'f')
        return c - 'a' + 10;
    if (c >= 'A' && c <= 'F')
        return c - 'A' + 10;
    return -1;
}

} // namespace

RtfTokenizer::Token RtfTokenizer::next()
{
    while (pos < data.size()) {
        const char c = data[pos];
        switch (c) {
        case '{':
            ++pos;
            return token(Type::GroupOpen);
        case '}':
            ++pos;
            return token(Type::GroupClose);
        case '\r':
        case '\n':
            ++pos;
            continue;
        case '\\': {
            const Token t = readControl();
            if (t.type != Type::End)
                return t;
            continue; // an escape that came to nothing, such as a truncated \'
        }
        default:
            return readText();
        }
    }
    return token(Type::End);
}

RtfTokenizer::Token RtfTokenizer::readText()
{
    const std::size_t start = pos;
    while (pos < data.size()) {
        const char c = data[pos];
        if (c == '{' || c == '}' || c == '\\' || c == '\r' || c == '\n')
            break;
        ++pos;
    }
    Token t = token(Type::Text);
    t.text = data.substr(start, pos - start);
    return t;
}

RtfTokenizer::Token RtfTokenizer::readControl()
{
    ++pos; // the backslash
    if (pos >= data.size())
        return token(Type::End);
    const char c = data[pos];

    if (c == '\'') {
        ++pos;
        int value = 0;
        int digits = 0;
        while (digits < 2 && pos < data.size()) {
            const int h = hexValue(data[pos]);
            if (h < 0)
                break;
            value = value * 16 + h;
            ++digits;
            ++pos;
        }
        if (digits < 2)
            return token(Type::End); // dropped: half a byte means nothing
        Token t = token(Type::Hex);
        t.byte = static_cast<uint8_t>(value);
        return t;
    }

    if (!isLetter(c)) {
        ++pos;
        Token t = token(Type::Symbol);
        t.symbol = c;
        return t;
    }

    const std::size_t start = pos;
    while (pos < data.size() && isLetter(data[pos]))
        ++pos;
    Token t = token(Type::Word);
    t.text = data.substr(start, std::min(pos - start, MaxNameLength));

    if (pos < data.size()) {
        bool negative = false;
        if (data[pos] == '-' && pos + 1 < data.size() && isDigit(data[pos + 1])) {
            negative = true;
            ++pos;
        }
        if (pos < data.size() && isDigit(data[pos])) {
            // Every digit is read, however many there are; the value saturates.
            int64_t value = 0;
            while (pos < data.size() && isDigit(data[pos])) {
                if (value <= MaxParam)
                    value = value * 10 + (data[pos] - '0');
                ++pos;
            }
            if (value > MaxParam)
                value = MaxParam;
            t.param = static_cast<int32_t>(negative ? -value : value);
            t.hasParam = true;
        }
        if (pos < data.size() && data[pos] == ' ')
            ++pos; // the delimiter belongs to the word
    }

    if (t.text == "bin" && t.hasParam && t.param > 0) {
        // Raw bytes follow; they may hold braces and backslashes, so they are passed over whole.
        const std::size_t n =
            std::min<std::size_t>(static_cast<std::size_t>(t.param), data.size() - pos);
        Token b = token(Type::Binary);
        b.text = data.substr(pos, n);
        pos += n;
        return b;
    }
    return t;
}
