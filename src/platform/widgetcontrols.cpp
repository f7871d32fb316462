#include "widgetcontrols.h"

#include <QMouseEvent>
#include <QPainter>
#include <QStyle>
#include <QStyleOptionFrame>

Frame::Frame(QWidget* parent, const QString& name, int index)
    : QWidget(parent), Control(this, name, index)
{}

void Frame::setCaption(const QString& text)
{
    caption = text;
    update();
}

void Frame::paintEvent(QPaintEvent*)
{
    QPainter p(this);
    const QFontMetrics fm(font());
    const int captionTop = caption.isEmpty() ? 0 : fm.height() / 2;
    // An etched line, light over dark, as a classic group frame.
    const QRect r = rect().adjusted(0, captionTop, -2, -2);
    p.setPen(palette().color(QPalette::Dark));
    p.drawRect(r);
    p.setPen(palette().color(QPalette::Light));
    p.drawRect(r.translated(1, 1));
    if (!caption.isEmpty()) {
        const int textWidth = fm.horizontalAdvance(caption) + 4;
        const QRect textRect(6, 0, textWidth, fm.height());
        p.fillRect(textRect, palette().color(QPalette::Window));
        p.setPen(palette().color(QPalette::WindowText));
        p.drawText(textRect, Qt::AlignCenter, caption);
    }
}

void Frame::mouseReleaseEvent(QMouseEvent* e)
{
    if (e->button() == Qt::LeftButton && rect().contains(e->position().toPoint()))
        Q_EMIT clicked();
    QWidget::mouseReleaseEvent(e);
}

CommandButton::CommandButton(QWidget* parent, const QString& name, int index)
    : QPushButton(parent), Control(this, name, index)
{
    setAutoDefault(false);
}
