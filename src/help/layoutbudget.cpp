// SPDX-License-Identifier: GPL-3.0-or-later
#include "layoutbudget.h"

#include <QTextBlockFormat>
#include <algorithm>

namespace {

// Points to pixels as on a 144 dpi screen (Qt's pixels are 96 to the inch on most), a
// character as wide as a whole em, and lines a third taller than the font: every guess errs
// on the tall side.
constexpr double PixelsPerPoint = 2.0;
constexpr double LineSpacing = 1.34;
constexpr double DefaultPoints = 12.0;

} // namespace

LayoutBudget::LayoutBudget(double narrowestWidth, double maxHeightPx)
    : width(std::max(1.0, narrowestWidth)), maxHeight(maxHeightPx)
{
    setFontPoints(DefaultPoints);
    lines = lineHeight;
}

void LayoutBudget::setFontPoints(double points)
{
    if (!(points > 0))
        points = DefaultPoints;
    charWidth = points * PixelsPerPoint;
    lineHeight = charWidth * LineSpacing;
}

double LayoutBudget::paragraphHeight(double w) const
{
    return std::min(area / std::max(1.0, w), stacked) + lines;
}

bool LayoutBudget::addChar(QChar c)
{
    if (c == QChar::LineSeparator) {
        lines += lineHeight;
    } else {
        // A tab may take the rest of a line.
        area += (c == u'\t' ? width : charWidth) * lineHeight;
        stacked += lineHeight;
    }
    return within();
}

bool LayoutBudget::endParagraph(const QTextBlockFormat& f)
{
    const double textWidth =
        width - f.leftMargin() - f.rightMargin() - std::max(0.0, f.textIndent());
    const double formatted =
        paragraphHeight(textWidth) + std::max(0.0, f.topMargin()) + std::max(0.0, f.bottomMargin());
    const bool fits = committed + formatted <= maxHeight;
    committed += fits ? formatted : paragraphHeight(width);
    area = stacked = 0;
    lines = lineHeight;
    return fits;
}
