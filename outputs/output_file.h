#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace orvex {

// A file written through a large buffer. The first failure is kept and every
// later write is dropped, so the caller reports it once, at Close.
class OutputFile {
public:
    enum class Mode {
        Append,   // opened for appending, created when missing
        Replace,  // emptied, or created
        // Written beside the target and renamed over it at Close, so a failed
        // write leaves the earlier file as it was. A target that is not a
        // regular file (a device, a pipe) is written in place.
        ReplaceAtomically,
    };

    OutputFile() = default;
    ~OutputFile();
    OutputFile(const OutputFile&) = delete;
    OutputFile& operator=(const OutputFile&) = delete;

    // Refuses a path that names the file with this identity (the log).
    void ProtectFile(std::uint64_t device, std::uint64_t inode);

    bool Open(const std::string& path, Mode mode);
    // Direct access to the buffer; call Flushed() after appending.
    std::string& Buffer() { return buffer_; }
    void Flushed() {
        if (buffer_.size() >= kFlushSize) {
            Flush();
        }
    }
    void Write(std::string_view bytes) {
        buffer_ += bytes;
        Flushed();
    }
    // Flushes and closes; false when anything failed since Open.
    bool Close();
    // Closes and forgets any failure, for a fresh start.
    void Reset();

    bool IsOpen() const { return fd_ >= 0; }
    bool Failed() const { return !reason_.empty(); }
    const std::string& FailureReason() const { return reason_; }

private:
    static constexpr std::size_t kFlushSize = 1 << 20;

    void Flush();
    void Fail(int error);
    void Discard();

    int fd_ = -1;
    std::string buffer_;
    std::string reason_;
    std::string target_;
    std::string temporary_;  // set while writing atomically
    std::uint64_t protectedDevice_ = 0, protectedInode_ = 0;
    bool protect_ = false;
};

}  // namespace orvex
