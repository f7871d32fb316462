// SPDX-License-Identifier: GPL-3.0-or-later
#include "boardformat.h"

#include "clockfaces.h"

#include <algorithm>
#include <limits>

namespace {

// The clock row: two digits, the separator, two digits.
constexpr int DigitsBeforeSeparator = 2;

} // namespace

DigitRow clockRow(const ClockFace& face, bool& colon)
{
    DigitRow row(fieldInfo(Field::Time).digits);
    if (face.timeOfDay)
        ShowTimeOfDay(face.minutesOfDay, row, colon);
    else
        ShowClock(face.gameTime, row, colon);
    return row;
}

bool clockColon(const ClockFace& face)
{
    bool colon = true;
    clockRow(face, colon);
    return colon;
}

DigitRow fieldRow(const GameState& s, Field f)
{
    const FieldInfo& info = fieldInfo(f);
    switch (info.kind) {
    case FieldKind::Clock: {
        bool colon = true;
        return clockRow(s.face, colon);
    }
    case FieldKind::PenaltyTime: {
        DigitRow row(info.digits);
        const PenaltySlotState& p = s.penalty(info.penaltyClock);
        if (p.timeShown)
            DisplayTime(row, p.shownTime);
        return row;
    }
    case FieldKind::Goal:
        return DigitRow();
    case FieldKind::Number:
    case FieldKind::PenaltyPlayer:
        break;
    }
    return numberRow(s.number(f), info.digits);
}

int64_t fieldSource(const GameState& s, Field f)
{
    // Distinct from every clock value: the time of day, and a penalty without a time.
    constexpr int64_t Other = std::numeric_limits<int64_t>::min();
    const FieldInfo& info = fieldInfo(f);
    switch (info.kind) {
    case FieldKind::Clock:
        return s.face.timeOfDay ? Other + 1 + s.face.minutesOfDay : s.face.gameTime.raw();
    case FieldKind::PenaltyTime: {
        const PenaltySlotState& p = s.penalty(info.penaltyClock);
        return p.timeShown ? p.shownTime.raw() : Other;
    }
    case FieldKind::Goal:
        return 0;
    case FieldKind::Number:
    case FieldKind::PenaltyPlayer:
        break;
    }
    return s.number(f);
}

QString clockText(const ClockFace& face)
{
    bool colon = true;
    const DigitRow row = clockRow(face, colon);
    QString left, right;
    for (int k = 0; k < row.size(); ++k)
        if (row[k] != DigitRow::Blank)
            (k < DigitsBeforeSeparator ? left : right) += QChar(u'0' + row[k]);
    if (left.isEmpty() && right.isEmpty())
        return QString();
    return left + (colon ? QChar(u':') : QChar(u'.')) + right;
}

QString gameTimeText(ClockValue t)
{
    return clockText(ClockFace{false, t, 0});
}

QString elapsedText(ClockValue t)
{
    const int64_t seconds = std::max<int64_t>(t.wholePart(), 0);
    return QStringLiteral("%1:%2").arg(seconds / 60).arg(seconds % 60, 2, 10, QLatin1Char('0'));
}

QString numberText(int16_t n)
{
    return n < 0 ? QString() : QString::number(n);
}

QString penaltyTimeText(const PenaltySlotState& p)
{
    return p.timeShown ? PenaltyTimeText(p.shownTime) : QString();
}
