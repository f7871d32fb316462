// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>
#include <QStringList>

// The names of a program's windows and controls as a screen reader reads them: AT-SPI over
// the accessibility bus of the D-Bus session `sessionBus`. Empty when the bus cannot be
// reached or no program has joined it yet.
QStringList accessibleNames(const QString& sessionBus);
