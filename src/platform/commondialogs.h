// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QColor>
#include <QString>
#include <optional>

class QWidget;

// A question with two answers. Enter gives the default answer, Escape the other; a letter
// marked with & in an answer's text gives that answer.
struct Question
{
    QString title;
    QString text;
    QString details; // a second paragraph, or empty
    QString yes;
    QString no;
    bool yesIsDefault = true;
};

// The platform's colour picker, file-open dialog, questions and beep, behind one interface
// that tests replace with scripted answers.
class CommonDialogs
{
public:
    virtual ~CommonDialogs() = default;
    // The chosen colour, or nothing when the picker was cancelled.
    virtual std::optional<QColor> chooseColor(QWidget* parent) = 0;
    // `filter` pairs descriptions and patterns with "|", as "Sounds *.wav|*.wav". Returns the
    // chosen path, or the empty text when no file was chosen.
    virtual QString openFile(QWidget* parent, const QString& filter, bool mustExist) = 0;
    // A question with the question icon and the buttons Yes and No; true for Yes.
    virtual bool askYesNo(QWidget* parent, const QString& title, const QString& text) = 0;
    // True for the answer `yes`.
    virtual bool ask(QWidget* parent, const Question& question) = 0;
    // A message with the warning icon and an OK button; `details` is a second paragraph.
    virtual void tell(QWidget* parent, const QString& title, const QString& text,
                      const QString& details) = 0;
    virtual void beep() = 0;
};

CommonDialogs& commonDialogs();
void setCommonDialogs(CommonDialogs* dialogs); // null restores the platform's

// "Sounds *.wav|*.wav" in the form Qt's file dialogs take, which show each pattern list once
// after its description: "Sounds (*.wav)".
QString toQtFileFilter(const QString& filter);
