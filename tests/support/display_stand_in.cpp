#include "tests/support/display_stand_in.h"

#include <algorithm>

namespace orvex::test {

void DisplayStandIn::ShowFrameCount(std::uint64_t frameCount) {
    frameCounter = std::to_string(frameCount) + " frames";
}

void DisplayStandIn::ForgetShownLoad() {
    channelValues.fill({});
    channelsFromEarlierFrame.fill(false);
    recordTime.clear();
    recordPosition.clear();
    softwareVersion = -1;
    frameCounter.clear();
    frameTexts.clear();
    recordNavigationEnabled = false;
}

void DisplayStandIn::SetRecordCount(int count) {
    recordScrollMinimum = count > 0 ? 1 : 0;
    recordScrollMaximum = std::max(count, 0);
    const int position = std::clamp(recordPosition_, recordScrollMinimum, recordScrollMaximum);
    if (position != recordPosition_) {
        MoveRecordScrollBar(position);
    }
}

void DisplayStandIn::MoveToRecord(int position) {
    position = std::clamp(position, recordScrollMinimum, recordScrollMaximum);
    if (position != recordPosition_) {
        MoveRecordScrollBar(position);
    }
}

void DisplayStandIn::MoveRecordScrollBar(int position) {
    recordPosition_ = position;
    if (onRecordPositionChanged) {
        onRecordPositionChanged(position);
    }
}

void DisplayStandIn::SelectChannel(int channel) {
    selectedChannel = channel;
    if (onChannelSelected) {
        onChannelSelected(channel);
    }
}

void DisplayStandIn::ShowChart(std::string_view caption, const std::vector<int>& channels,
                               std::shared_ptr<const ChannelHistory> history) {
    chartCaption = caption;
    chartChannels = channels;
    chart.clear();
    if (const auto extent = history->Extent()) {
        chart = history->Series(channels.at(0), *extent, chartColumns);
    }
    ++chartBuilds;
}

}  // namespace orvex::test
