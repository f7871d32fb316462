// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>
#include <map>
#include <set>

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
    // Names the application's own keys ("Section/Key"); a store that is written whole keeps
    // these, and those it is asked for or given, and drops whatever else it held.
    virtual void own(const QString& /*app*/, const QStringList& /*keys*/) {}
    // Writes pending changes out. Returns false when the store could not be written.
    virtual bool flush() { return true; }
};

// The real store: one INI file per application under the user's configuration folder
// ($XDG_CONFIG_HOME/Pucklight/<app>.ini on Linux), read once and written whole, atomically.
//
// A write holds the application's own keys only (see SettingsBacking::own): the values read
// from the file and those saved since. Anything else a damaged or foreign file held is not
// written back.
//
// Anyone may have put anything at that path, so the file is looked at before it is read:
// - Only a regular file is read. A FIFO, a device, a socket or a folder, and a file that
//   cannot be read, count as an empty store: every setting takes its default and nothing
//   waits. Such a path is never written either (the store keeps what is saved for the rest
//   of the run, and flush() reports failure), so nothing that is there is destroyed.
// - A link is never followed, for reading or writing: it is moved aside to <file>.bad, with
//   one line on the terminal, and the store starts empty; its file is written anew.
// - Of a file larger than MaxFileBytes only the lines within the first MaxFileBytes are
//   read; the rest is taken as junk. A file the program wrote is a few kilobytes.
// A write that fails is reported and tried again at the next flush().
class IniSettingsBacking : public SettingsBacking
{
public:
    static constexpr qint64 MaxFileBytes = 1024 * 1024;

    IniSettingsBacking() = default;
    // A store whose file is these bytes in memory, for tests and the fuzzer.
    explicit IniSettingsBacking(QByteArray* file) : memoryFile(file) {}
    ~IniSettingsBacking() override;
    QString get(const QString& app, const QString& section, const QString& key,
                const QString& fallback) override;
    void save(const QString& app, const QString& section, const QString& key,
              const QString& value) override;
    void own(const QString& app, const QStringList& keys) override;
    bool flush() override;

    // Where the file of an application lives.
    static QString filePath(const QString& app);

private:
    struct Store
    {
        bool refused = false;              // the path is not a file that can be read
        std::map<QString, QString> values; // "Section/Key": read, then saved
        std::set<QString> own;             // the keys a write keeps
        bool unwritten = false;            // saved values not yet known to be in the file
    };
    Store& store(const QString& app);
    bool write(const QString& app, const QByteArray& bytes);
    std::map<QString, Store> stores;
    QByteArray* memoryFile = nullptr;
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
