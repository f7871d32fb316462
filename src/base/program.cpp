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
    const QFileInfo info(path);
    return info.exists() && !info.isDir();
}

QString bareName(const QString& path)
{
    return fileExists(path) ? QFileInfo(path).fileName() : QString();
}

} // namespace program
