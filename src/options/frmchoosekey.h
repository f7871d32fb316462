// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QDialog>
#include <QString>
#include <cstdint>
#include <vector>

class Form;
class Label;

// Asks for the key of one board command. It takes every key press itself, Tab, the arrows
// and Escape included, refuses keys that cannot be assigned and leaves the accepted key in
// ChosenKey ("0" when the window was closed without one).
class frmChooseKey : public QDialog
{
    Q_OBJECT
public:
    // The keys the options dialog's working copy assigns to its commands.
    using HeldKeys = std::vector<int16_t>;

    frmChooseKey(QWidget* owner, const QString& action, int16_t current, const HeldKeys& held);
    ~frmChooseKey() override;

    // The answer as decimal digits: the key taken, "0" when none was.
    const QString& chosenKey() const { return ChosenKey; }

    // One key press: the key the command holds already is taken back as it is; any other
    // key is taken when it has a name, no command holds it and it is not F1 or F2.
    void KeyDown(int16_t KeyCode);

    const Form& form() const { return *client; }
    // The question and the line that tells a key is taken.
    const Label* choosePrompt() const { return lblChoose; }
    const Label* usedNote() const { return lblUsed; }

protected:
    bool event(QEvent* e) override;
    void showEvent(QShowEvent* e) override;

private:
    bool refused(int16_t KeyCode) const;

    Form* client = nullptr;
    Label* lblChoose = nullptr;
    Label* lblUsed = nullptr;
    // The command's phrase, the key it holds now, and the answer.
    QString ChooseKeyAction;
    int16_t ChooseKeyCurrent = 0;
    QString ChosenKey = QStringLiteral("0");
    HeldKeys heldKeys{};
};
