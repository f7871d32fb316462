// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "control.h"

#include <QColor>
#include <QPixmap>
#include <QWidget>

// A box with a solid background that holds and clips other controls. The board's fields are
// picture boxes that take the keyboard focus; they report their key and focus events.
class PictureBox : public QWidget, public Control
{
    Q_OBJECT
public:
    PictureBox(QWidget* parent, const QString& name, int index = -1);
    QString TypeName() const override { return QStringLiteral("PictureBox"); }

    QColor BackColor() const { return backColor; }
    void setBackColor(const QColor& c);

    // A picture drawn at its natural size in the top-left corner; with auto-size the box
    // takes the picture's size.
    void setPicture(const QPixmap& pm);
    void setAutoSize(bool on);
    void setBorder(bool on);

    // Fields take the focus by Tab and by a click on them or on anything inside them.
    void setFocusable(bool on);

Q_SIGNALS:
    void clicked();
    void keyDown(QKeyEvent* e);
    void keyUp(QKeyEvent* e);
    void gotFocus();

protected:
    void paintEvent(QPaintEvent*) override;
    void mouseReleaseEvent(QMouseEvent* e) override;
    void keyPressEvent(QKeyEvent* e) override;
    void keyReleaseEvent(QKeyEvent* e) override;
    void focusInEvent(QFocusEvent* e) override;

private:
    QColor backColor = QColor(0xC0, 0xC0, 0xC0);
    QPixmap picture;
    bool autoSize = false;
    bool border = false;
    bool focusable = false;
};
