#pragma once

#include "boardstate.h"

#include <QByteArray>
#include <QHash>
#include <QString>

// Keeps a folder of files that streaming tools read: state.json and one text file per item.
// Each file is replaced atomically, and only when its content changes. A folder that cannot
// be written is a quiet failure: one warning, and the board is never held up.
class FeedWriter
{
public:
    explicit FeedWriter(QString folder);

    // Brings the files up to date with the state; returns false if any could not be written
    // (the next call tries those again).
    bool write(const BoardState& state, const QByteArray& json);

    const QString& folder() const { return dir; }
    // Files written so far, for tests and diagnostics.
    int writeCount() const { return writes; }

private:
    bool writeFile(const QString& name, const QByteArray& content);
    void warn(const QString& what);

    QString dir;
    QHash<QString, QByteArray> written;
    int writes = 0;
    bool warned = false;
};
