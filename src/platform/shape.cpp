// SPDX-License-Identifier: GPL-3.0-or-later
#include "shape.h"

#include <QPainter>
#include <QPainterPath>
#include <algorithm>

namespace {
// Corner radius of a rounded rectangle, as a share of its shorter side.
constexpr double RoundedCornerShare = 0.08;
} // namespace

Shape::Shape(QWidget* parent, const QString& name, int index)
    : QWidget(parent), Control(this, name, index)
{
    setAttribute(Qt::WA_TransparentForMouseEvents);
}

void Shape::setShapeKind(Kind k)
{
    kind = k;
    update();
}

void Shape::setBorderColor(const QColor& c)
{
    if (c == borderColor)
        return;
    borderColor = c;
    update();
}

void Shape::setBorderWidth(double px)
{
    if (px == borderWidth)
        return;
    borderWidth = px;
    update();
}

void Shape::setBorderVisible(bool on)
{
    borderVisible = on;
    update();
}

void Shape::setFillColor(const QColor& c)
{
    if (c == fillColor)
        return;
    fillColor = c;
    update();
}

void Shape::setFilled(bool on)
{
    filled = on;
    update();
}

void Shape::paintEvent(QPaintEvent*)
{
    QRectF box = rect();
    if (kind == Kind::Circle) {
        const double side = std::min(box.width(), box.height());
        box = QRectF(box.center().x() - side / 2, box.center().y() - side / 2, side, side);
    }
    // The outline lies inside the shape's rectangle.
    const double pen = borderVisible ? std::max(1.0, borderWidth) : 0.0;
    const QRectF inner = box.adjusted(pen / 2, pen / 2, -pen / 2, -pen / 2);

    QPainterPath path;
    switch (kind) {
    case Kind::Rectangle:
        path.addRect(borderVisible ? inner : box);
        break;
    case Kind::RoundedRectangle: {
        const double r = std::min(box.width(), box.height()) * RoundedCornerShare;
        path.addRoundedRect(borderVisible ? inner : box, r, r);
        break;
    }
    case Kind::Oval:
    case Kind::Circle:
        path.addEllipse(borderVisible ? inner : box);
        break;
    }

    QPainter p(this);
    p.setRenderHint(QPainter::Antialiasing, kind != Kind::Rectangle);
    if (filled)
        p.fillPath(path, fillColor);
    if (borderVisible) {
        QPen outline(borderColor, pen);
        outline.setJoinStyle(Qt::MiterJoin);
        p.strokePath(path, outline);
    }
}
