// SPDX-License-Identifier: GPL-3.0-or-later
#include "pictures.h"

#include "image.h"
#include "picturebox.h"
#include "program.h"
#include "twips.h"

#include <QDateTime>
#include <QFileInfo>
#include <QImageReader>
#include <list>

namespace {

// Larger pictures are refused outright: a header can claim any size.
constexpr qint64 MaxPixels = 100'000'000;
// Decoded pictures are kept at most this large on their longer side; the picture boxes
// never come near it, even on a 4K screen.
constexpr int MaxDecodedSide = 1600;
constexpr size_t CacheEntries = 8;

struct CacheEntry
{
    QString path;
    qint64 fileSize = 0;
    QDateTime modified;
    DecodedPicture picture;
};

std::list<CacheEntry>& cache()
{
    static std::list<CacheEntry> entries;
    return entries;
}

DecodedPicture decode(const QString& path)
{
    QImageReader reader(path);
    reader.setAutoTransform(true);
    DecodedPicture out;
    // The size as stored in the file; a photo tagged as turned on its side is read turned,
    // and its width and height change places.
    const QSize stored = reader.size();
    if (!stored.isValid() || stored.isEmpty() ||
        qint64(stored.width()) * stored.height() > MaxPixels)
        return out;
    QSize target = stored;
    if (target.width() > MaxDecodedSide || target.height() > MaxDecodedSide)
        target.scale(MaxDecodedSide, MaxDecodedSide, Qt::KeepAspectRatio);
    if (target != stored && reader.supportsOption(QImageIOHandler::ScaledSize))
        reader.setScaledSize(target);
    const bool turned = reader.transformation().testFlag(QImageIOHandler::TransformationRotate90);
    QImage img = reader.read();
    if (img.isNull())
        return out;
    if (turned)
        target.transpose();
    if (img.size() != target)
        img = img.scaled(target, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
    out.image = std::move(img);
    out.natural = turned ? stored.transposed() : stored;
    return out;
}

} // namespace

DecodedPicture decodePicture(const QString& path)
{
    const QFileInfo info(path);
    const qint64 size = info.size();
    const QDateTime modified = info.lastModified();
    auto& entries = cache();
    for (auto it = entries.begin(); it != entries.end(); ++it) {
        if (it->path == path && it->fileSize == size && it->modified == modified) {
            entries.splice(entries.begin(), entries, it);
            return it->picture;
        }
    }
    CacheEntry e{path, size, modified, decode(path)};
    entries.push_front(std::move(e));
    if (entries.size() > CacheEntries)
        entries.pop_back();
    return entries.front().picture;
}

void clearPictureCache()
{
    cache().clear();
}

void LoadFittedPicture(Image* img, PictureBox* Box, const QString& FileName)
{
    img->setVisible(false);
    img->setStretch(false);
    if (FileName.isEmpty()) {
        img->clearPicture();
    } else if (program::fileExists(FileName)) {
        const DecodedPicture pic = decodePicture(FileName);
        if (!pic.ok()) {
            img->clearPicture();
        } else {
            img->setPicture(pic.image);
            const double w = twips::fromPixels(pic.natural.width());
            const double h = twips::fromPixels(pic.natural.height());
            const double boxW = Box->Width();
            const double boxH = Box->Height();
            double imgW = 0;
            double imgH = 0;
            if (h / boxH > w / boxW) {
                imgH = boxH;
                imgW = imgH * w / h;
            } else {
                imgW = boxW;
                imgH = imgW * h / w;
            }
            img->Move((boxW - imgW) / 2, (boxH - imgH) / 2, imgW, imgH);
        }
    }
    img->setStretch(true);
    img->setVisible(true);
}
