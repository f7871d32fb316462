// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QColor>
#include <cstdint>

// Colours are stored as red + 256 * green + 65536 * blue (red in the low byte).
inline QColor toQColor(int32_t c)
{
    return QColor(c & 0xFF, (c >> 8) & 0xFF, (c >> 16) & 0xFF);
}

inline int32_t fromQColor(const QColor& c)
{
    return c.red() + 256 * c.green() + 65536 * c.blue();
}
