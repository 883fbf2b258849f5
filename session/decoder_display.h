#pragma once

#include <chrono>
#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "live/link_watcher.h"
#include "telemetry/channel_history.h"

namespace orvex {

// A live stream's link as the status line tells it.
struct StreamState {
    LinkEvent last;                          // the link's latest change
    std::chrono::milliseconds retryLeft{0};  // until the next try, after a refusal or a loss
    std::uint64_t bytes = 0;                 // read from the stream so far
    std::uint64_t frames = 0;                // decoded so far
};

// What the decoder shows in the window, called on the window's thread only:
// the load runs on a thread of its own, and what it finds reaches the
// display in snapshots. Texts are single-byte (Latin-1) strings, except the
// log path, which is in the file system's encoding.
class DecoderDisplay {
public:
    virtual ~DecoderDisplay() = default;

    // The channel panel, channel 0..37.
    virtual void ShowChannelLabels(int channel, std::string_view name, std::string_view unit) = 0;
    // `fromEarlierFrame`: the record's frame ended before the channel, and
    // the value is calibrated from the byte an earlier frame left there.
    virtual void ShowChannelValue(int channel, std::string_view text, bool fromEarlierFrame) = 0;

    virtual void ShowRecordTime(std::string_view text) = 0;
    virtual void ShowRecordPosition(std::string_view text) = 0;  // "#3 / 12"
    virtual void ShowSoftwareVersion(int version) = 0;
    virtual void ShowLogPath(std::string_view path) = 0;
    virtual void ShowFrameCount(std::uint64_t frameCount) = 0;

    // A new log or stream replaces the one shown, before anything of it
    // arrives: every value, the record's time, the software version, the
    // frame counter and what it tells on hover, the texts of the time and
    // text frames, the record scroll bar and the chart's lines forget the
    // last one. The scroll bar keeps its position for the next load.
    virtual void ForgetShownLoad() = 0;
    // The texts of the time and text frames.
    virtual void AddFrameText(std::string_view text) = 0;

    // The record scroll bar: range 1..count, or 0..0 without records. A
    // position moved by the new range is a position change like the user's.
    virtual void EnableRecordNavigation() = 0;
    virtual void SetRecordCount(int count) = 0;
    virtual int RecordPosition() const = 0;
    // Moves the scroll bar, within its range, as the user would.
    virtual void MoveToRecord(int position) = 0;

    // Selects the channel alone, as the user's plain click does: the window
    // then asks for the channel's chart, once, even when the channel was
    // selected already.
    virtual void SelectChannel(int channel) = 0;
    // The chart frame's caption and the channels the chart draws from
    // `history`, which it keeps for as long as it draws from it: the chart
    // asks it for points whenever it needs them, also while a load adds to it.
    virtual void ShowChart(std::string_view caption, const std::vector<int>& channels,
                           std::shared_ptr<const ChannelHistory> history) = 0;
    // The stream followed added frames to the history charted since the last
    // call: the chart may be drawn again.
    virtual void HistoryGrew() = 0;
    // A live stream's link changed, or more arrived.
    virtual void ShowStreamState(const StreamState& state) = 0;
    // A log's load has read `percent` of the log's bytes: told when it
    // changes, not for a stream or a log whose size is not known.
    virtual void ShowLoadProgress(int percent) = 0;

    // A load started; it ended, and everything it found has been shown.
    virtual void ShowBusy() = 0;
    virtual void ShowIdle() = 0;
};

// "#3 / 12"
std::string RecordPositionText(int position, int recordCount);

}  // namespace orvex
