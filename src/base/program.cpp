#include "program.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QStandardPaths>

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

} // namespace program
