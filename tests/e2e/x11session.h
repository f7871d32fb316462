// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QImage>
#include <QString>

// The test's own connection to the X server. Keys, clicks and window lookups go through
// xdotool, but keypad keys and NumLock as raw XTest keycodes, which NumLock then interprets
// (xdotool would flip NumLock to type KP_1). Screenshots and NumLock's state come from Xlib.
class X11Session
{
public:
    using Window = unsigned long; // Xlib's, without Xlib's macros

    explicit X11Session(const QString& displayName);
    ~X11Session();
    X11Session(const X11Session&) = delete;
    X11Session& operator=(const X11Session&) = delete;

    // The display is open and has XTest.
    bool isReady() const { return dpy != nullptr && xtest; }

    // The visible top-level window with exactly this title of the process `pid`, or 0.
    Window find(const QString& title, long pid) const;
    void focus(Window w) const;
    // Moves a top-level window, as a user dragging it would.
    void move(Window w, QPoint to) const;
    // Whether the keyboard goes to w (or a window inside it) now.
    bool hasFocus(Window w) const;
    void click(Window w, QPoint at) const;
    // Moves the pointer to the screen's bottom right corner, away from the program's windows
    // (the board opens at the top left where no window manager places it).
    void movePointerAway() const;
    // Asks the window to close, as a window manager's close button does.
    void closeWindow(Window w) const;

    // Plays text and keys: "<Tab>17\n<shift+Tab><KP_4>" is Tab, 1, 7, Return, Shift+Tab and
    // keypad 4. Keys in angle brackets are xdotool's key names; keypad keys and Num_Lock go raw.
    void play(const QString& script) const;
    // Switches the keyboard layout, as setxkbmap names it ("us", "fr").
    bool setLayout(const QString& layout) const;
    bool numLockOn() const;
    void setNumLock(bool on) const;
    // The window's pixels as the screen shows them (RGB32), or a null image.
    QImage grab(Window w) const;

private:
    // Runs a tool on this display; true when it ends with exit code 0.
    bool tool(const QString& name, const QStringList& args, QString* output = nullptr) const;

    QString display;
    struct _XDisplay* dpy = nullptr;
    bool xtest = false;
};
