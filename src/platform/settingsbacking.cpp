#include "settingsbacking.h"

#include <QSettings>
#include <QStringList>

namespace {
const QString Organisation = QStringLiteral("Pucklight");
}

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
    if (!v.isValid())
        return fallback;
    // A hand-edited value with unquoted commas reads back as a list.
    if (v.typeId() == QMetaType::QStringList)
        return v.toStringList().join(QStringLiteral(", "));
    return v.toString();
}

void IniSettingsBacking::save(const QString& app, const QString& section, const QString& key,
                              const QString& value)
{
    store(app).setValue(section + QLatin1Char('/') + key, value);
}

bool IniSettingsBacking::flush()
{
    bool ok = true;
    for (auto& [app, s] : stores) {
        s->sync();
        // The status keeps the first error met, and a FormatError is a file that was only
        // partly readable when it was read; the write itself fails with an AccessError.
        ok = ok && s->status() != QSettings::AccessError;
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
