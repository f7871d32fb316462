// SPDX-License-Identifier: GPL-3.0-or-later
#include "fixed4.h"

#include <limits>

int64_t Fixed4::roundedHalfEven() const
{
    int64_t q = value / Scale;
    const int64_t r = value % Scale;
    const int64_t twice = 2 * (r < 0 ? -r : r);
    if (twice > Scale || (twice == Scale && (q & 1) != 0))
        q += value < 0 ? -1 : 1;
    return q;
}

QString Fixed4::toText() const
{
    const bool negative = value < 0;
    // Work on the magnitude as unsigned, so the most negative value cannot overflow.
    const uint64_t mag =
        negative ? uint64_t(0) - static_cast<uint64_t>(value) : static_cast<uint64_t>(value);
    QString text = QString::number(mag / Scale);
    uint64_t frac = mag % Scale;
    if (frac != 0) {
        QString digits = QString::number(frac).rightJustified(4, QLatin1Char('0'));
        while (digits.endsWith(QLatin1Char('0')))
            digits.chop(1);
        text += QLatin1Char('.') + digits;
    }
    return negative ? QLatin1Char('-') + text : text;
}

std::optional<Fixed4> Fixed4::parse(const QString& input)
{
    const QString text = input.trimmed();
    qsizetype i = 0;
    bool negative = false;
    if (i < text.size() && (text[i] == QLatin1Char('-') || text[i] == QLatin1Char('+'))) {
        negative = text[i] == QLatin1Char('-');
        ++i;
    }
    constexpr int64_t Max = std::numeric_limits<int64_t>::max();
    int64_t whole = 0;
    int digits = 0;
    for (; i < text.size() && text[i].isDigit() && text[i].unicode() < 128; ++i, ++digits) {
        const int d = text[i].unicode() - '0';
        if (whole > (Max / Scale - d) / 10)
            return std::nullopt;
        whole = whole * 10 + d;
    }
    int64_t frac = 0;
    int fracDigits = 0;
    if (i < text.size() && text[i] == QLatin1Char('.')) {
        for (++i; i < text.size() && text[i].isDigit() && text[i].unicode() < 128; ++i) {
            if (++fracDigits > 4)
                return std::nullopt;
            frac = frac * 10 + (text[i].unicode() - '0');
        }
    }
    if (i != text.size() || digits + fracDigits == 0)
        return std::nullopt;
    for (int k = fracDigits; k < 4; ++k)
        frac *= 10;
    // The whole part alone may fit while the places take it past the top.
    if (whole > (Max - frac) / Scale)
        return std::nullopt;
    const int64_t raw = whole * Scale + frac;
    return Fixed4(negative ? -raw : raw);
}
