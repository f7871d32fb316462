// SPDX-License-Identifier: GPL-3.0-or-later
#include "polyled.h"

#include "twips.h"

#include <QPainter>
#include <QtMath>
#include <algorithm>
#include <cmath>
#include <numbers>

namespace {

// Proportions of the digit, as shares of the cell's width (W) or height (H).
constexpr double WidthPerSize = 0.56;
constexpr double MarginX = 0.10;       // of W, each side
constexpr double MarginY = 0.07;       // of H, top and bottom
constexpr double Thickness = 1.0 / 6;  // segment thickness, of W
constexpr double GapShare = 0.10;      // gap at each segment end, of the thickness
constexpr double SlantDegrees = 5.0;   // forward lean of the digit
constexpr double GhostShare = 0.12;    // how much of the lit colour shows in an unlit segment
constexpr double DotPitch = 0.9;       // wanted distance between dot centres, of the thickness
constexpr double DotRadiusShare = 0.4; // dot radius, of the distance between dot centres
constexpr double MinDotPitchPx = 2.5;  // below this, dots would merge into a smear
constexpr int MaxDots = 5;
// The end dots of a row sit this share of the pitch in from the corner, so that the dots
// round a corner are as far apart as those along a row.
constexpr double CornerInset = std::numbers::sqrt2 / 2;

// Segments a to g as bits 0 to 6.
enum Seg { A = 1, B = 2, C = 4, D = 8, E = 16, F = 32, G = 64 };
constexpr std::array<int, 10> Patterns = {
    A | B | C | D | E | F,     // 0
    B | C,                     // 1
    A | B | D | E | G,         // 2
    A | B | C | D | G,         // 3
    B | C | F | G,             // 4
    A | C | D | F | G,         // 5
    A | C | D | E | F | G,     // 6
    A | B | C,                 // 7
    A | B | C | D | E | F | G, // 8
    A | B | C | D | F | G,     // 9
};

QPointF unit(QPointF v)
{
    const double len = std::hypot(v.x(), v.y());
    return len > 0 ? v / len : QPointF();
}

} // namespace

PolyLED::PolyLED(QWidget* parent, const QString& name, int index)
    : QWidget(parent), Control(this, name, index)
{
    setAttribute(Qt::WA_OpaquePaintEvent);
}

void PolyLED::setCaption(int16_t digit)
{
    if (digit < BlankDigit || digit > 9)
        digit = BlankDigit;
    if (digit == caption)
        return;
    caption = digit;
    update();
}

void PolyLED::setLitColor(const QColor& c)
{
    if (c == litColor)
        return;
    litColor = c;
    update();
}

void PolyLED::setBackColor(const QColor& c)
{
    if (c == backColor)
        return;
    backColor = c;
    update();
}

void PolyLED::setLedType(int32_t type)
{
    if (type == ledType)
        return;
    ledType = type;
    update();
}

void PolyLED::setSize(double s)
{
    if (s == size)
        return;
    size = s;
    setExtent(s * WidthPerSize * twips::PerPixel, s * twips::PerPixel);
}

QColor PolyLED::ghostColor(const QColor& lit, const QColor& back)
{
    auto mix = [](int l, int b) { return b + static_cast<int>(std::lround((l - b) * GhostShare)); };
    return QColor(mix(lit.red(), back.red()), mix(lit.green(), back.green()),
                  mix(lit.blue(), back.blue()));
}

void PolyLED::resizeEvent(QResizeEvent*)
{
    buildGeometry();
}

namespace {

// The digit's skeleton in a cell of w x h pixels: each segment's axis, and the forward lean
// that maps the upright digit onto the drawn one.
struct Skeleton
{
    double thickness = 0;
    std::array<std::pair<QPointF, QPointF>, 7> axes;
    QTransform lean;
};

Skeleton skeletonOf(double w, double h)
{
    const double t = w * Thickness;
    const double half = t / 2;
    const double slant = std::tan(qDegreesToRadians(SlantDegrees));

    const double yt = h * MarginY + half;
    const double yb = h - h * MarginY - half;
    const double ym = (yt + yb) / 2;
    // Leave room for the lean: the top moves right and the bottom left.
    const double lean = (ym - yt + half) * slant;
    const double xl = w * MarginX + half + lean;
    const double xr = w - w * MarginX - half - lean;

    Skeleton k;
    k.thickness = t;
    k.axes = {{
        {{xl, yt}, {xr, yt}}, // a
        {{xr, yt}, {xr, ym}}, // b
        {{xr, ym}, {xr, yb}}, // c
        {{xl, yb}, {xr, yb}}, // d
        {{xl, ym}, {xl, yb}}, // e
        {{xl, yt}, {xl, ym}}, // f
        {{xl, ym}, {xr, ym}}, // g
    }};
    // x' = x + (ym - y) * slant leans the digit forward about its middle.
    k.lean = QTransform(1, 0, -slant, 1, ym * slant, 0);
    return k;
}

} // namespace

std::array<QPointF, 7> PolyLED::segmentCentres(QSizeF cell)
{
    const Skeleton k = skeletonOf(cell.width(), cell.height());
    std::array<QPointF, 7> centres;
    for (size_t i = 0; i < centres.size(); ++i)
        centres[i] = k.lean.map((k.axes[i].first + k.axes[i].second) / 2);
    return centres;
}

void PolyLED::buildGeometry()
{
    const double w = width();
    const double h = height();
    if (w < 2 || h < 2)
        return; // nothing is drawn in so small a cell
    const Skeleton sk = skeletonOf(w, h);
    const double t = sk.thickness;
    const double half = t / 2;
    const double gap = t * GapShare;
    const auto& axes = sk.axes;
    const QTransform& lean_ = sk.lean;
    const double xl = axes[0].first.x();
    const double xr = axes[0].second.x();
    const double yt = axes[0].first.y();
    const double ym = axes[6].first.y();

    // Dots: as many a row as fit at about the wanted pitch, fewer when small.
    auto dotPitch = [](double len, int n) { return len / (n - 1 + 2 * CornerInset); };
    auto dotCount = [&](double len) {
        int n = static_cast<int>(std::lround(len / (t * DotPitch) + 1 - 2 * CornerInset));
        n = std::clamp(n, 1, MaxDots);
        while (n > 1 && dotPitch(len, n) < MinDotPitchPx)
            --n;
        return n;
    };
    const double acrossLen = xr - xl;
    const double downLen = ym - yt;
    const int acrossDots = dotCount(acrossLen);
    const int downDots = dotCount(downLen);
    dotRadius = std::clamp(
        DotRadiusShare * std::min(dotPitch(acrossLen, acrossDots), dotPitch(downLen, downDots)),
        0.0, half);

    for (size_t i = 0; i < axes.size(); ++i) {
        const QPointF p = axes[i].first;
        const QPointF q = axes[i].second;
        const QPointF dir = unit(q - p);
        const QPointF normal(-dir.y(), dir.x());
        const QPointF p1 = p + dir * gap;
        const QPointF q1 = q - dir * gap;

        QPainterPath bar;
        bar.moveTo(p1);
        bar.lineTo(p1 + dir * half + normal * half);
        bar.lineTo(q1 - dir * half + normal * half);
        bar.lineTo(q1);
        bar.lineTo(q1 - dir * half - normal * half);
        bar.lineTo(p1 + dir * half - normal * half);
        bar.closeSubpath();
        segments[i].bar = lean_.map(bar);

        const double len = std::hypot(q.x() - p.x(), q.y() - p.y());
        const bool across = std::abs(dir.x()) > std::abs(dir.y());
        const int n = across ? acrossDots : downDots;
        const double pitch = dotPitch(len, n);
        segments[i].dots.clear();
        for (int k = 0; k < n; ++k)
            segments[i].dots.push_back(lean_.map(p + dir * (pitch * (CornerInset + k))));
    }
}

void PolyLED::paintEvent(QPaintEvent*)
{
    QPainter p(this);
    p.fillRect(rect(), backColor);
    if (width() < 2 || height() < 2)
        return;
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(Qt::NoPen);

    const int lit = caption >= 0 ? Patterns[static_cast<size_t>(caption)] : 0;
    const QColor ghost = ghostColor(litColor, backColor);
    for (size_t i = 0; i < segments.size(); ++i) {
        const QColor& c = (lit & (1 << i)) ? litColor : ghost;
        if (ledType == 1) {
            p.setBrush(c);
            for (const QPointF& d : segments[i].dots)
                p.drawEllipse(d, dotRadius, dotRadius);
        } else {
            p.fillPath(segments[i].bar, c);
        }
    }
}

void PolyLED::focusInEvent(QFocusEvent* e)
{
    QWidget::focusInEvent(e);
    Q_EMIT gotFocus();
}
