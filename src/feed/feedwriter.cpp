#include "feedwriter.h"

#include <QDir>
#include <QSaveFile>

FeedWriter::FeedWriter(QString folder) : dir(std::move(folder)) {}

bool FeedWriter::write(const BoardState& state, const QByteArray& json)
{
    // The folder may be missing at first or removed while the program runs: make it, and
    // write every file anew.
    if (!QDir(dir).exists()) {
        written.clear();
        if (!QDir().mkpath(dir)) {
            warn(QStringLiteral("cannot create the folder"));
            return false;
        }
    }
    bool ok = true;
    ok = writeFile(QStringLiteral("state.json"), json) && ok;
    for (const auto& [name, content] : feedFiles(state))
        ok = writeFile(name, content) && ok;
    return ok;
}

bool FeedWriter::writeFile(const QString& name, const QByteArray& content)
{
    const auto it = written.constFind(name);
    if (it != written.constEnd() && *it == content)
        return true;
    // QSaveFile writes a temporary file and renames it over the old one, so a reader sees
    // either the old content or the new, never half of it.
    QSaveFile file(QDir(dir).filePath(name));
    if (!file.open(QIODevice::WriteOnly) || file.write(content) != content.size() ||
        !file.commit()) {
        warn(file.errorString());
        return false;
    }
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
