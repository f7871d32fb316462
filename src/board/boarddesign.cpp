// SPDX-License-Identifier: GPL-3.0-or-later
#include "boarddesign.h"

#include <array>

namespace {

constexpr int32_t White = 16777215;
constexpr int32_t Black = 0;
constexpr int32_t Grey = 8421504;
constexpr int32_t Orange = 33023;
constexpr int32_t BoardBack = BoardBackColor;
constexpr int32_t NoBorder = DesignRow::NoColor;
constexpr int32_t NoFill = DesignRow::NoColor;

// clang-format off
constexpr DesignRow Board[] = {
    // Frames around the board and the clock, and the selection marker beneath the fields.
    {.kind = DesignRow::Kind::Shape, .name = "shpBoardFrame", .left = 120, .top = 120, .width = 9255, .height = 6495, .shape = Shape::Kind::RoundedRectangle, .borderWidth = 7, .borderColor = White, .fillColor = NoFill},
    {.kind = DesignRow::Kind::Shape, .name = "shpClockFrame", .left = 2693, .top = 120, .width = 4095, .height = 1725, .shape = Shape::Kind::RoundedRectangle, .borderWidth = 7, .borderColor = White, .fillColor = NoFill},
    {.kind = DesignRow::Kind::Shape, .name = "shpObjectSelected", .left = 4560, .top = 3000, .width = 255, .height = 255, .shape = Shape::Kind::Rectangle, .borderWidth = 1, .borderColor = NoBorder, .fillColor = 255, .visible = false},
    // Team names.
    {.kind = DesignRow::Kind::PictureBox, .name = "picHomeContainer", .left = 610, .top = 300, .width = 1925, .height = 600, .backColor = BoardBack},
    {.kind = DesignRow::Kind::Label, .name = "lblHome", .parent = "picHomeContainer", .left = 300, .top = 0, .width = 1335, .height = 555, .caption = QT_TRANSLATE_NOOP("Design", "Home"), .font = "Arial", .fontSize = 24, .bold = true, .align = Label::Align::Center, .autoSize = true, .foreColor = White},
    {.kind = DesignRow::Kind::PictureBox, .name = "picVisitorContainer", .left = 6960, .top = 300, .width = 1925, .height = 600, .backColor = BoardBack},
    {.kind = DesignRow::Kind::Label, .name = "lblVisitor", .parent = "picVisitorContainer", .left = 195, .top = 0, .width = 1545, .height = 555, .caption = QT_TRANSLATE_NOOP("Design", "Visitor"), .font = "Arial", .fontSize = 24, .bold = true, .align = Label::Align::Center, .autoSize = true, .foreColor = White},
    // Game clock.
    {.kind = DesignRow::Kind::PictureBox, .name = "TimeBack", .left = 2835, .top = 240, .width = 3810, .height = 1455, .backColor = Black, .tabIndex = 0},
    {.kind = DesignRow::Kind::PolyLED, .name = "pledTime", .index = 0, .parent = "TimeBack", .left = 120, .top = 135, .ledSize = 80},
    {.kind = DesignRow::Kind::PolyLED, .name = "pledTime", .index = 1, .parent = "TimeBack", .left = 960, .top = 135, .ledSize = 80},
    {.kind = DesignRow::Kind::PolyLED, .name = "pledTime", .index = 2, .parent = "TimeBack", .left = 2160, .top = 135, .ledSize = 80},
    {.kind = DesignRow::Kind::PolyLED, .name = "pledTime", .index = 3, .parent = "TimeBack", .left = 3000, .top = 135, .ledSize = 80},
    {.kind = DesignRow::Kind::Shape, .name = "shpClockDots", .index = 0, .parent = "TimeBack", .left = 1800, .top = 300, .width = 195, .height = 195, .shape = Shape::Kind::Oval, .borderWidth = 1, .borderColor = NoBorder, .fillColor = White},
    {.kind = DesignRow::Kind::Shape, .name = "shpClockDots", .index = 1, .parent = "TimeBack", .left = 1800, .top = 1000, .width = 200, .height = 200, .shape = Shape::Kind::Oval, .borderWidth = 1, .borderColor = NoBorder, .fillColor = White},
    // Scores; the hundreds digit hangs 360 twips outside its field, so only its right part (the segments of a one) shows.
    {.kind = DesignRow::Kind::PictureBox, .name = "HomeBack", .left = 360, .top = 960, .width = 2175, .height = 1335, .backColor = Black, .tabIndex = 1},
    {.kind = DesignRow::Kind::PolyLED, .name = "pledHome", .index = 0, .parent = "HomeBack", .left = 1320, .top = 105, .ledSize = 75, .digit = 0},
    {.kind = DesignRow::Kind::PolyLED, .name = "pledHome", .index = 1, .parent = "HomeBack", .left = 480, .top = 105, .ledSize = 75},
    {.kind = DesignRow::Kind::PolyLED, .name = "pledHome", .index = 2, .parent = "HomeBack", .left = -360, .top = 105, .ledSize = 75},
    {.kind = DesignRow::Kind::PictureBox, .name = "VisitorBack", .left = 6960, .top = 960, .width = 2175, .height = 1335, .backColor = Black, .tabIndex = 2},
    {.kind = DesignRow::Kind::PolyLED, .name = "pledVisitor", .index = 0, .parent = "VisitorBack", .left = 1320, .top = 105, .ledSize = 75, .digit = 0},
    {.kind = DesignRow::Kind::PolyLED, .name = "pledVisitor", .index = 1, .parent = "VisitorBack", .left = 480, .top = 105, .ledSize = 75},
    {.kind = DesignRow::Kind::PolyLED, .name = "pledVisitor", .index = 2, .parent = "VisitorBack", .left = -360, .top = 105, .ledSize = 75},
    // Goal indicator.
    {.kind = DesignRow::Kind::PictureBox, .name = "picGoalBack", .left = 2693, .top = 2040, .width = 4095, .height = 375, .backColor = Grey, .tabIndex = 3},
    {.kind = DesignRow::Kind::Shape, .name = "shpGoalH", .parent = "picGoalBack", .left = 60, .top = 60, .width = 495, .height = 255, .shape = Shape::Kind::Oval, .borderWidth = 4, .borderColor = Black, .fillColor = Orange},
    {.kind = DesignRow::Kind::Label, .name = "lblGoalH", .parent = "picGoalBack", .left = 660, .top = 0, .width = 975, .height = 360, .caption = QT_TRANSLATE_NOOP("Design", "GOAL"), .font = "Arial", .fontSize = 15.75, .bold = true, .align = Label::Align::Left, .foreColor = White},
    {.kind = DesignRow::Kind::Label, .name = "lblGoalV", .parent = "picGoalBack", .left = 2460, .top = 0, .width = 975, .height = 360, .caption = QT_TRANSLATE_NOOP("Design", "GOAL"), .font = "Arial", .fontSize = 15.75, .bold = true, .align = Label::Align::Right, .foreColor = White},
    {.kind = DesignRow::Kind::Shape, .name = "shpGoalV", .parent = "picGoalBack", .left = 3540, .top = 60, .width = 495, .height = 255, .shape = Shape::Kind::Oval, .borderWidth = 4, .borderColor = Black, .fillColor = Orange},
    {.kind = DesignRow::Kind::Image, .name = "imgGoalCoverH", .parent = "picGoalBack", .left = 60, .top = 60, .width = 495, .height = 255},
    {.kind = DesignRow::Kind::Image, .name = "imgGoalCoverV", .parent = "picGoalBack", .left = 3540, .top = 60, .width = 495, .height = 255},
    // Shots on goal and period.
    {.kind = DesignRow::Kind::PictureBox, .name = "ShotsBackH", .left = 1560, .top = 2880, .width = 1170, .height = 960, .backColor = Black, .tabIndex = 4},
    {.kind = DesignRow::Kind::PolyLED, .name = "pledSOGH", .index = 0, .parent = "ShotsBackH", .left = 645, .top = 60, .ledSize = 55, .digit = 0},
    {.kind = DesignRow::Kind::PolyLED, .name = "pledSOGH", .index = 1, .parent = "ShotsBackH", .left = 60, .top = 60, .ledSize = 55},
    {.kind = DesignRow::Kind::PictureBox, .name = "PeriodBack", .left = 4410, .top = 2880, .width = 660, .height = 1095, .backColor = Black, .tabIndex = 5},
    {.kind = DesignRow::Kind::PolyLED, .name = "pledPeriod", .index = 0, .parent = "PeriodBack", .left = 60, .top = 60, .ledSize = 65, .digit = 0},
    {.kind = DesignRow::Kind::PictureBox, .name = "ShotsBackV", .left = 6720, .top = 2880, .width = 1170, .height = 960, .backColor = Black, .tabIndex = 6},
    {.kind = DesignRow::Kind::PolyLED, .name = "pledSOGV", .index = 0, .parent = "ShotsBackV", .left = 645, .top = 60, .ledSize = 55, .digit = 0},
    {.kind = DesignRow::Kind::PolyLED, .name = "pledSOGV", .index = 1, .parent = "ShotsBackV", .left = 60, .top = 60, .ledSize = 55},
    // Penalties: player number and time left, two slots per team.
    {.kind = DesignRow::Kind::PictureBox, .name = "PenaltyPH1", .left = 480, .top = 4320, .width = 1170, .height = 960, .backColor = Black, .tabIndex = 7},
    {.kind = DesignRow::Kind::PolyLED, .name = "pledPenaltyPH1", .index = 0, .parent = "PenaltyPH1", .left = 645, .top = 60, .ledSize = 55},
    {.kind = DesignRow::Kind::PolyLED, .name = "pledPenaltyPH1", .index = 1, .parent = "PenaltyPH1", .left = 60, .top = 60, .ledSize = 55},
    {.kind = DesignRow::Kind::PictureBox, .name = "PenaltyTH1", .left = 1920, .top = 4320, .width = 2070, .height = 975, .backColor = Black, .tabIndex = 8},
    {.kind = DesignRow::Kind::PolyLED, .name = "pledPenaltyTH1", .index = 0, .parent = "PenaltyTH1", .left = 1545, .top = 60, .ledSize = 55},
    {.kind = DesignRow::Kind::PolyLED, .name = "pledPenaltyTH1", .index = 1, .parent = "PenaltyTH1", .left = 960, .top = 60, .ledSize = 55},
    {.kind = DesignRow::Kind::PolyLED, .name = "pledPenaltyTH1", .index = 2, .parent = "PenaltyTH1", .left = 60, .top = 60, .ledSize = 55},
    {.kind = DesignRow::Kind::Shape, .name = "dotPenaltyTH1", .index = 0, .parent = "PenaltyTH1", .left = 660, .top = 240, .width = 165, .height = 165, .shape = Shape::Kind::Circle, .borderWidth = 1, .borderColor = NoBorder, .fillColor = White},
    {.kind = DesignRow::Kind::Shape, .name = "dotPenaltyTH1", .index = 1, .parent = "PenaltyTH1", .left = 660, .top = 600, .width = 165, .height = 165, .shape = Shape::Kind::Circle, .borderWidth = 1, .borderColor = NoBorder, .fillColor = White},
    {.kind = DesignRow::Kind::PictureBox, .name = "PenaltyPV1", .left = 5520, .top = 4320, .width = 1170, .height = 960, .backColor = Black, .tabIndex = 9},
    {.kind = DesignRow::Kind::PolyLED, .name = "pledPenaltyPV1", .index = 0, .parent = "PenaltyPV1", .left = 645, .top = 60, .ledSize = 55},
    {.kind = DesignRow::Kind::PolyLED, .name = "pledPenaltyPV1", .index = 1, .parent = "PenaltyPV1", .left = 60, .top = 60, .ledSize = 55},
    {.kind = DesignRow::Kind::PictureBox, .name = "PenaltyTV1", .left = 6960, .top = 4320, .width = 2070, .height = 975, .backColor = Black, .tabIndex = 10},
    {.kind = DesignRow::Kind::PolyLED, .name = "pledPenaltyTV1", .index = 0, .parent = "PenaltyTV1", .left = 1545, .top = 60, .ledSize = 55},
    {.kind = DesignRow::Kind::PolyLED, .name = "pledPenaltyTV1", .index = 1, .parent = "PenaltyTV1", .left = 960, .top = 60, .ledSize = 55},
    {.kind = DesignRow::Kind::PolyLED, .name = "pledPenaltyTV1", .index = 2, .parent = "PenaltyTV1", .left = 60, .top = 60, .ledSize = 55},
    {.kind = DesignRow::Kind::Shape, .name = "dotPenaltyTV1", .index = 0, .parent = "PenaltyTV1", .left = 660, .top = 240, .width = 165, .height = 165, .shape = Shape::Kind::Circle, .borderWidth = 1, .borderColor = NoBorder, .fillColor = White},
    {.kind = DesignRow::Kind::Shape, .name = "dotPenaltyTV1", .index = 1, .parent = "PenaltyTV1", .left = 660, .top = 600, .width = 165, .height = 165, .shape = Shape::Kind::Circle, .borderWidth = 1, .borderColor = NoBorder, .fillColor = White},
    {.kind = DesignRow::Kind::PictureBox, .name = "PenaltyPH2", .left = 480, .top = 5400, .width = 1170, .height = 960, .backColor = Black, .tabIndex = 11},
    {.kind = DesignRow::Kind::PolyLED, .name = "pledPenaltyPH2", .index = 0, .parent = "PenaltyPH2", .left = 645, .top = 60, .ledSize = 55},
    {.kind = DesignRow::Kind::PolyLED, .name = "pledPenaltyPH2", .index = 1, .parent = "PenaltyPH2", .left = 60, .top = 60, .ledSize = 55},
    {.kind = DesignRow::Kind::PictureBox, .name = "PenaltyTH2", .left = 1920, .top = 5400, .width = 2070, .height = 975, .backColor = Black, .tabIndex = 12},
    {.kind = DesignRow::Kind::PolyLED, .name = "pledPenaltyTH2", .index = 0, .parent = "PenaltyTH2", .left = 1545, .top = 60, .ledSize = 55},
    {.kind = DesignRow::Kind::PolyLED, .name = "pledPenaltyTH2", .index = 1, .parent = "PenaltyTH2", .left = 960, .top = 60, .ledSize = 55},
    {.kind = DesignRow::Kind::PolyLED, .name = "pledPenaltyTH2", .index = 2, .parent = "PenaltyTH2", .left = 60, .top = 60, .ledSize = 55},
    {.kind = DesignRow::Kind::Shape, .name = "dotPenaltyTH2", .index = 0, .parent = "PenaltyTH2", .left = 660, .top = 240, .width = 165, .height = 165, .shape = Shape::Kind::Circle, .borderWidth = 1, .borderColor = NoBorder, .fillColor = White},
    {.kind = DesignRow::Kind::Shape, .name = "dotPenaltyTH2", .index = 1, .parent = "PenaltyTH2", .left = 660, .top = 600, .width = 165, .height = 165, .shape = Shape::Kind::Circle, .borderWidth = 1, .borderColor = NoBorder, .fillColor = White},
    {.kind = DesignRow::Kind::PictureBox, .name = "PenaltyPV2", .left = 5520, .top = 5400, .width = 1170, .height = 960, .backColor = Black, .tabIndex = 13},
    {.kind = DesignRow::Kind::PolyLED, .name = "pledPenaltyPV2", .index = 0, .parent = "PenaltyPV2", .left = 645, .top = 60, .ledSize = 55},
    {.kind = DesignRow::Kind::PolyLED, .name = "pledPenaltyPV2", .index = 1, .parent = "PenaltyPV2", .left = 60, .top = 60, .ledSize = 55},
    {.kind = DesignRow::Kind::PictureBox, .name = "PenaltyTV2", .left = 6960, .top = 5400, .width = 2070, .height = 975, .backColor = Black, .tabIndex = 14},
    {.kind = DesignRow::Kind::PolyLED, .name = "pledPenaltyTV2", .index = 0, .parent = "PenaltyTV2", .left = 1545, .top = 60, .ledSize = 55},
    {.kind = DesignRow::Kind::PolyLED, .name = "pledPenaltyTV2", .index = 1, .parent = "PenaltyTV2", .left = 960, .top = 60, .ledSize = 55},
    {.kind = DesignRow::Kind::PolyLED, .name = "pledPenaltyTV2", .index = 2, .parent = "PenaltyTV2", .left = 60, .top = 60, .ledSize = 55},
    {.kind = DesignRow::Kind::Shape, .name = "dotPenaltyTV2", .index = 0, .parent = "PenaltyTV2", .left = 660, .top = 240, .width = 165, .height = 165, .shape = Shape::Kind::Circle, .borderWidth = 1, .borderColor = NoBorder, .fillColor = White},
    {.kind = DesignRow::Kind::Shape, .name = "dotPenaltyTV2", .index = 1, .parent = "PenaltyTV2", .left = 660, .top = 600, .width = 165, .height = 165, .shape = Shape::Kind::Circle, .borderWidth = 1, .borderColor = NoBorder, .fillColor = White},
    // Captions.
    {.kind = DesignRow::Kind::Label, .name = "lblPenaltyH", .left = 1320, .top = 2400, .width = 1215, .height = 375, .caption = QT_TRANSLATE_NOOP("Design", "Penalty"), .font = "Arial", .fontSize = 15.75, .bold = true, .align = Label::Align::Left, .foreColor = White},
    {.kind = DesignRow::Kind::Label, .name = "lblPenaltyV", .left = 6960, .top = 2400, .width = 1215, .height = 375, .caption = QT_TRANSLATE_NOOP("Design", "Penalty"), .font = "Arial", .fontSize = 15.75, .bold = true, .align = Label::Align::Right, .foreColor = White},
    {.kind = DesignRow::Kind::Label, .name = "lblSOGH", .left = 2880, .top = 2880, .width = 1095, .height = 975, .caption = QT_TRANSLATE_NOOP("Design", "SHOTS ON GOAL"), .font = "Arial", .fontSize = 14.25, .bold = false, .align = Label::Align::Center, .wordWrap = true, .foreColor = White},
    {.kind = DesignRow::Kind::Label, .name = "lblSOGV", .left = 5520, .top = 2880, .width = 1095, .height = 975, .caption = QT_TRANSLATE_NOOP("Design", "SHOTS ON GOAL"), .font = "Arial", .fontSize = 14.25, .bold = false, .align = Label::Align::Center, .wordWrap = true, .foreColor = White},
    {.kind = DesignRow::Kind::Label, .name = "lblPeriod", .left = 4080, .top = 4020, .width = 1335, .height = 375, .caption = QT_TRANSLATE_NOOP("Design", "PERIOD"), .font = "Arial", .fontSize = 15.75, .bold = true, .align = Label::Align::Center, .foreColor = White},
    {.kind = DesignRow::Kind::Label, .name = "lblPPH", .left = 1080, .top = 3900, .width = 3015, .height = 375, .caption = QT_TRANSLATE_NOOP("Design", "Player Penalty"), .font = "Arial", .fontSize = 15.75, .bold = true, .align = Label::Align::Center, .foreColor = White},
    {.kind = DesignRow::Kind::Label, .name = "lblPPV", .left = 5400, .top = 3900, .width = 3015, .height = 375, .caption = QT_TRANSLATE_NOOP("Design", "Player Penalty"), .font = "Arial", .fontSize = 15.75, .bold = true, .align = Label::Align::Center, .foreColor = White},
    // Waiting penalties ("+1") beside each "Player Penalty", on the side towards the period.
    {.kind = DesignRow::Kind::Label, .name = "lblWaitingH", .left = 3720, .top = 3900, .width = 600, .height = 375, .caption = "", .font = "Arial", .fontSize = 15.75, .bold = true, .align = Label::Align::Left, .foreColor = White},
    {.kind = DesignRow::Kind::Label, .name = "lblWaitingV", .left = 5130, .top = 3900, .width = 600, .height = 375, .caption = "", .font = "Arial", .fontSize = 15.75, .bold = true, .align = Label::Align::Right, .foreColor = White},
    // The board caption (a setting, none by default); a long one is drawn smaller to show whole.
    {.kind = DesignRow::Kind::Label, .name = "lblBoardCaption", .left = 3240, .top = 2520, .width = 3015, .height = 375, .caption = "", .font = "Arial", .fontSize = 11.25, .bold = true, .align = Label::Align::Center, .shrinkToFit = true, .foreColor = White},
    // Penalty lamps; lamp 0 of a team is the one nearer its caption and belongs to slot 1.
    {.kind = DesignRow::Kind::Shape, .name = "shpPenaltyH", .index = 0, .left = 960, .top = 2460, .width = 255, .height = 255, .shape = Shape::Kind::Circle, .borderWidth = 2, .borderColor = Black, .fillColor = Orange},
    {.kind = DesignRow::Kind::Shape, .name = "shpPenaltyH", .index = 1, .left = 600, .top = 2460, .width = 255, .height = 255, .shape = Shape::Kind::Circle, .borderWidth = 2, .borderColor = Black, .fillColor = Orange},
    {.kind = DesignRow::Kind::Shape, .name = "shpPenaltyV", .index = 0, .left = 8280, .top = 2460, .width = 255, .height = 255, .shape = Shape::Kind::Circle, .borderWidth = 2, .borderColor = Black, .fillColor = Orange},
    {.kind = DesignRow::Kind::Shape, .name = "shpPenaltyV", .index = 1, .left = 8640, .top = 2460, .width = 255, .height = 255, .shape = Shape::Kind::Circle, .borderWidth = 2, .borderColor = Black, .fillColor = Orange},
    // Pictures.
    {.kind = DesignRow::Kind::PictureBox, .name = "picHomePicContainer", .left = 250, .top = 2820, .width = 1240, .height = 1395, .backColor = Grey},
    {.kind = DesignRow::Kind::Image, .name = "imgHomePic", .parent = "picHomePicContainer", .left = 0, .top = 0, .width = 1240, .height = 1395, .stretch = true},
    {.kind = DesignRow::Kind::PictureBox, .name = "picVisitorPicContainer", .left = 7990, .top = 2820, .width = 1240, .height = 1395, .backColor = Grey},
    {.kind = DesignRow::Kind::Image, .name = "imgVisitorPic", .parent = "picVisitorPicContainer", .left = 0, .top = 0, .width = 1240, .height = 1395, .stretch = true},
    {.kind = DesignRow::Kind::PictureBox, .name = "picBoardPicContainer", .left = 4115, .top = 4680, .width = 1335, .height = 1695, .backColor = Grey},
    {.kind = DesignRow::Kind::Image, .name = "imgBoardPic", .parent = "picBoardPicContainer", .left = 0, .top = 0, .width = 1335, .height = 1695, .stretch = true},
};
// clang-format on

} // namespace

std::span<const DesignRow> boardDesign()
{
    return Board;
}
