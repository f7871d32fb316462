// SPDX-License-Identifier: GPL-3.0-or-later
#include "accessibility.h"

#include <QDBusArgument>
#include <QDBusConnection>
#include <QDBusMessage>
#include <QDBusObjectPath>
#include <QDBusVariant>
#include <QUuid>
#include <utility>
#include <vector>

namespace {

constexpr int CallMs = 2000;
// A window's tree is a few levels deep; a loop in a broken tree must not hold the test.
constexpr int MaxDepth = 16;
constexpr int MaxObjects = 5000;

using Object = std::pair<QString, QString>; // bus name, object path

QDBusMessage call(const QDBusConnection& bus, const Object& o, const QString& interface,
                  const QString& method, const QVariantList& args = {})
{
    QDBusMessage m = QDBusMessage::createMethodCall(o.first, o.second, interface, method);
    m.setArguments(args);
    return bus.call(m, QDBus::Block, CallMs);
}

std::vector<Object> childrenOf(const QDBusConnection& bus, const Object& o)
{
    std::vector<Object> out;
    const QDBusMessage reply =
        call(bus, o, QStringLiteral("org.a11y.atspi.Accessible"), QStringLiteral("GetChildren"));
    if (reply.type() != QDBusMessage::ReplyMessage || reply.arguments().isEmpty())
        return out;
    const QDBusArgument list = reply.arguments().first().value<QDBusArgument>();
    list.beginArray();
    while (!list.atEnd()) {
        QString name;
        QDBusObjectPath path;
        list.beginStructure();
        list >> name >> path;
        list.endStructure();
        out.emplace_back(name, path.path());
    }
    list.endArray();
    return out;
}

QString nameOf(const QDBusConnection& bus, const Object& o)
{
    const QDBusMessage reply =
        call(bus, o, QStringLiteral("org.freedesktop.DBus.Properties"), QStringLiteral("Get"),
             {QStringLiteral("org.a11y.atspi.Accessible"), QStringLiteral("Name")});
    if (reply.type() != QDBusMessage::ReplyMessage || reply.arguments().isEmpty())
        return QString();
    return reply.arguments().first().value<QDBusVariant>().variant().toString();
}

} // namespace

QStringList accessibleNames(const QString& sessionBus)
{
    const QString id = QUuid::createUuid().toString();
    QStringList names;
    {
        QDBusConnection session = QDBusConnection::connectToBus(sessionBus, "session" + id);
        const QDBusMessage address =
            call(session, {QStringLiteral("org.a11y.Bus"), QStringLiteral("/org/a11y/bus")},
                 QStringLiteral("org.a11y.Bus"), QStringLiteral("GetAddress"));
        if (address.type() == QDBusMessage::ReplyMessage && !address.arguments().isEmpty()) {
            QDBusConnection a11y =
                QDBusConnection::connectToBus(address.arguments().first().toString(), "a11y" + id);
            std::vector<std::pair<Object, int>> todo;
            for (const Object& app :
                 childrenOf(a11y, {QStringLiteral("org.a11y.atspi.Registry"),
                                   QStringLiteral("/org/a11y/atspi/accessible/root")}))
                todo.emplace_back(app, 0);
            int seen = 0;
            while (!todo.empty() && ++seen < MaxObjects) {
                const auto [o, depth] = todo.back();
                todo.pop_back();
                names << nameOf(a11y, o);
                if (depth < MaxDepth)
                    for (const Object& c : childrenOf(a11y, o))
                        todo.emplace_back(c, depth + 1);
            }
        }
    }
    QDBusConnection::disconnectFromBus("a11y" + id);
    QDBusConnection::disconnectFromBus("session" + id);
    return names;
}
