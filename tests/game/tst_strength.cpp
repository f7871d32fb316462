// SPDX-License-Identifier: GPL-3.0-or-later
#include "strength.h"
#include "testmain.h"

#include <QStringList>

namespace {

// Seconds of "m:ss".
ClockValue timeOf(const QString& text)
{
    return ClockValue::whole(text.section(':', 0, 0).toInt() * 60 + text.section(':', 1).toInt());
}

// A team's penalties as "slot1 slot2 | waiting...": "1:21 -" is one running penalty and an
// empty slot, "0:00" a slot whose penalty has run out, "2:00 2:00 | 5:00" a third one waiting.
void setTeam(GameState& s, Team t, const QString& text)
{
    const QStringList slots = text.section('|', 0, 0).split(' ', Qt::SkipEmptyParts);
    for (int slot = 1; slot <= 2 && slot <= slots.size(); ++slot) {
        if (slots[slot - 1] == QLatin1String("-"))
            continue;
        PenaltySlotState& p = s.penalty(penaltyClock(t, slot));
        p.timeShown = true;
        p.shownTime = timeOf(slots[slot - 1]);
    }
    for (const QString& w : text.section('|', 1).split(' ', Qt::SkipEmptyParts))
        s.waiting[static_cast<size_t>(t)].push_back({12, timeOf(w)});
}

QString describe(const Strength& st)
{
    QString text = QStringLiteral("%1 on %2").arg(st.of(Team::Home)).arg(st.of(Team::Visitor));
    if (st.powerPlay)
        text += QStringLiteral(", %1 PP %2s")
                    .arg(*st.powerPlay == Team::Home ? "home" : "visitor")
                    .arg(st.powerPlayLeft.wholePart());
    return text;
}

} // namespace

// The skaters each team has as the penalties say, who has the power play and for how long.
class TestStrength : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void strength_data()
    {
        QTest::addColumn<QString>("home");
        QTest::addColumn<QString>("visitor");
        QTest::addColumn<QString>("expected");
        const auto row = [](const char* name, const char* home, const char* visitor,
                            const char* expected) {
            QTest::newRow(name) << QString::fromLatin1(home) << QString::fromLatin1(visitor)
                                << QString::fromLatin1(expected);
        };
        row("no penalties", "- -", "- -", "5 on 5");
        row("a home minor", "1:21 -", "- -", "4 on 5, visitor PP 81s");
        row("in the second slot", "- 0:45", "- -", "4 on 5, visitor PP 45s");
        row("a visitor minor", "- -", "2:00 -", "5 on 4, home PP 120s");
        row("run out, not cleared", "0:00 -", "- -", "5 on 5");
        row("coincidental minors", "2:00 -", "- 2:00", "4 on 4");
        row("coincidental, different times", "1:10 -", "2:00 -", "4 on 4");
        row("two home penalties", "1:21 1:50", "- -", "3 on 5, visitor PP 81s");
        row("two short against one", "1:00 1:30", "0:30 -", "3 on 4, visitor PP 60s");
        row("both two short", "1:00 1:30", "0:30 1:40", "3 on 3");
        // A third penalty waits: still two short, and the slot that runs out first goes to it,
        // so the team gets a skater back when the second slot runs out (1:50) rather than
        // when the waiting penalty would (1:21 + 2:00).
        row("a third waits", "1:21 1:50 | 2:00", "- -", "3 on 5, visitor PP 110s");
        row("a third waits, longer", "0:30 1:50 | 5:00", "- -", "3 on 5, visitor PP 110s");
        row("a short one waits", "1:00 1:50 | 0:30", "- -", "3 on 5, visitor PP 90s");
        row("two wait", "1:00 2:00 | 2:00 2:00", "- -", "3 on 5, visitor PP 180s");
        // A waiting penalty beside a free slot takes it at the next tick; it counts already.
        row("waiting beside a free slot", "- - | 2:00", "- -", "4 on 5, visitor PP 120s");
        row("waiting beside one free slot", "1:00 - | 2:00 2:00", "- -", "3 on 5, visitor PP 120s");
    }
    void strength()
    {
        QFETCH(QString, home);
        QFETCH(QString, visitor);
        QFETCH(QString, expected);
        GameState s;
        setTeam(s, Team::Home, home);
        setTeam(s, Team::Visitor, visitor);
        QCOMPARE(describe(strengthOf(s)), expected);
    }
};

PL_CORE_TEST_MAIN(TestStrength)
#include "tst_strength.moc"
