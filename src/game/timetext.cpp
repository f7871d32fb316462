// SPDX-License-Identifier: GPL-3.0-or-later
#include "timetext.h"

#include <QStringList>

namespace {

constexpr qsizetype MaxTimeText = 8;
constexpr int64_t MaxMinutes = 99;
constexpr int64_t MaxSeconds = 99;
constexpr int64_t MaxTenths = 9;
constexpr qsizetype SecondsDigits = 2;

bool isAsciiDigit(QChar c)
{
    return c >= QLatin1Char('0') && c <= QLatin1Char('9');
}

// The number in a run of at most 8 ASCII digits; the empty run is 0.
int64_t numberOf(QStringView digits)
{
    int64_t n = 0;
    for (const QChar c : digits)
        n = n * 10 + (c.unicode() - '0');
    return n;
}

// More digits than this cannot be a value of any field; treat the number as out of range.
constexpr int MaxNumberDigits = 15;
constexpr int64_t OutOfRange = 1'000'000'000'000'000;

// The whole part of the number at the start of a text, as a loose reader of typed numbers
// takes it: an optional sign, then digits; an empty number counts as 0.
int64_t leadingNumber(QStringView text)
{
    qsizetype i = 0;
    bool negative = false;
    if (i < text.size() && (text[i] == QLatin1Char('+') || text[i] == QLatin1Char('-'))) {
        negative = text[i] == QLatin1Char('-');
        ++i;
    }
    int64_t v = 0;
    int digits = 0;
    for (; i < text.size() && isAsciiDigit(text[i]); ++i) {
        if (++digits > MaxNumberDigits)
            return negative ? -OutOfRange : OutOfRange;
        v = v * 10 + (text[i].unicode() - '0');
    }
    return negative ? -v : v;
}

} // namespace

std::optional<int64_t> enteredNumber(const QString& text, int16_t current)
{
    if (text.isEmpty())
        return std::nullopt;
    const QChar first = text[0];
    const int64_t now = current < 0 ? 0 : current;
    if (first.unicode() == 0)
        return -1;
    if (isAsciiDigit(first))
        return leadingNumber(text);
    if (first == QLatin1Char('+'))
        return now + leadingNumber(QStringView(text).mid(1));
    if (first == QLatin1Char('-'))
        return now - leadingNumber(QStringView(text).mid(1));
    return std::nullopt;
}

ClockValue ParseTime(const QString& text)
{
    if (text.size() > MaxTimeText)
        return NoTime;
    for (const QChar c : text) {
        if (!isAsciiDigit(c) && c != QLatin1Char('.'))
            return NoTime;
    }
    const QStringList pieces = text.split(QLatin1Char('.'));
    if (pieces.size() > 2)
        return NoTime;
    const int64_t minutes = numberOf(pieces[0]);
    int64_t seconds = 0;
    int64_t tenths = 0;
    if (pieces.size() == 2) {
        const QStringView second(pieces[1]);
        seconds = numberOf(second.left(SecondsDigits));
        // A third digit gives the tenths; any further digits are ignored.
        if (second.size() > SecondsDigits)
            tenths = numberOf(second.mid(SecondsDigits, 1));
    }
    if (minutes > MaxMinutes || seconds > MaxSeconds || tenths > MaxTenths)
        return NoTime;
    return Fixed4::whole(minutes * 60 + seconds) + Fixed4::tenths(tenths);
}

ClockValue TypeTime(TypedText& TimeBuffer, int row, int16_t ch, int32_t limit)
{
    if (row != TimeBuffer.row) {
        TimeBuffer.text.clear();
        TimeBuffer.row = row;
    }
    // Text beyond the longest valid time is refused at Enter anyway; stop growing there.
    const bool room = TimeBuffer.text.size() <= MaxTimeText;
    if (ch >= entry::Digit0 && ch <= entry::Digit9) {
        if (room)
            TimeBuffer.text += QChar(ch);
    } else if (ch == entry::Point) {
        if (room)
            TimeBuffer.text += QLatin1Char('.');
    } else if (ch == entry::Space) {
        TimeBuffer.text.clear();
    } else if (ch == entry::Enter) {
        const ClockValue v = ParseTime(TimeBuffer.text);
        TimeBuffer.text.clear();
        if (v != NoTime && v <= Fixed4::whole(limit))
            return v;
    }
    return NoTime;
}
