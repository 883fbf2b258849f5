#pragma once

#include <QLocale>
#include <functional>
#include <string>
#include <vector>

#include "kiss/log_source.h"
#include "live/link_watcher.h"
#include "load/load_context.h"
#include "load/load_outcome.h"
#include "tests/support/temp_folder.h"
#include "text/locale_format.h"

namespace orvex::test {

// Follows a live stream for a test: keeps every event and asks `keepWaiting`
// whether to go on.
class WatcherStandIn : public LinkWatcher {
public:
    explicit WatcherStandIn(std::function<bool()> keepWaiting)
        : keepWaiting_(std::move(keepWaiting)) {}
    void OnLinkEvent(const LinkEvent& event) override {
        events.push_back(event);
        if (onEvent) {
            onEvent(event);
        }
    }
    bool KeepWaiting() override { return keepWaiting_(); }

    int Count(LinkEvent::Kind kind) const;
    std::vector<LinkEvent> events;
    std::function<void(const LinkEvent&)> onEvent;

private:
    std::function<bool()> keepWaiting_;
};

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
    LiveSessionRun() : format_(QLocale(QStringLiteral("en_GB"))) {
        options_.reportBlockByBlock = true;
    }

    // Decodes `live` while recording it; the recording's bytes in Recorded().
    DecodedFiles Decode(LogSource& live);
    // Decodes the recorded log as File > Open would.
    DecodedFiles DecodeRecorded() const;

    const std::string& RecordedPath() const { return recordedPath_; }
    std::string Recorded() const { return ReadFile(recordedPath_); }
    // The report as it is on disk now, also while the session runs.
    std::string ReportOnDisk() const;
    const TempFolder& Folder() const { return folder_; }

private:
    DecodedFiles FilesOf(LoadOutcome outcome) const;

    TempFolder folder_;
    LocaleFormat format_;
    OutputOptions options_;
    LoadContext context_{format_, options_};
    std::string recordedPath_;
};

// Where each frame of a log opens: the FENDs at even places in the count.
std::vector<std::size_t> OpeningFends(const std::string& log);

}  // namespace orvex::test
