// SPDX-License-Identifier: GPL-3.0-or-later
#include "boardformat.h"
#include "fuzzconfig.h"
#include "game.h"

#include <QCoreApplication>
#include <vector>

// Any keys on the number fields leave every row showing a number of its range, without gaps or
// leading zeros, or blank where the field may be. Steps of two bytes, a field and the key on it;
// a field byte with the high bit set instead commits the next bytes (as many as the second byte
// says, up to 24) as an entry on that field.

static constexpr size_t MaxText = 24;
static std::vector<Field> numberFields;

static void checkRow(const DigitRow& row, const FieldInfo& f)
{
    int64_t value = 0;
    bool started = false;
    // Cell 0 is the units digit: read from the most significant one.
    for (int i = row.size(); i-- > 0;) {
        const int16_t d = row[i];
        check(d >= DigitRow::Blank && d <= 9);
        if (d == DigitRow::Blank) {
            check(!started);
            continue;
        }
        check(started || d != 0 || i == 0);
        started = true;
        value = value * 10 + d;
    }
    if (started)
        check(value >= f.minValue && value <= f.maxValue);
    else
        check(f.minValue == -1);
}

extern "C" int LLVMFuzzerInitialize(int*, char***)
{
    startQt<QCoreApplication>("fuzz_entry");
    for (int i = 0; i < FieldCount; ++i) {
        const FieldInfo& f = FieldTable[static_cast<size_t>(i)];
        if (f.digits > 0 && f.minValue != f.maxValue)
            numberFields.push_back(static_cast<Field>(i));
    }
    check(!numberFields.empty());
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    Game game{SettingVariables()};
    size_t i = 0;
    while (i + 1 < size) {
        const uint8_t pick = data[i];
        const uint8_t second = data[i + 1];
        i += 2;
        const Field f = numberFields[(pick & 0x7F) % numberFields.size()];
        if (pick & 0x80) {
            const size_t length = std::min<size_t>({second, MaxText, size - i});
            const QString text = QString::fromLatin1(reinterpret_cast<const char*>(data + i),
                                                     static_cast<qsizetype>(length));
            i += length;
            const FieldInfo& info = fieldInfo(f);
            const auto n = enteredNumber(text, game.state().number(f));
            if (n && *n >= info.minValue && *n <= info.maxValue)
                checkRow(numberRow(static_cast<int>(*n), info.digits), info);
        } else {
            game.keyDown(static_cast<int16_t>(second), {}, f);
        }
        for (Field g : numberFields)
            checkRow(fieldRow(game.state(), g), fieldInfo(g));
    }
    return 0;
}
