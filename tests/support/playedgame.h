// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "gamefixture.h"
#include "gamejson.h"

// A game played with commands and ticks, saved as the game file holds it; the game sheet's
// tests read it.
//   1st: the clock set to 20:00 and started. Home goal at 19:57, 0:03 into the period. A
//        visitor goal at 19:47, taken back. Visitor #17 at 19:42: the player typed, then two
//        minutes. Shots 8 and 5.
//   2nd: clock 20:00 again. Visitor goal at 19:57. At 19:30 the home score set from 1 to 3,
//        then back to 2. Shots 15 and 12.
//   3rd: home #4, five minutes, waits for a slot.
inline QByteArray playedGame(GameFixture& f)
{
    const auto team = [&](CommandKind kind, Team t) { f.run(Command::forTeam(kind, t)); };
    const auto period = [&](int16_t n) {
        f.run(Command::setPeriod(n));
        f.run(Command::setClock(ClockValue::whole(20 * 60)));
        f.run(Command::of(CommandKind::StartStop));
    };
    period(1);
    f.tick(30);
    team(CommandKind::Goal, Team::Home);
    f.tick(100);
    team(CommandKind::Goal, Team::Visitor);
    f.undo();
    f.tick(50);
    f.run(Command::setPenalty(Team::Visitor, 1, 17, std::nullopt));
    f.run(Command::setPenalty(Team::Visitor, 1, std::nullopt, ClockValue::whole(120)));
    f.run(Command::setShots(Team::Home, 8));
    f.run(Command::setShots(Team::Visitor, 5));
    f.run(Command::of(CommandKind::StartStop));

    period(2);
    f.tick(30);
    team(CommandKind::Goal, Team::Visitor);
    f.tick(270);
    f.run(Command::setScore(Team::Home, 3));
    f.run(Command::setScore(Team::Home, 2));
    f.run(Command::setShots(Team::Home, 15));
    f.run(Command::setShots(Team::Visitor, 12));
    f.run(Command::of(CommandKind::StartStop));

    f.run(Command::setPeriod(3));
    f.addWaiting(Team::Home, 4, 300);
    const QDateTime saved(QDate(2024, 3, 1), QTime(21, 15), Qt::UTC);
    return gamejson::toBytes(gamejson::toJson(f.s(), f.g().record(), saved,
                                              QStringLiteral("Järvsö"),
                                              QStringLiteral("Comets, \"North\"")));
}
