// SPDX-License-Identifier: GPL-3.0-or-later
#include "remotetoken.h"

#include "program.h"

#include <QDir>
#include <QRandomGenerator>
#include <QStandardPaths>
#include <array>

namespace {

// A token the user wrote in the file by hand is taken if it is long enough to be guessed no
// more easily than 128 random bits; anything longer than this is no token.
constexpr qsizetype MinLength = 22;
constexpr qsizetype MaxLength = 256;

bool isBase64Url(QByteArrayView text)
{
    for (const char c : text) {
        const bool ok = (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') ||
                        (c >= '0' && c <= '9') || c == '-' || c == '_';
        if (!ok)
            return false;
    }
    return true;
}

QString shown(const QString& path)
{
    return QDir::toNativeSeparators(path);
}

// The token in the file, or nothing and why; `missing` is set when there is no file.
std::optional<RemoteToken> readToken(const QString& path, QString* error, bool* missing)
{
    *missing = false;
    const program::OwnFile file = program::readOwnFile(path, MaxLength + 2);
    switch (file.kind) {
    case program::OwnFile::Kind::Read:
        break;
    case program::OwnFile::Kind::Missing:
        *missing = true;
        return std::nullopt;
    case program::OwnFile::Kind::Link:
        *error = QStringLiteral("%1 is a symbolic link; the remote token is never read through "
                                "one. Remove it, and a new token is made")
                     .arg(shown(path));
        return std::nullopt;
    case program::OwnFile::Kind::NotRegular:
        *error = QStringLiteral("%1 is not a file").arg(shown(path));
        return std::nullopt;
    case program::OwnFile::Kind::Unreadable:
        *error = QStringLiteral("cannot read %1: %2").arg(shown(path), file.error);
        return std::nullopt;
    }
    if (!file.privateToUser()) {
        *error = file.ownedByUser
                     ? QStringLiteral("%1 may be read or changed by others (mode %2); the remote "
                                      "token is not used until only you can: chmod 600 %1")
                           .arg(shown(path))
                           .arg(file.permissions, 4, 8, QLatin1Char('0'))
                     : QStringLiteral("%1 belongs to another user; the remote token is not used")
                           .arg(shown(path));
        return std::nullopt;
    }
    const QByteArray text = file.bytes.trimmed();
    if (text.size() < MinLength || text.size() > MaxLength || !isBase64Url(text)) {
        *error = QStringLiteral("%1 holds no remote token (%2 to %3 letters, digits, '-' and "
                                "'_'); remove it, and a new token is made")
                     .arg(shown(path))
                     .arg(MinLength)
                     .arg(MaxLength);
        return std::nullopt;
    }
    return RemoteToken(text);
}

bool writeToken(const QString& path, const QByteArray& token, QString* error)
{
    QString why;
    if (program::replaceFile(path, token + '\n', &why, program::FileAccess::Private))
        return true;
    *error = QStringLiteral("cannot write the remote token to %1: %2").arg(shown(path), why);
    return false;
}

} // namespace

QString RemoteToken::defaultPath()
{
    return QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation) +
           QStringLiteral("/Pucklight/remote-token");
}

QByteArray RemoteToken::generate()
{
    std::array<quint32, RandomBytes / sizeof(quint32)> random{};
    QRandomGenerator::system()->fillRange(random.data(), random.size());
    return QByteArray(reinterpret_cast<const char*>(random.data()), RandomBytes)
        .toBase64(QByteArray::Base64UrlEncoding | QByteArray::OmitTrailingEquals);
}

std::optional<RemoteToken> RemoteToken::obtain(QString* error, bool* created, const QString& path)
{
    QString why;
    bool missing = false;
    if (created)
        *created = false;
    auto token = readToken(path, &why, &missing);
    if (missing) {
        // Read back what was written: a second board made at the same moment may have put its
        // own there, and both then use that one.
        if (!writeToken(path, generate(), &why) || !(token = readToken(path, &why, &missing)))
            token.reset();
        else if (created)
            *created = true;
    }
    if (!token && error)
        *error = why;
    return token;
}

std::optional<RemoteToken> RemoteToken::renew(QString* error, const QString& path)
{
    QString why;
    bool missing = false;
    auto token =
        writeToken(path, generate(), &why) ? readToken(path, &why, &missing) : std::nullopt;
    if (!token && error)
        *error = why;
    return token;
}

QString RemoteToken::prefix() const
{
    return QString::fromLatin1(token.left(RemoteToken::PrefixLength));
}

bool RemoteToken::matches(QByteArrayView given) const
{
    // Every byte is looked at whatever the others hold, and a length that differs counts as
    // a difference without ending the loop early.
    const qsizetype n = std::max(given.size(), token.size());
    unsigned diff = given.size() == token.size() ? 0U : 1U;
    for (qsizetype i = 0; i < n; ++i) {
        const auto a = static_cast<unsigned char>(i < given.size() ? given[i] : 0);
        const auto b = static_cast<unsigned char>(i < token.size() ? token[i] : 0);
        diff |= static_cast<unsigned>(a ^ b);
    }
    return diff == 0 && !token.isEmpty();
}
