// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "remotetoken.h"

#include <QByteArray>
#include <deque>

class Game;

// The commands that come through the broker, and their answers. A message is one JSON object
// as the remote control takes it (commandjson), with "token" holding the remote token, and
// optionally an "id" (a string or a number) that the answer gives back:
//   {"command": "goal", "team": "home", "token": "k3Xa...", "id": 7}
//   {"id": 7, "command": "goal", "ok": true}
//   {"id": 7, "command": "goal", "ok": false, "reason": "..."}
// A message without the right token changes nothing and is in the game record as refused;
// so that a flood of them cannot push the game out of the record, at most
// RecordedRefusalsPerMinute are recorded and the rest counted in the next one recorded.
class BrokerCommands
{
public:
    static constexpr int RecordedRefusalsPerMinute = 10;
    static constexpr int MaxIdLength = 64;

    BrokerCommands(Game& g, const RemoteToken& t) : game(g), token(t) {}

    // Runs the command in one message; returns the answer.
    QByteArray handle(const QByteArray& payload);

private:
    bool mayRecordRefusal();

    Game& game;
    RemoteToken token;
    std::deque<int64_t> recordedAt; // ms of the monotonic clock, within the last minute
    int64_t unrecorded = 0;
};
