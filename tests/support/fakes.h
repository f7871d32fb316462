// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "commondialogs.h"
#include "fakestore.h"
#include "faketime.h"
#include "keyboard.h"

#include <QStringList>
#include <deque>

// Stand-ins for the outside world, installed for the lifetime of the object.

struct FakeKeyboard : KeyboardState
{
    bool on = true;
    int toggles = 0;
    FakeKeyboard() { setKeyboardState(this); }
    ~FakeKeyboard() override { setKeyboardState(nullptr); }
    bool numLockOn() override { return on; }
    void setNumLockState(bool state) override
    {
        if (state != on)
            ++toggles;
        on = state;
    }
};

// Answers the dialogs from scripts; an empty script answers "cancelled" / "No".
struct FakeDialogs : CommonDialogs
{
    std::deque<std::optional<QColor>> colors;
    std::deque<QString> files;
    std::deque<bool> answers;
    QStringList asked; // titles of the questions asked
    QStringList told;  // titles of the messages shown
    QStringList filters;
    int beeps = 0;

    FakeDialogs() { setCommonDialogs(this); }
    ~FakeDialogs() override { setCommonDialogs(nullptr); }

    std::optional<QColor> chooseColor(QWidget*) override
    {
        if (colors.empty())
            return std::nullopt;
        auto c = colors.front();
        colors.pop_front();
        return c;
    }
    QString openFile(QWidget*, const QString& filter, bool) override
    {
        filters << filter;
        if (files.empty())
            return QString();
        QString f = files.front();
        files.pop_front();
        return f;
    }
    bool askYesNo(QWidget*, const QString& title, const QString&) override
    {
        asked << title;
        if (answers.empty())
            return false;
        bool a = answers.front();
        answers.pop_front();
        return a;
    }
    bool ask(QWidget* parent, const Question& q) override
    {
        return askYesNo(parent, q.title, q.text);
    }
    void tell(QWidget*, const QString& title, const QString&, const QString&) override
    {
        told << title;
    }
    void beep() override { ++beeps; }
};
