// SPDX-License-Identifier: GPL-3.0-or-later
#include "feedwriter.h"

#include <QDir>
#include <QTemporaryFile>
#include <filesystem>
#include <system_error>

FeedWriter::FeedWriter(QString folder, int retryMs) : dir(std::move(folder))
{
    retry.setSingleShot(true);
    retry.setInterval(retryMs);
    QObject::connect(&retry, &QTimer::timeout, &retry, [this] { update(); });
}

bool FeedWriter::write(const BoardState& state, const QByteArray& json, const QByteArray& events)
{
    wanted = feedFiles(state);
    if (!events.isEmpty())
        wanted.insert(wanted.begin(), {QStringLiteral("events.json"), events});
    wanted.insert(wanted.begin(), {QStringLiteral("state.json"), json});
    return update();
}

bool FeedWriter::update()
{
    bool ok = true;
    // The folder may be missing at first or removed while the program runs: make it, and
    // write every file anew.
    if (!QDir(dir).exists()) {
        written.clear();
        if (!QDir().mkpath(dir)) {
            warn(QStringLiteral("cannot create the folder"));
            ok = false;
        }
    }
    if (ok) {
        // One file that cannot be written does not keep the others back.
        for (const auto& [name, content] : wanted)
            ok = writeFile(name, content) && ok;
    }
    if (!ok) {
        if (!retry.isActive())
            retry.start();
    } else if (warned) {
        warned = false;
        qInfo("pucklight: the feed is written to %s again",
              qUtf8Printable(QDir::toNativeSeparators(dir)));
    }
    return ok;
}

bool FeedWriter::writeFile(const QString& name, const QByteArray& content)
{
    const auto it = written.constFind(name);
    if (it != written.constEnd() && *it == content)
        return true;
    // The new content goes to a file of its own beside the old one, which it replaces once it
    // is completely written: a reader sees either the old content or the new, never half of it,
    // and a failed write leaves the old file as it was. The new name is made, never opened
    // through a link, and renaming over a link replaces the link.
    QTemporaryFile file(QDir(dir).filePath(QLatin1Char('.') + name + QStringLiteral(".XXXXXX")));
    if (!file.open()) {
        warn(file.errorString());
        return false;
    }
    file.setPermissions(QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ReadUser |
                        QFileDevice::WriteUser | QFileDevice::ReadGroup | QFileDevice::ReadOther);
    // Every byte has to reach the file: a full disk shows as a short write or a failed flush.
    if (file.write(content) != content.size() || !file.flush()) {
        warn(file.errorString());
        return false; // the new file goes with `file`
    }
    file.close();
    std::error_code error;
    std::filesystem::rename(file.fileName().toStdU16String(),
                            QDir(dir).filePath(name).toStdU16String(), error);
    if (error) {
        warn(QString::fromStdString(error.message()));
        return false;
    }
    file.setAutoRemove(false);
    written.insert(name, content);
    ++writes;
    return true;
}

void FeedWriter::warn(const QString& what)
{
    if (warned)
        return;
    warned = true;
    qWarning("pucklight: cannot write the feed to %s: %s",
             qUtf8Printable(QDir::toNativeSeparators(dir)), qUtf8Printable(what));
}
