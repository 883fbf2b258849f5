#include "load/recorded_stream.h"

#include <algorithm>
#include <array>
#include <cstring>
#include <ctime>

#include "live/recording.h"
#include "load/log_load.h"

namespace orvex {
namespace {

// The stream with its first block read ahead: the recording and the outputs
// are made only once a byte has come.
class ReadAheadSource : public LogSource {
public:
    explicit ReadAheadSource(LogSource& inner) : inner_(inner) {}

    // Waits for the first block; false when the stream ended without one.
    bool ReadFirst() {
        first_ = inner_.Read(block_.data(), block_.size());
        return first_.count > 0;
    }
    const Result& First() const { return first_; }

    Result Read(std::uint8_t* buffer, std::size_t capacity) override {
        if (handedOn_ >= first_.count) {
            return inner_.Read(buffer, capacity);
        }
        const std::size_t count = std::min(capacity, first_.count - handedOn_);
        std::memcpy(buffer, block_.data() + handedOn_, count);
        handedOn_ += count;
        return {count, 0};
    }

private:
    LogSource& inner_;
    std::array<std::uint8_t, std::size_t{64} * 1024> block_{};
    Result first_;
    std::size_t handedOn_ = 0;
};

}  // namespace

LoadOutcome RunRecordedStream(LogLoad& load, LogSource& live, Recording& recording,
                              LoadPacing* pacing, const std::function<void()>& begun) {
    ReadAheadSource stream(live);
    LoadOutcome outcome;
    if (!stream.ReadFirst()) {
        if (stream.First().error != 0) {
            outcome.problems.push_back(ProblemFromErrno(FileProblem::Action::ReadLog,
                                                        recording.Planned(), stream.First().error));
        }
        return outcome;
    }
    if (const int error = recording.Begin(std::time(nullptr))) {
        outcome.problems.push_back(
            ProblemFromErrno(FileProblem::Action::RecordLog, recording.Planned(), error));
        return outcome;
    }
    load.NameLog(recording.Path());
    if (begun) {
        begun();
    }
    RecordingSource recorded(stream, recording);
    outcome = load.Run(recorded, recording.Identity(), pacing);
    if (recording.Error() != 0) {
        outcome.problems.push_back(
            ProblemFromErrno(FileProblem::Action::RecordLog, recording.Path(), recording.Error()));
    }
    return outcome;
}

}  // namespace orvex
