// SPDX-License-Identifier: GPL-3.0-or-later
#include "picturebox.h"

#include "twips.h"

#include <QKeyEvent>
#include <QPainter>

PictureBox::PictureBox(QWidget* parent, const QString& name, int index)
    : QWidget(parent), Control(this, name, index)
{
    setAttribute(Qt::WA_OpaquePaintEvent);
}

void PictureBox::setBackColor(const QColor& c)
{
    if (c == backColor)
        return;
    backColor = c;
    update();
}

void PictureBox::setPicture(const QPixmap& pm)
{
    picture = pm;
    if (autoSize && !picture.isNull())
        setExtent(twips::fromPixels(picture.width()), twips::fromPixels(picture.height()));
    update();
}

void PictureBox::setAutoSize(bool on)
{
    autoSize = on;
    setPicture(picture);
}

void PictureBox::setBorder(bool on)
{
    border = on;
    update();
}

void PictureBox::setFocusable(bool on)
{
    focusable = on;
    setFocusPolicy(on ? Qt::StrongFocus : Qt::NoFocus);
}

void PictureBox::paintEvent(QPaintEvent*)
{
    QPainter p(this);
    p.fillRect(rect(), backColor);
    if (!picture.isNull())
        p.drawPixmap(0, 0, picture);
    if (border) {
        p.setPen(QColor(0x40, 0x40, 0x40));
        p.drawRect(rect().adjusted(0, 0, -1, -1));
    }
}

void PictureBox::mouseReleaseEvent(QMouseEvent* e)
{
    if (e->button() == Qt::LeftButton && rect().contains(e->position().toPoint()))
        Q_EMIT clicked();
    QWidget::mouseReleaseEvent(e);
}

void PictureBox::keyPressEvent(QKeyEvent* e)
{
    if (!focusable) {
        QWidget::keyPressEvent(e);
        return;
    }
    // A field handles every key it is given; the window never sees it a second time.
    Q_EMIT keyDown(e);
    e->accept();
}

void PictureBox::keyReleaseEvent(QKeyEvent* e)
{
    if (!focusable) {
        QWidget::keyReleaseEvent(e);
        return;
    }
    Q_EMIT keyUp(e);
    e->accept();
}

void PictureBox::focusInEvent(QFocusEvent* e)
{
    QWidget::focusInEvent(e);
    Q_EMIT gotFocus();
}
