// SPDX-License-Identifier: GPL-3.0-or-later
#include "screen.h"

#include "twips.h"

#include <QGuiApplication>
#include <QScreen>
#include <QWidget>

namespace program {

QSizeF screenSizeTwips(const QWidget* onScreenOf)
{
    const QScreen* s = onScreenOf ? onScreenOf->screen() : QGuiApplication::primaryScreen();
    if (!s)
        return QSizeF(9600, 7200);
    const QSize px = s->size();
    return QSizeF(twips::fromPixels(px.width()), twips::fromPixels(px.height()));
}

} // namespace program
