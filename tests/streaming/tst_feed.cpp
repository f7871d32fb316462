// SPDX-License-Identifier: GPL-3.0-or-later
#include "boardsampler.h"
#include "feedwriter.h"
#include "folderlock.h"
#include "gamefixture.h"
#include "liveoutput.h"
#include "sizelimit.h"
#include "testmain.h"

#include <QDir>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QRegularExpression>
#include <QSysInfo>
#include <QTemporaryDir>
#include <atomic>
#include <memory>
#include <sys/stat.h>
#include <thread>
#include <utility>

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

// A game that writes a feed into `folder`; each step is a tick and the feed's look at the game.
struct FedGame
{
    GameFixture f;
    QString dir;
    LiveOutput* out = nullptr;
    QHash<QString, ino_t> inodes; // as rewritten() last found them
    explicit FedGame(const QString& folder,
                     const std::function<void(SettingVariables&)>& setup = {})
        : f(setup), dir(folder)
    {
        LiveOutput::Options o;
        o.feedFolder = folder;
        out = LiveOutput::start(&f.g(), o);
    }
    void step(int n = 1)
    {
        for (int i = 0; i < n; ++i) {
            f.tick();
            out->sampler.sample();
        }
    }
    QByteArray file(const QString& name) const { return readAll(dir + '/' + name); }
    QJsonObject state() const { return QJsonDocument::fromJson(file("state.json")).object(); }
    // Every text file's content, in the order of TextNames, joined by '|'.
    QString texts() const
    {
        QStringList all;
        for (const QString& n : TextNames)
            all << QString::fromUtf8(file(n + ".txt"));
        return all.join('|');
    }
    // The files replaced since the last call: a file replaced whole has a new inode number.
    QStringList rewritten()
    {
        QStringList names;
        for (const QString& n : TextNames + QStringList{"state"}) {
            struct stat st
            {};
            const QString path = dir + '/' + n + (n == "state" ? ".json" : ".txt");
            const ino_t now = ::stat(QFile::encodeName(path).constData(), &st) == 0 ? st.st_ino : 0;
            if (std::exchange(inodes[n], now) != now)
                names << n;
        }
        return names;
    }
};

} // namespace

// The feed: the board's state as JSON and text files, following a game as it is played,
// and written whole when the disk or the folder works against it.
class TestFeed : public QObject
{
    Q_OBJECT

    QTemporaryDir tmp;
    QProcess sleeper;    // a live process of another program
    qint64 endedPid = 0; // a process that has ended

    // A lock file as a board of this program writes it, naming process `pid`; other lines
    // given replace those of this computer.
    static QByteArray lockNaming(qint64 pid, const QByteArray& host = {},
                                 const QByteArray& machine = {}, const QByteArray& boot = {})
    {
        QList<QByteArray> lines = FolderLock::contents().split('\n');
        lines[0] = QByteArray::number(pid);
        for (const auto& [i, line] : {std::pair{2, host}, {3, machine}, {4, boot}})
            if (!line.isEmpty())
                lines[i] = line;
        return lines.join('\n');
    }

    static bool writeFile(const QString& path, const QByteArray& bytes)
    {
        QFile f(path);
        return f.open(QIODevice::WriteOnly) && f.write(bytes) == bytes.size();
    }

private Q_SLOTS:
    void initTestCase()
    {
        sleeper.start(QStringLiteral("sleep"), {QStringLiteral("600")});
        QVERIFY(sleeper.waitForStarted());
        QProcess ended;
        ended.start(QStringLiteral("true"));
        QVERIFY(ended.waitForStarted());
        endedPid = ended.processId();
        QVERIFY(ended.waitForFinished());
    }

    void cleanupTestCase()
    {
        sleeper.kill();
        sleeper.waitForFinished();
    }

    // While the clock runs, every look at the game is a tick's: a goal between two ticks is
    // published with the next tick, and the looks after it stay with the ticks rather than
    // coming a moment after each (what the feed and the broker show would then lag the board
    // by that moment, and cost a wake-up of its own). With the ticks stopped, a change held
    // back to keep to the rate is looked at by a timer.
    void looksGoWithTheTicks()
    {
        GameFixture f;
        BoardSampler sampler(&f.g());
        bool inTick = false;
        int looks = 0;
        int tickLooks = 0;
        connect(&sampler, &BoardSampler::changed, this, [&] {
            ++looks;
            tickLooks += inTick;
        });
        sampler.sample();
        sampler.start();
        f.type(Field::Time, "0.30\n");              // tenths: every tick changes the clock
        f.run(Command::of(CommandKind::StartStop)); // the clock runs
        const auto tick = [&] {
            QTest::qWait(BoardSampler::IntervalMs);
            f.time.advanceMs(BoardSampler::IntervalMs);
            inTick = true;
            f.g().tick();
            inTick = false;
        };
        tick();
        looks = tickLooks = 0;
        for (int round = 0; round < 6; ++round) {
            tick();
            QTest::qWait(BoardSampler::IntervalMs * 2 / 5);
            f.run(Command::forTeam(CommandKind::Goal, Team::Home));
            tick();
            tick();
        }
        // 18 ticks, each changing the clock. A look that was not a tick's can only be the
        // timer's, should the event loop have been held up half an interval.
        QVERIFY2(looks - tickLooks <= 2,
                 qPrintable(QStringLiteral("%1 of %2").arg(tickLooks).arg(looks)));
        QVERIFY2(tickLooks >= 15, qPrintable(QStringLiteral("%1 of %2").arg(tickLooks).arg(looks)));
        QCOMPARE(sampler.state().home.score, QStringLiteral("6"));

        // The clock stopped at zero: the ticks stop, and a timer takes the held change.
        f.type(Field::Time, "0.00\n");
        f.tick();
        QVERIFY(!f.s().tickEnabled());
        QTest::qWait(BoardSampler::IntervalMs);
        looks = 0;
        f.run(Command::forTeam(CommandKind::Goal, Team::Visitor));
        QCOMPARE(looks, 1);
        f.run(Command::forTeam(CommandKind::Goal, Team::Visitor));
        QCOMPARE(looks, 1);
        QTRY_COMPARE_WITH_TIMEOUT(looks, 2, 1000);
        QCOMPARE(sampler.state().visitor.score, QStringLiteral("2"));
    }

    // The feed reads the game, not the board's colours: coinciding colours (the clock's upper
    // dot in the background colour, lamps in the board's colour) change nothing. Files are
    // replaced whole: a reader on another thread never finds one missing or half written.
    void followsAScriptedGame()
    {
        const QString name = QStringLiteral("Ice \"Cats\" \\ Ü");
        FedGame g(tmp.filePath("game"), [&](SettingVariables& s) {
            s.HomeText = name;
            s.BorderColor = s.LEDBack;
            s.ScoreColor = s.FormBack;
        });
        std::atomic<int> reads = 0;
        std::atomic<int> bad = 0;
        std::jthread reader([&](const std::stop_token& stop) {
            for (; !stop.stop_requested(); ++reads)
                bad += QJsonDocument::fromJson(readAll(g.dir + "/state.json"))["version"] != 1;
        });
        g.f.type(Field::Time, "1.05\n");
        g.f.type(Field::Home, "3\n");
        g.f.type(Field::Visitor, "+1");
        g.f.type(Field::ShotsHome, "12\n");
        g.f.type(Field::ShotsVisitor, "7\n");
        g.f.type(Field::Period, "2");
        g.f.type(Field::PenaltyPH1, "17\n");
        g.f.type(Field::PenaltyTH1, "2\n");
        g.f.type(Field::PenaltyPV2, "4\n"); // a player with no time yet
        g.f.g().select(Field::Goal);
        g.f.key(Field::Goal, vk::Left);
        QVERIFY(g.f.addWaiting(Team::Visitor, 12, 120));
        g.step();
        QCOMPARE(g.texts(), "1:05|2|" + name + "|3|12|17 2:00||Visitor|1|7||4");
        QCOMPARE(g.file("state.json"), readAll(SCRIPTED_STATE).trimmed()); // every field, once
        // events.json is the game record: the goal lamp typed last is its last entry.
        const QJsonObject events = QJsonDocument::fromJson(g.file("events.json")).object();
        QCOMPARE(events, g.f.g().record().toJson());
        QCOMPARE(events["events"].toArray().last()["kind"], "waitingAdded");

        // The game runs: minutes, then tenths under a minute, down to zero.
        g.f.key(Field::Time, 'S');
        g.step();
        QCOMPARE(g.state()["clock"].toObject()["running"], true);
        g.step(50);
        QCOMPARE(g.texts(), "59.9|2|" + name + "|3|12|17 1:55||Visitor|1|7||4");
        // Time of day while the clock runs, in the board's own hours:minutes form.
        g.f.time.local = QDateTime(QDate(2026, 1, 1), QTime(9, 5));
        g.f.key(Field::Time, 'C');
        g.step();
        QCOMPARE(g.state()["clock"],
                 (QJsonObject{{"text", "9:05"}, {"mode", "timeOfDay"}, {"running", true}}));
        g.f.key(Field::Time, 'C');
        g.step(298);
        QCOMPARE(g.file("clock.txt"), "30.0");
        g.step(302);
        QCOMPARE(g.state()["soundPlaying"], true); // the buzzer at zero
        // At zero nothing counts, and the clock switch waits for a tick that does not come.
        g.f.key(Field::Time, 'C');
        g.step();
        QCOMPARE(g.state()["clock"],
                 (QJsonObject{{"text", "0.0"}, {"mode", "game"}, {"running", false}}));
        reader.request_stop();
        reader.join();
        QVERIFY(reads > 100);
        QCOMPARE(bad.load(), 0);

        // Blank rows read as empty strings.
        g.f.key(Field::Home, vk::Delete);
        g.f.key(Field::PenaltyTH1, vk::Delete);
        g.step();
        QCOMPARE(g.texts(), "0.0|2|" + name + "||12|||Visitor|1|7||4");
    }

    // The folder is made, again when it is removed while the board runs; a file is replaced
    // only when its content changes.
    void writesWhatChanged()
    {
        const QString dir = tmp.filePath("deep/er/feed");
        FedGame g(dir);
        QVERIFY(QDir(dir).removeRecursively());
        g.f.type(Field::Home, "2\n");
        g.step();
        QCOMPARE(g.texts(), "10:00|0|Home|2|0|||Visitor|0|0||");
        QCOMPARE(g.rewritten().size(), TextNames.size() + 1); // state.json as well
        g.step(5);                                            // nothing moves
        QCOMPARE(g.rewritten(), QStringList());
        g.f.type(Field::Home, "+1");
        g.step(3);
        QCOMPARE(g.rewritten(), QStringList({"home_score", "state"}));
        g.f.key(Field::Time, 'S');
        g.step();
        QCOMPARE(g.rewritten(), QStringList({"state"})); // "running" only
        g.step(10);                                      // 9:59 from 10:00: one clock change
        QCOMPARE(g.rewritten(), QStringList({"clock", "state"}));
    }

    // A folder beneath a plain file can never be made: warned once, the board goes on. A second
    // board given a folder in use says so and writes no feed; once the first has gone, the
    // folder is free again.
    void folderProblemsAreQuiet()
    {
        QVERIFY(QFile(tmp.filePath("plain")).open(QIODevice::WriteOnly));
        const QRegularExpression warning(QStringLiteral("cannot write the feed"));
        QTest::ignoreMessage(QtWarningMsg, warning);
        QTest::failOnWarning(warning);
        FedGame unwritable(tmp.filePath("plain/feed"));
        for (int i = 0; i < 3; ++i) {
            unwritable.f.type(Field::Home, "+1");
            unwritable.step();
        }
        QCOMPARE(unwritable.out->feed->writeCount(), 0);

        const QString dir = tmp.filePath("shared");
        auto first = std::make_unique<FedGame>(dir);
        QTest::ignoreMessage(QtWarningMsg,
                             QRegularExpression("feed folder .*shared is in use by another "
                                                "Pucklight board \\(process \\d+\\)"));
        FedGame second(dir);
        QVERIFY(!second.out->feed);
        second.step();
        first.reset();
        QVERIFY(FedGame(dir).out->feed);
    }

    void staleLocksAreTakenOver_data()
    {
        QTest::addColumn<QString>("what");    // "lock", "link", "FIFO"
        QTest::addColumn<QByteArray>("lock"); // the lock's bytes, or what a link points to
        QTest::addColumn<QString>("reason");  // the reason on the terminal line, a pattern
        const qint64 own = QCoreApplication::applicationPid();
        QTest::newRow("empty (a power cut)") << "lock" << QByteArray() << "it is empty";
        QTest::newRow("junk") << "lock"
                              << QByteArray("\x7f"
                                            "ELF\x02\x01\n\0\0")
                              << "it names no board";
        QTest::newRow("cut in its first line") << "lock" << QByteArray("12") << "it names no board";
        QTest::newRow("another computer's")
            << "lock" << lockNaming(own, "rink-pc-2", "0123456789abcdef")
            << "it was left by a board on another computer, rink-pc-2";
        QTest::newRow("a process that has ended")
            << "lock" << lockNaming(endedPid) << "process \\d+ has ended";
        QTest::newRow("another program's process") << "lock" << lockNaming(sleeper.processId())
                                                   << "process \\d+ is another program, sleep";
        if (!QSysInfo::bootUniqueId().isEmpty())
            QTest::newRow("left before the computer last started")
                << "lock" << lockNaming(own, {}, {}, "0a0b0c0d-0000-0000-0000-000000000000")
                << "it was left before this computer last started";
        QTest::newRow("a link to /dev/zero")
            << "link" << QByteArray("/dev/zero") << "it was a link";
        QTest::newRow("a link to a live board's lock")
            << "link" << QByteArray("elsewhere.lock") << "it was a link";
        QTest::newRow("a dangling link") << "link" << QByteArray("gone/nowhere") << "it was a link";
        QTest::newRow("a FIFO") << "FIFO" << QByteArray() << "it was not a regular file";
    }

    // A lock whose board cannot be shown alive is taken over with one line on the terminal, at
    // once: what was a power cut's empty file, junk, another computer's or an ended process's
    // lock, and anything that is not a regular file, which is neither followed nor waited on.
    void staleLocksAreTakenOver()
    {
        QFETCH(QString, what);
        QFETCH(QByteArray, lock);
        QFETCH(QString, reason);
        QTemporaryDir dir;
        const QString path = dir.filePath(".pucklight.lock");
        const QString target = QDir(dir.path()).filePath(QString::fromUtf8(lock));
        const QByteArray live = lockNaming(QCoreApplication::applicationPid());
        if (what == "lock")
            QVERIFY(writeFile(path, lock));
        if (what == "link") {
            QVERIFY(lock != "elsewhere.lock" || writeFile(target, live));
            QVERIFY(QFile::link(target, path));
        }
        if (what == "FIFO")
            QVERIFY(::mkfifo(QFile::encodeName(path).constData(), 0600) == 0);

        QTest::ignoreMessage(QtWarningMsg,
                             QRegularExpression("^pucklight: took over the stale lock .*/"
                                                "\\.pucklight\\.lock \\(" +
                                                reason + "\\)$"));
        FedGame g(dir.path());
        QVERIFY(g.out->feed);
        g.step();
        QCOMPARE(g.file("home_score.txt"), "0");
        QVERIFY(!QFileInfo(path).isSymLink());
        QCOMPARE(readAll(path), FolderLock::contents());
        if (lock == "elsewhere.lock")
            QCOMPARE(readAll(target), live);
        if (lock == "gone/nowhere")
            QVERIFY(!QFileInfo::exists(dir.filePath("gone")));
    }

    // A board that can be shown alive keeps its folder: the one a lock file names (on this
    // computer, since its start, running this program), and the one that holds the file's
    // kernel lock, whatever the file says. Once it has gone, its lock is stale.
    void liveLocksAreKept()
    {
        QTemporaryDir dir;
        const QString path = dir.filePath(".pucklight.lock");
        const QString inUse =
            QStringLiteral("feed folder .* is in use by another Pucklight board ");
        QVERIFY(writeFile(path, lockNaming(QCoreApplication::applicationPid())));
        QTest::ignoreMessage(
            QtWarningMsg, QRegularExpression(inUse + QStringLiteral("\\(process %1\\)")
                                                         .arg(QCoreApplication::applicationPid())));
        QVERIFY(!FedGame(dir.path()).out->feed);
        QVERIFY(QFile::remove(path));

        // flock(1) holds the kernel's lock on an empty file while its command runs: cat, which
        // echoes once the lock is held and ends with its input.
        QProcess holder;
        holder.start(QStringLiteral("flock"),
                     {QStringLiteral("--close"), path, QStringLiteral("cat")});
        QVERIFY(holder.waitForStarted());
        holder.write("held\n");
        QVERIFY(holder.waitForReadyRead());
        QTest::ignoreMessage(QtWarningMsg,
                             QRegularExpression(inUse + QStringLiteral("\\(process unknown\\)")));
        QVERIFY(!FedGame(dir.path()).out->feed);
        holder.closeWriteChannel();
        QVERIFY(holder.waitForFinished());
        QTest::ignoreMessage(QtWarningMsg,
                             QRegularExpression("took over the stale lock .* \\(it is empty\\)"));
        QVERIFY(FedGame(dir.path()).out->feed);
    }

    // Files are replaced whole, never written in place: on a full disk a file keeps its old
    // content, no half-written file is left, and all catch up once there is room. Links in the
    // folder are replaced, not written through.
    void fullDiskKeepsTheOldFilesAndCatchesUp()
    {
        QTemporaryDir dir;
        const QString outside = tmp.filePath("outside.txt");
        QVERIFY(QFile(outside).open(QIODevice::WriteOnly));
        QVERIFY(QFile::link(outside, dir.filePath("state.json")));
        QVERIFY(QFile::link(dir.filePath("nowhere"), dir.filePath("clock.txt")));
        FeedWriter feed(dir.path(), 0);
        const QRegularExpression warning(QStringLiteral("cannot write the feed"));

        // Full from the start: only the empty files can be written.
        BoardState first;
        first.clockText = "10:00";
        first.home.score = "1";
        first.visitor.name = "Visitor";
        {
            FileSizeLimit full(0);
            QTest::ignoreMessage(QtWarningMsg, warning);
            QVERIFY(!feed.write(first, stateJson(first)));
            QVERIFY(!feed.write(first, stateJson(first))); // warned once
        }
        for (const QString& name : QDir(dir.path()).entryList(QDir::Files | QDir::Hidden))
            QCOMPARE(readAll(dir.filePath(name)), "");
        QTRY_COMPARE(readAll(dir.filePath("state.json")), stateJson(first));
        QCOMPARE(readAll(dir.filePath("clock.txt")), "10:00");
        QCOMPARE(readAll(outside), "");
        QVERIFY(!QFile::exists(dir.filePath("nowhere")));

        // Room for a short file only.
        BoardState second = first;
        second.home.score = "2";
        second.visitor.name = "Visitors of the long name";
        {
            FileSizeLimit full(4);
            QTest::ignoreMessage(QtWarningMsg, warning);
            QVERIFY(!feed.write(second, stateJson(second)));
        }
        QCOMPARE(readAll(dir.filePath("home_score.txt")), "2");
        QCOMPARE(readAll(dir.filePath("visitor_name.txt")), "Visitor");
        QCOMPARE(readAll(dir.filePath("state.json")), stateJson(first));
        QCOMPARE(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden).size(),
                 feedFiles(first).size() + 1);
        QTRY_COMPARE(readAll(dir.filePath("state.json")), stateJson(second));
        QCOMPARE(readAll(dir.filePath("visitor_name.txt")), "Visitors of the long name");
    }
};

PL_CORE_TEST_MAIN(TestFeed)
#include "tst_feed.moc"
