#pragma once

#include "control.h"

#include <QPushButton>
#include <QWidget>

// A frame that groups controls, with an optional caption in its top edge.
class Frame : public QWidget, public Control
{
    Q_OBJECT
public:
    Frame(QWidget* parent, const QString& name, int index = -1);
    QString TypeName() const override { return QStringLiteral("Frame"); }

    void setCaption(const QString& text);
    const QString& Caption() const { return caption; }

Q_SIGNALS:
    void clicked();

protected:
    void paintEvent(QPaintEvent*) override;
    void mouseReleaseEvent(QMouseEvent* e) override;

private:
    QString caption;
};

// A push button placed in twips.
class CommandButton : public QPushButton, public Control
{
    Q_OBJECT
public:
    CommandButton(QWidget* parent, const QString& name, int index = -1);
    QString TypeName() const override { return QStringLiteral("CommandButton"); }
};

// Any other widget placed in twips (option buttons, text boxes, lists, scroll controls,
// tab controls). The layout and colour routines leave these alone.
class WidgetControl : public Control
{
public:
    WidgetControl(QWidget* w, const QString& n, const QString& typeName, int i = -1)
        : Control(w, n, i), type(typeName)
    {}
    QString TypeName() const override { return type; }

private:
    QString type;
};
