// SPDX-License-Identifier: GPL-3.0-or-later
#include "frmscoreboard.h"

#include "commondialogs.h"

#include "boarddesign.h"
#include "boardformat.h"
#include "colors.h"
#include "image.h"
#include "keyboard.h"
#include "label.h"
#include "mmcontrol.h"
#include "picturebox.h"
#include "polyled.h"
#include "shape.h"
#include "twips.h"

#include <QApplication>
#include <QCloseEvent>
#include <QIcon>
#include <QKeyEvent>

namespace {

constexpr int TickMs = 100;
// The largest board we draw: 8K UHD. A larger window (asked for by mistake, or spanning
// many screens) would need gigabytes for its picture, so the window stops growing here.
constexpr QSize MaxBoardPixels(7680, 4320);

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

frmScoreBoard::frmScoreBoard(Game& game, QWidget* parent) : Form(parent), theGame(game)
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

    shpClockFrame = shape("shpClockFrame");
    shpBoardFrame = shape("shpBoardFrame");
    shpClockDots = array<Shape>(name("shpClockDots"));
    shpObjectSelected = shape("shpObjectSelected");
    shpGoalH = shape("shpGoalH");
    shpGoalV = shape("shpGoalV");
    lblGoalH = label("lblGoalH");
    lblGoalV = label("lblGoalV");
    imgGoalCoverH = image("imgGoalCoverH");
    imgGoalCoverV = image("imgGoalCoverV");
    picHomeContainer = box("picHomeContainer");
    picVisitorContainer = box("picVisitorContainer");
    lblHome = label("lblHome");
    lblWaiting = {label("lblWaitingH"), label("lblWaitingV")};
    lblVisitor = label("lblVisitor");
    picHomePicContainer = box("picHomePicContainer");
    picVisitorPicContainer = box("picVisitorPicContainer");
    picBoardPicContainer = box("picBoardPicContainer");
    imgHomePic = image("imgHomePic");
    imgVisitorPic = image("imgVisitorPic");
    imgBoardPic = image("imgBoardPic");

    tmrClock1.setInterval(TickMs);
    tmrClock1.setTimerType(Qt::PreciseTimer);
    mmcBuzzer = new MMControl(this);
    mmcHorn = new MMControl(this);
}

void frmScoreBoard::wireFields()
{
    for (int i = 0; i < FieldCount; ++i) {
        const auto f = static_cast<Field>(i);
        PictureBox* container = box(f);
        connect(container, &PictureBox::keyDown, this, [this, f](QKeyEvent* e) { keyDown(e, f); });
        connect(container, &PictureBox::keyUp, this,
                [this](QKeyEvent* e) { theGame.AllKeyUp(virtualKeyCode(*e)); });
        connect(container, &PictureBox::gotFocus, this, [this, f, container] {
            ObjectSelected(container);
            theGame.select(f);
        });
        // A digit that would take the focus hands it to its field.
        for (PolyLED* d : field(f).digits)
            d->setFocusProxy(container);
    }
    PictureBox* goal = box(Field::Goal);
    for (Label* l : {lblGoalH, lblGoalV})
        connect(l, &Label::clicked, this, [goal] { goal->setFocus(Qt::MouseFocusReason); });
    const std::pair<Image*, GoalLamp> covers[] = {{imgGoalCoverH, GoalLamp::Home},
                                                  {imgGoalCoverV, GoalLamp::Visitor}};
    for (const auto& [cover, lamp] : covers)
        connect(cover, &Image::clicked, this, [this, goal, lamp = lamp] {
            theGame.toggleGoalLamp(lamp);
            goal->setFocus(Qt::MouseFocusReason);
        });

    connect(&tmrClock1, &QTimer::timeout, &theGame, &Game::tick);
    connect(&theGame, &Game::changed, this, &frmScoreBoard::render);
    connect(&theGame, &Game::tickEnabledChanged, this, &frmScoreBoard::followTick);
    connect(&theGame, &Game::playBuzzer, mmcBuzzer, &MMControl::play);
    connect(&theGame, &Game::playHorn, mmcHorn, &MMControl::play);
    connect(&theGame, &Game::numLockDue, this,
            [this] { ApplyNumLockMode(theGame.settings().NumLockForce); });
    connect(&theGame, &Game::helpRequested, this, &frmScoreBoard::helpRequested);
    connect(&theGame, &Game::optionsRequested, this, &frmScoreBoard::optionsRequested);
    connect(&theGame, &Game::waitingRequested, this, &frmScoreBoard::waitingRequested);
    connect(mmcBuzzer, &MMControl::Done, this, [this] { SoundDone(mmcBuzzer); });
    connect(mmcHorn, &MMControl::Done, this, [this] { SoundDone(mmcHorn); });
}

void frmScoreBoard::Form_Load()
{
    UpdateLabels();
    UpdateFormColors();
    ApplyNumLockMode(theGame.settings().NumLockForce);
    CaptureLayout(*this, layoutTable);
    OpenSounds();
    render();
    followTick(theGame.state().tickEnabled());
    box(Field::Time)->setFocus(Qt::OtherFocusReason);
}

void frmScoreBoard::applySettings(const SettingVariables& settings)
{
    theGame.setSettings(settings);
    UpdateLabels();
    UpdateFormColors();
    ApplyNumLockMode(settings.NumLockForce);
    // The layout keeps the base it took at load. Taken again from a small window, values
    // rounded or held at 1 there would become the base of every later size.
    ReopenSounds();
}

void frmScoreBoard::followTick(bool enabled)
{
    if (!enabled)
        tmrClock1.stop();
    else if (!tmrClock1.isActive())
        tmrClock1.start();
}

void frmScoreBoard::render()
{
    const GameState& s = theGame.state();
    const SettingVariables& c = theGame.settings();
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
    shpClockDots[0]->setFillColor(clockColon(s.face) ? border : hidden);
    shpClockDots[1]->setFillColor(border);
    for (int clock = FirstPenaltyClock; clock < ClockCount; ++clock) {
        const PenaltyControls& p = penaltyControls(clock);
        for (Shape* d : p.colon)
            d->setFillColor(s.penaltyColon(clock) ? border : hidden);
        p.lamp->setFillColor(s.penaltyLampLit(clock) ? lit : dark);
    }
    shpGoalH->setFillColor(s.WhoGoal == GoalLamp::Home ? lit : dark);
    shpGoalV->setFillColor(s.WhoGoal == GoalLamp::Visitor ? lit : dark);
    for (Team t : Teams) {
        const size_t waiting = s.waitingOf(t).size();
        lblWaiting[static_cast<size_t>(t)]->setCaption(waiting ? QStringLiteral("+%1").arg(waiting)
                                                               : QString());
    }
}

void frmScoreBoard::keyDown(QKeyEvent* e, std::optional<Field> on)
{
    keyboardState().observeKeyPress(*e);
    const KeyModifiers held{e->modifiers().testFlag(Qt::ControlModifier),
                            e->modifiers().testFlag(Qt::ShiftModifier)};
    theGame.keyDown(virtualKeyCode(*e), held, on);
}

void frmScoreBoard::ObjectSelected(Control* SelectedObject)
{
    const double w = theGame.settings().LEDSelectedWidth * twips::PerPixel;
    shpObjectSelected->setVisible(false);
    if (!SelectedObject)
        return;
    // The marker is one pixel wider and higher than a symmetric frame.
    shpObjectSelected->Move(SelectedObject->Left() - w, SelectedObject->Top() - w,
                            SelectedObject->Width() + 2 * w + twips::PerPixel,
                            SelectedObject->Height() + 2 * w + twips::PerPixel);
    shpObjectSelected->setVisible(true);
}

void frmScoreBoard::resizeEvent(QResizeEvent* e)
{
    Form::resizeEvent(e);
    // A minimised board keeps its layout (the stretch does nothing then); the marker still
    // goes and the names are set again.
    StretchLayout(*this, layoutTable);
    ObjectSelected(nullptr);
    UpdateLabels();
}

void frmScoreBoard::keyPressEvent(QKeyEvent* e)
{
    // Keys that reach no field come here; nothing else does.
    keyDown(e, std::nullopt);
    e->accept();
}

void frmScoreBoard::resumeGame(const GameState& saved, const GameRecord& record)
{
    theGame.resume(saved, record);
    box(saved.selected)->setFocus(Qt::OtherFocusReason);
}

void frmScoreBoard::closeEvent(QCloseEvent* e)
{
    // A stray close in the middle of play must not end the game; the answer kept by default
    // is to go on. With the clocks stopped the game is saved as it stands and nothing is asked.
    Question q;
    q.title = tr("Close scoreboard");
    q.text = tr("A clock is running. Close the scoreboard?");
    q.details = tr("The game is saved and can be resumed at the next start.");
    q.yes = tr("&Close");
    q.no = tr("&Keep running");
    q.yesIsDefault = false;
    if (theGame.clockRunning() && !commonDialogs().ask(this, q)) {
        e->ignore();
        return;
    }
    CloseSounds();
    e->accept();
    // Closing the board ends the program at once; every other window goes with it.
    tmrClock1.stop();
    QApplication::exit(0);
}
