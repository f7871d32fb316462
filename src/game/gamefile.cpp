// SPDX-License-Identifier: GPL-3.0-or-later
#include "gamefile.h"

#include "program.h"
#include "timesource.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStandardPaths>
#include <cstdio>

namespace {

int64_t nowMs()
{
    const MonotonicTime t = timeSource().monotonicNow();
    return t.seconds * 1000 + t.millis;
}

// Moves a file aside, replacing what was there under that name.
bool moveAside(const QString& from, const QString& to)
{
    return ::rename(QFile::encodeName(from).constData(), QFile::encodeName(to).constData()) == 0;
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

std::optional<gamejson::Loaded> GameFile::load()
{
    if (!QFileInfo::exists(filePath))
        return std::nullopt;
    QString fault;
    QByteArray bytes;
    QFile file(filePath);
    // Only a regular file is opened: a FIFO would wait for a writer for good.
    if (!program::fileExists(filePath) || !file.open(QIODevice::ReadOnly))
        fault = QStringLiteral("it is not a file that can be read");
    else if ((bytes = file.read(MaxFileBytes + 1)).size() > MaxFileBytes)
        fault = QStringLiteral("it is larger than %1 bytes").arg(MaxFileBytes);
    file.close();
    std::optional<gamejson::Loaded> loaded;
    if (fault.isEmpty())
        loaded = gamejson::fromBytes(bytes, &fault);
    if (!loaded) {
        const bool moved = moveAside(filePath, badPath());
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
    waitUntilWritten();
    if (QFileInfo::exists(filePath) && !moveAside(filePath, previousPath()))
        qWarning("pucklight: the saved game in %s could not be moved aside",
                 qUtf8Printable(QDir::toNativeSeparators(filePath)));
}

void GameFile::follow(const Game* game)
{
    connect(game, &Game::changed, this, [this, game] { gameChanged(*game); });
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
    // The tick reports every 100 ms, also when nothing moves.
    const GameState& state = game.state();
    if (lastSeen && *lastSeen == state && lastSeenEvent == game.record().nextId())
        return;
    lastSeen = state;
    lastSeenEvent = game.record().nextId();
    const QJsonObject json =
        gamejson::toJson(state, game.record(), timeSource().localNow(), game.settings().HomeText,
                         game.settings().VisitorText);
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
