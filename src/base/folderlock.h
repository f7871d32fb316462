// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>
#include <memory>

class QLockFile;

// One board per folder: a lock file in the folder names the board that uses it (its process,
// program, computer and boot, the lines a QLockFile writes) and is held while that board runs.
//
// The lock belongs to a board that can be shown alive: one that holds the file's kernel lock
// (flock, which the kernel lets go when the process ends however it ends), or one that the
// file names on this computer, since its last start, whose process still runs this program.
// Anything else is stale and is taken over with one line on the terminal: an empty or
// damaged file, another computer's, a process that has ended, and whatever is not a regular
// file (a link, never followed, or a FIFO, never opened to wait). Nothing ever waits.
class FolderLock
{
public:
    enum class State {
        Unlocked,    // not tried yet, or given back
        Held,        // this board holds the folder
        InUse,       // another board holds it: owner() says which
        Unavailable, // no lock can be made there (no folder, no rights): error() says why
    };

    // The lock file `fileName` in `folder`; the folder is made when it is missing.
    FolderLock(const QString& folder, const QString& fileName);
    ~FolderLock(); // gives the lock back
    FolderLock(const FolderLock&) = delete;
    FolderLock& operator=(const FolderLock&) = delete;

    // Tries once, at once. True when this board holds the folder now.
    bool tryLock();
    void unlock();

    State state() const { return current; }
    const QString& path() const { return lockPath; }
    // The board that holds the folder, as "process 1234" or "process 1234 on rink-pc".
    const QString& owner() const { return ownerText; }
    const QString& error() const { return errorText; }

    // The text a lock file holds for this process.
    static QByteArray contents();

private:
    QString lockPath;
    State current = State::Unlocked;
    QString ownerText;
    QString errorText;
    int fd = -1;                       // the open lock file, while held
    std::unique_ptr<QLockFile> qtLock; // where there is no flock(): Qt's lock file instead
};
