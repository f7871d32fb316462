// SPDX-License-Identifier: GPL-3.0-or-later
#include "widgetcontrols.h"

#include <QMouseEvent>
#include <QPainter>
#include <QStyle>
#include <QStyleOption>
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

OptionButton::OptionButton(QWidget* parent, const QString& name, int index)
    : QRadioButton(parent), Control(this, name, index)
{}

CheckBox::CheckBox(QWidget* parent, const QString& name, int index)
    : QCheckBox(parent), Control(this, name, index)
{}

TextBox::TextBox(QWidget* parent, const QString& name, int index)
    : QLineEdit(parent), Control(this, name, index)
{}

ComboBox::ComboBox(QWidget* parent, const QString& name, int index)
    : QComboBox(parent), Control(this, name, index)
{}

HScrollBar::HScrollBar(QWidget* parent, const QString& name, int index)
    : QScrollBar(Qt::Horizontal, parent), Control(this, name, index)
{}

namespace {
// Narrower than this many heights, a scroll bar has no room for its groove.
constexpr int ArrowsOnlyWidthInHeights = 2;
} // namespace

bool HScrollBar::arrowsOnly() const
{
    return width() < ArrowsOnlyWidthInHeights * height();
}

void HScrollBar::paintEvent(QPaintEvent* e)
{
    if (!arrowsOnly()) {
        QScrollBar::paintEvent(e);
        return;
    }
    QPainter p(this);
    const int half = width() / 2;
    const QRect halves[2] = {QRect(0, 0, half, height()), QRect(half, 0, width() - half, height())};
    const Arrow arrows[2] = {Arrow::Left, Arrow::Right};
    for (int i = 0; i < 2; ++i) {
        QStyleOptionButton button;
        button.initFrom(this);
        button.rect = halves[i];
        button.state |= pressed == arrows[i] ? QStyle::State_Sunken : QStyle::State_Raised;
        style()->drawPrimitive(QStyle::PE_PanelButtonBevel, &button, &p, this);
        QStyleOption arrow;
        arrow.initFrom(this);
        arrow.rect = halves[i];
        style()->drawPrimitive(i == 0 ? QStyle::PE_IndicatorArrowLeft
                                      : QStyle::PE_IndicatorArrowRight,
                               &arrow, &p, this);
    }
}

void HScrollBar::mousePressEvent(QMouseEvent* e)
{
    if (!arrowsOnly()) {
        QScrollBar::mousePressEvent(e);
        return;
    }
    if (e->button() != Qt::LeftButton)
        return;
    const bool left = e->position().x() < width() / 2.0;
    pressed = left ? Arrow::Left : Arrow::Right;
    triggerAction(left ? SliderSingleStepSub : SliderSingleStepAdd);
    update();
}

void HScrollBar::mouseReleaseEvent(QMouseEvent* e)
{
    if (!arrowsOnly()) {
        QScrollBar::mouseReleaseEvent(e);
        return;
    }
    pressed = Arrow::None;
    update();
}

void HScrollBar::mouseMoveEvent(QMouseEvent* e)
{
    if (!arrowsOnly())
        QScrollBar::mouseMoveEvent(e);
}

TabControl::TabControl(QWidget* parent, const QString& name, int index)
    : QTabWidget(parent), Control(this, name, index)
{}

TabPage::TabPage(TabControl* tabs, const QString& name, const QString& caption, int index)
    : QWidget(tabs), Control(this, name, index)
{
    tabs->addTab(this, caption);
}
