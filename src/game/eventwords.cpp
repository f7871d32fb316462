// SPDX-License-Identifier: GPL-3.0-or-later
#include "eventwords.h"

#include "boardformat.h"
#include "clockfaces.h"

#include <QCoreApplication>
#include <algorithm>

namespace {

QString translated(const char* text)
{
    return QCoreApplication::translate("Events", text);
}

QString byTeam(Team t, const char* home, const char* visitor)
{
    return translated(t == Team::Home ? home : visitor);
}

QString playerWords(int16_t player)
{
    return player < 0 ? QCoreApplication::translate("Events", "no player")
                      : QCoreApplication::translate("Events", "player %1").arg(player);
}

QString ordinal(int n)
{
    const int tens = n % 100 / 10;
    const int last = n % 10;
    if (tens != 1 && last == 1)
        return QCoreApplication::translate("Events", "%1st").arg(n);
    if (tens != 1 && last == 2)
        return QCoreApplication::translate("Events", "%1nd").arg(n);
    if (tens != 1 && last == 3)
        return QCoreApplication::translate("Events", "%1rd").arg(n);
    return QCoreApplication::translate("Events", "%1th").arg(n);
}

QString clockWords(const GameEvent& e)
{
    const bool started = e.kind == EventKind::ClockStarted;
    if (e.slot < 0)
        return started ? QCoreApplication::translate("Events", "clocks started")
                       : QCoreApplication::translate("Events", "clocks stopped");
    if (e.slot == 0)
        return started ? QCoreApplication::translate("Events", "game clock started alone")
                       : QCoreApplication::translate("Events", "game clock stopped alone");
    const Team team = teamOf(e.slot);
    const int slot = slotOf(e.slot);
    return (started ? byTeam(team, QT_TRANSLATE_NOOP("Events", "home penalty %1 clock started"),
                             QT_TRANSLATE_NOOP("Events", "visitor penalty %1 clock started"))
                    : byTeam(team, QT_TRANSLATE_NOOP("Events", "home penalty %1 clock stopped"),
                             QT_TRANSLATE_NOOP("Events", "visitor penalty %1 clock stopped")))
        .arg(slot);
}

const GameEvent* findEvent(const GameRecord* record, int64_t id)
{
    if (!record)
        return nullptr;
    const auto& list = record->events();
    const auto at = std::lower_bound(list.begin(), list.end(), id,
                                     [](const GameEvent& e, int64_t i) { return e.id < i; });
    return at != list.end() && at->id == id ? &*at : nullptr;
}

} // namespace

QString periodWords(int period)
{
    // Before the first period there is no ordinal to give.
    if (period <= 0)
        return QCoreApplication::translate("Events", "period %1").arg(period);
    return QCoreApplication::translate("Events", "%1 period").arg(ordinal(period));
}

QString eventWhat(const GameEvent& e, const GameRecord* record)
{
    switch (e.kind) {
    case EventKind::Goal:
        return byTeam(e.team, QT_TRANSLATE_NOOP("Events", "home goal"),
                      QT_TRANSLATE_NOOP("Events", "visitor goal"));
    case EventKind::Score:
        return byTeam(e.team, QT_TRANSLATE_NOOP("Events", "home score set to %1"),
                      QT_TRANSLATE_NOOP("Events", "visitor score set to %1"))
            .arg(e.value < 0 ? QCoreApplication::translate("Events", "dark")
                             : QString::number(e.value));
    case EventKind::Shots:
        return byTeam(e.team, QT_TRANSLATE_NOOP("Events", "home shots set to %1"),
                      QT_TRANSLATE_NOOP("Events", "visitor shots set to %1"))
            .arg(e.value < 0 ? QCoreApplication::translate("Events", "dark")
                             : QString::number(e.value));
    case EventKind::Period:
        return QCoreApplication::translate("Events", "period set to %1").arg(e.value);
    case EventKind::PenaltySet:
        return byTeam(e.team, QT_TRANSLATE_NOOP("Events", "home penalty %1: %2, %3"),
                      QT_TRANSLATE_NOOP("Events", "visitor penalty %1: %2, %3"))
            .arg(QString::number(e.slot), playerWords(e.player),
                 e.on ? PenaltyTimeText(e.time) : QCoreApplication::translate("Events", "no time"));
    case EventKind::PenaltyCleared:
        return byTeam(e.team, QT_TRANSLATE_NOOP("Events", "home penalty %1 cleared"),
                      QT_TRANSLATE_NOOP("Events", "visitor penalty %1 cleared"))
            .arg(e.slot);
    case EventKind::PenaltyExpired:
        return byTeam(e.team, QT_TRANSLATE_NOOP("Events", "home penalty %1 over (%2)"),
                      QT_TRANSLATE_NOOP("Events", "visitor penalty %1 over (%2)"))
            .arg(QString::number(e.slot), playerWords(e.player));
    case EventKind::WaitingAdded:
        return byTeam(e.team, QT_TRANSLATE_NOOP("Events", "home penalty waiting: %1, %2"),
                      QT_TRANSLATE_NOOP("Events", "visitor penalty waiting: %1, %2"))
            .arg(playerWords(e.player), PenaltyTimeText(e.time));
    case EventKind::WaitingRemoved:
        return byTeam(e.team, QT_TRANSLATE_NOOP("Events", "home waiting penalty removed: %1, %2"),
                      QT_TRANSLATE_NOOP("Events", "visitor waiting penalty removed: %1, %2"))
            .arg(playerWords(e.player), PenaltyTimeText(e.time));
    case EventKind::WaitingTookSlot:
        return byTeam(e.team,
                      QT_TRANSLATE_NOOP("Events", "home waiting penalty to slot %1: %2, %3"),
                      QT_TRANSLATE_NOOP("Events", "visitor waiting penalty to slot %1: %2, %3"))
            .arg(QString::number(e.slot), playerWords(e.player), PenaltyTimeText(e.time));
    case EventKind::ClockStarted:
    case EventKind::ClockStopped:
        return clockWords(e);
    case EventKind::ClockSet:
        return QCoreApplication::translate("Events", "game clock set to %1")
            .arg(gameTimeText(e.time));
    case EventKind::Reset:
        return QCoreApplication::translate("Events", "game clock reset to %1")
            .arg(gameTimeText(e.time));
    case EventKind::ClockSwitched:
        return e.on ? QCoreApplication::translate("Events", "clock shows the time of day")
                    : QCoreApplication::translate("Events", "clock shows the game time");
    case EventKind::GoalLamp:
        if (e.lamp == GoalLamp::None)
            return QCoreApplication::translate("Events", "goal lamp out");
        return e.lamp == GoalLamp::Home
                   ? QCoreApplication::translate("Events", "home goal lamp lit")
                   : QCoreApplication::translate("Events", "visitor goal lamp lit");
    case EventKind::Horn:
        return QCoreApplication::translate("Events", "horn");
    case EventKind::Buzzer:
        return QCoreApplication::translate("Events", "buzzer");
    case EventKind::Undo:
    case EventKind::Redo: {
        const GameEvent* first = e.refs.empty() ? nullptr : findEvent(record, e.refs.front());
        const QString what = first ? eventWords(*first, record) : e.text;
        return (e.kind == EventKind::Undo ? QCoreApplication::translate("Events", "undo: %1")
                                          : QCoreApplication::translate("Events", "redo: %1"))
            .arg(what);
    }
    case EventKind::Refused:
        return QCoreApplication::translate("Events", "refused: %1").arg(e.text);
    case EventKind::Note:
        break;
    }
    return e.text;
}

QString eventWords(const GameEvent& e, const GameRecord* record)
{
    switch (e.kind) {
    case EventKind::Undo:
    case EventKind::Redo:
    case EventKind::Refused:
    case EventKind::Note:
        return eventWhat(e, record);
    default:
        break;
    }
    return QCoreApplication::translate("Events", "%1 at %2, %3")
        .arg(eventWhat(e, record), gameTimeText(e.gameClock), periodWords(e.period));
}
