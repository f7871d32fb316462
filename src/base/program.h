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

// Replaces the file at `path` by `bytes` whole, or leaves it as it was: the bytes go to a new
// file beside it, which is synced to disk and renamed over it; the folder is made first if
// need be and synced after. Returns false, with the reason in `error`, when it could not.
bool replaceFile(const QString& path, const QByteArray& bytes, QString* error = nullptr);

} // namespace program
