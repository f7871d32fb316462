// SPDX-License-Identifier: GPL-3.0-or-later
#include "folderlock.h"
#include "gamefile.h"
#include "gamefixture.h"
#include "program.h"
#include "sizelimit.h"
#include "testmain.h"

#include <QFile>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QRandomGenerator>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <csignal>

namespace {

QByteArray readAll(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

// `json` with the values of `patch` put in; an object meets an object by merging.
QJsonObject merged(QJsonObject json, const QJsonObject& patch)
{
    for (auto it = patch.begin(); it != patch.end(); ++it)
        json[it.key()] = json[it.key()].isObject() && it->isObject()
                             ? QJsonValue(merged(json[it.key()].toObject(), it->toObject()))
                             : it.value();
    return json;
}

} // namespace

class tst_GameFile : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void roundTrip_data()
    {
        QTest::addColumn<bool>("timeOfDay");
        QTest::addColumn<bool>("runDown");
        QTest::newRow("clocks running") << false << false;
        QTest::newRow("time of day") << true << false;
        QTest::newRow("run down to zero") << false << true;
    }

    // The whole board comes back, half-typed entries too; running clocks stopped where they were.
    void roundTrip()
    {
        QFETCH(bool, timeOfDay);
        QFETCH(bool, runDown);
        // Scores, shots, period, two penalties, one of them held while the clock runs.
        GameFixture f;
        f.type(Field::Home, "3\n");
        f.type(Field::ShotsVisitor, "17\n");
        f.type(Field::Period, "2");
        f.type(Field::PenaltyPH1, "12\n");
        f.type(Field::PenaltyTH1, "2.00\n");
        f.type(Field::PenaltyPV2, "7\n");
        f.type(Field::PenaltyTV2, "5.00\n");
        f.g().toggleGoalLamp(GoalLamp::Visitor);
        f.key(Field::Time, f.settings.StartStopClockKey);
        f.key(Field::PenaltyTV2, f.settings.SepTimeKey);
        f.tick(73);
        if (timeOfDay || runDown)
            f.key(Field::Time, f.settings.StartStopClockKey);
        if (timeOfDay)
            f.key(Field::Time, f.settings.ClockSwitchKey);
        if (runDown) {
            // At zero the tick stops, and the penalties stand where it left them.
            f.type(Field::Time, "0.05\n");
            f.key(Field::Time, f.settings.StartStopClockKey);
            f.tick(60);
            f.time.advanceMs(30000);
            QVERIFY(!f.g().clockRunning());
        }
        f.addWaiting(Team::Visitor, 21, 240);
        f.type(Field::PenaltyTH2, "1.3"); // not entered yet
        f.type(Field::ShotsHome, "1");
        f.tick();
        const GameState before = f.s();

        QString fault;
        std::array<ClockValue, ClockCount> readings;
        for (int i = 0; i < ClockCount; ++i)
            readings[size_t(i)] = runDown ? before.clocks.LastReading(i) : f.clock(i);
        const QDateTime savedAt(QDate(2026, 3, 1), QTime(20, 15));
        const auto loaded = gamejson::fromBytes(
            gamejson::toBytes(gamejson::toJson(before, f.g().record(), savedAt)), &fault);
        QVERIFY2(loaded, qPrintable(fault));
        QCOMPARE(loaded->savedAt, savedAt);
        for (int i = 0; i < ClockCount; ++i)
            QCOMPARE(loaded->running[size_t(i)], before.clocks.IsRunning(i) && !runDown);

        GameFixture resumed;
        resumed.g().resume(loaded->state, loaded->record);
        QCOMPARE(resumed.g().record(), f.g().record());
        QVERIFY(resumed.allRunning(false));
        for (int i = 0; i < ClockCount; ++i)
            QCOMPARE(resumed.clock(i), readings[size_t(i)]);
        GameState expected = before;
        expected.clocks = resumed.s().clocks;
        // The resumed board refreshes its displays, without a second buzzer, and plays no sound.
        if (expected.clockState == ClockState::Halted)
            expected.clockState = ClockState::AtZero;
        expected.sounding = Sound::None;
        QCOMPARE(resumed.s(), expected);

        resumed.key(Field::Time, resumed.settings.StartStopClockKey);
        resumed.tick(10);
        QCOMPARE(resumed.clock(GameClock),
                 std::max(readings[GameClock] - ClockValue::whole(1), ClockValue()));
        QVERIFY(resumed.effects.isEmpty());
    }

    void badFilesAreRefused_data()
    {
        const QByteArray good = readAll(QStringLiteral(PL_GAMEFILE_SEEDS "/mid-game.json"));
        QTest::addColumn<QByteArray>("file");
        QTest::newRow("array") << QByteArray("[1, 2]");
        // A real file with one value out of place: badgames.json holds the changes.
        const QJsonObject all = QJsonDocument::fromJson(readAll(PL_BAD_GAMES)).object();
        QVERIFY(all.size() > 10);
        const QJsonObject json = QJsonDocument::fromJson(good).object();
        for (auto it = all.begin(); it != all.end(); ++it)
            QTest::newRow(qPrintable(it.key()))
                << QJsonDocument(merged(json, it->toObject())).toJson();
        // Every cut of a real file; a crash on reading half a file would show here.
        for (qsizetype n = 0; n < good.size() - 2; ++n)
            QTest::addRow("cut at %lld", qlonglong(n)) << good.left(n);
    }
    void badFilesAreRefused()
    {
        QFETCH(QByteArray, file);
        QString fault;
        QVERIFY(!gamejson::fromBytes(file, &fault));
        QVERIFY(!fault.isEmpty());
    }

    // The fuzzer starts from games the program reads; a change of the format must update them.
    void fuzzSeedsAreGames()
    {
        const QDir seeds(QStringLiteral(PL_GAMEFILE_SEEDS));
        const QStringList names = seeds.entryList(QDir::Files);
        QVERIFY(names.size() >= 3);
        for (const QString& name : names) {
            QString fault;
            QVERIFY2(gamejson::fromBytes(readAll(seeds.filePath(name)), &fault),
                     qPrintable(name + ": " + fault));
        }
    }

    // Written on each change, once a second while only time passes, else never; a failed write
    // warns once and keeps the good file; a new game and an unreadable file are moved aside.
    void theFileOnDisk()
    {
        gamejson::Loaded fresh;
        fresh.state = GameFixture().s();
        QVERIFY(!GameFile::differsFromNewBoard(fresh));
        QTest::failOnWarning(QRegularExpression(QStringLiteral(".")));
        QTemporaryDir dir;
        GameFixture f;
        GameFile file(dir.filePath(QStringLiteral("state/game.json")));
        file.follow(&f.g());
        f.tick(21);
        QVERIFY(file.waitUntilWritten());
        QCOMPARE(file.writeCount(), 1);

        f.type(Field::Home, "5\n");
        QVERIFY(file.waitUntilWritten());
        QVERIFY(file.writeCount() > 1);
        f.key(Field::Time, f.settings.StartStopClockKey);
        QVERIFY(file.waitUntilWritten());
        const int started = file.writeCount();
        f.tick(9);
        QVERIFY(file.waitUntilWritten());
        QCOMPARE(file.writeCount(), started);
        f.tick();
        QVERIFY(file.waitUntilWritten());
        QCOMPARE(file.writeCount(), started + 1); // a second on
        f.key(Field::Time, f.settings.StartStopClockKey);
        QVERIFY(file.waitUntilWritten());

        auto limit = std::make_unique<FileSizeLimit>(64);
        QTest::ignoreMessage(QtWarningMsg, QRegularExpression(QStringLiteral("cannot save")));
        f.type(Field::Home, "2\n");
        QVERIFY(!file.waitUntilWritten());
        f.type(Field::Home, "3\n");
        QVERIFY(!file.waitUntilWritten());
        const auto loaded = file.load();
        QCOMPARE(loaded->state.scoreOf(Team::Home), 5);
        QCOMPARE(loaded->state.clocks.record(GameClock).Preset, f.clock(GameClock));
        QVERIFY(GameFile::differsFromNewBoard(*loaded));
        limit.reset();
        f.type(Field::Home, "4\n");
        QVERIFY(file.waitUntilWritten());

        file.setAside();
        QVERIFY(!QFile::exists(file.path()));
        const auto previous = gamejson::fromBytes(readAll(file.previousPath()));
        QCOMPARE(previous->state.scoreOf(Team::Home), 4);

        QVERIFY(program::replaceFile(file.path(), "{\"format\": 1, \"fields\": "));
        QTest::ignoreMessage(QtWarningMsg, QRegularExpression(QStringLiteral("cannot be read")));
        QVERIFY(!file.load());
        QVERIFY(!file.load()); // nothing left to complain about
        QVERIFY(!QFile::exists(file.path()));
        QVERIFY(QFile::exists(file.badPath()));
    }

    // Where the board was shown is written with the game, at once when it changes, and read
    // back; a placement that cannot be read is left out and the game is still read.
    void boardPlacement_data()
    {
        QTest::addColumn<QByteArray>("board");
        QTest::addColumn<bool>("readable");
        QTest::newRow("second screen")
            << QByteArray(R"({"screen": 1, "fullScreen": true, "console": true})") << true;
        QTest::newRow("window manager")
            << QByteArray(R"({"screen": -1, "fullScreen": false, "console": false})") << true;
        QTest::newRow("screen a text")
            << QByteArray(R"({"screen": "1", "fullScreen": true, "console": true})") << false;
        QTest::newRow("screen a fraction")
            << QByteArray(R"({"screen": 1.5, "fullScreen": true, "console": true})") << false;
        QTest::newRow("screen far off")
            << QByteArray(R"({"screen": 1e9, "fullScreen": true, "console": true})") << false;
        QTest::newRow("no flags") << QByteArray(R"({"screen": 1})") << false;
        QTest::newRow("not an object") << QByteArray("[1, true]") << false;
    }
    void boardPlacement()
    {
        QFETCH(QByteArray, board);
        QFETCH(bool, readable);
        QTemporaryDir dir;
        GameFixture f;
        GameFile file(dir.filePath(QStringLiteral("state/game.json")));
        file.follow(&f.g());
        f.type(Field::Home, "5\n");
        QVERIFY(file.waitUntilWritten());
        const int writes = file.writeCount();
        file.setBoardPlacement({1, true, false});
        QVERIFY(file.waitUntilWritten());
        QCOMPARE(file.writeCount(), writes + 1); // written at once
        QCOMPARE(file.load()->board, (gamejson::BoardPlacement{1, true, false}));

        QJsonObject json = QJsonDocument::fromJson(readAll(file.path())).object();
        json[QStringLiteral("board")] = QJsonDocument::fromJson("[" + board + "]").array()[0];
        const auto loaded = gamejson::fromBytes(QJsonDocument(json).toJson());
        QVERIFY(loaded);
        QCOMPARE(loaded->state.scoreOf(Team::Home), 5);
        QCOMPARE(loaded->board.has_value(), readable);
    }

    void linksAreNeverFollowed_data()
    {
        QTest::addColumn<bool>("dangling");
        QTest::addColumn<bool>("atStart"); // found by the start, or put there while the board runs
        QTest::newRow("to a game elsewhere, at the start") << false << true;
        QTest::newRow("dangling, at the start") << true << true;
        QTest::newRow("to a game elsewhere, while the board runs") << false << false;
        QTest::newRow("dangling, while the board runs") << true << false;
    }

    // The game file is never read or written through a link: one found at the start is moved
    // aside as a bad file, with one line, and is not offered; one put there later is replaced
    // by the next save. What it points to stays as it was, or missing.
    void linksAreNeverFollowed()
    {
        QFETCH(bool, dangling);
        QFETCH(bool, atStart);
        QTemporaryDir dir;
        const QString target = dir.filePath(QStringLiteral("elsewhere/theirs.json"));
        const QByteArray theirs = readAll(QStringLiteral(PL_GAMEFILE_SEEDS "/mid-game.json"));
        QVERIFY(QDir().mkpath(QFileInfo(target).absolutePath()));
        QVERIFY(dangling || program::replaceFile(target, theirs));
        GameFile file(dir.filePath(QStringLiteral("state/game.json")));
        QVERIFY(QDir().mkpath(QFileInfo(file.path()).absolutePath()));
        GameFixture f;
        if (atStart) {
            QVERIFY(QFile::link(target, file.path()));
            QTest::ignoreMessage(QtWarningMsg,
                                 QRegularExpression(QStringLiteral(
                                     "saved game in .* cannot be read \\(it is a link, which is "
                                     "never followed\\); it was moved to .*game.json.bad")));
            QVERIFY(!file.load());
            QCOMPARE(QFileInfo(file.badPath()).symLinkTarget(), target);
            QVERIFY(!file.load()); // gone
            file.follow(&f.g());
        } else {
            file.follow(&f.g());
            f.tick();
            QVERIFY(file.waitUntilWritten());
            QVERIFY(QFile::remove(file.path()));
            QVERIFY(QFile::link(target, file.path()));
        }
        f.type(Field::Home, "6\n");
        QVERIFY(file.waitUntilWritten());
        QVERIFY(!QFileInfo(file.path()).isSymLink());
        QCOMPARE(file.load()->state.scoreOf(Team::Home), 6);
        if (dangling)
            QVERIFY(!QFileInfo::exists(target));
        else
            QCOMPARE(readAll(target), theirs);
    }

    // One board per state folder: a second one on the folder is refused and then reads,
    // moves and writes nothing there, while the first saves on; a board that ended without
    // giving the folder back leaves a stale lock, which the next one takes over.
    void oneBoardPerFolder()
    {
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("state/game.json"));
        GameFixture played;
        auto first = std::make_unique<GameFile>(path);
        QVERIFY(first->claim());
        first->follow(&played.g());
        played.type(Field::Home, "5\n");
        QVERIFY(first->waitUntilWritten());
        const QByteArray saved = readAll(path);

        GameFile second(path);
        QVERIFY(!second.claim());
        QCOMPARE(second.owner(),
                 QStringLiteral("process %1").arg(QCoreApplication::applicationPid()));
        QVERIFY(!second.load());
        GameFixture other;
        second.follow(&other.g());
        other.type(Field::Home, "7\n");
        second.gameChanged(other.g());
        second.setAside();
        QVERIFY(second.waitUntilWritten());
        QCOMPARE(second.writeCount(), 0);
        QCOMPARE(readAll(path), saved);
        QCOMPARE(QDir(dir.filePath("state")).entryList(QDir::Files | QDir::Hidden | QDir::System),
                 QStringList({"game.json", "game.lock"}));
        played.type(Field::Home, "6\n");
        QVERIFY(first->waitUntilWritten());
        QCOMPARE(first->load()->state.scoreOf(Team::Home), 6);

        // The lock goes with its board.
        first.reset();
        QVERIFY(!QFile::exists(dir.filePath("state/game.lock")));
        QVERIFY(GameFile(path).claim());

        // A killed board's lock names a process that has ended.
        QProcess ended;
        ended.start(QStringLiteral("true"));
        QVERIFY(ended.waitForStarted());
        const qint64 pid = ended.processId();
        QVERIFY(ended.waitForFinished());
        QByteArray lock = FolderLock::contents();
        lock.replace(0, lock.indexOf('\n'), QByteArray::number(pid));
        QVERIFY(program::replaceFile(dir.filePath("state/game.lock"), lock));
        QTest::ignoreMessage(
            QtWarningMsg,
            QRegularExpression(QStringLiteral(
                "took over the stale lock .*game.lock \\(process \\d+ has ended\\)")));
        GameFile next(path);
        QVERIFY(next.claim());
        QCOMPARE(next.load()->state.scoreOf(Team::Home), 6);
    }

    // A writer killed at any moment leaves the last good file or the new one, never half of one.
    void killedWriterLeavesAReadableFile()
    {
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("game.json"));
        for (int run = 0; run < 100; ++run) {
            QProcess writer;
            writer.start(QCoreApplication::applicationFilePath(),
                         {QStringLiteral("--write"), path});
            QVERIFY(writer.waitForStarted());
            QTest::qWait(QRandomGenerator::global()->bounded(5, 40));
            ::kill(static_cast<pid_t>(writer.processId()), SIGKILL);
            QVERIFY(writer.waitForFinished());
            if (!QFile::exists(path))
                continue; // killed before its first write
            QString fault;
            QVERIFY2(gamejson::fromBytes(readAll(path), &fault), qPrintable(fault));
        }
        QVERIFY(QFile::exists(path));
    }
};

// The writer of killedWriterLeavesAReadableFile: games as fast as the disk takes them.
static int writeForever(const QString& path)
{
    GameFixture f;
    GameFile file(path);
    for (int goals = 0;; goals = (goals + 1) % 200) {
        f.type(Field::Home, QByteArray::number(goals).append('\n').constData());
        file.gameChanged(f.g());
        file.waitUntilWritten();
    }
}

int main(int argc, char* argv[])
{
    QCoreApplication app(argc, argv);
    if (argc == 3 && qstrcmp(argv[1], "--write") == 0)
        return writeForever(QString::fromLocal8Bit(argv[2]));
    QTemporaryDir state;
    qputenv("XDG_STATE_HOME", QDir(state.path()).absolutePath().toLocal8Bit());
    tst_GameFile tc;
    return QTest::qExec(&tc, argc, argv);
}

#include "tst_gamefile.moc"
