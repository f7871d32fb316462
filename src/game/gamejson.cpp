// SPDX-License-Identifier: GPL-3.0-or-later
#include "gamejson.h"

#include "clockfaces.h"

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

const char* const GoalLampNames[] = {"none", "home", "visitor"};
const char* const TeamNames[] = {"home", "visitor"};

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

QJsonValue typedJson(const TypedText& t)
{
    QJsonObject o;
    o[QLatin1String("text")] = t.text.left(MaxTypedText);
    o[QLatin1String("field")] = t.row >= 0 && t.row < FieldCount
                                    ? QJsonValue(nameOf(static_cast<Field>(t.row)))
                                    : QJsonValue(QJsonValue::Null);
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

    std::optional<bool> flag(const QJsonValue& v, const char* what)
    {
        if (!v.isBool()) {
            fail(QStringLiteral("%1 is not true or false").arg(QLatin1String(what)));
            return std::nullopt;
        }
        return v.toBool();
    }

    bool row(const QJsonValue& v, Field f, DigitRow& row)
    {
        const FieldInfo& info = fieldInfo(f);
        const QJsonArray cells = v.toArray();
        if (!v.isArray() || cells.size() != info.digits)
            return fail(
                QStringLiteral("%1 does not have %2 digits").arg(nameOf(f)).arg(info.digits));
        for (int i = 0; i < info.digits; ++i) {
            const auto d = whole(cells[i], DigitRow::Blank, 9, info.name);
            if (!d)
                return false;
            row.set(i, *d);
        }
        if (info.kind == FieldKind::Number || info.kind == FieldKind::PenaltyPlayer) {
            // Only a number the field can show, written as the board writes it.
            const QString text = rowText(row);
            DigitRow shown(info.digits);
            if (!text.isEmpty())
                ShowDigits(shown, text, info.minValue, info.maxValue);
            else if (info.minValue >= 0)
                return fail(QStringLiteral("%1 is dark").arg(nameOf(f)));
            if (shown != row)
                return fail(QStringLiteral("%1 is not a number it can show").arg(nameOf(f)));
        }
        return true;
    }

    bool typed(const QJsonValue& v, bool time, TypedText& t)
    {
        const QJsonObject o = v.toObject();
        const QString text = o.value(QLatin1String("text")).toString(QStringLiteral("?"));
        const QJsonValue field = o.value(QLatin1String("field"));
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

} // namespace

QJsonObject toJson(const GameState& state, const QDateTime& savedAt)
{
    QJsonObject json;
    json[QLatin1String("format")] = Format;
    json[QLatin1String("savedAt")] =
        savedAt.toOffsetFromUtc(savedAt.offsetFromUtc()).toString(Qt::ISODateWithMs);
    QJsonObject fields;
    for (int i = 0; i < FieldCount; ++i) {
        const auto f = static_cast<Field>(i);
        const DigitRow& row = state.row(f);
        if (row.size() == 0)
            continue;
        QJsonArray cells;
        for (int c = 0; c < row.size(); ++c)
            cells.append(row[c]);
        fields[nameOf(f)] = cells;
    }
    json[QLatin1String("fields")] = fields;
    // While the tick runs, the clocks are read as of now; with the tick off (the game clock at
    // zero) they stand where the last tick left them.
    ClockTable clocks = state.clocks; // reading a clock updates its record
    QJsonArray clockList;
    for (int i = 0; i < ClockCount; ++i) {
        const bool running = state.tickEnabled && clocks.IsRunning(i);
        QJsonObject c;
        c[QLatin1String("remainingTenths")] =
            qint64(tenthsOf(running ? clocks.ReadClock(i) : clocks.LastReading(i)));
        c[QLatin1String("running")] = running;
        clockList.append(c);
    }
    json[QLatin1String("clocks")] = clockList;
    json[QLatin1String("resetTenths")] = qint64(tenthsOf(state.ClockReset));
    json[QLatin1String("timeOfDay")] = state.ClockTime;
    json[QLatin1String("goalLamp")] =
        QLatin1String(GoalLampNames[static_cast<size_t>(state.WhoGoal)]);
    json[QLatin1String("selected")] = nameOf(state.selected);
    json[QLatin1String("typedTime")] = typedJson(state.TimeBuffer);
    json[QLatin1String("typedEntry")] = typedJson(state.EntryBuffer);
    QJsonObject waiting;
    for (Team t : {Team::Home, Team::Visitor}) {
        QJsonArray list;
        for (const WaitingPenalty& p : state.waitingOf(t))
            list.append(QJsonObject{{QLatin1String("player"), p.player},
                                    {QLatin1String("seconds"), qint64(p.time.wholePart())}});
        waiting[QLatin1String(TeamNames[static_cast<size_t>(t)])] = list;
    }
    json[QLatin1String("waiting")] = waiting;
    return json;
}

QByteArray toBytes(const QJsonObject& json)
{
    return QJsonDocument(json).toJson(QJsonDocument::Indented);
}

QJsonObject steadyPart(QJsonObject json)
{
    json.remove(QLatin1String("savedAt"));
    QJsonObject fields = json.value(QLatin1String("fields")).toObject();
    fields.remove(nameOf(Field::Time));
    for (const PenaltySlot& slot : PenaltySlots)
        fields.remove(nameOf(slot.time));
    json[QLatin1String("fields")] = fields;
    QJsonArray clocks = json.value(QLatin1String("clocks")).toArray();
    for (auto&& c : clocks) {
        QJsonObject clock = c.toObject();
        if (clock.value(QLatin1String("running")).toBool())
            clock.remove(QLatin1String("remainingTenths"));
        c = clock;
    }
    json[QLatin1String("clocks")] = clocks;
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
    auto at = [&](const char* key) { return json.value(QLatin1String(key)); };

    const auto format = r.whole(at("format"), 1, std::numeric_limits<int32_t>::max(), "format");
    if (format && *format != Format)
        r.fail(QStringLiteral("format %1 is not one this program reads").arg(*format));
    loaded.savedAt = QDateTime::fromString(at("savedAt").toString(), Qt::ISODateWithMs);
    if (!loaded.savedAt.isValid())
        r.fail(QStringLiteral("savedAt is not a time"));
    if (!r.fault.isEmpty())
        return done();

    const QJsonObject fields = at("fields").toObject();
    for (int i = 0; i < FieldCount && r.fault.isEmpty(); ++i) {
        const auto f = static_cast<Field>(i);
        if (fieldInfo(f).digits > 0)
            r.row(fields.value(nameOf(f)), f, s.row(f));
    }

    const QJsonArray clocks = at("clocks").toArray();
    if (clocks.size() != ClockCount)
        r.fail(QStringLiteral("clocks does not list %1 clocks").arg(ClockCount));
    for (int i = 0; i < ClockCount && r.fault.isEmpty(); ++i) {
        const QJsonObject c = clocks[i].toObject();
        const int32_t limit =
            i == GameClock ? fieldlimits::GameTimeLimit : fieldlimits::PenaltyTimeLimit;
        const auto tenths =
            r.whole(c.value(QLatin1String("remainingTenths")), 0, limit * 10, "remainingTenths");
        const auto running = r.flag(c.value(QLatin1String("running")), "running");
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
    for (Team t : {Team::Home, Team::Visitor}) {
        const QJsonArray list = waiting.value(QLatin1String(TeamNames[size_t(t)])).toArray();
        if (list.size() > Game::MaxWaiting)
            r.fail(QStringLiteral("more than %1 waiting penalties").arg(Game::MaxWaiting));
        for (qsizetype i = 0; i < list.size() && r.fault.isEmpty(); ++i) {
            const QJsonObject p = list[i].toObject();
            const auto player =
                r.whole(p.value(QLatin1String("player")), -1, fieldlimits::CountMax, "player");
            const auto seconds = r.whole(p.value(QLatin1String("seconds")), 1,
                                         fieldlimits::PenaltyTimeLimit, "seconds");
            if (player && seconds)
                s.waiting[size_t(t)].push_back(
                    {static_cast<int16_t>(*player), ClockValue::whole(*seconds)});
        }
    }
    if (!r.fault.isEmpty())
        return done();

    // The clock faces show what the clocks hold, as a tick would.
    const ClockValue gameTime = s.clocks.ReadClock(GameClock);
    if (!s.ClockTime)
        ShowClock(gameTime, s.row(Field::Time), s.clockColon);
    s.BuzzedAtZero = gameTime <= ClockValue();
    for (int i = FirstPenaltyClock; i < ClockCount; ++i) {
        DigitRow& row = s.row(penaltySlot(i).time);
        const ClockValue left = s.clocks.ReadClock(i);
        const bool shown =
            row[0] != DigitRow::Blank || row[1] != DigitRow::Blank || row[2] != DigitRow::Blank;
        // A cleared penalty has no time left: a lamp without a penalty is not a board's state.
        if (!shown && left > ClockValue())
            r.fail(QStringLiteral("penalty clock %1 has time left but no penalty").arg(i));
        if (shown)
            DisplayTime(row, left);
        s.penaltyLamp[static_cast<size_t>(i - 1)] = left > ClockValue();
    }
    return done();
}

} // namespace gamejson
