// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QString>
#include <optional>

// The secret a command from another program must carry: 32 random bytes as base64url without
// padding (43 characters), kept in $XDG_CONFIG_HOME/Pucklight/remote-token.
//
// The file is made on first use with mode 0600, through the program's link-safe writer, and
// holds the token and a line feed. It is never read through a symbolic link, and a file that
// others may read or change (group or others have any permission), that belongs to another
// user, or that holds no token, is refused with a message saying how to put it right; the
// token is then not used.
class RemoteToken
{
public:
    static constexpr int RandomBytes = 32;
    static constexpr int Length = 43;      // RandomBytes in base64url, unpadded
    static constexpr int PrefixLength = 4; // what the game record shows of a token

    // The token file of this user.
    static QString defaultPath();

    // The token in the file, made there first when there is none (then `created` is set).
    // Nothing, and why in `error`, when the file cannot be used.
    static std::optional<RemoteToken> obtain(QString* error, bool* created = nullptr,
                                             const QString& path = defaultPath());
    // A new token in place of the old one (which stops working), whatever the file held: a
    // link there is replaced, not written through, and the new file has mode 0600.
    static std::optional<RemoteToken> renew(QString* error, const QString& path = defaultPath());

    // A new random token, in its text form.
    static QByteArray generate();
    // Whether the text has a token's form: 43 characters of A-Z, a-z, 0-9, '-' and '_'.
    static bool isTokenText(QByteArrayView text);

    explicit RemoteToken(const QByteArray& text) : token(text) {}

    const QByteArray& text() const { return token; }
    // Its first PrefixLength characters, for the record: enough to tell tokens apart, far too
    // few to use.
    QString prefix() const { return QString::fromLatin1(token.left(PrefixLength)); }
    // Whether `given` is this token, in a time that does not depend on where they differ.
    bool matches(QByteArrayView given) const;

private:
    QByteArray token;
};
