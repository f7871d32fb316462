// SPDX-License-Identifier: GPL-3.0-or-later
#include "settingsstore.h"

#include "program.h"
#include "settingsbacking.h"
#include "settingtable.h"

#include <algorithm>
#include <limits>
#include <optional>
#include <string_view>

SettingVariables Settings;

QString defaultBuzzerFile()
{
    return program::dataFile(QStringLiteral("buzzer.wav"));
}

QString defaultHornFile()
{
    return program::dataFile(QStringLiteral("horn.wav"));
}

namespace {

const QString App = QStringLiteral("Pucklight");
const QString Missing = QStringLiteral("\x01missing");
const QString Marker = QStringLiteral("IsKeyCode"); // of the converted key assignments

QString sectionName(SettingRow::Section s)
{
    switch (s) {
    case SettingRow::Section::Color:
        return QStringLiteral("ColorSettings");
    case SettingRow::Section::Key:
        return QStringLiteral("KeySettings");
    case SettingRow::Section::Text:
        return QStringLiteral("TextSettings");
    case SettingRow::Section::Pic:
        return QStringLiteral("PicSettings");
    case SettingRow::Section::Game:
        return QStringLiteral("GameSettings");
    case SettingRow::Section::Remote:
        return QStringLiteral("RemoteSettings");
    }
    return QString();
}

QString readText(const SettingRow& row, const QString& fallback)
{
    return settingsBacking().get(App, sectionName(row.section), QLatin1String(row.key), fallback);
}

void save(const SettingRow& row, const QString& text)
{
    settingsBacking().save(App, sectionName(row.section), QLatin1String(row.key), text);
}

// A whole number that fits T, or nothing.
template <class T>
std::optional<T> parseWhole(const QString& text)
{
    bool ok = false;
    const qlonglong v = text.trimmed().toLongLong(&ok, 10);
    if (!ok || v < std::numeric_limits<T>::min() || v > std::numeric_limits<T>::max())
        return std::nullopt;
    return static_cast<T>(v);
}

// Stored text as a value of the member's type; nothing when it is missing or does not fit.
template <class T>
std::optional<T> parseValue(const QString& text)
{
    if (text == Missing)
        return std::nullopt;
    if constexpr (std::is_same_v<T, QString>)
        // Escapes in a hand-edited file can make half a surrogate pair, which is no
        // character: it reads as the replacement character.
        return text.isValidUtf16() ? text : QString::fromUtf8(text.toUtf8());
    else if constexpr (std::is_same_v<T, Fixed4>)
        return Fixed4::parse(text);
    else if constexpr (std::is_same_v<T, bool>) {
        // A flag is stored as 1 or 0; anything else is no flag.
        const auto n = parseWhole<int16_t>(text);
        return n && (*n == 0 || *n == 1) ? std::optional<bool>(*n == 1) : std::nullopt;
    } else
        return parseWhole<T>(text);
}

template <class T>
QString textOf(const T& value)
{
    if constexpr (std::is_same_v<T, QString>)
        return value;
    else if constexpr (std::is_same_v<T, Fixed4>)
        return value.toText();
    else if constexpr (std::is_same_v<T, bool>)
        return value ? QStringLiteral("1") : QStringLiteral("0");
    else
        return QString::number(value);
}

// The default of a row, given what has been read so far.
template <class T>
T defaultOf(T SettingVariables::*member, const SettingVariables& read)
{
    const SettingVariables d;
    if constexpr (std::is_same_v<T, QString>) {
        if (member == &SettingVariables::BuzzerFile)
            return defaultBuzzerFile();
        if (member == &SettingVariables::HornFile)
            return defaultHornFile();
    } else if constexpr (std::is_same_v<T, int32_t>) {
        if (member == &SettingVariables::LEDSelected)
            return read.FormBack; // the marker is invisible until it is given a colour
    }
    return d.*member;
}

// The stored key assignments of old were not key codes; the first start converts the five
// keys that date from then, once.
void convertKeyAssignments(SettingVariables& s)
{
    const QString section = sectionName(SettingRow::Section::Key);
    if (settingsBacking().get(App, section, Marker, QStringLiteral("No")) != QLatin1String("No"))
        return;
    static constexpr int16_t SettingVariables::*Converted[] = {
        &SettingVariables::StartStopClockKey, &SettingVariables::ResetClockKey,
        &SettingVariables::ClearKey, &SettingVariables::BuzzerKey, &SettingVariables::HornKey};
    const SettingVariables d;
    for (const SettingRow& row : SettingTable) {
        const auto* key = std::get_if<int16_t SettingVariables::*>(&row.member);
        if (key &&
            std::find(std::begin(Converted), std::end(Converted), *key) != std::end(Converted)) {
            s.** key = d.**key;
            save(row, textOf(s.**key));
        }
    }
    settingsBacking().save(App, section, Marker, QStringLiteral("Yes"));
    settingsBacking().flush();
}

} // namespace

QStringList storedKeys()
{
    static const QStringList keys = [] {
        QStringList all;
        for (const SettingRow& row : SettingTable)
            all << sectionName(row.section) + QLatin1Char('/') + QLatin1String(row.key);
        return all << sectionName(SettingRow::Section::Key) + QLatin1Char('/') + Marker;
    }();
    return keys;
}

void LoadSettings()
{
    SettingVariables& s = Settings;
    // The key conversion writes the store before the names and pictures are read.
    settingsBacking().own(App, storedKeys());
    for (const SettingRow& row : SettingTable) {
        std::visit(
            [&](auto member) {
                using T = std::remove_reference_t<decltype(s.*member)>;
                const std::optional<T> stored = parseValue<T>(readText(row, Missing));
                s.*member = stored ? *stored : defaultOf(member, s);
                if constexpr (std::is_same_v<T, QString>) {
                    if (row.maxLength > 0)
                        (s.*member).truncate(row.maxLength);
                    if (row.valid && !row.valid(s.*member))
                        s.*member = defaultOf(member, s);
                }
            },
            row.member);
        // The conversion comes after the NumLock mode, before the names, as it always has.
        if (std::string_view(row.key) == "NumLockForce")
            convertKeyAssignments(s);
    }
}

bool SaveSettings()
{
    const SettingVariables& s = Settings;
    settingsBacking().own(App, storedKeys()); // the marker is kept, whatever else the file held
    for (const SettingRow& row : SettingTable)
        std::visit([&](auto member) { save(row, textOf(s.*member)); }, row.member);
    return settingsBacking().flush();
}

void ResetSettings(SettingVariables& s, SettingRow::Reset which)
{
    const SettingVariables d;
    for (const SettingRow& row : SettingTable)
        if (row.reset == which)
            std::visit([&](auto member) { s.*member = d.*member; }, row.member);
}
