#pragma once

#include <QLocale>
#include <functional>
#include <mutex>
#include <string>
#include <vector>

#include "kiss/load_pacing.h"
#include "kiss/log_source.h"
#include "live/link_watcher.h"
#include "load/load_context.h"
#include "load/load_outcome.h"
#include "tests/support/temp_folder.h"
#include "text/locale_format.h"

namespace orvex::test {

// Follows a live stream for a test: keeps every event of its link and, at
// each turn of the load's pacing, asks `keepGoing` whether to go on, until
// the first no, which stops the load.
class WatcherStandIn : public LinkWatcher, public LoadFollower {
public:
    explicit WatcherStandIn(std::function<bool()> keepGoing) : keepGoing_(std::move(keepGoing)) {}
    void OnLinkEvent(const LinkEvent& event) override {
        events.push_back(event);
        if (onEvent) {
            onEvent(event);
        }
    }
    void OnSlice() override { stop_ = stop_ || !keepGoing_(); }
    bool StopRequested() const override { return stop_; }

    int Count(LinkEvent::Kind kind) const;
    std::vector<LinkEvent> events;
    std::function<void(const LinkEvent&)> onEvent;

private:
    std::function<bool()> keepGoing_;
    bool stop_ = false;
};

// Turns a test's stream would wait for at most: the tests are quick.
inline constexpr std::chrono::milliseconds kQuickSlice{10};

// The files a load left beside its log.
struct DecodedFiles {
    LoadOutcome outcome;
    std::string report;
    std::string wodExport;
};

// A live session recorded into a scratch folder, and the same log opened
// afterwards as a file, in a fresh program run each.
class LiveSessionRun {
public:
    LiveSessionRun() : format_(QLocale(QStringLiteral("en_GB"))) {}

    // Decodes `live`, whose source asks `pacing`, while recording it; the
    // recording's bytes in Recorded().
    DecodedFiles Decode(LogSource& live, LoadPacing& pacing);
    // Decodes the recorded log as File > Open would.
    DecodedFiles DecodeRecorded() const;

    // Any thread's: empty until the recording began.
    std::string RecordedPath() const;
    std::string Recorded() const { return ReadFile(RecordedPath()); }
    // The report as it is on disk now, also while the session runs.
    std::string ReportOnDisk() const;
    const TempFolder& Folder() const { return folder_; }

private:
    DecodedFiles FilesOf(LoadOutcome outcome) const;

    TempFolder folder_;
    LocaleFormat format_;
    OutputOptions options_;
    LoadContext context_{format_, options_};
    mutable std::mutex mutex_;
    std::string recordedPath_;  // under mutex_
};

// Where each frame of a log opens: the FENDs at even places in the count.
std::vector<std::size_t> OpeningFends(const std::string& log);

}  // namespace orvex::test
