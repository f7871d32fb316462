// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QLocale>

// The program speaks the user's language where it has a translation (French, Swedish) and
// English otherwise. Its translations are built into the program; Qt's own, for the buttons
// and dialogs Qt provides, are taken from Qt's folder when they are installed.
//
// Installs the translations for `locale`, replacing any installed before. Returns whether
// the program has its own translation for it; without one it speaks English. Call before the
// first window is made: windows take their texts when they are built.
bool installTranslations(const QLocale& locale);
