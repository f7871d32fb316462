// SPDX-License-Identifier: GPL-3.0-or-later
#include "form.h"

#include "twips.h"

#include <algorithm>

Form::Form(QWidget* parent, Qt::WindowFlags flags) : QWidget(parent, flags) {}

Control* Form::control(const QString& name, int index) const
{
    const auto it = std::find_if(controls.begin(), controls.end(), [&](const Control* c) {
        return c->Index() == index && c->Name() == name;
    });
    return it == controls.end() ? nullptr : *it;
}

double Form::ClientWidth() const
{
    return twips::fromPixels(width());
}

double Form::ClientHeight() const
{
    return twips::fromPixels(height());
}

double Form::OuterWidth() const
{
    return ClientWidth() + twips::FrameWidth;
}

double Form::OuterHeight() const
{
    return ClientHeight() + twips::FrameHeight;
}

void Form::setClientSize(double w, double h)
{
    resize(std::max(1, twips::toPixels(w)), std::max(1, twips::toPixels(h)));
}

void Form::setOuterSize(double w, double h)
{
    setClientSize(w - twips::FrameWidth, h - twips::FrameHeight);
}
