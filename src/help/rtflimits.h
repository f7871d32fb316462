// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QtGlobal>

// How much of a help file is read. A file past any limit shows what was read up to it; the
// limits keep a hostile or broken file from taking the program's memory or time.
struct RtfLimits
{
    qsizetype maxInput = 4 * 1024 * 1024; // bytes of the file that are looked at
    qsizetype maxText = 512 * 1024;       // characters placed in the document
    int maxDepth = 128;                   // groups nested deeper are passed over unread
    int maxParagraphs = 20000;            // further paragraph breaks become line breaks
    int maxParagraphLength = 16384;       // characters; a longer paragraph is broken in parts
    int maxRuns = 50000;                  // further format changes are not applied
    // Qt's text layout never finishes a document taller than 8 388 607 pixels, and takes
    // time in the square of a word's length. So the reader stops where the document, laid
    // out at the narrowest width it is shown at, could grow taller than maxHeight (a
    // pessimistic estimate), and gives words longer than maxWordLength an invisible break.
    double narrowestWidth = 120;  // pixels
    double maxHeight = 4'000'000; // pixels
    int maxWordLength = 160;
};
