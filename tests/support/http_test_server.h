#pragma once

#include <QByteArray>
#include <QThread>

#include <chrono>
#include <cstdint>
#include <functional>
#include <future>
#include <map>
#include <mutex>
#include <string>
#include <vector>

namespace orvex::test {

// One POST the server received whole: its path and the fields of its form,
// decoded.
struct ReceivedPost {
    std::string path;
    std::string contentType;
    std::map<std::string, std::string> fields;

    std::string Field(const std::string& name) const;
};

// A telemetry server on 127.0.0.1 for the tests, on a thread of its own. Its
// port is bound from the start but refuses connections until Listen; then
// each POST is kept and answered as the test says: a status chosen per post
// (200 unless told), after a delay; while "down", every connection is closed
// at once without an answer.
class HttpTestServer {
public:
    using Answer = std::function<int(const ReceivedPost&)>;

    HttpTestServer();
    ~HttpTestServer();
    HttpTestServer(const HttpTestServer&) = delete;
    HttpTestServer& operator=(const HttpTestServer&) = delete;

    std::uint16_t Port() const { return port_; }
    // "http://127.0.0.1:PORT/api/telemetry/"
    std::string Url() const;

    void Listen();
    void AnswerWith(Answer answer);
    void AnswerAfter(std::chrono::milliseconds delay);
    void GoDown(bool down);

    // Every post received whole, in the order they came; how many were
    // answered; those answered 2xx, which the server took.
    std::vector<ReceivedPost> Received() const;
    std::size_t Answered() const;
    std::vector<ReceivedPost> Taken() const;

    // WaitUntil, with the limit these tests use.
    static bool WaitFor(const std::function<bool()>& condition,
                        std::chrono::milliseconds limit = std::chrono::seconds(20));

private:
    class Listener;
    friend class Listener;

    int bound_ = -1;
    std::uint16_t port_ = 0;
    QThread thread_;
    Listener* listener_ = nullptr;  // from Listen on
    std::promise<void> deleted_;

    mutable std::mutex mutex_;
    Answer answer_;
    std::chrono::milliseconds delay_{0};
    bool down_ = false;
    std::vector<ReceivedPost> received_;
    std::size_t answered_ = 0;
    std::vector<ReceivedPost> taken_;
};

}  // namespace orvex::test
