// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QApplication>
#include <QTimer>
#include <QWidget>
#include <functional>

// Acts on the modal window that the next call opens, once its event loop runs. `seen` tells
// whether one was there to act on.
inline void onNextModal(std::function<void(QWidget*)> act, bool* seen = nullptr)
{
    QTimer::singleShot(0, [act = std::move(act), seen] {
        QWidget* w = QApplication::activeModalWidget();
        if (seen)
            *seen = w != nullptr;
        if (w)
            act(w);
    });
}
