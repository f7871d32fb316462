// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "control.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollBar>
#include <QTabWidget>
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

// One of a group of mutually exclusive choices; the choices that share a container exclude
// one another.
class OptionButton : public QRadioButton, public Control
{
    Q_OBJECT
public:
    OptionButton(QWidget* parent, const QString& name, int index = -1);
    QString TypeName() const override { return QStringLiteral("OptionButton"); }
};

// A choice on its own, on or off.
class CheckBox : public QCheckBox, public Control
{
    Q_OBJECT
public:
    CheckBox(QWidget* parent, const QString& name, int index = -1);
    QString TypeName() const override { return QStringLiteral("CheckBox"); }
};

// A one-line text box.
class TextBox : public QLineEdit, public Control
{
    Q_OBJECT
public:
    TextBox(QWidget* parent, const QString& name, int index = -1);
    QString TypeName() const override { return QStringLiteral("TextBox"); }
};

// A drop-down list to pick one entry from.
class ComboBox : public QComboBox, public Control
{
    Q_OBJECT
public:
    ComboBox(QWidget* parent, const QString& name, int index = -1);
    QString TypeName() const override { return QStringLiteral("ComboBox"); }
};

// A horizontal scroll control. One too narrow for a groove is drawn and works as a pair of
// arrow buttons that step the value.
class HScrollBar : public QScrollBar, public Control
{
    Q_OBJECT
public:
    HScrollBar(QWidget* parent, const QString& name, int index = -1);
    QString TypeName() const override { return QStringLiteral("HScrollBar"); }

protected:
    void paintEvent(QPaintEvent* e) override;
    void mousePressEvent(QMouseEvent* e) override;
    void mouseReleaseEvent(QMouseEvent* e) override;
    void mouseMoveEvent(QMouseEvent* e) override;

private:
    bool arrowsOnly() const;
    enum class Arrow { None, Left, Right };
    Arrow pressed = Arrow::None;
};

// A tab control. Its pages are TabPage controls, added in control order; the controls on a
// page are placed relative to the page's area below the tabs.
class TabControl : public QTabWidget, public Control
{
    Q_OBJECT
public:
    TabControl(QWidget* parent, const QString& name, int index = -1);
    QString TypeName() const override { return QStringLiteral("TabControl"); }
};

// One page of a tab control. The tab control places it; its own twips geometry is unused.
class TabPage : public QWidget, public Control
{
    Q_OBJECT
public:
    TabPage(TabControl* tabs, const QString& name, const QString& caption, int index = -1);
    QString TypeName() const override { return QStringLiteral("TabPage"); }
};

// Any other widget placed in twips (option buttons, check boxes, text boxes, lists, scroll
// controls, tab controls). The layout and colour routines leave these alone.
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
