// SPDX-License-Identifier: GPL-3.0-or-later
#include "frmchoosekey.h"

#include "commondialogs.h"
#include "form.h"
#include "keyboard.h"
#include "keynames.h"
#include "label.h"
#include "optionsdesign.h"

#include <QKeyEvent>
#include <algorithm>

frmChooseKey::frmChooseKey(QWidget* owner, const QString& action, int16_t current,
                           const HeldKeys& held)
    : QDialog(owner, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                         Qt::WindowCloseButtonHint),
      ChooseKeyAction(action), ChooseKeyCurrent(current), heldKeys(held)
{
    setWindowTitle(tr("Choose Key"));
    client = new Form(this);
    client->setClientSize(ChooseKeyClientWidth, ChooseKeyClientHeight);
    buildControls(*client, chooseKeyDesign());
    setFixedSize(client->size());
    lblChoose = client->find<Label>(QStringLiteral("lblChoose"));
    lblUsed = client->find<Label>(QStringLiteral("lblUsed"));
    // The window itself takes the keys: none of its controls does.
    setFocusPolicy(Qt::StrongFocus);

    //: %1 is what the key does, as "sound the horn".
    lblChoose->setCaption(tr("Press the key you would like to %1.").arg(ChooseKeyAction));
    ChosenKey = QStringLiteral("0");
}

frmChooseKey::~frmChooseKey() = default;

bool frmChooseKey::refused(int16_t KeyCode) const
{
    return KeyCodeToStr(KeyCode).isEmpty() ||
           std::find(heldKeys.begin(), heldKeys.end(), KeyCode) != heldKeys.end() ||
           KeyCode == vk::F1 || KeyCode == vk::F2;
}

void frmChooseKey::KeyDown(int16_t KeyCode)
{
    if (KeyCode != ChooseKeyCurrent && refused(KeyCode)) {
        lblUsed->setVisible(true);
        commonDialogs().beep();
        return;
    }
    lblUsed->setVisible(false);
    ChosenKey = QString::number(KeyCode);
    accept();
}

bool frmChooseKey::event(QEvent* e)
{
    switch (e->type()) {
    case QEvent::ShortcutOverride:
        // No shortcut may take a key from us.
        e->accept();
        return true;
    case QEvent::KeyPress: {
        // Before the dialog's own handling: Tab must not move the focus and Escape must not
        // close the window; they are keys to assign like any other.
        auto* k = static_cast<QKeyEvent*>(e);
        keyboardState().observeKeyPress(*k);
        KeyDown(virtualKeyCode(*k));
        return true;
    }
    case QEvent::KeyRelease:
        return true;
    default:
        return QDialog::event(e);
    }
}

void frmChooseKey::showEvent(QShowEvent* e)
{
    QDialog::showEvent(e);
    setFocus(Qt::ActiveWindowFocusReason);
}
