#include "x11session.h"

#include <QThread>

// Xlib's headers define macros (None, Bool, Status, KeyPress...) that clash with Qt's names,
// so they come after every Qt header.
#include <X11/XKBlib.h>
#include <X11/Xatom.h>
#include <X11/Xlib.h>
#include <X11/Xutil.h>
#include <X11/extensions/XTest.h>
#include <X11/keysym.h>

namespace {

// Time between two faked events. Qt takes a key release followed by a press of the same key
// with the same server time for auto-repeat; a few milliseconds apart they are two presses.
constexpr int EventGapMs = 8;
// Time for the pointer's arrival to be handled before the button goes down.
constexpr int PointerSettleMs = 30;

// Windows come and go while the test looks at them; a request about a window that has just
// gone is no failure of the test.
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

long cardinalProperty(Display* dpy, Window w, Atom property)
{
    Atom actualType = 0;
    int format = 0;
    unsigned long count = 0;
    unsigned long after = 0;
    unsigned char* data = nullptr;
    long value = 0;
    if (XGetWindowProperty(dpy, w, property, 0, 1, False, XA_CARDINAL, &actualType, &format, &count,
                           &after, &data) == Success &&
        data) {
        if (format == 32 && count == 1)
            value = *reinterpret_cast<const long*>(data); // Xlib hands 32-bit items as longs
        XFree(data);
    }
    return value;
}

unsigned long keysymOf(QChar c)
{
    const char16_t u = c.unicode();
    if (u >= '0' && u <= '9')
        return XK_0 + (u - '0');
    if (u >= 'a' && u <= 'z')
        return XK_a + (u - 'a');
    if (u >= 'A' && u <= 'Z')
        return XK_A + (u - 'A');
    switch (u) {
    case '.':
        return XK_period;
    case '+':
        return XK_plus;
    case '=':
        return XK_equal;
    case '#':
        return XK_numbersign;
    case ' ':
        return XK_space;
    case '\n':
        return XK_Return;
    default:
        return NoSymbol;
    }
}

} // namespace

X11Session::X11Session(const QString& displayName)
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
    // Repeated XTest events are sent even while a grab is active.
    if (xtest)
        XTestGrabControl(dpy, True);
}

X11Session::~X11Session()
{
    if (dpy)
        XCloseDisplay(dpy);
}

std::vector<X11Session::TopLevel> X11Session::topLevels() const
{
    std::vector<TopLevel> result;
    Window root = 0;
    Window parent = 0;
    Window* children = nullptr;
    unsigned int count = 0;
    if (!XQueryTree(dpy, DefaultRootWindow(dpy), &root, &parent, &children, &count))
        return result;
    const Atom netName = XInternAtom(dpy, "_NET_WM_NAME", False);
    const Atom utf8 = XInternAtom(dpy, "UTF8_STRING", False);
    const Atom netPid = XInternAtom(dpy, "_NET_WM_PID", False);
    for (unsigned int i = 0; i < count; ++i) {
        const QRect g = geometry(children[i]);
        if (g.isEmpty())
            continue;
        QString title = textProperty(dpy, children[i], netName, utf8);
        if (title.isEmpty())
            title = textProperty(dpy, children[i], XA_WM_NAME, AnyPropertyType);
        result.push_back({children[i], g, title, cardinalProperty(dpy, children[i], netPid)});
    }
    if (children)
        XFree(children);
    return result;
}

std::optional<X11Session::TopLevel> X11Session::findByTitle(const QString& title, long pid) const
{
    for (const TopLevel& t : topLevels())
        if (t.title == title && t.pid == pid)
            return t;
    return std::nullopt;
}

std::optional<X11Session::TopLevel> X11Session::findBySize(QSize size, long pid) const
{
    for (const TopLevel& t : topLevels())
        if (t.geometry.size() == size && t.pid == pid)
            return t;
    return std::nullopt;
}

QRect X11Session::geometry(Window w) const
{
    XWindowAttributes a{};
    if (!XGetWindowAttributes(dpy, w, &a) || a.map_state != IsViewable)
        return QRect();
    int x = 0;
    int y = 0;
    Window child = 0;
    XTranslateCoordinates(dpy, w, DefaultRootWindow(dpy), 0, 0, &x, &y, &child);
    return QRect(x, y, a.width, a.height);
}

void X11Session::focus(Window w)
{
    XRaiseWindow(dpy, w);
    XSetInputFocus(dpy, w, RevertToPointerRoot, CurrentTime);
    XSync(dpy, False);
}

void X11Session::resize(Window w, QSize size)
{
    // At the screen's corner, so that the whole window stays on the screen to be read.
    XMoveResizeWindow(dpy, w, 0, 0, static_cast<unsigned>(size.width()),
                      static_cast<unsigned>(size.height()));
    XSync(dpy, False);
}

void X11Session::closeWindow(Window w)
{
    XEvent e{};
    e.xclient.type = ClientMessage;
    e.xclient.window = w;
    e.xclient.message_type = XInternAtom(dpy, "WM_PROTOCOLS", False);
    e.xclient.format = 32;
    e.xclient.data.l[0] = static_cast<long>(XInternAtom(dpy, "WM_DELETE_WINDOW", False));
    e.xclient.data.l[1] = CurrentTime;
    XSendEvent(dpy, w, False, NoEventMask, &e);
    XSync(dpy, False);
}

void X11Session::click(Window w, QPoint at)
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

void X11Session::fakeKey(unsigned int keycode, bool down)
{
    XTestFakeKeyEvent(dpy, keycode, down ? True : False, CurrentTime);
    XSync(dpy, False);
    QThread::msleep(EventGapMs);
}

void X11Session::chord(std::initializer_list<unsigned long> keysyms)
{
    std::vector<unsigned int> codes;
    bool shift = false;
    for (const unsigned long sym : keysyms) {
        const KeyCode code = XKeysymToKeycode(dpy, sym);
        if (code == 0)
            continue;
        codes.push_back(code);
        // A symbol on the shifted level of its key (+ and # on a US keyboard) needs Shift.
        shift = shift || (XkbKeycodeToKeysym(dpy, code, 0, 0) != sym &&
                          XkbKeycodeToKeysym(dpy, code, 0, 1) == sym);
    }
    const unsigned int shiftCode = XKeysymToKeycode(dpy, XK_Shift_L);
    if (shift)
        fakeKey(shiftCode, true);
    for (const unsigned int code : codes)
        fakeKey(code, true);
    for (auto it = codes.rbegin(); it != codes.rend(); ++it)
        fakeKey(*it, false);
    if (shift)
        fakeKey(shiftCode, false);
}

void X11Session::tap(unsigned long keysym)
{
    chord({keysym});
}

void X11Session::type(const QString& text)
{
    for (const QChar c : text)
        if (const unsigned long sym = keysymOf(c); sym != NoSymbol)
            tap(sym);
}

void X11Session::pressRaw(unsigned long keysym)
{
    fakeKey(XKeysymToKeycode(dpy, keysym), true);
}

void X11Session::releaseRaw(unsigned long keysym)
{
    fakeKey(XKeysymToKeycode(dpy, keysym), false);
}

void X11Session::tapRaw(unsigned long keysym)
{
    pressRaw(keysym);
    releaseRaw(keysym);
}

unsigned int X11Session::numLockMask() const
{
    return XkbKeysymToModifiers(dpy, XK_Num_Lock);
}

bool X11Session::numLockOn() const
{
    XkbStateRec state{};
    if (XkbGetState(dpy, XkbUseCoreKbd, &state) != Success)
        return false;
    return (state.locked_mods & numLockMask()) != 0;
}

void X11Session::setNumLock(bool on)
{
    const unsigned int mask = numLockMask();
    XkbLockModifiers(dpy, XkbUseCoreKbd, mask, on ? mask : 0);
    XSync(dpy, False);
}

QImage X11Session::grab(Window w) const
{
    XWindowAttributes a{};
    if (!XGetWindowAttributes(dpy, w, &a) || a.map_state != IsViewable)
        return QImage();
    XImage* img = XGetImage(dpy, w, 0, 0, static_cast<unsigned>(a.width),
                            static_cast<unsigned>(a.height), AllPlanes, ZPixmap);
    if (!img)
        return QImage();
    // Xvfb's 24-bit screens hold a pixel as 0x00RRGGBB in 32 bits; nothing else is expected.
    const bool rgb = img->bits_per_pixel == 32 && img->red_mask == 0xff0000 &&
                     img->green_mask == 0xff00 && img->blue_mask == 0xff;
    QImage out;
    if (rgb) {
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

void X11Session::sync() const
{
    XSync(dpy, False);
}
