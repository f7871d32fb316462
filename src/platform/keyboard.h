// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "keycodes.h"

#include <QStringView>

#include <cstdint>

class QKeyEvent;

// The key code of a key event. Shift, Ctrl and Alt play no part: Shift+1 is 49 and
// Shift+= is 187. Keypad keys give the keypad codes while NumLock is on and the
// navigation codes (End, Down, Delete...) while it is off. Unknown keys give 0.
// The digit row and the keypad are known by their place on the keyboard where the platform
// tells it (X11, Wayland), so that the top row of any layout (AZERTY: & é " ...) gives its
// digits.
int16_t virtualKeyCode(const QKeyEvent& e);
// The same for an event of the named Qt platform ("xcb", "wayland", "offscreen"...).
int16_t virtualKeyCode(const QKeyEvent& e, QStringView platform);

// The keyboard's NumLock state. On X11 this is the real NumLock; elsewhere (Wayland, the
// offscreen platform) a client cannot set it, so a virtual NumLock decides what the keypad
// yields instead.
class KeyboardState
{
public:
    virtual ~KeyboardState() = default;
    virtual bool numLockOn() = 0;
    virtual void setNumLockState(bool on) = 0;
    // Shown every key press the program handles, once each; a virtual NumLock follows the
    // NumLock key from here.
    virtual void observeKeyPress(const QKeyEvent&) {}
};

KeyboardState& keyboardState();
void setKeyboardState(KeyboardState* state); // null restores the platform's own

// Brings NumLock on or off if it is not there already.
void SetNumLock(bool on);

// Applies the NumLock mode of the settings: 1 keeps NumLock on, 2 keeps it off, anything
// else leaves it to the operator.
void ApplyNumLockMode(int32_t NumLockForce);
