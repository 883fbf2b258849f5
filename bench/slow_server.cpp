#include "bench/slow_server.h"

#include <arpa/inet.h>
#include <netinet/in.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>

namespace orvex::bench {
namespace {

constexpr int kPollMs = 50;

// The request's head and as much of its body as its Content-Length names.
bool ReadRequest(int client) {
    std::string request;
    char buffer[4096];
    for (;;) {
        const std::size_t headEnd = request.find("\r\n\r\n");
        if (headEnd != std::string::npos) {
            const std::size_t length = request.find("Content-Length: ");
            const std::size_t body =
                length == std::string::npos ? 0 : std::strtoul(&request[length + 16], nullptr, 10);
            if (request.size() >= headEnd + 4 + body) {
                return true;
            }
        }
        const ssize_t count = ::recv(client, buffer, sizeof buffer, 0);
        if (count <= 0) {
            return false;
        }
        request.append(buffer, static_cast<std::size_t>(count));
    }
}

}  // namespace

SlowServer::SlowServer(std::chrono::milliseconds delay)
    : delay_(delay), listener_(::socket(AF_INET, SOCK_STREAM, 0)) {
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    socklen_t length = sizeof address;
    auto* any = reinterpret_cast<sockaddr*>(&address);
    if (::bind(listener_, any, length) != 0 || ::listen(listener_, 4) != 0 ||
        ::getsockname(listener_, any, &length) != 0) {
        std::perror("listen on 127.0.0.1");
        std::exit(1);
    }
    port_ = ntohs(address.sin_port);
    thread_ = std::thread([this] { Serve(); });
}

SlowServer::~SlowServer() {
    quit_ = true;
    thread_.join();
    ::close(listener_);
}

std::string SlowServer::Url() const {
    return "http://127.0.0.1:" + std::to_string(port_) + "/api/telemetry/";
}

void SlowServer::Serve() {
    while (!quit_) {
        pollfd ready{listener_, POLLIN, 0};
        if (::poll(&ready, 1, kPollMs) == 1) {
            const int client = ::accept(listener_, nullptr, nullptr);
            if (client >= 0) {
                Answer(client);
                ::close(client);
            }
        }
    }
}

void SlowServer::Answer(int client) {
    if (!ReadRequest(client)) {
        return;
    }
    const auto until = std::chrono::steady_clock::now() + delay_;
    while (!quit_ && std::chrono::steady_clock::now() < until) {
        std::this_thread::sleep_for(std::chrono::milliseconds(kPollMs));
    }
    static const char kAnswer[] =
        "HTTP/1.1 200 OK\r\nContent-Length: 0\r\nConnection: close\r\n\r\n";
    if (::send(client, kAnswer, sizeof kAnswer - 1, MSG_NOSIGNAL) > 0) {
        ++answered_;
    }
}

}  // namespace orvex::bench
