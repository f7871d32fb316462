// SPDX-License-Identifier: GPL-3.0-or-later
#include "gamejson.h"

#include "clockfaces.h"
#include "digitrow.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <algorithm>
#include <cmath>
#include <limits>

namespace gamejson {

namespace {

// Longer than any text typing leaves behind before Enter makes sense of it.
constexpr qsizetype MaxTypedText = 32;
constexpr qsizetype MaxTeamName = 200;
constexpr int MaxMinutesOfDay = 99 * 60 + 59;

const char* const GoalLampNames[] = {"none", "home", "visitor"};
const char* const TeamNames[] = {"home", "visitor"};

QLatin1String key(const char* k)
{
    return QLatin1String(k);
}

QString nameOf(Field f)
{
    return QLatin1String(fieldInfo(f).name);
}

std::optional<Field> fieldNamed(const QString& name)
{
    for (int i = 0; i < FieldCount; ++i)
        if (name == QLatin1String(FieldTable[static_cast<size_t>(i)].name))
            return static_cast<Field>(i);
    return std::nullopt;
}

int64_t tenthsOf(ClockValue v)
{
    return (v.raw() + Fixed4::Scale / 20) / (Fixed4::Scale / 10);
}

QJsonValue numberJson(int16_t n)
{
    return n < 0 ? QJsonValue(QJsonValue::Null) : QJsonValue(n);
}

QJsonValue typedJson(const TypedText& t)
{
    QJsonObject o;
    o[key("text")] = t.text.left(MaxTypedText);
    o[key("field")] = t.row >= 0 && t.row < FieldCount
                          ? QJsonValue(nameOf(static_cast<Field>(t.row)))
                          : QJsonValue(QJsonValue::Null);
    return o;
}

QJsonObject teamsJson(const std::array<int16_t, 2>& values)
{
    QJsonObject o;
    for (Team t : Teams)
        o[key(TeamNames[static_cast<size_t>(t)])] = numberJson(values[static_cast<size_t>(t)]);
    return o;
}

// Reads the values of a file, remembering the first fault met.
class Reader
{
public:
    QString fault;

    bool fail(const QString& why)
    {
        if (fault.isEmpty())
            fault = why;
        return false;
    }

    std::optional<int64_t> whole(const QJsonValue& v, int64_t min, int64_t max, const char* what)
    {
        const double d = v.toDouble(std::nan(""));
        if (!v.isDouble() || !(d >= double(min) && d <= double(max)) || d != std::floor(d)) {
            fail(QStringLiteral("%1 is not a whole number from %2 to %3")
                     .arg(QLatin1String(what))
                     .arg(min)
                     .arg(max));
            return std::nullopt;
        }
        return static_cast<int64_t>(d);
    }

    // A number that may be dark (null) when `darkAllowed`.
    std::optional<int16_t> number(const QJsonValue& v, int64_t max, bool darkAllowed,
                                  const char* what)
    {
        if (v.isNull() && darkAllowed)
            return NoNumber;
        const auto n = whole(v, 0, max, what);
        return n ? std::optional<int16_t>(static_cast<int16_t>(*n)) : std::nullopt;
    }

    std::optional<bool> flag(const QJsonValue& v, const char* what)
    {
        if (!v.isBool()) {
            fail(QStringLiteral("%1 is not true or false").arg(QLatin1String(what)));
            return std::nullopt;
        }
        return v.toBool();
    }

    // A field's digits as a format 1 file holds them: only a number the field can show,
    // written as the board writes it. Dark is NoNumber.
    std::optional<int16_t> digits(const QJsonValue& v, Field f)
    {
        const FieldInfo& info = fieldInfo(f);
        const QJsonArray cells = v.toArray();
        if (!v.isArray() || cells.size() != info.digits) {
            fail(QStringLiteral("%1 does not have %2 digits").arg(nameOf(f)).arg(info.digits));
            return std::nullopt;
        }
        DigitRow row(info.digits);
        for (int i = 0; i < info.digits; ++i) {
            const auto d = whole(cells[i], DigitRow::Blank, 9, info.name);
            if (!d)
                return std::nullopt;
            row.set(i, *d);
        }
        if (info.kind == FieldKind::PenaltyTime)
            return row == DigitRow(info.digits) ? NoNumber : 0; // whether a time shows
        if (info.kind == FieldKind::Clock)
            return 0;
        const QString text = rowText(row);
        const int16_t n = text.isEmpty() ? NoNumber : static_cast<int16_t>(text.toInt());
        if (n == NoNumber && info.minValue >= 0) {
            fail(QStringLiteral("%1 is dark").arg(nameOf(f)));
            return std::nullopt;
        }
        if (n > info.maxValue || numberRow(n, info.digits) != row) {
            fail(QStringLiteral("%1 is not a number it can show").arg(nameOf(f)));
            return std::nullopt;
        }
        return n;
    }

    bool typed(const QJsonValue& v, bool time, TypedText& t)
    {
        const QJsonObject o = v.toObject();
        const QString text = o.value(key("text")).toString(QStringLiteral("?"));
        const QJsonValue field = o.value(key("field"));
        static const QString allowed = QStringLiteral("0123456789.+-");
        if (!v.isObject() || text.size() > MaxTypedText ||
            !std::all_of(text.cbegin(), text.cend(), [](QChar c) { return allowed.contains(c); }))
            return fail(QStringLiteral("a typed text is not one typing can leave"));
        t.text = text;
        t.row = -1;
        if (field.isNull())
            return true;
        const auto f = fieldNamed(field.toString());
        const FieldKind kind = f ? fieldInfo(*f).kind : FieldKind::Goal;
        const bool fits = time ? kind == FieldKind::Clock || kind == FieldKind::PenaltyTime
                               : kind == FieldKind::Number || kind == FieldKind::PenaltyPlayer;
        if (!fits)
            return fail(QStringLiteral("a typed text belongs to no field that takes it"));
        t.row = index(*f);
        return true;
    }
};

// The numbers of a format 1 file, from its digits.
void readDigits(Reader& r, const QJsonObject& fields, GameState& s)
{
    for (int i = 0; i < FieldCount && r.fault.isEmpty(); ++i) {
        const auto f = static_cast<Field>(i);
        const FieldInfo& info = fieldInfo(f);
        if (info.digits == 0)
            continue;
        const auto n = r.digits(fields.value(nameOf(f)), f);
        if (!n)
            return;
        switch (f) {
        case Field::Home:
        case Field::Visitor:
            s.score[f == Field::Home ? 0 : 1] = *n;
            break;
        case Field::ShotsHome:
        case Field::ShotsVisitor:
            s.shots[f == Field::ShotsHome ? 0 : 1] = *n;
            break;
        case Field::Period:
            s.period = *n;
            break;
        default:
            if (info.kind == FieldKind::PenaltyPlayer)
                s.penalty(info.penaltyClock).player = *n;
            else if (info.kind == FieldKind::PenaltyTime)
                s.penalty(info.penaltyClock).timeShown = *n == 0;
            break;
        }
    }
}

// The numbers of a format 2 file.
void readNumbers(Reader& r, const QJsonObject& json, GameState& s)
{
    auto at = [&](const char* k) { return json.value(key(k)); };
    for (Team t : Teams) {
        const auto i = static_cast<size_t>(t);
        const QLatin1String team = key(TeamNames[i]);
        if (const auto n =
                r.number(at("score").toObject().value(team), fieldlimits::ScoreMax, true, "score"))
            s.score[i] = *n;
        if (const auto n =
                r.number(at("shots").toObject().value(team), fieldlimits::CountMax, true, "shots"))
            s.shots[i] = *n;
    }
    if (const auto n = r.number(at("period"), fieldlimits::PeriodMax, false, "period"))
        s.period = *n;
    const QJsonArray penalties = at("penalties").toArray();
    if (penalties.size() != 4)
        r.fail(QStringLiteral("penalties does not list 4 slots"));
    for (int i = FirstPenaltyClock; i < ClockCount && r.fault.isEmpty(); ++i) {
        const QJsonObject p = penalties[i - 1].toObject();
        if (const auto n = r.number(p.value(key("player")), fieldlimits::CountMax, true, "player"))
            s.penalty(i).player = *n;
        if (const auto shown = r.flag(p.value(key("time")), "time"))
            s.penalty(i).timeShown = *shown;
    }
}

} // namespace

QJsonObject toJson(const GameState& state, const GameRecord& record, const QDateTime& savedAt,
                   const QString& homeName, const QString& visitorName)
{
    QJsonObject json;
    json[key("format")] = Format;
    json[key("savedAt")] =
        savedAt.toOffsetFromUtc(savedAt.offsetFromUtc()).toString(Qt::ISODateWithMs);
    json[key("teams")] = QJsonObject{{key("home"), homeName.left(MaxTeamName)},
                                     {key("visitor"), visitorName.left(MaxTeamName)}};
    json[key("score")] = teamsJson(state.score);
    json[key("shots")] = teamsJson(state.shots);
    json[key("period")] = state.period;
    QJsonArray penalties;
    for (int i = FirstPenaltyClock; i < ClockCount; ++i)
        penalties.append(QJsonObject{{key("player"), numberJson(state.penalty(i).player)},
                                     {key("time"), state.penalty(i).timeShown}});
    json[key("penalties")] = penalties;
    // While the tick runs, the clocks are read as of now; with the tick off (the game clock at
    // zero) they stand where the last tick left them.
    ClockTable clocks = state.clocks; // reading a clock updates its record
    QJsonArray clockList;
    for (int i = 0; i < ClockCount; ++i) {
        const bool running = state.tickEnabled() && clocks.IsRunning(i);
        QJsonObject c;
        c[key("remainingTenths")] =
            qint64(tenthsOf(running ? clocks.ReadClock(i) : clocks.LastReading(i)));
        c[key("running")] = running;
        clockList.append(c);
    }
    json[key("clocks")] = clockList;
    json[key("resetTenths")] = qint64(tenthsOf(state.ClockReset));
    json[key("timeOfDay")] = state.ClockTime;
    json[key("shownTimeOfDay")] =
        state.face.timeOfDay ? QJsonValue(state.face.minutesOfDay) : QJsonValue();
    json[key("goalLamp")] = key(GoalLampNames[static_cast<size_t>(state.WhoGoal)]);
    json[key("selected")] = nameOf(state.selected);
    json[key("typedTime")] = typedJson(state.TimeBuffer);
    json[key("typedEntry")] = typedJson(state.EntryBuffer);
    QJsonObject waiting;
    for (Team t : Teams) {
        QJsonArray list;
        for (const WaitingPenalty& p : state.waitingOf(t))
            list.append(QJsonObject{{key("player"), p.player},
                                    {key("seconds"), qint64(p.time.wholePart())}});
        waiting[key(TeamNames[static_cast<size_t>(t)])] = list;
    }
    json[key("waiting")] = waiting;
    json[key("record")] = record.toJson();
    return json;
}

QJsonObject placementJson(const BoardPlacement& p)
{
    return QJsonObject{
        {key("screen"), p.screen}, {key("fullScreen"), p.fullScreen}, {key("console"), p.console}};
}

std::optional<BoardPlacement> placementFrom(const QJsonValue& v)
{
    // More screens than this no computer has; a number beyond it is no placement.
    constexpr int MaxScreen = 63;
    const QJsonObject o = v.toObject();
    const QJsonValue screen = o.value(key("screen"));
    const QJsonValue full = o.value(key("fullScreen"));
    const QJsonValue console = o.value(key("console"));
    if (!v.isObject() || !screen.isDouble() || !full.isBool() || !console.isBool())
        return std::nullopt;
    const double n = screen.toDouble();
    if (n != std::floor(n) || n < -1 || n > MaxScreen)
        return std::nullopt;
    return BoardPlacement{static_cast<int>(n), full.toBool(), console.toBool()};
}

QByteArray toBytes(const QJsonObject& json)
{
    return QJsonDocument(json).toJson(QJsonDocument::Indented);
}

QJsonObject steadyPart(QJsonObject json)
{
    json.remove(key("savedAt"));
    json.remove(key("shownTimeOfDay"));
    QJsonArray clocks = json.value(key("clocks")).toArray();
    for (auto&& c : clocks) {
        QJsonObject clock = c.toObject();
        if (clock.value(key("running")).toBool())
            clock.remove(key("remainingTenths"));
        c = clock;
    }
    json[key("clocks")] = clocks;
    QJsonObject record = json.value(key("record")).toObject();
    record.remove(key("events"));
    json[key("record")] = record;
    return json;
}

std::optional<Loaded> fromBytes(const QByteArray& bytes, QString* fault)
{
    Reader r;
    Loaded loaded;
    GameState& s = loaded.state;
    auto done = [&]() -> std::optional<Loaded> {
        if (fault)
            *fault = r.fault;
        if (!r.fault.isEmpty())
            return std::nullopt;
        return loaded;
    };

    QJsonParseError error{};
    const QJsonDocument doc = QJsonDocument::fromJson(bytes, &error);
    if (error.error != QJsonParseError::NoError || !doc.isObject()) {
        r.fail(error.error != QJsonParseError::NoError ? error.errorString()
                                                       : QStringLiteral("not a JSON object"));
        return done();
    }
    const QJsonObject json = doc.object();
    auto at = [&](const char* k) { return json.value(key(k)); };

    const auto format = r.whole(at("format"), 1, std::numeric_limits<int32_t>::max(), "format");
    if (format && *format != Format && *format != 1)
        r.fail(QStringLiteral("format %1 is not one this program reads").arg(*format));
    loaded.savedAt = QDateTime::fromString(at("savedAt").toString(), Qt::ISODateWithMs);
    if (!loaded.savedAt.isValid())
        r.fail(QStringLiteral("savedAt is not a time"));
    if (!r.fault.isEmpty())
        return done();
    const bool numbers = *format == Format;

    if (numbers)
        readNumbers(r, json, s);
    else
        readDigits(r, at("fields").toObject(), s);

    const QJsonArray clocks = at("clocks").toArray();
    if (clocks.size() != ClockCount)
        r.fail(QStringLiteral("clocks does not list %1 clocks").arg(ClockCount));
    for (int i = 0; i < ClockCount && r.fault.isEmpty(); ++i) {
        const QJsonObject c = clocks[i].toObject();
        const int32_t limit =
            i == GameClock ? fieldlimits::GameTimeLimit : fieldlimits::PenaltyTimeLimit;
        const auto tenths =
            r.whole(c.value(key("remainingTenths")), 0, limit * 10, "remainingTenths");
        const auto running = r.flag(c.value(key("running")), "running");
        if (tenths && running) {
            s.clocks.SetClock(ClockValue::tenths(*tenths), i);
            loaded.running[static_cast<size_t>(i)] = *running;
        }
    }
    if (const auto reset =
            r.whole(at("resetTenths"), 0, fieldlimits::GameTimeLimit * 10, "resetTenths"))
        s.ClockReset = ClockValue::tenths(*reset);
    if (const auto timeOfDay = r.flag(at("timeOfDay"), "timeOfDay"))
        s.ClockTime = *timeOfDay;
    const QString lamp = at("goalLamp").toString();
    const auto* lampName = std::find_if(std::begin(GoalLampNames), std::end(GoalLampNames),
                                        [&](const char* n) { return lamp == QLatin1String(n); });
    if (lampName == std::end(GoalLampNames))
        r.fail(QStringLiteral("goalLamp is not none, home or visitor"));
    else
        s.WhoGoal = static_cast<GoalLamp>(lampName - std::begin(GoalLampNames));
    if (const auto selected = fieldNamed(at("selected").toString()))
        s.selected = *selected;
    else
        r.fail(QStringLiteral("selected is not a field"));
    r.typed(at("typedTime"), true, s.TimeBuffer);
    r.typed(at("typedEntry"), false, s.EntryBuffer);
    // Waiting penalties came later: a file without them has none.
    const QJsonObject waiting = at("waiting").toObject();
    for (Team t : Teams) {
        const QJsonArray list = waiting.value(key(TeamNames[size_t(t)])).toArray();
        if (list.size() > Game::MaxWaiting)
            r.fail(QStringLiteral("more than %1 waiting penalties").arg(Game::MaxWaiting));
        for (qsizetype i = 0; i < list.size() && r.fault.isEmpty(); ++i) {
            const QJsonObject p = list[i].toObject();
            const auto player =
                r.whole(p.value(key("player")), -1, fieldlimits::CountMax, "player");
            const auto seconds =
                r.whole(p.value(key("seconds")), 1, fieldlimits::PenaltyTimeLimit, "seconds");
            if (player && seconds)
                s.waiting[size_t(t)].push_back(
                    {static_cast<int16_t>(*player), ClockValue::whole(*seconds)});
        }
    }
    if (numbers && r.fault.isEmpty()) {
        QString why;
        if (auto record = GameRecord::fromJson(at("record").toObject(), &why))
            loaded.record = std::move(*record);
        else
            r.fail(why);
        const QJsonObject teams = at("teams").toObject();
        loaded.homeName = teams.value(key("home")).toString().left(MaxTeamName);
        loaded.visitorName = teams.value(key("visitor")).toString().left(MaxTeamName);
        const QJsonValue shown = at("shownTimeOfDay");
        if (!shown.isNull()) {
            if (const auto minutes = r.whole(shown, 0, MaxMinutesOfDay, "shownTimeOfDay"))
                s.face = ClockFace{true, ClockValue(), static_cast<int>(*minutes)};
        }
    }
    if (!r.fault.isEmpty())
        return done();
    // Where the board was is no part of the game: a placement that cannot be read is left out.
    loaded.board = placementFrom(at("board"));

    // What the board shows follows the clocks, as a tick would show them.
    const ClockValue gameTime = s.clocks.ReadClock(GameClock);
    if (!numbers && s.ClockTime)
        s.face = ClockFace{true, ClockValue(), CurrentTimeOfDay()};
    if (!s.face.timeOfDay)
        s.face = ClockFace{false, gameTime, 0};
    s.clockState = gameTime <= ClockValue() ? ClockState::AtZero : ClockState::Counting;
    for (int i = FirstPenaltyClock; i < ClockCount; ++i) {
        PenaltySlotState& p = s.penalty(i);
        const ClockValue left = s.clocks.ReadClock(i);
        // A cleared penalty has no time left: a lamp without a penalty is not a board's state.
        if (!p.timeShown && left > ClockValue())
            r.fail(QStringLiteral("penalty clock %1 has time left but no penalty").arg(i));
        if (p.timeShown)
            p.shownTime = left;
    }
    return done();
}

} // namespace gamejson
