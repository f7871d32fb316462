// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "control.h"

#include <QImage>
#include <QPixmap>
#include <QWidget>
#include <vector>

// A picture element without a background: it shows its picture at the picture's natural
// size or, with stretching on, scaled to its own rectangle. Without a picture it is a
// transparent click area.
class Image : public QWidget, public Control
{
    Q_OBJECT
public:
    Image(QWidget* parent, const QString& name, int index = -1);
    QString TypeName() const override { return QStringLiteral("Image"); }

    bool hasPicture() const { return !picture.isNull(); }
    const QImage& Picture() const { return picture; }
    // With stretching off the element takes the new picture's natural size.
    void setPicture(const QImage& img);
    void clearPicture();

    bool Stretch() const { return stretch; }
    void setStretch(bool on);

Q_SIGNALS:
    void clicked(); // a left click; a double click counts once

protected:
    void paintEvent(QPaintEvent*) override;
    void resizeEvent(QResizeEvent*) override;
    void mouseReleaseEvent(QMouseEvent* e) override;
    void mouseDoubleClickEvent(QMouseEvent* e) override;

private:
    bool secondRelease = false;
    // The picture, or the smallest of its halvings that is still at least `target` in both
    // dimensions: smooth scaling costs in proportion to the source, and a photo several times
    // the element's size would otherwise be averaged down in full on every resize.
    const QImage& scaleSource(QSize target);

    QImage picture;
    std::vector<QImage> halvings; // the picture halved once, twice, ...; made when first needed
    QPixmap scaled;               // the picture at the element's current pixel size
    bool stretch = false;
};
