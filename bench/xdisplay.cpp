// SPDX-License-Identifier: GPL-3.0-or-later
#include "xdisplay.h"

#include <QThread>

// Xlib's headers define macros (None, Bool, Status...) that clash with Qt's names, so they
// come after every Qt header.
#include <X11/Xatom.h>
#include <X11/Xlib.h>
#include <X11/Xutil.h>
#include <X11/extensions/XTest.h>

#include "xgrab.h"

namespace {

// Time for the pointer's arrival, and between a press and its release, to be seen as such.
constexpr int PointerSettleMs = 30;
constexpr int EventGapMs = 8;

// Windows come and go while the tool looks at them; a request about one that has just gone
// is no failure.
int ignoreErrors(Display*, XErrorEvent*)
{
    return 0;
}

QString textProperty(Display* dpy, Window w, Atom property, Atom type)
{
    Atom actualType = 0;
    int format = 0;
    unsigned long count = 0;
    unsigned long after = 0;
    unsigned char* data = nullptr;
    QString text;
    if (XGetWindowProperty(dpy, w, property, 0, 1024, False, type, &actualType, &format, &count,
                           &after, &data) == Success &&
        data) {
        if (format == 8)
            text = QString::fromUtf8(reinterpret_cast<const char*>(data),
                                     static_cast<qsizetype>(count));
        XFree(data);
    }
    return text;
}

long pidOf(Display* dpy, Window w)
{
    const Atom netPid = XInternAtom(dpy, "_NET_WM_PID", False);
    Atom actualType = 0;
    int format = 0;
    unsigned long count = 0;
    unsigned long after = 0;
    unsigned char* data = nullptr;
    long pid = 0;
    if (XGetWindowProperty(dpy, w, netPid, 0, 1, False, XA_CARDINAL, &actualType, &format, &count,
                           &after, &data) == Success &&
        data) {
        if (format == 32 && count == 1)
            pid = *reinterpret_cast<const long*>(data); // Xlib hands 32-bit items as longs
        XFree(data);
    }
    return pid;
}

} // namespace

XDisplay::XDisplay(const QString& displayName)
{
    dpy = XOpenDisplay(displayName.toLocal8Bit().constData());
    if (!dpy)
        return;
    XSetErrorHandler(ignoreErrors);
    int event = 0;
    int error = 0;
    int major = 0;
    int minor = 0;
    xtest = XTestQueryExtension(dpy, &event, &error, &major, &minor);
}

XDisplay::~XDisplay()
{
    if (dpy)
        XCloseDisplay(dpy);
}

template <class Match>
XDisplay::Window XDisplay::findTopLevel(long pid, const Match& match) const
{
    ::Window root = 0;
    ::Window parent = 0;
    ::Window* children = nullptr;
    unsigned int count = 0;
    if (!XQueryTree(dpy, DefaultRootWindow(dpy), &root, &parent, &children, &count))
        return 0;
    Window found = 0;
    for (unsigned int i = 0; i < count && !found; ++i) {
        const QRect g = geometry(children[i]);
        if (!g.isEmpty() && pidOf(dpy, children[i]) == pid && match(children[i], g))
            found = children[i];
    }
    if (children)
        XFree(children);
    return found;
}

XDisplay::Window XDisplay::findBySize(QSize size, long pid) const
{
    return findTopLevel(pid, [&](Window, const QRect& g) { return g.size() == size; });
}

XDisplay::Window XDisplay::findByTitle(const QString& title, long pid) const
{
    const Atom netName = XInternAtom(dpy, "_NET_WM_NAME", False);
    const Atom utf8 = XInternAtom(dpy, "UTF8_STRING", False);
    return findTopLevel(pid, [&](Window w, const QRect&) {
        QString t = textProperty(dpy, w, netName, utf8);
        if (t.isEmpty())
            t = textProperty(dpy, w, XA_WM_NAME, AnyPropertyType);
        return t == title;
    });
}

QRect XDisplay::geometry(Window w) const
{
    XWindowAttributes a{};
    if (!XGetWindowAttributes(dpy, w, &a) || a.map_state != IsViewable)
        return QRect();
    int x = 0;
    int y = 0;
    ::Window child = 0;
    XTranslateCoordinates(dpy, w, DefaultRootWindow(dpy), 0, 0, &x, &y, &child);
    return QRect(x, y, a.width, a.height);
}

QImage XDisplay::grab(Window w) const
{
    return grabXWindow(dpy, w);
}

void XDisplay::focus(Window w) const
{
    XRaiseWindow(dpy, w);
    XSetInputFocus(dpy, w, RevertToPointerRoot, CurrentTime);
    XSync(dpy, False);
}

void XDisplay::resize(Window w, QSize size) const
{
    XMoveResizeWindow(dpy, w, 0, 0, static_cast<unsigned>(size.width()),
                      static_cast<unsigned>(size.height()));
    XSync(dpy, False);
}

void XDisplay::click(Window w, QPoint at) const
{
    const QPoint p = geometry(w).topLeft() + at;
    XTestFakeMotionEvent(dpy, -1, p.x(), p.y(), CurrentTime);
    XSync(dpy, False);
    QThread::msleep(PointerSettleMs);
    XTestFakeButtonEvent(dpy, Button1, True, CurrentTime);
    XSync(dpy, False);
    QThread::msleep(EventGapMs);
    XTestFakeButtonEvent(dpy, Button1, False, CurrentTime);
    XSync(dpy, False);
}

void XDisplay::tap(unsigned long keysym) const
{
    const unsigned int code = XKeysymToKeycode(dpy, keysym);
    XTestFakeKeyEvent(dpy, code, True, CurrentTime);
    XSync(dpy, False);
    QThread::msleep(EventGapMs);
    XTestFakeKeyEvent(dpy, code, False, CurrentTime);
    XSync(dpy, False);
}
