// SPDX-License-Identifier: GPL-3.0-or-later
#include "brokercommands.h"
#include "commandjson.h"
#include "fuzzconfig.h"
#include "game.h"
#include "remotecommand.h"

#include <QCoreApplication>
#include <QJsonDocument>
#include <QJsonObject>

// Commands come as JSON from the network (the remote control, a broker): whatever they hold,
// one is refused with a reason and changes nothing, or is read back as itself and leaves
// every number of the game within its range. The input may hold several objects, one a line.
// Each line is read as the remote control reads a request body as well: any text is a command
// (of the game, or the overlay's) that reads back as itself, or is refused with a reason.
// Each line goes to a broker's command handler too: it always answers with a JSON object that
// says whether it was done, and a message without the token never changes the game.

static const QByteArray FuzzToken = QByteArrayLiteral("fuzz-token-fuzz-token-fuzz");

static void checkRanges(const GameState& s)
{
    for (int i = 0; i < FieldCount; ++i) {
        const FieldInfo& info = FieldTable[static_cast<size_t>(i)];
        if (info.kind == FieldKind::Number || info.kind == FieldKind::PenaltyPlayer) {
            const int value = s.number(static_cast<Field>(i));
            check(value >= info.minValue && value <= info.maxValue);
        }
    }
    for (Team t : Teams)
        check(s.waitingOf(t).size() <= size_t(Game::MaxWaiting));
    check(s.ClockReset >= ClockValue() &&
          s.ClockReset <= ClockValue::whole(fieldlimits::GameTimeLimit));
}

extern "C" int LLVMFuzzerInitialize(int*, char***)
{
    startQt<QCoreApplication>("fuzz_command");
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    Game game{SettingVariables()};
    game.setSoundsAvailable(true, true);
    const QByteArray bytes(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));
    BrokerCommands broker(game, RemoteToken(FuzzToken));
    for (const QByteArray& line : bytes.split('\n')) {
        QString why;
        const auto json = remoteJson(line, &why);
        check(json.has_value() == why.isEmpty());
        const QStringList alsoAllowed = {QStringLiteral("token"), QStringLiteral("id")};
        if (json) {
            const auto remote = remoteCommand(*json, &why, alsoAllowed);
            if (remote)
                check(remoteCommand(remoteCommandJson(*remote), &why) == remote);
            else
                check(!why.isEmpty());
        }
        const QJsonDocument doc = QJsonDocument::fromJson(line);
        const GameState atFirst = game.state();
        const QJsonObject answer = QJsonDocument::fromJson(broker.handle(line)).object();
        check(answer.value(QLatin1String("ok")).isBool());
        const bool withToken =
            doc.object().value(QLatin1String("token")) == QLatin1String(FuzzToken);
        if (!withToken || !answer.value(QLatin1String("ok")).toBool())
            check(game.state() == atFirst && answer.value(QLatin1String("reason")).isString());
        checkRanges(game.state());
        QString reason;
        const auto command = commandjson::fromJson(doc.object(), &reason);
        if (!command) {
            check(!reason.isEmpty());
            continue;
        }
        check(commandjson::fromJson(commandjson::toJson(*command), &reason) == command);
        const GameState before = game.state();
        const CommandResult r = game.run(*command, {CommandSource::Kind::Remote, "fuzz"});
        if (!r)
            check(!r.reason.isEmpty() && game.state() == before);
        checkRanges(game.state());
        game.tick();
        checkRanges(game.state());
    }
    return 0;
}
