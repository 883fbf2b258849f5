#pragma once

#include <ctime>
#include <functional>
#include <string>

#include "kiss/log_source.h"

namespace orvex {

// The log file a live stream is recorded into. Every block is written
// through as it arrives: nothing received waits in the program, so the
// file holds every byte even if the decoding stops, and it can be followed
// while it grows. A new file is always made; an earlier one is never
// written over. Where it goes is planned, and checked, before the stream
// starts; the file is made when the first byte arrives, so that a stream
// that never sent one leaves nothing.
//
// A write that fails (a full disk, a folder removed) ends the recording
// there, so that it holds the stream's first bytes without a gap; the
// stream itself goes on to its reader. The failure is told at once to
// whoever asked, and kept.
class Recording {
public:
    Recording() = default;
    ~Recording();
    Recording(const Recording&) = delete;
    Recording& operator=(const Recording&) = delete;

    // "orvex-20261207-160512.kss": the UTC date and time the stream began.
    static std::string NameFor(std::time_t began);

    // A new file in `folder`, named when it begins. Returns 0 or errno.
    int PlanIn(const std::string& folder);
    // A new file `path`; an existing one is refused (EEXIST).
    int PlanFile(const std::string& path);
    // Makes the planned file; one in a folder is named by `began`, with
    // "-2", "-3"... before the extension when a recording of that second
    // exists. Returns 0 or errno.
    int Begin(std::time_t began);
    bool Begun() const { return fd_ >= 0; }

    // Plans and begins at once.
    int CreateIn(const std::string& folder, std::time_t began);
    int Create(const std::string& path);

    // Called with the errno of the first write that fails, on the thread
    // that appends, while the stream goes on: the command line says it on
    // its error output, the window in its status line.
    using FailureHandler = std::function<void(int error)>;
    void TellFailureTo(FailureHandler handler) { tellFailure_ = std::move(handler); }

    // Appends the bytes received; after the first failure only counts them.
    void Append(const std::uint8_t* bytes, std::size_t count);

    // The file's absolute path, which names it in its report; for a
    // recording in a folder, known once it began.
    const std::string& Path() const { return path_; }
    // The folder or file planned, for messages before it began.
    const std::string& Planned() const { return planned_; }
    const FileIdentity& Identity() const { return identity_; }
    // What the file holds, and what the stream brought: the same unless a
    // write failed.
    std::uint64_t BytesRecorded() const { return recorded_; }
    std::uint64_t BytesReceived() const { return received_; }
    int Error() const { return error_; }

private:
    int CreateNew(const std::string& absolutePath);

    int fd_ = -1;
    std::string folder_;  // absolute, ending in '/'
    std::string path_;
    std::string planned_;
    FileIdentity identity_;
    std::uint64_t recorded_ = 0;
    std::uint64_t received_ = 0;
    int error_ = 0;
    FailureHandler tellFailure_;
};

// Hands on the bytes of another source after appending them to the
// recording, so that the recorded log holds exactly what was decoded.
class RecordingSource : public LogSource {
public:
    RecordingSource(LogSource& inner, Recording& recording)
        : inner_(inner), recording_(recording) {}

    Result Read(std::uint8_t* buffer, std::size_t capacity) override {
        const Result result = inner_.Read(buffer, capacity);
        recording_.Append(buffer, result.count);
        return result;
    }

private:
    LogSource& inner_;
    Recording& recording_;
};

}  // namespace orvex
