// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "control.h"

#include <QColor>
#include <QWidget>

// A drawn shape: rectangle, rounded rectangle, oval or circle, with an outline of a given
// colour and width in pixels and an optional solid fill. Shapes let clicks through to
// whatever lies beneath them.
class Shape : public QWidget, public Control
{
    Q_OBJECT
public:
    enum class Kind { Rectangle, RoundedRectangle, Oval, Circle };

    Shape(QWidget* parent, const QString& name, int index = -1);
    QString TypeName() const override { return QStringLiteral("Shape"); }

    Kind ShapeKind() const { return kind; }
    void setShapeKind(Kind k);

    QColor BorderColor() const { return borderColor; }
    void setBorderColor(const QColor& c);
    double BorderWidth() const override { return borderWidth; }
    void setBorderWidth(double px) override;
    // No outline at all (a width of 0 still draws a hairline, as a width of 1 does).
    void setBorderVisible(bool on);

    QColor FillColor() const { return fillColor; }
    void setFillColor(const QColor& c);
    bool Filled() const { return filled; }
    void setFilled(bool on);

protected:
    void paintEvent(QPaintEvent*) override;

private:
    Kind kind = Kind::Rectangle;
    QColor borderColor = Qt::black;
    double borderWidth = 1;
    bool borderVisible = true;
    QColor fillColor = Qt::black;
    bool filled = false;
};
