#pragma once

#include <atomic>
#include <chrono>
#include <cstdint>
#include <functional>
#include <mutex>
#include <optional>
#include <string>
#include <vector>

#include "frames/frame_handler.h"
#include "kiss/load_pacing.h"
#include "live/link_watcher.h"
#include "load/load_outcome.h"

namespace orvex {

class LogLoad;

// What a load found since the window last looked.
struct LoadSnapshot {
    std::uint64_t framesDecoded = 0;
    std::uint64_t bytesRead = 0;
    std::optional<int> softwareVersion;   // the newest TLM frame's
    std::vector<std::string> frameTexts;  // the time and text frames since the last snapshot
    std::optional<LinkEvent> linkEvent;   // a stream's link's latest change
    LoadPacing::Clock::time_point linkEventAt;
    std::optional<std::string> logPath;  // a stream's recording, once its first byte came
    std::optional<LoadOutcome> outcome;  // once the load has ended
};

// Gathers, on the loading thread, what the window shows of a load, and hands
// it over coalesced: at every turn of the load's pacing (a few times a
// second, see LoadPacing) and at the end, the load publishes what it found
// and rings, unless a ring is already waiting for the window; the window
// takes everything published so far, always the newest state. It is the
// load's follower too: the window ends the load through it.
class LoadFeed : public FrameHandler, public LoadFollower, public LinkWatcher {
public:
    // `ring` tells the window's thread, from the loading thread, that there
    // is something to take.
    explicit LoadFeed(std::function<void()> ring) : ring_(std::move(ring)) {}

    // The loading thread's: the load whose counts each snapshot carries.
    void Follow(const LogLoad& load) { load_ = &load; }
    void OnTextFrame(const TextFrame& frame) override;
    void OnTlmFrame(const TlmFrame& frame) override;
    void OnLinkEvent(const LinkEvent& event) override;
    // A stream's recording began: the log now has its name.
    void OnLogNamed(std::string path);
    void OnSlice() override;
    // The last snapshot, with the load's outcome.
    void Finish(LoadOutcome outcome);

    // Any thread's.
    void Stop() { stop_.store(true, std::memory_order_relaxed); }
    bool StopRequested() const override { return stop_.load(std::memory_order_relaxed); }

    // The window's: what was published since its last take; nothing when it
    // took that already.
    std::optional<LoadSnapshot> Take();

private:
    void Publish(std::optional<LoadOutcome> outcome);

    std::function<void()> ring_;
    std::atomic<bool> stop_ = false;
    // The loading thread's, until published.
    const LogLoad* load_ = nullptr;
    std::uint64_t framesDecoded_ = 0;
    std::uint64_t bytesRead_ = 0;
    std::vector<std::string> texts_;
    std::optional<int> version_;
    std::optional<LinkEvent> linkEvent_;
    LoadPacing::Clock::time_point linkEventAt_;
    std::optional<std::string> logPath_;

    std::mutex mutex_;
    LoadSnapshot published_;  // under mutex_
    bool rung_ = false;       // under mutex_: the window has yet to take
};

}  // namespace orvex
