// SPDX-License-Identifier: GPL-3.0-or-later
#include "folderlock.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLockFile>
#include <QSysInfo>
#include <limits>
#include <optional>

#ifdef Q_OS_UNIX
#include <cerrno>
#include <csignal>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>
#endif

namespace {

// A lock file is five short lines; whatever lies beyond this is not one.
constexpr qint64 MaxLockBytes = 1024;
// Every way a lock file can keep changing under us is given up after this many looks.
constexpr int LockAttempts = 8;

// What a lock file says about its board.
struct LockInfo
{
    qint64 pid = 0;
    QString host;
    QByteArray machineId;
    QByteArray bootId;
};

std::optional<LockInfo> parseLock(const QByteArray& bytes)
{
    const QList<QByteArray> lines = bytes.split('\n');
    const QByteArray& pidLine = lines.first();
    // A line of digits, ended: a file cut within its first line names no process.
    if (lines.size() < 2 || pidLine.isEmpty() || pidLine.size() > 10)
        return std::nullopt;
    for (const char c : pidLine)
        if (c < '0' || c > '9')
            return std::nullopt;
    LockInfo info;
    info.pid = pidLine.toLongLong();
    if (info.pid <= 0 || info.pid > std::numeric_limits<int>::max())
        return std::nullopt;
    const auto line = [&lines](qsizetype i) { return i < lines.size() ? lines[i] : QByteArray(); };
    info.host = QString::fromUtf8(line(2));
    info.machineId = line(3);
    info.bootId = line(4);
    return info;
}

#ifdef Q_OS_UNIX

// The name the kernel gives a process's program ("pucklight"), or the empty text.
QByteArray programOf(const QByteArray& pid)
{
    const int fd = ::open("/proc/" + pid + "/comm", O_RDONLY | O_CLOEXEC);
    if (fd < 0)
        return {};
    char name[64];
    const ssize_t n = ::read(fd, name, sizeof name);
    ::close(fd);
    return n > 0 ? QByteArray(name, n).trimmed() : QByteArray();
}

// Why the board a lock file names cannot be shown alive; the empty text when it is.
QString whyStale(const std::optional<LockInfo>& info, bool empty)
{
    if (!info)
        return empty ? QStringLiteral("it is empty") : QStringLiteral("it names no board");
    const QByteArray machine = QSysInfo::machineUniqueId();
    const bool otherComputer = !machine.isEmpty() && !info->machineId.isEmpty()
                                   ? info->machineId != machine
                                   : info->host != QSysInfo::machineHostName();
    if (otherComputer)
        return QStringLiteral("it was left by a board on another computer, %1").arg(info->host);
    const QByteArray boot = QSysInfo::bootUniqueId();
    if (!boot.isEmpty() && !info->bootId.isEmpty() && info->bootId != boot)
        return QStringLiteral("it was left before this computer last started");
    const auto pid = static_cast<pid_t>(info->pid);
    if (::kill(pid, 0) != 0 && errno == ESRCH)
        return QStringLiteral("process %1 has ended").arg(info->pid);
    const QByteArray theirs = programOf(QByteArray::number(info->pid));
    const QByteArray ours = programOf("self");
    if (!theirs.isEmpty() && !ours.isEmpty() && theirs != ours)
        return QStringLiteral("process %1 is another program, %2")
            .arg(info->pid)
            .arg(QString::fromLocal8Bit(theirs));
    return {};
}

QString ownerOf(const std::optional<LockInfo>& info)
{
    if (!info)
        return QStringLiteral("process unknown");
    QString text = QStringLiteral("process %1").arg(info->pid);
    if (!info->host.isEmpty() && info->host != QSysInfo::machineHostName())
        text += QStringLiteral(" on ") + info->host;
    return text;
}

enum class KernelLock { Taken, HeldElsewhere, NotHere };

// The kernel's lock on the open file, which ends with the process that holds it.
KernelLock kernelLock(int fd)
{
    if (::flock(fd, LOCK_EX | LOCK_NB) == 0)
        return KernelLock::Taken;
    return errno == EWOULDBLOCK ? KernelLock::HeldElsewhere : KernelLock::NotHere;
}

bool sameFile(const struct stat& a, const struct stat& b)
{
    return a.st_dev == b.st_dev && a.st_ino == b.st_ino;
}

// Whether `path` still names the file open as `fd`.
bool stillAt(int fd, const QByteArray& path)
{
    struct stat open = {};
    struct stat there = {};
    return ::fstat(fd, &open) == 0 && ::lstat(path.constData(), &there) == 0 &&
           sameFile(open, there);
}

bool writeContents(int fd)
{
    const QByteArray bytes = FolderLock::contents();
    return ::ftruncate(fd, 0) == 0 &&
           ::pwrite(fd, bytes.constData(), static_cast<size_t>(bytes.size()), 0) == bytes.size();
}

#endif

} // namespace

FolderLock::FolderLock(const QString& folder, const QString& fileName)
    : lockPath(QDir(folder).filePath(fileName))
{}

FolderLock::~FolderLock()
{
    unlock();
}

QByteArray FolderLock::contents()
{
#ifdef Q_OS_UNIX
    const QByteArray program = programOf("self");
#else
    const QByteArray program = QCoreApplication::applicationName().toUtf8();
#endif
    return QByteArray::number(QCoreApplication::applicationPid()) + '\n' + program + '\n' +
           QSysInfo::machineHostName().toUtf8() + '\n' + QSysInfo::machineUniqueId() + '\n' +
           QSysInfo::bootUniqueId() + '\n';
}

#ifdef Q_OS_UNIX

bool FolderLock::tryLock()
{
    if (current == State::Held)
        return true;
    ownerText.clear();
    errorText.clear();
    const auto unavailable = [this](const QString& why) {
        errorText = why;
        current = State::Unavailable;
        return false;
    };
    const auto inUse = [this](int file, const std::optional<LockInfo>& info) {
        ::close(file);
        ownerText = ownerOf(info);
        current = State::InUse;
        return false;
    };
    const auto held = [this](int file, const QString& stale) {
        fd = file;
        current = State::Held;
        if (!stale.isEmpty())
            qWarning("pucklight: took over the stale lock %s (%s)",
                     qUtf8Printable(QDir::toNativeSeparators(lockPath)), qUtf8Printable(stale));
        return true;
    };

    QDir().mkpath(QFileInfo(lockPath).absolutePath());
    const QByteArray path = QFile::encodeName(lockPath);
    QString stale; // why what was there is being replaced
    for (int attempt = 0; attempt < LockAttempts; ++attempt) {
        int file =
            ::open(path.constData(), O_RDWR | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, 0644);
        if (file >= 0) {
            // Another board that opened the new file first and locked it has it.
            if (kernelLock(file) == KernelLock::HeldElsewhere) {
                ::close(file);
                continue;
            }
            writeContents(file); // unwritten, the kernel's lock still says it is held
            return held(file, stale);
        }
        if (errno != EEXIST)
            return unavailable(qt_error_string(errno));

        struct stat there = {};
        if (::lstat(path.constData(), &there) != 0) {
            if (errno == ENOENT)
                continue; // gone meanwhile
            return unavailable(qt_error_string(errno));
        }
        if (S_ISDIR(there.st_mode))
            return unavailable(QStringLiteral("a folder has its name"));
        if (!S_ISREG(there.st_mode)) {
            // A link (never followed), a FIFO (never opened to wait), a socket or a device
            // holds no lock of a board: it is removed itself, whatever it points to.
            if (::unlink(path.constData()) != 0 && errno != ENOENT)
                return unavailable(qt_error_string(errno));
            stale = S_ISLNK(there.st_mode) ? QStringLiteral("it was a link")
                                           : QStringLiteral("it was not a regular file");
            continue;
        }

        bool readOnly = false;
        file = ::open(path.constData(), O_RDWR | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC);
        if (file < 0 && errno == EACCES) {
            readOnly = true;
            file = ::open(path.constData(), O_RDONLY | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC);
        }
        if (file < 0) {
            if (errno == ENOENT || errno == ELOOP)
                continue; // replaced meanwhile
            return unavailable(qt_error_string(errno));
        }
        struct stat opened = {};
        if (::fstat(file, &opened) != 0 || !S_ISREG(opened.st_mode) || !sameFile(opened, there)) {
            ::close(file);
            continue;
        }
        const KernelLock kernel = kernelLock(file);
        QByteArray bytes(MaxLockBytes, Qt::Uninitialized);
        const ssize_t n = ::pread(file, bytes.data(), static_cast<size_t>(bytes.size()), 0);
        bytes.truncate(std::max<ssize_t>(n, 0));
        const std::optional<LockInfo> info = parseLock(bytes);
        if (kernel == KernelLock::HeldElsewhere)
            return inUse(file, info);
        const QString why = whyStale(info, bytes.isEmpty());
        if (why.isEmpty())
            return inUse(file, info);
        // Stale, and ours to replace while the kernel's lock is ours, if it is still there.
        if (!stillAt(file, path)) {
            ::close(file);
            continue;
        }
        if (readOnly) {
            // Not ours to write: a new file takes its place.
            ::unlink(path.constData());
            ::close(file);
            stale = why;
            continue;
        }
        writeContents(file);
        return held(file, why);
    }
    return unavailable(QStringLiteral("it kept changing while it was looked at"));
}

void FolderLock::unlock()
{
    if (fd >= 0) {
        // Removed only while it is still this board's file.
        const QByteArray path = QFile::encodeName(lockPath);
        if (stillAt(fd, path))
            ::unlink(path.constData());
        ::close(fd);
        fd = -1;
    }
    if (current == State::Held)
        current = State::Unlocked;
}

#else

// Elsewhere Qt's own lock file does the work, without the checks above.
bool FolderLock::tryLock()
{
    if (current == State::Held)
        return true;
    QDir().mkpath(QFileInfo(lockPath).absolutePath());
    auto& lock = qtLock;
    lock = std::make_unique<QLockFile>(lockPath);
    lock->setStaleLockTime(0);
    if (lock->tryLock(0)) {
        current = State::Held;
        return true;
    }
    if (lock->error() == QLockFile::LockFailedError) {
        qint64 pid = 0;
        QString host;
        QString app;
        lock->getLockInfo(&pid, &host, &app);
        ownerText = QStringLiteral("process %1").arg(pid);
        current = State::InUse;
    } else {
        errorText = QStringLiteral("the lock file cannot be made");
        current = State::Unavailable;
    }
    lock.reset();
    return false;
}

void FolderLock::unlock()
{
    qtLock.reset();
    if (current == State::Held)
        current = State::Unlocked;
}

#endif
