// SPDX-License-Identifier: GPL-3.0-or-later
#include "gamerecord.h"

#include "boardformat.h"
#include "clockfaces.h"

#include <QJsonArray>
#include <array>
#include <cmath>
#include <map>

namespace {

// By EventKind.
constexpr std::array<const char*, EventKindCount> EventNames = {
    "goal",           "score",          "shots",        "period",         "penaltySet",
    "penaltyCleared", "penaltyExpired", "waitingAdded", "waitingRemoved", "waitingTookSlot",
    "clockStarted",   "clockStopped",   "clockSet",     "reset",          "clockSwitched",
    "goalLamp",       "horn",           "buzzer",       "undo",           "redo",
    "refused",        "note",
};
static_assert(static_cast<int>(EventKind::Note) + 1 == EventKindCount);

constexpr std::array<const char*, 3> LampNames = {"none", "home", "visitor"};
constexpr std::array<const char*, 2> TeamNames = {"home", "visitor"};

int64_t tenthsOf(ClockValue v)
{
    return (v.raw() + Fixed4::Scale / 20) / (Fixed4::Scale / 10);
}

// Which fields an event of each kind carries, beyond those all carry.
enum Carries : unsigned {
    TeamField = 1,
    SlotField = 2,
    PlayerField = 4,
    TimeField = 8,
    ValueFields = 16,
    LampField = 32,
    OnField = 64,
    RefsField = 128,
    TextField = 256,
};
constexpr std::array<unsigned, EventKindCount> EventFields = {
    TeamField | ValueFields | LampField | OnField,             // goal
    TeamField | ValueFields,                                   // score
    TeamField | ValueFields,                                   // shots
    ValueFields,                                               // period
    TeamField | SlotField | PlayerField | TimeField | OnField, // penaltySet
    TeamField | SlotField | PlayerField | TimeField | OnField, // penaltyCleared
    TeamField | SlotField | PlayerField,                       // penaltyExpired
    TeamField | SlotField | PlayerField | TimeField,           // waitingAdded
    TeamField | SlotField | PlayerField | TimeField,           // waitingRemoved
    TeamField | SlotField | PlayerField | TimeField,           // waitingTookSlot
    SlotField,                                                 // clockStarted
    SlotField,                                                 // clockStopped
    TimeField,                                                 // clockSet
    TimeField,                                                 // reset
    OnField,                                                   // clockSwitched
    LampField,                                                 // goalLamp
    0,                                                         // horn
    0,                                                         // buzzer
    RefsField | TextField,                                     // undo
    RefsField | TextField,                                     // redo
    TextField,                                                 // refused
    TextField,                                                 // note
};

template <size_t N>
int indexNamed(const std::array<const char*, N>& names, const QString& name)
{
    for (size_t i = 0; i < N; ++i)
        if (name == QLatin1String(names[i]))
            return static_cast<int>(i);
    return -1;
}

QString teamWord(Team t)
{
    return QLatin1String(TeamNames[static_cast<size_t>(t)]);
}

QString playerText(int16_t player)
{
    return player < 0 ? QStringLiteral("no player") : QStringLiteral("#%1").arg(player);
}

} // namespace

const char* eventKindName(EventKind kind)
{
    return EventNames[static_cast<size_t>(kind)];
}

std::optional<EventKind> eventKindNamed(QStringView name)
{
    for (size_t i = 0; i < EventNames.size(); ++i)
        if (name == QLatin1String(EventNames[i]))
            return static_cast<EventKind>(i);
    return std::nullopt;
}

QString periodOrdinal(int period)
{
    const int tens = period % 100 / 10;
    const int last = period % 10;
    const char* suffix = "th";
    if (tens != 1 && last == 1)
        suffix = "st";
    else if (tens != 1 && last == 2)
        suffix = "nd";
    else if (tens != 1 && last == 3)
        suffix = "rd";
    return QString::number(period) + QLatin1String(suffix);
}

ClockValue GameEvent::intoPeriod() const
{
    return std::max(periodTime - gameClock, ClockValue());
}

QString GameEvent::describe() const
{
    QString what;
    switch (kind) {
    case EventKind::Goal:
        what = teamWord(team) + QStringLiteral(" goal");
        break;
    case EventKind::Score:
        what = QStringLiteral("%1 score %2").arg(teamWord(team), numberText(value));
        break;
    case EventKind::Shots:
        what = QStringLiteral("%1 shots %2").arg(teamWord(team), numberText(value));
        break;
    case EventKind::Period:
        what = QStringLiteral("period %1").arg(value);
        break;
    case EventKind::PenaltySet:
        what = QStringLiteral("%1 penalty %2: %3, %4")
                   .arg(teamWord(team))
                   .arg(slot)
                   .arg(playerText(player), on ? PenaltyTimeText(time) : QStringLiteral("no time"));
        break;
    case EventKind::PenaltyCleared:
        what = QStringLiteral("%1 penalty %2 cleared").arg(teamWord(team)).arg(slot);
        break;
    case EventKind::PenaltyExpired:
        what = QStringLiteral("%1 penalty %2 over (%3)")
                   .arg(teamWord(team))
                   .arg(slot)
                   .arg(playerText(player));
        break;
    case EventKind::WaitingAdded:
    case EventKind::WaitingRemoved:
        what = QStringLiteral("%1 waiting penalty %2 %3, %4")
                   .arg(teamWord(team),
                        kind == EventKind::WaitingAdded ? QStringLiteral("added")
                                                        : QStringLiteral("removed"),
                        playerText(player), PenaltyTimeText(time));
        break;
    case EventKind::WaitingTookSlot:
        what = QStringLiteral("%1 waiting penalty %2 to slot %3")
                   .arg(teamWord(team), playerText(player))
                   .arg(slot);
        break;
    case EventKind::ClockStarted:
    case EventKind::ClockStopped: {
        const QString which =
            slot < 0 ? QStringLiteral("clocks")
            : slot == 0
                ? QStringLiteral("game clock")
                : QStringLiteral("%1 penalty %2 clock").arg(teamWord(team)).arg((slot - 1) % 2 + 1);
        what = which + (kind == EventKind::ClockStarted ? QStringLiteral(" started")
                                                        : QStringLiteral(" stopped"));
        break;
    }
    case EventKind::ClockSet:
        what = QStringLiteral("game time %1").arg(gameTimeText(time));
        break;
    case EventKind::Reset:
        what = QStringLiteral("reset to %1").arg(gameTimeText(time));
        break;
    case EventKind::ClockSwitched:
        what = on ? QStringLiteral("time of day") : QStringLiteral("game time shown");
        break;
    case EventKind::GoalLamp:
        what = lamp == GoalLamp::None
                   ? QStringLiteral("goal lamp out")
                   : QStringLiteral("%1 goal lamp")
                         .arg(QLatin1String(LampNames[static_cast<size_t>(lamp)]));
        break;
    case EventKind::Horn:
        what = QStringLiteral("horn");
        break;
    case EventKind::Buzzer:
        what = QStringLiteral("buzzer");
        break;
    case EventKind::Undo:
        return QStringLiteral("undo: ") + text;
    case EventKind::Redo:
        return QStringLiteral("redo: ") + text;
    case EventKind::Refused:
        return QStringLiteral("refused: ") + text;
    case EventKind::Note:
        return text;
    }
    // A board that was never given a period shows 0: there is no "0th period".
    const QString when =
        period > 0 ? periodOrdinal(period) + QStringLiteral(" period") : QStringLiteral("period 0");
    return QStringLiteral("%1 at %2, %3").arg(what, gameTimeText(gameClock), when);
}

int64_t GameRecord::append(GameEvent e)
{
    // What a kind of entry does not carry is not kept, so that an entry read back from its
    // JSON is the entry itself.
    const unsigned carries = EventFields[static_cast<size_t>(e.kind)];
    const GameEvent blank;
    if (!(carries & TeamField))
        e.team = blank.team;
    if (!(carries & SlotField))
        e.slot = blank.slot;
    if (!(carries & PlayerField))
        e.player = blank.player;
    if (!(carries & TimeField))
        e.time = blank.time;
    if (!(carries & ValueFields))
        e.before = e.value = NoNumber;
    if (!(carries & LampField))
        e.lamp = blank.lamp;
    if (!(carries & OnField))
        e.on = blank.on;
    if (!(carries & RefsField))
        e.refs.clear();
    if (!(carries & TextField))
        e.text.clear();
    e.wall = QDateTime::fromMSecsSinceEpoch(e.wall.toMSecsSinceEpoch(), Qt::UTC);
    e.id = next++;
    listJson.append(eventJson(e));
    list.push_back(std::move(e));
    while (list.size() > MaxEvents) {
        list.pop_front();
        listJson.removeFirst();
        ++droppedCount;
    }
    return list.back().id;
}

std::vector<bool> GameRecord::inEffect() const
{
    // Undo and redo entries name the entries they take back or do again; walking the record
    // in order, the last of them decides.
    std::map<int64_t, size_t> at;
    for (size_t i = 0; i < list.size(); ++i)
        at[list[i].id] = i;
    std::vector<bool> effect(list.size(), true);
    for (const GameEvent& e : list) {
        if (e.kind != EventKind::Undo && e.kind != EventKind::Redo)
            continue;
        for (int64_t ref : e.refs)
            if (const auto it = at.find(ref); it != at.end())
                effect[it->second] = e.kind == EventKind::Redo;
    }
    return effect;
}

QJsonObject GameRecord::eventJson(const GameEvent& e)
{
    const unsigned carries = EventFields[static_cast<size_t>(e.kind)];
    QJsonObject o;
    o[QLatin1String("id")] = qint64(e.id);
    o[QLatin1String("kind")] = QLatin1String(eventKindName(e.kind));
    o[QLatin1String("wall")] = e.wall.toUTC().toString(Qt::ISODateWithMs);
    o[QLatin1String("period")] = e.period;
    o[QLatin1String("clock")] = gameTimeText(e.gameClock);
    o[QLatin1String("clockTenths")] = qint64(tenthsOf(e.gameClock));
    o[QLatin1String("periodTenths")] = qint64(tenthsOf(e.periodTime));
    o[QLatin1String("intoPeriod")] = elapsedText(e.intoPeriod());
    o[QLatin1String("source")] = QLatin1String(sourceKindName(e.source.kind));
    if (!e.source.name.isEmpty())
        o[QLatin1String("sourceName")] = e.source.name;
    if (carries & TeamField)
        o[QLatin1String("team")] = teamWord(e.team);
    if (carries & SlotField)
        o[QLatin1String("slot")] = e.slot;
    if (carries & PlayerField)
        o[QLatin1String("player")] = e.player < 0 ? QJsonValue() : QJsonValue(e.player);
    if (carries & TimeField) {
        o[QLatin1String("time")] = e.kind == EventKind::ClockSet || e.kind == EventKind::Reset
                                       ? gameTimeText(e.time)
                                       : PenaltyTimeText(e.time);
        o[QLatin1String("timeTenths")] = qint64(tenthsOf(e.time));
    }
    if (carries & ValueFields) {
        o[QLatin1String("before")] = e.before < 0 ? QJsonValue() : QJsonValue(e.before);
        o[QLatin1String("value")] = e.value < 0 ? QJsonValue() : QJsonValue(e.value);
    }
    if (carries & LampField)
        o[QLatin1String("lamp")] = QLatin1String(LampNames[static_cast<size_t>(e.lamp)]);
    if (carries & OnField)
        o[QLatin1String("on")] = e.on;
    if (carries & RefsField) {
        QJsonArray refs;
        for (int64_t r : e.refs)
            refs.append(qint64(r));
        o[QLatin1String("refs")] = refs;
    }
    if (carries & TextField)
        o[QLatin1String("text")] = e.text;
    return o;
}

QJsonObject GameRecord::toJson() const
{
    QJsonObject o;
    o[QLatin1String("next")] = qint64(next);
    o[QLatin1String("dropped")] = qint64(droppedCount);
    o[QLatin1String("events")] = listJson;
    return o;
}

std::optional<GameRecord> GameRecord::fromJson(const QJsonObject& json, QString* fault)
{
    auto fail = [&](const QString& why) -> std::optional<GameRecord> {
        if (fault)
            *fault = QStringLiteral("the record: ") + why;
        return std::nullopt;
    };
    // Whole numbers within a range; anything else is a fault.
    auto whole = [](const QJsonValue& v, double lowest, double highest) -> std::optional<int64_t> {
        const double d = v.toDouble(std::nan(""));
        if (!v.isDouble() || !(d >= lowest && d <= highest) || d != std::floor(d))
            return std::nullopt;
        return static_cast<int64_t>(d);
    };
    constexpr double MaxId = 1e15;
    constexpr double MaxTenths = 5999 * 10;
    GameRecord r;
    const auto next = whole(json.value(QLatin1String("next")), 1, MaxId);
    const auto dropped = whole(json.value(QLatin1String("dropped")), 0, MaxId);
    const QJsonArray events = json.value(QLatin1String("events")).toArray();
    if (!next || !dropped || !json.value(QLatin1String("events")).isArray())
        return fail(QStringLiteral("next, dropped or events is missing"));
    if (events.size() > MaxEvents)
        return fail(QStringLiteral("more than %1 events").arg(MaxEvents));
    r.next = *next;
    r.droppedCount = *dropped;
    int64_t lastId = 0;
    for (const QJsonValue& v : events) {
        const QJsonObject o = v.toObject();
        auto at = [&](const char* key) { return o.value(QLatin1String(key)); };
        GameEvent e;
        const auto id = whole(at("id"), double(lastId + 1), double(r.next - 1));
        const auto kind = eventKindNamed(at("kind").toString());
        const auto period = whole(at("period"), 0, 9);
        const auto clock = whole(at("clockTenths"), 0, MaxTenths);
        const auto periodTime = whole(at("periodTenths"), 0, MaxTenths);
        const auto source = sourceKindNamed(at("source").toString());
        e.wall = QDateTime::fromString(at("wall").toString(), Qt::ISODateWithMs);
        if (!id || !kind || !period || !clock || !periodTime || !source || !e.wall.isValid())
            return fail(QStringLiteral("an event is not one this program writes"));
        lastId = *id;
        e.id = *id;
        e.kind = *kind;
        e.period = static_cast<int16_t>(*period);
        e.gameClock = ClockValue::tenths(*clock);
        e.periodTime = ClockValue::tenths(*periodTime);
        e.source = {*source, at("sourceName").toString().left(64)};
        const unsigned carries = EventFields[static_cast<size_t>(e.kind)];
        if (carries & TeamField) {
            const int team = indexNamed(TeamNames, at("team").toString());
            if (team < 0)
                return fail(QStringLiteral("an event's team is not home or visitor"));
            e.team = static_cast<Team>(team);
        }
        if (carries & SlotField) {
            const auto slot = whole(at("slot"), -1, 99);
            if (!slot)
                return fail(QStringLiteral("an event's slot is out of range"));
            e.slot = static_cast<int>(*slot);
        }
        auto number = [&](const char* key, int16_t& into) {
            if (at(key).isNull())
                return true;
            const auto n = whole(at(key), 0, 199);
            into = n ? static_cast<int16_t>(*n) : NoNumber;
            return n.has_value();
        };
        if ((carries & PlayerField) && !number("player", e.player))
            return fail(QStringLiteral("an event's player is out of range"));
        if ((carries & ValueFields) && !(number("before", e.before) && number("value", e.value)))
            return fail(QStringLiteral("an event's number is out of range"));
        if (carries & TimeField) {
            const auto t = whole(at("timeTenths"), 0, MaxTenths);
            if (!t)
                return fail(QStringLiteral("an event's time is out of range"));
            e.time = ClockValue::tenths(*t);
        }
        if (carries & LampField) {
            const int lamp = indexNamed(LampNames, at("lamp").toString());
            if (lamp < 0)
                return fail(QStringLiteral("an event's lamp is not none, home or visitor"));
            e.lamp = static_cast<GoalLamp>(lamp);
        }
        if (carries & OnField)
            e.on = at("on").toBool();
        if (carries & RefsField) {
            for (const QJsonValue& ref : at("refs").toArray()) {
                const auto n = whole(ref, 1, double(e.id));
                if (!n || e.refs.size() >= 64)
                    return fail(QStringLiteral("an undo names an event it cannot"));
                e.refs.push_back(*n);
            }
        }
        if (carries & TextField)
            e.text = at("text").toString().left(200);
        r.listJson.append(eventJson(e));
        r.list.push_back(std::move(e));
    }
    return r;
}
