// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "digitrow.h"
#include "form.h"
#include "game.h"
#include "layout.h"

#include <QTimer>
#include <array>
#include <vector>

class Image;
class Label;
class MMControl;
class PictureBox;
class PolyLED;
class Shape;
class QKeyEvent;

// The digits of one field as the board draws them, by cell (see DigitRow).
using LedRow = std::vector<PolyLED*>;

// The scoreboard window: a view of the game, which the application owns and hands to it.
// It builds its controls from the design table, turns key events into key codes for the
// game, plays the sounds the game asks for and draws the game's state. It holds no state of
// the game itself.
class frmScoreBoard : public Form
{
    Q_OBJECT
    Q_DISABLE_COPY(frmScoreBoard)
public:
    explicit frmScoreBoard(Game& game, QWidget* parent = nullptr);
    ~frmScoreBoard() override;

    Game& game() { return theGame; }
    const Game& game() const { return theGame; }

    // The controls of a field, in tab order (see Field).
    struct FieldControls
    {
        PictureBox* container = nullptr;
        LedRow digits; // empty for the goal indicator
    };
    const FieldControls& field(Field f) const { return fieldTable[static_cast<size_t>(index(f))]; }
    PictureBox* box(Field f) const { return field(f).container; }

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

    // Takes new settings (after the options dialog): names, colours, NumLock, penalty lamps
    // and sounds.
    void applySettings(const SettingVariables& settings);

    // Takes up a saved game (see Game::resume) with its field selected.
    void resumeGame(const GameState& saved, const GameRecord& record);

    // The geometry the layout scales from, as recorded at load.
    const LayoutTable& layout() const { return layoutTable; }

    // Draws the game's state: digits, colon dots, lamps. Only what changed is repainted.
    void render();

    // The marker around the selected field (hidden for null).
    void ObjectSelected(Control* SelectedObject);
    void UpdateLabels();
    void UpdateFormColors();
    double RSize(int16_t Value) const;

    // Frames, labels and pictures, for the tests and the colour scheme.
    Shape* shpClockFrame = nullptr;
    Shape* shpBoardFrame = nullptr;
    std::vector<Shape*> shpClockDots; // 0 upper, 1 lower
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
    std::array<Label*, 2> lblWaiting{}; // beside each team's "Player Penalty": "+1"
    Label* lblVisitor = nullptr;
    PictureBox* picHomePicContainer = nullptr;
    PictureBox* picVisitorPicContainer = nullptr;
    PictureBox* picBoardPicContainer = nullptr;
    Image* imgHomePic = nullptr;
    Image* imgVisitorPic = nullptr;
    Image* imgBoardPic = nullptr;

    QTimer tmrClock1;
    MMControl* mmcBuzzer = nullptr;
    MMControl* mmcHorn = nullptr;

Q_SIGNALS:
    // F1 and F2: the windows that show them live above the board.
    void helpRequested();
    void optionsRequested();
    // F3: the waiting penalties.
    void waitingRequested();

protected:
    void resizeEvent(QResizeEvent* e) override;
    void keyPressEvent(QKeyEvent* e) override;
    void closeEvent(QCloseEvent* e) override;

private:
    void buildBoard();
    void wireFields();
    void Form_Load();
    void keyDown(QKeyEvent* e, std::optional<Field> on);
    void followTick(bool enabled);
    void OpenSounds();
    void ReopenSounds();
    void CloseSounds();
    void SoundDone(MMControl* player);
    void soundsChanged();

    Game& theGame;
    LayoutTable layoutTable;
    std::array<FieldControls, FieldCount> fieldTable{};
    std::array<PenaltyControls, 4> penaltyTable{};
    std::array<DigitRow, FieldCount> drawnRows{}; // as the digits show them now
    std::array<std::optional<int64_t>, FieldCount> drawnFrom{}; // their fieldSource
};
