// SPDX-License-Identifier: GPL-3.0-or-later
#include "x11session.h"

#include <QProcess>
#include <QRegularExpression>
#include <QThread>

// Xlib's macros (None, Bool, Status, KeyPress...) clash with Qt's names: Xlib comes last.
#include <X11/XKBlib.h>
#include <X11/Xlib.h>
#include <X11/Xutil.h>
#include <X11/extensions/XTest.h>
#include <X11/keysym.h>

#include "xgrab.h"

// Time between two faked events. Qt takes a key release followed by a press of the same key
// with the same server time for auto-repeat; a few milliseconds apart they are two presses.
static constexpr int EventGapMs = 8;
static const QString Xdotool = QStringLiteral("xdotool");
static const QString XdotoolDelayMs = QStringLiteral("12");
static constexpr int ToolBoundMs = 10000;

X11Session::X11Session(const QString& displayName) : display(displayName)
{
    dpy = XOpenDisplay(displayName.toLocal8Bit().constData());
    if (!dpy)
        return;
    // Windows come and go while the test looks at them: a request about one just gone is fine.
    XSetErrorHandler([](Display*, XErrorEvent*) { return 0; });
    int unused = 0;
    xtest = XTestQueryExtension(dpy, &unused, &unused, &unused, &unused);
    // Repeated XTest events are sent even while a grab is active.
    if (xtest)
        XTestGrabControl(dpy, True);
}

X11Session::~X11Session()
{
    if (dpy)
        XCloseDisplay(dpy);
}

bool X11Session::tool(const QString& name, const QStringList& args, QString* output) const
{
    QProcess p;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("DISPLAY"), display);
    p.setProcessEnvironment(env);
    p.start(name, args);
    const bool ok = p.waitForFinished(ToolBoundMs) && p.exitStatus() == QProcess::NormalExit &&
                    p.exitCode() == 0;
    if (output)
        *output = QString::fromUtf8(p.readAllStandardOutput());
    return ok;
}

X11Session::Window X11Session::find(const QString& title, long pid) const
{
    QString found;
    tool(Xdotool,
         {"search", "--all", "--onlyvisible", "--maxdepth", "1", "--pid", QString::number(pid),
          "--name", '^' + title + '$'},
         &found);
    return found.section(QLatin1Char('\n'), 0, 0).toULong();
}

void X11Session::focus(Window w) const
{
    XRaiseWindow(dpy, w);
    XSetInputFocus(dpy, w, RevertToPointerRoot, CurrentTime);
    XSync(dpy, False);
}

void X11Session::move(Window w, QPoint to) const
{
    XMoveWindow(dpy, w, to.x(), to.y());
    XSync(dpy, False);
}

bool X11Session::hasFocus(Window w) const
{
    Window focused = 0;
    int revert = 0;
    XGetInputFocus(dpy, &focused, &revert);
    // Walk up from the focus window: a toolkit may focus a window of its own inside w.
    while (focused != 0 && focused != PointerRoot && focused != DefaultRootWindow(dpy)) {
        if (focused == w)
            return true;
        Window root = 0;
        Window parent = 0;
        Window* children = nullptr;
        unsigned count = 0;
        if (!XQueryTree(dpy, focused, &root, &parent, &children, &count))
            return false;
        if (children)
            XFree(children);
        focused = parent;
    }
    return false;
}

void X11Session::click(Window w, QPoint at) const
{
    // Not "mousemove --sync": that waits for ever when the pointer is there already.
    tool(Xdotool, {"mousemove", "--window", QString::number(w), QString::number(at.x()),
                   QString::number(at.y()), "sleep", "0.05", "click", "1"});
}

void X11Session::movePointerAway() const
{
    const int screen = DefaultScreen(dpy);
    XWarpPointer(dpy, 0, DefaultRootWindow(dpy), 0, 0, 0, 0, DisplayWidth(dpy, screen) - 1,
                 DisplayHeight(dpy, screen) - 1);
    XSync(dpy, False);
}

void X11Session::closeWindow(Window w) const
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

void X11Session::play(const QString& script) const
{
    // A run of ordinary keys goes to one xdotool run, text to one of its own, raw keys to XTest.
    QStringList keys;
    const auto pressKeys = [&] {
        if (!keys.isEmpty())
            tool(Xdotool, QStringList{"key", "--delay", XdotoolDelayMs} + keys);
        keys.clear();
    };
    static const QRegularExpression piece(QStringLiteral("<([^>]+)>|\\n|[^<\\n]+"));
    for (const QRegularExpressionMatch& m : piece.globalMatch(script)) {
        const QString name = m.captured(1);
        if (name.startsWith(QLatin1String("KP_")) || name == QLatin1String("Num_Lock")) {
            pressKeys();
            const KeyCode code =
                XKeysymToKeycode(dpy, XStringToKeysym(name.toLatin1().constData()));
            for (const Bool down : {True, False}) {
                XTestFakeKeyEvent(dpy, code, down, CurrentTime);
                XSync(dpy, False);
                QThread::msleep(EventGapMs);
            }
        } else if (!name.isEmpty()) {
            keys << name;
        } else if (m.captured() == QLatin1String("\n")) {
            keys << QStringLiteral("Return"); // xdotool would type Linefeed, which no key carries
        } else {
            pressKeys();
            tool(Xdotool, {"type", "--delay", XdotoolDelayMs, m.captured()});
        }
    }
    pressKeys();
}

bool X11Session::setLayout(const QString& layout) const
{
    return tool(QStringLiteral("setxkbmap"), {layout});
}

bool X11Session::numLockOn() const
{
    XkbStateRec state{};
    return XkbGetState(dpy, XkbUseCoreKbd, &state) == Success &&
           (state.locked_mods & XkbKeysymToModifiers(dpy, XK_Num_Lock)) != 0;
}

void X11Session::setNumLock(bool on) const
{
    const unsigned int mask = XkbKeysymToModifiers(dpy, XK_Num_Lock);
    XkbLockModifiers(dpy, XkbUseCoreKbd, mask, on ? mask : 0);
    XSync(dpy, False);
}

QImage X11Session::grab(Window w) const
{
    return grabXWindow(dpy, w);
}
