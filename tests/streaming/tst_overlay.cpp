#include "colors.h"
#include "devtoolspage.h"
#include "gamefixture.h"
#include "liveoutput.h"
#include "liveserver.h"
#include "settingvariables.h"
#include "testmain.h"

#include <QImage>

namespace {

QString text(const char* id)
{
    return QStringLiteral("document.getElementById('%1').textContent").arg(id);
}

const QString Connection = QStringLiteral("document.body.dataset.connection");

// A live board served on a free port, and a browser page.
struct Served
{
    GameFixture f;
    LiveOutput* out = nullptr;
    DevToolsPage page;
    Served()
    {
        LiveOutput::Options o;
        o.port = 0;
        out = LiveOutput::start(&f.g(), o);
    }
    bool open(const QString& query, QSize window)
    {
        QString why;
        const QString url = QStringLiteral("http://127.0.0.1:%1/overlay.html%2");
        if (page.open(url.arg(out->server->port()).arg(query), window, &why))
            return true;
        qWarning("%s", qPrintable(why));
        return false;
    }
    void step()
    {
        f.tick();
        out->sampler.sample();
    }
};

} // namespace

// The overlay page in a real browser (headless Chromium), served from a live board: it shows
// the score, follows key presses over its WebSocket and comes back after a restart. Skipped
// where Chromium is not installed.
class TestOverlay : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase()
    {
        if (!QFile::exists(QString::fromLatin1(DevToolsPage::Program)))
            QSKIP("Chromium is not installed (Debian package chromium)");
    }

    void showsTheScoreAfterAKeyPress()
    {
        Served s;
        QVERIFY(s.open(QStringLiteral("?scale=1.5"), {1100, 240}));
        QVERIFY(s.page.waitFor(Connection, "live"));
        QVERIFY(s.page.waitFor(text("clock"), "10:00"));
        QCOMPARE(s.page.evaluate(text("homeName")).toString(), "Home");
        QCOMPARE(s.page.evaluate(text("homeScore")).toString(), "0");
        QTRY_COMPARE(s.out->server->viewerCount(), 1);

        s.f.type(Field::Home, "3\n");
        s.f.type(Field::Visitor, "1\n");
        s.f.type(Field::Period, "2");
        s.f.type(Field::PenaltyPV1, "17\n");
        s.f.type(Field::PenaltyTV1, "2\n");
        s.f.type(Field::Time, "12.34\n");
        s.f.key(Field::Goal, vk::Left);
        s.step();
        QVERIFY(s.page.waitFor(text("homeScore"), "3"));
        QCOMPARE(s.page.evaluate(text("visitorScore")).toString(), "1");
        QCOMPARE(s.page.evaluate(text("clock")).toString(), "12:34");
        QCOMPARE(s.page.evaluate(text("period")).toString(), "2");
        QCOMPARE(s.page.evaluate(text("visitorPen1")).toString(), "172:00");
        QCOMPARE(s.page.evaluate("document.getElementById('homePen1').hidden").toBool(), true);
        QCOMPARE(s.page.evaluate("document.getElementById('homeGoal').className").toString(),
                 "goal lit");

        // A transparent page for the stream, with the bug in the board's own background colour.
        QImage shot;
        QVERIFY(shot.loadFromData(s.page.screenshot(), "PNG"));
        QCOMPARE(shot.pixelColor(1, 1).alpha(), 0);
        bool found = false;
        for (int x = 0; x < shot.width() && !found; x += 4)
            found = shot.pixelColor(x, shot.height() / 4) == toQColor(Settings.FormBack);
        QVERIFY(found);
    }

    void comesBackAfterARestart()
    {
        Served s;
        QVERIFY(s.open(QString(), {900, 200}));
        QVERIFY(s.page.waitFor(text("visitorScore"), "0"));
        const quint16 port = s.out->server->port();

        // The program goes away; the page keeps its last score and waits.
        s.out->server.reset();
        QVERIFY(s.page.waitFor(Connection, "waiting"));
        QCOMPARE(s.page.evaluate(text("visitorScore")).toString(), "0");

        s.f.type(Field::Visitor, "5\n");
        s.out->server = std::make_unique<LiveServer>();
        QVERIFY(s.out->server->listen(QHostAddress::LocalHost, port));
        s.step();
        QVERIFY(s.page.waitFor(text("visitorScore"), "5", 30000));
        QCOMPARE(s.page.evaluate(Connection).toString(), "live");
    }
};

PL_TEST_MAIN(TestOverlay)
#include "tst_overlay.moc"
