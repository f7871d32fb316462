// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QByteArray>
#include <QDateTime>
#include <deque>
#include <optional>

// What the board has yet to tell the broker, while it cannot be sent (no connection, or the
// broker is behind). The state and the clock are kept as their latest value alone; events
// are kept in order, at most MaxEvents of them: older ones are dropped and counted, and the
// count goes out as a note ahead of the events that were kept. Command answers are kept
// likewise, at most MaxAnswers.
class Outbox
{
public:
    static constexpr int MaxEvents = 1000;
    static constexpr int MaxAnswers = 100;

    enum class Topic { State, Clock, Events, Answer };
    struct Message
    {
        Topic topic;
        QByteArray payload;
        bool operator==(const Message&) const = default;
    };

    void setState(const QByteArray& json) { state = json; }
    void setClock(const QByteArray& text) { clock = text; }
    void addEvent(const QByteArray& json);
    void addAnswer(const QByteArray& json);

    // The next message to send: answers first, then the state, the clock, the note of dropped
    // events and the events, oldest first. It stays until pop() takes it out, so that one that
    // could not be handed over is sent later.
    std::optional<Message> next(const QDateTime& now = QDateTime::currentDateTimeUtc()) const;
    void pop();
    bool empty() const;

    // Events dropped since the last note went out.
    int64_t dropped() const { return droppedEvents; }
    // The note on the events topic that says how many were dropped.
    static QByteArray droppedNote(int64_t count, const QDateTime& when);

private:
    std::optional<QByteArray> state;
    std::optional<QByteArray> clock;
    std::deque<QByteArray> events;
    std::deque<QByteArray> answers;
    int64_t droppedEvents = 0;
};
