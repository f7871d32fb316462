// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

class QWidget;

// A control of a twips-measured window. It keeps its design name, its index in a control
// array (-1 for a lone control), its type name and its geometry in twips, and maps that
// geometry onto its widget at 15 twips per logical pixel.
class Control
{
public:
    Control(QWidget* self, QString name, int index);
    virtual ~Control() = default;
    Control(const Control&) = delete;
    Control& operator=(const Control&) = delete;

    const QString& Name() const { return ctlName; }
    int Index() const { return ctlIndex; }
    virtual QString TypeName() const = 0;

    double Left() const { return twLeft; }
    double Top() const { return twTop; }
    double Width() const { return twWidth; }
    double Height() const { return twHeight; }
    void setLeft(double t);
    void setTop(double t);
    virtual void setWidth(double t);
    virtual void setHeight(double t);
    void Move(double l, double t, double w, double h);

    // Properties that only some control types have. The others report 0 and ignore a set.
    virtual double FontSize() const { return 0; }
    virtual void setFontSize(double) {}
    virtual double BorderWidth() const { return 0; }
    virtual void setBorderWidth(double) {}
    virtual double Size() const { return 0; }
    virtual void setSize(double) {}

    QWidget* widget() const { return self; }

protected:
    // Sets the extent without going through the virtual setters (auto-sized controls).
    void setExtent(double w, double h);
    void applyGeometry();

private:
    QWidget* self;
    QString ctlName;
    int ctlIndex;
    double twLeft = 0;
    double twTop = 0;
    double twWidth = 0;
    double twHeight = 0;
};
