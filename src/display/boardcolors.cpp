// The board's colour scheme.
#include "boardcolors.h"

#include "clocktable.h"
#include "colors.h"
#include "digitrows.h"
#include "form.h"
#include "frmscoreboard.h"
#include "label.h"
#include "picturebox.h"
#include "polyled.h"
#include "settingvariables.h"
#include "shape.h"

void ColorControlsByType(const Form& Window, const QStringList& Excluded)
{
    const QColor border = toQColor(Settings.BorderColor);
    const QColor ledBack = toQColor(Settings.LEDBack);
    for (Control* c : Window.Controls()) {
        if (Excluded.contains(c->Name()))
            continue;
        if (auto* l = dynamic_cast<Label*>(c))
            l->setForeColor(border);
        else if (auto* b = dynamic_cast<PictureBox*>(c))
            b->setBackColor(ledBack);
        else if (auto* s = dynamic_cast<Shape*>(c))
            s->setBorderColor(ledBack);
    }
}

void frmScoreBoard::UpdateFormColors()
{
    const SettingVariables& s = Settings;
    QPalette pal = palette();
    pal.setColor(QPalette::Window, toQColor(s.FormBack));
    setPalette(pal);

    for (PolyLED* d : pledTime) {
        d->setLitColor(toQColor(s.TimeColor));
        d->setBackColor(toQColor(s.LEDBack));
    }
    ColorLeds(pledHome, s.ScoreColor);
    ColorLeds(pledVisitor, s.ScoreColor);
    ColorLeds(pledPeriod, s.PeriodColor);
    ColorLeds(pledSOGH, s.ScoreColor);
    ColorLeds(pledSOGV, s.ScoreColor);
    ColorLeds(pledPenaltyPH1, s.ScoreColor);
    ColorLeds(pledPenaltyPH2, s.ScoreColor);
    ColorLeds(pledPenaltyPV1, s.ScoreColor);
    ColorLeds(pledPenaltyPV2, s.ScoreColor);
    ColorLeds(pledPenaltyTH1, s.TimeColor);
    ColorLeds(pledPenaltyTH2, s.TimeColor);
    ColorLeds(pledPenaltyTV1, s.TimeColor);
    ColorLeds(pledPenaltyTV2, s.TimeColor);

    const QStringList excluded = {
        lblHome->Name(),
        lblVisitor->Name(),
        Shape1->Name(),
        Shape3->Name(),
        picHomeContainer->Name(),
        picVisitorContainer->Name(),
        picHomePicContainer->Name(),
        picVisitorPicContainer->Name(),
        picBoardPicContainer->Name(),
    };
    ColorControlsByType(*this, excluded);

    lblHome->setForeColor(toQColor(s.HomeColor));
    lblVisitor->setForeColor(toQColor(s.VisitorColor));
    Shape1->setBorderColor(toQColor(s.BorderColor));
    Shape3->setBorderColor(toQColor(s.BorderColor));
    for (PictureBox* b : {picHomeContainer, picVisitorContainer, picHomePicContainer,
                          picVisitorPicContainer, picBoardPicContainer})
        b->setBackColor(toQColor(s.FormBack));
    shpObjectSelected->setFillColor(toQColor(s.LEDSelected));
    picGoalBack->setBackColor(toQColor(s.FormBack));

    UpdateGoal();
    UpdatePenaltyColonColors();
    Penalty();
}

void frmScoreBoard::UpdatePenaltyColonColors()
{
    const QColor shown = toQColor(Settings.BorderColor);
    const QColor hidden = toQColor(Settings.LEDBack);
    for (int clock = FirstPenaltyClock; clock < ClockCount; ++clock) {
        const PenaltySlot& slot = penaltySlot(clock);
        const bool blank = (*slot.time)[0]->Caption() < 0;
        for (Shape* d : *slot.colon)
            d->setFillColor(blank ? hidden : shown);
    }
}
