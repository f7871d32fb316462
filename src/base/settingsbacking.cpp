#include "settingsbacking.h"

#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>
#include <QSettings>
#include <QStandardPaths>
#include <QStringList>
#include <QTemporaryDir>
#include <cstdlib>
#include <filesystem>
#include <string>

#ifdef Q_OS_UNIX
#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#endif

namespace {

const QString Organisation = QStringLiteral("Pucklight");

// A stored value as text. A hand-edited value with unquoted commas reads back as a list.
QString asText(const QVariant& v)
{
    if (v.typeId() == QMetaType::QStringList)
        return v.toStringList().join(QStringLiteral(", "));
    return v.toString();
}

// Where fileHolds() reads a copy of a settings file: one path for the whole process. Qt keeps
// what it read of every settings file, path by path, for as long as the process runs; a new
// path for every check would make that grow without end.
QString checkCopyPath()
{
    static std::string folder; // removed at exit without Qt, whose statics may be gone by then
    static const QString path = [] {
        QTemporaryDir dir;
        if (!dir.isValid())
            return QString();
        dir.setAutoRemove(false);
        folder = QFile::encodeName(dir.path()).toStdString();
        std::atexit([] {
            std::error_code ignored;
            std::filesystem::remove_all(folder, ignored);
        });
        return dir.filePath(QStringLiteral("check.ini"));
    }();
    return path;
}

// Whether the file on disk holds these values. It is read from a copy: every QSettings on the
// same file shares one copy of it in memory, unwritten changes included. Qt reads a file again
// only when its size or time has changed, so every copy gets a later time than the one before.
bool fileHolds(const QString& path, const std::map<QString, QString>& values)
{
    static qint64 stamp = 0;
    QFile file(path);
    const QString copyPath = checkCopyPath();
    if (copyPath.isEmpty() || !file.open(QIODevice::ReadOnly))
        return false;
    QFile copy(copyPath);
    if (!copy.open(QIODevice::WriteOnly | QIODevice::Truncate) || copy.write(file.readAll()) < 0 ||
        !copy.setFileTime(QDateTime::fromSecsSinceEpoch(++stamp, Qt::UTC),
                          QFileDevice::FileModificationTime))
        return false;
    copy.close();
    const QSettings check(copyPath, QSettings::IniFormat);
    for (const auto& [key, value] : values) {
        if (asText(check.value(key)) != value)
            return false;
    }
    return true;
}

enum class FileState : uint8_t { Missing, Small, Large, Refused };

// Looks at the settings file without waiting on it, and reads up to MaxFileBytes of it (one
// byte more, to tell a large file) when it is a regular file.
FileState readSettingsFile(const QString& path, QByteArray& content)
{
    QFile file;
#ifdef Q_OS_UNIX
    // Without O_NONBLOCK, opening a FIFO waits for a writer; fstat then tells what was opened.
    const int fd = ::open(QFile::encodeName(path).constData(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0)
        return errno == ENOENT || errno == ENOTDIR ? FileState::Missing : FileState::Refused;
    struct stat st = {};
    if (::fstat(fd, &st) != 0 || !S_ISREG(st.st_mode) ||
        !file.open(fd, QIODevice::ReadOnly, QFileDevice::AutoCloseHandle)) {
        ::close(fd);
        return FileState::Refused;
    }
#else
    const QFileInfo info(path);
    if (!info.exists())
        return FileState::Missing;
    file.setFileName(path);
    if (!info.isFile() || !file.open(QIODevice::ReadOnly))
        return FileState::Refused;
#endif
    content = file.read(IniSettingsBacking::MaxFileBytes + 1);
    if (content.size() <= IniSettingsBacking::MaxFileBytes)
        return FileState::Small;
    // Whole lines only: a line cut in two could read as a shorter value.
    content.truncate(content.lastIndexOf('\n', IniSettingsBacking::MaxFileBytes - 1) + 1);
    return FileState::Large;
}

// Writes the settings' pending changes to their file and tells whether the file now holds
// the values. The status keeps only the first error met: a file that was partly readable at
// the start hides a failed write, and one failed write hides every later good one. After any
// error, what counts is whether the file now holds what was saved.
bool synced(QSettings& s, const std::map<QString, QString>& values)
{
    s.sync();
    return values.empty() || s.status() == QSettings::NoError || fileHolds(s.fileName(), values);
}

} // namespace

IniSettingsBacking::IniSettingsBacking() = default;

IniSettingsBacking::~IniSettingsBacking()
{
    flush();
}

IniSettingsBacking::Store& IniSettingsBacking::store(const QString& app)
{
    Store& s = stores[app];
    if (s.looked)
        return s;
    s.looked = true;
    const QString path = filePath(app);
    QByteArray content;
    switch (readSettingsFile(path, content)) {
    case FileState::Missing:
    case FileState::Small:
        // Qt's settings read exactly this file (not also the fallback files of the
        // organisation and the system, which could be anything too). They open it again
        // when they write; only a file swapped for a FIFO in the meantime could hold them.
        s.settings = std::make_unique<QSettings>(path, QSettings::IniFormat);
        break;
    case FileState::Large: {
        // The part that is read goes to a copy of the store's own, which Qt's settings read
        // and write; flush() puts the copy in the file's place.
        auto copy = std::make_unique<QTemporaryDir>();
        const QString copyPath = copy->filePath(QStringLiteral("settings.ini"));
        QFile f(copyPath);
        if (copy->isValid() && f.open(QIODevice::WriteOnly) && f.write(content) == content.size()) {
            f.close();
            s.settings = std::make_unique<QSettings>(copyPath, QSettings::IniFormat);
            s.copy = std::move(copy);
        }
        break; // without a copy, the file is refused
    }
    case FileState::Refused:
        break;
    }
    return s;
}

QString IniSettingsBacking::get(const QString& app, const QString& section, const QString& key,
                                const QString& fallback)
{
    const QString path = section + QLatin1Char('/') + key;
    Store& s = store(app);
    if (!s.settings) {
        const auto it = s.kept.find(path);
        return it == s.kept.end() ? fallback : it->second;
    }
    const QVariant v = s.settings->value(path);
    return v.isValid() ? asText(v) : fallback;
}

void IniSettingsBacking::save(const QString& app, const QString& section, const QString& key,
                              const QString& value)
{
    const QString path = section + QLatin1Char('/') + key;
    Store& s = store(app);
    if (s.settings)
        s.settings->setValue(path, value);
    else
        s.kept[path] = value;
    unwritten[app][path] = value;
}

bool IniSettingsBacking::flushCopy(const QString& app, QSettings& copy,
                                   const std::map<QString, QString>& values)
{
    if (!synced(copy, values))
        return false;
    QFile in(copy.fileName());
    QSaveFile out(filePath(app));
    QDir().mkpath(QFileInfo(out.fileName()).absolutePath());
    return in.open(QIODevice::ReadOnly) && out.open(QIODevice::WriteOnly) &&
           out.write(in.readAll()) >= 0 && out.commit();
}

bool IniSettingsBacking::flush()
{
    bool ok = true;
    for (auto& [app, store] : stores) {
        std::map<QString, QString>& values = unwritten[app];
        if (!store.settings) {
            ok = ok && values.empty(); // a refused file is never written
            continue;
        }
        const bool written = store.copy ? values.empty() || flushCopy(app, *store.settings, values)
                                        : synced(*store.settings, values);
        if (written)
            values.clear();
        else
            ok = false;
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
