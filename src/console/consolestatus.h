// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QByteArray>
#include <QObject>
#include <QString>
#include <array>

// What the program's outputs are doing, as the console's status lines show it: one named row
// each, which the application fills from the parts it runs. A row that is off is not shown.
class ConsoleStatus : public QObject
{
    Q_OBJECT
    Q_DISABLE_COPY(ConsoleStatus)
public:
    enum class Row : uint8_t {
        Sound,    // the horn and the buzzer
        Feed,     // --feed: the files for streaming tools
        Server,   // --serve: the page and its viewers
        Remote,   // the remote control
        Broker,   // MQTT
        GameFile, // where the game is saved
    };
    static constexpr int RowCount = 6;
    enum class Level : uint8_t {
        Off,    // not running: the row is hidden
        Ok,     // working
        Busy,   // working, and doing something now (a sound playing)
        Failed, // not working: the text says why
    };
    struct Entry
    {
        Level level = Level::Off;
        QString text;
        QByteArray code; // shown beside the text as a QR code (an address for a phone)
        bool operator==(const Entry&) const = default;
    };

    explicit ConsoleStatus(QObject* parent = nullptr);

    void set(Row row, Level level, const QString& text, const QByteArray& code = {});
    const Entry& entry(Row row) const { return rows[static_cast<size_t>(row)]; }
    // The row's name as the console shows it: "Sound", "Feed"...
    static QString rowName(Row row);

Q_SIGNALS:
    void rowChanged(ConsoleStatus::Row row);

private:
    std::array<Entry, RowCount> rows{};
};
