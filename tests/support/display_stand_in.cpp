#include "tests/support/display_stand_in.h"

#include <algorithm>

namespace orvex::test {

void DisplayStandIn::ShowFrameCount(std::uint64_t frameCount) {
    frameCounter = FrameCountCaption(frameCount);
}

void DisplayStandIn::SetRecordCount(int count) {
    recordScrollMinimum = count > 0 ? 1 : 0;
    recordScrollMaximum = std::max(count, 0);
    const int position = std::clamp(recordPosition_, recordScrollMinimum, recordScrollMaximum);
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

void DisplayStandIn::ShowChart(std::string_view caption, const std::vector<ChartPoint>& points) {
    chartCaption = caption;
    chart = points;
    ++chartBuilds;
}

void DisplayStandIn::AfterFrame(std::uint64_t frameCount) {
    ++frameSteps;
    if (onFrame) {
        onFrame(frameCount);
    }
}

void DisplayStandIn::WhileReading() {
    ++readingSteps;
    if (onReading) {
        onReading();
    }
}

}  // namespace orvex::test
