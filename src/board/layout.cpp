// SPDX-License-Identifier: GPL-3.0-or-later
#include "layout.h"

#include "control.h"
#include "form.h"
#include "twips.h"

#include <cmath>
#include <limits>

namespace {

constexpr double ReferenceWidth = 9600;
constexpr double ReferenceHeight = 7200;

int32_t record(double v)
{
    const double r = twips::roundHalfEven(v);
    constexpr double Lo = std::numeric_limits<int32_t>::min();
    constexpr double Hi = std::numeric_limits<int32_t>::max();
    return static_cast<int32_t>(r < Lo ? Lo : (r > Hi ? Hi : r));
}

enum Recorded { Position = 1, Extent = 2, Font = 4, Border = 8, Digit = 16 };

int recordedFields(const Control& c)
{
    const QString type = c.TypeName();
    if (type == QLatin1String("PolyLED"))
        return Position | Digit;
    if (type == QLatin1String("PictureBox") || type == QLatin1String("Image"))
        return Position | Extent;
    if (type == QLatin1String("Label"))
        return Position | Extent | Font;
    if (type == QLatin1String("Shape"))
        return Position | Extent | Border;
    return 0;
}

// A scaled size never falls below 1.
double atLeastOne(double v)
{
    return v >= 1 ? v : 1;
}

} // namespace

void CaptureLayout(const Form& Window, LayoutTable& table)
{
    table.records.clear();
    table.DesignHeight = record(Window.OuterHeight());
    table.DesignWidth = record(Window.OuterWidth());
    for (Control* c : Window.Controls()) {
        const int fields = recordedFields(*c);
        if (!fields)
            continue;
        LayoutRecord r;
        r.control = c;
        if (fields & Digit)
            r.Size = record(c->Size());
        if (fields & Extent) {
            r.Height = record(c->Height());
            r.Width = record(c->Width());
        }
        if (fields & Font)
            r.FontSize = record(c->FontSize());
        if (fields & Border)
            r.BorderWidth = record(c->BorderWidth());
        r.Left = record(c->Left());
        r.Top = record(c->Top());
        table.records.push_back(r);
    }
}

void StretchLayout(Form& Window, const LayoutTable& table)
{
    if (Window.isMinimized() || table.DesignWidth == 0 || table.DesignHeight == 0)
        return;
    const bool wasEnabled = Window.updatesEnabled();
    Window.setUpdatesEnabled(false);
    const double x = Window.OuterWidth() / table.DesignWidth;
    const double y = Window.OuterHeight() / table.DesignHeight;
    for (const LayoutRecord& r : table.records) {
        Control& c = *r.control;
        if (r.Left != 0)
            c.setLeft(x * r.Left);
        if (r.Top != 0)
            c.setTop(y * r.Top);
        if (r.Width != 0)
            c.setWidth(atLeastOne(x * r.Width));
        if (r.Height != 0)
            c.setHeight(atLeastOne(y * r.Height));
        if (r.FontSize != 0)
            c.setFontSize(atLeastOne(y * r.FontSize));
        if (r.BorderWidth != 0)
            c.setBorderWidth(atLeastOne(y * r.BorderWidth));
        if (r.Size != 0)
            c.setSize(atLeastOne(y * r.Size));
    }
    Window.setUpdatesEnabled(wasEnabled);
    Window.update();
}

double RSize(int16_t Value, double outerWidth, double outerHeight)
{
    if (outerHeight / 3 >= outerWidth / 4)
        return Value / ReferenceWidth * outerWidth;
    return Value / ReferenceHeight * outerHeight;
}
