// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// Include it after Xlib's headers, which come after Qt's.
#include <QImage>

// A window's pixels straight from the X server (RGB32), for the end-to-end tests and the
// whole-process benchmarks; a null image when it is not viewable or not in Xvfb's 24-bit format.
inline QImage grabXWindow(Display* dpy, Window w)
{
    XWindowAttributes a{};
    if (!XGetWindowAttributes(dpy, w, &a) || a.map_state != IsViewable)
        return QImage();
    XImage* img = XGetImage(dpy, w, 0, 0, static_cast<unsigned>(a.width),
                            static_cast<unsigned>(a.height), AllPlanes, ZPixmap);
    if (!img)
        return QImage();
    // Xvfb's 24-bit screens hold a pixel as 0x00RRGGBB in 32 bits, which RGB32 reads as opaque.
    QImage out;
    if (img->bits_per_pixel == 32 && img->red_mask == 0xff0000 && img->green_mask == 0xff00 &&
        img->blue_mask == 0xff)
        out = QImage(reinterpret_cast<const uchar*>(img->data), a.width, a.height,
                     img->bytes_per_line, QImage::Format_RGB32)
                  .copy();
    XDestroyImage(img);
    return out;
}
