// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "command.h"

#include <QByteArrayView>
#include <QJsonObject>
#include <QStringList>
#include <optional>

// What the remote control can be asked: a command of the game (see commandjson.h), or the
// overlay shown or hidden, which is no part of the game:
//   {"command": "overlay", "visible": false}
struct RemoteCommand
{
    enum class Kind { Game, Overlay };
    Kind kind = Kind::Game;
    Command command;            // Kind::Game
    bool overlayVisible = true; // Kind::Overlay

    bool operator==(const RemoteCommand&) const = default;
};

// The JSON object of a request body or a WebSocket message, or nothing and why: it is not
// JSON, or not an object.
std::optional<QJsonObject> remoteJson(QByteArrayView text, QString* reason);

// The command the JSON asks for, or nothing and why: an unknown command, an argument missing or
// of the wrong type, or one the command does not take. Keys named in `alsoAllowed` (a
// WebSocket's "token" and "id") are let through.
std::optional<RemoteCommand> remoteCommand(const QJsonObject& json, QString* reason,
                                           const QStringList& alsoAllowed = {});

// The JSON of a command, as remoteCommand reads it.
QJsonObject remoteCommandJson(const RemoteCommand& command);
