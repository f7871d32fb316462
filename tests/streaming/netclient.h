#pragma once

#include <QByteArray>
#include <QFile>
#include <QTcpSocket>
#include <QTest>

// A raw HTTP exchange: what went out, and the answer as it came back.
struct HttpReply
{
    int status = 0; // 0: no status line came back
    QByteArray head;
    QByteArray body;
    QByteArray header(const QByteArray& name) const
    {
        for (const QByteArray& line : head.split('\n')) {
            const qsizetype colon = line.indexOf(':');
            if (colon > 0 && line.first(colon).trimmed().compare(name, Qt::CaseInsensitive) == 0)
                return line.mid(colon + 1).trimmed();
        }
        return QByteArray();
    }
};

inline HttpReply parseReply(const QByteArray& raw)
{
    HttpReply r;
    const qsizetype end = raw.indexOf("\r\n\r\n");
    r.head = end < 0 ? raw : raw.first(end);
    r.body = end < 0 ? QByteArray() : raw.mid(end + 4);
    if (r.head.startsWith("HTTP/1.1 "))
        r.status = r.head.mid(9, 3).toInt();
    return r;
}

// Sends a request and reads until the server closes the connection. The server closes every
// plain request after its answer; the wait is only a safety bound.
inline HttpReply exchange(quint16 port, const QByteArray& request, int boundMs = 10000)
{
    QTcpSocket s;
    s.connectToHost(QStringLiteral("127.0.0.1"), port);
    if (!s.waitForConnected(boundMs))
        return {};
    QByteArray raw;
    QObject::connect(&s, &QTcpSocket::readyRead, [&] { raw += s.readAll(); });
    s.write(request);
    [[maybe_unused]] const bool closed =
        QTest::qWaitFor([&] { return s.state() == QAbstractSocket::UnconnectedState; }, boundMs);
    if (s.isOpen())
        raw += s.readAll();
    return parseReply(raw);
}

inline HttpReply get(quint16 port, const QByteArray& path)
{
    return exchange(port, "GET " + path + " HTTP/1.1\r\nHost: 127.0.0.1\r\n\r\n");
}

// The resident size of this process in KiB, from /proc; 0 where that cannot be read.
inline qint64 residentKiB()
{
    QFile f(QStringLiteral("/proc/self/status"));
    if (!f.open(QIODevice::ReadOnly))
        return 0;
    for (const QByteArray& line : f.readAll().split('\n'))
        if (line.startsWith("VmRSS:"))
            return line.mid(6).trimmed().split(' ').value(0).toLongLong();
    return 0;
}
