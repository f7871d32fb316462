// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QHash>
#include <QHostAddress>
#include <deque>

// How often a client may send commands, and what wrong tokens cost it. A client is counted as
// the request guard counts it (clientOf): every address of this computer is one client, an IPv6
// /64 network is one, else one IPv4 address. Time is read from the time source.
//
// - At most MaxCommandsPerSecond commands in any second; more are refused (429).
// - At most MaxWrongTokensPerMinute wrong tokens in any minute: the last of them locks the
//   client out for LockoutMs, during which every command of its is refused (429), even with the
//   right token.
// - The game record notes at most MaxRecordedRefusalsPerMinute wrong tokens a minute from all
//   clients together, so that many addresses guessing cannot push the game out of the record.
class CommandGate
{
public:
    static constexpr int MaxCommandsPerSecond = 20;
    static constexpr int MaxWrongTokensPerMinute = 10;
    static constexpr int LockoutMs = 60'000;
    static constexpr int MaxRecordedRefusalsPerMinute = 30;

    // Whether a command from the peer may be looked at now; counts it when it may. When not,
    // `retryMs` says how soon it may try again, and `lockedOut` whether for wrong tokens.
    bool admit(const QHostAddress& peer, qint64* retryMs = nullptr, bool* lockedOut = nullptr);
    // A wrong token from the peer.
    void wrongToken(const QHostAddress& peer);
    // Whether the next refusal may go into the game record; counts it when it may.
    bool mayRecordRefusal();

    // Clients with something counted, for tests.
    int clients() const { return static_cast<int>(seen.size()); }

private:
    struct Client
    {
        std::deque<qint64> commands;    // when, in the last second
        std::deque<qint64> wrongTokens; // when, in the last minute
        qint64 lockedUntil = 0;
    };
    static qint64 now();
    void forgetIdle(qint64 at);

    QHash<QHostAddress, Client> seen;
    std::deque<qint64> recorded; // refusals noted, in the last minute
    qint64 lastSweep = 0;
};
