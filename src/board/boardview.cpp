// SPDX-License-Identifier: GPL-3.0-or-later
#include "boardview.h"

#include "boarddesign.h"
#include "boardformat.h"
#include "colors.h"
#include "image.h"
#include "label.h"
#include "picturebox.h"
#include "polyled.h"
#include "shape.h"
#include "twips.h"

namespace {

// The design name of each field's digit row, in tab order (null for the goal indicator).
constexpr std::array<const char*, FieldCount> FieldDigits = {
    "pledTime",       "pledHome",       "pledVisitor",    nullptr,          "pledSOGH",
    "pledPeriod",     "pledSOGV",       "pledPenaltyPH1", "pledPenaltyTH1", "pledPenaltyPV1",
    "pledPenaltyTV1", "pledPenaltyPH2", "pledPenaltyTH2", "pledPenaltyPV2", "pledPenaltyTV2",
};

// The colon dots and the lamp of each penalty slot, by its clock.
struct PenaltyNames
{
    const char* colon;
    const char* lamps;
    int lamp;
};
constexpr std::array<PenaltyNames, 4> PenaltyDesign = {{
    {"dotPenaltyTH1", "shpPenaltyH", 0},
    {"dotPenaltyTH2", "shpPenaltyH", 1},
    {"dotPenaltyTV1", "shpPenaltyV", 0},
    {"dotPenaltyTV2", "shpPenaltyV", 1},
}};

} // namespace

BoardView::BoardView(const Game& game, QWidget* parent, Qt::WindowFlags flags)
    : Form(parent, flags), viewed(game), markedField(game.state().selected)
{
    setAutoFillBackground(true);
    buildBoard();
    UpdateLabels();
    UpdateFormColors();
    CaptureLayout(*this, layoutTable);
    render();
}

BoardView::~BoardView() = default;

void BoardView::buildBoard()
{
    setClientSize(BoardClientWidth, BoardClientHeight);
    buildControls(*this, boardDesign());

    // The design's controls become typed members here, once; nothing is looked up by its
    // name after this.
    auto name = [](const char* n) { return QString::fromLatin1(n); };
    auto shape = [&](const char* n) { return find<Shape>(name(n)); };
    auto label = [&](const char* n) { return find<Label>(name(n)); };
    auto image = [&](const char* n) { return find<Image>(name(n)); };
    auto box = [&](const char* n) { return find<PictureBox>(name(n)); };

    for (size_t i = 0; i < FieldDigits.size(); ++i) {
        fieldTable[i].container = box(FieldTable[i].name);
        if (FieldDigits[i])
            fieldTable[i].digits = array<PolyLED>(name(FieldDigits[i]));
    }
    for (size_t i = 0; i < PenaltyDesign.size(); ++i) {
        penaltyTable[i].colon = array<Shape>(name(PenaltyDesign[i].colon));
        penaltyTable[i].lamp =
            array<Shape>(name(PenaltyDesign[i].lamps))[static_cast<size_t>(PenaltyDesign[i].lamp)];
    }

    ctl.shpClockFrame = shape("shpClockFrame");
    ctl.shpBoardFrame = shape("shpBoardFrame");
    ctl.shpClockDots = array<Shape>(name("shpClockDots"));
    ctl.shpObjectSelected = shape("shpObjectSelected");
    ctl.shpGoalH = shape("shpGoalH");
    ctl.shpGoalV = shape("shpGoalV");
    ctl.lblGoalH = label("lblGoalH");
    ctl.lblGoalV = label("lblGoalV");
    ctl.imgGoalCoverH = image("imgGoalCoverH");
    ctl.imgGoalCoverV = image("imgGoalCoverV");
    ctl.picHomeContainer = box("picHomeContainer");
    ctl.picVisitorContainer = box("picVisitorContainer");
    ctl.lblHome = label("lblHome");
    ctl.lblWaiting = {label("lblWaitingH"), label("lblWaitingV")};
    ctl.lblVisitor = label("lblVisitor");
    ctl.lblBoardCaption = label("lblBoardCaption");
    ctl.picHomePicContainer = box("picHomePicContainer");
    ctl.picVisitorPicContainer = box("picVisitorPicContainer");
    ctl.picBoardPicContainer = box("picBoardPicContainer");
    ctl.imgHomePic = image("imgHomePic");
    ctl.imgVisitorPic = image("imgVisitorPic");
    ctl.imgBoardPic = image("imgBoardPic");
}

std::optional<Field> BoardView::fieldAt(QPoint at) const
{
    for (int i = 0; i < FieldCount; ++i) {
        const auto f = static_cast<Field>(i);
        if (box(f)->geometry().contains(at))
            return f;
    }
    return std::nullopt;
}

void BoardView::render()
{
    const GameState& s = viewed.state();
    const SettingVariables& c = viewed.settings();
    // Most ticks change one row or none: rows drawn from what they show now are skipped.
    for (size_t i = 0; i < drawnRows.size(); ++i) {
        const auto f = static_cast<Field>(i);
        const int64_t source = fieldSource(s, f);
        if (drawnFrom[i] == source)
            continue;
        drawnFrom[i] = source;
        const DigitRow row = fieldRow(s, f);
        if (drawnRows[i] == row)
            continue;
        const LedRow& leds = fieldTable[i].digits;
        for (size_t k = 0; k < leds.size(); ++k)
            leds[k]->setCaption(row[static_cast<int>(k)]);
        drawnRows[i] = row;
    }

    const QColor border = toQColor(c.BorderColor);
    const QColor hidden = toQColor(c.LEDBack);
    const QColor lit = toQColor(c.ScoreColor);
    const QColor dark = toQColor(c.FormBack);
    // Under a minute the upper dot goes dark and the lower one stands as a decimal point.
    ctl.shpClockDots[0]->setFillColor(clockColon(s.face) ? border : hidden);
    ctl.shpClockDots[1]->setFillColor(border);
    for (int clock = FirstPenaltyClock; clock < ClockCount; ++clock) {
        const PenaltyControls& p = penaltyControls(clock);
        for (Shape* d : p.colon)
            d->setFillColor(s.penaltyColon(clock) ? border : hidden);
        p.lamp->setFillColor(s.penaltyLampLit(clock) ? lit : dark);
    }
    ctl.shpGoalH->setFillColor(s.WhoGoal == GoalLamp::Home ? lit : dark);
    ctl.shpGoalV->setFillColor(s.WhoGoal == GoalLamp::Visitor ? lit : dark);
    for (Team t : Teams) {
        const size_t waiting = s.waitingOf(t).size();
        lblWaiting(t)->setCaption(waiting ? QStringLiteral("+%1").arg(waiting) : QString());
    }
    // A field selected elsewhere (another view, the console) gets the marker.
    if (s.selected != markedField) {
        markedField = s.selected;
        ObjectSelected(box(markedField));
    }
}

void BoardView::ObjectSelected(Control* SelectedObject)
{
    Shape* marker = ctl.shpObjectSelected;
    const double w = viewed.settings().LEDSelectedWidth * twips::PerPixel;
    marker->setVisible(false);
    if (!SelectedObject)
        return;
    // The marker is one pixel wider and higher than a symmetric frame.
    marker->Move(SelectedObject->Left() - w, SelectedObject->Top() - w,
                 SelectedObject->Width() + 2 * w + twips::PerPixel,
                 SelectedObject->Height() + 2 * w + twips::PerPixel);
    marker->setVisible(true);
}

void BoardView::resizeEvent(QResizeEvent* e)
{
    Form::resizeEvent(e);
    // A minimised board keeps its layout (the stretch does nothing then); the marker still
    // goes and the names are set again.
    StretchLayout(*this, layoutTable);
    ObjectSelected(nullptr);
    UpdateLabels();
}
