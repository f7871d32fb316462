#include "feedwriter.h"
#include "gamefixture.h"
#include "liveoutput.h"
#include "testmain.h"

#include <QDir>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <atomic>
#include <csignal>
#include <memory>
#include <sys/resource.h>
#include <sys/stat.h>
#include <thread>

namespace {

const QStringList TextNames = {"clock",         "period",           "home_name",
                               "home_score",    "home_shots",       "home_penalty1",
                               "home_penalty2", "visitor_name",     "visitor_score",
                               "visitor_shots", "visitor_penalty1", "visitor_penalty2"};

QByteArray readAll(const QString& path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray("<missing>");
}

// A full disk, as far as this process can tell: no file may grow beyond `room` bytes; writing
// past that fails as it does on a full disk.
struct DiskFull
{
    rlimit previous{};
    void (*previousHandler)(int) = std::signal(SIGXFSZ, SIG_IGN);
    explicit DiskFull(rlim_t room)
    {
        getrlimit(RLIMIT_FSIZE, &previous);
        const rlimit limited{room, previous.rlim_max};
        setrlimit(RLIMIT_FSIZE, &limited);
    }
    ~DiskFull()
    {
        setrlimit(RLIMIT_FSIZE, &previous);
        std::signal(SIGXFSZ, previousHandler);
    }
    Q_DISABLE_COPY_MOVE(DiskFull)
};

BoardState scored(const QString& home, const QString& visitorName)
{
    BoardState s;
    s.clockText = QStringLiteral("10:00");
    s.period = QStringLiteral("1");
    s.home.name = QStringLiteral("Home");
    s.home.score = home;
    s.visitor.name = visitorName;
    s.visitor.score = QStringLiteral("0");
    return s;
}

// A game that writes a feed into `folder`, played by the test: keys on its fields (each
// selected first, as a click would), and ticks with the feed's look at the game.
struct FedGame
{
    GameFixture f;
    QString dir;
    LiveOutput* out = nullptr;
    explicit FedGame(const QString& folder,
                     const std::function<void(SettingVariables&)>& setup = {})
        : f(setup), dir(folder)
    {
        LiveOutput::Options o;
        o.feedFolder = folder;
        out = LiveOutput::start(&f.g(), o);
    }
    void press(Field field, const char* keys)
    {
        f.g().select(field);
        f.type(field, keys);
    }
    void press(Field field, int16_t code)
    {
        f.g().select(field);
        f.key(field, code);
    }
    void step(int n = 1)
    {
        for (int i = 0; i < n; ++i) {
            f.tick();
            out->sampler.sample();
        }
    }
    QByteArray file(const QString& name) const { return readAll(dir + '/' + name); }
    // The value in state.json at a path of keys and indexes, "home/penalties/0".
    QJsonValue value(const QString& path) const
    {
        QJsonValue v = QJsonDocument::fromJson(file("state.json")).object();
        for (const QString& key : path.split('/'))
            v = v.isArray() ? v[key.toInt()] : v[key];
        return v;
    }
    // Every text file's content, in the order of TextNames, joined by '|'.
    QString texts() const
    {
        QStringList all;
        for (const QString& n : TextNames)
            all << QString::fromUtf8(file(n + ".txt"));
        return all.join('|');
    }
    // Inode numbers of the feed files: an atomic rewrite puts a new file in place, so a file
    // whose number stays the same has not been written.
    QHash<QString, ino_t> inodes() const
    {
        QHash<QString, ino_t> found;
        for (const QString& n : TextNames + QStringList{"state"}) {
            struct stat st
            {};
            const QString path = dir + '/' + n + (n == "state" ? ".json" : ".txt");
            if (::stat(QFile::encodeName(path).constData(), &st) == 0)
                found.insert(n, st.st_ino);
        }
        return found;
    }
};

QStringList rewritten(const QHash<QString, ino_t>& before, const QHash<QString, ino_t>& after)
{
    QStringList names;
    for (auto it = after.begin(); it != after.end(); ++it)
        if (before.value(it.key()) != it.value())
            names << it.key();
    names.sort();
    return names;
}

} // namespace

// The feed: the board's state as JSON and text files, following a game as it is played,
// and written whole when the disk or the folder works against it.
class TestFeed : public QObject
{
    Q_OBJECT

    QTemporaryDir tmp;

private Q_SLOTS:
    void startsAsTheBoardShows()
    {
        FedGame g(tmp.filePath("start"));
        QCOMPARE(g.file("state.json"),
                 QByteArray(R"({"version": 1, "caption": "Pucklight - Home", )"
                            R"("clock": {"text": "10:00", "mode": "game", "running": false}, )"
                            R"("period": "0", )"
                            R"("home": {"name": "Home", "score": "0", "shots": "0", )"
                            R"("goalLamp": false, "penalties": [)"
                            R"({"player": "", "time": "", "lamp": false}, )"
                            R"({"player": "", "time": "", "lamp": false}], "waiting": []}, )"
                            R"("visitor": {"name": "Visitor", "score": "0", "shots": "0", )"
                            R"("goalLamp": false, "penalties": [)"
                            R"({"player": "", "time": "", "lamp": false}, )"
                            R"({"player": "", "time": "", "lamp": false}], "waiting": []}, )"
                            R"("soundPlaying": false, "selected": "TimeBack"})"));
        QCOMPARE(g.texts(), "10:00|0|Home|0|0|||Visitor|0|0||");
    }

    // The feed reads the game, not the board's colours: coinciding colours (the clock's upper
    // dot in the background colour, lamps in the board's colour) change nothing.
    void followsAScriptedGame()
    {
        const QString name = QStringLiteral("Ice \"Cats\" \\ Ü");
        FedGame g(tmp.filePath("game"), [&](SettingVariables& s) {
            s.HomeText = name;
            s.BorderColor = s.LEDBack;
            s.ScoreColor = s.FormBack;
        });
        g.press(Field::Time, "1.05\n");
        g.press(Field::Home, "3\n");
        g.press(Field::Visitor, "+1");
        g.press(Field::ShotsHome, "12\n");
        g.press(Field::ShotsVisitor, "7\n");
        g.press(Field::Period, "2");
        g.press(Field::PenaltyPH1, "17\n");
        g.press(Field::PenaltyTH1, "2\n");
        g.press(Field::PenaltyPV2, "4\n"); // a player with no time yet
        g.press(Field::Goal, vk::Left);
        g.step();
        QCOMPARE(g.texts(), "1:05|2|" + name + "|3|12|17 2:00||Visitor|1|7||4");
        QCOMPARE(g.value("caption"), "Pucklight - " + name);
        QCOMPARE(g.value("home/name"), name);
        QCOMPARE(g.value("home/goalLamp"), true);
        QCOMPARE(g.value("visitor/goalLamp"), false);
        QCOMPARE(g.value("selected"), "picGoalBack");
        QCOMPARE(g.value("home/penalties/0"),
                 (QJsonObject{{"player", "17"}, {"time", "2:00"}, {"lamp", true}}));
        QCOMPARE(g.value("visitor/penalties/1"),
                 (QJsonObject{{"player", "4"}, {"time", ""}, {"lamp", false}}));
        QVERIFY(g.f.g().addWaitingPenalty(Team::Visitor, 12, ClockValue::whole(120)));
        g.step();
        QCOMPARE(g.value("visitor/waiting"),
                 (QJsonArray{QJsonObject{{"player", "12"}, {"time", "2:00"}}}));

        // The game runs: minutes, then tenths under a minute, down to zero.
        g.press(Field::Time, 'S');
        g.step();
        QCOMPARE(g.value("clock"),
                 (QJsonObject{{"text", "1:05"}, {"mode", "game"}, {"running", true}})); // 64.9 s
        g.step(50);
        QCOMPARE(g.texts(), "59.9|2|" + name + "|3|12|17 1:55||Visitor|1|7||4");

        // Time of day while the clock runs, in the board's own hours:minutes form.
        g.f.time.local = QDateTime(QDate(2026, 1, 1), QTime(9, 5));
        g.press(Field::Time, 'C');
        g.step();
        QCOMPARE(g.value("clock"),
                 (QJsonObject{{"text", "9:05"}, {"mode", "timeOfDay"}, {"running", true}}));
        g.press(Field::Time, 'C');
        g.step(600);
        QCOMPARE(g.value("clock/mode"), "game");
        QCOMPARE(g.file("clock.txt"), "0.0");
        QCOMPARE(g.value("soundPlaying"), true); // the buzzer at zero

        // Blank rows read as empty strings.
        g.press(Field::Home, vk::Delete);
        g.press(Field::PenaltyTH1, vk::Delete);
        g.step();
        QCOMPARE(g.texts(), "0.0|2|" + name + "||12|||Visitor|1|7||4");
        QCOMPARE(g.value("home/penalties/0"),
                 (QJsonObject{{"player", ""}, {"time", ""}, {"lamp", false}}));
    }

    void rewritesOnlyWhatChanged()
    {
        FedGame g(tmp.filePath("changes"));
        auto before = g.inodes();
        QCOMPARE(before.size(), TextNames.size() + 1);
        g.step(5); // nothing moves
        QCOMPARE(rewritten(before, g.inodes()), QStringList());

        g.f.type(Field::Home, "1\n");
        g.step(3);
        auto after = g.inodes();
        QCOMPARE(rewritten(before, after), QStringList({"home_score", "state"}));

        // A running clock rewrites the clock and the state each tick, nothing else.
        before = after;
        g.f.key(Field::Time, 'S');
        g.step();
        after = g.inodes();
        QCOMPARE(rewritten(before, after), QStringList({"state"})); // "running" only
        g.step(10); // 9:59 from 10:00: one clock change
        QCOMPARE(rewritten(after, g.inodes()), QStringList({"clock", "state"}));
    }

    // Files are replaced whole, never rewritten in place or removed first: a reader never
    // finds one missing or half written.
    void readersNeverSeeHalfAFile()
    {
        FedGame g(tmp.filePath("readers"));
        std::atomic<bool> stop = false;
        std::atomic<int> reads = 0;
        std::atomic<int> bad = 0;
        std::thread reader([&] {
            for (; !stop; ++reads)
                bad += QJsonDocument::fromJson(readAll(g.dir + "/state.json"))["version"] != 1;
        });
        g.f.type(Field::Time, "1\n");
        g.f.key(Field::Time, 'S');
        g.step(600);
        stop = true;
        reader.join();
        QVERIFY(reads > 100);
        QCOMPARE(bad.load(), 0);
    }

    void unwritableFolderIsQuiet()
    {
        // A folder beneath a plain file can never be made: warned once, the board goes on.
        QFile plain(tmp.filePath("plain"));
        QVERIFY(plain.open(QIODevice::WriteOnly));
        plain.close();
        const QRegularExpression warning(QStringLiteral("cannot write the feed"));
        QTest::ignoreMessage(QtWarningMsg, warning);
        QTest::failOnWarning(warning);
        FedGame g(tmp.filePath("plain/feed"));
        for (int i = 0; i < 5; ++i) {
            g.f.type(Field::Home, "+1");
            g.step();
        }
        QCOMPARE(g.out->feed->writeCount(), 0);
        QCOMPARE(rowText(g.f.s().row(Field::Home)), "5");
    }

    // One board per folder: a second board given the same folder says so and leaves it to the
    // first, but runs; once the first has gone, the folder is free again.
    void oneBoardPerFolder()
    {
        const QString dir = tmp.filePath("shared");
        auto first = std::make_unique<FedGame>(dir);
        QTest::ignoreMessage(QtWarningMsg,
                             QRegularExpression("feed folder .*shared is in use by another "
                                                "Pucklight board \\(process \\d+\\)"));
        FedGame second(dir);
        QVERIFY(!second.out->feed);
        second.press(Field::Home, "7\n");
        second.step();
        QCOMPARE(rowText(second.f.s().row(Field::Home)), "7");
        first->press(Field::Home, "3\n");
        first->step();
        QCOMPARE(first->file("home_score.txt"), "3");
        first.reset();
        FedGame third(dir);
        QVERIFY(third.out->feed);
        QCOMPARE(third.file("home_score.txt"), "0");
    }

    void missingFolderIsMade()
    {
        const QString dir = tmp.filePath("deep/er/feed");
        FedGame g(dir);
        QCOMPARE(g.file("clock.txt"), "10:00");
        // Removed while the program runs: made again, all of it, at the next change.
        QVERIFY(QDir(dir).removeRecursively());
        g.f.type(Field::Home, "2\n");
        g.step();
        QCOMPARE(g.texts(), "10:00|0|Home|2|0|||Visitor|0|0||");
        QCOMPARE(g.inodes().size(), TextNames.size() + 1);
    }

    // How the files are written when the disk or the folder works against them.
    void fullDiskKeepsTheOldFilesAndCatchesUp()
    {
        QTemporaryDir dir;
        FeedWriter feed(dir.path(), 0);
        const QRegularExpression warning(QStringLiteral("cannot write the feed"));
        const auto everyFileHolds = [&](const BoardState& s) {
            if (readAll(dir.filePath("state.json")) != stateJson(s))
                return false;
            for (const auto& [name, content] : feedFiles(s))
                if (readAll(dir.filePath(name)) != content)
                    return false;
            return true;
        };

        // Full from the start: no file left half-written; once there is room, all are written.
        const BoardState first = scored("1", "Visitor");
        {
            DiskFull full(0);
            QTest::ignoreMessage(QtWarningMsg, warning);
            QVERIFY(!feed.write(first, stateJson(first)));
            QVERIFY(!feed.write(first, stateJson(first))); // warned once
        }
        // Only the empty ones (no penalties) could be written.
        for (const QString& name : QDir(dir.path()).entryList(QDir::Files | QDir::Hidden))
            QCOMPARE(readAll(dir.filePath(name)), "");
        QTRY_VERIFY(everyFileHolds(first));

        // Room for a short file only: the long ones keep their old content whole (a reader
        // never sees half a file), and catch up later.
        const BoardState second = scored("2", "Visitors of the long name");
        {
            DiskFull full(4);
            QTest::ignoreMessage(QtWarningMsg, warning);
            QVERIFY(!feed.write(second, stateJson(second)));
        }
        QCOMPARE(readAll(dir.filePath("home_score.txt")), "2");
        QCOMPARE(readAll(dir.filePath("visitor_name.txt")), "Visitor");
        QCOMPARE(readAll(dir.filePath("state.json")), stateJson(first));
        QCOMPARE(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden).size(),
                 feedFiles(first).size() + 1); // no half-written files left behind
        QTRY_VERIFY(everyFileHolds(second));
    }

    void linksAreReplacedNotFollowed()
    {
        QTemporaryDir dir;
        const QString outside = dir.filePath("outside.txt");
        QFile victim(outside);
        QVERIFY(victim.open(QIODevice::WriteOnly));
        victim.write("keep me");
        victim.close();
        QVERIFY(QDir().mkpath(dir.filePath("feed")));
        QVERIFY(QFile::link(outside, dir.filePath("feed/state.json")));
        QVERIFY(QFile::link(dir.filePath("nowhere"), dir.filePath("feed/clock.txt")));

        FeedWriter feed(dir.filePath("feed"));
        const BoardState s = scored("3", "Visitor");
        QVERIFY(feed.write(s, stateJson(s)));
        QCOMPARE(readAll(outside), "keep me");
        QVERIFY(!QFile::exists(dir.filePath("nowhere")));
        for (const char* name : {"feed/state.json", "feed/clock.txt"})
            QVERIFY(!QFileInfo(dir.filePath(name)).isSymLink());
        QCOMPARE(readAll(dir.filePath("feed/state.json")), stateJson(s));
        QCOMPARE(readAll(dir.filePath("feed/clock.txt")), "10:00");
    }
};

PL_CORE_TEST_MAIN(TestFeed)
#include "tst_feed.moc"
