// SPDX-License-Identifier: GPL-3.0-or-later
#include "brokeroptions.h"

#include "program.h"
#include "settingvariables.h"

#include <QDir>
#include <QFileInfo>
#include <QUrl>

namespace {

// A credentials file is one short line; anything much longer is not one.
constexpr qint64 MaxCredentialsBytes = 4096;

} // namespace

bool BrokerOptions::setUrl(const QString& text, QString* error, const QString& what)
{
    const QUrl url(text, QUrl::StrictMode);
    const QString scheme = url.scheme();
    const auto fail = [error, &text, &what](const QString& why) {
        *error = QStringLiteral("%1 %2: %3").arg(what, text, why);
        return false;
    };
    if (!url.isValid() || (scheme != QLatin1String("mqtt") && scheme != QLatin1String("mqtts")))
        return fail(QStringLiteral("give the broker as mqtt://host[:port] or mqtts://host[:port]"));
    if (url.host().isEmpty())
        return fail(QStringLiteral("no host"));
    if (!url.userInfo().isEmpty())
        return fail(QStringLiteral("a user and password go in a file: --mqtt-credentials FILE"));
    if ((!url.path().isEmpty() && url.path() != QLatin1String("/")) || url.hasQuery() ||
        url.hasFragment())
        return fail(QStringLiteral("only a host and a port; the topics come from --mqtt-topic"));
    // QUrl refuses a port it cannot read or beyond 65535, but takes 0 and an empty one.
    const QString authority =
        text.section(QStringLiteral("://"), 1).section(QLatin1Char('/'), 0, 0);
    if (url.port() == 0 || authority.endsWith(QLatin1Char(':')))
        return fail(QStringLiteral("a port is a number from 1 to 65535"));
    tls = scheme == QLatin1String("mqtts");
    host = url.host();
    port = url.port(tls ? TlsPort : PlainPort);
    return true;
}

bool BrokerOptions::readCredentials(const QString& path, QString* error, const QString& what)
{
    const QString shown = QDir::toNativeSeparators(path);
    const auto fail = [error, &shown, &what](const QString& why) {
        *error = QStringLiteral("%1 %2: %3").arg(what, shown, why);
        return false;
    };
    const program::OwnFile file = program::readOwnFile(path, MaxCredentialsBytes + 1);
    switch (file.kind) {
    case program::OwnFile::Kind::Read:
        break;
    case program::OwnFile::Kind::Missing:
        return fail(QStringLiteral("no such file"));
    case program::OwnFile::Kind::Link:
        return fail(QStringLiteral("a symbolic link; give the file itself"));
    case program::OwnFile::Kind::NotRegular:
        return fail(QStringLiteral("not a file"));
    case program::OwnFile::Kind::Unreadable:
        return fail(file.error);
    }
    if (!file.ownedByUser)
        return fail(QStringLiteral("belongs to another user"));
    if (!file.privateToUser())
        return fail(QStringLiteral("others may read or change it (mode %1); chmod 600 %2")
                        .arg(file.permissions, 4, 8, QLatin1Char('0'))
                        .arg(shown));
    QByteArray line = file.bytes;
    if (line.size() > MaxCredentialsBytes)
        return fail(QStringLiteral("longer than one line of user:password"));
    if (line.endsWith('\n'))
        line.chop(1);
    if (line.endsWith('\r'))
        line.chop(1);
    const qsizetype colon = line.indexOf(':');
    if (line.contains('\n') || line.contains('\0'))
        return fail(QStringLiteral("holds more than one line; it holds user:password"));
    if (colon <= 0)
        return fail(QStringLiteral("holds no user:password"));
    const QString name = QString::fromUtf8(line.left(colon));
    if (name.toUtf8() != line.left(colon))
        return fail(QStringLiteral("the user name is not UTF-8"));
    user = name;
    password = line.mid(colon + 1);
    if (password->isEmpty())
        password.reset();
    return true;
}

bool BrokerOptions::readSettings(const SettingVariables& s, QString* error)
{
    *this = BrokerOptions();
    const QString url = s.MqttBroker.trimmed();
    if (url.isEmpty())
        return true;
    if (!setUrl(url, error, QStringLiteral("the broker")))
        return false;
    const auto fail = [this, error](const QString& why) {
        *error = why;
        *this = BrokerOptions();
        return false;
    };
    if (!s.MqttCaFile.isEmpty()) {
        caFile = s.MqttCaFile;
        if (!tls)
            return fail(QStringLiteral("a CA file goes with an mqtts:// broker"));
        if (!program::fileExists(caFile) || !QFileInfo(caFile).isReadable())
            return fail(QStringLiteral("the CA file %1: no such file, or it cannot be read")
                            .arg(QDir::toNativeSeparators(caFile)));
    }
    if (!s.MqttTopic.isEmpty()) {
        topic = s.MqttTopic;
        if (!isTopicPrefix(topic))
            return fail(QStringLiteral("the topic prefix %1: not one such as pucklight/rink-1, "
                                       "without '+' or '#', '$' at its start or '/' at its end")
                            .arg(topic));
    }
    if (!s.MqttCredentials.isEmpty() &&
        !readCredentials(s.MqttCredentials, error, QStringLiteral("the credentials file")))
        return fail(*error);
    control = s.MqttControl;
    return true;
}

bool BrokerOptions::isTopicPrefix(const QString& prefix)
{
    return !prefix.isEmpty() && prefix.size() <= MaxTopicLength && prefix.isValidUtf16() &&
           !prefix.startsWith(QLatin1Char('$')) && !prefix.endsWith(QLatin1Char('/')) &&
           !prefix.contains(QLatin1Char('+')) && !prefix.contains(QLatin1Char('#')) &&
           !prefix.contains(QChar(0));
}

QString BrokerOptions::prefixFor(const QString& boardName) const
{
    return topic.isEmpty() ? QStringLiteral("pucklight/") + boardName : topic;
}

QString BrokerOptions::address() const
{
    const QString shownHost =
        host.contains(QLatin1Char(':')) ? QLatin1Char('[') + host + QLatin1Char(']') : host;
    return QStringLiteral("%1://%2:%3")
        .arg(tls ? QStringLiteral("mqtts") : QStringLiteral("mqtt"), shownHost)
        .arg(port);
}
