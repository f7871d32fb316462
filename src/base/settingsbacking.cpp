#include "settingsbacking.h"

#include <QFile>
#include <QSettings>
#include <QStringList>
#include <QTemporaryDir>

namespace {

const QString Organisation = QStringLiteral("Pucklight");

// A stored value as text. A hand-edited value with unquoted commas reads back as a list.
QString asText(const QVariant& v)
{
    if (v.typeId() == QMetaType::QStringList)
        return v.toStringList().join(QStringLiteral(", "));
    return v.toString();
}

// Whether the file on disk holds these values. It is read from a copy: every QSettings on the
// same file shares one copy of it in memory, unwritten changes included.
bool fileHolds(const QString& path, const std::map<QString, QString>& values)
{
    QFile file(path);
    QTemporaryDir dir;
    if (!file.open(QIODevice::ReadOnly) || !dir.isValid())
        return false;
    const QString copyPath = dir.filePath(QStringLiteral("check.ini"));
    QFile copy(copyPath);
    if (!copy.open(QIODevice::WriteOnly) || copy.write(file.readAll()) < 0)
        return false;
    copy.close();
    const QSettings check(copyPath, QSettings::IniFormat);
    for (const auto& [key, value] : values) {
        if (asText(check.value(key)) != value)
            return false;
    }
    return true;
}

} // namespace

IniSettingsBacking::IniSettingsBacking() = default;

IniSettingsBacking::~IniSettingsBacking()
{
    flush();
}

QSettings& IniSettingsBacking::store(const QString& app)
{
    auto& s = stores[app];
    if (!s)
        s = std::make_unique<QSettings>(QSettings::IniFormat, QSettings::UserScope, Organisation,
                                        app);
    return *s;
}

QString IniSettingsBacking::get(const QString& app, const QString& section, const QString& key,
                                const QString& fallback)
{
    const QVariant v = store(app).value(section + QLatin1Char('/') + key);
    return v.isValid() ? asText(v) : fallback;
}

void IniSettingsBacking::save(const QString& app, const QString& section, const QString& key,
                              const QString& value)
{
    const QString path = section + QLatin1Char('/') + key;
    store(app).setValue(path, value);
    unwritten[app][path] = value;
}

bool IniSettingsBacking::flush()
{
    bool ok = true;
    for (auto& [app, s] : stores) {
        s->sync();
        // The status keeps only the first error met: a file that was partly readable at the
        // start hides a failed write, and one failed write hides every later good one. After
        // any error, what counts is whether the file now holds what was saved.
        std::map<QString, QString>& values = unwritten[app];
        if (values.empty() || s->status() == QSettings::NoError || fileHolds(s->fileName(), values))
            values.clear();
        else
            ok = false;
    }
    return ok;
}

QString IniSettingsBacking::filePath(const QString& app)
{
    return QSettings(QSettings::IniFormat, QSettings::UserScope, Organisation, app).fileName();
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
