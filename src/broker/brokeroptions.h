// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "settingtable.h"

#include <QByteArray>
#include <QString>
#include <optional>

// Where and how the board publishes to an MQTT broker, as the command line asks for it:
//   --mqtt mqtt://host[:port] | mqtts://host[:port]   (1883 and 8883 by default)
//   --mqtt-cafile FILE        the CA that signed the broker's certificate (mqtts; by default
//                             the system's CAs)
//   --mqtt-topic PREFIX       the topics' prefix, by default pucklight/<board name>
//   --mqtt-credentials FILE   one line user:password, private to the user
//   --mqtt-control            take commands on PREFIX/command
struct BrokerOptions
{
    QString host; // empty: no broker
    int port = 0;
    bool tls = false;
    QString caFile;
    QString topic; // empty: from the board name
    QString user;  // empty: none
    std::optional<QByteArray> password;
    bool control = false;

    static constexpr int PlainPort = 1883;
    static constexpr int TlsPort = 8883;
    static constexpr int MaxTopicLength = MaxTopicPrefixLength;

    bool wanted() const { return !host.isEmpty(); }
    bool operator==(const BrokerOptions&) const = default;

    // Takes the broker's address; false, with the reason, for anything but mqtt:// or
    // mqtts:// with a host and at most a port (a user and password go in a credentials file).
    // The reason names the broker as `what` ("--mqtt URL: ...").
    bool setUrl(const QString& url, QString* error, const QString& what = QStringLiteral("--mqtt"));
    // Takes the user and password from the file: one line "user:password" (a password may be
    // empty; the line may end in a line break). The file must be a regular file, no link, the
    // user's own and closed to group and others.
    bool readCredentials(const QString& path, QString* error,
                         const QString& what = QStringLiteral("--mqtt-credentials"));
    // The broker the settings name (the options' MQTT page), read and checked as the command
    // line's options are: false, with the reason, for one that cannot be used. No broker named
    // is no broker, and true.
    bool readSettings(const SettingVariables& s, QString* error);
    // Whether the prefix can begin the board's topics: not empty, without the wildcards '+'
    // and '#', without '$' at the start (the broker's own topics), without a '/' at the end,
    // and at most MaxTopicLength characters.
    static bool isTopicPrefix(const QString& prefix);

    // The topics' prefix for a board of this name.
    QString prefixFor(const QString& boardName) const;
    // "mqtt://host:port", for messages.
    QString address() const;
};
