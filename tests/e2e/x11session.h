#pragma once

#include <QImage>
#include <QPoint>
#include <QRect>
#include <QString>

#include <initializer_list>
#include <optional>
#include <vector>

// The test's own connection to the X server: finding windows, real key and mouse events
// through XTest, screenshots, and the keyboard's NumLock through XKB.
//
// Keys come in two kinds. tap() and type() press ordinary keys by key symbol, with Shift when
// the symbol needs it. pressRaw() and releaseRaw() press the physical key that carries a
// symbol without any modifier, so that a keypad key yields whatever NumLock makes of it and
// the NumLock key itself toggles the real lock (a tool that types KP_1 as a symbol would flip
// NumLock on its own).
class X11Session
{
public:
    // Xlib's Window; the header keeps Xlib's macros away from Qt's.
    using Window = unsigned long;

    explicit X11Session(const QString& displayName);
    ~X11Session();
    X11Session(const X11Session&) = delete;
    X11Session& operator=(const X11Session&) = delete;

    bool isOpen() const { return dpy != nullptr; }
    bool hasXTest() const { return xtest; }

    struct TopLevel
    {
        Window id = 0;
        QRect geometry; // on the screen
        QString title;
        long pid = 0; // of the program that made it, as it says (_NET_WM_PID)
    };
    // The mapped top-level windows, bottom to top.
    std::vector<TopLevel> topLevels() const;
    // The first mapped top-level with this title or size, of the program with this process id.
    std::optional<TopLevel> findByTitle(const QString& title, long pid) const;
    std::optional<TopLevel> findBySize(QSize size, long pid) const;
    // The window's geometry on the screen, or an empty rectangle when it is gone or unmapped.
    QRect geometry(Window w) const;

    void focus(Window w);
    void resize(Window w, QSize size);
    // Asks the window to close, as a window manager's close button does.
    void closeWindow(Window w);
    void click(Window w, QPoint at);

    // Ordinary keys by symbol; a chord holds the earlier keys while it taps the last.
    void tap(unsigned long keysym);
    void chord(std::initializer_list<unsigned long> keysyms);
    // Types text of digits, letters, '.', '+', '#', space and '\n' (Return).
    void type(const QString& text);
    void pressRaw(unsigned long keysym);
    void releaseRaw(unsigned long keysym);
    void tapRaw(unsigned long keysym);

    bool numLockOn() const;
    void setNumLock(bool on);

    // The window's pixels as the screen shows them (RGB32), or a null image.
    QImage grab(Window w) const;
    // Waits until the server has handled every request sent so far.
    void sync() const;

private:
    void fakeKey(unsigned int keycode, bool down);
    unsigned int numLockMask() const;

    struct _XDisplay* dpy = nullptr;
    bool xtest = false;
};
