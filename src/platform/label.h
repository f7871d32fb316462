// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "control.h"

#include <QColor>
#include <QFont>
#include <QImage>
#include <QWidget>

// A text label: named font, alignment, optional word wrap and auto-size. It draws no
// background unless made opaque, so by default it shows whatever lies behind it. Its text
// takes the palette's text colour unless given one, and black on an opaque background, so
// that a fixed background never meets a text colour from the system theme.
class QPainter;

class Label : public QWidget, public Control
{
    Q_OBJECT
public:
    enum class Align { Left, Right, Center };

    Label(QWidget* parent, const QString& name, int index = -1);
    QString TypeName() const override { return QStringLiteral("Label"); }

    const QString& Caption() const { return caption; }
    void setCaption(const QString& text);

    QString FontName() const { return fontName; }
    void setFontName(const QString& family);
    bool FontBold() const { return bold; }
    void setFontBold(bool on);
    double FontSize() const override { return fontSize; }
    void setFontSize(double points) override;

    void setAlignment(Align a);
    void setWordWrap(bool on);
    bool WordWrap() const { return wrap; }
    void setAutoSize(bool on);
    bool AutoSize() const { return autoSize; }
    // A one-line text wider than the label is drawn smaller, so that it shows whole; the
    // label's font size and geometry stay as they are (the layout owns them).
    void setShrinkToFit(bool on);
    bool ShrinkToFit() const { return shrink; }

    // The colour the text is drawn in.
    QColor ForeColor() const;
    void setForeColor(const QColor& c);
    void setOpaque(bool on, const QColor& back = Qt::white);
    void setBorder(bool on);
    bool Border() const { return border; }

    // The font as it is drawn: the point size mapped to pixels at 20 twips per point.
    QFont drawFont() const;
    // The font the caption is drawn in: drawFont(), or a smaller one when the label shrinks
    // a text that does not fit.
    QFont shownFont() const;

    void setWidth(double t) override;
    void setHeight(double t) override;

Q_SIGNALS:
    void clicked();

protected:
    void paintEvent(QPaintEvent*) override;
    void mouseReleaseEvent(QMouseEvent* e) override;

private:
    void fitToText();
    int textFlags() const;
    QRect textRect() const;
    void drawCaption(QPainter& p, const QRect& r, const QFont& font) const;

    // Large text is drawn from glyph outlines on every paint, which is slow on a big board;
    // such text is drawn once into this layer and the layer is drawn after that. Any change
    // of what the text looks like makes a new layer (see paintEvent).
    struct TextLayer
    {
        QImage image;
        QString caption;
        QFont font;
        QColor color;
        int flags = 0;
        QRect textRect;
        QSize size;
        qreal dpr = 0;
    };
    TextLayer layer;

    QString caption;
    QString fontName = QStringLiteral("Arial");
    double fontSize = 8.25;
    bool bold = false;
    Align align = Align::Left;
    bool wrap = false;
    bool autoSize = false;
    bool shrink = false;
    bool opaque = false;
    bool border = false;
    QColor foreColor; // none given: see ForeColor()
    QColor backColor = Qt::white;
};
