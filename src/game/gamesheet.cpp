// SPDX-License-Identifier: GPL-3.0-or-later
#include "gamesheet.h"

#include "clockfaces.h"

#include <QJsonArray>
#include <QJsonObject>
#include <QStringList>
#include <algorithm>
#include <set>

namespace {

constexpr int RegularPeriods = 3;

size_t at(Team t)
{
    return static_cast<size_t>(t);
}

SheetEvent sheetEvent(const GameEvent& e)
{
    return {e.id, e.period, e.gameClock, e.intoPeriod(), e.wall};
}

// Follows the penalties through the record: what each slot holds now, and the waiting
// penalties that have not taken a slot yet.
class PenaltyBook
{
public:
    std::vector<SheetPenalty> list;

    void take(const GameEvent& e)
    {
        std::optional<size_t>& run = slotRun(e.team, e.slot);
        switch (e.kind) {
        case EventKind::PenaltySet:
            set(run, e);
            break;
        case EventKind::PenaltyCleared:
        case EventKind::PenaltyExpired:
            run.reset();
            break;
        case EventKind::WaitingAdded:
            list.push_back(penaltyFrom(e, e.player, e.time, true));
            waiting[at(e.team)].push_back(list.size() - 1);
            break;
        case EventKind::WaitingRemoved:
            if (const auto i = waitingMatch(e)) {
                dropped.insert(*i);
                std::erase(waiting[at(e.team)], *i);
            }
            break;
        case EventKind::WaitingTookSlot:
            if (const auto i = waitingMatch(e)) {
                std::erase(waiting[at(e.team)], *i);
                run = *i;
            } else { // added before what the record still holds
                list.push_back(penaltyFrom(e, e.player, e.time, true));
                run = list.size() - 1;
            }
            break;
        default:
            break;
        }
    }

    // The penalties listed, in the order they were given; a slot given neither a player nor
    // a time holds no penalty.
    std::vector<SheetPenalty> penalties() const
    {
        std::vector<SheetPenalty> kept;
        for (size_t i = 0; i < list.size(); ++i)
            if (!dropped.contains(i) && (list[i].player >= 0 || list[i].length))
                kept.push_back(list[i]);
        return kept;
    }

private:
    static SheetPenalty penaltyFrom(const GameEvent& e, int16_t player,
                                    std::optional<ClockValue> length, bool waited)
    {
        SheetPenalty p;
        static_cast<SheetEvent&>(p) = sheetEvent(e);
        p.team = e.team;
        p.player = player;
        p.length = length;
        p.waited = waited;
        return p;
    }

    static std::optional<ClockValue> lengthOf(const GameEvent& e)
    {
        // A slot's time stays on it at 0:00 once its penalty has run out: no length.
        if (e.on && e.time > ClockValue())
            return e.time;
        return std::nullopt;
    }

    void set(std::optional<size_t>& run, const GameEvent& e)
    {
        if (!run) {
            list.push_back(penaltyFrom(e, e.player, lengthOf(e), false));
            run = list.size() - 1;
            return;
        }
        SheetPenalty& p = list[*run];
        const auto length = lengthOf(e);
        if (length && (!p.length || e.player == p.player))
            p.length = length;
        p.player = e.player;
    }

    // The waiting penalty an entry speaks of: the one at its place in the list if it is the
    // same penalty, else the first with its player and time.
    std::optional<size_t> waitingMatch(const GameEvent& e) const
    {
        const std::vector<size_t>& queue = waiting[at(e.team)];
        const auto same = [&](size_t i) {
            return list[i].player == e.player && list[i].length == e.time;
        };
        const auto place = static_cast<size_t>(std::max(e.slot, 1) - 1);
        if (e.kind == EventKind::WaitingRemoved && place < queue.size() && same(queue[place]))
            return queue[place];
        for (size_t i : queue)
            if (same(i))
                return i;
        return std::nullopt;
    }

    std::optional<size_t>& slotRun(Team t, int slot)
    {
        return runs[at(t) * 2 + static_cast<size_t>(std::clamp(slot, 1, 2) - 1)];
    }

    std::array<std::optional<size_t>, 4> runs; // the penalty each slot holds, by clock 1 to 4
    std::array<std::vector<size_t>, 2> waiting;
    std::set<size_t> dropped;
};

// The goals, as goal commands and scores set by hand leave them.
void takeGoal(std::vector<SheetGoal>& goals, const GameEvent& e)
{
    const auto count = [&] {
        return static_cast<int>(std::ranges::count(goals, e.team, &SheetGoal::team));
    };
    auto add = [&](bool scoreSet) {
        SheetGoal g;
        static_cast<SheetEvent&>(g) = sheetEvent(e);
        g.team = e.team;
        g.scoreSet = scoreSet;
        goals.push_back(g);
    };
    if (e.kind == EventKind::Goal) {
        add(false);
    } else if (e.value >= 0) { // a score set; a darkened one says nothing
        for (int n = count(); n < e.value; ++n)
            add(true);
        for (int n = count(); n > e.value; --n) {
            const auto last =
                std::ranges::find(goals.rbegin(), goals.rend(), e.team, &SheetGoal::team);
            goals.erase(std::next(last).base());
        }
    }
}

// A CSV field: quoted when it holds a comma, a quote or a line break, its quotes doubled. A
// free text that begins like a formula is kept from being one in a spreadsheet.
QString csvField(QString text, bool freeText)
{
    if (freeText && !text.isEmpty() && QStringLiteral("=+-@\t\r").contains(text.front()))
        text.prepend(QLatin1Char('\''));
    if (!text.contains(QLatin1Char(',')) && !text.contains(QLatin1Char('"')) &&
        !text.contains(QLatin1Char('\n')) && !text.contains(QLatin1Char('\r')))
        return text;
    text.replace(QLatin1String("\""), QLatin1String("\"\""));
    return QLatin1Char('"') + text + QLatin1Char('"');
}

QString csvValue(const QJsonValue& v)
{
    if (v.isBool())
        return v.toBool() ? QStringLiteral("true") : QStringLiteral("false");
    if (v.isDouble())
        return QString::number(v.toInteger());
    if (v.isArray()) {
        QStringList items;
        for (const QJsonValue& item : v.toArray())
            items << csvValue(item);
        return items.join(QLatin1Char(' '));
    }
    return v.toString();
}

std::array<QString, 2> teamNames(const gamejson::Loaded& game)
{
    return {game.homeName.isEmpty() ? QStringLiteral("Home") : game.homeName,
            game.visitorName.isEmpty() ? QStringLiteral("Visitor") : game.visitorName};
}

} // namespace

QString periodHeading(int period)
{
    return period == 0 ? QStringLiteral("0") : periodOrdinal(period);
}

QString penaltyMinutes(const std::optional<ClockValue>& length)
{
    if (!length)
        return QString();
    if (length->raw() % ClockValue::whole(60).raw() == 0)
        return QString::number(length->wholePart() / 60);
    return PenaltyTimeText(*length);
}

int GameSheet::goalsIn(Team t, int period) const
{
    return static_cast<int>(std::ranges::count_if(
        goals, [&](const SheetGoal& g) { return g.team == t && g.period == period; }));
}

int GameSheet::goalCount(Team t) const
{
    return static_cast<int>(std::ranges::count(goals, t, &SheetGoal::team));
}

std::optional<int> GameSheet::shotsIn(Team t, int period) const
{
    const auto column = std::ranges::find(periods, period);
    if (!shotsKnown[at(t)] || column == periods.end())
        return std::nullopt;
    const auto i = static_cast<size_t>(column - periods.begin());
    return shotsAtEnd[i][at(t)] - (i == 0 ? 0 : shotsAtEnd[i - 1][at(t)]);
}

std::optional<int> GameSheet::shotsTotal(Team t) const
{
    if (!shotsKnown[at(t)] || shotsAtEnd.empty())
        return std::nullopt;
    return shotsAtEnd.back()[at(t)];
}

bool GameSheet::goalsComplete() const
{
    return dropped == 0 && goalCount(Team::Home) == finalScore[at(Team::Home)] &&
           goalCount(Team::Visitor) == finalScore[at(Team::Visitor)];
}

GameSheet gameSheet(const gamejson::Loaded& game)
{
    GameSheet sheet;
    sheet.teams = teamNames(game);
    sheet.savedAt = game.savedAt.toUTC();
    sheet.dropped = game.record.dropped();
    const auto& events = game.record.events();
    if (!events.empty()) {
        sheet.firstEvent = events.front().wall;
        sheet.lastEvent = events.back().wall;
    }

    const std::vector<bool> inEffect = game.record.inEffect();
    PenaltyBook penalties;
    std::set<int> periods;
    for (int p = 1; p <= RegularPeriods; ++p)
        periods.insert(p);
    struct Shots
    {
        int period;
        Team team;
        int value;
    };
    std::vector<Shots> shots;
    for (size_t i = 0; i < events.size(); ++i) {
        if (!inEffect[i])
            continue;
        const GameEvent& e = events[i];
        switch (e.kind) {
        case EventKind::Goal:
        case EventKind::Score:
            takeGoal(sheet.goals, e);
            break;
        case EventKind::Shots:
            shots.push_back({e.period, e.team, std::max<int>(e.value, 0)});
            sheet.shotsKnown[at(e.team)] = true;
            periods.insert(e.period);
            break;
        default:
            penalties.take(e);
            break;
        }
    }
    sheet.penalties = penalties.penalties();
    for (const SheetGoal& g : sheet.goals)
        periods.insert(g.period);
    for (const SheetPenalty& p : sheet.penalties)
        periods.insert(p.period);
    sheet.periods.assign(periods.begin(), periods.end());

    // Each period's total is the last one set while it, or one before it, was played.
    for (int period : sheet.periods) {
        std::array<int, 2> total{0, 0};
        for (const Shots& s : shots)
            if (s.period <= period)
                total[at(s.team)] = s.value;
        sheet.shotsAtEnd.push_back(total);
    }

    std::array<int, 2> score{0, 0};
    for (SheetGoal& g : sheet.goals) {
        ++score[at(g.team)];
        g.score = score;
    }
    for (Team t : Teams) {
        const int16_t shown = game.state.scoreOf(t);
        sheet.finalScore[at(t)] = shown >= 0 ? shown : static_cast<int16_t>(score[at(t)]);
    }
    return sheet;
}

QByteArray recordCsv(const gamejson::Loaded& game)
{
    // The columns are the keys of the record's JSON in the game file, with the team's name and
    // what each entry is in words.
    static const char* const Columns[] = {
        "id",     "kind",       "inEffect", "wall",     "period", "clock",  "intoPeriod",
        "source", "sourceName", "team",     "teamName", "slot",   "player", "time",
        "before", "value",      "lamp",     "on",       "refs",   "text",   "description"};
    static const QStringList FreeText = {QStringLiteral("sourceName"), QStringLiteral("teamName"),
                                         QStringLiteral("text"), QStringLiteral("description")};
    const std::array<QString, 2> names = teamNames(game);
    const GameRecord& record = game.record;
    QStringList heading;
    for (const char* c : Columns)
        heading << QLatin1String(c);
    QString csv = heading.join(QLatin1Char(',')) + QStringLiteral("\r\n");
    const std::vector<bool> inEffect = record.inEffect();
    size_t i = 0;
    for (const GameEvent& e : record.events()) {
        QJsonObject o = GameRecord::eventJson(e);
        o[QLatin1String("inEffect")] = bool(inEffect[i++]);
        o[QLatin1String("description")] = e.describe();
        if (o.contains(QLatin1String("team")))
            o[QLatin1String("teamName")] = names[at(e.team)];
        QStringList row;
        for (const QString& column : heading)
            row << csvField(csvValue(o.value(column)), FreeText.contains(column));
        csv += row.join(QLatin1Char(',')) + QStringLiteral("\r\n");
    }
    return csv.toUtf8();
}
