// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QByteArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QTcpSocket>
#include <QTest>

// A client of the remote control over loopback: one request a connection, read until the server
// closes it, as it does after every answer.
struct RemoteReply
{
    int status = 0;  // 0: no answer came
    QByteArray head; // in lower case
    QByteArray body;

    QJsonObject json() const { return QJsonDocument::fromJson(body).object(); }
    QString error() const { return json().value(QLatin1String("error")).toString(); }
};

inline RemoteReply sendRaw(quint16 port, const QByteArray& request,
                           const QString& host = "127.0.0.1")
{
    constexpr int BoundMs = 20000;
    QTcpSocket s;
    QByteArray raw;
    QObject::connect(&s, &QTcpSocket::readyRead, [&] { raw += s.readAll(); });
    s.connectToHost(host, port);
    s.write(request);
    [[maybe_unused]] const bool ended =
        QTest::qWaitFor([&] { return s.state() == QAbstractSocket::UnconnectedState; }, BoundMs);
    raw += s.readAll();
    RemoteReply r;
    const qsizetype end = raw.indexOf("\r\n\r\n");
    r.head = raw.left(end).toLower();
    r.body = end < 0 ? QByteArray() : raw.mid(end + 4);
    r.status = r.head.startsWith("http/1.1 ") ? r.head.mid(9, 3).toInt() : 0;
    return r;
}

// POST /api/command with the body, and the token as a bearer unless it is null.
inline RemoteReply postCommand(quint16 port, const QByteArray& body,
                               const QByteArray& token = QByteArray())
{
    QByteArray head = "POST /api/command HTTP/1.1\r\nHost: 127.0.0.1\r\n"
                      "Content-Type: application/json\r\nContent-Length: " +
                      QByteArray::number(body.size()) + "\r\n";
    if (!token.isNull())
        head += "Authorization: Bearer " + token + "\r\n";
    return sendRaw(port, head + "\r\n" + body);
}

inline RemoteReply getPath(quint16 port, const QByteArray& path)
{
    return sendRaw(port, "GET " + path + " HTTP/1.1\r\nHost: 127.0.0.1\r\n\r\n");
}
