#include "frmscoreboard.h"

#include "boardclock.h"
#include "boarddesign.h"
#include "clockdisplay.h"
#include "clocktable.h"
#include "colors.h"
#include "image.h"
#include "keyboard.h"
#include "label.h"
#include "mmcontrol.h"
#include "picturebox.h"
#include "polyled.h"
#include "shape.h"

#include <QApplication>
#include <QCloseEvent>
#include <QIcon>
#include <QKeyEvent>

namespace {

constexpr int TickMs = 100;
// The largest number each field takes; -1 as the smallest means the number can be blanked.
constexpr int16_t ScoreMax = 199;
constexpr int16_t CountMax = 99;
constexpr int16_t PeriodMax = 9;
// The largest board we draw: 8K UHD. A larger window (asked for by mistake, or spanning
// many screens) would need gigabytes for its picture, so the window stops growing here.
constexpr QSize MaxBoardPixels(7680, 4320);

} // namespace

frmScoreBoard::frmScoreBoard(QWidget* parent) : Form(parent)
{
    setAttribute(Qt::WA_DeleteOnClose);
    setWindowIcon(QIcon(QStringLiteral(":/pucklight/icon.png")));
    setAutoFillBackground(true);
    buildBoard();
    wireFields();
    Form_Load();
}

frmScoreBoard::~frmScoreBoard() = default;

void frmScoreBoard::buildBoard()
{
    setClientSize(BoardClientWidth, BoardClientHeight);
    setMaximumSize(MaxBoardPixels);
    buildControls(*this, boardDesign());

    auto box = [this](const char* n) { return find<PictureBox>(QString::fromLatin1(n)); };
    auto row = [this](const char* n) { return array<PolyLED>(QString::fromLatin1(n)); };
    auto shapes = [this](const char* n) { return array<Shape>(QString::fromLatin1(n)); };
    auto shape = [this](const char* n) { return find<Shape>(QString::fromLatin1(n)); };
    auto label = [this](const char* n) { return find<Label>(QString::fromLatin1(n)); };
    auto image = [this](const char* n) { return find<Image>(QString::fromLatin1(n)); };

    TimeBack = box("TimeBack");
    HomeBack = box("HomeBack");
    VisitorBack = box("VisitorBack");
    picGoalBack = box("picGoalBack");
    ShotsBackH = box("ShotsBackH");
    PeriodBack = box("PeriodBack");
    ShotsBackV = box("ShotsBackV");
    PenaltyPH1 = box("PenaltyPH1");
    PenaltyTH1 = box("PenaltyTH1");
    PenaltyPV1 = box("PenaltyPV1");
    PenaltyTV1 = box("PenaltyTV1");
    PenaltyPH2 = box("PenaltyPH2");
    PenaltyTH2 = box("PenaltyTH2");
    PenaltyPV2 = box("PenaltyPV2");
    PenaltyTV2 = box("PenaltyTV2");

    pledTime = row("pledTime");
    pledHome = row("pledHome");
    pledVisitor = row("pledVisitor");
    pledSOGH = row("pledSOGH");
    pledSOGV = row("pledSOGV");
    pledPeriod = row("pledPeriod");
    pledPenaltyPH1 = row("pledPenaltyPH1");
    pledPenaltyPH2 = row("pledPenaltyPH2");
    pledPenaltyPV1 = row("pledPenaltyPV1");
    pledPenaltyPV2 = row("pledPenaltyPV2");
    pledPenaltyTH1 = row("pledPenaltyTH1");
    pledPenaltyTH2 = row("pledPenaltyTH2");
    pledPenaltyTV1 = row("pledPenaltyTV1");
    pledPenaltyTV2 = row("pledPenaltyTV2");
    Shape2 = shapes("Shape2");
    dotPenaltyTH1 = shapes("dotPenaltyTH1");
    dotPenaltyTH2 = shapes("dotPenaltyTH2");
    dotPenaltyTV1 = shapes("dotPenaltyTV1");
    dotPenaltyTV2 = shapes("dotPenaltyTV2");

    shpGoalH = shape("shpGoalH");
    shpGoalV = shape("shpGoalV");
    lblGoalH = label("lblGoalH");
    lblGoalV = label("lblGoalV");
    imgGoalCoverH = image("imgGoalCoverH");
    imgGoalCoverV = image("imgGoalCoverV");
    shpPenaltyH = shapes("shpPenaltyH");
    shpPenaltyV = shapes("shpPenaltyV");
    Shape1 = shape("Shape1");
    Shape3 = shape("Shape3");
    shpObjectSelected = shape("shpObjectSelected");
    picHomeContainer = box("picHomeContainer");
    picVisitorContainer = box("picVisitorContainer");
    lblHome = label("lblHome");
    lblVisitor = label("lblVisitor");
    picHomePicContainer = box("picHomePicContainer");
    picVisitorPicContainer = box("picVisitorPicContainer");
    picBoardPicContainer = box("picBoardPicContainer");
    imgHomePic = image("imgHomePic");
    imgVisitorPic = image("imgVisitorPic");
    imgBoardPic = image("imgBoardPic");

    fieldTable = {{
        {TimeBack, &pledTime, 0, 0},
        {HomeBack, &pledHome, -1, ScoreMax},
        {VisitorBack, &pledVisitor, -1, ScoreMax},
        {picGoalBack, nullptr, 0, 0},
        {ShotsBackH, &pledSOGH, -1, CountMax},
        {PeriodBack, &pledPeriod, 0, PeriodMax},
        {ShotsBackV, &pledSOGV, -1, CountMax},
        {PenaltyPH1, &pledPenaltyPH1, -1, CountMax},
        {PenaltyTH1, &pledPenaltyTH1, 0, 0},
        {PenaltyPV1, &pledPenaltyPV1, -1, CountMax},
        {PenaltyTV1, &pledPenaltyTV1, 0, 0},
        {PenaltyPH2, &pledPenaltyPH2, -1, CountMax},
        {PenaltyTH2, &pledPenaltyTH2, 0, 0},
        {PenaltyPV2, &pledPenaltyPV2, -1, CountMax},
        {PenaltyTV2, &pledPenaltyTV2, 0, 0},
    }};

    slotTable = {{
        {&pledPenaltyPH1, &pledPenaltyTH1, &dotPenaltyTH1, shpPenaltyH[0]},
        {&pledPenaltyPH2, &pledPenaltyTH2, &dotPenaltyTH2, shpPenaltyH[1]},
        {&pledPenaltyPV1, &pledPenaltyTV1, &dotPenaltyTV1, shpPenaltyV[0]},
        {&pledPenaltyPV2, &pledPenaltyTV2, &dotPenaltyTV2, shpPenaltyV[1]},
    }};

    tmrClock1.setInterval(TickMs);
    tmrClock1.setTimerType(Qt::PreciseTimer);
    mmcBuzzer = new MMControl(this);
    mmcHorn = new MMControl(this);
}

void frmScoreBoard::wireFields()
{
    for (size_t i = 0; i < fieldTable.size(); ++i) {
        PictureBox* box = fieldTable[i].container;
        const int index = static_cast<int>(i);
        connect(box, &PictureBox::keyDown, this,
                [this, index](QKeyEvent* e) { FieldKeyDown(index, e); });
        connect(box, &PictureBox::keyUp, this,
                [this, index](QKeyEvent* e) { FieldKeyUp(index, e); });
        connect(box, &PictureBox::gotFocus, this, [this, box] { ObjectSelected(box); });
        // A digit that would take the focus hands it to its field.
        if (fieldTable[i].row)
            for (PolyLED* d : *fieldTable[i].row)
                d->setFocusProxy(box);
    }
    connect(lblGoalH, &Label::clicked, this,
            [this] { picGoalBack->setFocus(Qt::MouseFocusReason); });
    connect(lblGoalV, &Label::clicked, this,
            [this] { picGoalBack->setFocus(Qt::MouseFocusReason); });
    connect(imgGoalCoverH, &Image::clicked, this, [this] {
        WhoGoal = WhoGoal == 1 ? 0 : 1;
        UpdateGoal();
        picGoalBack->setFocus(Qt::MouseFocusReason);
    });
    connect(imgGoalCoverV, &Image::clicked, this, [this] {
        WhoGoal = WhoGoal == 2 ? 0 : 2;
        UpdateGoal();
        picGoalBack->setFocus(Qt::MouseFocusReason);
    });
    connect(&tmrClock1, &QTimer::timeout, this, &frmScoreBoard::tmrClock1_Timer);
    connect(mmcBuzzer, &MMControl::Done, this, [this] { SoundDone(mmcBuzzer); });
    connect(mmcHorn, &MMControl::Done, this, [this] { SoundDone(mmcHorn); });
}

void frmScoreBoard::Form_Load()
{
    UpdateLabels();
    UpdateFormColors();
    Penalty();
    UpdateNumLock();
    CaptureBoardLayout();
    OpenSounds();
    ClockReset = ClockValue::whole(600);
    SetClock(ClockReset, GameClock);
    ShowClock(ClockValue::whole(600), pledTime, Shape2);
    tmrClock1.start();
    TimeBack->setFocus(Qt::OtherFocusReason);
}

void frmScoreBoard::resizeEvent(QResizeEvent* e)
{
    Form::resizeEvent(e);
    Form_Resize();
}

void frmScoreBoard::keyPressEvent(QKeyEvent* e)
{
    // Keys that reach no field come here; nothing else does.
    keyboardState().observeKeyPress(*e);
    AllKeyCode(virtualKeyCode(*e));
    e->accept();
}

void frmScoreBoard::closeEvent(QCloseEvent* e)
{
    CloseSounds();
    e->accept();
    // Closing the board ends the program at once; every other window goes with it.
    tmrClock1.stop();
    QApplication::exit(0);
}
