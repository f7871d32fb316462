// SPDX-License-Identifier: GPL-3.0-or-later
#include "fakestore.h"
#include "iniformat.h"
#include "program.h"
#include "settingsstore.h"
#include "sizelimit.h"
#include "testmain.h"
#include "unusualsettings.h"

#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>
#include <QSettings>
#include <QTemporaryDir>

#ifdef Q_OS_LINUX
#include <sys/stat.h>
#endif

namespace {

const QString Folder = QStringLiteral("/opt/pucklight");

// What an empty store loads; the sound paths follow the program's folder.
SettingVariables defaults()
{
    SettingVariables v;
    v.BuzzerFile = Folder + QStringLiteral("/buzzer.wav");
    v.HornFile = Folder + QStringLiteral("/horn.wav");
    return v;
}

// Runs `f` with `b` as the settings store, then puts the one before back.
template <class F>
auto with(SettingsBacking& b, F f)
{
    SettingsBacking& before = settingsBacking();
    setSettingsBacking(&b);
    const auto result = f();
    setSettingsBacking(&before);
    return result;
}

// The real store, read or written afresh as a new start of the program would.
SettingVariables loadFile()
{
    IniSettingsBacking ini;
    return with(ini, [] {
        Settings = SettingVariables();
        LoadSettings();
        return Settings;
    });
}

QByteArray readFile(const QString& path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray("unreadable");
}

bool writeFile(const QString& path, const QByteArray& bytes)
{
    QDir().mkpath(QFileInfo(path).absolutePath());
    QFile f(path);
    return f.open(QIODevice::WriteOnly | QIODevice::Truncate) && f.write(bytes) == bytes.size();
}

} // namespace

class TestSettingsStore : public QObject
{
    Q_OBJECT

    std::unique_ptr<FakeStore> store;
    const QString path = IniSettingsBacking::filePath(QStringLiteral("Pucklight"));

private Q_SLOTS:
    void init()
    {
        program::setFolder(Folder);
        store = std::make_unique<FakeStore>();
        Settings = unusualSettings(); // so that loading has to set every variable
        QFile::remove(path);
        QDir().rmdir(path);
        QFile::remove(path + QStringLiteral(".bad"));
    }

    void cleanup()
    {
        store.reset();
        program::setFolder(QString());
    }

    // Every setting through the real file, at the path Qt's settings use. The file holds each
    // key under the name existing settings files use, and a save writes it back byte for byte.
    // A save that cannot be written (a full disk) says so and leaves the file as it was; the
    // next save writes it.
    void roundTrip()
    {
        QCOMPARE(path, QSettings(QSettings::IniFormat, QSettings::UserScope,
                                 QStringLiteral("Pucklight"), QStringLiteral("Pucklight"))
                           .fileName());
        const QByteArray file = readFile(QStringLiteral(SETTINGS_DATA "/unusual.ini"));
        QVERIFY(writeFile(path, file));
        IniSettingsBacking ini; // one store for the program's whole run, read at the start
        const SettingVariables loaded = with(ini, [] {
            LoadSettings();
            return Settings;
        });
        QVERIFY(loaded == unusualSettings());
        Settings = SettingVariables();
        const auto save = [&] { return with(ini, [] { return SaveSettings(); }); };
        {
            const FileSizeLimit full(64);
            QVERIFY(!save());
        }
        QCOMPARE(readFile(path), file);
        QVERIFY(save());
        QVERIFY(loadFile() == SettingVariables());
        Settings = unusualSettings();
        QVERIFY(save());
        QCOMPARE(readFile(path), file);
    }

    void keyConversion_data()
    {
        QTest::addColumn<QString>("marker"); // the null text: no marker stored
        QTest::addColumn<bool>("converts");
        QTest::newRow("no marker") << QString() << true;
        QTest::newRow("No") << QStringLiteral("No") << true;
        QTest::newRow("no") << QStringLiteral("no") << false;
    }
    void keyConversion()
    {
        QFETCH(QString, marker);
        QFETCH(bool, converts);
        const QStringList keys = {
            "StartStopClockKey", "ResetClockKey", "ClearKey", "ClockSwitchKey",
            "SepTimeKey",        "BuzzerKey",     "HornKey"};
        for (int i = 0; i < keys.size(); ++i)
            store->values["KeySettings/" + keys[i]] = QString::number(65 + i);
        if (!marker.isNull())
            store->values["KeySettings/IsKeyCode"] = marker;
        LoadSettings();
        const auto written = store->values;
        QVERIFY(SaveSettings());
        QStringList stored;
        for (const QString& key : keys) {
            stored << written.at("KeySettings/" + key);
            QCOMPARE(store->values["KeySettings/" + key], stored.last()); // and loaded
        }
        // The clock-switch and penalty-clock keys keep theirs; the other five fall back.
        QCOMPARE(stored.join(QLatin1Char(' ')),
                 converts ? "83 82 46 68 69 66 71" : "65 66 67 68 69 70 71");
        QCOMPARE(written.at("KeySettings/IsKeyCode"), converts ? QStringLiteral("Yes") : marker);
    }

    // What a stored text loads as, seen as the text it is saved again as. Text that is not a
    // number, or does not fit its variable, counts as missing.
    void loadedValue_data()
    {
        QTest::addColumn<QString>("stored"); // "Section/Key=text"
        QTest::addColumn<QString>("loaded");
        QTest::addColumn<QString>("key"); // when not the stored one
        auto row = [](const char* name, const QString& stored, const QString& loaded,
                      const char* key = "") { QTest::newRow(name) << stored << loaded << key; };
        const char* marker = "ColorSettings/LEDSelected";
        const QString longName = QString(300, QLatin1Char('x'));
        const QString longPath = QLatin1Char('/') + QString(5000, QLatin1Char('p'));
        row("marker colour follows the background", "ColorSettings/FormBack=255", "255", marker);
        row("marker colour, bad background", "ColorSettings/FormBack=grey", "4210752", marker);
        row("colour word", "ColorSettings/TimeColor=red", "255");
        row("colour too big", "ColorSettings/ScoreColor=99999999999", "33023");
        row("colour with blanks", "ColorSettings/HomeColor= 4096 ", "4096");
        row("key code too big", "KeySettings/ClockSwitchKey=40000", "67");
        row("key code fraction", "KeySettings/ClockSwitchKey=70.5", "67");
        row("digit style beyond the dialog", "PicSettings/LEDType=7", "7");
        row("team size, five places", "TextSettings/TeamSize=12.34567", "24");
        row("team size overflowing", "TextSettings/TeamSize=922337203685477.9999", "24");
        // A name of any length is cut to 200 characters, a path to 4096.
        row("huge team name", "TextSettings/HomeText=" + longName, longName.left(200));
        row("huge path", "PicSettings/BoardPic=" + longPath, longPath.left(4096));
        // A store from before the board caption existed: none, whatever was set before.
        row("no board caption stored", "TextSettings/HomeText=Kept", "",
            "TextSettings/BoardCaption");
        row("long board caption", "TextSettings/BoardCaption=" + longName, longName.left(40));
        // A board name becomes a broker's topic: what could not be one takes the default.
        row("board name", "TextSettings/BoardName=Rink-2", "Rink-2");
        row("board name with a space", "TextSettings/BoardName=Rink 2", "board");
        row("board name with a topic wildcard", "TextSettings/BoardName=a/#", "board");
        row("board name, not ASCII", "TextSettings/BoardName=Örebro", "board");
        row("empty board name", "TextSettings/BoardName=", "board");
        row("longest board name", "TextSettings/BoardName=" + QString(64, 'n'), QString(64, 'n'));
        row("board name too long", "TextSettings/BoardName=" + QString(65, 'n'), "board");
        // A flag is 1 or 0; anything else is off, as by default.
        row("remote control on", "RemoteSettings/AllowRemoteControl=1", "1");
        row("remote control, a word", "RemoteSettings/AllowRemoteControl=true", "0");
        row("remote control, 2", "RemoteSettings/AllowRemoteControl=2", "0");
        // Stored as given; the overlay counts regular periods 1 to 9 (regularPeriodsOf).
        row("regular periods", "GameSettings/RegularPeriods=2", "2");
        row("regular periods, none stored", "TextSettings/HomeText=Kept", "3",
            "GameSettings/RegularPeriods");
    }
    void loadedValue()
    {
        QFETCH(QString, stored);
        QFETCH(QString, loaded);
        QFETCH(QString, key);
        const QString storedKey = stored.section(QLatin1Char('='), 0, 0);
        store->values["KeySettings/IsKeyCode"] = QStringLiteral("Yes");
        store->values[storedKey] = stored.section(QLatin1Char('='), 1);
        LoadSettings();
        QVERIFY(SaveSettings());
        QCOMPARE(store->values[key.isEmpty() ? storedKey : key], loaded);
    }

    // Whatever lies at the file's path, the start does not wait on it. Whatever a damaged or
    // foreign file held, the first start and OK write the program's own keys only, keep the
    // stored settings, and say that they saved; of a file over the size limit only the whole
    // lines within the limit are read. What is not a regular file is neither read nor written
    // over: every setting takes its default, and OK says that it could not save.
    void whateverIsAtThePath_data()
    {
        QTest::addColumn<QByteArray>("file"); // "FIFO" and "folder" are made as such
        QTest::addColumn<bool>("ok");         // OK pressed, or only the first start
        QTest::addColumn<QString>("homeText");
        QByteArray big = "KeySettings=a key named like a section\n[KeySettings]\nIsKeyCode=yes\n"
                         "HornKey=72\n[TextSettings]\nHomeText=Kept\n";
        const QByteArray filler = "Filler" + QByteArray(50, 'f') + "=x\n";
        big +=
            filler.repeated(int((IniSettingsBacking::MaxFileBytes - big.size()) / filler.size()));
        big += "VisitorText=Cut" + QByteArray(1 << 20, 'j'); // a line the limit cuts in two
        QTest::newRow("over a MiB of foreign lines, OK") << big << true << "Kept";
        // A binary value, which the program never wrote, is not decoded (a length in it could ask
        // for gigabytes): QSettings read this one as "5"; now the setting takes its default.
        QTest::newRow("foreign lines, first start")
            << QByteArray("[TextSettings]\nHomeText=Kept\nJunk=1\n"
                          "VisitorText=@Variant(\\0\\0\\0\\x2\\0\\0\\0\\x5)\n[Junk]\nx=1\n")
            << false << "Kept";
#ifdef Q_OS_LINUX
        QTest::newRow("FIFO, OK") << QByteArray("FIFO") << true << "Home";
#endif
        QTest::newRow("folder, OK") << QByteArray("folder") << true << "Home";
    }
    void whateverIsAtThePath()
    {
        QFETCH(QByteArray, file);
        QFETCH(bool, ok);
        QFETCH(QString, homeText);
        const bool regular = file != "FIFO" && file != "folder";
        QVERIFY(QDir().mkpath(file == "folder" ? path : QFileInfo(path).absolutePath()));
#ifdef Q_OS_LINUX
        QVERIFY(file != "FIFO" || ::mkfifo(path.toLocal8Bit().constData(), 0600) == 0);
#endif
        QVERIFY(!regular || writeFile(path, file));
        IniSettingsBacking ini; // one run of the program
        const SettingVariables loaded = with(ini, [] {
            LoadSettings();
            return Settings;
        });
        QVERIFY(!ok || with(ini, [] { return SaveSettings(); }) == regular);
        QCOMPARE(loaded.HomeText, homeText);
        QCOMPARE(loaded.VisitorText, defaults().VisitorText);
        if (!regular) {
            QVERIFY(QFileInfo(path).exists() && !QFileInfo(path).isFile());
            QVERIFY(loaded == defaults());
            return;
        }
        QStringList held;
        for (const auto& entry : ini::parse(readFile(path)))
            held << entry.first;
        const QStringList own = storedKeys();
        for (const QString& key : held)
            QVERIFY2(own.contains(key), qPrintable(key));
        QVERIFY(!ok || held.size() == own.size());
        QVERIFY(loadFile() == loaded);
    }

    // A link at the path is never followed, to read or to write: it is moved aside as
    // <file>.bad with one line on the terminal, every setting takes its default, and the file
    // is written anew in its place. Where it points stays as it was, or missing.
    void linkAtThePath_data()
    {
        QTest::addColumn<bool>("dangling");
        QTest::addColumn<bool>("ok"); // OK pressed, or only the first start
        QTest::newRow("to settings elsewhere, first start") << false << false;
        QTest::newRow("to settings elsewhere, OK") << false << true;
        QTest::newRow("dangling, OK") << true << true;
    }
    void linkAtThePath()
    {
        QFETCH(bool, dangling);
        QFETCH(bool, ok);
        QTemporaryDir elsewhere;
        const QString target = elsewhere.filePath(QStringLiteral("theirs.ini"));
        const QByteArray theirs = "[TextSettings]\nHomeText=Theirs\n";
        QVERIFY(dangling || writeFile(target, theirs));
        QVERIFY(QDir().mkpath(QFileInfo(path).absolutePath()));
        QVERIFY(QFile::link(target, path));

        QTest::ignoreMessage(QtWarningMsg,
                             QRegularExpression(QStringLiteral(
                                 "settings file .* is a link, which is never followed; it was "
                                 "moved to .*Pucklight.ini.bad, and every setting takes its "
                                 "default")));
        IniSettingsBacking ini; // one run of the program
        const SettingVariables loaded = with(ini, [] {
            LoadSettings();
            return Settings;
        });
        QVERIFY(!ok || with(ini, [] { return SaveSettings(); }));
        QVERIFY(loaded == defaults());
        QCOMPARE(QFileInfo(path + QStringLiteral(".bad")).symLinkTarget(), target);
        QVERIFY(QFileInfo(path).isFile() && !QFileInfo(path).isSymLink());
        if (dangling)
            QVERIFY(!QFileInfo::exists(target));
        else
            QCOMPARE(readFile(target), theirs);
        QVERIFY(loadFile() == loaded);
    }
};

PL_CORE_TEST_MAIN(TestSettingsStore)
#include "tst_settingsstore.moc"
