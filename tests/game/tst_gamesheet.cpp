// SPDX-License-Identifier: GPL-3.0-or-later
#include "gamesheet.h"
#include "playedgame.h"
#include "testmain.h"

#include <QRegularExpression>

namespace {

gamejson::Loaded saved(GameFixture& f, const QString& visitor = QString())
{
    return *gamejson::fromBytes(gamejson::toBytes(gamejson::toJson(
        f.s(), f.g().record(), QDateTime::currentDateTimeUtc(), QString(), visitor)));
}

// "V17 2 1st 19:42 0:18": team, player, minutes, period, clock, time into the period.
QStringList penaltyList(const GameSheet& sheet)
{
    QStringList list;
    for (const SheetPenalty& p : sheet.penalties)
        list << QStringLiteral("%1%2 %3 %4 %5 %6%7")
                    .arg(p.team == Team::Home ? 'H' : 'V')
                    .arg(p.player)
                    .arg(penaltyMinutes(p.length), periodHeading(p.period), gameTimeText(p.clock),
                         elapsedText(p.intoPeriod), p.waited ? QStringLiteral(" waited") : "");
    return list;
}

} // namespace

class tst_GameSheet : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    // The played game's sheet, read back from its file: goals with their periods and clocks,
    // the goal taken back left out, a score set by hand as goals, shots by period, penalties.
    void sheetOfAPlayedGame()
    {
        GameFixture f;
        const GameSheet sheet = gameSheet(*gamejson::fromBytes(playedGame(f)));
        QCOMPARE(sheet.teams, (std::array<QString, 2>{"Järvsö", "Comets, \"North\""}));
        QCOMPARE(sheet.finalScore, (std::array<int16_t, 2>{2, 1}));
        QStringList goals;
        for (const SheetGoal& g : sheet.goals)
            goals << QStringLiteral("%1 %2 %3 %4 %5-%6%7")
                         .arg(sheet.name(g.team), periodHeading(g.period), gameTimeText(g.clock),
                              elapsedText(g.intoPeriod))
                         .arg(g.score[0])
                         .arg(g.score[1])
                         .arg(g.scoreSet ? " set" : "");
        QCOMPARE(goals,
                 QStringList({"Järvsö 1st 19:57 0:03 1-0", "Comets, \"North\" 2nd 19:57 0:03 1-1",
                              "Järvsö 2nd 19:30 0:30 2-1 set"}));
        QVERIFY(sheet.goalsComplete());
        QStringList byPeriod; // goals/shots
        for (Team t : Teams)
            for (int p : sheet.periods)
                byPeriod << QStringLiteral("%1/%2")
                                .arg(sheet.goalsIn(t, p))
                                .arg(sheet.shotsIn(t, p).value_or(-1));
        QCOMPARE(byPeriod.join(' '), QStringLiteral("1/8 1/7 0/0 0/5 1/7 0/0"));
        QCOMPARE(penaltyList(sheet),
                 QStringList({"V17 2 1st 19:42 0:18", "H4 5 3rd 19:30 0:30 waited"}));
    }

    // What is done on visitor slot 1 (on a 20:00 clock), and the penalties the sheet lists.
    // Steps: "17 120" player and time ("-" leaves one as it is), "run 5" (tenths), "clear",
    // "undo", "wait 9 120", "unwait 0".
    void penalties_data()
    {
        QTest::addColumn<QString>("steps");
        QTest::addColumn<QStringList>("listed");
        const auto row = [](const char* name, const char* steps, const QStringList& listed) {
            QTest::newRow(name) << QString::fromLatin1(steps) << listed;
        };
        row("player, then time", "17 -;- 120", {"V17 2 1st 20:00 0:00"});
        row("player after the time, clock running", "- 120;run 50;17 -", {"V17 2 1st 20:00 0:00"});
        row("time corrected", "17 300;- 120", {"V17 2 1st 20:00 0:00"});
        row("player corrected", "71 120;17 -", {"V17 2 1st 20:00 0:00"});
        row("cleared, then another", "17 120;run 10;clear;9 300",
            {"V17 2 1st 20:00 0:00", "V9 5 1st 19:59 0:01"});
        row("runs out, then a player alone", "17 1;run 20;9 -",
            {"V17 0:01 1st 20:00 0:00", "V9  1st 19:58 0:02"});
        row("taken back", "17 120;undo", {});
        row("waits, then takes the slot", "17 1;wait 9 120;run 20",
            {"V17 0:01 1st 20:00 0:00", "V9 2 1st 20:00 0:00 waited"});
        row("waits, then removed", "wait 9 120;wait 8 120;unwait 0",
            {"V8 2 1st 20:00 0:00 waited"});
    }
    void penalties()
    {
        QFETCH(QString, steps);
        QFETCH(QStringList, listed);
        GameFixture f;
        f.run(Command::setPeriod(1));
        f.run(Command::setClock(ClockValue::whole(20 * 60)));
        for (const QString& step : steps.split(';')) {
            const QStringList w = step.split(' ');
            const auto number = [&](int i) { return static_cast<int16_t>(w[i].toInt()); };
            if (w[0] == "run") {
                f.run(Command::of(CommandKind::StartStop));
                f.tick(number(1));
                f.run(Command::of(CommandKind::StartStop));
            } else if (w[0] == "clear") {
                f.run(Command::penaltyCommand(CommandKind::ClearPenalty, Team::Visitor, 1));
            } else if (w[0] == "undo") {
                f.undo();
            } else if (w[0] == "wait") {
                f.addWaiting(Team::Visitor, number(1), number(2));
            } else if (w[0] == "unwait") {
                f.run(Command::removeWaiting(Team::Visitor, number(1)));
            } else {
                const auto time = ClockValue::whole(number(1));
                QVERIFY(f.run(Command::setPenalty(
                    Team::Visitor, 1, w[0] == "-" ? std::nullopt : std::optional(number(0)),
                    w[1] == "-" ? std::nullopt : std::optional(time))));
            }
        }
        QCOMPARE(penaltyList(gameSheet(saved(f))), listed);
    }

    // Shots by period are differences of totals, and unknown for a team never given any; a
    // score set lower takes back goals; a record that lost its start may not add up.
    void shotsAndScores()
    {
        GameFixture f;
        f.run(Command::setPeriod(2));
        f.run(Command::setShots(Team::Home, 6));
        f.run(Command::setScore(Team::Visitor, 3));
        f.run(Command::setPeriod(4));
        f.run(Command::setShots(Team::Home, 9));
        f.run(Command::setScore(Team::Visitor, 1));
        f.run(Command::setScore(Team::Visitor, NoNumber));
        GameSheet sheet = gameSheet(saved(f));
        QStringList shots;
        for (Team t : Teams)
            for (int p : sheet.periods)
                shots << QString::number(sheet.shotsIn(t, p).value_or(-1));
        QCOMPARE(shots.join(' '), QStringLiteral("0 6 0 3 -1 -1 -1 -1"));
        QCOMPARE(sheet.goalsIn(Team::Visitor, 2), 1);
        QCOMPARE(sheet.goalCount(Team::Visitor), 1);
        QVERIFY(sheet.goalsComplete()); // a dark score counts what the sheet holds
        sheet.dropped = 1;
        QVERIFY(!sheet.goalsComplete());
    }

    // Every entry a row under the heading, taken-back ones marked; commas and quotes quoted,
    // a text that would be a formula kept from being one.
    void csv()
    {
        GameFixture f;
        playedGame(f);
        f.g().recordRefusal("=1+2", "bad", CommandSource::window("-x"));
        const QByteArray csv = recordCsv(saved(f, "Comets, \"North\""));
        QStringList rows = QString::fromUtf8(csv).split("\r\n");
        QCOMPARE(rows.size(), qsizetype(f.g().record().events().size()) + 2);
        QCOMPARE(rows.takeLast(), QString()); // the last line ends too
        QVERIFY(rows[0].startsWith("id,kind,inEffect,wall,period,clock,intoPeriod,source,"
                                   "sourceName,team,teamName,"));
        const QRegularExpression goal("^\\d+,goal,(\\w+),[^,]+,(\\d),([\\d:.]+),([\\d:]+),"
                                      "keyboard,,\\w+,(Home|\"Comets, \"\"North\"\"\"),");
        QStringList goals;
        for (const QString& row : rows)
            if (const auto m = goal.match(row); m.hasMatch())
                goals << m.capturedTexts().mid(1).join(' ');
        QCOMPARE(goals, QStringList({"true 1 19:57 0:03 Home",
                                     "false 1 19:47 0:13 \"Comets, \"\"North\"\"\"",
                                     "true 2 19:57 0:03 \"Comets, \"\"North\"\"\""}));
        QVERIFY2(rows.last().contains(",refused,true,") && rows.last().contains(",'-x,") &&
                     rows.last().endsWith(",'=1+2: bad,refused: =1+2: bad"),
                 qPrintable(rows.last()));
    }
};

PL_CORE_TEST_MAIN(tst_GameSheet)
#include "tst_gamesheet.moc"
