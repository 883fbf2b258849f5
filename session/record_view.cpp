#include "session/record_view.h"

#include <algorithm>
#include <array>
#include <climits>

#include "telemetry/calibration.h"
#include "telemetry/channel_value_text.h"
#include "text/locale_format.h"
#include "text/unix_time.h"

namespace orvex {

void ShowRecord(DecoderDisplay& display, const LocaleFormat& format,
                const TelemetryHistory& history, int number) {
    if (number < 1 || static_cast<std::size_t>(number) > history.Count()) {
        for (int channel = 0; channel < kChannelCount; ++channel) {
            display.ShowChannelValue(channel, "", false);
        }
        display.ShowRecordTime("");
        return;
    }
    const auto index = static_cast<std::size_t>(number - 1);
    const auto& calibration = CalibrationTable();
    std::string text;
    for (int channel = 0; channel < kChannelCount; ++channel) {
        text.clear();
        AppendChannelValue(text, format, TelemetryChannels()[channel],
                           calibration[channel][history.Raw(index, channel)]);
        display.ShowChannelValue(channel, text, !history.Holds(index, channel));
    }
    display.ShowRecordTime(format.DateTimeText(UnixTimeToDate(history.Timestamp(index))));
}

int RecordNumberOf(const TelemetryHistory& history, int channel, const HistoryPoint& sample) {
    if (channel < 0 || channel >= kChannelCount) {
        return 0;
    }
    const std::array<double, 256>& calibration = CalibrationTable()[channel];
    // A plain scan: a click is rare, and a million records take a few
    // milliseconds (bench/README.md).
    const std::size_t count = std::min<std::size_t>(history.Count(), INT_MAX);
    for (std::size_t index = 0; index < count; ++index) {
        if (history.Timestamp(index) == sample.time && history.Holds(index, channel) &&
            calibration[history.Raw(index, channel)] == sample.value) {
            return static_cast<int>(index + 1);
        }
    }
    return 0;
}

std::string ChartCaption(const std::vector<int>& channels) {
    if (channels.size() == 1) {
        const Channel& described = TelemetryChannels()[channels[0]];
        return described.name + " [ " + described.unit + " ] ";
    }
    std::string caption;
    for (const int channel : channels) {
        const Channel& described = TelemetryChannels()[channel];
        if (!caption.empty()) {
            caption += ", ";
        }
        caption.append(described.name, 0, described.name.find_last_not_of(' ') + 1);
        caption += " [ " + described.unit + " ]";
    }
    return caption;
}

}  // namespace orvex
