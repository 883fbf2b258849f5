#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

namespace orvex {

// Where the KISS reader gets a log's bytes from, a block at a time.
class LogSource {
public:
    virtual ~LogSource() = default;
    struct Result {
        std::size_t count = 0;  // 0 at the end of the data
        int error = 0;          // errno of a failed read; count is then 0
        // The load was stopped: the data does not end here, so a frame it
        // was inside of is not the log's.
        bool stopped = false;
    };
    virtual Result Read(std::uint8_t* buffer, std::size_t capacity) = 0;
};

// The identity of a log file, so that no output of its load replaces it.
struct FileIdentity {
    std::uint64_t device = 0;
    std::uint64_t inode = 0;
    std::uint64_t size = 0;  // 0 when not a regular file
};

// A log file opened read-only. A folder is refused at Open, as it has no
// bytes to read.
class FileLogSource : public LogSource {
public:
    FileLogSource() = default;
    ~FileLogSource() override;
    FileLogSource(const FileLogSource&) = delete;
    FileLogSource& operator=(const FileLogSource&) = delete;

    // Returns 0 or the errno of the failure.
    int Open(const std::string& path);
    void Close();
    Result Read(std::uint8_t* buffer, std::size_t capacity) override;

    const FileIdentity& Identity() const { return identity_; }

private:
    int fd_ = -1;
    FileIdentity identity_;
};

// A log held in memory.
class MemoryLogSource : public LogSource {
public:
    explicit MemoryLogSource(std::string bytes) : bytes_(std::move(bytes)) {}
    Result Read(std::uint8_t* buffer, std::size_t capacity) override;

private:
    std::string bytes_;
    std::size_t position_ = 0;
};

}  // namespace orvex
