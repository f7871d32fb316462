// SPDX-License-Identifier: GPL-3.0-or-later
#include "entrywords.h"
#include "eventwords.h"
#include "gamefixture.h"
#include "gamejson.h"
#include "testmain.h"

// What Enter will do, in words, on every field kind and entry kind; and that the words tell
// the truth: Enter on a real game does exactly the command the preview names, or nothing.
class TestEntryWords : public QObject
{
    Q_OBJECT

    // The game's numbers and clocks, without the typing.
    static QJsonObject numbers(const GameState& s)
    {
        QJsonObject json = gamejson::toJson(s, {}, QDateTime::fromSecsSinceEpoch(0));
        for (const char* k : {"typedTime", "typedEntry", "selected", "savedAt"})
            json.remove(QLatin1String(k));
        return json;
    }

    static void enterIsStartStop(SettingVariables& s) { s.StartStopClockKey = vk::Enter; }

private Q_SLOTS:
    void words_data()
    {
        QTest::addColumn<bool>("enterStarts"); // Enter is the start/stop key
        QTest::addColumn<Field>("field");
        QTest::addColumn<QString>("typed");
        QTest::addColumn<int>("outcome");
        QTest::addColumn<QString>("words");
        const auto row = [](const char* name, Field f, const char* typed, EntryOutcome o,
                            const char* words, bool enterStarts = false) {
            QTest::newRow(name) << enterStarts << f << QString::fromLatin1(typed)
                                << static_cast<int>(o) << QString::fromUtf8(words);
        };
        using O = EntryOutcome;
        row("clock minutes", Field::Time, "15", O::Sets, "Enter sets the game clock to 15:00");
        row("clock minutes.seconds", Field::Time, "1.3", O::Sets,
            "Enter sets the game clock to 1:03");
        row("clock tenths", Field::Time, "0.455", O::Sets, "Enter sets the game clock to 45.5");
        row("clock nothing typed", Field::Time, "", O::Sets, "Enter sets the game clock to 0.0");
        row("clock too long", Field::Time, "100", O::NotATime,
            "Enter sets nothing: 100 is no game time (0:00 to 99:59)");
        row("score", Field::Home, "17", O::Sets, "Enter sets the home score to 17");
        row("score out of range", Field::Visitor, "250", O::OutOfRange,
            "Enter sets nothing: the visitor score is 0 to 199, not 250");
        row("score nothing typed", Field::Home, "", O::Waits, "Type a number for the home score");
        row("score plus", Field::Home, "+", O::AddsNext,
            "The next digit adds to the home score; Enter sets it to 0");
        row("score minus", Field::Visitor, "-", O::TakesNext,
            "The next digit takes from the visitor score; Enter sets it to 0");
        row("shots", Field::ShotsVisitor, "12", O::Sets, "Enter sets the visitor shots to 12");
        row("period plus", Field::Period, "+", O::AddsNext,
            "The next digit adds to the period; Enter sets it to 0");
        row("goal lamps", Field::Goal, "", O::Lamps,
            "Left lights the home goal lamp, Right the visitor's, Down puts it out");
        row("player", Field::PenaltyPH1, "17", O::Sets, "Enter sets home penalty 1 to player 17");
        row("player out of range", Field::PenaltyPV2, "100", O::OutOfRange,
            "Enter sets nothing: a player is 0 to 99, not 100");
        row("player nothing typed", Field::PenaltyPV1, "", O::Waits,
            "Type a player for visitor penalty 1");
        row("player plus", Field::PenaltyPH2, "+", O::AddsNext,
            "The next digit adds to the player of home penalty 2; Enter sets it to 0");
        row("penalty time", Field::PenaltyTH1, "2", O::Sets,
            "Enter sets the time of home penalty 1 to 2:00");
        row("penalty time rounded", Field::PenaltyTV1, "2.055", O::Sets,
            "Enter sets the time of visitor penalty 1 to 2:06");
        row("penalty time too long", Field::PenaltyTH2, "10", O::NotATime,
            "Enter sets nothing: 10 is no penalty time (0:00 to 9:59)");
        row("penalty time nothing typed", Field::PenaltyTV2, "", O::Sets,
            "Enter sets the time of visitor penalty 2 to 0:00");
        row("Enter starts: clock, nothing typed", Field::Time, "", O::Waits,
            "Enter starts or stops the clocks", true);
        row("Enter starts: clock typed", Field::Time, "15", O::Sets,
            "Enter sets the game clock to 15:00; Enter also starts or stops the clocks", true);
        row("Enter starts: score typed", Field::Home, "3", O::Sets,
            "Enter sets the home score to 3; Enter also starts or stops the clocks", true);
        row("Enter starts: penalty time, nothing typed", Field::PenaltyTH1, "", O::Waits,
            "Enter starts or stops the clocks", true);
    }
    void words()
    {
        QFETCH(bool, enterStarts);
        QFETCH(Field, field);
        QFETCH(QString, typed);
        QFETCH(int, outcome);
        QFETCH(QString, words);
        const auto setup = [&](SettingVariables& s) {
            if (enterStarts)
                enterIsStartStop(s);
        };
        GameFixture f(setup);
        f.g().select(field);
        f.type(field, typed.toLatin1().constData());
        const EntryPreview p = previewEntry(f.s(), f.settings, field);
        QCOMPARE(p.typed, typed);
        QCOMPARE(static_cast<int>(p.outcome), outcome);
        QCOMPARE(p.words, words);
        const bool sets = p.outcome == EntryOutcome::Sets || p.outcome == EntryOutcome::AddsNext ||
                          p.outcome == EntryOutcome::TakesNext;
        QCOMPARE(p.command.has_value(), sets);

        // The same typing on a second game, with the preview's command run instead of Enter.
        GameFixture expected(setup);
        expected.g().select(field);
        expected.type(field, typed.toLatin1().constData());
        if (const auto onEnter = Game::commandKeyOf(f.settings, vk::Enter))
            expected.run(Command::of(*onEnter));
        if (p.command)
            QVERIFY(expected.run(*p.command).ok);
        f.key(field, vk::Enter);
        QCOMPARE(numbers(f.s()), numbers(expected.s()));
    }

    // What waits typed on another field is shown until it is entered or thrown away.
    void leftovers()
    {
        GameFixture f;
        f.type(Field::Time, "15");
        QVERIFY(leftoverEntries(f.s(), f.settings).empty()); // the clock is selected
        f.g().select(Field::Home);
        f.type(Field::Home, "1");
        auto left = leftoverEntries(f.s(), f.settings);
        QCOMPARE(left.size(), size_t(1));
        QCOMPARE(left[0].field, Field::Time);
        QCOMPARE(left[0].words, QStringLiteral("Enter sets the game clock to 15:00"));
        f.g().select(Field::Goal);
        QCOMPARE(leftoverEntries(f.s(), f.settings).size(), size_t(2));
        f.g().clearTyping();
        QVERIFY(leftoverEntries(f.s(), f.settings).empty());
    }

    void clearKey_data()
    {
        QTest::addColumn<Field>("field");
        QTest::addColumn<QString>("words");
        QTest::newRow("score") << Field::Home << "Delete blanks the home score";
        QTest::newRow("shots") << Field::ShotsVisitor << "Delete blanks the visitor shots";
        QTest::newRow("period: never dark") << Field::Period << "";
        QTest::newRow("clock") << Field::Time << "";
        QTest::newRow("goal") << Field::Goal << "";
        QTest::newRow("player") << Field::PenaltyPH2 << "Delete clears home penalty 2";
        QTest::newRow("time") << Field::PenaltyTV1 << "Delete clears visitor penalty 1";
    }
    void clearKey()
    {
        QFETCH(Field, field);
        QFETCH(QString, words);
        QCOMPARE(clearKeyWords(field, SettingVariables()), words);
    }

    // Every kind of record entry has words of its own, without a placeholder left; an undo
    // names what it took back.
    void eventWords_data()
    {
        QTest::addColumn<int>("kind");
        for (int k = 0; k < EventKindCount; ++k)
            QTest::newRow(eventKindName(static_cast<EventKind>(k))) << k;
    }
    void eventWords()
    {
        QFETCH(int, kind);
        GameEvent e;
        e.kind = static_cast<EventKind>(kind);
        e.team = Team::Visitor;
        e.slot = 2;
        e.player = 17;
        e.time = ClockValue::whole(120);
        e.value = 3;
        e.period = 2;
        e.gameClock = ClockValue::whole(754);
        e.text = QStringLiteral("text");
        const QString words = ::eventWords(e);
        QVERIFY(!words.isEmpty());
        QVERIFY2(!words.contains(QLatin1Char('%')), qPrintable(words));
    }
    void undoNamesWhatItTookBack()
    {
        GameFixture f;
        f.console(vk::KeyA + ('H' - 'A'), true); // Ctrl+H
        QCOMPARE(::eventWords(*f.g().nextUndo(), &f.g().record()),
                 QStringLiteral("home goal at 10:00, period 0"));
        QVERIFY(f.undo());
        const GameEvent& undo = f.g().record().events().back();
        QCOMPARE(eventWhat(undo, &f.g().record()),
                 QStringLiteral("undo: home goal at 10:00, period 0"));
        QCOMPARE(periodWords(1), QStringLiteral("1st period"));
        QCOMPARE(periodWords(2), QStringLiteral("2nd period"));
        QCOMPARE(periodWords(12), QStringLiteral("12th period"));
        QCOMPARE(periodWords(23), QStringLiteral("23rd period"));
    }
};

PL_CORE_TEST_MAIN(TestEntryWords)
#include "tst_entrywords.moc"
