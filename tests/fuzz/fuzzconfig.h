#pragma once

#include <QByteArray>
#include <QDir>
#include <QFileInfo>
#include <QTemporaryDir>
#include <cstdlib>
#include <filesystem>
#include <string>

// Points XDG_CONFIG_HOME at a folder of the fuzzer's own, so that no input ever touches the
// user's settings. The folder is in memory where there is a memory file system and goes when
// the fuzzer exits.
inline void useTemporaryConfig()
{
    static std::string path;
    const QString shm = QStringLiteral("/dev/shm");
    QTemporaryDir dir(QFileInfo(shm).isWritable()
                          ? shm + QStringLiteral("/pucklight-fuzz-XXXXXX")
                          : QDir::tempPath() + QStringLiteral("/pucklight-fuzz-XXXXXX"));
    dir.setAutoRemove(false);
    path = QDir(dir.path()).absolutePath().toStdString();
    qputenv("XDG_CONFIG_HOME", QByteArray::fromStdString(path));
    // Not a QTemporaryDir living to the end: Qt's statics may be gone by then.
    std::atexit([] {
        std::error_code ignored;
        std::filesystem::remove_all(path, ignored);
    });
}
