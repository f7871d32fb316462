// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// What the fuzz targets share.
#include <QByteArray>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
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
