// SPDX-License-Identifier: GPL-3.0-or-later
#include "teamlogos.h"

#include <QBuffer>
#include <QFileInfo>
#include <QImage>
#include <QImageReader>

QByteArray logoPng(const QString& path, int maxSide)
{
    QImageReader reader(path);
    reader.setAutoTransform(true);
    const QSize stored = reader.size();
    if (!stored.isValid() || stored.isEmpty() ||
        qint64(stored.width()) * stored.height() > TeamLogos::MaxPixels)
        return {};
    QSize target = stored;
    if (target.width() > maxSide || target.height() > maxSide)
        target.scale(maxSide, maxSide, Qt::KeepAspectRatio);
    const bool turned = reader.transformation().testFlag(QImageIOHandler::TransformationRotate90);
    if (target != stored && reader.supportsOption(QImageIOHandler::ScaledSize))
        reader.setScaledSize(target);
    QImage image = reader.read();
    if (image.isNull())
        return {};
    if (turned)
        target.transpose();
    if (image.size() != target)
        image = image.scaled(target, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
    QByteArray png;
    QBuffer buffer(&png);
    buffer.open(QIODevice::WriteOnly);
    if (!image.save(&buffer, "PNG"))
        return {};
    return png;
}

QByteArray TeamLogos::png(int team, const QString& path)
{
    Entry& e = cache[static_cast<size_t>(team != 0)];
    if (path.isEmpty())
        return {};
    const QFileInfo info(path);
    if (!info.isFile())
        return {};
    if (e.path == path && e.size == info.size() && e.modified == info.lastModified())
        return e.png;
    // What cannot be read is remembered as well, so that it is not decoded again and again.
    e = Entry{path, info.size(), info.lastModified(), logoPng(path, MaxSide)};
    return e.png;
}
