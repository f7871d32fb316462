// SPDX-License-Identifier: GPL-3.0-or-later
#include "remotecontrol.h"

#include "boardsampler.h"
#include "game.h"
#include "remotecommand.h"
#include "requestguard.h"

#include <QJsonDocument>
#include <QJsonObject>

namespace {

constexpr int Ok = 200;
constexpr int BadRequest = 400;
constexpr int Unauthorized = 401;
constexpr int Forbidden = 403;
constexpr int TooManyRequests = 429;
constexpr int Unavailable = 503;

const QLatin1String TokenKey("token");
const QLatin1String IdKey("id");

QByteArray errorJson(const QString& why)
{
    return QJsonDocument(QJsonObject{{QStringLiteral("error"), why}})
        .toJson(QJsonDocument::Compact);
}

RemoteControl::Answer refusal(int status, const QString& why)
{
    return {status, errorJson(why)};
}

// The token from "Authorization: Bearer TOKEN"; nothing without one.
std::optional<QByteArray> bearerOf(QByteArrayView authorization)
{
    const QByteArray header = authorization.toByteArray().trimmed();
    const qsizetype space = header.indexOf(' ');
    if (space < 0 || header.first(space).toLower() != "bearer")
        return std::nullopt;
    const QByteArray token = header.mid(space + 1).trimmed();
    return token.isEmpty() ? std::nullopt : std::optional(token);
}

// The first characters of a token as it was given, for the record: characters a token cannot
// hold show as '?'.
QString givenPrefix(QByteArrayView given)
{
    QString prefix;
    for (qsizetype i = 0; i < std::min<qsizetype>(given.size(), RemoteToken::PrefixLength); ++i) {
        const char c = given[i];
        const bool fits = (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') ||
                          (c >= '0' && c <= '9') || c == '-' || c == '_';
        prefix += fits ? QLatin1Char(c) : QLatin1Char('?');
    }
    return prefix;
}

CommandSource sourceOf(const QHostAddress& peer, const QString& prefix)
{
    return {CommandSource::Kind::Remote,
            clientAddress(peer).toString() + QLatin1Char(' ') + prefix};
}

} // namespace

RemoteControl::RemoteControl(Game* g, BoardSampler* s, QObject* parent)
    : QObject(parent), game(g), sampler(s)
{}

bool RemoteControl::enabled() const
{
    return forced || (game && game->settings().AllowRemoteControl);
}

std::optional<RemoteToken> RemoteControl::token(QString* error) const
{
    return RemoteToken::obtain(error, nullptr, tokenFile);
}

RemoteControl::Answer RemoteControl::httpCommand(QByteArrayView body, const QHostAddress& peer,
                                                 QByteArrayView authorization)
{
    QJsonObject json;
    return run(body, bearerOf(authorization), peer, false, &json);
}

QByteArray RemoteControl::message(QByteArrayView text, const QHostAddress& peer)
{
    // The token and the id are looked for before anything else is known of the message.
    QJsonObject json;
    const std::optional<QJsonObject> parsed = remoteJson(text, nullptr);
    std::optional<QByteArray> given;
    if (parsed && (*parsed)[TokenKey].isString() && !(*parsed)[TokenKey].toString().isEmpty())
        given = (*parsed)[TokenKey].toString().toUtf8();
    const Answer a = run(text, given, peer, true, &json);

    QJsonObject reply{{QStringLiteral("status"), a.status}};
    if (parsed && parsed->contains(IdKey))
        reply.insert(IdKey, parsed->value(IdKey));
    if (a.status != Ok)
        reply.insert(QStringLiteral("reason"),
                     QJsonDocument::fromJson(a.body).object().value(QStringLiteral("error")));
    QByteArray out = QJsonDocument(reply).toJson(QJsonDocument::Compact);
    if (a.status == Ok) {
        out.chop(1);
        out += ",\"state\":" + a.body + '}';
    }
    return "{\"reply\":" + out + '}';
}

RemoteControl::Answer RemoteControl::run(QByteArrayView text,
                                         const std::optional<QByteArray>& given,
                                         const QHostAddress& peer, bool fromWebSocket,
                                         QJsonObject* json)
{
    qint64 retryMs = 0;
    bool lockedOut = false;
    if (!limits.admit(peer, &retryMs, &lockedOut)) {
        Answer a = refusal(
            TooManyRequests,
            lockedOut ? QStringLiteral("too many wrong tokens from this address: no commands from "
                                       "it for a minute")
                      : QStringLiteral("at most %1 commands a second")
                            .arg(CommandGate::MaxCommandsPerSecond));
        a.retryAfterSeconds = static_cast<int>((retryMs + 999) / 1000);
        return a;
    }
    if (!game || !sampler || !enabled())
        return refusal(Forbidden,
                       QStringLiteral("remote control is off: start Pucklight with "
                                      "--remote-control, or turn on \"Allow remote control\" in "
                                      "its options"));
    if (!given)
        return refusal(Unauthorized,
                       fromWebSocket
                           ? QStringLiteral("a command needs the remote token in \"token\" "
                                            "(pucklight --remote-token prints it)")
                           : QStringLiteral("a command needs the remote token: Authorization: "
                                            "Bearer TOKEN (pucklight --remote-token prints it)"));
    QString error;
    const std::optional<RemoteToken> ours = token(&error);
    if (!ours)
        return refusal(Unavailable, QStringLiteral("the board cannot check tokens: ") + error);
    QString reason;
    const std::optional<QJsonObject> parsed = remoteJson(text, &reason);
    if (parsed)
        *json = *parsed;
    if (!ours->matches(*given)) {
        limits.wrongToken(peer);
        noteWrongToken(*json, *given, peer);
        return refusal(Forbidden, QStringLiteral("wrong token"));
    }
    if (!parsed)
        return refusal(BadRequest, reason);
    const QStringList alsoAllowed = fromWebSocket ? QStringList{TokenKey, IdKey} : QStringList();
    const std::optional<RemoteCommand> command = remoteCommand(*parsed, &reason, alsoAllowed);
    if (!command)
        return refusal(BadRequest, reason);
    if (command->kind == RemoteCommand::Kind::Overlay) {
        sampler->setOverlayVisible(command->overlayVisible);
    } else {
        const CommandResult result = game->run(command->command, sourceOf(peer, ours->prefix()));
        if (!result)
            return refusal(BadRequest, result.reason);
        sampler->sample();
    }
    return {Ok, sampler->json()};
}

void RemoteControl::noteWrongToken(const QJsonObject& json, QByteArrayView given,
                                   const QHostAddress& peer)
{
    if (!limits.mayRecordRefusal())
        return;
    const QJsonValue name = json.value(QLatin1String("command"));
    const QString what = name.isString() ? name.toString().left(40) : QStringLiteral("a command");
    game->recordRefusal(what, QStringLiteral("wrong token"), sourceOf(peer, givenPrefix(given)));
}

QString remoteControlStatus(const RemoteControl& remote, const QString& origin)
{
    if (!remote.enabled())
        return QStringLiteral("remote control is off (--remote-control, or \"Allow remote "
                              "control\" in the options, turns it on)");
    QString error;
    bool created = false;
    const std::optional<RemoteToken> token =
        RemoteToken::obtain(&error, &created, remote.tokenPath());
    if (!token)
        return QStringLiteral("remote control is on at %1/api/command, but every command is "
                              "refused: %2")
            .arg(origin, error);
    return QStringLiteral("remote control is on: commands at %1/api/command, the control page "
                          "at %1/control; they need the token%2 (pucklight --remote-token prints "
                          "it)")
        .arg(origin, created ? QStringLiteral(", made now in ") + remote.tokenPath() : QString());
}
