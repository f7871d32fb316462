// SPDX-License-Identifier: GPL-3.0-or-later
#include "fuzzconfig.h"
#include "iniformat.h"
#include "settingsbacking.h"
#include "settingsstore.h"
#include "settingvariables.h"

#include <QCoreApplication>
#include <set>

// The settings file is plain text anyone may edit. Each input, kept in memory, is read as at
// start-up and written back as OK in the options writes it: the program's own keys and nothing
// else, which a second start-up must read as exactly what was written.

// A start of the program on `file`, then OK when `ok`: `file` becomes what OK writes.
static SettingVariables start(QByteArray& file, bool ok)
{
    IniSettingsBacking backing(&file);
    setSettingsBacking(&backing);
    Settings = SettingVariables();
    LoadSettings();
    check(!ok || SaveSettings());
    setSettingsBacking(nullptr);
    return Settings;
}

extern "C" int LLVMFuzzerInitialize(int*, char***)
{
    // Nothing should touch a file; a settings folder where none can be made keeps the user's.
    qputenv("XDG_CONFIG_HOME", "/proc/self/no-pucklight-config");
    startQt<QCoreApplication>("fuzz_settings");
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    static const QStringList own = storedKeys();
    static const std::set<QString> ownKeys(own.begin(), own.end());
    QByteArray file(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));
    const SettingVariables first = start(file, true);
    // OK wrote every key of the program's and nothing else, in the codec's own form.
    const ini::Values saved = ini::parse(file);
    std::set<QString> written;
    for (const auto& entry : saved)
        written.insert(entry.first);
    check(written == ownKeys);
    check(ini::write(saved) == file);
    // Whatever the first start made of the file is what every later start reads.
    check(start(file, false) == first);
    return 0;
}
