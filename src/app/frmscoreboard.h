#pragma once

#include "clockvalue.h"
#include "digitrows.h"
#include "form.h"
#include "layout.h"

#include <QTimer>
#include <array>
#include <cstdint>
#include <vector>

class Image;
class Label;
class MMControl;
class PictureBox;
class PolyLED;
class Shape;
class QKeyEvent;

// The scoreboard: the program's main window, driven from the keyboard.
//
// The class is declared here once; its methods live with the subsystem they belong to:
// src/clock (tick, clock commands, horn and buzzer), src/keyboard (key dispatch, selection
// and number entry, penalties, goal lamps, NumLock), src/display (colours, layout, names and
// pictures) and src/app (the controls, load and unload).
class frmScoreBoard : public Form
{
    Q_OBJECT
public:
    explicit frmScoreBoard(QWidget* parent = nullptr);
    ~frmScoreBoard() override;

    // One of the fifteen selectable fields, in tab order.
    struct Field
    {
        PictureBox* container = nullptr;
        DigitRow* row = nullptr; // null for the goal indicator
        int16_t minValue = 0;    // number entry range, for the fields that take numbers
        int16_t maxValue = 0;
    };
    const std::array<Field, 15>& fields() const { return fieldTable; }

    // A penalty slot: its player and time rows, the colon between minutes and seconds, and
    // its lamp. Slots are numbered by their clock: 1 home 1, 2 home 2, 3 visitor 1, 4 visitor 2.
    struct PenaltySlot
    {
        const DigitRow* player = nullptr;
        const DigitRow* time = nullptr;
        const std::vector<Shape*>* colon = nullptr;
        Shape* lamp = nullptr;
    };
    const PenaltySlot& penaltySlot(int clock) const { return slotTable[clock - 1]; }

    // Window variables.
    int16_t ClockTime = 0;     // 0: the clock field shows the game clock; else the time of day
    int16_t BuzzerPlaying = 0; // -1 while the horn or the buzzer plays
    int16_t WhoGoal = 0;       // lit goal lamp: 0 none, 1 home, 2 visitor
    int16_t BuzzedAtZero = 0;  // -1 once the buzzer has sounded for the clock standing at zero

    // Fields.
    PictureBox* TimeBack = nullptr;
    PictureBox* HomeBack = nullptr;
    PictureBox* VisitorBack = nullptr;
    PictureBox* picGoalBack = nullptr;
    PictureBox* ShotsBackH = nullptr;
    PictureBox* PeriodBack = nullptr;
    PictureBox* ShotsBackV = nullptr;
    PictureBox* PenaltyPH1 = nullptr;
    PictureBox* PenaltyTH1 = nullptr;
    PictureBox* PenaltyPV1 = nullptr;
    PictureBox* PenaltyTV1 = nullptr;
    PictureBox* PenaltyPH2 = nullptr;
    PictureBox* PenaltyTH2 = nullptr;
    PictureBox* PenaltyPV2 = nullptr;
    PictureBox* PenaltyTV2 = nullptr;

    // Digit rows and colon dots.
    DigitRow pledTime, pledHome, pledVisitor, pledSOGH, pledSOGV, pledPeriod;
    DigitRow pledPenaltyPH1, pledPenaltyPH2, pledPenaltyPV1, pledPenaltyPV2;
    DigitRow pledPenaltyTH1, pledPenaltyTH2, pledPenaltyTV1, pledPenaltyTV2;
    std::vector<Shape*> Shape2;
    std::vector<Shape*> dotPenaltyTH1, dotPenaltyTH2, dotPenaltyTV1, dotPenaltyTV2;

    // Goal strip, lamps, labels, frames, marker and pictures.
    Shape* shpGoalH = nullptr;
    Shape* shpGoalV = nullptr;
    Label* lblGoalH = nullptr;
    Label* lblGoalV = nullptr;
    Image* imgGoalCoverH = nullptr;
    Image* imgGoalCoverV = nullptr;
    std::vector<Shape*> shpPenaltyH;
    std::vector<Shape*> shpPenaltyV;
    Shape* Shape1 = nullptr;
    Shape* Shape3 = nullptr;
    Shape* shpObjectSelected = nullptr;
    PictureBox* picHomeContainer = nullptr;
    PictureBox* picVisitorContainer = nullptr;
    Label* lblHome = nullptr;
    Label* lblVisitor = nullptr;
    PictureBox* picHomePicContainer = nullptr;
    PictureBox* picVisitorPicContainer = nullptr;
    PictureBox* picBoardPicContainer = nullptr;
    Image* imgHomePic = nullptr;
    Image* imgVisitorPic = nullptr;
    Image* imgBoardPic = nullptr;

    // Non-visual members.
    QTimer tmrClock1;
    MMControl* mmcBuzzer = nullptr;
    MMControl* mmcHorn = nullptr;
    LayoutTable layoutTable;

    // --- display (src/display) ---
    void UpdateLabels();
    void UpdateFormColors();
    void UpdatePenaltyColonColors();
    double RSize(int16_t Value) const;
    void CaptureBoardLayout();

    // --- clock (src/clock) ---
    void DisplayTime(const DigitRow& ClockObject, ClockValue DispSec);
    void tmrClock1_Timer();
    void StartStopCommand();
    void ResetCommand();
    void ClockSwitchCommand();
    void TypeGameTime(int16_t ch);
    void StopClockCounting(int i);
    void startTick();
    void Buzzer();
    void Horn();
    void ReopenSounds();
    void SoundDone(MMControl* player);
    void OpenSounds();
    void CloseSounds();

    // --- keyboard (src/keyboard) ---
    void AllKeyCode(int16_t KeyCode);
    void AllKeyUp(int16_t KeyCode, int16_t Shift);
    int16_t KeyCodeToAsci(int16_t KeyCode) const;
    void ObjectSelected(Control* SelectedObject);
    void EnterDigits(const DigitRow& Digits, int16_t Character, int16_t MinValue, int16_t MaxValue);
    void Penalty();
    void ClearPenalty(int16_t ClockNum, const DigitRow& PlayerObj, const DigitRow& TimeObj);
    void UpdateGoal();
    void UpdateNumLock();
    void FieldKeyDown(int fieldIndex, QKeyEvent* e);
    void FieldKeyUp(int fieldIndex, QKeyEvent* e);
    bool ignoredByEntry(int16_t KeyCode) const;
    void PenaltyPlayerKeyDown(int slot, int16_t KeyCode);
    void PenaltyTimeKeyDown(int slot, int16_t KeyCode);
    void GoalKeyDown(int16_t KeyCode);
    void ShowHelp();
    void ShowOptions();

protected:
    void resizeEvent(QResizeEvent* e) override;
    void keyPressEvent(QKeyEvent* e) override;
    void closeEvent(QCloseEvent* e) override;

private:
    void buildBoard();
    void wireFields();
    void Form_Load();
    void Form_Resize();

    std::array<Field, 15> fieldTable{};
    std::array<PenaltySlot, 4> slotTable{};
};
