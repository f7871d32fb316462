#include "program.h"

#include "twips.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QGuiApplication>
#include <QScreen>
#include <QWidget>

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

QSizeF screenSizeTwips(const QWidget* onScreenOf)
{
    const QScreen* s = onScreenOf ? onScreenOf->screen() : QGuiApplication::primaryScreen();
    if (!s)
        return QSizeF(9600, 7200);
    const QSize px = s->size();
    return QSizeF(twips::fromPixels(px.width()), twips::fromPixels(px.height()));
}

} // namespace program
