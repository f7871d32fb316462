// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QSizeF>

class QWidget;

namespace program {

// The size of the screen a window is on (the primary screen for null), in twips.
QSizeF screenSizeTwips(const QWidget* onScreenOf = nullptr);

} // namespace program
