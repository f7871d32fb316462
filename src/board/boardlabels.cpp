// SPDX-License-Identifier: GPL-3.0-or-later
// The board's names, caption, pictures and digit style.
#include "boardcolors.h"
#include "boardview.h"
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

void BoardView::UpdateLabels()
{
    const SettingVariables& s = viewed.settings();
    setWindowTitle(QStringLiteral("Pucklight - ") + s.HomeText);

    // The dialog offers 9 to 60 points; a hand-edited store may hold anything.
    const auto teamSize =
        static_cast<int16_t>(std::clamp<int64_t>(s.TeamSize.roundedHalfEven(), 1, MaxTeamSize));
    // Like every font of the board, the names never go below one point.
    const auto size = std::max(1.0, static_cast<double>(static_cast<float>(RSize(teamSize))));
    ctl.lblHome->setCaption(s.HomeText);
    ctl.lblHome->setFontSize(size);
    ctl.lblVisitor->setCaption(s.VisitorText);
    ctl.lblVisitor->setFontSize(size);
    centreIn(ctl.lblHome, ctl.picHomeContainer);
    centreIn(ctl.lblVisitor, ctl.picVisitorContainer);
    ctl.lblBoardCaption->setCaption(s.BoardCaption);

    LoadFittedPicture(ctl.imgHomePic, ctl.picHomePicContainer, s.HomePic);
    LoadFittedPicture(ctl.imgVisitorPic, ctl.picVisitorPicContainer, s.VisitorPic);
    LoadFittedPicture(ctl.imgBoardPic, ctl.picBoardPicContainer, s.BoardPic);

    SetLedType(*this, s.LEDType);
}

double BoardView::RSize(int16_t Value) const
{
    return ::RSize(Value, OuterWidth(), OuterHeight());
}
