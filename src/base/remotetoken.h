// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QString>
#include <optional>

// The secret that a command from another program must carry (the remote control, a broker):
// 32 random bytes in base64url without padding, kept in $XDG_CONFIG_HOME/Pucklight/remote-token.
// The file is made on first use, readable by its owner alone, through the program's link-safe
// writer; it is never read through a link, and a token file that others may read or change,
// or that someone else owns, is refused with a message rather than used.
class RemoteToken
{
public:
    static constexpr int RandomBytes = 32;
    static constexpr int PrefixLength = 4; // what the game record shows of a token

    // The token file of this user.
    static QString defaultPath();

    // The token in the file, made there first if there is none. Nothing, with the reason, when
    // the file cannot be used: a link, not a file, open to others, not holding a token, or it
    // cannot be read or written. `created` tells whether a new one was made.
    static std::optional<RemoteToken> obtain(QString* error, bool* created = nullptr,
                                             const QString& path = defaultPath());
    // A new token in place of the old one, which stops working.
    static std::optional<RemoteToken> renew(QString* error, const QString& path = defaultPath());

    // A new random token, in its text form.
    static QByteArray generate();

    explicit RemoteToken(const QByteArray& text) : token(text) {}

    const QByteArray& text() const { return token; }
    // Its first characters, for the record: enough to tell tokens apart, too few to use.
    QString prefix() const;
    // Whether `given` is this token, in a time that does not depend on where they differ.
    bool matches(QByteArrayView given) const;

private:
    QByteArray token;
};
