#include "fakes.h"
#include "program.h"
#include "settingsstore.h"
#include "settingvariables.h"
#include "testmain.h"

#include <QFile>
#include <QFileInfo>

#ifdef Q_OS_LINUX
#include <sys/fsuid.h>
#include <unistd.h>
#endif

namespace {

const QString Folder = QStringLiteral("/opt/pucklight");

// Every setting away from its default, with the awkward texts a user can give: backslashes,
// non-ASCII letters, commas, semicolons, a leading "@" and surrounding blanks.
SettingVariables unusual()
{
    SettingVariables v;
    v.TimeColor = 65280;
    v.LEDBack = 1;
    v.ScoreColor = 16711680;
    v.PeriodColor = 8421504;
    v.FormBack = 255;
    v.LEDSelected = 65535;
    v.BorderColor = 0;
    v.HomeColor = 12345;
    v.VisitorColor = 16777214;
    v.LEDSelectedWidth = 5;
    v.StartStopClockKey = 65;
    v.ResetClockKey = 90;
    v.ClearKey = 8;
    v.ClockSwitchKey = 114;
    v.SepTimeKey = 45;
    v.BuzzerKey = 192;
    v.HornKey = 222;
    v.BuzzerFile = QStringLiteral("C:\\Program Files\\Pucklight\\Summer\\buzzer 2.wav");
    v.HornFile = QStringLiteral("/home/jörg/Klänge/Horn; laut.wav");
    v.NumLockForce = 2;
    v.HomeText = QStringLiteral("Ässät, Pori");
    v.VisitorText = QStringLiteral("  @Tappara  ");
    v.TeamSize = Fixed4::parse(QStringLiteral("30.5")).value();
    v.HomePic = QStringLiteral("\\\\server\\logos\\Kärpät.gif");
    v.VisitorPic = QStringLiteral("D:\\Bilder\\\"quoted\".jpg");
    v.BoardPic = QStringLiteral("/srv/rink/board=1.bmp");
    v.LEDType = 1;
    return v;
}

// What an empty store loads; the sound paths follow the program's folder.
SettingVariables defaults()
{
    SettingVariables v;
    v.BuzzerFile = Folder + QStringLiteral("/buzzer.wav");
    v.HornFile = Folder + QStringLiteral("/horn.wav");
    return v;
}

// The settings as "Section/Key=text" lines, so that a difference shows by name.
QStringList asText(const SettingVariables& v, SettingsBacking& restore)
{
    const SettingVariables kept = Settings;
    MemorySettingsBacking out;
    setSettingsBacking(&out);
    Settings = v;
    SaveSettings();
    Settings = kept;
    setSettingsBacking(&restore);
    QStringList lines;
    for (const auto& [key, text] : out.values)
        lines << key + QLatin1Char('=') + text;
    return lines;
}

} // namespace

class TestSettingsStore : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void init();
    void cleanup();
    void emptyStore();
    void keyConversion_data();
    void keyConversion();
    void loadedValue_data();
    void loadedValue();
    void numLockMode_data();
    void numLockMode();
    void saveThenLoad();
    void saveWritesEveryKey();
    void iniFile();
    void readOnlyIniFile();
    void junkIniFile();

private:
    std::unique_ptr<FakeStore> store;
    std::unique_ptr<FakeKeyboard> keyboard;
};

void TestSettingsStore::init()
{
    program::setFolder(Folder);
    store = std::make_unique<FakeStore>();
    keyboard = std::make_unique<FakeKeyboard>();
    Settings = unusual(); // so that loading has to set every variable
}

void TestSettingsStore::cleanup()
{
    keyboard.reset();
    store.reset();
    program::setFolder(QString());
}

void TestSettingsStore::emptyStore()
{
    LoadSettings();
    QCOMPARE(asText(Settings, *store), asText(defaults(), *store));
    QVERIFY(Settings == defaults());

    const std::map<QString, QString> converted = {
        {"KeySettings/StartStopClockKey", "83"}, {"KeySettings/ResetClockKey", "82"},
        {"KeySettings/ClearKey", "46"},          {"KeySettings/BuzzerKey", "66"},
        {"KeySettings/HornKey", "71"},           {"KeySettings/IsKeyCode", "Yes"}};
    QVERIFY(store->values == converted);
    QCOMPARE(keyboard->toggles, 0);
}

void TestSettingsStore::keyConversion_data()
{
    QTest::addColumn<QString>("marker"); // the null text: no marker stored
    QTest::addColumn<bool>("converts");
    QTest::newRow("no marker") << QString() << true;
    QTest::newRow("No") << QStringLiteral("No") << true;
    QTest::newRow("no") << QStringLiteral("no") << false;
    QTest::newRow("NO") << QStringLiteral("NO") << false;
    QTest::newRow("Yes") << QStringLiteral("Yes") << false;
    QTest::newRow("empty") << QStringLiteral("") << false;
}

void TestSettingsStore::keyConversion()
{
    QFETCH(QString, marker);
    QFETCH(bool, converts);

    const QStringList keys = {"StartStopClockKey", "ResetClockKey", "ClearKey", "ClockSwitchKey",
                              "SepTimeKey",        "BuzzerKey",     "HornKey"};
    for (int i = 0; i < keys.size(); ++i)
        store->values["KeySettings/" + keys[i]] = QString::number(65 + i);
    if (!marker.isNull())
        store->values["KeySettings/IsKeyCode"] = marker;
    const auto before = store->values;

    LoadSettings();
    const SettingVariables& s = Settings;
    const QList<int> loaded = {s.StartStopClockKey, s.ResetClockKey, s.ClearKey, s.ClockSwitchKey,
                               s.SepTimeKey,        s.BuzzerKey,     s.HornKey};
    if (!converts) {
        QCOMPARE(loaded, QList<int>({65, 66, 67, 68, 69, 70, 71}));
        QVERIFY(store->values == before);
        return;
    }
    // The clock-switch and penalty-clock keys keep theirs; the other five fall back.
    QCOMPARE(loaded, QList<int>({83, 82, 46, 68, 69, 66, 71}));
    QCOMPARE(store->values["KeySettings/IsKeyCode"], QStringLiteral("Yes"));
    for (int i = 0; i < keys.size(); ++i)
        QCOMPARE(store->values["KeySettings/" + keys[i]].toInt(), loaded[i]);
}

// What a stored text loads as, seen as the text it is saved again as. Text that is not a
// number, or does not fit its variable, counts as missing.
void TestSettingsStore::loadedValue_data()
{
    QTest::addColumn<QStringList>("stored"); // "Section/Key=text"
    QTest::addColumn<QString>("key");
    QTest::addColumn<QString>("loaded");
    auto row = [](const char* name, QStringList stored, const char* key, const char* loaded) {
        QTest::newRow(name) << stored << QString::fromLatin1(key) << QString::fromLatin1(loaded);
    };
    const char* marker = "ColorSettings/LEDSelected";
    row("marker colour follows the background", {"ColorSettings/FormBack=255"}, marker, "255");
    row("marker colour of its own", {"ColorSettings/FormBack=255", QString(marker) + "=65280"},
        marker, "65280");
    row("marker colour, bad background", {"ColorSettings/FormBack=grey"}, marker, "4210752");
    row("colour word", {"ColorSettings/TimeColor=red"}, "ColorSettings/TimeColor", "255");
    row("colour too big", {"ColorSettings/ScoreColor=99999999999"}, "ColorSettings/ScoreColor",
        "33023");
    row("colour empty", {"ColorSettings/PeriodColor="}, "ColorSettings/PeriodColor", "49152");
    row("colour hex", {"ColorSettings/LEDBack=0xFF"}, "ColorSettings/LEDBack", "0");
    row("colour with blanks", {"ColorSettings/HomeColor= 4096 "}, "ColorSettings/HomeColor",
        "4096");
    row("key code too big", {"KeySettings/ClockSwitchKey=40000"}, "KeySettings/ClockSwitchKey",
        "67");
    row("key code fraction", {"KeySettings/HornKey=71.5"}, "KeySettings/HornKey", "71");
    row("marker width too big", {"ColorSettings/LEDSelectedWidth=70000"},
        "ColorSettings/LEDSelectedWidth", "0");
    row("marker width beyond the dialog", {"ColorSettings/LEDSelectedWidth=9"},
        "ColorSettings/LEDSelectedWidth", "9");
    row("NumLock mode too big", {"KeySettings/NumLockForce=99999999999"},
        "KeySettings/NumLockForce", "0");
    row("digit style word", {"PicSettings/LEDType=Dots"}, "PicSettings/LEDType", "0");
    row("digit style beyond the dialog", {"PicSettings/LEDType=7"}, "PicSettings/LEDType", "7");
    row("team size missing", {}, "TextSettings/TeamSize", "24");
    row("team size word", {"TextSettings/TeamSize=big"}, "TextSettings/TeamSize", "24");
    row("team size fraction", {"TextSettings/TeamSize=12.25"}, "TextSettings/TeamSize", "12.25");
    row("team size, five places", {"TextSettings/TeamSize=12.34567"}, "TextSettings/TeamSize",
        "24");
    row("team size overflowing", {"TextSettings/TeamSize=922337203685477.9999"},
        "TextSettings/TeamSize", "24");
    row("buzzer file missing", {}, "KeySettings/BuzzerFile", "/opt/pucklight/buzzer.wav");
}

void TestSettingsStore::loadedValue()
{
    QFETCH(QStringList, stored);
    QFETCH(QString, key);
    QFETCH(QString, loaded);

    store->values["KeySettings/IsKeyCode"] = QStringLiteral("Yes");
    for (const QString& entry : stored)
        store->values[entry.section(QLatin1Char('='), 0, 0)] = entry.section(QLatin1Char('='), 1);
    LoadSettings();
    store->clear();
    QVERIFY(SaveSettings());
    QCOMPARE(store->values[key], loaded);
}

void TestSettingsStore::numLockMode_data()
{
    QTest::addColumn<QString>("mode");
    QTest::addColumn<bool>("before");
    QTest::addColumn<bool>("after");
    QTest::addColumn<int>("toggles");
    QTest::newRow("1, off") << QStringLiteral("1") << false << true << 1;
    QTest::newRow("1, on") << QStringLiteral("1") << true << true << 0;
    QTest::newRow("2, on") << QStringLiteral("2") << true << false << 1;
    QTest::newRow("2, off") << QStringLiteral("2") << false << false << 0;
    QTest::newRow("3") << QStringLiteral("3") << false << false << 0;
    QTest::newRow("0") << QStringLiteral("0") << true << true << 0;
    QTest::newRow("junk") << QStringLiteral("on") << false << false << 0;
}

void TestSettingsStore::numLockMode()
{
    QFETCH(QString, mode);
    QFETCH(bool, before);
    QFETCH(bool, after);
    QFETCH(int, toggles);
    store->values["KeySettings/NumLockForce"] = mode;
    keyboard->on = before;
    LoadSettings();
    QCOMPARE(keyboard->on, after);
    QCOMPARE(keyboard->toggles, toggles);
}

void TestSettingsStore::saveThenLoad()
{
    LoadSettings(); // the first start converts the keys
    Settings = unusual();
    QVERIFY(SaveSettings());
    Settings = SettingVariables();
    LoadSettings();
    QCOMPARE(asText(Settings, *store), asText(unusual(), *store));
    QVERIFY(Settings == unusual());
}

void TestSettingsStore::saveWritesEveryKey()
{
    LoadSettings();
    store->clear();
    QVERIFY(SaveSettings()); // OK with nothing changed

    QStringList keys;
    for (const auto& entry : store->values)
        keys << entry.first;
    QStringList expected =
        QStringLiteral(
            "ColorSettings/TimeColor ColorSettings/LEDBack ColorSettings/ScoreColor "
            "ColorSettings/PeriodColor ColorSettings/FormBack ColorSettings/LEDSelected "
            "ColorSettings/BorderColor ColorSettings/HomeColor ColorSettings/VisitorColor "
            "ColorSettings/LEDSelectedWidth KeySettings/StartStopClockKey "
            "KeySettings/ResetClockKey KeySettings/ClearKey KeySettings/ClockSwitchKey "
            "KeySettings/SepTimeKey KeySettings/BuzzerKey KeySettings/HornKey "
            "KeySettings/BuzzerFile KeySettings/HornFile KeySettings/NumLockForce "
            "TextSettings/HomeText TextSettings/VisitorText TextSettings/TeamSize "
            "PicSettings/HomePic PicSettings/VisitorPic PicSettings/BoardPic "
            "PicSettings/LEDType")
            .split(QLatin1Char(' '));
    expected.sort();
    QCOMPARE(keys, expected);
    QCOMPARE(store->value(QStringLiteral("TextSettings"), QStringLiteral("TeamSize")),
             QStringLiteral("24"));
}

// The real store: an INI file under the temporary XDG_CONFIG_HOME the test main sets.
void TestSettingsStore::iniFile()
{
    const QString path = IniSettingsBacking::filePath(QStringLiteral("Pucklight"));
    QVERIFY(path.startsWith(qEnvironmentVariable("XDG_CONFIG_HOME")));
    QFile::remove(path);
    {
        IniSettingsBacking ini;
        setSettingsBacking(&ini);
        LoadSettings();
        Settings = unusual();
        QVERIFY(SaveSettings());
    }
    QVERIFY(QFileInfo::exists(path));
    {
        IniSettingsBacking ini; // reads the file afresh
        setSettingsBacking(&ini);
        Settings = SettingVariables();
        LoadSettings();
        QCOMPARE(asText(Settings, ini), asText(unusual(), ini));
        QCOMPARE(ini.get(QStringLiteral("Pucklight"), QStringLiteral("KeySettings"),
                         QStringLiteral("IsKeyCode"), QString()),
                 QStringLiteral("Yes"));
    }

    // A hand-edited file: an unquoted comma makes a list of the value, which reads back whole.
    QFile f(path);
    QVERIFY(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
    f.write("[TextSettings]\nHomeText=Red, White\nTeamSize=18\n"
            "[KeySettings]\nIsKeyCode=Yes\nHornKey=72\n");
    f.close();
    IniSettingsBacking ini;
    setSettingsBacking(&ini);
    LoadSettings();
    QCOMPARE(Settings.HomeText, QStringLiteral("Red, White"));
    QCOMPARE(Settings.TeamSize, Fixed4::whole(18));
    QCOMPARE(Settings.HornKey, 72);
    setSettingsBacking(store.get());
}

void TestSettingsStore::readOnlyIniFile()
{
    const QString path = IniSettingsBacking::filePath(QStringLiteral("Pucklight"));
    const QString folder = QFileInfo(path).absolutePath();
    QFile::remove(path);
    {
        IniSettingsBacking ini;
        setSettingsBacking(&ini);
        LoadSettings();
        QVERIFY(SaveSettings());
    }
    QFile f(path);
    QVERIFY(f.open(QIODevice::ReadOnly));
    const QByteArray before = f.readAll();
    f.close();

    const auto readOnly = QFile::ReadOwner | QFile::ReadGroup | QFile::ReadOther;
    const auto folderPermissions = QFileInfo(folder).permissions();
    QVERIFY(QFile::setPermissions(path, readOnly));
    QVERIFY(QFile::setPermissions(folder,
                                  readOnly | QFile::ExeOwner | QFile::ExeGroup | QFile::ExeOther));
    bool dropped = false;
#ifdef Q_OS_LINUX
    // Permission bits do not bind root, under which containers and CI often run: give up the
    // file-system privileges of this thread while saving.
    uid_t oldFsuid = 0;
    if (::access(path.toLocal8Bit().constData(), W_OK) == 0 && ::geteuid() == 0) {
        oldFsuid = static_cast<uid_t>(::setfsuid(65534));
        dropped = true;
    }
#endif
    bool saved = true;
    {
        IniSettingsBacking ini;
        setSettingsBacking(&ini);
        Settings = unusual();
        saved = SaveSettings();
    } // the store, destroyed, tries once more
#ifdef Q_OS_LINUX
    if (dropped)
        ::setfsuid(oldFsuid);
#endif
    QFile::setPermissions(folder, folderPermissions);
    QFile::setPermissions(path, readOnly | QFile::WriteOwner);
    setSettingsBacking(store.get());
    if (!dropped && QFileInfo(path).isWritable())
        QSKIP("cannot make a file read-only here");

    QVERIFY(!saved);
    QVERIFY(f.open(QIODevice::ReadOnly));
    QCOMPARE(f.readAll(), before);
}

void TestSettingsStore::junkIniFile()
{
    const QString path = IniSettingsBacking::filePath(QStringLiteral("Pucklight"));
    QByteArray junk(8192, '\0');
    for (int i = 0; i < junk.size(); ++i)
        junk[i] = static_cast<char>((i * 7919 + 13) % 256);
    QFile f(path);
    QVERIFY(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
    f.write(junk);
    f.close();

    IniSettingsBacking ini;
    setSettingsBacking(&ini);
    LoadSettings();
    setSettingsBacking(store.get());
    QCOMPARE(asText(Settings, *store), asText(defaults(), *store));

    // OK in the options dialog then writes a good file over the junk, and says that it did:
    // the junk was a problem of the reading, not of the writing.
    setSettingsBacking(&ini);
    Settings = unusual();
    const bool saved = SaveSettings();
    IniSettingsBacking again;
    setSettingsBacking(&again);
    Settings = SettingVariables();
    LoadSettings();
    setSettingsBacking(store.get());
    QVERIFY(saved);
    QCOMPARE(asText(Settings, *store), asText(unusual(), *store));
}

PL_TEST_MAIN(TestSettingsStore)
#include "tst_settingsstore.moc"
