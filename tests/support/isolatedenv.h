// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QDir>
#include <QFile>
#include <QProcessEnvironment>
#include <QString>
#include <QStringList>
#include <array>
#include <utility>

// The user's own folders, moved into a folder of a test's or a benchmark's: the program and
// the servers a test starts (and the test itself) read and write there and never in the real
// user's HOME. The settings folder is `folder` itself, as the tests have always written their
// settings files there; the others lie inside it:
//   XDG_CONFIG_HOME  folder            XDG_DATA_HOME    folder/data
//   XDG_STATE_HOME   folder/state      XDG_CACHE_HOME   folder/cache
//   HOME             folder/home       XDG_RUNTIME_DIR  folder/runtime (private, as it must be)
// The folders are made on the way.
namespace isolated {

inline std::array<std::pair<QString, QString>, 6> folders(const QString& folder)
{
    const QString root = QDir(folder).absolutePath();
    return {{{QStringLiteral("XDG_CONFIG_HOME"), root},
             {QStringLiteral("XDG_STATE_HOME"), root + QStringLiteral("/state")},
             {QStringLiteral("XDG_DATA_HOME"), root + QStringLiteral("/data")},
             {QStringLiteral("XDG_CACHE_HOME"), root + QStringLiteral("/cache")},
             {QStringLiteral("HOME"), root + QStringLiteral("/home")},
             {QStringLiteral("XDG_RUNTIME_DIR"), root + QStringLiteral("/runtime")}}};
}

inline void make(const std::array<std::pair<QString, QString>, 6>& all)
{
    for (const auto& [name, path] : all)
        QDir().mkpath(path);
    // Qt and PulseAudio refuse a runtime folder that others can enter.
    QFile::setPermissions(all.back().second,
                          QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
}

// `env` with the user's folders in `folder`: for a program or a server a test starts.
inline QProcessEnvironment
environment(const QString& folder,
            QProcessEnvironment env = QProcessEnvironment::systemEnvironment())
{
    const auto all = folders(folder);
    make(all);
    for (const auto& [name, path] : all)
        env.insert(name, path);
    return env;
}

// The user's folders that `env` leaves outside `folder`, unset ones included: what a program
// started with it could touch of the real user's files. Empty when it is isolated.
inline QStringList outside(const QProcessEnvironment& env, const QString& folder)
{
    const QString root = QDir(folder).absolutePath() + QLatin1Char('/');
    QStringList leaks;
    for (const auto& [name, path] : folders(folder)) {
        const QString value = QDir::cleanPath(env.value(name)) + QLatin1Char('/');
        if (!env.contains(name) || !value.startsWith(root))
            leaks << name + QLatin1Char('=') + env.value(name);
    }
    return leaks;
}

// The environment a running process of ours was started with (Linux's /proc); empty when it
// cannot be read.
inline QProcessEnvironment environmentOf(qint64 pid)
{
    QProcessEnvironment env;
    QFile f(QStringLiteral("/proc/%1/environ").arg(pid));
    if (!f.open(QIODevice::ReadOnly))
        return env;
    for (const QByteArray& entry : f.readAll().split('\0')) {
        const qsizetype eq = entry.indexOf('=');
        if (eq > 0)
            env.insert(QFile::decodeName(entry.first(eq)), QFile::decodeName(entry.sliced(eq + 1)));
    }
    return env;
}

// The same for this process, before anything has read its environment.
inline void thisProcess(const QString& folder)
{
    const auto all = folders(folder);
    make(all);
    for (const auto& [name, path] : all)
        qputenv(name.toLatin1().constData(), QFile::encodeName(path));
}

} // namespace isolated
