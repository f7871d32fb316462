#pragma once

// Fills every setting variable from the per-user store, each with its default when the
// stored text is missing, is not a number where a number is wanted, or does not fit its
// variable. Converts the stored key assignments once (marked
// by "IsKeyCode").
void LoadSettings();

// Writes every setting variable to the store, in the text form LoadSettings reads back.
// Returns false when the store could not be written (nothing is shown to the operator).
bool SaveSettings();
