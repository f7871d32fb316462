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

// Keys as Qt reports them, for platforms without native key information.
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
    switch (key) {
    // Shifted digits and signs of a US keyboard, since Shift plays no part.
    case Qt::Key_ParenRight:
        return vk::Key0;
    case Qt::Key_Exclam:
        return vk::Key0 + 1;
    case Qt::Key_At:
        return vk::Key0 + 2;
    case Qt::Key_NumberSign:
        return vk::Key0 + 3;
    case Qt::Key_Dollar:
        return vk::Key0 + 4;
    case Qt::Key_Percent:
        return vk::Key0 + 5;
    case Qt::Key_AsciiCircum:
        return vk::Key0 + 6;
    case Qt::Key_Ampersand:
        return vk::Key0 + 7;
    case Qt::Key_Asterisk:
        return vk::Key0 + 8;
    case Qt::Key_ParenLeft:
        return vk::Key0 + 9;
    case Qt::Key_Equal:
    case Qt::Key_Plus:
        return vk::Plus;
    case Qt::Key_Minus:
    case Qt::Key_Underscore:
        return vk::Minus;
    case Qt::Key_Period:
    case Qt::Key_Greater:
        return vk::Period;
    case Qt::Key_Comma:
    case Qt::Key_Less:
        return vk::Comma;
    case Qt::Key_Semicolon:
    case Qt::Key_Colon:
        return vk::Semicolon;
    case Qt::Key_Slash:
    case Qt::Key_Question:
        return vk::Slash;
    case Qt::Key_QuoteLeft:
    case Qt::Key_AsciiTilde:
        return vk::Grave;
    case Qt::Key_BracketLeft:
    case Qt::Key_BraceLeft:
        return vk::BracketLeft;
    case Qt::Key_Backslash:
    case Qt::Key_Bar:
        return vk::Backslash;
    case Qt::Key_BracketRight:
    case Qt::Key_BraceRight:
        return vk::BracketRight;
    case Qt::Key_Apostrophe:
    case Qt::Key_QuoteDbl:
        return vk::Quote;
    case Qt::Key_Space:
        return vk::Space;
    case Qt::Key_Return:
    case Qt::Key_Enter:
        return vk::Enter;
    case Qt::Key_Escape:
        return vk::Escape;
    case Qt::Key_Tab:
    case Qt::Key_Backtab:
        return vk::Tab;
    case Qt::Key_Backspace:
        return vk::Backspace;
    case Qt::Key_Delete:
        return vk::Delete;
    case Qt::Key_Insert:
        return vk::Insert;
    case Qt::Key_Home:
        return vk::Home;
    case Qt::Key_End:
        return vk::End;
    case Qt::Key_PageUp:
        return vk::PageUp;
    case Qt::Key_PageDown:
        return vk::PageDown;
    case Qt::Key_Left:
        return vk::Left;
    case Qt::Key_Up:
        return vk::Up;
    case Qt::Key_Right:
        return vk::Right;
    case Qt::Key_Down:
        return vk::Down;
    case Qt::Key_Clear:
        return vk::Clear;
    case Qt::Key_Pause:
        return vk::Pause;
    case Qt::Key_CapsLock:
        return vk::CapsLock;
    case Qt::Key_NumLock:
        return vk::NumLock;
    case Qt::Key_ScrollLock:
        return vk::ScrollLock;
    case Qt::Key_Shift:
        return vk::Shift;
    case Qt::Key_Control:
        return vk::Ctrl;
    case Qt::Key_Alt:
    case Qt::Key_AltGr:
        return vk::Alt;
    default:
        return vk::NoKey;
    }
}

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
    switch (s) {
    case XK_KP_Multiply:
        return vk::Multiply;
    case XK_KP_Add:
        return vk::Add;
    case XK_KP_Subtract:
        return vk::Subtract;
    case XK_KP_Decimal:
    case XK_KP_Separator:
        return vk::Decimal;
    case XK_KP_Divide:
        return vk::Divide;
    case XK_KP_Enter:
    case XK_Return:
        return vk::Enter;
    case XK_KP_Home:
    case XK_Home:
        return vk::Home;
    case XK_KP_Left:
    case XK_Left:
        return vk::Left;
    case XK_KP_Up:
    case XK_Up:
        return vk::Up;
    case XK_KP_Right:
    case XK_Right:
        return vk::Right;
    case XK_KP_Down:
    case XK_Down:
        return vk::Down;
    case XK_KP_Prior:
    case XK_Prior:
        return vk::PageUp;
    case XK_KP_Next:
    case XK_Next:
        return vk::PageDown;
    case XK_KP_End:
    case XK_End:
        return vk::End;
    case XK_KP_Begin:
    case XK_Clear:
        return vk::Clear;
    case XK_KP_Insert:
    case XK_Insert:
        return vk::Insert;
    case XK_KP_Delete:
    case XK_Delete:
        return vk::Delete;
    case XK_space:
    case XK_KP_Space:
        return vk::Space;
    case XK_BackSpace:
        return vk::Backspace;
    case XK_Tab:
    case XK_ISO_Left_Tab:
        return vk::Tab;
    case XK_Pause:
        return vk::Pause;
    case XK_Escape:
        return vk::Escape;
    case XK_Num_Lock:
        return vk::NumLock;
    case XK_Scroll_Lock:
        return vk::ScrollLock;
    case XK_Caps_Lock:
        return vk::CapsLock;
    case XK_Shift_L:
    case XK_Shift_R:
        return vk::Shift;
    case XK_Control_L:
    case XK_Control_R:
        return vk::Ctrl;
    case XK_Alt_L:
    case XK_Alt_R:
    case XK_ISO_Level3_Shift:
        return vk::Alt;
    case XK_semicolon:
        return vk::Semicolon;
    case XK_equal:
    case XK_plus:
        return vk::Plus;
    case XK_comma:
        return vk::Comma;
    case XK_minus:
        return vk::Minus;
    case XK_period:
        return vk::Period;
    case XK_slash:
        return vk::Slash;
    case XK_grave:
        return vk::Grave;
    case XK_bracketleft:
        return vk::BracketLeft;
    case XK_backslash:
        return vk::Backslash;
    case XK_bracketright:
        return vk::BracketRight;
    case XK_apostrophe:
        return vk::Quote;
    default:
        return vk::NoKey;
    }
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
#ifdef PUCKLIGHT_HAVE_X11
    if (e.nativeScanCode() != 0 && !injected) {
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

void SetNumLock(int16_t Want)
{
    KeyboardState& k = keyboardState();
    const bool want = Want != 0;
    if (k.numLockOn() != want)
        k.setNumLockState(want);
}

void ApplyNumLockMode(int32_t NumLockForce)
{
    if (NumLockForce == 1)
        SetNumLock(-1);
    else if (NumLockForce == 2)
        SetNumLock(0);
}
