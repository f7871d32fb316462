// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>

namespace program {

constexpr int VersionMajor = PUCKLIGHT_VERSION_MAJOR;
constexpr int VersionMinor = PUCKLIGHT_VERSION_MINOR;
constexpr int VersionRevision = PUCKLIGHT_VERSION_PATCH;

// The folder that holds the program, without a trailing separator. Tests may set another.
QString folder();
void setFolder(const QString& path); // the empty text restores the real one

// A path in the program's folder.
QString pathInFolder(const QString& fileName);

// The folders that may hold the program's own files (sounds, manual), in the order they are
// looked in: the program's folder (a build tree, or a copy run from one folder), the
// installation's data folder beside its bin/ (share/pucklight, wherever the prefix is), then
// the XDG data folders (the application's, then share/pucklight in each of
// $XDG_DATA_HOME:$XDG_DATA_DIRS). A folder set with setFolder() stands for all of them.
QStringList dataFolders();
// The path of one of the program's own files: in the first of dataFolders() that holds it;
// when none does, the path in the program's folder, so that what is missing still has a
// place that can be named.
QString dataFile(const QString& fileName);

// Whether the path names an existing regular file: not a folder, a FIFO, a device or a
// socket, which the program never opens.
bool fileExists(const QString& path);
// The final component of an existing file's path, as the file system reports it; the empty
// text when there is no such file.
QString bareName(const QString& path);

// The program's own files (the settings, the saved game, the feed and the locks) are read and
// written by the rules below: only a regular file is read, a link at the path is never
// followed, and nothing waits on what lies there (a FIFO, a device).

// What a read of one of the program's own files found.
struct OwnFile
{
    enum class Kind {
        Read,       // a regular file: `bytes` holds its start
        Missing,    // nothing at the path
        Link,       // a symbolic link, which is never followed
        NotRegular, // a folder, FIFO, device or socket
        Unreadable, // a regular file that cannot be opened or read (`error` says why)
    };
    Kind kind = Kind::Missing;
    QByteArray bytes;
    QString error;
    // When read: the file's permission bits (0644), and whether the user running the program
    // owns it. A file that holds a secret must be the user's own and closed to everyone else.
    unsigned permissions = 0;
    bool ownedByUser = false;
    bool privateToUser() const { return ownedByUser && (permissions & 077) == 0; }
};
// Reads up to `maxBytes` of the file at `path` by those rules.
OwnFile readOwnFile(const QString& path, qint64 maxBytes);
// Whether a symbolic link lies at the path (dangling or not).
bool isLink(const QString& path);
// Renames what lies at `from` (a link itself, never its target) to `to`, replacing what was
// there under that name.
bool moveAside(const QString& from, const QString& to);

// Replaces the file at `path` by `bytes` whole, or leaves it as it was: the bytes go to a new
// file beside it, which is synced to disk and renamed over it; the folder is made first if
// need be and synced after. A link at `path` is replaced by the file, never written through,
// and a dangling one never creates its target. A file that was there keeps its permissions.
// Returns false, with the reason in `error`, when it could not. A private file is readable
// and writable by its owner alone (0600) from the moment it is made, whatever was there.
enum class FileAccess { AsBefore, Private };
bool replaceFile(const QString& path, const QByteArray& bytes, QString* error = nullptr,
                 FileAccess access = FileAccess::AsBefore);

} // namespace program
