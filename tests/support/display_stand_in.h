#pragma once

#include <array>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "session/decoder_display.h"
#include "telemetry/channel_table.h"

namespace orvex::test {

// The window held in memory. It follows the window's rules: the record
// scroll bar starts at position 1 and takes the range 1..count, or 0..0
// without records, and a range that moves the position reports the move; a
// channel selection is echoed as the window's selection is, once per
// selection.
class DisplayStandIn : public DecoderDisplay {
public:
    void ShowChannelLabels(int channel, std::string_view name, std::string_view unit) override {
        channelNames[channel] = name;
        channelUnits[channel] = unit;
    }
    void ShowChannelValue(int channel, std::string_view text, bool fromEarlierFrame) override {
        channelValues[channel] = text;
        channelsFromEarlierFrame[channel] = fromEarlierFrame;
    }
    void ShowRecordTime(std::string_view text) override { recordTime = text; }
    void ShowRecordPosition(std::string_view text) override { recordPosition = text; }
    void ShowSoftwareVersion(int version) override { softwareVersion = version; }
    void ShowLogPath(std::string_view path) override { logPath = path; }
    void ShowFrameCount(std::uint64_t frameCount) override;
    void ForgetShownLoad() override;
    void AddFrameText(std::string_view text) override { frameTexts.emplace_back(text); }
    void EnableRecordNavigation() override { recordNavigationEnabled = true; }
    void SetRecordCount(int count) override;
    int RecordPosition() const override { return recordPosition_; }
    void MoveToRecord(int position) override;
    void SelectChannel(int channel) override;
    void ShowChart(std::string_view caption, const std::vector<int>& channels,
                   std::shared_ptr<const ChannelHistory> history) override;
    void HistoryGrew() override { ++historyGrowths; }
    void ShowStreamState(const StreamState& state) override { streamStates.push_back(state); }
    void ShowLoadProgress(int percent) override { progress.push_back(percent); }
    void ShowBusy() override { busy = true; }
    void ShowIdle() override { busy = false; }

    // The user moves the scroll bar to `position`.
    void MoveRecordScrollBar(int position);

    std::array<std::string, kChannelCount> channelNames, channelUnits, channelValues;
    std::array<bool, kChannelCount> channelsFromEarlierFrame{};
    std::string recordTime;
    std::string recordPosition;
    int softwareVersion = -1;
    std::string logPath;
    std::string frameCounter;
    std::vector<int> progress;  // per cent, as told
    std::vector<std::string> frameTexts;
    bool recordNavigationEnabled = false;
    int recordScrollMinimum = 1;
    int recordScrollMaximum = 1;
    int selectedChannel = -1;
    std::string chartCaption;
    std::vector<int> chartChannels;
    // The first channel's samples, by default a column per second of a day:
    // each of the short logs of the tests whole.
    std::vector<HistoryPoint> chart;
    int chartColumns = 86400;
    int chartBuilds = 0;
    int historyGrowths = 0;
    std::vector<StreamState> streamStates;
    bool busy = false;

    // What the window does with the user's actions: the test's session
    // answers them.
    std::function<void(int position)> onRecordPositionChanged;
    std::function<void(int channel)> onChannelSelected;

private:
    int recordPosition_ = 1;
};

}  // namespace orvex::test
