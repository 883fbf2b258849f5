#include "session/record_view.h"

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
