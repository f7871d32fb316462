// SPDX-License-Identifier: GPL-3.0-or-later
#include "commandjson.h"

#include "boardformat.h"

#include <QRegularExpression>
#include <cmath>

namespace commandjson {

namespace {

// The arguments each command takes, by CommandKind.
enum Takes : unsigned {
    NoArgs = 0,
    TeamArg = 1,
    SlotArg = 2,
    TimeArg = 4,
    ScoreArg = 8,
    ShotsArg = 16,
    PeriodArg = 32,
    PlayerArg = 64,
    IndexArg = 128,
    LampArg = 256,
};
constexpr unsigned Arguments[CommandKindCount] = {
    NoArgs,                                  // startStop
    NoArgs,                                  // gameClockAlone
    NoArgs,                                  // reset
    NoArgs,                                  // clockSwitch
    TimeArg,                                 // setClock
    TeamArg,                                 // goal
    TeamArg | ScoreArg,                      // setScore
    TeamArg,                                 // shot
    TeamArg | ShotsArg,                      // setShots
    PeriodArg,                               // setPeriod
    TeamArg | SlotArg | PlayerArg | TimeArg, // setPenalty
    TeamArg | SlotArg,                       // clearPenalty
    TeamArg | SlotArg,                       // penaltyClock
    TeamArg | PlayerArg | TimeArg,           // addWaiting
    TeamArg | IndexArg,                      // removeWaiting
    LampArg,                                 // goalLamp
    NoArgs,                                  // horn
    NoArgs,                                  // buzzer
    NoArgs,                                  // undo
    NoArgs,                                  // redo
};
struct ArgumentName
{
    Takes arg;
    const char* name;
};
constexpr ArgumentName ArgumentNames[] = {
    {TeamArg, "team"},     {SlotArg, "slot"},   {TimeArg, "time"},
    {ScoreArg, "score"},   {ShotsArg, "shots"}, {PeriodArg, "period"},
    {PlayerArg, "player"}, {IndexArg, "index"}, {LampArg, "lamp"},
};
// setPenalty takes a player, a time or both; the others that take an argument need it.
constexpr unsigned Optional = PlayerArg | TimeArg;

constexpr double MaxSeconds = 99 * 60 + 59.9;

QLatin1String key(const char* k)
{
    return QLatin1String(k);
}

// Seconds from "m:ss", "m:ss.t", "ss.t" or a number; nothing for anything else.
std::optional<ClockValue> timeOf(const QJsonValue& v)
{
    if (v.isDouble()) {
        const double d = v.toDouble();
        if (!(d >= 0 && d <= MaxSeconds) || std::round(d * 10) != d * 10)
            return std::nullopt;
        return ClockValue::tenths(static_cast<int64_t>(std::llround(d * 10)));
    }
    static const QRegularExpression form(
        QStringLiteral("^(?:(\\d{1,2}):([0-5]\\d)|(\\d{1,4}))(?:\\.(\\d))?$"));
    const QRegularExpressionMatch m = form.match(v.toString());
    if (!v.isString() || !m.hasMatch())
        return std::nullopt;
    const int64_t seconds = m.capturedLength(3) > 0
                                ? m.captured(3).toLongLong()
                                : m.captured(1).toLongLong() * 60 + m.captured(2).toLongLong();
    const int64_t tenths = m.capturedLength(4) > 0 ? m.captured(4).toLongLong() : 0;
    // No clock holds more than 99:59.9, which "m:ss" can always write.
    if (seconds * 10 + tenths > static_cast<int64_t>(MaxSeconds * 10))
        return std::nullopt;
    return ClockValue::whole(seconds) + ClockValue::tenths(tenths);
}

// A whole number, or NoNumber for null where a number may be left dark. A negative number is
// refused: it would be written back as null, which is another command.
std::optional<int16_t> numberOf(const QJsonValue& v, bool nullAllowed)
{
    if (v.isNull() && nullAllowed)
        return NoNumber;
    const double d = v.toDouble(std::nan(""));
    if (!v.isDouble() || d != std::floor(d) || d < 0 || d > 1000)
        return std::nullopt;
    return static_cast<int16_t>(d);
}

QJsonValue numberJson(int16_t n)
{
    return n < 0 ? QJsonValue() : QJsonValue(n);
}

QString timeJson(ClockValue t)
{
    const int64_t tenths = t.raw() / (Fixed4::Scale / 10);
    QString text =
        QStringLiteral("%1:%2").arg(tenths / 600).arg(tenths / 10 % 60, 2, 10, QLatin1Char('0'));
    if (tenths % 10)
        text += QLatin1Char('.') + QString::number(tenths % 10);
    return text;
}

} // namespace

std::optional<Command> fromJson(const QJsonObject& json, QString* reason,
                                const QStringList& alsoAllowed)
{
    auto refuse = [&](const QString& why) -> std::optional<Command> {
        if (reason)
            *reason = why;
        return std::nullopt;
    };
    const QJsonValue name = json.value(key("command"));
    if (!name.isString())
        return refuse(QStringLiteral("no \"command\" named"));
    const auto kind = commandNamed(name.toString());
    if (!kind)
        return refuse(QStringLiteral("\"%1\" is not a command").arg(name.toString().left(40)));
    const unsigned takes = Arguments[static_cast<size_t>(*kind)];
    for (auto it = json.begin(); it != json.end(); ++it) {
        if (it.key() == QLatin1String("command") || alsoAllowed.contains(it.key()))
            continue;
        bool known = false;
        for (const ArgumentName& a : ArgumentNames)
            known = known || ((takes & a.arg) && it.key() == QLatin1String(a.name));
        if (!known)
            return refuse(
                QStringLiteral("%1 takes no \"%2\"").arg(name.toString(), it.key().left(40)));
    }
    for (const ArgumentName& a : ArgumentNames)
        if ((takes & a.arg) && !(Optional & a.arg) && !json.contains(QLatin1String(a.name)))
            return refuse(
                QStringLiteral("%1 needs \"%2\"").arg(name.toString(), QLatin1String(a.name)));

    Command c = Command::of(*kind);
    auto at = [&](const char* k) { return json.value(key(k)); };
    if (takes & TeamArg) {
        const QString team = at("team").toString();
        if (team != QLatin1String("home") && team != QLatin1String("visitor"))
            return refuse(QStringLiteral("a team is \"home\" or \"visitor\""));
        c.team = team == QLatin1String("home") ? Team::Home : Team::Visitor;
    }
    if (takes & SlotArg) {
        const auto slot = numberOf(at("slot"), false);
        if (!slot)
            return refuse(QStringLiteral("a slot is a number, 1 or 2"));
        c.slot = *slot;
    }
    if (takes & IndexArg) {
        const auto index = numberOf(at("index"), false);
        if (!index)
            return refuse(QStringLiteral("an index is a whole number from 0"));
        c.index = *index;
    }
    for (const auto& [arg, k] : {std::pair{ScoreArg, "score"}, std::pair{ShotsArg, "shots"},
                                 std::pair{PeriodArg, "period"}, std::pair{PlayerArg, "player"}}) {
        if (!(takes & arg) || !json.contains(QLatin1String(k)))
            continue;
        const auto n = numberOf(at(k), arg != PeriodArg);
        if (!n)
            return refuse(QStringLiteral("\"%1\" is a whole number from 0%2")
                              .arg(QLatin1String(k),
                                   arg != PeriodArg ? QStringLiteral(" or null") : QString()));
        c.number = *n;
    }
    if ((takes & TimeArg) && json.contains(QLatin1String("time"))) {
        const auto t = timeOf(at("time"));
        if (!t)
            return refuse(QStringLiteral("a time is \"m:ss\", \"m:ss.t\" or seconds"));
        c.time = *t;
    }
    if (*kind == CommandKind::AddWaiting && !(c.number && c.time))
        return refuse(QStringLiteral("addWaiting needs \"player\" and \"time\""));
    if (takes & LampArg) {
        const QString lamp = at("lamp").toString();
        static const QString lamps[] = {QStringLiteral("none"), QStringLiteral("home"),
                                        QStringLiteral("visitor")};
        const auto* found = std::find(std::begin(lamps), std::end(lamps), lamp);
        if (found == std::end(lamps))
            return refuse(QStringLiteral("a lamp is \"home\", \"visitor\" or \"none\""));
        c.lamp = static_cast<GoalLamp>(found - std::begin(lamps));
    }
    return c;
}

QJsonObject toJson(const Command& c)
{
    QJsonObject json;
    json[key("command")] = QLatin1String(commandName(c.kind));
    const unsigned takes = Arguments[static_cast<size_t>(c.kind)];
    if (takes & TeamArg)
        json[key("team")] =
            c.team == Team::Home ? QStringLiteral("home") : QStringLiteral("visitor");
    if (takes & SlotArg)
        json[key("slot")] = c.slot;
    if (takes & IndexArg)
        json[key("index")] = c.index;
    for (const auto& [arg, k] : {std::pair{ScoreArg, "score"}, std::pair{ShotsArg, "shots"},
                                 std::pair{PeriodArg, "period"}, std::pair{PlayerArg, "player"}})
        if ((takes & arg) && c.number)
            json[key(k)] = numberJson(*c.number);
    if ((takes & TimeArg) && c.time)
        json[key("time")] = timeJson(*c.time);
    if (takes & LampArg) {
        static const char* const lamps[] = {"none", "home", "visitor"};
        json[key("lamp")] = key(lamps[static_cast<size_t>(c.lamp)]);
    }
    return json;
}

} // namespace commandjson
