// SPDX-License-Identifier: GPL-3.0-or-later
// The board's colour scheme.
#include "boardcolors.h"

#include "boardview.h"
#include "colors.h"
#include "form.h"
#include "label.h"
#include "picturebox.h"
#include "polyled.h"
#include "shape.h"

#include <algorithm>

void ColorControlsByType(const Form& Window, const std::vector<const Control*>& Excluded,
                         int32_t BorderColor, int32_t LEDBack)
{
    const QColor border = toQColor(BorderColor);
    const QColor ledBack = toQColor(LEDBack);
    for (Control* c : Window.Controls()) {
        if (std::find(Excluded.begin(), Excluded.end(), c) != Excluded.end())
            continue;
        if (auto* l = dynamic_cast<Label*>(c))
            l->setForeColor(border);
        else if (auto* b = dynamic_cast<PictureBox*>(c))
            b->setBackColor(ledBack);
        else if (auto* s = dynamic_cast<Shape*>(c))
            s->setBorderColor(ledBack);
    }
}

void ColorLeds(const std::vector<PolyLED*>& Target, int32_t LitColour, int32_t LEDBack)
{
    for (PolyLED* d : Target) {
        d->setBackColor(toQColor(LEDBack));
        d->setLitColor(toQColor(LitColour));
    }
}

void SetLedType(const Form& Window, int32_t LedTypeValue)
{
    for (Control* c : Window.Controls())
        if (auto* led = dynamic_cast<PolyLED*>(c))
            led->setLedType(LedTypeValue);
}

void BoardView::UpdateFormColors()
{
    const SettingVariables& s = viewed.settings();
    QPalette pal = palette();
    pal.setColor(QPalette::Window, toQColor(s.FormBack));
    setPalette(pal);

    // The game clock and the penalty times in the time colour, the period in its own, the
    // other numbers in the score colour.
    for (int i = 0; i < FieldCount; ++i) {
        const auto f = static_cast<Field>(i);
        const FieldKind kind = fieldInfo(f).kind;
        int32_t colour = s.ScoreColor;
        if (kind == FieldKind::Clock || kind == FieldKind::PenaltyTime)
            colour = s.TimeColor;
        else if (f == Field::Period)
            colour = s.PeriodColor;
        ColorLeds(field(f).digits, colour, s.LEDBack);
    }

    const std::vector<const Control*> excluded = {
        ctl.lblHome,
        ctl.lblVisitor,
        ctl.shpClockFrame,
        ctl.shpBoardFrame,
        ctl.picHomeContainer,
        ctl.picVisitorContainer,
        ctl.picHomePicContainer,
        ctl.picVisitorPicContainer,
        ctl.picBoardPicContainer,
    };
    ColorControlsByType(*this, excluded, s.BorderColor, s.LEDBack);

    ctl.lblHome->setForeColor(toQColor(s.HomeColor));
    ctl.lblVisitor->setForeColor(toQColor(s.VisitorColor));
    ctl.shpClockFrame->setBorderColor(toQColor(s.BorderColor));
    ctl.shpBoardFrame->setBorderColor(toQColor(s.BorderColor));
    for (PictureBox* b : {ctl.picHomeContainer, ctl.picVisitorContainer, ctl.picHomePicContainer,
                          ctl.picVisitorPicContainer, ctl.picBoardPicContainer})
        b->setBackColor(toQColor(s.FormBack));
    ctl.shpObjectSelected->setFillColor(toQColor(s.LEDSelected));
    box(Field::Goal)->setBackColor(toQColor(s.FormBack));
    render();
}
