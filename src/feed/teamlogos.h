// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QByteArray>
#include <QDateTime>
#include <QString>
#include <array>

// The team pictures of the settings (HomePic, VisitorPic) as the overlay shows them: PNG, at
// most MaxSide pixels on the longer side, in their proportions. A picture is decoded once and
// again only when its file changes; a team without a picture, or one whose file cannot be
// read as a picture, has none.
class TeamLogos
{
public:
    static constexpr int MaxSide = 256;
    // Pictures claiming more pixels than this are not decoded: a header can claim any size.
    static constexpr qint64 MaxPixels = 100'000'000;

    // The PNG of the picture at `path` (empty: none).
    QByteArray png(int team, const QString& path);

private:
    struct Entry
    {
        QString path;
        qint64 size = -1;
        QDateTime modified;
        QByteArray png;
    };
    std::array<Entry, 2> cache;
};

// A picture file as a PNG of at most `maxSide` pixels on its longer side; empty when it cannot
// be read as a picture.
QByteArray logoPng(const QString& path, int maxSide);
