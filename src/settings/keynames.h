// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>
#include <cstdint>

// The name of a key code as the options dialog shows it, or the empty text. Only keys with
// a name can be assigned to a command.
QString KeyCodeToStr(int16_t KeyCode);
