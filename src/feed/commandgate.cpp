// SPDX-License-Identifier: GPL-3.0-or-later
#include "commandgate.h"

#include "requestguard.h"
#include "timesource.h"

namespace {

constexpr qint64 SecondMs = 1000;
constexpr qint64 MinuteMs = 60'000;
// Clients idle this long are forgotten; nothing of theirs counts any more by then.
constexpr qint64 SweepMs = MinuteMs;

void dropBefore(std::deque<qint64>& times, qint64 since)
{
    while (!times.empty() && times.front() <= since)
        times.pop_front();
}

} // namespace

qint64 CommandGate::now()
{
    const MonotonicTime t = timeSource().monotonicNow();
    return t.seconds * SecondMs + t.millis;
}

void CommandGate::forgetIdle(qint64 at)
{
    if (at - lastSweep < SweepMs)
        return;
    lastSweep = at;
    for (auto it = seen.begin(); it != seen.end();) {
        Client& c = it.value();
        dropBefore(c.commands, at - SecondMs);
        dropBefore(c.wrongTokens, at - MinuteMs);
        if (c.commands.empty() && c.wrongTokens.empty() && c.lockedUntil <= at)
            it = seen.erase(it);
        else
            ++it;
    }
}

bool CommandGate::admit(const QHostAddress& peer, qint64* retryMs, bool* lockedOut)
{
    const qint64 at = now();
    forgetIdle(at);
    Client& c = seen[clientOf(peer)];
    if (lockedOut)
        *lockedOut = c.lockedUntil > at;
    if (c.lockedUntil > at) {
        if (retryMs)
            *retryMs = c.lockedUntil - at;
        return false;
    }
    dropBefore(c.commands, at - SecondMs);
    if (c.commands.size() >= size_t(MaxCommandsPerSecond)) {
        if (retryMs)
            *retryMs = c.commands.front() + SecondMs - at;
        return false;
    }
    c.commands.push_back(at);
    return true;
}

void CommandGate::wrongToken(const QHostAddress& peer)
{
    const qint64 at = now();
    Client& c = seen[clientOf(peer)];
    dropBefore(c.wrongTokens, at - MinuteMs);
    c.wrongTokens.push_back(at);
    if (c.wrongTokens.size() >= size_t(MaxWrongTokensPerMinute)) {
        c.lockedUntil = at + LockoutMs;
        c.wrongTokens.clear();
    }
}

bool CommandGate::mayRecordRefusal()
{
    const qint64 at = now();
    dropBefore(recorded, at - MinuteMs);
    if (recorded.size() >= size_t(MaxRecordedRefusalsPerMinute))
        return false;
    recorded.push_back(at);
    return true;
}
