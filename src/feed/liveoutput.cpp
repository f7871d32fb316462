// SPDX-License-Identifier: GPL-3.0-or-later
#include "liveoutput.h"

#include "feedwriter.h"
#include "folderlock.h"
#include "game.h"
#include "liveserver.h"

#include <QDir>
#include <QHostAddress>

namespace {

// One board per feed folder: a lock file in the folder names the board that writes it, and
// lasts as long as that board. A stale lock (its board cannot be shown alive) is taken over;
// a folder that cannot hold the lock at all (it cannot be made, or written) is not refused
// for that: the writer says so and tries again.
std::unique_ptr<FolderLock> claimFolder(const QString& folder, bool* refused)
{
    auto lock = std::make_unique<FolderLock>(folder, QStringLiteral(".pucklight.lock"));
    *refused = false;
    if (lock->tryLock())
        return lock;
    if (lock->state() == FolderLock::State::InUse) {
        qWarning("pucklight: the feed folder %s is in use by another Pucklight board (%s): this "
                 "board writes no feed",
                 qUtf8Printable(QDir::toNativeSeparators(folder)), qUtf8Printable(lock->owner()));
        *refused = true;
    }
    return nullptr;
}

} // namespace

LiveOutput::LiveOutput(Game* game, const Options& options) : QObject(game), sampler(game)
{
    if (!options.feedFolder.isEmpty()) {
        bool refused = false;
        feedLock = claimFolder(options.feedFolder, &refused);
        if (!refused)
            feed = std::make_unique<FeedWriter>(options.feedFolder);
    }
    if (options.port >= 0) {
        server = std::make_unique<LiveServer>();
        server->setMaxViewers(options.maxViewers);
        const QHostAddress address(options.address);
        QString error;
        const QString where = address.protocol() == QAbstractSocket::IPv6Protocol
                                  ? QLatin1Char('[') + address.toString() + QLatin1Char(']')
                                  : address.toString();
        if (server->listen(address, static_cast<quint16>(options.port), &error)) {
            qInfo("pucklight: live score on http://%s:%u/overlay.html", qUtf8Printable(where),
                  static_cast<unsigned>(server->port()));
        } else {
            qWarning("pucklight: cannot serve the live score on %s port %d: %s; the board runs "
                     "without it",
                     qUtf8Printable(where), options.port, qUtf8Printable(error));
            server.reset();
        }
    }
    connect(&sampler, &BoardSampler::changed, this, &LiveOutput::update);
    sampler.sample();
    sampler.start();
}

LiveOutput::~LiveOutput() = default;

LiveOutput* LiveOutput::start(Game* game, const Options& options)
{
    if (!game || !options.wanted())
        return nullptr;
    return new LiveOutput(game, options);
}

void LiveOutput::update()
{
    if (feed)
        feed->write(sampler.state(), sampler.json(), sampler.eventsJson());
    if (server) {
        server->publishEvents(sampler.eventsJson());
        server->publish(sampler.json());
    }
}
