// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QStringList>

// Fills every setting variable from the per-user store, each with its default when the
// stored text is missing, is not a number where a number is wanted, or does not fit its
// variable. Converts the stored key assignments once (marked
// by "IsKeyCode").
void LoadSettings();

// Writes every setting variable to the store, in the text form LoadSettings reads back.
// Returns false when the store could not be written (nothing is shown to the operator).
// The store keeps the program's own keys only: anything else a damaged or foreign settings
// file held is not written back.
bool SaveSettings();

// Every key ("Section/Key") the program keeps in the store: the settings and the marker of
// the converted key assignments.
QStringList storedKeys();
