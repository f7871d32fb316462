// SPDX-License-Identifier: GPL-3.0-or-later
// The board's names, caption, pictures and digit style.
#include "boardcolors.h"
#include "frmscoreboard.h"
#include "image.h"
#include "label.h"
#include "layout.h"
#include "picturebox.h"
#include "pictures.h"

#include <algorithm>

namespace {

constexpr int64_t MaxTeamSize = 500;

void centreIn(Label* l, PictureBox* box)
{
    l->setTop(box->Height() / 2 - l->Height() / 2);
    l->setLeft(box->Width() / 2 - l->Width() / 2);
}

} // namespace

void frmScoreBoard::UpdateLabels()
{
    const SettingVariables& s = game().settings();
    setWindowTitle(QStringLiteral("Pucklight - ") + s.HomeText);

    // The dialog offers 9 to 60 points; a hand-edited store may hold anything.
    const auto teamSize =
        static_cast<int16_t>(std::clamp<int64_t>(s.TeamSize.roundedHalfEven(), 1, MaxTeamSize));
    // Like every font of the board, the names never go below one point.
    const auto size = std::max(1.0, static_cast<double>(static_cast<float>(RSize(teamSize))));
    lblHome->setCaption(s.HomeText);
    lblHome->setFontSize(size);
    lblVisitor->setCaption(s.VisitorText);
    lblVisitor->setFontSize(size);
    centreIn(lblHome, picHomeContainer);
    centreIn(lblVisitor, picVisitorContainer);
    find<Label>(QStringLiteral("lblBoardCaption"))->setCaption(s.BoardCaption);

    LoadFittedPicture(imgHomePic, picHomePicContainer, s.HomePic);
    LoadFittedPicture(imgVisitorPic, picVisitorPicContainer, s.VisitorPic);
    LoadFittedPicture(imgBoardPic, picBoardPicContainer, s.BoardPic);

    SetLedType(*this, s.LEDType);
}

double frmScoreBoard::RSize(int16_t Value) const
{
    return ::RSize(Value, OuterWidth(), OuterHeight());
}
