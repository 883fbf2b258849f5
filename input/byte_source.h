#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

namespace orvex {

// Where the KISS reader gets the log's bytes from, a block at a time.
class ByteSource {
public:
    virtual ~ByteSource() = default;
    struct Result {
        std::size_t count = 0;  // 0 at the end of the data
        int error = 0;          // errno of a failed read; count is then 0
    };
    virtual Result Read(std::uint8_t* buffer, std::size_t capacity) = 0;
};

// A log file opened read-only. A folder is refused at Open, as it has no
// bytes to read.
class FileByteSource : public ByteSource {
public:
    FileByteSource() = default;
    ~FileByteSource() override;
    FileByteSource(const FileByteSource&) = delete;
    FileByteSource& operator=(const FileByteSource&) = delete;

    // Returns 0 or the errno of the failure.
    int Open(const std::string& path);
    void Close();
    Result Read(std::uint8_t* buffer, std::size_t capacity) override;

    // Identity of the open file, to keep outputs from replacing the log.
    std::uint64_t Device() const { return device_; }
    std::uint64_t Inode() const { return inode_; }
    std::uint64_t Size() const { return size_; }

private:
    int fd_ = -1;
    std::uint64_t device_ = 0, inode_ = 0, size_ = 0;
};

// A log held in memory.
class MemoryByteSource : public ByteSource {
public:
    explicit MemoryByteSource(std::string bytes) : bytes_(std::move(bytes)) {}
    Result Read(std::uint8_t* buffer, std::size_t capacity) override;

private:
    std::string bytes_;
    std::size_t position_ = 0;
};

}  // namespace orvex
