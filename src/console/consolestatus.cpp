// SPDX-License-Identifier: GPL-3.0-or-later
#include "consolestatus.h"

ConsoleStatus::ConsoleStatus(QObject* parent) : QObject(parent) {}

void ConsoleStatus::set(Row row, Level level, const QString& text, const QByteArray& code)
{
    Entry& e = rows[static_cast<size_t>(row)];
    const Entry now{level, text, code};
    if (e == now)
        return;
    e = now;
    Q_EMIT rowChanged(row);
}

QString ConsoleStatus::rowName(Row row)
{
    switch (row) {
    case Row::Sound:
        return tr("Sound");
    case Row::Feed:
        return tr("Feed");
    case Row::Server:
        return tr("Server");
    case Row::Remote:
        return tr("Remote control");
    case Row::Broker:
        return tr("MQTT");
    case Row::GameFile:
        return tr("Game file");
    }
    return QString();
}
