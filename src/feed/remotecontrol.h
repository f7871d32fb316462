// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "commandgate.h"
#include "remotetoken.h"

#include <QByteArray>
#include <QHostAddress>
#include <QObject>
#include <QPointer>
#include <optional>

class BoardSampler;
class Game;
class QJsonObject;

// Commands from other programs, through the server: POST /api/command and the WebSocket. Only
// while remote control is on (--remote-control, or the setting AllowRemoteControl), and only
// with the remote token; each command is run on the game from the source "<address> <the
// token's first 4 characters>", and so is in the game record as every command is. Checked in
// this order, each with its answer:
//   429  more than 20 commands in a second from the client, or it is locked out after 10 wrong
//        tokens in a minute (for a minute)
//   403  remote control is off; the answer says how to turn it on
//   401  no token: "Authorization: Bearer TOKEN" over HTTP, "token" in a WebSocket message
//   503  the token file cannot be used (a link, open to others, damaged): the terminal said why
//   403  a wrong token, compared in constant time; noted in the game record as refused
//   400  not a JSON object, an unknown command, an argument missing, wrong or extra, or a
//        command the game refuses (out of range): with the reason, and nothing changed
//   200  done: the new state, as state.json holds it
// "overlay" shows or hides the overlay; it changes nothing of the game and is not recorded.
class RemoteControl : public QObject
{
    Q_OBJECT
    Q_DISABLE_COPY(RemoteControl)
public:
    struct Answer
    {
        int status = 200;
        QByteArray body; // JSON: the state, or {"error": "why"}
        int retryAfterSeconds = 0;
    };

    RemoteControl(Game* game, BoardSampler* sampler, QObject* parent = nullptr);

    // --remote-control: on for this run, whatever the setting says.
    void setForcedOn(bool on) { forced = on; }
    // The token file; RemoteToken::defaultPath() unless told.
    void setTokenPath(const QString& path) { tokenFile = path; }
    const QString& tokenPath() const { return tokenFile; }
    // Whether commands are taken now: the setting is read each time, so the options dialog
    // turns it on and off while the program runs.
    bool enabled() const;
    // The token as the file holds it now (made there when there is none); the file is read for
    // every command, so a token replaced with --new-remote-token works at once and the old one
    // stops working.
    std::optional<RemoteToken> token(QString* error = nullptr) const;

    // POST /api/command: the body and the Authorization header as they came.
    Answer httpCommand(QByteArrayView body, const QHostAddress& peer, QByteArrayView authorization);
    // A WebSocket message: the same JSON object with the token in "token" and, if wanted, an
    // "id" that the answer repeats. The answer is {"reply": {"id": ..., "status": 200,
    // "state": {...}}}, or with "reason" in place of "state".
    QByteArray message(QByteArrayView text, const QHostAddress& peer);

    CommandGate& gate() { return limits; }

private:
    Answer run(QByteArrayView text, const std::optional<QByteArray>& given,
               const QHostAddress& peer, bool fromWebSocket, QJsonObject* json);
    void noteWrongToken(const QJsonObject& json, QByteArrayView given, const QHostAddress& peer);

    QPointer<Game> game;
    QPointer<BoardSampler> sampler;
    QString tokenFile = RemoteToken::defaultPath();
    bool forced = false;
    CommandGate limits;
};

// What the remote control says at the start, for the terminal: whether it is on, and where
// commands and the control page are.
QString remoteControlStatus(const RemoteControl& remote, const QString& origin);
