// SPDX-License-Identifier: GPL-3.0-or-later
#include "colors.h"
#include "devtoolspage.h"
#include "gamefixture.h"
#include "liveoutput.h"
#include "liveserver.h"
#include "settingvariables.h"
#include "testmain.h"

#include <QImage>

// The overlay page in a real browser (headless Chromium), served from a live board. Skipped
// where Chromium is not installed.
class TestOverlay : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    // The page shows the score, follows key presses over its WebSocket and, after a restart of
    // the program, keeps the last score until it is back.
    void followsTheBoardThroughARestart()
    {
        if (!QFile::exists(QString::fromLatin1(DevToolsPage::Program)))
            QSKIP("Chromium is not installed (Debian package chromium)");
        GameFixture f;
        LiveOutput::Options o;
        o.port = 0;
        LiveOutput* out = LiveOutput::start(&f.g(), o);
        const quint16 port = out->server->port();
        DevToolsPage page;
        const QString failed = page.open(
            QStringLiteral("http://127.0.0.1:%1/overlay.html?scale=1.5").arg(port), {1100, 240});
        QVERIFY2(failed.isEmpty(), qPrintable(failed));
        // Scores, clock, the period's name, a penalty, a blank one and the goal lamp, in one line.
        const QString fields = QStringLiteral(
            "['homeName', 'homeScore', 'visitorScore', 'clock', 'periodName', 'visitorPen1']"
            ".map(id => document.getElementById(id).textContent).join('|') + '|' + "
            "document.getElementById('homePen1').hidden + '|' + "
            "document.getElementById('homeGoal').className");
        const QString connection = QStringLiteral("document.body.dataset.connection");
        QVERIFY(page.waitFor(connection, "live"));
        QVERIFY(page.waitFor(fields, "Home|0|0|10:00|||true|goal"));

        f.type(Field::Home, "3\n");
        f.type(Field::Visitor, "1\n");
        f.type(Field::Period, "2");
        f.type(Field::PenaltyPV1, "17\n");
        f.type(Field::PenaltyTV1, "2\n");
        f.type(Field::Time, "12.34\n");
        f.key(Field::Goal, vk::Left);
        out->sampler.sample();
        const QString scored = QStringLiteral("Home|3|1|12:34|2nd|172:00|true|goal lit");
        QVERIFY(page.waitFor(fields, scored));

        // A transparent page for the stream, with the bug in the board's own background colour.
        QImage shot;
        QVERIFY(shot.loadFromData(page.screenshot(), "PNG"));
        QCOMPARE(shot.pixelColor(1, 1).alpha(), 0);
        bool found = false;
        for (int x = 0; x < shot.width() && !found; x += 4)
            found = shot.pixelColor(x, shot.height() / 4) == toQColor(Settings.FormBack);
        QVERIFY(found);

        out->server.reset();
        QVERIFY(page.waitFor(connection, "waiting"));
        QVERIFY(page.waitFor(fields, scored));
        f.type(Field::Visitor, "5\n");
        out->server = std::make_unique<LiveServer>();
        QVERIFY(out->server->listen(QHostAddress::LocalHost, port));
        out->sampler.sample();
        QVERIFY(page.waitFor(fields, QString(scored).replace("|1|", "|5|")));
        QVERIFY(page.waitFor(connection, "live"));
    }
};

PL_TEST_MAIN(TestOverlay)
#include "tst_overlay.moc"
