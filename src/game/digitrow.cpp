// SPDX-License-Identifier: GPL-3.0-or-later
#include "digitrow.h"

DigitRow numberRow(int value, int cells)
{
    DigitRow row(cells);
    for (int i = 0; i < row.size() && value >= 0; ++i) {
        row.set(i, value % 10);
        value /= 10;
        if (value == 0)
            break;
    }
    return row;
}

QString rowText(const DigitRow& Digits)
{
    QString text;
    for (int i = Digits.size(); i-- > 0;)
        if (Digits[i] != DigitRow::Blank)
            text += QChar(u'0' + Digits[i]);
    return text;
}
