// SPDX-License-Identifier: GPL-3.0-or-later
#include "control.h"

#include "twips.h"

#include <QWidget>
#include <algorithm>

Control::Control(QWidget* self_, QString name_, int index_)
    : self(self_), ctlName(std::move(name_)), ctlIndex(index_)
{}

void Control::setLeft(double t)
{
    if (t == twLeft)
        return;
    twLeft = t;
    applyGeometry();
}

void Control::setTop(double t)
{
    if (t == twTop)
        return;
    twTop = t;
    applyGeometry();
}

void Control::setWidth(double t)
{
    if (t == twWidth)
        return;
    twWidth = t;
    applyGeometry();
}

void Control::setHeight(double t)
{
    if (t == twHeight)
        return;
    twHeight = t;
    applyGeometry();
}

void Control::Move(double l, double t, double w, double h)
{
    twLeft = l;
    twTop = t;
    twWidth = w;
    twHeight = h;
    applyGeometry();
}

void Control::setExtent(double w, double h)
{
    twWidth = w;
    twHeight = h;
    applyGeometry();
}

void Control::applyGeometry()
{
    // Round the edges rather than the extent, so that neighbouring controls that share an
    // edge in twips share it in pixels too.
    const int x = twips::toPixels(twLeft);
    const int y = twips::toPixels(twTop);
    const int w = std::max(0, twips::toPixels(twLeft + twWidth) - x);
    const int h = std::max(0, twips::toPixels(twTop + twHeight) - y);
    self->setGeometry(x, y, w, h);
}
