#pragma once

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QNetworkAccessManager>
#include <QNetworkReply>
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
    static constexpr int StartBoundMs = 60000;
    static constexpr int CallBoundMs = 15000;

    DevToolsPage()
    {
        QObject::connect(&socket, &QWebSocket::textMessageReceived, [this](const QString& m) {
            const QJsonObject o = QJsonDocument::fromJson(m.toUtf8()).object();
            if (o.contains(QLatin1String("id")))
                replies.insert(o[QLatin1String("id")].toInt(), o);
        });
    }
    ~DevToolsPage()
    {
        // Closed the browser's own way, its helper processes go too and leave the profile be.
        if (socket.state() == QAbstractSocket::ConnectedState) {
            const int id = nextId++;
            socket.sendTextMessage(
                QStringLiteral(R"({"id": %1, "method": "Browser.close"})").arg(id));
            socket.flush();
        }
        if (browser.state() != QProcess::NotRunning && !browser.waitForFinished(CallBoundMs)) {
            browser.kill();
            browser.waitForFinished(CallBoundMs);
        }
        socket.abort();
    }
    DevToolsPage(const DevToolsPage&) = delete;
    DevToolsPage& operator=(const DevToolsPage&) = delete;

    // Opens the url in a fresh browser; on failure says why.
    bool open(const QUrl& url, const QSize& window, QString* why)
    {
        browser.setProgram(QString::fromLatin1(Program));
        browser.setArguments(
            {"--headless", "--no-sandbox", "--disable-gpu", "--no-first-run",
             "--disable-background-networking", "--disable-component-update", "--disable-sync",
             "--hide-scrollbars", "--user-data-dir=" + profile.path(), "--remote-debugging-port=0",
             QStringLiteral("--window-size=%1,%2").arg(window.width()).arg(window.height()),
             url.toString()});
        QByteArray errors;
        QObject::connect(&browser, &QProcess::readyReadStandardError,
                         [&] { errors += browser.readAllStandardError(); });
        browser.start();
        const QRegularExpression listening(
            QStringLiteral("DevTools listening on ws://[^:]+:(\\d+)/"));
        QRegularExpressionMatch m;
        const bool up = QTest::qWaitFor(
            [&] {
                m = listening.match(QString::fromUtf8(errors));
                return m.hasMatch() || browser.state() == QProcess::NotRunning;
            },
            StartBoundMs);
        QObject::disconnect(&browser, &QProcess::readyReadStandardError, nullptr, nullptr);
        if (!up || !m.hasMatch()) {
            *why =
                QStringLiteral("Chromium did not start: ") + QString::fromUtf8(errors.right(500));
            return false;
        }
        const QString target = pageTarget(m.captured(1).toInt());
        if (target.isEmpty()) {
            *why = QStringLiteral("Chromium shows no page");
            return false;
        }
        socket.open(QUrl(target));
        if (!QTest::qWaitFor([&] { return socket.state() == QAbstractSocket::ConnectedState; },
                             CallBoundMs)) {
            *why = QStringLiteral("cannot reach the page over DevTools");
            return false;
        }
        // The viewport exactly as asked, whatever the window around it.
        call("Emulation.setDeviceMetricsOverride", {{"width", window.width()},
                                                    {"height", window.height()},
                                                    {"deviceScaleFactor", 1},
                                                    {"mobile", false}});
        // Let a transparent page stay transparent in screenshots.
        call("Emulation.setDefaultBackgroundColorOverride",
             {{"color", QJsonObject{{"r", 0}, {"g", 0}, {"b", 0}, {"a", 0}}}});
        return true;
    }

    // The value of a script expression in the page.
    QJsonValue evaluate(const QString& expression)
    {
        const QJsonObject r =
            call("Runtime.evaluate", {{"expression", expression}, {"returnByValue", true}});
        return r["result"].toObject()["result"].toObject()["value"];
    }

    // Waits until the expression yields the expected text.
    bool waitFor(const QString& expression, const QString& expected, int boundMs = CallBoundMs)
    {
        return QTest::qWaitFor([&] { return evaluate(expression).toString() == expected; },
                               boundMs);
    }

    QByteArray screenshot()
    {
        const QJsonObject r = call("Page.captureScreenshot", {{"format", "png"}});
        return QByteArray::fromBase64(r["result"].toObject()["data"].toString().toLatin1());
    }

private:
    QJsonObject call(const QString& method, const QJsonObject& params)
    {
        const int id = nextId++;
        const QJsonObject message{{"id", id}, {"method", method}, {"params", params}};
        socket.sendTextMessage(QString::fromUtf8(QJsonDocument(message).toJson()));
        if (!QTest::qWaitFor([&] { return replies.contains(id); }, CallBoundMs))
            return {};
        return replies.take(id);
    }

    // The DevTools address of the page the browser opened.
    static QString pageTarget(int port)
    {
        QNetworkAccessManager net;
        QString found;
        const bool ok = QTest::qWaitFor(
            [&] {
                QNetworkReply* reply = net.get(QNetworkRequest(
                    QUrl(QStringLiteral("http://127.0.0.1:%1/json/list").arg(port))));
                if (!QTest::qWaitFor([&] { return reply->isFinished(); }, CallBoundMs))
                    return false;
                for (const QJsonValue v : QJsonDocument::fromJson(reply->readAll()).array())
                    if (v["type"].toString() == QLatin1String("page"))
                        found = v["webSocketDebuggerUrl"].toString();
                reply->deleteLater();
                return !found.isEmpty();
            },
            CallBoundMs);
        return ok ? found : QString();
    }

    QTemporaryDir profile;
    QProcess browser;
    QWebSocket socket;
    QHash<int, QJsonObject> replies;
    int nextId = 1;
};
