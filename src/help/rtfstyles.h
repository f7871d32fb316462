// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "rtfkeywords.h"
#include "rtfstate.h"

#include <QColor>
#include <QFont>
#include <QHash>
#include <QTextBlockFormat>
#include <QTextCharFormat>
#include <vector>

// The font and colour tables of an RTF document, and the Qt formats that group states stand
// for. The tables are read entry by entry as the reader meets their words and text, and
// every index into them is checked, so a document may name fonts and colours it never defined.
class RtfStyles
{
public:
    void clear();

    // A word or text inside the font table or the colour table.
    void fontTableWord(RtfAction action, int value, int param, bool hasParam);
    void colorTableWord(RtfAction action, int param);
    void fontTableText(QStringView text);
    void colorTableText(QStringView text);
    void beginFontTable();
    void beginColorTable();
    void endFontEntry(); // a group of the font table closes

    void setDefaultFont(int font) { defaultFont = font; }

    // The code page that text in that font is written in; 0 when the document's own.
    int codePage(int font) const;
    int fontDraftCodePage() const { return draft.codePage; }
    // The default font's family, or the empty text.
    QString defaultFamily() const;

    QTextCharFormat charFormat(const RtfCharState& c) const;
    static QTextBlockFormat blockFormat(const RtfParaState& p);

private:
    struct FontEntry
    {
        QString family;
        int codePage = 0; // 0: the document's
        QFont::StyleHint hint = QFont::AnyStyle;
    };
    const FontEntry* font(int number) const;
    QColor color(int index) const;
    void commitFont();
    void commitColor();

    QHash<int, FontEntry> fonts;
    int defaultFont = -1;
    int fontNumber = -1;
    FontEntry draft;
    std::vector<QColor> colors; // an invalid colour stands for "automatic"
    int red = 0;
    int green = 0;
    int blue = 0;
    bool colorGiven = false;
};
