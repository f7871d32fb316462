// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "control.h"

#include <QWidget>
#include <memory>
#include <vector>

// A window whose controls are measured in twips. It keeps its controls in control order,
// which is the order the layout, colouring and digit-style routines walk them in.
class Form : public QWidget
{
    Q_OBJECT
public:
    explicit Form(QWidget* parent = nullptr, Qt::WindowFlags flags = {});

    const std::vector<Control*>& Controls() const { return controls; }
    void addControl(Control* c) { controls.push_back(c); }

    // The control of that name and array index (-1 for a lone control), or null.
    Control* control(const QString& name, int index = -1) const;
    template <class T>
    T* find(const QString& name, int index = -1) const
    {
        return dynamic_cast<T*>(control(name, index));
    }
    // All members of a control array, by index.
    template <class T>
    std::vector<T*> array(const QString& name) const
    {
        std::vector<T*> out;
        for (Control* c : controls)
            if (c->Name() == name && c->Index() >= 0) {
                if (out.size() <= static_cast<size_t>(c->Index()))
                    out.resize(c->Index() + 1, nullptr);
                out[c->Index()] = dynamic_cast<T*>(c);
            }
        return out;
    }

    // Client and outer size in twips. The outer size is the client size plus the design
    // frame, whatever frame the window manager actually draws.
    double ClientWidth() const;
    double ClientHeight() const;
    double OuterWidth() const;
    double OuterHeight() const;
    void setClientSize(double w, double h);
    void setOuterSize(double w, double h);

private:
    std::vector<Control*> controls;
};
