#include "tests/live/live_session.h"

#include <gtest/gtest.h>

#include <algorithm>

#include "kiss/kiss_reader.h"
#include "live/recording.h"
#include "load/log_load.h"
#include "load/recorded_stream.h"
#include "outputs/output_names.h"

namespace orvex::test {

int WatcherStandIn::Count(LinkEvent::Kind kind) const {
    return static_cast<int>(std::count_if(events.begin(), events.end(),
                                          [kind](const LinkEvent& e) { return e.kind == kind; }));
}

DecodedFiles LiveSessionRun::Decode(LogSource& live, LoadPacing& pacing) {
    Recording recording;
    EXPECT_EQ(recording.PlanIn(folder_.Path()), 0);
    Frame frame;
    LogLoad load(recording.Planned(), context_, frame, LoadMode::Stream);
    return FilesOf(RunRecordedStream(load, live, recording, &pacing, [&] {
        const std::lock_guard lock(mutex_);
        recordedPath_ = recording.Path();
    }));
}

std::string LiveSessionRun::RecordedPath() const {
    const std::lock_guard lock(mutex_);
    return recordedPath_;
}

DecodedFiles LiveSessionRun::DecodeRecorded() const {
    FileLogSource file;
    const std::string path = RecordedPath();
    EXPECT_EQ(file.Open(path), 0);
    Frame frame;
    LogLoad load(path, context_, frame);
    return FilesOf(load.Run(file, file.Identity(), nullptr));
}

std::string LiveSessionRun::ReportOnDisk() const {
    return ReadFile(NameBesideLog(RecordedPath(), kReportExtension));
}

DecodedFiles LiveSessionRun::FilesOf(LoadOutcome outcome) const {
    EXPECT_TRUE(outcome.problems.empty()) << outcome.problems.front().Message();
    return {std::move(outcome), ReportOnDisk(),
            ReadFile(NameBesideLog(RecordedPath(), kWodExportExtension))};
}

std::vector<std::size_t> OpeningFends(const std::string& log) {
    std::vector<std::size_t> openings;
    bool opening = true;
    for (std::size_t at = 0; at < log.size(); ++at) {
        if (static_cast<std::uint8_t>(log[at]) == kFend) {
            if (opening) {
                openings.push_back(at);
            }
            opening = !opening;
        }
    }
    return openings;
}

}  // namespace orvex::test
