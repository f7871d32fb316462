// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QImage>
#include <QSize>
#include <QString>

class Image;
class PictureBox;

// Loads a picture file into an image element and fits it into its box with the picture's
// aspect kept: it fills the box in one dimension and is centred in the other. An empty path
// clears the picture; a path that names no file leaves the image as it was; a file that
// cannot be decoded leaves the image without a picture.
void LoadFittedPicture(Image* img, PictureBox* Box, const QString& FileName);

// A decoded picture and the size the file declares.
struct DecodedPicture
{
    QImage image;  // possibly reduced: never larger than needed on any screen
    QSize natural; // the picture's own size in pixels, as shown: after any turn the file asks for
    bool ok() const { return !image.isNull() && natural.isValid(); }
};

// Decodes a BMP, GIF, JPEG or PNG (or any format Qt reads) file; transparent parts stay
// transparent, so that the box behind the picture shows through them. Results are kept by
// path, file size and modification time, so a replaced file is read again while an unchanged
// one is not decoded twice. Pictures whose header declares an absurd size are refused before any
// memory is spent on them.
DecodedPicture decodePicture(const QString& path);
void clearPictureCache();
