#pragma once

#include <QString>
#include <QStringList>

class QWidget;

// What the command line asks of the board: which monitor, whether full screen, and the live
// output for streaming tools. Every key keeps its meaning; these exist only here.
struct LaunchOptions
{
    int screen = -1; // -1: where the window manager puts it
    bool fullScreen = false;
    QString feedFolder;                                 // --feed: empty for none
    int servePort = -1;                                 // --serve: -1 for none
    QString serveAddress = QStringLiteral("127.0.0.1"); // --serve-address
    bool showHelp = false;
    QString error; // non-empty when the command line could not be understood
};

LaunchOptions parseCommandLine(const QStringList& arguments);
QString commandLineHelp();

// The options the program was started with.
LaunchOptions& launchOptions();

// Shows the board on the chosen monitor, full screen if asked, or at its design size.
void presentBoard(QWidget* board);
