#include "settingsstore.h"

#include "keyboard.h"
#include "program.h"
#include "settingsbacking.h"
#include "settingvariables.h"

#include <limits>
#include <optional>

SettingVariables Settings;

QString defaultBuzzerFile()
{
    return program::pathInFolder(QStringLiteral("buzzer.wav"));
}

QString defaultHornFile()
{
    return program::pathInFolder(QStringLiteral("horn.wav"));
}

namespace {

const QString App = QStringLiteral("Pucklight");
const QString ColorSection = QStringLiteral("ColorSettings");
const QString KeySection = QStringLiteral("KeySettings");
const QString TextSection = QStringLiteral("TextSettings");
const QString PicSection = QStringLiteral("PicSettings");
const QString Missing = QStringLiteral("\x01missing");

QString readText(const QString& section, const QString& key, const QString& fallback)
{
    return settingsBacking().get(App, section, key, fallback);
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

template <class T>
void readNumber(const QString& section, const QString& key, T& var, T fallback)
{
    const QString text = readText(section, key, Missing);
    var = text == Missing ? fallback : parseWhole<T>(text).value_or(fallback);
}

void save(const QString& section, const QString& key, const QString& text)
{
    settingsBacking().save(App, section, key, text);
}

template <class T>
void saveNumber(const QString& section, const QString& key, T value)
{
    save(section, key, QString::number(value));
}

} // namespace

void LoadSettings()
{
    SettingVariables& s = Settings;
    const SettingVariables d;

    // 1. Colours; a missing marker colour takes the background colour just read.
    readNumber(ColorSection, QStringLiteral("TimeColor"), s.TimeColor, d.TimeColor);
    readNumber(ColorSection, QStringLiteral("LEDBack"), s.LEDBack, d.LEDBack);
    readNumber(ColorSection, QStringLiteral("ScoreColor"), s.ScoreColor, d.ScoreColor);
    readNumber(ColorSection, QStringLiteral("PeriodColor"), s.PeriodColor, d.PeriodColor);
    readNumber(ColorSection, QStringLiteral("FormBack"), s.FormBack, d.FormBack);
    readNumber(ColorSection, QStringLiteral("LEDSelected"), s.LEDSelected, s.FormBack);
    readNumber(ColorSection, QStringLiteral("BorderColor"), s.BorderColor, d.BorderColor);
    readNumber(ColorSection, QStringLiteral("HomeColor"), s.HomeColor, d.HomeColor);
    readNumber(ColorSection, QStringLiteral("VisitorColor"), s.VisitorColor, d.VisitorColor);
    // 2. Marker width.
    readNumber(ColorSection, QStringLiteral("LEDSelectedWidth"), s.LEDSelectedWidth,
               d.LEDSelectedWidth);
    // 3. Keys.
    readNumber(KeySection, QStringLiteral("StartStopClockKey"), s.StartStopClockKey,
               d.StartStopClockKey);
    readNumber(KeySection, QStringLiteral("ResetClockKey"), s.ResetClockKey, d.ResetClockKey);
    readNumber(KeySection, QStringLiteral("ClearKey"), s.ClearKey, d.ClearKey);
    readNumber(KeySection, QStringLiteral("ClockSwitchKey"), s.ClockSwitchKey, d.ClockSwitchKey);
    readNumber(KeySection, QStringLiteral("SepTimeKey"), s.SepTimeKey, d.SepTimeKey);
    readNumber(KeySection, QStringLiteral("BuzzerKey"), s.BuzzerKey, d.BuzzerKey);
    readNumber(KeySection, QStringLiteral("HornKey"), s.HornKey, d.HornKey);
    // 4. Sound files.
    s.BuzzerFile = readText(KeySection, QStringLiteral("BuzzerFile"), defaultBuzzerFile());
    s.HornFile = readText(KeySection, QStringLiteral("HornFile"), defaultHornFile());
    // 5. NumLock mode, applied at once.
    readNumber(KeySection, QStringLiteral("NumLockForce"), s.NumLockForce, d.NumLockForce);
    if (s.NumLockForce == 1)
        SetNumLock(-1);
    else if (s.NumLockForce == 2)
        SetNumLock(0);
    // 6. The one-time conversion of the stored key assignments.
    if (readText(KeySection, QStringLiteral("IsKeyCode"), QStringLiteral("No")) ==
        QLatin1String("No")) {
        s.StartStopClockKey = 83;
        s.ResetClockKey = 82;
        s.BuzzerKey = 66;
        s.HornKey = 71;
        s.ClearKey = 46;
        saveNumber(KeySection, QStringLiteral("StartStopClockKey"), s.StartStopClockKey);
        saveNumber(KeySection, QStringLiteral("ResetClockKey"), s.ResetClockKey);
        saveNumber(KeySection, QStringLiteral("ClearKey"), s.ClearKey);
        saveNumber(KeySection, QStringLiteral("BuzzerKey"), s.BuzzerKey);
        saveNumber(KeySection, QStringLiteral("HornKey"), s.HornKey);
        save(KeySection, QStringLiteral("IsKeyCode"), QStringLiteral("Yes"));
        settingsBacking().flush();
    }
    // 7. Team names and their size.
    s.HomeText = readText(TextSection, QStringLiteral("HomeText"), d.HomeText);
    s.VisitorText = readText(TextSection, QStringLiteral("VisitorText"), d.VisitorText);
    const QString size = readText(TextSection, QStringLiteral("TeamSize"), Missing);
    s.TeamSize = size == Missing ? d.TeamSize : Fixed4::parse(size).value_or(d.TeamSize);
    // 8. Pictures and digit style.
    s.HomePic = readText(PicSection, QStringLiteral("HomePic"), d.HomePic);
    s.VisitorPic = readText(PicSection, QStringLiteral("VisitorPic"), d.VisitorPic);
    s.BoardPic = readText(PicSection, QStringLiteral("BoardPic"), d.BoardPic);
    readNumber(PicSection, QStringLiteral("LEDType"), s.LEDType, d.LEDType);
}

bool SaveSettings()
{
    const SettingVariables& s = Settings;
    saveNumber(ColorSection, QStringLiteral("TimeColor"), s.TimeColor);
    saveNumber(ColorSection, QStringLiteral("LEDBack"), s.LEDBack);
    saveNumber(ColorSection, QStringLiteral("LEDSelected"), s.LEDSelected);
    saveNumber(ColorSection, QStringLiteral("ScoreColor"), s.ScoreColor);
    saveNumber(ColorSection, QStringLiteral("PeriodColor"), s.PeriodColor);
    saveNumber(ColorSection, QStringLiteral("FormBack"), s.FormBack);
    saveNumber(ColorSection, QStringLiteral("BorderColor"), s.BorderColor);
    saveNumber(ColorSection, QStringLiteral("HomeColor"), s.HomeColor);
    saveNumber(ColorSection, QStringLiteral("VisitorColor"), s.VisitorColor);
    saveNumber(ColorSection, QStringLiteral("LEDSelectedWidth"), s.LEDSelectedWidth);

    saveNumber(KeySection, QStringLiteral("StartStopClockKey"), s.StartStopClockKey);
    saveNumber(KeySection, QStringLiteral("ResetClockKey"), s.ResetClockKey);
    saveNumber(KeySection, QStringLiteral("ClearKey"), s.ClearKey);
    saveNumber(KeySection, QStringLiteral("ClockSwitchKey"), s.ClockSwitchKey);
    saveNumber(KeySection, QStringLiteral("SepTimeKey"), s.SepTimeKey);
    saveNumber(KeySection, QStringLiteral("BuzzerKey"), s.BuzzerKey);
    saveNumber(KeySection, QStringLiteral("HornKey"), s.HornKey);
    save(KeySection, QStringLiteral("BuzzerFile"), s.BuzzerFile);
    save(KeySection, QStringLiteral("HornFile"), s.HornFile);
    saveNumber(KeySection, QStringLiteral("NumLockForce"), s.NumLockForce);

    save(TextSection, QStringLiteral("HomeText"), s.HomeText);
    save(TextSection, QStringLiteral("VisitorText"), s.VisitorText);
    save(TextSection, QStringLiteral("TeamSize"), s.TeamSize.toText());

    save(PicSection, QStringLiteral("HomePic"), s.HomePic);
    save(PicSection, QStringLiteral("VisitorPic"), s.VisitorPic);
    save(PicSection, QStringLiteral("BoardPic"), s.BoardPic);
    saveNumber(PicSection, QStringLiteral("LEDType"), s.LEDType);
    return settingsBacking().flush();
}
