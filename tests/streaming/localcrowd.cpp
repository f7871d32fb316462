// SPDX-License-Identifier: GPL-3.0-or-later
// A crowd of idle connections from this computer against the live server, while a well-behaved
// client asks for the state and the feed's clock is watched:
//
//   localcrowd PORT SECONDS [--hold N] [--every MS] [--feed DIR]
//
// - the crowd opens connections as fast as it can, each from the next address of 127.0.0.0/8,
//   sends nothing, and keeps the newest N (1200) open, closing the oldest;
// - a client sends GET /state.json from 127.0.0.1 every MS (500) milliseconds, each on a
//   connection of its own without waiting for the one before, and counts the answers "200"
//   that come whole within 5 s;
// - with --feed, DIR/clock.txt is read every 10 ms, and the longest time it stood still is
//   measured (from one second into the run, when the crowd is at full strength).
//
// Prints one line: "served=A requests=B longest_stall_ms=C clock_changes=D opened=E
// not_connected=F unavailable=G other=H median_ms=I slowest_ms=J": F, G and H the requests
// that failed (no connection within 5 s, a 503 answer, anything else), I and J how long the
// served ones took.
// Exits 0, or 2 on a faulty command line. Loopback only.
#include <algorithm>
#include <arpa/inet.h>
#include <atomic>
#include <cerrno>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <deque>
#include <fcntl.h>
#include <mutex>
#include <netinet/in.h>
#include <poll.h>
#include <string>
#include <sys/socket.h>
#include <thread>
#include <unistd.h>
#include <vector>

namespace {

using Clock = std::chrono::steady_clock;

constexpr int RequestDeadlineMs = 5000;
constexpr int WatchEveryMs = 10;
constexpr int SettleMs = 1000;

long long msSince(Clock::time_point t)
{
    return std::chrono::duration_cast<std::chrono::milliseconds>(Clock::now() - t).count();
}

sockaddr_in loopback(unsigned host, unsigned short port)
{
    sockaddr_in a{};
    a.sin_family = AF_INET;
    a.sin_port = htons(port);
    a.sin_addr.s_addr = htonl(host);
    return a;
}

// The next address of 127.0.0.0/8 in turn, 127.0.0.2 to 127.255.255.254, never 127.0.0.1
// (the well-behaved client's).
unsigned nextCrowdAddress(unsigned& counter)
{
    constexpr unsigned First = 0x7F000002;
    constexpr unsigned Span = 0x00FFFFFC;
    return First + (counter++ % Span);
}

// Opens idle connections without waiting for them, keeping the newest `hold`; closing one
// resets it, so that neither side keeps it in TIME_WAIT.
long long crowd(unsigned short port, int hold, const std::atomic<bool>& stop)
{
    std::deque<int> open;
    unsigned counter = 0;
    long long opened = 0;
    const linger reset{1, 0};
    while (!stop) {
        const int fd = ::socket(AF_INET, SOCK_STREAM | SOCK_NONBLOCK | SOCK_CLOEXEC, 0);
        if (fd < 0) {
            std::this_thread::sleep_for(std::chrono::milliseconds(1));
            continue;
        }
        ::setsockopt(fd, SOL_SOCKET, SO_LINGER, &reset, sizeof reset);
        const sockaddr_in from = loopback(nextCrowdAddress(counter), 0);
        const sockaddr_in to = loopback(INADDR_LOOPBACK, port);
        if (::bind(fd, reinterpret_cast<const sockaddr*>(&from), sizeof from) != 0 ||
            (::connect(fd, reinterpret_cast<const sockaddr*>(&to), sizeof to) != 0 &&
             errno != EINPROGRESS)) {
            ::close(fd);
            continue;
        }
        ++opened;
        open.push_back(fd);
        while (static_cast<int>(open.size()) > hold) {
            ::close(open.front());
            open.pop_front();
        }
    }
    for (const int fd : open)
        ::close(fd);
    return opened;
}

// Waits until `fd` is ready for `events` or the deadline has passed.
bool waitFor(int fd, short events, Clock::time_point deadline)
{
    for (;;) {
        const long long left = -msSince(deadline);
        if (left <= 0)
            return false;
        pollfd p{fd, events, 0};
        const int n = ::poll(&p, 1, static_cast<int>(left));
        if (n > 0)
            return true;
        if (n < 0 && errno != EINTR)
            return false;
    }
}

enum class Outcome { Served, NotConnected, Unavailable, Other };

// One GET /state.json from 127.0.0.1: served when "200" and the whole body came in time.
Outcome askForState(unsigned short port)
{
    const Clock::time_point deadline = Clock::now() + std::chrono::milliseconds(RequestDeadlineMs);
    const int fd = ::socket(AF_INET, SOCK_STREAM | SOCK_NONBLOCK | SOCK_CLOEXEC, 0);
    if (fd < 0)
        return Outcome::Other;
    const sockaddr_in to = loopback(INADDR_LOOPBACK, port);
    bool ok = ::connect(fd, reinterpret_cast<const sockaddr*>(&to), sizeof to) == 0 ||
              (errno == EINPROGRESS && waitFor(fd, POLLOUT, deadline));
    int error = 0;
    socklen_t size = sizeof error;
    ok = ok && ::getsockopt(fd, SOL_SOCKET, SO_ERROR, &error, &size) == 0 && error == 0;
    if (!ok) {
        ::close(fd);
        return Outcome::NotConnected;
    }
    const std::string request = "GET /state.json HTTP/1.1\r\nHost: 127.0.0.1\r\n\r\n";
    ok = ok && ::send(fd, request.data(), request.size(), MSG_NOSIGNAL) ==
                   static_cast<ssize_t>(request.size());
    std::string reply;
    while (ok && waitFor(fd, POLLIN, deadline)) {
        char buf[4096];
        const ssize_t n = ::recv(fd, buf, sizeof buf, 0);
        if (n <= 0)
            break; // the server closes after its answer
        reply.append(buf, static_cast<size_t>(n));
    }
    ::close(fd);
    const size_t head = reply.find("\r\n\r\n");
    const size_t length = reply.find("Content-Length: ");
    if (reply.rfind("HTTP/1.1 503 ", 0) == 0)
        return Outcome::Unavailable;
    if (!ok || reply.rfind("HTTP/1.1 200 ", 0) != 0 || head == std::string::npos ||
        length == std::string::npos || length > head)
        return Outcome::Other;
    return reply.size() - head - 4 == std::strtoull(reply.c_str() + length + 16, nullptr, 10)
               ? Outcome::Served
               : Outcome::Other;
}

std::string readFile(const std::string& path)
{
    std::string content;
    const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK);
    if (fd < 0)
        return content;
    char buf[256];
    for (ssize_t n; (n = ::read(fd, buf, sizeof buf)) > 0;)
        content.append(buf, static_cast<size_t>(n));
    ::close(fd);
    return content;
}

} // namespace

int main(int argc, char* argv[])
{
    if (argc < 3) {
        std::fprintf(stderr,
                     "usage: localcrowd PORT SECONDS [--hold N] [--every MS] [--feed DIR]\n");
        return 2;
    }
    const auto port = static_cast<unsigned short>(std::atoi(argv[1]));
    const int seconds = std::atoi(argv[2]);
    int hold = 1200;
    int everyMs = 500;
    std::string feed;
    for (int i = 3; i + 1 < argc; i += 2) {
        const std::string option = argv[i];
        if (option == "--hold")
            hold = std::atoi(argv[i + 1]);
        else if (option == "--every")
            everyMs = std::atoi(argv[i + 1]);
        else if (option == "--feed")
            feed = argv[i + 1];
        else
            return 2;
    }
    if (port == 0 || seconds <= 0 || hold <= 0 || everyMs <= 0)
        return 2;

    std::atomic<bool> stop = false;
    long long opened = 0;
    const Clock::time_point start = Clock::now();
    std::thread attacker([&] { opened = crowd(port, hold, stop); });

    // Each request on a thread of its own, so that a slow answer does not hold up the next.
    std::atomic<int> outcomes[4] = {};
    std::mutex timesLock;
    std::vector<long long> servedMs; // how long each served request took
    std::vector<std::thread> requests;
    std::thread client([&] {
        for (Clock::time_point next = start; msSince(start) < seconds * 1000LL;) {
            std::this_thread::sleep_until(next);
            next += std::chrono::milliseconds(everyMs);
            requests.emplace_back([&] {
                const Clock::time_point asked = Clock::now();
                const Outcome o = askForState(port);
                ++outcomes[static_cast<int>(o)];
                const std::lock_guard lock(timesLock);
                if (o == Outcome::Served)
                    servedMs.push_back(msSince(asked));
            });
        }
    });

    long long longestStall = 0;
    long long changes = 0;
    if (!feed.empty()) {
        const std::string path = feed + "/clock.txt";
        std::string last = readFile(path);
        Clock::time_point since = start;
        while (msSince(start) < seconds * 1000LL) {
            std::this_thread::sleep_for(std::chrono::milliseconds(WatchEveryMs));
            const std::string now = readFile(path);
            if (now != last) {
                last = now;
                ++changes;
                since = Clock::now();
            }
            if (msSince(start) > SettleMs)
                longestStall = std::max(longestStall, msSince(since));
        }
    }
    client.join();
    for (std::thread& r : requests)
        r.join();
    stop = true;
    attacker.join();
    std::sort(servedMs.begin(), servedMs.end());
    std::printf("served=%d requests=%d longest_stall_ms=%lld clock_changes=%lld opened=%lld "
                "not_connected=%d unavailable=%d other=%d median_ms=%lld slowest_ms=%lld\n",
                outcomes[0].load(), static_cast<int>(requests.size()),
                feed.empty() ? -1 : longestStall, changes, opened, outcomes[1].load(),
                outcomes[2].load(), outcomes[3].load(),
                servedMs.empty() ? -1 : servedMs[servedMs.size() / 2],
                servedMs.empty() ? -1 : servedMs.back());
    return 0;
}
