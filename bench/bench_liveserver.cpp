// SPDX-License-Identifier: GPL-3.0-or-later
// Hostile clients against the live server, on loopback, with the server in this process:
//   pings      one WebSocket client sends pings for some seconds and never reads, the board
//              standing still: the server's resident memory, and whether it let the client go
//   slowloris  130 connections that send a header byte every 5 s (and reconnect when
//              dropped) while new viewers come one every half second: how many get the state
//   crowd      a viewer that reads, then WebSockets that arrive 64 a second and stay: how
//              often the first viewer is let go
// The real program under a crowd from many loopback addresses is bench/liveserver-crowd.sh.
// bench/README.md has the results.
#include "isolatedenv.h"
#include "liveserver.h"
#include "resident.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QTemporaryDir>
#include <QTimer>

#include <arpa/inet.h>
#include <atomic>
#include <cerrno>
#include <csignal>
#include <cstdio>
#include <cstring>
#include <netinet/in.h>
#include <poll.h>
#include <string>
#include <sys/socket.h>
#include <thread>
#include <unistd.h>
#include <vector>

namespace {

const std::string Handshake = "GET /live HTTP/1.1\r\nHost: 127.0.0.1\r\nUpgrade: websocket\r\n"
                              "Connection: Upgrade\r\nSec-WebSocket-Key: "
                              "dGhlIHNhbXBsZSBub25jZQ==\r\nSec-WebSocket-Version: 13\r\n\r\n";

int connectTo(quint16 port)
{
    const int fd = ::socket(AF_INET, SOCK_STREAM, 0);
    sockaddr_in a{};
    a.sin_family = AF_INET;
    a.sin_port = htons(port);
    a.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    if (::connect(fd, reinterpret_cast<sockaddr*>(&a), sizeof a) != 0) {
        ::close(fd);
        return -1;
    }
    return fd;
}

bool sendAll(int fd, const std::string& s)
{
    return ::send(fd, s.data(), s.size(), MSG_NOSIGNAL) == static_cast<ssize_t>(s.size());
}

// Reads until `needle` has come or `ms` have passed; returns what came.
std::string readUntil(int fd, const std::string& needle, int ms)
{
    std::string got;
    QElapsedTimer t;
    t.start();
    while (got.find(needle) == std::string::npos && t.elapsed() < ms) {
        pollfd p{fd, POLLIN, 0};
        if (::poll(&p, 1, 50) <= 0)
            continue;
        char buf[4096];
        const ssize_t n = ::recv(fd, buf, sizeof buf, 0);
        if (n <= 0)
            break;
        got.append(buf, static_cast<size_t>(n));
    }
    return got;
}

// A viewer that shook hands and got its first message (a text frame) within `ms`.
int viewer(quint16 port, int ms)
{
    const int fd = connectTo(port);
    if (fd < 0)
        return -1;
    if (!sendAll(fd, Handshake) ||
        readUntil(fd, "\"version\"", ms).find("\"version\"") == std::string::npos) {
        ::close(fd);
        return -1;
    }
    return fd;
}

// Runs the event loop while `work` runs on a thread of its own.
template <typename Work>
void runBeside(Work work)
{
    std::atomic<bool> done = false;
    std::thread t([&] {
        work();
        done = true;
    });
    while (!done)
        QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
    t.join();
}

void pings(LiveServer& server, int seconds)
{
    const qint64 before = residentKiB();
    qint64 peak = before;
    QTimer sample;
    QObject::connect(&sample, &QTimer::timeout, [&] { peak = std::max(peak, residentKiB()); });
    sample.start(50);
    qint64 sent = 0;
    bool dropped = false;
    double droppedAt = 0;
    runBeside([&] {
        const int fd = connectTo(server.port());
        sendAll(fd, Handshake);
        readUntil(fd, "\r\n\r\n", 2000); // then never read again
        // A masked ping with 125 bytes of payload.
        std::string ping = "\x89\xFD";
        ping += std::string("\x01\x02\x03\x04", 4) + std::string(125, 'p');
        std::string burst;
        for (int i = 0; i < 512; ++i)
            burst += ping;
        QElapsedTimer t;
        t.start();
        while (t.elapsed() < seconds * 1000) {
            pollfd p{fd, POLLOUT, 0};
            if (::poll(&p, 1, 100) <= 0)
                continue;
            const ssize_t n = ::send(fd, burst.data(), burst.size(), MSG_NOSIGNAL | MSG_DONTWAIT);
            if (n < 0 && errno != EAGAIN) {
                dropped = true;
                droppedAt = static_cast<double>(t.elapsed()) / 1000;
                break;
            }
            sent += std::max<ssize_t>(n, 0);
        }
        ::close(fd);
    });
    std::printf("pings: %d s, %.1f MB of pings sent; resident %lld -> peak %lld kB (+%.1f MB); "
                "client %s\n",
                seconds, static_cast<double>(sent) / 1e6, static_cast<long long>(before),
                static_cast<long long>(peak), static_cast<double>(peak - before) / 1024,
                dropped ? qPrintable(QStringLiteral("dropped after %1 s").arg(droppedAt))
                        : "still connected");
}

void slowloris(LiveServer& server, int seconds)
{
    int served = 0;
    int tried = 0;
    runBeside([&] {
        std::vector<int> slow(130, -1);
        QElapsedTimer t;
        t.start();
        qint64 nextByte = 0;
        qint64 nextViewer = 2000; // once the slow ones are in
        while (t.elapsed() < seconds * 1000) {
            for (int& fd : slow) {
                if (fd < 0) {
                    fd = connectTo(server.port());
                    if (fd >= 0 && !sendAll(fd, "GET /state.json HTTP/1.1\r\n")) {
                        ::close(fd);
                        fd = -1;
                    }
                }
            }
            if (t.elapsed() >= nextByte) {
                nextByte += 5000;
                for (int& fd : slow)
                    if (fd >= 0 && !sendAll(fd, "X")) {
                        ::close(fd);
                        fd = -1;
                    }
            }
            // A slow connection the server closed is opened again.
            for (int& fd : slow) {
                pollfd p{fd, POLLIN, 0};
                if (fd >= 0 && ::poll(&p, 1, 0) > 0) {
                    char buf[4096];
                    if (::recv(fd, buf, sizeof buf, MSG_DONTWAIT) <= 0) {
                        ::close(fd);
                        fd = -1;
                    }
                }
            }
            if (t.elapsed() >= nextViewer) {
                nextViewer += 500;
                ++tried;
                const int fd = viewer(server.port(), 2000);
                if (fd >= 0) {
                    ++served;
                    ::close(fd);
                }
            }
            ::usleep(10'000);
        }
        for (const int fd : slow)
            if (fd >= 0)
                ::close(fd);
    });
    std::printf("slowloris: 130 slow connections for %d s; %d of %d new viewers served\n", seconds,
                served, tried);
}

void crowd(LiveServer& server, int count)
{
    int lost = 0;
    int refused = 0;
    runBeside([&] {
        int first = viewer(server.port(), 2000);
        std::vector<int> others;
        for (int i = 0; i < count; ++i) {
            const int fd = viewer(server.port(), 1000);
            if (fd < 0)
                ++refused;
            else
                others.push_back(fd);
            // The first viewer reads; when it was let go it comes back, as the page does.
            pollfd p{first, POLLIN, 0};
            while (first >= 0 && ::poll(&p, 1, 0) > 0) {
                char buf[4096];
                if (::recv(first, buf, sizeof buf, MSG_DONTWAIT) <= 0 ||
                    (static_cast<unsigned char>(buf[0]) & 0x0F) == 0x8) {
                    ::close(first);
                    ++lost;
                    first = viewer(server.port(), 2000);
                    p.fd = first;
                }
            }
            ::usleep(1'000'000 / 64);
        }
        for (const int fd : others)
            ::close(fd);
        if (first >= 0)
            ::close(first);
    });
    std::printf("crowd: %d WebSockets at 64 a second; the first viewer was let go %d times; "
                "%d newcomers refused\n",
                count, lost, refused);
}

} // namespace

int main(int argc, char* argv[])
{
    QTemporaryDir home;
    isolated::thisProcess(home.path());
    QCoreApplication app(argc, argv);
    const QString what = argc > 1 ? QString::fromLatin1(argv[1]) : QString();
    const int amount = argc > 2 ? std::atoi(argv[2]) : 0;
    LiveServer server;
    if (!server.listen(QHostAddress::LocalHost, 0))
        return 1;
    // A state that changes ten times a second, as a running clock makes it.
    int tenths = 0;
    QTimer tick;
    QObject::connect(&tick, &QTimer::timeout, [&] {
        server.publish(R"({"version": 1, "clock": ")" + QByteArray::number(++tenths) + "\"}");
    });
    // The ping flood runs against a still board (a stopped clock), where nothing else is sent.
    if (what != QLatin1String("pings"))
        tick.start(100);
    server.publish(R"({"version": 1, "clock": "0"})");
    if (what == QLatin1String("pings"))
        pings(server, amount > 0 ? amount : 10);
    else if (what == QLatin1String("slowloris"))
        slowloris(server, amount > 0 ? amount : 25);
    else if (what == QLatin1String("crowd"))
        crowd(server, amount > 0 ? amount : 200);
    else {
        std::fprintf(stderr, "usage: bench_liveserver pings [seconds] | slowloris [seconds] | "
                             "crowd [websockets]\n");
        return 2;
    }
    return 0;
}
