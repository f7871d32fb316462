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

} // namespace

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
