#include "tests/live/live_session.h"

#include <gtest/gtest.h>

#include <algorithm>

#include "kiss/kiss_reader.h"
#include "live/live_decode.h"
#include "live/recording.h"
#include "load/log_load.h"
#include "outputs/output_names.h"

namespace orvex::test {

int WatcherStandIn::Count(LinkEvent::Kind kind) const {
    return static_cast<int>(std::count_if(events.begin(), events.end(),
                                          [kind](const LinkEvent& e) { return e.kind == kind; }));
}

DecodedFiles LiveSessionRun::Decode(LogSource& live) {
    Recording recording;
    EXPECT_EQ(recording.PlanIn(folder_.Path()), 0);
    return FilesOf(DecodeWhileRecording(
        [&](LogSource& recorded, const FileIdentity& identity) {
            recordedPath_ = recording.Path();
            Frame frame;
            LogLoad load(recordedPath_, context_, frame);
            return load.Run(recorded, identity, nullptr);
        },
        live, recording));
}

DecodedFiles LiveSessionRun::DecodeRecorded() const {
    FileLogSource file;
    EXPECT_EQ(file.Open(recordedPath_), 0);
    Frame frame;
    LogLoad load(recordedPath_, context_, frame);
    return FilesOf(load.Run(file, file.Identity(), nullptr));
}

std::string LiveSessionRun::ReportOnDisk() const {
    return ReadFile(NameBesideLog(recordedPath_, kReportExtension));
}

DecodedFiles LiveSessionRun::FilesOf(LoadOutcome outcome) const {
    EXPECT_TRUE(outcome.problems.empty()) << outcome.problems.front().Message();
    return {std::move(outcome), ReportOnDisk(),
            ReadFile(NameBesideLog(recordedPath_, kWodExportExtension))};
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
