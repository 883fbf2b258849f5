#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "outputs/name_lock.h"

namespace orvex {

// One output file of a load, written through a large buffer. The first
// failure is kept and every later write is dropped, so the caller reports
// it once, at Close.
//
// Whatever happens to the run, the output's path holds either the file it
// held before, byte for byte, or the new file whole: the new file is
// written unnamed (O_TMPFILE) and takes the name only once complete, by a
// rename over the earlier one, so that a failure, a full disk, a signal or
// a kill leaves nothing behind. Only a file that grows by design (a live
// stream's report, followed with tail -f) takes its name at Open.
//
// An output is first claimed for the whole load: a symbolic link is followed
// to the file it names (a link to nothing is refused), the log itself and a
// folder are refused, and the name is held by a NameLock that every run
// takes, so that two runs never write one file; the claim shows nothing in
// the folder. A new file keeps the mode of the one it replaces, and the
// earlier file is never rewritten, so that its other hard-linked names keep
// their content. A device or a named pipe is written in place, unlocked; a
// pipe no program reads is refused rather than waited for.
//
// Where the file system has no unnamed files, the new file is written under
// a hidden name of its own beside the target (".orbit.tlm.orvex-part"),
// which only the holder of the target's claim writes: a killed run's such
// file is removed by the next claim of the same output.
//
// Written by hand rather than with QSaveFile: the path is the file system's
// bytes, which need not survive a round trip through QString; QSaveFile's
// temporary file is left behind by a kill; and the claim has to cover the
// whole load, not only the writing.
class OutputFile {
public:
    enum class Mode {
        ReplaceAtClose,  // unnamed until Close, then put over the target
        ExtendAtClose,   // the same, starting with the earlier file's bytes
        ReplaceAtOpen,   // a new file takes the name at Open and grows there
    };

    // Why a claim fails while another run writes the file.
    static constexpr std::string_view kBusyReason = "it is being written by another run";
    // The hidden name of the file written for `target` where unnamed files
    // cannot be made.
    static std::string PartName(const std::string& target);

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
    // Flushes, puts the new file in place and gives up the claim; false
    // when anything failed since the claim, and then the earlier file stays.
    bool Close();
    // Gives up the claim without putting anything new in place: the new
    // file vanishes and an earlier file stays as it was.
    void Abandon();

    bool IsOpen() const { return fd_ >= 0; }
    bool Failed() const { return !reason_.empty(); }
    // True when the claim failed because another run holds the file.
    bool Busy() const { return reason_ == kBusyReason; }
    const std::string& FailureReason() const { return reason_; }

private:
    static constexpr std::size_t kFlushSize = 1 << 20;

    bool ResolveLink(const std::string& path);
    bool CheckTarget();
    bool LockName();
    bool OpenInPlace();
    bool OpenReplacement();
    bool CopyEarlierFile();
    bool PutInPlace();
    void Fail(int error);

    int fd_ = -1;  // where the bytes go
    NameLock lock_;
    std::string buffer_;
    std::string reason_;
    std::string target_;  // the file written: the path with its link resolved
    std::string part_;    // the new file's hidden name, while it has one
    std::uint64_t protectedDevice_ = 0, protectedInode_ = 0;
    bool protect_ = false;
    bool claimed_ = false;
    bool regular_ = true;   // false for a device or a pipe, written in place
    bool inPlace_ = false;  // the bytes go to the file under the target's name
};

}  // namespace orvex
