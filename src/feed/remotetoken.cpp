// SPDX-License-Identifier: GPL-3.0-or-later
#include "remotetoken.h"

#include "program.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRandomGenerator>
#include <QStandardPaths>
#include <array>

#ifdef Q_OS_UNIX
#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#endif

namespace {

// A token file holds 44 bytes; anything much longer is not one.
constexpr qint64 MostBytes = 256;

QString native(const QString& path)
{
    return QDir::toNativeSeparators(path);
}

QString remedy(const QString& path)
{
    return QStringLiteral("; make a new token with pucklight --new-remote-token, or remove %1")
        .arg(native(path));
}

struct Found
{
    bool missing = false;
    QByteArray bytes;
    QString error; // non-empty: the file cannot be used
};

// Reads the token file: never through a link, never a FIFO or a device, and only a file of the
// user's own that nobody else may read or change.
Found readTokenFile(const QString& path)
{
    Found f;
#ifdef Q_OS_UNIX
    const int fd =
        ::open(QFile::encodeName(path).constData(), O_RDONLY | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0) {
        const int why = errno;
        if (why == ENOENT)
            f.missing = true;
        else if (program::isLink(path))
            f.error = QStringLiteral("the token file %1 is a symbolic link, which is never "
                                     "followed%2")
                          .arg(native(path), remedy(path));
        else
            f.error = QStringLiteral("the token file %1 cannot be read: %2")
                          .arg(native(path), qt_error_string(why));
        return f;
    }
    struct stat st = {};
    const bool regular = ::fstat(fd, &st) == 0 && S_ISREG(st.st_mode);
    if (!regular) {
        f.error =
            QStringLiteral("the token file %1 is not a file%2").arg(native(path), remedy(path));
    } else if (st.st_uid != ::geteuid()) {
        f.error = QStringLiteral("the token file %1 belongs to another user%2")
                      .arg(native(path), remedy(path));
    } else if ((st.st_mode & 077) != 0) {
        f.error = QStringLiteral("the token file %1 may be read or changed by others (mode %2); "
                                 "make it private with chmod 600 %1, or make a new token with "
                                 "pucklight --new-remote-token")
                      .arg(native(path))
                      .arg(st.st_mode & 07777, 4, 8, QLatin1Char('0'));
    } else {
        std::array<char, MostBytes + 1> buffer{};
        ssize_t n = 0;
        do
            n = ::read(fd, buffer.data(), buffer.size());
        while (n < 0 && errno == EINTR);
        if (n < 0)
            f.error = QStringLiteral("the token file %1 cannot be read: %2")
                          .arg(native(path), qt_error_string(errno));
        else
            f.bytes = QByteArray(buffer.data(), n);
    }
    ::close(fd);
#else
    const program::OwnFile own = program::readOwnFile(path, MostBytes + 1);
    if (own.kind == program::OwnFile::Kind::Missing)
        f.missing = true;
    else if (own.kind != program::OwnFile::Kind::Read)
        f.error =
            QStringLiteral("the token file %1 cannot be used%2").arg(native(path), remedy(path));
    f.bytes = own.bytes;
#endif
    return f;
}

// Writes the token with mode 0600 through the link-safe writer, which keeps the mode of the
// file it replaces: an empty private file is made first where there is none (or a link was).
bool writeTokenFile(const QString& path, const QByteArray& token, QString* error)
{
    const auto fail = [&](const QString& why) {
        if (error)
            *error =
                QStringLiteral("the token file %1 cannot be written: %2").arg(native(path), why);
        return false;
    };
    if (!QDir().mkpath(QFileInfo(path).absolutePath()))
        return fail(QStringLiteral("cannot create its folder"));
#ifdef Q_OS_UNIX
    const QByteArray name = QFile::encodeName(path);
    struct stat st = {};
    if (::lstat(name.constData(), &st) == 0 && S_ISDIR(st.st_mode))
        return fail(QStringLiteral("a folder is there"));
    // A link (never followed), a FIFO or a device goes; only a file is kept and made private.
    if (::lstat(name.constData(), &st) == 0 && !S_ISREG(st.st_mode))
        ::unlink(name.constData());
    const int fd =
        ::open(name.constData(), O_WRONLY | O_CREAT | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC, 0600);
    if (fd < 0)
        return fail(qt_error_string(errno));
    const bool regular = ::fstat(fd, &st) == 0 && S_ISREG(st.st_mode);
    const bool madePrivate = regular && ::fchmod(fd, 0600) == 0;
    const int why = errno;
    ::close(fd);
    if (!regular)
        return fail(QStringLiteral("something else than a file is there"));
    if (!madePrivate)
        return fail(qt_error_string(why));
#endif
    QString writeError;
    if (!program::replaceFile(path, token + '\n', &writeError))
        return fail(writeError);
    return true;
}

} // namespace

QString RemoteToken::defaultPath()
{
    return QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation) +
           QStringLiteral("/Pucklight/remote-token");
}

QByteArray RemoteToken::generate()
{
    std::array<quint32, RandomBytes / sizeof(quint32)> words{};
    QRandomGenerator::system()->fillRange(words.data(), words.size());
    return QByteArray(reinterpret_cast<const char*>(words.data()), RandomBytes)
        .toBase64(QByteArray::Base64UrlEncoding | QByteArray::OmitTrailingEquals);
}

bool RemoteToken::isTokenText(QByteArrayView text)
{
    if (text.size() != Length)
        return false;
    for (const char c : text)
        if (!((c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9') ||
              c == '-' || c == '_'))
            return false;
    return true;
}

std::optional<RemoteToken> RemoteToken::obtain(QString* error, bool* created, const QString& path)
{
    if (created)
        *created = false;
    const Found found = readTokenFile(path);
    if (found.missing) {
        const QByteArray token = generate();
        if (!writeTokenFile(path, token, error))
            return std::nullopt;
        if (created)
            *created = true;
        return RemoteToken(token);
    }
    if (!found.error.isEmpty()) {
        if (error)
            *error = found.error;
        return std::nullopt;
    }
    const QByteArray text = found.bytes.trimmed();
    if (!isTokenText(text)) {
        if (error)
            *error = QStringLiteral("the token file %1 holds no token%2")
                         .arg(native(path), remedy(path));
        return std::nullopt;
    }
    return RemoteToken(text);
}

std::optional<RemoteToken> RemoteToken::renew(QString* error, const QString& path)
{
    const QByteArray token = generate();
    if (!writeTokenFile(path, token, error))
        return std::nullopt;
    return RemoteToken(token);
}

bool RemoteToken::matches(QByteArrayView given) const
{
    // Every character of the token is looked at whatever the others hold; only the length,
    // which is no secret, can end it early.
    unsigned difference = given.size() == token.size() ? 0U : 1U;
    for (qsizetype i = 0; i < token.size(); ++i) {
        const char g = i < given.size() ? given[i] : '\0';
        difference |= static_cast<unsigned>(static_cast<unsigned char>(token[i]) ^
                                            static_cast<unsigned char>(g));
    }
    return difference == 0;
}
