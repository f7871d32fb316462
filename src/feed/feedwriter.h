// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "boardstate.h"

#include <QByteArray>
#include <QHash>
#include <QString>
#include <QTimer>
#include <utility>
#include <vector>

// Keeps a folder of files that streaming tools read: state.json, events.json (the game
// record) and one text file per item.
// Each file is replaced only by a complete new one, and only when its content changes; a link
// in the folder is replaced, never written through. A folder that cannot be written (or a
// full disk) is a quiet failure: one warning, the old files stay as they were, the board is
// never held up, and the files are written again, all of them, as soon as they can be.
class FeedWriter
{
public:
    static constexpr int DefaultRetryMs = 1000;

    // Files that could not be written are tried again after `retryMs`, and with each write().
    explicit FeedWriter(QString folder, int retryMs = DefaultRetryMs);

    // Brings the files up to date with the state and the record (events.json, when given);
    // returns false if any could not be written.
    bool write(const BoardState& state, const QByteArray& json, const QByteArray& events = {});

    const QString& folder() const { return dir; }
    // Files written so far, for tests and diagnostics.
    int writeCount() const { return writes; }

private:
    bool update();
    bool writeFile(const QString& name, const QByteArray& content);
    void warn(const QString& what);

    QString dir;
    std::vector<std::pair<QString, QByteArray>> wanted; // what the files are to hold
    QHash<QString, QByteArray> written;                 // what they hold
    QTimer retry;
    int writes = 0;
    bool warned = false;
};
