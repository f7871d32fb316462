#pragma once

#include <QString>
#include <map>
#include <memory>

class QSettings;
class QTemporaryDir;

// The per-user settings store: text values by application, section and key.
class SettingsBacking
{
public:
    virtual ~SettingsBacking() = default;
    // The stored text, or `fallback` when the key is not there.
    virtual QString get(const QString& app, const QString& section, const QString& key,
                        const QString& fallback) = 0;
    virtual void save(const QString& app, const QString& section, const QString& key,
                      const QString& value) = 0;
    // Writes pending changes out. Returns false when the store could not be written.
    virtual bool flush() { return true; }
};

// The real store: one INI file per application under the user's configuration folder
// ($XDG_CONFIG_HOME/Pucklight/<app>.ini on Linux), written atomically.
//
// Anyone may have put anything at that path, so the file is looked at before Qt reads it:
// - Only a regular file (or a link to one) is read. A FIFO, a device, a socket or a folder,
//   and a file that cannot be read, count as an empty store: every setting takes its
//   default and nothing waits. Such a path is never written either (the store keeps what
//   is saved for the rest of the run, and flush() reports failure), so nothing that is
//   there is destroyed.
// - Of a file larger than MaxFileBytes only the lines within the first MaxFileBytes are
//   read; the rest is taken as junk. Saving then replaces the file with what was read and
//   the saved values. A file the program wrote is a few kilobytes, so nothing a user wrote
//   into a normal settings file is lost.
class IniSettingsBacking : public SettingsBacking
{
public:
    static constexpr qint64 MaxFileBytes = 1024 * 1024;

    IniSettingsBacking();
    ~IniSettingsBacking() override;
    QString get(const QString& app, const QString& section, const QString& key,
                const QString& fallback) override;
    void save(const QString& app, const QString& section, const QString& key,
              const QString& value) override;
    bool flush() override;

    // Where the file of an application lives.
    static QString filePath(const QString& app);

private:
    struct Store
    {
        std::unique_ptr<QTemporaryDir> copy; // the readable part of an oversized file
        std::unique_ptr<QSettings> settings; // null when the file is refused
        std::map<QString, QString> kept;     // what was saved to a refused file
        bool looked = false;                 // whether the file has been looked at
    };
    Store& store(const QString& app);
    bool flushCopy(const QString& app, QSettings& copy, const std::map<QString, QString>& values);
    std::map<QString, Store> stores;
    // Saved values not yet known to be in the file, by application and "Section/Key".
    std::map<QString, std::map<QString, QString>> unwritten;
};

// A store in memory, for tests.
class MemorySettingsBacking : public SettingsBacking
{
public:
    QString get(const QString& app, const QString& section, const QString& key,
                const QString& fallback) override;
    void save(const QString& app, const QString& section, const QString& key,
              const QString& value) override;

    bool contains(const QString& section, const QString& key) const;
    QString value(const QString& section, const QString& key) const;
    size_t size() const { return values.size(); }
    void clear() { values.clear(); }

    std::map<QString, QString> values; // "Section/Key" -> text, for application "Pucklight"
};

// The store the program uses; tests may put their own in its place.
SettingsBacking& settingsBacking();
void setSettingsBacking(SettingsBacking* backing); // null restores the real store
