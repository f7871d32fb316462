// SPDX-License-Identifier: GPL-3.0-or-later
#include "program.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QSaveFile>

#ifdef Q_OS_UNIX
#include <fcntl.h>
#include <unistd.h>
#endif
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

bool replaceFile(const QString& path, const QByteArray& bytes, QString* error)
{
    const QString folder = QFileInfo(path).absolutePath();
    if (!QDir().mkpath(folder)) {
        if (error)
            *error = QStringLiteral("cannot create the folder");
        return false;
    }
    // Unbuffered, a write cut short by a full disk shows as a short count; through the save
    // file's buffer it goes unnoticed (Qt 6.4), and the cut file would replace the whole one.
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Unbuffered) ||
        file.write(bytes) != bytes.size() || !file.commit()) {
        if (error)
            *error = file.errorString();
        return false;
    }
#ifdef Q_OS_UNIX
    // The rename has to reach the disk too, or a power cut can bring the old file back.
    const int fd =
        ::open(QFile::encodeName(folder).constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd >= 0) {
        ::fsync(fd);
        ::close(fd);
    }
#endif
    return true;
}

} // namespace program
