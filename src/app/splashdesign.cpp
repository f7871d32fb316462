// SPDX-License-Identifier: GPL-3.0-or-later
#include "splashdesign.h"

namespace {

using K = DesignRow::Kind;
using A = Label::Align;

// clang-format off
constexpr DesignRow Splash[] = {
    {.kind = K::Frame, .name = "frameSplash", .left = 120, .top = 0, .width = 6000, .height = 3120},
    {.kind = K::Label, .name = "lblName", .parent = "frameSplash", .left = 180, .top = 240, .width = 5655, .height = 735,
     .caption = "Pucklight", .font = "Times New Roman", .fontSize = 24, .align = A::Center},
    {.kind = K::Label, .name = "lblMadeBy", .parent = "frameSplash", .left = 4200, .top = 840, .width = 1575, .height = 255,
     .caption = QT_TRANSLATE_NOOP("Design", "by Velmaro"), .align = A::Right},
    {.kind = K::Label, .name = "lblVersion", .parent = "frameSplash", .left = 3600, .top = 1080, .width = 2175, .height = 375,
     .caption = "Version 1.0.0", .font = "Times New Roman", .fontSize = 15.75, .align = A::Right},
    {.kind = K::Label, .name = "lblClick", .parent = "frameSplash", .left = 2520, .top = 1080, .width = 1335, .height = 255,
     .caption = QT_TRANSLATE_NOOP("Design", "Click to continue.")},
    {.kind = K::Label, .name = "Label1", .parent = "frameSplash", .left = 2640, .top = 1680, .width = 3255, .height = 255,
     .caption = QT_TRANSLATE_NOOP("Design", "Press ' F1 ' to view Help from the scoreboard.")},
    {.kind = K::Label, .name = "Label2", .parent = "frameSplash", .left = 2640, .top = 1920, .width = 3255, .height = 375,
     .caption = QT_TRANSLATE_NOOP("Design", "Press ' F2 ' to set Options from the scoreboard.")},
    {.kind = K::CommandButton, .name = "cmdHelp", .parent = "frameSplash", .left = 3120, .top = 2520, .width = 1215, .height = 375,
     .caption = QT_TRANSLATE_NOOP("Design", "&Help")},
    {.kind = K::CommandButton, .name = "cmdOptions", .parent = "frameSplash", .left = 4560, .top = 2520, .width = 1215, .height = 375,
     .caption = QT_TRANSLATE_NOOP("Design", "&Options")},
    {.kind = K::PictureBox, .name = "picLogo", .parent = "frameSplash", .left = 120, .top = 1080, .width = 2250, .height = 1905},
};
// clang-format on

} // namespace

std::span<const DesignRow> splashDesign()
{
    return Splash;
}
