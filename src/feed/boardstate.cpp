#include "boardstate.h"

#include "clocktable.h"
#include "colors.h"
#include "digitrows.h"
#include "frmscoreboard.h"
#include "label.h"
#include "picturebox.h"
#include "polyled.h"
#include "settingvariables.h"
#include "shape.h"

namespace {

// The clock row: two digits, the separator dots, two digits.
constexpr size_t DigitsBeforeSeparator = 2;
constexpr size_t UpperDot = 0;
// A penalty time row: member 2 the minutes, 1 and 0 the seconds.
constexpr size_t PenaltyMinutesMember = 2;

void appendDigit(QString& text, const PolyLED* d)
{
    if (d && d->Caption() >= 0 && d->Caption() <= 9)
        text += QChar(u'0' + d->Caption());
}

// Digits shown left of and right of a separator, or nothing when the row is dark.
QString joined(const QString& left, QChar separator, const QString& right)
{
    if (left.isEmpty() && right.isEmpty())
        return QString();
    return left + separator + right;
}

QString clockText(const frmScoreBoard& b)
{
    // In the minutes form and for the time of day the upper dot is lit and the two dots make
    // a colon; under a minute it takes the background colour and the lower dot alone stands
    // as the decimal point.
    const bool colon = UpperDot < b.Shape2.size() && b.Shape2[UpperDot] &&
                       b.Shape2[UpperDot]->FillColor() == toQColor(Settings.BorderColor);
    QString left, right;
    for (size_t k = 0; k < b.pledTime.size(); ++k)
        appendDigit(k < DigitsBeforeSeparator ? left : right, b.pledTime[k]);
    return joined(left, colon ? QChar(u':') : QChar(u'.'), right);
}

QString penaltyTimeText(const DigitRow& row)
{
    QString minutes, seconds;
    for (size_t k = row.size(); k-- > 0;)
        appendDigit(k >= PenaltyMinutesMember ? minutes : seconds, row[k]);
    return joined(minutes, QChar(u':'), seconds);
}

bool lit(const Shape* lamp)
{
    return lamp && lamp->FillColor() == toQColor(Settings.ScoreColor);
}

PenaltyState penalty(const DigitRow& player, const DigitRow& time, const Shape* lamp)
{
    return {rowText(player), penaltyTimeText(time), lit(lamp)};
}

const Shape* member(const std::vector<Shape*>& shapes, size_t i)
{
    return i < shapes.size() ? shapes[i] : nullptr;
}

QString selectedField(const frmScoreBoard& b)
{
    // The window's own focus child, not the application's: the board keeps its selection
    // while the operator works in another window.
    const QWidget* focus = b.focusWidget();
    for (const frmScoreBoard::Field& f : b.fields())
        if (focus && f.container == focus)
            return f.container->Name();
    return QString();
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
    out += "]}";
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

BoardState readBoardState(const frmScoreBoard& b)
{
    BoardState s;
    s.caption = b.windowTitle();
    s.clockText = clockText(b);
    s.timeOfDay = b.ClockTime != 0;
    s.running = IsRunning(GameClock) != 0;
    s.period = rowText(b.pledPeriod);

    s.home.name = b.lblHome->Caption();
    s.home.score = rowText(b.pledHome);
    s.home.shots = rowText(b.pledSOGH);
    s.home.goalLamp = lit(b.shpGoalH);
    s.home.penalties = {penalty(b.pledPenaltyPH1, b.pledPenaltyTH1, member(b.shpPenaltyH, 0)),
                        penalty(b.pledPenaltyPH2, b.pledPenaltyTH2, member(b.shpPenaltyH, 1))};

    s.visitor.name = b.lblVisitor->Caption();
    s.visitor.score = rowText(b.pledVisitor);
    s.visitor.shots = rowText(b.pledSOGV);
    s.visitor.goalLamp = lit(b.shpGoalV);
    s.visitor.penalties = {penalty(b.pledPenaltyPV1, b.pledPenaltyTV1, member(b.shpPenaltyV, 0)),
                           penalty(b.pledPenaltyPV2, b.pledPenaltyTV2, member(b.shpPenaltyV, 1))};

    s.soundPlaying = b.BuzzerPlaying != 0;
    s.selected = selectedField(b);
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
