#include "program.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>

namespace {
QString overrideFolder;
}

namespace program {

QString folder()
{
    if (!overrideFolder.isEmpty())
        return overrideFolder;
    return QCoreApplication::applicationDirPath();
}

void setFolder(const QString& path)
{
    overrideFolder = path;
}

QString pathInFolder(const QString& fileName)
{
    return folder() + QDir::separator() + fileName;
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

} // namespace program
