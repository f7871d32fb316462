#include "fuzzconfig.h"
#include "settingsbacking.h"
#include "settingsstore.h"
#include "settingvariables.h"

#include <QCoreApplication>
#include <QDateTime>
#include <QFile>
#include <QFileInfo>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <memory>

// The settings file is plain text in the user's folder that anyone may edit. Each input is
// the whole file: it is read as at start-up, the settings are written back as OK in the
// options dialog writes them, and a second start-up must read exactly what was written.

namespace {

QString iniPath;

void check(bool ok)
{
    if (!ok)
        std::abort();
}

// QSettings keeps files it has read and reads one again only when its size or time changed;
// a fresh, later time for every input makes each one a new file.
void writeIni(const QByteArray& bytes)
{
    static qint64 stamp = QDateTime(QDate(2020, 1, 1), QTime(0, 0)).toSecsSinceEpoch();
    QFile f(iniPath);
    check(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
    check(f.write(bytes) == bytes.size());
    f.setFileTime(QDateTime::fromSecsSinceEpoch(++stamp), QFileDevice::FileModificationTime);
    f.close();
}

SettingVariables loadFresh()
{
    auto backing = std::make_unique<IniSettingsBacking>();
    setSettingsBacking(backing.get());
    Settings = SettingVariables();
    LoadSettings();
    const SettingVariables loaded = Settings;
    check(SaveSettings());
    setSettingsBacking(nullptr);
    return loaded;
}

} // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    useTemporaryConfig();
    static int argc = 1;
    static char name[] = "fuzz_settings";
    static char* argv[] = {name, nullptr};
    // Never destroyed: Qt's own statics may be gone by the time the fuzzer exits.
    static auto* app = new QCoreApplication(argc, argv);
    (void)app;
    iniPath = IniSettingsBacking::filePath(QStringLiteral("Pucklight"));
    QDir().mkpath(QFileInfo(iniPath).absolutePath());
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    writeIni(QByteArray(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size)));
    const SettingVariables first = loadFresh();
    // Whatever the first start made of the file is what every later start reads.
    const SettingVariables second = loadFresh();
    check(first == second);
    return 0;
}
