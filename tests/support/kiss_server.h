#pragma once

#include <atomic>
#include <chrono>
#include <cstdint>
#include <string>
#include <thread>
#include <vector>

namespace orvex::test {

// A TNC's KISS TCP port on 127.0.0.1, played from a script by a thread of its
// own: each connection is accepted, sent its chunks with their pauses and
// closed, or kept open after the last one. Before a connection the port may
// refuse for a while. Every wait is bounded, so a client that never comes
// fails the test instead of hanging it.
class KissServer {
public:
    struct Chunk {
        std::string bytes;
        std::chrono::milliseconds pauseAfter{0};
    };
    struct Connection {
        std::vector<Chunk> chunks;
        std::chrono::milliseconds refuseBefore{0};  // the port closed this long first
        bool keepOpen = false;                      // after the last chunk
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
    bool Listen();
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

// The log cut into chunks of 1 to `largest` bytes, each followed by a pause
// of up to `longestPause`, from a seeded generator.
std::vector<KissServer::Chunk> RandomChunks(
    const std::string& bytes, std::uint32_t seed, std::size_t largest = 700,
    std::chrono::milliseconds longestPause = std::chrono::milliseconds(3));

}  // namespace orvex::test
