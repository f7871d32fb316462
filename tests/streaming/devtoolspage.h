// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTest>
#include <QWebSocket>

// One page in headless Chromium, driven over the DevTools protocol: evaluate script in it and
// take screenshots. Every wait spins the event loop, so a server in this process keeps
// answering the page meanwhile.
class DevToolsPage
{
public:
    static constexpr const char* Program = "/usr/bin/chromium";
    static constexpr int BoundMs = 60000;     // to start, and to wait for the page
    static constexpr int CallBoundMs = 15000; // for one command

    DevToolsPage()
    {
        QObject::connect(&socket, &QWebSocket::textMessageReceived, [this](const QString& m) {
            const QJsonObject o = QJsonDocument::fromJson(m.toUtf8()).object();
            replies.insert(o[QLatin1String("id")].toInt(), o);
        });
    }
    ~DevToolsPage()
    {
        // Closed the browser's own way, its helper processes go too and leave the profile be.
        if (socket.state() == QAbstractSocket::ConnectedState)
            call("Browser.close", {}, false);
        if (!browser.waitForFinished(CallBoundMs))
            browser.kill();
        browser.waitForFinished(CallBoundMs);
    }

    // Opens the url in a fresh browser, the page transparent and `window` in size;
    // returns why it could not, or nothing.
    QString open(const QString& url, const QSize& window)
    {
        browser.start(
            QString::fromLatin1(Program),
            {"--headless", "--no-sandbox", "--disable-gpu", "--no-first-run",
             "--disable-background-networking", "--disable-component-update", "--disable-sync",
             "--hide-scrollbars", "--user-data-dir=" + profile.path(), "--remote-debugging-port=0",
             QStringLiteral("--window-size=%1,%2").arg(window.width()).arg(window.height())});
        // The browser's own endpoint; the page is reached through a session on it.
        const QRegularExpression listening(QStringLiteral("DevTools listening on (ws://\\S+)"));
        QByteArray errors;
        QRegularExpressionMatch m;
        [[maybe_unused]] const bool up = QTest::qWaitFor(
            [&] {
                errors += browser.readAllStandardError();
                m = listening.match(QString::fromUtf8(errors));
                return m.hasMatch() || browser.state() == QProcess::NotRunning;
            },
            BoundMs);
        if (!m.hasMatch())
            return "Chromium did not start: " + QString::fromUtf8(errors.right(500));
        socket.open(QUrl(m.captured(1)));
        [[maybe_unused]] const bool connected = QTest::qWaitFor(
            [&] { return socket.state() == QAbstractSocket::ConnectedState; }, BoundMs);
        const QString target = call("Target.createTarget", {{"url", url}})["targetId"].toString();
        session =
            call("Target.attachToTarget", {{"targetId", target}, {"flatten", true}})["sessionId"]
                .toString();
        if (session.isEmpty())
            return QStringLiteral("cannot reach the page over DevTools");
        call("Emulation.setDefaultBackgroundColorOverride",
             {{"color", QJsonObject{{"r", 0}, {"g", 0}, {"b", 0}, {"a", 0}}}});
        return QString();
    }

    // Waits until a script expression in the page yields the expected text.
    bool waitFor(const QString& expression, const QString& expected)
    {
        const QJsonObject params{{"expression", expression}, {"returnByValue", true}};
        return QTest::qWaitFor(
            [&] {
                return call("Runtime.evaluate", params)["result"]["value"].toString() == expected;
            },
            BoundMs);
    }

    // The value of a script expression in the page, as text.
    QString evaluate(const QString& expression)
    {
        const QJsonObject params{{"expression", expression}, {"returnByValue", true}};
        return call("Runtime.evaluate", params)["result"]["value"].toVariant().toString();
    }

    // The page as a phone of this size shows it, touch and all.
    void emulatePhone(const QSize& size)
    {
        call("Emulation.setDeviceMetricsOverride", {{"width", size.width()},
                                                    {"height", size.height()},
                                                    {"deviceScaleFactor", 3},
                                                    {"mobile", true}});
        call("Emulation.setTouchEmulationEnabled", {{"enabled", true}, {"maxTouchPoints", 5}});
    }

    // A tap in the middle of the element, as a finger gives it; false when there is no such
    // element to be seen.
    bool tap(const QString& selector)
    {
        const QString where = evaluate(
            QStringLiteral("(() => { const e = document.querySelector('%1'); if (!e || "
                           "e.offsetParent === null)"
                           " return ''; e.scrollIntoView({block: 'center'}); const r = "
                           "e.getBoundingClientRect();"
                           " return (r.left + r.width / 2) + ',' + (r.top + r.height / 2); })()")
                .arg(selector));
        if (where.isEmpty())
            return false;
        const double x = where.section(',', 0, 0).toDouble();
        const double y = where.section(',', 1).toDouble();
        const QJsonArray point{QJsonObject{{"x", x}, {"y", y}}};
        call("Input.dispatchTouchEvent", {{"type", "touchStart"}, {"touchPoints", point}});
        call("Input.dispatchTouchEvent", {{"type", "touchEnd"}, {"touchPoints", QJsonArray()}});
        return true;
    }

    // Text typed where the focus is.
    void type(const QString& text) { call("Input.insertText", {{"text", text}}); }

    void reload() { call("Page.reload"); }

    QByteArray screenshot()
    {
        return QByteArray::fromBase64(
            call("Page.captureScreenshot", {{"format", "png"}})["data"].toString().toLatin1());
    }

private:
    // Sends a command, to the page once a session is open, and waits for its result.
    QJsonValue call(const QString& method, const QJsonObject& params = {}, bool wait = true)
    {
        const int id = nextId++;
        QJsonObject message{{"id", id}, {"method", method}, {"params", params}};
        if (!session.isEmpty() && !method.startsWith(QLatin1String("Browser.")))
            message.insert(QLatin1String("sessionId"), session);
        socket.sendTextMessage(QString::fromUtf8(QJsonDocument(message).toJson()));
        socket.flush();
        if (!wait || !QTest::qWaitFor([&] { return replies.contains(id); }, BoundMs))
            return {};
        return replies.take(id)[QLatin1String("result")];
    }

    QTemporaryDir profile;
    QProcess browser;
    QWebSocket socket;
    QString session;
    QHash<int, QJsonObject> replies;
    int nextId = 1;
};
