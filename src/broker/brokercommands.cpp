// SPDX-License-Identifier: GPL-3.0-or-later
#include "brokercommands.h"

#include "commandjson.h"
#include "game.h"
#include "timesource.h"

#include <QJsonDocument>
#include <QJsonObject>

namespace {

constexpr int64_t MinuteMs = 60'000;
// How much of a given token the record shows, as it shows the right one's.
constexpr qsizetype ShownTokenLength = 4;
const QJsonValue NoId(QJsonValue::Undefined);

QByteArray answer(const QJsonValue& id, const QString& command, const QString& reason)
{
    QJsonObject o;
    if (!id.isUndefined())
        o[QLatin1String("id")] = id;
    if (!command.isEmpty())
        o[QLatin1String("command")] = command;
    o[QLatin1String("ok")] = reason.isEmpty();
    if (!reason.isEmpty())
        o[QLatin1String("reason")] = reason;
    return QJsonDocument(o).toJson(QJsonDocument::Compact);
}

int64_t nowMs()
{
    const MonotonicTime t = timeSource().monotonicNow();
    return t.seconds * 1000 + t.millis;
}

} // namespace

QByteArray BrokerCommands::handle(const QByteArray& payload)
{
    if (payload.size() > commandjson::MaxBytes)
        return answer(NoId, {},
                      QStringLiteral("a command is at most %1 bytes").arg(commandjson::MaxBytes));
    QJsonParseError error{};
    const QJsonDocument doc = QJsonDocument::fromJson(payload, &error);
    if (!doc.isObject())
        return answer(NoId, {}, QStringLiteral("a command is one JSON object"));
    const QJsonObject json = doc.object();
    // Given back only when it is one the sender can match.
    const QJsonValue givenId = json.value(QLatin1String("id"));
    const bool idOk = givenId.isUndefined() || givenId.isDouble() ||
                      (givenId.isString() && givenId.toString().size() <= MaxIdLength);
    const QJsonValue id = idOk ? givenId : NoId;
    const QString name = json.value(QLatin1String("command")).toString().left(40);

    const QJsonValue given = json.value(QLatin1String("token"));
    const QByteArray givenText = given.toString().toUtf8();
    if (!given.isString() || !token.matches(givenText)) {
        const QString why =
            given.isUndefined() ? QStringLiteral("no token") : QStringLiteral("wrong token");
        if (mayRecordRefusal()) {
            QString reason = why;
            if (unrecorded > 0)
                reason +=
                    QStringLiteral(" (and %1 more refused since, not recorded)").arg(unrecorded);
            unrecorded = 0;
            game.recordRefusal(
                name.isEmpty() ? QStringLiteral("a command") : name, reason,
                {CommandSource::Kind::Broker, QString::fromUtf8(givenText.left(ShownTokenLength))});
        } else {
            ++unrecorded;
        }
        return answer(id, name, why);
    }
    if (!idOk)
        return answer(
            NoId, name,
            QStringLiteral("an id is a number or at most %1 characters").arg(MaxIdLength));

    QString reason;
    const auto command =
        commandjson::fromJson(json, &reason, {QStringLiteral("token"), QStringLiteral("id")});
    if (!command)
        return answer(id, name, reason);
    const CommandResult result = game.run(*command, {CommandSource::Kind::Broker, token.prefix()});
    return answer(id, name, result ? QString() : result.reason);
}

bool BrokerCommands::mayRecordRefusal()
{
    const int64_t now = nowMs();
    while (!recordedAt.empty() && now - recordedAt.front() >= MinuteMs)
        recordedAt.pop_front();
    if (recordedAt.size() >= size_t(RecordedRefusalsPerMinute))
        return false;
    recordedAt.push_back(now);
    return true;
}
