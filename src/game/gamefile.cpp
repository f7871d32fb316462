// SPDX-License-Identifier: GPL-3.0-or-later
#include "gamefile.h"

#include "folderlock.h"
#include "program.h"
#include "timesource.h"

#include <QDir>
#include <QFileInfo>
#include <QStandardPaths>

namespace {

int64_t nowMs()
{
    const MonotonicTime t = timeSource().monotonicNow();
    return t.seconds * 1000 + t.millis;
}

// Whether anything lies at the path, a dangling link too.
bool somethingAt(const QString& path)
{
    const QFileInfo info(path);
    return info.exists() || info.isSymLink();
}

} // namespace

GameFile::GameFile(QString path, QObject* parent) : QObject(parent), filePath(std::move(path))
{
    heldBackTimer.setSingleShot(true);
    connect(&heldBackTimer, &QTimer::timeout, this, &GameFile::writeHeldBack);
    writer = std::thread([this] { writerLoop(); });
}

GameFile::~GameFile()
{
    writeHeldBack();
    {
        std::lock_guard lock(mutex);
        stopping = true;
    }
    wake.notify_all();
    writer.join();
}

QString GameFile::defaultPath()
{
#if QT_VERSION >= QT_VERSION_CHECK(6, 7, 0)
    QString base = QStandardPaths::writableLocation(QStandardPaths::GenericStateLocation);
#else
    // The XDG rule: $XDG_STATE_HOME when it is an absolute path, else ~/.local/state.
    QString base = qEnvironmentVariable("XDG_STATE_HOME");
    if (base.isEmpty() || QDir::isRelativePath(base))
        base = QDir::homePath() + QStringLiteral("/.local/state");
#endif
    return base + QStringLiteral("/Pucklight/game.json");
}

QString GameFile::previousPath() const
{
    return QFileInfo(filePath).dir().filePath(QStringLiteral("game-previous.json"));
}

QString GameFile::badPath() const
{
    return filePath + QStringLiteral(".bad");
}

bool GameFile::claim()
{
    if (!folderLock)
        folderLock = std::make_unique<FolderLock>(QFileInfo(filePath).absolutePath(),
                                                  QStringLiteral("game.lock"));
    folderLock->tryLock();
    otherBoard = folderLock->state() == FolderLock::State::InUse;
    ownerText = otherBoard ? folderLock->owner() : QString();
    return !otherBoard;
}

std::optional<gamejson::Loaded> GameFile::load()
{
    if (otherBoard)
        return std::nullopt; // the other board's file
    const program::OwnFile file = program::readOwnFile(filePath, MaxFileBytes + 1);
    QString fault;
    switch (file.kind) {
    case program::OwnFile::Kind::Missing:
        return std::nullopt;
    case program::OwnFile::Kind::Link:
        fault = QStringLiteral("it is a link, which is never followed");
        break;
    case program::OwnFile::Kind::NotRegular:
    case program::OwnFile::Kind::Unreadable:
        fault = QStringLiteral("it is not a file that can be read");
        break;
    case program::OwnFile::Kind::Read:
        if (file.bytes.size() > MaxFileBytes)
            fault = QStringLiteral("it is larger than %1 bytes").arg(MaxFileBytes);
        break;
    }
    std::optional<gamejson::Loaded> loaded;
    if (fault.isEmpty())
        loaded = gamejson::fromBytes(file.bytes, &fault);
    if (!loaded) {
        const bool moved = program::moveAside(filePath, badPath());
        qWarning("pucklight: the saved game in %s cannot be read (%s); %s, and a new game starts",
                 qUtf8Printable(QDir::toNativeSeparators(filePath)), qUtf8Printable(fault),
                 moved ? qUtf8Printable(QStringLiteral("it was moved to ") +
                                        QDir::toNativeSeparators(badPath()))
                       : "it could not be moved aside");
    }
    return loaded;
}

bool GameFile::differsFromNewBoard(const gamejson::Loaded& saved)
{
    static const QDateTime anyTime = QDateTime::fromSecsSinceEpoch(0);
    GameState fresh = Game(SettingVariables()).state();
    fresh.selected = saved.state.selected;
    return !saved.record.empty() ||
           gamejson::toJson(saved.state, {}, anyTime) != gamejson::toJson(fresh, {}, anyTime);
}

void GameFile::setAside()
{
    if (otherBoard)
        return;
    waitUntilWritten();
    if (somethingAt(filePath) && !program::moveAside(filePath, previousPath()))
        qWarning("pucklight: the saved game in %s could not be moved aside",
                 qUtf8Printable(QDir::toNativeSeparators(filePath)));
}

void GameFile::follow(const Game* game)
{
    if (otherBoard)
        return;
    followed = game;
    connect(game, &Game::changed, this, [this, game] { gameChanged(*game); });
}

void GameFile::setBoardPlacement(const gamejson::BoardPlacement& p)
{
    if (placement == p)
        return;
    placement = p;
    if (followed) {
        lastSeen.reset();
        gameChanged(*followed);
    }
}

QJsonObject GameFile::contentOf(QJsonObject json)
{
    // The record's events only ever grow: its next number stands for them.
    json.remove(QLatin1String("savedAt"));
    QJsonObject record = json.value(QLatin1String("record")).toObject();
    record.remove(QLatin1String("events"));
    json[QLatin1String("record")] = record;
    return json;
}

void GameFile::gameChanged(const Game& game)
{
    if (otherBoard)
        return;
    // The tick reports every 100 ms, also when nothing moves.
    const GameState& state = game.state();
    if (lastSeen && *lastSeen == state && lastSeenEvent == game.record().nextId())
        return;
    lastSeen = state;
    lastSeenEvent = game.record().nextId();
    QJsonObject json = gamejson::toJson(state, game.record(), timeSource().localNow(),
                                        game.settings().HomeText, game.settings().VisitorText);
    if (placement)
        json[QLatin1String("board")] = gamejson::placementJson(*placement);
    if (handedAny && contentOf(json) == handedContent) {
        heldBack.reset();
        heldBackTimer.stop();
        return;
    }
    QJsonObject steady = gamejson::steadyPart(json);
    if (!handedAny || steady != handedSteady) {
        hand(json, std::move(steady));
        return;
    }
    // Time passing on running clocks is written once a second.
    heldBack = json;
    const int64_t due = handedAtMs + TimeOnlyWriteMs - nowMs();
    if (due <= 0)
        writeHeldBack();
    else if (!heldBackTimer.isActive())
        heldBackTimer.start(static_cast<int>(due));
}

void GameFile::writeHeldBack()
{
    heldBackTimer.stop();
    if (heldBack) {
        // Held back only when its steady part is the one last handed.
        const QJsonObject json = std::move(*heldBack);
        hand(json, handedSteady);
    }
}

void GameFile::hand(const QJsonObject& json, QJsonObject steady)
{
    heldBack.reset();
    heldBackTimer.stop();
    handedSteady = std::move(steady);
    handedContent = contentOf(json);
    handedAny = true;
    handedAtMs = nowMs();
    {
        std::lock_guard lock(mutex);
        pending = json;
    }
    wake.notify_one();
}

bool GameFile::waitUntilWritten()
{
    std::unique_lock lock(mutex);
    idle.wait(lock, [this] { return !pending && !writing; });
    return lastWriteOk;
}

int GameFile::writeCount() const
{
    std::lock_guard lock(mutex);
    return writes;
}

void GameFile::writerLoop()
{
    std::unique_lock lock(mutex);
    for (;;) {
        wake.wait(lock, [this] { return pending || stopping; });
        if (!pending)
            return;
        const QJsonObject json = std::move(*pending);
        pending.reset();
        writing = true;
        lock.unlock();
        QString error;
        const bool ok = writeFile(gamejson::toBytes(json), error);
        lock.lock();
        writing = false;
        lastWriteOk = ok;
        if (ok) {
            ++writes;
            if (warned)
                qInfo("pucklight: the game is saved to %s again",
                      qUtf8Printable(QDir::toNativeSeparators(filePath)));
            warned = false;
        } else if (!warned) {
            warned = true;
            qWarning("pucklight: cannot save the game to %s: %s; the board goes on and the last "
                     "good save is kept",
                     qUtf8Printable(QDir::toNativeSeparators(filePath)), qUtf8Printable(error));
        }
        if (!pending)
            idle.notify_all();
    }
}

bool GameFile::writeFile(const QByteArray& bytes, QString& error)
{
    return program::replaceFile(filePath, bytes, &error);
}
