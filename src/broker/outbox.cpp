// SPDX-License-Identifier: GPL-3.0-or-later
#include "outbox.h"

#include <QJsonDocument>
#include <QJsonObject>

void Outbox::addEvent(const QByteArray& json)
{
    events.push_back(json);
    while (events.size() > size_t(MaxEvents)) {
        events.pop_front();
        ++droppedEvents;
    }
}

void Outbox::addAnswer(const QByteArray& json)
{
    // An answer nobody could receive in time is of no use; the newest ones are.
    answers.push_back(json);
    while (answers.size() > size_t(MaxAnswers))
        answers.pop_front();
}

std::optional<Outbox::Message> Outbox::next(const QDateTime& now) const
{
    if (!answers.empty())
        return Message{Topic::Answer, answers.front()};
    if (state)
        return Message{Topic::State, *state};
    if (clock)
        return Message{Topic::Clock, *clock};
    if (droppedEvents > 0)
        return Message{Topic::Events, droppedNote(droppedEvents, now)};
    if (!events.empty())
        return Message{Topic::Events, events.front()};
    return std::nullopt;
}

void Outbox::pop()
{
    if (!answers.empty())
        answers.pop_front();
    else if (state)
        state.reset();
    else if (clock)
        clock.reset();
    else if (droppedEvents > 0)
        droppedEvents = 0;
    else if (!events.empty())
        events.pop_front();
}

bool Outbox::empty() const
{
    return answers.empty() && !state && !clock && droppedEvents == 0 && events.empty();
}

QByteArray Outbox::droppedNote(int64_t count, const QDateTime& when)
{
    // Shaped like the game record's own notes, so that a reader of the events takes it as one.
    QJsonObject note;
    note[QLatin1String("kind")] = QLatin1String("note");
    note[QLatin1String("wall")] = when.toUTC().toString(Qt::ISODateWithMs);
    note[QLatin1String("dropped")] = qint64(count);
    note[QLatin1String("text")] =
        QStringLiteral("%1 events were dropped: the broker could not be reached, or not keep up")
            .arg(count);
    return QJsonDocument(note).toJson(QJsonDocument::Compact);
}
