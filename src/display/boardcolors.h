#pragma once

#include <QStringList>

class Form;

// Paints every label's text in the border colour, every picture box's background in the
// LED background colour and every shape's outline in the LED background colour, except the
// controls named in Excluded (all members of an excluded control array).
void ColorControlsByType(const Form& Window, const QStringList& Excluded);
