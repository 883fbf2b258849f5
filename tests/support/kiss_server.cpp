#include "tests/support/kiss_server.h"

#include <arpa/inet.h>
#include <netinet/in.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

#include <random>

namespace orvex::test {
namespace {

constexpr int kAcceptTimeoutMs = 10000;

}  // namespace

KissServer::KissServer() {
    failed_ = !Listen();
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

bool KissServer::Listen() {
    listener_ = ::socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0);
    const int yes = 1;
    ::setsockopt(listener_, SOL_SOCKET, SO_REUSEADDR, &yes, sizeof yes);
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    address.sin_port = htons(port_);
    auto* any = reinterpret_cast<sockaddr*>(&address);
    socklen_t length = sizeof address;
    if (::bind(listener_, any, length) != 0 || ::listen(listener_, 4) != 0 ||
        ::getsockname(listener_, any, &length) != 0) {
        return false;
    }
    port_ = ntohs(address.sin_port);
    return true;
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

void KissServer::Play(const std::vector<Connection>& script) {
    for (const Connection& connection : script) {
        // The port closes before the earlier connection drops, so that the
        // client's first try again is refused.
        if (connection.refuseBefore.count() > 0) {
            ::close(listener_);
        }
        DropLastClient();
        if (connection.refuseBefore.count() > 0) {
            std::this_thread::sleep_for(connection.refuseBefore);
            if (!Listen()) {
                failed_ = true;
                return;
            }
        }
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
