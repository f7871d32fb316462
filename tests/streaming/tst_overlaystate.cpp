// SPDX-License-Identifier: GPL-3.0-or-later
#include "boardstate.h"
#include "gamefixture.h"
#include "languages.h"
#include "liveserver.h"
#include "testmain.h"

#include <QJsonDocument>
#include <QJsonObject>

// What the overlay says beyond the board's digits: the period's name, in the program's language,
// and its own words.
class TestOverlayState : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void cleanup() { installTranslations(QLocale(QLocale::English)); }

    void periodNames_data()
    {
        QTest::addColumn<int>("regular");   // RegularPeriods of the settings
        QTest::addColumn<int>("period");    // the board's period
        QTest::addColumn<QString>("clock"); // "stopped", "running", "alone", "zero"
        QTest::addColumn<QString>("score"); // home-visitor
        QTest::addColumn<QString>("name");
        const auto row = [](const char* name, int regular, int period, const char* clock,
                            const char* score, const char* expected) {
            QTest::newRow(name) << regular << period << QString(clock) << QString(score)
                                << QString(expected);
        };
        row("before the game", 3, 0, "stopped", "0-0", "");
        row("first", 3, 1, "running", "0-0", "1st");
        row("second", 3, 2, "stopped", "1-0", "2nd");
        row("third", 3, 3, "running", "1-1", "3rd");
        row("overtime", 3, 4, "running", "1-1", "OT");
        row("second overtime", 3, 5, "stopped", "1-1", "2OT");
        row("two halves, then overtime", 2, 3, "stopped", "0-0", "OT");
        row("fourth of five", 5, 4, "stopped", "0-0", "4th");
        row("ninth", 9, 9, "stopped", "0-0", "9th");
        row("regular periods out of range", 0, 4, "stopped", "0-0", "OT");
        // The game clock alone, the penalties held: between periods.
        row("intermission", 3, 1, "alone", "0-0", "Intermission");
        row("intermission, period 0", 3, 0, "alone", "0-0", "");
        // At 0.0 from the last regular period on, with a winner.
        row("final", 3, 3, "zero", "2-1", "Final");
        row("final after overtime", 3, 4, "zero", "2-3", "Final");
        row("tied at the end of regulation", 3, 3, "zero", "2-2", "3rd");
        row("end of the second", 3, 2, "zero", "2-1", "2nd");
        row("blank score counts as 0", 3, 3, "zero", "-1-1", "Final");
    }
    void periodNames()
    {
        QFETCH(int, regular);
        QFETCH(int, period);
        QFETCH(QString, clock);
        QFETCH(QString, score);
        QFETCH(QString, name);
        GameFixture f(
            [&](SettingVariables& s) { s.RegularPeriods = static_cast<int16_t>(regular); });
        const QStringList goals = score.split(QRegularExpression("(?<=\\d)-"));
        f.run(Command::setScore(Team::Home, static_cast<int16_t>(goals[0].toInt())));
        f.run(Command::setScore(Team::Visitor, static_cast<int16_t>(goals[1].toInt())));
        f.run(Command::setPeriod(static_cast<int16_t>(period)));
        if (clock == QLatin1String("running")) {
            f.run(Command::of(CommandKind::StartStop));
        } else if (clock == QLatin1String("alone")) {
            f.run(Command::of(CommandKind::GameClockAlone));
        } else if (clock == QLatin1String("zero")) {
            f.run(Command::setClock(ClockValue::whole(1)));
            f.run(Command::of(CommandKind::StartStop));
        }
        f.tick(clock == QLatin1String("zero") ? 12 : 3);
        QCOMPARE(periodName(f.g()), name);
        QCOMPARE(readBoardState(f.g()).periodName, name);
    }

    // In French and Swedish: the period names in state.json and the overlay's words.
    void translated_data()
    {
        QTest::addColumn<QString>("locale");
        QTest::addColumn<QStringList>("names"); // periods 1 to 4, intermission
        QTest::addColumn<QString>("labels");
        QTest::newRow("French")
            << "fr_CA" << QStringList{"1re", "2e", "3e", "Prol.", "Entracte"}
            << R"({"lang":"fr","powerPlay":"AN","shots":"Tirs","strength":"%1 CONTRE %2"})";
        QTest::newRow("Swedish")
            << "sv_SE" << QStringList{"1:a", "2:a", "3:e", "Förl.", "Periodpaus"}
            << R"({"lang":"sv","powerPlay":"PP","shots":"Skott","strength":"%1 MOT %2"})";
        QTest::newRow("English")
            << "en_GB" << QStringList{"1st", "2nd", "3rd", "OT", "Intermission"}
            << R"({"lang":"en","powerPlay":"PP","shots":"Shots","strength":"%1 ON %2"})";
    }
    void translated()
    {
        QFETCH(QString, locale);
        QFETCH(QStringList, names);
        QFETCH(QString, labels);
        installTranslations(QLocale(locale));
        GameFixture f;
        QStringList got;
        for (int period = 1; period <= 4; ++period) {
            f.run(Command::setPeriod(static_cast<int16_t>(period)));
            got << periodName(f.g());
        }
        f.run(Command::of(CommandKind::GameClockAlone));
        got << periodName(f.g());
        QCOMPARE(got, names);
        QCOMPARE(QString::fromUtf8(overlayLabelsJson()), labels);
    }
};

PL_TEST_MAIN(TestOverlayState)
#include "tst_overlaystate.moc"
