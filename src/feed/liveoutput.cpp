#include "liveoutput.h"

#include "feedwriter.h"
#include "game.h"
#include "liveserver.h"

#include <QHostAddress>
#include <QtGlobal>

LiveOutput::LiveOutput(Game* game, const Options& options) : QObject(game), sampler(game)
{
    if (!options.feedFolder.isEmpty())
        feed = std::make_unique<FeedWriter>(options.feedFolder);
    if (options.port >= 0) {
        server = std::make_unique<LiveServer>();
        const QHostAddress address(options.address);
        QString error;
        const QString where = address.protocol() == QAbstractSocket::IPv6Protocol
                                  ? QLatin1Char('[') + address.toString() + QLatin1Char(']')
                                  : address.toString();
        if (server->listen(address, static_cast<quint16>(options.port), &error)) {
            qInfo("pucklight: live score on http://%s:%u/overlay.html", qUtf8Printable(where),
                  static_cast<unsigned>(server->port()));
        } else {
            qWarning("pucklight: cannot serve the live score on %s port %d: %s",
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
        feed->write(sampler.state(), sampler.json());
    if (server)
        server->publish(sampler.json());
}
