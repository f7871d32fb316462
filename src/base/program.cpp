// SPDX-License-Identifier: GPL-3.0-or-later
#include "program.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QRandomGenerator>
#include <QSaveFile>
#include <QStandardPaths>
#include <cstdio>

#ifdef Q_OS_UNIX
#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#endif

namespace {
QString overrideFolder;

const QString DataName = QStringLiteral("pucklight");

void addOnce(QStringList& list, const QString& folder)
{
    const QString clean = QDir::cleanPath(folder);
    if (!clean.isEmpty() && !list.contains(clean))
        list << clean;
}
} // namespace

namespace program {

QString folder()
{
    if (!overrideFolder.isEmpty())
        return overrideFolder;
    if (QCoreApplication::instance())
        return QCoreApplication::applicationDirPath();
    // Before the application exists (--version answered without a display), the running
    // program's own file says where it lies.
    return QFileInfo(QFileInfo(QStringLiteral("/proc/self/exe")).symLinkTarget()).path();
}

void setFolder(const QString& path)
{
    overrideFolder = path;
}

QString pathInFolder(const QString& fileName)
{
    return folder() + QDir::separator() + fileName;
}

QStringList dataFolders()
{
    if (!overrideFolder.isEmpty())
        return {overrideFolder};
    QStringList folders;
    addOnce(folders, folder());
#ifdef PUCKLIGHT_DATA_FROM_BIN
    // An installed program finds its share/ from its bin/, under any prefix.
    addOnce(folders, folder() + QLatin1Char('/') + QStringLiteral(PUCKLIGHT_DATA_FROM_BIN));
#endif
    // The application's own data folder has a name only once the application has one.
    if (!QCoreApplication::applicationName().isEmpty()) {
        for (const QString& dir :
             QStandardPaths::standardLocations(QStandardPaths::AppDataLocation))
            addOnce(folders, dir);
    }
    for (const QString& dir :
         QStandardPaths::standardLocations(QStandardPaths::GenericDataLocation))
        addOnce(folders, dir + QLatin1Char('/') + DataName);
    return folders;
}

QString dataFile(const QString& fileName)
{
    for (const QString& dir : dataFolders()) {
        const QString path = dir + QLatin1Char('/') + fileName;
        if (fileExists(path))
            return QDir::toNativeSeparators(path);
    }
    return pathInFolder(fileName);
}

bool fileExists(const QString& path)
{
    if (path.isEmpty())
        return false;
    // A regular file (or a link to one) only: opening a FIFO waits for a writer for good,
    // and a device or a socket is no sound, picture or manual either.
    return QFileInfo(path).isFile();
}

QString bareName(const QString& path)
{
    return fileExists(path) ? QFileInfo(path).fileName() : QString();
}

OwnFile readOwnFile(const QString& path, qint64 maxBytes)
{
    OwnFile found;
    QFile file;
#ifdef Q_OS_UNIX
    // O_NOFOLLOW refuses a link at the end of the path; O_NONBLOCK keeps a FIFO from waiting
    // for a writer. fstat then tells what was opened, and only a regular file is read.
    const int fd =
        ::open(QFile::encodeName(path).constData(), O_RDONLY | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0) {
        const int why = errno;
        if (why == ENOENT || why == ENOTDIR)
            found.kind = OwnFile::Kind::Missing;
        else if (isLink(path))
            found.kind = OwnFile::Kind::Link;
        else if (why == ENXIO || why == ENODEV || why == EISDIR) // a socket, a device, a folder
            found.kind = OwnFile::Kind::NotRegular;
        else
            found.kind = OwnFile::Kind::Unreadable;
        found.error = qt_error_string(why);
        return found;
    }
    struct stat st = {};
    if (::fstat(fd, &st) != 0 || !S_ISREG(st.st_mode)) {
        ::close(fd);
        found.kind = OwnFile::Kind::NotRegular;
        return found;
    }
    found.permissions = st.st_mode & 07777;
    found.ownedByUser = st.st_uid == ::geteuid();
    if (!file.open(fd, QIODevice::ReadOnly, QFileDevice::AutoCloseHandle)) {
        ::close(fd);
        found.kind = OwnFile::Kind::Unreadable;
        found.error = file.errorString();
        return found;
    }
#else
    const QFileInfo info(path);
    if (info.isSymLink())
        return {OwnFile::Kind::Link, {}, {}};
    if (!info.exists())
        return found;
    if (!info.isFile())
        return {OwnFile::Kind::NotRegular, {}, {}};
    file.setFileName(path);
    if (!file.open(QIODevice::ReadOnly))
        return {OwnFile::Kind::Unreadable, {}, file.errorString()};
    // Elsewhere the file system's own rules decide who reads it.
    found.ownedByUser = true;
#endif
    found.bytes = file.read(maxBytes);
    if (file.error() != QFileDevice::NoError) {
        found.kind = OwnFile::Kind::Unreadable;
        found.error = file.errorString();
        found.bytes.clear();
        return found;
    }
    found.kind = OwnFile::Kind::Read;
    return found;
}

bool isLink(const QString& path)
{
#ifdef Q_OS_UNIX
    struct stat st = {};
    return ::lstat(QFile::encodeName(path).constData(), &st) == 0 && S_ISLNK(st.st_mode);
#else
    return QFileInfo(path).isSymLink();
#endif
}

bool moveAside(const QString& from, const QString& to)
{
    // rename() moves a link itself, not what it points to.
    return ::rename(QFile::encodeName(from).constData(), QFile::encodeName(to).constData()) == 0;
}

#ifdef Q_OS_UNIX
namespace {

// Writes all of `bytes`, or fails: a full disk shows as a short count or an error.
bool writeAll(int fd, const QByteArray& bytes)
{
    const char* at = bytes.constData();
    qint64 left = bytes.size();
    while (left > 0) {
        const ssize_t n = ::write(fd, at, static_cast<size_t>(left));
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0)
            return false;
        at += n;
        left -= n;
    }
    return true;
}

} // namespace
#endif

bool replaceFile(const QString& path, const QByteArray& bytes, QString* error, FileAccess access)
{
    const QFileInfo info(path);
    const QString folder = info.absolutePath();
    const auto fail = [error](const QString& why) {
        if (error)
            *error = why;
        return false;
    };
    if (!QDir().mkpath(folder))
        return fail(QStringLiteral("cannot create the folder"));
#ifdef Q_OS_UNIX
    // The new file gets a name of its own, made here (O_EXCL, so never through a link); it is
    // renamed over `path` once complete. rename() replaces a link at `path`, not its target.
    const QByteArray target = QFile::encodeName(info.absoluteFilePath());
    QByteArray temporary;
    int fd = -1;
    for (int attempt = 0; fd < 0 && attempt < 100; ++attempt) {
        temporary = QFile::encodeName(folder) + "/." + QFile::encodeName(info.fileName()) + '.' +
                    QByteArray::number(QRandomGenerator::global()->generate(), 36);
        fd = ::open(temporary.constData(), O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC,
                    access == FileAccess::Private ? 0600 : 0666);
        if (fd < 0 && errno != EEXIST)
            break;
    }
    if (fd < 0)
        return fail(qt_error_string(errno));
    // The permissions of the file it replaces, if a regular file was there.
    struct stat old = {};
    if (access == FileAccess::Private)
        ::fchmod(fd, 0600); // made so, but a file left with a wider mode is not kept
    else if (::lstat(target.constData(), &old) == 0 && S_ISREG(old.st_mode))
        ::fchmod(fd, old.st_mode & 07777);
    const bool written = writeAll(fd, bytes) && ::fsync(fd) == 0;
    const int writeError = errno;
    if (::close(fd) != 0 || !written || ::rename(temporary.constData(), target.constData()) != 0) {
        const int why = written ? errno : writeError;
        ::unlink(temporary.constData());
        return fail(qt_error_string(why));
    }
    // The rename has to reach the disk too, or a power cut can bring the old file back.
    const int dir =
        ::open(QFile::encodeName(folder).constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (dir >= 0) {
        ::fsync(dir);
        ::close(dir);
    }
    return true;
#else
    // Unbuffered, a write cut short by a full disk shows as a short count; through the save
    // file's buffer it goes unnoticed (Qt 6.4), and the cut file would replace the whole one.
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Unbuffered) ||
        (access == FileAccess::Private &&
         !file.setPermissions(QFileDevice::ReadOwner | QFileDevice::WriteOwner)) ||
        file.write(bytes) != bytes.size() || !file.commit())
        return fail(file.errorString());
    return true;
#endif
}

} // namespace program
