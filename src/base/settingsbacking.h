#pragma once

#include <QString>
#include <map>
#include <memory>

class QSettings;

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
class IniSettingsBacking : public SettingsBacking
{
public:
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
    QSettings& store(const QString& app);
    std::map<QString, std::unique_ptr<QSettings>> stores;
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
