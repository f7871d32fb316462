// SPDX-License-Identifier: GPL-3.0-or-later
#include "penaltypanel.h"

#include "boardformat.h"
#include "clockfaces.h"
#include "timetext.h"

#include <QGridLayout>
#include <QIntValidator>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QRegularExpressionValidator>

namespace {

const CommandSource Source = CommandSource::window(QStringLiteral("console"));
// A waiting penalty's time when the box is left empty: a minor.
constexpr auto MinorTime = "2.00";
constexpr int WaitingListRows = 2;

// Minutes, a point and seconds, as the board's keys type them.
QValidator* timeValidator(QObject* parent)
{
    return new QRegularExpressionValidator(
        QRegularExpression(QStringLiteral("[0-9]{0,2}(\\.[0-9]{0,3})?")), parent);
}

QString waitingText(const WaitingPenalty& p)
{
    const QString player =
        p.player < 0 ? PenaltyPanel::tr("no player") : PenaltyPanel::tr("#%1").arg(p.player);
    return PenaltyPanel::tr("%1, %2").arg(player, PenaltyTimeText(p.time));
}

// A typed penalty time in whole seconds, or NoTime.
ClockValue penaltyTime(const QString& text, bool zeroAllowed)
{
    const ClockValue typed = ParseTime(text);
    if (typed == NoTime)
        return NoTime;
    const ClockValue whole = ClockValue::whole(typed.roundedHalfEven());
    const ClockValue lowest = zeroAllowed ? ClockValue() : ClockValue::whole(1);
    if (whole < lowest || whole > ClockValue::whole(fieldlimits::PenaltyTimeLimit))
        return NoTime;
    return whole;
}

} // namespace

PenaltyPanel::PenaltyPanel(Game& game, QWidget* parent)
    : QGroupBox(tr("Penalties"), parent), theGame(game)
{
    setObjectName(QStringLiteral("penalties"));
    auto* grid = new QGridLayout(this);
    grid->setVerticalSpacing(2);
    grid->addWidget(new QLabel(tr("Player"), this), 0, 1);
    grid->addWidget(new QLabel(tr("Time"), this), 0, 2);
    grid->addWidget(new QLabel(tr("Clock"), this), 0, 3);
    const std::array<QString, 4> names = {tr("Home 1"), tr("Home 2"), tr("Visitor 1"),
                                          tr("Visitor 2")};
    for (int clock = FirstPenaltyClock; clock < ClockCount; ++clock) {
        SlotControls& c = slots[size_t(clock - 1)];
        const int row = clock;
        auto* name = new QLabel(names[size_t(clock - 1)], this);
        c.player = new QLineEdit(this);
        c.player->setValidator(new QIntValidator(0, fieldlimits::CountMax, c.player));
        c.player->setMaximumWidth(fontMetrics().horizontalAdvance(QStringLiteral("0000")) + 16);
        c.player->setAccessibleName(tr("%1: player").arg(names[size_t(clock - 1)]));
        c.time = new QLineEdit(this);
        c.time->setValidator(timeValidator(c.time));
        c.time->setPlaceholderText(tr("m.ss"));
        c.time->setMaximumWidth(fontMetrics().horizontalAdvance(QStringLiteral("00.000")) + 16);
        c.time->setAccessibleName(tr("%1: time").arg(names[size_t(clock - 1)]));
        c.state = new QLabel(this);
        c.state->setMinimumWidth(fontMetrics().horizontalAdvance(tr("9:59 running")) + 8);
        c.clock = new QPushButton(tr("Start/stop"), this);
        c.clock->setAccessibleName(tr("%1: start or stop its clock").arg(names[size_t(clock - 1)]));
        c.clear = new QPushButton(tr("Clear"), this);
        c.clear->setAccessibleName(tr("%1: clear").arg(names[size_t(clock - 1)]));
        name->setBuddy(c.player);
        grid->addWidget(name, row, 0);
        grid->addWidget(c.player, row, 1);
        grid->addWidget(c.time, row, 2);
        grid->addWidget(c.state, row, 3);
        grid->addWidget(c.clock, row, 4);
        grid->addWidget(c.clear, row, 5);
        connect(c.player, &QLineEdit::returnPressed, this, [this, clock] { setSlot(clock); });
        connect(c.time, &QLineEdit::returnPressed, this, [this, clock] { setSlot(clock); });
        connect(c.clock, &QPushButton::clicked, this, [this, clock] {
            run(Command::penaltyCommand(CommandKind::PenaltyClock, teamOf(clock), slotOf(clock)));
        });
        connect(c.clear, &QPushButton::clicked, this, [this, clock] {
            run(Command::penaltyCommand(CommandKind::ClearPenalty, teamOf(clock), slotOf(clock)));
        });
        shownPlayer[size_t(clock - 1)] = -2; // nothing shown yet
    }

    int row = ClockCount;
    for (Team t : Teams) {
        WaitingControls& w = waiting[size_t(t)];
        const QString team = t == Team::Home ? tr("Home waiting") : tr("Visitor waiting");
        auto* name = new QLabel(team, this);
        w.list = new QListWidget(this);
        w.list->setAccessibleName(team);
        w.list->setFlow(QListView::LeftToRight);
        w.list->setWrapping(true);
        w.list->setFixedHeight(fontMetrics().height() * WaitingListRows + 8);
        w.player = new QLineEdit(this);
        w.player->setValidator(new QIntValidator(0, fieldlimits::CountMax, w.player));
        w.player->setMaximumWidth(slots[0].player->maximumWidth());
        w.player->setAccessibleName(tr("%1: player").arg(team));
        w.time = new QLineEdit(QLatin1String(MinorTime), this);
        w.time->setValidator(timeValidator(w.time));
        w.time->setPlaceholderText(QLatin1String(MinorTime));
        w.time->setMaximumWidth(slots[0].time->maximumWidth());
        w.time->setAccessibleName(tr("%1: time").arg(team));
        w.add = new QPushButton(tr("Add"), this);
        w.add->setAccessibleName(tr("%1: add").arg(team));
        w.remove = new QPushButton(tr("Remove"), this);
        w.remove->setAccessibleName(tr("%1: remove the selected one").arg(team));
        name->setBuddy(w.player);
        grid->addWidget(name, row, 0);
        grid->addWidget(w.player, row, 1);
        grid->addWidget(w.time, row, 2);
        grid->addWidget(w.list, row, 3, 1, 1);
        grid->addWidget(w.add, row, 4);
        grid->addWidget(w.remove, row, 5);
        ++row;
        connect(w.player, &QLineEdit::returnPressed, this, [this, t] { addWaiting(t); });
        connect(w.time, &QLineEdit::returnPressed, this, [this, t] { addWaiting(t); });
        connect(w.add, &QPushButton::clicked, this, [this, t] { addWaiting(t); });
        connect(w.remove, &QPushButton::clicked, this, [this, t] { removeWaiting(t); });
    }
    lblMessage = new QLabel(this);
    lblMessage->setObjectName(QStringLiteral("penaltyMessage"));
    lblMessage->setWordWrap(true);
    grid->addWidget(lblMessage, row, 0, 1, 6);
    grid->setColumnStretch(3, 1);
    follow();
}

QString PenaltyPanel::message() const
{
    return lblMessage->text();
}

QString PenaltyPanel::slotState(const GameState& s, int clock)
{
    const PenaltySlotState& p = s.penalty(clock);
    if (!p.timeShown)
        return QString();
    if (p.shownTime <= ClockValue())
        return tr("over");
    const QString time = penaltyTimeText(p);
    const bool running = s.clocks.IsRunning(clock) && s.tickEnabled();
    return (running ? tr("%1 running") : tr("%1 held")).arg(time);
}

void PenaltyPanel::follow()
{
    const GameState& s = theGame.state();
    for (int clock = FirstPenaltyClock; clock < ClockCount; ++clock) {
        const auto i = size_t(clock - 1);
        SlotControls& c = slots[i];
        const QString state = slotState(s, clock);
        if (state != shownState[i]) {
            shownState[i] = state;
            c.state->setText(state);
        }
        // A box the operator is typing in keeps what is typed.
        const int16_t player = s.penalty(clock).player;
        if (player != shownPlayer[i] && !c.player->hasFocus()) {
            shownPlayer[i] = player;
            c.player->setText(numberText(player));
        }
    }
    for (Team t : Teams) {
        const WaitingList& now = s.waitingOf(t);
        WaitingList& shown = shownWaiting[size_t(t)];
        if (shown == now)
            continue;
        QListWidget* list = waiting[size_t(t)].list;
        const int row = list->currentRow();
        list->clear();
        for (const WaitingPenalty& p : now)
            list->addItem(waitingText(p));
        list->setCurrentRow(std::min(row, list->count() - 1));
        shown = now;
    }
}

void PenaltyPanel::setSlot(int clock)
{
    SlotControls& c = slots[size_t(clock - 1)];
    std::optional<int16_t> player;
    std::optional<ClockValue> time;
    if (!c.player->text().isEmpty() &&
        c.player->text() != numberText(theGame.state().penalty(clock).player))
        player = static_cast<int16_t>(c.player->text().toInt());
    if (!c.time->text().isEmpty()) {
        const ClockValue t = penaltyTime(c.time->text(), true);
        if (t == NoTime) {
            refuse(tr("A penalty time is from 0.00 to 9.59 (minutes.seconds)."));
            c.time->selectAll();
            return;
        }
        time = t;
    }
    if (!player && !time)
        return;
    run(Command::setPenalty(teamOf(clock), slotOf(clock), player, time));
    c.time->clear();
    shownPlayer[size_t(clock - 1)] = -2;
    c.player->clearFocus();
    follow();
}

void PenaltyPanel::addWaiting(Team t)
{
    WaitingControls& w = waiting[size_t(t)];
    const QString text = w.time->text().isEmpty() ? QLatin1String(MinorTime) : w.time->text();
    const ClockValue time = penaltyTime(text, false);
    if (time == NoTime) {
        refuse(tr("A waiting penalty's time is from 0.01 to 9.59 (minutes.seconds)."));
        return;
    }
    if (theGame.state().waitingOf(t).size() >= Game::MaxWaiting) {
        refuse(tr("A team can have no more than %1 penalties waiting.").arg(Game::MaxWaiting));
        return;
    }
    const int16_t player =
        w.player->text().isEmpty() ? NoNumber : static_cast<int16_t>(w.player->text().toInt());
    run(Command::addWaiting(t, player, time));
    w.player->clear();
    w.time->setText(QLatin1String(MinorTime));
}

void PenaltyPanel::removeWaiting(Team t)
{
    const int row = waiting[size_t(t)].list->currentRow();
    if (row < 0) {
        refuse(tr("Select the waiting penalty to remove."));
        return;
    }
    run(Command::removeWaiting(t, row));
}

void PenaltyPanel::run(const Command& c)
{
    const CommandResult done = theGame.run(c, Source);
    if (done)
        lblMessage->clear();
    else
        refuse(tr("Not done: %1").arg(done.reason));
}

void PenaltyPanel::refuse(const QString& why)
{
    lblMessage->setText(why);
}
