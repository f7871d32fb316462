// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QFile>

// The resident size of this process in KiB, from /proc; 0 where that cannot be read.
inline qint64 residentKiB()
{
    QFile f(QStringLiteral("/proc/self/status"));
    for (const QByteArray& line :
         f.open(QIODevice::ReadOnly) ? f.readAll().split('\n') : QByteArrayList())
        if (line.startsWith("VmRSS:"))
            return line.mid(6).trimmed().split(' ').value(0).toLongLong();
    return 0;
}

// The proportional set size of this process (or of process `pid`) in KiB: its resident memory
// with the pages it shares counted in part. 0 where it cannot be read.
inline qint64 proportionalKiB(qint64 pid = 0)
{
    QFile f(pid > 0 ? QStringLiteral("/proc/%1/smaps_rollup").arg(pid)
                    : QStringLiteral("/proc/self/smaps_rollup"));
    for (const QByteArray& line :
         f.open(QIODevice::ReadOnly) ? f.readAll().split('\n') : QByteArrayList())
        if (line.startsWith("Pss:"))
            return line.mid(4).trimmed().split(' ').value(0).toLongLong();
    return 0;
}

// AddressSanitizer holds freed memory back for a while, so the resident size says nothing
// about leaks there; its own leak check covers that case.
#if defined(__SANITIZE_ADDRESS__)
constexpr bool Sanitized = true;
#elif defined(__has_feature)
constexpr bool Sanitized = __has_feature(address_sanitizer);
#else
constexpr bool Sanitized = false;
#endif
