// SPDX-License-Identifier: GPL-3.0-or-later
#include "frmwaiting.h"

#include "clockfaces.h"
#include "commondialogs.h"
#include "timetext.h"

#include <QGridLayout>
#include <QGroupBox>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPointer>
#include <QRegularExpressionValidator>
#include <QVBoxLayout>

namespace {

const CommandSource Source = CommandSource::window(QStringLiteral("waiting penalties"));

QString entryText(const WaitingPenalty& p)
{
    return (p.player < 0 ? QStringLiteral("--") : QString::number(p.player)) + QLatin1Char('\t') +
           PenaltyTimeText(p.time);
}

} // namespace

frmWaiting::frmWaiting(Game& game, QWidget* parent) : QDialog(parent, Qt::Dialog), theGame(game)
{
    setWindowTitle(tr("Waiting penalties"));
    auto* layout = new QVBoxLayout(this);
    auto* row = new QHBoxLayout;
    layout->addLayout(row);
    const QString titles[] = {game.settings().HomeText, game.settings().VisitorText};
    for (size_t t = 0; t < teams.size(); ++t) {
        auto* group = new QGroupBox(titles[t], this);
        auto* grid = new QGridLayout(group);
        TeamControls& c = teams[t];
        c.player = new QLineEdit(group);
        c.player->setValidator(new QRegularExpressionValidator(
            QRegularExpression(QStringLiteral("\\d{0,2}")), c.player));
        c.time = new QLineEdit(group);
        c.time->setValidator(new QRegularExpressionValidator(
            QRegularExpression(QStringLiteral("\\d{0,2}(\\.\\d{0,2})?")), c.time));
        c.time->setText(QLatin1String(DefaultTime));
        c.time->setPlaceholderText(QLatin1String(DefaultTime)); // true: an empty box means it
        c.list = new QListWidget(group);
        c.list->setFixedHeight(c.list->fontMetrics().height() * 6);
        grid->addWidget(new QLabel(tr("Player"), group), 0, 0);
        grid->addWidget(c.player, 0, 1);
        grid->addWidget(new QLabel(tr("Time"), group), 1, 0);
        grid->addWidget(c.time, 1, 1);
        grid->addWidget(c.list, 2, 0, 1, 2);
        for (QWidget* w : {static_cast<QWidget*>(c.player), static_cast<QWidget*>(c.time),
                           static_cast<QWidget*>(c.list)})
            w->installEventFilter(this);
        row->addWidget(group);
    }
    layout->addWidget(new QLabel(
        tr("Player, Tab, time, Enter adds. Delete removes the selected penalty. Escape closes."),
        this));
    lblMessage = new QLabel(this);
    lblMessage->setStyleSheet(QStringLiteral("color: #c00000; font-weight: bold"));
    layout->addWidget(lblMessage);
    setTabOrder(teams[0].player, teams[0].time);
    setTabOrder(teams[0].time, teams[1].player);
    setTabOrder(teams[1].player, teams[1].time);
    setTabOrder(teams[1].time, teams[0].list);
    setTabOrder(teams[0].list, teams[1].list);
    connect(&theGame, &Game::changed, this, &frmWaiting::refresh);
    refresh();
    teams[0].player->setFocus();
}

frmWaiting* frmWaiting::showFor(Game& game, QWidget* parent)
{
    static QPointer<frmWaiting> open;
    if (!open) {
        open = new frmWaiting(game, parent);
        open->setAttribute(Qt::WA_DeleteOnClose);
    }
    open->show();
    open->raise();
    open->activateWindow();
    return open;
}

bool frmWaiting::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() != QEvent::KeyPress)
        return QDialog::eventFilter(watched, event);
    const int key = static_cast<QKeyEvent*>(event)->key();
    for (size_t t = 0; t < teams.size(); ++t) {
        const TeamControls& c = teams[t];
        const auto team = static_cast<Team>(t);
        if ((watched == c.player || watched == c.time) &&
            (key == Qt::Key_Return || key == Qt::Key_Enter)) {
            add(team);
            return true;
        }
        if (watched == c.list && key == Qt::Key_Delete && c.list->currentRow() >= 0) {
            theGame.run(Command::removeWaiting(team, c.list->currentRow()), Source);
            return true;
        }
    }
    return QDialog::eventFilter(watched, event);
}

QString frmWaiting::message() const
{
    return lblMessage->text();
}

void frmWaiting::add(Team t)
{
    const TeamControls& c = teams[static_cast<size_t>(t)];
    const QString player = c.player->text();
    const QString text = c.time->text().isEmpty() ? QLatin1String(DefaultTime) : c.time->text();
    const ClockValue typed = ParseTime(text);
    // Penalties are whole seconds, as on the board.
    const ClockValue time = typed == NoTime ? NoTime : ClockValue::whole(typed.roundedHalfEven());
    if (theGame.state().waitingOf(t).size() >= Game::MaxWaiting) {
        refuse(tr("A team can have no more than %1 penalties waiting.").arg(Game::MaxWaiting));
        return;
    }
    const int16_t number = player.isEmpty() ? NoNumber : static_cast<int16_t>(player.toInt());
    if (!theGame.run(Command::addWaiting(t, number, time), Source)) {
        refuse(tr("The time must be from 0.01 to 9.59 (minutes.seconds)."));
        c.time->setFocus(Qt::TabFocusReason); // selected: the next digits replace it
        c.time->selectAll();
        return;
    }
    lblMessage->clear();
    c.player->clear();
    c.time->setText(QLatin1String(DefaultTime));
    c.player->setFocus();
}

void frmWaiting::refuse(const QString& why)
{
    // The beep alone goes unheard where the system bell is off, which it often is.
    commonDialogs().beep();
    lblMessage->setText(why);
}

void frmWaiting::refresh()
{
    for (size_t t = 0; t < teams.size(); ++t) {
        const WaitingList& now = theGame.state().waitingOf(static_cast<Team>(t));
        if (shown[t] == now)
            continue;
        QListWidget* list = teams[t].list;
        const int row = list->currentRow();
        list->clear();
        for (const WaitingPenalty& p : now)
            list->addItem(entryText(p));
        list->setCurrentRow(std::min(row, list->count() - 1));
        shown[t] = now;
    }
}
