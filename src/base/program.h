#pragma once

#include <QString>

namespace program {

constexpr int VersionMajor = PUCKLIGHT_VERSION_MAJOR;
constexpr int VersionMinor = PUCKLIGHT_VERSION_MINOR;
constexpr int VersionRevision = PUCKLIGHT_VERSION_PATCH;

// The folder that holds the program, without a trailing separator. Tests may set another.
QString folder();
void setFolder(const QString& path); // the empty text restores the real one

// A path in the program's folder.
QString pathInFolder(const QString& fileName);

// Whether the path names an existing regular file: not a folder, a FIFO, a device or a
// socket, which the program never opens.
bool fileExists(const QString& path);
// The final component of an existing file's path, as the file system reports it; the empty
// text when there is no such file.
QString bareName(const QString& path);

} // namespace program
