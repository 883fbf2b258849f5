#pragma once

#include <atomic>
#include <chrono>
#include <cstdint>
#include <functional>
#include <string>
#include <thread>
#include <vector>

namespace orvex::test {

// A TNC's KISS TCP port on 127.0.0.1, played from a script by a thread of its
// own: each connection is accepted, sent its chunks with their pauses and
// closed, or kept open after the last one. Before a connection the port may
// refuse until the test says: it stays bound meanwhile, so no other program
// takes it. Every wait is bounded, so a client that never comes fails the
// test instead of hanging it.
class KissServer {
public:
    struct Chunk {
        std::string bytes;
        std::chrono::milliseconds pauseAfter{0};
    };
    struct Connection {
        std::vector<Chunk> chunks;
        // When set, the port refuses from before the earlier connection
        // drops until this holds.
        std::function<bool()> refuseUntil{};
        bool keepOpen = false;  // after the last chunk
    };

    KissServer();
    ~KissServer();
    KissServer(const KissServer&) = delete;
    KissServer& operator=(const KissServer&) = delete;

    std::uint16_t Port() const { return port_; }
    void Serve(std::vector<Connection> script);

    // Bytes sent so far, and whether the whole script was played.
    std::uint64_t BytesSent() const { return sent_; }
    bool Done() const { return done_; }
    bool Failed() const { return failed_; }

private:
    void Play(const std::vector<Connection>& script);
    bool Refuse(const Connection& connection);
    int Accept();
    void SendAll(int client, const std::string& bytes);
    void DropLastClient();

    int listener_ = -1;
    std::uint16_t port_ = 0;
    int lastClient_ = -1;
    std::atomic<std::uint64_t> sent_{0};
    std::atomic<bool> done_{false};
    std::atomic<bool> failed_{false};
    std::atomic<bool> quit_{false};
    std::thread thread_;
};

// A port on 127.0.0.1 that refuses every connection for the life of the
// object: bound by a socket that never listens, so that no other program can
// take it meanwhile.
class ClosedPort {
public:
    ClosedPort();
    ~ClosedPort();
    ClosedPort(const ClosedPort&) = delete;
    ClosedPort& operator=(const ClosedPort&) = delete;

    std::uint16_t Port() const { return port_; }

private:
    int socket_ = -1;
    std::uint16_t port_ = 0;
};

// The log cut into chunks of 1 to `largest` bytes, each followed by a pause
// of up to `longestPause`, from a seeded generator.
std::vector<KissServer::Chunk> RandomChunks(
    const std::string& bytes, std::uint32_t seed, std::size_t largest = 700,
    std::chrono::milliseconds longestPause = std::chrono::milliseconds(3));

}  // namespace orvex::test
