// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QObject>

#include "liveoutput.h"

class BrokerRunner;
class ConsoleStatus;
class RemoteControl;
class frmConsole;
class frmScoreBoard;

// The operator's console as the application runs it: one at most, beside the board, on the
// primary screen. F4 on the board opens and closes it; F4 in it closes it. Its F1 opens the
// help window and leaves the keyboard with the console, its F2 the options dialog, its F3 the
// waiting penalties.
namespace consolewindow {

// The status rows the console shows, filled by the parts that run (sound, feed, server, the
// game file, and the remote control and the broker where they run).
ConsoleStatus& status();

// Fills the feed's and the server's status rows from the live output (null: none asked for),
// the viewers counted once a second.
void watchLiveOutput(LiveOutput* output, const LiveOutput::Options& asked);

// Fills the broker's status row from the runner's client as it connects, publishes or loses
// the broker, and from the runner as the options change the broker: hidden with none, the
// reason with one that cannot be used.
void watchBroker(BrokerRunner* runner);

// Where the server answers: "http://127.0.0.1:8080", "http://[::1]:8080". A server on every
// address (0.0.0.0 or ::) is given by one of this computer's that its network can reach.
QString serverOrigin(const QString& address, int port);

// Fills the remote control's status row: hidden while it is off, else the control page's
// address at `origin`, with a QR code of it and the token; the token file's error when it
// cannot be used. The row follows the setting once a second.
void showRemote(const RemoteControl* remote, const QString& origin);

// The console of this board: opened (and given the keyboard), or closed.
frmConsole* open(frmScoreBoard* board);
void close();
void toggle(frmScoreBoard* board);
// The open console, or null.
frmConsole* current();

// Tells when the console opens or closes.
class Notifier : public QObject
{
    Q_OBJECT
public:
    using QObject::QObject;
Q_SIGNALS:
    void shownChanged(bool shown);
};
Notifier& notifier();

} // namespace consolewindow
