// SPDX-License-Identifier: GPL-3.0-or-later
#include "settingsbacking.h"

#include "iniformat.h"
#include "program.h"

#include <QDir>
#include <QSettings>
#include <QStandardPaths>

namespace {

const QString Organisation = QStringLiteral("Pucklight");

// Reads up to MaxFileBytes of the settings file (one byte more, to tell a large file) when it
// is a regular file, without following a link or waiting on a FIFO. False when the path is
// refused; a missing file is empty. A link is moved aside, and the path is free for a new file.
bool readSettingsFile(const QString& path, QByteArray& content)
{
    const program::OwnFile file = program::readOwnFile(path, IniSettingsBacking::MaxFileBytes + 1);
    switch (file.kind) {
    case program::OwnFile::Kind::Read:
        content = file.bytes;
        return true;
    case program::OwnFile::Kind::Missing:
        return true;
    case program::OwnFile::Kind::Link: {
        const QString aside = path + QStringLiteral(".bad");
        const bool moved = program::moveAside(path, aside);
        qWarning("pucklight: the settings file %s is a link, which is never followed; %s, and "
                 "every setting takes its default",
                 qUtf8Printable(QDir::toNativeSeparators(path)),
                 moved ? qUtf8Printable(QStringLiteral("it was moved to ") +
                                        QDir::toNativeSeparators(aside))
                       : "it could not be moved aside");
        return moved;
    }
    case program::OwnFile::Kind::NotRegular:
    case program::OwnFile::Kind::Unreadable:
        break;
    }
    return false;
}

} // namespace

IniSettingsBacking::~IniSettingsBacking()
{
    flush();
}

IniSettingsBacking::Store& IniSettingsBacking::store(const QString& app)
{
    const auto found = stores.find(app);
    if (found != stores.end())
        return found->second;
    Store& s = stores[app];
    QByteArray content;
    if (memoryFile)
        content = memoryFile->left(MaxFileBytes + 1);
    else
        s.refused = !readSettingsFile(filePath(app), content);
    // Whole lines only: a line cut in two could read as a shorter value.
    if (content.size() > MaxFileBytes)
        content.truncate(content.lastIndexOf('\n', MaxFileBytes - 1) + 1);
    s.values = ini::parse(content);
    return s;
}

QString IniSettingsBacking::get(const QString& app, const QString& section, const QString& key,
                                const QString& fallback)
{
    Store& s = store(app);
    const auto it = s.own.insert(section + QLatin1Char('/') + key).first;
    const auto value = s.values.find(*it);
    return value == s.values.end() ? fallback : value->second;
}

void IniSettingsBacking::save(const QString& app, const QString& section, const QString& key,
                              const QString& value)
{
    Store& s = store(app);
    const QString path = section + QLatin1Char('/') + key;
    s.own.insert(path);
    s.values[path] = value;
    s.unwritten = true;
}

void IniSettingsBacking::own(const QString& app, const QStringList& keys)
{
    store(app).own.insert(keys.begin(), keys.end());
}

bool IniSettingsBacking::write(const QString& app, const QByteArray& bytes)
{
    if (memoryFile) {
        *memoryFile = bytes;
        return true;
    }
    return program::replaceFile(filePath(app), bytes);
}

bool IniSettingsBacking::flush()
{
    bool ok = true;
    for (auto& [app, s] : stores) {
        if (!s.unwritten)
            continue;
        if (s.refused) { // never written
            ok = false;
            continue;
        }
        // What the file will hold; anything else the store read is not the program's.
        const std::set<QString>& own = s.own;
        std::erase_if(s.values, [&own](const auto& entry) { return !own.count(entry.first); });
        s.unwritten = !write(app, ini::write(s.values));
        ok = ok && !s.unwritten;
    }
    return ok;
}

QString IniSettingsBacking::filePath(const QString& app)
{
#if defined(Q_OS_UNIX) && !defined(Q_OS_DARWIN) && !defined(Q_OS_ANDROID)
    // Where Qt's settings put the file of the user scope. It is worked out here because
    // asking a QSettings for it opens the file, which must not happen before it is looked at.
    return QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation) +
           QLatin1Char('/') + Organisation + QLatin1Char('/') + app + QStringLiteral(".ini");
#else
    return QSettings(QSettings::IniFormat, QSettings::UserScope, Organisation, app).fileName();
#endif
}

QString MemorySettingsBacking::get(const QString&, const QString& section, const QString& key,
                                   const QString& fallback)
{
    const auto it = values.find(section + QLatin1Char('/') + key);
    return it == values.end() ? fallback : it->second;
}

void MemorySettingsBacking::save(const QString&, const QString& section, const QString& key,
                                 const QString& value)
{
    values[section + QLatin1Char('/') + key] = value;
}

bool MemorySettingsBacking::contains(const QString& section, const QString& key) const
{
    return values.count(section + QLatin1Char('/') + key) != 0;
}

QString MemorySettingsBacking::value(const QString& section, const QString& key) const
{
    const auto it = values.find(section + QLatin1Char('/') + key);
    return it == values.end() ? QString() : it->second;
}

namespace {
SettingsBacking* current = nullptr;
}

SettingsBacking& settingsBacking()
{
    static IniSettingsBacking real;
    return current ? *current : real;
}

void setSettingsBacking(SettingsBacking* backing)
{
    current = backing;
}
