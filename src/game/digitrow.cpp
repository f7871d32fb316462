// SPDX-License-Identifier: GPL-3.0-or-later
#include "digitrow.h"

#include <optional>

namespace {

// More digits than this cannot be a value of any row; treat the number as out of range.
constexpr int MaxDigits = 15;
constexpr int64_t OutOfRange = 1'000'000'000'000'000;

// The whole part of the number at the start of a text, as a loose reader of typed
// numbers takes it: an optional sign, then digits; reading stops at the first character
// that cannot continue the number, and an empty number counts as 0.
int64_t leadingNumber(const QString& text)
{
    qsizetype i = 0;
    bool negative = false;
    if (i < text.size() && (text[i] == QLatin1Char('+') || text[i] == QLatin1Char('-'))) {
        negative = text[i] == QLatin1Char('-');
        ++i;
    }
    int64_t v = 0;
    int digits = 0;
    for (; i < text.size() && text[i] >= QLatin1Char('0') && text[i] <= QLatin1Char('9'); ++i) {
        if (++digits > MaxDigits)
            return negative ? -OutOfRange : OutOfRange;
        v = v * 10 + (text[i].unicode() - '0');
    }
    return negative ? -v : v;
}

} // namespace

QString rowText(const DigitRow& Digits)
{
    QString text;
    for (int i = Digits.size(); i-- > 0;)
        if (Digits[i] != DigitRow::Blank)
            text += QChar(u'0' + Digits[i]);
    return text;
}

void ShowDigits(DigitRow& Digits, const QString& Text, int16_t MinValue, int16_t MaxValue)
{
    const QString current = rowText(Digits);

    std::optional<int64_t> value;
    const QChar first = Text.isEmpty() ? QChar() : Text[0];
    if (!Text.isEmpty() && first.unicode() == 0)
        value = -1;
    else if (first >= QLatin1Char('0') && first <= QLatin1Char('9'))
        value = leadingNumber(Text);
    else if (first == QLatin1Char('+'))
        value = leadingNumber(current) + leadingNumber(Text.mid(1));
    else if (first == QLatin1Char('-'))
        value = leadingNumber(current) - leadingNumber(Text.mid(1));

    if (!value || *value < MinValue || *value > MaxValue)
        return;

    const QString text = QString::number(*value);
    const bool blank = *value == -1;
    for (int i = 0; i < Digits.size(); ++i) {
        int64_t digit = DigitRow::Blank;
        if (!blank && i < text.size())
            digit = text[text.size() - 1 - i].unicode() - '0';
        Digits.set(i, digit);
    }
}
