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

// The keys the board's own window reads: those of no other window.
bool ownKey(const CommandSource& source)
{
    return source == CommandSource::keyboard();
}

} // namespace

frmScoreBoard::frmScoreBoard(Game& game, QWidget* parent) : BoardView(game, parent), theGame(game)
{
    setAttribute(Qt::WA_DeleteOnClose);
    setWindowIcon(QIcon(QStringLiteral(":/pucklight/icon.png")));
    setMaximumSize(MaxBoardPixels);
    tickTimer.setInterval(TickMs);
    tickTimer.setTimerType(Qt::PreciseTimer);
    buzzer = new MMControl(this);
    horn = new MMControl(this);
    wireFields();
    ApplyNumLockMode(theGame.settings().NumLockForce);
    OpenSounds();
    followTick(theGame.state().tickEnabled());
    box(Field::Time)->setFocus(Qt::OtherFocusReason);
}

frmScoreBoard::~frmScoreBoard() = default;

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
    for (Label* l : {lblGoalH(), lblGoalV()})
        connect(l, &Label::clicked, this, [goal] { goal->setFocus(Qt::MouseFocusReason); });
    const std::pair<Image*, GoalLamp> covers[] = {{imgGoalCoverH(), GoalLamp::Home},
                                                  {imgGoalCoverV(), GoalLamp::Visitor}};
    for (const auto& [cover, lamp] : covers)
        connect(cover, &Image::clicked, this, [this, goal, lamp = lamp] {
            theGame.toggleGoalLamp(lamp);
            goal->setFocus(Qt::MouseFocusReason);
        });

    connect(&tickTimer, &QTimer::timeout, &theGame, &Game::tick);
    connect(&theGame, &Game::changed, this, &frmScoreBoard::render);
    connect(&theGame, &Game::changed, this, &frmScoreBoard::followSelection);
    connect(&theGame, &Game::tickEnabledChanged, this, &frmScoreBoard::followTick);
    connect(&theGame, &Game::playBuzzer, buzzer, &MMControl::play);
    connect(&theGame, &Game::playHorn, horn, &MMControl::play);
    connect(&theGame, &Game::numLockDue, this,
            [this] { ApplyNumLockMode(theGame.settings().NumLockForce); });
    // F1 to F4 typed on the board; another window's (the console's) are its own.
    connect(&theGame, &Game::helpRequested, this, [this](const CommandSource& from) {
        if (ownKey(from))
            Q_EMIT helpRequested();
    });
    connect(&theGame, &Game::optionsRequested, this, [this](const CommandSource& from) {
        if (ownKey(from))
            Q_EMIT optionsRequested();
    });
    connect(&theGame, &Game::waitingRequested, this, [this](const CommandSource& from) {
        if (ownKey(from))
            Q_EMIT waitingRequested();
    });
    connect(&theGame, &Game::consoleRequested, this, [this](const CommandSource& from) {
        if (ownKey(from))
            Q_EMIT consoleRequested();
    });
    connect(buzzer, &MMControl::Done, this, [this] { SoundDone(buzzer); });
    connect(horn, &MMControl::Done, this, [this] { SoundDone(horn); });
}

void frmScoreBoard::followSelection()
{
    // A field selected in another window takes the board's focus too, so that the board's
    // keys go on where the operator left off; the window is not activated for it.
    PictureBox* selected = box(theGame.state().selected);
    if (focusWidget() != selected)
        selected->setFocus(Qt::OtherFocusReason);
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
        tickTimer.stop();
    else if (!tickTimer.isActive())
        tickTimer.start();
}

void frmScoreBoard::keyDown(QKeyEvent* e, std::optional<Field> on)
{
    keyboardState().observeKeyPress(*e);
    const KeyModifiers held{e->modifiers().testFlag(Qt::ControlModifier),
                            e->modifiers().testFlag(Qt::ShiftModifier)};
    theGame.keyDown(virtualKeyCode(*e), held, on);
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
    tickTimer.stop();
    QApplication::exit(0);
}
