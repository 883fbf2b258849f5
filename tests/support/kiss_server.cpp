#include "tests/support/kiss_server.h"

#include <arpa/inet.h>
#include <netinet/in.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

#include <random>

#include "tests/support/wait_until.h"

namespace orvex::test {
namespace {

constexpr int kAcceptTimeoutMs = 10000;

// A socket bound to `port` on 127.0.0.1 (any free port for 0), not listening:
// connections to it are refused. SO_REUSEPORT lets a second such socket take
// the port while the first still holds it, so the port is never free between
// the two. Returns the socket, or -1, and the port bound.
int BoundSocket(std::uint16_t& port) {
    const int fd = ::socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0);
    const int yes = 1;
    ::setsockopt(fd, SOL_SOCKET, SO_REUSEADDR, &yes, sizeof yes);
    ::setsockopt(fd, SOL_SOCKET, SO_REUSEPORT, &yes, sizeof yes);
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    address.sin_port = htons(port);
    auto* any = reinterpret_cast<sockaddr*>(&address);
    socklen_t length = sizeof address;
    if (fd < 0 || ::bind(fd, any, length) != 0 || ::getsockname(fd, any, &length) != 0) {
        if (fd >= 0) {
            ::close(fd);
        }
        return -1;
    }
    port = ntohs(address.sin_port);
    return fd;
}

}  // namespace

KissServer::KissServer() {
    listener_ = BoundSocket(port_);
    failed_ = listener_ < 0 || ::listen(listener_, 4) != 0;
}

KissServer::~KissServer() {
    quit_ = true;
    if (thread_.joinable()) {
        thread_.join();
    }
    for (int fd : {listener_, lastClient_}) {
        if (fd >= 0) {
            ::close(fd);
        }
    }
}

void KissServer::Serve(std::vector<Connection> script) {
    thread_ = std::thread([this, script = std::move(script)] { Play(script); });
}

int KissServer::Accept() {
    pollfd ready{listener_, POLLIN, 0};
    if (::poll(&ready, 1, kAcceptTimeoutMs) != 1) {
        return -1;
    }
    return ::accept4(listener_, nullptr, nullptr, SOCK_CLOEXEC);
}

void KissServer::SendAll(int client, const std::string& bytes) {
    std::size_t at = 0;
    while (at < bytes.size()) {
        const ssize_t n = ::send(client, bytes.data() + at, bytes.size() - at, MSG_NOSIGNAL);
        if (n <= 0) {
            failed_ = true;
            return;
        }
        at += static_cast<std::size_t>(n);
        sent_ += static_cast<std::uint64_t>(n);
    }
}

// The listener gives way to a socket bound to the same port that does not
// listen, before the earlier connection drops, so that the client's first try
// again is refused; the port listens again once the test's condition holds.
bool KissServer::Refuse(const Connection& connection) {
    std::uint16_t port = port_;
    const int refusing = BoundSocket(port);
    if (refusing < 0) {
        return false;
    }
    ::close(listener_);
    listener_ = refusing;
    DropLastClient();
    return WaitUntil([&] { return quit_ || connection.refuseUntil(); }) && !quit_ &&
           ::listen(listener_, 4) == 0;
}

void KissServer::Play(const std::vector<Connection>& script) {
    for (const Connection& connection : script) {
        if (connection.refuseUntil && !Refuse(connection)) {
            failed_ = true;
            return;
        }
        DropLastClient();
        lastClient_ = Accept();
        if (lastClient_ < 0) {
            failed_ = true;
            return;
        }
        for (const Chunk& chunk : connection.chunks) {
            if (quit_) {
                return;
            }
            SendAll(lastClient_, chunk.bytes);
            std::this_thread::sleep_for(chunk.pauseAfter);
        }
    }
    if (!script.empty() && !script.back().keepOpen) {
        DropLastClient();
    }
    done_ = true;
}

void KissServer::DropLastClient() {
    if (lastClient_ >= 0) {
        ::close(lastClient_);
        lastClient_ = -1;
    }
}

ClosedPort::ClosedPort() : socket_(BoundSocket(port_)) {}

ClosedPort::~ClosedPort() {
    if (socket_ >= 0) {
        ::close(socket_);
    }
}

std::vector<KissServer::Chunk> RandomChunks(const std::string& bytes, std::uint32_t seed,
                                            std::size_t largest,
                                            std::chrono::milliseconds longestPause) {
    std::mt19937 random(seed);
    std::uniform_int_distribution<std::size_t> size(1, largest);
    std::uniform_int_distribution<long> pause(0, longestPause.count());
    std::vector<KissServer::Chunk> chunks;
    for (std::size_t at = 0; at < bytes.size();) {
        const std::size_t count = std::min(size(random), bytes.size() - at);
        chunks.push_back({bytes.substr(at, count), std::chrono::milliseconds(pause(random))});
        at += count;
    }
    return chunks;
}

}  // namespace orvex::test
