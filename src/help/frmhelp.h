// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "form.h"

#include <cstdint>
#include <memory>

class QScreen;
class QTextBrowser;
class WidgetControl;

// The help window: the operator's manual, read from the RTF file beside the program, in a
// read-only rich-text box that follows the window's size. One window at most is open; it
// does not block the window that asked for it and does not keep the program running.
class frmHelp : public Form
{
    Q_OBJECT
    Q_DISABLE_COPY(frmHelp)
public:
    static constexpr auto FileName = "pucklighthelpfile.rtf";
    static QString missingFileMessage();

    // Shows the help window. The first request creates it, which loads the manual, and opens
    // it centred on the screen of `opener` (the primary screen for null); later requests
    // bring the open window forward as it is. Closing the window destroys it. Without
    // `activate` the window shows without taking the keyboard: the opener keeps it.
    static frmHelp* showHelp(QWidget* opener = nullptr, bool activate = true);
    // The open help window, or null.
    static frmHelp* current();
    // How often the manual has been loaded in this process.
    static int loadCount();

    QTextBrowser* rtbHelp() const { return box; }

Q_SIGNALS:
    // A key the help window has no use for, as a key code: an operator reading the manual
    // can still run the board's command keys. The window keeps what it reads with (arrows,
    // Page Up and Down, Home, End, Tab, Space) and every combination with Ctrl, Alt or Meta;
    // Escape closes it.
    void keyForBoard(int16_t KeyCode);

protected:
    void resizeEvent(QResizeEvent* e) override;
    void keyPressEvent(QKeyEvent* e) override;

private:
    frmHelp();
    ~frmHelp() override;
    void load();
    void fitBox();
    void centreOn(const QScreen* screen);

    QTextBrowser* box = nullptr;
    std::unique_ptr<WidgetControl> boxControl;
};
