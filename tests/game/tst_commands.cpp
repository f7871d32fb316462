// SPDX-License-Identifier: GPL-3.0-or-later
#include "clockfaces.h"
#include "commandjson.h"
#include "gamefixture.h"
#include "testmain.h"

#include <QJsonDocument>

namespace {

// The game in one line: scores, shots, period, lamp, reset time, game clock (r: running),
// the clock mode, the penalties (player/time, r: running) and the waiting penalties.
QString summary(const GameFixture& f)
{
    const GameState& s = f.s();
    QStringList slots;
    for (int i = FirstPenaltyClock; i < ClockCount; ++i) {
        const PenaltySlotState& p = s.penalty(i);
        slots << numberText(p.player) + QLatin1Char('/') +
                     (p.timeShown ? PenaltyTimeText(f.clock(i)) : QStringLiteral("-")) +
                     (s.clocks.IsRunning(i) ? QStringLiteral("r") : QString());
    }
    QStringList waiting;
    for (Team t : Teams) {
        QStringList list;
        for (const WaitingPenalty& w : s.waitingOf(t))
            list << numberText(w.player) + QLatin1Char('/') + PenaltyTimeText(w.time);
        waiting << list.join(QLatin1Char(','));
    }
    static const char* const lamps[] = {"-", "H", "V"};
    return QStringLiteral("%1-%2 s%3-%4 p%5 %6 r%7 %8%9%10 [%11] [%12]")
        .arg(numberText(s.scoreOf(Team::Home)), numberText(s.scoreOf(Team::Visitor)),
             numberText(s.shotsOf(Team::Home)), numberText(s.shotsOf(Team::Visitor)))
        .arg(s.period)
        .arg(QLatin1String(lamps[static_cast<int>(s.WhoGoal)]), gameTimeText(s.ClockReset),
             gameTimeText(f.clock(GameClock)),
             s.clocks.IsRunning(GameClock) ? QStringLiteral("r") : QString(),
             s.ClockTime ? QStringLiteral(" tod") : QString(), slots.join(QLatin1Char(' ')),
             waiting.join(QLatin1Char('|')));
}

const QString Fresh = QStringLiteral("0-0 s0-0 p0 - r10:00 10:00 [/- /- /- /-] [|]");

ClockValue seconds(int s)
{
    return ClockValue::whole(s);
}

} // namespace

Q_DECLARE_METATYPE(Command)

// Every command: what it does, how the record tells it, and what undo and redo make of it.
class TestCommands : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void eachCommand_data()
    {
        QTest::addColumn<Command>("command");
        QTest::addColumn<QString>("after");
        QTest::addColumn<QString>("recorded");
        QTest::addColumn<bool>("undoable");
        const Command penalty = Command::setPenalty(Team::Visitor, 2, 17, seconds(120));
        auto row = [](const char* name, const Command& c, const char* after, const char* kind,
                      bool undoable) {
            QTest::newRow(name) << c << QString::fromLatin1(after) << QString::fromLatin1(kind)
                                << undoable;
        };
        // Every row starts from a game with home penalty 1 (#4, 1:00) and one waiting.
        row("start/stop", Command::of(CommandKind::StartStop),
            "0-0 s0-0 p0 - r10:00 10:00r [4/1:00r /-r /-r /-r] [8/2:00|]", "clockStarted", false);
        row("game clock alone", Command::of(CommandKind::GameClockAlone),
            "0-0 s0-0 p0 - r10:00 10:00r [4/1:00 /- /- /-] [8/2:00|]", "clockStarted", false);
        row("reset", Command::of(CommandKind::Reset),
            "0-0 s0-0 p0 - r10:00 10:00 [4/1:00 /- /- /-] [8/2:00|]", "reset", true);
        row("clock switch", Command::of(CommandKind::ClockSwitch),
            "0-0 s0-0 p0 - r10:00 10:00 tod [4/1:00 /- /- /-] [8/2:00|]", "clockSwitched", false);
        row("set clock", Command::setClock(ClockValue::tenths(7545)),
            "0-0 s0-0 p0 - r12:35 12:35 [4/1:00 /- /- /-] [8/2:00|]", "clockSet", true);
        row("goal", Command::forTeam(CommandKind::Goal, Team::Visitor),
            "0-1 s0-0 p0 V r10:00 10:00 [4/1:00 /- /- /-] [8/2:00|]", "goal", true);
        row("set score", Command::setScore(Team::Home, 7),
            "7-0 s0-0 p0 - r10:00 10:00 [4/1:00 /- /- /-] [8/2:00|]", "score", true);
        row("blank score", Command::setScore(Team::Home, NoNumber),
            "-0 s0-0 p0 - r10:00 10:00 [4/1:00 /- /- /-] [8/2:00|]", "score", true);
        row("shot", Command::forTeam(CommandKind::AddShot, Team::Home),
            "0-0 s1-0 p0 - r10:00 10:00 [4/1:00 /- /- /-] [8/2:00|]", "shots", true);
        row("set shots", Command::setShots(Team::Visitor, 31),
            "0-0 s0-31 p0 - r10:00 10:00 [4/1:00 /- /- /-] [8/2:00|]", "shots", true);
        row("set period", Command::setPeriod(3),
            "0-0 s0-0 p3 - r10:00 10:00 [4/1:00 /- /- /-] [8/2:00|]", "period", true);
        row("set penalty", penalty, "0-0 s0-0 p0 - r10:00 10:00 [4/1:00 /- /- 17/2:00] [8/2:00|]",
            "penaltySet", true);
        row("penalty player only", Command::setPenalty(Team::Home, 1, 9, std::nullopt),
            "0-0 s0-0 p0 - r10:00 10:00 [9/1:00 /- /- /-] [8/2:00|]", "penaltySet", true);
        row("clear penalty", Command::penaltyCommand(CommandKind::ClearPenalty, Team::Home, 1),
            "0-0 s0-0 p0 - r10:00 10:00 [/- /- /- /-] [8/2:00|]", "penaltyCleared", true);
        row("penalty clock", Command::penaltyCommand(CommandKind::PenaltyClock, Team::Home, 1),
            "0-0 s0-0 p0 - r10:00 10:00 [4/1:00r /- /- /-] [8/2:00|]", "clockStarted", false);
        row("add waiting", Command::addWaiting(Team::Visitor, NoNumber, seconds(300)),
            "0-0 s0-0 p0 - r10:00 10:00 [4/1:00 /- /- /-] [8/2:00|/5:00]", "waitingAdded", true);
        row("remove waiting", Command::removeWaiting(Team::Home, 0),
            "0-0 s0-0 p0 - r10:00 10:00 [4/1:00 /- /- /-] [|]", "waitingRemoved", true);
        row("goal lamp", Command::setGoalLamp(GoalLamp::Home),
            "0-0 s0-0 p0 H r10:00 10:00 [4/1:00 /- /- /-] [8/2:00|]", "goalLamp", true);
        row("horn", Command::of(CommandKind::Horn),
            "0-0 s0-0 p0 - r10:00 10:00 [4/1:00 /- /- /-] [8/2:00|]", "horn", false);
    }
    void eachCommand()
    {
        QFETCH(Command, command);
        QFETCH(QString, after);
        QFETCH(QString, recorded);
        QFETCH(bool, undoable);
        GameFixture f;
        f.run(Command::setPenalty(Team::Home, 1, 4, seconds(60)));
        QVERIFY(f.addWaiting(Team::Home, 8, 120));
        f.g().resume(f.s(), f.g().record()); // nothing to undo from here
        const QString before = summary(f);
        const qsizetype entries = f.recorded().size();
        f.time.advanceMs(300);

        const CommandSource source{CommandSource::Kind::Remote, QStringLiteral("127.0.0.1 k3Xa")};
        QVERIFY(f.run(command, source));
        QCOMPARE(summary(f), after);
        QCOMPARE(f.recorded().size(), entries + 1);
        const GameEvent& e = f.g().record().events().back();
        QCOMPARE(QLatin1String(eventKindName(e.kind)), recorded);
        QCOMPARE(e.source, source);
        QCOMPARE(e.wall, f.time.local.toUTC());

        // One command, one undo step; what it changed comes back, and again on redo.
        QCOMPARE(f.undo(), undoable);
        if (!undoable)
            return;
        QCOMPARE(summary(f), before);
        QCOMPARE(f.recorded().last(), QStringLiteral("undo"));
        QCOMPARE(f.g().record().events().back().refs, std::vector<int64_t>{e.id});
        QCOMPARE(f.g().record().inEffect()[size_t(entries)], false);
        QVERIFY(f.redo());
        QCOMPARE(summary(f), after);
        QCOMPARE(f.g().record().inEffect()[size_t(entries)], true);
    }

    // A command out of range is refused with its reason, and nothing changes or is recorded.
    void refusals_data()
    {
        QTest::addColumn<Command>("command");
        QTest::addColumn<QString>("reason");
        auto row = [](const char* reason, const Command& c) {
            QTest::newRow(reason) << c << QString::fromLatin1(reason);
        };
        Command noTime = Command::of(CommandKind::SetClock);
        row("a game time is 0:00 to 99:59", noTime);
        row("a game time is 0:00 to 99:59", Command::setClock(seconds(6000)));
        row("a score is 0 to 199", Command::setScore(Team::Home, 200));
        row("shots is 0 to 99", Command::setShots(Team::Home, -2));
        row("the period is 0 to 9", Command::setPeriod(10));
        row("the period is 0 to 9", Command::setPeriod(NoNumber));
        row("a penalty slot is 1 or 2", Command::setPenalty(Team::Home, 3, 4, seconds(60)));
        row("a penalty needs a player or a time",
            Command::setPenalty(Team::Home, 1, std::nullopt, std::nullopt));
        row("a player is 0 to 99", Command::setPenalty(Team::Home, 1, 100, std::nullopt));
        row("a penalty time is whole seconds, 0:00 to 9:59",
            Command::setPenalty(Team::Home, 1, 4, ClockValue::tenths(605)));
        row("a waiting penalty's time is whole seconds, 0:01 to 9:59",
            Command::addWaiting(Team::Home, 4, seconds(0)));
        row("the home team has no waiting penalty 1", Command::removeWaiting(Team::Home, 0));
        row("the visitor score is at its highest, 199",
            Command::forTeam(CommandKind::Goal, Team::Visitor));
        row("another sound is playing", Command::of(CommandKind::Horn));
        row("nothing to undo", Command::of(CommandKind::Undo));
    }
    void refusals()
    {
        QFETCH(Command, command);
        QFETCH(QString, reason);
        GameFixture f;
        GameState full = f.s();
        full.score[1] = 199;
        f.g().resume(full, {});
        f.run(Command::of(CommandKind::Buzzer));
        const GameState before = f.s();
        const qsizetype entries = f.recorded().size();
        const CommandResult r = f.run(command);
        QVERIFY(!r);
        QCOMPARE(r.reason, reason);
        QCOMPARE(f.s(), before);
        QCOMPARE(f.recorded().size(), entries);
    }

    // Commands as JSON: what each text asks for, read back the same way; or why not.
    void fromJson_data()
    {
        QTest::addColumn<QByteArray>("json");
        QTest::addColumn<QString>("expected"); // the command's JSON again, or the reason
        auto row = [](const char* json, const char* expected) {
            QTest::newRow(json) << QByteArray(json) << QString::fromUtf8(expected);
        };
        row(R"({"command": "goal", "team": "home"})", R"({"command":"goal","team":"home"})");
        row(R"({"command": "setClock", "time": "12:34.5"})",
            R"({"command":"setClock","time":"12:34.5"})");
        row(R"({"command": "setClock", "time": 90})", R"({"command":"setClock","time":"1:30"})");
        row(R"({"command": "setClock", "time": "45.6"})",
            R"({"command":"setClock","time":"0:45.6"})");
        row(R"({"command": "setScore", "team": "visitor", "score": null})",
            R"({"command":"setScore","score":null,"team":"visitor"})");
        row(R"({"command": "setPenalty", "team": "home", "slot": 2, "time": "2:00"})",
            R"({"command":"setPenalty","slot":2,"team":"home","time":"2:00"})");
        row(R"({"command": "goalLamp", "lamp": "none"})",
            R"({"command":"goalLamp","lamp":"none"})");
        row(R"({"command": "undo", "token": "x"})", "undo takes no \"token\"");
        row(R"({"command": "fly"})", "\"fly\" is not a command");
        row(R"({"team": "home"})", "no \"command\" named");
        row(R"({"command": "goal"})", "goal needs \"team\"");
        row(R"({"command": "goal", "team": "away"})", "a team is \"home\" or \"visitor\"");
        row(R"({"command": "setPeriod", "period": 2.5})", "\"period\" is a whole number from 0");
        // null leaves a score dark, so -1 is not another way to write it
        row(R"({"command": "setScore", "team": "home", "score": -49})",
            "\"score\" is a whole number from 0 or null");
        row(R"({"command": "setClock", "time": "1:60"})",
            "a time is \"m:ss\", \"m:ss.t\" or seconds");
        row(R"({"command": "setClock", "time": "6508.5"})",
            "a time is \"m:ss\", \"m:ss.t\" or seconds");
        row(R"({"command": "addWaiting", "team": "home", "time": "2:00"})",
            "addWaiting needs \"player\" and \"time\"");
    }
    void fromJson()
    {
        QFETCH(QByteArray, json);
        QFETCH(QString, expected);
        QString reason;
        const auto c = commandjson::fromJson(QJsonDocument::fromJson(json).object(), &reason);
        const QString got =
            c ? QString::fromUtf8(
                    QJsonDocument(commandjson::toJson(*c)).toJson(QJsonDocument::Compact))
              : reason;
        QCOMPARE(got, expected);
        if (c)
            QCOMPARE(commandjson::fromJson(commandjson::toJson(*c), &reason), c);
        // A broker's token is let through where asked.
        const QJsonObject withToken{{"command", "undo"}, {"token", "x"}};
        QVERIFY(commandjson::fromJson(withToken, &reason, {QStringLiteral("token")}));
    }

    // A penalty that has run out gives its slot to a waiting one at the next tick, whatever
    // read its clock in between.
    void handOverFollowsTheState_data()
    {
        QTest::addColumn<int>("between");
        const char* const names[] = {"nothing",  "a stop",       "a penalty typed",
                                     "a preset", "new settings", "an undo"};
        for (int i = 0; i < 6; ++i)
            QTest::newRow(names[i]) << i;
    }
    void handOverFollowsTheState()
    {
        QFETCH(int, between);
        GameFixture f;
        f.type(Field::Home, "2\n");
        f.type(Field::PenaltyPH1, "17\n");
        f.type(Field::PenaltyTH1, "0.02\n");
        QVERIFY(f.addWaiting(Team::Home, 12, 120));
        f.key(Field::Time, f.settings.StartStopClockKey);
        f.tick(19);
        f.type(Field::Visitor, "5\n");
        QCOMPARE(f.shown(Field::PenaltyPH1), QStringLiteral("17"));
        f.time.advanceMs(150); // run out between two ticks
        switch (between) {
        case 1:
            f.key(Field::Time, f.settings.StartStopClockKey);
            break;
        case 2:
            f.type(Field::PenaltyTV1, "1\n");
            break;
        case 3:
            f.key(Field::PenaltyTV2, vk::F5);
            break;
        case 4:
            f.g().setSettings(f.settings);
            break;
        case 5:
            f.console('Z', true);
            break;
        }
        f.tick();
        QCOMPARE(f.shown(Field::PenaltyPH1), QStringLiteral("12"));
        QCOMPARE(f.shown(Field::PenaltyTH1), QStringLiteral("200"));
        QVERIFY(f.s().waitingOf(Team::Home).empty());
        QCOMPARE(f.s().clocks.IsRunning(1), between != 1);
        const QStringList kinds = f.recorded().mid(f.recorded().size() - 2);
        QCOMPARE(kinds, QStringList({"penaltyExpired", "waitingTookSlot"}));
    }

    // An undo step is one command: never what a dialog's time did, never a tick.
    void undoNeverSpansADialog()
    {
        GameFixture f;
        f.type(Field::Home, "3\n");
        f.type(Field::PenaltyPH1, "17\n");
        f.type(Field::PenaltyTH1, "0.01\n");
        QVERIFY(f.addWaiting(Team::Home, 12, 120));
        f.key(Field::Time, f.settings.StartStopClockKey);
        // F2's dialog runs its own loop: the tick goes on meanwhile.
        QObject::connect(&f.g(), &Game::optionsRequested, [&] { f.tick(20); });
        f.key(Field::Time, vk::F2);
        QCOMPARE(f.shown(Field::PenaltyPH1), QStringLiteral("12"));
        // The waiting penalty has since taken its slot, where the penalty typed before it ran
        // out: nothing of those three commands can come back, and the slot keeps what time
        // gave it. Each undo says so, and goes.
        for (int i = 0; i < 3; ++i)
            QVERIFY(!f.undo());
        QCOMPARE(f.shown(Field::PenaltyPH1), QStringLiteral("12"));
        QCOMPARE(f.shown(Field::PenaltyTH1), QStringLiteral("159")); // running since it came in
        QVERIFY(f.s().waitingOf(Team::Home).empty());
        QVERIFY(!f.recorded().contains(QStringLiteral("undo")));
        // The command before them is still there, whole.
        QVERIFY(f.undo());
        QCOMPARE(f.shown(Field::Home), QStringLiteral("--0"));
    }

    // Ctrl, Shift and the letters of the console keys as command keys.
    void modifierAndLetterKeys()
    {
        GameFixture f([](SettingVariables& s) {
            s.StartStopClockKey = vk::Ctrl;
            s.HornKey = vk::KeyA + ('H' - 'A');
        });
        f.console(vk::Ctrl, true); // Ctrl's own press carries Ctrl
        QVERIFY(f.allRunning(true));
        f.console('H');
        QCOMPARE(f.effects, QStringList{"horn"});
        QCOMPARE(f.s().scoreOf(Team::Home), 0);
        f.console('H', true); // with Ctrl it stays the goal
        QCOMPARE(f.s().scoreOf(Team::Home), 1);
    }

    // The record keeps the latest entries; an undo marks, never erases.
    void theRecordIsBounded()
    {
        GameFixture f;
        for (int i = 0; i < GameRecord::MaxEvents + 5; ++i)
            f.run(Command::setShots(Team::Home, static_cast<int16_t>((i + 1) % 2)));
        QCOMPARE(f.g().record().events().size(), size_t(GameRecord::MaxEvents));
        QCOMPARE(f.g().record().dropped(), 5);
        QCOMPARE(f.g().record().events().front().id, 6);
        QString fault;
        const auto back = GameRecord::fromJson(f.g().record().toJson(), &fault);
        QVERIFY2(back, qPrintable(fault));
        QCOMPARE(*back, f.g().record());
    }

    void describedAsTheConsoleNamesIt()
    {
        GameFixture f;
        f.type(Field::Period, "2");
        f.type(Field::Time, "20\n");
        f.key(Field::Time, f.settings.StartStopClockKey);
        f.tick(4260); // 7:06 played
        f.console('H', true);
        QCOMPARE(f.g().nextUndo()->describe(), QStringLiteral("home goal at 12:54, 2nd period"));
        QCOMPARE(f.g().nextUndo()->intoPeriod(), ClockValue::whole(426));
        f.run(Command::setPeriod(0));
        QCOMPARE(f.g().record().events().back().describe(),
                 QStringLiteral("period 0 at 12:54, period 0"));
        QCOMPARE(periodOrdinal(11), QStringLiteral("11th"));
        QCOMPARE(periodOrdinal(23), QStringLiteral("23rd"));
    }
};

PL_CORE_TEST_MAIN(TestCommands)
#include "tst_commands.moc"
