#pragma once

#include <iosfwd>
#include <memory>
#include <optional>
#include <string>

#include "share/share_feed.h"

namespace orvex {

class FrameSharer;
class LogLoad;
class StopSignals;
struct LoadOutcome;
struct ShareOptions;

// --share: the run's sharer, started, or null when sharing is not asked.
// `failed` is set after telling on `err` why it could not start.
std::unique_ptr<FrameSharer> StartSharing(const ShareOptions& options, std::ostream& err,
                                          bool& failed);

// One load's frames handed to the run's sharer, if any.
class LoadSharing {
public:
    LoadSharing(FrameSharer* sharer, LogLoad& load);

    // After the load: its counts in the outcome, what the uploader said, and
    // why frames were not shared; false when some could not be.
    bool Tell(LoadOutcome& outcome, const std::string& shownLog, std::ostream& err);

private:
    FrameSharer* sharer_;
    std::optional<ShareFeed> feed_;
};

// Tells on `err` what the uploader has said since it was last asked.
void TellShareNews(FrameSharer& sharer, std::ostream& err);

// After the logs or the stream: sends what waits until every server took it
// or fails (at most a few seconds more once a stop signal came), then prints
// each server's counts on `out` (with `json`, one JSON object). False when a
// frame was refused or the queue failed.
bool FinishSharing(FrameSharer& sharer, const StopSignals& stop, std::ostream& out,
                   std::ostream& err, bool json);

}  // namespace orvex
