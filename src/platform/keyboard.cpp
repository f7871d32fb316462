// SPDX-License-Identifier: GPL-3.0-or-later
#include "keyboard.h"

#include <QGuiApplication>
#include <QKeyEvent>

#ifdef PUCKLIGHT_HAVE_X11
#include <QtGui/qguiapplication_platform.h>
#include <X11/XKBlib.h>
#include <X11/keysym.h>
#endif

namespace {

// Keypad keys while NumLock is off, by the digit they carry.
constexpr int16_t KeypadNavigation[10] = {vk::Insert, vk::End,   vk::Down,  vk::PageDown,
                                          vk::Left,   vk::Clear, vk::Right, vk::Home,
                                          vk::Up,     vk::PageUp};

bool virtualNumLockOn();

// One key of a platform's numbering and its key code.
struct KeyPair
{
    long from;
    int16_t to;
};

template <size_t N>
constexpr bool uniqueKeys(const KeyPair (&table)[N])
{
    for (size_t a = 0; a < N; ++a)
        for (size_t b = a + 1; b < N; ++b)
            if (table[a].from == table[b].from)
                return false;
    return true;
}

template <size_t N>
int16_t lookup(const KeyPair (&table)[N], long key)
{
    for (const KeyPair& k : table)
        if (k.from == key)
            return k.to;
    return vk::NoKey;
}

// Keys as Qt reports them, for platforms without native key information. Shifted digits and
// signs are those of a US keyboard, since Shift plays no part.
// clang-format off
constexpr KeyPair QtKeys[] = {
    {Qt::Key_ParenRight, vk::Key0},
    {Qt::Key_Exclam, static_cast<int16_t>(vk::Key0 + 1)},
    {Qt::Key_At, static_cast<int16_t>(vk::Key0 + 2)},
    {Qt::Key_NumberSign, static_cast<int16_t>(vk::Key0 + 3)},
    {Qt::Key_Dollar, static_cast<int16_t>(vk::Key0 + 4)},
    {Qt::Key_Percent, static_cast<int16_t>(vk::Key0 + 5)},
    {Qt::Key_AsciiCircum, static_cast<int16_t>(vk::Key0 + 6)},
    {Qt::Key_Ampersand, static_cast<int16_t>(vk::Key0 + 7)},
    {Qt::Key_Asterisk, static_cast<int16_t>(vk::Key0 + 8)},
    {Qt::Key_ParenLeft, static_cast<int16_t>(vk::Key0 + 9)},
    {Qt::Key_Equal, vk::Plus},
    {Qt::Key_Plus, vk::Plus},
    {Qt::Key_Minus, vk::Minus},
    {Qt::Key_Underscore, vk::Minus},
    {Qt::Key_Period, vk::Period},
    {Qt::Key_Greater, vk::Period},
    {Qt::Key_Comma, vk::Comma},
    {Qt::Key_Less, vk::Comma},
    {Qt::Key_Semicolon, vk::Semicolon},
    {Qt::Key_Colon, vk::Semicolon},
    {Qt::Key_Slash, vk::Slash},
    {Qt::Key_Question, vk::Slash},
    {Qt::Key_QuoteLeft, vk::Grave},
    {Qt::Key_AsciiTilde, vk::Grave},
    {Qt::Key_BracketLeft, vk::BracketLeft},
    {Qt::Key_BraceLeft, vk::BracketLeft},
    {Qt::Key_Backslash, vk::Backslash},
    {Qt::Key_Bar, vk::Backslash},
    {Qt::Key_BracketRight, vk::BracketRight},
    {Qt::Key_BraceRight, vk::BracketRight},
    {Qt::Key_Apostrophe, vk::Quote},
    {Qt::Key_QuoteDbl, vk::Quote},
    {Qt::Key_Space, vk::Space},
    {Qt::Key_Return, vk::Enter},
    {Qt::Key_Enter, vk::Enter},
    {Qt::Key_Escape, vk::Escape},
    {Qt::Key_Tab, vk::Tab},
    {Qt::Key_Backtab, vk::Tab},
    {Qt::Key_Backspace, vk::Backspace},
    {Qt::Key_Delete, vk::Delete},
    {Qt::Key_Insert, vk::Insert},
    {Qt::Key_Home, vk::Home},
    {Qt::Key_End, vk::End},
    {Qt::Key_PageUp, vk::PageUp},
    {Qt::Key_PageDown, vk::PageDown},
    {Qt::Key_Left, vk::Left},
    {Qt::Key_Up, vk::Up},
    {Qt::Key_Right, vk::Right},
    {Qt::Key_Down, vk::Down},
    {Qt::Key_Clear, vk::Clear},
    {Qt::Key_Pause, vk::Pause},
    {Qt::Key_CapsLock, vk::CapsLock},
    {Qt::Key_NumLock, vk::NumLock},
    {Qt::Key_ScrollLock, vk::ScrollLock},
    {Qt::Key_Shift, vk::Shift},
    {Qt::Key_Control, vk::Ctrl},
    {Qt::Key_Alt, vk::Alt},
    {Qt::Key_AltGr, vk::Alt},
};
// clang-format on
static_assert(uniqueKeys(QtKeys));

int16_t fromQtKey(int key, bool keypad)
{
    if (keypad) {
        if (key >= Qt::Key_0 && key <= Qt::Key_9) {
            const int digit = key - Qt::Key_0;
            return virtualNumLockOn() ? static_cast<int16_t>(vk::Numpad0 + digit)
                                      : KeypadNavigation[digit];
        }
        switch (key) {
        case Qt::Key_Asterisk:
            return vk::Multiply;
        case Qt::Key_Plus:
            return vk::Add;
        case Qt::Key_Minus:
            return vk::Subtract;
        case Qt::Key_Period:
        case Qt::Key_Comma:
            return virtualNumLockOn() ? vk::Decimal : vk::Delete;
        case Qt::Key_Slash:
            return vk::Divide;
        default:
            break; // navigation keys of the keypad are the same as the others
        }
    }
    if (key >= Qt::Key_0 && key <= Qt::Key_9)
        return static_cast<int16_t>(vk::Key0 + (key - Qt::Key_0));
    if (key >= Qt::Key_A && key <= Qt::Key_Z)
        return static_cast<int16_t>(vk::KeyA + (key - Qt::Key_A));
    if (key >= Qt::Key_F1 && key <= Qt::Key_F24)
        return static_cast<int16_t>(vk::F1 + (key - Qt::Key_F1));
    return lookup(QtKeys, key);
}

// Wayland gives the Linux input code of the key plus 8 as the native scan code (X11's key
// numbering under evdev). The digit row and the keypad are mapped by place.
namespace evdev {

constexpr long Offset = 8;
constexpr long Key1 = 2 + Offset; // 1 to 9, then 0
constexpr long Key0 = 11 + Offset;

// Keypad keys by their Linux input code; digits map to their digit.
// clang-format off
constexpr KeyPair KeypadDigits[] = {
    {82 + Offset, 0}, {79 + Offset, 1}, {80 + Offset, 2}, {81 + Offset, 3}, {75 + Offset, 4},
    {76 + Offset, 5}, {77 + Offset, 6}, {71 + Offset, 7}, {72 + Offset, 8}, {73 + Offset, 9},
};
constexpr KeyPair KeypadSigns[] = {
    {55 + Offset, vk::Multiply},
    {78 + Offset, vk::Add},
    {74 + Offset, vk::Subtract},
    {98 + Offset, vk::Divide},
    {96 + Offset, vk::Enter},
};
// clang-format on
constexpr long KeypadDot = 83 + Offset;
static_assert(uniqueKeys(KeypadDigits) && uniqueKeys(KeypadSigns));

int16_t fromScanCode(long scan)
{
    if (scan >= Key1 && scan < Key0)
        return static_cast<int16_t>(vk::Key0 + 1 + (scan - Key1));
    if (scan == Key0)
        return vk::Key0;
    for (const KeyPair& k : KeypadDigits)
        if (k.from == scan)
            return virtualNumLockOn() ? static_cast<int16_t>(vk::Numpad0 + k.to)
                                      : KeypadNavigation[k.to];
    if (scan == KeypadDot)
        return virtualNumLockOn() ? vk::Decimal : vk::Delete;
    return lookup(KeypadSigns, scan);
}

} // namespace evdev

#ifdef PUCKLIGHT_HAVE_X11

Display* x11Display()
{
    auto* x11 = qGuiApp ? qGuiApp->nativeInterface<QNativeInterface::QX11Application>() : nullptr;
    return x11 ? x11->display() : nullptr;
}

bool isKeypadKeysym(KeySym s)
{
    return s >= XK_KP_Space && s <= XK_KP_9;
}

bool isDigitKeysym(KeySym s)
{
    return s >= XK_0 && s <= XK_9;
}

// Key symbols beyond the ranges of digits, letters and function keys.
// clang-format off
constexpr KeyPair Keysyms[] = {
    {XK_KP_Multiply, vk::Multiply},
    {XK_KP_Add, vk::Add},
    {XK_KP_Subtract, vk::Subtract},
    {XK_KP_Decimal, vk::Decimal},
    {XK_KP_Separator, vk::Decimal},
    {XK_KP_Divide, vk::Divide},
    {XK_KP_Enter, vk::Enter},
    {XK_Return, vk::Enter},
    {XK_KP_Home, vk::Home},
    {XK_Home, vk::Home},
    {XK_KP_Left, vk::Left},
    {XK_Left, vk::Left},
    {XK_KP_Up, vk::Up},
    {XK_Up, vk::Up},
    {XK_KP_Right, vk::Right},
    {XK_Right, vk::Right},
    {XK_KP_Down, vk::Down},
    {XK_Down, vk::Down},
    {XK_KP_Prior, vk::PageUp},
    {XK_Prior, vk::PageUp},
    {XK_KP_Next, vk::PageDown},
    {XK_Next, vk::PageDown},
    {XK_KP_End, vk::End},
    {XK_End, vk::End},
    {XK_KP_Begin, vk::Clear},
    {XK_Clear, vk::Clear},
    {XK_KP_Insert, vk::Insert},
    {XK_Insert, vk::Insert},
    {XK_KP_Delete, vk::Delete},
    {XK_Delete, vk::Delete},
    {XK_space, vk::Space},
    {XK_KP_Space, vk::Space},
    {XK_BackSpace, vk::Backspace},
    {XK_Tab, vk::Tab},
    {XK_ISO_Left_Tab, vk::Tab},
    {XK_Pause, vk::Pause},
    {XK_Escape, vk::Escape},
    {XK_Num_Lock, vk::NumLock},
    {XK_Scroll_Lock, vk::ScrollLock},
    {XK_Caps_Lock, vk::CapsLock},
    {XK_Shift_L, vk::Shift},
    {XK_Shift_R, vk::Shift},
    {XK_Control_L, vk::Ctrl},
    {XK_Control_R, vk::Ctrl},
    {XK_Alt_L, vk::Alt},
    {XK_Alt_R, vk::Alt},
    {XK_ISO_Level3_Shift, vk::Alt},
    {XK_semicolon, vk::Semicolon},
    {XK_equal, vk::Plus},
    {XK_plus, vk::Plus},
    {XK_comma, vk::Comma},
    {XK_minus, vk::Minus},
    {XK_period, vk::Period},
    {XK_slash, vk::Slash},
    {XK_grave, vk::Grave},
    {XK_bracketleft, vk::BracketLeft},
    {XK_backslash, vk::Backslash},
    {XK_bracketright, vk::BracketRight},
    {XK_apostrophe, vk::Quote},
};
// clang-format on
static_assert(uniqueKeys(Keysyms));

int16_t fromKeysym(KeySym s)
{
    if (s >= XK_0 && s <= XK_9)
        return static_cast<int16_t>(vk::Key0 + (s - XK_0));
    if (s >= XK_a && s <= XK_z)
        return static_cast<int16_t>(vk::KeyA + (s - XK_a));
    if (s >= XK_A && s <= XK_Z)
        return static_cast<int16_t>(vk::KeyA + (s - XK_A));
    if (s >= XK_KP_0 && s <= XK_KP_9)
        return static_cast<int16_t>(vk::Numpad0 + (s - XK_KP_0));
    if (s >= XK_F1 && s <= XK_F24)
        return static_cast<int16_t>(vk::F1 + (s - XK_F1));
    return lookup(Keysyms, static_cast<long>(s));
}

class X11KeyboardState : public KeyboardState
{
public:
    explicit X11KeyboardState(Display* d) : dpy(d) {}
    bool numLockOn() override
    {
        XkbStateRec state{};
        if (XkbGetState(dpy, XkbUseCoreKbd, &state) != Success)
            return false;
        return (state.locked_mods & mask()) != 0;
    }
    void setNumLockState(bool on) override
    {
        const unsigned int m = mask();
        XkbLockModifiers(dpy, XkbUseCoreKbd, m, on ? m : 0);
        XFlush(dpy);
    }

private:
    unsigned int mask() { return XkbKeysymToModifiers(dpy, XK_Num_Lock); }
    Display* dpy;
};

#endif

// Where NumLock cannot be read or set, the program keeps its own; the NumLock key toggles it.
class VirtualKeyboardState : public KeyboardState
{
public:
    bool numLockOn() override { return on; }
    void setNumLockState(bool state) override { on = state; }
    void observeKeyPress(const QKeyEvent& e) override
    {
        if (e.key() == Qt::Key_NumLock && !e.isAutoRepeat())
            on = !on;
    }

private:
    bool on = true;
};

KeyboardState* injected = nullptr;

KeyboardState& platformState()
{
#ifdef PUCKLIGHT_HAVE_X11
    if (Display* d = x11Display()) {
        static X11KeyboardState x11(d);
        return x11;
    }
#endif
    static VirtualKeyboardState virtualState;
    return virtualState;
}

bool virtualNumLockOn()
{
    return keyboardState().numLockOn();
}

} // namespace

int16_t virtualKeyCode(const QKeyEvent& e)
{
    return virtualKeyCode(e, QGuiApplication::platformName());
}

int16_t virtualKeyCode(const QKeyEvent& e, QStringView platform)
{
    // A client cannot read or set NumLock on Wayland: the keypad follows the virtual NumLock.
    if (e.nativeScanCode() != 0 && platform.startsWith(QLatin1String("wayland"))) {
        if (const int16_t code = evdev::fromScanCode(static_cast<long>(e.nativeScanCode()));
            code != vk::NoKey)
            return code;
    }
#ifdef PUCKLIGHT_HAVE_X11
    if (e.nativeScanCode() != 0 && !injected && platform == QLatin1String("xcb")) {
        if (Display* d = x11Display()) {
            const auto code = static_cast<KeyCode>(e.nativeScanCode());
            const KeySym base = XkbKeycodeToKeysym(d, code, 0, 0);
            // The level-0 symbol ignores Shift; the keypad follows NumLock, which the event's
            // own symbol reflects.
            const KeySym s = isKeypadKeysym(base) && e.nativeVirtualKey() != 0
                                 ? static_cast<KeySym>(e.nativeVirtualKey())
                                 : base;
            // Layouts such as French AZERTY put the digits of the top row on its shifted
            // level; the key is still that digit, whatever Shift does.
            const KeySym shifted = XkbKeycodeToKeysym(d, code, 0, 1);
            if (!isDigitKeysym(base) && !isKeypadKeysym(base) && isDigitKeysym(shifted))
                return fromKeysym(shifted);
            if (const int16_t code16 = fromKeysym(s); code16 != vk::NoKey)
                return code16;
        }
    }
#endif
    return fromQtKey(e.key(), e.modifiers().testFlag(Qt::KeypadModifier));
}

KeyboardState& keyboardState()
{
    return injected ? *injected : platformState();
}

void setKeyboardState(KeyboardState* state)
{
    injected = state;
}

void SetNumLock(bool on)
{
    KeyboardState& k = keyboardState();
    if (k.numLockOn() != on)
        k.setNumLockState(on);
}

void ApplyNumLockMode(int32_t NumLockForce)
{
    if (NumLockForce == 1)
        SetNumLock(true);
    else if (NumLockForce == 2)
        SetNumLock(false);
}
