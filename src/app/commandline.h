// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "brokeroptions.h"
#include "liveserver.h"

#include <QString>
#include <QStringList>
#include <optional>

class QTextStream;
class QWidget;

// What the command line asks of the board: which monitor, whether full screen, and the live
// output for streaming tools. Every key keeps its meaning; these exist only here.
struct LaunchOptions
{

    int screen = -1; // -1: where the window manager puts it
    bool fullScreen = false;
    bool console = false; // --console: the operator's console opens with the board
    QString feedFolder;   // --feed: empty for none
    int servePort = -1;   // --serve: -1 for none
    QString serveAddress = QStringLiteral("127.0.0.1"); // --serve-address
    QString gameSheet; // --game-sheet: the sheet to write instead of opening the board
    QString gameFile;  // --game: the game to write it from; empty for the saved game
    int maxViewers = LiveServer::DefaultMaxViewers; // --max-viewers
    bool remoteControl = false; // --remote-control: the server takes commands with the token
    bool printToken = false;    // --remote-token: print the remote token and exit
    bool newToken = false;      // --new-remote-token: replace it, print the new one and exit
    BrokerOptions mqtt;         // --mqtt and its companions
    bool showHelp = false;
    bool showVersion = false;
    QString error; // non-empty when the command line could not be understood
};

// Reads the options; the first argument is the program. A value option given twice is an
// error rather than the last one winning, and a port is plain decimal digits.
LaunchOptions parseCommandLine(const QStringList& arguments);
QString commandLineHelp();

// What the program prints instead of opening the board: its version, its help (with
// `monitors`, one line each), the remote token (made first if there is none, or new with
// --new-remote-token; `tokenFile` empty for the user's own), or an error and the usage.
// Returns the exit code: 0, 1 for a token file that cannot be used, or 2 for a command line
// that could not be understood; nothing when the board is to open.
std::optional<int> answerCommandLine(const LaunchOptions& options, QTextStream& out,
                                     QTextStream& err, const QString& monitors,
                                     const QString& tokenFile = QString());

// The options the program was started with.
LaunchOptions& launchOptions();

// Shows the board on the chosen monitor, full screen if asked, or at its design size, and
// gives it the keyboard.
void presentBoard(QWidget* board);
// The screen the board goes on: the one --screen names, or null for where the window manager
// puts it.
class QScreen;
QScreen* boardScreen();
