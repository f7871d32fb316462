#include "feedwriter.h"
#include "testmain.h"

#include <QRegularExpression>
#include <csignal>
#include <sys/resource.h>

namespace {

// A full disk, as far as this process can tell: no file may grow beyond `room` bytes. Files
// are still made; writing past the limit fails as it does on a full disk.
class DiskFull
{
public:
    explicit DiskFull(rlim_t room)
    {
        previousHandler = std::signal(SIGXFSZ, SIG_IGN);
        getrlimit(RLIMIT_FSIZE, &previous);
        rlimit limited = previous;
        limited.rlim_cur = room;
        setrlimit(RLIMIT_FSIZE, &limited);
    }
    ~DiskFull()
    {
        setrlimit(RLIMIT_FSIZE, &previous);
        std::signal(SIGXFSZ, previousHandler);
    }
    Q_DISABLE_COPY_MOVE(DiskFull)

private:
    rlimit previous{};
    void (*previousHandler)(int) = nullptr;
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

QByteArray readAll(const QString& path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray("<missing>");
}

} // namespace

// How the feed files are written when the disk or the folder works against it.
class TestFeedWriter : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void fullDiskKeepsTheOldFilesAndCatchesUp()
    {
        QTemporaryDir tmp;
        FeedWriter feed(tmp.path(), 0);
        const QRegularExpression warning(QStringLiteral("cannot write the feed"));
        const auto everyFileHolds = [&](const BoardState& s) {
            if (readAll(tmp.filePath("state.json")) != stateJson(s))
                return false;
            for (const auto& [name, content] : feedFiles(s))
                if (readAll(tmp.filePath(name)) != content)
                    return false;
            return true;
        };

        // Full from the start: nothing is written, no file left empty or half-written; then
        // space comes back and every file is written, with no further change of the board.
        const BoardState first = scored("1", "Visitor");
        {
            DiskFull full(0);
            QTest::ignoreMessage(QtWarningMsg, warning);
            QVERIFY(!feed.write(first, stateJson(first)));
            QVERIFY(!feed.write(first, stateJson(first))); // warned once
        }
        // Only the empty ones (no penalties) could be written.
        for (const QString& name : QDir(tmp.path()).entryList(QDir::Files | QDir::Hidden))
            QCOMPARE(readAll(tmp.filePath(name)), "");
        QTRY_VERIFY(everyFileHolds(first));

        // Full in the middle of a game, with room for a short file and not for a long one:
        // the long ones keep their old content whole, and catch up once there is room.
        const BoardState second = scored("2", "Visitors of the long name");
        {
            DiskFull full(4);
            QTest::ignoreMessage(QtWarningMsg, warning);
            QVERIFY(!feed.write(second, stateJson(second)));
        }
        QCOMPARE(readAll(tmp.filePath("home_score.txt")), "2");
        QCOMPARE(readAll(tmp.filePath("visitor_name.txt")), "Visitor");
        QCOMPARE(readAll(tmp.filePath("state.json")), stateJson(first));
        QCOMPARE(QDir(tmp.path()).entryList(QDir::Files | QDir::Hidden).size(),
                 feedFiles(first).size() + 1); // no half-written files left behind
        QTRY_VERIFY(everyFileHolds(second));
    }

    void linksAreReplacedNotFollowed()
    {
        QTemporaryDir tmp;
        const QString outside = tmp.filePath("outside.txt");
        QFile victim(outside);
        QVERIFY(victim.open(QIODevice::WriteOnly));
        victim.write("keep me");
        victim.close();
        QVERIFY(QDir().mkpath(tmp.filePath("feed")));
        QVERIFY(QFile::link(outside, tmp.filePath("feed/state.json")));
        QVERIFY(QFile::link(tmp.filePath("nowhere"), tmp.filePath("feed/clock.txt")));

        FeedWriter feed(tmp.filePath("feed"));
        const BoardState s = scored("3", "Visitor");
        QVERIFY(feed.write(s, stateJson(s)));
        QCOMPARE(readAll(outside), "keep me");
        QVERIFY(!QFile::exists(tmp.filePath("nowhere")));
        for (const char* name : {"feed/state.json", "feed/clock.txt"})
            QVERIFY(!QFileInfo(tmp.filePath(name)).isSymLink());
        QCOMPARE(readAll(tmp.filePath("feed/state.json")), stateJson(s));
        QCOMPARE(readAll(tmp.filePath("feed/clock.txt")), "10:00");
    }
};

PL_CORE_TEST_MAIN(TestFeedWriter)
#include "tst_feedwriter.moc"
