// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "digitrow.h"
#include "form.h"
#include "game.h"
#include "layout.h"

#include <array>
#include <optional>
#include <vector>

class Image;
class Label;
class PictureBox;
class PolyLED;
class Shape;

// The digits of one field as the board draws them, by cell (see DigitRow).
using LedRow = std::vector<PolyLED*>;

// The board's face: its controls made from the design table, coloured, named and laid out by
// the game's settings, drawing the game's state. The scoreboard window is one; the operator's
// console shows another, smaller, drawn by the same code from the same game, so that the two
// show the same pixels at the same size. Only what changed is repainted. The marker follows
// the game's selected field.
class BoardView : public Form
{
    Q_OBJECT
    Q_DISABLE_COPY(BoardView)
public:
    explicit BoardView(const Game& game, QWidget* parent = nullptr,
                       Qt::WindowFlags flags = Qt::Widget);
    ~BoardView() override;

    const Game& viewedGame() const { return viewed; }

    // The controls of a field, in tab order (see Field).
    struct FieldControls
    {
        PictureBox* container = nullptr;
        LedRow digits; // empty for the goal indicator
    };
    const FieldControls& field(Field f) const { return fieldTable[static_cast<size_t>(index(f))]; }
    PictureBox* box(Field f) const { return field(f).container; }
    // The field under a point of the view, if any.
    std::optional<Field> fieldAt(QPoint at) const;

    // A penalty slot's colon dots and lamp, by its clock (1 to 4).
    struct PenaltyControls
    {
        std::vector<Shape*> colon;
        Shape* lamp = nullptr;
    };
    const PenaltyControls& penaltyControls(int clock) const
    {
        return penaltyTable[static_cast<size_t>(clock - 1)];
    }

    // Frames, labels and pictures, by their design names.
    Shape* shpClockFrame() const { return ctl.shpClockFrame; }
    Shape* shpBoardFrame() const { return ctl.shpBoardFrame; }
    const std::vector<Shape*>& shpClockDots() const { return ctl.shpClockDots; } // 0 upper
    Shape* shpObjectSelected() const { return ctl.shpObjectSelected; }
    Shape* shpGoalH() const { return ctl.shpGoalH; }
    Shape* shpGoalV() const { return ctl.shpGoalV; }
    Label* lblGoalH() const { return ctl.lblGoalH; }
    Label* lblGoalV() const { return ctl.lblGoalV; }
    Image* imgGoalCoverH() const { return ctl.imgGoalCoverH; }
    Image* imgGoalCoverV() const { return ctl.imgGoalCoverV; }
    PictureBox* picHomeContainer() const { return ctl.picHomeContainer; }
    PictureBox* picVisitorContainer() const { return ctl.picVisitorContainer; }
    Label* lblHome() const { return ctl.lblHome; }
    Label* lblVisitor() const { return ctl.lblVisitor; }
    Label* lblWaiting(Team t) const { return ctl.lblWaiting[static_cast<size_t>(t)]; }
    Label* lblBoardCaption() const { return ctl.lblBoardCaption; }
    PictureBox* picHomePicContainer() const { return ctl.picHomePicContainer; }
    PictureBox* picVisitorPicContainer() const { return ctl.picVisitorPicContainer; }
    PictureBox* picBoardPicContainer() const { return ctl.picBoardPicContainer; }
    Image* imgHomePic() const { return ctl.imgHomePic; }
    Image* imgVisitorPic() const { return ctl.imgVisitorPic; }
    Image* imgBoardPic() const { return ctl.imgBoardPic; }

    // The geometry the layout scales from, as recorded at load.
    const LayoutTable& layout() const { return layoutTable; }

    // Draws the game's state: digits, colon dots, lamps, and the marker on a newly selected
    // field. Only what changed is repainted.
    void render();

    // The marker around the selected field (hidden for null).
    void ObjectSelected(Control* SelectedObject);
    void UpdateLabels();
    void UpdateFormColors();
    double RSize(int16_t Value) const;

protected:
    void resizeEvent(QResizeEvent* e) override;

private:
    void buildBoard();

    // The controls the view draws on, made once from the design table.
    struct DesignControls
    {
        Shape* shpClockFrame = nullptr;
        Shape* shpBoardFrame = nullptr;
        std::vector<Shape*> shpClockDots;
        Shape* shpObjectSelected = nullptr;
        Shape* shpGoalH = nullptr;
        Shape* shpGoalV = nullptr;
        Label* lblGoalH = nullptr;
        Label* lblGoalV = nullptr;
        Image* imgGoalCoverH = nullptr;
        Image* imgGoalCoverV = nullptr;
        PictureBox* picHomeContainer = nullptr;
        PictureBox* picVisitorContainer = nullptr;
        Label* lblHome = nullptr;
        Label* lblVisitor = nullptr;
        std::array<Label*, 2> lblWaiting{}; // beside each team's "Player Penalty": "+1"
        Label* lblBoardCaption = nullptr;
        PictureBox* picHomePicContainer = nullptr;
        PictureBox* picVisitorPicContainer = nullptr;
        PictureBox* picBoardPicContainer = nullptr;
        Image* imgHomePic = nullptr;
        Image* imgVisitorPic = nullptr;
        Image* imgBoardPic = nullptr;
    };

    const Game& viewed;
    DesignControls ctl;
    LayoutTable layoutTable;
    std::array<FieldControls, FieldCount> fieldTable{};
    std::array<PenaltyControls, 4> penaltyTable{};
    std::array<DigitRow, FieldCount> drawnRows{};               // as the digits show them now
    std::array<std::optional<int64_t>, FieldCount> drawnFrom{}; // their fieldSource
    Field markedField;                                          // the selection last marked
};
