// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "gamejson.h"

#include <QJsonObject>
#include <QObject>
#include <QString>
#include <QTimer>
#include <condition_variable>
#include <memory>
#include <mutex>
#include <optional>
#include <thread>

class FolderLock;

// The game file, which keeps the game between runs so that a crash, a power cut or a closed
// window loses nothing: $XDG_STATE_HOME/Pucklight/game.json (~/.local/state/Pucklight/).
//
// A followed game is written at once after every change the operator makes, and at most once
// a second while only time passes on running clocks; nothing is written while nothing
// changes. Each write replaces the file whole (written, synced to disk, renamed into place)
// on a thread of its own, so a slow disk never holds up the board. A write that fails keeps
// the last good file, warns once on the terminal and is tried again with the next change.
// While a board runs it holds game.lock beside the file, so that a second board on the same
// folder leaves the first one's game alone.
class GameFile : public QObject
{
    Q_OBJECT
    Q_DISABLE_COPY(GameFile)
public:
    // Files larger than this are not a game file the program wrote (a full record is about
    // 3 MB).
    static constexpr qint64 MaxFileBytes = 8 * 1024 * 1024;
    static constexpr int64_t TimeOnlyWriteMs = 1000;

    explicit GameFile(QString path = defaultPath(), QObject* parent = nullptr);
    // Writes what is still held back and waits for the writer.
    ~GameFile() override;

    static QString defaultPath();
    const QString& path() const { return filePath; }

    // Claims the folder of the file for this board before anything in it is read or written:
    // a lock file beside the game file names the board while it runs (a stale one is taken
    // over). False when another running board holds the folder, owner() says which; this
    // object then reads, moves and writes nothing, and the board runs without saving. A
    // folder that cannot hold a lock does not stop the saving.
    bool claim();
    const QString& owner() const { return ownerText; }

    QString previousPath() const; // game-previous.json beside the file
    QString badPath() const;      // game.json.bad

    // The saved game, or nothing when there is none. A file that cannot be read as a game
    // (junk, cut short, another format, values out of range, not a regular file) is moved
    // aside to badPath(), with one line on the terminal; so is a link, which is never
    // followed, for reading or for writing.
    std::optional<gamejson::Loaded> load();
    // Whether a saved game holds anything a new board does not (the selection aside).
    static bool differsFromNewBoard(const gamejson::Loaded& saved);
    // A new game instead of the saved one: the file moves aside to previousPath().
    void setAside();

    // Writes the game as it changes from now on, starting with its present state.
    void follow(const Game* game);
    // Where its board is shown, written with the game from now on (at once when followed).
    void setBoardPlacement(const gamejson::BoardPlacement& placement);
    void gameChanged(const Game& game);

    // For tests: waits until everything handed to the writer is on disk (or failed), and
    // tells whether the latest write succeeded.
    bool waitUntilWritten();
    int writeCount() const;

private:
    void hand(const QJsonObject& json, QJsonObject steady);
    static QJsonObject contentOf(QJsonObject json);
    void writeHeldBack();
    void writerLoop();
    bool writeFile(const QByteArray& bytes, QString& error);

    QString filePath;
    std::unique_ptr<FolderLock> folderLock;
    bool otherBoard = false;
    QString ownerText;
    const Game* followed = nullptr;
    std::optional<gamejson::BoardPlacement> placement;
    std::optional<GameState> lastSeen;
    int64_t lastSeenEvent = 0;
    QJsonObject handedContent; // the latest state handed to the writer, without its time
    QJsonObject handedSteady;  // and its steady part
    bool handedAny = false;
    int64_t handedAtMs = 0;
    std::optional<QJsonObject> heldBack; // a state that differs only by time passed
    QTimer heldBackTimer;

    // Shared with the writer thread.
    mutable std::mutex mutex;
    std::condition_variable wake;
    std::condition_variable idle;
    std::optional<QJsonObject> pending; // made into text on the writer's thread
    bool writing = false;
    bool stopping = false;
    bool lastWriteOk = true;
    bool warned = false;
    int writes = 0;
    std::thread writer;
};
