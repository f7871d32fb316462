// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>
#include <compare>
#include <cstdint>
#include <optional>

// A decimal number with four places, held exactly as a count of ten-thousandths. Clock
// values (seconds) and the team-name font size use it.
class Fixed4
{
public:
    static constexpr int64_t Scale = 10000;

    constexpr Fixed4() = default;
    static constexpr Fixed4 fromRaw(int64_t raw) { return Fixed4(raw); }
    static constexpr Fixed4 whole(int64_t n) { return Fixed4(n * Scale); }
    static constexpr Fixed4 tenths(int64_t n) { return Fixed4(n * (Scale / 10)); }
    static constexpr Fixed4 millis(int64_t n) { return Fixed4(n * (Scale / 1000)); }

    constexpr int64_t raw() const { return value; }
    // The whole part, towards zero.
    constexpr int64_t wholePart() const { return value / Scale; }
    // Rounded to a whole number, a half going to the even neighbour.
    int64_t roundedHalfEven() const;
    double toDouble() const { return static_cast<double>(value) / Scale; }

    constexpr Fixed4 operator+(Fixed4 o) const { return Fixed4(value + o.value); }
    constexpr Fixed4 operator-(Fixed4 o) const { return Fixed4(value - o.value); }
    constexpr Fixed4 operator*(int64_t n) const { return Fixed4(value * n); }
    constexpr Fixed4& operator+=(Fixed4 o)
    {
        value += o.value;
        return *this;
    }
    constexpr Fixed4& operator-=(Fixed4 o)
    {
        value -= o.value;
        return *this;
    }
    constexpr auto operator<=>(const Fixed4&) const = default;

    // Decimal text without superfluous zeros: "24", "24.5", "-1", "0.0001".
    QString toText() const;
    // Plain decimal text, optionally signed, with at most four decimal places. Anything
    // else, or a value out of range, gives nothing.
    static std::optional<Fixed4> parse(const QString& text);

private:
    explicit constexpr Fixed4(int64_t raw) : value(raw) {}
    int64_t value = 0;
};
