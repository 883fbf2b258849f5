#pragma once

#include <functional>
#include <string>
#include <thread>
#include <vector>

namespace orvex::test {

// A log that arrives through a named pipe, as a live pass does, written by a
// thread of its own in steps: each step's bytes, then its action (a pause,
// a signal), so that a test decides what happens between two parts of the
// log. The writer stops when the reader goes away.
class PipedLog {
public:
    struct Step {
        std::string bytes;
        std::function<void()> then;
    };

    // Makes the pipe; the writing starts with Start.
    explicit PipedLog(std::string path);
    ~PipedLog();
    PipedLog(const PipedLog&) = delete;
    PipedLog& operator=(const PipedLog&) = delete;

    // Writes the steps once a reader opens the pipe.
    void Start(std::vector<Step> steps);
    const std::string& Path() const { return path_; }

private:
    std::string path_;
    std::thread writer_;
};

}  // namespace orvex::test
