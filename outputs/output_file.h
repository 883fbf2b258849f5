#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace orvex {

// One output file of a load, written through a large buffer. The first
// failure is kept and every later write is dropped, so the caller reports
// it once, at Close.
//
// An output is first claimed for the whole load: a symbolic link is followed
// to the file it names (a link to nothing is refused), the log itself and a
// folder are refused, and the file is held by an advisory lock that every
// run takes, so that two runs never write one file. A missing file is
// created empty to carry the lock and removed again if the load ends
// without writing it. A regular file is never truncated: a new one replaces
// it whole, so that its other hard-linked names keep their content. A
// device or a named pipe is written in place, unlocked; a pipe no program
// reads is refused rather than waited for.
//
// Written by hand rather than with QSaveFile: the path is the file system's
// bytes, which need not survive a round trip through QString; the report
// must be under its final name while it grows; and the lock has to cover
// the whole load, not only the writing.
class OutputFile {
public:
    enum class Mode {
        Append,          // extended in place; created when missing
        ReplaceAtOpen,   // a new file takes the name at Open and grows there
        ReplaceAtClose,  // written beside the target and renamed over it at Close
    };

    // Why a claim fails while another run writes the file.
    static constexpr std::string_view kBusyReason = "it is being written by another run";

    OutputFile() = default;
    ~OutputFile();
    OutputFile(const OutputFile&) = delete;
    OutputFile& operator=(const OutputFile&) = delete;

    // Refuses a path that names the file with this identity (the log).
    void ProtectFile(std::uint64_t device, std::uint64_t inode);

    // Claims `path` for the load; false, with a reason, when refused.
    bool Claim(const std::string& path);
    // Opens the claimed file; Open(path, mode) claims it first when needed.
    bool Open(Mode mode);
    bool Open(const std::string& path, Mode mode);

    // Direct access to the buffer; call Flushed() after appending.
    std::string& Buffer() { return buffer_; }
    void Flushed() {
        if (buffer_.size() >= kFlushSize) {
            Flush();
        }
    }
    // Writes the buffer out now.
    void Flush();
    void Write(std::string_view bytes) {
        buffer_ += bytes;
        Flushed();
    }
    // Flushes, puts a replacement in place and gives up the claim; false
    // when anything failed since the claim.
    bool Close();
    // Gives up the claim without putting anything new in place: a
    // replacement not yet renamed and a file created only for the lock are
    // removed, an earlier file stays as it was.
    void Abandon();

    bool IsOpen() const { return fd_ >= 0; }
    bool Failed() const { return !reason_.empty(); }
    // True when the claim failed because another run holds the file.
    bool Busy() const { return reason_ == kBusyReason; }
    const std::string& FailureReason() const { return reason_; }

private:
    static constexpr std::size_t kFlushSize = 1 << 20;

    bool ResolveLink(const std::string& path);
    bool LockTarget();
    bool OpenInPlace(int flags);
    bool OpenReplacement();
    bool PutReplacementInPlace();
    void Fail(int error);

    int fd_ = -1;      // where the bytes go
    int lockFd_ = -1;  // the claimed file, locked, until it is replaced
    std::string buffer_;
    std::string reason_;
    std::string target_;     // the file written: the path with its link resolved
    std::string temporary_;  // a replacement written beside the target
    std::uint32_t targetMode_ = 0;
    std::uint64_t protectedDevice_ = 0, protectedInode_ = 0;
    bool protect_ = false;
    bool claimed_ = false;
    bool regular_ = true;       // false for a device or a pipe, written in place
    bool placeholder_ = false;  // created only to carry the lock
};

}  // namespace orvex
