#include "session/load_feed.h"

#include <iterator>
#include <utility>

#include "frames/telemetry_frames.h"
#include "frames/text_frame.h"
#include "load/log_load.h"

namespace orvex {

void LoadFeed::OnTextFrame(const TextFrame& frame) {
    texts_.emplace_back(frame.Text());
}

void LoadFeed::OnTlmFrame(const TlmFrame& frame) {
    version_ = frame.SoftwareVersion();
}

void LoadFeed::OnLinkEvent(const LinkEvent& event) {
    linkEvent_ = event;
    linkEventAt_ = LoadPacing::Clock::now();
    // The window tells a change of the link at once.
    Publish(std::nullopt);
}

void LoadFeed::OnLogNamed(std::string path) {
    logPath_ = std::move(path);
    Publish(std::nullopt);
}

void LoadFeed::OnSlice() {
    Publish(std::nullopt);
}

void LoadFeed::Finish(LoadOutcome outcome) {
    load_ = nullptr;  // its reader is gone: the counts are the outcome's
    framesDecoded_ = outcome.framesDecoded;
    Publish(std::move(outcome));
}

void LoadFeed::Publish(std::optional<LoadOutcome> outcome) {
    if (load_ != nullptr) {
        framesDecoded_ = load_->FramesDecoded();
        bytesRead_ = load_->BytesRead();
    }
    bool ring = false;
    {
        const std::lock_guard lock(mutex_);
        published_.framesDecoded = framesDecoded_;
        published_.bytesRead = bytesRead_;
        std::move(texts_.begin(), texts_.end(), std::back_inserter(published_.frameTexts));
        published_.softwareVersion = version_;
        published_.linkEvent = linkEvent_;
        published_.linkEventAt = linkEventAt_;
        if (logPath_) {
            published_.logPath = std::move(logPath_);
        }
        if (outcome) {
            published_.outcome = std::move(outcome);
        }
        ring = !rung_;
        rung_ = true;
    }
    texts_.clear();
    logPath_.reset();
    if (ring) {
        ring_();
    }
}

std::optional<LoadSnapshot> LoadFeed::Take() {
    const std::lock_guard lock(mutex_);
    if (!rung_) {
        return std::nullopt;
    }
    rung_ = false;
    return std::exchange(published_, {});
}

}  // namespace orvex
