#include "boardfixture.h"
#include "feedwriter.h"
#include "label.h"
#include "liveoutput.h"
#include "testmain.h"

#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <atomic>
#include <sys/stat.h>
#include <thread>

namespace {

const QStringList FeedNames = {
    "state.json",           "clock.txt",         "period.txt",        "home_name.txt",
    "home_score.txt",       "home_shots.txt",    "home_penalty1.txt", "home_penalty2.txt",
    "visitor_name.txt",     "visitor_score.txt", "visitor_shots.txt", "visitor_penalty1.txt",
    "visitor_penalty2.txt",
};

QByteArray readAll(const QString& path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray("<missing>");
}

// Inode numbers of the feed files: an atomic rewrite puts a new file in place, so a file
// whose number stays the same has not been written.
QHash<QString, ino_t> inodes(const QString& dir)
{
    QHash<QString, ino_t> out;
    for (const QString& n : FeedNames) {
        struct stat st
        {};
        if (::stat(QFile::encodeName(dir + '/' + n).constData(), &st) == 0)
            out.insert(n, st.st_ino);
    }
    return out;
}

QStringList rewritten(const QHash<QString, ino_t>& before, const QHash<QString, ino_t>& after)
{
    QStringList names;
    for (const QString& n : FeedNames)
        if (before.value(n) != after.value(n))
            names << n;
    return names;
}

int feedWarnings = 0;
QtMessageHandler previousHandler = nullptr;
void countFeedWarnings(QtMsgType type, const QMessageLogContext& ctx, const QString& msg)
{
    if (msg.contains(QLatin1String("cannot write the feed")))
        ++feedWarnings;
    else if (previousHandler)
        previousHandler(type, ctx, msg);
}

} // namespace

// The feed: the board's state as JSON and text files, following a game as it is played.
class TestFeed : public QObject
{
    Q_OBJECT

    QTemporaryDir tmp;

    struct Game
    {
        BoardFixture f;
        QString dir;
        LiveOutput* out = nullptr;
        explicit Game(const QString& folder) : dir(folder)
        {
            LiveOutput::Options o;
            o.feedFolder = folder;
            out = LiveOutput::start(&f.b(), o);
        }
        frmScoreBoard& b() { return f.b(); }
        // The operator selects a field and types on it.
        void press(QWidget* field, const char* keys)
        {
            field->setFocus();
            f.type(field, keys);
        }
        void press(QWidget* field, Qt::Key k)
        {
            field->setFocus();
            QTest::keyClick(field, k);
        }
        // One tick of the board and of the feed.
        void step(int n = 1)
        {
            for (int i = 0; i < n; ++i) {
                f.tick();
                out->sampler.sample();
            }
        }
        QJsonObject state() const { return QJsonDocument::fromJson(file("state.json")).object(); }
        QByteArray file(const QString& name) const { return readAll(dir + '/' + name); }
        QString clock() const { return state()["clock"].toObject()["text"].toString(); }
    };

private Q_SLOTS:
    void startsAsTheBoardShows()
    {
        Game g(tmp.filePath("start"));
        QCOMPARE(g.file("state.json"),
                 QByteArray(R"({"version": 1, "caption": "Pucklight - Home", )"
                            R"("clock": {"text": "10:00", "mode": "game", "running": false}, )"
                            R"("period": "0", )"
                            R"("home": {"name": "Home", "score": "0", "shots": "0", )"
                            R"("goalLamp": false, "penalties": [)"
                            R"({"player": "", "time": "", "lamp": false}, )"
                            R"({"player": "", "time": "", "lamp": false}]}, )"
                            R"("visitor": {"name": "Visitor", "score": "0", "shots": "0", )"
                            R"("goalLamp": false, "penalties": [)"
                            R"({"player": "", "time": "", "lamp": false}, )"
                            R"({"player": "", "time": "", "lamp": false}]}, )"
                            R"("soundPlaying": false, "selected": "TimeBack"})"));
        QCOMPARE(g.file("clock.txt"), QByteArray("10:00"));
        QCOMPARE(g.file("home_name.txt"), QByteArray("Home"));
        QCOMPARE(g.file("visitor_score.txt"), QByteArray("0"));
        QCOMPARE(g.file("home_penalty1.txt"), QByteArray(""));
    }

    void followsAScriptedGame()
    {
        Game g(tmp.filePath("game"));
        frmScoreBoard& b = g.b();

        g.press(b.TimeBack, "1.05\n");
        g.step();
        QCOMPARE(g.clock(), "1:05");
        QCOMPARE(g.file("clock.txt"), QByteArray("1:05"));

        g.press(b.HomeBack, "3\n");
        g.press(b.VisitorBack, "+1");
        g.press(b.ShotsBackH, "12\n");
        g.press(b.ShotsBackV, "7\n");
        g.press(b.PeriodBack, "2");
        g.press(b.PenaltyPH1, "17\n");
        g.press(b.PenaltyTH1, "2\n");
        g.press(b.PenaltyPV2, "4\n"); // a player with no time yet
        g.press(b.picGoalBack, Qt::Key_Left);
        g.step();
        const QJsonObject s = g.state();
        const QJsonObject home = s["home"].toObject();
        const QJsonObject visitor = s["visitor"].toObject();
        QCOMPARE(home["score"].toString(), "3");
        QCOMPARE(visitor["score"].toString(), "1");
        QCOMPARE(home["shots"].toString(), "12");
        QCOMPARE(visitor["shots"].toString(), "7");
        QCOMPARE(s["period"].toString(), "2");
        QCOMPARE(home["goalLamp"].toBool(), true);
        QCOMPARE(visitor["goalLamp"].toBool(), false);
        QCOMPARE(s["selected"].toString(), "picGoalBack");
        const QJsonObject p1 = home["penalties"].toArray()[0].toObject();
        QCOMPARE(p1["player"].toString(), "17");
        QCOMPARE(p1["time"].toString(), "2:00");
        QCOMPARE(p1["lamp"].toBool(), true);
        const QJsonObject v2 = visitor["penalties"].toArray()[1].toObject();
        QCOMPARE(v2["player"].toString(), "4");
        QCOMPARE(v2["time"].toString(), "");
        QCOMPARE(v2["lamp"].toBool(), false);
        QCOMPARE(g.file("home_score.txt"), QByteArray("3"));
        QCOMPARE(g.file("home_shots.txt"), QByteArray("12"));
        QCOMPARE(g.file("period.txt"), QByteArray("2"));
        QCOMPARE(g.file("home_penalty1.txt"), QByteArray("17 2:00"));
        QCOMPARE(g.file("home_penalty2.txt"), QByteArray(""));
        QCOMPARE(g.file("visitor_penalty2.txt"), QByteArray("4"));

        // The game runs: minutes, then tenths under a minute, down to zero.
        g.press(b.TimeBack, Qt::Key_S);
        g.step();
        QCOMPARE(g.state()["clock"].toObject()["running"].toBool(), true);
        QCOMPARE(g.state()["selected"].toString(), "TimeBack");
        QCOMPARE(g.clock(), "1:05"); // 64.9 s, rounded up
        g.step(50);
        QCOMPARE(g.clock(), "59.9");
        QCOMPARE(g.file("clock.txt"), QByteArray("59.9"));
        const QJsonObject running = g.state()["home"].toObject()["penalties"][0].toObject();
        QCOMPARE(running["time"].toString(), "1:55");

        // Time of day while the clock runs, in the board's own hours:minutes form.
        g.f.time.local = QDateTime(QDate(2026, 1, 1), QTime(9, 5));
        QTest::keyClick(b.TimeBack, Qt::Key_C);
        g.step();
        QCOMPARE(g.clock(), "9:05");
        QCOMPARE(g.state()["clock"].toObject()["mode"].toString(), "timeOfDay");
        QTest::keyClick(b.TimeBack, Qt::Key_C);
        g.step();
        QCOMPARE(g.state()["clock"].toObject()["mode"].toString(), "game");

        g.step(600);
        QCOMPARE(g.clock(), "0.0");
        QCOMPARE(g.file("clock.txt"), QByteArray("0.0"));

        // Blank rows read as empty strings.
        g.press(b.HomeBack, Qt::Key_Delete);
        g.press(b.PenaltyTH1, Qt::Key_Delete);
        g.step();
        const QJsonObject cleared = g.state()["home"].toObject();
        QCOMPARE(cleared["score"].toString(), "");
        QCOMPARE(cleared["penalties"][0].toObject()["player"].toString(), "");
        QCOMPARE(cleared["penalties"][0].toObject()["time"].toString(), "");
        QCOMPARE(cleared["penalties"][0].toObject()["lamp"].toBool(), false);
        QCOMPARE(g.file("home_score.txt"), QByteArray(""));
        QCOMPARE(g.file("home_penalty1.txt"), QByteArray(""));
        QCOMPARE(g.state()["selected"].toString(), "PenaltyTH1");
    }

    void namesCaptionAndSoundAsShown()
    {
        Game g(tmp.filePath("names"));
        frmScoreBoard& b = g.b();
        Settings.HomeText = QStringLiteral("Ice \"Cats\" \\ Ü");
        b.UpdateLabels();
        b.BuzzerPlaying = -1;
        g.step();
        const QJsonObject s = g.state();
        QCOMPARE(s["caption"].toString(), QStringLiteral("Pucklight - Ice \"Cats\" \\ Ü"));
        QCOMPARE(s["home"].toObject()["name"].toString(), QStringLiteral("Ice \"Cats\" \\ Ü"));
        QCOMPARE(s["soundPlaying"].toBool(), true);
        QCOMPARE(g.file("home_name.txt"), QStringLiteral("Ice \"Cats\" \\ Ü").toUtf8());
    }

    void rewritesOnlyWhatChanged()
    {
        Game g(tmp.filePath("changes"));
        frmScoreBoard& b = g.b();
        auto before = inodes(g.dir);
        QCOMPARE(before.size(), FeedNames.size());

        g.step(5); // nothing moves
        QCOMPARE(rewritten(before, inodes(g.dir)), QStringList());

        g.f.type(b.HomeBack, "1\n");
        g.step(3);
        auto after = inodes(g.dir);
        QCOMPARE(rewritten(before, after), QStringList({"state.json", "home_score.txt"}));

        // A running clock rewrites the clock and the state each tick, nothing else.
        before = after;
        QTest::keyClick(b.TimeBack, Qt::Key_S);
        g.step();
        after = inodes(g.dir);
        QCOMPARE(rewritten(before, after), QStringList({"state.json"})); // "running" only
        before = after;
        g.step(10); // 9:59 from 10:00: one clock change
        QCOMPARE(rewritten(before, inodes(g.dir)), QStringList({"state.json", "clock.txt"}));
    }

    void readersNeverSeeHalfAFile()
    {
        Game g(tmp.filePath("readers"));
        frmScoreBoard& b = g.b();
        std::atomic<bool> stop = false;
        std::atomic<int> reads = 0;
        std::atomic<int> bad = 0;
        const QString json = g.dir + "/state.json";
        const QString clock = g.dir + "/clock.txt";
        std::thread reader([&] {
            const QRegularExpression clockForm(QStringLiteral("^\\d{1,2}[:.]\\d{1,2}$"));
            while (!stop) {
                QFile f(json);
                const QByteArray data = f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
                QJsonParseError error{};
                const QJsonDocument doc = QJsonDocument::fromJson(data, &error);
                if (error.error != QJsonParseError::NoError || doc["version"].toInt() != 1)
                    ++bad;
                QFile c(clock);
                if (!c.open(QIODevice::ReadOnly) ||
                    !clockForm.match(QString::fromUtf8(c.readAll())).hasMatch())
                    ++bad;
                ++reads;
            }
        });
        g.f.type(b.TimeBack, "2\n");
        QTest::keyClick(b.TimeBack, Qt::Key_S);
        for (int i = 0; i < 1300; ++i) {
            g.step();
            if (i % 50 == 0)
                g.f.type(b.HomeBack, "+1");
        }
        stop = true;
        reader.join();
        QVERIFY(reads > 100);
        QCOMPARE(bad.load(), 0);
        QCOMPARE(g.clock(), "0.0");
    }

    void unwritableFolderIsQuiet()
    {
        // A folder beneath a plain file can never be made, whoever runs the test.
        QFile plain(tmp.filePath("plain"));
        QVERIFY(plain.open(QIODevice::WriteOnly));
        plain.close();
        feedWarnings = 0;
        previousHandler = qInstallMessageHandler(countFeedWarnings);
        {
            Game g(tmp.filePath("plain/feed"));
            for (int i = 0; i < 5; ++i) {
                g.f.type(g.b().HomeBack, "+1");
                g.step();
            }
            QCOMPARE(g.out->feed->writeCount(), 0);
            QCOMPARE(rowText(g.b().pledHome), "5"); // the board goes on
        }
        qInstallMessageHandler(previousHandler);
        QCOMPARE(feedWarnings, 1);
    }

    void missingFolderIsMade()
    {
        const QString dir = tmp.filePath("deep/er/feed");
        Game g(dir);
        QCOMPARE(g.file("clock.txt"), QByteArray("10:00"));
        // Removed while the program runs: made again at the next change.
        QVERIFY(QDir(dir).removeRecursively());
        g.f.type(g.b().HomeBack, "2\n");
        g.step();
        QCOMPARE(g.file("home_score.txt"), QByteArray("2"));
        QCOMPARE(g.file("clock.txt"), QByteArray("10:00"));
        QCOMPARE(inodes(dir).size(), FeedNames.size());
    }
};

PL_TEST_MAIN(TestFeed)
#include "tst_feed.moc"
