// SPDX-License-Identifier: GPL-3.0-or-later
#include "boardstate.h"

#include "boardformat.h"
#include "clockfaces.h"
#include "game.h"
#include "strength.h"

#include <QCoreApplication>

namespace {

PenaltyState penalty(const GameState& s, int clock)
{
    return {numberText(s.penalty(clock).player), penaltyTimeText(s.penalty(clock)),
            s.penaltyLampLit(clock)};
}

void appendJsonString(QByteArray& out, const QString& s)
{
    // Escaping the UTF-8 bytes keeps characters beyond the BMP whole; only ASCII needs it.
    out += '"';
    for (const char c : s.toUtf8()) {
        const auto u = static_cast<unsigned char>(c);
        if (c == '"' || c == '\\') {
            out += '\\';
            out += c;
        } else if (c == '\n') {
            out += "\\n";
        } else if (c == '\r') {
            out += "\\r";
        } else if (c == '\t') {
            out += "\\t";
        } else if (u < 0x20 || u == 0x7F) {
            out += "\\u00";
            out += QByteArray::number(u, 16).rightJustified(2, '0');
        } else {
            out += c;
        }
    }
    out += '"';
}

const char* boolText(bool b)
{
    return b ? "true" : "false";
}

void appendTeam(QByteArray& out, const TeamState& t)
{
    out += "{\"name\": ";
    appendJsonString(out, t.name);
    out += ", \"score\": ";
    appendJsonString(out, t.score);
    out += ", \"shots\": ";
    appendJsonString(out, t.shots);
    out += ", \"goalLamp\": ";
    out += boolText(t.goalLamp);
    out += ", \"penalties\": [";
    for (size_t i = 0; i < t.penalties.size(); ++i) {
        const PenaltyState& p = t.penalties[i];
        out += i ? ", {\"player\": " : "{\"player\": ";
        appendJsonString(out, p.player);
        out += ", \"time\": ";
        appendJsonString(out, p.time);
        out += ", \"lamp\": ";
        out += boolText(p.lamp);
        out += '}';
    }
    out += "], \"waiting\": [";
    for (size_t i = 0; i < t.waiting.size(); ++i) {
        out += i ? ", {\"player\": " : "{\"player\": ";
        appendJsonString(out, t.waiting[i].player);
        out += ", \"time\": ";
        appendJsonString(out, t.waiting[i].time);
        out += '}';
    }
    out += "]}";
}

std::vector<PenaltyState> waitingOf(const GameState& s, Team t)
{
    std::vector<PenaltyState> list;
    for (const WaitingPenalty& p : s.waitingOf(t))
        list.push_back(
            {p.player < 0 ? QString() : QString::number(p.player), PenaltyTimeText(p.time), false});
    return list;
}

QByteArray penaltyLine(const PenaltyState& p)
{
    if (p.player.isEmpty() && p.time.isEmpty())
        return QByteArray();
    if (p.player.isEmpty() || p.time.isEmpty())
        return (p.player + p.time).toUtf8();
    return (p.player + QLatin1Char(' ') + p.time).toUtf8();
}

// The ordinal of a regular period; the overlay has room for a few characters.
QString periodOrdinalName(int period)
{
    switch (period) {
    case 1:
        return QCoreApplication::translate("Overlay", "1st");
    case 2:
        return QCoreApplication::translate("Overlay", "2nd");
    case 3:
        return QCoreApplication::translate("Overlay", "3rd");
    default:
        //: A period from the fourth on: "4th", "5th"...
        return QCoreApplication::translate("Overlay", "%1th").arg(period);
    }
}

} // namespace

QString periodName(const Game& game)
{
    const GameState& g = game.state();
    const int regular = regularPeriodsOf(game.settings());
    if (g.period <= 0)
        return QString();
    ClockTable clocks = g.clocks; // a reading updates the copy, never the game
    bool penaltyClockRuns = false;
    for (int i = FirstPenaltyClock; i < ClockCount; ++i)
        penaltyClockRuns = penaltyClockRuns || clocks.IsRunning(i);
    if (game.gameClockCounting() && !penaltyClockRuns)
        return QCoreApplication::translate("Overlay", "Intermission");
    const bool atZero = clocks.ReadClock(GameClock) <= ClockValue();
    const auto score = [&g](Team t) { return std::max<int>(g.scoreOf(t), 0); };
    if (atZero && g.period >= regular && score(Team::Home) != score(Team::Visitor))
        return QCoreApplication::translate("Overlay", "Final");
    if (g.period <= regular)
        return periodOrdinalName(g.period);
    const int overtime = g.period - regular;
    if (overtime == 1)
        //: Overtime, the first period after the regular ones.
        return QCoreApplication::translate("Overlay", "OT");
    //: The second, third... overtime: "2OT".
    return QCoreApplication::translate("Overlay", "%1OT").arg(overtime);
}

BoardState readBoardState(const Game& game)
{
    const GameState& g = game.state();
    const SettingVariables& settings = game.settings();
    BoardState s;
    s.caption = QStringLiteral("Pucklight - ") + settings.HomeText;
    // What the clock field shows, and whether it counts.
    s.clockText = clockText(g.face);
    s.timeOfDay = g.face.timeOfDay;
    s.running = game.gameClockCounting();
    s.period = numberText(g.period);

    s.home.name = settings.HomeText;
    s.home.score = numberText(g.scoreOf(Team::Home));
    s.home.shots = numberText(g.shotsOf(Team::Home));
    s.home.goalLamp = g.WhoGoal == GoalLamp::Home;
    s.home.penalties = {penalty(g, 1), penalty(g, 2)};
    s.home.waiting = waitingOf(g, Team::Home);

    s.visitor.name = settings.VisitorText;
    s.visitor.score = numberText(g.scoreOf(Team::Visitor));
    s.visitor.shots = numberText(g.shotsOf(Team::Visitor));
    s.visitor.goalLamp = g.WhoGoal == GoalLamp::Visitor;
    s.visitor.penalties = {penalty(g, 3), penalty(g, 4)};
    s.visitor.waiting = waitingOf(g, Team::Visitor);

    s.soundPlaying = g.sounding != Sound::None;
    s.selected = QLatin1String(fieldInfo(g.selected).name);

    s.periodName = periodName(game);
    const Strength strength = strengthOf(g);
    s.homeSkaters = strength.of(Team::Home);
    s.visitorSkaters = strength.of(Team::Visitor);
    if (strength.powerPlay)
        s.powerPlay = PowerPlayState{*strength.powerPlay == Team::Home ? QStringLiteral("home")
                                                                       : QStringLiteral("visitor"),
                                     PenaltyTimeText(strength.powerPlayLeft)};
    return s;
}

QByteArray stateJson(const BoardState& s)
{
    QByteArray out;
    out.reserve(800);
    out += "{\"version\": 1, \"caption\": ";
    appendJsonString(out, s.caption);
    out += ", \"clock\": {\"text\": ";
    appendJsonString(out, s.clockText);
    out += ", \"mode\": ";
    out += s.timeOfDay ? "\"timeOfDay\"" : "\"game\"";
    out += ", \"running\": ";
    out += boolText(s.running);
    out += "}, \"period\": ";
    appendJsonString(out, s.period);
    out += ", \"home\": ";
    appendTeam(out, s.home);
    out += ", \"visitor\": ";
    appendTeam(out, s.visitor);
    out += ", \"soundPlaying\": ";
    out += boolText(s.soundPlaying);
    out += ", \"selected\": ";
    appendJsonString(out, s.selected);
    out += ", \"periodName\": ";
    appendJsonString(out, s.periodName);
    out += ", \"strength\": {\"home\": " + QByteArray::number(s.homeSkaters) +
           ", \"visitor\": " + QByteArray::number(s.visitorSkaters) + "}, \"powerPlay\": ";
    if (s.powerPlay) {
        out += "{\"team\": ";
        appendJsonString(out, s.powerPlay->team);
        out += ", \"remaining\": ";
        appendJsonString(out, s.powerPlay->remaining);
        out += '}';
    } else {
        out += "null";
    }
    out += ", \"overlay\": {\"visible\": ";
    out += boolText(s.overlayVisible);
    out += "}}";
    return out;
}

std::vector<std::pair<QString, QByteArray>> feedFiles(const BoardState& s)
{
    std::vector<std::pair<QString, QByteArray>> files = {
        {QStringLiteral("clock.txt"), s.clockText.toUtf8()},
        {QStringLiteral("period.txt"), s.period.toUtf8()},
    };
    const std::pair<const char*, const TeamState*> teams[] = {{"home_", &s.home},
                                                              {"visitor_", &s.visitor}};
    for (const auto& [prefix, team] : teams) {
        const QString p = QLatin1String(prefix);
        files.emplace_back(p + QLatin1String("name.txt"), team->name.toUtf8());
        files.emplace_back(p + QLatin1String("score.txt"), team->score.toUtf8());
        files.emplace_back(p + QLatin1String("shots.txt"), team->shots.toUtf8());
        files.emplace_back(p + QLatin1String("penalty1.txt"), penaltyLine(team->penalties[0]));
        files.emplace_back(p + QLatin1String("penalty2.txt"), penaltyLine(team->penalties[1]));
    }
    return files;
}
