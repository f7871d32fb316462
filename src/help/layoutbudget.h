// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QChar>

class QTextBlockFormat;

// A pessimistic estimate of the height of a document laid out at a given width, kept as the
// document is written: every character is taken to be wider than it will be and every line
// taller. A paragraph's indents are known only when it ends; until then it is counted at the
// full width, and when its indents would take the document past the limit the paragraph
// has to do without them.
class LayoutBudget
{
public:
    LayoutBudget(double narrowestWidth, double maxHeight);

    void setFontPoints(double points);
    // Count a character; false when the document could grow too tall with it.
    bool addChar(QChar c);
    // End the paragraph. False when its indents and spacing would make the document too
    // tall: the paragraph is then counted without them, and they must be dropped.
    bool endParagraph(const QTextBlockFormat& format);
    // Whether what has been counted so far keeps within the limit.
    bool within() const { return committed + paragraphHeight(width) <= maxHeight; }

private:
    double paragraphHeight(double width) const;

    double width;
    double maxHeight;
    double committed = 0;
    // The open paragraph: the sum over its characters of width times line height (its
    // height when the text flows), the sum of their line heights (its height when every
    // character takes a line of its own), and the lines that breaks begin.
    double area = 0;
    double stacked = 0;
    double lines = 0;
    double charWidth = 0;
    double lineHeight = 0;
};
