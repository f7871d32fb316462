// SPDX-License-Identifier: GPL-3.0-or-later
#include "fuzzconfig.h"
#include "timetext.h"

#include <tuple>
#include <utility>

// Typed times come from the operator's keys on rows of different limits. The input is read as
// text for ParseTime, and as keys for TypeTime where a byte with the high bit set changes row.

// Rows and limits: the clock to 99:59, penalties to 9:59 (two, to move between equal limits).
static constexpr std::pair<int, int32_t> Rows[] = {{0, 5999}, {8, 599}, {14, 599}, {0, 599}};

// The longest time the text can give: 99 minutes, 99 seconds and 9 tenths.
static constexpr ClockValue Longest = ClockValue::whole(99 * 60 + 99) + ClockValue::tenths(9);

static void checkTime(ClockValue v, ClockValue limit)
{
    if (v == NoTime)
        return;
    check(v >= ClockValue() && v <= limit);
    check(v.raw() % ClockValue::tenths(1).raw() == 0);
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const char* chars = reinterpret_cast<const char*>(data);
    const auto n = static_cast<qsizetype>(size);

    const QString asUtf8 = QString::fromUtf8(chars, n);
    const ClockValue parsed = ParseTime(asUtf8);
    checkTime(parsed, Longest);
    checkTime(ParseTime(QString::fromLatin1(chars, n)), Longest);

    // Typing the text and Enter on the clock gives what parsing it gives.
    TypedText buffer;
    const auto [clock, clockLimit] = Rows[0];
    for (const QChar c : asUtf8) {
        if (c.unicode() != entry::Enter && c.unicode() != entry::Space)
            check(TypeTime(buffer, clock, static_cast<int16_t>(c.unicode()), clockLimit) == NoTime);
    }
    const ClockValue typed = TypeTime(buffer, clock, entry::Enter, clockLimit);
    if (parsed != NoTime)
        check(typed == (parsed <= ClockValue::whole(clockLimit) ? parsed : NoTime));
    check(buffer.text.isEmpty());

    // The bytes as a key stream on changing rows.
    buffer = TypedText();
    auto [row, limit] = Rows[0];
    for (size_t i = 0; i < size; ++i) {
        if (data[i] & 0x80) {
            std::tie(row, limit) = Rows[data[i] % std::size(Rows)];
            continue;
        }
        const ClockValue v = TypeTime(buffer, row, static_cast<int16_t>(data[i]), limit);
        checkTime(v, ClockValue::whole(limit));
        if (data[i] != entry::Enter)
            check(v == NoTime);
        check(buffer.row == row);
        // What is typed never grows past a little more than the longest valid time.
        check(buffer.text.size() <= 9);
    }
    return 0;
}
