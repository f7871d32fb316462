// SPDX-License-Identifier: GPL-3.0-or-later
#include "label.h"

#include "twips.h"

#include <QFontMetrics>
#include <QMouseEvent>
#include <QPainter>

Label::Label(QWidget* parent, const QString& name, int index)
    : QWidget(parent), Control(this, name, index)
{}

void Label::setCaption(const QString& text)
{
    if (text == caption)
        return;
    caption = text;
    fitToText();
    update();
}

void Label::setFontName(const QString& family)
{
    fontName = family;
    fitToText();
    update();
}

void Label::setFontBold(bool on)
{
    bold = on;
    fitToText();
    update();
}

void Label::setFontSize(double points)
{
    if (points == fontSize)
        return;
    fontSize = points;
    fitToText();
    update();
}

void Label::setAlignment(Align a)
{
    align = a;
    update();
}

void Label::setWordWrap(bool on)
{
    wrap = on;
    fitToText();
    update();
}

void Label::setAutoSize(bool on)
{
    autoSize = on;
    fitToText();
}

void Label::setShrinkToFit(bool on)
{
    if (on == shrink)
        return;
    shrink = on;
    update();
}

void Label::setForeColor(const QColor& c)
{
    if (c == foreColor)
        return;
    foreColor = c;
    update();
}

QColor Label::ForeColor() const
{
    if (foreColor.isValid())
        return foreColor;
    return opaque ? QColor(Qt::black) : palette().color(foregroundRole());
}

void Label::setOpaque(bool on, const QColor& back)
{
    opaque = on;
    backColor = back;
    update();
}

void Label::setBorder(bool on)
{
    border = on;
    update();
}

QFont Label::drawFont() const
{
    QFont f(fontName);
    f.setPixelSize(twips::fontPixels(fontSize));
    f.setBold(bold);
    f.setStyleStrategy(QFont::PreferAntialias);
    return f;
}

QFont Label::shownFont() const
{
    QFont f = drawFont();
    if (!shrink || wrap || autoSize || caption.isEmpty())
        return f;
    const int room = textRect().width();
    const int wide = QFontMetrics(f).horizontalAdvance(caption);
    if (wide <= room)
        return f;
    // Glyph widths do not scale exactly with the pixel size: start from the proportion and
    // step down until the text fits.
    int px = std::max(1, static_cast<int>(static_cast<qint64>(f.pixelSize()) * room / wide));
    f.setPixelSize(px);
    while (px > 1 && QFontMetrics(f).horizontalAdvance(caption) > room)
        f.setPixelSize(--px);
    return f;
}

void Label::setWidth(double t)
{
    // An auto-sized label takes its width from its text.
    if (autoSize && !wrap)
        return;
    Control::setWidth(t);
    if (autoSize)
        fitToText();
}

void Label::setHeight(double t)
{
    if (autoSize)
        return;
    Control::setHeight(t);
}

void Label::fitToText()
{
    if (!autoSize)
        return;
    const QFontMetrics fm(drawFont());
    if (wrap) {
        const int w = twips::toPixels(Width());
        const QRect r =
            fm.boundingRect(QRect(0, 0, std::max(1, w), 100000), Qt::TextWordWrap, caption);
        setExtent(Width(), twips::fromPixels(r.height()));
    } else {
        setExtent(twips::fromPixels(fm.horizontalAdvance(caption)), twips::fromPixels(fm.height()));
    }
}

namespace {

// Qt's raster engine keeps glyphs up to this many pixels in its glyph cache and fills larger
// ones from their outlines on every paint.
constexpr int LargestCachedGlyph = 64;

} // namespace

int Label::textFlags() const
{
    int flags = Qt::AlignTop;
    switch (align) {
    case Align::Left:
        flags |= Qt::AlignLeft;
        break;
    case Align::Right:
        flags |= Qt::AlignRight;
        break;
    case Align::Center:
        flags |= Qt::AlignHCenter;
        break;
    }
    if (wrap)
        flags |= Qt::TextWordWrap;
    return flags;
}

QRect Label::textRect() const
{
    // A bordered box keeps its text off the border; VB-style labels are flush otherwise.
    return border ? rect().adjusted(2, 1, -2, -1) : rect();
}

void Label::drawCaption(QPainter& p, const QRect& r, const QFont& font) const
{
    p.setRenderHint(QPainter::TextAntialiasing);
    p.setFont(font);
    p.setPen(ForeColor());
    p.drawText(r, textFlags(), caption);
}

void Label::paintEvent(QPaintEvent*)
{
    QPainter p(this);
    if (opaque)
        p.fillRect(rect(), backColor);
    if (border) {
        p.setPen(QColor(0x80, 0x80, 0x80));
        p.drawRect(rect().adjusted(0, 0, -1, -1));
    }
    QRect r = textRect();
    const QFont font = shownFont();
    // A shrunk text stands in the middle of the line the full-sized one would fill.
    if (font.pixelSize() != drawFont().pixelSize())
        r.translate(0, (QFontMetrics(drawFont()).height() - QFontMetrics(font).height()) / 2);
    const qreal dpr = devicePixelRatioF();
    if (caption.isEmpty() || font.pixelSize() * dpr <= LargestCachedGlyph) {
        layer = TextLayer();
        drawCaption(p, r, font);
        return;
    }
    const int flags = textFlags();
    if (layer.image.isNull() || layer.caption != caption || layer.font != font ||
        layer.color != ForeColor() || layer.flags != flags || layer.textRect != r ||
        layer.size != size() || layer.dpr != dpr) {
        // The whole widget, as the text may reach past its rectangle up to the widget's edge.
        layer = TextLayer{QImage(size() * dpr, QImage::Format_ARGB32_Premultiplied),
                          caption,
                          font,
                          ForeColor(),
                          flags,
                          r,
                          size(),
                          dpr};
        layer.image.setDevicePixelRatio(dpr);
        layer.image.fill(Qt::transparent);
        QPainter lp(&layer.image);
        drawCaption(lp, r, font);
    }
    p.drawImage(0, 0, layer.image);
}

void Label::mouseReleaseEvent(QMouseEvent* e)
{
    if (e->button() == Qt::LeftButton && rect().contains(e->position().toPoint()))
        Q_EMIT clicked();
    QWidget::mouseReleaseEvent(e);
}
