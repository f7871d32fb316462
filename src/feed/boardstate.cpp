// SPDX-License-Identifier: GPL-3.0-or-later
#include "boardstate.h"

#include "clockfaces.h"
#include "game.h"

namespace {

// The clock row: two digits, the separator, two digits.
constexpr int DigitsBeforeSeparator = 2;
// A penalty time row: cell 2 the minutes, 1 and 0 the seconds.
constexpr int PenaltyMinutesCell = 2;

void appendDigit(QString& text, int16_t digit)
{
    if (digit >= 0 && digit <= 9)
        text += QChar(u'0' + digit);
}

// Digits shown left of and right of a separator, or nothing when the row is dark.
QString joined(const QString& left, QChar separator, const QString& right)
{
    if (left.isEmpty() && right.isEmpty())
        return QString();
    return left + separator + right;
}

QString clockText(const GameState& s)
{
    // In the minutes form and for the time of day the two dots make a colon; under a minute
    // the lower dot alone stands as the decimal point.
    const DigitRow& row = s.row(Field::Time);
    QString left, right;
    for (int k = 0; k < row.size(); ++k)
        appendDigit(k < DigitsBeforeSeparator ? left : right, row[k]);
    return joined(left, s.clockColon ? QChar(u':') : QChar(u'.'), right);
}

QString penaltyTimeText(const DigitRow& row)
{
    QString minutes, seconds;
    for (int k = row.size(); k-- > 0;)
        appendDigit(k >= PenaltyMinutesCell ? minutes : seconds, row[k]);
    return joined(minutes, QChar(u':'), seconds);
}

PenaltyState penalty(const GameState& s, int clock)
{
    const PenaltySlot& slot = penaltySlot(clock);
    return {rowText(s.row(slot.player)), penaltyTimeText(s.row(slot.time)),
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

} // namespace

BoardState readBoardState(const Game& game)
{
    const GameState& g = game.state();
    const SettingVariables& settings = game.settings();
    BoardState s;
    s.caption = QStringLiteral("Pucklight - ") + settings.HomeText;
    s.clockText = clockText(g);
    s.timeOfDay = g.ClockTime;
    s.running = g.clocks.IsRunning(GameClock);
    s.period = rowText(g.row(Field::Period));

    s.home.name = settings.HomeText;
    s.home.score = rowText(g.row(Field::Home));
    s.home.shots = rowText(g.row(Field::ShotsHome));
    s.home.goalLamp = g.WhoGoal == GoalLamp::Home;
    s.home.penalties = {penalty(g, 1), penalty(g, 2)};
    s.home.waiting = waitingOf(g, Team::Home);

    s.visitor.name = settings.VisitorText;
    s.visitor.score = rowText(g.row(Field::Visitor));
    s.visitor.shots = rowText(g.row(Field::ShotsVisitor));
    s.visitor.goalLamp = g.WhoGoal == GoalLamp::Visitor;
    s.visitor.penalties = {penalty(g, 3), penalty(g, 4)};
    s.visitor.waiting = waitingOf(g, Team::Visitor);

    s.soundPlaying = g.BuzzerPlaying;
    s.selected = QLatin1String(fieldInfo(g.selected).name);
    return s;
}

QByteArray stateJson(const BoardState& s)
{
    QByteArray out;
    out.reserve(640);
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
    out += '}';
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
