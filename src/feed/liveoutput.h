// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "boardsampler.h"
#include "liveserver.h"

#include <QObject>
#include <QString>
#include <memory>

class FeedWriter;
class FolderLock;
class LiveServer;
class Game;

// The game's live output for streaming tools, as the command line asks for it: a folder of
// files (--feed) and an HTTP and WebSocket server (--serve). It lives as long as the game.
// Problems are reported once on stderr and never stop the board. A folder or a port that
// another board already uses is left to it, with one line on stderr; a folder whose lock no
// running board holds is taken over, with one line as well.
class LiveOutput : public QObject
{
    Q_OBJECT
    Q_DISABLE_COPY(LiveOutput)
public:
    struct Options
    {
        QString feedFolder; // empty: no files
        int port = -1;      // -1: no server; 0: any free port
        QString address = QStringLiteral("127.0.0.1");
        int maxViewers = LiveServer::DefaultMaxViewers; // WebSocket viewers at one time
        bool wanted() const { return !feedFolder.isEmpty() || port >= 0; }
    };

    LiveOutput(Game* game, const Options& options);
    ~LiveOutput() override;

    // Starts what the options ask for on the game; null when they ask for nothing.
    static LiveOutput* start(Game* game, const Options& options);

    BoardSampler sampler;
    std::unique_ptr<FolderLock> feedLock; // held while this board writes the feed folder
    std::unique_ptr<FeedWriter> feed;     // null when another board writes the folder
    std::unique_ptr<LiveServer> server;

private:
    void update();
};
