// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QImage>
#include <QPoint>
#include <QRect>
#include <QString>

// The measuring tool's own connection to an X server: finding a program's top-level windows,
// reading their pixels, and real mouse and key events through XTest. Xlib's headers stay in
// the .cpp, away from Qt's names.
class XDisplay
{
public:
    using Window = unsigned long; // Xlib's Window

    explicit XDisplay(const QString& displayName);
    ~XDisplay();
    XDisplay(const XDisplay&) = delete;
    XDisplay& operator=(const XDisplay&) = delete;

    bool isOpen() const { return dpy != nullptr; }
    bool hasXTest() const { return xtest; }

    // The first mapped top-level window of the process `pid` (as its _NET_WM_PID says) with
    // this size, or with this title; 0 when there is none.
    Window findBySize(QSize size, long pid) const;
    Window findByTitle(const QString& title, long pid) const;
    // The window's rectangle on the screen; empty when it is gone or unmapped.
    QRect geometry(Window w) const;
    // The window's pixels as the screen shows them (RGB32), or a null image.
    QImage grab(Window w) const;

    void focus(Window w) const;
    // Moves the window to the screen's corner and gives it this size.
    void resize(Window w, QSize size) const;
    void click(Window w, QPoint at) const;
    // Presses and releases the key that carries this key symbol (XK_s...).
    void tap(unsigned long keysym) const;

private:
    template <class Match>
    Window findTopLevel(long pid, const Match& match) const;

    struct _XDisplay* dpy = nullptr;
    bool xtest = false;
};
