// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "control.h"

#include <QColor>
#include <QPainterPath>
#include <QPointF>
#include <QSizeF>
#include <QWidget>
#include <array>
#include <cstdint>
#include <vector>

// One seven-segment LED digit. Caption -1 shows a dark cell, 0 to 9 that digit. Unlit
// segments show as a faint ghost of the lit colour, as on a real LED module. LedType 0
// draws each segment as a bar with pointed ends ("Lines"), 1 as a row of round LEDs
// ("Dots"). The extent follows Size: Size pixels high and about 0.56 Size wide.
class PolyLED : public QWidget, public Control
{
    Q_OBJECT
public:
    static constexpr int16_t BlankDigit = -1;

    PolyLED(QWidget* parent, const QString& name, int index = -1);
    QString TypeName() const override { return QStringLiteral("PolyLED"); }

    int16_t Caption() const { return caption; }
    void setCaption(int16_t digit);

    QColor LitColor() const { return litColor; }
    void setLitColor(const QColor& c);
    QColor BackColor() const { return backColor; }
    void setBackColor(const QColor& c);

    int32_t LedType() const { return ledType; }
    void setLedType(int32_t type);

    double Size() const override { return size; }
    void setSize(double s) override;

    // The digit sizes itself; the layout never sets its width or height.
    void setWidth(double) override {}
    void setHeight(double) override {}

    // The colour of an unlit segment: the lit colour faintly over the background.
    static QColor ghostColor(const QColor& lit, const QColor& back);

    // The middle of each segment, a to g, of a "Lines" digit in a cell of this pixel size:
    // a core pixel, painted in exactly the lit or the ghost colour, for reading a screenshot.
    static std::array<QPointF, 7> segmentCentres(QSizeF cell);

Q_SIGNALS:
    void gotFocus();

protected:
    void paintEvent(QPaintEvent*) override;
    void resizeEvent(QResizeEvent*) override;
    void focusInEvent(QFocusEvent* e) override;

private:
    void buildGeometry();

    int16_t caption = BlankDigit;
    QColor litColor = Qt::red;
    QColor backColor = Qt::black;
    int32_t ledType = 0;
    double size = 0;

    // Geometry for the current pixel size, built on resize rather than on every paint.
    struct Segment
    {
        QPainterPath bar;
        std::vector<QPointF> dots;
    };
    std::array<Segment, 7> segments;
    double dotRadius = 0;
};
