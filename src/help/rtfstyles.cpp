// SPDX-License-Identifier: GPL-3.0-or-later
#include "rtfstyles.h"

#include "codepage.h"

#include <QBrush>
#include <QTextOption>
#include <algorithm>

namespace {

constexpr int MaxFontNameLength = 256;
constexpr qsizetype MaxFonts = 4096;
constexpr std::size_t MaxColors = 4096;
constexpr double TwipsPerPixel = 15.0;
constexpr int DecimalTab = 3;

constexpr QFont::StyleHint FamilyHints[] = {QFont::AnyStyle,   QFont::Serif,   QFont::SansSerif,
                                            QFont::TypeWriter, QFont::Cursive, QFont::Decorative};

constexpr Qt::Alignment Alignments[] = {Qt::AlignLeft | Qt::AlignAbsolute, Qt::AlignHCenter,
                                        Qt::AlignRight | Qt::AlignAbsolute, Qt::AlignJustify};

constexpr QTextOption::TabType TabTypes[] = {QTextOption::LeftTab, QTextOption::RightTab,
                                             QTextOption::CenterTab, QTextOption::DelimiterTab};

qreal pixels(int twips)
{
    return twips / TwipsPerPixel;
}

} // namespace

void RtfStyles::clear()
{
    fonts.clear();
    defaultFont = -1;
    fontNumber = -1;
    draft = {};
    colors.clear();
    red = green = blue = 0;
    colorGiven = false;
}

void RtfStyles::beginFontTable()
{
    fontNumber = -1;
    draft = {};
}

void RtfStyles::beginColorTable()
{
    colors.clear();
    red = green = blue = 0;
    colorGiven = false;
}

void RtfStyles::fontTableWord(RtfAction action, int value, int param, bool hasParam)
{
    switch (action) {
    case RtfAction::Font:
        if (fontNumber >= 0 && !draft.family.isEmpty())
            commitFont();
        fontNumber = hasParam ? param : -1;
        draft = {};
        break;
    case RtfAction::FontFamily:
        draft.hint = FamilyHints[value];
        break;
    case RtfAction::FontCharset:
        draft.codePage = CodePage::forCharset(param);
        break;
    case RtfAction::FontCodePage:
        draft.codePage = std::max(0, param);
        break;
    default:
        break; // formatting inside the table means nothing
    }
}

void RtfStyles::colorTableWord(RtfAction action, int param)
{
    const int v = std::clamp(param, 0, 255);
    switch (action) {
    case RtfAction::Red:
        red = v;
        break;
    case RtfAction::Green:
        green = v;
        break;
    case RtfAction::Blue:
        blue = v;
        break;
    default:
        return; // tints, shades and theme colours are not shown
    }
    colorGiven = true;
}

void RtfStyles::fontTableText(QStringView text)
{
    for (const QChar ch : text) {
        if (ch == u';')
            commitFont();
        else if (draft.family.size() < MaxFontNameLength)
            draft.family.append(ch);
    }
}

void RtfStyles::colorTableText(QStringView text)
{
    for (const QChar ch : text)
        if (ch == u';')
            commitColor();
}

void RtfStyles::endFontEntry()
{
    if (fontNumber >= 0 && !draft.family.isEmpty())
        commitFont(); // an entry written without its semicolon
}

void RtfStyles::commitFont()
{
    if (fontNumber >= 0 && fonts.size() < MaxFonts) {
        draft.family = draft.family.trimmed();
        fonts.insert(fontNumber, draft);
    }
    fontNumber = -1;
    draft = {};
}

void RtfStyles::commitColor()
{
    if (colors.size() < MaxColors)
        colors.push_back(colorGiven ? QColor(red, green, blue) : QColor());
    red = green = blue = 0;
    colorGiven = false;
}

const RtfStyles::FontEntry* RtfStyles::font(int number) const
{
    const auto it = fonts.constFind(number < 0 ? defaultFont : number);
    return it == fonts.constEnd() ? nullptr : &*it;
}

QColor RtfStyles::color(int index) const
{
    return index >= 0 && static_cast<std::size_t>(index) < colors.size()
               ? colors[static_cast<std::size_t>(index)]
               : QColor();
}

int RtfStyles::codePage(int number) const
{
    const FontEntry* f = font(number);
    return f ? f->codePage : 0;
}

QString RtfStyles::defaultFamily() const
{
    const FontEntry* f = font(-1);
    return f && f->codePage != CodePage::Symbol ? f->family : QString();
}

QTextCharFormat RtfStyles::charFormat(const RtfCharState& c) const
{
    QTextCharFormat f;
    f.setFontWeight(c.bold ? QFont::Bold : QFont::Normal);
    f.setFontItalic(c.italic);
    f.setFontUnderline(c.underline);
    f.setFontStrikeOut(c.strike);
    f.setFontPointSize(c.halfPoints / 2.0);
    // A symbol font's bullets have been turned into Unicode, which any font can show.
    if (const FontEntry* e = font(c.font);
        e && !e->family.isEmpty() && e->codePage != CodePage::Symbol) {
        f.setFontFamilies(QStringList{e->family});
        f.setFontStyleHint(e->hint);
    }
    if (const QColor fg = color(c.color); fg.isValid())
        f.setForeground(fg);
    if (const QColor bg = c.highlight > 0 ? color(c.highlight) : QColor(); bg.isValid())
        f.setBackground(bg);
    if (c.vertical > 0)
        f.setVerticalAlignment(QTextCharFormat::AlignSuperScript);
    else if (c.vertical < 0)
        f.setVerticalAlignment(QTextCharFormat::AlignSubScript);
    return f;
}

QTextBlockFormat RtfStyles::blockFormat(const RtfParaState& p)
{
    QTextBlockFormat b;
    b.setAlignment(Alignments[p.align]);
    b.setLeftMargin(pixels(p.leftIndent));
    b.setRightMargin(pixels(p.rightIndent));
    b.setTextIndent(pixels(p.firstIndent));
    b.setTopMargin(pixels(p.spaceBefore));
    b.setBottomMargin(pixels(p.spaceAfter));
    // RTF measures tab stops from the page margin and Qt from the start of the line; the
    // first line, which tabs matter most for, starts at the left indent plus the first-line
    // indent. A hanging indent is a tab stop of its own: a list's bullet and tab put the
    // item's text at the left indent.
    const int lineStart = p.leftIndent + p.firstIndent;
    QList<QTextOption::Tab> tabs;
    for (int i = 0; i < p.tabCount; ++i) {
        const RtfTabStop& s = p.tabs[static_cast<std::size_t>(i)];
        if (s.position <= lineStart)
            continue;
        QTextOption::Tab tab(pixels(s.position - lineStart), TabTypes[s.kind]);
        if (s.kind == DecimalTab)
            tab.delimiter = QLatin1Char('.');
        tabs.append(tab);
    }
    if (p.firstIndent < 0)
        tabs.append(QTextOption::Tab(pixels(-p.firstIndent), QTextOption::LeftTab));
    if (!tabs.isEmpty()) {
        std::sort(tabs.begin(), tabs.end(),
                  [](const auto& a, const auto& z) { return a.position < z.position; });
        b.setTabPositions(tabs);
    }
    return b;
}
