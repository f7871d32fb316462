#pragma once

// Reading a window's pixels straight from the X server, for the end-to-end tests and the
// whole-process benchmarks. Include it after Xlib's headers, which come after Qt's.
#include <QImage>

#include <cstddef>
#include <cstdint>

// The window's pixels as the screen shows them (RGB32), or a null image when it is not
// viewable or not in the 24-bit format Xvfb uses.
inline QImage grabXWindow(Display* dpy, Window w)
{
    XWindowAttributes a{};
    if (!XGetWindowAttributes(dpy, w, &a) || a.map_state != IsViewable)
        return QImage();
    XImage* img = XGetImage(dpy, w, 0, 0, static_cast<unsigned>(a.width),
                            static_cast<unsigned>(a.height), AllPlanes, ZPixmap);
    if (!img)
        return QImage();
    // Xvfb's 24-bit screens hold a pixel as 0x00RRGGBB in 32 bits; nothing else is expected.
    QImage out;
    if (img->bits_per_pixel == 32 && img->red_mask == 0xff0000 && img->green_mask == 0xff00 &&
        img->blue_mask == 0xff) {
        out = QImage(a.width, a.height, QImage::Format_RGB32);
        for (int y = 0; y < a.height; ++y) {
            auto* line = reinterpret_cast<QRgb*>(out.scanLine(y));
            const auto* src = reinterpret_cast<const uint32_t*>(
                img->data + static_cast<ptrdiff_t>(y) * img->bytes_per_line);
            for (int x = 0; x < a.width; ++x)
                line[x] = 0xff000000u | (src[x] & 0xffffffu);
        }
    }
    XDestroyImage(img);
    return out;
}
