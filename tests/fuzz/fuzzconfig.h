#pragma once

// What the fuzz targets share.
#include <QByteArray>
#include <QDir>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <string>

// A broken invariant aborts, which libFuzzer reports as a crash and the replay as a failure.
inline void check(bool ok)
{
    if (!ok)
        std::abort();
}

// The target's Qt application, never destroyed: Qt's own statics may be gone by the time the
// fuzzer exits.
template <typename Application>
void startQt(const char* name)
{
    static std::string argv0 = name;
    static int argc = 1;
    static char* argv[] = {argv0.data(), nullptr};
    static auto* app = new Application(argc, argv);
    (void)app;
}

// Points XDG_CONFIG_HOME at a folder of the fuzzer's own, removed when it exits, so that no
// input ever touches the user's settings.
inline void useTemporaryConfig()
{
    static std::string path = QDir::tempPath().toStdString() + "/pucklight-fuzz-XXXXXX";
    check(mkdtemp(path.data()) != nullptr);
    qputenv("XDG_CONFIG_HOME", QByteArray::fromStdString(path));
    std::atexit([] {
        std::error_code ignored;
        std::filesystem::remove_all(path, ignored);
    });
}
