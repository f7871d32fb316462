// SPDX-License-Identifier: GPL-3.0-or-later
#include "image.h"

#include "twips.h"

#include <QMouseEvent>
#include <QPainter>
#include <utility>

Image::Image(QWidget* parent, const QString& name, int index)
    : QWidget(parent), Control(this, name, index)
{}

void Image::setPicture(const QImage& img)
{
    // The board sets the same decoded picture again on every resize; its halvings still hold.
    if (img.cacheKey() != picture.cacheKey())
        halvings.clear();
    picture = img;
    scaled = QPixmap();
    if (!stretch && !picture.isNull())
        setExtent(twips::fromPixels(picture.width()), twips::fromPixels(picture.height()));
    update();
}

void Image::clearPicture()
{
    if (picture.isNull())
        return;
    picture = QImage();
    halvings.clear();
    scaled = QPixmap();
    update();
}

void Image::setStretch(bool on)
{
    if (on == stretch)
        return;
    // The element keeps its size either way; only a new picture takes its natural size.
    stretch = on;
    scaled = QPixmap();
    update();
}

void Image::resizeEvent(QResizeEvent*)
{
    scaled = QPixmap();
}

const QImage& Image::scaleSource(QSize target)
{
    size_t level = 0;
    for (;;) {
        const QImage& from = level == 0 ? picture : halvings[level - 1];
        const QSize half = from.size() / 2;
        if (half.width() < target.width() || half.height() < target.height())
            return from;
        if (halvings.size() == level)
            halvings.push_back(from.scaled(half, Qt::IgnoreAspectRatio, Qt::SmoothTransformation));
        ++level;
    }
}

void Image::paintEvent(QPaintEvent*)
{
    if (picture.isNull() || width() <= 0 || height() <= 0)
        return;
    const qreal dpr = devicePixelRatioF();
    const QSize target = stretch ? size() * dpr : picture.size();
    if (scaled.isNull() || scaled.size() != target) {
        // Scale once per size, not on every paint: a 4000 x 3000 photo is expensive to draw.
        scaled =
            QPixmap::fromImage(stretch ? scaleSource(target).scaled(target, Qt::IgnoreAspectRatio,
                                                                    Qt::SmoothTransformation)
                                       : picture);
        scaled.setDevicePixelRatio(stretch ? dpr : 1.0);
    }
    QPainter p(this);
    p.drawPixmap(0, 0, scaled);
}

void Image::mouseDoubleClickEvent(QMouseEvent* e)
{
    // The double click's first half was a click already; its second release is not another.
    secondRelease = true;
    QWidget::mouseDoubleClickEvent(e);
}

void Image::mouseReleaseEvent(QMouseEvent* e)
{
    const bool partOfDoubleClick = std::exchange(secondRelease, false);
    if (e->button() == Qt::LeftButton && rect().contains(e->position().toPoint()) &&
        !partOfDoubleClick)
        Q_EMIT clicked();
    QWidget::mouseReleaseEvent(e);
}
