// SPDX-License-Identifier: GPL-3.0-or-later
#include "remotecommand.h"

#include "commandjson.h"

#include <QJsonDocument>
#include <QJsonParseError>

namespace {

const QLatin1String OverlayName("overlay");
const QLatin1String VisibleKey("visible");
const QLatin1String CommandKey("command");

} // namespace

std::optional<QJsonObject> remoteJson(QByteArrayView text, QString* reason)
{
    QJsonParseError error{};
    const QJsonDocument doc = QJsonDocument::fromJson(text.toByteArray(), &error);
    if (error.error != QJsonParseError::NoError || !doc.isObject()) {
        if (reason)
            *reason = error.error != QJsonParseError::NoError
                          ? QStringLiteral("not JSON: %1 at byte %2")
                                .arg(error.errorString())
                                .arg(error.offset)
                          : QStringLiteral("not a JSON object");
        return std::nullopt;
    }
    return doc.object();
}

std::optional<RemoteCommand> remoteCommand(const QJsonObject& json, QString* reason,
                                           const QStringList& alsoAllowed)
{
    RemoteCommand c;
    if (json.value(CommandKey) != QJsonValue(OverlayName)) {
        const auto command = commandjson::fromJson(json, reason, alsoAllowed);
        if (!command)
            return std::nullopt;
        c.command = *command;
        return c;
    }
    auto refuse = [&](const QString& why) -> std::optional<RemoteCommand> {
        if (reason)
            *reason = why;
        return std::nullopt;
    };
    for (auto it = json.begin(); it != json.end(); ++it)
        if (it.key() != CommandKey && it.key() != VisibleKey && !alsoAllowed.contains(it.key()))
            return refuse(QStringLiteral("overlay takes no \"%1\"").arg(it.key().left(40)));
    if (!json.value(VisibleKey).isBool())
        return refuse(QStringLiteral("overlay needs \"visible\": true or false"));
    c.kind = RemoteCommand::Kind::Overlay;
    c.overlayVisible = json.value(VisibleKey).toBool();
    return c;
}

QJsonObject remoteCommandJson(const RemoteCommand& command)
{
    if (command.kind == RemoteCommand::Kind::Game)
        return commandjson::toJson(command.command);
    return {{CommandKey, OverlayName}, {VisibleKey, command.overlayVisible}};
}
